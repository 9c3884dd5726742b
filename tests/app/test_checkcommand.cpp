#include "checkcommand.h"
#include "testfiles.h"

#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>

#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace {

// A clean hook, as the editor writes it (comments left out: the checker
// does not read them).
const QByteArray kHook = "; AMO: Amo\r\n"
                         "[AMO]\r\n"
                         "NOME=\"Amo\"\r\n"
                         "NAME=\"Hook\"\r\n"
                         "DESCRIZIONE=\"Amo fine\"\r\n"
                         "DESCRIPTION=\"Thin hook\"\r\n"
                         "FILO=0\r\n"
                         "GAMBO=1\r\n"
                         "CURVA=1\r\n"
                         "PUNTA=1\r\n"
                         "ARDIGLIONE=0\r\n"
                         "COLORE=2\r\n"
                         "MISURA=14\r\n"
                         "ESCA=7\r\n"
                         "FILENAMEFOTO=\"amo.jpg\"\r\n";

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

} // namespace

class TestCheckCommand : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void findingsOfOneFile_data();
    void findingsOfOneFile();
    void folderWalkHumanAndJson();
    void usageErrors();

private:
    QTemporaryDir m_dir;
    QString ami() const { return m_dir.path() + u"/Korvalis/Ami/"_s; }
};

void TestCheckCommand::initTestCase()
{
    QVERIFY(QDir().mkpath(ami()));
    QVERIFY(QImage(4, 4, QImage::Format_RGB32).save(ami() + u"amo.jpg"_s, "JPG"));
    QVERIFY(QImage(4, 4, QImage::Format_RGB32).save(ami() + u"amo.bmp"_s, "BMP"));
    QVERIFY(TestFiles::write(ami() + u"Upper.JPG"_s, QByteArray("\xFF\xD8\xFF\xE0")));
    QVERIFY(TestFiles::write(ami() + u"fake.jpg"_s, "not a picture"));
}

// Each row changes one line of the clean hook; the checker must say exactly
// this, at the right line, and nothing else.
void TestCheckCommand::findingsOfOneFile_data()
{
    QTest::addColumn<QByteArray>("from");
    QTest::addColumn<QByteArray>("to");
    QTest::addColumn<QString>("expected");

    QTest::newRow("clean") << QByteArray() << QByteArray() << QString();
    QTest::newRow("section missing")
        << QByteArray("[AMO]") << QByteArray("[AMI]")
        << u"x.kva: error: section [AMO] is missing: every value reads its default"_s;
    QTest::newRow("key missing") << QByteArray("CURVA=1\r\n") << QByteArray()
                                 << u"x.kva:2: warning: CURVA is missing: the editor reads 0"_s;
    QTest::newRow("not a number")
        << QByteArray("GAMBO=1") << QByteArray("GAMBO=1.5")
        << u"x.kva:8: error: GAMBO=1.5 is not a whole number: the editor reads 0"_s;
    QTest::newRow("hex is a number")
        << QByteArray("GAMBO=1") << QByteArray("GAMBO=0x2") << QString();
    QTest::newRow("outside list")
        << QByteArray("MISURA=14") << QByteArray("MISURA=25")
        << u"x.kva:13: error: MISURA=25 is outside its list (-7..24): the editor shows no "
           "selection and saves -8"_s;
    QTest::newRow("empty name")
        << QByteArray("NOME=\"Amo\"") << QByteArray("NOME=\"\"")
        << u"x.kva:3: error: NOME is empty: the editor refuses to save the item"_s;
    QTest::newRow("empty English description")
        << QByteArray("DESCRIPTION=\"Thin hook\"") << QByteArray("DESCRIPTION=")
        << u"x.kva:6: warning: DESCRIPTION is empty"_s;
    QTest::newRow("long name")
        << QByteArray("NAME=\"Hook\"") << QByteArray("NAME=" + QByteArray(33, 'h'))
        << u"x.kva:4: warning: NAME is 33 characters long; the editor's field "
           "holds 32"_s;
    QTest::newRow("picture missing") << QByteArray("amo.jpg") << QByteArray("gone.jpg")
                                     << u"x.kva:15: error: picture \"gone.jpg\" not found in %1"_s;
    QTest::newRow("picture named in other case")
        << QByteArray("amo.jpg") << QByteArray("upper.jpg")
        << u"x.kva:15: warning: picture \"upper.jpg\" is found only as \"Upper.JPG\": names "
           "are case-sensitive on other systems"_s;
    QTest::newRow("picture unreadable")
        << QByteArray("amo.jpg") << QByteArray("fake.jpg")
        << u"x.kva:15: error: picture \"fake.jpg\" cannot be read as a JPEG or BMP picture"_s;
    QTest::newRow("BMP is fine for a photo")
        << QByteArray("amo.jpg") << QByteArray("amo.bmp") << QString();
    QTest::newRow("no picture")
        << QByteArray("FILENAMEFOTO=\"amo.jpg\"") << QByteArray("FILENAMEFOTO=")
        << u"x.kva:15: error: FILENAMEFOTO is empty: the item has no picture"_s;
    QTest::newRow("binary")
        << QByteArray("Amo fine") << QByteArray("Amo\0fine", 8)
        << u"x.kva: error: not a text file the game reads (it holds NUL bytes)"_s;
}

void TestCheckCommand::findingsOfOneFile()
{
    QFETCH(QByteArray, from);
    QFETCH(QByteArray, to);
    QFETCH(QString, expected);
    QByteArray file = kHook;
    if (!from.isEmpty()) {
        QVERIFY(file.contains(from));
        file.replace(from, to);
    }
    const QString path = ami() + u"x.kva"_s;
    QVERIFY(TestFiles::write(path, file));
    const Run r = check({path});
    if (expected.contains(u"%1"_s))
        expected = expected.arg(ami());
    QString want = expected.isEmpty() ? QString() : ami() + expected + u'\n';
    const bool error = want.contains(u": error: "_s);
    want += u"1 file checked: %1, %2\n"_s.arg(error ? u"1 error"_s : u"0 errors"_s,
                                              !want.isEmpty() && !error ? u"1 warning"_s
                                                                        : u"0 warnings"_s);
    QCOMPARE(r.out, want);
    QCOMPARE(r.status, error ? 1 : 0);
    QVERIFY(QFile::remove(path));
}

void TestCheckCommand::folderWalkHumanAndJson()
{
    QTemporaryDir dir;
    const QString root = dir.path() + u"/Korvalis/"_s;
    QVERIFY(QDir().mkpath(root + u"Ami/sub"_s));
    QVERIFY(QDir().mkpath(root + u"Ami/sub2"_s));
    QVERIFY(QImage(4, 4, QImage::Format_RGB32).save(root + u"Ami/amo.jpg"_s, "JPG"));
    QVERIFY(QImage(4, 4, QImage::Format_RGB32).save(root + u"Ami/sub/amo.jpg"_s, "JPG"));
    QVERIFY(TestFiles::write(root + u"Ami/b.KVA"_s, kHook));
    QVERIFY(TestFiles::write(root + u"Ami/a.kva"_s, QByteArray(kHook).replace("ESCA=7", "ESCA=x")));
    QVERIFY(TestFiles::write(root + u"Ami/sub/c.kva"_s, kHook));
    QVERIFY(TestFiles::write(root + u"Ami/notes.txt"_s, "not an item"));
    // A link back up must not make the walk go round; a FIFO must not block.
    QVERIFY(QFile::link(root, root + u"Ami/sub2/loop"_s));
    QVERIFY(::mkfifo(QFile::encodeName(root + u"Ami/sub2/pipe.kva"_s).constData(), 0600) == 0);

    const Run human = check({dir.path()});
    QCOMPARE(human.out,
             root + u"Ami/a.kva:14: error: ESCA=x is not a whole number: the editor reads -1\n"_s
                 + root + u"Ami/sub2/pipe.kva: error: not a plain file\n"_s
                 + u"4 files checked: 2 errors, 0 warnings\n"_s);
    QCOMPARE(human.status, 1);

    const Run json = check({root + u"Ami/sub"_s, root + u"Ami/a.kva"_s}, true);
    QCOMPARE(json.status, 1);
    QJsonParseError error;
    const QJsonObject doc = QJsonDocument::fromJson(json.out.toUtf8(), &error).object();
    QCOMPARE(error.error, QJsonParseError::NoError);
    const QJsonArray files = doc[u"files"_s].toArray();
    QCOMPARE(files.size(), 2);
    QCOMPARE(files[0][u"path"_s].toString(), root + u"Ami/sub/c.kva"_s);
    QCOMPARE(files[0][u"findings"_s].toArray().size(), 0);
    const QJsonObject finding = files[1][u"findings"_s].toArray().at(0).toObject();
    QCOMPARE(finding,
             QJsonObject({{u"path"_s, QString(root + u"Ami/a.kva"_s)},
                          {u"line"_s, QJsonValue(14)},
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
    r = check({ami(), m_dir.path() + u"/missing"_s});
    QCOMPARE(r.status, 2);
    QVERIFY(r.out.isEmpty() && r.err.contains(u"missing: no such file or folder"_s));
    // A file named outright is checked whatever its name, and refused.
    QVERIFY(TestFiles::write(m_dir.path() + u"/notes.txt"_s, "x"));
    r = check({m_dir.path() + u"/notes.txt"_s});
    QCOMPARE(r.status, 1);
    QVERIFY(r.out.startsWith(m_dir.path()
                             + u"/notes.txt: error: not an item file: its extension names no "
                               "item kind\n"_s));
}

QTEST_GUILESS_MAIN(TestCheckCommand)
#include "test_checkcommand.moc"
