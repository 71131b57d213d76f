#pragma once

#include "TPreviewThread.h"

#include <atomic>

namespace markwell {

class TForm1;

// The window as the preview thread's host: it captures requests from the controls and
// shows the thread's pictures and messages.
class WindowPreviewHost final : public PreviewHost
{
public:
    explicit WindowPreviewHost(TForm1 &form)
        : m_form(form)
    {
    }

    void setWindowVisible(bool visible) { m_visible.store(visible); }

    bool previewActive() const override;
    PreviewRequest capturePreviewRequest() const override;
    void showPreviewMessage(const PreviewRefusal &refusal) override;
    void showPreviewPicture(const QImage &picture) override;

private:
    TForm1 &m_form;
    std::atomic<bool> m_visible{false};
};

} // namespace markwell
