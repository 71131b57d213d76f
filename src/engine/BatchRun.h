#pragma once

#include "Placement.h"

#include <atomic>

namespace markwell {

class BatchHost;
class FileStamper;
class TLanguage;

// How a press of Proceed ended.
struct RunResult
{
    enum class Outcome {
        CancelRequested, // the press asked a run in progress to stop
        Ignored,         // a run is already stopping
        Refused,         // a check before the run failed; nothing was touched
        StampFailed,     // the stamp picture could not be loaded; no file was touched
        Finished,        // the run went over the list, or part of it when cancelled
    };
    Outcome outcome = Outcome::Ignored;
    bool cancelled = false;
    int saved = 0;
    int listed = 0;
};

// The batch run: loads every listed file, lays the stamp on it and writes the result
// as a new file. The same object answers the Proceed command while idle (start a run)
// and while running (cancel it); the run itself happens inside the call that started
// it, yielding to the host at three points per file.
class BatchRun
{
public:
    BatchRun(BatchHost &host, const TLanguage &language);

    RunResult btnProceedClick();

    // The run flag: 1 while a run is in progress, 0 when idle or stopping.
    int tag() const { return m_tag.load(); }
    // False while a cancel is waiting for the run to notice it.
    bool proceedEnabled() const { return m_enabled.load(); }
    // True while a run is in progress or stopping; readable from any thread.
    bool busy() const { return m_tag.load() == 1 || !m_enabled.load(); }

private:
    RunResult run();
    RunResult runFiles(FileStamper &stamper, PositionFields lastGoodPosition);
    void setProceed(int tag, bool enabled, const char *captionKey);

    BatchHost &m_host;
    const TLanguage &m_language;
    std::atomic<int> m_tag{0};
    std::atomic<bool> m_enabled{true};
    bool m_running = false;
};

} // namespace markwell
