#pragma once
#include <optional>
#include <string>

namespace qk {

// The one font every window draws with. The windows have fixed pixel geometry, so they must look
// the same on every machine: a family the program names and its package brings, not whatever
// "Arial" or "Sans Serif" happens to resolve to among the fonts a user has installed.
struct ProgramFont {
    const char* family;
    const char* package;  // the Debian package that brings it
    int pointSize;        // 12 px at the 96 DPI Qt assumes before scaling
};
inline constexpr ProgramFont kProgramFont = {
    .family = QK_PROGRAM_FONT_FAMILY,  // the build names it, for the package and the tests
    .package = QK_PROGRAM_FONT_PACKAGE,
    .pointSize = 9,
};

// Makes the program's font (with hinting that keeps the glyphs' design widths) and the Fusion
// style the application's, whatever the desktop's font, hinting and style settings are. Returns
// the message to show when the machine lacks the font.
std::optional<std::string> UseProgramAppearance();

}  // namespace qk
