#pragma once

#include "ControlColor.h"

#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QWidget>

#include <optional>

namespace markwell {

enum class TaTagButtonState { absNormal, absHover, absDown };

// A small flat push button that draws itself: a fill that follows the mouse (normal, hover,
// pressed) inside a one-pixel bevel whose light and dark edges lie Elevation above and below
// the fill, with a glyph, an icon and the caption centred on top. Every state change is
// painted at once, so the hover look is on screen before a click handler opens a dialog.
class TaTagButton : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(int Elevation READ Elevation WRITE SetElevation)
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(bool DrawText READ DrawText WRITE SetDrawText)
    Q_PROPERTY(bool DrawGlyph READ DrawGlyph WRITE SetDrawGlyph)
    Q_PROPERTY(bool DrawIcon READ DrawIcon WRITE SetDrawIcon)

public:
    explicit TaTagButton(QWidget *parent = nullptr);
    ~TaTagButton() override;

    TaTagButtonState State() const { return m_state; }

    // Amount added to or taken from each colour channel for the hover fill and the bevel.
    quint8 Elevation() const { return m_elevation; }
    void SetElevation(quint8 value);

    // Fill of the normal state (the button face colour unless set). Changing it or the
    // elevation recomputes HoverColor at once; the look changes at the next paint.
    const ControlColor &BackgroundColor() const { return m_backgroundColor; }
    void SetBackgroundColor(const ControlColor &value);

    // Fill of the hover state: BackgroundColor raised by the elevation.
    QColor HoverColor() const { return m_hoverColor; }
    QColor CalculateHoverColor(quint8 elevation);

    // Fill of the pressed state (the button shadow colour unless set).
    const ControlColor &DownColor() const { return m_downColor; }
    void SetDownColor(const ControlColor &value);

    // Picture drawn centred; its pixels of TransparentColor are left out.
    const QImage &Glyph() const { return m_glyph; }
    void SetGlyph(const QImage &glyph);

    // The glyph's transparent colour: the colour of its bottom-left pixel unless set.
    QColor TransparentColor() const;
    void SetTransparentColor(const QColor &colour);

    // Icon drawn centred over the glyph, at its first available size (16 x 16 when it has none).
    const QIcon &Icon() const { return m_icon; }
    void SetIcon(const QIcon &icon);

    QString Caption() const { return m_caption; }
    void SetCaption(const QString &caption);

    // Colour of the caption (the window text colour unless set).
    const ControlColor &FontColor() const { return m_fontColor; }
    void SetFontColor(const ControlColor &value);

    bool DrawText() const { return m_drawText; }
    void SetDrawText(bool value);
    bool DrawGlyph() const { return m_drawGlyph; }
    void SetDrawGlyph(bool value);
    bool DrawIcon() const { return m_drawIcon; }
    void SetDrawIcon(bool value);

    QSize sizeHint() const override { return QSize(23, 17); }

signals:
    // The left button was released over the button after being pressed on it.
    void clicked();

protected:
    // The fill and the bevel: light top and left edges when raised, dark when down.
    void DrawBackground(QPainter &painter, const QColor &colour, bool down);

    void paintEvent(QPaintEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void setState(TaTagButtonState state);
    void rebuildGlyphPixmap();

    TaTagButtonState m_state = TaTagButtonState::absNormal;
    quint8 m_elevation = 25;
    ControlColor m_backgroundColor = QPalette::Button;
    QColor m_hoverColor;
    ControlColor m_downColor = QPalette::Dark;
    ControlColor m_fontColor = QPalette::WindowText;
    QImage m_glyph;
    std::optional<QColor> m_transparentColor;
    QPixmap m_glyphPixmap;
    QIcon m_icon;
    QString m_caption;
    bool m_drawText = true;
    bool m_drawGlyph = true;
    bool m_drawIcon = true;
};

} // namespace markwell
