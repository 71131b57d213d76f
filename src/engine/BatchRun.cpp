#include "BatchRun.h"

#include "BatchHost.h"
#include "FileStamper.h"
#include "ImageOps.h"
#include "LogMessages.h"
#include "OutputPath.h"
#include "Placement.h"
#include "RunChecks.h"
#include "TLanguage.h"

#include <QFileInfo>

namespace markwell {

BatchRun::BatchRun(BatchHost &host, const TLanguage &language)
    : m_host(host)
    , m_language(language)
{
}

void BatchRun::setProceed(int tag, bool enabled, const char *captionKey)
{
    m_tag = tag;
    m_enabled = enabled;
    m_host.setProceedState(m_language.GetText(QString::fromLatin1(captionKey)), enabled);
}

RunResult BatchRun::btnProceedClick()
{
    if (m_tag == 1) {
        // The run notices the request at its next yield point.
        m_tag = 0;
        m_enabled = false;
        m_host.setProceedState(m_language.GetText(QStringLiteral("Cancel")), false);
        return {RunResult::Outcome::CancelRequested};
    }
    // A run that is stopping is still on the stack below this call; a second run
    // must not start inside it.
    if (m_running)
        return {RunResult::Outcome::Ignored};

    const StampSettings settings = m_host.currentSettings();
    if (const auto refusal = checkBeforeRun(settings, m_host.fileCount())) {
        m_host.showMessage(m_language.GetText(refusal->messageKey), refusal->icon);
        return {RunResult::Outcome::Refused};
    }

    m_running = true;
    const RunResult result = run();
    m_running = false;
    return result;
}

RunResult BatchRun::runFiles(FileStamper &stamper, PositionFields lastGoodPosition)
{
    // Offsets were whole numbers when the run started; if one stops being one during
    // the run, the last good offsets stand in for it.
    int saved = 0;
    bool cancelled = false;
    const auto yieldAndCheck = [&] {
        m_host.processEvents();
        cancelled = m_tag == 0;
        return !cancelled;
    };

    for (int i = 0; i < m_host.fileCount(); ++i) {
        if (!yieldAndCheck())
            break;
        m_host.setProgressPosition(i);
        // The list may have shrunk while the window handled events.
        if (i >= m_host.fileCount())
            break;

        QString source = m_host.fileAt(i);
        if (!fileExists(source)) {
            m_host.AddToLog(fileMessage(m_language, source, QStringLiteral("LogNotExists")));
            continue;
        }

        const StampSettings current = m_host.currentSettings();
        const QString destination = outputPath(source, current.destMode, current.customFolder, current.outputFormat);
        if (fileExists(destination)) {
            // An existing destination is only replaced by a complete new file: the save
            // writes beside it and renames over it.
            if (current.ifExists == IfExists::Skip)
                continue;
            if (current.ifExists == IfExists::Ask &&
                !m_host.askYesNo(fileMessage(m_language, destination, QStringLiteral("LogExists")),
                                 m_language.GetText(QStringLiteral("FileExists"))))
                continue;
        }

        // The question above let the window handle events; read the entry again.
        if (i < m_host.fileCount())
            source = m_host.fileAt(i);
        const std::optional<QSize> loaded = stamper.load(source, destination);

        const StampSettings placed = m_host.currentSettings();
        const QRect marker(QPoint(placed.markLeft, placed.markTop), m_host.markerSize());
        const QPoint position =
            placeStamp(loaded.value_or(QSize(0, 0)), stamper.stampSize(), placed, marker, lastGoodPosition);

        if (!yieldAndCheck())
            break;

        const FileStamper::Outcome outcome = loaded
                                                 ? stamper.stampAndSave(position, m_host.currentSettings(), destination)
                                                 : FileStamper::Outcome::NotLoaded;
        if (outcome == FileStamper::Outcome::Saved)
            ++saved;
        else if (outcome == FileStamper::Outcome::NotLoaded)
            m_host.AddToLog(fileMessage(m_language, source, QStringLiteral("LogCouldntBeLoaded")));
        else
            m_host.AddToLog(fileMessage(m_language, destination, QStringLiteral("LogCouldntBeSaved")));

        if (!yieldAndCheck())
            break;
    }

    RunResult result;
    result.outcome = RunResult::Outcome::Finished;
    result.cancelled = cancelled;
    result.saved = saved;
    result.listed = m_host.fileCount();
    return result;
}

RunResult BatchRun::run()
{
    RunResult result;
    setProceed(1, true, "Cancel");

    // A preview render may hold the library; wait for it without blocking the window.
    std::unique_lock<std::timed_mutex> libraryLock = tryLockImageLibrary();
    while (!libraryLock.owns_lock()) {
        m_host.processEvents();
        libraryLock = tryLockImageLibrary(std::chrono::milliseconds(20));
    }

    {
        const ImageLibrarySession session;
        const StampSettings start = m_host.currentSettings();
        // The run keeps the mark type it started with: its stamp was prepared for it.
        const std::unique_ptr<FileStamper> stamper = FileStamper::prepare(start);
        if (!stamper) {
            m_host.showMessage(stampFailedMessage(m_language, start.markImagePath), MessageIcon::Error);
            result.outcome = RunResult::Outcome::StampFailed;
        } else {
            m_host.setProgressMaximum(m_host.fileCount());
            result = runFiles(*stamper, PositionFields::from(start));
            m_host.setProgressPosition(0);
            m_host.AddToLog(finishedMessage(m_language, result.saved, result.listed));
        }
    }
    libraryLock.unlock();

    setProceed(0, true, "Proceed");
    return result;
}

} // namespace markwell
