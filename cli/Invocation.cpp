#include "cli/Invocation.h"

#include <algorithm>
#include <cctype>

#include "cli/Chips.h"
#include "cli/Numbers.h"
#include "core/bus/FtdiDevices.h"
#include "core/cmdline/NumberRule.h"

namespace qk::cli {

namespace {

using Carrier = BusChoice::Carrier;

// The bus is chosen once: a second --port, --i2c-dev or --virtual is a mistake.
bool ChooseCarrier(Invocation& call, Carrier carrier, std::string& error) {
    if (call.bus.carrierChosen) {
        error = "choose one bus: --port, --i2c-dev, --ftdi or --virtual";
        return false;
    }
    call.bus.carrierChosen = true;
    call.bus.carrier = carrier;
    return true;
}

bool ApplyPort(const std::string& value, Invocation& call, std::string& error) {
    call.bus.device = value;
    return ChooseCarrier(call, Carrier::Port, error);
}

bool ApplyI2cDev(const std::string& value, Invocation& call, std::string& error) {
    call.bus.device = cmdline::I2cDevicePath(value);
    return ChooseCarrier(call, Carrier::I2cDev, error);
}

bool ApplyFtdi(const std::string& value, Invocation& call, std::string& error) {
    FtdiSelector selector;
    if (!ParseFtdiSelector(value, selector, error)) {
        error = "--ftdi " + error;
        return false;
    }
    call.bus.device = value;
    return ChooseCarrier(call, Carrier::Ftdi, error);
}

bool ApplyFtdiFast(const std::string&, Invocation& call, std::string&) {
    call.bus.speed = I2cSpeed::Fast;
    return true;
}

// --virtual CHIP[:FAULT], with the virtual board's own names and reasons.
bool ApplyVirtual(const std::string& value, Invocation& call, std::string& error) {
    if (!ChooseCarrier(call, Carrier::Virtual, error)) return false;
    const size_t colon = value.find(':');
    std::vector<std::string> options{"--chip", value.substr(0, colon)};
    if (colon != std::string::npos)
        options.insert(options.end(), {"--fault", value.substr(colon + 1)});
    const board::ParsedOptions parsed = board::ParseBoardOptions(options);
    if (parsed.outcome != board::ParsedOptions::Outcome::Run) {
        // The board names its own option ("--fault: ..."), which this command line has not.
        std::string reason = parsed.error;
        for (const char* own : {"--chip: ", "--fault: "})
            if (reason.starts_with(own)) reason.erase(0, std::string_view(own).size());
        error = "--virtual " + value + ": " + reason;
        return false;
    }
    call.bus.board = parsed.options;
    return true;
}

bool ApplyState(const std::string& value, Invocation& call, std::string&) {
    call.bus.stateFile = value;
    return true;
}

// "0x1a or 0x1b": where a chip answers.
std::string AddressChoices() {
    std::vector<std::string> addresses;
    for (uint8_t address : kChipWriteAddresses) addresses.push_back(SevenBitAddressText(address));
    return ChoiceText(addresses);
}

bool ApplyAddress(const std::string& value, Invocation& call, std::string& error) {
    const cmdline::ReadNumber address = cmdline::ReadHex(value, cmdline::kAddressNumber);
    for (uint8_t writeAddress : kChipWriteAddresses) {
        if (!address.value || *address.value != writeAddress >> 1) continue;
        call.bus.address = writeAddress;
        return true;
    }
    error = "--address " +
            (address.value ? value + ": the chip answers at " + AddressChoices() : address.error);
    return false;
}

bool ApplyChip(const std::string& value, Invocation& call, std::string& error) {
    std::string lower = value;
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    call.bus.chip = FindChipOption(lower);
    if (!call.bus.chip) error = "--chip " + value + ": choose " + ChipOptionChoices();
    return call.bus.chip != nullptr;
}

bool ApplyLog(const std::string& value, Invocation& call, std::string&) {
    call.bus.logFile = value;
    return true;
}

bool ApplyListAdapters(const std::string&, Invocation& call, std::string&) {
    call.listAdapters = true;
    return true;
}

bool ApplyQuiet(const std::string&, Invocation& call, std::string&) {
    call.quiet = true;
    return true;
}

bool ApplyHelp(const std::string&, Invocation& call, std::string&) {
    call.help = true;
    return true;
}

bool ApplyVersion(const std::string&, Invocation& call, std::string&) {
    call.version = true;
    return true;
}

// The column where a global option's help folds: the lines written whole stay as written, those
// with a list from the chip catalogue fold here.
constexpr size_t kHelpFold = 87;

// The option called `name` in any of the tables, or null.
const CliOption* FindOption(const std::string& name) {
    for (const std::span<const CliOption> table :
         {BusOptions(), GeneralOptions(), CommandOptions()})
        if (const CliOption* option = cmdline::Find(table, name)) return option;
    return nullptr;
}

}  // namespace

std::span<const CliOption> BusOptions() {
    static const CliOption options[] = {
        {.name = "--port",
         .value = "DEVICE",
         .help = "the parallel port through ppdev (default: /dev/parport0);\n"
                 "the clock is calibrated and the lines checked first",
         .apply = &ApplyPort},
        {.name = "--i2c-dev",
         .value = "DEVICE",
         .help = "a Linux I2C adapter, /dev/i2c-N, or its number N",
         .apply = &ApplyI2cDev},
        {.name = "--ftdi",
         .value = "SELECTOR",
         .valueOptional = true,
         .help = std::string(kFtdiOptionHelp) + " (before the command, or as --ftdi=SELECTOR)",
         .apply = &ApplyFtdi},
        {.name = "--ftdi-fast", .help = kFtdiFastOptionHelp, .apply = &ApplyFtdiFast},
        {.name = "--virtual",
         .value = "CHIP[:FAULT]",
         .help = "the virtual board, for dry runs: CHIP " + board::ChipChoices() +
                 "; FAULT scl-stuck, sda-stuck, data-nack, stretch:N or stuck-bit:REG:BIT",
         .apply = &ApplyVirtual},
        {.name = "--state",
         .value = "FILE",
         .help = "with --virtual: keeps the board's registers in FILE\n"
                 "between runs, as a chip keeps them",
         .apply = &ApplyState},
    };
    return options;
}

std::span<const CliOption> GeneralOptions() {
    static const CliOption options[] = {
        {.name = "--address",
         .value = "ADDRESS",
         .help = "the chip's 7-bit address, " + AddressChoices() +
                 "\n(default: where a chip answers, " +
                 SevenBitAddressText(kChipWriteAddresses[0]) + " first)",
         .apply = &ApplyAddress},
        {.name = "--chip", .value = "CHIP", .help = ChipOptionText(), .apply = &ApplyChip},
        {.name = "--log",
         .value = "FILE",
         .help = "writes every frame to FILE in the DataLog.txt format",
         .apply = &ApplyLog},
        {.name = "--quiet", .help = "no messages but errors", .apply = &ApplyQuiet},
        {.name = "--list-adapters",
         .help = "lists the I2C adapters and the FTDI bridges, each with\n"
                 "the option that chooses it, and exits (1: none found)",
         .apply = &ApplyListAdapters},
        {.name = "--help",
         .help = "(or -h) this text; COMMAND --help tells about one command",
         .apply = &ApplyHelp},
        {.name = "--version", .help = "(or -V) the program's version", .apply = &ApplyVersion},
        // Read by ParseInvocation itself, before any option: listed for the help.
        {.name = "--", .help = "ends the options: what follows is the command and its arguments"},
    };
    return options;
}

std::span<const CliOption> CommandOptions() {
    static const CliOption options[] = {
        {.name = "--verify"},
        {.name = "--no-verify"},
        {.name = "--test-registers"},
        {.name = "--any-address"},
        {.name = "--all"},
        {.name = "--format", .value = "FORMAT"},
        {.name = "--bus", .value = "N"},
    };
    return options;
}

std::string GlobalOptionsHelp() {
    const std::vector<cmdline::OptionName> bus = cmdline::Names(BusOptions());
    const std::vector<cmdline::OptionName> general = cmdline::Names(GeneralOptions());
    const size_t width = std::max(cmdline::ColumnWidth(bus), cmdline::ColumnWidth(general)) + 1;
    return "Bus (one of):\n" + cmdline::OptionLines(bus, width, kHelpFold) + "\nOptions:\n" +
           cmdline::OptionLines(general, width, kHelpFold);
}

// An option whose value may be left out takes the next argument as its value only before the
// command, and when that argument is no option and no command's name.

// The short options, as their long names.
constexpr std::pair<const char*, const char*> kShortOptions[] = {{"-h", "--help"},
                                                                 {"-V", "--version"}};

Invocation ParseInvocation(const std::vector<std::string>& arguments,
                           const std::function<bool(const std::string&)>& isCommand) {
    // An option whose value may be left out takes the next argument as its value only before
    // the command, and when that argument is no option and no command's name.
    auto takesNoValueFrom = [&](const Invocation& call, const std::string& next) {
        return !call.command.empty() || next.starts_with("-") || isCommand(next);
    };
    Invocation call;
    std::set<std::string> given;  // the options with a value, each given once
    bool optionsEnded = false;    // after "--" every argument is an operand
    for (size_t i = 0; i < arguments.size(); ++i) {
        std::string argument = arguments[i];
        for (const auto& [letter, name] : kShortOptions)
            if (!optionsEnded && argument == letter) argument = name;
        if (!optionsEnded && argument == "--") {
            optionsEnded = true;
            continue;
        }
        if (optionsEnded || !argument.starts_with("--")) {
            (call.command.empty() ? call.command : call.operands.emplace_back()) = argument;
            continue;
        }
        const size_t equals = argument.find('=');
        const std::string name = argument.substr(0, equals);
        const CliOption* option = FindOption(name);
        if (!option) {
            call.error = "unknown option '" + argument + "'";
            return call;
        }
        if (option->value && !given.insert(name).second) {
            call.error = name + " is given twice: give it once";
            return call;
        }
        std::string value;
        if (!option->value) {
            if (equals != std::string::npos) {
                call.error = name + " takes no value";
                return call;
            }
        } else if (equals != std::string::npos) {
            value = argument.substr(equals + 1);
        } else if (i + 1 < arguments.size() &&
                   !(option->valueOptional && takesNoValueFrom(call, arguments[i + 1]))) {
            value = arguments[++i];
        } else if (!option->valueOptional) {
            call.error = name + " needs a value";
            return call;
        }
        if (option->apply) {
            if (!option->apply(value, call, call.error)) return call;
        } else if (option->value) {
            call.values[name] = value;
        } else {
            call.flags.insert(name);
        }
    }
    if (!call.bus.stateFile.empty() && call.bus.carrier != Carrier::Virtual)
        call.error = "--state keeps a virtual board's registers: use it with --virtual";
    if (call.bus.speed == I2cSpeed::Fast && call.bus.carrier != Carrier::Ftdi)
        call.error = "--ftdi-fast sets the clock of an FTDI bridge: give --ftdi too";
    return call;
}

}  // namespace qk::cli
