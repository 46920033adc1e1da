#include "core/snapshot/Snapshot.h"

#include <cstdio>
#include <ctime>

#include "core/chips/ProgramVersion.h"
#include "core/chips/QK310RegisterMap.h"

namespace qk {

namespace {

std::string UtcNow() {
    const std::time_t now = std::time(nullptr);
    std::tm utc{};
    gmtime_r(&now, &utc);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &utc);
    return text;
}

}  // namespace

void StampSnapshot(Snapshot& snapshot, const std::string& chip, uint8_t writeAddress) {
    char address[8];
    std::snprintf(address, sizeof address, "0x%02x", writeAddress >> 1);
    snapshot.chip = chip;
    snapshot.i2cAddress = address;
    snapshot.taken = UtcNow();
    snapshot.program = std::string("qk3xx ") + kProgramVersion;
}

Snapshot PowerOnSnapshot(ChipFamily family, const std::string& chip) {
    Snapshot snapshot;
    snapshot.family = family;
    snapshot.chip = chip;
    for (const RegisterInfo& info : MapOf(family).registers)
        snapshot.values[info.subAddress] = info.powerOn;
    if (family == ChipFamily::QK310 && chip != "QK310")
        snapshot.values[0x00] = kQK320GeneralStatusPowerOn;
    return snapshot;
}

}  // namespace qk
