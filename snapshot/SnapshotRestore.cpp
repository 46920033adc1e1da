#include "snapshot/SnapshotRestore.h"

#include <cstdio>

#include "snapshot/SnapshotCompare.h"

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

std::string Titled(const RegisterInfo& info) {
    return info.width > 1 ? RegisterTitle(info)
                          : RegisterTitle(info) + " (" + Hex(info.subAddress) + ")";
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
    if (info.actionBits & bytes[0]) {
        bytes[0] &= static_cast<uint8_t>(~info.actionBits);
        for (const RegisterField& field : FieldsOf(info))
            if (info.actionBits >> field.firstBit & 1)
                plan.notes.push_back(
                    Titled(info) + ": " + field.name +
                    " is set in the file; written cleared, as it starts an action");
    }
    const bool readBack = info.access != RegisterAccess::WriteOnly;
    if (info.width == 2) {
        plan.writes.push_back({info.subAddress, bytes, RegisterTitle(info), readBack});
        return;
    }
    for (size_t i = 0; i < bytes.size(); ++i)
        plan.writes.push_back(
            {static_cast<uint8_t>(info.subAddress + i), {bytes[i]}, RegisterTitle(info), readBack});
}

bool BusFailed(const I2cMaster& bus) {
    return bus.AckErrorFlag || bus.WaitErrorFlag || bus.OtherErrorFlag;
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

std::string Joined(const std::vector<std::string>& items) {
    std::string text;
    for (const std::string& item : items) text += (text.empty() ? "" : "; ") + item;
    return text;
}

// Reads back the written registers and lists each difference, decoded; false when a bus error or
// a cancel cut it short (the outcome then says so).
bool Verify(const RestorePlan& plan, const RegisterMap& map, RegisterBus& registers, I2cMaster& bus,
            RestoreOutcome& outcome, const WorkProgress& progress) {
    const std::string restored = "Restored " + Plural(outcome.registersWritten, "register");
    Snapshot wrote, read;
    const int count = static_cast<int>(plan.writes.size());
    for (int i = 1; i < count; ++i) {
        if (progress && !progress(count + i, 2 * count)) {
            outcome.result = RestoreOutcome::Result::Cancelled;
            outcome.message = restored + "; verification cancelled";
            return false;
        }
        const RegisterWrite& write = plan.writes[i];
        for (size_t k = 0; k < write.bytes.size(); ++k) {
            const auto sub = static_cast<uint8_t>(write.subAddress + k);
            wrote.values[sub] = write.bytes[k];
            if (!write.readBack) continue;
            read.values[sub] = registers.ReadRegister(sub);
            if (BusFailed(bus)) {
                outcome.result = RestoreOutcome::Result::BusError;
                outcome.message = restored + "; a bus error stopped the read-back at " + Hex(sub);
                return false;
            }
        }
    }
    for (const RegisterInfo& info : map.registers) {
        if (info.width == 0 || !read.Holds(info.subAddress)) continue;
        const std::vector<std::string> lines =
            FieldDifferences(info, map, {{"wrote", wrote.Lookup()}, {"read", read.Lookup()}});
        outcome.mismatches.insert(outcome.mismatches.end(), lines.begin(), lines.end());
        outcome.registersDiffering += lines.empty() ? 0 : 1;
    }
    return true;
}

}  // namespace

RestorePlan PlanRestore(const Snapshot& snapshot, bool includeTestRegisters) {
    const RegisterMap& map = MapOf(snapshot.family);
    RestorePlan plan;
    const std::optional<uint8_t> mute = snapshot.Value(map.muteRegister);
    const std::string muteName = RegisterTitle(*map.Find(map.muteRegister));
    if (mute)
        plan.writes.push_back({map.muteRegister,
                               {static_cast<uint8_t>(*mute & ~map.channelMuteBits)},
                               "mute all channels",
                               false});
    else
        plan.notes.push_back("the file has no " + muteName +
                             " register: the channels were not muted during the restore");
    for (const RegisterInfo& info : map.registers) {
        if (info.width == 0 || info.subAddress == map.muteRegister) continue;
        if (!snapshot.Holds(info.subAddress)) continue;
        if (info.access == RegisterAccess::Test && !includeTestRegisters) {
            plan.notes.push_back(Titled(info) +
                                 " skipped: test registers need the engineering login");
            continue;
        }
        if (Writable(info, includeTestRegisters)) PlanRegister(info, map, snapshot, plan);
    }
    if (mute) plan.writes.push_back({map.muteRegister, {*mute}, muteName, true});
    return plan;
}

RestoreOutcome RunRestore(const RestorePlan& plan, ChipFamily family, RegisterBus& registers,
                          I2cMaster& bus, const WorkProgress& progress, bool verify) {
    RestoreOutcome outcome;
    bus.I2cResetErrors();
    const int total = static_cast<int>(plan.writes.size()) * (bus.OffLine || !verify ? 1 : 2);
    for (size_t i = 0; i < plan.writes.size(); ++i) {
        const bool cancelled = progress && !progress(static_cast<int>(i), total);
        if (!cancelled) Write(registers, plan.writes[i]);
        if (cancelled || BusFailed(bus)) {
            for (size_t rest = i; rest < plan.writes.size(); ++rest)
                outcome.notWritten.push_back(plan.writes[rest].what + " (" +
                                             Hex(plan.writes[rest].subAddress) + ")");
            outcome.result =
                cancelled ? RestoreOutcome::Result::Cancelled : RestoreOutcome::Result::BusError;
            outcome.message = std::string(cancelled ? "Restore cancelled" : "Bus error") +
                              " after " + Plural(outcome.registersWritten, "register") +
                              " written; not written: " + Joined(outcome.notWritten);
            return outcome;
        }
        if (i > 0) outcome.registersWritten += static_cast<int>(plan.writes[i].bytes.size());
    }
    const std::string restored = "Restored " + Plural(outcome.registersWritten, "register");
    if (bus.OffLine) {
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
    if (outcome.mismatches.empty()) {
        outcome.message = restored + ", verified";
        return outcome;
    }
    outcome.result = RestoreOutcome::Result::Mismatches;
    outcome.message = Plural(outcome.registersDiffering, "register") +
                      (outcome.registersDiffering == 1 ? " differs" : " differ") +
                      " after restore: " + Joined(outcome.mismatches);
    return outcome;
}

std::optional<Snapshot> TakeSnapshot(ChipFamily family, RegisterBus& registers, I2cMaster& bus,
                                     const ByteLookup& image, const WorkProgress& progress) {
    const RegisterMap& map = MapOf(family);
    Snapshot snapshot;
    snapshot.family = family;
    snapshot.source = bus.OffLine ? "image, off line" : "chip";
    if (!bus.OffLine) bus.I2cResetErrors();
    const int total = static_cast<int>(map.registers.size());
    bool failed = false;
    for (int i = 0; i < total; ++i) {
        if (progress && !progress(i, total)) return std::nullopt;
        const RegisterInfo& info = map.registers[i];
        if (bus.OffLine || info.access == RegisterAccess::WriteOnly) {
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
