#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace markwell {

// A read-only INI file, read the way the classic profile reader reads it:
// - "[name]" starts a section; a section name seen a second time starts nothing new,
//   its lines are ignored, so only the first section of that name counts;
// - "key=value" lines, split at the first "=", with blanks trimmed around key and value;
//   lines without "=" and lines starting with ";" are ignored; there are no comments
//   after a value, so a ";" inside a value belongs to it;
// - a value enclosed in a matching pair of double or single quotes loses the quotes;
// - section and key names are found whatever their letter case.
// The text is UTF-8 (a byte order mark is skipped), lines end in LF, CRLF or CR.
// Values have no length limit. A file that is missing or cannot be read reads as empty.
class IniFile
{
public:
    explicit IniFile(const QString &path);

    // The keys of the section in file order; a key written twice is listed twice.
    QStringList sectionKeys(const QString &section) const;

    // The value of the first occurrence of the key in the section, or the default
    // when the section or the key is not there.
    QString readString(const QString &section, const QString &key, const QString &defaultValue) const;

private:
    struct Entry
    {
        QString key;
        QString value;
    };

    struct Section
    {
        QString name;
        QList<Entry> entries;
    };

    void parse(const QString &text);
    const Section *findSection(const QString &name) const;

    QList<Section> m_sections;
};

} // namespace markwell
