#include "RequiredLanguageKeys.h"
#include "TLanguage.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using markwell::TLanguage;

using TextTable = QMap<QString, QString>;

class TestTLanguage : public QObject
{
    Q_OBJECT

private slots:
    void getTextMatchesExactKey();
    void repeatedKeyKeepsFirstValue();
    void secondLoadReplacesFirst();
    void loadWithoutTexts_data();
    void loadWithoutTexts();
    void readHeader_data();
    void readHeader();
    void findLanguageFiles_data();
    void findLanguageFiles();
    void findLanguageFilesInMissingFolder();
    void defaultLanguageIsShipped();
    void shippedLanguageFile_data();
    void shippedLanguageFile();

private:
    QString writeFile(const QString &name, const QByteArray &content);

    QTemporaryDir m_dir;
};

QString TestTLanguage::writeFile(const QString &name, const QByteArray &content)
{
    const QString path = m_dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
        qFatal("cannot write test file %s", qPrintable(path));
    return path;
}

void TestTLanguage::getTextMatchesExactKey()
{
    const QString path = writeFile(QStringLiteral("exact.ini"), "\xEF\xBB\xBF"
                                                                "[language]\r\nid=Deutsch\r\n"
                                                                "[General]\r\n"
                                                                "  Exit =  &Beenden  \r\n"
                                                                "FileExists=Datei \"vorhanden\"\r\n"
                                                                "Quoted=\" ; \"\r\n"
                                                                "Schließen=Schließen – 終了\r\n");
    TLanguage language;
    language.Load(path);

    QCOMPARE(language.Strings(), (TextTable{{"Exit", "&Beenden"},
                                            {"FileExists", "Datei \"vorhanden\""},
                                            {"Quoted", " ; "},
                                            {QStringLiteral("Schließen"), QStringLiteral("Schließen – 終了")}}));
    QCOMPARE(language.GetText("Exit"), QStringLiteral("&Beenden"));
    QCOMPARE(language.GetText(QStringLiteral("Schließen")), QStringLiteral("Schließen – 終了"));
    QCOMPARE(language.GetText("exit"), QString());
    QCOMPARE(language.GetText("EXIT"), QString());
    QCOMPARE(language.GetText("id"), QString());
    QCOMPARE(language.GetText("Missing"), QString());
    QCOMPARE(language.FileName(), path);
}

void TestTLanguage::repeatedKeyKeepsFirstValue()
{
    // The reader finds the first key of a name whatever its letter case, so a key written
    // again in another case gets the first value too; the table stores each spelling once.
    const QString path =
        writeFile(QStringLiteral("repeated.ini"), "[general]\nExit=first\nOther=o\nExit=second\nEXIT=third\n"
                                                  "[general]\nExit=other section\nLate=late\n");
    TLanguage language;
    language.Load(path);

    QCOMPARE(language.Strings(), (TextTable{{"Exit", "first"}, {"EXIT", "first"}, {"Other", "o"}}));
}

void TestTLanguage::secondLoadReplacesFirst()
{
    const QString first = writeFile(QStringLiteral("first.ini"), "[general]\nExit=Quit\nOnlyFirst=1\n");
    const QString second = writeFile(QStringLiteral("second.ini"), "[general]\nExit=Beenden\nOnlySecond=2\n");
    TLanguage language;
    language.Load(first);
    language.Load(second);

    QCOMPARE(language.Strings(), (TextTable{{"Exit", "Beenden"}, {"OnlySecond", "2"}}));
    QCOMPARE(language.GetText("OnlyFirst"), QString());
    QCOMPARE(language.FileName(), second);
}

void TestTLanguage::loadWithoutTexts_data()
{
    QTest::addColumn<QString>("path");
    QTest::addRow("missing file") << m_dir.filePath(QStringLiteral("missing.ini"));
    QTest::addRow("empty file") << writeFile(QStringLiteral("empty.ini"), "");
    QTest::addRow("no section general") << writeFile(QStringLiteral("nogeneral.ini"),
                                                     "[language]\nid=Nothing\n[generals]\nExit=Quit\n");
    QTest::addRow("folder") << m_dir.path();
}

void TestTLanguage::loadWithoutTexts()
{
    QFETCH(QString, path);
    TLanguage language;
    language.Load(writeFile(QStringLiteral("full.ini"), "[general]\nExit=Quit\n"));
    language.Load(path);

    QVERIFY(language.Strings().isEmpty());
    QCOMPARE(language.GetText("Exit"), QString());
    QCOMPARE(language.FileName(), path);
}

void TestTLanguage::readHeader_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("name");

    QTest::addRow("name") << writeFile(QStringLiteral("h1.ini"), "[general]\nid=Not this\n[language]\nid=English\n")
                          << "English";
    QTest::addRow("UTF-8 name, key in other case")
        << writeFile(QStringLiteral("h2.ini"), "[Language]\nID = Français\n") << QStringLiteral("Français");
    QTest::addRow("no key id") << writeFile(QStringLiteral("h3.ini"), "[language]\nname=English\n") << "";
    QTest::addRow("no section language") << writeFile(QStringLiteral("h4.ini"), "[general]\nExit=Quit\n") << "";
    QTest::addRow("missing file") << m_dir.filePath(QStringLiteral("missing.ini")) << "";
}

void TestTLanguage::readHeader()
{
    QFETCH(QString, path);
    QFETCH(QString, name);

    const QString loaded = writeFile(QStringLiteral("loaded.ini"), "[general]\nExit=Quit\n");
    TLanguage language;
    language.Load(loaded);

    QCOMPARE(TLanguage::ReadHeader(path).Name, name);
    QCOMPARE(language.Strings(), (TextTable{{"Exit", "Quit"}}));
    QCOMPARE(language.FileName(), loaded);
}

void TestTLanguage::findLanguageFiles_data()
{
    QTest::addColumn<bool>("trailingSlash");
    QTest::addRow("folder without trailing slash") << false;
    QTest::addRow("folder with trailing slash") << true;
}

void TestTLanguage::findLanguageFiles()
{
    QFETCH(bool, trailingSlash);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QDir folder(dir.path());
    for (const char *name :
         {"english.ini", "deutsch.ini", "UPPER.INI", ".hidden.ini", "notes.txt", "ini", "x.ini.bak"}) {
        QFile file(folder.filePath(QString::fromLatin1(name)));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    QVERIFY(folder.mkdir(QStringLiteral("extra.ini")));
    QVERIFY(folder.mkdir(QStringLiteral("other")));

    const QString prefix = dir.path() + u'/';
    const QString argument = trailingSlash ? prefix : dir.path();
    QCOMPARE(TLanguage::FindLanguageFiles(argument),
             (QStringList{prefix + ".hidden.ini", prefix + "UPPER.INI", prefix + "deutsch.ini", prefix + "english.ini",
                          prefix + "extra.ini"}));
}

void TestTLanguage::findLanguageFilesInMissingFolder()
{
    QVERIFY(TLanguage::FindLanguageFiles(m_dir.filePath(QStringLiteral("no such folder"))).isEmpty());
}

void TestTLanguage::defaultLanguageIsShipped()
{
    const QString languagesDir = QStringLiteral(MARKWELL_LANGUAGES_DIR);
    QVERIFY(TLanguage::FindLanguageFiles(languagesDir).contains(languagesDir + "/english.ini"));
    QCOMPARE(TLanguage::ReadHeader(languagesDir + "/english.ini").Name, QStringLiteral("English"));
}

void TestTLanguage::shippedLanguageFile_data()
{
    QTest::addColumn<QString>("path");
    const QStringList paths = TLanguage::FindLanguageFiles(QStringLiteral(MARKWELL_LANGUAGES_DIR));
    for (const QString &path : paths)
        QTest::addRow("%s", qPrintable(QFileInfo(path).fileName())) << path;
}

void TestTLanguage::shippedLanguageFile()
{
    QFETCH(QString, path);

    QVERIFY(!TLanguage::ReadHeader(path).Name.isEmpty());

    TLanguage language;
    language.Load(path);
    QStringList missing;
    for (const char *key : markwell::test::requiredLanguageKeys) {
        if (language.GetText(QString::fromLatin1(key)).isEmpty())
            missing.append(QString::fromLatin1(key));
    }
    QVERIFY2(missing.isEmpty(), qPrintable("no text for: " + missing.join(u", ")));
}

QTEST_GUILESS_MAIN(TestTLanguage)
#include "tst_TLanguage.moc"
