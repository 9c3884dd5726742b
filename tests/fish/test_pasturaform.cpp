#include "fishtestdata.h"
#include "fishformtest.h"
#include "pasturaform.h"
#include "valuelistgrid.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSlider>
#include <QStatusBar>
#include <QTest>
#include <QToolButton>

#include <functional>
#include <set>

using namespace Qt::StringLiterals;
using namespace FishTestData;

namespace {

constexpr int kCarpa = 9;  // fresh-water row
constexpr int kTinca = 37; // fresh-water row
constexpr int kSpada = 75; // sea row

// A groundbait file; `dolce` and `mare` list the attracted rows.
QByteArray groundbait(const QByteArray &nome, const QByteArray &name, const QByteArray &descr,
                      const QByteArray &descrEng, int secondi, const std::set<int> &dolceRows,
                      const std::set<int> &mareRows)
{
    return titleBlock("PASTURA: " + nome) + "\r\n[PASTURA]\r\n"
           + "\r\n; Nome della pastura (max 32 chr)\r\nNOME=\"" + nome + "\"\r\nNAME=\"" + name
           + "\"\r\n" + "\r\n; Descrizione della pastura (max 256 chr)\r\nDESCRIZIONE=\"" + descr
           + "\"\r\nDESCRIPTION=\"" + descrEng + "\"\r\n"
           + "\r\n; Tempo di efficacia della pastura in acqua. In secondi, es. 300=5 minuti (min "
             "0, "
             "max 3600)\r\nSECONDI="
           + QByteArray::number(secondi) + "\r\n"
           + "\r\n; Tabelle pesci attratti dalla pastura: 0=pesce non attratto, 1=pesce "
             "attratto\r\n"
           + section("PESCI", dolce(), [&](int i) { return int(dolceRows.count(i)); })
           + section("PESCI_MARE", mare(), [&](int i) { return int(mareRows.count(i)); });
}

} // namespace

class TestPasturaForm : public QObject, public FishFormTest<TPasturaForm>
{
    Q_OBJECT

public:
    TestPasturaForm()
        : FishFormTest(ItemKind::Pastura)
    {
    }

private:
    QString pasture() const { return inst->game() + u"Pasture/"_s; }
    ValueListGrid *lista() const { return ctl<ValueListGrid>(u"PasturaLista"_s); }
    ValueListGrid *listaMare() const { return ctl<ValueListGrid>(u"PasturaListaMare"_s); }
    QSlider *durata() const { return ctl<QSlider>(u"PasturaDurata"_s); }
    QString readOut() const { return ctl<QLabel>(u"PasturaValDurata"_s)->text(); }
    void fill(const QString &nome, const QString &descr, int seconds)
    {
        ctl<QLineEdit>(u"PasturaNome"_s)->setText(nome);
        ctl<QPlainTextEdit>(u"PasturaDescr"_s)->setPlainText(descr);
        durata()->setValue(seconds);
    }

private Q_SLOTS:
    void init() { start(); }
    void cleanup() { finish(); }

    void wholeFileInBothLanguages_data();
    void wholeFileInBothLanguages();
    void lettersAcrossLanguages();
    void typedLetters_data();
    void typedLetters();
    void duration_data();
    void duration();
    void verificaOrder_data();
    void verificaOrder();
    void zipExportPacksTheFileOfTheSameName();
    void englishStatusBar_data();
    void englishStatusBar();
    void typedLetterIsSavedWithoutLeavingTheCell_data();
    void typedLetterIsSavedWithoutLeavingTheCell();
    void englishTexts();
};

void TestPasturaForm::wholeFileInBothLanguages_data()
{
    QTest::addColumn<bool>("english");
    QTest::addColumn<QString>("si");
    QTest::newRow("italian") << false << u"S"_s;
    QTest::newRow("english") << true << u"Y"_s;
}

void TestPasturaForm::wholeFileInBothLanguages()
{
    QFETCH(bool, english);
    QFETCH(QString, si);
    start(english);
    QCOMPARE(form->valoreSi(), si);
    QCOMPARE(lista()->values(), QStringList(54, u"N"_s));
    QCOMPARE(listaMare()->values(), QStringList(77, u"N"_s));
    fill(u"Pastura al formaggio"_s, u"Per carpe e tinche"_s, 300);
    ctl<QLineEdit>(u"PasturaNomeEng"_s)->setText(u"Cheese groundbait"_s);
    lista()->setValue(kCarpa, si);
    lista()->setValue(53, si);
    listaMare()->setValue(0, si);
    listaMare()->setValue(kSpada, si);
    saveAs(pasture() + u"Formaggio.kvt"_s);
    const auto &req = desk->dialogs.back();
    QCOMPARE(req.fileName, english ? u"NewGroundbait.kvt"_s : u"NuovaPastura.kvt"_s);
    QCOMPARE(req.initDir, pasture());
    QCOMPARE(req.filter, u"File Kvt|*.kvt"_s);
    QCOMPARE(req.defExt, u"kvt"_s);
    QCOMPARE(TestInstallation::read(pasture() + u"Formaggio.kvt"_s),
             groundbait("Pastura al formaggio", "Cheese groundbait", "Per carpe e tinche", "", 300,
                        {kCarpa, 53}, {0, kSpada}));
    QCOMPARE(form->fileNameLabel(), u"Formaggio.kvt"_s);
    QCOMPARE(desk->messages, QStringList());
}

void TestPasturaForm::lettersAcrossLanguages()
{
    // Any number but 0 is attracted, and is written back as 1.
    for (bool english : {false, true}) {
        start(english);
        TestInstallation::write(pasture() + u"Mista.kvt"_s,
                                "[PASTURA]\r\nNOME=Mista\r\nDESCRIZIONE=d\r\nSECONDI=60\r\n"
                                "[PESCI]\r\nCARPA=5\r\nTINCA=0\r\nAGONE=x\r\n"
                                "[PESCI_MARE]\r\nSPADA=-1\r\n");
        open(pasture() + u"Mista.kvt"_s);
        const QString si = english ? u"Y"_s : u"S"_s;
        QStringList dolceCells(54, u"N"_s);
        dolceCells[kCarpa] = si;
        QCOMPARE(lista()->values(), dolceCells);
        QCOMPARE(listaMare()->value(kSpada), si);
        QCOMPARE(listaMare()->value(0), u"N"_s);
        QCOMPARE(ctl<QLineEdit>(u"PasturaNomeEng"_s)->text(), u"Groundbait name"_s);
        QCOMPARE(ctl<QPlainTextEdit>(u"PasturaDescrEng"_s)->toPlainText(),
                 u"Groundbait Description"_s);
        saveAs(pasture() + u"Mista.kvt"_s);
        QCOMPARE(TestInstallation::read(pasture() + u"Mista.kvt"_s),
                 groundbait("Mista", "Groundbait name", "d", "Groundbait Description", 60, {kCarpa},
                            {kSpada}));
    }
}

void TestPasturaForm::typedLetters_data()
{
    QTest::addColumn<bool>("english");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("kept");
    QTest::newRow("it s") << false << u"s"_s << u"S"_s;
    QTest::newRow("it n") << false << u"n"_s << u"N"_s;
    QTest::newRow("it y") << false << u"y"_s << u"N"_s;
    QTest::newRow("it si") << false << u"si"_s << u"N"_s;
    QTest::newRow("en y") << true << u"y"_s << u"Y"_s;
    QTest::newRow("en s") << true << u"s"_s << u"N"_s;
}

void TestPasturaForm::typedLetters()
{
    QFETCH(bool, english);
    QFETCH(QString, typed);
    QFETCH(QString, kept);
    start(english);
    showActive();
    for (ValueListGrid *grid : {lista(), listaMare()}) {
        grid->setFocus();
        grid->setCurrentCell(kTinca, 1);
        grid->setValue(kTinca, english ? u"Y"_s : u"S"_s);
        typeKeys(typed);
        key(Qt::Key_Return);
        QCOMPARE(grid->value(kTinca), kept);
    }
}

void TestPasturaForm::duration_data()
{
    QTest::addColumn<QByteArray>("stored"); // empty: no key
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("shown");
    QTest::newRow("300") << QByteArray("300") << 300 << u"5:00 min"_s;
    QTest::newRow("75") << QByteArray("75") << 75 << u"1:15 min"_s;
    QTest::newRow("5000") << QByteArray("5000") << 3600 << u"60:00 min"_s;
    QTest::newRow("negative") << QByteArray("-20") << 0 << u"0:00 min"_s;
    QTest::newRow("missing") << QByteArray() << 0 << u"0:00 min"_s;
    QTest::newRow("not a number") << QByteArray("tanto") << 0 << u"0:00 min"_s;
}

void TestPasturaForm::duration()
{
    QFETCH(QByteArray, stored);
    QFETCH(int, position);
    QFETCH(QString, shown);
    QCOMPARE(readOut(), u"0:00 min"_s);
    durata()->setValue(1234); // the previous item's duration
    QCOMPARE(readOut(), u"20:34 min"_s);
    TestInstallation::write(pasture() + u"d.kvt"_s,
                            stored.isEmpty() ? QByteArray("[PASTURA]\r\n")
                                             : "[PASTURA]\r\nSECONDI=" + stored + "\r\n");
    open(pasture() + u"d.kvt"_s);
    QCOMPARE(durata()->value(), position);
    QCOMPARE(readOut(), shown);
    QCOMPARE(durata()->maximum(), 3600);
    QCOMPARE(durata()->tickInterval(), 300);
}

void TestPasturaForm::verificaOrder_data()
{
    QTest::addColumn<bool>("english");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("italian") << false
                             << QStringList{
                                    u"Inserire il nome della pastura."_s,
                                    u"Inserire la descrizione della pastura."_s,
                                    u"La durata della pastura deve essere maggiore di 0."_s};
    QTest::newRow("english") << true
                             << QStringList{u"Groundbait name not valid."_s,
                                            u"Groundbait description not valid."_s,
                                            u"Duration time must be greater then 0."_s};
}

void TestPasturaForm::verificaOrder()
{
    QFETCH(bool, english);
    QFETCH(QStringList, expected);
    start(english);
    durata()->setValue(0);
    trigger(u"Salva"_s);
    ctl<QLineEdit>(u"PasturaNome"_s)->setText(u"P"_s);
    trigger(u"Salva"_s);
    ctl<QPlainTextEdit>(u"PasturaDescr"_s)->setPlainText(u"D"_s);
    trigger(u"Salva"_s); // the file's "min 0" notwithstanding
    QCOMPARE(desk->messages, expected);
    QVERIFY(desk->dialogs.empty());
    durata()->setValue(1);
    QVERIFY(form->Verifica());
}

void TestPasturaForm::zipExportPacksTheFileOfTheSameName()
{
    const QString elsewhere = inst->dataPath() + u"/altrove/"_s;
    QDir().mkpath(elsewhere);
    TestInstallation::write(elsewhere + u"Mia.KVT"_s, "[PASTURA]\r\nNOME=altrove\r\n");
    open(elsewhere + u"Mia.KVT"_s);
    TestInstallation::write(pasture() + u"Mia.KVT"_s, "[PASTURA]\r\nNOME=qui\r\n");
    desk->answerSave(inst->game() + u"Mia.zip"_s);
    trigger(u"Zip1"_s);
    const auto &req = desk->dialogs.back();
    QCOMPARE(req.fileName, u"Mia"_s);
    QCOMPARE(req.initDir, inst->game());
    QCOMPARE(req.filter, u"File Zip|*.zip"_s);
    QCOMPARE(desk->processes.size(), std::size_t(1));
    // Only the groundbait file, from the groundbait folder.
    QCOMPARE(desk->processes.back().workDir + u'/', pasture());
    QCOMPARE(desk->processes.back().args.mid(desk->processes.back().args.indexOf(u"--"_s) + 1),
             QStringList{u"./Mia.KVT"_s});

    desk->answerOpen(inst->game() + u"Mia.zip"_s);
    trigger(u"Unzip1"_s);
    QCOMPARE(desk->dialogs.back().initDir, inst->game());
    // zip never ran: the archive cannot be listed and is not unpacked.
    QCOMPARE(desk->processes.size(), std::size_t(1));
    QVERIFY(desk->messages.last().contains(u"Mia.zip"_s));
    QCOMPARE(ctl<QLineEdit>(u"PasturaNome"_s)->text(), u"altrove"_s);
}

void TestPasturaForm::englishStatusBar_data()
{
    QTest::addColumn<bool>("english");
    QTest::addColumn<bool>("mare");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("shown");
    QTest::newRow("aguglia") << true << true << 0 << u"Saltwater fish: Garfish"_s;
    QTest::newRow("tinca") << true << false << kTinca << u"Freshwater fish: Tench"_s;
    QTest::newRow("ghiozzo fresh")
        << true << false << 19 << u"Freshwater fish: Freshwater gobiid"_s;
    QTest::newRow("ghiozzo sea") << true << true << 13 << u"Saltwater fish: Common Goby"_s;
    QTest::newRow("anguilla, no name") << true << true << 44 << u"Saltwater fish: ANGUILLA"_s;
    QTest::newRow("italian") << false << true << 0 << QString();
}

void TestPasturaForm::englishStatusBar()
{
    QFETCH(bool, english);
    QFETCH(bool, mare);
    QFETCH(int, row);
    QFETCH(QString, shown);
    start(english);
    ValueListGrid *grid = mare ? listaMare() : lista();
    grid->setCurrentCell(row == 0 ? 1 : 0, 1); // so that the row below really changes
    auto *status = ctl<QStatusBar>(u"StatusBar"_s);
    status->clearMessage();
    showActive();
    grid->scrollToItem(grid->item(row, 1));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                      grid->visualItemRect(grid->item(row, 1)).center());
    QCOMPARE(grid->currentRow(), row);
    QCOMPARE(status->currentMessage(), shown);
}

void TestPasturaForm::typedLetterIsSavedWithoutLeavingTheCell_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("button") << u"button"_s;
    QTest::newRow("ctrl+s") << u"ctrl+s"_s;
    QTest::newRow("menu") << u"menu"_s;
}

void TestPasturaForm::typedLetterIsSavedWithoutLeavingTheCell()
{
    QFETCH(QString, how);
    fill(u"P"_s, u"D"_s, 60);
    showActive();
    listaMare()->setFocus();
    listaMare()->setCurrentCell(kSpada, 1);
    typeKeys(u"s"_s);
    QVERIFY(listaMare()->isEditing());
    desk->answerSave(pasture() + u"P.kvt"_s);
    if (how == u"button")
        QTest::mouseClick(ctl<QToolButton>(u"ToolButtonSave"_s), Qt::LeftButton);
    else if (how == u"ctrl+s")
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_S, Qt::ControlModifier);
    else
        trigger(u"Salva"_s);
    QCOMPARE(TestInstallation::read(pasture() + u"P.kvt"_s),
             groundbait("P", "", "D", "", 60, {}, {kSpada}));
    QCOMPARE(listaMare()->value(kSpada), u"S"_s);
}

void TestPasturaForm::englishTexts()
{
    QCOMPARE(ctl<QToolButton>(u"ToolButtonNew"_s)->statusTip(), u"Nuova Pastura"_s);
    QCOMPARE(ctl<QAction>(u"Apri"_s)->statusTip(), u"Apri Pastura"_s);
    QCOMPARE(lista()->horizontalHeaderItem(0)->text(), u"Pesce (acqua dolce)"_s);
    QCOMPARE(listaMare()->horizontalHeaderItem(0)->text(), u"Pesce (acqua maritt.)"_s);
    QCOMPARE(listaMare()->horizontalHeaderItem(1)->text(), u"Attratto (S/N)"_s);
    QCOMPARE(listaMare()->statusTip(), u"Tabelle pesci d'acqua marittima attratti dalla pastura"_s);
    start(true);
    QCOMPARE(shownTitle(form), u"Groundbait"_s);
    QCOMPARE(form->fileNameLabel(), u"NewGroundbait.kvt"_s);
    QCOMPARE(ctl<QLabel>(u"Label10"_s)->text(), u"Durat. (min)"_s);
    QCOMPARE(ctl<QLabel>(u"Label4"_s)->text(), u"Fishes"_s);
    QCOMPARE(ctl<QToolButton>(u"ToolButtonNew"_s)->statusTip(), u"New groundbait"_s);
    QCOMPARE(ctl<QAction>(u"Salva"_s)->statusTip(), u"Save groundbait"_s);
    QCOMPARE(durata()->statusTip(), u"Duration time for the groundbait"_s);
    QCOMPARE(ctl<QLineEdit>(u"PasturaNomeEng"_s)->statusTip(), u"Groundbait name (max 32 chr)"_s);
    QCOMPARE(lista()->horizontalHeaderItem(0)->text(), u"Freshwater fishes"_s);
    QCOMPARE(listaMare()->horizontalHeaderItem(0)->text(), u"Saltwater fishes"_s);
    QCOMPARE(lista()->horizontalHeaderItem(1)->text(), u"Attract (Y/N)"_s);
    QCOMPARE(readOut(), u"0:00 min"_s);
}

QTEST_MAIN(TestPasturaForm)
#include "test_pasturaform.moc"
