#include <QCheckBox>
#include <QGroupBox>
#include <QRegularExpression>

#include "core/chips/RegisterMap.h"
#include "tests/gui/ProgramFixture.h"

namespace qk::test {
namespace {

using RegisterMapCaptions = ProgramTest;

// Every register window of both generations shows each group's title and each bit's caption as
// the family's register map names them.
TEST_F(RegisterMapCaptions, EveryRegisterWindowShowsTheMap) {
    const QRegularExpression bitBox("^CheckBox([0-9A-F]{2})_([0-7])$");
    int boxes = 0;
    for (QWidget* window : SecondaryWindows()) {
        const RegisterMap& map = window->objectName().startsWith("QK330") ? QK330Map() : QK310Map();
        for (const QCheckBox* box : window->findChildren<QCheckBox*>(bitBox)) {
            const QRegularExpressionMatch match = bitBox.match(box->objectName());
            const auto sub = static_cast<uint8_t>(match.captured(1).toUInt(nullptr, 16));
            const int bit = match.captured(2).toInt();
            const RegisterInfo* info = map.Find(sub);
            ASSERT_NE(info, nullptr) << box->objectName().toStdString();
            const std::string where =
                window->objectName().toStdString() + " " + box->objectName().toStdString();
            EXPECT_EQ(box->text().toStdString(), info->bitCaptions[7 - bit]) << where;
            const auto* group = qobject_cast<const QGroupBox*>(box->parentWidget());
            ASSERT_NE(group, nullptr) << where;
            EXPECT_EQ(group->title().replace("&&", "&").toStdString(), info->name) << where;
            ++boxes;
        }
    }
    // 8 + 3 first-generation groups, 11 + 6 + 4 second-generation groups, eight bits each.
    EXPECT_EQ(boxes, 8 * (8 + 3 + 11 + 6 + 4));
}

}  // namespace
}  // namespace qk::test
