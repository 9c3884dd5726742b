#include "picture.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace {

void write(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(f.write(bytes), bytes.size());
}

QByteArray read(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A copy always lands as a new file renamed over the target; an untouched
// target keeps its inode.
ino_t inode(const QString &path)
{
    struct stat st
    {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_ino : 0;
}

} // namespace

class TestPicture : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void copyReplacesOnlyWhatDiffers_data();
    void copyReplacesOnlyWhatDiffers();
};

void TestPicture::copyReplacesOnlyWhatDiffers_data()
{
    QTest::addColumn<QByteArray>("target"); // "-": no target file
    QTest::addColumn<bool>("rewritten");

    QTest::newRow("no target") << QByteArray("-") << true;
    QTest::newRow("same bytes: a second save") << QByteArray(70000, 'p') << false;
    QTest::newRow("same size, last byte differs") << QByteArray(69999, 'p').append('q') << true;
    QTest::newRow("shorter") << QByteArray(100, 'p') << true;
    QTest::newRow("empty") << QByteArray() << true;
}

void TestPicture::copyReplacesOnlyWhatDiffers()
{
    QFETCH(QByteArray, target);
    QFETCH(bool, rewritten);
    QTemporaryDir dir;
    const QString source = dir.filePath(u"in.jpg"_s);
    const QString dest = dir.filePath(u"out.jpg"_s);
    const QByteArray picture(70000, 'p'); // more than one read chunk
    write(source, picture);
    if (target != "-")
        write(dest, target);
    const ino_t before = inode(dest);

    QString error;
    QVERIFY2(Picture::copyTo(source, dest, &error), qPrintable(error));
    QCOMPARE(read(dest), picture);
    QCOMPARE(read(source), picture);
    QCOMPARE(inode(dest) != before, rewritten);
}

QTEST_GUILESS_MAIN(TestPicture)
#include "test_picture.moc"
