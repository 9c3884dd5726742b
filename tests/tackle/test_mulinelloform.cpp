#include "mulinelloform.h"
#include "tackletest.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QSlider>
#include <QToolButton>

using namespace Qt::StringLiterals;

namespace {

struct Reel
{
    QString nome, name, descr, descrEng, foto;
    int rapporto = 30, min = 100, max = 350;
};

// A reel file, byte for byte as the editor writes it.
QByteArray reelFile(const Reel &r)
{
    QStringList l = TackleFixture::head(u"MULINELLO: "_s + r.nome, u"MULINELLO"_s);
    l << QString() << u"; Nome del mulinello (max 32 chr)"_s << u"NOME=\"%1\""_s.arg(r.nome)
      << u"NAME=\"%1\""_s.arg(r.name) << QString() << u"; Descrizione del mulinello (max 256 chr)"_s
      << u"DESCRIZIONE=\"%1\""_s.arg(r.descr) << u"DESCRIPTION=\"%1\""_s.arg(r.descrEng)
      << QString()
      << u"; Rapporto di recupero del mulinello (x10): deve essere compreso tra 30 e 80. "
         "Esempio: 51 = 5,1 : 1"_s
      << u"RAPPORTO_RECUPERO=%1"_s.arg(r.rapporto) << QString()
      << u"; Capacità mulinello per un filo di diametro 0.90 mm. In metri, deve essere "
         "compreso tra 100 e 350"_s
      << u"CAPACITA_MIN=%1"_s.arg(r.min) << QString()
      << u"; Capacità mulinello per un filo di diametro 0.06 mm. In metri, deve essere "
         "compreso tra CAPACITA_MIN e 350"_s
      << u"CAPACITA_MAX=%1"_s.arg(r.max) << QString()
      << u"; Foto del mulinello (immagine 100x100 px)"_s << u"FILENAMEFOTO=\"%1\""_s.arg(r.foto);
    return TackleFixture::crlf(l);
}

// Lets a test read the export's file list as the archive tool gets it.
class ReelProbe : public TMulinelloForm
{
public:
    using TMulinelloForm::TMulinelloForm;
    using TMulinelloForm::zipFileList;
};

} // namespace

class TestMulinelloForm : public QObject, public TackleFixture
{
    Q_OBJECT

    QString mulinelli() const { return inst->game() + u"Mulinelli/"_s; }
    void begin(bool english = false) { start(english, ItemKind::Mulinello); }
    QSlider *bar(const char *which) const
    {
        return ctl<QSlider>(u"MulinelloCapacita"_s + QLatin1String(which));
    }
    // Ratio index, both positions and both read-outs.
    QStringList state() const
    {
        return {QString::number(combo(u"MulinelloRapporto"_s)->currentIndex()),
                QString::number(bar("Min")->value()), QString::number(bar("Max")->value()),
                ctl<QLabel>(u"MulinelloValCapacitaMin"_s)->text(),
                ctl<QLabel>(u"MulinelloValCapacitaMax"_s)->text()};
    }
    void fill(const QString &photo)
    {
        ctl<QLineEdit>(u"MulinelloNome"_s)->setText(u"Mulinello da spinning"_s);
        ctl<QLineEdit>(u"MulinelloNomeEng"_s)->setText(u"Spinning reel"_s);
        ctl<QPlainTextEdit>(u"MulinelloDescr"_s)->setPlainText(u"Frizione anteriore"_s);
        ctl<QPlainTextEdit>(u"MulinelloDescrEng"_s)->setPlainText(u"Front drag"_s);
        pickPhoto(photo);
    }

private Q_SLOTS:
    void init() { begin(); }
    void cleanup() { finish(); }

    void ratioList();
    void savesExactBytes_data();
    void savesExactBytes();
    void readsClampsAndResaves_data();
    void readsClampsAndResaves();
    void readOutsFollowTheBars();
    void verificaOrderAndMessages_data();
    void verificaOrderAndMessages();
    void exportFileList_data();
    void exportFileList();
    void exportPacksSubFolderWithRealTools();
    void englishTexts();
    void noItalianLeftInEnglish();
    void windowLayout();
};

void TestMulinelloForm::ratioList()
{
    const QStringList entries = TMulinelloForm::ratioEntries();
    QCOMPARE(entries.size(), 51);
    QCOMPARE(entries.first(), u"3.0 : 1"_s);
    QCOMPARE(entries[21], u"5.1 : 1"_s);
    QCOMPARE(entries[29], u"5.9 : 1"_s);
    QCOMPARE(entries.last(), u"8.0 : 1"_s);
    for (int i = 0; i < entries.size(); ++i)
        QCOMPARE(combo(u"MulinelloRapporto"_s)->itemText(i), entries[i]);
    begin(true); // the same entries in English
    QCOMPARE(combo(u"MulinelloRapporto"_s)->itemText(21), u"5.1 : 1"_s);
    QCOMPARE(combo(u"MulinelloRapporto"_s)->count(), 51);
}

void TestMulinelloForm::savesExactBytes_data()
{
    QTest::addColumn<bool>("english");
    QTest::addColumn<bool>("filled");
    QTest::newRow("new") << false << false;
    QTest::newRow("new english") << true << false;
    QTest::newRow("filled") << false << true;
    QTest::newRow("filled english") << true << true;
}

void TestMulinelloForm::savesExactBytes()
{
    QFETCH(bool, english);
    QFETCH(bool, filled);
    begin(english);
    QCOMPARE(state(), (QStringList{u"0"_s, u"100"_s, u"350"_s, u"100 mt"_s, u"350 mt"_s}));
    fill(makePicture(inst->dataPath() + u"/mulinello.jpg"_s));
    Reel r{u"Mulinello da spinning"_s, u"Spinning reel"_s, u"Frizione anteriore"_s, u"Front drag"_s,
           u"mulinello.jpg"_s};
    if (filled) {
        combo(u"MulinelloRapporto"_s)->setCurrentIndex(50);
        bar("Min")->setValue(180);
        bar("Max")->setValue(180); // equal passes
        r.rapporto = 80;
        r.min = r.max = 180;
    }
    saveAs(mulinelli() + u"Spin.kvm"_s);
    QCOMPARE(desk->messages, QStringList());
    QCOMPARE(desk->dialogs.back().fileName, english ? u"NewReel.kvm"_s : u"NuovoMulinello.kvm"_s);
    QCOMPARE(desk->dialogs.back().filter, u"File Kvm|*.kvm"_s);
    QCOMPARE(desk->dialogs.back().defExt, u"kvm"_s);
    QCOMPARE(TestInstallation::read(mulinelli() + u"Spin.kvm"_s), reelFile(r));
    QCOMPARE(form->findChild<QLabel *>(u"MulinelloFileName"_s)->text(), u"Spin.kvm"_s);
}

// Ratio index = value - 30, outside the list nothing (saved as 29); the
// capacities are held within 100..350 and their read-outs follow.
void TestMulinelloForm::readsClampsAndResaves_data()
{
    QTest::addColumn<QByteArray>("keys");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<QList<int>>("written");
    QTest::newRow("every key missing")
        << QByteArray() << QStringList{u"-1"_s, u"100"_s, u"100"_s, u"100 mt"_s, u"100 mt"_s}
        << QList<int>{29, 100, 100};
    QTest::newRow("3.0, 5.1, 8.0 and inside")
        << QByteArray("RAPPORTO_RECUPERO=51\r\nCAPACITA_MIN=120\r\nCAPACITA_MAX=250\r\n")
        << QStringList{u"21"_s, u"120"_s, u"250"_s, u"120 mt"_s, u"250 mt"_s}
        << QList<int>{51, 120, 250};
    QTest::newRow("lowest ratio, bounds")
        << QByteArray("RAPPORTO_RECUPERO=30\r\nCAPACITA_MIN=100\r\nCAPACITA_MAX=350\r\n")
        << QStringList{u"0"_s, u"100"_s, u"350"_s, u"100 mt"_s, u"350 mt"_s}
        << QList<int>{30, 100, 350};
    QTest::newRow("highest ratio, clamped")
        << QByteArray("RAPPORTO_RECUPERO=80\r\nCAPACITA_MIN=50\r\nCAPACITA_MAX=400\r\n")
        << QStringList{u"50"_s, u"100"_s, u"350"_s, u"100 mt"_s, u"350 mt"_s}
        << QList<int>{80, 100, 350};
    QTest::newRow("beyond, negative")
        << QByteArray("RAPPORTO_RECUPERO=81\r\nCAPACITA_MIN=-7\r\nCAPACITA_MAX=0x7fffffff\r\n")
        << QStringList{u"-1"_s, u"100"_s, u"350"_s, u"100 mt"_s, u"350 mt"_s}
        << QList<int>{29, 100, 350};
    QTest::newRow("below") << QByteArray(
        "RAPPORTO_RECUPERO=29\r\nCAPACITA_MIN=350\r\nCAPACITA_MAX=351\r\n")
                           << QStringList{u"-1"_s, u"350"_s, u"350"_s, u"350 mt"_s, u"350 mt"_s}
                           << QList<int>{29, 350, 350};
}

void TestMulinelloForm::readsClampsAndResaves()
{
    QFETCH(QByteArray, keys);
    QFETCH(QStringList, expected);
    QFETCH(QList<int>, written);
    // The bars stand elsewhere first, so every read position is a change.
    bar("Min")->setValue(200);
    bar("Max")->setValue(300);
    makePicture(mulinelli() + u"f.jpg"_s);
    TestInstallation::write(mulinelli() + u"r.kvm"_s,
                            "[mulinello]\r\n" + keys + "FILENAMEFOTO=f.jpg\r\n");
    open(mulinelli() + u"r.kvm"_s);
    QCOMPARE(desk->errors, QStringList());
    QCOMPARE(state(), expected);
    saveAs(mulinelli() + u"r.kvm"_s);
    QCOMPARE(desk->messages, QStringList());
    QCOMPARE(TestInstallation::read(mulinelli() + u"r.kvm"_s),
             reelFile({u"Nome Mulinello"_s, u"Reel name"_s, u"Descrizione Mulinello"_s,
                       u"Reel description"_s, u"f.jpg"_s, written[0], written[1], written[2]}));
}

void TestMulinelloForm::readOutsFollowTheBars()
{
    // Each bar keeps its own read-out; neither moves the other.
    bar("Min")->setValue(250);
    QCOMPARE(state(), (QStringList{u"0"_s, u"250"_s, u"350"_s, u"250 mt"_s, u"350 mt"_s}));
    bar("Max")->setValue(110);
    QCOMPARE(state(), (QStringList{u"0"_s, u"250"_s, u"110"_s, u"250 mt"_s, u"110 mt"_s}));
    bar("Min")->setFocus();
    QTest::keyClick(bar("Min"), Qt::Key_Right);
    QCOMPARE(ctl<QLabel>(u"MulinelloValCapacitaMin"_s)->text(), u"251 mt"_s);
    // New puts both back, read-outs included.
    desk->answerQuestion(1); // do not save
    ctl<QAction>(u"Nuovo"_s)->trigger();
    QCOMPARE(state(), (QStringList{u"0"_s, u"100"_s, u"350"_s, u"100 mt"_s, u"350 mt"_s}));
    QCOMPARE(bar("Min")->tickInterval(), 10);
    QCOMPARE(bar("Max")->minimum(), 100);
    QCOMPARE(bar("Max")->maximum(), 350);
}

void TestMulinelloForm::verificaOrderAndMessages_data()
{
    QTest::addColumn<bool>("english");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("italian") << false
                             << QStringList{u"Inserire il nome del mulinello."_s,
                                            u"Inserire la descrizione del mulinello."_s,
                                            u"Selezionare una foto per il mulinello."_s,
                                            u"Capacità minima maggiore della capacità massima."_s};
    QTest::newRow("english") << true
                             << QStringList{u"Reel name not valid."_s,
                                            u"Reel description not valid."_s,
                                            u"Reel image not valid."_s,
                                            u"Min spool capacity > Max spool capacity"_s};
}

void TestMulinelloForm::verificaOrderAndMessages()
{
    QFETCH(bool, english);
    QFETCH(QStringList, expected);
    begin(english);
    // The capacity check comes last, after the three common ones.
    bar("Min")->setValue(200);
    bar("Max")->setValue(150);
    ctl<QLineEdit>(u"MulinelloNomeEng"_s)->setText(u"Reel"_s);
    ctl<QPlainTextEdit>(u"MulinelloDescrEng"_s)->setPlainText(u"Reel"_s);
    trigger(u"Salva"_s);
    ctl<QLineEdit>(u"MulinelloNome"_s)->setText(u" "_s);
    trigger(u"Salva"_s);
    ctl<QPlainTextEdit>(u"MulinelloDescr"_s)->setPlainText(u"d"_s);
    trigger(u"Salva"_s);
    pickPhoto(makePicture(mulinelli() + u"p.jpg"_s));
    trigger(u"Salva"_s);
    QCOMPARE(desk->messages, expected);
    QCOMPARE(desk->dialogs.size(), 1u); // the photo pick only
    QCOMPARE(TestFiles::entries(mulinelli()), QStringList{u"p.jpg"_s});
    bar("Min")->setValue(150);
    auto *editor = static_cast<TMulinelloForm *>(form);
    QVERIFY(editor->Verifica());
    QCOMPARE(editor->GetPathMulinelli(), mulinelli());
}

void TestMulinelloForm::exportFileList_data()
{
    QTest::addColumn<bool>("english");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("list");
    QTest::addColumn<QString>("proposed");
    QTest::newRow("new") << false << QString()
                         << u"\"NuovoMulinello.kvm\" \"f.jpg\" \"NuovoMulinello/*.bmp\""_s
                         << u"NuovoMulinello"_s;
    QTest::newRow("new english") << true << QString()
                                 << u"\"NewReel.kvm\" \"f.jpg\" \"NewReel/*.bmp\""_s
                                 << u"NewReel"_s;
    QTest::newRow("opened, upper case")
        << false << u"Spin.KVM"_s << u"\"Spin.KVM\" \"f.jpg\" \"Spin/*.bmp\""_s << u"Spin"_s;
    QTest::newRow("every extension removed")
        << false << u"a.kvm.Kvm"_s << u"\"a.kvm.Kvm\" \"f.jpg\" \"a/*.bmp\""_s << u"a"_s;
    // A base that is no plain folder name would reach other pictures.
    QTest::newRow("dot") << false << u"..kvm"_s << u"\"..kvm\" \"f.jpg\""_s << u"."_s;
    QTest::newRow("backslash") << false << u"a\\..\\b.kvm"_s << u"\"a\\..\\b.kvm\" \"f.jpg\""_s
                               << u"a\\..\\b"_s;
}

void TestMulinelloForm::exportFileList()
{
    QFETCH(bool, english);
    QFETCH(QString, label);
    QFETCH(QString, list);
    QFETCH(QString, proposed);
#ifdef Q_OS_WIN
    if (label.contains(u'\\'))
        QSKIP("a backslash is a separator on Windows: no file has such a name");
#endif
    begin(english);
    ReelProbe probe(app->shell());
    probe.New();
    makePicture(mulinelli() + u"f.jpg"_s);
    form = &probe;
    if (label.isEmpty()) {
        pickPhoto(mulinelli() + u"f.jpg"_s);
    } else {
        TestInstallation::write(mulinelli() + label, "[MULINELLO]\r\nFILENAMEFOTO=f.jpg\r\n");
        open(mulinelli() + label);
    }
    QCOMPARE(probe.zipFileList(), list);
    desk->cancelNextDialog();
    trigger(u"Zip1"_s);
    QCOMPARE(desk->dialogs.back().fileName, proposed);
    QCOMPARE(desk->dialogs.back().initDir, inst->game());
}

void TestMulinelloForm::exportPacksSubFolderWithRealTools()
{
    desk->runProcesses = true;
    fill(makePicture(inst->dataPath() + u"/mulinello.jpg"_s));
    saveAs(mulinelli() + u"Spin.kvm"_s);
    // The sub-folder named after the reel file, in another letter case.
    QDir().mkpath(mulinelli() + u"sPIN"_s);
    makePicture(mulinelli() + u"sPIN/a.BMP"_s, QSize(8, 8));
    makePicture(mulinelli() + u"sPIN/b.bmp"_s, QSize(9, 9));
    makePicture(mulinelli() + u"sPIN/c.jpg"_s, QSize(9, 9));
    makePicture(mulinelli() + u"other.bmp"_s, QSize(9, 9));
    desk->answerSave(inst->game() + u"Spin.zip"_s);
    trigger(u"Zip1"_s);
    QCOMPARE(desk->messages, QStringList());

    QProcess list;
    list.start(u"unzip"_s, {u"-Z1"_s, inst->game() + u"Spin.zip"_s});
    QVERIFY(list.waitForFinished(60000));
    // unzip.exe ends its lines with CR LF.
    QStringList entries =
        QString::fromUtf8(list.readAllStandardOutput()).remove(u'\r').split(u'\n');
    entries.removeAll(QString());
    entries.sort();
    QCOMPARE(entries,
             (QStringList{u"Spin.kvm"_s, u"mulinello.jpg"_s, u"sPIN/a.BMP"_s, u"sPIN/b.bmp"_s}));

    // Import puts it all back, the sub-folder included.
    const QByteArray reel = TestInstallation::read(mulinelli() + u"Spin.kvm"_s);
    const QByteArray sprite = TestInstallation::read(mulinelli() + u"sPIN/a.BMP"_s);
    QVERIFY(QDir(mulinelli()).removeRecursively());
    QVERIFY(QDir().mkpath(mulinelli()));
    desk->answerOpen(inst->game() + u"Spin.zip"_s);
    trigger(u"Unzip1"_s);
    QCOMPARE(desk->messages, QStringList());
    QCOMPARE(TestInstallation::read(mulinelli() + u"Spin.kvm"_s), reel);
    QCOMPARE(TestInstallation::read(mulinelli() + u"sPIN/a.BMP"_s), sprite);
}

void TestMulinelloForm::englishTexts()
{
    begin(true);
    const QStringList seen{shownTitle(form),
                           ctl<QLabel>(u"MulinelloFileName"_s)->text(),
                           ctl<QLabel>(u"Label4"_s)->text(),
                           ctl<QLabel>(u"Label5"_s)->text(),
                           ctl<QLabel>(u"Label6"_s)->text(),
                           ctl<QLabel>(u"Label7"_s)->text(),
                           ctl<QLabel>(u"Label8"_s)->text(),
                           ctl<QToolButton>(u"ToolButtonNew"_s)->statusTip(),
                           ctl<QAction>(u"Apri"_s)->statusTip(),
                           ctl<QComboBox>(u"MulinelloRapporto"_s)->statusTip(),
                           bar("Min")->statusTip(),
                           bar("Max")->statusTip(),
                           ctl<QToolButton>(u"SpeedButtonOpenFoto"_s)->statusTip(),
                           ctl<QLineEdit>(u"MulinelloNome"_s)->statusTip(),
                           ctl<QPlainTextEdit>(u"MulinelloDescrEng"_s)->statusTip(),
                           ctl<QLabel>(u"MulinelloValCapacitaMax"_s)->text()};
    QCOMPARE(seen, (QStringList{u"Reel"_s, u"NewReel.kvm"_s, u"Gear ratio"_s, u"Min spool ca."_s,
                                u"Max spool ca."_s, u"Image"_s, u"(100x100)"_s, u"New reel"_s,
                                u"Open reel"_s, u"Reel gear ratio"_s,
                                u"Min spool capacity (line 0.90 mm)"_s,
                                u"Max spool capacity (line 0.06 mm)"_s, u"Select the reel image"_s,
                                u"Reel name (max 32 chr)"_s, u"Reel description (max 256 chr)"_s,
                                u"350 mt"_s}));
}

void TestMulinelloForm::noItalianLeftInEnglish()
{
    const QStringList italian = visibleTexts(form);
    QVERIFY(italian.contains(u"Capacità minima con filo da 0.90 mm"_s));
    QVERIFY(italian.contains(u"Nuovo Mulinello"_s));
    begin(true);
    QStringList leftovers;
    for (const QString &t : visibleTexts(form))
        if (italian.contains(t))
            leftovers << t;
    QStringList same{u"File"_s, u"(100x100)"_s, u"100 mt"_s, u"350 mt"_s};
    same << TMulinelloForm::ratioEntries();
    for (const QString &t : same)
        leftovers.removeAll(t);
    QCOMPARE(leftovers, QStringList());
}

void TestMulinelloForm::windowLayout()
{
    pickPhoto(makePicture(mulinelli() + u"p.jpg"_s));
    checkFrame(QSize(545, 426), QPoint(256, 230));
    QCOMPARE(ctl<QWidget>(u"MulinelloFoto"_s)->size(), QSize(100, 100));
    // Ratio, then the two bars one above the other, then the photo.
    const auto top = [this](const QString &name) { return ctl<QWidget>(name)->geometry().top(); };
    QVERIFY(top(u"MulinelloRapporto"_s) < top(u"MulinelloCapacitaMin"_s));
    QVERIFY(top(u"MulinelloCapacitaMin"_s) < top(u"MulinelloCapacitaMax"_s));
    QVERIFY(top(u"MulinelloCapacitaMax"_s) < top(u"MulinelloBevelFoto"_s));
    QVERIFY(ctl<QWidget>(u"MulinelloValCapacitaMin"_s)->geometry().left()
            > ctl<QWidget>(u"MulinelloCapacitaMin"_s)->geometry().right());
}

QTEST_MAIN(TestMulinelloForm)
#include "test_mulinelloform.moc"
