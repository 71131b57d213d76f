#pragma once

#include <QColor>
#include <QFont>
#include <QSize>
#include <QString>

class QPainter;

namespace markwell {

// The offset that centres a length inside another, truncated toward zero: negative when the
// inner length is the larger, so a picture larger than its control loses the same on both sides.
constexpr int centredOffset(int outer, int inner)
{
    return (outer - inner) / 2;
}

// Writes the caption on one line, without background, with the top-left corner of its text
// box (advance width by line height) centred in the area.
void drawCentredCaption(QPainter &painter, const QSize &area, const QString &caption, const QFont &font,
                        const QColor &colour);

} // namespace markwell
