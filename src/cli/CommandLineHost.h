#pragma once

#include "BatchHost.h"
#include "RunLog.h"

#include <QStringList>

#include <cstdio>

namespace markwell {

class BatchRun;
class TLanguage;

// Drives a batch run from a terminal or a script: fixed settings, the images of the
// command line, log lines on standard output, everything else on standard error.
class CommandLineHost final : public BatchHost, private LogSink
{
public:
    CommandLineHost(StampSettings settings, QStringList images, const TLanguage &language);

    // The run that Ctrl+C cancels.
    void attach(BatchRun &run) { m_run = &run; }

    StampSettings currentSettings() const override { return m_settings; }
    QSize markerSize() const override { return m_markerSize; }
    int fileCount() const override { return int(m_images.size()); }
    QString fileAt(int index) const override { return m_images.at(index); }
    void processEvents() override;
    void showMessage(const QString &text, MessageIcon icon) override;
    bool askYesNo(const QString &text, const QString &caption) override;
    void setProgressMaximum(int maximum) override;
    void setProgressPosition(int position) override;
    void setProceedState(const QString &, bool) override {}
    void AddToLog(const QString &message) override { m_log.AddToLog(message); }

private:
    void appendEntry(const QString &entry) override;
    void clearProgress();

    StampSettings m_settings;
    QStringList m_images;
    QSize m_markerSize;
    RunLog m_log;
    BatchRun *m_run = nullptr;
    bool m_progressShown = false;
    int m_progressMaximum = 0;
    const bool m_progressOnTerminal;
    const bool m_askOnTerminal;
};

// Makes Ctrl+C ask the run to stop at its next yield point.
void installInterruptHandler();
// Whether Ctrl+C was pressed since the last call.
bool takeInterrupt();

} // namespace markwell
