#include "board/BoardOptions.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <limits>
#include <optional>

#include "core/cmdline/NumberRule.h"

namespace qk::board {

namespace {

// Beside the catalogue's chips the board plays, its own: a chip whose ID no QK3xx gives, and no
// chip at all.
constexpr const char kUnknownChip[] = "unknown";
constexpr const char kNoChip[] = "none";

struct FaultChoice {
    const char* name;
    Fault fault;
};
constexpr FaultChoice kFaults[] = {
    {"none", Fault::None},
    {"scl-stuck", Fault::SclStuckLow},
    {"sda-stuck", Fault::SdaStuckLow},
    {"data-nack", Fault::DataNotAcked},
};
constexpr const char kStretch[] = "stretch:";
constexpr const char kStuckBit[] = "stuck-bit:";

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

template <typename Choice, size_t N>
const Choice* Find(const Choice (&choices)[N], const std::string& value) {
    const std::string wanted = Lower(value);
    for (const Choice& choice : choices)
        if (wanted == choice.name) return &choice;
    return nullptr;
}

// Reads the N of "stretch:N": a whole number of status polls, at least 1.
bool ParseStretch(const std::string& value, int& polls) {
    const std::string digits = value.substr(sizeof kStretch - 1);
    const char* end = digits.data() + digits.size();
    const auto [stop, error] = std::from_chars(digits.data(), end, polls);
    return error == std::errc() && stop == end && !digits.empty() && polls >= 1;
}

std::string Quoted(const std::string& text) {
    std::string quoted = "'";
    quoted.append(text).append("'");
    return quoted;
}

// Reads "stuck-bit:REG:BIT": REG a register as the number rule writes it ("0x7c", "7Ch"), BIT
// 0..7; the reason when it cannot.
std::string ParseStuckBit(const std::string& value, BoardOptions& options) {
    const std::string rest = value.substr(sizeof kStuckBit - 1);
    const size_t colon = rest.find(':');
    if (colon == std::string::npos)
        return Quoted(value) +
               ": write stuck-bit:REG:BIT, REG a register (0x26 or 26h), BIT 0 to 7";
    const cmdline::ReadNumber reg =
        cmdline::ReadHex(rest.substr(0, colon), cmdline::kRegisterNumber);
    if (!reg.value) return reg.error;
    const std::string bitText = rest.substr(colon + 1);
    const auto bit = cmdline::ReadDecimal(bitText, 7);
    if (!bit) return Quoted(bitText) + ": the BIT of stuck-bit:REG:BIT is 0 to 7";
    options.stuckRegister = static_cast<uint8_t>(*reg.value);
    options.stuckBit = static_cast<int>(*bit);
    return {};
}

// "qk310, qk320, qk350": the names --chip takes for the catalogue's chips the board plays, of one
// family or of all.
std::string PlayableChipOptions(std::optional<ChipFamily> family = std::nullopt) {
    std::string options;
    for (Chip chip : PlayableChips()) {
        if (family && InfoOf(chip)->family != *family) continue;
        options += (options.empty() ? "" : ", ") + std::string(InfoOf(chip)->option);
    }
    return options;
}

// "0x1A": a chip's address as the board's texts show it.
std::string ShownAddress(uint8_t writeAddress) {
    std::string text = SevenBitAddressText(writeAddress);
    std::transform(text.begin() + 2, text.end(), text.begin() + 2,
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

std::string AddressChoices() {
    std::vector<std::string> addresses;
    for (uint8_t address : kChipWriteAddresses) addresses.push_back(ShownAddress(address));
    return ChoiceText(addresses);
}

// The chip --chip names: a playable one, "unknown", or "none" (a QK310 that never answers).
std::optional<Chip> NamedChip(const std::string& wanted) {
    if (wanted == kUnknownChip) return Chip::Unknown;
    if (wanted == kNoChip) return Chip::QK310;
    for (Chip chip : PlayableChips())
        if (wanted == InfoOf(chip)->option) return chip;
    return std::nullopt;
}

bool ApplyChip(const std::string& value, BoardOptions& options, std::string& error) {
    const std::optional<Chip> chip = NamedChip(Lower(value));
    if (!chip) {
        error = "'" + value + "' is not a chip: choose " + ChipChoices();
        return false;
    }
    options.chip = *chip;
    options.noDevice = Lower(value) == kNoChip;
    return true;
}

bool ApplyAddress(const std::string& value, BoardOptions& options, std::string& error) {
    const cmdline::ReadNumber read = cmdline::ReadHex(value, cmdline::kAddressNumber);
    for (uint8_t address : kChipWriteAddresses) {
        if (!read.value || *read.value != address >> 1) continue;
        options.writeAddress = address;
        return true;
    }
    error =
        read.value ? "'" + value + "' is not an address: choose " + AddressChoices() : read.error;
    return false;
}

bool ApplyFault(const std::string& value, BoardOptions& options, std::string& error) {
    if (Lower(value).rfind(kStretch, 0) == 0) {
        int polls = 0;
        if (!ParseStretch(value, polls)) {
            error = "'" + value + "': the N of stretch:N must be a whole number from 1 to " +
                    std::to_string(std::numeric_limits<int>::max());
            return false;
        }
        options.fault = Fault::ClockStretch;
        options.stretchPolls = polls;
        return true;
    }
    if (Lower(value).rfind(kStuckBit, 0) == 0) {
        if (std::string reason = ParseStuckBit(value, options); !reason.empty()) {
            error = std::move(reason);
            return false;
        }
        options.fault = Fault::StuckBit;
        options.stretchPolls = 0;
        return true;
    }
    const FaultChoice* choice = Find(kFaults, value);
    if (!choice) {
        error = "'" + value +
                "' is not a fault: choose none, scl-stuck, sda-stuck, data-nack, stretch:N or "
                "stuck-bit:REG:BIT";
        return false;
    }
    options.fault = choice->fault;
    options.stretchPolls = 0;
    return true;
}

bool ApplyEvents(const std::string& value, BoardOptions& options, std::string& error) {
    return ParseEventSchedule(value, options.events, error);
}

bool ApplyTrace(const std::string& value, BoardOptions& options, std::string& error) {
    if (value.empty()) {
        error = "needs a file name";
        return false;
    }
    options.tracePath = value;
    return true;
}

// qk3xx-virtual's options: add a row for a new one.
std::span<const cmdline::Option<BoardOptions>> Options() {
    static const BoardOptions defaults;
    static const cmdline::Option<BoardOptions> options[] = {
        {.name = "--chip",
         .value = "CHIP",
         .help = "the chip on the board: " + PlayableChipOptions() + ", " + kUnknownChip +
                 "\n(an unrecognised ID), or " + kNoChip +
                 " (nothing answers on the bus)\ndefault: " + InfoOf(defaults.chip)->option,
         .apply = &ApplyChip},
        {.name = "--address",
         .value = "ADDRESS",
         .help = "the chip's I2C address: " + AddressChoices() +
                 "\ndefault: " + ShownAddress(defaults.writeAddress),
         .apply = &ApplyAddress},
        {.name = "--fault",
         .value = "FAULT",
         .help = "a fault of the board: none, scl-stuck (SCL held low),\n"
                 "sda-stuck (SDA held low), data-nack (data bytes are not\n"
                 "acknowledged), stretch:N (the chip holds SCL low for N\n"
                 "status polls after each clock release), or\n"
                 "stuck-bit:REG:BIT (bit BIT of register REG, 0x26 or 26h, reads 0\n"
                 "whatever is written)\n"
                 "default: none",
         .apply = &ApplyFault},
        {.name = "--events",
         .value = "LIST",
         .help = "faults the chip raises in its status registers, as\n"
                 "[+]TIME:EVENT[ every PERIOD] items separated by commas;\n"
                 "TIME in seconds (2s, 0.5s) or milliseconds (1500ms) from\n"
                 "start, or with + from the Status Watch's first poll (its\n"
                 "START); every PERIOD repeats the event, for example\n"
                 "\"+5s:lrclk-loss,+10s:clear-lrclk,+15s:psu-uv\" or\n"
                 "\"+20s:clip every 30s,+21s:clear-clip every 30s\"; a status\n"
                 "bit stays latched until the register editor's Zero (events\n"
                 "below)",
         .apply = &ApplyEvents},
        {.name = "--trace",
         .value = "FILE.vcd",
         .help = "writes SCL and SDA with their times to a VCD file that\n"
                 "logic-analyser programs (sigrok, PulseView) open",
         .apply = &ApplyTrace},
    };
    return options;
}

// One line per fault: "psu-uv, clear-psu-uv (PSU UV; qk330)".
std::string EventHelpLines() {
    std::string lines;
    for (const BoardEvent& event : BoardEvents()) {
        const bool first = FindStatusBit(ChipFamily::QK310, event.bitName).has_value();
        const bool second = FindStatusBit(ChipFamily::QK330, event.bitName).has_value();
        lines += std::string(2, ' ') + event.raise + ", " + event.clear + " (" + event.bitName;
        const ChipFamily family = first ? ChipFamily::QK310 : ChipFamily::QK330;
        lines += "; " + (first && second ? "every chip" : PlayableChipOptions(family)) + ")\n";
    }
    return lines;
}

}  // namespace

ParsedOptions ParseBoardOptions(const std::vector<std::string>& arguments) {
    ParsedOptions parsed = cmdline::Parse<BoardOptions>(Options(), arguments);
    if (parsed.outcome == ParsedOptions::Outcome::Run && parsed.options.noDevice &&
        parsed.options.fault != Fault::None) {
        parsed.outcome = ParsedOptions::Outcome::Error;
        parsed.error = "--chip none (no device on the bus) cannot be combined with a --fault";
    }
    for (const TimedEvent& event : parsed.options.events) {
        std::string error;
        if (parsed.outcome == ParsedOptions::Outcome::Run &&
            !EventFitsChip(event.name, parsed.options.chip, error)) {
            parsed.outcome = ParsedOptions::Outcome::Error;
            parsed.error = "--events: " + error;
        }
    }
    return parsed;
}

std::string ChipChoices() {
    std::vector<std::string> choices;
    for (Chip chip : PlayableChips()) choices.emplace_back(InfoOf(chip)->option);
    choices.insert(choices.end(), {kUnknownChip, kNoChip});
    return ChoiceText(choices);
}

std::string BoardOptionsHelp(const std::string& program) {
    return cmdline::Usage(program, "QK3xx Software on a virtual evaluation board.",
                          cmdline::Names<BoardOptions>(Options()),
                          "EVENT of --events begins or ends a fault (its status bit and the\n"
                          "chips that have it):\n" +
                              EventHelpLines() +
                              "Exit status: 0 when the program ends normally, 1 without a "
                              "graphical\nsession, 2 for a mistake on the command line or a "
                              "trace file that\ncannot be written.\n");
}

VirtualBoard MakeBoard(const BoardOptions& options) {
    VirtualBoard board(options.chip, options.writeAddress);
    board.SetFault(options.noDevice ? Fault::NoDevice : options.fault, options.stretchPolls);
    if (!options.noDevice && options.fault == Fault::StuckBit)
        board.SetStuckBit(options.stuckRegister, options.stuckBit);
    return board;
}

}  // namespace qk::board
