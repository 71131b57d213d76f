#pragma once

#include "RunChecks.h"
#include "StampSettings.h"

#include <QSize>
#include <QString>

namespace markwell {

// What a batch run needs of whoever drives it: the window, or the command line.
class BatchHost
{
public:
    virtual ~BatchHost() = default;

    // The settings as they stand now; the run reads them again before each file.
    virtual StampSettings currentSettings() const = 0;
    // The relative position marker's current size.
    virtual QSize markerSize() const = 0;

    // The file list, read afresh at each use: it may change while the run yields.
    virtual int fileCount() const = 0;
    virtual QString fileAt(int index) const = 0;

    // The yield point: handle what is waiting (clicks, repaints). A cancel takes
    // effect here.
    virtual void processEvents() = 0;

    virtual void showMessage(const QString &text, MessageIcon icon) = 0;
    // A Yes/No question without icon; true only for Yes.
    virtual bool askYesNo(const QString &text, const QString &caption) = 0;

    virtual void setProgressMaximum(int maximum) = 0;
    virtual void setProgressPosition(int position) = 0;

    // The Proceed command's caption and whether it can be used.
    virtual void setProceedState(const QString &caption, bool enabled) = 0;

    virtual void AddToLog(const QString &message) = 0;
};

} // namespace markwell
