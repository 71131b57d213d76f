// The streamed JPEG way gives the very file the general way through DevIL gives, and
// treats damaged sources and unwritable destinations as the general way does.

#include "JpegStream.h"
#include "tst_ImageOpsSupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace markwell;
using namespace imagetest;

namespace {

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QImage translucentStamp(bool colour)
{
    QImage stamp(30, 20, QImage::Format_RGBA8888);
    for (int y = 0; y < stamp.height(); ++y)
        for (int x = 0; x < stamp.width(); ++x)
            stamp.setPixelColor(x, y,
                                colour ? QColor(250, 40 + x * 5, 10, 60 + y * 9) : QColor(x * 8, x * 8, x * 8, 200));
    return stamp;
}

} // namespace

class TestJpegStream : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void sameFileAsTheGeneralWay_data();
    void sameFileAsTheGeneralWay();
    void textStampsStreamToo();
    void probeTakesOnlyWhatItCanStream_data();
    void probeTakesOnlyWhatItCanStream();
    void damagedSourceIsNotLoaded();
    void unwritableDestinationIsNotSaved();

private:
    QString path(const QString &name) const { return m_dir->filePath(name); }
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestJpegStream::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QImage photo(173, 91, QImage::Format_RGB888);
    for (int y = 0; y < photo.height(); ++y)
        for (int x = 0; x < photo.width(); ++x)
            photo.setPixelColor(x, y, QColor((x * 3) % 256, (y * 7) % 256, (x * y) % 256));
    QVERIFY(photo.save(path("colour.jpg"), "JPG", 90));
    QVERIFY(photo.convertToFormat(QImage::Format_Grayscale8).save(path("grey.jpg"), "JPG", 90));
}

void TestJpegStream::sameFileAsTheGeneralWay_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<bool>("colourStamp");
    QTest::addColumn<QPoint>("position");
    QTest::addColumn<int>("quality");

    QTest::addRow("colour, inside") << "colour.jpg" << true << QPoint(20, 30) << 80;
    QTest::addRow("colour, past the top left") << "colour.jpg" << true << QPoint(-12, -7) << 80;
    QTest::addRow("colour, past the bottom right") << "colour.jpg" << true << QPoint(160, 85) << 35;
    QTest::addRow("colour, all outside") << "colour.jpg" << true << QPoint(500, 500) << 99;
    QTest::addRow("grey under a grey stamp") << "grey.jpg" << false << QPoint(40, 40) << 80;
    QTest::addRow("grey under a coloured stamp") << "grey.jpg" << true << QPoint(40, 40) << 0;
}

void TestJpegStream::sameFileAsTheGeneralWay()
{
    QFETCH(QString, source);
    QFETCH(bool, colourStamp);
    QFETCH(QPoint, position);
    QFETCH(int, quality);

    const StampPicture stamp = stampOf(translucentStamp(colourStamp));
    QVERIFY(JpegStream::probe(path(source)));
    QCOMPARE(JpegStream::stampAndSave(path(source), stamp, position, quality, path("streamed.jpg")),
             JpegStream::Outcome::Saved);

    const Library library;
    ilSetInteger(IL_JPG_QUALITY, quality);
    DevilImage image;
    QVERIFY(loadImage(image, path(source)));
    QVERIFY(overlayStamp(image, stamp, position));
    QVERIFY(saveImage(image, path("general.jpg")));

    QCOMPARE(readFile(path("streamed.jpg")), readFile(path("general.jpg")));
}

void TestJpegStream::textStampsStreamToo()
{
    StampFont font;
    font.face = QStringLiteral("DejaVu Sans");
    font.pointSize = 24;
    font.color = 0x2080F0;
    font.italic = true;
    const QPoint position(150, 60); // reaches past the right and bottom edges
    const auto layer = textStampLayer(QStringLiteral("Wg Äy"), font, position, QSize(173, 91));
    QVERIFY(layer && !layer->stamp.size.isEmpty());
    QCOMPARE(JpegStream::stampAndSave(path("colour.jpg"), layer->stamp, layer->position, 80, path("streamed.jpg")),
             JpegStream::Outcome::Saved);

    const Library library;
    ilSetInteger(IL_JPG_QUALITY, 80);
    DevilImage image;
    QVERIFY(loadImage(image, path("colour.jpg")));
    QVERIFY(drawTextStamp(image, QStringLiteral("Wg Äy"), font, position));
    QVERIFY(saveImage(image, path("general.jpg")));
    QCOMPARE(readFile(path("streamed.jpg")), readFile(path("general.jpg")));
}

void TestJpegStream::probeTakesOnlyWhatItCanStream_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("streams");

    QTest::addRow("colour JPEG") << "colour.jpg" << true;
    QTest::addRow("grey JPEG") << "grey.jpg" << true;
    QTest::addRow("CMYK JPEG") << QStringLiteral(MARKWELL_SOURCE_DIR "/tests/engine/data/quadrants-cmyk.jpg") << false;
    QTest::addRow("PNG") << QStringLiteral(MARKWELL_SOURCE_DIR "/resources/glyphs/plus.png") << false;
    QTest::addRow("missing") << "missing.jpg" << false;
}

void TestJpegStream::probeTakesOnlyWhatItCanStream()
{
    QFETCH(QString, file);
    QFETCH(bool, streams);
    // Names without a folder are files of the test's own folder.
    QCOMPARE(JpegStream::probe(file.contains(u'/') ? file : path(file)).has_value(), streams);
}

void TestJpegStream::damagedSourceIsNotLoaded()
{
    QByteArray bytes = readFile(path("colour.jpg"));
    QFile cut(path("cut.jpg"));
    QVERIFY(cut.open(QIODevice::WriteOnly));
    cut.write(bytes.left(bytes.size() / 2));
    cut.close();
    QFile old(path("out.jpg"));
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write("old result");
    old.close();

    // The header reads well; the damage shows only while streaming.
    QVERIFY(JpegStream::probe(path("cut.jpg")));
    QCOMPARE(
        JpegStream::stampAndSave(path("cut.jpg"), stampOf(translucentStamp(true)), QPoint(1, 1), 80, path("out.jpg")),
        JpegStream::Outcome::NotLoaded);
    QCOMPARE(readFile(path("out.jpg")), QByteArray("old result"));
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files | QDir::Hidden),
             (QStringList{"colour.jpg", "cut.jpg", "grey.jpg", "out.jpg"}));
}

void TestJpegStream::unwritableDestinationIsNotSaved()
{
    const StampPicture stamp = stampOf(translucentStamp(true));
    QCOMPARE(JpegStream::stampAndSave(path("colour.jpg"), stamp, QPoint(1, 1), 80, path("missing/out.jpg")),
             JpegStream::Outcome::NotSaved);
    QDir(m_dir->path()).mkdir("taken.jpg");
    QCOMPARE(JpegStream::stampAndSave(path("colour.jpg"), stamp, QPoint(1, 1), 80, path("taken.jpg")),
             JpegStream::Outcome::NotSaved);
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files | QDir::Hidden), (QStringList{"colour.jpg", "grey.jpg"}));
}

QTEST_MAIN(TestJpegStream)
#include "tst_JpegStream.moc"
