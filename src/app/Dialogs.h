#pragma once

#include <QFont>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <optional>

class QWidget;

namespace markwell {

enum class MessageKind { Information, Error };

// A font as the font dialog edits it: face, size, style and colour.
struct FontChoice
{
    QFont font;
    quint32 color = 0; // 0x00BBGGRR
};

// Every modal interaction of the program goes through here, so that tests can answer
// it: message boxes, questions, the file, font and folder dialogs, and opening a URL.
class Dialogs
{
public:
    virtual ~Dialogs() = default;

    // A message owned by `parent`, with the platform's default caption.
    virtual void showMessage(QWidget *parent, const QString &text, MessageKind kind) = 0;
    // A message with a caption of its own.
    virtual void showMessage(QWidget *parent, const QString &text, const QString &caption, MessageKind kind) = 0;
    // Yes and No, no icon; true only for Yes.
    virtual bool askYesNo(QWidget *parent, const QString &text, const QString &caption) = 0;
    // `filters` in Qt's form ("All supported (*.bmp *.jpg)"); the first is selected.
    virtual QStringList chooseFilesToOpen(QWidget *parent, const QStringList &filters) = 0;
    virtual QString chooseFileToOpen(QWidget *parent, const QStringList &filters) = 0;
    virtual std::optional<FontChoice> chooseFont(QWidget *parent, const FontChoice &initial) = 0;
    virtual QString chooseFolder(QWidget *parent, const QString &title) = 0;
    virtual bool openUrl(const QUrl &url) = 0;
};

// The real dialogs of the running program.
class QtDialogs final : public Dialogs
{
public:
    void showMessage(QWidget *parent, const QString &text, MessageKind kind) override;
    void showMessage(QWidget *parent, const QString &text, const QString &caption, MessageKind kind) override;
    bool askYesNo(QWidget *parent, const QString &text, const QString &caption) override;
    QStringList chooseFilesToOpen(QWidget *parent, const QStringList &filters) override;
    QString chooseFileToOpen(QWidget *parent, const QStringList &filters) override;
    std::optional<FontChoice> chooseFont(QWidget *parent, const FontChoice &initial) override;
    QString chooseFolder(QWidget *parent, const QString &title) override;
    bool openUrl(const QUrl &url) override;
};

} // namespace markwell
