#include "core/bus/FrameRecorder.h"

#include <cstdio>

#include "core/bus/LocalTime.h"

namespace qk {

namespace {

std::string Quoted(const std::string& field) {
    if (field.find_first_of(",\"\n") == std::string::npos) return field;
    std::string quoted = "\"";
    for (char c : field) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + "\"";
}

}  // namespace

std::string HexBytes(const std::vector<uint8_t>& bytes) {
    std::string text;
    char item[4];
    for (uint8_t b : bytes) {
        std::snprintf(item, sizeof item, "%02X", b);
        if (!text.empty()) text += ' ';
        text += item;
    }
    return text;
}

void FrameRecorder::OnFrame(const FrameRecord& frame) {
    MonitoredFrame kept;
    kept.timeMs = now ? now() : WallClockMs();
    kept.frame = frame;
    std::vector<uint8_t> values;
    switch (frame.kind) {
        case FrameRecord::Kind::Probe:
            break;
        case FrameRecord::Kind::Write:
            if (frame.bytes.empty()) break;
            pointer_ = frame.bytes[0];
            kept.subAddress = pointer_;
            values.assign(frame.bytes.begin() + 1, frame.bytes.end());
            break;
        case FrameRecord::Kind::Read:
            kept.subAddress = pointer_;
            values = frame.read;
            break;
    }
    kept.meaning = Meaning(frame, kept.subAddress, values);
    // The chip's pointer and the values known move on with the bytes carried, not when off line.
    if (kept.subAddress >= 0 && !frame.offLine) {
        for (size_t i = 0; i < values.size(); ++i) known_[(kept.subAddress + i) & 0xFF] = values[i];
        pointer_ = static_cast<int>((kept.subAddress + values.size()) & 0xFF);
    }
    ring_.Push(std::move(kept));
    if (framesArrived) framesArrived();
}

std::string FrameRecorder::Meaning(const FrameRecord& frame, int subAddress,
                                   const std::vector<uint8_t>& values) {
    if (frame.kind == FrameRecord::Kind::Probe) return "probe: is a chip there?";
    if (subAddress < 0) return "";
    const auto sub = static_cast<uint8_t>(subAddress);
    const bool read = frame.kind == FrameRecord::Kind::Read;
    if (!read && values.empty()) {
        char text[48];
        std::snprintf(text, sizeof text, "pointer to %02Xh", sub);
        return text;
    }
    if (describer_) return describer_->Describe(sub, values, known_, read);
    char text[16];
    std::snprintf(text, sizeof text, "%02Xh %s ", sub, read ? "\u2192" : "\u2190");
    return text + HexBytes(values);
}

FrameTexts TextsOf(const MonitoredFrame& kept) {
    FrameTexts texts;
    texts.time = LocalTimeText(kept.timeMs, false);
    char buffer[16];
    const FrameRecord& frame = kept.frame;
    std::snprintf(buffer, sizeof buffer, "0x%02x", frame.address >> 1);
    texts.address = buffer;
    texts.direction = frame.kind == FrameRecord::Kind::Probe  ? "Probe"
                      : frame.kind == FrameRecord::Kind::Read ? "R"
                                                              : "W";
    if (kept.subAddress >= 0) {
        std::snprintf(buffer, sizeof buffer, "%02Xh", kept.subAddress);
        texts.subAddress = buffer;
    }
    texts.bytes = HexBytes(frame.bytes);
    texts.read = HexBytes(frame.read);
    texts.meaning = kept.meaning;
    if (frame.offLine)
        texts.error = "OFF LINE";
    else if (frame.ackError && frame.waitError)
        texts.error = "ACK Error, Wait Error";
    else if (frame.ackError)
        texts.error = "ACK Error";
    else if (frame.waitError)
        texts.error = "Wait Error";
    else if (frame.otherError)
        texts.error = "Error";
    return texts;
}

std::string FrameCsvHeader() {
    return "time,address,direction,sub-address,bytes,read,meaning,error\n";
}

std::string FrameCsvLine(const MonitoredFrame& frame) {
    const FrameTexts t = TextsOf(frame);
    std::string line;
    for (const std::string* field : {&t.time, &t.address, &t.direction, &t.subAddress, &t.bytes,
                                     &t.read, &t.meaning, &t.error}) {
        if (!line.empty()) line += ',';
        line += Quoted(*field);
    }
    return line + "\n";
}

}  // namespace qk
