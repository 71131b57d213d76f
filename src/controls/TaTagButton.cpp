#include "TaTagButton.h"

#include "CentredDrawing.h"

#include <QEnterEvent>
#include <QMouseEvent>
#include <QPainter>

namespace markwell {

namespace {

constexpr QSize defaultIconSize(16, 16);

} // namespace

TaTagButton::TaTagButton(QWidget *parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(sizeHint());
    CalculateHoverColor(m_elevation);
}

TaTagButton::~TaTagButton() = default;

void TaTagButton::SetElevation(quint8 value)
{
    if (value == m_elevation)
        return;
    m_elevation = value;
    CalculateHoverColor(value);
}

void TaTagButton::SetBackgroundColor(const ControlColor &value)
{
    if (value == m_backgroundColor)
        return;
    m_backgroundColor = value;
    CalculateHoverColor(m_elevation);
}

QColor TaTagButton::CalculateHoverColor(quint8 elevation)
{
    m_hoverColor = shiftChannels(m_backgroundColor.toRgb(palette()), elevation);
    return m_hoverColor;
}

void TaTagButton::SetDownColor(const ControlColor &value)
{
    if (value != m_downColor)
        m_downColor = value;
}

void TaTagButton::SetGlyph(const QImage &glyph)
{
    m_glyph = glyph;
    m_transparentColor.reset();
    rebuildGlyphPixmap();
}

QColor TaTagButton::TransparentColor() const
{
    if (m_transparentColor)
        return *m_transparentColor;
    if (m_glyph.isNull())
        return QColor();
    return m_glyph.pixelColor(0, m_glyph.height() - 1).toRgb();
}

void TaTagButton::SetTransparentColor(const QColor &colour)
{
    m_transparentColor = colour.toRgb();
    rebuildGlyphPixmap();
}

void TaTagButton::SetIcon(const QIcon &icon)
{
    m_icon = icon;
}

void TaTagButton::SetCaption(const QString &caption)
{
    if (caption == m_caption)
        return;
    m_caption = caption;
    update();
}

void TaTagButton::SetFontColor(const ControlColor &value)
{
    if (value == m_fontColor)
        return;
    m_fontColor = value;
    update();
}

void TaTagButton::SetDrawText(bool value)
{
    if (value != m_drawText)
        m_drawText = value;
}

void TaTagButton::SetDrawGlyph(bool value)
{
    if (value != m_drawGlyph)
        m_drawGlyph = value;
}

void TaTagButton::SetDrawIcon(bool value)
{
    if (value != m_drawIcon)
        m_drawIcon = value;
}

// The glyph is keyed once, when it or its transparent colour changes, not on every paint.
void TaTagButton::rebuildGlyphPixmap()
{
    if (m_glyph.isNull()) {
        m_glyphPixmap = QPixmap();
        return;
    }
    QImage keyed = m_glyph.convertToFormat(QImage::Format_ARGB32);
    const QRgb transparent = TransparentColor().rgb() & RGB_MASK;
    for (int y = 0; y < keyed.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(keyed.scanLine(y));
        for (int x = 0; x < keyed.width(); ++x) {
            if ((line[x] & RGB_MASK) == transparent)
                line[x] = 0;
        }
    }
    m_glyphPixmap = QPixmap::fromImage(keyed);
}

void TaTagButton::DrawBackground(QPainter &painter, const QColor &colour, bool down)
{
    const QColor lightColor = shiftChannels(colour, m_elevation);
    const QColor darkColor = shiftChannels(colour, -int(m_elevation));
    const QColor &first = down ? darkColor : lightColor;
    const QColor &second = down ? lightColor : darkColor;
    const int w = width();
    const int h = height();

    painter.fillRect(rect(), colour);
    // Left edge with both its corners, top edge up to the top-right corner.
    painter.fillRect(0, 0, 1, h, first);
    painter.fillRect(0, 0, w - 1, 1, first);
    // Right edge with both its corners, bottom edge from the second pixel on.
    painter.fillRect(w - 1, 0, 1, h, second);
    painter.fillRect(1, h - 1, w - 1, 1, second);
}

void TaTagButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    switch (m_state) {
    case TaTagButtonState::absNormal:
        DrawBackground(painter, m_backgroundColor.toRgb(palette()), false);
        break;
    case TaTagButtonState::absHover:
        DrawBackground(painter, m_hoverColor, false);
        break;
    case TaTagButtonState::absDown:
        DrawBackground(painter, m_downColor.toRgb(palette()), true);
        break;
    }

    if (m_drawGlyph && !m_glyphPixmap.isNull()) {
        painter.drawPixmap(centredOffset(width(), m_glyph.width()), centredOffset(height(), m_glyph.height()),
                           m_glyphPixmap);
    }
    if (m_drawIcon && !m_icon.isNull()) {
        const QList<QSize> sizes = m_icon.availableSizes();
        const QSize size = sizes.isEmpty() ? defaultIconSize : sizes.first();
        const QRect target(centredOffset(width(), size.width()), centredOffset(height(), size.height()), size.width(),
                           size.height());
        m_icon.paint(&painter, target);
    }
    if (m_drawText)
        drawCentredCaption(painter, size(), m_caption, font(), m_fontColor.toRgb(palette()));
}

void TaTagButton::setState(TaTagButtonState state)
{
    m_state = state;
    repaint();
}

void TaTagButton::enterEvent(QEnterEvent *event)
{
    setState(TaTagButtonState::absHover);
    QWidget::enterEvent(event);
}

void TaTagButton::leaveEvent(QEvent *event)
{
    setState(TaTagButtonState::absNormal);
    QWidget::leaveEvent(event);
}

void TaTagButton::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    event->accept();
    setState(TaTagButtonState::absDown);
}

// The release paints the hover look first, then runs the click.
void TaTagButton::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    event->accept();
    setState(TaTagButtonState::absHover);
    if (rect().contains(event->position().toPoint()))
        emit clicked();
}

// A palette change can change what the default colours stand for.
void TaTagButton::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::PaletteChange)
        CalculateHoverColor(m_elevation);
    QWidget::changeEvent(event);
}

} // namespace markwell
