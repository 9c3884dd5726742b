#include "checkcommand.h"

#include "amoform.h"
#include "escaform.h"
#include "galleggianteform.h"
#include "piombinoform.h"
#include "cannaform.h"
#include "fishchecks.h"
#include "luogoform.h"
#include "pasturaform.h"
#include "kindform.h"
#include "mulinelloform.h"

#include "filenames.h"
#include "presencelink.h"
#include "regularfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QTextStream>

#include <algorithm>
#include <array>
#include <map>

using namespace Qt::StringLiterals;

namespace {

const QString kPresenceLinkKey = u"FILE_PRESENZA_PESCI"_s;

// A venue's presence link names a list of the presence folder; any other
// place is an error, and that place is never looked at.
void checkPresenceLinkFolder(FileCheck &c)
{
    const std::optional<QString> stored = c.ini().value(c.section(), kPresenceLinkKey);
    if (!stored || stored->isEmpty())
        return;
    const QString link = PresenceLink::decode(*stored);
    static const QRegularExpression inFolder(u"^[\\\\/]KVS[\\\\/]([^\\\\/]*)$"_s,
                                             QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = inFolder.match(link);
    if (m.hasMatch() && FileNames::isBareFileName(m.capturedView(1)))
        return;
    // The venue's own look-up in the presence folder has nothing to say.
    std::erase_if(c.findings, [](const Finding &f) { return f.key == kPresenceLinkKey; });
    c.error(kPresenceLinkKey, u"the fish-presence link \"%1\" leaves the presence folder: it "
                              "must be \\KVS\\ and a file name"_s.arg(link));
}

// Every kind's description, made once.
const KindForm *formOf(ItemKind kind)
{
    static const std::array<std::optional<KindForm>, kKindCount> forms = [] {
        std::array<std::optional<KindForm>, kKindCount> f;
        f[size_t(ItemKind::Amo)] = TAmoForm::describe();
        f[size_t(ItemKind::Esca)] = TEscaForm::describe();
        f[size_t(ItemKind::Galleggiante)] = TGalleggianteForm::describe();
        f[size_t(ItemKind::Piombino)] = TPiombinoForm::describe();
        f[size_t(ItemKind::Canna)] = TCannaForm::describe();
        f[size_t(ItemKind::Mulinello)] = TMulinelloForm::describe();
        KindForm venue = TLuogoForm::describe();
        venue.fileChecks = [own = venue.fileChecks](FileCheck &c) {
            own(c);
            checkPresenceLinkFolder(c);
        };
        f[size_t(ItemKind::Luogo)] = std::move(venue);
        f[size_t(ItemKind::Pastura)] = TPasturaForm::describe();
        return f;
    }();
    const std::optional<KindForm> &f = forms[size_t(kind)];
    return f ? &*f : nullptr;
}

Finding fileError(const QString &message)
{
    return Finding{0, QString(), Finding::Severity::Error, message};
}

Finding fileWarning(const QString &message)
{
    return Finding{0, QString(), Finding::Severity::Warning, message};
}

class Printer
{
public:
    Printer(QTextStream &out, bool json)
        : m_out(out)
        , m_json(json)
    {
        if (m_json)
            m_out << "{\"files\":[";
    }

    // `path` is shown with the platform's separators, as the user typed it.
    void file(const QString &filePath, std::optional<ItemKind> kind, std::vector<Finding> findings)
    {
        const QString path = QDir::toNativeSeparators(filePath);
        std::stable_sort(findings.begin(), findings.end(),
                         [](const Finding &a, const Finding &b) { return a.line < b.line; });
        ++m_files;
        for (const Finding &f : findings)
            ++(f.severity == Finding::Severity::Error ? m_errors : m_warnings);
        if (m_json) {
            printJson(path, kind, findings);
            return;
        }
        for (const Finding &f : findings) {
            QString line = path;
            if (f.line > 0)
                line += u':' + QString::number(f.line);
            line += (f.severity == Finding::Severity::Error ? u": error: "_s : u": warning: "_s)
                    + f.message;
            m_out << printable(line) << '\n';
        }
    }

    void finish()
    {
        if (m_json) {
            const QJsonObject summary{
                {u"files"_s, m_files}, {u"errors"_s, m_errors}, {u"warnings"_s, m_warnings}};
            m_out << "],\"summary\":" << QJsonDocument(summary).toJson(QJsonDocument::Compact)
                  << "}\n";
        } else {
            const auto counted = [](int n, const char *what) -> QString {
                return QString::number(n) + u' ' + QLatin1StringView(what)
                       + (n == 1 ? QString() : u"s"_s);
            };
            m_out << counted(m_files, "file") << " checked: " << counted(m_errors, "error") << ", "
                  << counted(m_warnings, "warning") << '\n';
        }
        m_out.flush();
    }

    int errors() const { return m_errors; }

private:
    // One document per file, written at once: the report never grows in
    // memory with the number of files.
    void printJson(const QString &path, std::optional<ItemKind> kind,
                   const std::vector<Finding> &findings)
    {
        QJsonArray list;
        for (const Finding &f : findings) {
            list.append(QJsonObject{
                {u"path"_s, path},
                {u"line"_s, f.line},
                {u"key"_s, f.key},
                {u"severity"_s, f.severity == Finding::Severity::Error ? u"error"_s : u"warning"_s},
                {u"message"_s, f.message}});
        }
        const QJsonObject file{
            {u"path"_s, path},
            {u"kind"_s, kind ? QJsonValue(kindInfo(*kind).modderName) : QJsonValue()},
            {u"findings"_s, list}};
        if (m_files > 1)
            m_out << ',';
        m_out << QJsonDocument(file).toJson(QJsonDocument::Compact);
        m_out.flush();
    }

    QTextStream &m_out;
    bool m_json;
    int m_files = 0;
    int m_errors = 0;
    int m_warnings = 0;
};

// A name the file system holds as text, or nothing when it is not UTF-8
// (made on Windows in its code page, say).
std::optional<QString> utf8Name(const QByteArray &name)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(name);
    if (utf8.hasError())
        return std::nullopt;
    return text;
}

// A name that is not UTF-8, with every byte outside ASCII as \xHH.
QString escapedName(const QByteArray &name)
{
    QString shown;
    for (const char c : name) {
        if (uchar(c) < 0x80)
            shown += QLatin1Char(c);
        else
            shown += QString::asprintf("\\x%02X", unsigned(uchar(c)));
    }
    return shown;
}

// Checks every item file below `root`, each folder's entries in name order.
// Links to folders are not followed, so a link loop cannot keep the walk
// going; pending folders wait on a stack, not in recursion, so no depth of
// nesting exhausts the call stack.
void walk(const QString &root, Printer &printer)
{
    // Names that are not UTF-8 are reported, never descended into, so every
    // folder's path is text.
    std::vector<QString> pending{root};
    while (!pending.empty()) {
        const QString dir = std::move(pending.back());
        pending.pop_back();
        std::vector<FolderEntry> entries;
        QString reason;
        if (!listFolder(dir, entries, reason)) {
            printer.file(dir, std::nullopt,
                         {fileError(u"the folder cannot be read: %1"_s.arg(reason))});
            continue;
        }
        const QString shown = dir.endsWith(u'/') ? dir : dir + u'/';
        std::vector<QString> subfolders;
        // Windows holds names that differ only in case as one: the game
        // sees one of such entries, the later in name order is warned of.
        std::map<QString, QString> firstOfName; // by case-folded name
        for (const FolderEntry &e : entries) {
            const std::optional<QString> name = utf8Name(e.name);
            std::vector<Finding> twin;
            if (name) {
                const auto [first, fresh] = firstOfName.try_emplace(name->toCaseFolded(), *name);
                if (!fresh)
                    twin.push_back(
                        fileWarning(u"\"%1\" and \"%2\" are one file on Windows: the "
                                    "game sees only one of them"_s.arg(*name, first->second)));
            }
            if (!name) {
                printer.file(shown + escapedName(e.name), std::nullopt,
                             {fileError(u"the name is not valid UTF-8: not checked"_s)});
            } else if (e.folder) {
                subfolders.push_back(shown + *name);
            } else if (const std::optional<ItemKind> kind = kindOfFileName(*name)) {
                std::vector<Finding> findings = checkItemFile(shown + *name, *kind);
                findings.insert(findings.begin(), twin.begin(), twin.end());
                printer.file(shown + *name, kind, std::move(findings));
                continue;
            }
            if (!twin.empty())
                printer.file(shown + *name, std::nullopt, std::move(twin));
        }
        pending.insert(pending.end(), std::make_move_iterator(subfolders.rbegin()),
                       std::make_move_iterator(subfolders.rend()));
    }
}

} // namespace

std::vector<Finding> checkItemFile(const QString &path, ItemKind kind)
{
    const KindForm *form = formOf(kind);
    // The presence lists have no names or pictures: their own check.
    if (!form && kind != ItemKind::PresPesci)
        return {fileError(u"this kind of item file cannot be checked yet"_s)};
    const FileRead read = readRegularFile(path, kMaxItemFileSize);
    switch (read.status) {
    case FileRead::Status::Ok:
        break;
    case FileRead::Status::NotRegular:
        return {fileError(u"not a plain file"_s)};
    case FileRead::Status::TooLarge:
        return {fileError(u"larger than %1 bytes: no item file"_s.arg(kMaxItemFileSize))};
    case FileRead::Status::Missing:
    case FileRead::Status::Unreadable:
        return {fileError(u"cannot be read: %1"_s.arg(read.reason))};
    }
    const QByteArray &bytes = read.bytes;
    if (!form)
        return checkPresenceBytes(bytes);
    return checkItemBytes(bytes, *form, QFileInfo(path).absolutePath() + u'/');
}

int runCheckCommand(const QStringList &paths, bool json, QTextStream &out, QTextStream &err)
{
    if (paths.isEmpty()) {
        err << "korvalisedit: --check needs at least one PATH\n";
        return 2;
    }
    for (const QString &p : paths) {
        if (!QFileInfo::exists(p)) {
            err << "korvalisedit: " << printable(p) << ": no such file or folder\n";
            return 2;
        }
    }
    Printer printer(out, json);
    for (const QString &p : paths) {
        if (!QFileInfo(p).isDir()) {
            // A file named on the command line is checked whatever its name.
            const std::optional<ItemKind> kind = kindOfFileName(p);
            printer.file(p, kind,
                         kind ? checkItemFile(p, *kind)
                              : std::vector<Finding>{fileError(
                                  u"not an item file: its extension names no item kind"_s)});
            continue;
        }
        walk(p, printer);
    }
    printer.finish();
    // A report that did not reach its reader must not pass for a clean one.
    if (out.status() != QTextStream::Ok) {
        const auto *device = qobject_cast<const QFileDevice *>(out.device());
        err << "korvalisedit: the report could not be written: "
            << (device ? device->errorString() : u"write failed"_s) << '\n';
        return 2;
    }
    return printer.errors() > 0 ? 1 : 0;
}
