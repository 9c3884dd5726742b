#include "amoform.h"
#include "itemeditorform.h"
#include "korvalisshell.h"
#include "scripteddesktop.h"
#include "testinstallation.h"

#include <QAction>
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

QTEST_MAIN(TestItemEditorForm)
#include "test_itemeditorform.moc"
