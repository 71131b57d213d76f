#pragma once

#include "Dialogs.h"

#include <QList>
#include <QStringList>

#include <functional>

namespace markwell::test {

// Answers the program's dialogs from queues the test fills, and records what was shown.
class TestDialogs final : public Dialogs
{
public:
    struct Shown
    {
        QString text;
        QString caption;
        MessageKind kind;
    };
    QList<Shown> messages;
    QStringList questions;
    QList<bool> answers;                    // Yes/No, in order; No when used up
    std::function<void()> onQuestion;       // runs while a question is open
    QList<QStringList> filesToOpen;         // one list per Add Files dialog; cancel when used up
    QStringList filesToOpenFilters;         // the filters the last file dialog offered
    QStringList fileToOpen;                 // one path per picture dialog; cancel when used up
    QList<std::optional<FontChoice>> fonts; // cancel when used up
    QStringList folders;                    // empty string: cancel
    QList<QUrl> openedUrls;

    void showMessage(QWidget *, const QString &text, MessageKind kind) override
    {
        messages.append({text, QString(), kind});
    }
    void showMessage(QWidget *, const QString &text, const QString &caption, MessageKind kind) override
    {
        messages.append({text, caption, kind});
    }
    bool askYesNo(QWidget *, const QString &text, const QString &caption) override
    {
        questions.append(caption + u'|' + text);
        if (onQuestion)
            onQuestion();
        return answers.isEmpty() ? false : answers.takeFirst();
    }
    QStringList chooseFilesToOpen(QWidget *, const QStringList &filters) override
    {
        filesToOpenFilters = filters;
        return filesToOpen.isEmpty() ? QStringList() : filesToOpen.takeFirst();
    }
    QString chooseFileToOpen(QWidget *, const QStringList &filters) override
    {
        filesToOpenFilters = filters;
        return fileToOpen.isEmpty() ? QString() : fileToOpen.takeFirst();
    }
    std::optional<FontChoice> chooseFont(QWidget *, const FontChoice &) override
    {
        return fonts.isEmpty() ? std::nullopt : fonts.takeFirst();
    }
    QString chooseFolder(QWidget *, const QString &) override
    {
        return folders.isEmpty() ? QString() : folders.takeFirst();
    }
    bool openUrl(const QUrl &url) override
    {
        openedUrls.append(url);
        return true;
    }
};

} // namespace markwell::test
