#include "filenames.h"

#include <QTest>

using namespace Qt::StringLiterals;

// The stored name of a picture must stay inside the item's folder, as
// Windows reads it.
class TestFileNames : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void bareFileName_data();
    void bareFileName();
};

void TestFileNames::bareFileName_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("bare");
    const std::pair<const char16_t *, bool> rows[] = {
        {u"amo.jpg", true},
        {u"Amo Trota (2).JPG", true},
        {u"..amo.bmp", true},
        {u"amo..jpg", true},
        {u"pesce_\u00e8.jpg", true},
        {u"CONSOLE.jpg", true},
        {u"COM10.jpg", true},
        {u"lpt0.bmp", true},
        {u"nulla.jpg", true},
        {u"", false},
        {u".", false},
        {u"..", false},
        {u"../amo.jpg", false},
        {u"..\\amo.jpg", false},
        {u"../../../../home/u/.ssh/id_rsa", false},
        {u"/etc/passwd", false},
        {u"\\\\server\\share\\a.jpg", false},
        {u"C:\\Windows\\a.bmp", false},
        {u"C:a.bmp", false},
        {u"Ami/amo.jpg", false},
        {u"Ami\\amo.jpg", false},
        {u"amo.jpg:stream", false},
        {u"nul.jpg", false},
        {u"Com1.tar.gz", false},
        {u"CON .jpg", false},
        {u"aux", false},
        {u"LPT\u00b2.bmp", false},
        {u"amo.jpg.", false},
        {u"amo.jpg ", false},
        {u"amo\x1f.jpg", false},
        {u"amo?.jpg", false},
        {u"<amo>.jpg", false},
        {u"a|\"b\"*.jpg", false},
    };
    for (const auto &[name, bare] : rows)
        QTest::newRow(QString::fromUtf16(name).toUtf8().constData())
            << QString::fromUtf16(name) << bare;
    QTest::newRow("NUL inside") << u"a\0b.jpg"_s << false;
}

void TestFileNames::bareFileName()
{
    QFETCH(QString, name);
    QFETCH(bool, bare);
    QCOMPARE(FileNames::isBareFileName(name), bare);
}

QTEST_GUILESS_MAIN(TestFileNames)
#include "test_filenames.moc"
