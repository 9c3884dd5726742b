#include "demoinstallation.h"
#include "itemeditorform.h"
#include "korvalisapp.h"
#include "scripteddesktop.h"
#include "testfiles.h"
#include "valuelistgrid.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QScopeGuard>
#include <QSlider>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {
// SaveCancelled: save, then cancel the save dialog.
enum Answer { Save, Discard, Cancel, NoEdit, SaveCancelled };
// Each kind of edit, on a demo item: its file, and the edit.
const std::vector<
    std::tuple<const char *, QString, std::function<void(QWidget &, ScriptedDesktop &)>>>
    kEdits{
        {"text", u"Ami/AmoTrota.kva"_s,
         [](QWidget &f, auto &) {
             QTest::keyClicks(f.findChild<QLineEdit *>(u"AmoNome"_s), u"x"_s);
         }},
        {"list", u"Ami/AmoTrota.kva"_s,
         [](QWidget &f, auto &) { f.findChild<QComboBox *>(u"AmoMisura"_s)->setCurrentIndex(0); }},
        {"picture", u"Ami/AmoTrota.kva"_s,
         [](QWidget &f, ScriptedDesktop &d) {
             d.answerOpen(d.dataFolder + u"/Korvalis/Esche/lombrico_0.jpg"_s);
             f.findChild<QAbstractButton *>(u"SpeedButtonOpenFoto"_s)->click();
         }},
        {"track bar", u"Pasture/PasturaCarpe.kvt"_s,
         [](QWidget &f, auto &) { f.findChild<QSlider *>(u"PasturaDurata"_s)->setValue(1); }},
        {"grid cell", u"Pasture/PasturaCarpe.kvt"_s,
         [](QWidget &f, auto &) {
             auto *g = f.findChild<ValueListGrid *>(u"PasturaLista"_s);
             g->setValue(0, g->value(0) == u"S"_s ? u"N"_s : u"S"_s);
         }},
        {"check box", u"Luoghi/LagoBetulle.kvl"_s,
         [](QWidget &f, auto &) {
             f.findChild<QAbstractButton *>(u"LuogoProfCasuale"_s)->click();
         }},
        {"profile marker", u"Luoghi/LagoBetulle.kvl"_s, [](QWidget &f, auto &) {
             QTest::mouseClick(f.findChild<QWidget *>(u"LuogoLimiti"_s), Qt::LeftButton, {},
                               {8, 4});
         }}};
} // namespace

// Every kind of edit and every way out: asked or not, and what each answer
// does to the window and to the item file.
class TestUnsavedChanges : public QObject
{
    Q_OBJECT
    QTemporaryDir m_demo;

private Q_SLOTS:
    void initTestCase() { QVERIFY(makeDemoInstallation(m_demo.path(), nullptr)); }
    void editThenLeave_data()
    {
        QTest::addColumn<int>("edit");
        QTest::addColumn<QString>("exit");
        QTest::addColumn<int>("answer");
        for (int e = 0; e < int(kEdits.size()); ++e)
            for (const QString exit : {u"Escape"_s, u"close"_s, u"Nuovo"_s, u"Apri"_s, u"Unzip1"_s})
                for (int answer : {Save, Discard, Cancel, NoEdit, SaveCancelled})
                    QTest::addRow("%s, %s, %d", std::get<0>(kEdits[e]), qPrintable(exit), answer)
                        << e << exit << answer;
    }
    void editThenLeave()
    {
        QFETCH(int, edit);
        QFETCH(QString, exit);
        QFETCH(int, answer);
        const auto &[name, file, change] = kEdits[size_t(edit)];
        const QString path = m_demo.path() + u"/Korvalis/"_s + file;
        const QByteArray before = TestFiles::read(path);
        const auto restore = qScopeGuard([&] { TestFiles::write(path, before); });
        ScriptedDesktop desk;
        desk.dataFolder = m_demo.path();
        KorvalisApplication app(desk, m_demo.path(), QString());
        KindEditor *editor = app.editor(kindOfFileName(path).value());
        auto &form = *static_cast<TItemEditorForm *>(editor->dialog());
        form.LoadFile(path);
        form.show();
        if (answer != NoEdit) {
            change(form, desk);
            QCoreApplication::processEvents(); // the title follows
            QVERIFY(form.isWindowModified() && form.windowTitle().endsWith(u"[*]"_s));
            desk.answerQuestion(answer == SaveCancelled ? Save : answer);
        }
        const bool kept = answer == Cancel || answer == SaveCancelled;
        if (answer == Save)
            desk.answerSave(path);
        if (answer == SaveCancelled || (!kept && (exit == u"Apri"_s || exit == u"Unzip1"_s)))
            desk.cancelNextDialog();
        if (exit == u"Escape"_s)
            QTest::keyClick(&form, Qt::Key_Escape);
        else if (exit == u"close"_s)
            form.close();
        else
            form.findChild<QAction *>(exit)->trigger();

        QVERIFY(desk.allAnswersUsed() && desk.unexpectedDialogs == 0);
        QCOMPARE(desk.questions.size(), answer == NoEdit ? 0u : 1u);
        QVERIFY(desk.questions.empty()
                || desk.questions[0].text.contains(QFileInfo(path).fileName()));
        QCOMPARE(TestFiles::read(path) == before, answer != Save);
        // Discarding leaves the edits on show until something replaces them.
        QCOMPARE(form.isModified(), kept || (answer == Discard && exit != u"Nuovo"_s));
        if (exit == u"Escape"_s || exit == u"close"_s)
            QCOMPARE(form.isVisible(), kept);
        if (exit == u"Nuovo"_s)
            QCOMPARE(form.fileNameLabel() == QFileInfo(path).fileName(), kept);
    }
};

QTEST_MAIN(TestUnsavedChanges)
#include "test_unsavedchanges.moc"
