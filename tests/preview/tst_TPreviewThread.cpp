#include "TPreviewThread.h"

#include <QImage>
#include <QTemporaryDir>
#include <QTest>

using namespace markwell;

namespace {

// A window stand-in: its request is what the controls would hold.
class FakeWindow final : public QObject, public PreviewHost
{
public:
    std::atomic<bool> active{true};
    PreviewRequest request;
    int captures = 0;
    QList<PreviewRefusal> messages;
    QList<QImage> pictures;

    bool previewActive() const override { return active.load(); }
    PreviewRequest capturePreviewRequest() const override
    {
        ++const_cast<FakeWindow *>(this)->captures;
        return request;
    }
    void showPreviewMessage(const PreviewRefusal &refusal) override { messages.append(refusal); }
    void showPreviewPicture(const QImage &picture) override { pictures.append(picture); }
};

} // namespace

class TestTPreviewThread : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void rendersWhenAWatchedValueChanges();
    void forceRefreshRendersOnce();
    void noRenderWhileInactive();
    void offsetMessageOncePerChange();
    void stopsWhileWaitingForTheWindow();

private:
    QString path(const QString &name) const { return m_dir->filePath(name); }
    void startThread();

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<FakeWindow> m_window;
    std::unique_ptr<TPreviewThread> m_thread;
};

void TestTPreviewThread::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    for (const QString &name : QStringList{"a.png", "b.png"}) {
        QImage item(40, 30, QImage::Format_RGB888);
        item.fill(Qt::white);
        QVERIFY(item.save(path(name)));
    }
    QImage stamp(4, 3, QImage::Format_RGB888);
    stamp.fill(Qt::blue);
    QVERIFY(stamp.save(path("stamp.png")));

    m_window = std::make_unique<FakeWindow>();
    m_window->request.itemPath = path("a.png");
    m_window->request.settings.markImagePath = path("stamp.png");
    m_window->request.marker = QRect(9, 9, 47, 20);
    m_window->request.box = QRect(8, 8, 200, 200);
    m_window->request.paneSize = QSize(214, 151);
    m_window->request.stampCoordsIntegersText = QStringLiteral("whole numbers");
}

void TestTPreviewThread::cleanup()
{
    m_thread.reset();
    m_window.reset();
}

void TestTPreviewThread::startThread()
{
    m_thread = std::make_unique<TPreviewThread>(*m_window, m_window.get(), path("markwell_preview.bmp"));
    m_thread->Interval = 20;
    m_thread->start();
}

void TestTPreviewThread::rendersWhenAWatchedValueChanges()
{
    startThread();
    QTRY_COMPARE(m_window->pictures.size(), 1);
    QCOMPARE(m_window->pictures[0].size(), QSize(214, 160));

    // Nothing watched changed: cycles go on, but nothing renders.
    const int captures = m_window->captures;
    QTRY_VERIFY(m_window->captures > captures + 3);
    QCOMPARE(m_thread->renderCount(), 1);

    m_window->request.itemPath = path("b.png");
    QTRY_COMPARE(m_window->pictures.size(), 2);
    m_window->request.settings.markFont.bold = true; // not watched
    m_window->request.marker.setSize(QSize(80, 20)); // not watched
    const int later = m_window->captures;
    QTRY_VERIFY(m_window->captures > later + 3);
    QCOMPARE(m_thread->renderCount(), 2);
    QVERIFY(!QFile::exists(path("markwell_preview.bmp")));
}

void TestTPreviewThread::forceRefreshRendersOnce()
{
    startThread();
    QTRY_COMPARE(m_thread->renderCount(), 1);
    m_thread->setForceRefresh();
    QTRY_COMPARE(m_thread->renderCount(), 2);
    const int captures = m_window->captures;
    QTRY_VERIFY(m_window->captures > captures + 3);
    QCOMPARE(m_thread->renderCount(), 2);
}

void TestTPreviewThread::noRenderWhileInactive()
{
    m_window->active = false;
    startThread();
    QTest::qWait(100);
    QCOMPARE(m_window->captures, 0);
    QCOMPARE(m_thread->renderCount(), 0);
    m_window->active = true;
    QTRY_COMPARE(m_thread->renderCount(), 1);
}

void TestTPreviewThread::offsetMessageOncePerChange()
{
    m_window->request.settings.positionType = PositionType::Absolute;
    m_window->request.settings.xOffsetText = QStringLiteral("1.5");
    startThread();
    QTRY_COMPARE(m_window->messages.size(), 1);
    QCOMPARE(m_window->messages[0].text, QStringLiteral("whole numbers"));
    const int captures = m_window->captures;
    QTRY_VERIFY(m_window->captures > captures + 3);
    QCOMPARE(m_window->messages.size(), 1);

    m_window->request.settings.xOffsetText = QStringLiteral("1.6");
    QTRY_COMPARE(m_window->messages.size(), 2);
    QCOMPARE(m_thread->renderCount(), 0);
}

void TestTPreviewThread::stopsWhileWaitingForTheWindow()
{
    // The window's thread does not serve the capture (it is busy destroying the
    // window): stopping must not wait for it.
    startThread();
    QThread::msleep(100); // no events are processed during a plain sleep
    m_thread->requestStop();
    QVERIFY(m_thread->wait(2000));
}

QTEST_MAIN(TestTPreviewThread)
#include "tst_TPreviewThread.moc"
