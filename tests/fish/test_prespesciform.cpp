#include "fishtestdata.h"
#include "fishformtest.h"
#include "korvalisappform.h"
#include "prespesciform.h"
#include "valuelistgrid.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <functional>

using namespace Qt::StringLiterals;
using namespace FishTestData;

namespace {

constexpr int kCarpa = 9;  // fresh-water row of CARPA
constexpr int kSpada = 75; // sea row of SPADA
const QByteArray kComment =
    "\r\n; Per ogni pesce impostare la presenza con valore percentuale compreso tra 0 e 100\r\n";

QByteArray presenceFile(const QByteArray &title, bool mare, const std::function<int(int)> &value)
{
    return titleBlock("PRESENZA PESCI: " + title) + kComment
           + (mare ? section("PESCI_MARE", FishTestData::mare(), value)
                   : section("PESCI", dolce(), value));
}

} // namespace

class TestPresPesciForm : public QObject, public FishFormTest<TPresPesciForm>
{
    Q_OBJECT

public:
    TestPresPesciForm()
        : FishFormTest(ItemKind::PresPesci)
    {
    }

private:
    QString kvs() const { return inst->game() + u"Luoghi/KVS/"_s; }
    ValueListGrid *lista() const { return ctl<ValueListGrid>(u"Lista"_s); }
    ValueListGrid *listaMare() const { return ctl<ValueListGrid>(u"ListaMare"_s); }
    QComboBox *tipo() const { return ctl<QComboBox>(u"PresenzaPesciTipoLuogo"_s); }
    void chooseTipo(int index)
    {
        tipo()->setCurrentIndex(index);
        Q_EMIT tipo()->activated(index); // as the user's choice
    }
    // A menu entry and its toolbar button are always enabled together.
    bool enabled(const QString &action, const QString &button) const
    {
        const bool on = ctl<QAction>(action)->isEnabled();
        if (on != ctl<QToolButton>(button)->isEnabled())
            qFatal("%s and its button disagree", qPrintable(action));
        return on;
    }
    bool saveEnabled() const { return enabled(u"Salva"_s, u"ToolButtonSave"_s); }
    bool newOpenEnabled() const
    {
        const bool n = enabled(u"Nuovo"_s, u"ToolButtonNew"_s);
        if (n != enabled(u"Apri"_s, u"ToolButtonOpen"_s))
            qFatal("New and Open disagree");
        return n;
    }

private Q_SLOTS:
    void init() { start(); }
    void cleanup() { finish(); }

    void newListsByteForByte_data();
    void newListsByteForByte();
    void readsSections_data();
    void readsSections();
    void valueReadIsShownUntilEdited();
    void shippedListsAreProtected_data();
    void shippedListsAreProtected();
    void openingShippedListDisablesSave();
    void defaultNamedFileOpensAsNew_data();
    void defaultNamedFileOpensAsNew();
    void showFromLuogoOnMissingName();
    void showFromLuogoFollowsSaveAs();
    void englishStatusBar_data();
    void englishStatusBar();
    void keyboardEditing();
    void typedValueIsSavedWithoutLeavingTheCell_data();
    void typedValueIsSavedWithoutLeavingTheCell();
    void typedValueDoesNotOutliveOpen();
    void cancelledDialogsChangeNothing();
    void englishTexts();
};

void TestPresPesciForm::newListsByteForByte_data()
{
    QTest::addColumn<bool>("english");
    QTest::addColumn<bool>("mare");
    QTest::addColumn<QByteArray>("title");
    QTest::newRow("italian fresh") << false << false << QByteArray("NuovaListaPresenzaPesci.kvs");
    QTest::newRow("italian sea") << false << true << QByteArray("NuovaListaPresenzaPesci.kvs");
    QTest::newRow("english fresh") << true << false << QByteArray("NewFishesFile.kvs");
    QTest::newRow("english sea") << true << true << QByteArray("NewFishesFile.kvs");
}

void TestPresPesciForm::newListsByteForByte()
{
    QFETCH(bool, english);
    QFETCH(bool, mare);
    QFETCH(QByteArray, title);
    start(english);
    QVERIFY(tipo()->isEnabled());
    QCOMPARE(tipo()->currentIndex(), 0);
    QCOMPARE(tipo()->currentText(), english ? u"River or Lake"_s : u"Fiume o Lago"_s);
    QVERIFY(lista()->isVisibleTo(form) && !listaMare()->isVisibleTo(form));
    // Values typed into the grid of the other type are not saved.
    lista()->setValue(kCarpa, u"33"_s);
    listaMare()->setValue(kSpada, u"44"_s);
    chooseTipo(mare ? 1 : 0);
    QCOMPARE(listaMare()->isVisibleTo(form), mare);
    ValueListGrid *grid = mare ? listaMare() : lista();
    grid->setValue(0, u"100"_s);
    grid->setValue(grid->keyCount() - 1, u"5"_s);

    saveAs(kvs() + u"Mia.kvs"_s);
    const auto &req = desk->dialogs.back();
    QCOMPARE(req.fileName, QString::fromLatin1(title));
    QCOMPARE(req.initDir, kvs());
    QCOMPARE(req.filter, u"File Kvs|*.kvs"_s);
    QCOMPARE(req.defExt, u"kvs"_s);
    const int last = mare ? 76 : 53;
    const int edited = mare ? kSpada : kCarpa;
    const int editedValue = mare ? 44 : 33;
    QCOMPARE(TestInstallation::read(kvs() + u"Mia.kvs"_s), presenceFile(title, mare, [&](int i) {
                 return i == 0 ? 100 : i == last ? 5 : i == edited ? editedValue : 0;
             }));
    QCOMPARE(form->GetKVSFileName(), u"Mia.kvs"_s);
    QVERIFY(!tipo()->isEnabled());
    QCOMPARE(tipo()->currentIndex(), mare ? 1 : 0);
    QCOMPARE(listaMare()->isVisibleTo(form), mare);
    QCOMPARE(desk->messages, QStringList());
}

void TestPresPesciForm::readsSections_data()
{
    QTest::addColumn<QByteArray>("content"); // empty: no file
    QTest::addColumn<bool>("mare");
    QTest::addColumn<int>("carpa");
    QTest::addColumn<int>("spada");
    QTest::newRow("fresh") << QByteArray("[PESCI]\r\nCARPA=12\r\n") << false << 12 << 0;
    QTest::newRow("sea") << QByteArray("[pesci_mare]\r\nspada=9\r\n") << true << 0 << 9;
    QTest::newRow("both") << QByteArray("[PESCI_MARE]\r\nSPADA=9\r\n[PESCI]\r\nCARPA=12\r\n")
                          << false << 12 << 9;
    QTest::newRow("empty PESCI") << QByteArray("[PESCI]\r\n\r\n[PESCI_MARE]\r\nSPADA=9\r\n") << true
                                 << 0 << 9;
    QTest::newRow("missing file") << QByteArray() << true << 0 << 0;
}

void TestPresPesciForm::readsSections()
{
    QFETCH(QByteArray, content);
    QFETCH(bool, mare);
    QFETCH(int, carpa);
    QFETCH(int, spada);
    const QString path = inst->dataPath() + u"/elsewhere/Lista.kvs"_s;
    QDir().mkpath(inst->dataPath() + u"/elsewhere"_s);
    if (!content.isEmpty())
        TestInstallation::write(path, content);
    lista()->setValue(1, u"77"_s); // nothing of the previous list remains
    open(path);
    QCOMPARE(desk->dialogs.back().initDir, kvs());
    QCOMPARE(form->GetKVSFileName(), u"Lista.kvs"_s);
    QCOMPARE(tipo()->currentIndex(), mare ? 1 : 0);
    QVERIFY(!tipo()->isEnabled());
    QCOMPARE(listaMare()->isVisibleTo(form), mare);
    QCOMPARE(lista()->isVisibleTo(form), !mare);
    QCOMPARE(lista()->value(kCarpa), QString::number(carpa));
    QCOMPARE(lista()->value(1), u"0"_s);
    QCOMPARE(listaMare()->value(kSpada), QString::number(spada));
    QVERIFY(saveEnabled());

    // Only the section of the list's type is written.
    saveAs(kvs() + u"Lista.kvs"_s);
    QCOMPARE(TestInstallation::read(kvs() + u"Lista.kvs"_s),
             presenceFile("Lista.kvs", mare, [&](int i) {
                 return i == (mare ? kSpada : kCarpa) ? (mare ? spada : carpa) : 0;
             }));
}

void TestPresPesciForm::valueReadIsShownUntilEdited()
{
    TestInstallation::write(kvs() + u"Alta.kvs"_s, "[PESCI]\r\nCARPA=250\r\nTINCA=-4\r\n");
    open(kvs() + u"Alta.kvs"_s);
    QCOMPARE(lista()->value(kCarpa), u"250"_s);
    QCOMPARE(lista()->value(37), u"-4"_s);
    saveAs(kvs() + u"Alta.kvs"_s);
    const auto values = [](int carpa) {
        return [carpa](int i) { return i == kCarpa ? carpa : i == 37 ? -4 : 0; };
    };
    QCOMPARE(TestInstallation::read(kvs() + u"Alta.kvs"_s),
             presenceFile("Alta.kvs", false, values(250)));

    // An edit limits it: the user retypes the value.
    showActive();
    lista()->setFocus();
    lista()->setCurrentCell(kCarpa, 1);
    typeKeys(u"250"_s);
    key(Qt::Key_Return);
    QCOMPARE(lista()->value(kCarpa), u"100"_s);
    saveAs(kvs() + u"Alta.kvs"_s);
    QCOMPARE(TestInstallation::read(kvs() + u"Alta.kvs"_s),
             presenceFile("Alta.kvs", false, values(100)));
}

void TestPresPesciForm::shippedListsAreProtected_data()
{
    QTest::addColumn<bool>("english");
    QTest::addColumn<QString>("target"); // below the data folder
    QTest::newRow("exact") << false << u"Korvalis/Luoghi/KVS/PesciNord.kvs"_s;
    QTest::newRow("upper case") << false << u"Korvalis/Luoghi/KVS/PESCIMAREFOCE.KVS"_s;
    QTest::newRow("lower case, other folder") << false << u"altrove/pescisardegna.kvs"_s;
    QTest::newRow("english") << true << u"Korvalis/Luoghi/KVS/PesciSud.kvs"_s;
}

void TestPresPesciForm::shippedListsAreProtected()
{
    QFETCH(bool, english);
    QFETCH(QString, target);
    start(english);
    const QString path = inst->dataPath() + u'/' + target;
    QDir().mkpath(QFileInfo(path).absolutePath());
    TestInstallation::write(path, "[PESCI]\r\nCARPA=1\r\n");
    lista()->setValue(kCarpa, u"90"_s);
    saveAs(path);
    QCOMPARE(desk->messages,
             QStringList{english
                             ? u"Attention! You can not overwrite the original Korvalis files."_s
                             : u"Attenzione! Non e' possibile sovrascrivere i file rilasciati "
                               u"con Korvalis."_s});
    QCOMPARE(TestInstallation::read(path), QByteArray("[PESCI]\r\nCARPA=1\r\n"));
    QCOMPARE(TestFiles::entries(QFileInfo(path).absolutePath()).size(), 1);
    QCOMPARE(form->GetKVSFileName(),
             english ? u"NewFishesFile.kvs"_s : u"NuovaListaPresenzaPesci.kvs"_s);
    QVERIFY(tipo()->isEnabled());
    QCOMPARE(lista()->value(kCarpa), u"90"_s);
}

void TestPresPesciForm::openingShippedListDisablesSave()
{
    TestInstallation::write(kvs() + u"PesciNord.kvs"_s, "[PESCI]\r\nCARPA=1\r\n");
    TestInstallation::write(kvs() + u"pescinord.KVS"_s, "[PESCI]\r\nCARPA=1\r\n");
    TestInstallation::write(kvs() + u"Mia.kvs"_s, "[PESCI]\r\nCARPA=2\r\n");
    QVERIFY(saveEnabled());
    open(kvs() + u"pescinord.KVS"_s);
    QVERIFY(!saveEnabled());
    open(kvs() + u"Mia.kvs"_s);
    QVERIFY(saveEnabled());
    open(kvs() + u"PesciNord.kvs"_s);
    QVERIFY(!saveEnabled());
    trigger(u"Nuovo"_s);
    QVERIFY(saveEnabled());
    // The main window's opening enables everything again.
    open(kvs() + u"PesciNord.kvs"_s);
    QTimer::singleShot(0, [this] {
        const bool enabled = saveEnabled() && newOpenEnabled();
        form->close();
        QVERIFY(enabled);
    });
    app->KorvalisAppForm().openEditor(ItemKind::PresPesci);
}

void TestPresPesciForm::defaultNamedFileOpensAsNew_data()
{
    QTest::addColumn<bool>("english");
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("asNew");
    QTest::newRow("italian default") << false << u"NuovaListaPresenzaPesci.kvs"_s << true;
    QTest::newRow("english default") << true << u"NewFishesFile.kvs"_s << true;
    QTest::newRow("other language's default") << true << u"NuovaListaPresenzaPesci.kvs"_s << false;
    QTest::newRow("other letter case") << false << u"nuovalistapresenzapesci.kvs"_s << false;
}

void TestPresPesciForm::defaultNamedFileOpensAsNew()
{
    QFETCH(bool, english);
    QFETCH(QString, name);
    QFETCH(bool, asNew);
    start(english);
    TestInstallation::write(kvs() + name, "[PESCI_MARE]\r\nSPADA=9\r\n");
    open(kvs() + name);
    QCOMPARE(tipo()->isEnabled(), asNew);
    QCOMPARE(tipo()->currentIndex(), asNew ? 0 : 1);
    QCOMPARE(lista()->isVisibleTo(form), asNew);
    QCOMPARE(listaMare()->value(kSpada), u"9"_s);
}

void TestPresPesciForm::showFromLuogoOnMissingName()
{
    lista()->setValue(0, u"5"_s);
    bool checked = false;
    QTimer::singleShot(0, [&] {
        const auto check = [&] {
            QVERIFY(form->isVisible());
            QVERIFY(QApplication::activeModalWidget() == form);
            QCOMPARE(form->GetKVSFileName(), u"Nuova.kvs"_s);
            QCOMPARE(tipo()->currentIndex(), 1);
            QVERIFY(!tipo()->isEnabled());
            QVERIFY(listaMare()->isVisible() && !lista()->isVisible());
            QCOMPARE(lista()->value(0), u"0"_s);
            QVERIFY(!newOpenEnabled());
            QVERIFY(saveEnabled());
            listaMare()->setValue(kSpada, u"60"_s);
            saveAs(kvs() + u"Nuova.kvs"_s);
            checked = true;
        };
        check();
        form->close();
    });
    form->ShowFromLuogo(u"Nuova.kvs"_s);
    QVERIFY(checked);
    QCOMPARE(form->GetKVSFileName(), u"Nuova.kvs"_s);
    QCOMPARE(TestInstallation::read(kvs() + u"Nuova.kvs"_s),
             presenceFile("Nuova.kvs", true, [](int i) { return i == kSpada ? 60 : 0; }));
    QCOMPARE(desk->dialogs.back().fileName, u"Nuova.kvs"_s);
}

void TestPresPesciForm::showFromLuogoFollowsSaveAs()
{
    start(true);
    TestInstallation::write(kvs() + u"PesciSud.kvs"_s, "[PESCI]\r\nTINCA=30\r\n");
    QTimer::singleShot(0, [&] {
        const bool shippedSave = saveEnabled();
        // The shipped list is saved under a name of the user's own.
        ctl<QAction>(u"Salva"_s)->setEnabled(true);
        saveAs(kvs() + u"MioSud.kvs"_s);
        form->close();
        QVERIFY(!shippedSave);
    });
    form->ShowFromLuogo(u"PesciSud.kvs"_s);
    QCOMPARE(shownTitle(form), u"Fishes file"_s);
    QCOMPARE(form->GetKVSFileName(), u"MioSud.kvs"_s);
    QCOMPARE(TestInstallation::read(kvs() + u"MioSud.kvs"_s),
             presenceFile("PesciSud.kvs", false, [](int i) { return i == 37 ? 30 : 0; }));
    QCOMPARE(form->GetPathPresenzaPesci(), kvs());
}

void TestPresPesciForm::englishStatusBar_data()
{
    QTest::addColumn<bool>("english");
    QTest::addColumn<bool>("mare");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("shown");
    QTest::newRow("tinca") << true << false << 37 << u"Percentage of fish: Tench"_s;
    QTest::newRow("spada, no name") << true << true << kSpada << u"Percentage of fish: SPADA"_s;
    QTest::newRow("ghiozzo fresh")
        << true << false << 19 << u"Percentage of fish: Freshwater gobiid"_s;
    QTest::newRow("ghiozzo sea") << true << true << 13 << u"Percentage of fish: Common Goby"_s;
    QTest::newRow("italian") << false << false << 37 << QString();
}

void TestPresPesciForm::englishStatusBar()
{
    QFETCH(bool, english);
    QFETCH(bool, mare);
    QFETCH(int, row);
    QFETCH(QString, shown);
    start(english);
    if (mare)
        chooseTipo(1);
    ValueListGrid *grid = mare ? listaMare() : lista();
    auto *status = ctl<QStatusBar>(u"StatusBar"_s);
    status->clearMessage();
    showActive();
    // The user clicks the row's key.
    grid->scrollToItem(grid->item(row, 0));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                      grid->visualItemRect(grid->item(row, 0)).center());
    QCOMPARE(grid->currentRow(), row);
    QCOMPARE(grid->currentColumn(), 1);
    QCOMPARE(status->currentMessage(), shown);
    QCOMPARE(grid->statusTip(), english ? shown : u"Tabella percentuali presenza pesci"_s);
    // Selecting row 1 again, by the program, shows its name too.
    if (english) {
        form->AbilitaLista();
        QCOMPARE(status->currentMessage(),
                 mare ? u"Percentage of fish: Garfish"_s : u"Percentage of fish: Landloked shad"_s);
    }
}

void TestPresPesciForm::keyboardEditing()
{
    showActive();
    ValueListGrid *grid = lista();
    grid->setFocus();
    grid->setCurrentCell(2, 1);
    typeKeys(u"55"_s); // typing replaces the value
    key(Qt::Key_Return);
    QCOMPARE(grid->value(2), u"55"_s);
    QCOMPARE(grid->currentRow(), 3); // and moves down
    typeKeys(u"150"_s);
    key(Qt::Key_Tab);
    QCOMPARE(grid->value(3), u"100"_s);
    QCOMPARE(grid->currentRow(), 4);
    typeKeys(u"abc"_s);
    key(Qt::Key_Tab);
    QCOMPARE(grid->value(4), u"0"_s);
    grid->setCurrentCell(2, 1);
    typeKeys(u"9"_s);
    key(Qt::Key_Escape); // cancels: the value stays
    QCOMPARE(grid->value(2), u"55"_s);
    QVERIFY(form->isVisible()); // Escape ended the edit, not the window
    typeKeys(u"3"_s);
    key(Qt::Key_Backtab); // commits and moves up
    QCOMPARE(grid->value(2), u"3"_s);
    QCOMPARE(grid->currentRow(), 1);
    key(Qt::Key_Return); // outside an edit Enter moves down
    QCOMPARE(grid->currentRow(), 2);
    QCOMPARE(grid->key(2), u"ALOSACHEPPIA"_s);
    QCOMPARE(grid->item(2, 0)->flags() & Qt::ItemIsEditable, Qt::ItemFlags());
}

void TestPresPesciForm::typedValueIsSavedWithoutLeavingTheCell_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("button") << u"button"_s;
    QTest::newRow("ctrl+s") << u"ctrl+s"_s;
    QTest::newRow("menu") << u"menu"_s;
}

void TestPresPesciForm::typedValueIsSavedWithoutLeavingTheCell()
{
    QFETCH(QString, how);
    showActive();
    lista()->setFocus();
    lista()->setCurrentCell(kCarpa, 1);
    typeKeys(u"420"_s);
    QVERIFY(lista()->isEditing());
    QCOMPARE(lista()->value(kCarpa), u"0"_s);
    desk->answerSave(kvs() + u"Mia.kvs"_s);
    if (how == u"button")
        QTest::mouseClick(ctl<QToolButton>(u"ToolButtonSave"_s), Qt::LeftButton);
    else if (how == u"ctrl+s")
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_S, Qt::ControlModifier);
    else
        trigger(u"Salva"_s);
    // The edit is completed as typed, limited like any other.
    QCOMPARE(TestInstallation::read(kvs() + u"Mia.kvs"_s),
             presenceFile("NuovaListaPresenzaPesci.kvs", false,
                          [](int i) { return i == kCarpa ? 100 : 0; }));
    QCOMPARE(lista()->value(kCarpa), u"100"_s);
}

void TestPresPesciForm::typedValueDoesNotOutliveOpen()
{
    TestInstallation::write(kvs() + u"Mia.kvs"_s, "[PESCI]\r\nCARPA=12\r\n");
    showActive();
    lista()->setFocus();
    lista()->setCurrentCell(kCarpa, 1);
    typeKeys(u"77"_s);
    desk->answerQuestion(1);    // what was typed is not saved
    open(kvs() + u"Mia.kvs"_s); // from the menu: the cell keeps the focus
    lista()->setFocus();        // a later focus change must not commit the old text
    QCOMPARE(lista()->value(kCarpa), u"12"_s);
    QVERIFY(!lista()->isEditing());
}

void TestPresPesciForm::cancelledDialogsChangeNothing()
{
    lista()->setValue(kCarpa, u"8"_s);
    for (const QString &entry : {u"Apri"_s, u"Salva"_s}) {
        if (entry == u"Apri"_s)
            desk->answerQuestion(1); // do not save, then cancel the dialog
        desk->cancelNextDialog();
        trigger(entry);
    }
    QCOMPARE(lista()->value(kCarpa), u"8"_s);
    QCOMPARE(form->GetKVSFileName(), u"NuovaListaPresenzaPesci.kvs"_s);
    QVERIFY(tipo()->isEnabled());
    QVERIFY(TestFiles::entries(kvs()).isEmpty());
}

void TestPresPesciForm::englishTexts()
{
    QCOMPARE(shownTitle(form), u"File Presenza Pesci"_s);
    QCOMPARE(lista()->horizontalHeaderItem(1)->text(), u"Presenza (%)"_s);
    QCOMPARE(ctl<QToolButton>(u"ToolButtonNew"_s)->statusTip(), u"Nuovo File Presenza Pesci"_s);
    start(true);
    QCOMPARE(shownTitle(form), u"Fishes file"_s);
    QCOMPARE(ctl<QLabel>(u"Label1"_s)->text(), u"File Name"_s);
    QCOMPARE(ctl<QLabel>(u"Label4"_s)->text(), u"Type"_s);
    QCOMPARE(form->GetKVSFileName(), u"NewFishesFile.kvs"_s);
    QCOMPARE(ctl<QAction>(u"Salva"_s)->text(), u"Save as"_s);
    QCOMPARE(ctl<QAction>(u"Esci"_s)->statusTip(), u"Exit"_s);
    QCOMPARE(ctl<QToolButton>(u"ToolButtonOpen"_s)->statusTip(), u"Open fishes file"_s);
    QCOMPARE(ctl<QAction>(u"Salva"_s)->statusTip(), u"Save fishes file"_s);
    QCOMPARE(tipo()->statusTip(), u"Venue type"_s);
    QCOMPARE(tipo()->itemText(1), u"Sea"_s);
    for (ValueListGrid *grid : {lista(), listaMare()}) {
        QCOMPARE(grid->horizontalHeaderItem(0)->text(), u"Fishes"_s);
        QCOMPARE(grid->horizontalHeaderItem(1)->text(), u"%"_s);
    }
}

QTEST_MAIN(TestPresPesciForm)
#include "test_prespesciform.moc"
