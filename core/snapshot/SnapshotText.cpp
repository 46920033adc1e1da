#include "core/snapshot/SnapshotText.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <vector>

#include "core/chips/ChipCatalogue.h"

namespace qk {

namespace {

constexpr int kCommentColumn = 10;  // "03: 13    # ..."

struct HeaderField {
    const char* key;
    std::string Snapshot::*field;
};
constexpr HeaderField kHeader[] = {
    {"chip", &Snapshot::chip},       {"i2c-address", &Snapshot::i2cAddress},
    {"taken", &Snapshot::taken},     {"source", &Snapshot::source},
    {"program", &Snapshot::program},
};

std::string Trim(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(" \t\r");
    return std::string(text.substr(first, last - first + 1));
}

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

std::string HexByte(unsigned value, const char* format = "%02X") {
    char text[8];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

// Up to eight hex digits; nothing for anything else.
std::optional<unsigned long> HexNumber(const std::string& text) {
    if (text.empty() || text.size() > 8) return std::nullopt;
    if (!std::all_of(text.begin(), text.end(), [](unsigned char c) { return std::isxdigit(c); }))
        return std::nullopt;
    return std::stoul(text, nullptr, 16);
}

// A control character other than tab, CR and LF: the text is not a snapshot at all.
bool IsBinary(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return (byte < 0x20 && c != '\t' && c != '\r' && c != '\n') || byte == 0x7F;
}

// The text's lines, without their line ends.
std::vector<std::string_view> Lines(std::string_view text) {
    std::vector<std::string_view> lines;
    for (size_t start = 0; start <= text.size();) {
        const size_t end = std::min(text.find('\n', start), text.size());
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

// A header line's key, in lower case, and its value: "# chip: QK330" gives "chip", "QK330".
std::optional<std::pair<std::string, std::string>> HeaderEntry(const std::string& line) {
    if (line.empty() || line[0] != '#') return std::nullopt;
    const std::string text = Trim(std::string_view(line).substr(1));
    const size_t colon = text.find(':');
    if (colon == std::string::npos) return std::nullopt;
    return std::make_pair(Lower(Trim(std::string_view(text).substr(0, colon))),
                          Trim(std::string_view(text).substr(colon + 1)));
}

ParsedSnapshot LineError(int number, const std::string& error, const std::string& line) {
    return {.snapshot = std::nullopt,
            .error = error + ": " + line,
            .chipUnnamed = false,
            .line = number};
}

std::string UnnamedChip(std::optional<ChipFamily> family) {
    std::vector<std::string> names;
    for (ChipFamily each : {ChipFamily::QK310, ChipFamily::QK330})
        if (!family || each == *family)
            for (const std::string& name : ChipNamesOf(each)) names.push_back(name);
    return "the file does not name its chip: add a line \"# chip: NAME\", NAME the chip it was "
           "taken from (" +
           ChoiceText(names) + ")";
}

// A chip line's family; the error names an unknown chip or one of another family than `family`.
std::optional<ChipFamily> ChipLineFamily(const std::string& chip, std::optional<ChipFamily> family,
                                         std::string& error) {
    const std::optional<ChipFamily> named = FamilyOfChip(chip);
    if (!named)
        error = "unknown chip \"" + chip + "\"";
    else if (family && *named != *family)
        error = "the file is from a " + chip + ", not from a " + MapOf(*family).familyName;
    return error.empty() ? named : std::nullopt;
}

class Parser {
  public:
    explicit Parser(ChipFamily family) : map_(MapOf(family)) { result_.family = family; }

    // An empty text means the line was accepted.
    std::string Line(const std::string& line, int number) {
        if (line.empty()) return {};
        if (line[0] == '#') return Header(line);
        const size_t hash = line.find('#');
        const std::string body = Trim(std::string_view(line).substr(0, hash));
        const size_t colon = body.find(':');
        if (colon == std::string::npos) return "malformed line, expected \"hh: hh\"";
        const auto address = HexNumber(Trim(std::string_view(body).substr(0, colon)));
        const std::string valueText = Trim(std::string_view(body).substr(colon + 1));
        const auto value = HexNumber(valueText);
        const bool unreadable = Lower(valueText) == "xx";
        if (!address || (!value && !unreadable)) return "malformed line, expected \"hh: hh\"";
        if (*address > 0xFF || !map_.Find(static_cast<uint8_t>(*address)))
            return UnknownAddress(*address);
        const auto sub = static_cast<uint8_t>(*address);
        if (value && *value > 0xFF) return "value " + valueText + " is over FFh";
        // A line cut short ("11: 3") is not a value.
        if (value && valueText.size() != 2)
            return "value " + valueText + " is not two hex digits (or XX)";
        if (const auto seen = lines_.find(sub); seen != lines_.end())
            return "register " + HexByte(sub) + "h appears twice (first on line " +
                   std::to_string(seen->second.first) + ")";
        lines_[sub] = {number, line};
        result_.values[sub] =
            unreadable ? std::nullopt : std::optional<uint8_t>(static_cast<uint8_t>(*value));
        return {};
    }

    // A value of several bytes of which the file holds some and not all, with its first line.
    std::optional<ParsedSnapshot> PartialValue() const {
        for (const RegisterInfo& info : map_.registers) {
            if (info.width < 2) continue;
            std::string lacking;
            std::optional<uint8_t> held;
            for (uint8_t sub : map_.BytesOf(info)) {
                if (!lines_.contains(sub))
                    lacking += (lacking.empty() ? "" : ", ") + HexByte(sub) + "h";
                else if (!held)
                    held = sub;
            }
            if (!held || lacking.empty()) continue;
            const auto& [number, line] = lines_.at(*held);
            return LineError(number,
                             HexByte(*held) + "h is one byte of " + RegisterTitle(info) +
                                 ", and the file lacks " + lacking,
                             line);
        }
        return std::nullopt;
    }

    bool Empty() const { return result_.values.empty(); }
    Snapshot Result() const { return result_; }

  private:
    std::string Header(const std::string& line) {
        const auto entry = HeaderEntry(line);
        if (!entry) return {};
        const auto& [key, value] = *entry;
        for (const HeaderField& field : kHeader)
            if (key == field.key) result_.*field.field = value;
        std::string error;
        if (key == "chip") ChipLineFamily(value, map_.family, error);
        return error;
    }

    std::string UnknownAddress(unsigned long address) const {
        const RegisterMap& other =
            MapOf(map_.family == ChipFamily::QK310 ? ChipFamily::QK330 : ChipFamily::QK310);
        if (address <= 0xFF && other.Find(static_cast<uint8_t>(address)))
            return "register " + HexByte(static_cast<unsigned>(address)) + "h belongs to the " +
                   other.familyName + ", not to the " + map_.familyName;
        return std::string("the ") + map_.familyName + " has no register " +
               HexByte(static_cast<unsigned>(address)) + "h";
    }

    const RegisterMap& map_;
    Snapshot result_;
    std::map<uint8_t, std::pair<int, std::string>> lines_;  // each register's line and its text
};

// Reads a snapshot of `family`, or of the family its chip line names when none is given.
ParsedSnapshot Parse(std::string_view text, std::optional<ChipFamily> family, bool familyGiven) {
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    if (text.starts_with(kByteOrderMark)) text.remove_prefix(kByteOrderMark.size());
    if (text.find_first_not_of(" \t\r\n") == std::string_view::npos)
        return {std::nullopt, "the file is empty"};
    std::vector<std::string> lines;
    for (const std::string_view raw : Lines(text)) {
        if (std::any_of(raw.begin(), raw.end(), IsBinary))
            return {.snapshot = std::nullopt,
                    .error = "binary data, not a snapshot text",
                    .chipUnnamed = false,
                    .line = int(lines.size()) + 1};
        lines.push_back(Trim(raw));
    }
    // The first chip line tells the family before any register line is read.
    bool named = false;
    for (size_t i = 0; i < lines.size() && !named; ++i) {
        const auto entry = HeaderEntry(lines[i]);
        if (!entry || entry->first != "chip") continue;
        std::string error;
        family = ChipLineFamily(entry->second, family, error);
        if (!error.empty()) return LineError(int(i) + 1, error, lines[i]);
        named = true;
    }
    if (!family) return {std::nullopt, UnnamedChip(family), true};
    Parser parser(*family);
    for (size_t i = 0; i < lines.size(); ++i)
        if (const std::string error = parser.Line(lines[i], int(i) + 1); !error.empty())
            return LineError(int(i) + 1, error, lines[i]);
    if (parser.Empty()) return {std::nullopt, "the file holds no register lines"};
    if (!named && !familyGiven) return {std::nullopt, UnnamedChip(family), true};
    if (std::optional<ParsedSnapshot> partial = parser.PartialValue()) return *partial;
    return {parser.Result(), {}};
}

}  // namespace

std::string FormatSnapshot(const Snapshot& snapshot) {
    std::string text = "# QK3xx snapshot\n";
    for (const HeaderField& field : kHeader)
        if (!(snapshot.*field.field).empty())
            text += std::string("# ") + field.key + ": " + snapshot.*field.field + "\n";
    const RegisterMap& map = MapOf(snapshot.family);
    for (const auto& [sub, value] : snapshot.values) {
        std::string line = HexByte(sub, "%02x") + ": " + (value ? HexByte(*value, "%02x") : "XX");
        const RegisterInfo* info = map.Find(sub);
        const std::string decoded = info ? DecodeRegister(*info, map, snapshot.Lookup()) : "";
        if (!decoded.empty())
            line += std::string(kCommentColumn - line.size(), ' ') + "# " + decoded;
        text += line + "\n";
    }
    return text;
}

std::string SnapshotErrorText(const std::string& file, const ParsedSnapshot& parsed) {
    std::string text = file;
    if (parsed.line) text.append(":").append(std::to_string(parsed.line));
    return text.append(": ").append(parsed.error);
}

ParsedSnapshot ParseSnapshot(std::string_view text, ChipFamily family, bool familyGiven) {
    return Parse(text, family, familyGiven);
}

ParsedSnapshot ParseSnapshotOfItsChip(std::string_view text) {
    return Parse(text, std::nullopt, false);
}

}  // namespace qk
