// dump, diff, restore and export: the chip's registers as a snapshot file, with the register maps,
// the snapshot reader and writer, the compare and the restore the windows use.
#include <fstream>
#include <sstream>

#include "cli/Context.h"
#include "cli/ExitCode.h"
#include "cli/Numbers.h"
#include "cli/SnapshotExport.h"
#include "core/chips/ProgramVersion.h"
#include "core/cmdline/NumberRule.h"
#include "core/snapshot/SnapshotCompare.h"
#include "core/snapshot/SnapshotFile.h"
#include "core/snapshot/SnapshotText.h"

namespace qk::cli {

namespace {

// The chip found and named; Done or the exit code with the reason told.
int FindNamedChip(Context& context, const ChipInfo*& chip) {
    if (const int found = context.connect(); found != Done) return found;
    uint8_t id = 0;
    return context.session.Identify(chip, id);
}

// The chip's registers now. The command line keeps no copy of what was written last, so a
// write-only register reads "XX", as one that cannot be read.
int TakeChipSnapshot(Context& context, const ChipInfo& chip, Snapshot& snapshot) {
    BusSession& session = context.session;
    const auto unknown = [](uint8_t) -> std::optional<uint8_t> { return std::nullopt; };
    snapshot = *TakeSnapshot(chip.family, session.Registers(), session.Master(), unknown);
    if (session.Outcome() != Done) {
        context.Fail("a bus error stopped the reading of the registers");
        return BusError;
    }
    StampSnapshot(snapshot, chip.name, session.Address());
    snapshot.program = std::string("qk3xx-cli ") + kProgramVersion;
    return Done;
}

// The snapshot read, or UsageError with the file's line told.
int Parsed(const Context& context, const std::string& path, const ParsedSnapshot& parsed,
           Snapshot& snapshot) {
    if (!parsed.snapshot) {
        context.Fail(SnapshotErrorText(path, parsed) +
                     (parsed.chipUnnamed ? ", or name it with --chip" : ""));
        return UsageError;
    }
    snapshot = *parsed.snapshot;
    return Done;
}

// The snapshot file of a diff or a restore, read and checked before the bus is touched: of the
// family its chip line names, or --chip's; one that does not name its chip only with --chip.
int ReadFileFirst(const Context& context, Snapshot& snapshot) {
    const std::string& path = context.call.operands[0];
    const ChipInfo* named = context.call.bus.chip;
    return Parsed(
        context, path,
        named ? ReadSnapshotFile(path, named->family, true) : ReadSnapshotFileOfItsChip(path),
        snapshot);
}

// The chip found, of the file's family: where its ID cannot tell the family (a QK330 reads like
// a QK350), the file's chip line tells it. Done, or the exit code with the reason told.
int FindChipOfFile(Context& context, const Snapshot& file, const ChipInfo*& chip) {
    uint8_t id = 0;
    if (const int found = context.connect(); found != Done) return found;
    if (const int named = context.session.Identify(chip, id); named != Done) return named;
    if (chip->family == file.family) return Done;
    if (!context.call.bus.chip)
        for (const ChipInfo* alike : ChipsOfId(id))
            if (alike->family == file.family) return chip = alike, Done;
    context.Fail(context.call.operands[0] + ": the file is from a " +
                 MapOf(file.family).familyName + ", the chip at " +
                 Hex(uint8_t(context.session.Address() >> 1)) + " is a " + chip->name +
                 " (nothing was written)");
    return UsageError;
}

// Whether the file holds a register of a kind: a test register, a status register.
bool HoldsAny(const Snapshot& snapshot, bool (*kind)(const RegisterInfo&)) {
    for (const RegisterInfo& info : MapOf(snapshot.family).registers)
        if (kind(info) && snapshot.Holds(info.subAddress)) return true;
    return false;
}

bool IsTest(const RegisterInfo& info) {
    return info.access == RegisterAccess::Test;
}

bool IsVolatile(const RegisterInfo& info) {
    return info.volatileValue;
}

int Registers(const Snapshot& snapshot) {
    return static_cast<int>(snapshot.values.size());
}

}  // namespace

int Dump(Context& context) {
    const ChipInfo* chip = nullptr;
    if (const int found = FindNamedChip(context, chip); found != Done) return found;
    Snapshot snapshot;
    if (const int taken = TakeChipSnapshot(context, *chip, snapshot); taken != Done) return taken;
    const std::string text = FormatSnapshot(snapshot);
    if (context.call.operands.empty() || context.call.operands[0] == "-") {
        context.out << text;
        return Done;
    }
    const std::string& path = context.call.operands[0];
    if (const std::string error = SaveTextFile(path, text); !error.empty()) {
        context.Fail(error);
        return UsageError;
    }
    context.Note("Saved " + std::to_string(Registers(snapshot)) + " registers of the " +
                 chip->name + " at " + snapshot.i2cAddress + " to " + path + ".");
    return Done;
}

int Diff(Context& context) {
    Snapshot file, now;
    if (const int read = ReadFileFirst(context, file); read != Done) return read;
    const ChipInfo* chip = nullptr;
    if (const int found = FindChipOfFile(context, file, chip); found != Done) return found;
    if (const int taken = TakeChipSnapshot(context, *chip, now); taken != Done) return taken;
    // What the chip cannot tell (write-only registers) is not compared.
    for (const auto& [sub, value] : now.values)
        if (!value) file.values.erase(sub);
    const bool all = context.call.flags.contains("--all");
    std::vector<Difference> differences;
    for (Difference& difference :
         CompareSnapshots(file, now, PowerOnSnapshot(chip->family, chip->name), all))
        if (difference.file != difference.chip) differences.push_back(std::move(difference));
    if (differences.empty()) {
        context.Note("The chip holds what " + context.call.operands[0] + " holds" +
                     (all || !HoldsAny(file, IsVolatile)
                          ? "."
                          : ", the status registers aside (--all compares them too)."));
        return Done;
    }
    context.out << DifferencesText(differences);
    return Differs;
}

int Restore(Context& context) {
    Snapshot file;
    if (const int read = ReadFileFirst(context, file); read != Done) return read;
    const ChipInfo* chip = nullptr;
    if (const int found = FindChipOfFile(context, file, chip); found != Done) return found;
    const RestorePlan plan = PlanRestore(
        file, {.includeTestRegisters = context.call.flags.contains("--test-registers")});
    for (const std::string& note : plan.notes) context.Note(note);
    if (!context.call.flags.contains("--test-registers") && HoldsAny(file, IsTest))
        context.Note("(--test-registers restores the test registers too)");
    BusSession& session = context.session;
    const bool verify = !context.call.flags.contains("--no-verify");
    const RestoreOutcome outcome =
        RunRestore(plan, chip->family, session.Registers(), session.Master(), {}, verify);
    switch (outcome.result) {
        case RestoreOutcome::Result::Verified:
        case RestoreOutcome::Result::NotVerified:
            context.Note(outcome.message);
            return Done;
        case RestoreOutcome::Result::Mismatches:
            context.Fail(outcome.message);
            return Differs;
        case RestoreOutcome::Result::BusError:
        case RestoreOutcome::Result::Cancelled:
            break;
    }
    context.Fail(outcome.message);
    return BusError;
}

int Export(Context& context) {
    const Invocation& call = context.call;
    const std::string& path = call.operands[0];
    ExportRequest request;
    request.fileName = path;
    const auto format = call.values.find("--format");
    if (format == call.values.end()) {
        context.Fail("export needs --format c, i2ctransfer or script");
        return UsageError;
    }
    const std::pair<const char*, ExportFormat> formats[] = {
        {"c", ExportFormat::C},
        {"i2ctransfer", ExportFormat::I2ctransfer},
        {"script", ExportFormat::Script}};
    bool known = false;
    for (const auto& [name, value] : formats)
        if (format->second == name) request.format = value, known = true;
    if (!known) {
        context.Fail("--format " + format->second + ": choose c, i2ctransfer or script");
        return UsageError;
    }
    if (const auto bus = call.values.find("--bus"); bus != call.values.end()) {
        const auto number = cmdline::ReadDecimal(bus->second, 1 << 20);
        if (request.format != ExportFormat::I2ctransfer || !number) {
            context.Fail("--bus takes the adapter's number in decimal, for --format i2ctransfer");
            return UsageError;
        }
        request.bus = std::to_string(*number);
    }
    // Without --chip, the family the file's chip line names.
    Snapshot snapshot;
    const ParsedSnapshot parsed = call.bus.chip
                                      ? ReadSnapshotFile(path, call.bus.chip->family, true)
                                      : ReadSnapshotFileOfItsChip(path);
    if (const int read = Parsed(context, path, parsed, snapshot); read != Done) return read;
    // The address the file was taken at, when a chip answers there; the first otherwise.
    request.writeAddress = kChipWriteAddresses[0];
    for (uint8_t address : kChipWriteAddresses)
        if (snapshot.i2cAddress == SevenBitAddressText(address)) request.writeAddress = address;
    request.writeAddress = call.bus.address.value_or(request.writeAddress);
    const RestorePlan plan =
        PlanRestore(snapshot, {.includeTestRegisters = call.flags.contains("--test-registers")});
    context.out << ExportInitSequence(snapshot, plan, request);
    return Done;
}

}  // namespace qk::cli
