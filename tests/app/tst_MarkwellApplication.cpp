#include "MarkwellApplication.h"
#include "TestDialogs.h"

#include <QTest>

#include <stdexcept>

using namespace markwell;
using markwell::test::TestDialogs;

namespace {

// An object whose handler fails the way a platform operation can.
class Failing : public QObject
{
public:
    bool event(QEvent *event) override
    {
        if (event->type() == QEvent::User)
            throw std::runtime_error("disk full");
        if (event->type() == QEvent::User + 1)
            throw 42;
        return QObject::event(event);
    }
};

} // namespace

class TestMarkwellApplication : public QObject
{
    Q_OBJECT

public:
    explicit TestMarkwellApplication(TestDialogs &dialogs)
        : m_dialogs(dialogs)
    {
    }

private slots:
    void exceptionsFromHandlersAreShownAndTheProgramGoesOn()
    {
        Failing target;
        QCoreApplication::postEvent(&target, new QEvent(QEvent::User));
        QCoreApplication::postEvent(&target, new QEvent(QEvent::Type(QEvent::User + 1)));
        QCoreApplication::processEvents();
        QCOMPARE(m_dialogs.messages.size(), 2);
        QCOMPARE(m_dialogs.messages[0].text, QStringLiteral("disk full"));
        QCOMPARE(m_dialogs.messages[0].kind, MessageKind::Error);
        QCOMPARE(m_dialogs.messages[1].text, QString());
    }

private:
    TestDialogs &m_dialogs;
};

int main(int argc, char *argv[])
{
    MarkwellApplication app(argc, argv);
    TestDialogs dialogs;
    app.setDialogs(&dialogs);
    TestMarkwellApplication test(dialogs);
    return QTest::qExec(&test, argc, argv);
}

#include "tst_MarkwellApplication.moc"
