#include "cli/SnapshotExport.h"

#include <cctype>
#include <sstream>

#include "chips/ProgramVersion.h"
#include "cli/Numbers.h"
#include "cli/Script.h"

namespace qk::cli {

namespace {

// The decoded text of the register a frame starts at: "Sys Control 1: Speed Mode=0 ...".
std::string Decoded(const Snapshot& snapshot, const RegisterWrite& write) {
    const RegisterMap& map = MapOf(snapshot.family);
    const RegisterInfo* info = map.Find(write.subAddress);
    if (!info) return write.what;
    // The frame's own bytes, so that a cleared action bit or the muting reads as written.
    const ByteLookup bytes = [&](uint8_t sub) -> std::optional<uint8_t> {
        if (sub >= write.subAddress && sub < write.subAddress + write.bytes.size())
            return write.bytes[sub - write.subAddress];
        return snapshot.Value(sub);
    };
    const std::string text = DecodeRegister(*info, map, bytes);
    return text.empty() ? write.what : text;
}

std::string Header(const Snapshot& snapshot, const RestorePlan& plan, const ExportRequest& request,
                   const char* comment) {
    std::ostringstream text;
    text << comment << " " << (snapshot.chip.empty() ? "QK3xx" : snapshot.chip)
         << " init sequence from " << request.fileName << ", in restore order\n"
         << comment << " (all channels muted first, the mute register last); qk3xx-cli "
         << kProgramVersion << "\n";
    for (const std::string& note : plan.notes) text << comment << " " << note << "\n";
    return text.str();
}

std::string C(const Snapshot& snapshot, const RestorePlan& plan, const ExportRequest& request) {
    std::string name = snapshot.chip.empty() ? "qk3xx" : snapshot.chip;
    for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    std::ostringstream text;
    text << "/*\n"
         << Header(snapshot, plan, request, " *")
         << " * The two pairs of a word (26h-27h) go in one frame from its first\n"
            " * sub-address, high byte first.\n */\n"
         << "static const unsigned char " << name << "_init[][2] = {\n";
    for (const RegisterWrite& write : plan.writes) {
        for (size_t i = 0; i < write.bytes.size(); ++i) {
            text << "    {" << Hex(uint8_t(write.subAddress + i)) << ", " << Hex(write.bytes[i])
                 << "},";
            if (i == 0) text << "  /* " << Decoded(snapshot, write) << " */";
            text << "\n";
        }
    }
    text << "};\n";
    return text.str();
}

std::string I2ctransfer(const Snapshot& snapshot, const RestorePlan& plan,
                        const ExportRequest& request) {
    std::ostringstream text;
    text << "#!/bin/sh\n" << Header(snapshot, plan, request, "#");
    std::string bus = request.bus;
    if (bus.empty()) {
        text << "# Usage: sh SCRIPT I2C_BUS (the adapter's number, as i2cdetect -l lists it)\n"
                "bus=${1:?the I2C bus number, e.g. 1}\n";
        bus = "\"$bus\"";
    }
    text << "set -e\n";
    const std::string address = Hex(uint8_t(request.writeAddress >> 1));
    for (const RegisterWrite& write : plan.writes) {
        text << "# " << Decoded(snapshot, write) << "\n"
             << "i2ctransfer -y " << bus << " w" << write.bytes.size() + 1 << "@" << address << " "
             << Hex(write.subAddress);
        for (uint8_t byte : write.bytes) text << " " << Hex(byte);
        text << "\n";
    }
    return text.str();
}

std::string RunScript(const Snapshot& snapshot, const RestorePlan& plan,
                      const ExportRequest& request) {
    std::ostringstream text;
    text << Header(snapshot, plan, request, "#");
    for (const RegisterWrite& write : plan.writes)
        text << ScriptWriteLine(write.subAddress, write.bytes) << "  # " << Decoded(snapshot, write)
             << "\n";
    return text.str();
}

}  // namespace

std::string ExportInitSequence(const Snapshot& snapshot, const RestorePlan& plan,
                               const ExportRequest& request) {
    switch (request.format) {
        case ExportFormat::C:
            return C(snapshot, plan, request);
        case ExportFormat::I2ctransfer:
            return I2ctransfer(snapshot, plan, request);
        case ExportFormat::Script:
            return RunScript(snapshot, plan, request);
    }
    return {};
}

}  // namespace qk::cli
