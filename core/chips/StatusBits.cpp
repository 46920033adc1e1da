#include "core/chips/StatusBits.h"

#include <string>

namespace qk {

namespace {

std::vector<StatusBit> Collect(ChipFamily family) {
    std::vector<StatusBit> bits;
    const RegisterMap& map = MapOf(family);
    for (uint8_t reg : StatusRegisters) {
        const RegisterInfo* info = map.Find(reg);
        if (!info) continue;
        for (const RegisterField& field : FieldsOf(*info))
            if (field.lastBit == field.firstBit && std::string(field.name) != kNotUsed)
                bits.push_back({reg, field.firstBit, field.name});
    }
    return bits;
}

}  // namespace

const std::vector<StatusBit>& StatusBits(ChipFamily family) {
    static const std::vector<StatusBit> first = Collect(ChipFamily::QK310);
    static const std::vector<StatusBit> qk330 = Collect(ChipFamily::QK330);
    return family == ChipFamily::QK330 ? qk330 : first;
}

std::optional<StatusBit> FindStatusBit(ChipFamily family, std::string_view name) {
    for (const StatusBit& bit : StatusBits(family))
        if (name == bit.name) return bit;
    return std::nullopt;
}

}  // namespace qk
