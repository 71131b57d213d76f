#include "RenderPreview.h"

#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>

using namespace markwell;

class TestRenderPreview : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void previewSizes_data();
    void previewSizes();
    void checks_data();
    void checks();
    void stampKeepsItsRelativePlace();
    void textStampIsDrawn();
    void nothingWhenAnInputDoesNotLoad_data();
    void nothingWhenAnInputDoesNotLoad();

private:
    QString path(const QString &name) const { return m_dir->filePath(name); }
    PreviewRequest pictureRequest() const;

    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestRenderPreview::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QImage item(400, 200, QImage::Format_RGB888);
    item.fill(Qt::white);
    QVERIFY(item.save(path("item.png")));
    QImage stamp(40, 20, QImage::Format_RGB888);
    stamp.fill(Qt::red);
    QVERIFY(stamp.save(path("stamp.png")));
}

PreviewRequest TestRenderPreview::pictureRequest() const
{
    PreviewRequest request;
    request.itemPath = path("item.png");
    request.settings.markImagePath = path("stamp.png");
    request.settings.markLeft = 160; // bottom-right of the box
    request.settings.markTop = 187;
    request.marker = QRect(160, 187, 47, 20);
    request.box = QRect(8, 8, 200, 200);
    request.paneSize = QSize(214, 151);
    return request;
}

void TestRenderPreview::previewSizes_data()
{
    QTest::addColumn<QSize>("image");
    QTest::addColumn<QSize>("expected");

    QTest::addRow("landscape, taller than the pane") << QSize(640, 480) << QSize(214, 160);
    QTest::addRow("portrait") << QSize(480, 640) << QSize(113, 151);
    QTest::addRow("square follows the portrait rule") << QSize(1000, 1000) << QSize(151, 151);
    QTest::addRow("small image enlarged") << QSize(100, 50) << QSize(214, 107);
    QTest::addRow("quotient first, square") << QSize(555, 555) << QSize(150, 151);
    QTest::addRow("quotient first, landscape") << QSize(212, 106) << QSize(214, 106);
    QTest::addRow("nothing loaded") << QSize(0, 0) << QSize(0, 151);
}

void TestRenderPreview::previewSizes()
{
    QFETCH(QSize, image);
    QFETCH(QSize, expected);
    QCOMPARE(previewSize(image, QSize(214, 151)), expected);
}

void TestRenderPreview::checks_data()
{
    QTest::addColumn<PreviewRequest>("request");
    QTest::addColumn<QString>("message");
    QTest::addColumn<MessageIcon>("icon");

    PreviewRequest request = pictureRequest();
    request.stampCoordsIntegersText = QStringLiteral("Offsets must be whole numbers.");
    request.settings.positionType = PositionType::Absolute;
    request.settings.xOffsetText = QStringLiteral("5 ");
    QTest::addRow("offsets") << request << "Offsets must be whole numbers." << MessageIcon::Error;
    request.settings.markImagePath.clear();
    QTest::addRow("then the stamp picture") << request << "Please set mark image." << MessageIcon::Information;
    request.itemPath.clear();
    QTest::addRow("first the item") << request << "Nothing to preview." << MessageIcon::Information;
    request = pictureRequest();
    QTest::addRow("a good request") << request << "" << MessageIcon::Information;
}

void TestRenderPreview::checks()
{
    QFETCH(PreviewRequest, request);
    QFETCH(QString, message);
    QFETCH(MessageIcon, icon);

    const auto refusal = checkPreviewRequest(request);
    QCOMPARE(refusal.has_value(), !message.isEmpty());
    if (refusal) {
        QCOMPARE(refusal->text, message);
        QCOMPARE(refusal->icon, icon);
    }
}

void TestRenderPreview::stampKeepsItsRelativePlace()
{
    const QString previewFile = path("markwell_preview.bmp");
    QFile stale(previewFile);
    QVERIFY(stale.open(QIODevice::WriteOnly));
    stale.write("stale");
    stale.close();

    const auto picture = RenderPreview(pictureRequest(), previewFile);
    QVERIFY(picture);
    QCOMPARE(picture->size(), QSize(214, 107));
    // The 40 x 20 stamp at the bottom-right of 400 x 200 covers the last tenth across
    // and the last tenth down, scaled with the image.
    QCOMPARE(picture->pixelColor(208, 103), QColor(Qt::red));
    QCOMPARE(picture->pixelColor(180, 103), QColor(Qt::white));
    QCOMPARE(picture->pixelColor(208, 80), QColor(Qt::white));
    QVERIFY(!QFile::exists(previewFile));
}

void TestRenderPreview::textStampIsDrawn()
{
    PreviewRequest request = pictureRequest();
    request.settings.markType = MarkType::Text;
    request.settings.markText = QStringLiteral("MMMM");
    request.settings.markFont.pointSize = 40;
    request.settings.positionType = PositionType::Absolute;
    request.settings.xOffsetText = QStringLiteral("0");
    request.settings.yOffsetText = QStringLiteral("0");

    const auto picture = RenderPreview(request, path("markwell_preview.bmp"));
    QVERIFY(picture);
    int dark = 0;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 50; ++x)
            dark += picture->pixelColor(x, y).lightness() < 128;
    QVERIFY(dark > 20);
    QCOMPARE(picture->pixelColor(200, 100), QColor(Qt::white));
}

void TestRenderPreview::nothingWhenAnInputDoesNotLoad_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("stamp");

    QTest::addRow("missing stamp picture") << "item.png"
                                           << "missing.png";
    QTest::addRow("missing item") << "missing.png"
                                  << "stamp.png";
}

void TestRenderPreview::nothingWhenAnInputDoesNotLoad()
{
    QFETCH(QString, item);
    QFETCH(QString, stamp);

    PreviewRequest request = pictureRequest();
    request.itemPath = path(item);
    request.settings.markImagePath = path(stamp);
    QVERIFY(!RenderPreview(request, path("markwell_preview.bmp")));
    QVERIFY(!QFile::exists(path("markwell_preview.bmp")));
}

QTEST_MAIN(TestRenderPreview)
#include "tst_RenderPreview.moc"
