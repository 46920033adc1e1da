#include "core/snapshot/SnapshotRestore.h"

#include <cstdio>

#include "core/snapshot/SnapshotCompare.h"

namespace qk {

namespace {

bool Writable(const RegisterInfo& info, bool includeTest) {
    switch (info.access) {
        case RegisterAccess::ReadWrite:
        case RegisterAccess::WriteOnly:
            return true;
        case RegisterAccess::Test:
            return includeTest;
        default:
            return false;
    }
}

std::string Hex(uint8_t sub) {
    char text[8];
    std::snprintf(text, sizeof text, "%02Xh", sub);
    return text;
}

// "Sys Control 1 (03h)", "Ch1 Volume (26h-27h)".
std::string Titled(const RegisterInfo& info) {
    return info.width > 1 ? RegisterTitle(info)
                          : RegisterTitle(info) + " (" + Hex(info.subAddress) + ")";
}

// The action bits of a register's byte written inactive, each change noted.
uint8_t Inactive(const RegisterInfo& info, uint8_t byte, std::vector<std::string>& notes) {
    const auto active =
        static_cast<uint8_t>((byte & info.actionBits) | (~byte & info.actionLowBits));
    for (int bit = 7; bit >= 0; --bit) {
        if (!(active >> bit & 1)) continue;
        const char* now = info.actionBits >> bit & 1 ? "1" : "0";
        const char* inactive = info.actionBits >> bit & 1 ? "0" : "1";
        notes.push_back(Titled(info) + ": " + info.bitCaptions[7 - bit] + " (D" +
                        std::to_string(bit) + ") is " + now + " in the file; written " + inactive +
                        ", as " + now + " starts an action");
    }
    return static_cast<uint8_t>((byte & ~info.actionBits) | info.actionLowBits);
}

// The frames of one register of the file: a word in one frame, other values byte by byte.
void PlanRegister(const RegisterInfo& info, const RegisterMap& map, const Snapshot& snapshot,
                  RestorePlan& plan) {
    std::vector<uint8_t> bytes;
    for (uint8_t sub : map.BytesOf(info)) {
        const std::optional<uint8_t> value = snapshot.Value(sub);
        if (!value) {
            plan.notes.push_back(Titled(info) + " not written: unreadable in the file");
            return;
        }
        bytes.push_back(*value);
    }
    if (info.actionBits | info.actionLowBits) bytes[0] = Inactive(info, bytes[0], plan.notes);
    const bool readBack = info.access != RegisterAccess::WriteOnly;
    if (info.width <= 2) {
        plan.writes.push_back({info.subAddress, bytes, Titled(info), readBack});
        return;
    }
    for (size_t i = 0; i < bytes.size(); ++i) {
        const auto sub = static_cast<uint8_t>(info.subAddress + i);
        plan.writes.push_back({sub, {bytes[i]}, Titled(info) + " byte " + Hex(sub), readBack});
    }
}

bool BusFailed(const I2cMaster& bus) {
    return bus.AckError() || bus.WaitError() || bus.OtherError();
}

void Write(RegisterBus& registers, const RegisterWrite& write) {
    if (write.bytes.size() == 2)
        registers.WriteRegisterWordAlways(write.subAddress, write.bytes[0], write.bytes[1]);
    else
        registers.WriteRegisterAlways(write.subAddress, write.bytes[0]);
}

std::string Plural(int count, const char* one) {
    return std::to_string(count) + " " + one + (count == 1 ? "" : "s");
}

std::string Joined(const std::vector<std::string>& items, const char* separator = "; ") {
    std::string text;
    for (const std::string& item : items) text += (text.empty() ? "" : separator) + item;
    return text;
}

// A restore cut short before frame `stop`: what was written and what was not.
void StopBefore(const RestorePlan& plan, size_t stop, bool cancelled, RestoreOutcome& outcome) {
    for (size_t rest = stop; rest < plan.writes.size(); ++rest)
        outcome.notWritten.push_back(plan.writes[rest].what);
    if (!cancelled) outcome.notWritten.front() += " (the frame that failed: perhaps in part)";
    outcome.result =
        cancelled ? RestoreOutcome::Result::Cancelled : RestoreOutcome::Result::BusError;
    outcome.message = (cancelled ? "Restore cancelled" : "Bus error at " + plan.writes[stop].what) +
                      " after " + Plural(outcome.registersWritten, "register") +
                      " of the file written. Written: " +
                      (outcome.written.empty() ? "nothing" : Joined(outcome.written, ", ")) +
                      ". Not written: " + Joined(outcome.notWritten, ", ") + ".";
}

// The register's bytes as written and as read, then its fields where they decode differently
// ("the same decoded" for a conversion that cannot tell them apart).
std::string Mismatch(const RegisterInfo& info, const RegisterMap& map, const Snapshot& wrote,
                     const Snapshot& read) {
    std::string text = Titled(info) + ": wrote " + RegisterBytesText(info, map, wrote.Lookup()) +
                       ", read " + RegisterBytesText(info, map, read.Lookup());
    const std::vector<std::string> fields =
        FieldChanges(info, map, {{"wrote", wrote.Lookup()}, {"read", read.Lookup()}});
    if (!fields.empty()) return text + " (" + Joined(fields) + ")";
    std::string decoded;
    for (const DecodedField& field : DecodeFields(info, map, read.Lookup()))
        decoded += (decoded.empty() ? "" : " ") +
                   (field.name.empty() ? field.text : field.name + "=" + field.text);
    return text + " (the same decoded: " + decoded + ")";
}

// Reads back every readable register written, once, after the last write, and lists each whose
// bytes differ; false when a bus error or a cancel cut it short (the outcome then says so).
bool Verify(const RestorePlan& plan, const RegisterMap& map, RegisterBus& registers, I2cMaster& bus,
            RestoreOutcome& outcome, const WorkProgress& progress) {
    const std::string restored = "Restored " + Plural(outcome.registersWritten, "register");
    Snapshot wrote, read;
    wrote.family = read.family = map.family;
    for (const RegisterWrite& write : plan.writes)
        for (size_t k = 0; k < write.bytes.size(); ++k)
            wrote.values[static_cast<uint8_t>(write.subAddress + k)] = write.bytes[k];
    const int count = static_cast<int>(plan.writes.size());
    for (int i = 0; i < count; ++i) {
        if (progress && !progress(count + i, 2 * count)) {
            outcome.result = RestoreOutcome::Result::Cancelled;
            outcome.message = restored + "; verification cancelled";
            return false;
        }
        const RegisterWrite& write = plan.writes[i];
        if (!write.readBack) continue;
        for (size_t k = 0; k < write.bytes.size(); ++k) {
            const auto sub = static_cast<uint8_t>(write.subAddress + k);
            if (read.Holds(sub)) continue;
            read.values[sub] = registers.ReadRegister(sub);
            if (BusFailed(bus)) {
                outcome.result = RestoreOutcome::Result::BusError;
                outcome.message = restored + "; a bus error stopped the read-back at " + Hex(sub);
                return false;
            }
        }
    }
    outcome.readBack = read;
    for (const RegisterInfo& info : map.registers) {
        if (info.width == 0 || !read.Holds(info.subAddress)) continue;
        if (RegisterBytesText(info, map, wrote.Lookup()) ==
            RegisterBytesText(info, map, read.Lookup()))
            continue;
        outcome.mismatches.push_back(Mismatch(info, map, wrote, read));
        ++outcome.registersDiffering;
    }
    return true;
}

}  // namespace

RestorePlan PlanRestore(const Snapshot& snapshot, const RestoreOptions& options) {
    const RegisterMap& map = MapOf(snapshot.family);
    RestorePlan plan;
    const uint8_t muteRegister = map.muteRegister;
    const RegisterInfo& muteInfo = *map.Find(muteRegister);
    const std::optional<uint8_t> mute = snapshot.Value(muteRegister);
    const auto muted = [&](uint8_t value) {
        return static_cast<uint8_t>(value & ~map.channelMuteBits);
    };
    if (mute) {
        plan.writes.push_back({muteRegister,
                               {muted(*mute)},
                               "mute all channels (" + Hex(muteRegister) + ")",
                               false,
                               false});
    } else {
        plan.notes.push_back((snapshot.Holds(muteRegister)
                                  ? Titled(muteInfo) + " is unreadable in the file"
                                  : "the file has no " + RegisterTitle(muteInfo) + " register") +
                             (options.keepChannelsMuted
                                  ? ": MUTE ALL keeps the channels muted"
                                  : ": the channels were not muted during the restore"));
    }
    for (const RegisterInfo& info : map.registers) {
        if (info.width == 0 || info.subAddress == muteRegister) continue;
        if (!snapshot.Holds(info.subAddress)) continue;
        if (info.access == RegisterAccess::Test && !options.includeTestRegisters) {
            plan.notes.push_back(Titled(info) +
                                 " skipped: test registers need the engineering login");
            continue;
        }
        if (Writable(info, options.includeTestRegisters)) PlanRegister(info, map, snapshot, plan);
    }
    if (!mute) return plan;
    if (options.keepChannelsMuted) {
        plan.heldMuteValue = *mute;
        plan.notes.push_back(
            "MUTE ALL is engaged: the channels stay muted; releasing MUTE ALL applies the file's "
            "channel mutes");
    }
    plan.writes.push_back(
        {muteRegister, {options.keepChannelsMuted ? muted(*mute) : *mute}, Titled(muteInfo), true});
    return plan;
}

RestoreOutcome RunRestore(const RestorePlan& plan, ChipFamily family, RegisterBus& registers,
                          I2cMaster& bus, const WorkProgress& progress, bool verify) {
    RestoreOutcome outcome;
    bus.I2cResetErrors();
    const int total = static_cast<int>(plan.writes.size()) * (bus.OffLine() || !verify ? 1 : 2);
    for (size_t i = 0; i < plan.writes.size(); ++i) {
        const RegisterWrite& write = plan.writes[i];
        const bool cancelled = progress && !progress(static_cast<int>(i), total);
        if (!cancelled) Write(registers, write);
        if (cancelled || BusFailed(bus)) {
            StopBefore(plan, i, cancelled, outcome);
            return outcome;
        }
        outcome.written.push_back(write.what);
        if (write.fromFile) outcome.registersWritten += static_cast<int>(write.bytes.size());
        if (write.fromFile && !write.readBack) ++outcome.writeOnly;
    }
    const std::string restored = "Restored " + Plural(outcome.registersWritten, "register");
    if (bus.OffLine()) {
        outcome.result = RestoreOutcome::Result::NotVerified;
        outcome.message = restored + " off line (log only); verification skipped";
        return outcome;
    }
    if (!verify) {
        outcome.result = RestoreOutcome::Result::NotVerified;
        outcome.message = restored + ", not verified";
        return outcome;
    }
    if (!Verify(plan, MapOf(family), registers, bus, outcome, progress)) return outcome;
    if (!outcome.mismatches.empty()) {
        outcome.result = RestoreOutcome::Result::Mismatches;
        outcome.message = Plural(outcome.registersDiffering, "register") +
                          (outcome.registersDiffering == 1 ? " differs" : " differ") +
                          " after restore: " + Joined(outcome.mismatches);
        return outcome;
    }
    const std::string writeOnly = Plural(outcome.writeOnly, "write-only register");
    if (outcome.readBack.values.empty()) {
        outcome.result = RestoreOutcome::Result::NotVerified;
        outcome.message =
            restored + (outcome.writeOnly ? ", not verified: " + writeOnly + " cannot be read back"
                                          : ": the file holds no writable register");
        return outcome;
    }
    outcome.message = restored + ", verified";
    if (outcome.writeOnly) outcome.message += "; " + writeOnly + " cannot be read back";
    return outcome;
}

std::optional<Snapshot> TakeSnapshot(ChipFamily family, RegisterBus& registers, I2cMaster& bus,
                                     const ByteLookup& image, const WorkProgress& progress) {
    const RegisterMap& map = MapOf(family);
    Snapshot snapshot;
    snapshot.family = family;
    snapshot.source = bus.OffLine() ? "image, off line" : "chip";
    if (!bus.OffLine()) bus.I2cResetErrors();
    const int total = static_cast<int>(map.registers.size());
    bool failed = false;
    for (int i = 0; i < total; ++i) {
        if (progress && !progress(i, total)) return std::nullopt;
        const RegisterInfo& info = map.registers[i];
        if (bus.OffLine() || info.access == RegisterAccess::WriteOnly) {
            snapshot.values[info.subAddress] = image(info.subAddress);
            continue;
        }
        const uint8_t value = failed ? 0 : registers.ReadRegister(info.subAddress);
        failed = failed || BusFailed(bus);
        snapshot.values[info.subAddress] = failed ? std::nullopt : std::optional<uint8_t>(value);
    }
    return snapshot;
}

}  // namespace qk
