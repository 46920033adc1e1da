#pragma once
#include <functional>

#include "chips/RegisterMap.h"
#include "link/FrameRecorder.h"

namespace qk {

// What register frames mean, from the register map of the chip in use: "26h-27h Ch1 Volume ←
// 03 CF: 0.00 dB" for a value, "03h Sys Control 1 ← 53: Speed Mode 0 → 1" for the fields a write
// changed (every field while nothing is known of the register), "→" for a read. Without a chip,
// the sub-address and the bytes.
class RegisterMeaning : public RegisterDescriber {
  public:
    using MapInUse = std::function<const RegisterMap*()>;
    explicit RegisterMeaning(MapInUse map) : map_(std::move(map)) {}
    std::string Describe(uint8_t subAddress, const std::vector<uint8_t>& values,
                         const std::vector<std::optional<uint8_t>>& previous,
                         bool read) const override;

  private:
    MapInUse map_;
};

}  // namespace qk
