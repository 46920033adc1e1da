#include "core/snapshot/SnapshotCompare.h"

#include <algorithm>
#include <cstdio>

namespace qk {

namespace {

// The decoded text of each field name, in the order the fields come.
using FieldTexts = std::vector<std::pair<std::string, std::string>>;

FieldTexts Decoded(const RegisterInfo& info, const RegisterMap& map, const ByteLookup& bytes) {
    FieldTexts texts;
    for (const DecodedField& field : DecodeFields(info, map, bytes))
        texts.emplace_back(field.name, field.text);
    return texts;
}

// A field a side leaves out reads 0 (an unused field that is clear).
std::string TextOf(const FieldTexts& texts, const std::string& name) {
    for (const auto& [field, text] : texts)
        if (field == name) return text;
    return name.empty() ? "-" : "0";
}

bool AllGiven(const RegisterInfo& info, const RegisterMap& map, const Snapshot& snapshot) {
    const std::vector<uint8_t> subs = map.BytesOf(info);
    return std::all_of(subs.begin(), subs.end(), [&](uint8_t sub) { return snapshot.Holds(sub); });
}

// Each field whose texts differ between the sides: its name ("" for a converted value) and the
// sides' texts ("wrote 1, read 0").
std::vector<std::pair<std::string, std::string>> Changes(const RegisterInfo& info,
                                                         const RegisterMap& map,
                                                         const std::vector<ComparedValues>& sides) {
    std::vector<FieldTexts> texts;
    std::vector<std::string> names;
    for (const ComparedValues& side : sides) {
        texts.push_back(Decoded(info, map, side.bytes));
        for (const auto& [name, text] : texts.back())
            if (std::find(names.begin(), names.end(), name) == names.end()) names.push_back(name);
    }
    std::vector<std::pair<std::string, std::string>> changes;
    for (const std::string& name : names) {
        std::vector<std::string> values;
        for (const FieldTexts& side : texts) values.push_back(TextOf(side, name));
        if (std::all_of(values.begin(), values.end(), [&](auto& v) { return v == values[0]; }))
            continue;
        std::string text;
        for (size_t i = 0; i < sides.size(); ++i)
            text += std::string(i ? ", " : "") + sides[i].label + " " + values[i];
        changes.emplace_back(name, text);
    }
    return changes;
}

}  // namespace

std::vector<std::string> FieldDifferences(const RegisterInfo& info, const RegisterMap& map,
                                          const std::vector<ComparedValues>& sides) {
    std::vector<std::string> lines;
    for (const auto& [name, text] : Changes(info, map, sides))
        lines.push_back(RegisterTitle(info) + (name.empty() ? "" : " " + name) + ": " + text);
    return lines;
}

std::vector<std::string> FieldChanges(const RegisterInfo& info, const RegisterMap& map,
                                      const std::vector<ComparedValues>& sides) {
    std::vector<std::string> lines;
    for (const auto& [name, text] : Changes(info, map, sides))
        lines.push_back((name.empty() ? "" : name + ": ") + text);
    return lines;
}

std::string RegisterBytesText(const RegisterInfo& info, const RegisterMap& map,
                              const ByteLookup& bytes) {
    std::string text;
    for (uint8_t sub : map.BytesOf(info)) {
        const std::optional<uint8_t> byte = bytes(sub);
        char hex[4];
        std::snprintf(hex, sizeof hex, "%02x", byte.value_or(0));
        if (!text.empty()) text += ' ';
        text += byte ? hex : "XX";
    }
    return text;
}

std::vector<Difference> CompareSnapshots(const Snapshot& file, const Snapshot& chip,
                                         const Snapshot& defaults, bool includeVolatile) {
    const RegisterMap& map = MapOf(file.family);
    std::vector<Difference> differences;
    for (const RegisterInfo& info : map.registers) {
        if (info.width == 0 || !AllGiven(info, map, file)) continue;
        if (info.volatileValue && !includeVolatile) continue;
        Difference row{info.subAddress,
                       RegisterTitle(info),
                       RegisterBytesText(info, map, file.Lookup()),
                       RegisterBytesText(info, map, chip.Lookup()),
                       RegisterBytesText(info, map, defaults.Lookup()),
                       {}};
        if (row.file == row.chip && row.file == row.defaultValue) continue;
        row.fields = FieldDifferences(
            info, map,
            {{"file", file.Lookup()}, {"chip", chip.Lookup()}, {"default", defaults.Lookup()}});
        differences.push_back(std::move(row));
    }
    return differences;
}

std::string DifferencesText(const std::vector<Difference>& differences) {
    std::string text = "register  name                    file   chip   default\n";
    for (const Difference& row : differences) {
        char line[160];
        std::snprintf(line, sizeof line, "%02xh       %-23s %-6s %-6s %s\n", row.subAddress,
                      row.name.c_str(), row.file.c_str(), row.chip.c_str(),
                      row.defaultValue.c_str());
        text += line;
        for (const std::string& field : row.fields) text += "    " + field + "\n";
    }
    return text;
}

}  // namespace qk
