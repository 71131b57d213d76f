#include "IniFile.h"

#include <QFile>

namespace markwell {

namespace {

bool sameName(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

QString unquoted(const QString &value)
{
    if (value.size() >= 2) {
        const QChar first = value.front();
        if ((first == u'"' || first == u'\'') && value.back() == first)
            return value.mid(1, value.size() - 2);
    }
    return value;
}

} // namespace

IniFile::IniFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return;
    QByteArray bytes = file.readAll();
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes.remove(0, 3);
    parse(QString::fromUtf8(bytes));
}

void IniFile::parse(const QString &text)
{
    QString normalised = text;
    normalised.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    normalised.replace(u'\r', u'\n');

    // Lines of a repeated section, and lines before the first section, go nowhere.
    qsizetype current = -1;
    const QStringList lines = normalised.split(u'\n');
    for (const QString &rawLine : lines) {
        const QString line = rawLine.trimmed();
        if (line.isEmpty() || line.startsWith(u';'))
            continue;

        if (line.startsWith(u'[')) {
            const qsizetype close = line.indexOf(u']');
            if (close < 0)
                continue;
            const QString name = line.mid(1, close - 1).trimmed();
            if (findSection(name)) {
                current = -1;
            } else {
                m_sections.append(Section{name, {}});
                current = m_sections.size() - 1;
            }
            continue;
        }

        const qsizetype equals = line.indexOf(u'=');
        if (equals < 0 || current < 0)
            continue;
        const QString key = line.left(equals).trimmed();
        if (key.isEmpty())
            continue;
        m_sections[current].entries.append(Entry{key, unquoted(line.mid(equals + 1).trimmed())});
    }
}

const IniFile::Section *IniFile::findSection(const QString &name) const
{
    for (const Section &section : m_sections) {
        if (sameName(section.name, name))
            return &section;
    }
    return nullptr;
}

QStringList IniFile::sectionKeys(const QString &section) const
{
    QStringList keys;
    if (const Section *found = findSection(section)) {
        for (const Entry &entry : found->entries)
            keys.append(entry.key);
    }
    return keys;
}

QString IniFile::readString(const QString &section, const QString &key, const QString &defaultValue) const
{
    if (const Section *found = findSection(section)) {
        for (const Entry &entry : found->entries) {
            if (sameName(entry.key, key))
                return entry.value;
        }
    }
    return defaultValue;
}

} // namespace markwell
