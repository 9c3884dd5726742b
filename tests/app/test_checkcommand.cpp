#include "checkcommand.h"
#include "demoinstallation.h"
#include "platformtest.h"
#include "testfiles.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>
#include <QProcess>
#include <QStandardPaths>
#include <QTextStream>

#ifndef Q_OS_WIN
#include <unistd.h>
#endif

using namespace Qt::StringLiterals;

namespace {

struct Run
{
    int status = -1;
    QString out;
    QString err;
};

Run check(const QStringList &paths, bool json = false)
{
    Run r;
    QTextStream out(&r.out);
    QTextStream err(&r.err);
    r.status = runCheckCommand(paths, json, out, err);
    return r;
}

// The number of the line of `bytes` where `text` starts.
int lineOf(const QByteArray &bytes, const QByteArray &text)
{
    const qsizetype at = bytes.indexOf(text);
    return at < 0 ? -1 : int(bytes.left(at).count('\n')) + 1;
}

} // namespace

class TestCheckCommand : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void demoIsClean();
    void oneFinding_data();
    void oneFinding();
    void folderWalkHumanAndJson();
    void usageErrors();
    void commandLine_data();
    void commandLine();

private:
    QTemporaryDir m_dir;
    QString game() const { return m_dir.path() + u"/Korvalis/"_s; }
    QString nativeFolder(const QString &finding) const;
};

void TestCheckCommand::initTestCase()
{
    QStringList problems;
    QVERIFY2(makeDemoInstallation(m_dir.path(), &problems), qPrintable(problems.join(u'\n')));
    QVERIFY(TestFiles::write(game() + u"Ami/fake.jpg"_s, "not a picture"));
    // Pictures that are no whole picture of their frame's size.
    const QByteArray jpeg = TestFiles::read(game() + u"Ami/amotrota_0.jpg"_s);
    QVERIFY(TestFiles::write(game() + u"Ami/cut.jpg"_s, jpeg.left(jpeg.size() / 2)));
    const QByteArray bmp = TestFiles::read(game() + u"Galleggianti/gallgoccia_1.bmp"_s);
    QVERIFY(TestFiles::write(game() + u"Galleggianti/cut.bmp"_s, bmp.left(bmp.size() - 60)));
    QVERIFY(QImage::fromData(jpeg).scaled(120, 100).save(game() + u"Ami/big.jpg"_s));
    QVERIFY(PlatformTest::makeNonRegular(game() + u"Ami/pipe.jpg"_s));
}

void TestCheckCommand::demoIsClean()
{
    const Run r = check({m_dir.path()});
    QVERIFY2(r.out.endsWith(u" checked: 0 errors, 0 warnings\n"_s), qPrintable(r.out));
    QVERIFY2(!r.out.contains(u": error: "_s) && !r.out.contains(u": warning: "_s),
             qPrintable(r.out));
    QCOMPARE(r.status, 0);
}

// Each row changes one place of a clean demo file; the checker must report
// exactly the expected findings, each at the line of its anchor text in the
// changed file ("" for none), and nothing else.
void TestCheckCommand::oneFinding_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QByteArray>("from");
    QTest::addColumn<QByteArray>("to");
    QTest::addColumn<QByteArray>("anchor");
    QTest::addColumn<QString>("expected");

    const QString hook = u"Ami/AmoTrota.kva"_s;
    const QByteArray photo("amotrota_0.jpg");
    const QByteArray photoKey("FILENAMEFOTO");
    QTest::newRow("section missing")
        << hook << QByteArray("[AMO]") << QByteArray("[AMI]") << QByteArray()
        << u"error: section [AMO] is missing: every value reads its default"_s;
    QTest::newRow("key missing") << hook << QByteArray("CURVA=0\r\n") << QByteArray()
                                 << QByteArray("[AMO]")
                                 << u"warning: CURVA is missing: the editor reads 0"_s;
    QTest::newRow("not a number")
        << hook << QByteArray("GAMBO=0") << QByteArray("GAMBO=1.5") << QByteArray("GAMBO")
        << u"error: GAMBO=1.5 is not a whole number: the editor reads 0"_s;
    QTest::newRow("outside list")
        << hook << QByteArray("MISURA=18") << QByteArray("MISURA=25") << QByteArray("MISURA")
        << u"error: MISURA=25 is outside its list (-7..24): the editor shows no selection and "
           "saves -8"_s;
    QTest::newRow("empty name") << hook << QByteArray("NOME=\"Amo da trota\"")
                                << QByteArray("NOME=\"\"") << QByteArray("NOME")
                                << u"error: NOME is empty: the editor refuses to save the item"_s;
    QTest::newRow("empty English description")
        << hook << QByteArray("DESCRIPTION=\"Thin medium-shank hook for trout\"")
        << QByteArray("DESCRIPTION=") << QByteArray("DESCRIPTION")
        << u"warning: DESCRIPTION is empty"_s;
    QTest::newRow("long name") << hook << QByteArray("NAME=\"Trout hook\"")
                               << QByteArray("NAME=" + QByteArray(33, 'h')) << QByteArray("NAME")
                               << u"warning: NAME is 33 characters long; the editor's field "
                                  "holds 32"_s;
    QTest::newRow("picture missing")
        << hook << QByteArray("amotrota_0.jpg") << QByteArray("gone.jpg")
        << QByteArray("FILENAMEFOTO") << u"error: picture \"gone.jpg\" not found in %1Ami/"_s;
    QTest::newRow("picture in other case")
        << hook << QByteArray("amotrota_0.jpg") << QByteArray("AmoTrota_0.JPG")
        << QByteArray("FILENAMEFOTO")
        << u"warning: picture \"AmoTrota_0.JPG\" is found only as \"amotrota_0.jpg\": names "
           "are case-sensitive on other systems"_s;
    QTest::newRow("picture unreadable")
        << hook << QByteArray("amotrota_0.jpg") << QByteArray("fake.jpg")
        << QByteArray("FILENAMEFOTO")
        << u"error: picture \"fake.jpg\" cannot be read as a JPEG or BMP picture"_s;
    QTest::newRow("picture name leaving its folder")
        << hook << photo << QByteArray("../Esche/lombrico_0.jpg") << photoKey
        << u"error: picture \"../Esche/lombrico_0.jpg\" is not a bare file name: the editor "
           "loads the item without it"_s;
    QTest::newRow("picture that is a FIFO")
        << hook << photo << QByteArray("pipe.jpg") << photoKey
        << u"error: picture \"pipe.jpg\" is not a regular file"_s;
    QTest::newRow("truncated JPEG")
        << hook << photo << QByteArray("cut.jpg") << photoKey
        << u"error: picture \"cut.jpg\" is damaged: Corrupt JPEG data: premature end of data "
           "segment"_s;
    QTest::newRow("picture of another size")
        << hook << photo << QByteArray("big.jpg") << photoKey
        << u"warning: picture \"big.jpg\" is 120x100 pixels, not the size its caption "
           "\"(100x100)\" states"_s;
    QTest::newRow("UTF-8 text")
        << hook << QByteArray("NOME=\"Amo da trota\"") << QByteArray("NOME=\"Amo \xC3\xA8\"")
        << QByteArray("NOME")
        << u"warning: the text is UTF-8, not Windows-1252: the editor and the game show \"Ã¨\" "
           "for \"è\""_s;
    QTest::newRow("name of 32 characters")
        << hook << QByteArray("NAME=\"Trout hook\"") << QByteArray("NAME=" + QByteArray(32, 'h'))
        << QByteArray() << QString();
    QTest::newRow("description of 256 characters")
        << hook << QByteArray("DESCRIPTION=\"Thin medium-shank hook for trout\"")
        << QByteArray("DESCRIPTION=" + QByteArray(256, 'd')) << QByteArray() << QString();
    QTest::newRow("binary") << hook << QByteArray("Amo fine") << QByteArray("Amo\0fine", 8)
                            << QByteArray()
                            << u"error: not a text file the game reads (it holds NUL bytes)"_s;

    QTest::newRow("sprite that is no BMP")
        << u"Galleggianti/GallGoccia.kvg"_s << QByteArray("gallgoccia_1.bmp")
        << QByteArray("gallgoccia_0.jpg") << QByteArray("FILENAMESPRITE")
        << u"error: picture \"gallgoccia_0.jpg\" must be a BMP picture"_s;
    QTest::newRow("BMP pixel data past its end")
        << u"Galleggianti/GallGoccia.kvg"_s << QByteArray("gallgoccia_1.bmp")
        << QByteArray("cut.bmp") << QByteArray("FILENAMESPRITE")
        << u"error: picture \"cut.bmp\" is damaged: its pixel data lies past the end of the "
           "file"_s;
    QTest::newRow("sinker weight above its range")
        << u"Piombi/PallinoSpaccato.kvp"_s << QByteArray("PESO=1\r") << QByteArray("PESO=20000\r")
        << QByteArray("PESO")
        << u"warning: PESO=20000 is outside 1..12000: the editor sets it to 12000"_s;

    QTest::newRow("reel minimum above its maximum")
        << u"Mulinelli/MulinelloSpin.kvm"_s << QByteArray("CAPACITA_MIN=150")
        << QByteArray("CAPACITA_MIN=300") << QByteArray()
        << u"error: Min spool capacity > Max spool capacity: the editor refuses to save the "
           "item"_s;
    QTest::newRow("rod stiffness below its list")
        << u"Canne/CannaBolognese.kvn"_s << QByteArray("RIGIDITA=1") << QByteArray("RIGIDITA=0")
        << QByteArray("RIGIDITA")
        << u"error: RIGIDITA=0 is outside its list (1..3): the editor shows no selection and "
           "saves 0"_s;

    const QString groundbait = u"Pasture/PasturaCarpe.kvt"_s;
    QTest::newRow("track bar outside range")
        << groundbait << QByteArray("SECONDI=900") << QByteArray("SECONDI=5000")
        << QByteArray("SECONDI")
        << u"warning: SECONDI=5000 is outside 0..3600: the editor sets it to 3600"_s;
    QTest::newRow("groundbait lasting no time")
        << groundbait << QByteArray("SECONDI=900") << QByteArray("SECONDI=0")
        << QByteArray("SECONDI")
        << u"error: the groundbait lasts 0 seconds: the editor refuses to save it"_s;
    QTest::newRow("groundbait flag other than 0 or 1")
        << groundbait << QByteArray("CARPA=1") << QByteArray("CARPA=2") << QByteArray("CARPA")
        << u"warning: CARPA=2 counts as attracted and is saved as 1"_s;
    QTest::newRow("negative groundbait duration")
        << groundbait << QByteArray("SECONDI=900") << QByteArray("SECONDI=-5")
        << QByteArray("SECONDI")
        << u"warning: SECONDI=-5 is outside 0..3600: the editor sets it to 0\n"
           "error: the groundbait lasts 0 seconds: the editor refuses to save it"_s;

    const QString presence = u"Luoghi/KVS/PesciLagoDemo.kvs"_s;
    QTest::newRow("presence above 100")
        << presence << QByteArray("AGONE=90") << QByteArray("AGONE=250") << QByteArray("AGONE")
        << u"error: AGONE=250 is outside 0..100"_s;
    QTest::newRow("presence key of no species")
        << presence << QByteArray("AGONE=90") << QByteArray("DRAGO=90") << QByteArray("DRAGO")
        << u"@[PESCI]\twarning: [PESCI] lacks 1 of its 54 species, which read as 0: AGONE\n"
           "warning: DRAGO is no fresh-water species: the editor drops it on save"_s;
    QTest::newRow("presence with both sections")
        << presence << QByteArray("[PESCI]") << QByteArray("[PESCI_MARE]\r\nSPIGOLA=5\r\n[PESCI]")
        << QByteArray("[PESCI_MARE]")
        << u"warning: the file also holds [PESCI_MARE]: the editor reads it as a fresh-water "
           "list and saves only [PESCI]"_s;
    QTest::newRow("presence without its sections")
        << presence << QByteArray("[PESCI]") << QByteArray("[PESCE]") << QByteArray()
        << u"error: neither [PESCI] nor [PESCI_MARE]: the editor shows an empty sea list"_s;

    const QString venue = u"Luoghi/LagoBetulle.kvl"_s;
    QTest::newRow("levels too short")
        << venue << QByteArray("\"01234556667777776665554443322110\"") << QByteArray("\"0123\"")
        << QByteArray("LIMITI_SUPERIORI")
        << u"error: LIMITI_SUPERIORI must be 32 digits: the editor stops reading the profile "
           "at character 5"_s;
    QTest::newRow("levels with a letter")
        << venue << QByteArray("\"0123455666") << QByteArray("\"0123x5566")
        << QByteArray("LIMITI_SUPERIORI")
        << u"error: LIMITI_SUPERIORI must be 32 digits: the editor stops reading the profile "
           "at character 5"_s;
    QTest::newRow("type beyond 3")
        << venue << QByteArray("TIPO_LIMITI_SUPERIORI=\"000")
        << QByteArray("TIPO_LIMITI_SUPERIORI=\"004") << QByteArray("TIPO_LIMITI_SUPERIORI")
        << u"error: TIPO_LIMITI_SUPERIORI has \"4\" at position 3: types are 0 to 3"_s;
    QTest::newRow("random bottom in lower case")
        << venue << QByteArray("PROFONDITA_CASUALE=\"S\"") << QByteArray("PROFONDITA_CASUALE=s")
        << QByteArray("PROFONDITA_CASUALE")
        << u"warning: PROFONDITA_CASUALE=s reads as N: only S (upper case) means yes"_s;
    QTest::newRow("no presence link")
        << venue << QByteArray("\"\\\\KVS\\\\PesciLagoDemo\"") << QByteArray("\"\"")
        << QByteArray("FILE_PRESENZA_PESCI")
        << u"error: the venue links no fish-presence list: the editor refuses to save it"_s;
    QTest::newRow("presence link to no list")
        << venue << QByteArray("PesciLagoDemo\"") << QByteArray("Gone\"")
        << QByteArray("FILE_PRESENZA_PESCI")
        << u"error: the fish-presence list \"Gone.kvs\" is not in %1Luoghi/KVS/"_s;
    QTest::newRow("presence link in other case")
        << venue << QByteArray("PesciLagoDemo\"") << QByteArray("pescilagodemo\"")
        << QByteArray("FILE_PRESENZA_PESCI")
        << u"warning: the fish-presence list \"pescilagodemo.kvs\" is found only as "
           "\"PesciLagoDemo.kvs\": names are case-sensitive on other systems"_s;
    QTest::newRow("presence link leaving its folder")
        << venue << QByteArray("\"\\\\KVS") << QByteArray("\"\\\\..\\\\KVS")
        << QByteArray("FILE_PRESENZA_PESCI")
        << u"error: the fish-presence link \"\\..\\KVS\\PesciLagoDemo.kvs\" leaves the presence "
           "folder: it must be \\KVS\\ and a file name"_s;
}

void TestCheckCommand::oneFinding()
{
    QFETCH(QString, file);
    QFETCH(QByteArray, from);
    QFETCH(QByteArray, to);
    QFETCH(QByteArray, anchor);
    QFETCH(QString, expected);
#ifdef Q_OS_WIN
    if (expected.contains(u"names are case-sensitive on other systems"_s))
        QSKIP("Windows opens a name in any case: only other systems meet the mismatch");
#endif
    const QString path = game() + file;
    const QByteArray clean = TestFiles::read(path);
    QVERIFY2(clean.count(from) == 1, from.constData());
    QByteArray changed = clean;
    changed.replace(from, to);
    QVERIFY(TestFiles::write(path, changed));
    const Run r = check({path});
    const Run json = check({path}, true);
    QVERIFY(TestFiles::write(path, clean));

    // "@ANCHOR\tfinding" lines carry their own anchor.
    QString want;
    QStringList findings; // as the JSON report gives them
    int errors = 0;
    int warnings = 0;
    for (QString finding : expected.split(u'\n', Qt::SkipEmptyParts)) {
        QByteArray at = anchor;
        if (finding.startsWith(u'@')) {
            at = finding.mid(1, finding.indexOf(u'\t') - 1).toUtf8();
            finding = finding.mid(finding.indexOf(u'\t') + 1);
        }
        // The checker shows paths with the platform's separators.
        want += QDir::toNativeSeparators(path);
        if (!at.isEmpty())
            want += u':' + QString::number(lineOf(changed, at));
        finding = nativeFolder(finding.arg(game()));
        want += u": "_s + finding + u'\n';
        findings.append(finding);
        ++(finding.startsWith(u"error"_s) ? errors : warnings);
    }
    want += u"1 file checked: %1 error%2, %3 warning%4\n"_s.arg(errors)
                .arg(errors == 1 ? u""_s : u"s"_s)
                .arg(warnings)
                .arg(warnings == 1 ? u""_s : u"s"_s);
    QCOMPARE(r.out, want);
    QCOMPARE(r.status, errors > 0 ? 1 : 0);

    // The JSON report says the same, in the same order.
    const QJsonValue one = QJsonDocument::fromJson(json.out.toUtf8())[u"files"_s][0];
    QStringList fromJson;
    for (const QJsonValue f : one[u"findings"_s].toArray())
        fromJson.append(f[u"severity"_s].toString() + u": "_s + f[u"message"_s].toString());
    QCOMPARE(fromJson, findings);
}

// The folder under the game folder a finding names, as the platform shows it.
QString TestCheckCommand::nativeFolder(const QString &finding) const
{
    const qsizetype at = finding.indexOf(game());
    if (at < 0)
        return finding;
    qsizetype end = finding.indexOf(u' ', at);
    end = end < 0 ? finding.size() : end;
    return finding.left(at) + QDir::toNativeSeparators(finding.mid(at, end - at))
           + finding.mid(end);
}

void TestCheckCommand::folderWalkHumanAndJson()
{
    QTemporaryDir dir;
    const QString ami = dir.path() + u"/Korvalis/Ami/"_s;
    QVERIFY(QDir().mkpath(ami + u"sub"_s));
    QVERIFY(QDir().mkpath(ami + u"sub2"_s));
    const QByteArray hook = TestFiles::read(game() + u"Ami/AmoTrota.kva"_s);
    const QByteArray picture = TestFiles::read(game() + u"Ami/amotrota_0.jpg"_s);
    QVERIFY(TestFiles::write(ami + u"amotrota_0.jpg"_s, picture));
    QVERIFY(TestFiles::write(ami + u"sub/amotrota_0.jpg"_s, picture));
    QVERIFY(TestFiles::write(ami + u"b.KVA"_s, hook));
    QVERIFY(TestFiles::write(ami + u"B.kva"_s, hook)); // one name on Windows
    const QByteArray broken = QByteArray(hook).replace("ESCA=-1", "ESCA=x");
    QVERIFY(TestFiles::write(ami + u"a.kva"_s, broken));
    QVERIFY(TestFiles::write(ami + u"sub/c.kva"_s, hook));
    QVERIFY(TestFiles::write(ami + u"notes.txt"_s, "not an item"));
    const int line = lineOf(broken, "ESCA=x");
    const QString escaError =
        u":%1: error: ESCA=x is not a whole number: the editor reads -1\n"_s.arg(line);
    const auto shown = [](const QString &path) { return QDir::toNativeSeparators(path); };
#ifdef Q_OS_WIN
    // A folder named like an item is walked as a folder, and a path past
    // the old limit of 260 characters is listed and read like any other.
    QVERIFY(QDir().mkpath(ami + u"sub2/pipe.kva"_s));
    QString deep = ami + u"zdeep"_s;
    while (deep.size() < 300)
        deep += u'/' + QString(50, u'd');
    QVERIFY(QDir().mkpath(deep));
    QVERIFY(TestFiles::write(deep + u"/e.kva"_s, broken));
    QVERIFY(TestFiles::write(deep + u"/amotrota_0.jpg"_s, picture));
    const Run human = check({dir.path()});
    QCOMPARE(human.out, shown(ami + u"a.kva"_s) + escaError + shown(deep + u"/e.kva"_s) + escaError
                            + u"4 files checked: 2 errors, 0 warnings\n"_s);
#else
    // A link back up must not make the walk go round; a FIFO must not block.
    QVERIFY(QFile::link(dir.path(), ami + u"sub2/loop"_s));
    QVERIFY(PlatformTest::makeNonRegular(ami + u"sub2/pipe.kva"_s));
    // A name from Windows in its code page, one that would forge a line, and
    // folders nested past the system's path limit, which cannot be listed.
    QVERIFY(TestFiles::write(ami + u"x\n\x1B[2J.kva"_s, broken));
    const QString deep = ami + u"zdeep"_s;
    const QString level(200, u'd');
    const int levels = (PATH_MAX - 1 - int(deep.size())) / 201 + 1;
    const QString tooLong = deep + QString(u'/' + level).repeated(levels);
    QCOMPARE(
        QProcess::execute(
            u"sh"_s, {u"-c"_s,
                      u"mkdir $0 && touch \"$0/../$(printf 'Pesce_\\350.kva')\" && cd $0 && "
                      "for i in $(seq 2 %1); do mkdir $1 && cd $1; done && mkdir $1"_s.arg(levels),
                      deep, level}),
        0);

    const Run human = check({dir.path()});
    // Neither can be removed through Qt's paths.
    QProcess::execute(u"sh"_s, {u"-c"_s, u"rm -r $0/../Pesce_* $0"_s, deep});
    QCOMPARE(human.out,
             ami + u"Pesce_\\xE8.kva: error: the name is not valid UTF-8: not checked\n"_s + ami
                 + u"a.kva"_s + escaError + ami
                 + u"b.KVA: warning: \"b.KVA\" and \"B.kva\" are one file on Windows: the game "
                   "sees only one of them\n"_s
                 + ami + u"x\\x0A\\x1B[2J.kva"_s + escaError + ami
                 + u"sub2/pipe.kva: error: not a plain file\n"_s + tooLong
                 + u": error: the folder cannot be read: File name too long\n"_s
                 + u"8 files checked: 5 errors, 1 warning\n"_s);
#endif
    QCOMPARE(human.status, 1);

    const Run json = check({ami + u"sub"_s, ami + u"a.kva"_s}, true);
    QCOMPARE(json.status, 1);
    QJsonParseError error;
    const QJsonObject doc = QJsonDocument::fromJson(json.out.toUtf8(), &error).object();
    QCOMPARE(error.error, QJsonParseError::NoError);
    const QJsonArray files = doc[u"files"_s].toArray();
    QCOMPARE(files.size(), 2);
    QCOMPARE(files[0][u"path"_s].toString(), shown(ami + u"sub/c.kva"_s));
    QCOMPARE(files[0][u"kind"_s].toString(), u"hook"_s);
    QCOMPARE(files[0][u"findings"_s].toArray().size(), 0);
    QCOMPARE(files[1][u"findings"_s].toArray().at(0).toObject(),
             QJsonObject({{u"path"_s, shown(ami + u"a.kva"_s)},
                          {u"line"_s, QJsonValue(line)},
                          {u"key"_s, u"ESCA"_s},
                          {u"severity"_s, u"error"_s},
                          {u"message"_s, u"ESCA=x is not a whole number: the editor reads -1"_s}}));
    QCOMPARE(doc[u"summary"_s].toObject(), QJsonObject({{u"files"_s, QJsonValue(2)},
                                                        {u"errors"_s, QJsonValue(1)},
                                                        {u"warnings"_s, QJsonValue(0)}}));
}

void TestCheckCommand::usageErrors()
{
    Run r = check({});
    QCOMPARE(r.status, 2);
    QVERIFY(r.out.isEmpty() && r.err.contains(u"PATH"_s));
    r = check({game(), m_dir.path() + u"/missing"_s});
    QCOMPARE(r.status, 2);
    QVERIFY(r.out.isEmpty() && r.err.contains(u"missing: no such file or folder"_s));
    // A file named outright is checked whatever its name, and refused.
    QVERIFY(TestFiles::write(m_dir.path() + u"/notes.txt"_s, "x"));
    r = check({m_dir.path() + u"/notes.txt"_s});
    QCOMPARE(r.status, 1);
    QVERIFY(r.out.startsWith(QDir::toNativeSeparators(m_dir.path() + u"/notes.txt"_s)
                             + u": error: not an item file: its extension names no "
                               "item kind\n"_s));
}

// The real program, as a shell meets it, on a folder (%1) holding a folder
// and a file nobody may read; as nobody, when root (whom they do not stop).
void TestCheckCommand::commandLine_data()
{
    QTest::addColumn<QString>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("out");
    QTest::addColumn<QString>("err");

    QTest::newRow("unknown option with --json")
        << u"--json --bogus %1"_s << 2 << QString() << u"korvalisedit: Unknown option 'bogus'.\n"_s;
    QTest::newRow("report to a full disk")
        << u"%1 >/dev/full"_s << 2 << QString()
        << u"korvalisedit: the report could not be written: No space left on device\n"_s;
    QTest::newRow("unreadable folder and file")
        << u"%1"_s << 1
        << u"%1/secret.kva: error: cannot be read: Permission denied\n"
           "%1/locked: error: the folder cannot be read: Permission denied\n"
           "2 files checked: 2 errors, 0 warnings\n"_s
        << QString();
}

void TestCheckCommand::commandLine()
{
#ifdef Q_OS_WIN
    QSKIP("runs the program through sh with POSIX permissions and /dev/full; the Windows "
          "program's own command line is checked by the demo and installer tests");
#else
    QFETCH(QString, arguments);
    QFETCH(int, status);
    QFETCH(QString, out);
    QFETCH(QString, err);

    QTemporaryDir dir;
    QString command = u"cd %1 && chmod 755 . && mkdir -m 0 locked && touch secret.kva && "
                      "chmod 0 secret.kva && exec '"_s
                      + QStringLiteral(KORVALISEDIT) + u"' --check "_s;
    if (::geteuid() == 0) {
        if (QStandardPaths::findExecutable(u"setpriv"_s).isEmpty())
            QSKIP("running as root and setpriv is missing: permissions would stop nobody");
        command.insert(command.indexOf(u"exec"_s) + 5,
                       u"setpriv --reuid=65534 --regid=65534 --clear-groups "_s);
    }
    QProcess p;
    p.setStandardInputFile(QProcess::nullDevice());
    p.start(u"sh"_s, {u"-c"_s, QString(command + arguments).arg(dir.path())});
    QVERIFY(p.waitForFinished(60 * 1000));
    QCOMPARE(QString::fromUtf8(p.readAllStandardError()), err);
    QCOMPARE(QString::fromUtf8(p.readAllStandardOutput()), out.arg(dir.path()));
    QCOMPARE(p.exitCode(), status);
#endif
}

QTEST_MAIN(TestCheckCommand)
#include "test_checkcommand.moc"
