// Every chip of the catalogue as the readers of the catalogue find it: the virtual board plays it
// (or the chip of its family and ID that stands in for it), --chip names it, its ID register
// agrees, and files may name it by either of its names.
#include <gtest/gtest.h>

#include "board/VirtualBoard.h"
#include "core/chips/ChipCatalogue.h"
#include "core/chips/RegisterMap.h"
#include "tests/cli/CliRun.h"

namespace qk {
namespace {

using test::Cli;

// The chip the board plays for `chip`: itself, or the first playable chip that reads alike.
const ChipInfo* BoardStandIn(const ChipInfo& chip) {
    for (const ChipInfo& other : ChipCatalogue())
        if (other.virtualBoard && other.family == chip.family && other.id == chip.id &&
            (&other == &chip || !chip.virtualBoard))
            return &other;
    return nullptr;
}

class CatalogueChip : public ::testing::TestWithParam<size_t> {
  protected:
    const ChipInfo& chip = ChipCatalogue()[GetParam()];
};

TEST_P(CatalogueChip, IsFoundByItsNamesAndItsId) {
    const ChipInfo* standIn = BoardStandIn(chip);
    ASSERT_NE(standIn, nullptr) << "no board plays a chip that reads as the " << chip.name;
    // The board takes the name --chip takes, and only for a chip it plays.
    EXPECT_EQ(Cli({"--virtual", chip.option, "detect"}).code, chip.virtualBoard ? 0 : 2);
    // The ID the board's register 00h gives is the chip's, or detect refuses the named chip.
    const test::CliResult named =
        Cli({"--virtual", standIn->option, "--chip", chip.option, "--address", "0x1b", "detect"});
    EXPECT_EQ(named.code, 0) << named.err;
    EXPECT_EQ(named.out, std::string(chip.name) + " at 0x1b\n");
    EXPECT_EQ(FamilyOfChip(chip.name), chip.family);
    EXPECT_EQ(FamilyOfChip(chip.fullName), chip.family);
}

INSTANTIATE_TEST_SUITE_P(Chips, CatalogueChip, ::testing::Range(size_t{0}, ChipCatalogue().size()),
                         [](const ::testing::TestParamInfo<size_t>& row) {
                             return std::string(ChipCatalogue()[row.param].name);
                         });

}  // namespace
}  // namespace qk
