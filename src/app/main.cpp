#include "Dialogs.h"
#include "MarkwellApplication.h"
#include "QuitOnSignal.h"
#include "TForm1.h"

using namespace markwell;

int main(int argc, char *argv[])
{
    MarkwellApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("markwell"));
    QApplication::setApplicationDisplayName(QStringLiteral("Markwell"));

    QtDialogs dialogs;
    app.setDialogs(&dialogs);

    // Qt has taken its own options by now; every other parameter is a file for the list.
    const QStringList commandLine = QCoreApplication::arguments().mid(1);
    TForm1 window(QCoreApplication::applicationDirPath(), dialogs, commandLine);
    window.show();
    quitOnTerminationSignals();
    return app.exec();
}
