#include "core/chips/RegisterMeaning.h"

#include <algorithm>
#include <cstdio>

namespace qk {

namespace {

std::string SubText(uint8_t sub) {
    char text[8];
    std::snprintf(text, sizeof text, "%02Xh", sub);
    return text;
}

// "26h-27h Ch1 Volume" or "03h Sys Control 1".
std::string Title(const RegisterInfo& info) {
    std::string title = SubText(info.subAddress);
    if (info.width > 1) {
        title += '-';
        title += SubText(static_cast<uint8_t>(info.subAddress + info.width - 1));
    }
    title += ' ';
    title += info.name;
    return title;
}

// The value of a register without fields ("0.00 dB") always; of its named fields, those that
// changed ("Speed Mode 0 → 1"), or every field while nothing is known of the register.
std::string Changes(const std::vector<DecodedField>& before,
                    const std::vector<DecodedField>& after) {
    std::string text;
    bool named = false;
    for (size_t i = 0; i < after.size(); ++i) {
        const std::string* was =
            i < before.size() && before[i].name == after[i].name ? &before[i].text : nullptr;
        named = named || !after[i].name.empty();
        if (!after[i].name.empty() && was && *was == after[i].text) continue;
        if (!text.empty()) text += ", ";
        if (after[i].name.empty())
            text += after[i].text;
        else if (was)
            text += after[i].name + " " + *was + " \u2192 " + after[i].text;
        else
            text += after[i].name + " = " + after[i].text;
    }
    return text.empty() && named ? "no change" : text;
}

// "byte 2 of 4" or "bytes 2-4 of 4": where the bytes a frame carries sit in their value.
std::string BytePosition(const std::vector<uint8_t>& bytes, uint8_t firstCarried, size_t carried) {
    const auto first = static_cast<size_t>(((firstCarried - bytes.front()) & 0xFF) + 1);
    std::string text = carried == 1 ? " byte " + std::to_string(first)
                                    : " bytes " + std::to_string(first) + "-" +
                                          std::to_string(first + carried - 1);
    return text + " of " + std::to_string(bytes.size());
}

// "word 20410000", with "??" for a byte not known; the bytes not known, as "33h, 34h".
std::string WordText(const std::vector<uint8_t>& bytes, const ByteLookup& value,
                     std::string& unknown) {
    std::string word = "word ";
    for (uint8_t sub : bytes) {
        if (const std::optional<uint8_t> byte = value(sub)) {
            word += HexBytes({*byte});
            continue;
        }
        word += "??";
        if (!unknown.empty()) unknown += ", ";
        unknown += SubText(sub);
    }
    return word;
}

}  // namespace

std::string RegisterMeaning::Describe(uint8_t subAddress, const std::vector<uint8_t>& values,
                                      const KnownBytes& known, bool read) const {
    const auto inFrame = [&](uint8_t sub) -> std::optional<size_t> {
        const int offset = (sub - subAddress) & 0xFF;
        if (offset < static_cast<int>(values.size())) return static_cast<size_t>(offset);
        return std::nullopt;
    };
    // A byte the frame does not carry: as the bus last carried it, else as the image holds it.
    const ByteLookup outside = [&](uint8_t sub) -> std::optional<uint8_t> {
        if (known[sub] || !image_) return known[sub];
        return image_(sub);
    };
    const ByteLookup before = [&](uint8_t sub) -> std::optional<uint8_t> {
        return inFrame(sub) ? known[sub] : outside(sub);
    };
    const ByteLookup after = [&](uint8_t sub) -> std::optional<uint8_t> {
        if (const auto i = inFrame(sub)) return values[*i];
        return outside(sub);
    };
    std::string text;
    const char* arrow = read ? " \u2192 " : " \u2190 ";
    const RegisterMap* map = map_ ? map_() : nullptr;
    if (!map) return SubText(subAddress) + arrow + HexBytes(values);
    for (size_t i = 0; i < values.size();) {
        const auto sub = static_cast<uint8_t>(subAddress + i);
        const RegisterInfo* info = map->Find(sub);
        if (!text.empty()) text += "; ";
        if (!info) {
            text += SubText(sub) + arrow + HexBytes({values[i]}) + ": no such register";
            ++i;
            continue;
        }
        const RegisterInfo& first = map->FirstByteOf(*info);
        const std::vector<uint8_t> bytes = map->BytesOf(first);
        std::vector<uint8_t> carried;
        for (uint8_t b : bytes)
            if (const auto at = inFrame(b)) carried.push_back(values[*at]);
        // Changes only against a value known in full; else every field as it now reads.
        bool allKnown = true;
        for (uint8_t b : bytes) allKnown = allKnown && before(b).has_value();
        const std::vector<DecodedField> was =
            allKnown ? DecodeFields(first, *map, before) : std::vector<DecodedField>{};
        text += Title(first);
        const bool whole = carried.size() == bytes.size();
        if (!whole) text += BytePosition(bytes, sub, carried.size());
        text += arrow;
        text += HexBytes(carried);
        std::string unknown;
        if (!whole) text += "; " + WordText(bytes, after, unknown);
        if (unknown.empty())
            text += (whole ? ": " : " = ") + Changes(was, DecodeFields(first, *map, after));
        else
            text += " (" + unknown + " not known yet)";
        i = static_cast<size_t>(((bytes.back() - subAddress) & 0xFF) + 1);
    }
    return text;
}

}  // namespace qk
