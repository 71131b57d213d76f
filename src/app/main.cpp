#include <QApplication>
#include <QMainWindow>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Markwell"));
    QApplication::setApplicationDisplayName(QStringLiteral("Markwell"));

    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Orbisoft Markwell"));
    window.resize(760, 469);
    window.show();
    return app.exec();
}
