// libFuzzer target: writing one value into a settings file whose existing
// content is arbitrary bytes. Input: section, key and value lines, then the
// file content after the third '\n'; with fewer lines the file is missing.
#include "codepage.h"
#include "fuzznames.h"
#include "inireader.h"

#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdint>
#include <cstdlib>

using namespace Qt::StringLiterals;

namespace {

void check(bool condition)
{
    if (!condition)
        std::abort();
}

QString field(const QByteArray &bytes)
{
    QString text = CodePage::fromWindows1252(bytes);
    text.remove(u'\r');
    return text;
}

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

// A value the profile functions give back unchanged: they drop leading and
// trailing blanks and one enclosing quote pair, and cut at 2047 characters.
QString plainValue(QString value)
{
    value.truncate(2000);
    while (!value.isEmpty() && isBlank(value.front()))
        value.remove(0, 1);
    while (!value.isEmpty() && isBlank(value.back()))
        value.chop(1);
    if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'')
        && value.back() == value.front())
        value.prepend(u'v');
    return value;
}

// A key that a line of its own reads back as: no '=', and not starting like
// a comment or a section header.
QString plainKey(QString key)
{
    key.remove(u'=');
    const QString trimmed = key.trimmed();
    if (!trimmed.isEmpty() && (trimmed.front() == u';' || trimmed.front() == u'['))
        key.prepend(u'k');
    return key;
}

bool isBlankName(const QString &name)
{
    return std::all_of(name.cbegin(), name.cend(), isBlank);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static QTemporaryDir dir;
    check(dir.isValid());
    const QString path = dir.filePath(u"KorvalisEdit.ini"_s);
    QFile::remove(path);

    const QByteArray input(reinterpret_cast<const char *>(data), qsizetype(size));
    QList<QByteArray> parts;
    qsizetype from = 0;
    for (int i = 0; i < 3; ++i) {
        const qsizetype nl = input.indexOf('\n', from);
        if (nl < 0)
            break;
        parts.append(input.mid(from, nl - from));
        from = nl + 1;
    }
    const bool exists = parts.size() == 3;
    const QByteArray content = exists ? input.mid(from) : QByteArray();
    while (parts.size() < 3)
        parts.append(QByteArray());

    const QString section = field(parts[0]);
    const QString key = plainKey(field(parts[1]));
    const QString value = plainValue(field(parts[2]));

    if (exists) {
        QFile f(path);
        check(f.open(QIODevice::WriteOnly) && f.write(content) == content.size());
    }
    const IniProfile before = IniProfile::fromBytes(content);

    QString error;
    const bool written = writeProfileString(path, section, key, value, &error);
    if (isBlankName(key)) {
        // No key name: nothing is written, an existing file stays as it was.
        check(!written && !error.isEmpty());
        QFile f(path);
        check(exists ? f.open(QIODevice::ReadOnly) && f.readAll() == content : !f.exists());
        return 0;
    }
    check(written);

    const IniProfile after = IniProfile::fromFile(path);
    check(after.value(section, key) == std::optional<QString>(value));

    // Everything else reads as before. The comparison folds names more
    // loosely than the reader does, so it can only skip extra pairs.
    QStringList sections{section, u"LINGUA"_s, QString()};
    QStringList keys{key, u"KORVALIS"_s};
    namesFromText(CodePage::fromWindows1252(content), 12, sections, keys);
    const auto folded = [](const QString &s) { return s.trimmed().toLower(); };
    for (const QString &s : sections) {
        for (const QString &k : keys) {
            if (folded(s) == folded(section) && folded(k) == folded(key))
                continue;
            check(after.value(s, k) == before.value(s, k));
        }
    }
    return 0;
}
