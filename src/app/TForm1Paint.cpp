// The section header bars: a caption gradient above each section of the window, with
// the section's name from the language table, painted behind the controls.

#include "TForm1.h"

#include "FormSurface.h"
#include "TStripedListBox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QPainter>
#include <QTabWidget>

namespace markwell {

namespace {

constexpr int BarHeight = 20;

QRect topRowBar(const QWidget *control)
{
    return {control->x(), 8, control->width(), BarHeight};
}

QRect barAbove(const QWidget *control)
{
    return {control->x(), control->y() - 24, control->width(), BarHeight};
}

} // namespace

void TForm1::paintBar(QPainter &painter, const QRect &bar, const QString &text)
{
    painter.drawImage(bar, GradientBitmap);
    const int textHeight = painter.fontMetrics().height();
    // Truncated toward zero, so a text taller than the bar starts above it.
    const int top = bar.top() + (BarHeight - textHeight) / 2;
    painter.drawText(QPoint(bar.left(), top + painter.fontMetrics().ascent()), text);
}

void TForm1::PaintWindow(QPainter &painter)
{
    painter.fillRect(m_surface->rect(), palette().color(QPalette::Button));
    painter.setFont(font());
    painter.setPen(palette().color(QPalette::Active, QPalette::HighlightedText));

    const QRect files = lstFiles->geometry();
    paintBar(painter, topRowBar(lstFiles), Language.GetText(QStringLiteral("FileList")));
    paintBar(painter, {lstLog->x(), files.bottom() + 1 + 4, lstLog->width(), BarHeight},
             Language.GetText(QStringLiteral("Log")));
    paintBar(painter, topRowBar(lstMarkType), lblMark->text());
    paintBar(painter, barAbove(lstMarkPosType), Language.GetText(QStringLiteral("StampPosition")));
    if (lstMarkPosType->currentIndex() == 1) {
        const int textTop = chkSnap->y();
        painter.drawText(QPoint(chkSnap->x() + chkSnap->width() + 2, textTop + painter.fontMetrics().ascent()),
                         Language.GetText(QStringLiteral("Snap")));
    }
    paintBar(painter, topRowBar(pnlOptions), Language.GetText(QStringLiteral("Configurations")));
    paintBar(painter, barAbove(pcOutputSettings), Language.GetText(QStringLiteral("OutputSettings")));
    paintBar(painter, barAbove(pnlPreview), Language.GetText(QStringLiteral("Preview")));
}

} // namespace markwell
