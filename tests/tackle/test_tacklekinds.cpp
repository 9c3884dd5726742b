// Bait, float and sinker: the same flows, one table per kind.
#include "escaform.h"
#include "galleggianteform.h"
#include "korvalisappform.h"
#include "piombinoform.h"
#include "tackletest.h"

#include <QApplication>
#include <QFrame>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSlider>
#include <QTimer>
#include <QToolButton>

#include <map>

using namespace Qt::StringLiterals;

namespace {

using Values = std::map<QString, QString>;

// "KEY=value|KEY=value"
Values parse(const QString &text)
{
    Values v;
    for (const QString &pair : text.split(u'|', Qt::SkipEmptyParts))
        v[pair.section(u'=', 0, 0)] = pair.section(u'=', 1);
    return v;
}

// One kind as the tests see it: its file layout with %KEY% for each value,
// and the values of a new item and of a file that has only its pictures.
struct KindCase
{
    ItemKind kind;
    QString folder;
    QString prefix;
    QStringList pictureButtons; // in file order; the first is the photo
    QStringList pictureNames;
    QStringList layout;
    Values newValues;
    Values readDefaults;
    // Controls and values (a list index or a bar position), set as a user
    // would, in this order, and what the file then holds.
    Values filled;
    QStringList fillOrder;
    Values filledValues;
};

const QString kTitle = uR"(; =================================================
; %TITLE%
; =================================================
; 
; Creato con Korvalis Editor 1.2a 
; -------------------------------------------------
)"_s;
const int kTitleLines = 7;

KindCase kindCase(ItemKind kind, const QString &prefix, const QStringList &buttons,
                  const QStringList &pictures, const QString &layout, const QString &newValues,
                  const QString &readDefaults, const QString &filled, const QString &filledValues)
{
    QStringList fillOrder;
    for (const QString &pair : filled.split(u'|'))
        fillOrder << pair.section(u'=', 0, 0);
    return {kind,
            kindInfo(kind).folder,
            prefix,
            buttons,
            pictures,
            QString(kTitle + layout).split(u'\n'),
            parse(newValues),
            parse(readDefaults),
            parse(filled),
            fillOrder,
            parse(filledValues)};
}

const std::map<QString, KindCase> &kinds()
{
    static const std::map<QString, KindCase> table{
        {u"bait"_s,
         kindCase(ItemKind::Esca, u"Esca"_s, {u"SpeedButton1"_s}, {u"esca.jpg"_s}, uR"(
[ESCA]

; Nome dell'esca (max 32 chr)
NOME="%NOME%"
NAME="%NAME%"

; Descrizione dell'esca (max 256 chr)
DESCRIZIONE="%DESCRIZIONE%"
DESCRIPTION="%DESCRIPTION%"

; Tipo dell'esca: 0=Crostaceo, 1=Formaggio, 2=Frutta, 3=Insetto, 4=Larva,
;                 5=Pane o Polenta, 6=Vegetale, 7=Verme, 8=Vivo,
;                 9=Artificiale, 10=Carne (morto), 11=Pastella, 12=Mollusco
;                 13=Spinning
TIPO=%TIPO%

; Colore ideale dell'amo: 0=grigio, 1=bronzo, 2=brunito, 3=rosso, 4=dorato, 5=verde
COLORE_AMO=%COLORE_AMO%

; Curva ideale dell'amo: 0=crystal, 1=rotonda, 2=ampia
CURVA_AMO=%CURVA_AMO%

; Tipo luogo ideale di utilizzo: -1=ovunque, 0=Fiume, 1=Lago, 2=Mare
TIPO_LUOGO=%TIPO_LUOGO%

; Foto dell'esca (immagine 100x100 px)
FILENAMEFOTO="%FILENAMEFOTO%"

; Profondità di lavoro dell'esca da spinning (in cm, min 0, max 10000)
MAX_PROF=%MAX_PROF%

; Peso dell'esca da spinning (100=1 gr, min 200, max 20000)
PESO=%PESO%)"_s,
                  u"TIPO=0|COLORE_AMO=-1|CURVA_AMO=-1|TIPO_LUOGO=-1|MAX_PROF=0|PESO=200"_s,
                  u"NOME=Nome Esca|NAME=Bait name|DESCRIZIONE=Descrizione Esca|"
                  "DESCRIPTION=Bait description|TIPO=0|COLORE_AMO=-1|CURVA_AMO=-1|"
                  "TIPO_LUOGO=-1|MAX_PROF=0|PESO=200"_s,
                  u"EscaTipo=13|EscaColoreAmo=3|EscaCurvaAmo=2|EscaLuogoIdeale=3|"
                  "EscaProfondita=150|EscaPeso=1550"_s,
                  u"TIPO=13|COLORE_AMO=2|CURVA_AMO=1|TIPO_LUOGO=2|MAX_PROF=150|PESO=1550"_s)},
        {u"float"_s,
         kindCase(ItemKind::Galleggiante, u"Gall"_s, {u"SpeedButtonFoto"_s, u"SpeedButtonSprite"_s},
                  {u"gall.jpg"_s, u"gall_sprite.bmp"_s}, uR"(
[GALLEGGIANTE]

; Nome del galleggiante (max 32 chr)
NOME="%NOME%"
NAME="%NAME%"

; Descrizione del galleggiante (max 256 chr)
DESCRIZIONE="%DESCRIZIONE%"
DESCRIPTION="%DESCRIPTION%"

; Foto del galleggiante (immagine 50x350 px)
FILENAMEFOTO="%FILENAMEFOTO%"

; Sprite del galleggiante (immagine 15x45 px)
FILENAMESPRITE="%FILENAMESPRITE%"

; Corrente ideale di utilizzo: 0=Ferma (o mare calmo), 1=Lenta (o mare poco mosso), 2=Media (o mare abbastanza mosso), 3=Veloce (o mare molto mosso)
CORRENTE=%CORRENTE%

; Peso del galleggiante in centesimi di gr. (min 20, max 800)
PESO=%PESO%

; Tipo galleggiante: 0=Fisso, 1=scorrevole
TIPO=%TIPO%)"_s,
                  u"CORRENTE=0|PESO=20|TIPO=0"_s,
                  u"NOME=Nome Galleggiante|NAME=Float name|DESCRIZIONE=Descrizione "
                  "Galleggiante|DESCRIPTION=Float description|CORRENTE=0|PESO=20|TIPO=0"_s,
                  u"GallCorrente=2|GallPeso=275|GallTipo=1"_s, u"CORRENTE=2|PESO=275|TIPO=1"_s)},
        {u"sinker"_s,
         kindCase(ItemKind::Piombino, u"Piombo"_s, {u"SpeedButtonOpenFoto"_s}, {u"piombo.bmp"_s},
                  uR"(
[PIOMBINO]

; Nome del piombino (max 32 chr)
NOME="%NOME%"
NAME="%NAME%"

; Descrizione del piombino (max 256 chr)
DESCRIZIONE="%DESCRIZIONE%"
DESCRIPTION="%DESCRIPTION%"

; Tipo di piombino: 0=fisso, 1=scorrevole
TIPO=%TIPO%

; Peso del piombino in centesimi di gr. (min 10, max 12000, 100=1 gr.)
PESO=%PESO%

; Attacco del piombino (0=lenza, 1=girella)
ATTACCO=%ATTACCO%

; Forma del piombino (0=sferica, 1=altro)
FORMA=%FORMA%

; Foto del piombino (immagine 100x100 px)
FILENAMEFOTO="%FILENAMEFOTO%")"_s,
                  u"TIPO=0|PESO=1|ATTACCO=0|FORMA=0"_s,
                  u"NOME=Nome Piombino|NAME=Shot name|DESCRIZIONE=Descrizione Piombino|"
                  "DESCRIPTION=Shot description|TIPO=0|PESO=2|ATTACCO=0|FORMA=0"_s,
                  u"PiomboTipo=1|PiomboPeso=1550|PiomboAttacco=1|PiomboForma=1"_s,
                  u"TIPO=1|PESO=1550|ATTACCO=1|FORMA=1"_s)},
    };
    return table;
}

// The file of `k` with `values`; the title carries the Italian name.
QByteArray expectedFile(const KindCase &k, Values values)
{
    const QString section = k.layout[kTitleLines].mid(1).chopped(1);
    values[u"TITLE"_s] = section + u": "_s + values[u"NOME"_s];
    QByteArray out;
    for (QString line : k.layout) {
        for (const auto &[key, value] : values)
            line.replace(u'%' + key + u'%', value);
        if (line.contains(u'%'))
            qFatal("no value for %s", qPrintable(line));
        out += line.toLatin1() + "\r\n";
    }
    return out;
}

QString keyLine(const QByteArray &file, const QString &key)
{
    for (const QByteArray &line : file.split('\n'))
        if (line.startsWith(QByteArray(key.toLatin1() + '=')))
            return QString::fromLatin1(line.trimmed());
    return QString();
}

} // namespace

class TestTackleKinds : public QObject, public TackleFixture
{
    Q_OBJECT

private:
    const KindCase *kc = nullptr;

    void start(const QString &kind, bool englishUi = false)
    {
        kc = &kinds().at(kind);
        TackleFixture::start(englishUi, kc->kind);
    }
    QString folder() const { return inst->game() + kc->folder; }

    QSlider *bar(const QString &name) const { return ctl<QSlider>(name); }
    QString label(const QString &name) const { return ctl<QLabel>(name)->text(); }

    // Picks an entry as the user does: the change handler runs.
    void pick(const QString &name, int index)
    {
        combo(name)->setCurrentIndex(index);
        Q_EMIT combo(name)->activated(index);
    }
    void set(const QString &name, int value)
    {
        if (form->findChild<QComboBox *>(name))
            pick(name, value);
        else
            bar(name)->setValue(value);
    }

    // Picks every picture of the kind from `dir`, in file order.
    void pickPictures(const QString &dir, int count = -1)
    {
        const int n = count < 0 ? int(kc->pictureButtons.size()) : count;
        for (int i = 0; i < n; ++i) {
            desk->answerOpen(makePicture(dir + kc->pictureNames[i]));
            ctl<QToolButton>(kc->pictureButtons[i])->click();
        }
    }
    void setTexts(const QString &nome, const QString &name, const QString &descr,
                  const QString &descrEng)
    {
        ctl<QLineEdit>(kc->prefix + u"Nome"_s)->setText(nome);
        ctl<QLineEdit>(kc->prefix + u"NomeEng"_s)->setText(name);
        ctl<QPlainTextEdit>(kc->prefix + u"Descr"_s)->setPlainText(descr);
        ctl<QPlainTextEdit>(kc->prefix + u"DescrEng"_s)->setPlainText(descrEng);
    }
    Values pictureValues() const
    {
        Values v{{u"FILENAMEFOTO"_s, kc->pictureNames[0]}};
        if (kc->pictureNames.size() > 1)
            v[u"FILENAMESPRITE"_s] = kc->pictureNames[1];
        return v;
    }
    // A file of `kind` with `lines` and every picture present.
    QString writeItem(const QByteArray &lines)
    {
        QByteArray file = "[" + kc->layout[kTitleLines].mid(1).chopped(1).toLatin1() + "]\r\n";
        const Values pics = pictureValues();
        for (const auto &[key, name] : pics) {
            makePicture(folder() + name);
            file += key.toLatin1() + "=" + name.toLatin1() + "\r\n";
        }
        QString path = folder() + u"item"_s + kindInfo(kc->kind).extension;
        TestInstallation::write(path, file + lines);
        return path;
    }

    std::vector<size_t> pictureFields() const
    {
        std::vector<size_t> out;
        for (size_t i = 0; i < form->form().fields.size(); ++i)
            if (form->form().fields[i].type == FieldSpec::Type::Picture)
                out.push_back(i);
        return out;
    }

    static void addKindRows(bool withLanguages)
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("english");
        for (const auto &[name, k] : kinds()) {
            QTest::newRow(qPrintable(name)) << name << false;
            if (withLanguages)
                QTest::newRow(qPrintable(name + u" english"_s)) << name << true;
        }
    }

private Q_SLOTS:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy)); }
    void cleanup() { finish(); }

    void newItemSavedUnchanged_data() { addKindRows(true); }
    void newItemSavedUnchanged();
    void filledItemRoundTrip_data() { addKindRows(true); }
    void filledItemRoundTrip();
    void missingKeysGiveReadDefaults_data() { addKindRows(false); }
    void missingKeysGiveReadDefaults();
    void outOfListValues_data();
    void outOfListValues();
    void trackBarsClampOnRead_data();
    void trackBarsClampOnRead();
    void verificaOrderAndMessages_data();
    void verificaOrderAndMessages();
    void picturesGoToTheKindFolder_data() { addKindRows(false); }
    void picturesGoToTheKindFolder();
    void zipExportPacksEveryPicture_data() { addKindRows(false); }
    void zipExportPacksEveryPicture();
    void baitSpinningSwitch();
    void baitLoadOrder_data();
    void baitLoadOrder();
    void floatIdealCurrent_data();
    void floatIdealCurrent();
    void floatSprite();
    void weightLabelAfterNew_data() { addKindRows(true); }
    void weightLabelAfterNew();
    void englishWindowTexts();
    void noItalianLeftInEnglish_data() { addKindRows(false); }
    void noItalianLeftInEnglish();
    void windowFrame_data() { addKindRows(true); }
    void windowFrame();
    void mainWindowOpensEditorWithNew_data() { addKindRows(false); }
    void mainWindowOpensEditorWithNew();
};

void TestTackleKinds::newItemSavedUnchanged()
{
    QFETCH(QString, kind);
    QFETCH(bool, english);
    start(kind, english);
    setTexts(u"N"_s, QString(), u"D"_s, QString());
    pickPictures(folder());
    saveAs(folder() + u"new.x"_s);
    QCOMPARE(desk->errors, QStringList());
    QCOMPARE(desk->messages, QStringList());
    Values v = kc->newValues;
    v.merge(pictureValues());
    v.merge(Values{{u"NOME"_s, u"N"_s},
                   {u"NAME"_s, QString()},
                   {u"DESCRIZIONE"_s, u"D"_s},
                   {u"DESCRIPTION"_s, QString()}});
    QCOMPARE(TestInstallation::read(folder() + u"new.x"_s), expectedFile(*kc, v));
    const KindInfo &info = kindInfo(kc->kind);
    QCOMPARE(desk->dialogs.back().fileName, info.newFileName(english));
    QCOMPARE(desk->dialogs.back().filter, info.fileFilter());
    QCOMPARE(desk->dialogs.back().initDir, folder());
}

void TestTackleKinds::filledItemRoundTrip()
{
    QFETCH(QString, kind);
    QFETCH(bool, english);
    start(kind, english);
    const QString nome = u"Perché sì"_s; // Windows-1252 in the file
    setTexts(nome, u"Why yes"_s, u"Descrizione à lunga"_s, u"Long description"_s);
    for (const QString &control : kc->fillOrder)
        set(control, kc->filled.at(control).toInt());
    const QString outside = inst->dataPath() + u"/pictures/"_s;
    QDir().mkpath(outside);
    pickPictures(outside);
    saveAs(folder() + u"filled.x"_s);
    QCOMPARE(desk->errors, QStringList());
    Values v = kc->filledValues;
    v.merge(pictureValues());
    v.merge(Values{{u"NOME"_s, nome},
                   {u"NAME"_s, u"Why yes"_s},
                   {u"DESCRIZIONE"_s, u"Descrizione à lunga"_s},
                   {u"DESCRIPTION"_s, u"Long description"_s}});
    const QByteArray expected = expectedFile(*kc, v);
    QCOMPARE(TestInstallation::read(folder() + u"filled.x"_s), expected);

    // Read back into a fresh window, every control holds what was set, and
    // saving again gives the same bytes.
    form->New();
    open(folder() + u"filled.x"_s);
    QCOMPARE(desk->errors, QStringList());
    for (const auto &[control, value] : kc->filled) {
        if (auto *c = form->findChild<QComboBox *>(control))
            QCOMPARE(c->currentIndex(), value.toInt());
        else
            QCOMPARE(bar(control)->value(), value.toInt());
    }
    saveAs(folder() + u"again.x"_s);
    QCOMPARE(TestInstallation::read(folder() + u"again.x"_s), expected);
}

void TestTackleKinds::missingKeysGiveReadDefaults()
{
    QFETCH(QString, kind);
    start(kind);
    // Only the pictures, so that reading goes to the end.
    open(writeItem(QByteArray()));
    QCOMPARE(desk->errors, QStringList());
    QCOMPARE(form->fileNameLabel(), u"item"_s + kindInfo(kc->kind).extension);
    saveAs(folder() + u"defaults.x"_s);
    Values v = kc->readDefaults;
    v.merge(pictureValues());
    QCOMPARE(TestInstallation::read(folder() + u"defaults.x"_s), expectedFile(*kc, v));

    // A file with nothing at all: the texts are read, then the photo fails.
    TestInstallation::write(folder() + u"empty.x"_s, QByteArray());
    form->New();
    open(folder() + u"empty.x"_s);
    QCOMPARE(desk->errors.size(), 1);
    QCOMPARE(ctl<QLineEdit>(kc->prefix + u"Nome"_s)->text(), kc->readDefaults.at(u"NOME"_s));
    QCOMPARE(ctl<QPlainTextEdit>(kc->prefix + u"DescrEng"_s)->toPlainText(),
             kc->readDefaults.at(u"DESCRIPTION"_s));
}

void TestTackleKinds::outOfListValues_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("saved"); // the encoding of -1
    QTest::newRow("bait type") << u"bait"_s << u"EscaTipo"_s << u"TIPO"_s << u"14"_s << u"-1"_s;
    QTest::newRow("bait colour") << u"bait"_s << u"EscaColoreAmo"_s << u"COLORE_AMO"_s << u"6"_s
                                 << u"-2"_s;
    QTest::newRow("bait bend") << u"bait"_s << u"EscaCurvaAmo"_s << u"CURVA_AMO"_s << u"-2"_s
                               << u"-2"_s;
    QTest::newRow("bait venue") << u"bait"_s << u"EscaLuogoIdeale"_s << u"TIPO_LUOGO"_s << u"3"_s
                                << u"-2"_s;
    QTest::newRow("float current")
        << u"float"_s << u"GallCorrente"_s << u"CORRENTE"_s << u"4"_s << u"-1"_s;
    QTest::newRow("float type") << u"float"_s << u"GallTipo"_s << u"TIPO"_s << u"-1"_s << u"-1"_s;
    QTest::newRow("sinker type") << u"sinker"_s << u"PiomboTipo"_s << u"TIPO"_s << u"2"_s
                                 << u"-1"_s;
    QTest::newRow("sinker link") << u"sinker"_s << u"PiomboAttacco"_s << u"ATTACCO"_s << u"$7"_s
                                 << u"-1"_s;
    QTest::newRow("sinker shape") << u"sinker"_s << u"PiomboForma"_s << u"FORMA"_s << u"-5"_s
                                  << u"-1"_s;
}

void TestTackleKinds::outOfListValues()
{
    QFETCH(QString, kind);
    QFETCH(QString, control);
    QFETCH(QString, key);
    QFETCH(QString, stored);
    QFETCH(QString, saved);
    start(kind);
    open(writeItem("NOME=n\r\nDESCRIZIONE=d\r\n" + key.toLatin1() + "=" + stored.toLatin1()
                   + "\r\n"));
    QCOMPARE(desk->errors, QStringList());
    QCOMPARE(combo(control)->currentIndex(), -1);
    saveAs(folder() + u"out.x"_s);
    QCOMPARE(keyLine(TestInstallation::read(folder() + u"out.x"_s), key), key + u'=' + saved);
}

void TestTackleKinds::trackBarsClampOnRead_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QByteArray>("lines");
    QTest::addColumn<QString>("control");
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("valueLabel");
    QTest::addColumn<QString>("text");
    const QByteArray spinning = "TIPO=13\r\n";
    QTest::newRow("bait weight low") << u"bait"_s << spinning + "PESO=50" << u"EscaPeso"_s << 200
                                     << u"EscaValPeso"_s << u"2 gr"_s;
    QTest::newRow("bait weight high") << u"bait"_s << spinning + "PESO=30000" << u"EscaPeso"_s
                                      << 20000 << u"EscaValPeso"_s << u"200 gr"_s;
    QTest::newRow("bait weight bad") << u"bait"_s << spinning + "PESO=2g" << u"EscaPeso"_s << 200
                                     << u"EscaValPeso"_s << u"2 gr"_s;
    QTest::newRow("bait depth high")
        << u"bait"_s << spinning + "MAX_PROF=20000" << u"EscaProfondita"_s << 10000
        << u"EscaValProf"_s << u"100 mt"_s;
    QTest::newRow("bait depth low") << u"bait"_s << spinning + "MAX_PROF=-1" << u"EscaProfondita"_s
                                    << 0 << u"EscaValProf"_s << u"0 cm"_s;
    QTest::newRow("float low") << u"float"_s << QByteArray("PESO=5") << u"GallPeso"_s << 20
                               << u"GallValPeso"_s << u"0,2 gr"_s;
    QTest::newRow("float high") << u"float"_s << QByteArray("PESO=0x400") << u"GallPeso"_s << 800
                                << u"GallValPeso"_s << u"8 gr"_s;
    QTest::newRow("float bad") << u"float"_s << QByteArray("PESO=tanto") << u"GallPeso"_s << 20
                               << u"GallValPeso"_s << u"0,2 gr"_s;
    QTest::newRow("float inside") << u"float"_s << QByteArray("PESO=125") << u"GallPeso"_s << 125
                                  << u"GallValPeso"_s << u"1,25 gr"_s;
    QTest::newRow("sinker zero") << u"sinker"_s << QByteArray("PESO=0") << u"PiomboPeso"_s << 1
                                 << u"PiomboValPeso"_s << u"0,01 gr"_s;
    QTest::newRow("sinker high") << u"sinker"_s << QByteArray("PESO=12001") << u"PiomboPeso"_s
                                 << 12000 << u"PiomboValPeso"_s << u"120 gr"_s;
    QTest::newRow("sinker missing") << u"sinker"_s << QByteArray() << u"PiomboPeso"_s << 2
                                    << u"PiomboValPeso"_s << u"0,02 gr"_s;
    QTest::newRow("sinker below comment") << u"sinker"_s << QByteArray("PESO=9") << u"PiomboPeso"_s
                                          << 9 << u"PiomboValPeso"_s << u"0,09 gr"_s;
}

void TestTackleKinds::trackBarsClampOnRead()
{
    QFETCH(QString, kind);
    QFETCH(QByteArray, lines);
    QFETCH(QString, control);
    QFETCH(int, position);
    QFETCH(QString, valueLabel);
    QFETCH(QString, text);
    start(kind);
    open(writeItem(lines + "\r\n"));
    QCOMPARE(desk->errors, QStringList());
    QCOMPARE(bar(control)->value(), position);
    QCOMPARE(label(valueLabel), text);
    // The next save writes the held value.
    saveAs(folder() + u"clamped.x"_s);
    const QString key = form->form().fields[form->fieldIndex(control)].key;
    QCOMPARE(keyLine(TestInstallation::read(folder() + u"clamped.x"_s), key),
             key + u'=' + QString::number(position));
}

void TestTackleKinds::verificaOrderAndMessages_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("english");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("bait") << u"bait"_s << false
                          << QStringList{u"Inserire il nome dell'esca."_s,
                                         u"Inserire la descrizione dell'esca."_s,
                                         u"Selezionare una foto per l'esca."_s};
    QTest::newRow("bait english") << u"bait"_s << true
                                  << QStringList{u"Bait name not valid."_s,
                                                 u"Bait description not valid."_s,
                                                 u"Bait image not valid."_s};
    QTest::newRow("float") << u"float"_s << false
                           << QStringList{u"Inserire il nome del galleggiante."_s,
                                          u"Inserire la descrizione del galleggiante."_s,
                                          u"Selezionare una foto per il galleggiante."_s,
                                          u"Selezionare uno sprite per il galleggiante."_s};
    QTest::newRow("float english")
        << u"float"_s << true
        << QStringList{u"Floating name not valid."_s, u"Floating description not valid."_s,
                       u"Floating image not valid."_s, u"Floating sprite not valid."_s};
    QTest::newRow("sinker") << u"sinker"_s << false
                            << QStringList{u"Inserire il nome del piombino."_s,
                                           u"Inserire la descrizione del piombino."_s,
                                           u"Selezionare una foto il piombino."_s};
    QTest::newRow("sinker english")
        << u"sinker"_s << true
        << QStringList{u"Shot name not valid."_s, u"Shot description not valid."_s,
                       u"Shot image not valid."_s};
}

void TestTackleKinds::verificaOrderAndMessages()
{
    QFETCH(QString, kind);
    QFETCH(bool, english);
    QFETCH(QStringList, expected);
    start(kind, english);
    // English texts are never checked; each step mends one check.
    setTexts(QString(), u"Name"_s, QString(), u"Descr"_s);
    ctl<QAction>(u"Salva"_s)->trigger();
    ctl<QLineEdit>(kc->prefix + u"Nome"_s)->setText(u" "_s);
    ctl<QAction>(u"Salva"_s)->trigger();
    ctl<QPlainTextEdit>(kc->prefix + u"Descr"_s)->setPlainText(u"d"_s);
    for (int i = 0; i < kc->pictureButtons.size(); ++i) {
        ctl<QAction>(u"Salva"_s)->trigger();
        pickPictures(folder(), i + 1);
    }
    QCOMPARE(desk->messages, expected);
    QVERIFY(QDir(folder()).entryList({u"*.kv?"_s}, QDir::Files).isEmpty());
    QVERIFY(form->Verifica());
}

void TestTackleKinds::picturesGoToTheKindFolder()
{
    QFETCH(QString, kind);
    start(kind);
    setTexts(u"n"_s, QString(), u"d"_s, QString());
    const QString outside = inst->dataPath() + u"/pictures/"_s;
    QDir().mkpath(outside);
    pickPictures(outside);
    // Each pick its own filter, starting in the kind folder.
    QCOMPARE(desk->dialogs[0].filter, u"File jpg (*.jpg)|*.jpg|File bmp (*.bmp)|*.bmp"_s);
    if (kc->pictureButtons.size() > 1)
        QCOMPARE(desk->dialogs[1].filter, u"File bmp (*.bmp)|*.bmp"_s);
    for (const auto &d : desk->dialogs)
        QCOMPARE(d.initDir, folder());

    // Saved outside the kind folder: the pictures still go there.
    saveAs(inst->dataPath() + u"/elsewhere.x"_s);
    QCOMPARE(desk->errors, QStringList());
    // The bait keeps showing the picture from where it was picked.
    const bool reloads = kc->kind != ItemKind::Esca;
    const std::vector<size_t> pictures = pictureFields();
    for (int i = 0; i < kc->pictureNames.size(); ++i) {
        const QString name = kc->pictureNames[i];
        QCOMPARE(TestInstallation::read(folder() + name), TestInstallation::read(outside + name));
        const QString shown = (reloads ? folder() : outside) + name;
        const FieldSpec &spec = form->form().fields[pictures[i]];
        QCOMPARE(form->picturePath(pictures[i]), shown);
        QCOMPARE(ctl<QFrame>(spec.frame)->statusTip(), shown);
    }
    QCOMPARE(form->fileNameLabel(), u"elsewhere.x"_s);
}

void TestTackleKinds::zipExportPacksEveryPicture()
{
    QFETCH(QString, kind);
    start(kind);
    desk->runProcesses = true;
    setTexts(u"n"_s, QString(), u"d"_s, QString());
    pickPictures(inst->dataPath() + u"/"_s);
    const QString item = u"Mio"_s + kindInfo(kc->kind).extension;
    saveAs(folder() + item);
    QByteArray before[3];
    const QStringList files = QStringList{item} + kc->pictureNames;
    for (int i = 0; i < files.size(); ++i)
        before[i] = TestInstallation::read(folder() + files[i]);

    desk->answerSave(inst->game() + u"Mio.zip"_s);
    ctl<QAction>(u"Zip1"_s)->trigger();
    QCOMPARE(desk->dialogs.back().fileName, u"Mio"_s);
    QCOMPARE(desk->messages, QStringList());
    QCOMPARE(desk->processes.size(), size_t(1));
    QCOMPARE(desk->processes[0].workDir, folder().chopped(1));
    for (const QString &f : files)
        QVERIFY2(desk->processes[0].args.contains(u"./"_s + f), qPrintable(f));

    // Everything comes back from the archive.
    for (const QString &f : files)
        QVERIFY(QFile::remove(folder() + f));
    desk->answerOpen(inst->game() + u"Mio.zip"_s);
    ctl<QAction>(u"Unzip1"_s)->trigger();
    QCOMPARE(desk->messages, QStringList());
    for (int i = 0; i < files.size(); ++i)
        QCOMPARE(TestInstallation::read(folder() + files[i]), before[i]);
}

void TestTackleKinds::baitSpinningSwitch()
{
    start(u"bait"_s);
    auto *prof = bar(u"EscaProfondita"_s);
    auto *peso = bar(u"EscaPeso"_s);
    // A new bait is no spinning bait.
    QVERIFY(!prof->isEnabled() && !peso->isEnabled());
    QCOMPARE(peso->value(), 200);
    QCOMPARE(label(u"EscaValPeso"_s), u"0 gr"_s);
    QCOMPARE(label(u"EscaValProf"_s), u"0 cm"_s);

    // Set by the program, the type changes nothing; picked, it does.
    combo(u"EscaTipo"_s)->setCurrentIndex(TEscaForm::kSpinning);
    QVERIFY(!peso->isEnabled());
    pick(u"EscaTipo"_s, TEscaForm::kSpinning);
    QVERIFY(prof->isEnabled() && peso->isEnabled());
    QCOMPARE(label(u"EscaValPeso"_s), u"2 gr"_s);

    const std::pair<int, const char *> depths[] = {
        {99, "99 cm"}, {100, "1 mt"}, {150, "1,5 mt"}, {10000, "100 mt"}, {0, "0 cm"}};
    for (const auto &[position, text] : depths) {
        prof->setValue(position);
        QCOMPARE(label(u"EscaValProf"_s), QString::fromLatin1(text));
    }
    const std::pair<int, const char *> weights[] = {
        {1550, "15,5 gr"}, {250, "2,5 gr"}, {333, "3,33 gr"}, {20000, "200 gr"}};
    for (const auto &[position, text] : weights) {
        peso->setValue(position);
        QCOMPARE(label(u"EscaValPeso"_s), QString::fromLatin1(text));
    }

    // Picking spinning again resets the weight and keeps the depth.
    prof->setValue(150);
    pick(u"EscaTipo"_s, TEscaForm::kSpinning);
    QCOMPARE(peso->value(), 200);
    QCOMPARE(prof->value(), 150);
    QCOMPARE(label(u"EscaValPeso"_s), u"2 gr"_s);

    // Another type: depth 0, weight 200, both off, and the weight reads 0.
    peso->setValue(1550);
    pick(u"EscaTipo"_s, 7); // "Verme"
    QCOMPARE(prof->value(), 0);
    QCOMPARE(label(u"EscaValProf"_s), u"0 cm"_s);
    QCOMPARE(peso->value(), 200);
    QCOMPARE(label(u"EscaValPeso"_s), u"0 gr"_s);
    QVERIFY(!prof->isEnabled() && !peso->isEnabled());
}

void TestTackleKinds::baitLoadOrder_data()
{
    QTest::addColumn<QByteArray>("lines");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<int>("depth");
    QTest::addColumn<int>("weight");
    QTest::addColumn<QString>("depthText");
    QTest::addColumn<QString>("weightText");
    // The bars take the file's values after the type has decided, even
    // when disabled; the weight label only follows a real change.
    QTest::newRow("not spinning, weight") << QByteArray("TIPO=7\r\nPESO=500\r\nMAX_PROF=300")
                                          << false << 300 << 500 << u"3 mt"_s << u"5 gr"_s;
    QTest::newRow("not spinning, 200")
        << QByteArray("TIPO=7\r\nPESO=200") << false << 0 << 200 << u"0 cm"_s << u"0 gr"_s;
    QTest::newRow("spinning, 200")
        << QByteArray("TIPO=13\r\nPESO=200") << true << 0 << 200 << u"0 cm"_s << u"2 gr"_s;
    QTest::newRow("spinning") << QByteArray("TIPO=13\r\nPESO=1550\r\nMAX_PROF=99") << true << 99
                              << 1550 << u"99 cm"_s << u"15,5 gr"_s;
    QTest::newRow("no type") << QByteArray("PESO=400") << false << 0 << 400 << u"0 cm"_s
                             << u"4 gr"_s;
}

void TestTackleKinds::baitLoadOrder()
{
    QFETCH(QByteArray, lines);
    QFETCH(bool, enabled);
    QFETCH(int, depth);
    QFETCH(int, weight);
    QFETCH(QString, depthText);
    QFETCH(QString, weightText);
    start(u"bait"_s);
    open(writeItem(lines + "\r\n"));
    QCOMPARE(desk->errors, QStringList());
    QCOMPARE(bar(u"EscaPeso"_s)->isEnabled(), enabled);
    QCOMPARE(bar(u"EscaProfondita"_s)->isEnabled(), enabled);
    QCOMPARE(bar(u"EscaProfondita"_s)->value(), depth);
    QCOMPARE(bar(u"EscaPeso"_s)->value(), weight);
    QCOMPARE(label(u"EscaValProf"_s), depthText);
    QCOMPARE(label(u"EscaValPeso"_s), weightText);
    saveAs(folder() + u"again.kve"_s);
    const QByteArray saved = TestInstallation::read(folder() + u"again.kve"_s);
    QCOMPARE(keyLine(saved, u"PESO"_s), u"PESO="_s + QString::number(weight));
    QCOMPARE(keyLine(saved, u"MAX_PROF"_s), u"MAX_PROF="_s + QString::number(depth));

    // A picture that cannot be loaded ends Load before the type decides:
    // the bars keep their state and values.
    TestInstallation::write(folder() + u"nopic.kve"_s,
                            "[ESCA]\r\nTIPO=13\r\nFILENAMEFOTO=gone.jpg\r\nPESO=900\r\n");
    open(folder() + u"nopic.kve"_s);
    QCOMPARE(desk->errors.size(), 1);
    QCOMPARE(combo(u"EscaTipo"_s)->currentIndex(), TEscaForm::kSpinning);
    QCOMPARE(bar(u"EscaPeso"_s)->isEnabled(), enabled);
    QCOMPARE(bar(u"EscaPeso"_s)->value(), weight);
}

void TestTackleKinds::floatIdealCurrent_data()
{
    QTest::addColumn<int>("weight");
    QTest::addColumn<int>("current");
    for (const auto &[weight, current] :
         {std::pair{20, 0}, {125, 0}, {126, 1}, {200, 1}, {201, 2}, {300, 2}, {301, 3}, {800, 3}})
        QTest::addRow("%d", weight) << weight << current;
}

void TestTackleKinds::floatIdealCurrent()
{
    QFETCH(int, weight);
    QFETCH(int, current);
    start(u"float"_s);
    auto *corrente = combo(u"GallCorrente"_s);
    pick(u"GallCorrente"_s, current == 3 ? 0 : 3);
    bar(u"GallPeso"_s)->setValue(weight);
    // Only the button computes; moving the weight does not.
    QCOMPARE(corrente->currentIndex(), current == 3 ? 0 : 3);
    int changes = 0;
    connect(corrente, &QComboBox::currentIndexChanged, this, [&] { ++changes; });
    ctl<QPushButton>(u"GallCalc_bt"_s)->click();
    QCOMPARE(corrente->currentIndex(), current);
    QCOMPARE(changes, 1);
    // Clicking again with the same result changes nothing.
    ctl<QPushButton>(u"GallCalc_bt"_s)->click();
    QCOMPARE(changes, 1);
}

void TestTackleKinds::floatSprite()
{
    start(u"float"_s);
    setTexts(u"n"_s, QString(), u"d"_s, QString());
    pickPictures(folder());
    saveAs(folder() + u"g.kvg"_s);
    // The sprite is read after the photo; a missing sprite is reported,
    // and its path is the one tried.
    TestInstallation::write(folder() + u"nosprite.kvg"_s,
                            "[GALLEGGIANTE]\r\nNOME=x\r\nPESO=300\r\nFILENAMEFOTO=gall.jpg\r\n");
    open(folder() + u"nosprite.kvg"_s);
    QCOMPARE(desk->errors.size(), 1);
    const std::vector<size_t> pictures = pictureFields();
    QCOMPARE(form->picturePath(pictures[0]), folder() + u"gall.jpg"_s);
    QCOMPARE(form->picturePath(pictures[1]), folder());
    QCOMPARE(ctl<QFrame>(u"GallBevelSprite"_s)->statusTip(), folder() + u"gall_sprite.bmp"_s);
    QCOMPARE(bar(u"GallPeso"_s)->value(), 300);

    // A missing photo stops before the sprite, after the lists and weight.
    TestInstallation::write(folder() + u"nophoto.kvg"_s,
                            "[GALLEGGIANTE]\r\nCORRENTE=2\r\nPESO=150\r\nTIPO=1\r\n"
                            "FILENAMEFOTO=gone.jpg\r\nFILENAMESPRITE=gall_sprite.bmp\r\n");
    open(folder() + u"nophoto.kvg"_s);
    QCOMPARE(desk->errors.size(), 2);
    QCOMPARE(combo(u"GallCorrente"_s)->currentIndex(), 2);
    QCOMPARE(bar(u"GallPeso"_s)->value(), 150);
    QCOMPARE(combo(u"GallTipo"_s)->currentIndex(), 1);
    QCOMPARE(form->picturePath(pictures[1]), folder()); // as before

    // New clears both pictures.
    form->New();
    QCOMPARE(form->picturePath(pictures[0]), QString());
    QCOMPARE(form->picturePath(pictures[1]), QString());
    QCOMPARE(ctl<QFrame>(u"GallBevelSprite"_s)->statusTip(), QString());
}

void TestTackleKinds::weightLabelAfterNew()
{
    QFETCH(QString, kind);
    QFETCH(bool, english);
    start(kind, english);
    const std::map<ItemKind, std::pair<QString, QString>> labels{
        {ItemKind::Esca, {u"EscaValPeso"_s, u"0 gr"_s}},
        {ItemKind::Galleggiante, {u"GallValPeso"_s, u"0,2 gr"_s}},
        {ItemKind::Piombino, {u"PiomboValPeso"_s, u"0,01 gr"_s}},
    };
    const auto &[name, text] = labels.at(kc->kind);
    QCOMPARE(label(name), text);
    // A weight read from a file, then New again: the label follows.
    open(writeItem("PESO=450\r\n"));
    form->New();
    QCOMPARE(label(name), text);
}

void TestTackleKinds::englishWindowTexts()
{
    start(u"float"_s, true);
    QCOMPARE(shownTitle(form), u"Floating"_s);
    QCOMPARE(form->fileNameLabel(), u"NewFloating.kvg"_s);
    QCOMPARE(combo(u"GallCorrente"_s)->count(), 4);
    QCOMPARE(combo(u"GallCorrente"_s)->currentText(), u"Motionless water (or smooth sea)"_s);
    QCOMPARE(label(u"Label6"_s), u"Image (50x350)"_s);
    QCOMPARE(ctl<QPushButton>(u"GallCalc_bt"_s)->text(), u"Calc."_s);
    // The toolbar's New hint differs from the menu entry's in Italian.
    QCOMPARE(ctl<QToolButton>(u"ToolButtonNew"_s)->statusTip(), u"New floating"_s);
    QCOMPARE(ctl<QToolButton>(u"SpeedButtonSprite"_s)->statusTip(),
             u"Select the floating sprite"_s);
    start(u"float"_s);
    QCOMPARE(ctl<QToolButton>(u"ToolButtonNew"_s)->statusTip(), u"Nuovo Gallegiante"_s);
    QCOMPARE(ctl<QAction>(u"Nuovo"_s)->statusTip(), u"Nuovo Galleggiante"_s);
    start(u"bait"_s);
    QCOMPARE(ctl<QToolButton>(u"ToolButtonNew"_s)->statusTip(), u"Nuova Esca"_s);
    QCOMPARE(ctl<QAction>(u"Apri"_s)->statusTip(), u"Apri Esca"_s);
    QCOMPARE(label(u"Label8"_s), u"Prof. lavoro"_s);
    start(u"bait"_s, true);
    QCOMPARE(ctl<QAction>(u"Nuovo"_s)->statusTip(), u"New bait"_s);
    QCOMPARE(label(u"Label8"_s), u"Working dep."_s);
    QCOMPARE(combo(u"EscaColoreAmo"_s)->currentText(), u"Not defined"_s);
    start(u"sinker"_s, true);
    QCOMPARE(shownTitle(form), u"Shot"_s);
    QCOMPARE(ctl<QAction>(u"Salva"_s)->statusTip(), u"Save shot"_s);
    QCOMPARE(label(u"Label6"_s), u"Link"_s);
}

void TestTackleKinds::noItalianLeftInEnglish()
{
    QFETCH(QString, kind);
    start(kind);
    const QStringList italian = visibleTexts(form);
    start(kind, true);
    QStringList leftovers;
    for (const QString &t : visibleTexts(form))
        if (italian.contains(t))
            leftovers << t;
    // Texts that read the same in both languages, and numbers.
    const QStringList same{u"File"_s,      u"Larva"_s,  u"Spinning"_s, u"Crystal"_s,
                           u"(100x100)"_s, u"Sprite"_s, u"(15x45)"_s,  u"Calc."_s};
    for (const QString &t : leftovers)
        QVERIFY2(same.contains(t) || t.endsWith(u" gr"_s) || t.endsWith(u" cm"_s), qPrintable(t));
}

void TestTackleKinds::windowFrame()
{
    QFETCH(QString, kind);
    QFETCH(bool, english);
    start(kind, english);
    const std::map<ItemKind, QSize> sizes{{ItemKind::Esca, QSize(720, 509)},
                                          {ItemKind::Galleggiante, QSize(544, 409)},
                                          {ItemKind::Piombino, QSize(688, 438)}};
    // Read-outs at their longest.
    for (QSlider *b : form->findChildren<QSlider *>())
        b->setValue(b->maximum() - 1);
    checkFrame(sizes.at(kc->kind), QPoint(150, 140));
    form->hide();
}

void TestTackleKinds::mainWindowOpensEditorWithNew()
{
    QFETCH(QString, kind);
    start(kind);
    const std::map<ItemKind, QString> entries{{ItemKind::Esca, u"Esca"_s},
                                              {ItemKind::Galleggiante, u"Galleggiante"_s},
                                              {ItemKind::Piombino, u"Piombini"_s}};
    ctl<QLineEdit>(kc->prefix + u"Nome"_s)->setText(u"left over"_s);
    TKorvalisAppForm &w = app->KorvalisAppForm();
    w.show();
    QString seen = u"unset"_s;
    bool modal = false;
    QTimer::singleShot(0, [&] {
        QWidget *m = QApplication::activeModalWidget();
        if (!m)
            return;
        modal = m == form;
        seen = m->findChild<QLineEdit *>(kc->prefix + u"Nome"_s)->text();
        m->close();
    });
    w.findChild<QAction *>(entries.at(kc->kind))->trigger();
    QVERIFY(modal);
    QCOMPARE(seen, QString());
}

QTEST_MAIN(TestTackleKinds)
#include "test_tacklekinds.moc"
