// detect, get and set: the chip and its registers by sub-address.
#include <vector>

#include "cli/Chips.h"
#include "cli/Context.h"
#include "cli/ExitCode.h"
#include "cli/Numbers.h"
#include "cli/TestRegisters.h"
#include "core/chips/ChipFacts.h"
#include "core/cmdline/NumberRule.h"

namespace qk::cli {

namespace {

// REG and a count of registers from it, within 00h..ffh; false with the reason told.
bool RegisterRange(const Context& context, const std::string& regText, size_t count, uint8_t& reg) {
    const cmdline::ReadNumber parsed = cmdline::ReadHex(regText, cmdline::kRegisterNumber);
    if (!parsed.value) {
        context.Fail(parsed.error);
        return false;
    }
    reg = static_cast<uint8_t>(*parsed.value);
    if (reg + count > 0x100) {
        context.Fail("the registers from " + Hex(reg) + " end at 0xff");
        return false;
    }
    return true;
}

// The chip whose register map tells which registers --verify can read back: --chip's, else the
// one its ID names; null for an ID no chip gives.
const ChipInfo* ChipToVerify(Context& context) {
    if (context.call.bus.chip) return context.call.bus.chip;
    return FirstChipOfId(context.session.Registers().ReadRegister(ChipIdRegister) & ChipIdMask);
}

// Says so when `sub` is write-only on `chip`: its read-back would mean nothing.
bool WriteOnly(const Context& context, const ChipInfo* chip, uint8_t sub) {
    const RegisterInfo* info = chip ? MapOf(*chip).Find(sub) : nullptr;
    if (!info || info->access != RegisterAccess::WriteOnly) return false;
    std::string note = "register " + Hex(sub) + " (" + info->name + ") is write-only on the " +
                       chip->name + ": it cannot be verified";
    if (const std::string alike = ReadsLikeText(*chip); !context.call.bus.chip && !alike.empty())
        note += " (" + alike + ": name it with --chip)";
    context.Note(note);
    return true;
}

}  // namespace

int Detect(Context& context) {
    if (const int found = context.connect(); found != Done) return found;
    const ChipInfo* chip = nullptr;
    uint8_t id = 0;
    if (const int identified = context.session.Identify(chip, id); identified != Done)
        return identified;
    const uint8_t address = static_cast<uint8_t>(context.session.Address() >> 1);
    if (const std::string both = FamiliesOfIdText(id); !context.call.bus.chip && !both.empty()) {
        context.out << both << " at " << Hex(address) << "\n";
        context.Note(both + ": the chip's ID cannot tell them apart; give --chip.");
        return Done;
    }
    context.out << chip->name << " at " << Hex(address) << "\n";
    if (const std::string alike = SameIdText(*chip); !context.call.bus.chip && !alike.empty())
        context.Note(alike + ": name it with --chip.");
    return Done;
}

int Get(Context& context) {
    const std::vector<std::string>& operands = context.call.operands;
    size_t count = 1;
    if (operands.size() > 1) {
        const auto parsed = cmdline::ReadDecimal(operands[1], 0x100);
        if (!parsed || *parsed == 0) {
            context.Fail("'" + operands[1] + "' is not a count of registers (decimal, 1..256)");
            return UsageError;
        }
        count = *parsed;
    }
    uint8_t reg = 0;
    if (!RegisterRange(context, operands[0], count, reg)) return UsageError;
    if (const int found = context.connect(); found != Done) return found;
    std::string line;
    for (size_t i = 0; i < count; ++i) {
        const uint8_t value = context.session.Registers().ReadRegister(uint8_t(reg + i));
        if (context.session.Outcome() != Done) return BusError;
        if (i) line += ' ';
        line += Hex(value);
    }
    context.out << line << "\n";
    return Done;
}

int Set(Context& context) {
    const std::vector<std::string>& operands = context.call.operands;
    uint8_t reg = 0;
    if (!RegisterRange(context, operands[0], 1, reg)) return UsageError;
    std::vector<uint8_t> values;
    for (size_t i = 1; i < operands.size(); ++i) {
        const cmdline::ReadNumber value = cmdline::ReadHex(operands[i], cmdline::kValueNumber);
        if (!value.value) {
            context.Fail(value.error);
            return UsageError;
        }
        values.push_back(static_cast<uint8_t>(*value.value));
    }
    if (!RegisterRange(context, operands[0], values.size(), reg)) return UsageError;
    if (const int found = context.connect(); found != Done) return found;
    const std::vector<const ChipInfo*> guarded =
        ChipsToGuard(context.call, context.session, {{reg, values.size()}});
    if (context.session.Outcome() != Done) return BusError;
    if (const std::string refusal = TestRegisterRefusal(guarded, reg, values.size());
        !refusal.empty()) {
        context.Fail(refusal + " (nothing was written)");
        return UsageError;
    }
    const bool verify = context.call.flags.contains("--verify");
    const ChipInfo* chip = verify ? ChipToVerify(context) : nullptr;
    if (context.session.Outcome() != Done) return BusError;
    I2cMaster& master = context.session.Master();
    master.I2cWriteSub(context.session.Address(), reg, values.data(), int(values.size()));
    if (context.session.Outcome() != Done) return BusError;
    if (!verify) return Done;
    int differences = 0;
    for (size_t i = 0; i < values.size(); ++i) {
        const uint8_t sub = uint8_t(reg + i);
        if (WriteOnly(context, chip, sub)) continue;
        const uint8_t read = context.session.Registers().ReadRegister(sub);
        if (context.session.Outcome() != Done) return BusError;
        if (read == values[i]) continue;
        context.Fail("register " + Hex(sub) + " reads " + Hex(read) + " after writing " +
                     Hex(values[i]));
        ++differences;
    }
    return differences ? Differs : Done;
}

}  // namespace qk::cli
