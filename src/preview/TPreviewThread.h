#pragma once

#include "PreviewRequest.h"
#include "RenderPreview.h"

#include <QImage>
#include <QPointer>
#include <QThread>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <optional>

namespace markwell {

// What the preview thread needs of the window. Except for previewActive(), which any
// thread may call, the thread calls these only on the window's thread.
class PreviewHost
{
public:
    virtual ~PreviewHost() = default;

    // The window is visible and no batch run is in progress or stopping.
    virtual bool previewActive() const = 0;
    // Every input of a render as the controls hold them now; an empty item path when the
    // list has no current item.
    virtual PreviewRequest capturePreviewRequest() const = 0;
    virtual void showPreviewMessage(const PreviewRefusal &refusal) = 0;
    virtual void showPreviewPicture(const QImage &picture) = 0;
};

// The values of the last render, compared in each cycle to see whether a new one is due.
struct PreviewSnapshot
{
    qint32 markType = -1;
    qint32 positionType = -1;
    qint32 markLeft = 0;
    qint32 markTop = 0;
    qint32 xOffsetFrom = -1;
    qint32 yOffsetFrom = -1;
    QString markImagePath;
    QString markText;
    QString xOffsetText;
    QString yOffsetText;
    QString itemPath;

    static PreviewSnapshot of(const PreviewRequest &request);
    friend bool operator==(const PreviewSnapshot &, const PreviewSnapshot &) = default;
};

// Keeps the preview pane up to date: every active cycle waits `Interval` milliseconds,
// captures the request on the window's thread, and renders when a watched value has
// changed since the last render or ForceRefresh was set. The window owns the thread
// and stops it before its controls go; a capture or a picture for a window that is gone
// is dropped, and the thread never waits for the window while it holds the image library.
class TPreviewThread : public QThread
{
    Q_OBJECT

public:
    // `context` is the window: calls to `host` are queued to its thread and dropped once
    // it is destroyed.
    TPreviewThread(PreviewHost &host, QObject *context, QString previewFilePath);
    ~TPreviewThread() override;

    // Forces a render at the next active cycle (a new stamp font is not watched).
    void setForceRefresh() { m_forceRefresh.store(true); }
    // Asks the thread to end and wakes it from any wait; the caller then waits for it.
    void requestStop();

    int Interval = 300;
    int renderCount() const { return m_renderCount.load(); }

protected:
    void run() override;

private:
    bool stopRequested() const { return m_stop.load(); }
    // Waits up to `milliseconds`; false when the thread was asked to stop meanwhile.
    bool pause(int milliseconds);
    std::optional<PreviewRequest> captureOnWindowThread();

    PreviewHost &m_host;
    QPointer<QObject> m_context;
    const QString m_previewFilePath;
    PreviewSnapshot m_last;
    std::atomic<bool> m_forceRefresh{false};
    std::atomic<bool> m_stop{false};
    std::atomic<int> m_renderCount{0};
    std::mutex m_mutex;
    std::condition_variable m_wake;
};

} // namespace markwell
