#pragma once

#include <QApplication>

namespace markwell {

class Dialogs;

// An exception that escapes an event handler is shown in a message box, and the
// program goes on, instead of ending.
class MarkwellApplication : public QApplication
{
public:
    MarkwellApplication(int &argc, char **argv);

    void setDialogs(Dialogs *dialogs) { m_dialogs = dialogs; }
    bool notify(QObject *receiver, QEvent *event) override;

private:
    Dialogs *m_dialogs = nullptr;
};

} // namespace markwell
