#include "kverror.h"
#include "presencelink.h"
#include "profilecore.h"

#include <QTest>

using namespace Qt::StringLiterals;
using namespace Profilo;

namespace {
const QString kExampleLevels = u"00011223344555555555544332211000"_s;
const QString kExampleTypes = u"00202020202000000000030303030300"_s;

Profile example()
{
    Profile p;
    p.strToPosShapes(kExampleLevels);
    p.setTypes(kExampleTypes);
    return p;
}

// An x in the middle of column `idx`.
int mid(int idx)
{
    return Geometry().markerLeft(idx) + 8;
}
} // namespace

class TestProfileCore : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void geometry();
    void workedExample_data();
    void workedExample();
    void workedExampleReadsAndWritesBack();
    void readoutTable_data();
    void readoutTable();
    void readoutReach_data();
    void readoutReach();
    void columnBordersBelongToNoMarker();
    void leftPress_data();
    void leftPress();
    void rightPressCyclesAndLevelSevenRule();
    void middlePressChangesNothing();
    void levelsText_data();
    void levelsText();
    void badLevelsTextStopsThere_data();
    void badLevelsTextStopsThere();
    void typesText_data();
    void typesText();
    void typeLinePixelsOmitEndPoint();
    void link_data();
    void link();
};

void TestProfileCore::geometry()
{
    const Geometry g;
    QCOMPARE(g.step(), 13);
    QCOMPARE(g.columnWidth(), 16);
    const int tops[] = {169, 156, 143, 130, 117, 104, 91, 78, 65, 52};
    for (int level = 0; level <= 9; ++level) {
        QCOMPARE(g.topOfLevel(level), tops[level]);
        QCOMPARE(g.levelOfTop(tops[level]), level);
    }
    for (int idx = 1; idx <= kMarkers; ++idx)
        QCOMPARE(g.indexOfLeft(g.markerLeft(idx)), idx);
    // Another photo size scales every figure.
    const Geometry small{256, 200};
    QCOMPARE(small.step(), 6);
    QCOMPARE(small.columnWidth(), 8);
    QCOMPARE(small.columnAt(9), 2);
}

void TestProfileCore::workedExample_data()
{
    QTest::addColumn<int>("marker");
    QTest::addColumn<int>("top");
    QTest::addColumn<int>("type");
    QTest::addColumn<bool>("visible");
    QTest::addColumn<QPoint>("from"); // (-1, -1): no line
    QTest::addColumn<QPoint>("to");
    const QPoint none(-1, -1);
    QTest::newRow("1") << 1 << 169 << 0 << true << none << none;
    QTest::newRow("2") << 2 << 169 << 0 << true << none << none;
    QTest::newRow("3") << 3 << 169 << 2 << false << QPoint(32, 169) << QPoint(48, 156);
    QTest::newRow("4") << 4 << 156 << 0 << true << none << none;
    QTest::newRow("5") << 5 << 156 << 2 << false << QPoint(64, 156) << QPoint(80, 143);
    QTest::newRow("6") << 6 << 143 << 0 << true << none << none;
    QTest::newRow("11") << 11 << 117 << 2 << false << QPoint(160, 117) << QPoint(176, 104);
    for (int m = 12; m <= 21; ++m)
        QTest::addRow("%d", m) << m << 104 << 0 << true << none << none;
    QTest::newRow("22") << 22 << 117 << 3 << false << QPoint(336, 104) << QPoint(352, 117);
    QTest::newRow("23") << 23 << 117 << 0 << true << none << none;
    QTest::newRow("29") << 29 << 156 << 0 << true << none << none;
    QTest::newRow("30") << 30 << 169 << 3 << false << QPoint(464, 156) << QPoint(480, 169);
    QTest::newRow("31") << 31 << 169 << 0 << true << none << none;
    QTest::newRow("32") << 32 << 169 << 0 << true << none << none;
}

void TestProfileCore::workedExample()
{
    QFETCH(int, marker);
    QFETCH(int, top);
    QFETCH(int, type);
    QFETCH(bool, visible);
    QFETCH(QPoint, from);
    QFETCH(QPoint, to);
    const Profile p = example();
    QCOMPARE(p.top(marker), top);
    QCOMPARE(p.type(marker), type);
    QCOMPARE(p.look(marker, 0).visible, visible);
    QVERIFY(!p.look(marker, 0).highlighted);
    const auto line = p.typeLine(marker);
    QCOMPARE(line.has_value(), from != QPoint(-1, -1));
    if (line) {
        QCOMPARE(line->from, from);
        QCOMPARE(line->to, to);
    }
}

void TestProfileCore::workedExampleReadsAndWritesBack()
{
    const Profile p = example();
    QCOMPARE(p.typeLines().size(), 10);
    // Over marker 12's line (104) within 9 pixels, and over marker 1.
    QCOMPARE(p.readout(mid(12), 104 - 9, 40)->distanceMt, std::optional<int>(142));
    QCOMPARE(p.readout(mid(12), 104 + 9, 40)->distanceMt, std::optional<int>(142));
    QCOMPARE(p.readout(mid(1), 169, 40)->distanceMt, std::optional<int>(57));
    QCOMPARE(readoutText(142), u"142 mt"_s);
    QCOMPARE(p.posShapesToStr(), kExampleLevels);
    QCOMPARE(p.types(), kExampleTypes);
    // Type 2 of marker 3 rises to meet marker 4's line where it starts.
    const QList<QPoint> px = p.typeLine(3)->pixels();
    QCOMPARE(px.first(), QPoint(32, 169));
    QCOMPARE(px.size(), 16);
    QVERIFY(px.last().x() == 47 && px.last().y() <= 157);
}

void TestProfileCore::readoutTable_data()
{
    QTest::addColumn<int>("maxDistance");
    QTest::addColumn<QList<int>>("byLevel"); // levels 0..9
    QTest::newRow("20") << 20 << QList<int>{25, 31, 37, 42, 48, 54, 60, 65, 71, 77};
    QTest::newRow("40") << 40 << QList<int>{57, 74, 91, 108, 125, 142, 160, 177, 194, 211};
    QTest::newRow("70") << 70 << QList<int>{104, 138, 172, 207, 241, 275, 310, 344, 378, 412};
}

void TestProfileCore::readoutTable()
{
    QFETCH(int, maxDistance);
    QFETCH(QList<int>, byLevel);
    QList<int> got;
    for (int level = 0; level <= 9; ++level)
        got << distanceReadout(maxDistance, level);
    QCOMPARE(got, byLevel);
    // Level 6 stands for 5 D - 40.
    QCOMPARE(got[6], 5 * maxDistance - 40);
}

void TestProfileCore::readoutReach_data()
{
    QTest::addColumn<int>("dy");
    QTest::addColumn<bool>("distance");
    QTest::newRow("on the line") << 0 << true;
    QTest::newRow("9 above") << -9 << true;
    QTest::newRow("9 below") << 9 << true;
    QTest::newRow("10 above") << -10 << false;
    QTest::newRow("10 below") << 10 << false;
}

void TestProfileCore::readoutReach()
{
    QFETCH(int, dy);
    QFETCH(bool, distance);
    Profile p;
    p.iniShape(7, 3);
    const auto r = p.readout(mid(7), 130 + dy, 40);
    QVERIFY(r);
    QCOMPARE(r->marker, 7);
    QCOMPARE(r->distanceMt.has_value(), distance);
    if (distance)
        QCOMPARE(*r->distanceMt, 108);
    QVERIFY(p.look(7, mid(7)).highlighted);
    QVERIFY(!p.look(6, mid(7)).highlighted);
}

void TestProfileCore::columnBordersBelongToNoMarker()
{
    Profile p = example();
    for (int x = 0; x <= 496; x += 16) {
        for (Button b : {Button::Left, Button::Right})
            QCOMPARE(p.movAllShapes(x, 100, b), 0);
        QVERIFY(!p.readout(x, 104, 40));
        for (int idx = 1; idx <= kMarkers; ++idx)
            QVERIFY(!p.look(idx, x).highlighted);
    }
    QCOMPARE(p.posShapesToStr(), kExampleLevels);
    QCOMPARE(p.types(), kExampleTypes);
    // Beyond the last column and at its right edge.
    QCOMPARE(p.geometry().columnAt(512), 0);
    QCOMPARE(p.geometry().columnAt(511), 32);
    QCOMPARE(p.geometry().columnAt(1), 1);
}

void TestProfileCore::leftPress_data()
{
    QTest::addColumn<int>("level");
    QTest::addColumn<int>("y");
    QTest::addColumn<int>("after");
    // Level 3 lies at 130.
    QTest::newRow("above goes up") << 3 << 129 << 4;
    QTest::newRow("on the line goes down") << 3 << 130 << 2;
    QTest::newRow("below goes down") << 3 << 200 << 2;
    QTest::newRow("below level 0 stays") << 0 << 170 << 0;
    QTest::newRow("above level 7 stays") << 7 << 0 << 7;
    QTest::newRow("level 7 goes down") << 7 << 78 << 6;
    QTest::newRow("file level 9 clamps up") << 9 << 0 << 7;
    QTest::newRow("file level 9 clamps down") << 9 << 300 << 7;
    QTest::newRow("file level 8 clamps") << 8 << 300 << 7;
}

void TestProfileCore::leftPress()
{
    QFETCH(int, level);
    QFETCH(int, y);
    QFETCH(int, after);
    Profile p;
    p.iniShape(5, level);
    p.movAllShapes(mid(5), y, Button::Left);
    QCOMPARE(p.level(5), after);
    QCOMPARE(p.level(4), 0);
    QCOMPARE(p.level(6), 0);
}

void TestProfileCore::rightPressCyclesAndLevelSevenRule()
{
    Profile p;
    QList<int> seen;
    for (int i = 0; i < 5; ++i) {
        p.movAllShapes(mid(9), 0, Button::Right);
        seen << p.type(9);
    }
    QCOMPARE(seen, (QList<int>{1, 2, 3, 0, 1}));
    QCOMPARE(p.types(), u"00000000100000000000000000000000"_s);

    // A right press at level 7 leaves the type at 0.
    p.iniShape(2, 7);
    p.movAllShapes(mid(2), 0, Button::Right);
    QCOMPARE(p.type(2), 0);

    // Raising a type-2 marker to level 7 resets its type.
    p.setTypes(u"00200000000000000000000000000000"_s);
    p.iniShape(3, 6);
    p.movAllShapes(mid(3), 0, Button::Left);
    QCOMPARE(p.level(3), 7);
    QCOMPARE(p.type(3), 0);

    // Types beyond 3 (hand-edited files) stay; a hidden marker.
    p.setTypes(u"5"_s);
    p.movAllShapes(mid(1), 0, Button::Right);
    QCOMPARE(p.types(), u"50000000000000000000000000000000"_s);
    QVERIFY(!p.look(1, 0).visible);
    QVERIFY(!p.typeLine(1));
}

void TestProfileCore::middlePressChangesNothing()
{
    Profile p = example();
    for (int x = 0; x < 512; x += 3)
        QCOMPARE(p.movAllShapes(x, 100, Button::Middle), 0);
    QCOMPARE(p.posShapesToStr(), kExampleLevels);
    QCOMPARE(p.types(), kExampleTypes);
}

void TestProfileCore::levelsText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("saved");
    QTest::addColumn<int>("top12");
    QTest::newRow("zeros") << zeroText() << zeroText() << 169;
    QTest::newRow("33 characters") << kExampleLevels + u"7"_s << kExampleLevels << 104;
    QTest::newRow("trailing junk") << kExampleLevels + u"x y"_s << kExampleLevels << 104;
    QTest::newRow("digit 8") << u"00000000000800000000000000000000"_s
                             << u"00000000000800000000000000000000"_s << 65;
    QTest::newRow("digit 9") << u"00000000000900000000000000000000"_s
                             << u"00000000000900000000000000000000"_s << 52;
}

void TestProfileCore::levelsText()
{
    QFETCH(QString, text);
    QFETCH(QString, saved);
    QFETCH(int, top12);
    Profile p;
    p.strToPosShapes(text);
    QCOMPARE(p.posShapesToStr(), saved);
    QCOMPARE(p.top(12), top12);
    if (top12 < 78)
        QCOMPARE(p.readout(mid(12), top12, 40)->distanceMt,
                 std::optional<int>(top12 == 65 ? 194 : 211));
}

void TestProfileCore::badLevelsTextStopsThere_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("stop"); // 1-based position of the bad character
    QTest::addColumn<QString>("named");
    QTest::newRow("letter") << u"1234a"_s + QString(27, u'5') << 5 << u"'a'"_s;
    QTest::newRow("blank") << u"11 "_s + QString(29, u'5') << 3 << u"' '"_s;
    QTest::newRow("sign") << u"-1"_s + QString(30, u'5') << 1 << u"'-'"_s;
    QTest::newRow("short") << u"123"_s << 4 << u"''"_s;
    QTest::newRow("empty") << QString() << 1 << u"''"_s;
    QTest::newRow("non-ASCII digit") << u"12\u0663"_s + QString(29, u'5') << 3 << u"'\u0663'"_s;
}

void TestProfileCore::badLevelsTextStopsThere()
{
    QFETCH(QString, text);
    QFETCH(int, stop);
    QFETCH(QString, named);
    Profile p;
    p.strToPosShapes(QString(kMarkers, u'6'));
    try {
        p.strToPosShapes(text);
        QFAIL("no error");
    } catch (const KvError &e) {
        QVERIFY2(e.text().startsWith(named), qPrintable(e.text()));
    }
    for (int i = 1; i <= kMarkers; ++i)
        QCOMPARE(p.level(i), i < stop ? text[i - 1].digitValue() : 6);
}

void TestProfileCore::typesText_data()
{
    QTest::addColumn<QString>("types");
    QTest::addColumn<int>("typeOf3");
    QTest::addColumn<QString>("afterChangeOf5");
    QTest::newRow("empty") << QString() << 0 << u"00001000000000000000000000000000"_s;
    QTest::newRow("short") << u"0020"_s << 2 << u"00201000000000000000000000000000"_s;
    QTest::newRow("long") << kExampleTypes + u"33"_s << 2 << u"00202020202000000000030303030300"_s;
    QTest::newRow("non-digit") << u"00x0"_s << 0 << u"00x01000000000000000000000000000"_s;
}

void TestProfileCore::typesText()
{
    QFETCH(QString, types);
    QFETCH(int, typeOf3);
    QFETCH(QString, afterChangeOf5);
    Profile p;
    p.setTypes(types);
    QCOMPARE(p.type(3), typeOf3);
    QCOMPARE(p.type(32), types.size() >= 32 ? types[31].digitValue() : 0);
    // Kept as read until the first type change; middle presses and
    // left presses below level 7 change no type.
    p.movAllShapes(mid(5), 0, Button::Middle);
    p.movAllShapes(mid(5), 300, Button::Left);
    QCOMPARE(p.types(), types);
    if (types.size() > kMarkers) {
        // Marker 5 is of type 2 in the example: a right press makes it 3.
        afterChangeOf5[4] = u'3';
    }
    p.movAllShapes(mid(5), 0, Button::Right);
    QCOMPARE(p.types(), afterChangeOf5);
    // Padding also happens when a left press leaves a marker at level 7.
    Profile q;
    q.setTypes(types.left(3));
    q.iniShape(20, 6);
    q.movAllShapes(mid(20), 0, Button::Left);
    QCOMPARE(q.types().size(), kMarkers);

    QString t = u"12"_s;
    setTipoLimite(t, 3, 10); // not one digit: all reset
    QCOMPARE(t, zeroText());
}

void TestProfileCore::typeLinePixelsOmitEndPoint()
{
    const TypeLine flat{{16, 163}, {32, 163}};
    QList<QPoint> expected;
    for (int x = 16; x < 32; ++x)
        expected << QPoint(x, 163);
    QCOMPARE(flat.pixels(), expected);
    const TypeLine down{{336, 104}, {352, 117}};
    const QList<QPoint> px = down.pixels();
    QCOMPARE(px.size(), 16);
    QVERIFY(!px.contains(QPoint(352, 117)));
    for (qsizetype i = 1; i < px.size(); ++i) {
        QCOMPARE(px[i].x(), px[i - 1].x() + 1);
        QVERIFY(px[i].y() - px[i - 1].y() == 0 || px[i].y() - px[i - 1].y() == 1);
    }
}

void TestProfileCore::link_data()
{
    QTest::addColumn<QString>("link");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("readBack");
    QTest::addColumn<QString>("zipEntry");
    QTest::newRow("own") << u"\\KVS\\MioLago.kvs"_s << u"\\\\KVS\\\\MioLago"_s
                         << u"\\KVS\\MioLago.kvs"_s << u"KVS\\MioLago.kvs"_s;
    QTest::newRow("other case") << u"\\KVS\\MioLago.KVS"_s << u"\\\\KVS\\\\MioLago"_s
                                << u"\\KVS\\MioLago.kvs"_s << u"KVS\\MioLago.KVS"_s;
    QTest::newRow("mixed case") << u"\\kvs\\Lago.Kvs"_s << u"\\\\kvs\\\\Lago"_s
                                << u"\\kvs\\Lago.kvs"_s << u"kvs\\Lago.Kvs"_s;
    QTest::newRow("empty") << QString() << QString() << u".kvs"_s << QString();
    QTest::newRow("only extension") << u".kvs"_s << QString() << u".kvs"_s << u".kvs"_s;
    QTest::newRow("extension inside") << u"\\KVS\\a.kvs.b.kvs"_s << u"\\\\KVS\\\\a.kvs.b"_s
                                      << u"\\KVS\\a.kvs.b.kvs"_s << u"KVS\\a.kvs.b.kvs"_s;
    QTest::newRow("stored with extension")
        << u"\\KVS\\P.kvs.kvs"_s << u"\\\\KVS\\\\P"_s << u"\\KVS\\P.kvs"_s << u"KVS\\P.kvs.kvs"_s;
}

void TestProfileCore::link()
{
    QFETCH(QString, link);
    QFETCH(QString, stored);
    QFETCH(QString, readBack);
    QFETCH(QString, zipEntry);
    QCOMPARE(PresenceLink::encode(link), stored);
    QCOMPARE(PresenceLink::decode(stored), readBack);
    QCOMPARE(PresenceLink::encode(readBack), stored);
    QCOMPARE(PresenceLink::zipEntry(link), zipEntry);
    QCOMPARE(PresenceLink::fromFileName(PresenceLink::fileName(u"\\KVS\\X.kvs"_s)),
             u"\\KVS\\X.kvs"_s);
    QCOMPARE(PresenceLink::fileName(u"a/b\\c.kvs"_s), u"c.kvs"_s);
    // A hand-written file with single backslashes reads the same.
    QCOMPARE(PresenceLink::decode(u"\\KVS\\PesciNord"_s), u"\\KVS\\PesciNord.kvs"_s);
}

QTEST_GUILESS_MAIN(TestProfileCore)
#include "test_profilecore.moc"
