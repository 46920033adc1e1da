#pragma once
#include <algorithm>
#include <optional>
#include <ostream>
#include <span>
#include <string>
#include <vector>

// Command lines of the project's programs: each program lists its options in one table; the
// parser, --help, --version, the usage on mistakes and the exit statuses come from here.
namespace qk::cmdline {

enum class Outcome { Run, Help, Version, Error };

// Exit statuses every program documents.
constexpr int ExitSuccess = 0;
constexpr int ExitFailure = 1;
constexpr int ExitUsage = 2;

// One option: "--name" alone, or "--name VALUE" / "--name=VALUE" when it has a value name. Every
// program lists its options in a table of these.
template <typename Options>
struct Option {
    const char* name = "";
    const char* value = nullptr;  // the value's name in the usage ("CHIP"); none for a switch
    // The value may be left out ("--ftdi" alone): then it is taken from the next argument only
    // when that is no option, and is empty otherwise. The usage shows it as "[VALUE]".
    bool valueOptional = false;
    std::string help = {};  // lines after the first are indented under it
    // Takes the value (empty for a switch) into the options; false, with `error` said for the
    // user, refuses it. Parse() puts the option's name before the error; qk3xx-cli's messages
    // name the option themselves. Null only where a program's reader keeps the option as given
    // (qk3xx-cli's subcommand options).
    bool (*apply)(const std::string& value, Options& options, std::string& error) = nullptr;
};

template <typename Options>
struct Parsed {
    using Outcome = cmdline::Outcome;
    Outcome outcome = Outcome::Run;
    Options options;
    std::string error;            // why the command line was refused (Outcome::Error)
    bool platformChosen = false;  // Qt's -platform was given: no display needed from the session
};

// What a help text needs of an option, whatever the program's options are.
struct OptionName {
    const char* name;
    const char* value;
    std::string help;
    bool valueOptional = false;
};

// Qt's own options, which the application object reads from the same arguments: how many
// arguments one takes (itself included), or 0 when `argument` is none of them.
int ToolkitOptionLength(const std::string& argument);
bool IsToolkitPlatformOption(const std::string& argument);

// The --help text: usage line (with the `operands` after the options, as "FOLDER"), summary, the
// options aligned in columns (with --help and
// --version), a word on Qt's options, then `epilogue`.
std::string Usage(const std::string& program, const std::string& summary,
                  std::span<const OptionName> options, const std::string& epilogue,
                  const std::string& operands = {});

// The width of the widest "--name VALUE" of the options.
size_t ColumnWidth(std::span<const OptionName> options);
// The options one to a line, as a help text shows them: two spaces, "--name VALUE" in a column
// `width` wide, the help beside it and its further lines under it. A help line that would end past
// column `fold` folds at the last space before it.
std::string OptionLines(std::span<const OptionName> options, size_t width,
                        size_t fold = std::string::npos);

// Prints what a finished command line asks for (help or version on `out`, a mistake and the usage
// on `err`) and gives the exit status; nothing for a command line that runs the program.
std::optional<int> Conclude(Outcome outcome, const std::string& error, const std::string& program,
                            const std::string& usage, std::ostream& out, std::ostream& err);

// Says on `err`, in one line, that the program needs a graphical session and gives ExitFailure
// when neither the environment nor the command line names a display; nothing when one does.
std::optional<int> RequireGraphicalSession(const std::string& program, bool platformChosen,
                                           std::ostream& err);

template <typename Options>
std::vector<OptionName> Names(std::span<const Option<Options>> table) {
    std::vector<OptionName> names;
    for (const Option<Options>& option : table)
        names.push_back({option.name, option.value, option.help, option.valueOptional});
    return names;
}

// The option called `name` ("--chip", without "=VALUE"), or null.
template <typename Options>
const Option<Options>* Find(std::span<const Option<Options>> table, const std::string& name) {
    for (const Option<Options>& option : table)
        if (name == option.name) return &option;
    return nullptr;
}

// Reads the arguments after the program name against `table`; --help and --version (-h, -V) are
// every program's own. An option with a value is given once; "--" ends the options (and these
// programs take nothing else). The first mistake ends the reading.
template <typename Options>
Parsed<Options> Parse(std::span<const Option<Options>> table,
                      const std::vector<std::string>& arguments) {
    Parsed<Options> parsed;
    std::vector<std::string> given;
    auto refuse = [&parsed](std::string error) {
        parsed.outcome = Outcome::Error;
        parsed.error = std::move(error);
        return parsed;
    };
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--") {
            if (i + 1 < arguments.size())
                return refuse("unexpected argument '" + arguments[i + 1] + "'");
            break;
        }
        const size_t equals = argument.find('=');
        const std::string name = argument.substr(0, equals);
        if (name == "--help" || name == "-h" || name == "--version" || name == "-V") {
            if (equals != std::string::npos) return refuse(name + " takes no value");
            parsed.outcome = name == "--version" || name == "-V" ? Outcome::Version : Outcome::Help;
            return parsed;
        }
        if (const int length = ToolkitOptionLength(argument)) {
            if (i + length > arguments.size()) return refuse(argument + " needs a value");
            parsed.platformChosen = parsed.platformChosen || IsToolkitPlatformOption(argument);
            i += length - 1;
            continue;
        }
        const Option<Options>* option = Find(table, name);
        if (!option) return refuse("unknown option '" + argument + "'");
        if (option->value && std::find(given.begin(), given.end(), name) != given.end())
            return refuse(name + " is given twice: give it once");
        if (option->value) given.push_back(name);
        std::string value;
        if (!option->value) {
            if (equals != std::string::npos) return refuse(name + " takes no value");
        } else if (equals != std::string::npos) {
            value = argument.substr(equals + 1);
        } else if (i + 1 < arguments.size() && !arguments[i + 1].starts_with("-")) {
            value = arguments[++i];
        } else if (!option->valueOptional) {
            return refuse(name + " needs a value");
        }
        std::string error;
        if (!option->apply(value, parsed.options, error)) return refuse(name + ": " + error);
    }
    return parsed;
}

}  // namespace qk::cmdline
