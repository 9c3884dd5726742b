#pragma once

#include "inireader.h"

#include <QString>

#include <optional>
#include <vector>

struct FieldSpec;
struct KindForm;

// What the checker says of one place of an item file.
struct Finding
{
    enum class Severity { Warning, Error };
    int line = 0; // 1 for the first line; 0 when no line fits
    QString key;  // empty for the file as a whole
    Severity severity = Severity::Error;
    QString message;
};

// The findings of one item file, with the file's profile to look values up.
// Every message is English: the checker is a tool for modders' terminals and
// build pipelines, whatever language the editor's window speaks.
class FileCheck
{
public:
    FileCheck(const IniProfile &ini, QString section, QString folder);

    const IniProfile &ini() const { return m_ini; }
    const QString &section() const { return m_section; }
    // The folder of the checked file, ending with '/'.
    const QString &folder() const { return m_folder; }

    void error(const QString &key, const QString &message);
    void warning(const QString &key, const QString &message);

    // The value of an integer key as the editor reads it, reporting a
    // missing key (warning) or a value that is no whole number (error).
    qint32 integer(const QString &key, qint32 readDefault);
    // The value of a text key, reporting a missing key.
    QString text(const QString &key, const QString &readDefault);

    std::vector<Finding> findings;

private:
    void add(Finding::Severity severity, const QString &key, const QString &message);

    const IniProfile &m_ini;
    QString m_section;
    QString m_folder;
};

// Files larger than this are no item files; the checker reads no further.
inline constexpr qint64 kMaxItemFileSize = 1 << 20;

// Pictures larger than this are no pictures of an item.
inline constexpr qint64 kMaxPictureFileSize = qint64(64) << 20;

// `text` with every control character written as \xHH, so that a name or
// value from a stranger's file can neither start a report line of its own
// nor drive the terminal.
QString printable(QStringView text);

// A finding when `bytes` are no text the game reads, else nothing.
std::optional<Finding> checkTextForm(const QByteArray &bytes);

// Checks the bytes of an item file of the kind `form` describes, lying in
// `folder` (pictures are looked for there, as the editor's Open does).
// Reads the pictures' first bytes only; writes nothing.
std::vector<Finding> checkItemBytes(const QByteArray &bytes, const KindForm &form,
                                    const QString &folder);
