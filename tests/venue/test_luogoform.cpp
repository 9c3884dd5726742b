#include "editortest.h"
#include "visibletexts.h"
#include "luogoform.h"
#include "prespesciform.h"
#include "profilewidgets.h"

#include <QCheckBox>
#include <QFrame>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QSlider>
#include <QStatusBar>
#include <QTimer>
#include <QToolButton>

#include "editorwidgets.h"

using namespace Qt::StringLiterals;

namespace {

const QString kExampleLevels = u"00011223344555555555544332211000"_s;
const QString kExampleTypes = u"00202020202000000000030303030300"_s;
const QString kZeros(32, u'0');
const QColor kSky(166, 202, 240);

// The values of one venue file, as the editor writes them.
struct Venue
{
    QString nome = u"Lago di prova"_s, name = u"Test lake"_s;
    QString descr = u"Un lago tranquillo"_s, descrEng = u"A quiet lake"_s;
    QString foto = u"lago.jpg"_s;
    QList<int> lists{1, 3, 1, 2, 1, 2, 4, 0}; // TIPO .. ACQUA
    int profondita = 250, pendenza = 15, maxMetri = 55;
    QString limiti = kExampleLevels, tipi = kExampleTypes;
    QString casuale = u"S"_s;
    QString link = u"\\\\KVS\\\\MioLago"_s; // as stored
};

QByteArray venueFile(const Venue &v)
{
    const QStringList keys{u"TIPO"_s,          u"GEOGRAFIA"_s,     u"CORRENTE"_s,
                           u"GRADOLENTEZZA"_s, u"VERSOCORRENTE"_s, u"CORRENTEVERTICALE"_s,
                           u"FONDALE"_s,       u"ACQUA"_s};
    const QStringList comments{
        u"Tipo del luogo: 0=Fiume, 1=Lago, 2=Mare"_s,
        u"Geografia del luogo: 0=Alpi, 1=PianuraPadana, 2=Nord, 3=Centro, 4=Sud, 5=Sardegna, 6=Sicilia"_s,
        u"Tipo corrente del luogo: 0=Ferma, 1=Lenta, 2=Media, 3=Veloce"_s,
        u"Grado velocità (solo per corrente Lenta): 0=Normale, 1=Lenta, 2=Lentissima"_s,
        u"Verso della corrente del luogo: 0=Destra, 1=Sinistra"_s,
        u"Verso della corrente VERTICALE del luogo: 0=Ferma, 1=Alto, 2=Basso"_s,
        u"Tipo di fondale del luogo: 0=Erba, 1=Sabbia, 2=Fango, 3=Ghiaia, 4=Sassi"_s,
        u"Tipo di acqua del luogo: 0=Limpida, 1=Torbida, 2=Limpida/torbida"_s};
    QStringList l{u"; ================================================="_s,
                  u"; LUOGO: "_s + v.nome,
                  u"; ================================================="_s,
                  u"; "_s,
                  u"; Creato con Korvalis Editor 1.2a "_s,
                  u"; -------------------------------------------------"_s,
                  QString(),
                  u"[LUOGO]"_s,
                  QString(),
                  u"; Nome del luogo (max 32 chr)"_s,
                  u"NOME=\"%1\""_s.arg(v.nome),
                  u"NAME=\"%1\""_s.arg(v.name),
                  QString(),
                  u"; Descrizione del luogo (max 256 chr)"_s,
                  u"DESCRIZIONE=\"%1\""_s.arg(v.descr),
                  u"DESCRIPTION=\"%1\""_s.arg(v.descrEng),
                  QString(),
                  u"; Foto del luogo (immagine 800x600 o 1024x768 px)"_s,
                  u"FILENAMEFOTO=\"%1\""_s.arg(v.foto)};
    for (int i = 0; i < 8; ++i)
        l << QString() << u"; "_s + comments[i] << keys[i] + u'=' + QString::number(v.lists[i]);
    l << QString() << u"; Profondita media del luogo in cm (min 50, max 10000)"_s
      << u"PROFONDITA="_s + QString::number(v.profondita) << QString()
      << u"; Pendenza del luogo in percentuale (min 5, max 50)"_s
      << u"PENDENZA="_s + QString::number(v.pendenza) << QString()
      << u"; Distanza massima di pesca in metri (min 20, max 70)"_s
      << u"MAX_METRI="_s + QString::number(v.maxMetri) << QString()
      << u"; Limiti superiori zona di pesca (32 cifre comprese tra 0 e 7)"_s
      << u"LIMITI_SUPERIORI=\"%1\""_s.arg(v.limiti) << QString()
      << u"; Tipo limiti superiori zona di pesca (32 cifre: 0=normale, 1=orizz. 50%, 2=45 gradi dx, 3=45 gradi sx)"_s
      << u"TIPO_LIMITI_SUPERIORI=\"%1\""_s.arg(v.tipi) << QString()
      << u"; Fondale del luogo: S=casuale, N=letto da file .kvf"_s
      << u"PROFONDITA_CASUALE=\"%1\""_s.arg(v.casuale) << QString()
      << u"; File Presenza Pesci del luogo: nome del file .kvs (max 32 chr)"_s
      << u"FILE_PRESENZA_PESCI=\"%1\""_s.arg(v.link);
    QByteArray out;
    for (const QString &line : l)
        out += line.toLatin1() + "\r\n";
    return out;
}

QString keyLine(const QByteArray &file, const QString &key)
{
    for (const QByteArray &line : file.split('\n'))
        if (line.startsWith(QByteArray(key.toLatin1() + '=')))
            return QString::fromLatin1(line.trimmed());
    return QString();
}

// An x in the middle of column `idx` of the overlay.
int mid(int idx)
{
    return (idx - 1) * 16 + 8;
}

} // namespace

class TestLuogoForm : public QObject, public EditorTest<TLuogoForm>
{
    Q_OBJECT

public:
    TestLuogoForm()
        : EditorTest(ItemKind::Luogo)
    {
    }

private:
    void start(bool englishUi = false)
    {
        EditorTest::start(englishUi);
        TestInstallation::write(kvs() + u"MioLago.kvs"_s, "[PESCI]\r\nTINCA=30\r\n");
        TestInstallation::write(kvs() + u"PesciNord.kvs"_s, "[PESCI]\r\nTINCA=10\r\n");
    }
    QString luoghi() const { return inst->game() + u"Luoghi/"_s; }
    QString kvs() const { return luoghi() + u"KVS/"_s; }

    ProfileShape *shape(int idx) const
    {
        return ctl<ProfileShape>(u"ShapeSup%1"_s.arg(idx, 2, 10, QChar(u'0')));
    }
    ProfileOverlay *overlay() const { return ctl<ProfileOverlay>(u"LuogoLimiti"_s); }
    QString status() const { return ctl<QStatusBar>(u"StatusBar"_s)->currentMessage(); }
    QString link() const { return ctl<QLineEdit>(u"LuogoFilePresPesci"_s)->text(); }
    static QString makePhoto(const QString &path, QSize size = QSize(1024, 768))
    {
        return makePicture(path, size);
    }
    void showForm()
    {
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form));
    }
    // Writes `v` into Luoghi/ with its photo and opens it.
    void openVenue(const Venue &v, const QString &name = u"Lago.kvl"_s)
    {
        makePhoto(luoghi() + v.foto);
        TestInstallation::write(luoghi() + name, venueFile(v));
        open(luoghi() + name);
    }

private Q_SLOTS:
    void init() { start(); }
    void cleanup() { finish(); }

    void windowLayout();
    void drawnAndSavedByteForByte_data();
    void drawnAndSavedByteForByte();
    void pointerAndPressesOnTheOverlay();
    void colourChangeRepaintsLinesAndMarkers();
    void newResetsProfileButNotColour();
    void undoAndRedoEveryPress();
    void readDefaultsAndClamping_data();
    void readDefaultsAndClamping();
    void depthLabel_data();
    void depthLabel();
    void gradoLentezzaFollowsCurrent();
    void badLevelsTextStopsTheLoad();
    void missingPhotoStillShowsTheProfile();
    void verificaOrderAndMessages_data();
    void verificaOrderAndMessages();
    void linkEncodingRoundTrip();
    void associatingAListFromElsewhere();
    void zipFileLists_data();
    void zipFileLists();
    void zipRoundTripWithRealTools();
    void viewButtonOpensPresenceEditor();
    void photoDecodedAtHalfScaleAndNotReloaded();
    void englishTexts();
};

void TestLuogoForm::undoAndRedoEveryPress()
{
    Venue v;
    v.tipi = u"3012"_s; // hand-edited: a press rewrites it to 32 digits
    openVenue(v);
    showForm();
    form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(form));
    const auto texts = [this]() -> QString { return form->posShapesToStr() + form->tipoLimiti(); };
    QStringList states{texts()};
    for (int i = 0; i < 12; ++i) {
        QTest::mouseClick(overlay(), i % 3 ? Qt::LeftButton : Qt::RightButton, {},
                          QPoint(mid(1 + i * 5 % 32), i % 2 ? 0 : 250));
        states << texts();
    }
    for (const bool redo : {false, true, false})
        for (int i = 1; i <= 12; ++i) { // redo alternates Ctrl+Y and Ctrl+Shift+Z
            QTest::keyClick(form, redo && i % 2 ? Qt::Key_Y : Qt::Key_Z,
                            redo && !(i % 2) ? Qt::ControlModifier | Qt::ShiftModifier
                                             : Qt::ControlModifier);
            QCOMPARE(texts(), states[redo ? i : 12 - i]);
            QCOMPARE(form->isModified(), redo || i < 12);
        }
    saveAs(luoghi() + u"Lago.kvl"_s);
    QCOMPARE(TestInstallation::read(luoghi() + u"Lago.kvl"_s), venueFile(v));
}

void TestLuogoForm::windowLayout()
{
    checkFrame(QSize(849, 658), QPoint(320, 50));
    QWidget *client = ctl<QWidget>(u"Client"_s);
    const auto at = [&](const QString &name) {
        QWidget *w = ctl<QWidget>(name);
        return QRect(w->mapTo(client, QPoint(0, 0)), w->size());
    };
    QCOMPARE(at(u"LuogoFoto"_s), QRect(330, 210, 512, 390));
    QCOMPARE(at(u"LuogoLimiti"_s), QRect(330, 210, 512, 273));
    QCOMPARE(at(u"ShapeLimiteInf"_s), QRect(330, 397, 512, 1));
    QCOMPARE(at(u"ShapeSup01"_s), QRect(330, 379, 16, 1));
    QCOMPARE(at(u"ShapeSup32"_s), QRect(826, 379, 16, 1));
    QCOMPARE(at(u"LabelAreaDiPesca"_s).topLeft(), QPoint(554, 489));
    QCOMPARE(at(u"LuogoProfondita"_s).width(), 728);
    QCOMPARE(at(u"PageControlDescr"_s).width(), 849 - 16); // across the window
    const QRect valDist2 = at(u"LuogoValDistMax2"_s);
    QVERIFY(valDist2.right() < 330 && valDist2.top() <= 397 && valDist2.bottom() >= 397);
    // The overlay stacks above the markers and the photo.
    QCOMPARE(client->childAt(330 + mid(5), 210 + 169), overlay());
}

void TestLuogoForm::drawnAndSavedByteForByte_data()
{
    QTest::addColumn<bool>("english");
    QTest::newRow("italian") << false;
    QTest::newRow("english") << true;
}

void TestLuogoForm::drawnAndSavedByteForByte()
{
    QFETCH(bool, english);
    start(english);
    showForm();
    ctl<QLineEdit>(u"LuogoNome"_s)->setText(u"Lago di prova"_s);
    ctl<QLineEdit>(u"LuogoNomeEng"_s)->setText(u"Test lake"_s);
    ctl<QPlainTextEdit>(u"LuogoDescr"_s)->setPlainText(u"Un lago tranquillo"_s);
    ctl<QPlainTextEdit>(u"LuogoDescrEng"_s)->setPlainText(u"A quiet lake"_s);
    const Venue v;
    const QStringList lists{u"LuogoTipo"_s,          u"LuogoGeografia"_s, u"LuogoCorrente"_s,
                            u"LuogoGradoLentezza"_s, u"LuogoVersoCorr"_s, u"LuogoVersoCorrVert"_s,
                            u"LuogoFondale"_s,       u"LuogoAcqua"_s};
    for (int i = 0; i < lists.size(); ++i)
        ctl<QComboBox>(lists[i])->setCurrentIndex(v.lists[i]);
    ctl<QSlider>(u"LuogoProfondita"_s)->setValue(v.profondita);
    ctl<QSlider>(u"LuogoPendenza"_s)->setValue(v.pendenza);
    ctl<QSlider>(u"LuogoDistMax"_s)->setValue(v.maxMetri);
    desk->answerOpen(makePhoto(inst->dataPath() + u"/lago.jpg"_s));
    ctl<QToolButton>(u"SpeedButtonOpenFoto"_s)->click();
    desk->answerOpen(kvs() + u"MioLago.kvs"_s);
    ctl<QToolButton>(u"SpeedButtonOpenKVS"_s)->click();
    QCOMPARE(link(), u"\\KVS\\MioLago.kvs"_s);

    // The worked example's profile, drawn with the mouse: a left press
    // above a marker raises it one step, a right press cycles its type.
    QWidget *o = overlay();
    for (int idx = 1; idx <= 32; ++idx) {
        const int level = kExampleLevels[idx - 1].digitValue();
        for (int k = 0; k < level; ++k)
            QTest::mouseClick(o, Qt::LeftButton, {}, QPoint(mid(idx), 0));
        for (int k = 0; k < kExampleTypes[idx - 1].digitValue(); ++k)
            QTest::mouseClick(o, Qt::RightButton, {}, QPoint(mid(idx), 200));
    }
    QCOMPARE(form->posShapesToStr(), kExampleLevels);
    QCOMPARE(form->tipoLimiti(), kExampleTypes);
    // The markers' positions are the levels.
    for (int idx = 1; idx <= 32; ++idx) {
        QCOMPARE(form->getIdxShape(shape(idx)), idx);
        QCOMPARE(form->getPosShape(shape(idx)), kExampleLevels[idx - 1].digitValue());
    }

    saveAs(luoghi() + u"Lago.kvl"_s);
    QCOMPARE(desk->errors, QStringList());
    QCOMPARE(desk->messages, QStringList());
    QCOMPARE(desk->dialogs.back().fileName, english ? u"NewVenue.kvl"_s : u"NuovoLuogo.kvl"_s);
    QCOMPARE(desk->dialogs.back().filter, u"File Kvl|*.kvl"_s);
    QCOMPARE(TestInstallation::read(luoghi() + u"Lago.kvl"_s), venueFile(v));

    // Read back into a fresh window and saved unchanged.
    form->New();
    QCOMPARE(form->posShapesToStr(), kZeros);
    open(luoghi() + u"Lago.kvl"_s);
    QCOMPARE(shape(12)->geometry().top(), 210 + 104);
    QCOMPARE(ctl<QLabel>(u"LuogoValDistMax2"_s)->text(), u"55 mt"_s);
    saveAs(luoghi() + u"Copia.kvl"_s);
    QCOMPARE(TestInstallation::read(luoghi() + u"Copia.kvl"_s), venueFile(v));
    QCOMPARE(desk->errors, QStringList());
}

void TestLuogoForm::pointerAndPressesOnTheOverlay()
{
    showForm();
    Venue v;
    v.maxMetri = 40; // the readouts of the worked example
    openVenue(v);
    QCOMPARE(desk->errors, QStringList());
    QWidget *o = overlay();
    const QString help = o->statusTip();
    QVERIFY(help.startsWith(u"Bottone sinistro"_s));

    struct Move
    {
        QPoint at;
        QString status;  // expected status text afterwards
        int highlighted; // marker, or 0
    };
    const Move moves[] = {
        {{mid(12), 104 - 9}, u"142 mt"_s, 12}, {{mid(12), 104 + 9}, u"142 mt"_s, 12},
        {{mid(12), 104 - 10}, help, 12},       {{mid(1), 169}, u"57 mt"_s, 1},
        {{16 * 5, 169}, u"57 mt"_s, 0}, // a column border: the text stays
        {{mid(3), 169}, u"57 mt"_s, 3}, // marker 3's readout (level 0)
    };
    for (const Move &m : moves) {
        QTest::mouseMove(o, m.at);
        QCOMPARE(status(), m.status);
        for (int idx = 1; idx <= 32; ++idx) {
            const bool lit = idx == m.highlighted;
            QCOMPARE(shape(idx)->height(), lit ? 2 : 1);
            QCOMPARE(shape(idx)->penColor() == QColor(Qt::red), lit);
        }
        // Hidden while not under the pointer: the overlay draws its type.
        QCOMPARE(shape(3)->penStyle(),
                 m.highlighted == 3 ? ProfileShape::Pen::Solid : ProfileShape::Pen::Clear);
    }

    // Presses: above raises, on the line lowers, right cycles the type.
    QTest::mouseClick(o, Qt::LeftButton, {}, QPoint(mid(12), 50));
    QCOMPARE(shape(12)->geometry().top(), 210 + 91);
    QTest::mouseClick(o, Qt::LeftButton, {}, QPoint(mid(12), 91));
    QTest::mouseClick(o, Qt::LeftButton, {}, QPoint(mid(12), 104));
    QCOMPARE(shape(12)->geometry().top(), 210 + 117);
    QTest::mouseMove(o, QPoint(mid(12), 117));
    QCOMPARE(status(), u"125 mt"_s);
    QTest::mouseClick(o, Qt::RightButton, {}, QPoint(mid(12), 10));
    QCOMPARE(form->tipoLimiti()[11], u'1');
    // Type 1: a line half a step above the marker, in the line colour.
    QCOMPARE(QColor(overlay()->canvas().pixel(mid(12), 117 - 6)), kSky);
    QCOMPARE(qAlpha(overlay()->canvas().pixel(mid(12), 117)), 0);
    QTest::mouseMove(o, QPoint(mid(20), 200)); // leaves column 12
    QCOMPARE(shape(12)->penStyle(), ProfileShape::Pen::Clear);
    QTest::mouseClick(o, Qt::MiddleButton, {}, QPoint(mid(12), 10));
    QCOMPARE(form->tipoLimiti()[11], u'1');
    QCOMPARE(shape(12)->geometry().top(), 210 + 117);
}

void TestLuogoForm::colourChangeRepaintsLinesAndMarkers()
{
    showForm();
    openVenue(Venue());
    const QImage &canvas = overlay()->canvas();
    QCOMPARE(QColor(canvas.pixel(32, 169)), kSky); // marker 3's type line
    ctl<QComboBox>(u"LuogoColorBox"_s)->setCurrentText(u"Blue"_s);
    QCOMPARE(form->lineColour(), QColor(0, 0, 255));
    QCOMPARE(canvas.pixel(32, 169), qRgb(0, 0, 255));
    QCOMPARE(canvas.pixel(464, 156), qRgb(0, 0, 255)); // marker 30's
    QCOMPARE(qAlpha(canvas.pixel(0, 0)), 0);
    for (int idx : {1, 12, 32})
        QCOMPARE(shape(idx)->penColor(), QColor(0, 0, 255));
    QCOMPARE(shape(3)->penStyle(), ProfileShape::Pen::Clear);
    auto *lower = ctl<ProfileShape>(u"ShapeLimiteInf"_s);
    QCOMPARE(lower->penColor(), kSky);
    QCOMPARE(lower->penStyle(), ProfileShape::Pen::Dot);

    // Pure blue stays visible over the photo: the overlay is real alpha.
    QImage under(overlay()->size(), QImage::Format_RGB32);
    under.fill(Qt::white);
    {
        QPainter p(&under);
        overlay()->render(&p, QPoint(), QRegion(), QWidget::DrawChildren);
    }
    QCOMPARE(under.pixel(32, 169), qRgb(0, 0, 255));
    QCOMPARE(under.pixel(33, 100), qRgb(255, 255, 255));

    // A new colour redraws everything again; nothing is left of the old.
    ctl<QComboBox>(u"LuogoColorBox"_s)->setCurrentText(u"Red"_s);
    for (int y = 0; y < canvas.height(); ++y)
        for (int x = 0; x < canvas.width(); ++x)
            QVERIFY(qAlpha(canvas.pixel(x, y)) == 0 || canvas.pixel(x, y) == qRgb(255, 0, 0));
    QCOMPARE(TLuogoForm::lineColours().size(), size_t(20));
    QCOMPARE(ctl<QComboBox>(u"LuogoColorBox"_s)->itemText(17), u"Sky Blue"_s);
}

void TestLuogoForm::newResetsProfileButNotColour()
{
    openVenue(Venue());
    ctl<QComboBox>(u"LuogoColorBox"_s)->setCurrentText(u"Lime"_s);
    form->New();
    QCOMPARE(form->posShapesToStr(), kZeros);
    QCOMPARE(form->tipoLimiti(), kZeros);
    for (int idx = 1; idx <= 32; ++idx) {
        QCOMPARE(shape(idx)->geometry().top(), 210 + 169);
        QCOMPARE(shape(idx)->penStyle(), ProfileShape::Pen::Solid);
        QCOMPARE(shape(idx)->penColor(), QColor(0, 255, 0));
    }
    QCOMPARE(ctl<QComboBox>(u"LuogoColorBox"_s)->currentText(), u"Lime"_s);
    QCOMPARE(link(), QString());
    QVERIFY(ctl<QCheckBox>(u"LuogoProfCasuale"_s)->isChecked());
    QCOMPARE(form->fileNameFoto(), QString());
    QCOMPARE(ctl<QWidget>(u"LuogoFoto"_s)->statusTip(), QString());
    QCOMPARE(ctl<QSlider>(u"LuogoDistMax"_s)->value(), 40);
    QCOMPARE(ctl<QLabel>(u"LuogoValDistMax2"_s)->text(), u"40 mt"_s);
    QCOMPARE(overlay()->canvas().size(), QSize(512, 273));
    for (int y = 0; y < overlay()->canvas().height(); ++y)
        for (int x = 0; x < overlay()->canvas().width(); x += 4)
            QCOMPARE(qAlpha(overlay()->canvas().pixel(x, y)), 0);
}

void TestLuogoForm::readDefaultsAndClamping_data()
{
    QTest::addColumn<QByteArray>("lines"); // put before the rest: the first key counts
    QTest::addColumn<QStringList>("saved");
    QTest::newRow("nothing") << QByteArray()
                             << QStringList{u"PROFONDITA=50"_s,
                                            u"PENDENZA=5"_s,
                                            u"MAX_METRI=40"_s,
                                            u"PROFONDITA_CASUALE=\"S\""_s,
                                            u"LIMITI_SUPERIORI=\""_s + kZeros + u'"',
                                            u"TIPO_LIMITI_SUPERIORI=\""_s + kZeros + u'"',
                                            u"FILE_PRESENZA_PESCI=\"\""_s,
                                            u"TIPO=0"_s};
    QTest::newRow("above ranges") << QByteArray(
        "PROFONDITA=20000\r\nPENDENZA=99\r\nMAX_METRI=71\r\n")
                                  << QStringList{u"PROFONDITA=10000"_s, u"PENDENZA=50"_s,
                                                 u"MAX_METRI=70"_s};
    QTest::newRow("below ranges") << QByteArray("PROFONDITA=-3\r\nPENDENZA=0\r\nMAX_METRI=5\r\n")
                                  << QStringList{u"PROFONDITA=50"_s, u"PENDENZA=5"_s,
                                                 u"MAX_METRI=20"_s};
    QTest::newRow("random s") << QByteArray("PROFONDITA_CASUALE=s\r\n")
                              << QStringList{u"PROFONDITA_CASUALE=\"N\""_s};
    QTest::newRow("random Y") << QByteArray("PROFONDITA_CASUALE=\"Y\"\r\n")
                              << QStringList{u"PROFONDITA_CASUALE=\"N\""_s};
    QTest::newRow("out of lists") << QByteArray("TIPO=5\r\nACQUA=-1\r\nCORRENTE=9\r\n")
                                  << QStringList{u"TIPO=-1"_s, u"ACQUA=-1"_s, u"CORRENTE=-1"_s,
                                                 u"GRADOLENTEZZA=0"_s};
    QTest::newRow("33 levels, short types")
        << QByteArray("LIMITI_SUPERIORI=\"" + kExampleLevels.toLatin1()
                      + "9\"\r\nTIPO_LIMITI_SUPERIORI=\"0123\"\r\n")
        << QStringList{u"LIMITI_SUPERIORI=\""_s + kExampleLevels + u'"',
                       u"TIPO_LIMITI_SUPERIORI=\"0123\""_s};
    QTest::newRow("levels 8 and 9")
        << QByteArray("LIMITI_SUPERIORI=\"89000000000000000000000000000000\"\r\n")
        << QStringList{u"LIMITI_SUPERIORI=\"89000000000000000000000000000000\""_s};
    QTest::newRow("empty link") << QByteArray("FILE_PRESENZA_PESCI=\r\n")
                                << QStringList{u"FILE_PRESENZA_PESCI=\"\""_s};
}

void TestLuogoForm::readDefaultsAndClamping()
{
    QFETCH(QByteArray, lines);
    QFETCH(QStringList, saved);
    makePhoto(luoghi() + u"p.jpg"_s, QSize(64, 48));
    TestInstallation::write(luoghi() + u"odd.kvl"_s,
                            "[LUOGO]\r\n" + lines
                                + "NOME=n\r\nDESCRIZIONE=d\r\nFILENAMEFOTO=p.jpg\r\n");
    open(luoghi() + u"odd.kvl"_s);
    QCOMPARE(desk->errors, QStringList());
    // The labels show the held values.
    const auto *dist = ctl<QSlider>(u"LuogoDistMax"_s);
    QCOMPARE(ctl<QLabel>(u"LuogoValDistMax2"_s)->text(), QString::number(dist->value()) + u" mt"_s);
    QCOMPARE(ctl<QLabel>(u"LuogoValPendenza"_s)->text(),
             QString::number(ctl<QSlider>(u"LuogoPendenza"_s)->value()) + u" %"_s);
    QVERIFY(form->Verifica()); // a missing link reads ".kvs", which passes
    saveAs(luoghi() + u"out.kvl"_s);
    const QByteArray file = TestInstallation::read(luoghi() + u"out.kvl"_s);
    for (const QString &line : saved)
        QCOMPARE(keyLine(file, line.section(u'=', 0, 0)), line);
    QCOMPARE(ctl<QLineEdit>(u"LuogoNomeEng"_s)->text(), u"Venue name"_s);
    QCOMPARE(ctl<QPlainTextEdit>(u"LuogoDescrEng"_s)->toPlainText(), u"Venue Description"_s);
}

void TestLuogoForm::depthLabel_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("text");
    QTest::newRow("50") << u"it_IT"_s << 50 << u"50 cm"_s;
    QTest::newRow("99") << u"it_IT"_s << 99 << u"99 cm"_s;
    QTest::newRow("100") << u"it_IT"_s << 100 << u"1 mt"_s;
    QTest::newRow("150 comma") << u"it_IT"_s << 150 << u"1,5 mt"_s;
    QTest::newRow("1234 comma") << u"it_IT"_s << 1234 << u"12,34 mt"_s;
    QTest::newRow("10000") << u"it_IT"_s << 10000 << u"100 mt"_s;
    QTest::newRow("150 point") << u"en_GB"_s << 150 << u"1.5 mt"_s;
}

void TestLuogoForm::depthLabel()
{
    QFETCH(QString, locale);
    QFETCH(int, position);
    QFETCH(QString, text);
    const QLocale before;
    QLocale::setDefault(QLocale(locale));
    auto *bar = ctl<QSlider>(u"LuogoProfondita"_s);
    bar->setValue(position == 50 ? 51 : 50); // the label follows real changes only
    bar->setValue(position);
    QLocale::setDefault(before);
    QCOMPARE(ctl<QLabel>(u"LuogoValProf"_s)->text(), text);
}

void TestLuogoForm::gradoLentezzaFollowsCurrent()
{
    auto *corrente = ctl<QComboBox>(u"LuogoCorrente"_s);
    auto *grado = ctl<QComboBox>(u"LuogoGradoLentezza"_s);
    QVERIFY(!grado->isEnabled());
    grado->setCurrentIndex(2);
    for (int i : {1, 2, 1, 0, 3, -1}) {
        corrente->setCurrentIndex(i);
        QCOMPARE(grado->isEnabled(), i == 1);
        QCOMPARE(grado->currentIndex(), 2); // the degree stays
    }
    Venue v;
    v.lists[2] = 1;
    openVenue(v);
    QVERIFY(grado->isEnabled());
}

void TestLuogoForm::badLevelsTextStopsTheLoad()
{
    openVenue(Venue());
    const QString photo = form->fileNameFoto();
    Venue bad;
    bad.limiti = u"2221a"_s + QString(27, u'7');
    bad.tipi = kZeros;
    bad.link = u"\\\\KVS\\\\Altro"_s;
    bad.foto = u"altra.jpg"_s;
    bad.nome = u"Rotto"_s;
    openVenue(bad, u"Rotto.kvl"_s);
    QCOMPARE(desk->errors.size(), 1);
    QVERIFY2(desk->errors.first().contains(u"'a'"_s), qPrintable(desk->errors.first()));
    // Everything before the levels took effect, nothing after them.
    QCOMPARE(form->fileNameLabel(), u"Rotto.kvl"_s);
    QCOMPARE(ctl<QLineEdit>(u"LuogoNome"_s)->text(), u"Rotto"_s);
    QCOMPARE(form->posShapesToStr(), u"2221"_s + kExampleLevels.mid(4));
    QCOMPARE(shape(4)->geometry().top(), 210 + 156);
    QCOMPARE(form->tipoLimiti(), kExampleTypes);
    QCOMPARE(link(), u"\\KVS\\MioLago.kvs"_s);
    QCOMPARE(form->fileNameFoto(), photo);
    // Shown as in effect: marker 3 (type 2) now rises from level 2.
    QCOMPARE(QColor(overlay()->canvas().pixel(32, 143)), kSky);
    QCOMPARE(qAlpha(overlay()->canvas().pixel(32, 169)), 0);
}

void TestLuogoForm::missingPhotoStillShowsTheProfile()
{
    openVenue(Venue());
    Venue v;
    v.tipi = u"30000000000000000000000000000000"_s;
    v.foto = u"assente.jpg"_s;
    TestInstallation::write(luoghi() + u"Senza.kvl"_s, venueFile(v));
    open(luoghi() + u"Senza.kvl"_s);
    QCOMPARE(desk->errors.size(), 1);
    QVERIFY(desk->errors.first().contains(u"assente.jpg"_s));
    QCOMPARE(form->fileNameFoto(), luoghi() + u"assente.jpg"_s);
    QCOMPARE(shape(1)->penStyle(), ProfileShape::Pen::Clear);
    QCOMPARE(shape(3)->penStyle(), ProfileShape::Pen::Solid);
    QCOMPARE(QColor(overlay()->canvas().pixel(0, 169 - 13)), kSky);
    QCOMPARE(qAlpha(overlay()->canvas().pixel(32, 169)), 0);
}

void TestLuogoForm::verificaOrderAndMessages_data()
{
    QTest::addColumn<bool>("english");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("italian") << false
                             << QStringList{
                                    u"Inserire il nome del luogo."_s,
                                    u"Inserire la descrizione del luogo."_s,
                                    u"Selezionare una foto per il luogo."_s,
                                    u"Selezionare un file 'presenza pesci' per il luogo."_s};
    QTest::newRow("english") << true
                             << QStringList{
                                    u"Venue name not valid."_s, u"Venue description not valid."_s,
                                    u"Venue image not valid."_s, u"\"Fishes file\" not valid."_s};
}

void TestLuogoForm::verificaOrderAndMessages()
{
    QFETCH(bool, english);
    QFETCH(QStringList, expected);
    start(english);
    ctl<QLineEdit>(u"LuogoNomeEng"_s)->setText(u"Lake"_s);
    trigger(u"Salva"_s);
    ctl<QLineEdit>(u"LuogoNome"_s)->setText(u" "_s);
    trigger(u"Salva"_s);
    ctl<QPlainTextEdit>(u"LuogoDescr"_s)->setPlainText(u"d"_s);
    trigger(u"Salva"_s);
    desk->answerOpen(makePhoto(luoghi() + u"p.jpg"_s, QSize(32, 32)));
    ctl<QToolButton>(u"SpeedButtonOpenFoto"_s)->click();
    trigger(u"Salva"_s);
    QCOMPARE(desk->messages, expected);
    desk->answerOpen(kvs() + u"PesciNord.kvs"_s);
    ctl<QToolButton>(u"SpeedButtonOpenKVS"_s)->click();
    QVERIFY(form->Verifica());
    QCOMPARE(desk->dialogs.back().filter, u"File Kvs|*.kvs"_s);
    QCOMPARE(desk->dialogs.back().initDir, kvs());
}

void TestLuogoForm::linkEncodingRoundTrip()
{
    openVenue(Venue());
    TestInstallation::write(kvs() + u"Lago.Vecchio.KVS"_s, "[PESCI]\r\n");
    desk->answerOpen(kvs() + u"Lago.Vecchio.KVS"_s);
    ctl<QToolButton>(u"SpeedButtonOpenKVS"_s)->click();
    QCOMPARE(link(), u"\\KVS\\Lago.Vecchio.KVS"_s);
    saveAs(luoghi() + u"Lago.kvl"_s);
    const QByteArray file = TestInstallation::read(luoghi() + u"Lago.kvl"_s);
    QCOMPARE(keyLine(file, u"FILE_PRESENZA_PESCI"_s),
             u"FILE_PRESENZA_PESCI=\"\\\\KVS\\\\Lago.Vecchio\""_s);
    open(luoghi() + u"Lago.kvl"_s);
    QCOMPARE(link(), u"\\KVS\\Lago.Vecchio.kvs"_s);
    saveAs(luoghi() + u"Lago.kvl"_s);
    QCOMPARE(TestInstallation::read(luoghi() + u"Lago.kvl"_s), file);
    // Cancelling the association changes nothing.
    desk->cancelNextDialog();
    ctl<QToolButton>(u"SpeedButtonOpenKVS"_s)->click();
    QCOMPARE(link(), u"\\KVS\\Lago.Vecchio.kvs"_s);
}

void TestLuogoForm::associatingAListFromElsewhere()
{
    const QString elsewhere = inst->dataPath() + u"/Nuova.kvs"_s;
    TestInstallation::write(elsewhere, "[PESCI]\r\nCARPA=40\r\n");
    desk->answerOpen(elsewhere);
    ctl<QToolButton>(u"SpeedButtonOpenKVS"_s)->click();
    QCOMPARE(link(), u"\\KVS\\Nuova.kvs"_s);
    QCOMPARE(TestInstallation::read(kvs() + u"Nuova.kvs"_s), TestInstallation::read(elsewhere));
    QCOMPARE(desk->messages, QStringList());

    // The same list again: nothing to do.
    desk->answerOpen(elsewhere);
    ctl<QToolButton>(u"SpeedButtonOpenKVS"_s)->click();
    QCOMPARE(desk->messages, QStringList());

    // A different list of a name the folder already has is not copied over it.
    const QString other = inst->dataPath() + u"/MioLago.kvs"_s;
    TestInstallation::write(other, "[PESCI]\r\nLUCCIO=1\r\n");
    const QByteArray before = TestInstallation::read(kvs() + u"MioLago.kvs"_s);
    desk->answerOpen(other);
    ctl<QToolButton>(u"SpeedButtonOpenKVS"_s)->click();
    QCOMPARE(desk->messages.size(), 1);
    QVERIFY(desk->messages.first().contains(u"MioLago.kvs"_s));
    QCOMPARE(link(), u"\\KVS\\Nuova.kvs"_s);
    QCOMPARE(TestInstallation::read(kvs() + u"MioLago.kvs"_s), before);
}

void TestLuogoForm::zipFileLists_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QStringList>("packed");
    QTest::newRow("shipped") << u"\\\\KVS\\\\PesciNord"_s
                             << QStringList{u"./Lago.kvl"_s, u"./lago.jpg"_s};
    QTest::newRow("shipped, other case")
        << u"\\\\kvs\\\\PESCINORD"_s << QStringList{u"./Lago.kvl"_s, u"./lago.jpg"_s};
    QTest::newRow("own") << u"\\\\KVS\\\\MioLago"_s
                         << QStringList{u"./Lago.kvl"_s, u"./lago.jpg"_s, u"./KVS/MioLago.kvs"_s};
    // Refused on load with a message: the venue has no list to pack.
    QTest::newRow("leaves the presence folder")
        << u"\\\\KVS\\\\..\\\\Segreto"_s << QStringList{u"./Lago.kvl"_s, u"./lago.jpg"_s};
}

void TestLuogoForm::zipFileLists()
{
    QFETCH(QString, stored);
    QFETCH(QStringList, packed);
    Venue v;
    v.link = stored;
    TestInstallation::write(luoghi() + u"Segreto.kvs"_s, "not in KVS/");
    openVenue(v);
    desk->answerSave(inst->game() + u"Lago.zip"_s);
    trigger(u"Zip1"_s);
    QCOMPARE(desk->dialogs.back().fileName, u"Lago"_s);
    QCOMPARE(desk->dialogs.back().initDir, inst->game());
    QCOMPARE(desk->messages.size(), stored.contains(u".."_s) ? 1 : 0);
    desk->messages.clear();
    QCOMPARE(desk->processes.size(), size_t(1));
    const QStringList args = desk->processes.back().args;
    QCOMPARE(args.mid(args.indexOf(u"--"_s) + 1), packed);
    QCOMPARE(QDir(desk->processes.back().workDir).canonicalPath(), QDir(luoghi()).canonicalPath());

    // An empty link: its empty entry packs nothing and reports nothing.
    form->New();
    makePhoto(luoghi() + u"p.jpg"_s, QSize(8, 8));
    desk->answerOpen(luoghi() + u"p.jpg"_s);
    ctl<QToolButton>(u"SpeedButtonOpenFoto"_s)->click();
    TestInstallation::write(luoghi() + u"NuovoLuogo.kvl"_s, "[LUOGO]\r\n");
    desk->answerSave(inst->game() + u"Nuovo.zip"_s);
    trigger(u"Zip1"_s);
    QCOMPARE(desk->messages, QStringList());
    const QStringList args2 = desk->processes.back().args;
    QCOMPARE(args2.mid(args2.indexOf(u"--"_s) + 1),
             (QStringList{u"./NuovoLuogo.kvl"_s, u"./p.jpg"_s}));
}

void TestLuogoForm::zipRoundTripWithRealTools()
{
    desk->runProcesses = true;
    openVenue(Venue());
    const QByteArray venue = TestInstallation::read(luoghi() + u"Lago.kvl"_s);
    const QByteArray list = TestInstallation::read(kvs() + u"MioLago.kvs"_s);
    desk->answerSave(inst->game() + u"Lago.zip"_s);
    trigger(u"Zip1"_s);
    QCOMPARE(desk->messages, QStringList());
    QVERIFY(QFileInfo::exists(inst->game() + u"Lago.zip"_s));
    QVERIFY(QFile::remove(luoghi() + u"Lago.kvl"_s));
    QVERIFY(QFile::remove(kvs() + u"MioLago.kvs"_s));
    desk->answerOpen(inst->game() + u"Lago.zip"_s);
    trigger(u"Unzip1"_s);
    QCOMPARE(desk->messages, QStringList());
    QCOMPARE(TestInstallation::read(luoghi() + u"Lago.kvl"_s), venue);
    QCOMPARE(TestInstallation::read(kvs() + u"MioLago.kvs"_s), list);
}

void TestLuogoForm::viewButtonOpensPresenceEditor()
{
    TPresPesciForm &pres = app->PresPesciForm();
    // An empty link opens nothing (an unexpected window would hang here).
    ctl<QToolButton>(u"SpeedButtonViewKVS"_s)->click();
    QVERIFY(!pres.isVisible());

    openVenue(Venue());
    bool seen = false;
    QTimer::singleShot(0, &pres, [&] {
        seen = pres.isVisible() && pres.isModal();
        QCOMPARE(pres.GetKVSFileName(), u"MioLago.kvs"_s);
        QVERIFY(!pres.findChild<QAction *>(u"Nuovo"_s)->isEnabled());
        desk->answerSave(kvs() + u"Copia.kvs"_s);
        pres.findChild<QAction *>(u"Salva"_s)->trigger();
        pres.close();
    });
    ctl<QToolButton>(u"SpeedButtonViewKVS"_s)->click();
    QVERIFY(seen);
    QCOMPARE(link(), u"\\KVS\\Copia.kvs"_s);
    QVERIFY(QFileInfo::exists(kvs() + u"Copia.kvs"_s));

    // Closed without saving: the link keeps its name.
    QTimer::singleShot(0, &pres, [&] { pres.close(); });
    ctl<QToolButton>(u"SpeedButtonViewKVS"_s)->click();
    QCOMPARE(link(), u"\\KVS\\Copia.kvs"_s);
    QCOMPARE(desk->errors, QStringList());
}

void TestLuogoForm::photoDecodedAtHalfScaleAndNotReloaded()
{
    const QString outside = makePhoto(inst->dataPath() + u"/grande.jpg"_s);
    desk->answerOpen(outside);
    ctl<QToolButton>(u"SpeedButtonOpenFoto"_s)->click();
    QCOMPARE(desk->dialogs.back().filter, u"File jpg (*.jpg)|*.jpg|File bmp (*.bmp)|*.bmp"_s);
    QCOMPARE(desk->dialogs.back().initDir, luoghi());
    QCOMPARE(ctl<PictureView>(u"LuogoFoto"_s)->image().size(), QSize(512, 384));
    QCOMPARE(ctl<QWidget>(u"LuogoFoto"_s)->statusTip(), outside);
    QCOMPARE(ctl<QFrame>(u"LuogoBevelFoto"_s)->statusTip(), QString());
    ctl<QLineEdit>(u"LuogoNome"_s)->setText(u"n"_s);
    ctl<QPlainTextEdit>(u"LuogoDescr"_s)->setPlainText(u"d"_s);
    desk->answerOpen(kvs() + u"MioLago.kvs"_s);
    ctl<QToolButton>(u"SpeedButtonOpenKVS"_s)->click();
    // Saved outside the venue folder: the photo still goes there, and the
    // window keeps naming the picked file.
    saveAs(inst->dataPath() + u"/Fuori.kvl"_s);
    QCOMPARE(TestInstallation::read(luoghi() + u"grande.jpg"_s), TestInstallation::read(outside));
    QCOMPARE(form->fileNameFoto(), outside);
    QCOMPARE(ctl<QWidget>(u"LuogoFoto"_s)->statusTip(), outside);
    QCOMPARE(form->fileNameLabel(), u"Fuori.kvl"_s);
    QCOMPARE(desk->messages, QStringList());
}

void TestLuogoForm::englishTexts()
{
    start(true);
    QCOMPARE(shownTitle(form), u"Venue"_s);
    QCOMPARE(form->fileNameLabel(), u"NewVenue.kvl"_s);
    auto *tipo = ctl<QComboBox>(u"LuogoTipo"_s);
    QCOMPARE(tipo->currentText(), u"River or torrent"_s);
    QCOMPARE(tipo->count(), 3);
    QCOMPARE(ctl<QComboBox>(u"LuogoAcqua"_s)->itemText(2), u"Clear & cloudy"_s);
    QCOMPARE(ctl<QLabel>(u"LabelAreaDiPesca"_s)->text(), u"Fishing area"_s);
    QCOMPARE(ctl<QLabel>(u"Label15"_s)->text(), u"Image (800X600 or 1024x768)"_s);
    QCOMPARE(ctl<QCheckBox>(u"LuogoProfCasuale"_s)->text(), u"Random depth"_s);
    QCOMPARE(overlay()->statusTip(),
             u"Left mouse button to change the height, right mouse button to change the type"_s);
    QCOMPARE(ctl<QToolButton>(u"SpeedButtonViewKVS"_s)->statusTip(),
             u"View/modify the \"fishes file\""_s);
    QCOMPARE(ctl<QToolButton>(u"ToolButtonNew"_s)->statusTip(), u"New venue"_s);
    QCOMPARE(ctl<QComboBox>(u"LuogoColorBox"_s)->statusTip(), u"Fishing distance line color"_s);

    // The help text of a pointer away from a marker is the English one.
    showForm();
    QTest::mouseMove(overlay(), QPoint(mid(4), 20));
    QCOMPARE(status(), overlay()->statusTip());
}

QTEST_MAIN(TestLuogoForm)
#include "test_luogoform.moc"
