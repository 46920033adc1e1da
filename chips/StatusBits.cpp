#include "chips/StatusBits.h"

namespace qk {

const std::vector<StatusBit>& StatusBits(StatusSet set) {
    static const std::vector<StatusBit> first = {
        {0x00, 7, "Vol Update"},  {0x00, 6, "Off"},         {0x00, 0, "No Errors"},
        {0x01, 7, "FS"},          {0x01, 6, "Control Pin"}, {0x01, 5, "SCLK"},
        {0x01, 4, "LRCLK"},       {0x01, 3, "MCLK Count"},  {0x01, 2, "DCLK Phase"},
        {0x01, 1, "MCLK Timing"}, {0x01, 0, "PWM Timing"},
    };
    static const std::vector<StatusBit> qk330 = {
        {0x00, 7, "Vol Update"}, {0x00, 0, "No Errors"}, {0x01, 7, "No Clip"},
        {0x01, 5, "SCLK"},       {0x01, 4, "LRCLK"},     {0x01, 3, "Frame Slip"},
        {0x01, 2, "PSU OV"},     {0x01, 1, "PSU UV"},    {0x01, 0, "PSU OF"},
    };
    return set == StatusSet::QK330 ? qk330 : first;
}

std::optional<StatusBit> FindStatusBit(StatusSet set, std::string_view name) {
    for (const StatusBit& bit : StatusBits(set))
        if (name == bit.name) return bit;
    return std::nullopt;
}

}  // namespace qk
