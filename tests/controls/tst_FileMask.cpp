#include "FileMask.h"

#include <QTest>

using markwell::matchesFileFilter;
using markwell::matchesFileMask;

class TestFileMask : public QObject
{
    Q_OBJECT

private slots:
    void mask_data();
    void mask();
    void filter_data();
    void filter();
};

void TestFileMask::mask_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("mask");
    QTest::addColumn<bool>("expected");

    QTest::addRow("extension in other case") << "/photos/PHOTO.JPG"
                                             << "*.jpg" << true;
    QTest::addRow("other extension") << "/photos/notes.txt"
                                     << "*.jpg" << false;
    QTest::addRow("mask must reach the end") << "/photos/a.jpg.txt"
                                             << "*.jpg" << false;
    QTest::addRow("mask must start at the beginning") << "/photos/a.jpg"
                                                      << "a.jpg" << false;
    QTest::addRow("star crosses folders") << "/dir/sub/a.png"
                                          << "/dir*.png" << true;
    QTest::addRow("star matches nothing") << "a.png"
                                          << "a*.png" << true;
    QTest::addRow("only letters a-z fold case")
        << QString::fromUtf8("\xc3\xa9.jpg") << QString::fromUtf8("\xc3\x89.jpg") << false;
    QTest::addRow("question mark takes one") << "abc"
                                             << "a?c" << true;
    QTest::addRow("question mark takes no less") << "ac"
                                                 << "a?c" << false;
    QTest::addRow("question mark takes no more") << "abbc"
                                                 << "a?c" << false;
    QTest::addRow("question mark after star adds nothing") << "a"
                                                           << "a*?" << true;
    QTest::addRow("question marks after star add nothing") << "a"
                                                           << "a*??" << true;
    QTest::addRow("question mark before star counts") << ""
                                                      << "?*" << false;
    QTest::addRow("backtracking over several stars") << "a_x_b_x_c.tif"
                                                     << "*x*c.tif" << true;
    QTest::addRow("several stars without a match") << "aaaaaaaaaaaaaaaaaaaab"
                                                   << "*a*a*a*a*a*c" << false;
    QTest::addRow("range") << "b.tga"
                           << "[a-c].tga" << true;
    QTest::addRow("range ignores case") << "B.TGA"
                                        << "[a-c].tga" << true;
    QTest::addRow("outside range") << "d.tga"
                                   << "[a-c].tga" << false;
    QTest::addRow("single characters in a set") << "y.psd"
                                                << "[xyz].psd" << true;
    QTest::addRow("negated set") << "x.bmp"
                                 << "[!a-c].bmp" << true;
    QTest::addRow("negated set ignores case") << "A.bmp"
                                              << "[!a-c].bmp" << false;
    QTest::addRow("dash outside a set") << "a-b"
                                        << "a-b" << true;
    QTest::addRow("blank is part of the mask") << "a.jpg"
                                               << " *.jpg" << false;
    QTest::addRow("unclosed set") << "[.jpg"
                                  << "[.jpg" << false;
    QTest::addRow("empty set") << "a"
                               << "[]" << false;
    QTest::addRow("empty negated set") << "a"
                                       << "[!]" << false;
    QTest::addRow("range without first character") << "-"
                                                   << "[-a]" << false;
    QTest::addRow("range without last character") << "a"
                                                  << "[a-]" << false;
}

void TestFileMask::mask()
{
    QFETCH(QString, text);
    QFETCH(QString, mask);
    QFETCH(bool, expected);
    QCOMPARE(matchesFileMask(text, mask), expected);
}

void TestFileMask::filter_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("filter");
    QTest::addColumn<bool>("expected");

    const QString images = QStringLiteral("*.bmp;*.jpg;*.jpeg;*.tif;*.png;*.tga;*.psd");
    QTest::addRow("image filter takes an image") << "/photos/Summer.JpEg" << images << true;
    QTest::addRow("image filter takes the last mask") << "/photos/layers.PSD" << images << true;
    QTest::addRow("image filter refuses text") << "/photos/notes.txt" << images << false;
    QTest::addRow("image filter refuses a plain folder name") << "/photos/Holiday" << images << false;
    QTest::addRow("empty filter takes anything") << "/photos/Holiday"
                                                 << "" << true;
    QTest::addRow("empty pieces skipped") << "a.bmp"
                                          << ";*.jpg;;*.bmp;" << true;
    QTest::addRow("blank after semicolon starts the mask") << "a.png"
                                                           << "*.jpg; *.png" << false;
    QTest::addRow("blank after semicolon takes leading blank") << " a.png"
                                                               << "*.jpg; *.png" << true;
    QTest::addRow("semicolons only match themselves") << ";;"
                                                      << ";;" << true;
    QTest::addRow("semicolons only take nothing else") << "a.jpg"
                                                       << ";;" << false;
    QTest::addRow("malformed mask does not stop the others") << "a.png"
                                                             << "[a-;*.png" << true;
}

void TestFileMask::filter()
{
    QFETCH(QString, text);
    QFETCH(QString, filter);
    QFETCH(bool, expected);
    QCOMPARE(matchesFileFilter(text, filter), expected);
}

QTEST_MAIN(TestFileMask)
#include "tst_FileMask.moc"
