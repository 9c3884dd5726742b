#include "inireader.h"

#include "codepage.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
#include <optional>

using namespace Qt::StringLiterals;

namespace {

// The profile functions hand values to the caller through a 2048-character
// buffer, so a longer value comes back as its first 2047 characters.
constexpr qsizetype kMaxValueLength = 2047;

// The parser runs on 8-bit text (char) and on UTF-16 text (char16_t).
template<typename Ch>
bool isBlank(Ch c)
{
    return c == Ch(' ') || c == Ch('\t');
}

bool isBlank(QChar c)
{
    return isBlank(c.unicode());
}

// The text of a range of the file.
QString decoded(const char *b, const char *e)
{
    return CodePage::fromWindows1252(QByteArrayView(b, e - b));
}

QString decoded(const char16_t *b, const char16_t *e)
{
    return QString(reinterpret_cast<const QChar *>(b), e - b);
}

// One physical line. Offsets index the file's bytes; the text range
// excludes surrounding blanks and the line end.
struct Line
{
    qsizetype begin = 0;
    qsizetype textBegin = 0;
    qsizetype textEnd = 0;
    qsizetype lineEnd = 0; // where the CR LF, LF or CR starts (== end when none)
    qsizetype end = 0;     // start of the next line
    int number = 0;        // 1 for the first line
};

enum class LineKind { Blank, Comment, Section, Entry };

struct ParsedLine
{
    LineKind kind = LineKind::Blank;
    // Section: the header's name. Entry: the key name.
    qsizetype nameBegin = 0;
    qsizetype nameEnd = 0;
    // Entry only: the value after the first '=' and its leading blanks;
    // valueBegin < 0 when the line has no '='.
    qsizetype valueBegin = -1;
    qsizetype valueEnd = -1;
};

// Calls f(line) for every line. CR LF, LF and a lone CR each end a line;
// the last line needs no line end. Linear in the size of the data.
template<typename Ch, typename F>
void forEachLine(const Ch *p, qsizetype n, F &&f)
{
    qsizetype pos = 0;
    int number = 0;
    while (pos < n) {
        qsizetype eol = pos;
        while (eol < n && p[eol] != Ch('\n') && p[eol] != Ch('\r'))
            ++eol;
        qsizetype next = eol;
        if (next < n)
            next += (p[next] == Ch('\r') && next + 1 < n && p[next + 1] == Ch('\n')) ? 2 : 1;
        qsizetype b = pos;
        qsizetype e = eol;
        while (b < e && isBlank(p[b]))
            ++b;
        while (e > b && isBlank(p[e - 1]))
            --e;
        f(Line{pos, b, e, eol, next, ++number});
        pos = next;
    }
}

template<typename Ch>
ParsedLine parseLine(const Ch *p, const Line &line)
{
    ParsedLine r;
    const qsizetype b = line.textBegin;
    const qsizetype e = line.textEnd;
    if (b == e)
        return r;
    if (p[b] == Ch(';')) {
        r.kind = LineKind::Comment;
        return r;
    }
    if (p[b] == Ch('[')) {
        // The name runs to the last ']'; a '[' line without one is an
        // ordinary line of the current section.
        qsizetype close = e - 1;
        while (close > b && p[close] != Ch(']'))
            --close;
        if (close > b) {
            r.kind = LineKind::Section;
            qsizetype nb = b + 1;
            qsizetype ne = close;
            while (nb < ne && isBlank(p[nb]))
                ++nb;
            while (ne > nb && isBlank(p[ne - 1]))
                --ne;
            r.nameBegin = nb;
            r.nameEnd = ne;
            return r;
        }
    }
    r.kind = LineKind::Entry;
    r.nameBegin = b;
    const Ch *eq = std::find(p + b, p + e, Ch('='));
    if (eq == p + e) {
        r.nameEnd = e;
        return r;
    }
    const qsizetype eqPos = eq - p;
    qsizetype ne = eqPos;
    while (ne > b && isBlank(p[ne - 1]))
        --ne;
    r.nameEnd = ne;
    qsizetype vb = eqPos + 1;
    while (vb < e && isBlank(p[vb]))
        ++vb;
    r.valueBegin = vb;
    r.valueEnd = e;
    return r;
}

// Names compare case-insensitively for ASCII letters only, as the profile
// functions do on a Western system. They are kept in upper case, as item
// files and callers spell them, so most names need no copy to be folded.
bool needsFolding(QStringView s)
{
    for (const QChar c : s)
        if (c >= u'a' && c <= u'z')
            return true;
    return false;
}

QString folded(QString s)
{
    if (!needsFolding(s))
        return s; // shares the text
    for (QChar &c : s) {
        if (c >= u'a' && c <= u'z')
            c = QChar(c.unicode() - (u'a' - u'A'));
    }
    return s;
}

template<typename Ch>
QString foldedName(const Ch *b, const Ch *e)
{
    return folded(decoded(b, e));
}

QStringView trimmedBlanks(QStringView text)
{
    qsizetype b = 0;
    qsizetype e = text.size();
    while (b < e && isBlank(text[b]))
        ++b;
    while (e > b && isBlank(text[e - 1]))
        --e;
    return text.sliced(b, e - b);
}

// The folded form of a caller's name. A name already in upper case is not
// copied: the result then refers to `name` and must not outlive it.
QString foldedName(QStringView name)
{
    const QStringView trimmed = trimmedBlanks(name);
    if (!needsFolding(trimmed))
        return QString::fromRawData(trimmed.data(), trimmed.size());
    return folded(trimmed.toString());
}

// One enclosing pair of equal quotes (double or single) is removed, then
// the text is cut to the caller's buffer. Stripping first matches Windows,
// which copies the text after the opening quote into the buffer and drops
// the closing one, so a quoted value of exactly 2047 characters survives.
template<typename Ch>
QString cookedValue(const Ch *b, const Ch *e)
{
    if (e - b >= 2 && (*b == Ch('"') || *b == Ch('\'')) && e[-1] == *b) {
        ++b;
        --e;
    }
    return decoded(b, b + std::min<qsizetype>(e - b, kMaxValueLength));
}

// A file saved as "Unicode" (UTF-16 with a byte-order mark) is read as text,
// as the profile functions do; anything else is 8-bit text. Nothing when the
// bytes carry no UTF-16 byte-order mark.
std::optional<QString> utf16Text(const QByteArray &bytes)
{
    if (bytes.size() < 2)
        return std::nullopt;
    const auto b0 = uchar(bytes[0]);
    const auto b1 = uchar(bytes[1]);
    const bool little = b0 == 0xFF && b1 == 0xFE;
    if (!little && !(b0 == 0xFE && b1 == 0xFF))
        return std::nullopt;
    // A trailing odd byte is no character.
    const qsizetype units = (bytes.size() - 2) / 2;
    QString text(units, Qt::Uninitialized);
    const auto *src = reinterpret_cast<const uchar *>(bytes.constData()) + 2;
    for (qsizetype i = 0; i < units; ++i) {
        const uchar lo = little ? src[2 * i] : src[2 * i + 1];
        const uchar hi = little ? src[2 * i + 1] : src[2 * i];
        text[i] = QChar(char16_t(lo | (hi << 8)));
    }
    return text;
}

QString nativeName(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

} // namespace

IniProfile IniProfile::fromBytes(const QByteArray &bytes)
{
    if (const std::optional<QString> text = utf16Text(bytes))
        return parse(reinterpret_cast<const char16_t *>(text->constData()), text->size());
    return parse(bytes.constData(), bytes.size());
}

template<typename Ch>
IniProfile IniProfile::parse(const Ch *p, qsizetype n)
{
    IniProfile profile;
    // -1: before the first header, or inside a repeated section.
    qsizetype currentIndex = -1;
    forEachLine(p, n, [&](const Line &line) {
        const ParsedLine parsed = parseLine(p, line);
        switch (parsed.kind) {
        case LineKind::Blank:
        case LineKind::Comment:
            return;
        case LineKind::Section: {
            QString name = foldedName(p + parsed.nameBegin, p + parsed.nameEnd);
            if (profile.m_sectionIndex.contains(name)) {
                currentIndex = -1;
                return;
            }
            currentIndex = qsizetype(profile.m_sections.size());
            profile.m_sectionIndex.insert(name, currentIndex);
            profile.m_sections.emplace_back().line = line.number;
            return;
        }
        case LineKind::Entry: {
            // A line without '=' is no key at all: it neither answers a
            // lookup nor hides a later line of the same name.
            if (currentIndex < 0 || parsed.valueBegin < 0)
                return;
            Section *current = &profile.m_sections[std::size_t(currentIndex)];
            QString spelled = decoded(p + parsed.nameBegin, p + parsed.nameEnd);
            QString name = folded(spelled);
            if (current->keys.contains(name))
                return;
            current->keys.insert(name,
                                 Entry{cookedValue(p + parsed.valueBegin, p + parsed.valueEnd),
                                       line.number, std::move(spelled)});
            return;
        }
        }
    });
    return profile;
}

IniProfile IniProfile::fromFile(const QString &path, FileRead *read)
{
    FileRead r = readRegularFile(path, kIniFileLimit);
    IniProfile profile = r.ok() ? fromBytes(r.bytes) : IniProfile();
    if (read) {
        r.bytes.clear();
        *read = std::move(r);
    }
    return profile;
}

const IniProfile::Section *IniProfile::findSection(QStringView section) const
{
    const auto it = m_sectionIndex.constFind(foldedName(section));
    if (it == m_sectionIndex.cend())
        return nullptr;
    return &m_sections[std::size_t(*it)];
}

std::optional<QString> IniProfile::value(QStringView section, QStringView key) const
{
    const Section *s = findSection(section);
    if (!s)
        return std::nullopt;
    const QString name = foldedName(key);
    // An empty key name never matches, as with the profile functions.
    if (name.isEmpty())
        return std::nullopt;
    const auto it = s->keys.constFind(name);
    if (it == s->keys.cend())
        return std::nullopt;
    return it->value;
}

int IniProfile::lineOf(QStringView section, QStringView key) const
{
    const Section *s = findSection(section);
    if (!s)
        return 0;
    if (key.isEmpty())
        return s->line;
    const auto it = s->keys.constFind(foldedName(key));
    return it == s->keys.cend() ? 0 : it->line;
}

QString IniProfile::readString(QStringView section, QStringView key, const QString &def) const
{
    return value(section, key).value_or(def);
}

qint32 IniProfile::readInteger(QStringView section, QStringView key, qint32 def) const
{
    const std::optional<QString> text = value(section, key);
    if (!text)
        return def;
    return parseKvInteger(*text).value_or(def);
}

bool IniProfile::hasSection(QStringView section) const
{
    return findSection(section) != nullptr;
}

QStringList IniProfile::keys(QStringView section) const
{
    const Section *s = findSection(section);
    if (!s)
        return {};
    std::vector<const Entry *> entries;
    entries.reserve(std::size_t(s->keys.size()));
    for (const Entry &e : s->keys)
        entries.push_back(&e);
    std::sort(entries.begin(), entries.end(),
              [](const Entry *a, const Entry *b) { return a->line < b->line; });
    QStringList names;
    names.reserve(qsizetype(entries.size()));
    for (const Entry *e : entries)
        names.append(e->name);
    return names;
}

qsizetype IniProfile::keyCount(QStringView section) const
{
    const Section *s = findSection(section);
    if (!s)
        return 0;
    // A line "=value" is kept under the empty name, which no lookup finds.
    return s->keys.size() - (s->keys.contains(QString()) ? 1 : 0);
}

std::optional<qint32> parseKvInteger(QStringView text)
{
    constexpr qint64 maxValue = 2147483647;
    qsizetype i = 0;
    const qsizetype n = text.size();

    auto hexDigit = [](QChar c) -> int {
        const char16_t u = c.unicode();
        if (u >= u'0' && u <= u'9')
            return u - u'0';
        if (u >= u'a' && u <= u'f')
            return u - u'a' + 10;
        if (u >= u'A' && u <= u'F')
            return u - u'A' + 10;
        return -1;
    };

    bool hex = false;
    if (n > 0 && text[0] == u'$') {
        hex = true;
        i = 1;
    } else if (n > 1 && text[0] == u'0' && (text[1] == u'x' || text[1] == u'X')) {
        hex = true;
        i = 2;
    }
    if (hex) {
        // No sign with hexadecimal: "-$1" is not a number here.
        if (i == n)
            return std::nullopt;
        qint64 v = 0;
        for (; i < n; ++i) {
            const int d = hexDigit(text[i]);
            if (d < 0)
                return std::nullopt;
            v = v * 16 + d;
            if (v > maxValue)
                return std::nullopt;
        }
        return qint32(v);
    }

    bool negative = false;
    if (n > 0 && text[0] == u'-') {
        negative = true;
        i = 1;
    }
    if (i == n)
        return std::nullopt;
    const qint64 limit = negative ? maxValue + 1 : maxValue;
    qint64 v = 0;
    for (; i < n; ++i) {
        const char16_t u = text[i].unicode();
        if (u < u'0' || u > u'9')
            return std::nullopt;
        v = v * 10 + (u - u'0');
        if (v > limit)
            return std::nullopt;
    }
    return qint32(negative ? -v : v);
}

bool writeProfileString(const QString &path, const QString &section, const QString &key,
                        const QString &value, QString *error)
{
    const auto fail = [&](const QString &why) {
        if (error)
            *error = u"Cannot write %1: %2"_s.arg(nativeName(path), why);
        return false;
    };

    const QString wantSection = foldedName(section);
    const QString wantKey = foldedName(key);
    if (wantKey.isEmpty())
        return fail(u"no key name given."_s);

    QByteArray data;
    const FileRead read = readRegularFile(path, kIniFileLimit);
    switch (read.status) {
    case FileRead::Status::Ok:
        data = read.bytes;
        break;
    case FileRead::Status::Missing:
        break;
    case FileRead::Status::NotRegular:
        return fail(u"not a regular file."_s);
    case FileRead::Status::TooLarge:
        return fail(u"larger than %1 KB."_s.arg(kIniFileLimit / 1024));
    case FileRead::Status::Unreadable:
        return fail(read.reason);
    }

    // The edit works on the file's text: 8-bit text maps byte for byte to
    // characters and back, and a UTF-16 file (as the profile functions
    // read it) stays UTF-16 in its byte order.
    const std::optional<QString> utf16 = utf16Text(data);
    const bool bigEndian = utf16 && data.startsWith("\xFE\xFF");
    const QString text = utf16 ? *utf16 : CodePage::fromWindows1252(data);
    const auto *p = reinterpret_cast<const char16_t *>(text.constData());

    // Find the first section of the name, its first entry of the key, and
    // the last entry line (or the header) after which a new key belongs.
    bool inFirstSection = false;
    bool sectionSeen = false;
    bool done = false;
    std::optional<ParsedLine> keyLine;
    Line keyLineRange;
    Line anchor;
    forEachLine(p, text.size(), [&](const Line &line) {
        if (done)
            return;
        const ParsedLine parsed = parseLine(p, line);
        if (parsed.kind == LineKind::Section) {
            if (inFirstSection) {
                done = true;
                return;
            }
            if (foldedName(p + parsed.nameBegin, p + parsed.nameEnd) == wantSection) {
                inFirstSection = true;
                sectionSeen = true;
                anchor = line;
            }
            return;
        }
        if (!inFirstSection || parsed.kind != LineKind::Entry)
            return;
        anchor = line;
        // Like the reader: a line without '=' is not the key.
        if (parsed.valueBegin >= 0
            && foldedName(p + parsed.nameBegin, p + parsed.nameEnd) == wantKey) {
            keyLine = parsed;
            keyLineRange = line;
            done = true;
        }
    });

    QString out;
    if (keyLine) {
        // Keep the key name exactly as the file spells it.
        out = text.left(keyLine->nameEnd) + u'=' + value + text.mid(keyLineRange.lineEnd);
    } else {
        const QString newLine = trimmedBlanks(key) + u'=' + value;
        out = text;
        if (sectionSeen) {
            // Reuse the anchor's line end so the file keeps one style.
            const QString ending = text.mid(anchor.lineEnd, anchor.end - anchor.lineEnd);
            out.insert(anchor.end, ending.isEmpty() ? QString(u"\r\n"_s + newLine + u"\r\n"_s)
                                                    : QString(newLine + ending));
        } else {
            if (!out.isEmpty() && !out.endsWith(u'\n') && !out.endsWith(u'\r'))
                out += u"\r\n"_s;
            out += u'[' + trimmedBlanks(section) + u"]\r\n"_s + newLine + u"\r\n"_s;
        }
    }
    QByteArray bytes;
    if (utf16) {
        bytes = bigEndian ? QByteArray("\xFE\xFF") : QByteArray("\xFF\xFE");
        bytes.reserve(2 + out.size() * 2);
        for (const QChar c : out) {
            const char lo = char(c.unicode() & 0xFF);
            const char hi = char(c.unicode() >> 8);
            bytes.append(bigEndian ? hi : lo).append(bigEndian ? lo : hi);
        }
    } else {
        bytes = CodePage::toWindows1252(out);
    }

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return fail(file.errorString());
    // Returning early discards the temporary file. commit() alone would
    // replace the target even after a failed flush, so flush first.
    if (file.write(bytes) != bytes.size() || !file.flush() || !file.commit())
        return fail(file.errorString());
    return true;
}
