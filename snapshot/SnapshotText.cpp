#include "snapshot/SnapshotText.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <vector>

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
        if (const auto seen = lines_.find(sub); seen != lines_.end())
            return "register " + HexByte(sub) + "h appears twice (first on line " +
                   std::to_string(seen->second) + ")";
        lines_[sub] = number;
        result_.values[sub] =
            unreadable ? std::nullopt : std::optional<uint8_t>(static_cast<uint8_t>(*value));
        return {};
    }

    bool Empty() const { return result_.values.empty(); }
    Snapshot Result() const { return result_; }

  private:
    std::string Header(const std::string& line) {
        const std::string text = Trim(std::string_view(line).substr(1));
        const size_t colon = text.find(':');
        if (colon == std::string::npos) return {};
        const std::string key = Lower(Trim(std::string_view(text).substr(0, colon)));
        const std::string value = Trim(std::string_view(text).substr(colon + 1));
        for (const HeaderField& field : kHeader)
            if (key == field.key) result_.*field.field = value;
        if (key != "chip") return {};
        const std::optional<ChipFamily> family = FamilyOfChip(value);
        if (!family) return "unknown chip \"" + value + "\"";
        if (*family != map_.family)
            return "the file is from a " + value + ", not from a " + map_.familyName;
        return {};
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
    std::map<uint8_t, int> lines_;  // where each register was given
};

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

ParsedSnapshot ParseSnapshot(std::string_view text, ChipFamily family) {
    if (text.find_first_not_of(" \t\r\n") == std::string_view::npos)
        return {std::nullopt, "the file is empty"};
    Parser parser(family);
    int number = 0;
    size_t start = 0;
    while (start <= text.size()) {
        const size_t end = std::min(text.find('\n', start), text.size());
        const std::string_view raw = text.substr(start, end - start);
        ++number;
        if (std::any_of(raw.begin(), raw.end(), IsBinary))
            return {std::nullopt,
                    "line " + std::to_string(number) + ": binary data, not a snapshot text"};
        const std::string line = Trim(raw);
        if (const std::string error = parser.Line(line, number); !error.empty())
            return {std::nullopt, "line " + std::to_string(number) + ": " + error + ": " + line};
        start = end + 1;
    }
    if (parser.Empty()) return {std::nullopt, "the file holds no register lines"};
    return {parser.Result(), {}};
}

}  // namespace qk
