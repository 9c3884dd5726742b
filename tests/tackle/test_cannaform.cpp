#include "cannaform.h"
#include "tackletest.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QToolButton>

using namespace Qt::StringLiterals;

namespace {

struct Rod
{
    QString nome, name, descr, descrEng, foto;
    int colore = 0, rigidita = 1, tipo = 0;
};

// A rod file, byte for byte as the editor writes it.
QByteArray rodFile(const Rod &r)
{
    QStringList l = TackleFixture::head(u"CANNA: "_s + r.nome, u"CANNA"_s);
    l << QString() << u"; Nome della canna (max 32 chr)"_s << u"NOME=\"%1\""_s.arg(r.nome)
      << u"NAME=\"%1\""_s.arg(r.name) << QString() << u"; Descrizione della canna (max 256 chr)"_s
      << u"DESCRIZIONE=\"%1\""_s.arg(r.descr) << u"DESCRIPTION=\"%1\""_s.arg(r.descrEng)
      << QString()
      << u"; Colore della canna (0=bianco, 1=grigio chiaro, 2=grigio scuro, 3=giallo, "
         "4=arancio, 5=rosso, 6=blu, 7=azzurro, 8=turchese, 9=verde chiaro, 10=verde scuro)"_s
      << u"COLORE=%1"_s.arg(r.colore) << QString()
      << u"; Rigidita della canna (1=bassa, 2=media, 3=alta)"_s << u"RIGIDITA=%1"_s.arg(r.rigidita)
      << QString() << u"; Tipo di canna (0=fissa, 1=bolognese, 2=bolentino, 3=spinning)"_s
      << u"TIPO=%1"_s.arg(r.tipo) << QString() << u"; Foto della canna (immagine 75x350 px)"_s
      << u"FILENAMEFOTO=\"%1\""_s.arg(r.foto);
    return TackleFixture::crlf(l);
}

} // namespace

class TestCannaForm : public QObject, public TackleFixture
{
    Q_OBJECT

    QString canne() const { return inst->game() + u"Canne/"_s; }
    void begin(bool english = false) { start(english, ItemKind::Canna); }
    void setTexts(const QString &nome, const QString &descr)
    {
        ctl<QLineEdit>(u"CannaNome"_s)->setText(nome);
        ctl<QPlainTextEdit>(u"CannaDescr"_s)->setPlainText(descr);
    }
    QList<int> selection() const
    {
        return {combo(u"CannaColore"_s)->currentIndex(), combo(u"CannaRigidita"_s)->currentIndex(),
                combo(u"CannaTipo"_s)->currentIndex()};
    }

private Q_SLOTS:
    void init() { begin(); }
    void cleanup() { finish(); }

    void savesExactBytes_data();
    void savesExactBytes();
    void readsAndResaves_data();
    void readsAndResaves();
    void verificaOrderAndMessages_data();
    void verificaOrderAndMessages();
    void englishTexts();
    void noItalianLeftInEnglish();
    void windowLayout();
};

// New values unchanged, then filled lists, in both languages: the same bytes.
void TestCannaForm::savesExactBytes_data()
{
    QTest::addColumn<bool>("english");
    QTest::addColumn<QList<int>>("indexes"); // colour, stiffness, type; empty: New's
    QTest::addColumn<int>("colore");
    QTest::addColumn<int>("rigidita");
    QTest::addColumn<int>("tipo");
    QTest::newRow("new") << false << QList<int>{} << 0 << 1 << 0;
    QTest::newRow("new english") << true << QList<int>{} << 0 << 1 << 0;
    QTest::newRow("filled") << false << QList<int>{8, 2, 2} << 8 << 3 << 2;
    QTest::newRow("filled english") << true << QList<int>{10, 1, 3} << 10 << 2 << 3;
}

void TestCannaForm::savesExactBytes()
{
    QFETCH(bool, english);
    QFETCH(QList<int>, indexes);
    QFETCH(int, colore);
    QFETCH(int, rigidita);
    QFETCH(int, tipo);
    begin(english);
    QCOMPARE(selection(), (QList<int>{0, 0, 0}));
    setTexts(u"Canna àncora"_s, u"Bolognese da 6 m"_s);
    Rod r{u"Canna àncora"_s, QString(), u"Bolognese da 6 m"_s, QString(), u"canna.jpg"_s};
    if (!indexes.isEmpty()) {
        ctl<QLineEdit>(u"CannaNomeEng"_s)->setText(u"Rod"_s);
        ctl<QPlainTextEdit>(u"CannaDescrEng"_s)->setPlainText(u"A rod"_s);
        r.name = u"Rod"_s;
        r.descrEng = u"A rod"_s;
        combo(u"CannaColore"_s)->setCurrentIndex(indexes[0]);
        combo(u"CannaRigidita"_s)->setCurrentIndex(indexes[1]);
        combo(u"CannaTipo"_s)->setCurrentIndex(indexes[2]);
    }
    r.colore = colore;
    r.rigidita = rigidita;
    r.tipo = tipo;
    pickPhoto(makePicture(inst->dataPath() + u"/canna.jpg"_s, QSize(75, 350)));
    saveAs(canne() + u"a.kvn"_s);
    QCOMPARE(desk->dialogs.back().fileName, english ? u"NewRod.kvn"_s : u"NuovaCanna.kvn"_s);
    QCOMPARE(desk->dialogs.back().filter, u"File Kvn|*.kvn"_s);
    QCOMPARE(desk->dialogs.back().defExt, u"kvn"_s);
    QCOMPARE(TestInstallation::read(canne() + u"a.kvn"_s), rodFile(r));
    QVERIFY(QFileInfo::exists(canne() + u"canna.jpg"_s));

    // Read back, the same entries are selected.
    const QList<int> saved = selection();
    ctl<QAction>(u"Nuovo"_s)->trigger();
    open(canne() + u"a.kvn"_s);
    QCOMPARE(selection(), saved);
    QCOMPARE(desk->errors, QStringList());
}

// Stored values outside the lists select nothing and save as the encoding
// of -1; the stiffness is stored one above its index.
void TestCannaForm::readsAndResaves_data()
{
    QTest::addColumn<QByteArray>("keys");
    QTest::addColumn<QList<int>>("selected"); // colour, stiffness, type
    QTest::addColumn<QList<int>>("written");  // COLORE, RIGIDITA, TIPO
    QTest::newRow("every key missing")
        << QByteArray() << QList<int>{0, -1, 0} << QList<int>{0, 0, 0};
    QTest::newRow("stiffness 1") << QByteArray("RIGIDITA=1\r\n") << QList<int>{0, 0, 0}
                                 << QList<int>{0, 1, 0};
    QTest::newRow("stiffness 2, hex")
        << QByteArray("RIGIDITA=$2\r\n") << QList<int>{0, 1, 0} << QList<int>{0, 2, 0};
    QTest::newRow("stiffness 3") << QByteArray("RIGIDITA=3\r\n") << QList<int>{0, 2, 0}
                                 << QList<int>{0, 3, 0};
    QTest::newRow("stiffness 0") << QByteArray("RIGIDITA=0\r\n") << QList<int>{0, -1, 0}
                                 << QList<int>{0, 0, 0};
    QTest::newRow("stiffness 4") << QByteArray("RIGIDITA=4\r\n") << QList<int>{0, -1, 0}
                                 << QList<int>{0, 0, 0};
    QTest::newRow("last entries") << QByteArray("COLORE=10\r\nTIPO=3\r\nRIGIDITA=3\r\n")
                                  << QList<int>{10, 2, 3} << QList<int>{10, 3, 3};
    QTest::newRow("beyond the lists") << QByteArray("COLORE=11\r\nTIPO=4\r\nRIGIDITA=9\r\n")
                                      << QList<int>{-1, -1, -1} << QList<int>{-1, 0, -1};
    QTest::newRow("negative") << QByteArray("COLORE=-1\r\nTIPO=-5\r\nRIGIDITA=-1\r\n")
                              << QList<int>{-1, -1, -1} << QList<int>{-1, 0, -1};
}

void TestCannaForm::readsAndResaves()
{
    QFETCH(QByteArray, keys);
    QFETCH(QList<int>, selected);
    QFETCH(QList<int>, written);
    makePicture(canne() + u"f.bmp"_s, QSize(75, 350));
    TestInstallation::write(canne() + u"r.kvn"_s, "[Canna]\r\n" + keys + "FILENAMEFOTO=f.bmp\r\n");
    open(canne() + u"r.kvn"_s);
    QCOMPARE(desk->errors, QStringList());
    QCOMPARE(selection(), selected);
    QCOMPARE(form->findChild<QLabel *>(u"CannaFileName"_s)->text(), u"r.kvn"_s);
    saveAs(canne() + u"r.kvn"_s);
    // The read defaults of the texts are saved too.
    QCOMPARE(
        TestInstallation::read(canne() + u"r.kvn"_s),
        rodFile({u"Nome Canna"_s, u"Fishing rod name"_s, u"Descrizione Canna"_s,
                 u"Fishing rod description"_s, u"f.bmp"_s, written[0], written[1], written[2]}));
}

void TestCannaForm::verificaOrderAndMessages_data()
{
    QTest::addColumn<bool>("english");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("italian") << false
                             << QStringList{u"Inserire il nome della canna."_s,
                                            u"Inserire la descrizione della canna."_s,
                                            u"Selezionare una foto per la canna."_s};
    QTest::newRow("english") << true
                             << QStringList{u"Fishing rod name not valid."_s,
                                            u"Fishing rod description not valid."_s,
                                            u"Fishing rod image not valid."_s};
}

void TestCannaForm::verificaOrderAndMessages()
{
    QFETCH(bool, english);
    QFETCH(QStringList, expected);
    begin(english);
    ctl<QLineEdit>(u"CannaNomeEng"_s)->setText(u"Rod"_s);
    ctl<QPlainTextEdit>(u"CannaDescrEng"_s)->setPlainText(u"Rod"_s);
    trigger(u"Salva"_s);
    setTexts(u"n"_s, QString());
    trigger(u"Salva"_s);
    setTexts(u"n"_s, u"d"_s);
    trigger(u"Salva"_s);
    QCOMPARE(desk->messages, expected);
    QVERIFY(desk->dialogs.empty());
    // Lists are not checked, even with nothing selected.
    combo(u"CannaRigidita"_s)->setCurrentIndex(-1);
    pickPhoto(makePicture(canne() + u"p.jpg"_s));
    auto *editor = static_cast<TCannaForm *>(form);
    QVERIFY(editor->Verifica());
    QCOMPARE(editor->GetPathCanne(), canne());
}

void TestCannaForm::englishTexts()
{
    // Italian: the rod is feminine in the hints.
    QCOMPARE(ctl<QToolButton>(u"ToolButtonNew"_s)->statusTip(), u"Nuova Canna da Pesca"_s);
    QCOMPARE(ctl<QAction>(u"Nuovo"_s)->statusTip(), u"Nuova Canna da Pesca"_s);
    QCOMPARE(ctl<QAction>(u"Salva"_s)->statusTip(), u"Salva Canna da Pesca"_s);
    QCOMPARE(ctl<QLabel>(u"Label5"_s)->text(), u"Rigidità"_s);
    QCOMPARE(shownTitle(form), u"Canna da Pesca"_s);

    begin(true);
    const QStringList seen{shownTitle(form),
                           ctl<QLabel>(u"CannaFileName"_s)->text(),
                           ctl<QLabel>(u"Label4"_s)->text(),
                           ctl<QLabel>(u"Label5"_s)->text(),
                           ctl<QLabel>(u"Label6"_s)->text(),
                           ctl<QLabel>(u"Label7"_s)->text(),
                           ctl<QToolButton>(u"ToolButtonNew"_s)->statusTip(),
                           ctl<QAction>(u"Apri"_s)->statusTip(),
                           ctl<QToolButton>(u"ToolButtonSave"_s)->statusTip(),
                           ctl<QComboBox>(u"CannaRigidita"_s)->statusTip(),
                           ctl<QToolButton>(u"SpeedButtonOpenFoto"_s)->statusTip(),
                           ctl<QLineEdit>(u"CannaNomeEng"_s)->statusTip(),
                           ctl<QPlainTextEdit>(u"CannaDescr"_s)->statusTip(),
                           combo(u"CannaColore"_s)->currentText(),
                           combo(u"CannaTipo"_s)->itemText(0),
                           combo(u"CannaRigidita"_s)->itemText(2)};
    QCOMPARE(seen,
             (QStringList{u"Fishing rod"_s, u"NewRod.kvn"_s, u"Color"_s, u"Power"_s, u"Type"_s,
                          u"Image (75x350)"_s, u"New fishing rod"_s, u"Open fishing rod"_s,
                          u"Save fishing rod"_s, u"Fishing rod power"_s,
                          u"Select the fishing rod image"_s, u"Fishing rod name (max 32 chr)"_s,
                          u"Fishing rod description (max 256 chr)"_s, u"White"_s, u"Telescopic"_s,
                          u"High"_s}));
    QCOMPARE(combo(u"CannaColore"_s)->count(), 11);
}

void TestCannaForm::noItalianLeftInEnglish()
{
    const QStringList italian = visibleTexts(form);
    begin(true);
    QStringList leftovers;
    for (const QString &t : visibleTexts(form))
        if (italian.contains(t))
            leftovers << t;
    QCOMPARE(leftovers, (QStringList{u"File"_s, u"Bolognese"_s, u"Spinning"_s}));
}

void TestCannaForm::windowLayout()
{
    pickPhoto(makePicture(canne() + u"p.jpg"_s, QSize(75, 350)));
    checkFrame(QSize(550, 351), QPoint(150, 140));
    // The tall photo stands right of the name tabs.
    const QRect tabs = ctl<QWidget>(u"PageControlDescr"_s)->geometry();
    const QRect photo = ctl<QWidget>(u"CannaBevelFoto"_s)->geometry();
    QCOMPARE(ctl<QWidget>(u"CannaFoto"_s)->size(), QSize(50, 240));
    QVERIFY(photo.left() > tabs.right());
    QVERIFY(photo.top() <= tabs.top() + tabs.height());
}

QTEST_MAIN(TestCannaForm)
#include "test_cannaform.moc"
