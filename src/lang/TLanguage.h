#pragma once

#include <QMap>
#include <QString>
#include <QStringList>

namespace markwell {

// What the Language menu shows for one language file.
struct TLanguageHeader
{
    QString Name;
};

// The language table: every text the user reads is looked up here by key. A language
// file is an INI file; section "language" holds the display name under "id", section
// "general" holds the texts.
class TLanguage
{
public:
    // The paths of the "*.ini" entries of the folder (any letter case, folders and hidden
    // entries included), each the folder text with a trailing "/" followed by the name,
    // sorted by name. A missing folder gives an empty list.
    static QStringList FindLanguageFiles(const QString &folder);

    // The display name of a language file; empty when the file, the section or the key
    // is missing.
    static TLanguageHeader ReadHeader(const QString &path);

    // Replaces the whole table by the texts of the file. A key written twice keeps the
    // first value. A file that is missing or has no section "general" gives an empty table.
    void Load(const QString &path);

    // The text stored under exactly this key (letter case counts), or an empty text.
    QString GetText(const QString &key) const;

    const QString &FileName() const { return m_fileName; }
    const QMap<QString, QString> &Strings() const { return m_strings; }

private:
    QMap<QString, QString> m_strings;
    QString m_fileName;
};

} // namespace markwell
