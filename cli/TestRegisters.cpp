#include "cli/TestRegisters.h"

#include "cli/Numbers.h"
#include "core/chips/ChipFacts.h"
#include "core/chips/RegisterMap.h"

namespace qk::cli {

namespace {

std::vector<const ChipInfo*> AllChips() {
    std::vector<const ChipInfo*> chips;
    for (const ChipInfo& chip : ChipCatalogue()) chips.push_back(&chip);
    return chips;
}

}  // namespace

std::vector<const ChipInfo*> ChipsToGuard(const Invocation& call, BusSession& session,
                                          const std::vector<RegisterSpan>& writes) {
    if (call.flags.contains("--test-registers")) return {};
    bool reaches = false;
    for (const RegisterSpan& write : writes)
        reaches = reaches || !TestRegisterRefusal(AllChips(), write.reg, write.count).empty();
    if (!reaches) return {};
    if (call.bus.chip) return {call.bus.chip};
    const uint8_t id = session.Registers().ReadRegister(ChipIdRegister) & ChipIdMask;
    const std::vector<const ChipInfo*> chips = ChipsOfId(id);
    return chips.empty() ? AllChips() : chips;
}

std::string TestRegisterRefusal(const std::vector<const ChipInfo*>& chips, uint8_t reg,
                                size_t count) {
    for (size_t i = 0; i < count && reg + i <= 0xFF; ++i) {
        const auto sub = static_cast<uint8_t>(reg + i);
        for (const ChipInfo* chip : chips) {
            const RegisterInfo* info = MapOf(*chip).Find(sub);
            if (!info || info->access != RegisterAccess::Test) continue;
            return "register " + Hex(sub) + " (" + info->name + ") is a test register of the " +
                   chip->name + ": writing it needs --test-registers";
        }
    }
    return {};
}

}  // namespace qk::cli
