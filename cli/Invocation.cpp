#include "cli/Invocation.h"

#include <algorithm>

#include "cli/Numbers.h"

namespace qk::cli {

namespace {

using Carrier = BusChoice::Carrier;

// The bus is chosen once: a second --port, --i2c-dev or --virtual is a mistake.
bool ChooseCarrier(Invocation& call, Carrier carrier) {
    if (call.bus.carrierChosen) {
        call.error = "choose one bus: --port, --i2c-dev or --virtual";
        return false;
    }
    call.bus.carrierChosen = true;
    call.bus.carrier = carrier;
    return true;
}

bool ApplyPort(Invocation& call, const std::string& value) {
    call.bus.device = value;
    return ChooseCarrier(call, Carrier::Port);
}

bool ApplyI2cDev(Invocation& call, const std::string& value) {
    call.bus.device = value;
    return ChooseCarrier(call, Carrier::I2cDev);
}

// --virtual CHIP[:FAULT], with the virtual board's own names and reasons.
bool ApplyVirtual(Invocation& call, const std::string& value) {
    if (!ChooseCarrier(call, Carrier::Virtual)) return false;
    const size_t colon = value.find(':');
    std::vector<std::string> options{"--chip", value.substr(0, colon)};
    if (colon != std::string::npos)
        options.insert(options.end(), {"--fault", value.substr(colon + 1)});
    const board::ParsedOptions parsed = board::ParseBoardOptions(options);
    if (parsed.outcome != board::ParsedOptions::Outcome::Run) {
        call.error = "--virtual " + value + ": " + parsed.error;
        return false;
    }
    call.bus.board = parsed.options;
    return true;
}

bool ApplyAddress(Invocation& call, const std::string& value) {
    const auto address = ParseNumber(value, 0x7F);
    if (!address || (*address != 0x1A && *address != 0x1B)) {
        call.error = "--address " + value + ": the chip answers at 0x1a or 0x1b";
        return false;
    }
    call.bus.address = static_cast<uint8_t>(*address << 1);
    return true;
}

bool ApplyChip(Invocation& call, const std::string& value) {
    call.bus.chip = FindChipKind(value);
    if (!call.bus.chip) call.error = "--chip " + value + ": choose " + ChipKindChoices();
    return call.bus.chip != nullptr;
}

bool ApplyLog(Invocation& call, const std::string& value) {
    call.bus.logFile = value;
    return true;
}

bool ApplyState(Invocation& call, const std::string& value) {
    call.bus.stateFile = value;
    return true;
}

// The options that take a value, and what each does with it; a null `apply` keeps the value for
// the subcommand that takes the option.
struct ValueOption {
    const char* name;
    bool (*apply)(Invocation& call, const std::string& value);
};
constexpr ValueOption kValueOptions[] = {
    {"--port", &ApplyPort},       {"--i2c-dev", &ApplyI2cDev}, {"--virtual", &ApplyVirtual},
    {"--address", &ApplyAddress}, {"--chip", &ApplyChip},      {"--log", &ApplyLog},
    {"--state", &ApplyState},     {"--format", nullptr},       {"--bus", nullptr},
};
constexpr const char* kFlags[] = {"--quiet",     "--help",           "--version",     "--verify",
                                  "--no-verify", "--test-registers", "--any-address", "--all"};

bool IsFlag(const std::string& name) {
    return std::find(std::begin(kFlags), std::end(kFlags), name) != std::end(kFlags);
}

const ValueOption* FindValueOption(const std::string& name) {
    for (const ValueOption& option : kValueOptions)
        if (name == option.name) return &option;
    return nullptr;
}

}  // namespace

Invocation ParseInvocation(const std::vector<std::string>& arguments) {
    Invocation call;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (!argument.starts_with("--")) {
            (call.command.empty() ? call.command : call.operands.emplace_back()) = argument;
            continue;
        }
        const size_t equals = argument.find('=');
        const std::string name = argument.substr(0, equals);
        if (IsFlag(name)) {
            if (equals != std::string::npos) {
                call.error = name + " takes no value";
                return call;
            }
            call.flags.insert(name);
            continue;
        }
        const ValueOption* option = FindValueOption(name);
        if (!option) {
            call.error = "unknown option '" + argument + "'";
            return call;
        }
        std::string value;
        if (equals != std::string::npos)
            value = argument.substr(equals + 1);
        else if (i + 1 < arguments.size())
            value = arguments[++i];
        else {
            call.error = name + " needs a value";
            return call;
        }
        if (!option->apply)
            call.values[name] = value;
        else if (!option->apply(call, value))
            return call;
    }
    if (!call.bus.stateFile.empty() && call.bus.carrier != Carrier::Virtual)
        call.error = "--state keeps a virtual board's registers: use it with --virtual";
    call.quiet = call.flags.erase("--quiet") > 0;
    call.help = call.flags.erase("--help") > 0;
    call.version = call.flags.erase("--version") > 0;
    return call;
}

}  // namespace qk::cli
