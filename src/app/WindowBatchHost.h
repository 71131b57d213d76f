#pragma once

#include "BatchHost.h"

namespace markwell {

class TForm1;

// The window as the batch run's host: settings from the controls, the file list,
// the event loop as the yield point, the progress bar, the run log and message boxes.
class WindowBatchHost final : public BatchHost
{
public:
    explicit WindowBatchHost(TForm1 &form)
        : m_form(form)
    {
    }

    StampSettings currentSettings() const override;
    QSize markerSize() const override;
    int fileCount() const override;
    QString fileAt(int index) const override;
    void processEvents() override;
    void showMessage(const QString &text, MessageIcon icon) override;
    bool askYesNo(const QString &text, const QString &caption) override;
    void setProgressMaximum(int maximum) override;
    void setProgressPosition(int position) override;
    void setProceedState(const QString &caption, bool enabled) override;
    void AddToLog(const QString &message) override;

private:
    TForm1 &m_form;
};

} // namespace markwell
