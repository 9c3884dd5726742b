#include "archivetools.h"

#include "desktopservices.h"
#include "regularfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QStorageInfo>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QTemporaryDir>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <system_error>
#include <utility>
#include <vector>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <sys/stat.h>
#endif

using namespace Qt::StringLiterals;

namespace {

QString toolFileName(const QString &baseName)
{
#ifdef Q_OS_WIN
    return baseName + u".exe"_s;
#else
    return baseName;
#endif
}

std::filesystem::path nativePath(const QString &path)
{
#ifdef Q_OS_WIN
    return std::filesystem::path(path.toStdWString());
#else
    return std::filesystem::path(QFile::encodeName(path).toStdString());
#endif
}

// Replaces `to` in one step (also when it exists), so a reader never sees
// a half-written or missing file.
bool replaceFile(const QString &from, const QString &to, QString *error)
{
    std::error_code ec;
    std::filesystem::rename(nativePath(from), nativePath(to), ec);
    if (ec && error)
        *error = QString::fromStdString(ec.message());
    return !ec;
}

bool isWildcard(const QString &name)
{
    // Only what Windows treats as wildcards: '[' is a plain character there.
    return name.contains(u'*') || name.contains(u'?');
}

QRegularExpression wildcardRegex(const QString &pattern)
{
    QString rx;
    for (const QChar ch : pattern) {
        if (ch == u'*')
            rx += u".*"_s;
        else if (ch == u'?')
            rx += u'.';
        else
            rx += QRegularExpression::escape(QString(ch));
    }
    return QRegularExpression(QRegularExpression::anchoredPattern(rx),
                              QRegularExpression::CaseInsensitiveOption);
}

// The folder `dirPart` ("Trota/", or empty) below `base` as it is named on
// disk: each part as given when it exists, else the one entry that matches
// it without regard to case, as on Windows. Nothing when there is none or
// more than one.
std::optional<QString> resolveFolder(const QDir &base, const QString &dirPart)
{
    QString resolved;
    for (const QString &part : dirPart.split(u'/', Qt::SkipEmptyParts)) {
        const QDir here(base.filePath(resolved));
        // Listed rather than tested: a case-insensitive file system would
        // answer for "Spin" when the disk says "sPIN".
        QString found;
        bool ambiguous = false;
        for (const QString &name :
             here.entryList(QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot)) {
            if (name == part) {
                found = name;
                ambiguous = false;
                break;
            }
            if (name.compare(part, Qt::CaseInsensitive) == 0) {
                ambiguous = !found.isEmpty();
                found = name;
            }
        }
        if (found.isEmpty() || ambiguous)
            return std::nullopt; // none, or several: do not guess
        resolved += found + u'/';
    }
    return resolved;
}

// unzip reads the archive name as a pattern, on Windows too; bracket each
// wildcard character so that "Trota[1].zip" does not open "Trota1.zip".
QString literalUnzipArchive(const QString &absPath)
{
    const qsizetype slash = absPath.lastIndexOf(u'/');
    QString name;
    for (const QChar ch : absPath.mid(slash + 1)) {
        if (ch == u'*' || ch == u'?' || ch == u'[')
            name += u'[' + QString(ch) + u']';
        else
            name += ch;
    }
    return absPath.left(slash + 1) + name;
}

// Staging folders are the program's own business: Explorer shows them only
// with hidden files (the dot hides them elsewhere).
void hideFolder(const QString &path)
{
#ifdef Q_OS_WIN
    const std::wstring native = QDir::toNativeSeparators(path).toStdWString();
    const DWORD attrs = GetFileAttributesW(native.c_str());
    if (attrs != INVALID_FILE_ATTRIBUTES)
        SetFileAttributesW(native.c_str(), attrs | FILE_ATTRIBUTE_HIDDEN);
#else
    Q_UNUSED(path);
#endif
}

namespace fs = std::filesystem;

// Archives may record folders without owner access; the merge and the final
// removal need to enter them. Works on the names' bytes, which need not be
// valid in any encoding.
void makeOwnerAccessible(const fs::path &dir)
{
    std::error_code ec;
    fs::permissions(dir, fs::perms::owner_all, fs::perm_options::add, ec);
    std::vector<fs::path> subdirs;
    for (const fs::directory_entry &e : fs::directory_iterator(dir, ec)) {
        if (e.is_directory(ec) && !e.is_symlink(ec))
            subdirs.push_back(e.path());
    }
    for (const fs::path &sub : subdirs)
        makeOwnerAccessible(sub);
}

// Removes a staging folder whatever it holds.
bool removeStaging(const QString &stage)
{
    const fs::path root = nativePath(stage);
    std::error_code ec;
    if (!fs::exists(fs::symlink_status(root, ec)))
        return true;
    makeOwnerAccessible(root);
    fs::remove_all(root, ec);
    return !ec;
}

bool isUtf8(QByteArrayView bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8(bytes);
    return !utf8.hasError();
}

// A name for messages: bytes that are not printable ASCII as \xNN.
QString escapedName(QByteArrayView bytes)
{
    if (isUtf8(bytes))
        return QString::fromUtf8(bytes);
    QString out;
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        out += b >= 0x20 && b < 0x7F
                   ? QString(QLatin1Char(char(b)))
                   : u"\\x"_s + QString::number(b, 16).toUpper().rightJustified(2, u'0');
    }
    return out;
}

#ifdef Q_OS_WIN

// unzip.exe reads a name in the ANSI page unless the archive marks it as
// UTF-8, so a name made on Linux arrives as "Trota_Ã©.kva": a name whose
// ANSI bytes are UTF-8 gets its UTF-8 reading. One that cannot be renamed
// is removed and reported, as elsewhere.
void decodeNames(const fs::path &dir, const ArchiveTools::NameDecoder &, const QString &prefix,
                 QStringList &failed)
{
    std::error_code ec;
    std::vector<fs::path> entries;
    for (const fs::directory_entry &e : fs::directory_iterator(dir, ec))
        entries.push_back(e.path());
    for (const fs::path &entry : entries) {
        const QString name = QString::fromStdWString(entry.filename().wstring());
        QStringEncoder ansi(QStringEncoder::System);
        const QByteArray bytes = ansi(name);
        QString shown = name;
        fs::path to = entry;
        const bool high =
            std::any_of(bytes.begin(), bytes.end(), [](char c) { return uchar(c) >= 0x80; });
        if (!ansi.hasError() && high && isUtf8(bytes)) {
            shown = QString::fromUtf8(bytes);
            to = entry.parent_path() / shown.toStdWString();
            if (fs::exists(fs::symlink_status(to, ec)) || (fs::rename(entry, to, ec), ec)) {
                failed.append(prefix + name);
                fs::remove_all(entry, ec);
                continue;
            }
        }
        if (fs::is_directory(fs::symlink_status(to, ec)))
            decodeNames(to, {}, prefix + shown + u'/', failed);
    }
}

#else

// Gives every entry below `dir` whose name is not UTF-8 its decoded name;
// one that cannot be renamed is removed and reported.
void decodeNames(const fs::path &dir, const ArchiveTools::NameDecoder &decode,
                 const QString &prefix, QStringList &failed)
{
    std::error_code ec;
    std::vector<fs::path> entries;
    for (const fs::directory_entry &e : fs::directory_iterator(dir, ec))
        entries.push_back(e.path());
    for (const fs::path &entry : entries) {
        const std::string bytes = entry.filename().string();
        const QByteArrayView name(bytes.data(), qsizetype(bytes.size()));
        const bool isDir = fs::is_directory(fs::symlink_status(entry, ec));
        QString shown = escapedName(name);
        fs::path to = entry;
        if (!isUtf8(name) && decode) {
            shown = decode(name);
            to = entry.parent_path() / QFile::encodeName(shown).toStdString();
        }
        if (!isUtf8(name)) {
            if (!decode || fs::exists(fs::symlink_status(to, ec))
                || (fs::rename(entry, to, ec), ec)) {
                failed.append(prefix + escapedName(name));
                fs::remove_all(entry, ec);
                continue;
            }
        }
        if (isDir)
            decodeNames(to, decode, prefix + shown + u'/', failed);
    }
}

#endif

// What unpacked files and folders may be: the user's umask, and never more
// than rw-r--r-- / rwxr-xr-x, whatever the archive recorded.
fs::perms unpackedPerms(bool folder)
{
    unsigned mode = folder ? 0755 : 0644;
#ifndef Q_OS_WIN
    const mode_t mask = ::umask(0);
    ::umask(mask);
    mode &= ~unsigned(mask);
#endif
    return fs::perms(mode) | fs::perms::owner_read | fs::perms::owner_write
           | (folder ? fs::perms::owner_exec : fs::perms::none);
}

bool sameBytes(const QString &a, const QString &b)
{
    if (!isRegularFile(a) || !isRegularFile(b) || QFileInfo(a).size() != QFileInfo(b).size())
        return false;
    QFile fa(a);
    QFile fb(b);
    if (!fa.open(QIODevice::ReadOnly) || !fb.open(QIODevice::ReadOnly))
        return false;
    constexpr qint64 chunk = qint64(64) * 1024;
    for (;;) {
        const QByteArray ca = fa.read(chunk);
        if (ca != fb.read(chunk) || fa.error() != QFileDevice::NoError
            || fb.error() != QFileDevice::NoError)
            return false;
        if (ca.isEmpty())
            return true;
    }
}

// The name `name` has in `dir` as Windows, where names differing only in
// case are one, finds it: itself when there, else the one entry of that
// name in another case, else itself (nothing there yet). Nothing when
// several entries match in other cases: which one is meant is not known.
std::optional<QString> nameInFolder(const QString &dir, const QString &name)
{
    const QFileInfo exact(dir + u'/' + name);
    if (exact.exists() || exact.isSymLink())
        return name;
    std::optional<QString> found;
    for (const QString &entry : QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::System
                                                    | QDir::NoDotAndDotDot)) {
        if (entry.compare(name, Qt::CaseInsensitive) != 0)
            continue;
        if (found)
            return std::nullopt;
        found = entry;
    }
    return found ? found : name;
}

// The files of `dstDir` (as it names them) that what unzip produced would
// replace with different bytes.
void findReplaced(const QString &srcDir, const QString &dstDir, const QString &prefix,
                  QStringList &replaced)
{
    const QFileInfoList entries = QDir(srcDir).entryInfoList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    for (const QFileInfo &src : entries) {
        const std::optional<QString> name = nameInFolder(dstDir, src.fileName());
        if (!name)
            continue; // the merge refuses it
        const QString dst = dstDir + u'/' + *name;
        const QFileInfo target(dst);
        if (src.isSymLink() || !target.exists() || target.isSymLink())
            continue;
        if (src.isDir() && target.isDir())
            findReplaced(src.filePath(), dst, prefix + *name + u'/', replaced);
        else if (src.isFile() && !target.isDir() && !sameBytes(src.filePath(), dst))
            replaced.append(prefix + *name);
    }
}

struct MergeReport
{
    QStringList skippedLinks;
    QStringList failed;
};

// Moves what unzip produced into the target, replacing same-named files,
// also those named in another case, under their own names: the game's
// Windows sees one file, so the folder keeps one. Of two entries of one
// archive that differ only in case, the later in name order replaces the
// earlier. Symbolic links are dropped and links already in the target are
// never followed, so nothing can land outside it.
void mergeInto(const QString &srcDir, const QString &dstDir, const QString &prefix,
               MergeReport &report)
{
    const QFileInfoList entries = QDir(srcDir).entryInfoList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    for (const QFileInfo &src : entries) {
        const QString rel = prefix + src.fileName();
        const std::optional<QString> name = nameInFolder(dstDir, src.fileName());
        if (!name) {
            report.failed.append(rel);
            continue;
        }
        const QString dst = dstDir + u'/' + *name;
        const QFileInfo target(dst);
        if (src.isSymLink()) {
            report.skippedLinks.append(rel);
        } else if (src.isDir()) {
            const bool made = !target.exists() && QDir().mkdir(dst);
            if (target.isSymLink() || (target.exists() && !target.isDir())
                || (!target.exists() && !made)) {
                report.failed.append(rel + u'/');
                continue;
            }
            std::error_code ec;
            if (made)
                fs::permissions(nativePath(dst), unpackedPerms(true), ec);
            mergeInto(src.filePath(), dst, rel + u'/', report);
        } else if (src.isFile()) {
            QString error;
            if (target.isDir() && !target.isSymLink()) {
                report.failed.append(rel);
                continue;
            }
            std::error_code ec;
            fs::permissions(nativePath(src.filePath()), unpackedPerms(false), ec);
            if (!replaceFile(src.filePath(), dst, &error))
                report.failed.append(rel + u" (" + error + u')');
        } else {
            report.failed.append(rel);
        }
    }
}

// What a failed tool run is reported as: %1 is the archive, %2 the
// platform's reason (crash) or the exit code; `kept` says what is unchanged.
struct FailedRunTexts
{
    QString crashedI, crashedE, failedI, failedE, keptI, keptE;
};

void reportFailedRun(const ArchiveTools::Messenger &show, const QString &tool,
                     const DesktopServices::ProcessResult &r, const QString &archive,
                     const FailedRunTexts &t)
{
    if (!r.started)
        show(u"Impossibile avviare %1: %2"_s.arg(tool, r.errorText),
             u"Could not start %1: %2"_s.arg(tool, r.errorText));
    else if (r.crashed)
        show(t.crashedI.arg(archive, r.errorText) + t.keptI,
             t.crashedE.arg(archive, r.errorText) + t.keptE);
    else
        show(t.failedI.arg(archive, QString::number(r.exitCode)) + t.keptI,
             t.failedE.arg(archive, QString::number(r.exitCode)) + t.keptE);
}

} // namespace

QString StrAddApici(const QString &str)
{
    return u'"' + str + u'"';
}

ArchiveTools::ArchiveTools(DesktopServices &desktop, QString appPath, Messenger showMessaggio,
                           NameDecoder decodeName)
    : m_desktop(desktop)
    , m_appPath(std::move(appPath))
    , m_showMessaggio(std::move(showMessaggio))
    , m_decodeName(std::move(decodeName))
{
}

QString ArchiveTools::zipParameters(const QString &fileZip, const QString &fileIn)
{
    QString params = StrAddApici(fileZip) + u' ' + fileIn;
    return params.replace(u'\\', u'/');
}

QString ArchiveTools::unzipParameters(const QString &fileZip, const QString &exPath)
{
    QString params = u" -o "_s + StrAddApici(fileZip) + u" -d "_s + StrAddApici(exPath);
    return params.replace(u'\\', u'/');
}

QStringList ArchiveTools::splitQuotedList(const QString &fileIn)
{
    // A quote never belongs to a name: it only switches grouping on and off,
    // so `""` is an empty name and an unclosed quote runs to the end.
    QStringList names;
    QString current;
    bool quoted = false;
    bool started = false;
    for (const QChar ch : fileIn) {
        if (ch == u'"') {
            quoted = !quoted;
            started = true;
        } else if (ch == u' ' && !quoted) {
            if (started)
                names.append(current);
            current.clear();
            started = false;
        } else {
            current += ch;
            started = true;
        }
    }
    if (started)
        names.append(current);
    return names;
}

QString ArchiveTools::toolPath(const QString &baseName) const
{
    // A file association starts the editor in the item's folder, not in
    // its install folder, where the tools are shipped beside the program.
    QStringList dirs;
    if (QCoreApplication::instance())
        dirs.append(QCoreApplication::applicationDirPath());
    dirs.append(m_appPath);
    for (const QString &dir : std::as_const(dirs)) {
        if (dir.isEmpty())
            continue;
        const QFileInfo local(dir + u'/' + toolFileName(baseName));
        if (local.isFile() && local.isExecutable())
            return local.absoluteFilePath();
    }
    return QStandardPaths::findExecutable(baseName);
}

void ArchiveTools::Zip(const QString &fileZip, const QString &fileDir, const QString &fileIn)
{
    // Where a missing folder leaves the current directory, the files are
    // looked for in whatever directory is current.
    const QString before = QDir::currentPath();
    if (!fileDir.isEmpty() && QFileInfo(fileDir).isDir())
        QDir::setCurrent(fileDir);
    const QString baseDir = QDir::currentPath();
#ifdef Q_OS_WIN
    // Windows cannot remove or rename a folder that is some process's
    // current directory: the tool gets it as its working folder instead.
    QDir::setCurrent(before);
#else
    Q_UNUSED(before);
#endif
    const QDir base(baseDir);

    const QString tool = toolPath(u"zip"_s);
    if (tool.isEmpty()) {
        m_showMessaggio(
            u"Programma zip non trovato nella cartella %1 né nel PATH: l'archivio non è stato creato."_s
                .arg(QDir::toNativeSeparators(m_appPath)),
            u"The zip program is found neither in the folder %1 nor on the PATH: the archive was not created."_s
                .arg(QDir::toNativeSeparators(m_appPath)));
        return;
    }

    QStringList names;
    QStringList missing;
    for (QString name : splitQuotedList(fileIn)) {
        name.replace(u'\\', u'/');
        if (name.isEmpty())
            continue;
        const QString clean = QDir::cleanPath(name);
        // The archive stores names relative to the folder; a name that leaves
        // it cannot be stored as given and would leak other files.
        if (QDir::isAbsolutePath(clean) || clean == u".." || clean.startsWith(u"../")) {
            missing.append(name);
            continue;
        }
        const qsizetype slash = clean.lastIndexOf(u'/');
        const QString dirPart = clean.left(slash + 1);
        const QString filePart = clean.mid(slash + 1);
        if (isWildcard(filePart)) {
            // Expanded here (zip off Windows does not), ignoring case like
            // Windows, in the folder's name too.
            const QRegularExpression rx = wildcardRegex(filePart);
            const std::optional<QString> folder = resolveFolder(base, dirPart);
            const QFileInfoList files =
                folder ? QDir(base.filePath(*folder))
                             .entryInfoList(QDir::Files | QDir::Hidden, QDir::Name)
                       : QFileInfoList();
            // A pattern that matches nothing (a reel without a BMP
            // sub-folder) names no file, so none is missing.
            for (const QFileInfo &fi : files)
                if (rx.match(fi.fileName()).hasMatch())
                    names.append(*folder + fi.fileName());
        } else if (QFileInfo(base.filePath(clean)).isFile()) {
            names.append(clean);
        } else {
            missing.append(name);
        }
    }
    names.removeDuplicates();

    const QString archive = QFileInfo(fileZip).absoluteFilePath();
    const QString shown = QDir::toNativeSeparators(archive);
    const QString dir = QDir::toNativeSeparators(baseDir);
    const QString list = missing.join(u", "_s);
    if (names.isEmpty()) {
        if (missing.isEmpty())
            m_showMessaggio(
                u"Nessun file da mettere nell'archivio %1: l'archivio non è stato creato."_s.arg(
                    shown),
                u"No files to put into the archive %1: the archive was not created."_s.arg(shown));
        else
            m_showMessaggio(
                u"Nella cartella %2 non si trova nessuno di questi file: %1. L'archivio %3 non è stato creato."_s
                    .arg(list, dir, shown),
                u"None of these files is in the folder %2: %1. The archive %3 was not created."_s
                    .arg(list, dir, shown));
        return;
    }
    if (missing.size() == 1)
        m_showMessaggio(
            u"Il file %1 non si trova nella cartella %2 e non viene messo nell'archivio."_s.arg(
                list, dir),
            u"The file %1 is not in the folder %2 and is left out of the archive."_s.arg(list,
                                                                                         dir));
    else if (missing.size() > 1)
        m_showMessaggio(
            u"Questi file non si trovano nella cartella %2 e non vengono messi nell'archivio: %1"_s
                .arg(list, dir),
            u"These files are not in the folder %2 and are left out of the archive: %1"_s.arg(list,
                                                                                              dir));

    // zip adds to an existing archive and may leave a broken one behind: it
    // writes a fresh file that replaces the target only on success. It goes
    // into a private folder beside the target, where zip also keeps its own
    // temporary file, so a failed run leaves nothing behind.
    QTemporaryDir work(QFileInfo(archive).absolutePath() + u"/.kvzip-XXXXXX"_s);
    if (!work.isValid()) {
        m_showMessaggio(u"Impossibile creare l'archivio %1: %2"_s.arg(shown, work.errorString()),
                        u"Could not make the archive %1: %2"_s.arg(shown, work.errorString()));
        return;
    }
    work.setAutoRemove(false);
    const QString workDir = work.path();
    hideFolder(workDir);
    // The ".zip" suffix keeps zip from appending one.
    const QString temp = workDir + u"/archive.zip"_s;

    // "./" keeps every name from reading as an option or as "-" (stdin);
    // zip drops it from the stored name. -nw: names are literal.
    QStringList args{u"-q"_s, u"-X"_s, u"-nw"_s, temp, u"--"_s};
    for (const QString &name : std::as_const(names))
        args.append(u"./"_s + name);

    Messenger show = m_showMessaggio;
    m_desktop.startProcess(
        tool, args, baseDir,
        [show, tool, temp, workDir, archive, shown](const DesktopServices::ProcessResult &r) {
            if (!r.started || r.crashed || r.exitCode != 0) {
                removeStaging(workDir);
                reportFailedRun(
                    show, tool, r, shown,
                    {u"zip si è interrotto creando l'archivio %1 (%2)."_s,
                     u"zip stopped abnormally while making the archive %1 (%2)."_s,
                     u"zip non è riuscito a creare l'archivio %1 (codice di uscita %2)."_s,
                     u"zip could not make the archive %1 (exit code %2)."_s,
                     u" Un archivio già presente non è stato modificato."_s,
                     u" An existing archive is unchanged."_s});
                return;
            }
            QString error;
            if (!replaceFile(temp, archive, &error))
                show(u"Impossibile sostituire l'archivio %1: %2"_s.arg(shown, error),
                     u"Could not replace the archive %1: %2"_s.arg(shown, error));
            removeStaging(workDir);
        });
}

namespace {

struct ToolOutput
{
    bool ok = false;
    QByteArray out;
    QString whyI, whyE;
};

// Runs a listing of unzip and waits for it; a listing is small and quick.
ToolOutput runListing(const QString &tool, const QStringList &args)
{
    constexpr int kTimeoutMs = 30000;
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const QString &name : {u"UNZIP"_s, u"UNZIPOPT"_s, u"ZIPINFO"_s, u"ZIPINFOOPT"_s})
        env.remove(name);
    p.setProcessEnvironment(env);
    p.setStandardInputFile(QProcess::nullDevice());
    p.start(tool, args);
    ToolOutput r;
    if (!p.waitForStarted(kTimeoutMs)) {
        r.whyI = r.whyE = p.errorString();
        return r;
    }
    if (!p.waitForFinished(kTimeoutMs)) {
        p.kill();
        p.waitForFinished();
        r.whyI = u"unzip non ha risposto entro %1 s"_s.arg(kTimeoutMs / 1000);
        r.whyE = u"unzip gave no answer within %1 s"_s.arg(kTimeoutMs / 1000);
        return r;
    }
    r.out = p.readAllStandardOutput();
    if (p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        // unzip's own first words say best what is wrong with the file.
        QString said;
        for (const QByteArray &line : QByteArray(p.readAllStandardError() + r.out).split('\n')) {
            said = QString::fromLocal8Bit(line).simplified();
            if (!said.isEmpty() && !said.startsWith(u'['))
                break;
        }
        r.whyI = r.whyE = said.isEmpty() ? u"%1 (%2)"_s.arg(p.exitCode()).arg(tool) : said;
        return r;
    }
    r.ok = true;
    return r;
}

QString megabytes(qint64 bytes)
{
    return QString::number(double(bytes) / (1024.0 * 1024.0), 'f', 1);
}

} // namespace

std::optional<ArchiveListing> ArchiveTools::listArchive(const QString &fileZip,
                                                        const QString &exPath)
{
    const QString tool = toolPath(u"unzip"_s);
    const QString archive = QFileInfo(fileZip).absoluteFilePath();
    const QString shown = QDir::toNativeSeparators(archive);
    if (tool.isEmpty()) {
        m_showMessaggio(
            u"Programma unzip non trovato nella cartella %1 né nel PATH: l'archivio %2 non è stato estratto."_s
                .arg(QDir::toNativeSeparators(m_appPath), shown),
            u"The unzip program is found neither in the folder %1 nor on the PATH: the archive %2 was not unpacked."_s
                .arg(QDir::toNativeSeparators(m_appPath), shown));
        return std::nullopt;
    }
    const auto refuse = [&](const QString &whyI, const QString &whyE) {
        m_showMessaggio(
            u"L'archivio %1 non è stato estratto: %2. Nessun file è stato cambiato."_s.arg(shown,
                                                                                           whyI),
            u"The archive %1 was not unpacked: %2. No file was changed."_s.arg(shown, whyE));
        return std::nullopt;
    };
    const auto unlisted = [&](const ToolOutput &r) {
        return refuse(u"%1 non ne legge l'elenco dei file (%2)"_s.arg(tool, r.whyI),
                      u"%1 cannot read its list of files (%2)"_s.arg(tool, r.whyE));
    };

    // The totals first: their output stays small whatever the archive holds.
    const QString literal = literalUnzipArchive(archive);
    const ToolOutput totals = runListing(tool, {u"-Zt"_s, literal});
    if (!totals.ok)
        return unlisted(totals);
    static const QRegularExpression totalsLine(u"^(\\d+) files?, (\\d+) bytes uncompressed"_s);
    const QRegularExpressionMatch m = totalsLine.match(QString::fromLatin1(totals.out));
    if (!m.hasMatch())
        return unlisted({false,
                         {},
                         QString::fromLatin1(totals.out).simplified(),
                         QString::fromLatin1(totals.out).simplified()});
    const qint64 count = m.captured(1).toLongLong();
    ArchiveListing listing;
    listing.totalBytes = m.captured(2).toLongLong();
    if (count > kMaxEntries)
        return refuse(
            u"contiene %1 file, più dei %2 ammessi"_s.arg(count).arg(kMaxEntries),
            u"it holds %1 entries, more than the %2 allowed"_s.arg(count).arg(kMaxEntries));
    if (listing.totalBytes > kMaxUnpackedBytes || m.captured(2).size() > 18)
        return refuse(u"si espande in %1 MB, più dei %2 MB ammessi"_s.arg(
                          megabytes(listing.totalBytes), megabytes(kMaxUnpackedBytes)),
                      u"it unpacks to %1 MB, more than the %2 MB allowed"_s.arg(
                          megabytes(listing.totalBytes), megabytes(kMaxUnpackedBytes)));
    const QString target = QDir(exPath).absolutePath();
    const QStorageInfo storage(target);
    if (storage.isValid() && listing.totalBytes > storage.bytesAvailable()) {
        const QString dir = QDir::toNativeSeparators(target);
        const QString free = megabytes(storage.bytesAvailable());
        return refuse(
            u"si espande in %1 MB ma nella cartella %2 ne restano liberi solo %3 MB"_s.arg(
                megabytes(listing.totalBytes), dir, free),
            u"it unpacks to %1 MB but only %3 MB are free in the folder %2"_s.arg(
                megabytes(listing.totalBytes), dir, free));
    }

    const ToolOutput names = runListing(tool, {u"-Z1"_s, literal});
    if (!names.ok)
        return unlisted(names);
    QByteArrayList lines = names.out.split('\n');
    if (!lines.isEmpty() && lines.constLast().isEmpty())
        lines.removeLast();
#ifdef Q_OS_WIN
    // unzip.exe ends its lines with CR LF; no Windows name holds a CR.
    for (QByteArray &line : lines)
        if (line.endsWith('\r'))
            line.chop(1);
#endif
    // A line break inside a name would make two names of one.
    if (lines.size() != count)
        return unlisted({false,
                         {},
                         u"%1 nomi per %2 file"_s.arg(lines.size()).arg(count),
                         u"%1 names for %2 entries"_s.arg(lines.size()).arg(count)});
    for (const QByteArray &line : std::as_const(lines)) {
        if (isUtf8(line)) {
            listing.names.append(QString::fromUtf8(line));
        } else if (m_decodeName) {
            listing.names.append(m_decodeName(line));
        } else {
            const QString name = escapedName(line);
            return refuse(u"il nome del file \"%1\" non è in UTF-8"_s.arg(name),
                          u"the name of the entry \"%1\" is not UTF-8"_s.arg(name));
        }
    }
    return listing;
}

void ArchiveTools::UnZip(const QString &fileZip, const QString &exPath, const ImportHooks &hooks)
{
    const std::optional<ArchiveListing> listing = listArchive(fileZip, exPath);
    if (!listing || (hooks.accept && !hooks.accept(*listing)))
        return;
    const QString tool = toolPath(u"unzip"_s);
    const QString archive = QFileInfo(fileZip).absoluteFilePath();
    const QString shown = QDir::toNativeSeparators(archive);

    // unzip restores symbolic links, and a later archive could write through
    // one: it unpacks into a fresh hidden folder, and only plain files and
    // folders are moved on into the target.
    const QString target = QDir(exPath).absolutePath();
    QTemporaryDir staging(target + u"/.kvunzip-XXXXXX"_s);
    if (!staging.isValid()) {
        m_showMessaggio(u"Impossibile estrarre l'archivio %1 nella cartella %2: %3"_s.arg(
                            shown, QDir::toNativeSeparators(target), staging.errorString()),
                        u"Could not unpack the archive %1 into the folder %2: %3"_s.arg(
                            shown, QDir::toNativeSeparators(target), staging.errorString()));
        return;
    }
    staging.setAutoRemove(false);
    const QString stage = staging.path();
    hideFolder(stage);

    // No -q: it also turns unzip's warnings (a "../" dropped) into exit code 0.
    const QStringList args{u"-o"_s, literalUnzipArchive(archive), u"-d"_s, stage};
    Messenger show = m_showMessaggio;
    NameDecoder decode = m_decodeName;
    m_desktop.startProcess(
        tool, args, target,
        [show, decode, hooks, tool, stage, target, shown](const DesktopServices::ProcessResult &r) {
            // Exit code 1 is a warning (for instance a "../" that was
            // dropped): the files are there and are kept.
            if (!r.started || r.crashed || r.exitCode > 1 || r.exitCode < 0) {
                removeStaging(stage);
                reportFailedRun(
                    show, tool, r, shown,
                    {u"unzip si è interrotto estraendo l'archivio %1 (%2)."_s,
                     u"unzip stopped abnormally while unpacking the archive %1 (%2)."_s,
                     u"unzip non è riuscito a estrarre l'archivio %1 (codice di uscita %2)."_s,
                     u"unzip could not unpack the archive %1 (exit code %2)."_s,
                     u" Nessun file è stato cambiato."_s, u" No file was changed."_s});
                return;
            }

            makeOwnerAccessible(nativePath(stage));
            MergeReport report;
            decodeNames(nativePath(stage), decode, QString(), report.failed);
            QStringList replaced;
            findReplaced(stage, target, QString(), replaced);
            replaced.removeDuplicates(); // case twins of one archive
            if (!replaced.isEmpty() && hooks.confirmReplace && !hooks.confirmReplace(replaced)) {
                removeStaging(stage);
                return;
            }
            mergeInto(stage, target, QString(), report);
            const bool removed = removeStaging(stage);
            QStringList msgI;
            QStringList msgE;
            if (r.exitCode == 1) {
                msgI.append(
                    u"unzip ha segnalato avvisi per l'archivio %1 (codice di uscita 1): alcuni nomi sono stati corretti o saltati."_s
                        .arg(shown));
                msgE.append(
                    u"unzip reported warnings for the archive %1 (exit code 1): some names were corrected or skipped."_s
                        .arg(shown));
            }
            if (!report.skippedLinks.isEmpty()) {
                const QString list = report.skippedLinks.join(u", "_s);
                msgI.append(u"Collegamenti simbolici non estratti: %1"_s.arg(list));
                msgE.append(u"Symbolic links not unpacked: %1"_s.arg(list));
            }
            if (!report.failed.isEmpty()) {
                const QString list = report.failed.join(u", "_s);
                const QString dir = QDir::toNativeSeparators(target);
                msgI.append(u"Impossibile mettere nella cartella %1: %2"_s.arg(dir, list));
                msgE.append(u"Could not put into the folder %1: %2"_s.arg(dir, list));
            }
            if (!removed) {
                const QString dir = QDir::toNativeSeparators(stage);
                msgI.append(u"Impossibile rimuovere la cartella temporanea %1"_s.arg(dir));
                msgE.append(u"Could not remove the temporary folder %1"_s.arg(dir));
            }
            if (!msgI.isEmpty())
                show(msgI.join(u'\n'), msgE.join(u'\n'));
            if (hooks.imported)
                hooks.imported(replaced);
        });
}
