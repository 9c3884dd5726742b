#include "filesizelimit.h"
#include "testfiles.h"
#include "inifilewriter.h"
#include "inireader.h"
#include "kverror.h"
#include "scripteddesktop.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <QTest>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

using namespace Qt::StringLiterals;

namespace {

using TestFiles::entries;

// A path of exactly `length` characters inside `base`, whose folders exist,
// so that only its length can make opening it fail.
QString pathOfLength(const QString &base, qsizetype length)
{
    QString path = base;
    while (length - path.size() > 120) {
        path += u'/' + QString(100, u'd');
        if (!QDir().mkpath(path))
            return {};
    }
    const qsizetype rest = length - path.size() - 1;
    if (rest < 1)
        return {};
    return path + u'/' + QString(rest, u'f');
}

} // namespace

class TestIniFileWriter : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void hookExample();
    void lines_data();
    void lines();
    void integersIgnoreLocale();
    void replacesExistingFile();
    void longestNameWorks();
    void creaFailure_data();
    void creaFailure();
    void writeWithoutCrea();
    void abandonedWriterKeepsOldFile();
    void failedCloseKeepsOldFile();
    void lockedTargetKeepsOldFile_data();
    void lockedTargetKeepsOldFile();
    void failedWriteStopsTheWriter();
    void readsBackWithProfile();
};

// The hook file as the editors write it, line for line.
void TestIniFileWriter::hookExample()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(u"amo_trota.kva"_s);
    ScriptedDesktop desktop;

    {
        TIniFileWriter w(desktop);
        w.Crea(path);
        QVERIFY(w.isOpen());
        w.AddTitle(u"AMO: Amo da trota"_s);
        w.AddSection(u"AMO"_s);
        w.AddNewComment(u"Nome dell'amo (max 32 chr)"_s);
        w.AddStringKey(u"NOME"_s, u"Amo da trota"_s);
        w.AddStringKey(u"NAME"_s, u"Trout hook"_s);
        w.AddNewComment(u"Descrizione dell'amo (max 256 chr)"_s);
        w.AddStringKey(u"DESCRIZIONE"_s, u"Amo fine per trota"_s);
        w.AddStringKey(u"DESCRIPTION"_s, u"Thin trout hook"_s);
        w.AddNewComment(u"Filo dell'amo: 0=fine, 1=doppio"_s);
        w.AddIntegerKey(u"FILO"_s, 0);
        w.AddNewComment(u"Gambo dell'amo: 0=corto, 1=medio, 2=lungo"_s);
        w.AddIntegerKey(u"GAMBO"_s, 1);
        w.AddNewComment(u"Curva dell'amo: 0=crystal, 1=rotonda, 2=ampia"_s);
        w.AddIntegerKey(u"CURVA"_s, 1);
        w.AddNewComment(u"Punta dell'amo: 0=rientrante, 1=dritta, 2=storta"_s);
        w.AddIntegerKey(u"PUNTA"_s, 1);
        w.AddNewComment(u"Ardiglione dell'amo: 0=piccolo, 1=micro"_s);
        w.AddIntegerKey(u"ARDIGLIONE"_s, 0);
        w.AddNewComment(
            u"Colore dell'amo: 0=grigio, 1=bronzo, 2=brunito, 3=rosso, 4=dorato, 5=verde"_s);
        w.AddIntegerKey(u"COLORE"_s, 2);
        w.AddNewComment(u"Misura dell'amo: deve essere compresa tra -7 e 24"_s);
        w.AddIntegerKey(u"MISURA"_s, 14);
        w.AddNewComment(
            u"Esca ideale per l'amo: -1=Tutte, 0=Crostaceo, 1=Formaggio, 2=Frutta, 3=Insetto, 4=Larva,"_s);
        const QString indent(16, u' ');
        w.AddComment(indent + u"5=Pane o Polenta, 6=Vegetale, 7=Verme, 8=Vivo,"_s);
        w.AddComment(indent + u"9=Artificiale, 10=Carne (morto), 11=Pastella, 12=Mollusco"_s);
        w.AddComment(indent + u"13=Spinning"_s);
        w.AddIntegerKey(u"ESCA"_s, 7);
        w.AddNewComment(u"Foto dell'amo (immagine 100x100 px)"_s);
        w.AddStringKey(u"FILENAMEFOTO"_s, u"amo_trota.jpg"_s);
        w.Close();
        QVERIFY(!w.isOpen());
    }

    const QByteArray expected =
        "; =================================================\r\n"
        "; AMO: Amo da trota\r\n"
        "; =================================================\r\n"
        "; \r\n"
        "; Creato con Korvalis Editor 1.2a \r\n"
        "; -------------------------------------------------\r\n"
        "\r\n"
        "[AMO]\r\n"
        "\r\n"
        "; Nome dell'amo (max 32 chr)\r\n"
        "NOME=\"Amo da trota\"\r\n"
        "NAME=\"Trout hook\"\r\n"
        "\r\n"
        "; Descrizione dell'amo (max 256 chr)\r\n"
        "DESCRIZIONE=\"Amo fine per trota\"\r\n"
        "DESCRIPTION=\"Thin trout hook\"\r\n"
        "\r\n"
        "; Filo dell'amo: 0=fine, 1=doppio\r\n"
        "FILO=0\r\n"
        "\r\n"
        "; Gambo dell'amo: 0=corto, 1=medio, 2=lungo\r\n"
        "GAMBO=1\r\n"
        "\r\n"
        "; Curva dell'amo: 0=crystal, 1=rotonda, 2=ampia\r\n"
        "CURVA=1\r\n"
        "\r\n"
        "; Punta dell'amo: 0=rientrante, 1=dritta, 2=storta\r\n"
        "PUNTA=1\r\n"
        "\r\n"
        "; Ardiglione dell'amo: 0=piccolo, 1=micro\r\n"
        "ARDIGLIONE=0\r\n"
        "\r\n"
        "; Colore dell'amo: 0=grigio, 1=bronzo, 2=brunito, 3=rosso, 4=dorato, 5=verde\r\n"
        "COLORE=2\r\n"
        "\r\n"
        "; Misura dell'amo: deve essere compresa tra -7 e 24\r\n"
        "MISURA=14\r\n"
        "\r\n"
        "; Esca ideale per l'amo: -1=Tutte, 0=Crostaceo, 1=Formaggio, 2=Frutta, 3=Insetto, "
        "4=Larva,\r\n"
        ";                 5=Pane o Polenta, 6=Vegetale, 7=Verme, 8=Vivo,\r\n"
        ";                 9=Artificiale, 10=Carne (morto), 11=Pastella, 12=Mollusco\r\n"
        ";                 13=Spinning\r\n"
        "ESCA=7\r\n"
        "\r\n"
        "; Foto dell'amo (immagine 100x100 px)\r\n"
        "FILENAMEFOTO=\"amo_trota.jpg\"\r\n";
    QCOMPARE(TestFiles::read(path), expected);
    QVERIFY(desktop.messages.isEmpty());
    QCOMPARE(entries(dir.path()), QStringList{u"amo_trota.kva"_s});
}

// One operation each, on a fresh file: the exact bytes it writes.
void TestIniFileWriter::lines_data()
{
    QTest::addColumn<QString>("operation");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("number");
    QTest::addColumn<QByteArray>("expected");

    QTest::newRow("empty string value")
        << u"string"_s << u"NOME"_s << QString() << 0 << QByteArray("NOME=\"\"\r\n");
    QTest::newRow("inner quote unchanged") << u"string"_s << u"NOME"_s << u"Amo \"super\" 2"_s << 0
                                           << QByteArray("NOME=\"Amo \"super\" 2\"\r\n");
    QTest::newRow("line break in value")
        << u"string"_s << u"DESCRIZIONE"_s << u"riga uno\r\nriga due"_s << 0
        << QByteArray("DESCRIZIONE=\"riga uno\r\nriga due\"\r\n");
    QTest::newRow("no escaping of backslash") << u"string"_s << u"FILENAMEFOTO"_s << u"a\\b.jpg"_s
                                              << 0 << QByteArray("FILENAMEFOTO=\"a\\b.jpg\"\r\n");
    QTest::newRow("chinese character")
        << u"string"_s << u"NAME"_s << u"Hook 鱼"_s << 0 << QByteArray("NAME=\"Hook ?\"\r\n");
    QTest::newRow("character outside the bmp")
        << u"string"_s << u"NAME"_s << u"a🐟b"_s << 0 << QByteArray("NAME=\"a?b\"\r\n");
    QTest::newRow("windows-1252 text")
        << u"string"_s << u"DESCRIZIONE"_s << u"Qualità € “x”"_s << 0
        << QByteArray("DESCRIZIONE=\"Qualit\xE0 \x80 \x93x\x94\"\r\n");
    QTest::newRow("blanks kept") << u"string"_s << u"NOME"_s << u"  a  "_s << 0
                                 << QByteArray("NOME=\"  a  \"\r\n");
    QTest::newRow("zero") << u"integer"_s << u"FILO"_s << QString() << 0
                          << QByteArray("FILO=0\r\n");
    QTest::newRow("negative") << u"integer"_s << u"MISURA"_s << QString() << -7
                              << QByteArray("MISURA=-7\r\n");
    QTest::newRow("hook size of no selection")
        << u"integer"_s << u"MISURA"_s << QString() << -8 << QByteArray("MISURA=-8\r\n");
    QTest::newRow("largest") << u"integer"_s << u"X"_s << QString() << 2147483647
                             << QByteArray("X=2147483647\r\n");
    QTest::newRow("smallest") << u"integer"_s << u"X"_s << QString() << int(-2147483647 - 1)
                              << QByteArray("X=-2147483648\r\n");
    QTest::newRow("empty comment")
        << u"comment"_s << QString() << QString() << 0 << QByteArray("; \r\n");
    QTest::newRow("comment") << u"comment"_s << QString() << u"Misura"_s << 0
                             << QByteArray("; Misura\r\n");
    QTest::newRow("comment keeps leading blanks")
        << u"comment"_s << QString() << u"   x"_s << 0 << QByteArray(";    x\r\n");
    QTest::newRow("new comment") << u"newcomment"_s << QString() << u"Misura"_s << 0
                                 << QByteArray("\r\n; Misura\r\n");
    QTest::newRow("empty new comment")
        << u"newcomment"_s << QString() << QString() << 0 << QByteArray("\r\n; \r\n");
    QTest::newRow("blank line") << u"blank"_s << QString() << QString() << 0 << QByteArray("\r\n");
    QTest::newRow("section") << u"section"_s << QString() << u"PESCI_MARE"_s << 0
                             << QByteArray("\r\n[PESCI_MARE]\r\n");
    QTest::newRow("title with accents")
        << u"title"_s << QString() << u"ESCA: Mais dolce è meglio"_s << 0
        << QByteArray("; =================================================\r\n"
                      "; ESCA: Mais dolce \xE8 meglio\r\n"
                      "; =================================================\r\n"
                      "; \r\n"
                      "; Creato con Korvalis Editor 1.2a \r\n"
                      "; -------------------------------------------------\r\n");
}

void TestIniFileWriter::lines()
{
    QFETCH(QString, operation);
    QFETCH(QString, key);
    QFETCH(QString, text);
    QFETCH(int, number);
    QFETCH(QByteArray, expected);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(u"item.kva"_s);
    ScriptedDesktop desktop;
    TIniFileWriter w(desktop);
    w.Crea(path);
    if (operation == u"string")
        w.AddStringKey(key, text);
    else if (operation == u"integer")
        w.AddIntegerKey(key, number);
    else if (operation == u"comment")
        w.AddComment(text);
    else if (operation == u"newcomment")
        w.AddNewComment(text);
    else if (operation == u"blank")
        w.AddBlankLine();
    else if (operation == u"section")
        w.AddSection(text);
    else if (operation == u"title")
        w.AddTitle(text);
    else
        QFAIL("unknown operation in the table");
    w.Close();
    QCOMPARE(TestFiles::read(path), expected);
}

void TestIniFileWriter::integersIgnoreLocale()
{
    // Item files are the same whatever the user's number format is.
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(u"item.kva"_s);
    ScriptedDesktop desktop;
    {
        TIniFileWriter w(desktop);
        w.Crea(path);
        w.AddIntegerKey(u"PESO"_s, 1234567);
        w.AddIntegerKey(u"MISURA"_s, -1234);
        w.Close();
    }
    QLocale::setDefault(saved);
    QCOMPARE(TestFiles::read(path), QByteArray("PESO=1234567\r\nMISURA=-1234\r\n"));
}

void TestIniFileWriter::replacesExistingFile()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(u"item.kva"_s);
    QVERIFY(TestFiles::write(path, QByteArray(5000, 'o')));
    ScriptedDesktop desktop;
    TIniFileWriter w(desktop);
    w.Crea(path);
    // Nothing changes until Close completes.
    w.AddStringKey(u"NOME"_s, u"nuovo"_s);
    QCOMPARE(TestFiles::read(path), QByteArray(5000, 'o'));
    w.Close();
    QCOMPARE(TestFiles::read(path), QByteArray("NOME=\"nuovo\"\r\n"));
    QCOMPARE(entries(dir.path()), QStringList{u"item.kva"_s});
}

void TestIniFileWriter::longestNameWorks()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = pathOfLength(dir.path(), 259);
    QCOMPARE(path.size(), 259);
    ScriptedDesktop desktop;
    TIniFileWriter w(desktop);
    w.Crea(path);
    QVERIFY(w.isOpen());
    w.AddBlankLine();
    w.Close();
    QCOMPARE(TestFiles::read(path), QByteArray("\r\n"));
    QVERIFY(desktop.messages.isEmpty());
}

void TestIniFileWriter::creaFailure_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("missing folder") << u"missing folder"_s;
    QTest::newRow("target is a folder") << u"folder"_s;
    QTest::newRow("name of 260 characters") << u"long name"_s;
    QTest::newRow("empty name") << u"empty"_s;
}

void TestIniFileWriter::creaFailure()
{
    QFETCH(QString, kind);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QString path;
    if (kind == u"missing folder") {
        path = dir.filePath(u"Ami/amo.kva"_s);
    } else if (kind == u"folder") {
        path = dir.filePath(u"amo.kva"_s);
        QVERIFY(QDir(dir.path()).mkdir(u"amo.kva"_s));
    } else if (kind == u"long name") {
        path = pathOfLength(dir.path(), 260);
        QCOMPARE(path.size(), 260);
    }
    const QStringList before = entries(QFileInfo(path).absolutePath());

    ScriptedDesktop desktop;
    TIniFileWriter w(desktop);
    w.Crea(path);
    QCOMPARE(desktop.messages, QStringList{u"Error writing file."_s});
    QVERIFY(!w.isOpen());

    // The editor's next call is what the user sees as the second error.
    try {
        w.AddTitle(u"AMO: x"_s);
        QFAIL("AddTitle after a failed Crea did not throw");
    } catch (const KvError &e) {
        if (!path.isEmpty())
            QVERIFY2(e.text().contains(QDir::toNativeSeparators(path)), qPrintable(e.text()));
    }
    QVERIFY_THROWS_EXCEPTION(KvError, w.AddIntegerKey(u"FILO"_s, 0));
    QVERIFY_THROWS_EXCEPTION(KvError, w.Close());
    QCOMPARE(desktop.messages.size(), 1);

    if (!path.isEmpty()) {
        QCOMPARE(entries(QFileInfo(path).absolutePath()), before);
        QVERIFY(!QFileInfo(path).isFile());
    }
}

void TestIniFileWriter::writeWithoutCrea()
{
    ScriptedDesktop desktop;
    TIniFileWriter w(desktop);
    QVERIFY_THROWS_EXCEPTION(KvError, w.AddBlankLine());
    QVERIFY_THROWS_EXCEPTION(KvError, w.AddSection(u"AMO"_s));
    QVERIFY_THROWS_EXCEPTION(KvError, w.Close());
    QVERIFY(desktop.messages.isEmpty());
}

void TestIniFileWriter::abandonedWriterKeepsOldFile()
{
    const TestFiles::ExistingFile file(u"amo.kva"_s, "; old\r\n[AMO]\r\nNOME=\"Vecchio\"\r\n");
    QVERIFY(file.ok());
    const QString path = file.path();

    ScriptedDesktop desktop;
    // A save that ends with an exception part-way, as a failed picture or
    // a check would end it.
    try {
        TIniFileWriter w(desktop);
        w.Crea(path);
        QVERIFY(w.isOpen());
        w.AddTitle(u"AMO: Nuovo"_s);
        w.AddSection(u"AMO"_s);
        // Enough text that part of it has left the buffer already.
        for (int i = 0; i < 2000; ++i)
            w.AddStringKey(u"K%1"_s.arg(i), QString(40, u'n'));
        throw KvError(u"stop"_s);
    } catch (const KvError &e) {
        QCOMPARE(e.text(), u"stop"_s);
    }
    QCOMPARE(TestFiles::read(path), file.bytes());
    QCOMPARE(entries(file.folder()), QStringList{file.name()});
}

void TestIniFileWriter::failedCloseKeepsOldFile()
{
    const TestFiles::ExistingFile file(u"amo.kva"_s, "[AMO]\r\nNOME=\"Vecchio\"\r\n");
    QVERIFY(file.ok());
    const QString path = file.path();

    ScriptedDesktop desktop;
    TIniFileWriter w(desktop);
    w.Crea(path);
    QVERIFY(w.isOpen());
    {
        // Small lines stay in the buffer, so the failure shows at Close.
        FileSizeLimit limit(64);
        if (!limit.active())
            QSKIP(FileSizeLimit::kSkipReason);
        for (int i = 0; i < 20; ++i)
            w.AddStringKey(u"NOME"_s, u"Nuovo"_s);
        try {
            w.Close();
            QFAIL("Close did not report the failed write");
        } catch (const KvError &e) {
            QVERIFY2(e.text().contains(QDir::toNativeSeparators(path)), qPrintable(e.text()));
        }
    }
    QVERIFY(!w.isOpen());
    QVERIFY_THROWS_EXCEPTION(KvError, w.Close());
    QCOMPARE(TestFiles::read(path), file.bytes());
    QCOMPARE(entries(file.folder()), QStringList{file.name()});
    QVERIFY(desktop.messages.isEmpty());
}

// Windows refuses to replace a file another program holds open, or one
// marked read-only: the save fails with the system's reason, nothing lost.
void TestIniFileWriter::lockedTargetKeepsOldFile_data()
{
    QTest::addColumn<bool>("heldOpen");
    QTest::newRow("held open by another program") << true;
    QTest::newRow("read-only attribute") << false;
}

void TestIniFileWriter::lockedTargetKeepsOldFile()
{
#ifndef Q_OS_WIN
    QSKIP("Windows only: elsewhere a file held open or read-only is replaced like any other");
#else
    QFETCH(bool, heldOpen);
    const TestFiles::ExistingFile file(u"amo.kva"_s, "[AMO]\r\nNOME=\"Vecchio\"\r\n");
    QVERIFY(file.ok());
    const std::wstring native = QDir::toNativeSeparators(file.path()).toStdWString();
    HANDLE other = INVALID_HANDLE_VALUE;
    if (heldOpen) {
        // As an editor or a virus scanner holds it: readers welcome, no
        // replacing.
        other = CreateFileW(native.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
        QVERIFY(other != INVALID_HANDLE_VALUE);
    } else {
        QVERIFY(SetFileAttributesW(native.c_str(), FILE_ATTRIBUTE_READONLY));
    }
    ScriptedDesktop desktop;
    TIniFileWriter w(desktop);
    QString error;
    try {
        w.Crea(file.path());
        w.AddStringKey(u"NOME"_s, u"Nuovo"_s);
        w.Close();
    } catch (const KvError &e) {
        error = e.text();
    }
    if (heldOpen)
        CloseHandle(other);
    else
        SetFileAttributesW(native.c_str(), FILE_ATTRIBUTE_NORMAL);
    QVERIFY2(error.contains(QDir::toNativeSeparators(file.path())), qPrintable(error));
    QCOMPARE(TestFiles::read(file.path()), file.bytes());
    QCOMPARE(entries(file.folder()), QStringList{file.name()});
#endif
}

void TestIniFileWriter::failedWriteStopsTheWriter()
{
    const TestFiles::ExistingFile file(u"amo.kva"_s, "[AMO]\r\nNOME=\"Vecchio\"\r\n");
    QVERIFY(file.ok());
    const QString path = file.path();

    ScriptedDesktop desktop;
    TIniFileWriter w(desktop);
    w.Crea(path);
    {
        FileSizeLimit limit(64);
        if (!limit.active())
            QSKIP(FileSizeLimit::kSkipReason);
        // A line larger than the buffer goes straight to the file and
        // fails in the call itself.
        try {
            w.AddStringKey(u"DESCRIZIONE"_s, QString(100000, u'd'));
            QFAIL("a failed write did not throw");
        } catch (const KvError &e) {
            QVERIFY2(e.text().contains(QDir::toNativeSeparators(path)), qPrintable(e.text()));
        }
    }
    // The incomplete file can no longer be committed over the old one.
    QVERIFY_THROWS_EXCEPTION(KvError, w.AddBlankLine());
    QVERIFY_THROWS_EXCEPTION(KvError, w.Close());
    QCOMPARE(TestFiles::read(path), file.bytes());
    QCOMPARE(entries(file.folder()), QStringList{file.name()});
}

void TestIniFileWriter::readsBackWithProfile()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(u"esca.kve"_s);
    ScriptedDesktop desktop;
    const QString name = u"Mais \"dolce\" è già €"_s;
    const QString longText(3000, u'z');
    {
        TIniFileWriter w(desktop);
        w.Crea(path);
        w.AddTitle(u"ESCA: "_s + name);
        w.AddSection(u"ESCA"_s);
        w.AddNewComment(u"NOME=commento"_s);
        w.AddComment(u"[FINTA]"_s);
        w.AddStringKey(u"NOME"_s, name);
        w.AddStringKey(u"NAME"_s, QString());
        w.AddStringKey(u"DESCRIZIONE"_s, longText);
        w.AddIntegerKey(u"PESO"_s, -250);
        w.AddIntegerKey(u"TIPO"_s, 0);
        w.AddSection(u"ALTRO"_s);
        w.AddBlankLine();
        w.AddStringKey(u"NOME"_s, u"secondo"_s);
        w.Close();
    }

    const IniProfile profile = IniProfile::fromFile(path);
    QCOMPARE(profile.readString(u"esca"_s, u"nome"_s, u"Nome Esca"_s), name);
    QCOMPARE(profile.readString(u"ESCA"_s, u"NAME"_s, u"Bait name"_s), QString());
    QCOMPARE(profile.readString(u"ESCA"_s, u"DESCRIZIONE"_s, QString()), longText.left(2047));
    QCOMPARE(profile.readInteger(u"ESCA"_s, u"PESO"_s, 1), -250);
    QCOMPARE(profile.readInteger(u"ESCA"_s, u"TIPO"_s, 1), 0);
    QCOMPARE(profile.readString(u"ALTRO"_s, u"NOME"_s, QString()), u"secondo"_s);
    QVERIFY(!profile.hasSection(u"FINTA"_s));
    QCOMPARE(profile.readString(u"ESCA"_s, u"FILENAMEFOTO"_s, u"none"_s), u"none"_s);
}

QTEST_GUILESS_MAIN(TestIniFileWriter)
#include "test_inifilewriter.moc"
