#pragma once

#include "regularfile.h"

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>
#include <vector>

// Reads INI text the way the Windows profile functions do, including their
// odd corners: the file is parsed once and then looked up many times.
class IniProfile
{
public:
    IniProfile() = default;

    static IniProfile fromBytes(const QByteArray &bytes);
    // A missing or unreadable file reads as an empty profile; so does
    // anything but a regular file of at most kIniFileLimit bytes. `read`,
    // when given, says which (its bytes are not kept).
    static IniProfile fromFile(const QString &path, FileRead *read = nullptr);

    // The value as the profile functions return it (leading blanks dropped,
    // one enclosing quote pair removed, cut at 2047 characters), or nothing
    // when the section or key is missing.
    std::optional<QString> value(QStringView section, QStringView key) const;

    QString readString(QStringView section, QStringView key, const QString &def) const;
    qint32 readInteger(QStringView section, QStringView key, qint32 def) const;

    bool hasSection(QStringView section) const;
    // The line (1 for the first) of the key that answers a lookup, or of the
    // section's header when `key` is empty; 0 when there is none.
    int lineOf(QStringView section, QStringView key = {}) const;
    // The keys of a section as the file spells them, in file order.
    QStringList keys(QStringView section) const;
    // The number of keys a section holds (0 when missing).
    qsizetype keyCount(QStringView section) const;

private:
    // Ch: char for 8-bit text, char16_t for UTF-16 text.
    template<typename Ch>
    static IniProfile parse(const Ch *p, qsizetype n);

    struct Entry
    {
        QString value;
        int line = 0;
        QString name; // as the file spells it
    };
    struct Section
    {
        // Names are stored trimmed and folded to upper case (ASCII only);
        // only the first occurrence of a key is kept.
        QHash<QString, Entry> keys;
        int line = 0;
    };
    const Section *findSection(QStringView section) const;

    // Only the first section of a name is ever searched, so later ones
    // with the same name are not kept.
    std::vector<Section> m_sections;
    QHash<QString, qsizetype> m_sectionIndex;
};

// The integer conversion of item files: an optional '-' and decimal digits,
// or hexadecimal after "$" or "0x" (any case). Nothing for anything else,
// including a '+' sign and values outside the 32-bit signed range.
std::optional<qint32> parseKvInteger(QStringView text);

// Writes one value into an INI file and keeps everything else of it: other
// sections, keys, comments and line ends. Adds the key at the end of its
// section, or the section at the end of the file, when missing. The file
// is replaced only once the new content is complete. Returns false and sets
// `error` (naming the file) on failure.
bool writeProfileString(const QString &path, const QString &section, const QString &key,
                        const QString &value, QString *error);
