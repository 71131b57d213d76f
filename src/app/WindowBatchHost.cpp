#include "WindowBatchHost.h"

#include "Dialogs.h"
#include "TForm1.h"
#include "TStripedListBox.h"

#include <QCoreApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

namespace markwell {

StampSettings WindowBatchHost::currentSettings() const
{
    return m_form.currentSettings();
}

QSize WindowBatchHost::markerSize() const
{
    return m_form.lblMark->size();
}

int WindowBatchHost::fileCount() const
{
    return m_form.lstFiles->count();
}

QString WindowBatchHost::fileAt(int index) const
{
    return m_form.lstFiles->item(index)->text();
}

void WindowBatchHost::processEvents()
{
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void WindowBatchHost::showMessage(const QString &text, MessageIcon icon)
{
    m_form.dialogs().showMessage(&m_form, text,
                                 icon == MessageIcon::Error ? MessageKind::Error : MessageKind::Information);
}

bool WindowBatchHost::askYesNo(const QString &text, const QString &caption)
{
    return m_form.dialogs().askYesNo(&m_form, text, caption);
}

void WindowBatchHost::setProgressMaximum(int maximum)
{
    m_form.ProgressBar->setMaximum(maximum);
}

void WindowBatchHost::setProgressPosition(int position)
{
    m_form.ProgressBar->setValue(position);
}

void WindowBatchHost::setProceedState(const QString &caption, bool enabled)
{
    m_form.btnProceed->setText(caption);
    m_form.btnProceed->setEnabled(enabled);
}

void WindowBatchHost::AddToLog(const QString &message)
{
    m_form.AddToLog(message);
}

} // namespace markwell
