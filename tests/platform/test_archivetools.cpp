#include "archivetools.h"
#include "filesizelimit.h"
#include "scripteddesktop.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <utility>
#include <vector>

#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace {

void writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    QVERIFY2(f.open(QIODevice::WriteOnly | QIODevice::Truncate), qPrintable(path));
    QCOMPARE(f.write(bytes), bytes.size());
}

QByteArray readFile(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return "<missing>";
    return f.readAll();
}

// Bytes a text-mode conversion or a truncation at NUL would change.
QByteArray binaryContent(const QByteArray &tag)
{
    QByteArray b = tag + "\r\n\n\r";
    for (int i = 0; i < 256; ++i)
        b.append(char(i));
    return b + tag;
}

// A stand-in for a tool in `dir`, under the name the program looks for.
// It only runs where a shell script does (not on Windows, where its bytes
// are no program at all).
QString makeScript(const QString &dir, const QString &tool, const QByteArray &body)
{
#ifdef Q_OS_WIN
    QString path = dir + u'/' + tool + u".exe"_s;
#else
    QString path = dir + u'/' + tool;
#endif
    writeFile(path, "#!/bin/sh\n" + body);
    QFile::setPermissions(path, QFile::permissions(path) | QFile::ExeOwner | QFile::ExeUser);
    return path;
}

#ifdef Q_OS_WIN
#define SKIP_ON_WINDOWS(why) QSKIP("not on Windows: " why)
#else
#define SKIP_ON_WINDOWS(why)
#endif

// Runs a real tool and returns its standard output; fails the test when it
// does not succeed.
QString run(const QString &program, const QStringList &args, const QString &workDir = QString())
{
    QProcess p;
    p.setWorkingDirectory(workDir);
    p.start(program, args);
    if (!p.waitForFinished(240000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        qWarning() << program << args << p.readAllStandardError();
        return u"<failed>"_s;
    }
    // unzip.exe ends its lines with CR LF.
    return QString::fromLocal8Bit(p.readAllStandardOutput()).remove(u'\r');
}

// An archive of empty stored files under these names' bytes, written
// directly (as made on Unix, no UTF-8 mark): the test chooses the bytes,
// and ten thousand files for zip would take minutes under Wine.
void writeEmptyEntriesZip(const QString &path, const QByteArrayList &names)
{
    // Little-endian fields of `bytes` bytes each.
    const auto put = [](QByteArray &b, int bytes, std::initializer_list<quint32> values) {
        for (const quint32 value : values)
            for (int i = 0; i < bytes; ++i)
                b.append(char((value >> (8 * i)) & 0xFF));
    };
    QByteArray local;
    QByteArray central;
    for (const QByteArray &name : names) {
        const auto offset = quint32(local.size());
        const auto length = quint32(name.size());
        // Version, flags, method (stored), time, date 1980-01-01; CRC and
        // sizes of an empty file; name and extra field lengths.
        put(local, 4, {0x04034b50});
        put(local, 2, {10, 0, 0, 0, 0x21});
        put(local, 4, {0, 0, 0});
        put(local, 2, {length, 0});
        local += name;
        // The same, made on Unix; comment, disk, attributes, offset.
        put(central, 4, {0x02014b50});
        put(central, 2, {0x031E, 10, 0, 0, 0, 0x21});
        put(central, 4, {0, 0, 0});
        put(central, 2, {length, 0, 0, 0, 0});
        put(central, 4, {0, offset});
        central += name;
    }
    QByteArray end;
    const auto count = quint32(names.size());
    put(end, 4, {0x06054b50});
    put(end, 2, {0, 0, count, count});
    put(end, 4, {quint32(central.size()), quint32(local.size())});
    put(end, 2, {0});
    writeFile(path, local + central + end);
}

QStringList zipEntries(const QString &archive)
{
    QStringList entries = run(u"unzip"_s, {u"-Z1"_s, archive}).split(u'\n', Qt::SkipEmptyParts);
    entries.sort();
    return entries;
}

QStringList folderEntries(const QString &dir)
{
    return QDir(dir).entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

QString canonical(const QString &path)
{
    return QFileInfo(path).canonicalFilePath();
}

class EnvGuard
{
public:
    explicit EnvGuard(const char *name)
        : m_name(name)
        , m_had(qEnvironmentVariableIsSet(name))
        , m_old(qgetenv(name))
    {
    }
    ~EnvGuard()
    {
        if (m_had)
            qputenv(m_name, m_old);
        else
            qunsetenv(m_name);
    }

private:
    const char *m_name;
    bool m_had;
    QByteArray m_old;
};

} // namespace

class TestArchiveTools : public QObject
{
    Q_OBJECT

private:
    struct Message
    {
        QString it;
        QString en;
    };

    std::unique_ptr<QTemporaryDir> m_root;
    QString m_startDir;
    ScriptedDesktop m_desk;
    std::vector<Message> m_msgs;
    bool m_haveTools = false;

    QString path(const QString &rel) const { return m_root->filePath(rel); }

    std::unique_ptr<ArchiveTools> tools(const QString &appPath,
                                        ArchiveTools::NameDecoder decode = {})
    {
        return std::make_unique<ArchiveTools>(
            m_desk, appPath,
            [this](const QString &i, const QString &e) {
                m_msgs.push_back({i, e});
            },
            std::move(decode));
    }

    // An application folder without tools: the real ones come from PATH.
    QString emptyAppPath()
    {
        QString dir = path(u"app"_s);
        QDir().mkpath(dir);
        return dir;
    }

    // An export leaves the kind folder current, but on Windows, where that
    // would keep the folder from being removed: there the folder it found.
    static QString cwdAfterZip(const QString &folder, const QString &before)
    {
#ifdef Q_OS_WIN
        Q_UNUSED(folder);
        return before;
#else
        Q_UNUSED(before);
        return folder;
#endif
    }

    bool messageNames(std::size_t index, const QString &text) const
    {
        return index < m_msgs.size() && m_msgs[index].it.contains(text)
               && m_msgs[index].en.contains(text);
    }

private Q_SLOTS:
    void initTestCase()
    {
        m_startDir = QDir::currentPath();
        m_haveTools = !QStandardPaths::findExecutable(u"zip"_s).isEmpty()
                      && !QStandardPaths::findExecutable(u"unzip"_s).isEmpty();
    }

    void init()
    {
        m_root = std::make_unique<QTemporaryDir>();
        QVERIFY(m_root->isValid());
        m_desk = ScriptedDesktop();
        m_msgs.clear();
    }

    void cleanup()
    {
        QDir::setCurrent(m_startDir);
        m_root.reset();
    }

    void parameterStrings()
    {
        QCOMPARE(ArchiveTools::zipParameters(u"C:\\Dati\\Korvalis\\Trota.zip"_s,
                                             StrAddApici(u"Trota.kva"_s) + u' '
                                                 + StrAddApici(u"amo_trota.jpg"_s)),
                 u"\"C:/Dati/Korvalis/Trota.zip\" \"Trota.kva\" \"amo_trota.jpg\""_s);
        QCOMPARE(ArchiveTools::unzipParameters(u"C:\\Dati\\Korvalis\\Trota.zip"_s,
                                               u"C:\\Dati\\Korvalis\\Ami\\"_s),
                 u" -o \"C:/Dati/Korvalis/Trota.zip\" -d \"C:/Dati/Korvalis/Ami/\""_s);
        // An item without picture: one quoted name.
        QCOMPARE(ArchiveTools::zipParameters(u"C:\\Dati\\Korvalis\\Trota.zip"_s,
                                             StrAddApici(u"Trota.kva"_s)),
                 u"\"C:/Dati/Korvalis/Trota.zip\" \"Trota.kva\""_s);
        // The venue's presence list keeps its folder, with a forward slash.
        QCOMPARE(ArchiveTools::zipParameters(u"C:\\L.zip"_s, StrAddApici(u"KVS\\MioLago.kvs"_s)),
                 u"\"C:/L.zip\" \"KVS/MioLago.kvs\""_s);
        QCOMPARE(StrAddApici(QString()), u"\"\""_s);
        QCOMPARE(StrAddApici(u" a\\b "_s), u"\" a\\b \""_s);
    }

    void splitQuotedList_data()
    {
        QTest::addColumn<QString>("list");
        QTest::addColumn<QStringList>("names");
        QTest::newRow("two names") << u"\"Trota.kva\" \"amo_trota.jpg\""_s
                                   << QStringList{u"Trota.kva"_s, u"amo_trota.jpg"_s};
        QTest::newRow("one name") << u"\"Trota.kva\""_s << QStringList{u"Trota.kva"_s};
        QTest::newRow("blanks inside quotes")
            << u"\"Lago di Garda.kvl\" \" foto .jpg\""_s
            << QStringList{u"Lago di Garda.kvl"_s, u" foto .jpg"_s};
        QTest::newRow("empty quoted entry")
            << u"\"Lago.kvl\" \"\""_s << QStringList{u"Lago.kvl"_s, QString()};
        QTest::newRow("runs of blanks") << u"  \"a\"   \"b\"  "_s << QStringList{u"a"_s, u"b"_s};
        QTest::newRow("unquoted names") << u"a.kva b.jpg"_s << QStringList{u"a.kva"_s, u"b.jpg"_s};
        // A name carrying quotes cannot be told apart from several names;
        // its pieces stay names, never anything else.
        QTest::newRow("quote trick") << StrAddApici(u"x.kva\" -T -TT \"y.jpg"_s)
                                     << QStringList{u"x.kva"_s, u"-T"_s, u"-TT"_s, u"y.jpg"_s};
        QTest::newRow("quotes glue pieces")
            << u"ab\"c d\"e \"f\""_s << QStringList{u"abc de"_s, u"f"_s};
        QTest::newRow("unclosed quote runs to the end")
            << u"\"a\" \"b c"_s << QStringList{u"a"_s, u"b c"_s};
        QTest::newRow("empty list") << QString() << QStringList{};
    }

    void splitQuotedList()
    {
        QFETCH(QString, list);
        QFETCH(QStringList, names);
        QCOMPARE(ArchiveTools::splitQuotedList(list), names);
    }

    // Names that look like options reach zip only as names, after "--" and
    // behind "./"; the archive is written under a temporary name first.
    void zipArgumentsKeepNamesOutOfOptions()
    {
        const QString kind = path(u"data/Ami"_s);
        for (const QString &name :
             {u"x.kva"_s, u"-T"_s, u"-TT"_s, u"y.jpg"_s, u"-rf.kva"_s, u"-"_s})
            writeFile(kind + u'/' + name, "dati");
        const QString app = emptyAppPath();
        const QString zip = makeScript(app, u"zip"_s, "exit 0\n");
        const QString archive = path(u"data/Trota.zip"_s);

        tools(app)->Zip(archive, kind,
                        StrAddApici(u"x.kva\" -T -TT \"y.jpg"_s) + u' ' + StrAddApici(u"-rf.kva"_s)
                            + u' ' + StrAddApici(u"-"_s));

        QCOMPARE(m_msgs.size(), 0u);
        QCOMPARE(m_desk.processes.size(), 1u);
        const auto &p = m_desk.processes.front();
        QCOMPARE(p.program, zip);
        QCOMPARE(canonical(p.workDir), canonical(kind));
        QCOMPARE(p.args.size(), 11);
        QCOMPARE(p.args.mid(0, 3), (QStringList{u"-q"_s, u"-X"_s, u"-nw"_s}));
        const QFileInfo temp(p.args.at(3));
        QCOMPARE(QFileInfo(temp.absolutePath()).absolutePath(), path(u"data"_s));
        QVERIFY(temp.fileName() != u"Trota.zip"_s);
        QVERIFY(temp.fileName().endsWith(u".zip"_s));
        QCOMPARE(p.args.mid(4), (QStringList{u"--"_s, u"./x.kva"_s, u"./-T"_s, u"./-TT"_s,
                                             u"./y.jpg"_s, u"./-rf.kva"_s, u"./-"_s}));
    }

    void namesThatLookLikeOptionsAreStoredAsGiven()
    {
        if (!m_haveTools)
            QSKIP("needs Info-ZIP zip and unzip on the PATH");
        const QString src = path(u"src"_s);
        const QStringList names{u"-"_s, u"-T"_s, u"KVS/x.kvs"_s, u"a b.kva"_s, u"[1].jpg"_s};
        for (const QString &name : names)
            writeFile(src + u'/' + name, binaryContent(name.toUtf8()));
        m_desk.runProcesses = true;
        auto t = tools(emptyAppPath());
        QString list;
        for (const QString &name : names)
            list += StrAddApici(name) + u' ';
        const QString archive = path(u"out.zip"_s);
        t->Zip(archive, src, list.trimmed());
        QCOMPARE(m_msgs.size(), 0u);
        QStringList sorted = names;
        sorted.sort();
        QCOMPARE(zipEntries(archive), sorted);

        const QString dst = path(u"dst"_s);
        QDir().mkpath(dst);
        t->UnZip(archive, dst);
        QCOMPARE(m_msgs.size(), 0u);
        // "-" must hold the file, not zip's empty standard input.
        for (const QString &name : names)
            QCOMPARE(readFile(dst + u'/' + name), binaryContent(name.toUtf8()));
    }

    void exportAndImportRoundTrip()
    {
        if (!m_haveTools)
            QSKIP("needs Info-ZIP zip and unzip on the PATH");
        const QString data = path(u"data"_s);
        const QString kind = data + u"/Mulinelli"_s;
        writeFile(kind + u"/Trota.kvm"_s, binaryContent("item"));
        writeFile(kind + u"/foto.jpg"_s, binaryContent("foto"));
        writeFile(kind + u"/KVS/MioLago.kvs"_s, binaryContent("kvs"));
        writeFile(kind + u"/Trota/a.BMP"_s, binaryContent("a"));
        writeFile(kind + u"/Trota/b.bmp"_s, binaryContent("b"));
        writeFile(kind + u"/Trota/c.Bmp"_s, binaryContent("c"));
        writeFile(kind + u"/Trota/d.jpg"_s, binaryContent("not packed"));
        writeFile(kind + u"/Trota/e.bmp.txt"_s, binaryContent("not packed"));
        writeFile(kind + u"/altro.bmp"_s, binaryContent("not packed"));
        const QString archive = data + u"/Trota.zip"_s;

        m_desk.runProcesses = true;
        auto t = tools(emptyAppPath());
        t->Zip(archive, kind + u'/',
               StrAddApici(u"Trota.kvm"_s) + u' ' + StrAddApici(u"foto.jpg"_s) + u' '
                   + StrAddApici(u"KVS\\MioLago.kvs"_s) + u' ' + StrAddApici(u"Trota/*.bmp"_s));

        QCOMPARE(m_msgs.size(), 0u);
        QCOMPARE(canonical(QDir::currentPath()), canonical(cwdAfterZip(kind, m_startDir)));
        const QStringList expected{u"KVS/MioLago.kvs"_s, u"Trota.kvm"_s,   u"Trota/a.BMP"_s,
                                   u"Trota/b.bmp"_s,     u"Trota/c.Bmp"_s, u"foto.jpg"_s};
        QCOMPARE(zipEntries(archive), expected);
        // No temporary archive is left beside the real one.
        QCOMPARE(folderEntries(data), (QStringList{u"Mulinelli"_s, u"Trota.zip"_s}));

        const QString target = path(u"other/Mulinelli"_s);
        writeFile(target + u"/Trota.kvm"_s, "old item");
        writeFile(target + u"/keep.txt"_s, "untouched");
        QDir::setCurrent(m_root->path());
        t->UnZip(archive, target + u'/');

        QCOMPARE(m_msgs.size(), 0u);
        QCOMPARE(canonical(QDir::currentPath()), canonical(m_root->path()));
        for (const QString &name : expected)
            QCOMPARE(readFile(target + u'/' + name), readFile(kind + u'/' + name));
        QCOMPARE(readFile(target + u"/keep.txt"_s), QByteArray("untouched"));
        // Nothing else, in particular no staging folder, is left behind.
        QCOMPARE(folderEntries(target),
                 (QStringList{u"KVS"_s, u"Trota"_s, u"Trota.kvm"_s, u"foto.jpg"_s, u"keep.txt"_s}));
    }

    // zip adds to an existing archive; a confirmed overwrite must not.
    void overwriteReplacesArchive()
    {
        if (!m_haveTools)
            QSKIP("needs Info-ZIP zip and unzip on the PATH");
        const QString kind = path(u"Ami"_s);
        writeFile(kind + u"/Trota.kva"_s, "nuovo");
        writeFile(kind + u"/old.jpg"_s, "vecchio");
        const QString archive = path(u"Trota.zip"_s);
        m_desk.runProcesses = true;
        auto t = tools(emptyAppPath());
        t->Zip(archive, kind, StrAddApici(u"Trota.kva"_s) + u' ' + StrAddApici(u"old.jpg"_s));
        QCOMPARE(zipEntries(archive), (QStringList{u"Trota.kva"_s, u"old.jpg"_s}));
        t->Zip(archive, kind, StrAddApici(u"Trota.kva"_s));
        QCOMPARE(m_msgs.size(), 0u);
        QCOMPARE(zipEntries(archive), QStringList{u"Trota.kva"_s});
    }

    void missingFilesAreReportedAndTheRestPacked()
    {
        if (!m_haveTools)
            QSKIP("needs Info-ZIP zip and unzip on the PATH");
        const QString kind = path(u"data/Ami"_s);
        writeFile(kind + u"/Trota.kva"_s, "item");
        writeFile(path(u"data/segreto.txt"_s), "outside the kind folder");
        m_desk.runProcesses = true;
        auto t = tools(emptyAppPath());

        const QString archive = path(u"Trota.zip"_s);
        t->Zip(archive, kind,
               StrAddApici(u"Trota.kva"_s) + u' ' + StrAddApici(u"manca.jpg"_s) + u' '
                   + StrAddApici(u"Base/*.bmp"_s) + u' ' + StrAddApici(u"../segreto.txt"_s));
        QCOMPARE(m_msgs.size(), 1u);
        QVERIFY(messageNames(0, u"manca.jpg"_s));
        QVERIFY(!messageNames(0, u"Base/*.bmp"_s)); // matches nothing: nothing missing
        QVERIFY(messageNames(0, u"../segreto.txt"_s));
        QCOMPARE(zipEntries(archive), QStringList{u"Trota.kva"_s});

        // The empty entry a venue without own presence list adds is no file
        // and not worth a warning.
        m_msgs.clear();
        const QString venue = path(u"Lago.zip"_s);
        t->Zip(venue, kind, StrAddApici(u"Trota.kva"_s) + u' ' + StrAddApici(QString()));
        QCOMPARE(m_msgs.size(), 0u);
        QCOMPARE(zipEntries(venue), QStringList{u"Trota.kva"_s});

        // Nothing left: reported, zip not started, no archive.
        m_msgs.clear();
        const std::size_t started = m_desk.processes.size();
        const QString none = path(u"Niente.zip"_s);
        t->Zip(none, kind, StrAddApici(u"manca.jpg"_s));
        QCOMPARE(m_msgs.size(), 1u);
        QVERIFY(messageNames(0, u"manca.jpg"_s));
        QVERIFY(messageNames(0, u"Niente.zip"_s));
        QCOMPARE(m_desk.processes.size(), started);
        QVERIFY(!QFileInfo::exists(none));
    }

    // A wildcard's folder is found regardless of case, as on Windows; the
    // archive gets the names on disk. Two candidates: no guessing.
    void wildcardFolderIgnoresCase()
    {
        SKIP_ON_WINDOWS("two folders whose names differ only in case cannot exist");
        const QString kind = path(u"Mulinelli"_s);
        writeFile(kind + u"/Spin.kvm"_s, "item");
        writeFile(kind + u"/sPIN/a.BMP"_s, "a");
        writeFile(kind + u"/sPIN/b.txt"_s, "b");
        writeFile(kind + u"/Due/x.bmp"_s, "x");
        writeFile(kind + u"/DUE/y.bmp"_s, "y");
        const QString app = emptyAppPath();
        makeScript(app, u"zip"_s, "exit 0\n");
        tools(app)->Zip(path(u"s.zip"_s), kind,
                        StrAddApici(u"Spin.kvm"_s) + u' ' + StrAddApici(u"Spin/*.bmp"_s) + u' '
                            + StrAddApici(u"due/*.bmp"_s) + u' ' + StrAddApici(u"Due/*.BMP"_s));
        QCOMPARE(m_desk.processes.size(), 1u);
        const QStringList args = m_desk.processes.back().args;
        QCOMPARE(args.mid(args.indexOf(u"--"_s) + 1),
                 (QStringList{u"./Spin.kvm"_s, u"./sPIN/a.BMP"_s, u"./Due/x.bmp"_s}));
        QCOMPARE(m_msgs.size(), 0u);
    }

    // A kind folder that does not exist leaves the current directory, where
    // the files are then looked for.
    void missingFolderKeepsCurrentDirectory()
    {
        const QString here = path(u"here"_s);
        writeFile(here + u"/x.kva"_s, "item");
        const QString app = emptyAppPath();
        makeScript(app, u"zip"_s, "exit 0\n");
        QDir::setCurrent(here);
        tools(app)->Zip(path(u"x.zip"_s), path(u"nowhere"_s), StrAddApici(u"x.kva"_s));
        QCOMPARE(m_msgs.size(), 0u);
        QCOMPARE(canonical(QDir::currentPath()), canonical(here));
        QCOMPARE(m_desk.processes.size(), 1u);
        QCOMPARE(canonical(m_desk.processes.front().workDir), canonical(here));
        QCOMPARE(m_desk.processes.front().args.last(), u"./x.kva"_s);
    }

    void missingToolIsReported()
    {
        const QString kind = path(u"Ami"_s);
        writeFile(kind + u"/Trota.kva"_s, "item");
        writeFile(path(u"Trota.zip"_s), "archive");
        const QString app = emptyAppPath();
        auto t = tools(app);
        {
            EnvGuard pathGuard("PATH");
            qputenv("PATH", QByteArray());
            QCOMPARE(t->toolPath(u"zip"_s), QString());
            QCOMPARE(t->toolPath(u"unzip"_s), QString());
            t->Zip(path(u"Nuovo.zip"_s), kind, StrAddApici(u"Trota.kva"_s));
            t->UnZip(path(u"Trota.zip"_s), kind);
        }
        QVERIFY(m_desk.processes.empty());
        QCOMPARE(m_msgs.size(), 2u);
        QVERIFY(messageNames(0, u"zip"_s));
        QVERIFY(!m_msgs[0].en.contains(u"unzip"_s));
        QVERIFY(messageNames(1, u"unzip"_s));
        QVERIFY(!QFileInfo::exists(path(u"Nuovo.zip"_s)));
        QCOMPARE(folderEntries(kind), QStringList{u"Trota.kva"_s});
    }

    void toolInAppPathIsPreferred()
    {
        if (!m_haveTools)
            QSKIP("needs Info-ZIP zip and unzip on the PATH");
        const QString app = emptyAppPath();
        const QString zip = makeScript(app, u"zip"_s, "exit 0\n");
        auto t = tools(app);
        QCOMPARE(t->toolPath(u"zip"_s), zip);
#ifndef Q_OS_WIN
        // Present but not executable: not taken (Windows has no such mode).
        writeFile(app + u"/unzip"_s, "not a program");
#endif
        QCOMPARE(t->toolPath(u"unzip"_s), QStandardPaths::findExecutable(u"unzip"_s));

        const QString kind = path(u"Ami"_s);
        writeFile(kind + u"/Trota.kva"_s, "item");
        t->Zip(path(u"Trota.zip"_s), kind, StrAddApici(u"Trota.kva"_s));
        QCOMPARE(m_desk.processes.size(), 1u);
        QCOMPARE(m_desk.processes.front().program, zip);
    }

    void failingZipKeepsExistingArchive()
    {
        SKIP_ON_WINDOWS("the failing stand-in is a shell script; a real zip.exe failing is "
                        "failingRealZipIsReported");
        const QString kind = path(u"Ami"_s);
        writeFile(kind + u"/Trota.kva"_s, "item");
        const QString outDir = path(u"out"_s);
        const QString archive = outDir + u"/Trota.zip"_s;
        writeFile(archive, "the archive made last week");
        const QString app = emptyAppPath();
        // Writes rubbish into the archive it is given, then fails.
        makeScript(app, u"zip"_s,
                   "for a; do case $a in -*) ;; *) echo rubbish > \"$a\"; exit 3;; esac; done\n");
        m_desk.runProcesses = true;
        tools(app)->Zip(archive, kind, StrAddApici(u"Trota.kva"_s));

        QCOMPARE(m_msgs.size(), 1u);
        QVERIFY(messageNames(0, u"Trota.zip"_s));
        QVERIFY(messageNames(0, u" 3)"_s));
        QCOMPARE(readFile(archive), QByteArray("the archive made last week"));
        QCOMPARE(folderEntries(outDir), QStringList{u"Trota.zip"_s});
    }

    void failingRealZipIsReported()
    {
        if (!m_haveTools)
            QSKIP("needs Info-ZIP zip and unzip on the PATH");
        const QString kind = path(u"Ami"_s);
        writeFile(kind + u"/Trota.kva"_s, "item");
        m_desk.runProcesses = true;
        const QString archive = path(u"no/such/folder/Trota.zip"_s);
        tools(emptyAppPath())->Zip(archive, kind, StrAddApici(u"Trota.kva"_s));
        QCOMPARE(m_msgs.size(), 1u);
        QVERIFY(messageNames(0, u"Trota.zip"_s));
        QVERIFY(!QFileInfo::exists(path(u"no"_s)));
    }

    void toolThatCannotStartIsReported()
    {
        const QString kind = path(u"Ami"_s);
        writeFile(kind + u"/Trota.kva"_s, "item");
        const QString app = emptyAppPath();
        // A missing interpreter: no program on either platform.
        for (const QString &name : {u"zip"_s, u"unzip"_s})
            writeFile(makeScript(app, name, {}), "#!/no/such/interpreter\n");
        m_desk.runProcesses = true;
        auto t = tools(app);
        t->Zip(path(u"Trota.zip"_s), kind, StrAddApici(u"Trota.kva"_s));
        t->UnZip(path(u"Trota.zip"_s), kind);

        // unzip fails already when listing the archive.
        QCOMPARE(m_desk.processes.size(), 1u);
        QCOMPARE(m_msgs.size(), 2u);
        QVERIFY(messageNames(0, app + u"/zip"_s));
        QVERIFY(messageNames(1, app + u"/unzip"_s));
        // Neither the temporary archive nor the staging folder stays.
        QCOMPARE(folderEntries(m_root->path()), (QStringList{u"Ami"_s, u"app"_s}));
        QCOMPARE(folderEntries(kind), QStringList{u"Trota.kva"_s});
    }

    void failedImportChangesNothing()
    {
        if (!m_haveTools)
            QSKIP("needs Info-ZIP zip and unzip on the PATH");
        const QString kind = path(u"Ami"_s);
        writeFile(kind + u"/Trota.kva"_s, "item");
        writeFile(path(u"rotto.zip"_s), "this is not a zip archive at all");
        m_desk.runProcesses = true;
        tools(emptyAppPath())->UnZip(path(u"rotto.zip"_s), kind);
        QCOMPARE(m_msgs.size(), 1u);
        QVERIFY(messageNames(0, u"rotto.zip"_s));
        QCOMPARE(folderEntries(kind), QStringList{u"Trota.kva"_s});
        QCOMPARE(readFile(kind + u"/Trota.kva"_s), QByteArray("item"));
    }

    // unzip reads the archive name as a pattern: "Trota[1].zip" would open
    // "Trota1.zip".
    void archiveNameIsTakenLiterally()
    {
        if (!m_haveTools)
            QSKIP("needs Info-ZIP zip and unzip on the PATH");
        const QString src = path(u"src"_s);
        writeFile(src + u"/a.kva"_s, "from the bracketed archive");
        QCOMPARE(run(u"zip"_s, {u"-q"_s, path(u"Trota[1].zip"_s), u"a.kva"_s}, src), QString());
        writeFile(src + u"/a.kva"_s, "from the other archive");
        QCOMPARE(run(u"zip"_s, {u"-q"_s, path(u"Trota1.zip"_s), u"a.kva"_s}, src), QString());

        const QString dst = path(u"dst"_s);
        QDir().mkpath(dst);
        m_desk.runProcesses = true;
        auto t = tools(emptyAppPath());
        t->UnZip(path(u"Trota[1].zip"_s), dst);
        QCOMPARE(readFile(dst + u"/a.kva"_s), QByteArray("from the bracketed archive"));
#ifndef Q_OS_WIN // no Windows name holds a '*'
        writeFile(src + u"/a.kva"_s, "star");
        QCOMPARE(run(u"zip"_s, {u"-q"_s, path(u"Trota*.zip"_s), u"a.kva"_s}, src), QString());
        // "*" would match all three archives.
        t->UnZip(path(u"Trota*.zip"_s), dst);
        QCOMPARE(readFile(dst + u"/a.kva"_s), QByteArray("star"));
#endif
        QCOMPARE(m_msgs.size(), 0u);
    }

    void hostileEntriesStayInsideTarget()
    {
        if (!m_haveTools)
            QSKIP("needs Info-ZIP zip and unzip on the PATH");
        // zip stores "../escape.txt" as given when run from a sub-folder.
        const QString src = path(u"src"_s);
        writeFile(src + u"/escape.txt"_s, "escaped");
        QDir().mkpath(src + u"/sub"_s);
        const QString dotdot = path(u"dotdot.zip"_s);
        run(u"zip"_s, {u"-q"_s, dotdot, u"../escape.txt"_s}, src + u"/sub"_s);
        QCOMPARE(zipEntries(dotdot), QStringList{u"../escape.txt"_s});

        const QString parent = path(u"data"_s);
        const QString kind = parent + u"/Ami"_s;
        QDir().mkpath(kind);
        m_desk.runProcesses = true;
        auto t = tools(emptyAppPath());
        t->UnZip(dotdot, kind + u'/');
        QCOMPARE(folderEntries(parent), QStringList{u"Ami"_s});
        QCOMPARE(folderEntries(kind), QStringList{u"escape.txt"_s});
        // unzip warns about the name it shortened.
        QCOMPARE(m_msgs.size(), 1u);
        QVERIFY(messageNames(0, u"dotdot.zip"_s));
    }

    // A symbolic link restored by one archive would let a later "link/file"
    // entry write wherever the link points.
    // Refused (or failing) imports leave the target as it was, without staging.
    void refusedImportsLeaveNothing_data()
    {
        QTest::addColumn<QString>("said");
        QTest::addColumn<int>("disk");  // KiB a file may have (<0: a 1 MiB tmpfs), 0: all
        QTest::addColumn<int>("files"); // what the archive holds: files of `bytes` each
        QTest::addColumn<qint64>("bytes");
        QTest::newRow("zip bomb") << u"256.0"_s << 0 << 1 << (qint64(257) << 20);
        QTest::newRow("too many entries") << u"10001"_s << 0 << 10001 << qint64(0);
        QTest::newRow("more than the free space") << u"2.0 MB"_s << -1 << 1 << (qint64(2) << 20);
        QTest::newRow("disk fills while unpacking") << u" 50)."_s << 64 << 1 << (qint64(1) << 20);
    }

    void refusedImportsLeaveNothing()
    {
        QFETCH(QString, said);
        QFETCH(int, disk);
        QFETCH(int, files);
        QFETCH(qint64, bytes);
        if (!m_haveTools)
            QSKIP("needs Info-ZIP zip and unzip on the PATH");
#ifdef Q_OS_WIN
        if (disk < 0)
            QSKIP("not on Windows: needs a small tmpfs");
#endif
        const QString kind = path(u"Ami"_s);
        const QString src = path(u"src"_s);
        QVERIFY(QDir().mkpath(kind) && QDir().mkpath(src));
        if (bytes == 0) {
            QByteArrayList names;
            for (int i = 1; i <= files; ++i)
                names.append(QByteArray::number(i) + ".kva");
            writeEmptyEntriesZip(path(u"a.zip"_s), names);
        } else {
            for (int i = 1; i <= files; ++i) {
                QFile f(src + u'/' + QString::number(i) + u".kva"_s);
                QVERIFY(f.open(QIODevice::WriteOnly) && f.resize(bytes)); // sparse: no disk used
            }
            QCOMPARE(run(u"zip"_s, {u"-q1rD"_s, path(u"a.zip"_s), u"."_s}, src), QString());
        }
        if (disk < 0 && run(u"mount"_s, {u"-ttmpfs"_s, u"-osize=1m"_s, u"kv"_s, kind}).size() > 0)
            QSKIP("mounting a small tmpfs needs root");
        m_desk.runProcesses = true;
        {
#ifdef Q_OS_WIN
            if (disk > 0)
                QSKIP(FileSizeLimit::kSkipReason);
            FileSizeLimit limit(0);
#else
            FileSizeLimit limit(disk > 0 ? rlim_t(disk) * 1024 : FileSizeLimit::kNone);
#endif
            tools(emptyAppPath())->UnZip(path(u"a.zip"_s), kind);
        }
        const QStringList left = folderEntries(kind);
        if (disk < 0)
            run(u"umount"_s, {kind});
        QCOMPARE(left, QStringList{});
        QCOMPARE(m_msgs.size(), 1u);
        QVERIFY2(messageNames(0, said), qPrintable(m_msgs[0].en));
        QVERIFY(messageNames(0, u"a.zip"_s));
    }

    // A name in Windows-1252 and one in UTF-8, neither marked: each gets its
    // reading, whether unzip takes the bytes as they are (Linux, where the
    // decoder reads 1252) or in the ANSI page (Windows, where UTF-8 is
    // recognised after it).
    void namesFromEitherSystemAreRead()
    {
        if (!m_haveTools)
            QSKIP("needs Info-ZIP zip and unzip on the PATH");
        const QString kind = path(u"Ami"_s);
        QDir().mkpath(kind);
        writeEmptyEntriesZip(path(u"a.zip"_s), {"Pesce_\xE8.kva", "Trota_\xC3\xA9.kva"});
        m_desk.runProcesses = true;
        const auto latin1 = [](QByteArrayView name) { return QString::fromLatin1(name); };
        tools(emptyAppPath(), latin1)->UnZip(path(u"a.zip"_s), kind);
        QCOMPARE(m_msgs.size(), 0u);
        QCOMPARE(folderEntries(kind), (QStringList{u"Pesce_è.kva"_s, u"Trota_é.kva"_s}));
    }

    // Names that differ only in case are one on Windows: the import asks
    // and replaces as for the same name, and leaves no case twins.
    void caseTwinsAreOneName_data()
    {
        QTest::addColumn<QByteArray>("script"); // fills Ami/ (the target) and src/
        QTest::addColumn<QString>("asked");
        QTest::addColumn<QString>("after"); // grep -r of Ami/
        QTest::newRow("file, other bytes") << QByteArray("echo old >Ami/AmoTrota.kva && echo new "
                                                         ">src/amotrota.kva")
                                           << u"AmoTrota.kva"_s << u"./AmoTrota.kva:new\n"_s;
        QTest::newRow("file, same bytes") << QByteArray("echo old >Ami/AmoTrota.kva && echo old "
                                                        ">src/amotrota.kva")
                                          << QString() << u"./AmoTrota.kva:old\n"_s;
        QTest::newRow("folder") << QByteArray("mkdir Ami/Ami src/ami && echo old >Ami/Ami/a.kva && "
                                              "echo new >src/ami/a.kva")
                                << u"Ami/a.kva"_s << u"./Ami/a.kva:new\n"_s;
        QTest::newRow("twins in the archive")
            << QByteArray("echo first >src/A.kva && echo later >src/a.kva") << QString()
            << u"./A.kva:later\n"_s;
    }

    void caseTwinsAreOneName()
    {
        QFETCH(QByteArray, script);
        QFETCH(QString, asked);
        QFETCH(QString, after);
        SKIP_ON_WINDOWS("builds its folders with sh; there the file system keeps one file a name");
        if (!m_haveTools)
            QSKIP("needs Info-ZIP zip and unzip on the PATH");
        QVERIFY(run(u"sh"_s,
                    {u"-c"_s, u"mkdir Ami src && "_s + QString::fromUtf8(script)
                                  + u" && cd src && zip -qr ../a.zip ."_s},
                    m_root->path())
                != u"<failed>"_s);
        m_desk.runProcesses = true;
        QStringList seen;
        ArchiveTools::ImportHooks hooks;
        hooks.confirmReplace = [&seen](const QStringList &names) {
            seen = names;
            return true;
        };
        tools(emptyAppPath())->UnZip(path(u"a.zip"_s), path(u"Ami"_s), hooks);
        QCOMPARE(m_msgs.size(), 0u);
        QCOMPARE(seen.join(u' '), asked);
        QCOMPARE(run(u"sh"_s, {u"-c"_s, u"grep -r '' . | sort"_s}, path(u"Ami"_s)), after);
    }

    // A name from Windows gets its Windows-1252 reading; the archive's 0777
    // gives way to the umask.
    void windowsNamesAndModesAreMadeOurs()
    {
        SKIP_ON_WINDOWS("a name that is not UTF-8 and POSIX modes: Windows names are UTF-16");
        if (!m_haveTools)
            QSKIP("needs Info-ZIP zip and unzip on the PATH");
        const QString kind = path(u"Ami"_s);
        run(u"sh"_s,
            {u"-c"_s, u"mkdir Ami d && touch \"d/$(printf 'Pesce_\\350.kva')\" && "
                      "chmod -R 777 d && zip -qr a.zip d"_s},
            m_root->path());
        m_desk.runProcesses = true;
        const auto latin1 = [](QByteArrayView name) { return QString::fromLatin1(name); };
        tools(emptyAppPath(), latin1)->UnZip(path(u"a.zip"_s), kind);
        QCOMPARE(m_msgs.size(), 0u);
        QCOMPARE(folderEntries(kind), QStringList{u"d"_s});
        QCOMPARE(folderEntries(kind + u"/d"_s), QStringList{u"Pesce_è.kva"_s});
#ifdef Q_OS_WIN
        QSKIP("POSIX modes and umask: Windows files have no mode bits");
#else
        const mode_t mask = umask(0);
        umask(mask);
        QCOMPARE(run(u"stat"_s, {u"-c%a"_s, u"d"_s, u"d/Pesce_è.kva"_s}, kind),
                 u"%1\n%2\n"_s.arg(0755 & ~mask, 0, 8).arg(0644 & ~mask, 0, 8));
#endif
    }

    // zip's own temporary file on a full disk stays nowhere.
    void failedExportLeavesNoTemporaryFile()
    {
        if (!m_haveTools)
            QSKIP("needs Info-ZIP zip and unzip on the PATH");
        const QString kind = path(u"Ami"_s);
        QDir().mkpath(kind); // noise: zip cannot make it smaller than the limit
        run(u"sh"_s, {u"-c"_s, u"head -c 65536 /dev/urandom >Trota.kva"_s}, kind);
        const QString outDir = path(u"out"_s);
        QDir().mkpath(outDir);
        m_desk.runProcesses = true;
        {
            FileSizeLimit limit(4096);
            if (!limit.active())
                QSKIP(FileSizeLimit::kSkipReason);
            tools(emptyAppPath())->Zip(outDir + u"/Trota.zip"_s, kind, StrAddApici(u"Trota.kva"_s));
        }
        QCOMPARE(m_msgs.size(), 1u);
        QCOMPARE(folderEntries(outDir), QStringList{});
    }

    void symlinkEntriesStayInsideTarget()
    {
        SKIP_ON_WINDOWS("zip.exe stores no symbolic links and unzip.exe restores none");
        if (!m_haveTools)
            QSKIP("needs Info-ZIP zip and unzip on the PATH");
        const QString outside = path(u"outside"_s);
        QDir().mkpath(outside);

        const QString mk1 = path(u"mk1"_s);
        QDir().mkpath(mk1);
        QVERIFY(QFile::link(outside, mk1 + u"/link"_s));
        const QString linkOnly = path(u"link.zip"_s);
        run(u"zip"_s, {u"-q"_s, u"-y"_s, linkOnly, u"link"_s}, mk1);
        QVERIFY(run(u"unzip"_s, {u"-Z"_s, linkOnly}).contains(u"\nl"_s));

        const QString mk2 = path(u"mk2"_s);
        writeFile(mk2 + u"/link/file"_s, "through the link");
        const QString fileOnly = path(u"file.zip"_s);
        run(u"zip"_s, {u"-q"_s, fileOnly, u"link/file"_s}, mk2);

        // Both in one archive: the link first, then a file behind it.
        writeFile(outside + u"/file"_s, "through the link");
        const QString both = path(u"both.zip"_s);
        run(u"zip"_s, {u"-q"_s, u"-y"_s, both, u"link"_s, u"link/file"_s}, mk1);
        QCOMPARE(zipEntries(both), (QStringList{u"link"_s, u"link/file"_s}));
        QVERIFY(QFile::remove(outside + u"/file"_s));

        m_desk.runProcesses = true;
        auto t = tools(emptyAppPath());

        const QString kind = path(u"Ami"_s);
        QDir().mkpath(kind);
        t->UnZip(linkOnly, kind);
        QCOMPARE(m_msgs.size(), 1u);
        QVERIFY(messageNames(0, u"link"_s));
        QCOMPARE(folderEntries(kind), QStringList{});
        t->UnZip(fileOnly, kind);
        QVERIFY(!QFileInfo(kind + u"/link"_s).isSymLink());
        QCOMPARE(readFile(kind + u"/link/file"_s), QByteArray("through the link"));
        QCOMPARE(folderEntries(outside), QStringList{});

        const QString kind2 = path(u"Ami2"_s);
        QDir().mkpath(kind2);
        t->UnZip(both, kind2);
        QVERIFY(!QFileInfo(kind2 + u"/link"_s).isSymLink());
        QCOMPARE(folderEntries(outside), QStringList{});
    }
};

QTEST_GUILESS_MAIN(TestArchiveTools)
#include "test_archivetools.moc"
