// Readout numbers keep their sign, except on a value that shows as zero at its precision.
#include "core/chips/DecimalText.h"

#include <gtest/gtest.h>

namespace qk::test {
namespace {

TEST(DecimalText, KeepsTheSignUnlessTheTextShowsZero) {
    struct Row {
        std::string text, expected;
    };
    const Row rows[] = {
        {FixedDecimalText(-0.00004, 4), "0.0000"},
        {FixedDecimalText(-0.0, 2), "0.00"},
        {FixedDecimalText(-0.00005001, 4), "-0.0001"},
        {FixedDecimalText(-134.95, 2), "-134.95"},
        {ScaledDecimalText(-1234, 2), "-12.34"},
        {ScaledDecimalText(-5, 3), "-0.005"},
        {ScaledDecimalText(0, 1), "0.0"},
        {GeneralDecimalText(-0.0, 6), "0"},
        {GeneralDecimalText(-1e-20, 6), "-1e-20"},
        {GeneralDecimalText(-0.5, 6), "-0.5"},
    };
    for (const Row& row : rows) EXPECT_EQ(row.text, row.expected);
}

}  // namespace
}  // namespace qk::test
