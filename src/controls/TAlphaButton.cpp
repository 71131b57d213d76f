#include "TAlphaButton.h"

#include "CentredDrawing.h"

#include <QEnterEvent>
#include <QImageReader>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>

namespace markwell {

TAlphaButton::TAlphaButton(QWidget *parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setGeometry(0, 0, 75, 25);
}

TAlphaButton::~TAlphaButton() = default;

TAlphaButtonState TAlphaButton::ButtonState() const
{
    return isEnabled() ? m_mouseState : TAlphaButtonState::absDisabled;
}

void TAlphaButton::SetColor(const ControlColor &value)
{
    if (value == m_color)
        return;
    m_color = value;
    update();
}

void TAlphaButton::SetCaption(const QString &caption)
{
    if (caption == m_caption)
        return;
    m_caption = caption;
    repaint();
}

void TAlphaButton::SetFontColor(const ControlColor &value)
{
    if (value == m_fontColor)
        return;
    m_fontColor = value;
    update();
}

void TAlphaButton::setLoadFailureHandler(LoadFailureHandler handler)
{
    m_loadFailureHandler = std::move(handler);
}

// A picture that fails to load still takes its slot, so that look shows no picture, and
// leaves its path empty, so that setting the same path again tries again. An empty path
// only removes the picture.
void TAlphaButton::setBitmap(Slot slot, const QString &path)
{
    if (path == m_paths[slot])
        return;
    m_paths[slot] = path;
    m_pictures[slot].reset();

    if (!path.isEmpty()) {
        QImageReader reader(path);
        const QImage image = reader.read();
        if (image.isNull()) {
            m_pictures[slot] = QPixmap();
            m_paths[slot].clear();
            if (slot == normalSlot) {
                const QString message = QStringLiteral("Couldn't load ") + path + QStringLiteral("!");
                if (m_loadFailureHandler)
                    m_loadFailureHandler(message);
                else
                    QMessageBox::critical(window(), QString(), message);
            }
        } else {
            m_pictures[slot] = QPixmap::fromImage(image);
        }
    }
    update();
}

const QPixmap *TAlphaButton::pictureToShow() const
{
    const std::optional<QPixmap> *chosen = &m_pictures[normalSlot];
    switch (m_mouseState) {
    case TAlphaButtonState::absOver:
        if (m_pictures[overSlot])
            chosen = &m_pictures[overSlot];
        break;
    case TAlphaButtonState::absDown:
        if (m_pictures[downSlot])
            chosen = &m_pictures[downSlot];
        break;
    case TAlphaButtonState::absNormal:
    case TAlphaButtonState::absDisabled:
        break;
    }
    if (!isEnabled() && m_pictures[disabledSlot])
        chosen = &m_pictures[disabledSlot];
    return *chosen ? &**chosen : nullptr;
}

void TAlphaButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), m_color.toRgb(palette()));

    const auto drawCentred = [this, &painter](const QPixmap &picture) {
        painter.drawPixmap(centredOffset(width(), picture.width()), centredOffset(height(), picture.height()), picture);
    };
    if (const QPixmap *picture = pictureToShow())
        drawCentred(*picture);
    if (m_pictures[glyphSlot])
        drawCentred(*m_pictures[glyphSlot]);
    drawCentredCaption(painter, size(), m_caption, font(), m_fontColor.toRgb(palette()));
}

void TAlphaButton::setMouseState(TAlphaButtonState state)
{
    m_mouseState = state;
    repaint();
}

void TAlphaButton::enterEvent(QEnterEvent *event)
{
    setMouseState(TAlphaButtonState::absOver);
    QWidget::enterEvent(event);
}

void TAlphaButton::leaveEvent(QEvent *event)
{
    setMouseState(TAlphaButtonState::absNormal);
    QWidget::leaveEvent(event);
}

void TAlphaButton::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    event->accept();
    setMouseState(TAlphaButtonState::absDown);
}

void TAlphaButton::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    event->accept();
    setMouseState(TAlphaButtonState::absOver);
    if (rect().contains(event->position().toPoint()))
        emit clicked();
}

void TAlphaButton::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        repaint();
}

} // namespace markwell
