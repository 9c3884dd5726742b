#include "amoform.h"
#include "galleggianteform.h"
#include "itemeditorform.h"
#include "korvalisshell.h"
#include "scripteddesktop.h"
#include "testinstallation.h"

#include <QAction>
#include <QComboBox>
#include <QFrame>
#include <QImage>
#include <QMimeData>
#include <QUrl>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSlider>
#include <QTest>

using namespace Qt::StringLiterals;

// Framework behaviour no shipped kind exercises yet: track bars.
class TestItemEditorForm : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void trackBarClampsAndSignalsRealChangesOnly();
    void fieldsAfterThePictureFollowItInFileAndReadOrder();
    void kindChecksCompareStoredValuesAfterThePictures();
    void droppedPicturesAreTakenAsPicked_data();
    void droppedPicturesAreTakenAsPicked();
    void pickedPicturesAreJudgedByContent_data();
    void pickedPicturesAreJudgedByContent();
};

void TestItemEditorForm::trackBarClampsAndSignalsRealChangesOnly()
{
    TestInstallation inst;
    ScriptedDesktop desk;
    KorvalisShell shell(desk, inst.dataPath(), QString());

    int handlerRuns = 0;
    KindForm form = TAmoForm::describe();
    FieldSpec peso;
    peso.type = FieldSpec::Type::TrackBar;
    peso.control = u"AmoPeso"_s;
    peso.key = u"PESO"_s;
    peso.comment = QStringList{u"Peso"_s};
    peso.label = u"Label99"_s;
    peso.minimum = 20;
    peso.maximum = 800;
    peso.newValue = 20;
    peso.readDefault = 20;
    peso.valueLabel = u"AmoValPeso"_s;
    peso.valueText = [&handlerRuns](int pos, bool) -> QString {
        ++handlerRuns;
        return QString::number(pos) + u" gr"_s;
    };
    form.fields.push_back(peso);
    TItemEditorForm editor(shell, form);
    auto *slider = editor.findChild<QSlider *>(u"AmoPeso"_s);
    auto *label = editor.findChild<QLabel *>(u"AmoValPeso"_s);
    QVERIFY(slider && label);

    editor.New();
    QCOMPARE(slider->value(), 20);
    const int afterNew = handlerRuns;
    editor.New(); // same position: the handler does not run
    QCOMPARE(handlerRuns, afterNew);

    const QString picture = inst.game() + u"Ami/p.bmp"_s;
    QImage(4, 4, QImage::Format_RGB32).save(picture);
    const auto load = [&](const QByteArray &pesoLine) {
        const QString path = inst.game() + u"Ami/t.kva"_s;
        TestInstallation::write(path, "[AMO]\r\n" + pesoLine + "\r\nFILENAMEFOTO=p.bmp\r\n");
        desk.answerOpen(path);
        editor.Load();
    };
    load("PESO=5000");
    QCOMPARE(slider->value(), 800);
    QCOMPARE(label->text(), u"800 gr"_s);
    QCOMPARE(handlerRuns, afterNew + 1);
    load("PESO=900"); // clamps to the same position: no handler run
    QCOMPARE(handlerRuns, afterNew + 1);
    load("PESO=-3");
    QCOMPARE(slider->value(), 20);
    QCOMPARE(label->text(), u"20 gr"_s);
    load("NOPESO=1"); // the read default
    QCOMPARE(slider->value(), 20);
    QCOMPARE(handlerRuns, afterNew + 2);

    slider->setValue(333);
    QCOMPARE(label->text(), u"333 gr"_s);
    editor.findChild<QLineEdit *>(u"AmoNome"_s)->setText(u"n"_s);
    editor.findChild<QPlainTextEdit *>(u"AmoDescr"_s)->setPlainText(u"d"_s);
    desk.answerSave(inst.game() + u"Ami/t.kva"_s);
    editor.Save();
    QVERIFY(TestInstallation::read(inst.game() + u"Ami/t.kva"_s)
                .contains("\r\n\r\n; Peso\r\nPESO=333\r\n"));
    QVERIFY(desk.errors.isEmpty());
    QVERIFY(desk.allAnswersUsed());
}

void TestItemEditorForm::fieldsAfterThePictureFollowItInFileAndReadOrder()
{
    TestInstallation inst;
    ScriptedDesktop desk;
    KorvalisShell shell(desk, inst.dataPath(), QString());
    KindForm form = TAmoForm::describe();
    FieldSpec late = form.fields.front(); // a copy of the wire list, after the picture
    late.control = u"AmoLate"_s;
    late.key = u"LATE"_s;
    late.comment = QStringList{u"Dopo la foto"_s};
    late.label = u"Label98"_s;
    form.fields.push_back(late);
    TItemEditorForm editor(shell, form);
    auto *lateList = editor.findChild<QComboBox *>(u"AmoLate"_s);
    QVERIFY(lateList);
    editor.New();

    const QString ami = inst.game() + u"Ami/"_s;
    QImage(4, 4, QImage::Format_RGB32).save(ami + u"p.bmp"_s);
    editor.findChild<QLineEdit *>(u"AmoNome"_s)->setText(u"n"_s);
    editor.findChild<QPlainTextEdit *>(u"AmoDescr"_s)->setPlainText(u"d"_s);
    desk.answerOpen(ami + u"p.bmp"_s);
    editor.pickPicture(8);
    lateList->setCurrentIndex(1);
    desk.answerSave(ami + u"t.kva"_s);
    editor.Save();
    QVERIFY(TestInstallation::read(ami + u"t.kva"_s)
                .endsWith("FILENAMEFOTO=\"p.bmp\"\r\n\r\n; Dopo la foto\r\nLATE=1\r\n"));

    // A picture that cannot be loaded ends the reading: what follows it in
    // the file is not read.
    TestInstallation::write(ami + u"u.kva"_s, "[AMO]\r\nFILENAMEFOTO=gone.bmp\r\nLATE=0\r\n");
    const auto open = [&](const QString &path) {
        desk.answerOpen(path);
        editor.findChild<QAction *>(u"Apri"_s)->trigger(); // errors are shown, not thrown
    };
    open(ami + u"u.kva"_s);
    QCOMPARE(desk.errors.size(), 1);
    QCOMPARE(lateList->currentIndex(), 1);
    open(ami + u"t.kva"_s);
    TestInstallation::write(ami + u"v.kva"_s, "[AMO]\r\nFILENAMEFOTO=p.bmp\r\nLATE=0\r\n");
    open(ami + u"v.kva"_s);
    QCOMPARE(lateList->currentIndex(), 0);
    QVERIFY(desk.allAnswersUsed());
}

// A check over two fields, as a minimum that may not exceed a maximum.
void TestItemEditorForm::kindChecksCompareStoredValuesAfterThePictures()
{
    TestInstallation inst;
    ScriptedDesktop desk;
    KorvalisShell shell(desk, inst.dataPath(), QString());
    KindForm form = TAmoForm::describe();
    for (const auto &[control, key] : {std::pair{u"AmoMin"_s, u"MIN"_s}, {u"AmoMax"_s, u"MAX"_s}}) {
        FieldSpec bar = trackBarField(control, key, {key}, control + u"Label"_s, {}, {}, 0, 100, 0);
        form.fields.push_back(bar);
    }
    form.checks.push_back({[](const auto &value) { return value(u"MIN"_s) <= value(u"MAX"_s); },
                           {u"Il minimo supera il massimo."_s, u"Minimum above maximum."_s}});
    TItemEditorForm editor(shell, form);
    editor.New();
    auto *min = editor.findChild<QSlider *>(u"AmoMin"_s);
    auto *max = editor.findChild<QSlider *>(u"AmoMax"_s);
    min->setValue(60);
    max->setValue(50);
    // The common checks come first.
    QVERIFY(!editor.Verifica());
    editor.findChild<QLineEdit *>(u"AmoNome"_s)->setText(u"n"_s);
    editor.findChild<QPlainTextEdit *>(u"AmoDescr"_s)->setPlainText(u"d"_s);
    QVERIFY(!editor.Verifica());
    const QString picture = inst.game() + u"Ami/p.bmp"_s;
    QImage(4, 4, QImage::Format_RGB32).save(picture);
    desk.answerOpen(picture);
    editor.pickPicture(8);
    QVERIFY(!editor.Verifica());
    QCOMPARE(desk.messages,
             (QStringList{u"Inserire il nome dell'amo."_s, u"Selezionare una foto per l'amo."_s,
                          u"Il minimo supera il massimo."_s}));
    max->setValue(60); // equal passes
    QVERIFY(editor.Verifica());
    QCOMPARE(desk.messages.size(), 3);
}

// A picture dropped onto its frame is what the pick button would take: one
// local file its filter offers (the float's sprite: BMP only); Save then
// copies it into the kind folder.
void TestItemEditorForm::droppedPicturesAreTakenAsPicked_data()
{
    QTest::addColumn<QString>("frame");
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<bool>("taken");

    QTest::newRow("photo, JPEG") << u"GallBevelFoto"_s << QStringList{u"in.JPG"_s} << true;
    QTest::newRow("photo, BMP") << u"GallBevelFoto"_s << QStringList{u"in.bmp"_s} << true;
    QTest::newRow("sprite, BMP") << u"GallBevelSprite"_s << QStringList{u"in.bmp"_s} << true;
    QTest::newRow("sprite refuses a JPEG")
        << u"GallBevelSprite"_s << QStringList{u"in.JPG"_s} << false;
    QTest::newRow("text file") << u"GallBevelFoto"_s << QStringList{u"in.txt"_s} << false;
    QTest::newRow("two files") << u"GallBevelFoto"_s << QStringList{u"in.JPG"_s, u"in.bmp"_s}
                               << false;
}

void TestItemEditorForm::droppedPicturesAreTakenAsPicked()
{
    QFETCH(QString, frame);
    QFETCH(QStringList, files);
    QFETCH(bool, taken);
    TestInstallation inst;
    ScriptedDesktop desk;
    KorvalisShell shell(desk, inst.dataPath(), QString());
    TGalleggianteForm form(shell);
    form.New();
    QList<QUrl> urls;
    for (const QString &name : files) {
        const QString path = inst.dataPath() + u'/' + name;
        QVERIFY(
            QImage(8, 8, QImage::Format_RGB32).save(path, name.endsWith(u"bmp"_s) ? "BMP" : "JPG"));
        urls.append(QUrl::fromLocalFile(path));
    }
    auto *target = form.findChild<QFrame *>(frame);
    QVERIFY(target && target->acceptDrops());
    QMimeData data;
    data.setUrls(urls);
    QDragEnterEvent enter(QPoint(4, 4), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    enter.setAccepted(false);
    QApplication::sendEvent(target, &enter);
    QCOMPARE(enter.isAccepted(), taken);
    QDropEvent drop(QPointF(4, 4), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
    const size_t field = frame == u"GallBevelFoto"_s ? 0 : 1;
    QCOMPARE(form.picturePath(field), taken ? urls[0].toLocalFile() : QString());
    QVERIFY(desk.errors.isEmpty() && desk.messages.isEmpty());
}

// A name typed into the pick's dialog can be anything: only a file the
// pick's filter offers, holding a picture of that kind, is taken. Anything
// else gets a message, and the picture stays.
void TestItemEditorForm::pickedPicturesAreJudgedByContent_data()
{
    QTest::addColumn<int>("field"); // the photo or the sprite
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("format"); // of the content; empty: text
    QTest::addColumn<bool>("taken");

    QTest::newRow("photo, JPEG") << 0 << u"in.jpg"_s << "JPG"_ba << true;
    QTest::newRow("photo, BMP named .jpg") << 0 << u"in.jpg"_s << "BMP"_ba << true;
    QTest::newRow("photo, PNG") << 0 << u"in.png"_s << "PNG"_ba << false;
    QTest::newRow("photo, PNG named .jpg") << 0 << u"in.jpg"_s << "PNG"_ba << false;
    QTest::newRow("photo, text named .bmp") << 0 << u"in.bmp"_s << QByteArray() << false;
    QTest::newRow("sprite, BMP") << 1 << u"in.bmp"_s << "BMP"_ba << true;
    QTest::newRow("sprite, JPEG named .bmp") << 1 << u"in.bmp"_s << "JPG"_ba << false;
}

void TestItemEditorForm::pickedPicturesAreJudgedByContent()
{
    QFETCH(int, field);
    QFETCH(QString, name);
    QFETCH(QByteArray, format);
    QFETCH(bool, taken);
    TestInstallation inst;
    ScriptedDesktop desk;
    KorvalisShell shell(desk, inst.dataPath(), QString());
    TGalleggianteForm form(shell);
    form.New();
    const QString before = inst.dataPath() + u"/before.bmp"_s;
    const QString path = inst.dataPath() + u'/' + name;
    QVERIFY(QImage(8, 8, QImage::Format_RGB32).save(before, "BMP"));
    if (format.isEmpty())
        TestInstallation::write(path, "not a picture");
    else
        QVERIFY(QImage(8, 8, QImage::Format_RGB32).save(path, format.constData()));
    for (const QString &chosen : {before, path}) {
        desk.answerOpen(chosen);
        form.pickPicture(size_t(field));
    }
    QCOMPARE(form.picturePath(size_t(field)), taken ? path : before);
    QCOMPARE(desk.messages.size(), taken ? 0 : 1);
    QVERIFY(taken || desk.messages[0].startsWith(u"Il file \""_s + path + u"\" non e' "_s));
    QVERIFY(desk.errors.isEmpty());
}

QTEST_MAIN(TestItemEditorForm)
#include "test_itemeditorform.moc"
