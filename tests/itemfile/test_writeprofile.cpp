#include "filesizelimit.h"
#include "testfiles.h"
#include "inireader.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

using TestFiles::entries;

} // namespace

class TestWriteProfile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void writesOneValue_data();
    void writesOneValue();
    void failures_data();
    void failures();
    void failedWriteKeepsOldFile();
};

void TestWriteProfile::writesOneValue_data()
{
    QTest::addColumn<bool>("exists");
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QByteArray>("after");

    const QByteArray settings =
        "; Korvalis Editor\r\n[LINGUA]\r\nKORVALIS=I\r\n\r\n; other\r\n[ALTRO]\r\nX=1\r\n";
    QTest::newRow("replace keeps everything else")
        << true << settings << u"LINGUA"_s << u"KORVALIS"_s << u"E"_s
        << QByteArray(
               "; Korvalis Editor\r\n[LINGUA]\r\nKORVALIS=E\r\n\r\n; other\r\n[ALTRO]\r\nX=1\r\n");
    QTest::newRow("replace keeps the key's spelling")
        << true << QByteArray("[ lingua ]\r\n  korvalis = I  \r\nZ=2\r\n") << u"LINGUA"_s
        << u"KORVALIS"_s << u"E"_s << QByteArray("[ lingua ]\r\n  korvalis=E\r\nZ=2\r\n");
    QTest::newRow("replace keeps lf line ends")
        << true << QByteArray("[S]\nK=1\nL=2\n") << u"S"_s << u"K"_s << u"22"_s
        << QByteArray("[S]\nK=22\nL=2\n");
    QTest::newRow("replace keeps lone cr line ends")
        << true << QByteArray("[S]\rK=1\rL=2") << u"S"_s << u"K"_s << u"x"_s
        << QByteArray("[S]\rK=x\rL=2");
    QTest::newRow("replace the last line without line end")
        << true << QByteArray("[S]\r\nK=1") << u"S"_s << u"K"_s << u"2"_s
        << QByteArray("[S]\r\nK=2");
    QTest::newRow("replace the first of duplicate keys")
        << true << QByteArray("[S]\r\nK=1\r\nk=2\r\n") << u"S"_s << u"K"_s << u"9"_s
        << QByteArray("[S]\r\nK=9\r\nk=2\r\n");
    QTest::newRow("a line without equals is not the key")
        << true << QByteArray("[S]\r\nK\r\nK=1\r\n") << u"S"_s << u"K"_s << u"2"_s
        << QByteArray("[S]\r\nK\r\nK=2\r\n");
    QTest::newRow("first of duplicate sections")
        << true << QByteArray("[S]\r\n[T]\r\n[S]\r\nK=1\r\n") << u"S"_s << u"K"_s << u"2"_s
        << QByteArray("[S]\r\nK=2\r\n[T]\r\n[S]\r\nK=1\r\n");
    QTest::newRow("add key after the last key line")
        << true << QByteArray("[S]\r\nA=1\r\n\r\n; about T\r\n[T]\r\nB=2\r\n") << u"S"_s << u"C"_s
        << u"3"_s << QByteArray("[S]\r\nA=1\r\nC=3\r\n\r\n; about T\r\n[T]\r\nB=2\r\n");
    QTest::newRow("add key to an empty section")
        << true << QByteArray("[S]\r\n; only a comment\r\n[T]\r\n") << u"S"_s << u"K"_s << u"v"_s
        << QByteArray("[S]\r\nK=v\r\n; only a comment\r\n[T]\r\n");
    QTest::newRow("commented key is not the key")
        << true << QByteArray("[S]\r\nA=1\r\n;K=1\r\n") << u"S"_s << u"K"_s << u"2"_s
        << QByteArray("[S]\r\nA=1\r\nK=2\r\n;K=1\r\n");
    QTest::newRow("add key after a last line without line end")
        << true << QByteArray("[S]\r\nA=1") << u"S"_s << u"K"_s << u"v"_s
        << QByteArray("[S]\r\nA=1\r\nK=v\r\n");
    QTest::newRow("add key keeps lf line ends")
        << true << QByteArray("[S]\nA=1\n") << u"S"_s << u"K"_s << u"v"_s
        << QByteArray("[S]\nA=1\nK=v\n");
    QTest::newRow("add section at the end")
        << true << QByteArray("[S]\r\nA=1\r\n") << u"T"_s << u"K"_s << u"v"_s
        << QByteArray("[S]\r\nA=1\r\n[T]\r\nK=v\r\n");
    QTest::newRow("add section after a last line without line end")
        << true << QByteArray("[S]\r\nA=1") << u"T"_s << u"K"_s << u"v"_s
        << QByteArray("[S]\r\nA=1\r\n[T]\r\nK=v\r\n");
    QTest::newRow("unclosed header is no section")
        << true << QByteArray("[T\r\n") << u"T"_s << u"K"_s << u"v"_s
        << QByteArray("[T\r\n[T]\r\nK=v\r\n");
    QTest::newRow("add section to an empty file")
        << true << QByteArray() << u"LINGUA"_s << u"KORVALIS"_s << u"E"_s
        << QByteArray("[LINGUA]\r\nKORVALIS=E\r\n");
    QTest::newRow("create the file") << false << QByteArray() << u"LINGUA"_s << u"KORVALIS"_s
                                     << u"E"_s << QByteArray("[LINGUA]\r\nKORVALIS=E\r\n");
    QTest::newRow("value in windows-1252")
        << true << QByteArray("[S]\r\nK=x\r\n") << u"S"_s << u"K"_s << u"è€鱼"_s
        << QByteArray("[S]\r\nK=\xE8\x80?\r\n");
    // A settings file saved as "Unicode" stays UTF-16, in its byte order.
    QTest::newRow("utf-16 le stays utf-16")
        << true
        << QByteArray("\xFF\xFE[\0S\0]\0\r\0\n\0K\0=\0"
                      "1\0\r\0\n\0",
                      22)
        << u"S"_s << u"K"_s << u"鱼"_s
        << QByteArray("\xFF\xFE[\0S\0]\0\r\0\n\0K\0=\0\x7C\x9C\r\0\n\0", 22);
    QTest::newRow("utf-16 be gains a section")
        << true << QByteArray("\xFE\xFF\0[\0A\0]", 8) << u"S"_s << u"K"_s << u"2"_s
        << QByteArray("\xFE\xFF\0[\0A\0]\0\r\0\n\0[\0S\0]\0\r\0\n\0K\0=\0"
                      "2\0\r\0\n",
                      32);
    QTest::newRow("other bytes untouched")
        << true << QByteArray("[B]\r\nX=\xFF\x00\x81\r\n[S]\r\nK=1\r\n", 22) << u"S"_s << u"K"_s
        << u"2"_s << QByteArray("[B]\r\nX=\xFF\x00\x81\r\n[S]\r\nK=2\r\n", 22);
}

void TestWriteProfile::writesOneValue()
{
    QFETCH(bool, exists);
    QFETCH(QByteArray, before);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, value);
    QFETCH(QByteArray, after);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(u"KorvalisEdit.ini"_s);
    if (exists)
        QVERIFY(TestFiles::write(path, before));

    QString error;
    QVERIFY2(writeProfileString(path, section, key, value, &error), qPrintable(error));
    QCOMPARE(TestFiles::read(path), after);
    QCOMPARE(entries(dir.path()), QStringList{u"KorvalisEdit.ini"_s});

    // What was written is what the reader finds.
    const QString readBack = IniProfile::fromFile(path).readString(section, key, u"<default>"_s);
    if (value.contains(u'鱼') && !before.startsWith("\xFF\xFE"))
        QCOMPARE(readBack, QString(value).replace(u'鱼', u'?'));
    else
        QCOMPARE(readBack, value);
}

void TestWriteProfile::failures_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("key");

    QTest::newRow("missing folder") << u"missing/KorvalisEdit.ini"_s << u"KORVALIS"_s;
    QTest::newRow("path is a folder") << u"folder"_s << u"KORVALIS"_s;
    QTest::newRow("empty key name") << u"KorvalisEdit.ini"_s << u" "_s;
}

void TestWriteProfile::failures()
{
    QFETCH(QString, name);
    QFETCH(QString, key);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QVERIFY(QDir(dir.path()).mkdir(u"folder"_s));
    const QString path = dir.filePath(name);

    QString error;
    QVERIFY(!writeProfileString(path, u"LINGUA"_s, key, u"E"_s, &error));
    QVERIFY2(error.contains(QDir::toNativeSeparators(path)), qPrintable(error));
    QCOMPARE(entries(dir.path()), QStringList{u"folder"_s});
    QVERIFY(entries(dir.filePath(u"folder"_s)).isEmpty());
}

void TestWriteProfile::failedWriteKeepsOldFile()
{
    const TestFiles::ExistingFile file(u"KorvalisEdit.ini"_s, "[LINGUA]\r\nKORVALIS=I\r\n");
    QVERIFY(file.ok());
    const QString path = file.path();

    QString error;
    {
        FileSizeLimit limit(file.bytes().size() + 16);
        if (!limit.active())
            QSKIP(FileSizeLimit::kSkipReason);
        const QString longValue(4096, u'E');
        QVERIFY(!writeProfileString(path, u"LINGUA"_s, u"KORVALIS"_s, longValue, &error));
    }
    QVERIFY2(error.contains(QDir::toNativeSeparators(path)), qPrintable(error));
    QCOMPARE(TestFiles::read(path), file.bytes());
    QCOMPARE(entries(file.folder()), QStringList{file.name()});
}

QTEST_GUILESS_MAIN(TestWriteProfile)
#include "test_writeprofile.moc"
