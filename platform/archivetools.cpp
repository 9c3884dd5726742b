#include "archivetools.h"

#include "desktopservices.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <filesystem>
#include <optional>
#include <system_error>
#include <utility>

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
        QString found;
        if (QFileInfo(here.filePath(part)).isDir()) {
            found = part;
        } else {
            for (const QString &name :
                 here.entryList(QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot)) {
                if (name.compare(part, Qt::CaseInsensitive) != 0)
                    continue;
                if (!found.isEmpty())
                    return std::nullopt; // ambiguous: do not guess
                found = name;
            }
            if (found.isEmpty())
                return std::nullopt;
        }
        resolved += found + u'/';
    }
    return resolved;
}

// unzip reads the archive name as a pattern; bracket each wildcard character
// so that "Trota[1].zip" does not open "Trota1.zip".
QString literalUnzipArchive(const QString &absPath)
{
#ifdef Q_OS_WIN
    return absPath;
#else
    const qsizetype slash = absPath.lastIndexOf(u'/');
    QString name;
    for (const QChar ch : absPath.mid(slash + 1)) {
        if (ch == u'*' || ch == u'?' || ch == u'[')
            name += u'[' + QString(ch) + u']';
        else
            name += ch;
    }
    return absPath.left(slash + 1) + name;
#endif
}

// A name no existing file has, in `folder`. The file itself is not created:
// zip refuses to add to an empty file.
QString unusedName(const QString &folder, const QString &prefix, const QString &suffix)
{
    for (;;) {
        QString candidate = folder + u'/' + prefix
                            + QString::number(QRandomGenerator::global()->generate64(), 36)
                            + suffix;
        if (!QFileInfo(candidate).isSymLink() && !QFileInfo::exists(candidate))
            return candidate;
    }
}

// Archives may record folders without owner access; the merge and the final
// removal need to enter them.
void makeOwnerAccessible(const QString &dir)
{
    QFile::setPermissions(dir, QFile::permissions(dir) | QFile::ReadOwner | QFile::WriteOwner
                                   | QFile::ExeOwner);
    const QFileInfoList entries =
        QDir(dir).entryInfoList(QDir::Dirs | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QFileInfo &fi : entries) {
        if (!fi.isSymLink())
            makeOwnerAccessible(fi.filePath());
    }
}

struct MergeReport
{
    QStringList skippedLinks;
    QStringList failed;
};

// Moves what unzip produced into the target, replacing same-named files.
// Symbolic links are dropped and links already in the target are never
// followed, so nothing can land outside it.
void mergeInto(const QString &srcDir, const QString &dstDir, const QString &prefix,
               MergeReport &report)
{
    const QFileInfoList entries = QDir(srcDir).entryInfoList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    for (const QFileInfo &src : entries) {
        const QString rel = prefix + src.fileName();
        const QString dst = dstDir + u'/' + src.fileName();
        const QFileInfo target(dst);
        if (src.isSymLink()) {
            report.skippedLinks.append(rel);
        } else if (src.isDir()) {
            if (target.isSymLink() || (target.exists() && !target.isDir())
                || (!target.exists() && !QDir().mkdir(dst))) {
                report.failed.append(rel + u'/');
                continue;
            }
            mergeInto(src.filePath(), dst, rel + u'/', report);
        } else if (src.isFile()) {
            QString error;
            if (target.isDir() && !target.isSymLink()) {
                report.failed.append(rel);
                continue;
            }
            QFile::setPermissions(src.filePath(), QFile::permissions(src.filePath())
                                                      | QFile::ReadOwner | QFile::WriteOwner);
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

ArchiveTools::ArchiveTools(DesktopServices &desktop, QString appPath, Messenger showMessaggio)
    : m_desktop(desktop)
    , m_appPath(std::move(appPath))
    , m_showMessaggio(std::move(showMessaggio))
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
    if (!m_appPath.isEmpty()) {
        const QFileInfo local(m_appPath + u'/' + toolFileName(baseName));
        if (local.isFile() && local.isExecutable())
            return local.absoluteFilePath();
    }
    return QStandardPaths::findExecutable(baseName);
}

void ArchiveTools::Zip(const QString &fileZip, const QString &fileDir, const QString &fileIn)
{
    // Where a missing folder leaves the current directory, the files are
    // looked for in whatever directory is current.
    if (!fileDir.isEmpty() && QFileInfo(fileDir).isDir())
        QDir::setCurrent(fileDir);
    const QString baseDir = QDir::currentPath();
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
    // writes a fresh file that replaces the target only on success. The
    // ".zip" suffix keeps zip from appending one.
    const QString temp = unusedName(QFileInfo(archive).absolutePath(), u".kvzip-"_s, u".zip"_s);

    // "./" keeps every name from reading as an option or as "-" (stdin);
    // zip drops it from the stored name. -nw: names are literal.
    QStringList args{u"-q"_s, u"-X"_s, u"-nw"_s, temp, u"--"_s};
    for (const QString &name : std::as_const(names))
        args.append(u"./"_s + name);

    Messenger show = m_showMessaggio;
    m_desktop.startProcess(
        tool, args, baseDir,
        [show, tool, temp, archive, shown](const DesktopServices::ProcessResult &r) {
            if (!r.started || r.crashed || r.exitCode != 0) {
                QFile::remove(temp);
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
            if (!replaceFile(temp, archive, &error)) {
                QFile::remove(temp);
                show(u"Impossibile sostituire l'archivio %1: %2"_s.arg(shown, error),
                     u"Could not replace the archive %1: %2"_s.arg(shown, error));
            }
        });
}

void ArchiveTools::UnZip(const QString &fileZip, const QString &exPath)
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
        return;
    }

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

    // No -q: it also turns unzip's warnings (a "../" dropped) into exit code 0.
    const QStringList args{u"-o"_s, literalUnzipArchive(archive), u"-d"_s, stage};
    Messenger show = m_showMessaggio;
    m_desktop.startProcess(
        tool, args, target,
        [show, tool, stage, target, shown](const DesktopServices::ProcessResult &r) {
            // Exit code 1 is a warning (for instance a "../" that was
            // dropped): the files are there and are kept.
            if (!r.started || r.crashed || r.exitCode > 1 || r.exitCode < 0) {
                QDir(stage).removeRecursively();
                reportFailedRun(
                    show, tool, r, shown,
                    {u"unzip si è interrotto estraendo l'archivio %1 (%2)."_s,
                     u"unzip stopped abnormally while unpacking the archive %1 (%2)."_s,
                     u"unzip non è riuscito a estrarre l'archivio %1 (codice di uscita %2)."_s,
                     u"unzip could not unpack the archive %1 (exit code %2)."_s,
                     u" Nessun file è stato cambiato."_s, u" No file was changed."_s});
                return;
            }

            makeOwnerAccessible(stage);
            MergeReport report;
            mergeInto(stage, target, QString(), report);
            const bool removed = QDir(stage).removeRecursively();

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
        });
}
