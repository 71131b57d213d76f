#include "ConfigFile.h"

#include <QtTest>

#include <unistd.h>

using namespace markwell;

namespace {

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeFixture(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

StampSettings changedSettings()
{
    StampSettings s;
    s.markType = MarkType::Text;
    s.markText = QStringLiteral("Grüße");
    s.markFont.strikeOut = true;
    s.destMode = DestMode::Custom;
    s.ifExists = IfExists::Skip;
    s.outputPage = OutputPage::Reactions;
    s.languageFile = QStringLiteral("/opt/markwell/languages/deutsch.ini");
    return s;
}

} // namespace

class TestConfigFile : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void writeThenReadRestoresSettings();
    void readReportsEachFailure_data();
    void readReportsEachFailure();
    void writeReplacesAndLeavesNoTemporaryFile();
    void failedWriteKeepsDirectoryAtTarget();
    void failedWriteKeepsOldFileInReadOnlyFolder();
    void writeToMissingFolderFails();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestConfigFile::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void TestConfigFile::writeThenReadRestoresSettings()
{
    const QString path = m_dir->filePath(QStringLiteral("startup.config"));
    QString error;
    QVERIFY2(writeConfigFile(path, changedSettings(), &error), qPrintable(error));

    const ConfigFileResult result = readConfigFile(path);
    QCOMPARE(result.status, ConfigFileStatus::Loaded);
    QVERIFY(result.settings == changedSettings());
}

void TestConfigFile::readReportsEachFailure_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<ConfigFileStatus>("status");

    QTest::addRow("missing") << "missing" << ConfigFileStatus::Missing;
    QTest::addRow("a folder") << "folder" << ConfigFileStatus::Unreadable;
    QTest::addRow("empty file") << "empty" << ConfigFileStatus::BadMagic;
    QTest::addRow("wrong magic") << "magic" << ConfigFileStatus::BadMagic;
    QTest::addRow("cut short") << "short" << ConfigFileStatus::Corrupt;
}

void TestConfigFile::readReportsEachFailure()
{
    QFETCH(QString, kind);
    QFETCH(ConfigFileStatus, status);

    const QString path = m_dir->filePath(QStringLiteral("named.config"));
    const QByteArray valid = encodeConfig(changedSettings());
    if (kind == QLatin1String("folder"))
        QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("named.config")));
    else if (kind == QLatin1String("empty"))
        QVERIFY(writeFixture(path, {}));
    else if (kind == QLatin1String("magic"))
        QVERIFY(writeFixture(path, QByteArray("ORBISCNX") + valid.sliced(8)));
    else if (kind == QLatin1String("short"))
        QVERIFY(writeFixture(path, valid.first(20)));

    const ConfigFileResult result = readConfigFile(path);
    QCOMPARE(result.status, status);
    QVERIFY(result.settings == StampSettings{});
}

void TestConfigFile::writeReplacesAndLeavesNoTemporaryFile()
{
    const QString path = m_dir->filePath(QStringLiteral("named.config"));
    QVERIFY(writeFixture(path, "old contents that are longer than the new ones"));

    QString error;
    QVERIFY2(writeFileAtomically(path, "new", &error), qPrintable(error));
    QCOMPARE(readAll(path), QByteArray("new"));
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList{QStringLiteral("named.config")});
}

void TestConfigFile::failedWriteKeepsDirectoryAtTarget()
{
    QDir dir(m_dir->path());
    QVERIFY(dir.mkdir(QStringLiteral("named.config")));
    const QString inside = dir.filePath(QStringLiteral("named.config/kept.txt"));
    QVERIFY(writeFixture(inside, "kept"));

    QString error;
    QVERIFY(!writeFileAtomically(dir.filePath(QStringLiteral("named.config")), "new", &error));
    QVERIFY(!error.isEmpty());
    QCOMPARE(readAll(inside), QByteArray("kept"));
    QCOMPARE(dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList{QStringLiteral("named.config")});
}

void TestConfigFile::failedWriteKeepsOldFileInReadOnlyFolder()
{
    if (geteuid() == 0)
        QSKIP("permissions do not bind the root user");

    const QString folder = m_dir->filePath(QStringLiteral("locked"));
    QVERIFY(QDir().mkdir(folder));
    const QString path = folder + QStringLiteral("/named.config");
    QVERIFY(writeFixture(path, "old"));
    QVERIFY(QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    const auto unlock = qScopeGuard([&folder] {
        QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    });

    QString error;
    QVERIFY(!writeFileAtomically(path, "new", &error));
    QVERIFY(!error.isEmpty());
    QCOMPARE(readAll(path), QByteArray("old"));
}

void TestConfigFile::writeToMissingFolderFails()
{
    const QString path = m_dir->filePath(QStringLiteral("absent/named.config"));
    QString error;
    QVERIFY(!writeFileAtomically(path, "new", &error));
    QVERIFY(!error.isEmpty());
    QVERIFY(!QFileInfo::exists(path));
}

QTEST_GUILESS_MAIN(TestConfigFile)
#include "tst_ConfigFile.moc"
