#pragma once
#include <functional>

#include "core/bus/FrameRecorder.h"
#include "core/chips/RegisterMap.h"

namespace qk {

// What register frames mean, from the register map of the chip in use: "26h-27h Ch1 Volume ←
// 03 CF: 0.00 dB" for a value, "03h Sys Control 1 ← 53: Speed Mode 0 → 1" for the fields a write
// changed (every field while nothing is known of the register), "→" for a read. A frame that
// carries part of a value names the bytes and the whole value as the other bytes stand:
// "32h-35h SE OFFSET byte 2 of 4 ← 41; word 20410000 = 0.5039...", or "word ??41???? (32h, 34h,
// 35h not known yet)". Without a chip, the sub-address and the bytes.
class RegisterMeaning : public RegisterDescriber {
  public:
    using MapInUse = std::function<const RegisterMap*()>;
    // `image`: the register image of the chip in use, for the bytes no frame has carried yet.
    explicit RegisterMeaning(MapInUse map, ByteLookup image = {})
        : map_(std::move(map)), image_(std::move(image)) {}
    std::string Describe(uint8_t subAddress, const std::vector<uint8_t>& values,
                         const KnownBytes& known, bool read) const override;

  private:
    MapInUse map_;
    ByteLookup image_;
};

}  // namespace qk
