#include "IniFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using markwell::IniFile;

class TestIniFile : public QObject
{
    Q_OBJECT

private slots:
    void readString_data();
    void readString();
    void sectionKeys_data();
    void sectionKeys();
    void longValue();
    void unreadableFile_data();
    void unreadableFile();

private:
    QString writeFile(const QByteArray &content);

    QTemporaryDir m_dir;
    int m_fileCount = 0;
};

QString TestIniFile::writeFile(const QByteArray &content)
{
    const QString path = m_dir.filePath(QStringLiteral("file%1.ini").arg(++m_fileCount));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
        qFatal("cannot write test file %s", qPrintable(path));
    return path;
}

void TestIniFile::readString_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("expected");

    const QString fallback = QStringLiteral("<default>");

    QTest::addRow("exact names") << QByteArray("[general]\nExit=Quit\n") << "general"
                                 << "Exit"
                                 << "Quit";
    QTest::addRow("section name in other case") << QByteArray("[General]\nExit=Quit\n") << "GENERAL"
                                                << "Exit"
                                                << "Quit";
    QTest::addRow("key name in other case") << QByteArray("[general]\nExit=Quit\n") << "general"
                                            << "eXIT"
                                            << "Quit";
    QTest::addRow("blanks trimmed") << QByteArray("  [ general ]  \n \t Exit \t=  Quit now \t\n") << "general"
                                    << "Exit"
                                    << "Quit now";
    QTest::addRow("semicolon inside value") << QByteArray("[general]\nExit=Quit ; now\n") << "general"
                                            << "Exit"
                                            << "Quit ; now";
    QTest::addRow("equals sign inside value") << QByteArray("[general]\nExit=a=b\n") << "general"
                                              << "Exit"
                                              << "a=b";
    QTest::addRow("double quotes removed") << QByteArray("[general]\nExit=\"  Quit  \"\n") << "general"
                                           << "Exit"
                                           << "  Quit  ";
    QTest::addRow("single quotes removed") << QByteArray("[general]\nExit='Quit'\n") << "general"
                                           << "Exit"
                                           << "Quit";
    QTest::addRow("unmatched quotes kept") << QByteArray("[general]\nExit=\"Quit'\n") << "general"
                                           << "Exit"
                                           << "\"Quit'";
    QTest::addRow("lone quote kept") << QByteArray("[general]\nExit=\"\n") << "general"
                                     << "Exit"
                                     << "\"";
    QTest::addRow("inner quotes kept") << QByteArray("[general]\nExit=say \"hi\"\n") << "general"
                                       << "Exit"
                                       << "say \"hi\"";
    QTest::addRow("empty value is not the default") << QByteArray("[general]\nExit=\n") << "general"
                                                    << "Exit"
                                                    << "";
    QTest::addRow("first of a repeated key")
        << QByteArray("[general]\nExit=first\nEXIT=second\nExit=third\n") << "general"
        << "Exit"
        << "first";
    QTest::addRow("first of a repeated section")
        << QByteArray("[general]\nA=1\n[other]\nB=2\n[GENERAL]\nA=3\nC=4\n") << "general"
        << "A"
        << "1";
    QTest::addRow("repeated section adds no keys") << QByteArray("[general]\nA=1\n[general]\nC=4\n") << "general"
                                                   << "C" << fallback;
    QTest::addRow("comment line") << QByteArray("[general]\n;Exit=commented\n  ; Exit=indented\nExit=Quit\n")
                                  << "general"
                                  << "Exit"
                                  << "Quit";
    QTest::addRow("line without equals sign") << QByteArray("[general]\nExit\nExit=Quit\n") << "general"
                                              << "Exit"
                                              << "Quit";
    QTest::addRow("key in another section") << QByteArray("[general]\n[other]\nExit=Quit\n") << "general"
                                            << "Exit" << fallback;
    QTest::addRow("key before any section") << QByteArray("Exit=Quit\n[general]\n") << "general"
                                            << "Exit" << fallback;
    QTest::addRow("missing section") << QByteArray("[other]\nExit=Quit\n") << "general"
                                     << "Exit" << fallback;
    QTest::addRow("byte order mark and CRLF")
        << QByteArray("\xEF\xBB\xBF[general]\r\nExit=Quit\r\nNext=2\r\n") << "general"
        << "Exit"
        << "Quit";
    QTest::addRow("CR line ends") << QByteArray("[general]\rExit=Quit\rNext=2\r") << "general"
                                  << "Next"
                                  << "2";
    QTest::addRow("no line end at the end") << QByteArray("[general]\nExit=Quit") << "general"
                                            << "Exit"
                                            << "Quit";
    QTest::addRow("UTF-8 text") << QByteArray("[général]\nSchließen=Beenden – ändern 終了\n") << "GÉNÉRAL"
                                << "schließen" << QStringLiteral("Beenden – ändern 終了");
}

void TestIniFile::readString()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, expected);

    const IniFile ini(writeFile(content));
    QCOMPARE(ini.readString(section, key, QStringLiteral("<default>")), expected);
}

void TestIniFile::sectionKeys_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QStringList>("expected");

    QTest::addRow("file order, repeats listed") << QByteArray("[general]\nZed=1\nAlpha=2\nzed=3\n Mid =4\n")
                                                << "general" << QStringList{"Zed", "Alpha", "zed", "Mid"};
    QTest::addRow("only the named section")
        << QByteArray("[language]\nid=x\n[general]\nA=1\n[other]\nB=2\n") << "GENERAL" << QStringList{"A"};
    QTest::addRow("comments and lines without equals skipped")
        << QByteArray("[general]\n; A=1\nplain text\n\nB=2\n") << "general" << QStringList{"B"};
    QTest::addRow("repeated section ignored")
        << QByteArray("[general]\nA=1\n[other]\n[General]\nB=2\n") << "general" << QStringList{"A"};
    QTest::addRow("empty section") << QByteArray("[general]\n[other]\nA=1\n") << "general" << QStringList{};
    QTest::addRow("missing section") << QByteArray("[other]\nA=1\n") << "general" << QStringList{};
}

void TestIniFile::sectionKeys()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, section);
    QFETCH(QStringList, expected);

    const IniFile ini(writeFile(content));
    QCOMPARE(ini.sectionKeys(section), expected);
}

void TestIniFile::longValue()
{
    // Far beyond the 2047 characters the classic reader cut values to.
    QString value;
    for (int i = 0; value.size() < 5000; ++i)
        value += QString::number(i % 10);
    const IniFile ini(writeFile("[general]\nLong=" + value.toUtf8() + "\nAfter=1\n"));
    QCOMPARE(ini.readString("general", "Long", QString()), value);
    QCOMPARE(ini.readString("general", "After", QString()), QStringLiteral("1"));
}

void TestIniFile::unreadableFile_data()
{
    QTest::addColumn<QString>("path");
    QTest::addRow("missing file") << m_dir.filePath(QStringLiteral("missing.ini"));
    QTest::addRow("folder") << m_dir.path();
    QTest::addRow("empty path") << QString();
}

void TestIniFile::unreadableFile()
{
    QFETCH(QString, path);
    const IniFile ini(path);
    QVERIFY(ini.sectionKeys("general").isEmpty());
    QCOMPARE(ini.readString("general", "Exit", QStringLiteral("fallback")), QStringLiteral("fallback"));
}

QTEST_GUILESS_MAIN(TestIniFile)
#include "tst_IniFile.moc"
