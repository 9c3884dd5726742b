#include "fishlists.h"
#include "fishtestdata.h"
#include "inireader.h"

#include <QRegularExpression>
#include <QTest>

using namespace Qt::StringLiterals;

class TestFishLists : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void listsInGameOrder();
    void traduciPesce_data();
    void traduciPesce();
    void limitaPerc_data();
    void limitaPerc();
    void pasturaLetters_data();
    void pasturaLetters();
    void durata_data();
    void durata();
    void presenceSectionChoice_data();
    void presenceSectionChoice();
    void shippedLists_data();
    void shippedLists();
};

void TestFishLists::listsInGameOrder()
{
    QCOMPARE(speciesKeys(Acqua::Dolce), FishTestData::dolce());
    QCOMPARE(speciesKeys(Acqua::Mare), FishTestData::mare());
    QCOMPARE(speciesKeys(Acqua::Dolce).size(), 54);
    QCOMPARE(speciesKeys(Acqua::Mare).size(), 77);
    QCOMPARE(speciesSection(Acqua::Dolce), u"PESCI"_s);
    QCOMPARE(speciesSection(Acqua::Mare), u"PESCI_MARE"_s);
    static const QRegularExpression keyShape(u"^[A-Z]{4,16}$"_s);
    for (Acqua a : {Acqua::Dolce, Acqua::Mare}) {
        const QStringList &keys = speciesKeys(a);
        QCOMPARE(QSet<QString>(keys.cbegin(), keys.cend()).size(), keys.size());
        // Rows 1 to 44 are alphabetical and named, the later ones unnamed.
        QVERIFY(std::is_sorted(keys.cbegin(), keys.cbegin() + 44));
        const QStringList english =
            a == Acqua::Mare ? FishTestData::englishMare() : FishTestData::englishDolce();
        for (qsizetype i = 0; i < keys.size(); ++i) {
            QVERIFY2(keyShape.match(keys[i]).hasMatch(), qPrintable(keys[i]));
            QCOMPARE(englishSpeciesName(keys[i], a), english.value(i));
        }
    }
}

void TestFishLists::traduciPesce_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<bool>("inglese");
    QTest::addColumn<int>("acqua");
    QTest::addColumn<QString>("shown");
    const int d = int(Acqua::Dolce);
    const int m = int(Acqua::Mare);
    QTest::newRow("italian known") << u"TINCA"_s << false << d << u"TINCA"_s;
    QTest::newRow("italian unknown") << u"carpa"_s << false << d << u"carpa"_s;
    QTest::newRow("agone") << u"AGONE"_s << true << d << u"Landloked shad"_s;
    QTest::newRow("zerro") << u"ZERRO"_s << true << m << u"Pickarel guetteur"_s;
    QTest::newRow("anguilla fresh") << u"ANGUILLA"_s << true << d << u"ANGUILLA"_s;
    QTest::newRow("anguilla sea") << u"ANGUILLA"_s << true << m << u"ANGUILLA"_s;
    QTest::newRow("verdesca") << u"VERDESCA"_s << true << m << u"VERDESCA"_s;
    QTest::newRow("empty") << QString() << true << d << QString();
    QTest::newRow("lower case") << u"carpa"_s << true << d << u"carpa"_s;
    QTest::newRow("not a key") << u"CARPA "_s << true << d << u"CARPA "_s;
    // Each grid names GHIOZZO from its own list.
    QTest::newRow("ghiozzo fresh") << u"GHIOZZO"_s << true << d << u"Freshwater gobiid"_s;
    QTest::newRow("ghiozzo sea") << u"GHIOZZO"_s << true << m << u"Common Goby"_s;
    // A sea name is not given to a key of the other list.
    QTest::newRow("sea key, fresh list") << u"ZERRO"_s << true << d << u"ZERRO"_s;
}

void TestFishLists::traduciPesce()
{
    QFETCH(QString, key);
    QFETCH(bool, inglese);
    QFETCH(int, acqua);
    QFETCH(QString, shown);
    QCOMPARE(TraduciPesce(key, inglese, Acqua(acqua)), shown);
}

void TestFishLists::limitaPerc_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("kept");
    QTest::newRow("in range") << u"42"_s << u"42"_s;
    QTest::newRow("above") << u"150"_s << u"100"_s;
    QTest::newRow("negative") << u"-3"_s << u"0"_s;
    QTest::newRow("letters") << u"abc"_s << u"0"_s;
    QTest::newRow("leading zeros") << u"007"_s << u"7"_s;
    QTest::newRow("empty") << QString() << u"0"_s;
    QTest::newRow("blanks") << u" 12 "_s << u"12"_s;
    QTest::newRow("decimal") << u"12.5"_s << u"0"_s;
    QTest::newRow("huge") << u"99999999999"_s << u"0"_s;
    QTest::newRow("bounds") << u"100"_s << u"100"_s;
}

void TestFishLists::limitaPerc()
{
    QFETCH(QString, typed);
    QFETCH(QString, kept);
    QCOMPARE(LimitaPerc(typed), kept);
}

void TestFishLists::pasturaLetters_data()
{
    QTest::addColumn<QString>("si");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("kept");
    QTest::addColumn<int>("stored");
    QTest::newRow("it s") << u"S"_s << u"s"_s << u"S"_s << 1;
    QTest::newRow("it n") << u"S"_s << u"n"_s << u"N"_s << 0;
    QTest::newRow("it Y") << u"S"_s << u"Y"_s << u"N"_s << 0;
    QTest::newRow("it si") << u"S"_s << u"si"_s << u"N"_s << 0;
    QTest::newRow("it empty") << u"S"_s << QString() << u"N"_s << 0;
    QTest::newRow("en y") << u"Y"_s << u"y"_s << u"Y"_s << 1;
    QTest::newRow("en S") << u"Y"_s << u"S"_s << u"N"_s << 0;
}

void TestFishLists::pasturaLetters()
{
    QFETCH(QString, si);
    QFETCH(QString, typed);
    QFETCH(QString, kept);
    QFETCH(int, stored);
    const QString no = u"N"_s;
    QCOMPARE(validaPastura(typed, si, no), kept);
    QCOMPARE(CodificaPastura(kept, no), stored);
    QCOMPARE(DecodificaPastura(stored, si, no), kept);
    // Saving reads any text but the "no" letter as attracted.
    QCOMPARE(CodificaPastura(u"n"_s, no), 0);
    QCOMPARE(CodificaPastura(u"?"_s, no), 1);
    for (int v : {1, 5, -1, 2147483647})
        QCOMPARE(DecodificaPastura(v, si, no), si);
}

void TestFishLists::durata_data()
{
    QTest::addColumn<int>("seconds");
    QTest::addColumn<QString>("text");
    QTest::newRow("0") << 0 << u"0:00 min"_s;
    QTest::newRow("9") << 9 << u"0:09 min"_s;
    QTest::newRow("75") << 75 << u"1:15 min"_s;
    QTest::newRow("300") << 300 << u"5:00 min"_s;
    QTest::newRow("3599") << 3599 << u"59:59 min"_s;
    QTest::newRow("3600") << 3600 << u"60:00 min"_s;
}

void TestFishLists::durata()
{
    QFETCH(int, seconds);
    QFETCH(QString, text);
    QCOMPARE(durataText(seconds), text);
}

void TestFishLists::presenceSectionChoice_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<bool>("fresh");
    QTest::addColumn<int>("carpa");
    QTest::addColumn<int>("spada");
    QTest::newRow("fresh") << QByteArray("[PESCI]\r\nCARPA=250\r\n") << true << 250 << 0;
    QTest::newRow("sea") << QByteArray("[PESCI_MARE]\r\nSPADA=7\r\n") << false << 0 << 7;
    QTest::newRow("both") << QByteArray("[PESCI_MARE]\r\nSPADA=7\r\n[PESCI]\r\nCARPA=5\r\n") << true
                          << 5 << 7;
    QTest::newRow("empty PESCI") << QByteArray(
        "[PESCI]\r\n; nothing\r\n[PESCI_MARE]\r\nSPADA=1\r\n")
                                 << false << 0 << 1;
    QTest::newRow("PESCI without '='") << QByteArray("[PESCI]\r\nCARPA\r\n") << false << 0 << 0;
    QTest::newRow("other key only") << QByteArray("[pesci]\r\nbalena=3\r\n") << true << 0 << 0;
    QTest::newRow("nothing") << QByteArray() << false << 0 << 0;
    QTest::newRow("bad numbers") << QByteArray("[PESCI]\r\nCARPA=tanta\r\nTINCA=0x10\r\n") << true
                                 << 0 << 0;
}

void TestFishLists::presenceSectionChoice()
{
    QFETCH(QByteArray, file);
    QFETCH(bool, fresh);
    QFETCH(int, carpa);
    QFETCH(int, spada);
    const PresenzaPesci p = readPresenzaPesci(IniProfile::fromBytes(file));
    QCOMPARE(p.tipo == Acqua::Dolce, fresh);
    QCOMPARE(p.dolce.size(), std::size_t(54));
    QCOMPARE(p.mare.size(), std::size_t(77));
    QCOMPARE(p.dolce[9], carpa);
    QCOMPARE(p.mare[75], spada);
}

void TestFishLists::shippedLists_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("shipped");
    QTest::newRow("exact") << u"PesciNord.kvs"_s << true;
    QTest::newRow("upper") << u"PESCIMARESCOGLIARTIFICIALI.KVS"_s << true;
    QTest::newRow("lower, folder") << u"/tmp/x/pescisud.kvs"_s << true;
    QTest::newRow("windows folder") << u"C:\\Giochi\\PesciAlpi.kvs"_s << true;
    QTest::newRow("own list") << u"PesciMiei.kvs"_s << false;
    QTest::newRow("without extension") << u"PesciNord"_s << false;
    QTest::newRow("folder named like one") << u"PesciNord.kvs/mia.kvs"_s << false;
}

void TestFishLists::shippedLists()
{
    QFETCH(QString, name);
    QFETCH(bool, shipped);
    QCOMPARE(isShippedPresenceList(name), shipped);
}

QTEST_APPLESS_MAIN(TestFishLists)
#include "test_fishlists.moc"
