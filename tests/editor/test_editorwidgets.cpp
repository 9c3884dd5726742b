#include "editorwidgets.h"

#include <QTest>

using namespace Qt::StringLiterals;

// The limit of names and descriptions applies to what an edit puts in, as
// on Windows edit controls: text already there is never cut.
class TestEditorWidgets : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void limitEdit_data();
    void limitEdit();
};

void TestEditorWidgets::limitEdit_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("after");
    QTest::addColumn<int>("cursor");
    QTest::addColumn<QString>("kept");
    QTest::addColumn<int>("keptCursor");
    // Limit 5 throughout.
    QTest::newRow("fits") << u"abc"_s << u"abcde"_s << 5 << u"abcde"_s << 5;
    QTest::newRow("typed at the limit") << u"abcde"_s << u"abcdex"_s << 6 << u"abcde"_s << 5;
    QTest::newRow("paste cut to room") << u"ab"_s << u"a1234b"_s << 5 << u"a123b"_s << 4;
    QTest::newRow("paste into empty") << QString() << u"123456789"_s << 9 << u"12345"_s << 5;
    QTest::newRow("long text, typing refused")
        << u"abcdefgh"_s << u"abcXdefgh"_s << 4 << u"abcdefgh"_s << 3;
    QTest::newRow("long text, deleting") << u"abcdefgh"_s << u"abdefgh"_s << 2 << u"abdefgh"_s << 2;
    QTest::newRow("long text, replace selection")
        << u"abcdefgh"_s << u"aXYgh"_s << 3 << u"aXYgh"_s << 3;
    QTest::newRow("selection removed, no room")
        << u"abcdefgh"_s << u"aXefgh"_s << 2 << u"aefgh"_s << 1;
    // Repeated letters: the cursor tells where the paste went.
    QTest::newRow("repeated letters") << u"aaaa"_s << u"aabbaa"_s << 4 << u"aabaa"_s << 3;
    QTest::newRow("cursor unknown") << u"abcd"_s << u"abXYZcd"_s << -1 << u"abXcd"_s << 3;
    QTest::newRow("unchanged long") << u"abcdefgh"_s << u"abcdefgh"_s << 8 << u"abcdefgh"_s << 8;
}

void TestEditorWidgets::limitEdit()
{
    QFETCH(QString, before);
    QFETCH(QString, after);
    QFETCH(int, cursor);
    QFETCH(QString, kept);
    QFETCH(int, keptCursor);
    qsizetype newCursor = -2;
    QCOMPARE(::limitEdit(before, after, cursor, 5, &newCursor), kept);
    QCOMPARE(newCursor, qsizetype(keptCursor));
}

QTEST_MAIN(TestEditorWidgets)
#include "test_editorwidgets.moc"
