#pragma once

#include "BatchHost.h"

#include <QStringList>

#include <functional>

namespace markwell::test {

// A host whose answers and yields a test scripts, and which records what the run
// showed: messages, questions, log lines and progress.
class TestBatchHost final : public BatchHost
{
public:
    StampSettings settings;
    QStringList files;
    QSize marker{47, 20};
    QList<bool> answers;              // answers to the questions, in order; No when used up
    std::function<void(int)> onYield; // called with the number of the yield, from 1

    struct Message
    {
        QString text;
        MessageIcon icon;
    };
    QList<Message> messages;
    QStringList questions; // caption + "|" + text
    QStringList log;
    QList<int> progress;
    int progressMaximum = -1;
    QString proceedCaption;
    bool proceedEnabled = true;
    int yields = 0;

    StampSettings currentSettings() const override { return settings; }
    QSize markerSize() const override { return marker; }
    int fileCount() const override { return int(files.size()); }
    QString fileAt(int index) const override { return files.at(index); }
    void processEvents() override
    {
        ++yields;
        if (onYield)
            onYield(yields);
    }
    void showMessage(const QString &text, MessageIcon icon) override { messages.append({text, icon}); }
    bool askYesNo(const QString &text, const QString &caption) override
    {
        questions.append(caption + u'|' + text);
        return answers.isEmpty() ? false : answers.takeFirst();
    }
    void setProgressMaximum(int maximum) override { progressMaximum = maximum; }
    void setProgressPosition(int position) override { progress.append(position); }
    void setProceedState(const QString &caption, bool enabled) override
    {
        proceedCaption = caption;
        proceedEnabled = enabled;
    }
    void AddToLog(const QString &message) override { log.append(message); }
};

} // namespace markwell::test
