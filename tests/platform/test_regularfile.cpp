#include "regularfile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "platformtest.h"

using namespace Qt::StringLiterals;

// Only regular files within the limit are read; nothing else ever blocks.
class TestRegularFile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void reads_data();
    void reads();
};

void TestRegularFile::reads_data()
{
    QTest::addColumn<QString>("kind"); // what to make at the path
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("status");
    const auto row = [](const char *name, const char *kind, int size, FileRead::Status status) {
        QTest::newRow(name) << QString::fromLatin1(kind) << size << int(status);
    };
    row("empty file", "file", 0, FileRead::Status::Ok);
    row("exactly the limit", "file", 64, FileRead::Status::Ok);
    row("one byte over", "file", 65, FileRead::Status::TooLarge);
    row("link to a file", "link", 10, FileRead::Status::Ok);
    row("folder", "dir", 0, FileRead::Status::NotRegular);
    row("FIFO without a writer (a folder on Windows)", "fifo", 0, FileRead::Status::NotRegular);
    row("device", "dev", 0, FileRead::Status::NotRegular);
    row("missing", "none", 0, FileRead::Status::Missing);
    row("below a file", "below", 0, FileRead::Status::Missing);
    // With a device name in its folder a path is never the device.
    row("NUL in a folder", "nul", 0, FileRead::Status::Missing);
}

void TestRegularFile::reads()
{
    QFETCH(QString, kind);
    QFETCH(int, size);
    QFETCH(int, status);
    QTemporaryDir dir;
    const QString file = dir.filePath(u"a.kva"_s);
    const QByteArray bytes(size, 'x');
    QString path = dir.filePath(u"target"_s);
#ifdef Q_OS_WIN
    if (kind == u"link")
        QSKIP("QFile::link makes a shortcut on Windows, a file of its own");
#endif
    if (kind == u"file" || kind == u"link") {
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write(bytes) == size);
        f.close();
        path = kind == u"file" ? file : path;
        if (kind == u"link")
            QVERIFY(QFile::link(file, path));
    } else if (kind == u"dir") {
        QVERIFY(QDir(dir.path()).mkdir(u"target"_s));
    } else if (kind == u"fifo") {
        QVERIFY(PlatformTest::makeNonRegular(path));
    } else if (kind == u"dev") {
        path = PlatformTest::device();
    } else if (kind == u"nul") {
        path = dir.filePath(u"NUL"_s);
    } else if (kind == u"below") {
        QFile(file).open(QIODevice::WriteOnly);
        path = file + u"/x.kva"_s;
    }
    const FileRead r = readRegularFile(path, 64);
    QCOMPARE(int(r.status), status);
    QCOMPARE(r.bytes, r.ok() ? bytes : QByteArray());
    QCOMPARE(isRegularFile(path), r.ok() || r.status == FileRead::Status::TooLarge);
}

QTEST_GUILESS_MAIN(TestRegularFile)
#include "test_regularfile.moc"
