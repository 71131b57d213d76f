#include "TLanguage.h"

#include "IniFile.h"

#include <QDir>

namespace markwell {

QStringList TLanguage::FindLanguageFiles(const QString &folder)
{
    QString prefix = folder;
    if (!prefix.endsWith(u'/'))
        prefix += u'/';

    const QDir dir(prefix);
    const QStringList names = dir.entryList(
        {QStringLiteral("*.ini")}, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    QStringList paths;
    paths.reserve(names.size());
    for (const QString &name : names)
        paths.append(prefix + name);
    return paths;
}

TLanguageHeader TLanguage::ReadHeader(const QString &path)
{
    const IniFile ini(path);
    return TLanguageHeader{ini.readString(QStringLiteral("language"), QStringLiteral("id"), QString())};
}

void TLanguage::Load(const QString &path)
{
    m_strings.clear();

    const QString section = QStringLiteral("general");
    const IniFile ini(path);
    const QStringList keys = ini.sectionKeys(section);
    for (const QString &key : keys) {
        if (!m_strings.contains(key))
            m_strings.insert(key, ini.readString(section, key, QString()));
    }
    m_fileName = path;
}

QString TLanguage::GetText(const QString &key) const
{
    return m_strings.value(key);
}

} // namespace markwell
