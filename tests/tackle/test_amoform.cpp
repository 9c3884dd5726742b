#include "amoform.h"
#include "editorwidgets.h"
#include "platformtest.h"
#include "tackletest.h"

#include <QFrame>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTextCursor>
#include <QToolButton>

using namespace Qt::StringLiterals;

namespace {

// The hook of the documented example, byte for byte.
QByteArray exampleHook(const QByteArray &misura = "14", const QByteArray &nome = "Amo da trota")
{
    QByteArray s = TackleFixture::crlf(
        TackleFixture::head(u"AMO: "_s + QString::fromLatin1(nome), u"AMO"_s)
        + QStringList{
            QString(),
            u"; Nome dell'amo (max 32 chr)"_s,
            u"NOME=\""_s + QString::fromLatin1(nome) + u"\""_s,
            u"NAME=\"Trout hook\""_s,
            QString(),
            u"; Descrizione dell'amo (max 256 chr)"_s,
            u"DESCRIZIONE=\"Amo fine per trota\""_s,
            u"DESCRIPTION=\"Thin trout hook\""_s,
            QString(),
            u"; Filo dell'amo: 0=fine, 1=doppio"_s,
            u"FILO=0"_s,
            QString(),
            u"; Gambo dell'amo: 0=corto, 1=medio, 2=lungo"_s,
            u"GAMBO=1"_s,
            QString(),
            u"; Curva dell'amo: 0=crystal, 1=rotonda, 2=ampia"_s,
            u"CURVA=1"_s,
            QString(),
            u"; Punta dell'amo: 0=rientrante, 1=dritta, 2=storta"_s,
            u"PUNTA=1"_s,
            QString(),
            u"; Ardiglione dell'amo: 0=piccolo, 1=micro"_s,
            u"ARDIGLIONE=0"_s,
            QString(),
            u"; Colore dell'amo: 0=grigio, 1=bronzo, 2=brunito, 3=rosso, 4=dorato, 5=verde"_s,
            u"COLORE=2"_s,
            QString(),
            u"; Misura dell'amo: deve essere compresa tra -7 e 24"_s,
            u"MISURA="_s + QString::fromLatin1(misura),
            QString(),
            u"; Esca ideale per l'amo: -1=Tutte, 0=Crostaceo, 1=Formaggio, 2=Frutta, 3=Insetto, 4=Larva,"_s,
            u";                 5=Pane o Polenta, 6=Vegetale, 7=Verme, 8=Vivo,"_s,
            u";                 9=Artificiale, 10=Carne (morto), 11=Pastella, 12=Mollusco"_s,
            u";                 13=Spinning"_s,
            u"ESCA=7"_s,
            QString(),
            u"; Foto dell'amo (immagine 100x100 px)"_s,
            u"FILENAMEFOTO=\"amo_trota.jpg\""_s,
        });
    return s;
}

QByteArray fileBytes(const QString &path)
{
    return TestInstallation::read(path);
}

QString keyLine(const QByteArray &file, const char *key)
{
    for (const QByteArray &line : file.split('\n'))
        if (line.startsWith(QByteArray(QByteArray(key) + '=')))
            return QString::fromLatin1(line.trimmed());
    return QString();
}

} // namespace

class TestAmoForm : public QObject, public TackleFixture
{
    Q_OBJECT

private:
    void start(bool englishUi = false) { TackleFixture::start(englishUi, ItemKind::Amo); }
    QString ami() const { return inst->game() + u"Ami/"_s; }

    void fillExample(const QString &picture)
    {
        ctl<QLineEdit>(u"AmoNome"_s)->setText(u"Amo da trota"_s);
        ctl<QLineEdit>(u"AmoNomeEng"_s)->setText(u"Trout hook"_s);
        ctl<QPlainTextEdit>(u"AmoDescr"_s)->setPlainText(u"Amo fine per trota"_s);
        ctl<QPlainTextEdit>(u"AmoDescrEng"_s)->setPlainText(u"Thin trout hook"_s);
        combo(u"AmoFilo"_s)->setCurrentText(u"Fine"_s);
        combo(u"AmoGambo"_s)->setCurrentText(u"Medio"_s);
        combo(u"AmoCurva"_s)->setCurrentText(u"Rotonda"_s);
        combo(u"AmoPunta"_s)->setCurrentText(u"Dritta"_s);
        combo(u"AmoArdiglione"_s)->setCurrentText(u"Piccolo"_s);
        combo(u"AmoColore"_s)->setCurrentText(u"Brunito"_s);
        combo(u"AmoMisura"_s)->setCurrentText(u"14"_s);
        combo(u"AmoEsca"_s)->setCurrentText(u"Verme"_s);
        desk->answerOpen(picture);
        ctl<QToolButton>(u"SpeedButtonOpenFoto"_s)->click();
    }

private Q_SLOTS:
    void init() { start(); }
    void cleanup() { finish(); }

    void savesTheExampleHookByteForByte();
    void newHookDefaults();
    void sizeEncoding_data();
    void sizeEncoding();
    void readDefaultsAndOddValues();
    void outOfListValuesSaveAsMinusOneEncoding();
    void readsHandEditedFile();
    void verificaOrderAndMessages_data();
    void verificaOrderAndMessages();
    void saveProposesNamesAndCopiesPicture();
    void pictureAlreadyInKindFolderStaysIntact();
    void failingSaveKeepsPreviousFile();
    void pictureCopyFailureIsReported();
    void differentPictureOfTheSameNameAsks_data();
    void differentPictureOfTheSameNameAsks();
    void missingPictureOnLoad();
    void strangersFilesAreRefused_data();
    void strangersFilesAreRefused();
    void pictureNameInOtherCase();
    void cancelledDialogsChangeNothing();
    void zipExportProposal_data();
    void zipExportProposal();
    void zipRoundTripWithRealTools();
    void englishUi();
    void textLimitsHoldForPastedText();
    void longTextsFromFileSurviveResave();
    void windowFrame();
    void noItalianLeftInEnglish();
};

void TestAmoForm::savesTheExampleHookByteForByte()
{
    fillExample(makePicture(inst->dataPath() + u"/amo_trota.jpg"_s));
    QVERIFY(desk->errors.isEmpty());
    saveAs(ami() + u"Trota.kva"_s);
    QCOMPARE(desk->errors, QStringList());
    QCOMPARE(desk->messages, QStringList());
    QCOMPARE(fileBytes(ami() + u"Trota.kva"_s), exampleHook());
    QCOMPARE(form->fileNameLabel(), u"Trota.kva"_s);
    QCOMPARE(form->fileNameFoto(), ami() + u"amo_trota.jpg"_s);
    QCOMPARE(ctl<QFrame>(u"AmoBevelFoto"_s)->statusTip(), ami() + u"amo_trota.jpg"_s);
}

void TestAmoForm::newHookDefaults()
{
    ctl<QLineEdit>(u"AmoNome"_s)->setText(u"N"_s);
    ctl<QPlainTextEdit>(u"AmoDescr"_s)->setPlainText(u"D"_s);
    desk->answerOpen(makePicture(ami() + u"p.bmp"_s));
    ctl<QToolButton>(u"SpeedButtonOpenFoto"_s)->click();
    QCOMPARE(combo(u"AmoMisura"_s)->currentText(), u"18"_s);
    QCOMPARE(combo(u"AmoEsca"_s)->currentText(), u"Tutte"_s);
    saveAs(ami() + u"n.kva"_s);
    const QByteArray f = fileBytes(ami() + u"n.kva"_s);
    for (const char *key : {"FILO", "GAMBO", "CURVA", "PUNTA", "ARDIGLIONE", "COLORE"})
        QCOMPARE(keyLine(f, key), QString::fromLatin1(key) + u"=0"_s);
    QCOMPARE(keyLine(f, "MISURA"), u"MISURA=18"_s);
    QCOMPARE(keyLine(f, "ESCA"), u"ESCA=-1"_s);
    QCOMPARE(keyLine(f, "NAME"), u"NAME=\"\""_s);
    QCOMPARE(keyLine(f, "FILENAMEFOTO"), u"FILENAMEFOTO=\"p.bmp\""_s);
}

void TestAmoForm::sizeEncoding_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("stored");
    QTest::newRow("8/0") << u"8/0"_s << u"-7"_s;
    QTest::newRow("1/0") << u"1/0"_s << u"0"_s;
    QTest::newRow("1") << u"1"_s << u"1"_s;
    QTest::newRow("24") << u"24"_s << u"24"_s;
}

void TestAmoForm::sizeEncoding()
{
    QFETCH(QString, entry);
    QFETCH(QString, stored);
    fillExample(makePicture(ami() + u"amo_trota.jpg"_s));
    combo(u"AmoMisura"_s)->setCurrentText(entry);
    saveAs(ami() + u"s.kva"_s);
    QCOMPARE(keyLine(fileBytes(ami() + u"s.kva"_s), "MISURA"), u"MISURA="_s + stored);
    form->New();
    open(ami() + u"s.kva"_s);
    QCOMPARE(combo(u"AmoMisura"_s)->currentText(), entry);
}

void TestAmoForm::readDefaultsAndOddValues()
{
    makePicture(ami() + u"p.jpg"_s);
    TestInstallation::write(ami() + u"odd.kva"_s,
                            "[amo]\r\nfilo=\"1\"\r\nGambo=$2\r\nCURVA=0x01\r\nPUNTA=0X2\r\n"
                            "COLORE=5\r\nCOLORE=1\r\nESCA=13\r\nfilenamefoto=p.jpg\r\n");
    open(ami() + u"odd.kva"_s);
    QCOMPARE(desk->errors, QStringList());
    QCOMPARE(ctl<QLineEdit>(u"AmoNome"_s)->text(), u"Nome Amo"_s);
    QCOMPARE(ctl<QLineEdit>(u"AmoNomeEng"_s)->text(), u"Hook name"_s);
    QCOMPARE(ctl<QPlainTextEdit>(u"AmoDescr"_s)->toPlainText(), u"Descrizione Amo"_s);
    QCOMPARE(ctl<QPlainTextEdit>(u"AmoDescrEng"_s)->toPlainText(), u"Hook description"_s);
    QCOMPARE(combo(u"AmoFilo"_s)->currentIndex(), 1);
    QCOMPARE(combo(u"AmoGambo"_s)->currentIndex(), 2);
    QCOMPARE(combo(u"AmoCurva"_s)->currentIndex(), 1);
    QCOMPARE(combo(u"AmoPunta"_s)->currentIndex(), 2);
    QCOMPARE(combo(u"AmoArdiglione"_s)->currentIndex(), 0);     // missing: default
    QCOMPARE(combo(u"AmoColore"_s)->currentText(), u"Verde"_s); // first key wins
    QCOMPARE(combo(u"AmoMisura"_s)->currentText(), u"3"_s);     // missing: reads 3
    QCOMPARE(combo(u"AmoEsca"_s)->currentText(), u"Spinning"_s);
    QCOMPARE(form->fileNameLabel(), u"odd.kva"_s);
    QCOMPARE(form->fileNameFoto(), ami() + u"p.jpg"_s);

    TestInstallation::write(ami() + u"esca.kva"_s, "[AMO]\r\nMISURA=-7\r\nFILENAMEFOTO=p.jpg\r\n");
    open(ami() + u"esca.kva"_s);
    QCOMPARE(combo(u"AmoMisura"_s)->currentText(), u"8/0"_s);
    QCOMPARE(combo(u"AmoEsca"_s)->currentText(), u"Tutte"_s);
}

void TestAmoForm::outOfListValuesSaveAsMinusOneEncoding()
{
    makePicture(ami() + u"p.jpg"_s);
    TestInstallation::write(ami() + u"big.kva"_s,
                            "[AMO]\r\nNOME=x\r\nDESCRIZIONE=y\r\nMISURA=30\r\nESCA=14\r\n"
                            "FILO=-1\r\nFILENAMEFOTO=p.jpg\r\n");
    open(ami() + u"big.kva"_s);
    QCOMPARE(combo(u"AmoMisura"_s)->currentIndex(), -1);
    QCOMPARE(combo(u"AmoEsca"_s)->currentIndex(), -1);
    QCOMPARE(combo(u"AmoFilo"_s)->currentIndex(), -1);
    saveAs(ami() + u"big.kva"_s);
    const QByteArray f = fileBytes(ami() + u"big.kva"_s);
    QCOMPARE(keyLine(f, "MISURA"), u"MISURA=-8"_s);
    QCOMPARE(keyLine(f, "ESCA"), u"ESCA=-2"_s);
    QCOMPARE(keyLine(f, "FILO"), u"FILO=-1"_s);
}

void TestAmoForm::readsHandEditedFile()
{
    fillExample(makePicture(ami() + u"amo_trota.jpg"_s));
    saveAs(ami() + u"Trota.kva"_s);
    // Edited by hand on another system: LF line ends, blanks, a new comment.
    QByteArray edited = fileBytes(ami() + u"Trota.kva"_s);
    edited.replace("\r\n", "\n");
    edited.replace("MISURA=14", "  MISURA =  12\t");
    edited.replace("[AMO]", "# note\n[AMO]");
    TestInstallation::write(ami() + u"Trota.kva"_s, edited);
    form->New();
    open(ami() + u"Trota.kva"_s);
    QCOMPARE(ctl<QLineEdit>(u"AmoNome"_s)->text(), u"Amo da trota"_s);
    QCOMPARE(ctl<QPlainTextEdit>(u"AmoDescrEng"_s)->toPlainText(), u"Thin trout hook"_s);
    QCOMPARE(combo(u"AmoMisura"_s)->currentText(), u"12"_s);
    QCOMPARE(combo(u"AmoEsca"_s)->currentText(), u"Verme"_s);
    saveAs(ami() + u"Trota.kva"_s);
    QCOMPARE(fileBytes(ami() + u"Trota.kva"_s), exampleHook("12"));
}

void TestAmoForm::verificaOrderAndMessages_data()
{
    QTest::addColumn<bool>("english");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("italian") << false
                             << QStringList{u"Inserire il nome dell'amo."_s,
                                            u"Inserire la descrizione dell'amo."_s,
                                            u"Selezionare una foto per l'amo."_s};
    QTest::newRow("english") << true
                             << QStringList{u"Hook name not valid."_s,
                                            u"Hook description not valid."_s,
                                            u"Hook image not valid."_s};
}

void TestAmoForm::verificaOrderAndMessages()
{
    QFETCH(bool, english);
    QFETCH(QStringList, expected);
    start(english);
    // English name and description alone do not pass.
    ctl<QLineEdit>(u"AmoNomeEng"_s)->setText(u"Hook"_s);
    ctl<QPlainTextEdit>(u"AmoDescrEng"_s)->setPlainText(u"Desc"_s);
    trigger(u"Salva"_s);                             // no dialog may open
    ctl<QLineEdit>(u"AmoNome"_s)->setText(u"   "_s); // blanks count as a name
    trigger(u"Salva"_s);
    ctl<QPlainTextEdit>(u"AmoDescr"_s)->setPlainText(u"d"_s);
    trigger(u"Salva"_s);
    QCOMPARE(desk->messages, expected);
    QVERIFY(desk->dialogs.empty());
    QVERIFY(QDir(ami()).entryList(QDir::Files).isEmpty());
    desk->answerOpen(makePicture(ami() + u"p.jpg"_s));
    ctl<QToolButton>(u"SpeedButtonOpenFoto"_s)->click();
    QVERIFY(form->Verifica());
}

void TestAmoForm::saveProposesNamesAndCopiesPicture()
{
    const QString outside = inst->dataPath() + u"/photos/"_s;
    QDir().mkpath(outside);
    fillExample(makePicture(outside + u"amo_trota.jpg"_s));
    QCOMPARE(desk->dialogs.back().filter, u"File jpg (*.jpg)|*.jpg|File bmp (*.bmp)|*.bmp"_s);
    QCOMPARE(desk->dialogs.back().initDir, ami());
    QCOMPARE(form->fileNameFoto(), outside + u"amo_trota.jpg"_s);

    // Saved elsewhere: the file goes there, the picture into Ami/.
    const QString elsewhere = inst->dataPath() + u"/Trota.kva"_s;
    saveAs(elsewhere);
    const auto &req = desk->dialogs.back();
    QCOMPARE(req.fileName, u"NuovoAmo.kva"_s);
    QCOMPARE(req.initDir, ami());
    QCOMPARE(req.filter, u"File Kva|*.kva"_s);
    QCOMPARE(req.defExt, u"kva"_s);
    QCOMPARE(keyLine(fileBytes(elsewhere), "FILENAMEFOTO"), u"FILENAMEFOTO=\"amo_trota.jpg\""_s);
    QCOMPARE(fileBytes(ami() + u"amo_trota.jpg"_s), fileBytes(outside + u"amo_trota.jpg"_s));
    QCOMPARE(form->fileNameFoto(), ami() + u"amo_trota.jpg"_s);
    QCOMPARE(form->fileNameLabel(), u"Trota.kva"_s);

    // The next save proposes the saved name.
    saveAs(ami() + u"Trota.kva"_s);
    QCOMPARE(desk->dialogs.back().fileName, u"Trota.kva"_s);
}

void TestAmoForm::pictureAlreadyInKindFolderStaysIntact()
{
    fillExample(makePicture(ami() + u"amo_trota.jpg"_s, QSize(100, 100), Qt::red));
    const QByteArray before = fileBytes(ami() + u"amo_trota.jpg"_s);
    QVERIFY(!before.isEmpty());
    saveAs(ami() + u"Trota.kva"_s);
    saveAs(ami() + u"Trota.kva"_s);
    QCOMPARE(fileBytes(ami() + u"amo_trota.jpg"_s), before);
    QCOMPARE(desk->messages, QStringList());
    QCOMPARE(desk->errors, QStringList());
    QCOMPARE(QDir(ami()).entryList(QDir::Files | QDir::Hidden).size(), 2);
}

void TestAmoForm::failingSaveKeepsPreviousFile()
{
    fillExample(makePicture(ami() + u"amo_trota.jpg"_s));
    saveAs(ami() + u"Trota.kva"_s);
    const QByteArray before = fileBytes(ami() + u"Trota.kva"_s);

    // A folder that does not exist: the writer's message, then the error of
    // its first write, and nothing else changes.
    ctl<QLineEdit>(u"AmoNome"_s)->setText(u"Changed"_s);
    saveAs(inst->dataPath() + u"/missing/Trota.kva"_s);
    QCOMPARE(desk->messages, QStringList{u"Error writing file."_s});
    QCOMPARE(desk->errors.size(), 1);
    QCOMPARE(form->fileNameLabel(), u"Trota.kva"_s);
    QCOMPARE(fileBytes(ami() + u"Trota.kva"_s), before);

    // A target that cannot be replaced (a folder of that name).
    QDir().mkpath(ami() + u"Dir.kva"_s);
    saveAs(ami() + u"Dir.kva"_s);
    QCOMPARE(desk->errors.size(), 2);
    QVERIFY(desk->errors.last().endsWith(u"Filename refers to a directory"_s));
    QStringList left = QDir(ami()).entryList(QDir::Files | QDir::Hidden);
    left.sort();
    QCOMPARE(left, (QStringList{u"Trota.kva"_s, u"amo_trota.jpg"_s}));
}

void TestAmoForm::pictureCopyFailureIsReported()
{
    const QString outside = inst->dataPath() + u"/p.jpg"_s;
    fillExample(makePicture(outside));
    TestInstallation::write(ami() + u"Trota.kva"_s, "the good item");
    QFile::remove(outside); // gone before the save
    saveAs(ami() + u"Trota.kva"_s);
    // The picture is copied first: the old item stays, and the reason is said.
    QCOMPARE(fileBytes(ami() + u"Trota.kva"_s), QByteArray("the good item"));
    QCOMPARE(desk->messages.size(), 1);
    QVERIFY(desk->messages.first().contains(outside));
    QVERIFY(desk->messages.first().startsWith(u"Impossibile copiare la foto"_s));
#ifdef Q_OS_WIN
    const QString reason = u"File not found"_s;
#else
    const QString reason = u"No such file or directory"_s;
#endif
    QVERIFY2(desk->messages.first().contains(reason), qPrintable(desk->messages.first()));
    QVERIFY(desk->errors.isEmpty());
}

void TestAmoForm::strangersFilesAreRefused_data()
{
    QTest::addColumn<QString>("foto");
    QTest::addColumn<QString>("item"); // plain, fifo or big
    QTest::addColumn<QString>("said");
    QTest::addColumn<bool>("loaded");
    // secret.jpg beside the data folder is a valid picture.
    QTest::newRow("picture above the folder")
        << u"../../secret.jpg"_s << u"plain"_s << u"../../secret.jpg"_s << true;
    QTest::newRow("picture named as a Windows device")
        << u"nul.jpg"_s << u"plain"_s << u"un nome riservato di Windows"_s << true;
    QTest::newRow("picture is a FIFO")
        << u"tubo.jpg"_s << u"plain"_s << u"non è un file normale"_s << true;
    QTest::newRow("item is a FIFO")
        << u"x.jpg"_s << u"fifo"_s << u"non è un file normale"_s << false;
    QTest::newRow("item over 1 MiB") << u"x.jpg"_s << u"big"_s << u"supera 1024 KB"_s << false;
}

void TestAmoForm::strangersFilesAreRefused()
{
    QFETCH(QString, foto);
    QFETCH(QString, item);
    QFETCH(QString, said);
    QFETCH(bool, loaded);
#ifdef Q_OS_WIN
    if (QByteArray(QTest::currentDataTag()).contains("FIFO"))
        QSKIP("Windows has no FIFOs");
#endif
    makePicture(inst->dataPath() + u"/secret.jpg"_s);
    QVERIFY(PlatformTest::makeNonRegular(ami() + u"tubo.jpg"_s));
    QByteArray bytes = "[AMO]\r\nNOME=\"Strano\"\r\nFILENAMEFOTO=\"" + foto.toUtf8() + "\"\r\n";
    if (item == u"big")
        bytes += "; " + QByteArray(1 << 20, '-');
    if (item == u"fifo")
        QVERIFY(PlatformTest::makeNonRegular(ami() + u"X.kva"_s));
    else
        TestInstallation::write(ami() + u"X.kva"_s, bytes);
    open(ami() + u"X.kva"_s);
    QCOMPARE(desk->messages.size() + desk->errors.size(), 1);
    QVERIFY((desk->messages + desk->errors).first().contains(said));
    QCOMPARE(ctl<QLineEdit>(u"AmoNome"_s)->text(), loaded ? u"Strano"_s : QString());
    QCOMPARE(form->fileNameFoto(), QString());
    if (!loaded)
        return; // and nothing outside the kind folder is packed:
    desk->answerSave(inst->game() + u"X.zip"_s);
    trigger(u"Zip1"_s);
    const QStringList args = desk->processes.back().args;
    QCOMPARE(args.mid(args.indexOf(u"--"_s) + 1), QStringList{u"./X.kva"_s});
}

#ifdef Q_OS_WIN
constexpr Qt::CaseSensitivity kNameCase = Qt::CaseInsensitive;
#else
constexpr Qt::CaseSensitivity kNameCase = Qt::CaseSensitive;
#endif

void TestAmoForm::differentPictureOfTheSameNameAsks_data()
{
    QTest::addColumn<QString>("held"); // the kind folder's name of p.jpg
    QTest::newRow("same name") << u"p.jpg"_s;
    // One name on Windows: replaced under the folder's name, never twinned.
    QTest::newRow("other case") << u"P.JPG"_s;
}

void TestAmoForm::differentPictureOfTheSameNameAsks()
{
    QFETCH(QString, held);
    const QString green =
        makePicture(inst->dataPath() + u'/' + held, QSize(100, 100), Qt::darkGreen);
    fillExample(green);
    saveAs(ami() + u"A.kva"_s);
    // The same bytes from elsewhere ask nothing; different ones ask.
    for (const QColor colour : {Qt::darkGreen, Qt::red, Qt::red}) {
        QFile::remove(ami() + u"B.kva"_s);
        desk->answerOpen(makePicture(inst->editor() + u"p.jpg"_s, QSize(100, 100), colour));
        ctl<QToolButton>(u"SpeedButtonOpenFoto"_s)->click();
        const int answer = int(desk->questions.size()); // cancel, then replace
        if (colour == Qt::red)
            desk->answerQuestion(1 - answer);
        saveAs(ami() + u"B.kva"_s);
        QCOMPARE(QFileInfo::exists(ami() + u"B.kva"_s), answer != 0 || colour != Qt::red);
        QCOMPARE(QDir(ami()).entryList({u"p.jpg"_s}, QDir::Files), QStringList{held});
        QCOMPARE(TestInstallation::read(ami() + held),
                 TestInstallation::read(answer ? inst->editor() + u"p.jpg"_s : green));
    }
    // Windows finds the folder's file by the name asked for, in any case.
    QVERIFY(desk->questions[0].text.contains(u'"' + held + u'"', kNameCase));
    QCOMPARE(keyLine(fileBytes(ami() + u"B.kva"_s), "FILENAMEFOTO")
                 .compare(u"FILENAMEFOTO=\"%1\""_s.arg(held), kNameCase),
             0);
    // The folder's picture picked by another case is that file, left as it is.
    const QByteArray red = fileBytes(ami() + held);
    desk->answerOpen(ami() + (held.isLower() ? held.toUpper() : held.toLower()));
    ctl<QToolButton>(u"SpeedButtonOpenFoto"_s)->click();
    saveAs(ami() + u"C.kva"_s);
    QCOMPARE(fileBytes(ami() + held), red);
    QCOMPARE(QDir(ami()).entryList({u"p.jpg"_s}, QDir::Files), QStringList{held});
}

void TestAmoForm::missingPictureOnLoad()
{
    fillExample(makePicture(ami() + u"amo_trota.jpg"_s));
    TestInstallation::write(ami() + u"nofoto.kva"_s,
                            "[AMO]\r\nNOME=\"Senza foto\"\r\nDESCRIZIONE=\"d\"\r\nMISURA=5\r\n");
    open(ami() + u"nofoto.kva"_s);
    QCOMPARE(desk->errors.size(), 1);
    // Fields read before the picture stay set; the tried path is kept.
    QCOMPARE(ctl<QLineEdit>(u"AmoNome"_s)->text(), u"Senza foto"_s);
    QCOMPARE(combo(u"AmoMisura"_s)->currentText(), u"5"_s);
    QCOMPARE(form->fileNameFoto(), ami());
    QVERIFY(form->findChild<PictureView *>(u"AmoFoto"_s)->image().isNull());
    QVERIFY(form->Verifica());
    // The hint names the picture last loaded, not the path that failed.
    auto *bevel = ctl<QFrame>(u"AmoBevelFoto"_s);
    QCOMPARE(bevel->statusTip(), ami() + u"amo_trota.jpg"_s);
    // So does a damaged picture picked: the decoder's complaint is shown.
    const QString cut = makePicture(ami() + u"cut.jpg"_s);
    TestInstallation::write(cut, fileBytes(cut).chopped(20));
    desk->answerOpen(cut);
    ctl<QToolButton>(u"SpeedButtonOpenFoto"_s)->click();
    QCOMPARE(desk->errors.size(), 2);
    QVERIFY2(desk->errors.last().startsWith(u"L'immagine \""_s + cut + u"\" e' danneggiata: "_s),
             qPrintable(desk->errors.last()));
    QCOMPARE(form->fileNameFoto(), cut);
    QCOMPARE(bevel->statusTip(), ami() + u"amo_trota.jpg"_s);

    TestInstallation::write(ami() + u"gone.kva"_s,
                            "[AMO]\r\nNOME=n\r\nFILENAMEFOTO=\"gone.jpg\"\r\n");
    open(ami() + u"gone.kva"_s);
    QCOMPARE(desk->errors.size(), 3);
    QVERIFY(desk->errors.last().contains(u"gone.jpg"_s));

    TestInstallation::write(ami() + u"bad.jpg"_s, "not a picture");
    TestInstallation::write(ami() + u"bad.kva"_s, "[AMO]\r\nFILENAMEFOTO=\"bad.jpg\"\r\n");
    open(ami() + u"bad.kva"_s);
    QCOMPARE(desk->errors.size(), 4);
    QVERIFY(desk->errors.last().contains(u"bad.jpg"_s));
}

void TestAmoForm::pictureNameInOtherCase()
{
    makePicture(ami() + u"Amo_Trota.JPG"_s);
    TestInstallation::write(ami() + u"w.kva"_s, "[AMO]\r\nFILENAMEFOTO=\"amo_trota.jpg\"\r\n");
    open(ami() + u"w.kva"_s);
    QCOMPARE(desk->errors, QStringList());
#ifdef Q_OS_WIN
    // Windows opens the name in any case, and two such files cannot exist.
    QCOMPARE(form->fileNameFoto(), ami() + u"amo_trota.jpg"_s);
    return;
#endif
    QCOMPARE(form->fileNameFoto(), ami() + u"Amo_Trota.JPG"_s);

    // Two candidates: no guessing.
    makePicture(ami() + u"AMO_TROTA.jpg"_s);
    open(ami() + u"w.kva"_s);
    QCOMPARE(desk->errors.size(), 1);
}

void TestAmoForm::cancelledDialogsChangeNothing()
{
    fillExample(makePicture(ami() + u"amo_trota.jpg"_s));
    const QString picture = form->fileNameFoto();
    for (const QString &entry : {u"Apri"_s, u"Salva"_s, u"Zip1"_s, u"Unzip1"_s}) {
        if (entry == u"Apri"_s || entry == u"Unzip1"_s)
            desk->answerQuestion(1); // do not save, then cancel the dialog
        desk->cancelNextDialog();
        trigger(entry);
    }
    desk->cancelNextDialog();
    ctl<QToolButton>(u"SpeedButtonOpenFoto"_s)->click();
    QCOMPARE(form->fileNameFoto(), picture);
    QCOMPARE(ctl<QLineEdit>(u"AmoNome"_s)->text(), u"Amo da trota"_s);
    QCOMPARE(form->fileNameLabel(), u"NuovoAmo.kva"_s);
    QVERIFY(desk->processes.empty());
    QVERIFY(QDir(ami()).entryList({u"*.kva"_s}, QDir::Files).isEmpty());
}

void TestAmoForm::zipExportProposal_data()
{
    QTest::addColumn<QString>("label");
    QTest::newRow("lower") << u"NuovoAmo.kva"_s;
    QTest::newRow("upper") << u"NuovoAmo.KVA"_s;
}

void TestAmoForm::zipExportProposal()
{
    QFETCH(QString, label);
    makePicture(ami() + u"p.jpg"_s);
    TestInstallation::write(ami() + label, "[AMO]\r\nFILENAMEFOTO=p.jpg\r\n");
    open(ami() + label);
    QCOMPARE(form->fileNameLabel(), label);
    desk->cancelNextDialog();
    trigger(u"Zip1"_s);
    const auto &req = desk->dialogs.back();
    QCOMPARE(req.fileName, u"NuovoAmo"_s);
    QCOMPARE(req.initDir, inst->game());
    QCOMPARE(req.filter, u"File Zip|*.zip"_s);
    QCOMPARE(req.defExt, u"zip"_s);
}

void TestAmoForm::zipRoundTripWithRealTools()
{
    desk->runProcesses = true;
    fillExample(makePicture(inst->dataPath() + u"/amo_trota.jpg"_s));
    saveAs(ami() + u"Trota.kva"_s);
    const QByteArray hook = fileBytes(ami() + u"Trota.kva"_s);
    const QByteArray picture = fileBytes(ami() + u"amo_trota.jpg"_s);

    desk->answerSave(inst->game() + u"Trota.zip"_s);
    const QString before = QDir::currentPath();
    trigger(u"Zip1"_s);
    QCOMPARE(desk->messages, QStringList());
    QVERIFY(QFileInfo::exists(inst->game() + u"Trota.zip"_s));
#ifdef Q_OS_WIN // where a current folder cannot be removed, it stays where it was
    QCOMPARE(QDir::currentPath(), before);
#else
    Q_UNUSED(before);
    QCOMPARE(QDir::currentPath() + u'/', QDir(ami()).canonicalPath() + u'/');
#endif

    QFile::remove(ami() + u"Trota.kva"_s);
    QFile::remove(ami() + u"amo_trota.jpg"_s);
    desk->answerOpen(inst->game() + u"Trota.zip"_s);
    trigger(u"Unzip1"_s);
    QCOMPARE(desk->messages, QStringList());
    QCOMPARE(desk->dialogs.back().initDir, inst->game());
    QCOMPARE(fileBytes(ami() + u"Trota.kva"_s), hook);
    QCOMPARE(fileBytes(ami() + u"amo_trota.jpg"_s), picture);
    QVERIFY(desk->questions.empty()); // the same bytes: nothing to ask

    // The open item changed on disk: asked once; cancel keeps it, replace
    // brings the archive's and shows it.
    TestInstallation::write(ami() + u"Trota.kva"_s, "[AMO]\r\nNOME=\"Cambiato\"\r\n");
    open(ami() + u"Trota.kva"_s); // no picture named: an error, the rest loads
    for (int answer : {1, 0}) {
        desk->answerOpen(inst->game() + u"Trota.zip"_s);
        desk->answerQuestion(answer);
        trigger(u"Unzip1"_s);
    }
    QCOMPARE(desk->questions.size(), 2u);
    QVERIFY(desk->questions[0].text.contains(u": Trota.kva. Sostituirli?"_s));
    QCOMPARE(fileBytes(ami() + u"Trota.kva"_s), hook);
    QCOMPARE(ctl<QLineEdit>(u"AmoNome"_s)->text(), u"Amo da trota"_s);

    // A venue's archive is not unpacked among the hooks unless wanted.
    TestInstallation::write(inst->game() + u"Luoghi/Lago.kvl"_s, "[LUOGO]\r\n");
    desk->startProcess(u"zip"_s, {u"-q"_s, inst->game() + u"Lago.zip"_s, u"Lago.kvl"_s},
                       inst->game() + u"Luoghi"_s, {});
    desk->answerOpen(inst->game() + u"Lago.zip"_s);
    desk->answerQuestion(1);
    trigger(u"Unzip1"_s);
    QVERIFY(desk->questions.back().text.contains(u"nessun file Amo ma: Luogo."_s));
    QVERIFY(!QFileInfo::exists(ami() + u"Lago.kvl"_s));
}

void TestAmoForm::englishUi()
{
    start(true);
    QCOMPARE(shownTitle(form), u"Hook"_s);
    QCOMPARE(form->fileNameLabel(), u"NewHook.kva"_s);
    QCOMPARE(ctl<QLabel>(u"Label4"_s)->text(), u"Metal"_s);
    QCOMPARE(ctl<QLabel>(u"Label13"_s)->text(), u"Ideal bait"_s);
    QCOMPARE(ctl<QLabel>(u"Label11"_s)->text(), u"Image"_s);
    QCOMPARE(ctl<QLabel>(u"Label1"_s)->text(), u"File Name"_s);
    QCOMPARE(ctl<QTabWidget>(u"PageControlDescr"_s)->tabText(1), u"English"_s);
    QCOMPARE(ctl<QAction>(u"Salva"_s)->text(), u"Save as"_s);
    QCOMPARE(ctl<QAction>(u"Zip1"_s)->statusTip(), u"Zip Export"_s);
    QCOMPARE(ctl<QToolButton>(u"ToolButtonNew"_s)->statusTip(), u"New hook"_s);
    QCOMPARE(ctl<QToolButton>(u"ToolButtonNew"_s)->toolTip(), QString());
    QCOMPARE(ctl<QComboBox>(u"AmoColore"_s)->statusTip(), u"Hook color"_s);
    QCOMPARE(ctl<QToolButton>(u"SpeedButtonOpenFoto"_s)->statusTip(), u"Select the hook image"_s);
    QCOMPARE(combo(u"AmoEsca"_s)->itemText(6), u"Bread"_s);
    QCOMPARE(combo(u"AmoColore"_s)->currentText(), u"Gray"_s);
    QCOMPARE(combo(u"AmoMisura"_s)->itemText(0), u"8/0"_s);
    QCOMPARE(combo(u"AmoMisura"_s)->count(), 32);
    QCOMPARE(combo(u"AmoMisura"_s)->currentText(), u"18"_s);

    // The same file in both languages.
    fillExample(makePicture(ami() + u"amo_trota.jpg"_s));
    combo(u"AmoCurva"_s)->setCurrentText(u"Round"_s);
    combo(u"AmoPunta"_s)->setCurrentText(u"Straight"_s);
    combo(u"AmoGambo"_s)->setCurrentText(u"Medium"_s);
    combo(u"AmoArdiglione"_s)->setCurrentText(u"Small"_s);
    combo(u"AmoColore"_s)->setCurrentText(u"Brown"_s);
    combo(u"AmoEsca"_s)->setCurrentText(u"Worm"_s);
    saveAs(ami() + u"Trota.kva"_s);
    QCOMPARE(desk->dialogs.back().fileName, u"NewHook.kva"_s);
    QCOMPARE(fileBytes(ami() + u"Trota.kva"_s), exampleHook());
}

void TestAmoForm::textLimitsHoldForPastedText()
{
    auto *nome = ctl<QLineEdit>(u"AmoNome"_s);
    auto *descr = ctl<QPlainTextEdit>(u"AmoDescr"_s);
    nome->setFocus();
    nome->insert(u"riga uno\nriga due"_s);
    QCOMPARE(nome->text(), u"riga uno riga due"_s);
    nome->insert(QString(40, u'x'));
    QCOMPARE(nome->text(), u"riga uno riga due"_s + QString(15, u'x'));

    descr->insertPlainText(u"a\r\nb\nc"_s);
    QCOMPARE(descr->toPlainText(), u"a b c"_s);
    descr->insertPlainText(QString(300, u'y'));
    QCOMPARE(descr->toPlainText().size(), 256);
    descr->setFocus();
    QTest::keyClick(descr, Qt::Key_Return);
    QTest::keyClick(descr, Qt::Key_Enter);
    QVERIFY(!descr->toPlainText().contains(u'\n'));
    QCOMPARE(descr->toPlainText().size(), 256);
}

// The limits hold for typing and pasting only: a hand-edited file keeps its
// long texts through open and save, and typing cannot make them longer.
void TestAmoForm::longTextsFromFileSurviveResave()
{
    makePicture(ami() + u"amo_trota.jpg"_s);
    const QByteArray nome(45, 'N');
    const QByteArray descr = QByteArray(300, 'd') + " \xe0 fine";
    QByteArray file = exampleHook("14", nome);
    file.replace("Amo fine per trota", descr);
    file.replace("Trout hook", QByteArray(33, 'e'));
    file.replace("Thin trout hook", QByteArray(257, 'D'));
    TestInstallation::write(ami() + u"long.kva"_s, file);
    open(ami() + u"long.kva"_s);
    auto *edit = ctl<QLineEdit>(u"AmoNome"_s);
    auto *memo = ctl<QPlainTextEdit>(u"AmoDescr"_s);
    QCOMPARE(edit->text().size(), 45);
    QCOMPARE(memo->toPlainText().size(), 307);
    saveAs(ami() + u"long.kva"_s);
    QCOMPARE(fileBytes(ami() + u"long.kva"_s), file);

    // Typing and pasting add nothing to a text already beyond its limit;
    // deleting still works, and a pasted text is cut to the room left.
    edit->setFocus();
    edit->end(false);
    QTest::keyClicks(edit, u"abc"_s);
    edit->insert(u"pasted"_s);
    QCOMPARE(edit->text(), QString::fromLatin1(nome));
    edit->setSelection(0, 20); // 25 left: room for 7
    edit->insert(u"0123456789"_s);
    QCOMPARE(edit->text(), u"0123456"_s + QString(25, u'N'));
    memo->setFocus();
    memo->moveCursor(QTextCursor::End);
    QTest::keyClicks(memo, u"xyz"_s);
    memo->insertPlainText(u"pasted"_s);
    QCOMPARE(memo->toPlainText(), QString::fromLatin1(descr));
    QTest::keyClick(memo, Qt::Key_Backspace);
    QCOMPARE(memo->toPlainText().size(), 306);
}

void TestAmoForm::windowFrame()
{
    checkFrame(QSize(550, 535), QPoint(150, 140));
}

void TestAmoForm::noItalianLeftInEnglish()
{
    const QStringList italian = visibleTexts(form);
    start(true);
    QStringList leftovers;
    for (const QString &t : visibleTexts(form))
        if (italian.contains(t))
            leftovers << t;
    // Texts that read the same in both languages.
    QStringList same{u"File"_s,  u"Fine"_s,     u"Crystal"_s,  u"Micro"_s,
                     u"Larva"_s, u"Spinning"_s, u"(100x100)"_s};
    const KindForm hook = TAmoForm::describe();
    same << hook.fields[6].entriesI; // the sizes
    for (const QString &t : same)
        leftovers.removeAll(t);
    QCOMPARE(leftovers, QStringList());
}

QTEST_MAIN(TestAmoForm)
#include "test_amoform.moc"
