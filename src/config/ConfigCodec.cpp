#include "ConfigCodec.h"

#include <QByteArrayView>
#include <QString>

#include <algorithm>
#include <limits>
#include <optional>

namespace markwell {

namespace {

constexpr QByteArrayView configMagic("ORBISCNF");

class ConfigWriter
{
public:
    void writeRaw(QByteArrayView bytes) { m_bytes.append(bytes); }

    void writeInt(qint32 value)
    {
        const auto bits = static_cast<quint32>(value);
        const char le[4] = {static_cast<char>(bits & 0xFF), static_cast<char>((bits >> 8) & 0xFF),
                            static_cast<char>((bits >> 16) & 0xFF), static_cast<char>((bits >> 24) & 0xFF)};
        m_bytes.append(le, 4);
    }

    void writeFlag(bool value) { m_bytes.append(value ? '\1' : '\0'); }

    // WriteConfigString: the byte length, then the UTF-8 bytes with no terminator.
    void writeString(const QString &text)
    {
        const QByteArray utf8 = text.toUtf8();
        // No setting comes near 2 GiB; a longer text is cut so the stored length
        // always matches the bytes that follow it.
        const qsizetype length = std::min<qsizetype>(utf8.size(), std::numeric_limits<qint32>::max());
        writeInt(static_cast<qint32>(length));
        m_bytes.append(utf8.constData(), length);
    }

    QByteArray bytes() const { return m_bytes; }

private:
    QByteArray m_bytes;
};

// Reads fields from the front of the data. The first fault makes the reader fail and
// every later read yields nothing, so the caller checks once at the end.
class ConfigReader
{
public:
    explicit ConfigReader(QByteArrayView bytes)
        : m_bytes(bytes)
    {
    }

    bool failed() const { return m_failed; }

    QByteArrayView readRaw(qsizetype count)
    {
        if (m_failed || count < 0 || count > remaining()) {
            m_failed = true;
            return {};
        }
        const QByteArrayView part = m_bytes.sliced(m_pos, count);
        m_pos += count;
        return part;
    }

    qint32 readInt()
    {
        const QByteArrayView le = readRaw(4);
        if (le.size() != 4)
            return 0;
        const auto byteAt = [&le](int i) { return static_cast<quint32>(static_cast<quint8>(le[i])); };
        return static_cast<qint32>(byteAt(0) | (byteAt(1) << 8) | (byteAt(2) << 16) | (byteAt(3) << 24));
    }

    bool readFlag()
    {
        const QByteArrayView flag = readRaw(1);
        return flag.size() == 1 && flag[0] != '\0';
    }

    // ReadConfigString: a string field that begins at or past the end of the data
    // reads as empty. A length that is negative or reaches past the end fails the
    // whole read; the text is never allocated before its bytes are known to exist.
    QString readString()
    {
        if (m_failed || remaining() <= 0)
            return {};
        const qint32 length = readInt();
        const QByteArrayView text = readRaw(length);
        return m_failed ? QString() : QString::fromUtf8(text);
    }

private:
    qsizetype remaining() const { return m_bytes.size() - m_pos; }

    QByteArrayView m_bytes;
    qsizetype m_pos = 0;
    bool m_failed = false;
};

// A group of flags in file order: a non-zero flag selects its choice and clears the
// others, a zero flag clears only its own, so with several set the last one wins. A
// group with no set flag (which the writer never stores) falls back to the given
// choice, so exactly one choice always holds.
template <typename Choice> Choice applyFlagGroup(std::initializer_list<std::pair<bool, Choice>> flags, Choice fallback)
{
    std::optional<Choice> selected;
    for (const auto &[set, choice] : flags) {
        if (set)
            selected = choice;
    }
    return selected.value_or(fallback);
}

} // namespace

qint32 pageIdentity(OutputPage page)
{
    switch (page) {
    case OutputPage::Reactions:
        return reactionsPageIdentity;
    case OutputPage::FileFormat:
        return fileFormatPageIdentity;
    case OutputPage::DestFolder:
        break;
    }
    return destFolderPageIdentity;
}

OutputPage pageFromIdentity(qint32 stored)
{
    if (stored == 0)
        return OutputPage::DestFolder;
    if (stored <= 1)
        return OutputPage::Reactions;
    switch (stored) {
    case destFolderPageIdentity:
        return OutputPage::DestFolder;
    case reactionsPageIdentity:
        return OutputPage::Reactions;
    case fileFormatPageIdentity:
        return OutputPage::FileFormat;
    default:
        return OutputPage::DestFolder;
    }
}

QByteArray encodeConfig(const StampSettings &settings)
{
    ConfigWriter out;
    out.writeRaw(configMagic);
    out.writeInt(static_cast<qint32>(settings.markType));
    out.writeString(settings.markImagePath);
    out.writeString(settings.markText);
    out.writeString(settings.markFont.face);
    out.writeInt(settings.markFont.pointSize);
    out.writeInt(static_cast<qint32>(settings.markFont.color));
    out.writeFlag(settings.markFont.bold);
    out.writeFlag(settings.markFont.italic);
    out.writeFlag(settings.markFont.underline);
    out.writeFlag(settings.markFont.strikeOut);
    out.writeInt(static_cast<qint32>(settings.positionType));
    out.writeString(settings.xOffsetText);
    out.writeString(settings.yOffsetText);
    out.writeInt(static_cast<qint32>(settings.xOffsetFrom));
    out.writeInt(static_cast<qint32>(settings.yOffsetFrom));
    out.writeInt(settings.markLeft);
    out.writeInt(settings.markTop);
    out.writeFlag(settings.destMode == DestMode::Original);
    out.writeFlag(settings.destMode == DestMode::Custom);
    out.writeString(settings.customFolder);
    out.writeFlag(settings.ifExists == IfExists::Overwrite);
    out.writeFlag(settings.ifExists == IfExists::Skip);
    out.writeFlag(settings.ifExists == IfExists::Ask);
    out.writeInt(pageIdentity(settings.outputPage));
    out.writeInt(static_cast<qint32>(settings.outputFormat));
    out.writeInt(settings.jpegQuality);
    out.writeString(settings.languageFile);
    return out.bytes();
}

ConfigDecodeResult decodeConfig(const QByteArray &bytes)
{
    if (!QByteArrayView(bytes).startsWith(configMagic))
        return {ConfigDecodeError::BadMagic, {}};

    ConfigReader in(QByteArrayView(bytes).sliced(configMagic.size()));
    StampSettings s;
    s.markType = static_cast<MarkType>(in.readInt());
    s.markImagePath = in.readString();
    s.markText = in.readString();
    s.markFont.face = in.readString();
    s.markFont.pointSize = in.readInt();
    s.markFont.color = static_cast<quint32>(in.readInt());
    s.markFont.bold = in.readFlag();
    s.markFont.italic = in.readFlag();
    s.markFont.underline = in.readFlag();
    s.markFont.strikeOut = in.readFlag();
    s.positionType = static_cast<PositionType>(in.readInt());
    s.xOffsetText = in.readString();
    s.yOffsetText = in.readString();
    s.xOffsetFrom = static_cast<XOffsetFrom>(in.readInt());
    s.yOffsetFrom = static_cast<YOffsetFrom>(in.readInt());
    s.markLeft = in.readInt();
    s.markTop = in.readInt();
    const bool origDir = in.readFlag();
    const bool customDir = in.readFlag();
    s.destMode = applyFlagGroup({{origDir, DestMode::Original}, {customDir, DestMode::Custom}}, DestMode::Original);
    s.customFolder = in.readString();
    const bool overwrite = in.readFlag();
    const bool skip = in.readFlag();
    const bool ask = in.readFlag();
    s.ifExists =
        applyFlagGroup({{overwrite, IfExists::Overwrite}, {skip, IfExists::Skip}, {ask, IfExists::Ask}}, IfExists::Ask);
    s.outputPage = pageFromIdentity(in.readInt());
    s.outputFormat = static_cast<OutputFormat>(in.readInt());
    s.jpegQuality = in.readInt();
    s.languageFile = in.readString();

    if (in.failed())
        return {ConfigDecodeError::Corrupt, {}};
    return {ConfigDecodeError::None, s};
}

} // namespace markwell
