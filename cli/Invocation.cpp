#include "cli/Invocation.h"

#include <algorithm>

#include "cli/Numbers.h"

namespace qk::cli {

namespace {

using Carrier = BusChoice::Carrier;

bool ChooseCarrier(Invocation& call, Carrier carrier, bool& chosen) {
    if (chosen) {
        call.error = "choose one bus: --port, --i2c-dev or --virtual";
        return false;
    }
    chosen = true;
    call.bus.carrier = carrier;
    return true;
}

// --virtual CHIP[:FAULT], with the virtual board's own names and reasons.
bool ApplyVirtual(Invocation& call, const std::string& value) {
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

constexpr const char* kValueOptions[] = {"--port", "--i2c-dev", "--virtual", "--address", "--chip",
                                         "--log",  "--state",   "--format",  "--bus"};
constexpr const char* kFlags[] = {"--quiet",     "--help",           "--version",    "--verify",
                                  "--no-verify", "--test-registers", "--any-address"};

template <size_t N>
bool Among(const char* const (&names)[N], const std::string& name) {
    return std::find(std::begin(names), std::end(names), name) != std::end(names);
}

}  // namespace

Invocation ParseInvocation(const std::vector<std::string>& arguments) {
    Invocation call;
    bool carrierChosen = false;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (!argument.starts_with("--")) {
            (call.command.empty() ? call.command : call.operands.emplace_back()) = argument;
            continue;
        }
        const size_t equals = argument.find('=');
        const std::string name = argument.substr(0, equals);
        if (Among(kFlags, name)) {
            if (equals != std::string::npos) {
                call.error = name + " takes no value";
                return call;
            }
            call.flags.insert(name);
            continue;
        }
        if (!Among(kValueOptions, name)) {
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
        bool ok = true;
        if (name == "--port" || name == "--i2c-dev") {
            ok = ChooseCarrier(call, name == "--port" ? Carrier::Port : Carrier::I2cDev,
                               carrierChosen);
            call.bus.device = value;
        } else if (name == "--virtual") {
            ok = ChooseCarrier(call, Carrier::Virtual, carrierChosen) && ApplyVirtual(call, value);
        } else if (name == "--address") {
            ok = ApplyAddress(call, value);
        } else if (name == "--chip") {
            ok = ApplyChip(call, value);
        } else if (name == "--log") {
            call.bus.logFile = value;
        } else if (name == "--state") {
            call.bus.stateFile = value;
        } else {
            call.values[name] = value;
        }
        if (!ok) return call;
    }
    if (!call.bus.stateFile.empty() && call.bus.carrier != Carrier::Virtual)
        call.error = "--state keeps a virtual board's registers: use it with --virtual";
    call.quiet = call.flags.erase("--quiet") > 0;
    call.help = call.flags.erase("--help") > 0;
    call.version = call.flags.erase("--version") > 0;
    return call;
}

}  // namespace qk::cli
