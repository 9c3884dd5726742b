#include "itemcheck.h"

#include "codepage.h"
#include "filenames.h"
#include "kindform.h"
#include "picturedecode.h"
#include "regularfile.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringDecoder>

using namespace Qt::StringLiterals;

namespace {

constexpr qsizetype kNameMax = 32;
constexpr qsizetype kDescrMax = 256;

QString quoted(const QString &text)
{
    return u'"' + text + u'"';
}

// The profile functions see a NUL as the end of the text: whatever follows
// it on the line is lost, so such a file is no text the game reads.
bool looksBinary(const QByteArray &bytes)
{
    const bool utf16 = bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF");
    return !utf16 && bytes.contains('\0');
}

// The line of the byte at `at`, counting line ends as the reader does:
// CR LF, LF and a lone CR each end one.
int lineAt(const QByteArray &bytes, qsizetype at)
{
    int line = 1;
    for (qsizetype i = 0; i < at; ++i) {
        if (bytes[i] == '\n'
            || (bytes[i] == '\r' && (i + 1 >= bytes.size() || bytes[i + 1] != '\n')))
            ++line;
    }
    return line;
}

// Editors of today save UTF-8; the editor and the game read every byte as
// one Windows-1252 character, so the first such character is named.
std::optional<Finding> checkUtf8(const QByteArray &bytes)
{
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF"))
        return std::nullopt;
    qsizetype at = bytes.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    while (at < bytes.size() && uchar(bytes[at]) < 0x80)
        ++at;
    if (at == bytes.size())
        return std::nullopt;
    // Only a full decode tells whether all of it is UTF-8.
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8(bytes);
    if (utf8.hasError())
        return std::nullopt;
    const uchar lead = uchar(bytes[at]);
    const QByteArray character = bytes.mid(at, lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2);
    return Finding{lineAt(bytes, at), QString(), Finding::Severity::Warning,
                   u"the text is UTF-8, not Windows-1252: the editor and the game show %1 for "
                   "%2"_s.arg(quoted(CodePage::fromWindows1252(character)),
                              quoted(QString::fromUtf8(character)))};
}

void checkText(FileCheck &c, const QString &key, const QString &readDefault, qsizetype max,
               bool refusedWhenEmpty)
{
    if (!c.ini().value(c.section(), key)) {
        c.warning(key, u"%1 is missing: the editor reads %2"_s.arg(key, quoted(readDefault)));
        return;
    }
    const QString value = c.ini().readString(c.section(), key, readDefault);
    if (value.isEmpty()) {
        if (refusedWhenEmpty)
            c.error(key, u"%1 is empty: the editor refuses to save the item"_s.arg(key));
        else
            c.warning(key, u"%1 is empty"_s.arg(key));
    } else if (value.size() > max) {
        c.warning(key, u"%1 is %2 characters long; the editor's field holds %3"_s.arg(key)
                           .arg(value.size())
                           .arg(max));
    }
}

void checkList(FileCheck &c, const FieldSpec &f)
{
    const qint32 stored = c.integer(f.key, f.readDefault);
    if (f.decodeIndex(stored) >= 0)
        return;
    c.error(f.key, u"%1=%2 is outside its list (%3..%4): the editor shows no selection and "
                   "saves %5"_s.arg(f.key)
                       .arg(stored)
                       .arg(f.encode(0))
                       .arg(f.encode(int(f.entriesI.size()) - 1))
                       .arg(f.encode(-1)));
}

void checkTrackBar(FileCheck &c, const FieldSpec &f)
{
    const qint32 stored = c.integer(f.key, f.readDefault);
    const int held = f.clampPosition(stored);
    if (held == stored)
        return;
    c.warning(f.key, u"%1=%2 is outside %3..%4: the editor sets it to %5"_s.arg(f.key)
                         .arg(stored)
                         .arg(f.minimum)
                         .arg(f.maximum)
                         .arg(held));
}

// The picture sizes a field's captions state, as "(100x100)" or
// "800X600 o 1024x768" do.
QList<QSize> statedSizes(const QString &caption)
{
    static const QRegularExpression size(u"(\\d+)\\s*[xX]\\s*(\\d+)"_s);
    QList<QSize> sizes;
    for (const QRegularExpressionMatch &m : size.globalMatch(caption))
        sizes.append(QSize(m.captured(1).toInt(), m.captured(2).toInt()));
    return sizes;
}

void checkPicture(FileCheck &c, const FieldSpec &f)
{
    const std::optional<QString> value = c.ini().value(c.section(), f.key);
    if (!value || value->isEmpty()) {
        c.error(f.key, u"%1 %2: the item has no picture"_s.arg(f.key, value ? u"is empty"_s
                                                                            : u"is missing"_s));
        return;
    }
    const QString &name = *value;
    // Never looked for: a shared item must not make anyone read a file
    // outside its folder.
    if (!FileNames::isBareFileName(name)) {
        c.error(f.key, u"picture %1 is not a bare file name: the editor loads the item without "
                       "it"_s.arg(quoted(name)));
        return;
    }
    const QString path = c.folder() + name;
    const QString found = FileNames::resolveCase(path);
    const FileRead read = readRegularFile(found, kMaxPictureFileSize);
    if (read.status == FileRead::Status::Missing) {
        c.error(f.key, u"picture %1 not found in %2"_s.arg(quoted(name),
                                                           QDir::toNativeSeparators(c.folder())));
        return;
    }
    if (found != path) {
        c.warning(f.key, u"picture %1 is found only as %2: names are case-sensitive on other "
                         "systems"_s.arg(quoted(name), quoted(QFileInfo(found).fileName())));
    }
    switch (read.status) {
    case FileRead::Status::NotRegular:
        c.error(f.key, u"picture %1 is not a regular file"_s.arg(quoted(name)));
        return;
    case FileRead::Status::TooLarge:
        c.error(f.key,
                u"picture %1 is larger than %2 bytes"_s.arg(quoted(name)).arg(kMaxPictureFileSize));
        return;
    case FileRead::Status::Unreadable:
        c.error(f.key, u"picture %1 cannot be read: %2"_s.arg(quoted(name), read.reason));
        return;
    case FileRead::Status::Missing:
    case FileRead::Status::Ok:
        break;
    }
    const DecodedPicture picture = decodePicture(read.bytes);
    if (picture.format == FileNames::PictureFormat::None) {
        c.error(f.key, u"picture %1 cannot be read as a JPEG or BMP picture"_s.arg(quoted(name)));
    } else if (!f.takesJpeg() && picture.format != FileNames::PictureFormat::Bmp) {
        c.error(f.key, u"picture %1 must be a BMP picture"_s.arg(quoted(name)));
    } else if (!picture.damage.isEmpty()) {
        c.error(f.key, u"picture %1 is damaged: %2"_s.arg(quoted(name), picture.damage));
    } else {
        const QString caption = f.sizeCaption.e.isEmpty() ? f.caption.e : f.sizeCaption.e;
        const QList<QSize> sizes = statedSizes(caption);
        if (!sizes.isEmpty() && !sizes.contains(picture.size))
            c.warning(f.key, u"picture %1 is %2x%3 pixels, not the size its caption %4 "
                             "states"_s.arg(quoted(name))
                                 .arg(picture.size.width())
                                 .arg(picture.size.height())
                                 .arg(quoted(caption)));
    }
}

} // namespace

FileCheck::FileCheck(const IniProfile &ini, QString section, QString folder)
    : m_ini(ini)
    , m_section(std::move(section))
    , m_folder(std::move(folder))
{
}

void FileCheck::add(Finding::Severity severity, const QString &key, const QString &message)
{
    // A missing key points at its section; the file as a whole at no line.
    int line = 0;
    if (!key.isEmpty()) {
        line = m_ini.lineOf(m_section, key);
        if (line == 0)
            line = m_ini.lineOf(m_section);
    }
    findings.push_back(Finding{line, key, severity, message});
}

void FileCheck::error(const QString &key, const QString &message)
{
    add(Finding::Severity::Error, key, message);
}

void FileCheck::warning(const QString &key, const QString &message)
{
    add(Finding::Severity::Warning, key, message);
}

qint32 FileCheck::integer(const QString &key, qint32 readDefault)
{
    const std::optional<QString> value = m_ini.value(m_section, key);
    if (!value) {
        warning(key, u"%1 is missing: the editor reads %2"_s.arg(key).arg(readDefault));
        return readDefault;
    }
    const std::optional<qint32> n = parseKvInteger(*value);
    if (!n) {
        error(key, u"%1=%2 is not a whole number: the editor reads %3"_s.arg(key, *value)
                       .arg(readDefault));
        return readDefault;
    }
    return *n;
}

QString FileCheck::text(const QString &key, const QString &readDefault)
{
    const std::optional<QString> value = m_ini.value(m_section, key);
    if (!value) {
        warning(key, u"%1 is missing: the editor reads %2"_s.arg(key, quoted(readDefault)));
        return readDefault;
    }
    return *value;
}

QString printable(QStringView text)
{
    QString shown;
    shown.reserve(text.size());
    for (const QChar c : text) {
        if (c.category() == QChar::Other_Control)
            shown += QString::asprintf("\\x%02X", unsigned(c.unicode()));
        else
            shown += c;
    }
    return shown;
}

std::optional<Finding> checkTextForm(const QByteArray &bytes)
{
    if (!looksBinary(bytes))
        return std::nullopt;
    return Finding{0, QString(), Finding::Severity::Error,
                   u"not a text file the game reads (it holds NUL bytes)"_s};
}

std::vector<Finding> checkItemBytes(const QByteArray &bytes, const KindForm &form,
                                    const QString &folder)
{
    const IniProfile ini = IniProfile::fromBytes(bytes);
    FileCheck c(ini, form.info().section, folder);
    if (std::optional<Finding> f = checkTextForm(bytes)) {
        c.findings.push_back(std::move(*f));
        return std::move(c.findings);
    }
    if (std::optional<Finding> f = checkUtf8(bytes))
        c.findings.push_back(std::move(*f));
    if (!ini.hasSection(c.section())) {
        c.error(QString(),
                u"section [%1] is missing: every value reads its default"_s.arg(c.section()));
        return std::move(c.findings);
    }
    checkText(c, u"NOME"_s, form.defNome, kNameMax, true);
    checkText(c, u"NAME"_s, form.defName, kNameMax, false);
    checkText(c, u"DESCRIZIONE"_s, form.defDescrizione, kDescrMax, true);
    checkText(c, u"DESCRIPTION"_s, form.defDescription, kDescrMax, false);
    for (const FieldSpec &f : form.fields) {
        switch (f.type) {
        case FieldSpec::Type::List:
            checkList(c, f);
            break;
        case FieldSpec::Type::TrackBar:
            checkTrackBar(c, f);
            break;
        case FieldSpec::Type::Picture:
            checkPicture(c, f);
            break;
        case FieldSpec::Type::Button:
            break; // stores nothing
        }
    }
    // The kind's own checks of stored values, on the values the editor
    // would hold after reading the file.
    const auto held = [&](const QString &key) -> int {
        for (const FieldSpec &f : form.fields) {
            if (f.key.compare(key, Qt::CaseInsensitive) != 0)
                continue;
            const qint32 stored = ini.readInteger(c.section(), key, f.readDefault);
            return f.type == FieldSpec::Type::TrackBar ? f.clampPosition(stored)
                                                       : f.encode(f.decodeIndex(stored));
        }
        return 0;
    };
    for (const KindCheck &check : form.checks)
        if (!check.ok(held))
            c.error(QString(), check.message.e + u": the editor refuses to save the item"_s);
    if (form.fileChecks)
        form.fileChecks(c);
    return std::move(c.findings);
}
