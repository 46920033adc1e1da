#include "cli/SnapshotExport.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <sstream>

#include "cli/Numbers.h"
#include "cli/Script.h"
#include "core/chips/ProgramVersion.h"

namespace qk::cli {

namespace {

std::string CommentText(const std::string& text);

// The decoded text of the register a frame starts at: "Sys Control 1: Speed Mode=0 ...".
std::string Decoded(const Snapshot& snapshot, const RegisterWrite& write) {
    const RegisterMap& map = MapOf(snapshot.family);
    const RegisterInfo* info = map.Find(write.subAddress);
    if (!info) return CommentText(write.what);
    // The frame's own bytes, so that a cleared action bit or the muting reads as written.
    const ByteLookup bytes = [&](uint8_t sub) -> std::optional<uint8_t> {
        if (sub >= write.subAddress && sub < write.subAddress + write.bytes.size())
            return write.bytes[sub - write.subAddress];
        return snapshot.Value(sub);
    };
    const std::string text = DecodeRegister(*info, map, bytes);
    return CommentText(text.empty() ? write.what : text);
}

// The length of the UTF-8 character at `at` that is printable, or 0: a control character (C0,
// DEL, C1) or a byte that does not start a well-formed sequence.
size_t PrintableLength(const std::string& text, size_t at) {
    const auto byte = [&](size_t i) {
        return at + i < text.size() ? static_cast<unsigned char>(text[at + i]) : 0u;
    };
    const unsigned first = byte(0);
    if (first < 0x80) return first >= 0x20 && first != 0x7F ? 1 : 0;
    // The leading bytes and the range of the second byte that keep the sequence well formed.
    struct Form {
        unsigned lowLead, highLead, lowSecond, highSecond;
        size_t length;
    };
    constexpr Form kForms[] = {
        {0xC2, 0xC2, 0xA0, 0xBF, 2}, {0xC3, 0xDF, 0x80, 0xBF, 2}, {0xE0, 0xE0, 0xA0, 0xBF, 3},
        {0xE1, 0xEC, 0x80, 0xBF, 3}, {0xED, 0xED, 0x80, 0x9F, 3}, {0xEE, 0xEF, 0x80, 0xBF, 3},
        {0xF0, 0xF0, 0x90, 0xBF, 4}, {0xF1, 0xF3, 0x80, 0xBF, 4}, {0xF4, 0xF4, 0x80, 0x8F, 4},
    };
    for (const Form& form : kForms) {
        if (first < form.lowLead || first > form.highLead) continue;
        if (byte(1) < form.lowSecond || byte(1) > form.highSecond) return 0;
        for (size_t i = 2; i < form.length; ++i)
            if ((byte(i) & 0xC0) != 0x80) return 0;
        return form.length;
    }
    return 0;
}

// A file name or chip as comment text of any of the formats: control characters (a newline would
// end a shell or script comment) and bytes that are not UTF-8 as "\xNN"; "*/" and "/*" broken by a
// backslash, so that it neither ends nor seems to nest a C comment.
std::string CommentText(const std::string& text) {
    std::string safe;
    for (size_t at = 0; at < text.size();) {
        if (const size_t length = PrintableLength(text, at)) {
            safe += text.substr(at, length);
            at += length;
            continue;
        }
        char escaped[8];
        std::snprintf(escaped, sizeof escaped, "\\x%02X", static_cast<unsigned char>(text[at++]));
        safe += escaped;
    }
    for (const auto& [bare, broken] : {std::pair{"*/", "*\\/"}, std::pair{"/*", "/\\*"}})
        for (size_t at = safe.find(bare); at != std::string::npos; at = safe.find(bare, at))
            safe.replace(at, 2, broken);
    return safe;
}

// A C identifier from the chip's name: "QK350/60" gives "qk350_60".
std::string CIdentifier(const std::string& chip) {
    std::string name;
    for (const char c : chip) {
        const auto byte = static_cast<unsigned char>(c);
        name += byte < 0x80 && std::isalnum(byte) ? static_cast<char>(std::tolower(byte)) : '_';
    }
    if (name.empty()) return "qk3xx";
    return std::isdigit(static_cast<unsigned char>(name[0])) ? "chip_" + name : name;
}

std::string Header(const Snapshot& snapshot, const RestorePlan& plan, const ExportRequest& request,
                   const char* comment) {
    std::ostringstream text;
    text << comment << " " << CommentText(snapshot.chip.empty() ? "QK3xx" : snapshot.chip)
         << " init sequence from " << CommentText(request.fileName) << ", in restore order\n"
         << comment << " (all channels muted first, the mute register last); qk3xx-cli "
         << kProgramVersion << "\n";
    for (const std::string& note : plan.notes) text << comment << " " << CommentText(note) << "\n";
    return text.str();
}

std::string C(const Snapshot& snapshot, const RestorePlan& plan, const ExportRequest& request) {
    const std::string name = CIdentifier(snapshot.chip);
    size_t longest = 1;
    for (const RegisterWrite& write : plan.writes) longest = std::max(longest, write.bytes.size());
    std::ostringstream text;
    text << "/*\n"
         << Header(snapshot, plan, request, " *")
         << " * One row per frame: {sub-address, byte count, bytes...}; send each row\n"
            " * as one write [sub-address, bytes] (a word's bytes high first).\n */\n"
         << "static const unsigned char " << name << "_init[][" << longest + 2 << "] = {\n";
    for (const RegisterWrite& write : plan.writes) {
        text << "    {" << Hex(write.subAddress) << ", " << write.bytes.size();
        for (uint8_t byte : write.bytes) text << ", " << Hex(byte);
        text << "},  /* " << Decoded(snapshot, write) << " */\n";
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
