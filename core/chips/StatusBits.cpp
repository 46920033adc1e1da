#include "core/chips/StatusBits.h"

#include <string>

namespace qk {

std::string StatusBit::Verdict(bool level) const {
    if (sense == BitSense::Information) return "information";
    if (!IsFault(level)) return "good";
    return fault ? std::string("fault (") + fault + ")" : "fault";
}

std::string StatusBit::SenseText() const {
    if (sense == BitSense::Information) return "information";
    const bool faultLevel = sense == BitSense::FaultWhenSet;
    return std::string(faultLevel ? "1" : "0") + " = " + Verdict(faultLevel) + ", " +
           (faultLevel ? "0" : "1") + " = good";
}

namespace {

std::vector<StatusBit> Collect(ChipFamily family) {
    std::vector<StatusBit> bits;
    const RegisterMap& map = MapOf(family);
    for (uint8_t reg : StatusRegisters) {
        const RegisterInfo* info = map.Find(reg);
        if (!info) continue;
        for (const RegisterField& field : FieldsOf(*info))
            if (field.lastBit == field.firstBit && std::string(field.name) != kNotUsed) {
                // The map's arrays run from bit 7 down.
                const size_t column = static_cast<size_t>(7 - field.firstBit);
                bits.push_back({.reg = reg,
                                .bit = field.firstBit,
                                .name = field.name,
                                .sense = info->bitSenses[column],
                                .fault = info->bitFaults[column]});
            }
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
