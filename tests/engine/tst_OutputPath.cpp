#include "OutputPath.h"

#include <QTest>

using namespace markwell;

class TestOutputPath : public QObject
{
    Q_OBJECT

private slots:
    void path_data();
    void path();
};

void TestOutputPath::path_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<DestMode>("destMode");
    QTest::addColumn<QString>("customFolder");
    QTest::addColumn<OutputFormat>("format");
    QTest::addColumn<QString>("expected");

    QTest::addRow("original folder, JPEG")
        << "/pics/Beach.JPG" << DestMode::Original << "" << OutputFormat::Jpeg << "/pics/stamped_Beach.jpg";
    QTest::addRow("custom folder, PNG") << "/pics/Beach.JPG" << DestMode::Custom << "/out" << OutputFormat::Png
                                        << "/out/stamped_Beach.png";
    QTest::addRow("custom folder with separator keeps case")
        << "/pics/Beach.JPG" << DestMode::Custom << "/out/" << OutputFormat::Original << "/out//stamped_Beach.JPG";
    QTest::addRow("no extension gets one")
        << "/pics/scan" << DestMode::Original << "" << OutputFormat::Tiff << "/pics/stamped_scan.tif";
    QTest::addRow("original format keeps extension")
        << "/pics/a.jpeg" << DestMode::Original << "" << OutputFormat::Original << "/pics/stamped_a.jpeg";
    QTest::addRow("long extension replaced")
        << "/pics/a.jpeg" << DestMode::Original << "" << OutputFormat::Jpeg << "/pics/stamped_a.jpg";
    QTest::addRow("last dot only") << "/pics/a.b.png" << DestMode::Original << "" << OutputFormat::Photoshop
                                   << "/pics/stamped_a.b.psd";
    QTest::addRow("dot in folder, none in name")
        << "/pic.s/scan" << DestMode::Original << "" << OutputFormat::Tga << "/pic.s/stamped_scan.tga";
    QTest::addRow("prefix doubles") << "/pics/stamped_x.png" << DestMode::Original << "" << OutputFormat::Original
                                    << "/pics/stamped_stamped_x.png";
    QTest::addRow("default custom folder")
        << "/pics/a.png" << DestMode::Custom << "./" << OutputFormat::Original << ".//stamped_a.png";
    QTest::addRow("bare file name") << "a.png" << DestMode::Original << "" << OutputFormat::Original << "stamped_a.png";
}

void TestOutputPath::path()
{
    QFETCH(QString, source);
    QFETCH(DestMode, destMode);
    QFETCH(QString, customFolder);
    QFETCH(OutputFormat, format);
    QFETCH(QString, expected);

    QCOMPARE(outputPath(source, destMode, customFolder, format), expected);
}

QTEST_GUILESS_MAIN(TestOutputPath)
#include "tst_OutputPath.moc"
