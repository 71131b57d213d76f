#include "WindowPreviewHost.h"

#include "BatchRun.h"
#include "Dialogs.h"
#include "TForm1.h"
#include "TStripedListBox.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>

namespace markwell {

bool WindowPreviewHost::previewActive() const
{
    return m_visible.load() && !m_form.batchRun().busy();
}

PreviewRequest WindowPreviewHost::capturePreviewRequest() const
{
    PreviewRequest request;
    // With several rows selected, the row that holds the focus is previewed; that is the
    // first row until the user moves the focus.
    int row = m_form.lstFiles->currentRow();
    if (row < 0 && m_form.lstFiles->count() > 0)
        row = 0;
    if (row >= 0 && row < m_form.lstFiles->count())
        request.itemPath = m_form.lstFiles->item(row)->text();
    request.settings = m_form.currentSettings();
    request.marker = m_form.lblMark->geometry();
    request.box = m_form.Shape1->geometry();
    request.paneSize = m_form.Image1->size();
    request.stampCoordsIntegersText = m_form.language().GetText(QStringLiteral("StampCoordsIntegers"));
    return request;
}

void WindowPreviewHost::showPreviewMessage(const PreviewRefusal &refusal)
{
    m_form.dialogs().showMessage(&m_form, refusal.text,
                                 refusal.icon == MessageIcon::Error ? MessageKind::Error : MessageKind::Information);
}

void WindowPreviewHost::showPreviewPicture(const QImage &picture)
{
    m_form.Image1->setPixmap(QPixmap::fromImage(picture));
}

} // namespace markwell
