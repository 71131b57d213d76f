#pragma once

#include <QFont>
#include <QSize>
#include <QString>

namespace markwell {

// The font of the relative position marker: the window's face at 17 pixels.
QFont markerFont();

// The size of the relative position marker for a caption: the marker sizes itself to
// its text. The window and the command line both take it from here, so a relative
// position puts the stamp on the same pixel in both. Needs a QGuiApplication.
QSize markerSize(const QString &caption);

} // namespace markwell
