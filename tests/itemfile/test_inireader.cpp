#include "codepage.h"
#include "inireader.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// Marks "the reader answered the default" in the tables below.
const QString kDefault = u"<default>"_s;

// The file as Notepad saves it as "Unicode": UTF-16 with a byte-order mark.
QByteArray asUtf16(const QByteArray &file, bool littleEndian)
{
    const QString text = CodePage::fromWindows1252(file);
    QByteArray out = littleEndian ? QByteArray("\xFF\xFE") : QByteArray("\xFE\xFF");
    for (const QChar c : text) {
        const char lo = char(c.unicode() & 0xFF);
        const char hi = char(c.unicode() >> 8);
        out.append(littleEndian ? lo : hi).append(littleEndian ? hi : lo);
    }
    return out;
}

// Every reading rule holds for UTF-16 files too, so each lookup of the
// tables below is also made on the file's UTF-16 twins; a twin that answers
// otherwise makes the answer a mismatch report.
QString lookup(const QByteArray &file, const QString &section, const QString &key)
{
    QString answer = IniProfile::fromBytes(file).readString(section, key, kDefault);
    for (const bool little : {true, false}) {
        const QString twin =
            IniProfile::fromBytes(asUtf16(file, little)).readString(section, key, kDefault);
        if (twin != answer)
            return u"<UTF-16 %1 read \"%2\">"_s.arg(little ? u"LE"_s : u"BE"_s, twin);
    }
    return answer;
}

} // namespace

class TestIniReader : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void lineStructure_data();
    void lineStructure();
    void sections_data();
    void sections();
    void keysAndValues_data();
    void keysAndValues();
    void quotes_data();
    void quotes();
    void longValues_data();
    void longValues();
    void highBytesReadBack();
    void hasSection_data();
    void hasSection();
    void garbageGivesDefaults();
    void hugeSingleLine_data();
    void hugeSingleLine();
    void fromFile_data();
    void fromFile();
    void parseInteger_data();
    void parseInteger();
    void readInteger_data();
    void readInteger();
    void unicodeFiles();
    void linesOfKeys();
};

// Line ends, blanks and comments.
void TestIniReader::lineStructure_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("expected");

    QTest::newRow("crlf") << QByteArray("[S]\r\nA=1\r\nB=2\r\n") << u"B"_s << u"2"_s;
    QTest::newRow("lf") << QByteArray("[S]\nA=1\nB=2\n") << u"B"_s << u"2"_s;
    QTest::newRow("lone cr") << QByteArray("[S]\rA=1\rB=2\r") << u"B"_s << u"2"_s;
    QTest::newRow("lone cr keeps value whole") << QByteArray("[S]\rA=1\rB=2") << u"A"_s << u"1"_s;
    QTest::newRow("mixed ends") << QByteArray("[S]\r\nA=1\nB=2\rC=3") << u"C"_s << u"3"_s;
    QTest::newRow("cr cr lf is two ends") << QByteArray("[S]\r\r\nA=1\r\r\n") << u"A"_s << u"1"_s;
    QTest::newRow("lf cr is two ends") << QByteArray("[S]\n\rA=1") << u"A"_s << u"1"_s;
    QTest::newRow("no final line end") << QByteArray("[S]\r\nA=last") << u"A"_s << u"last"_s;
    QTest::newRow("blank lines anywhere")
        << QByteArray("\r\n \t\r\n[S]\r\n\r\n  \t \r\n\nA=1\r\n\r\n") << u"A"_s << u"1"_s;
    QTest::newRow("indented lines")
        << QByteArray("  \t[S] \t\r\n\t A = 1 \t\r\n") << u"A"_s << u"1"_s;
    QTest::newRow("comment") << QByteArray("[S]\r\n;A=1\r\nA=2\r\n") << u"A"_s << u"2"_s;
    QTest::newRow("indented comment") << QByteArray("[S]\r\n \t;A=1\r\n") << u"A"_s << kDefault;
    QTest::newRow("comment only matches its own line")
        << QByteArray("[S]\r\n; x\rA=1\r\n") << u"A"_s << u"1"_s;
    QTest::newRow("hash starts no comment") << QByteArray("[S]\r\n#A=1\r\n") << u"#A"_s << u"1"_s;
    QTest::newRow("hash line is no key A") << QByteArray("[S]\r\n#A=1\r\n") << u"A"_s << kDefault;
    QTest::newRow("no inline comment")
        << QByteArray("[S]\r\nMISURA=14 ; x\r\n") << u"MISURA"_s << u"14 ; x"_s;
    QTest::newRow("semicolon in value") << QByteArray("[S]\r\nA=a;b\r\n") << u"A"_s << u"a;b"_s;
    QTest::newRow("blank around line end") << QByteArray("[S] \r\n A=1 \t\r\n") << u"A"_s << u"1"_s;
    QTest::newRow("vertical tab is not a blank")
        << QByteArray("[S]\r\nA=1\v\r\n") << u"A"_s << u"1\v"_s;
}

void TestIniReader::lineStructure()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, key);
    QFETCH(QString, expected);
    QCOMPARE(lookup(file, u"S"_s, key), expected);
}

// Section headers, their names and what belongs to them.
void TestIniReader::sections_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("expected");

    QTest::newRow("plain") << QByteArray("[AMO]\r\nK=1\r\n") << u"AMO"_s << u"K"_s << u"1"_s;
    QTest::newRow("section case") << QByteArray("[Amo]\r\nK=1\r\n") << u"aMO"_s << u"K"_s << u"1"_s;
    QTest::newRow("key case") << QByteArray("[S]\r\nNome=x\r\n") << u"S"_s << u"NOME"_s << u"x"_s;
    QTest::newRow("blanks around queried names")
        << QByteArray("[S]\r\nK=1\r\n") << u" \tS "_s << u"\t K  "_s << u"1"_s;
    QTest::newRow("blanks inside header")
        << QByteArray("[ \tA b  ]\r\nK=1\r\n") << u"a B"_s << u"K"_s << u"1"_s;
    QTest::newRow("inner blanks of a name count")
        << QByteArray("[A b]\r\nK=1\r\n") << u"Ab"_s << u"K"_s << kDefault;
    QTest::newRow("case folding is ascii only")
        << QByteArray("[\xC8]\r\nK=1\r\n") << u"è"_s << u"K"_s << kDefault;
    QTest::newRow("non-ascii name matches itself")
        << QByteArray("[\xC8]\r\n\xE0=1\r\n") << u"È"_s << u"à"_s << u"1"_s;
    QTest::newRow("junk after header")
        << QByteArray("[A]junk\r\nK=1\r\n") << u"A"_s << u"K"_s << u"1"_s;
    QTest::newRow("name runs to the last bracket")
        << QByteArray("[A]B] x\r\nK=1\r\n") << u"A]B"_s << u"K"_s << u"1"_s;
    QTest::newRow("header with equals sign")
        << QByteArray("[A=1]\r\nK=1\r\n") << u"A=1"_s << u"K"_s << u"1"_s;
    QTest::newRow("bracket without close stays in section")
        << QByteArray("[S]\r\n[T\r\nK=1\r\n") << u"S"_s << u"K"_s << u"1"_s;
    QTest::newRow("bracket without close is a key line")
        << QByteArray("[S]\r\n[T=5\r\n") << u"S"_s << u"[T"_s << u"5"_s;
    QTest::newRow("lines before the first header")
        << QByteArray("K=1\r\n[S]\r\n") << u"S"_s << u"K"_s << kDefault;
    QTest::newRow("lines before the first header are in no section")
        << QByteArray("K=1\r\n[S]\r\n") << QString() << u"K"_s << kDefault;
    QTest::newRow("empty section name")
        << QByteArray("K=0\r\n[]\r\nK=1\r\n") << QString() << u"K"_s << u"1"_s;
    QTest::newRow("blank section name")
        << QByteArray("[  ]\r\nK=1\r\n") << u" "_s << u"K"_s << u"1"_s;
    QTest::newRow("no sections at all")
        << QByteArray("K=1\r\nL=2\r\n") << u"S"_s << u"K"_s << kDefault;
    QTest::newRow("first duplicate section is empty")
        << QByteArray("[S]\r\n[T]\r\nK=0\r\n[S]\r\nK=1\r\n") << u"S"_s << u"K"_s << kDefault;
    QTest::newRow("first duplicate section wins")
        << QByteArray("[S]\r\nK=1\r\n[s]\r\nK=2\r\n") << u"S"_s << u"K"_s << u"1"_s;
    QTest::newRow("second duplicate section is not searched")
        << QByteArray("[S]\r\nK=1\r\n[S]\r\nL=2\r\n") << u"S"_s << u"L"_s << kDefault;
    QTest::newRow("later sections still found")
        << QByteArray("[S]\r\n[S]\r\n[T]\r\nK=3\r\n") << u"T"_s << u"K"_s << u"3"_s;
    QTest::newRow("key of another section")
        << QByteArray("[S]\r\nA=1\r\n[T]\r\nK=2\r\n") << u"S"_s << u"K"_s << kDefault;
    QTest::newRow("missing section")
        << QByteArray("[S]\r\nK=1\r\n") << u"X"_s << u"K"_s << kDefault;
    QTest::newRow("empty file") << QByteArray() << u"S"_s << u"K"_s << kDefault;
}

void TestIniReader::sections()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, expected);
    QCOMPARE(lookup(file, section, key), expected);
}

// Key lines: name, value, duplicates, lines without '='.
void TestIniReader::keysAndValues_data()
{
    QTest::addColumn<QByteArray>("lines");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("expected");

    QTest::newRow("blanks around equals") << QByteArray("K \t= \t v") << u"K"_s << u"v"_s;
    QTest::newRow("inner blanks and equals stay")
        << QByteArray("K=  a \t b = c  ") << u"K"_s << u"a \t b = c"_s;
    QTest::newRow("name ends at first equals") << QByteArray("K=L=1") << u"K"_s << u"L=1"_s;
    QTest::newRow("name with blanks")
        << QByteArray("Nome  lungo = x") << u"nome  LUNGO"_s << u"x"_s;
    QTest::newRow("empty value") << QByteArray("K=") << u"K"_s << QString();
    QTest::newRow("blank value") << QByteArray("K=   \t") << u"K"_s << QString();
    QTest::newRow("empty quoted value") << QByteArray("K=\"\"") << u"K"_s << QString();
    QTest::newRow("line without equals") << QByteArray("K") << u"K"_s << kDefault;
    QTest::newRow("line without equals is no key") << QByteArray("K\r\nK=1") << u"K"_s << u"1"_s;
    QTest::newRow("duplicate key") << QByteArray("K=1\r\nK=2") << u"K"_s << u"1"_s;
    QTest::newRow("duplicate key other case") << QByteArray("key=1\r\nKEY=2") << u"KEY"_s << u"1"_s;
    QTest::newRow("empty name") << QByteArray("=v") << QString() << kDefault;
    QTest::newRow("blank name") << QByteArray(" =v") << u" "_s << kDefault;
    QTest::newRow("windows-1252 value") << QByteArray("K=\x80 \xE8 \x92") << u"K"_s << u"€ è ’"_s;
    QTest::newRow("nul inside value")
        << QByteArray("K=a\0b", 5) << u"K"_s << QString(u"a"_s + QChar(0) + u"b"_s);
}

void TestIniReader::keysAndValues()
{
    QFETCH(QByteArray, lines);
    QFETCH(QString, key);
    QFETCH(QString, expected);
    QCOMPARE(lookup("[S]\r\n" + lines + "\r\n", u"S"_s, key), expected);
}

void TestIniReader::quotes_data()
{
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<QString>("expected");

    QTest::newRow("double") << QByteArray("\"Amo da trota\"") << u"Amo da trota"_s;
    QTest::newRow("single") << QByteArray("'Amo'") << u"Amo"_s;
    QTest::newRow("unquoted") << QByteArray("Amo da trota") << u"Amo da trota"_s;
    QTest::newRow("blanks outside quotes") << QByteArray("  \"a b\"  ") << u"a b"_s;
    QTest::newRow("blanks inside quotes stay") << QByteArray("\"  a  \"") << u"  a  "_s;
    QTest::newRow("only opening") << QByteArray("\"abc") << u"\"abc"_s;
    QTest::newRow("only closing") << QByteArray("abc\"") << u"abc\""_s;
    QTest::newRow("mixed pair") << QByteArray("\"abc'") << u"\"abc'"_s;
    QTest::newRow("inner quote") << QByteArray("\"a\"b\"") << u"a\"b"_s;
    QTest::newRow("one pair only") << QByteArray("\"\"x\"\"") << u"\"x\""_s;
    QTest::newRow("single quotes inside double") << QByteArray("\"'x'\"") << u"'x'"_s;
    QTest::newRow("lone double quote") << QByteArray("\"") << u"\""_s;
    QTest::newRow("lone single quote") << QByteArray("'") << u"'"_s;
    QTest::newRow("empty single pair") << QByteArray("''") << QString();
    QTest::newRow("no escapes") << QByteArray("\"a\\\"b\"") << u"a\\\"b"_s;
    QTest::newRow("quote not at start") << QByteArray("x\"a\"") << u"x\"a\""_s;
}

void TestIniReader::quotes()
{
    QFETCH(QByteArray, value);
    QFETCH(QString, expected);
    QCOMPARE(lookup("[S]\r\nK=" + value + "\r\n", u"S"_s, u"K"_s), expected);
}

void TestIniReader::longValues_data()
{
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<QString>("expected");

    // Distinct characters so a cut in the wrong place shows.
    QByteArray text;
    for (int i = 0; i < 3000; ++i)
        text.append(char('a' + i % 26));
    const QString decoded = QString::fromLatin1(text);

    QTest::newRow("2046") << text.left(2046) << decoded.left(2046);
    QTest::newRow("2047") << text.left(2047) << decoded.left(2047);
    QTest::newRow("2048 is cut") << text.left(2048) << decoded.left(2047);
    QTest::newRow("3000 is cut") << text << decoded.left(2047);
    // Quotes are removed before the cut: 2047 characters between quotes
    // come back whole.
    QTest::newRow("quoted 2047") << QByteArray('"' + text.left(2047) + '"') << decoded.left(2047);
    QTest::newRow("quoted 2048") << QByteArray('"' + text.left(2048) + '"') << decoded.left(2047);
    QTest::newRow("quoted 3000") << QByteArray('"' + text + '"') << decoded.left(2047);
    QTest::newRow("unbalanced quote counts")
        << QByteArray('"' + text) << QString(u'"' + decoded.left(2046));
    QTest::newRow("leading blanks do not count")
        << QByteArray(QByteArray(100, ' ') + text) << decoded.left(2047);
}

void TestIniReader::longValues()
{
    QFETCH(QByteArray, value);
    QFETCH(QString, expected);
    QCOMPARE(lookup("[S]\r\nK=" + value + "\r\nL=after\r\n", u"S"_s, u"K"_s), expected);
    // The long line does not swallow the next one.
    QCOMPARE(lookup("[S]\r\nK=" + value + "\r\nL=after\r\n", u"S"_s, u"L"_s), u"after"_s);
}

void TestIniReader::highBytesReadBack()
{
    QByteArray high;
    for (int b = 0x80; b <= 0xFF; ++b)
        high.append(char(b));
    const QString value = lookup("[S]\r\nK=" + high + "\r\n", u"S"_s, u"K"_s);
    QCOMPARE(value.size(), high.size());
    QCOMPARE(CodePage::toWindows1252(value), high);
    // Spot checks against the page itself.
    QCOMPARE(value.at(0x80 - 0x80), QChar(0x20AC));
    QCOMPARE(value.at(0x9F - 0x80), QChar(0x0178));
    QCOMPARE(value.at(0xE8 - 0x80), QChar(0x00E8));
}

void TestIniReader::unicodeFiles()
{
    // Characters beyond the 8-bit page survive a UTF-16 read; a lone
    // trailing byte is ignored.
    QByteArray utf16 = asUtf16("[S]\r\nK=\"x\"\r\n", true);
    utf16.replace(QByteArray("x\0", 2), QByteArray("\xA9\x03", 2)); // U+03A9
    QCOMPARE(IniProfile::fromBytes(utf16 + 'Z').readString(u"S"_s, u"K"_s, kDefault),
             QString(QChar(0x03A9)));
    // Without its byte-order mark UTF-16 is 8-bit text with NULs: no key.
    QCOMPARE(lookup(asUtf16("[S]\r\nK=1\r\n", true).mid(2), u"S"_s, u"K"_s), kDefault);
    // UTF-8 with a byte-order mark is 8-bit text as before: our files start
    // with a comment line, which the mark only lengthens.
    const QByteArray utf8 = "\xEF\xBB\xBF; KORVALIS\r\n[S]\r\nK=\xC3\xA8\r\n";
    QCOMPARE(IniProfile::fromBytes(utf8).readString(u"S"_s, u"K"_s, kDefault),
             CodePage::fromWindows1252("\xC3\xA8"));
}

void TestIniReader::linesOfKeys()
{
    // Every line end counts one line; the answering key is the first one of
    // the first section; a line without '=' is no key.
    const QByteArray file = ";t\r\n[S]\rK\nK=1\r\nk=2\n\n[T]\r\n[s]\r\nL=3\r\n[U]\r\nM=4";
    for (const QByteArray &bytes : {file, asUtf16(file, true)}) {
        const IniProfile ini = IniProfile::fromBytes(bytes);
        QCOMPARE(ini.lineOf(u"s"_s), 2);
        QCOMPARE(ini.lineOf(u"S"_s, u"K"_s), 4);
        QCOMPARE(ini.lineOf(u"T"_s), 7);
        QCOMPARE(ini.lineOf(u"S"_s, u"L"_s), 0);
        QCOMPARE(ini.lineOf(u"U"_s, u" m "_s), 11);
        QCOMPARE(ini.lineOf(u"V"_s), 0);
    }
}

void TestIniReader::hasSection_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("section");
    QTest::addColumn<bool>("expected");

    QTest::newRow("present") << QByteArray("[AMO]\r\n") << u"amo"_s << true;
    QTest::newRow("empty section counts") << QByteArray("[A]\r\n[B]\r\n") << u"A"_s << true;
    QTest::newRow("unclosed header is no section")
        << QByteArray("[S]\r\n[T\r\n") << u"T"_s << false;
    QTest::newRow("commented header") << QByteArray(";[T]\r\n") << u"T"_s << false;
    QTest::newRow("missing") << QByteArray("[S]\r\n") << u"T"_s << false;
}

void TestIniReader::hasSection()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, section);
    QFETCH(bool, expected);
    QCOMPARE(IniProfile::fromBytes(file).hasSection(section), expected);
}

void TestIniReader::garbageGivesDefaults()
{
    // Random bytes, NULs and line ends included, then the same garbage
    // behind a real section: the section must still read.
    QRandomGenerator rng(20240611);
    QByteArray garbage(1 << 20, Qt::Uninitialized);
    for (char &c : garbage)
        c = char(rng.bounded(256));
    garbage.replace('[', '('); // no header may come out of the noise

    const IniProfile noise = IniProfile::fromBytes(garbage);
    QVERIFY(!noise.hasSection(u"AMO"_s));
    QCOMPARE(noise.readString(u"AMO"_s, u"NOME"_s, u"Nome Amo"_s), u"Nome Amo"_s);
    QCOMPARE(noise.readInteger(u"AMO"_s, u"MISURA"_s, 14), 14);

    const IniProfile mixed = IniProfile::fromBytes(garbage + "\r\n[AMO]\r\nMISURA=7\r\n" + garbage);
    QCOMPARE(mixed.readInteger(u"AMO"_s, u"MISURA"_s, 14), 7);
}

void TestIniReader::hugeSingleLine_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("expected");

    const QByteArray tenMegabytes(qsizetype(10) * 1024 * 1024, 'x');
    QTest::newRow("long value") << QByteArray("[S]\r\nK=" + tenMegabytes) << QString(2047, u'x');
    QTest::newRow("long value then key")
        << QByteArray("[S]\r\nA=" + tenMegabytes + "\r\nK=1") << u"1"_s;
    QTest::newRow("long line without equals")
        << QByteArray("[S]\r\n" + tenMegabytes + "\r\nK=1") << u"1"_s;
    QTest::newRow("long unclosed header")
        << QByteArray("[S]\r\n[" + tenMegabytes + "\r\nK=1") << u"1"_s;
    QTest::newRow("long header") << QByteArray("[" + tenMegabytes + "]\r\n[S]\r\nK=1") << u"1"_s;
    QTest::newRow("only line ends")
        << QByteArray(QByteArray(qsizetype(5) * 1024 * 1024, '\r') + "[S]\nK=1") << u"1"_s;
    QTest::newRow("no line end at all") << tenMegabytes << kDefault;
}

void TestIniReader::hugeSingleLine()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, expected);
    QElapsedTimer timer;
    timer.start();
    QCOMPARE(lookup(file, u"S"_s, u"K"_s), expected);
    // Linear work takes about a second even under the sanitizers; a
    // quadratic scan of 10 MB would take hours. The bound leaves room for a
    // machine that is busy with other work.
    QVERIFY2(timer.elapsed() < 120000, qPrintable(u"took %1 ms"_s.arg(timer.elapsed())));
}

void TestIniReader::fromFile_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("expected");

    QTest::newRow("existing file") << u"amo.kva"_s << u"Amo da trota"_s;
    QTest::newRow("missing file") << u"missing.kva"_s << u"Nome Amo"_s;
    QTest::newRow("directory") << u"folder.kva"_s << u"Nome Amo"_s;
    QTest::newRow("missing folder") << u"nowhere/amo.kva"_s << u"Nome Amo"_s;
    QTest::newRow("empty file") << u"empty.kva"_s << u"Nome Amo"_s;
}

void TestIniReader::fromFile()
{
    QFETCH(QString, name);
    QFETCH(QString, expected);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QFile amo(dir.filePath(u"amo.kva"_s));
    QVERIFY(amo.open(QIODevice::WriteOnly));
    amo.write("; title\r\n\r\n[AMO]\r\nNOME=\"Amo da trota\"\r\n");
    amo.close();
    QFile empty(dir.filePath(u"empty.kva"_s));
    QVERIFY(empty.open(QIODevice::WriteOnly));
    empty.close();
    QVERIFY(QDir(dir.path()).mkdir(u"folder.kva"_s));

    const IniProfile profile = IniProfile::fromFile(dir.filePath(name));
    QCOMPARE(profile.readString(u"AMO"_s, u"NOME"_s, u"Nome Amo"_s), expected);
}

void TestIniReader::parseInteger_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<int>("expected");

    QTest::newRow("zero") << u"0"_s << true << 0;
    QTest::newRow("positive") << u"14"_s << true << 14;
    QTest::newRow("negative") << u"-7"_s << true << -7;
    QTest::newRow("minus zero") << u"-0"_s << true << 0;
    QTest::newRow("leading zeros") << u"007"_s << true << 7;
    QTest::newRow("max") << u"2147483647"_s << true << 2147483647;
    QTest::newRow("min") << u"-2147483648"_s << true << int(-2147483647 - 1);
    QTest::newRow("max plus one") << u"2147483648"_s << false << 0;
    QTest::newRow("min minus one") << u"-2147483649"_s << false << 0;
    QTest::newRow("far too long") << u"123456789012345678901234567890"_s << false << 0;
    QTest::newRow("many leading zeros") << u"0000000000000000000042"_s << true << 42;
    QTest::newRow("dollar hex") << u"$1F"_s << true << 31;
    QTest::newRow("dollar hex lower") << u"$ff"_s << true << 255;
    QTest::newRow("0x hex") << u"0x1f"_s << true << 31;
    QTest::newRow("0X hex") << u"0X1F"_s << true << 31;
    QTest::newRow("hex max") << u"0x7FFFFFFF"_s << true << 2147483647;
    QTest::newRow("hex leading zeros") << u"$000000000000000010"_s << true << 16;
    QTest::newRow("hex above signed range") << u"$80000000"_s << false << 0;
    QTest::newRow("hex all ones") << u"$FFFFFFFF"_s << false << 0;
    QTest::newRow("hex too long") << u"0x123456789ABCDEF01"_s << false << 0;
    QTest::newRow("0x alone") << u"0x"_s << false << 0;
    QTest::newRow("dollar alone") << u"$"_s << false << 0;
    QTest::newRow("minus alone") << u"-"_s << false << 0;
    QTest::newRow("empty") << QString() << false << 0;
    QTest::newRow("plus sign") << u"+1"_s << false << 0;
    QTest::newRow("negative dollar hex") << u"-$1"_s << false << 0;
    QTest::newRow("negative 0x hex") << u"-0x1"_s << false << 0;
    QTest::newRow("sign after prefix") << u"0x-1"_s << false << 0;
    QTest::newRow("bad hex digit") << u"0x1g"_s << false << 0;
    QTest::newRow("x without zero") << u"x1"_s << false << 0;
    QTest::newRow("leading blank") << u" 1"_s << false << 0;
    QTest::newRow("trailing blank") << u"1 "_s << false << 0;
    QTest::newRow("trailing text") << u"14 ; x"_s << false << 0;
    QTest::newRow("decimal point") << u"1.5"_s << false << 0;
    QTest::newRow("double minus") << u"--1"_s << false << 0;
    QTest::newRow("binary prefix") << u"0b1"_s << false << 0;
    QTest::newRow("fullwidth digit") << u"１"_s << false << 0;
    QTest::newRow("arabic-indic digit") << u"٣"_s << false << 0;
}

void TestIniReader::parseInteger()
{
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QFETCH(int, expected);
    const std::optional<qint32> n = parseKvInteger(text);
    QCOMPARE(n.has_value(), valid);
    if (valid)
        QCOMPARE(*n, expected);
}

void TestIniReader::readInteger_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<int>("expected");

    QTest::newRow("plain") << QByteArray("N=14") << 14;
    QTest::newRow("blanks around") << QByteArray("N =  -7  ") << -7;
    QTest::newRow("double quoted") << QByteArray("N=\"1\"") << 1;
    QTest::newRow("single quoted") << QByteArray("N='2'") << 2;
    QTest::newRow("quoted hex") << QByteArray("N=\"$10\"") << 16;
    QTest::newRow("blank inside quotes") << QByteArray("N=\" 1\"") << 99;
    QTest::newRow("inline semicolon") << QByteArray("N=14 ; x") << 99;
    QTest::newRow("empty") << QByteArray("N=") << 99;
    QTest::newRow("no equals") << QByteArray("N") << 99;
    QTest::newRow("missing key") << QByteArray("M=1") << 99;
    QTest::newRow("out of range") << QByteArray("N=4294967295") << 99;
}

void TestIniReader::readInteger()
{
    QFETCH(QByteArray, line);
    QFETCH(int, expected);
    const IniProfile profile = IniProfile::fromBytes("[S]\r\n" + line + "\r\n");
    QCOMPARE(profile.readInteger(u"S"_s, u"N"_s, 99), expected);
}

QTEST_GUILESS_MAIN(TestIniReader)
#include "test_inireader.moc"
