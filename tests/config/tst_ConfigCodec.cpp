#include "ConfigCodec.h"

#include <QtTest>

#include <limits>

using namespace markwell;

namespace markwell {

// Lets QCOMPARE show both records when they differ.
char *toString(const StampSettings &s)
{
    const StampFont &f = s.markFont;
    const QString text =
        QStringLiteral("{type %1, picture \"%2\", text \"%3\", font \"%4\" %5 #%6 b%7 i%8 u%9 s%10, "
                       "position %11, x \"%12\" from %13, y \"%14\" from %15, marker %16/%17, dest %18, "
                       "folder \"%19\", exists %20, page %21, format %22, quality %23, language \"%24\"}")
            .arg(qint32(s.markType))
            .arg(s.markImagePath, s.markText, f.face)
            .arg(f.pointSize)
            .arg(f.color, 6, 16, QLatin1Char('0'))
            .arg(int(f.bold))
            .arg(int(f.italic))
            .arg(int(f.underline))
            .arg(int(f.strikeOut))
            .arg(qint32(s.positionType))
            .arg(s.xOffsetText)
            .arg(qint32(s.xOffsetFrom))
            .arg(s.yOffsetText)
            .arg(qint32(s.yOffsetFrom))
            .arg(s.markLeft)
            .arg(s.markTop)
            .arg(qint32(s.destMode))
            .arg(s.customFolder)
            .arg(qint32(s.ifExists))
            .arg(qint32(s.outputPage))
            .arg(qint32(s.outputFormat))
            .arg(s.jpegQuality)
            .arg(s.languageFile);
    return QTest::toString(text);
}

} // namespace markwell

namespace {

// Builds configuration bytes by hand, so the fixtures do not depend on the encoder.
class ByteBuilder
{
public:
    ByteBuilder &raw(QByteArrayView bytes)
    {
        m_bytes.append(bytes);
        return *this;
    }

    ByteBuilder &int32(qint32 value)
    {
        const auto bits = static_cast<quint32>(value);
        for (int shift = 0; shift < 32; shift += 8)
            m_bytes.append(static_cast<char>((bits >> shift) & 0xFF));
        return *this;
    }

    ByteBuilder &flag(quint8 value)
    {
        m_bytes.append(static_cast<char>(value));
        return *this;
    }

    ByteBuilder &string(QByteArrayView utf8) { return int32(static_cast<qint32>(utf8.size())).raw(utf8); }

    qsizetype size() const { return m_bytes.size(); }
    QByteArray bytes() const { return m_bytes; }

private:
    QByteArray m_bytes;
};

// The stored form of every field, as raw values.
struct RawFields
{
    qint32 markType = 1;
    QByteArray markImagePath = "/pics/logo.png";
    QByteArray markText = "Gr\xC3\xBC\xC3\x9F\x65"; // "Grüße"
    QByteArray face = "\xE5\xAE\x8B\xE4\xBD\x93";   // "宋体"
    qint32 pointSize = 14;
    qint32 color = 0x00336699;
    quint8 bold = 1, italic = 0, underline = 0, strikeOut = 1;
    qint32 positionType = 0;
    QByteArray xOffsetText = "-15";
    QByteArray yOffsetText = "42";
    qint32 xOffsetFrom = 1;
    qint32 yOffsetFrom = 1;
    qint32 markLeft = 33;
    qint32 markTop = 120;
    quint8 origDir = 0, customDir = 1;
    QByteArray customFolder = "/srv/out";
    quint8 overwrite = 0, skip = 1, ask = 0;
    qint32 page = fileFormatPageIdentity;
    qint32 outputFormat = 5;
    qint32 jpegQuality = 37;
    QByteArray languageFile = "/opt/markwell/languages/deutsch.ini";
};

// Where some fields begin in a built file.
struct FieldOffsets
{
    qsizetype markImagePath = 0;
    qsizetype markText = 0;
    qsizetype bold = 0;
    qsizetype ask = 0;
    qsizetype languageFile = 0;
};

QByteArray buildFile(const RawFields &f, FieldOffsets *offsets = nullptr)
{
    FieldOffsets at;
    ByteBuilder b;
    b.raw("ORBISCNF").int32(f.markType);
    at.markImagePath = b.size();
    b.string(f.markImagePath);
    at.markText = b.size();
    b.string(f.markText).string(f.face).int32(f.pointSize).int32(f.color);
    at.bold = b.size();
    b.flag(f.bold).flag(f.italic).flag(f.underline).flag(f.strikeOut);
    b.int32(f.positionType).string(f.xOffsetText).string(f.yOffsetText);
    b.int32(f.xOffsetFrom).int32(f.yOffsetFrom).int32(f.markLeft).int32(f.markTop);
    b.flag(f.origDir).flag(f.customDir).string(f.customFolder);
    b.flag(f.overwrite).flag(f.skip);
    at.ask = b.size();
    b.flag(f.ask);
    b.int32(f.page).int32(f.outputFormat).int32(f.jpegQuality);
    at.languageFile = b.size();
    b.string(f.languageFile);
    if (offsets)
        *offsets = at;
    return b.bytes();
}

// The record that the default RawFields stand for.
StampSettings fixtureSettings()
{
    StampSettings s;
    s.markType = MarkType::Text;
    s.markImagePath = QStringLiteral("/pics/logo.png");
    s.markText = QStringLiteral("Grüße");
    s.markFont = {QStringLiteral("宋体"), 14, 0x00336699, true, false, false, true};
    s.positionType = PositionType::Absolute;
    s.xOffsetText = QStringLiteral("-15");
    s.yOffsetText = QStringLiteral("42");
    s.xOffsetFrom = XOffsetFrom::Right;
    s.yOffsetFrom = YOffsetFrom::Bottom;
    s.markLeft = 33;
    s.markTop = 120;
    s.destMode = DestMode::Custom;
    s.customFolder = QStringLiteral("/srv/out");
    s.ifExists = IfExists::Skip;
    s.outputPage = OutputPage::FileFormat;
    s.outputFormat = OutputFormat::Png;
    s.jpegQuality = 37;
    s.languageFile = QStringLiteral("/opt/markwell/languages/deutsch.ini");
    return s;
}

RawFields emptyStringFields()
{
    RawFields f;
    f.markImagePath = f.markText = f.face = f.xOffsetText = f.yOffsetText = f.customFolder = f.languageFile = {};
    f.origDir = 1;
    f.customDir = 0;
    f.skip = 0;
    f.ask = 1;
    f.page = reactionsPageIdentity;
    return f;
}

StampSettings emptyStringSettings()
{
    StampSettings s = fixtureSettings();
    s.markImagePath = s.markText = s.markFont.face = s.xOffsetText = s.yOffsetText = s.customFolder = s.languageFile =
        QString();
    s.destMode = DestMode::Original;
    s.ifExists = IfExists::Ask;
    s.outputPage = OutputPage::Reactions;
    return s;
}

} // namespace

class TestConfigCodec : public QObject
{
    Q_OBJECT

private slots:
    void handBuiltFileMatchesRecord_data();
    void handBuiltFileMatchesRecord();
    void allEmptyStringsMakeAn89ByteFile();
    void roundTrip_data();
    void roundTrip();
    void listCodesAreKeptAsStored();
    void flagGroups_data();
    void flagGroups();
    void pageIdentity_data();
    void pageIdentity();
    void writtenPageIdentitiesAreDistinctAndAboveOne();
    void fileEndingBeforeLanguageFileLoads();
    void everyOtherShorterFileIsRejected();
    void badStringLength_data();
    void badStringLength();
    void badMagic_data();
    void badMagic();
    void trailingBytesAreIgnored();
};

void TestConfigCodec::handBuiltFileMatchesRecord_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<StampSettings>("settings");

    QTest::addRow("every string empty") << buildFile(emptyStringFields()) << emptyStringSettings();
    QTest::addRow("every field set, non-ASCII text") << buildFile(RawFields{}) << fixtureSettings();
}

void TestConfigCodec::handBuiltFileMatchesRecord()
{
    QFETCH(QByteArray, bytes);
    QFETCH(StampSettings, settings);

    const ConfigDecodeResult decoded = decodeConfig(bytes);
    QCOMPARE(decoded.error, ConfigDecodeError::None);
    QCOMPARE(decoded.settings, settings);
    QCOMPARE(encodeConfig(settings), bytes);
}

void TestConfigCodec::allEmptyStringsMakeAn89ByteFile()
{
    QCOMPARE(encodeConfig(emptyStringSettings()).size(), 89);
}

void TestConfigCodec::roundTrip_data()
{
    QTest::addColumn<StampSettings>("settings");

    QTest::addRow("defaults") << StampSettings{};

    StampSettings changed;
    changed.markType = MarkType::Text;
    changed.markImagePath = QStringLiteral("/home/zoë/Bilder/stempel ü.png");
    changed.markText = QStringLiteral("© 2024 Δοκιμή — 試験");
    changed.markFont = {QStringLiteral("Noto Serif CJK SC"), 48, 0x00FF8001, true, false, false, true};
    changed.positionType = PositionType::Absolute;
    changed.xOffsetText = QStringLiteral("  -7x");
    changed.yOffsetText = QStringLiteral("١٢");
    changed.xOffsetFrom = XOffsetFrom::Right;
    changed.yOffsetFrom = YOffsetFrom::Bottom;
    changed.markLeft = -4;
    changed.markTop = 187;
    changed.destMode = DestMode::Custom;
    changed.customFolder = QStringLiteral("../ausgabe/größe");
    changed.ifExists = IfExists::Skip;
    changed.outputPage = OutputPage::FileFormat;
    changed.outputFormat = OutputFormat::Png;
    changed.jpegQuality = 37;
    changed.languageFile = QStringLiteral("/opt/markwell/languages/中文.ini");
    QTest::addRow("every field changed") << changed;

    changed.outputPage = OutputPage::Reactions;
    changed.ifExists = IfExists::Overwrite;
    changed.markFont.color = 0x00FFFFFF;
    QTest::addRow("reactions page, overwrite") << changed;

    changed.outputPage = OutputPage::DestFolder;
    changed.destMode = DestMode::Original;
    changed.ifExists = IfExists::Ask;
    QTest::addRow("destination page, original folder, ask") << changed;
}

void TestConfigCodec::roundTrip()
{
    QFETCH(StampSettings, settings);

    const ConfigDecodeResult decoded = decodeConfig(encodeConfig(settings));
    QCOMPARE(decoded.error, ConfigDecodeError::None);
    QCOMPARE(decoded.settings, settings);
}

void TestConfigCodec::listCodesAreKeptAsStored()
{
    RawFields f;
    f.markType = 7;
    f.positionType = -1;
    f.xOffsetFrom = 2;
    f.yOffsetFrom = std::numeric_limits<qint32>::min();
    f.outputFormat = 6;
    f.jpegQuality = 150;
    f.markLeft = -20;
    f.color = static_cast<qint32>(0xFF000000);
    const QByteArray bytes = buildFile(f);

    const ConfigDecodeResult decoded = decodeConfig(bytes);
    QCOMPARE(decoded.error, ConfigDecodeError::None);
    const StampSettings &s = decoded.settings;
    QCOMPARE(static_cast<qint32>(s.markType), 7);
    QCOMPARE(static_cast<qint32>(s.positionType), -1);
    QCOMPARE(static_cast<qint32>(s.xOffsetFrom), 2);
    QCOMPARE(static_cast<qint32>(s.yOffsetFrom), std::numeric_limits<qint32>::min());
    QCOMPARE(static_cast<qint32>(s.outputFormat), 6);
    QCOMPARE(s.jpegQuality, 150);
    QCOMPARE(s.markLeft, -20);
    QCOMPARE(s.markFont.color, 0xFF000000u);
    QCOMPARE(encodeConfig(s), bytes);
}

void TestConfigCodec::flagGroups_data()
{
    QTest::addColumn<QByteArray>("destFlags");   // original, custom
    QTest::addColumn<QByteArray>("existsFlags"); // overwrite, skip, ask
    QTest::addColumn<DestMode>("destMode");
    QTest::addColumn<IfExists>("ifExists");

    QTest::addRow("one flag each: first choices")
        << QByteArray("\1\0", 2) << QByteArray("\1\0\0", 3) << DestMode::Original << IfExists::Overwrite;
    QTest::addRow("one flag each: later choices")
        << QByteArray("\0\1", 2) << QByteArray("\0\1\0", 3) << DestMode::Custom << IfExists::Skip;
    QTest::addRow("any non-zero byte is set")
        << QByteArray("\0\xFF", 2) << QByteArray("\0\0\x80", 3) << DestMode::Custom << IfExists::Ask;
    QTest::addRow("all set: last wins") << QByteArray("\1\1", 2) << QByteArray("\1\1\1", 3) << DestMode::Custom
                                        << IfExists::Ask;
    QTest::addRow("first two set: second wins")
        << QByteArray("\1\1", 2) << QByteArray("\1\1\0", 3) << DestMode::Custom << IfExists::Skip;
    QTest::addRow("first and last set: last wins")
        << QByteArray("\1\0", 2) << QByteArray("\1\0\1", 3) << DestMode::Original << IfExists::Ask;
    QTest::addRow("none set: default choices")
        << QByteArray("\0\0", 2) << QByteArray("\0\0\0", 3) << DestMode::Original << IfExists::Ask;
}

void TestConfigCodec::flagGroups()
{
    QFETCH(QByteArray, destFlags);
    QFETCH(QByteArray, existsFlags);
    QFETCH(DestMode, destMode);
    QFETCH(IfExists, ifExists);

    RawFields f;
    f.origDir = static_cast<quint8>(destFlags[0]);
    f.customDir = static_cast<quint8>(destFlags[1]);
    f.overwrite = static_cast<quint8>(existsFlags[0]);
    f.skip = static_cast<quint8>(existsFlags[1]);
    f.ask = static_cast<quint8>(existsFlags[2]);

    const ConfigDecodeResult decoded = decodeConfig(buildFile(f));
    QCOMPARE(decoded.error, ConfigDecodeError::None);
    QCOMPARE(decoded.settings.destMode, destMode);
    QCOMPARE(decoded.settings.ifExists, ifExists);
}

void TestConfigCodec::pageIdentity_data()
{
    QTest::addColumn<qint32>("stored");
    QTest::addColumn<OutputPage>("page");

    QTest::addRow("0") << 0 << OutputPage::DestFolder;
    QTest::addRow("1") << 1 << OutputPage::Reactions;
    QTest::addRow("-5") << -5 << OutputPage::Reactions;
    QTest::addRow("lowest") << std::numeric_limits<qint32>::min() << OutputPage::Reactions;
    QTest::addRow("2") << 2 << OutputPage::DestFolder;
    QTest::addRow("12345") << 12345 << OutputPage::DestFolder;
    QTest::addRow("highest") << std::numeric_limits<qint32>::max() << OutputPage::DestFolder;
    QTest::addRow("destination identity") << destFolderPageIdentity << OutputPage::DestFolder;
    QTest::addRow("reactions identity") << reactionsPageIdentity << OutputPage::Reactions;
    QTest::addRow("file format identity") << fileFormatPageIdentity << OutputPage::FileFormat;
}

void TestConfigCodec::pageIdentity()
{
    QFETCH(qint32, stored);
    QFETCH(OutputPage, page);

    QCOMPARE(pageFromIdentity(stored), page);

    RawFields f;
    f.page = stored;
    const ConfigDecodeResult decoded = decodeConfig(buildFile(f));
    QCOMPARE(decoded.error, ConfigDecodeError::None);
    QCOMPARE(decoded.settings.outputPage, page);
}

void TestConfigCodec::writtenPageIdentitiesAreDistinctAndAboveOne()
{
    const QList<OutputPage> pages = {OutputPage::DestFolder, OutputPage::Reactions, OutputPage::FileFormat};
    QSet<qint32> seen;
    for (OutputPage page : pages) {
        const qint32 identity = ::markwell::pageIdentity(page);
        QVERIFY(identity > 1);
        QVERIFY(!seen.contains(identity));
        seen.insert(identity);
        QCOMPARE(pageFromIdentity(identity), page);
    }
}

void TestConfigCodec::fileEndingBeforeLanguageFileLoads()
{
    FieldOffsets at;
    const QByteArray bytes = buildFile(RawFields{}, &at);

    const ConfigDecodeResult decoded = decodeConfig(bytes.first(at.languageFile));
    QCOMPARE(decoded.error, ConfigDecodeError::None);
    StampSettings expected = fixtureSettings();
    expected.languageFile.clear();
    QCOMPARE(decoded.settings, expected);
}

// A missing string reads as empty, but every fixed-width field needs its bytes, so the
// only shorter file that loads is the one ending where the language file begins. A
// file ending where the picture path begins is refused: the font size and everything
// after it are missing.
void TestConfigCodec::everyOtherShorterFileIsRejected()
{
    FieldOffsets at;
    const QByteArray bytes = buildFile(RawFields{}, &at);

    for (qsizetype length = 0; length < bytes.size(); ++length) {
        if (length == at.languageFile)
            continue;
        const ConfigDecodeResult decoded = decodeConfig(bytes.first(length));
        const ConfigDecodeError expected = length < 8 ? ConfigDecodeError::BadMagic : ConfigDecodeError::Corrupt;
        if (decoded.error != expected)
            QFAIL(qPrintable(QStringLiteral("a file cut to %1 bytes was not refused").arg(length)));
        QCOMPARE(decoded.settings, StampSettings{});
    }
}

void TestConfigCodec::badStringLength_data()
{
    QTest::addColumn<bool>("languageFile"); // else the picture path, the first string
    QTest::addColumn<qint32>("length");
    QTest::addColumn<ConfigDecodeError>("error");

    // Three bytes of text follow the length in each case.
    QTest::addRow("last string, exact fit") << true << 3 << ConfigDecodeError::None;
    QTest::addRow("last string, one past the end") << true << 4 << ConfigDecodeError::Corrupt;
    QTest::addRow("last string, negative") << true << -1 << ConfigDecodeError::Corrupt;
    QTest::addRow("last string, huge") << true << 0x7FFFFFFF << ConfigDecodeError::Corrupt;
    QTest::addRow("first string, negative")
        << false << std::numeric_limits<qint32>::min() << ConfigDecodeError::Corrupt;
    QTest::addRow("first string, huge") << false << 0x7FFFFFFF << ConfigDecodeError::Corrupt;
}

void TestConfigCodec::badStringLength()
{
    QFETCH(bool, languageFile);
    QFETCH(qint32, length);
    QFETCH(ConfigDecodeError, error);

    FieldOffsets at;
    const QByteArray whole = buildFile(RawFields{}, &at);
    const qsizetype start = languageFile ? at.languageFile : at.markImagePath;
    const QByteArray bytes = ByteBuilder().raw(whole.first(start)).int32(length).raw("abc").bytes();

    const ConfigDecodeResult decoded = decodeConfig(bytes);
    QCOMPARE(decoded.error, error);
    if (decoded.ok())
        QCOMPARE(decoded.settings.languageFile, QStringLiteral("abc"));
    else
        QCOMPARE(decoded.settings, StampSettings{});
}

void TestConfigCodec::badMagic_data()
{
    const QByteArray valid = buildFile(RawFields{});
    QTest::addColumn<QByteArray>("bytes");

    QTest::addRow("empty") << QByteArray();
    QTest::addRow("seven bytes of the magic") << QByteArray("ORBISCN");
    QTest::addRow("lower case") << QByteArray("orbiscnf") + valid.sliced(8);
    QTest::addRow("last byte differs") << QByteArray("ORBISCNG") + valid.sliced(8);
    QTest::addRow("magic one byte late") << QByteArray(" ") + valid;
}

void TestConfigCodec::badMagic()
{
    QFETCH(QByteArray, bytes);

    const ConfigDecodeResult decoded = decodeConfig(bytes);
    QCOMPARE(decoded.error, ConfigDecodeError::BadMagic);
    QCOMPARE(decoded.settings, StampSettings{});
}

void TestConfigCodec::trailingBytesAreIgnored()
{
    const QByteArray bytes = buildFile(RawFields{}) + QByteArray("\xFF\xFF\xFF\xFFtrailing", 12);

    const ConfigDecodeResult decoded = decodeConfig(bytes);
    QCOMPARE(decoded.error, ConfigDecodeError::None);
    QCOMPARE(decoded.settings, fixtureSettings());
}

QTEST_GUILESS_MAIN(TestConfigCodec)
#include "tst_ConfigCodec.moc"
