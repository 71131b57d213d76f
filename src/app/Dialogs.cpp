#include "Dialogs.h"

#include "ImageOps.h"

#include <QApplication>
#include <QColorDialog>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFontDialog>
#include <QMessageBox>

namespace markwell {

namespace {

// Message texts come from language files: they are shown as written, never as markup.
void show(QWidget *parent, const QString &text, const QString &caption, MessageKind kind)
{
    QMessageBox box(kind == MessageKind::Error ? QMessageBox::Critical : QMessageBox::Information, caption, text,
                    QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

} // namespace

void QtDialogs::showMessage(QWidget *parent, const QString &text, MessageKind kind)
{
    show(parent, text, QApplication::applicationDisplayName(), kind);
}

void QtDialogs::showMessage(QWidget *parent, const QString &text, const QString &caption, MessageKind kind)
{
    show(parent, text, caption, kind);
}

bool QtDialogs::askYesNo(QWidget *parent, const QString &text, const QString &caption)
{
    QMessageBox box(QMessageBox::NoIcon, caption, text, QMessageBox::Yes | QMessageBox::No, parent);
    box.setTextFormat(Qt::PlainText);
    return box.exec() == QMessageBox::Yes;
}

QStringList QtDialogs::chooseFilesToOpen(QWidget *parent, const QStringList &filters)
{
    return QFileDialog::getOpenFileNames(parent, QString(), QString(), filters.join(QStringLiteral(";;")));
}

QString QtDialogs::chooseFileToOpen(QWidget *parent, const QStringList &filters)
{
    return QFileDialog::getOpenFileName(parent, QString(), QString(), filters.join(QStringLiteral(";;")));
}

std::optional<FontChoice> QtDialogs::chooseFont(QWidget *parent, const FontChoice &initial)
{
    // Qt's font dialog edits face, size and style; the colour is chosen right after it,
    // so the pair edits everything the stamp font holds.
    bool ok = false;
    const QFont font = QFontDialog::getFont(&ok, initial.font, parent);
    if (!ok)
        return std::nullopt;
    const QColor color = QColorDialog::getColor(colorFromBgr(initial.color), parent);
    if (!color.isValid())
        return std::nullopt;
    return FontChoice{font, bgrFromColor(color)};
}

QString QtDialogs::chooseFolder(QWidget *parent, const QString &title)
{
    return QFileDialog::getExistingDirectory(parent, title);
}

bool QtDialogs::openUrl(const QUrl &url)
{
    return QDesktopServices::openUrl(url);
}

} // namespace markwell
