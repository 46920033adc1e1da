#include "gui/app/Appearance.h"

#include <QApplication>
#include <QFontInfo>
#include <QStyleFactory>

namespace qk {

std::optional<std::string> UseProgramAppearance() {
    QFont font(kProgramFont.family, kProgramFont.pointSize);
    // Light hinting lays glyphs out at their design widths; the desktop's full hinting would round
    // each advance and change how wide a caption is.
    font.setHintingPreference(QFont::PreferVerticalHinting);
    // Without a class name this also drops the fonts a desktop theme sets per kind of widget.
    QApplication::setFont(font);
    // The style decides a button's margins and a group box's title room.
    QApplication::setStyle(QStyleFactory::create("Fusion"));
    const QString found = QFontInfo(font).family();
    if (found == kProgramFont.family) return std::nullopt;
    return std::string("the font \"") + kProgramFont.family +
           "\" is not installed (Debian package " + kProgramFont.package +
           "); windows are drawn with \"" + found.toStdString() + "\" and some texts may not fit";
}

}  // namespace qk
