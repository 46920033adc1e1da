// dump, diff, restore and export: the chip's registers as a snapshot file, with the register maps,
// the snapshot reader and writer, the compare and the restore the windows use.
#include <fstream>
#include <sstream>

#include "chips/ProgramVersion.h"
#include "cli/Context.h"
#include "cli/ExitCode.h"
#include "cli/Numbers.h"
#include "cli/SnapshotExport.h"
#include "snapshot/SnapshotCompare.h"
#include "snapshot/SnapshotFile.h"
#include "snapshot/SnapshotText.h"

namespace qk::cli {

namespace {

// The chip found and named; Done or the exit code with the reason told.
int FindNamedChip(Context& context, const ChipKind*& chip) {
    if (const int found = context.connect(); found != Done) return found;
    uint8_t id = 0;
    return context.session.Identify(chip, id);
}

// The chip's registers now. The command line keeps no copy of what was written last, so a
// write-only register reads "XX", as one that cannot be read.
int TakeChipSnapshot(Context& context, const ChipKind& chip, Snapshot& snapshot) {
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

// A snapshot file of the chip's family; Done or UsageError with the file's line told.
int ReadFile(const Context& context, const std::string& path, ChipFamily family,
             Snapshot& snapshot) {
    const ParsedSnapshot parsed = ReadSnapshotFile(path, family);
    if (!parsed.snapshot) {
        context.Fail(path + ": " + parsed.error);
        return UsageError;
    }
    snapshot = *parsed.snapshot;
    return Done;
}

bool HoldsTestRegisters(const Snapshot& snapshot) {
    for (const RegisterInfo& info : MapOf(snapshot.family).registers)
        if (info.access == RegisterAccess::Test && snapshot.Holds(info.subAddress)) return true;
    return false;
}

int Registers(const Snapshot& snapshot) {
    return static_cast<int>(snapshot.values.size());
}

}  // namespace

int Dump(Context& context) {
    const ChipKind* chip = nullptr;
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
    const ChipKind* chip = nullptr;
    if (const int found = FindNamedChip(context, chip); found != Done) return found;
    Snapshot file, now;
    if (const int read = ReadFile(context, context.call.operands[0], chip->family, file);
        read != Done)
        return read;
    if (const int taken = TakeChipSnapshot(context, *chip, now); taken != Done) return taken;
    // What the chip cannot tell (write-only registers) is not compared.
    for (const auto& [sub, value] : now.values)
        if (!value) file.values.erase(sub);
    std::vector<Difference> differences;
    for (Difference& difference :
         CompareSnapshots(file, now, PowerOnSnapshot(chip->family, chip->name)))
        if (difference.file != difference.chip) differences.push_back(std::move(difference));
    if (differences.empty()) {
        context.Note("The chip holds what " + context.call.operands[0] + " holds.");
        return Done;
    }
    context.out << DifferencesText(differences);
    return Differs;
}

int Restore(Context& context) {
    const ChipKind* chip = nullptr;
    if (const int found = FindNamedChip(context, chip); found != Done) return found;
    Snapshot file;
    if (const int read = ReadFile(context, context.call.operands[0], chip->family, file);
        read != Done)
        return read;
    const RestorePlan plan = PlanRestore(file, context.call.flags.contains("--test-registers"));
    for (const std::string& note : plan.notes) context.Note(note);
    if (!context.call.flags.contains("--test-registers") && HoldsTestRegisters(file))
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
        if (request.format != ExportFormat::I2ctransfer || !ParseNumber(bus->second, 1 << 20)) {
            context.Fail("--bus takes the adapter's number, for --format i2ctransfer");
            return UsageError;
        }
        request.bus = std::to_string(*ParseNumber(bus->second, 1 << 20));
    }
    Snapshot snapshot;
    ChipFamily family = ChipFamily::QK310;
    if (call.bus.chip) {
        family = call.bus.chip->family;
    } else {
        // The file's own chip line, else whichever family reads it.
        const ParsedSnapshot first = ReadSnapshotFile(path, ChipFamily::QK310);
        if (!first.snapshot) family = ChipFamily::QK330;
        if (first.snapshot && first.snapshot->family != ChipFamily::QK310)
            family = ChipFamily::QK330;
    }
    if (const int read = ReadFile(context, path, family, snapshot); read != Done) return read;
    request.writeAddress =
        call.bus.address.value_or(snapshot.i2cAddress == "0x1b" ? uint8_t(0x36) : uint8_t(0x34));
    const RestorePlan plan = PlanRestore(snapshot, call.flags.contains("--test-registers"));
    context.out << ExportInitSequence(snapshot, plan, request);
    return Done;
}

}  // namespace qk::cli
