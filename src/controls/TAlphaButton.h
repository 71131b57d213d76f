#pragma once

#include "ControlColor.h"

#include <QPixmap>
#include <QString>
#include <QWidget>

#include <array>
#include <functional>
#include <optional>

namespace markwell {

enum class TAlphaButtonState { absNormal, absOver, absDown, absDisabled };

// A push button that shows a picture per mouse state, read from image files and blended
// with its alpha channel onto the button colour, a glyph picture over it and the caption on
// top. Every state change is painted at once.
class TAlphaButton : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QString BitmapNormal READ BitmapNormal WRITE SetBitmapNormal)
    Q_PROPERTY(QString BitmapOver READ BitmapOver WRITE SetBitmapOver)
    Q_PROPERTY(QString BitmapDown READ BitmapDown WRITE SetBitmapDown)
    Q_PROPERTY(QString BitmapDisabled READ BitmapDisabled WRITE SetBitmapDisabled)
    Q_PROPERTY(QString BitmapGlyph READ BitmapGlyph WRITE SetBitmapGlyph)
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)

public:
    // Receives the message of a normal picture that cannot be loaded.
    using LoadFailureHandler = std::function<void(const QString &message)>;

    explicit TAlphaButton(QWidget *parent = nullptr);
    ~TAlphaButton() override;

    // absDisabled while the button is disabled, otherwise the mouse state.
    TAlphaButtonState ButtonState() const;
    TAlphaButtonState GetButtonState() const { return ButtonState(); }

    // Paths of the pictures. A path that cannot be loaded is set back to empty and leaves
    // its look without a picture of its own; an empty path removes the picture.
    const QString &BitmapNormal() const { return m_paths[normalSlot]; }
    void SetBitmapNormal(const QString &path) { setBitmap(normalSlot, path); }
    const QString &BitmapOver() const { return m_paths[overSlot]; }
    void SetBitmapOver(const QString &path) { setBitmap(overSlot, path); }
    const QString &BitmapDown() const { return m_paths[downSlot]; }
    void SetBitmapDown(const QString &path) { setBitmap(downSlot, path); }
    const QString &BitmapDisabled() const { return m_paths[disabledSlot]; }
    void SetBitmapDisabled(const QString &path) { setBitmap(disabledSlot, path); }
    const QString &BitmapGlyph() const { return m_paths[glyphSlot]; }
    void SetBitmapGlyph(const QString &path) { setBitmap(glyphSlot, path); }

    // The background under the pictures (the button face colour unless set).
    const ControlColor &Color() const { return m_color; }
    void SetColor(const ControlColor &value);

    QString Caption() const { return m_caption; }
    void SetCaption(const QString &caption);

    // Colour of the caption (the window text colour unless set).
    const ControlColor &FontColor() const { return m_fontColor; }
    void SetFontColor(const ControlColor &value);

    // Where the message "Couldn't load <path>!" goes; without a handler it is shown in a
    // message box owned by the button's window.
    void setLoadFailureHandler(LoadFailureHandler handler);

    QSize sizeHint() const override { return QSize(75, 25); }

signals:
    // The left button was released over the button after being pressed on it.
    void clicked();

protected:
    void paintEvent(QPaintEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    enum Slot { normalSlot, overSlot, downSlot, disabledSlot, glyphSlot, slotCount };

    void setBitmap(Slot slot, const QString &path);
    void setMouseState(TAlphaButtonState state);
    const QPixmap *pictureToShow() const;

    TAlphaButtonState m_mouseState = TAlphaButtonState::absNormal;
    std::array<QString, slotCount> m_paths;
    std::array<std::optional<QPixmap>, slotCount> m_pictures;
    ControlColor m_color = QPalette::Button;
    ControlColor m_fontColor = QPalette::WindowText;
    QString m_caption;
    LoadFailureHandler m_loadFailureHandler;
};

} // namespace markwell
