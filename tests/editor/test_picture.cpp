#include "picture.h"
#include "platformtest.h"

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>

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
quint64 inode(const QString &path)
{
    return PlatformTest::fileId(path);
}

} // namespace

class TestPicture : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void copyReplacesOnlyWhatDiffers_data();
    void copyReplacesOnlyWhatDiffers();
    void decodedForTheView_data();
    void decodedForTheView();
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
    const quint64 before = inode(dest);

    QString error;
    QVERIFY2(Picture::copyTo(source, dest, &error), qPrintable(error));
    QCOMPARE(read(dest), picture);
    QCOMPARE(read(source), picture);
    QCOMPARE(inode(dest) != before, rewritten);
}

// Pictures come decoded no smaller than their view (a few pixels short at
// most), and never as a damaged picture the decoder filled grey.
void TestPicture::decodedForTheView_data()
{
    QTest::addColumn<QSize>("picture");
    QTest::addColumn<QByteArray>("format");
    QTest::addColumn<bool>("cut"); // the file loses its second half
    QTest::addColumn<QSize>("view");
    QTest::addColumn<QSize>("decoded"); // invalid: refused as damaged

    const QSize venue(512, 390);
    QTest::newRow("800x600 JPEG, shrunk") << QSize(800, 600) << "JPG"_ba << false << venue << venue;
    QTest::newRow("1024x768 JPEG at half")
        << QSize(1024, 768) << "JPG"_ba << false << venue << QSize(512, 384);
    QTest::newRow("float photo BMP, shrunk")
        << QSize(50, 350) << "BMP"_ba << false << QSize(43, 300) << QSize(43, 300);
    QTest::newRow("small BMP, stretched by the view")
        << QSize(80, 80) << "BMP"_ba << false << QSize(100, 100) << QSize(80, 80);
    QTest::newRow("JPEG cut short") << QSize(800, 600) << "JPG"_ba << true << venue << QSize();
    QTest::newRow("BMP cut short")
        << QSize(100, 100) << "BMP"_ba << true << QSize(100, 100) << QSize();
}

void TestPicture::decodedForTheView()
{
    QFETCH(QSize, picture);
    QFETCH(QByteArray, format);
    QFETCH(bool, cut);
    QFETCH(QSize, view);
    QFETCH(QSize, decoded);
    QTemporaryDir dir;
    const QString path = dir.filePath(u"p."_s + QString::fromLatin1(format));
    QImage image(picture, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgb(x * 7, y * 5, x ^ y));
    QVERIFY(image.save(path, format.constData()));
    if (cut)
        write(path, read(path).left(int(QFileInfo(path).size() / 2)));
    try {
        QCOMPARE(Picture::load(path, view).size(), decoded);
    } catch (const Picture::Damaged &d) {
        QVERIFY2(!decoded.isValid(), qPrintable(d.text()));
        QCOMPARE(d.path(), path);
        QVERIFY(!d.reason().isEmpty());
    }
}

QTEST_GUILESS_MAIN(TestPicture)
#include "test_picture.moc"
