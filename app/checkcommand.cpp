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

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTextStream>

#include <array>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

using namespace Qt::StringLiterals;

namespace {

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
        f[size_t(ItemKind::Luogo)] = TLuogoForm::describe();
        f[size_t(ItemKind::Pastura)] = TPasturaForm::describe();
        return f;
    }();
    const std::optional<KindForm> &f = forms[size_t(kind)];
    return f ? &*f : nullptr;
}

// Only plain files are read: a FIFO or a device named like an item file
// must not block or feed the checker forever.
bool isPlainFile(const QString &path)
{
#ifdef Q_OS_UNIX
    struct stat st
    {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 && S_ISREG(st.st_mode);
#else
    return QFileInfo(path).isFile();
#endif
}

Finding fileError(const QString &message)
{
    return Finding{0, QString(), Finding::Severity::Error, message};
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

    void file(const QString &path, std::optional<ItemKind> kind,
              const std::vector<Finding> &findings)
    {
        ++m_files;
        for (const Finding &f : findings)
            ++(f.severity == Finding::Severity::Error ? m_errors : m_warnings);
        if (m_json) {
            printJson(path, kind, findings);
            return;
        }
        for (const Finding &f : findings) {
            m_out << path;
            if (f.line > 0)
                m_out << ':' << f.line;
            m_out << (f.severity == Finding::Severity::Error ? ": error: " : ": warning: ")
                  << f.message << '\n';
        }
    }

    void finish()
    {
        if (m_json) {
            m_out << "],\"summary\":{\"files\":" << m_files << ",\"errors\":" << m_errors
                  << ",\"warnings\":" << m_warnings << "}}\n";
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
    static QString jsonString(const QString &s)
    {
        // QJsonDocument quotes and escapes one string inside an array.
        const QByteArray doc = QJsonDocument(QJsonArray{s}).toJson(QJsonDocument::Compact);
        return QString::fromUtf8(doc.mid(1, doc.size() - 2));
    }

    void printJson(const QString &path, std::optional<ItemKind> kind,
                   const std::vector<Finding> &findings)
    {
        if (m_files > 1)
            m_out << ',';
        m_out << "{\"path\":" << jsonString(path)
              << ",\"kind\":" << (kind ? jsonString(kindInfo(*kind).windowClass) : u"null"_s)
              << ",\"findings\":[";
        bool first = true;
        for (const Finding &f : findings) {
            if (!first)
                m_out << ',';
            first = false;
            m_out << "{\"path\":" << jsonString(path) << ",\"line\":" << f.line
                  << ",\"key\":" << jsonString(f.key) << ",\"severity\":"
                  << (f.severity == Finding::Severity::Error ? "\"error\"" : "\"warning\"")
                  << ",\"message\":" << jsonString(f.message) << '}';
        }
        m_out << "]}";
        m_out.flush();
    }

    QTextStream &m_out;
    bool m_json;
    int m_files = 0;
    int m_errors = 0;
    int m_warnings = 0;
};

// Checks every item file below `root`, each folder's entries in name order.
// Links to folders are not followed, so a link loop cannot keep the walk
// going; pending folders wait on a stack, not in recursion, so no depth of
// nesting exhausts the call stack.
void walk(const QString &root, Printer &printer)
{
    std::vector<QString> pending{root};
    while (!pending.empty()) {
        const QString dir = std::move(pending.back());
        pending.pop_back();
        const QFileInfoList entries = QDir(dir).entryInfoList(
            QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
        std::vector<QString> subfolders;
        for (const QFileInfo &e : entries) {
            if (e.isDir()) {
                if (!e.isSymLink())
                    subfolders.push_back(e.filePath());
            } else if (const std::optional<ItemKind> kind = kindOfFileName(e.fileName())) {
                printer.file(e.filePath(), kind, checkItemFile(e.filePath(), *kind));
            }
        }
        pending.insert(pending.end(), subfolders.rbegin(), subfolders.rend());
    }
}

} // namespace

std::vector<Finding> checkItemFile(const QString &path, ItemKind kind)
{
    const KindForm *form = formOf(kind);
    // The presence lists have no names or pictures: their own check.
    if (!form && kind != ItemKind::PresPesci)
        return {fileError(u"this kind of item file cannot be checked yet"_s)};
    if (!isPlainFile(path))
        return {fileError(u"not a plain file"_s)};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {fileError(u"cannot be read: %1"_s.arg(file.errorString()))};
    const QByteArray bytes = file.read(kMaxItemFileSize + 1);
    if (file.error() != QFileDevice::NoError)
        return {fileError(u"cannot be read: %1"_s.arg(file.errorString()))};
    if (bytes.size() > kMaxItemFileSize)
        return {fileError(u"larger than %1 bytes: no item file"_s.arg(kMaxItemFileSize))};
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
            err << "korvalisedit: " << p << ": no such file or folder\n";
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
    return printer.errors() > 0 ? 1 : 0;
}
