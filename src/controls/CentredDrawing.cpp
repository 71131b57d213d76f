#include "CentredDrawing.h"

#include <QFontMetrics>
#include <QPainter>

namespace markwell {

void drawCentredCaption(QPainter &painter, const QSize &area, const QString &caption, const QFont &font,
                        const QColor &colour)
{
    if (caption.isEmpty())
        return;
    const QFontMetrics metrics(font);
    const int x = centredOffset(area.width(), metrics.horizontalAdvance(caption));
    const int y = centredOffset(area.height(), metrics.height());
    painter.setFont(font);
    painter.setPen(colour);
    painter.drawText(QPoint(x, y + metrics.ascent()), caption);
}

} // namespace markwell
