#include "TPreviewThread.h"

#include <memory>

namespace markwell {

namespace {

// How long an inactive cycle waits before testing again.
constexpr int InactivePoll = 50;

} // namespace

PreviewSnapshot PreviewSnapshot::of(const PreviewRequest &request)
{
    const StampSettings &s = request.settings;
    return {qint32(s.markType),    qint32(s.positionType), request.marker.left(), request.marker.top(),
            qint32(s.xOffsetFrom), qint32(s.yOffsetFrom),  s.markImagePath,       s.markText,
            s.xOffsetText,         s.yOffsetText,          request.itemPath};
}

TPreviewThread::TPreviewThread(PreviewHost &host, QObject *context, QString previewFilePath)
    : m_host(host)
    , m_context(context)
    , m_previewFilePath(std::move(previewFilePath))
{
}

TPreviewThread::~TPreviewThread()
{
    requestStop();
    wait();
}

void TPreviewThread::requestStop()
{
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_stop.store(true);
    }
    m_wake.notify_all();
}

bool TPreviewThread::pause(int milliseconds)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    return !m_wake.wait_for(lock, std::chrono::milliseconds(milliseconds), [this] { return stopRequested(); });
}

std::optional<PreviewRequest> TPreviewThread::captureOnWindowThread()
{
    // The answer lives in shared state, so a capture that runs after this thread has
    // given up waiting (it was asked to stop) writes into memory that still exists.
    struct Answer
    {
        std::optional<PreviewRequest> request;
        bool done = false;
    };
    auto answer = std::make_shared<Answer>();
    PreviewHost *host = &m_host;
    const bool queued = m_context && QMetaObject::invokeMethod(
                                         m_context.data(),
                                         [this, host, answer] {
                                             PreviewRequest request = host->capturePreviewRequest();
                                             {
                                                 const std::lock_guard<std::mutex> lock(m_mutex);
                                                 answer->request = std::move(request);
                                                 answer->done = true;
                                             }
                                             m_wake.notify_all();
                                         },
                                         Qt::QueuedConnection);
    if (!queued)
        return std::nullopt;
    std::unique_lock<std::mutex> lock(m_mutex);
    m_wake.wait(lock, [&] { return answer->done || stopRequested(); });
    return answer->done ? std::move(answer->request) : std::nullopt;
}

void TPreviewThread::run()
{
    while (!stopRequested()) {
        if (!m_host.previewActive()) {
            pause(InactivePoll);
            continue;
        }
        if (!pause(Interval))
            break;

        const std::optional<PreviewRequest> captured = captureOnWindowThread();
        if (!captured)
            break;
        const PreviewRequest &request = *captured;
        if (request.itemPath.isEmpty())
            continue;
        if (request.settings.markType == MarkType::Picture && request.settings.markImagePath.isEmpty())
            continue;

        const PreviewSnapshot now = PreviewSnapshot::of(request);
        const bool forced = m_forceRefresh.exchange(false);
        if (now == m_last && !forced)
            continue;
        m_last = now;
        if (stopRequested())
            break;

        if (const auto refusal = checkPreviewRequest(request)) {
            QMetaObject::invokeMethod(
                m_context.data(), [host = &m_host, refusal = *refusal] { host->showPreviewMessage(refusal); },
                Qt::QueuedConnection);
            continue;
        }
        std::optional<QImage> picture = RenderPreview(request, m_previewFilePath);
        m_renderCount.fetch_add(1);
        if (picture && m_context) {
            QMetaObject::invokeMethod(
                m_context.data(),
                [host = &m_host, picture = std::move(*picture)] { host->showPreviewPicture(picture); },
                Qt::QueuedConnection);
        }
    }
}

} // namespace markwell
