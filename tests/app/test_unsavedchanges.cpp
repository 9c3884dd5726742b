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
// One kind of edit on the control `name`; a picture pick is answered first.
void edit(QWidget &form, const QString &name)
{
    QWidget *w = form.findChild<QWidget *>(name);
    if (auto *e = qobject_cast<QLineEdit *>(w))
        QTest::keyClicks(e, u"x"_s);
    else if (auto *c = qobject_cast<QComboBox *>(w))
        c->setCurrentIndex(0);
    else if (auto *s = qobject_cast<QSlider *>(w))
        s->setValue(1);
    else if (auto *g = qobject_cast<ValueListGrid *>(w))
        g->setValue(0, g->value(0) == u"S"_s ? u"N"_s : u"S"_s);
    else if (name == u"LuogoLimiti"_s) // a profile marker
        QTest::mouseClick(w, Qt::LeftButton, {}, {8, 4});
    else // a check box or a picture
        static_cast<QAbstractButton *>(w)->click();
}
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
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("exit");
        QTest::addColumn<int>("answer");
        const QString amo = u"Ami/AmoTrota.kva"_s, pastura = u"Pasture/PasturaCarpe.kvt"_s,
                      luogo = u"Luoghi/LagoBetulle.kvl"_s;
        for (const auto &[file, control] : {std::pair{amo, u"AmoNome"_s},
                                            {amo, u"AmoMisura"_s},
                                            {amo, u"SpeedButtonOpenFoto"_s},
                                            {pastura, u"PasturaDurata"_s},
                                            {pastura, u"PasturaLista"_s},
                                            {luogo, u"LuogoProfCasuale"_s},
                                            {luogo, u"LuogoLimiti"_s}})
            for (const QString &exit :
                 {u"Escape"_s, u"close"_s, u"Nuovo"_s, u"Apri"_s, u"Unzip1"_s})
                for (int answer : {Save, Discard, Cancel, NoEdit, SaveCancelled})
                    QTest::addRow("%s, %s, %d", qPrintable(control), qPrintable(exit), answer)
                        << file << control << exit << answer;
    }
    void editThenLeave()
    {
        QFETCH(QString, file);
        QFETCH(QString, control);
        QFETCH(QString, exit);
        QFETCH(int, answer);
        const QString path = m_demo.path() + u"/Korvalis/"_s + file;
        const QByteArray before = TestFiles::read(path);
        const auto restore = qScopeGuard([&] { TestFiles::write(path, before); });
        ScriptedDesktop desk;
        desk.dataFolder = m_demo.path();
        KorvalisApplication app(desk, m_demo.path(), QString());
        auto &form = *static_cast<TItemEditorForm *>(app.editor(*kindOfFileName(path))->dialog());
        form.LoadFile(path);
        form.show();
        if (answer != NoEdit) {
            if (control == u"SpeedButtonOpenFoto"_s) // another item's picture
                desk.answerOpen(m_demo.path() + u"/Korvalis/Esche/lombrico_0.jpg"_s);
            edit(form, control);
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
        QCOMPARE(form.isVisible(), kept || !(exit == u"Escape"_s || exit == u"close"_s));
    }
};

QTEST_MAIN(TestUnsavedChanges)
#include "test_unsavedchanges.moc"
