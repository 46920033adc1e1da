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

std::string Column(const OptionName& option) {
    return std::string(option.name) + (option.value ? std::string(" ") + option.value : "");
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

std::string Usage(const std::string& program, const std::string& summary,
                  std::span<const OptionName> options, const std::string& epilogue) {
    const OptionName builtIn[] = {{"--help", nullptr, "show this text and exit"},
                                  {"--version", nullptr, "print the program's version and exit"}};
    std::vector<OptionName> all(options.begin(), options.end());
    all.insert(all.end(), std::begin(builtIn), std::end(builtIn));
    size_t width = 0;
    for (const OptionName& option : all) width = std::max(width, Column(option).size());
    const std::string indent(2 + width + 2, ' ');

    std::ostringstream text;
    text << "Usage: " << program << " [OPTION]...\n\n" << summary << "\n\n";
    for (const OptionName& option : all) {
        const std::string column = Column(option);
        text << "  " << column << std::string(width - column.size() + 2, ' ');
        std::istringstream lines(option.help);
        std::string line;
        for (bool first = true; std::getline(lines, line); first = false)
            text << (first ? "" : indent) << line << "\n";
    }
    text << "\nQt's own options, such as -style STYLE, are accepted as well.\n" << epilogue;
    return text.str();
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
