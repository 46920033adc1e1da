#include "core/cmdline/OptionTable.h"

#include <algorithm>
#include <cstdlib>
#include <sstream>

#include "core/chips/ProgramVersion.h"

namespace qk::cmdline {

namespace {

struct ToolkitOption {
    const char* name;
    bool takesValue;
};
// The options Qt's application object documents; it accepts them with one dash or two.
constexpr ToolkitOption kToolkitOptions[] = {
    {"platform", true},     {"platformpluginpath", true}, {"platformtheme", true},
    {"plugin", true},       {"qwindowgeometry", true},    {"qwindowicon", true},
    {"qwindowtitle", true}, {"reverse", false},           {"session", true},
    {"display", true},      {"geometry", true},           {"style", true},
    {"stylesheet", true},   {"widgetcount", false},
};

// The option's name without its dashes and value, or "" for an argument no option can be.
std::string BareName(const std::string& argument) {
    if (!argument.starts_with("-") || argument == "-" || argument == "--") return {};
    const size_t start = argument.starts_with("--") ? 2 : 1;
    return argument.substr(start, argument.find('=') - start);
}

const ToolkitOption* FindToolkitOption(const std::string& argument) {
    const std::string name = BareName(argument);
    for (const ToolkitOption& option : kToolkitOptions)
        if (name == option.name) return &option;
    return nullptr;
}

// Where a help line too long for a terminal folds.
constexpr size_t kUsageFold = 88;

std::string Column(const OptionName& option) {
    if (!option.value) return option.name;
    const std::string value = option.value;
    return std::string(option.name) + " " + (option.valueOptional ? "[" + value + "]" : value);
}

const char* Getenv(const char* name) {
    const char* value = std::getenv(name);
    return value && *value ? value : nullptr;
}

}  // namespace

int ToolkitOptionLength(const std::string& argument) {
    const ToolkitOption* option = FindToolkitOption(argument);
    if (!option) return 0;
    return option->takesValue && argument.find('=') == std::string::npos ? 2 : 1;
}

bool IsToolkitPlatformOption(const std::string& argument) {
    return BareName(argument) == "platform";
}

size_t ColumnWidth(std::span<const OptionName> options) {
    size_t width = 0;
    for (const OptionName& option : options) width = std::max(width, Column(option).size());
    return width;
}

std::string OptionLines(std::span<const OptionName> options, size_t width, size_t fold) {
    const std::string indent(2 + width, ' ');
    std::string text;
    for (const OptionName& option : options) {
        const std::string column = Column(option);
        std::string line = "  " + column + std::string(width - column.size(), ' ');
        if (option.help.empty()) text += line + "\n";
        std::istringstream lines(option.help);
        std::string help;
        for (bool first = true; std::getline(lines, help); first = false) {
            if (!first) line = indent;
            for (;;) {
                const size_t room = fold > line.size() ? fold - line.size() : 0;
                const size_t space = help.size() > room ? help.rfind(' ', room) : std::string::npos;
                if (space == std::string::npos || space == 0) break;
                text += line + help.substr(0, space) + "\n";
                line = indent;
                help.erase(0, space + 1);
            }
            text += line + help + "\n";
        }
    }
    return text;
}

std::string Usage(const std::string& program, const std::string& summary,
                  std::span<const OptionName> options, const std::string& epilogue,
                  const std::string& operands) {
    const OptionName builtIn[] = {
        {"--help", nullptr, "show this text and exit (also -h)"},
        {"--version", nullptr, "print the program's version and exit (also -V)"}};
    std::vector<OptionName> all(options.begin(), options.end());
    all.insert(all.end(), std::begin(builtIn), std::end(builtIn));
    return "Usage: " + program + " [OPTION]..." + (operands.empty() ? "" : " " + operands) +
           "\n\n" + summary + "\n\n" + OptionLines(all, ColumnWidth(all) + 2, kUsageFold) +
           "\nQt's own options, such as -style STYLE, are accepted as well.\n" + epilogue;
}

std::optional<int> Conclude(Outcome outcome, const std::string& error, const std::string& program,
                            const std::string& usage, std::ostream& out, std::ostream& err) {
    switch (outcome) {
        case Outcome::Help:
            out << usage;
            return ExitSuccess;
        case Outcome::Version:
            out << program << " " << kProgramVersion << "\n";
            return ExitSuccess;
        case Outcome::Error:
            err << program << ": " << error << "\n\n" << usage;
            return ExitUsage;
        case Outcome::Run:
            break;
    }
    return std::nullopt;
}

std::optional<int> RequireGraphicalSession(const std::string& program, bool platformChosen,
                                           std::ostream& err) {
    if (platformChosen || Getenv("DISPLAY") || Getenv("WAYLAND_DISPLAY") ||
        Getenv("QT_QPA_PLATFORM"))
        return std::nullopt;
    err << program
        << ": needs a graphical session, and none is set (no DISPLAY, WAYLAND_DISPLAY or "
           "QT_QPA_PLATFORM); start it from a desktop, or without a screen as xvfb-run -a "
        << program << "\n";
    return ExitFailure;
}

}  // namespace qk::cmdline
