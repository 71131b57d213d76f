#pragma once

#include <QString>

namespace markwell {

// Makes the glyph pictures of the controls library available as Qt resources. The library
// is linked statically, so the program calls this once, after creating its application
// object and before it loads a glyph.
void initControlsResources();

// The 16 x 16 glyphs of the window's tag buttons. Each is drawn on a ground of its
// transparent colour, which is also its bottom-left pixel, so a tag button keys it without
// being told the colour: white for the file list buttons, RGB(255, 243, 156) for the
// folder, RGB(255, 0, 255) for the floppy disk.
namespace glyphs {
inline const QString plus = QStringLiteral(":/glyphs/plus.png");
inline const QString minus = QStringLiteral(":/glyphs/minus.png");
inline const QString cross = QStringLiteral(":/glyphs/cross.png");
inline const QString folder = QStringLiteral(":/glyphs/folder.png");
inline const QString floppy = QStringLiteral(":/glyphs/floppy.png");
} // namespace glyphs

} // namespace markwell
