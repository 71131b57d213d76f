#include "MarkwellApplication.h"

#include "Dialogs.h"

#include <exception>

namespace markwell {

MarkwellApplication::MarkwellApplication(int &argc, char **argv)
    : QApplication(argc, argv)
{
}

bool MarkwellApplication::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception &error) {
        if (m_dialogs)
            m_dialogs->showMessage(activeWindow(), QString::fromLocal8Bit(error.what()), MessageKind::Error);
    } catch (...) {
        if (m_dialogs)
            m_dialogs->showMessage(activeWindow(), QString(), MessageKind::Error);
    }
    return false;
}

} // namespace markwell
