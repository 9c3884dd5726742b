#include "valuetext.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestValueText : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void readOuts_data();
    void readOuts();
    void followsTheDefaultLocale();
};

void TestValueText::readOuts_data()
{
    QTest::addColumn<bool>("weight");
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("comma");
    QTest::addColumn<QString>("point");
    const auto row = [](const char *name, bool weight, int value, const QString &comma) {
        QString point = comma;
        point.replace(u',', u'.');
        QTest::newRow(name) << weight << value << comma << point;
    };
    row("weight 1", true, 1, u"0,01 gr"_s);
    row("weight 7", true, 7, u"0,07 gr"_s);
    row("weight 20", true, 20, u"0,2 gr"_s);
    row("weight 125", true, 125, u"1,25 gr"_s);
    row("weight 150", true, 150, u"1,5 gr"_s);
    row("weight 200", true, 200, u"2 gr"_s);
    row("weight 333", true, 333, u"3,33 gr"_s);
    row("weight 1550", true, 1550, u"15,5 gr"_s);
    row("weight 12000", true, 12000, u"120 gr"_s);
    row("weight 19999", true, 19999, u"199,99 gr"_s);
    row("weight 20000", true, 20000, u"200 gr"_s);
    row("weight 0", true, 0, u"0 gr"_s);
    row("depth 0", false, 0, u"0 cm"_s);
    row("depth 99", false, 99, u"99 cm"_s);
    row("depth 100", false, 100, u"1 mt"_s);
    row("depth 150", false, 150, u"1,5 mt"_s);
    row("depth 1001", false, 1001, u"10,01 mt"_s);
    row("depth 10000", false, 10000, u"100 mt"_s);
}

void TestValueText::readOuts()
{
    QFETCH(bool, weight);
    QFETCH(int, value);
    QFETCH(QString, comma);
    QFETCH(QString, point);
    const QLocale italian(QLocale::Italian, QLocale::Italy);
    const QLocale c(QLocale::C);
    QCOMPARE(weight ? weightText(value, italian) : distanceText(value, italian), comma);
    QCOMPARE(weight ? weightText(value, c) : distanceText(value, c), point);
}

void TestValueText::followsTheDefaultLocale()
{
    // No digit grouping, whatever the locale groups.
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    QCOMPARE(formatGeneral(1234.5), u"1234,5"_s);
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    QCOMPARE(formatGeneral(1234.5), u"1234.5"_s);
    QCOMPARE(weightText(1550), u"15.5 gr"_s);
}

QTEST_MAIN(TestValueText)
#include "test_valuetext.moc"
