#include "aboutbox.h"
#include "amoform.h"
#include "korvalisapp.h"
#include "korvalisappform.h"
#include "overlaps.h"
#include "scripteddesktop.h"
#include "visibletexts.h"
#include "testinstallation.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

using namespace Qt::StringLiterals;

namespace {
const QString kNotInstalledI =
    u"Installazione di Korvalis non trovata. Installare l'ultima Korvalis per usare l'editor."_s;
const QString kNotInstalledE =
    u"Korvalis not installed. Please install last Korvalis version to use the editor."_s;

QAction *action(QWidget *w, const QString &name)
{
    return w->findChild<QAction *>(name);
}

// Closes the next modal window once it is shown, after running `check` on it
// (hidden: what `check` typed is not the point).
void whenModal(const std::function<void(QWidget *)> &check)
{
    QTimer::singleShot(0, [check] {
        QWidget *w = QApplication::activeModalWidget();
        QVERIFY(w);
        check(w);
        w->hide();
    });
}
} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void startsOnInstallation();
    void toolbarShowsAllNineButtons();
    void missingInstallation_data();
    void missingInstallation();
    void languageValueIsCaseSensitive();
    void switchToEnglishAndBack();
    void languageSwitchKeepsOtherSettings();
    void languageSwitchCreatesEditorFolder();
    void unwritableSettingsReportsAndKeepsLanguage();
    void everyOpeningStartsWithNew();
    void everyEditorOpensAfterNew_data();
    void everyEditorOpensAfterNew();
    void noControlLiesOnAnother_data();
    void noControlLiesOnAnother();
    void aboutBoxReadsTheSameInBothLanguages();
    void dialogsKeepTheirFolder();
    void dataPathResolution();
};

void TestMainWindow::startsOnInstallation()
{
    TestInstallation inst;
    ScriptedDesktop desk;
    KorvalisApplication app(desk, inst.dataPath(), u"/start"_s);
    QVERIFY(app.installationFound());
    QVERIFY(desk.messages.isEmpty());
    TKorvalisAppForm &w = app.KorvalisAppForm();
    QCOMPARE(w.windowTitle(), u"Korvalis Editor"_s);
    QCOMPARE(w.GetPathDatiKorvalis(), inst.dataPath() + u"/Korvalis/"_s);
    QCOMPARE(w.GetPathDatiKorvalisEditor(), inst.dataPath() + u"/KorvalisEditor/"_s);
    QCOMPARE(app.shell().appPath(), u"/start"_s);
    QVERIFY(!w.IsLinguaInglese());
    QVERIFY(action(&w, u"Italiano"_s)->isChecked());
    QVERIFY(!action(&w, u"English"_s)->isChecked());
    QCOMPARE(action(&w, u"Amo"_s)->text(), u"Ami"_s);
    QCOMPARE(action(&w, u"Piombini"_s)->statusTip(), QString());
}

void TestMainWindow::toolbarShowsAllNineButtons()
{
    TestInstallation inst;
    ScriptedDesktop desk;
    KorvalisApplication app(desk, inst.dataPath(), QString());
    TKorvalisAppForm &w = app.KorvalisAppForm();
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QCOMPARE(w.width(), 442);
    QCOMPARE(w.height() - w.menuBar()->height(), 80);
    auto *bar = w.findChild<QToolBar *>(u"ToolBar"_s);
    QVERIFY(bar);
    const QStringList names{
        u"ToolButtonAmo"_s,    u"ToolButtonEsca"_s,    u"ToolButtonGallegiante"_s,
        u"ToolButtonLuogo"_s,  u"ToolButtonPasutra"_s, u"ToolButtonPresPesci"_s,
        u"ToolButtonPiombo"_s, u"ToolButtonCanna"_s,   u"ToolButtonMulinello"_s};
    int right = 0;
    for (const QString &name : names) {
        auto *b = w.findChild<QToolButton *>(name);
        QVERIFY2(b, qPrintable(name));
        QVERIFY2(b->isVisible(), qPrintable(name));
        QCOMPARE(b->size(), QSize(47, 46));
        const QRect r(b->mapTo(&w, QPoint(0, 0)), b->size());
        QVERIFY2(r.left() >= right, qPrintable(name));
        right = r.right();
        QVERIFY2(r.right() < w.width(), qPrintable(name));
        QCOMPARE(b->toolTip(), b->statusTip());
    }
    // No overflow arrow hides a button.
    for (auto *ext : bar->findChildren<QToolButton *>(u"qt_toolbar_ext_button"_s))
        QVERIFY(!ext->isVisible());
}

void TestMainWindow::missingInstallation_data()
{
    QTest::addColumn<QByteArray>("settings");
    QTest::addColumn<QString>("message");
    QTest::newRow("no settings") << QByteArray() << kNotInstalledI;
    QTest::newRow("italian") << QByteArray("[LINGUA]\r\nKORVALIS=I\r\n") << kNotInstalledI;
    QTest::newRow("english") << QByteArray("[LINGUA]\r\nKORVALIS=E\r\n") << kNotInstalledE;
}

void TestMainWindow::missingInstallation()
{
    QFETCH(QByteArray, settings);
    QFETCH(QString, message);
    TestInstallation inst(false);
    if (!settings.isEmpty())
        TestInstallation::write(inst.settings(), settings);
    ScriptedDesktop desk;
    KorvalisApplication app(desk, inst.dataPath(), QString());
    QVERIFY(!app.installationFound());
    QCOMPARE(desk.messages, QStringList{message});
}

void TestMainWindow::languageValueIsCaseSensitive()
{
    TestInstallation inst;
    TestInstallation::write(inst.settings(), "[lingua]\r\nkorvalis=e\r\n");
    ScriptedDesktop desk;
    KorvalisApplication app(desk, inst.dataPath(), QString());
    QVERIFY(!app.KorvalisAppForm().IsLinguaInglese());
    QCOMPARE(action(&app.KorvalisAppForm(), u"Amo"_s)->text(), u"Ami"_s);

    TestInstallation::write(inst.settings(), "[lingua]\r\nkorvalis=\"E\"\r\n");
    KorvalisApplication app2(desk, inst.dataPath(), QString());
    QVERIFY(app2.KorvalisAppForm().IsLinguaInglese());
}

void TestMainWindow::switchToEnglishAndBack()
{
    TestInstallation inst;
    ScriptedDesktop desk;
    KorvalisApplication app(desk, inst.dataPath(), QString());
    TKorvalisAppForm &w = app.KorvalisAppForm();

    action(&w, u"English"_s)->trigger();
    QVERIFY(w.IsLinguaInglese());
    QVERIFY(action(&w, u"English"_s)->isChecked());
    QVERIFY(!action(&w, u"Italiano"_s)->isChecked());
    QCOMPARE(desk.messages, QStringList{u"You must restart the application"_s});
    QCOMPARE(TestInstallation::read(inst.settings()), QByteArray("[LINGUA]\r\nKORVALIS=E\r\n"));
    QCOMPARE(action(&w, u"Amo"_s)->text(), u"Hooks"_s);
    QCOMPARE(action(&w, u"Piombini"_s)->statusTip(), u"Shots"_s);
    QCOMPARE(w.findChild<QToolButton *>(u"ToolButtonMulinello"_s)->toolTip(), u"Reels"_s);
    QCOMPARE(action(&w, u"FileExitItem"_s)->text(), u"E&xit"_s);
    QCOMPARE(w.findChild<QMenu *>(u"Opzioni"_s)->title(), u"&Option"_s);
    QCOMPARE(w.windowTitle(), u"Korvalis Editor"_s);

    // Editors turn English at their next opening.
    QString title;
    QString fileName;
    whenModal([&](QWidget *editor) {
        title = shownTitle(editor);
        fileName = editor->findChild<QLabel *>(u"AmoFileName"_s)->text();
    });
    action(&w, u"Amo"_s)->trigger();
    QCOMPARE(title, u"Hook"_s);
    QCOMPARE(fileName, u"NewHook.kva"_s);

    // Choosing the checked entry again still writes and asks for a restart.
    action(&w, u"English"_s)->trigger();
    QCOMPARE(desk.messages.size(), 2);

    // Back to Italian: stored at once, texts stay until the next start.
    action(&w, u"Italiano"_s)->trigger();
    QVERIFY(!w.IsLinguaInglese());
    QCOMPARE(desk.messages.last(), u"Riavviare l'applicazione"_s);
    QCOMPARE(TestInstallation::read(inst.settings()), QByteArray("[LINGUA]\r\nKORVALIS=I\r\n"));
    QCOMPARE(action(&w, u"Amo"_s)->text(), u"Hooks"_s);

    // The next start reads the stored choice.
    action(&w, u"English"_s)->trigger();
    KorvalisApplication next(desk, inst.dataPath(), QString());
    QVERIFY(next.KorvalisAppForm().IsLinguaInglese());
    QCOMPARE(action(&next.KorvalisAppForm(), u"Esca"_s)->text(), u"Baits"_s);
}

void TestMainWindow::languageSwitchKeepsOtherSettings()
{
    TestInstallation inst;
    const QByteArray before =
        "; editor settings\r\n[WINDOW]\r\nX=10\r\n\r\n[lingua]\r\nKorvalis=I\r\nOTHER=1\r\n";
    TestInstallation::write(inst.settings(), before);
    ScriptedDesktop desk;
    KorvalisApplication app(desk, inst.dataPath(), QString());
    action(&app.KorvalisAppForm(), u"English"_s)->trigger();
    QCOMPARE(
        TestInstallation::read(inst.settings()),
        QByteArray(
            "; editor settings\r\n[WINDOW]\r\nX=10\r\n\r\n[lingua]\r\nKorvalis=E\r\nOTHER=1\r\n"));
}

void TestMainWindow::languageSwitchCreatesEditorFolder()
{
    TestInstallation inst(true, false);
    QVERIFY(!QFileInfo::exists(inst.editor()));
    ScriptedDesktop desk;
    KorvalisApplication app(desk, inst.dataPath(), QString());
    action(&app.KorvalisAppForm(), u"English"_s)->trigger();
    QVERIFY(desk.errors.isEmpty());
    QCOMPARE(TestInstallation::read(inst.settings()), QByteArray("[LINGUA]\r\nKORVALIS=E\r\n"));
}

void TestMainWindow::unwritableSettingsReportsAndKeepsLanguage()
{
    TestInstallation inst;
    // A folder where the file should be cannot be replaced by a file.
    QVERIFY(QDir().mkpath(inst.settings()));
    ScriptedDesktop desk;
    KorvalisApplication app(desk, inst.dataPath(), QString());
    TKorvalisAppForm &w = app.KorvalisAppForm();
    action(&w, u"English"_s)->trigger();
    QVERIFY(!w.IsLinguaInglese());
    QVERIFY(action(&w, u"English"_s)->isChecked()); // stays as clicked
    QCOMPARE(desk.errors.size(), 1);
    QVERIFY2(desk.errors.first().contains(u"KorvalisEdit.ini: not a regular file"_s),
             qPrintable(desk.errors.first()));
    // Only the start-up's word on the folder, no restart message.
    QCOMPARE(desk.messages.size(), 1);
    QVERIFY(desk.messages.first().contains(u"non è un file normale"_s));
    QCOMPARE(action(&w, u"Amo"_s)->text(), u"Ami"_s);
}

// Every entry, menu and toolbar, opens its editor modally after New, each
// time: what a previous opening left in it is gone.
void TestMainWindow::everyEditorOpensAfterNew_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("nome");
    QTest::addColumn<QString>("fileLabel");
    QTest::addColumn<QString>("fresh");
    const auto row = [](const char *name, const QString &entry, const QString &button,
                        const QString &window, const QString &prefix, const QString &fresh) {
        QTest::newRow(name) << entry << button << window << prefix + u"Nome"_s
                            << prefix + u"FileName"_s << fresh;
    };
    row("hook", u"Amo"_s, u"ToolButtonAmo"_s, u"AmoForm"_s, u"Amo"_s, u"NuovoAmo.kva"_s);
    row("bait", u"Esca"_s, u"ToolButtonEsca"_s, u"EscaForm"_s, u"Esca"_s, u"NuovaEsca.kve"_s);
    row("float", u"Galleggiante"_s, u"ToolButtonGallegiante"_s, u"GalleggianteForm"_s, u"Gall"_s,
        u"NuovoGalleggiante.kvg"_s);
    row("venue", u"Luogo"_s, u"ToolButtonLuogo"_s, u"LuogoForm"_s, u"Luogo"_s, u"NuovoLuogo.kvl"_s);
    row("groundbait", u"Pastura"_s, u"ToolButtonPasutra"_s, u"PasturaForm"_s, u"Pastura"_s,
        u"NuovaPastura.kvt"_s);
    QTest::newRow("presence list")
        << u"FilePresenzaPesci"_s << u"ToolButtonPresPesci"_s << u"PresPesciForm"_s << QString()
        << u"KVSFileName"_s << u"NuovaListaPresenzaPesci.kvs"_s;
    row("sinker", u"Piombini"_s, u"ToolButtonPiombo"_s, u"PiombinoForm"_s, u"Piombo"_s,
        u"NuovoPiombino.kvp"_s);
    row("rod", u"Cannadapesca"_s, u"ToolButtonCanna"_s, u"CannaForm"_s, u"Canna"_s,
        u"NuovaCanna.kvn"_s);
    row("reel", u"Mulinelli"_s, u"ToolButtonMulinello"_s, u"MulinelloForm"_s, u"Mulinello"_s,
        u"NuovoMulinello.kvm"_s);
}

void TestMainWindow::everyEditorOpensAfterNew()
{
    QFETCH(QString, entry);
    QFETCH(QString, button);
    QFETCH(QString, window);
    QFETCH(QString, nome);
    QFETCH(QString, fileLabel);
    QFETCH(QString, fresh);
    TestInstallation inst;
    ScriptedDesktop desk;
    KorvalisApplication app(desk, inst.dataPath(), QString());
    TKorvalisAppForm &w = app.KorvalisAppForm();
    w.show();
    QVERIFY(action(&w, entry)->isEnabled());
    QVERIFY(w.findChild<QToolButton *>(button)->isEnabled());
    QStringList seen;
    const auto look = [&](QWidget *editor) {
        auto *name = nome.isEmpty() ? nullptr : editor->findChild<QLineEdit *>(nome);
        auto *label = editor->findChild<QLabel *>(fileLabel);
        seen << editor->objectName() << (name ? name->text() : QString())
             << (label ? label->text() : QString());
        if (name)
            name->setText(u"left over"_s);
        if (label)
            label->setText(u"left over"_s);
    };
    whenModal(look);
    action(&w, entry)->trigger();
    whenModal(look);
    w.findChild<QToolButton *>(button)->click();
    QCOMPARE(seen, (QStringList{window, QString(), fresh, window, QString(), fresh}));
    QVERIFY(desk.messages.isEmpty() && desk.errors.isEmpty());
}

void TestMainWindow::noControlLiesOnAnother_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<bool>("english");
    for (int k = 0; k < kKindCount; ++k)
        for (bool english : {false, true})
            QTest::addRow("%s%s", qPrintable(kindInfo(ItemKind(k)).windowClass),
                          english ? " english" : "")
                << k << english;
}

// A control under another shows no hint and takes no click or drop there.
void TestMainWindow::noControlLiesOnAnother()
{
    QFETCH(int, kind);
    QFETCH(bool, english);
    TestInstallation inst;
    if (english)
        TestInstallation::write(inst.settings(), "[LINGUA]\r\nKORVALIS=E\r\n");
    ScriptedDesktop desk;
    KorvalisApplication app(desk, inst.dataPath(), QString());
    KindEditor *editor = app.editor(ItemKind(kind));
    editor->New();
    editor->dialog()->show();
    QVERIFY(QTest::qWaitForWindowExposed(editor->dialog()));
    // The venue's fishing-area profile and its caption lie on the photo.
    QCOMPARE(overlappingControls(editor->dialog()->findChild<QWidget *>(u"Client"_s),
                                 u"LuogoBevelFoto|LuogoLimiti|Shape.*|LabelAreaDiPesca"_s),
             QStringList());
}

void TestMainWindow::everyOpeningStartsWithNew()
{
    TestInstallation inst;
    ScriptedDesktop desk;
    KorvalisApplication app(desk, inst.dataPath(), QString());
    TKorvalisAppForm &w = app.KorvalisAppForm();
    w.show();

    QString seenName = u"unset"_s;
    whenModal([&](QWidget *editor) {
        QCOMPARE(editor->objectName(), u"AmoForm"_s);
        auto *nome = editor->findChild<QLineEdit *>(u"AmoNome"_s);
        seenName = nome->text();
        nome->setText(u"Amo da trota"_s);
    });
    action(&w, u"Amo"_s)->trigger();
    QCOMPARE(seenName, QString());

    whenModal(
        [&](QWidget *editor) { seenName = editor->findChild<QLineEdit *>(u"AmoNome"_s)->text(); });
    w.findChild<QToolButton *>(u"ToolButtonAmo"_s)->click();
    QCOMPARE(seenName, QString());
    QCOMPARE(&app.AmoForm(), w.findChild<TAmoForm *>()); // one window for the run
}

void TestMainWindow::aboutBoxReadsTheSameInBothLanguages()
{
    TestInstallation inst;
    TestInstallation::write(inst.settings(), "[LINGUA]\r\nKORVALIS=E\r\n");
    ScriptedDesktop desk;
    KorvalisApplication app(desk, inst.dataPath(), QString());
    QString product;
    QString title;
    whenModal([&](QWidget *box) {
        title = box->windowTitle();
        product = box->findChild<QLabel *>(u"ProductName"_s)->text();
    });
    action(&app.KorvalisAppForm(), u"HelpAboutItem"_s)->trigger();
    QCOMPARE(title, u"About"_s);
    QCOMPARE(product, u"Korvalis Editor 1.3"_s);
}

void TestMainWindow::dialogsKeepTheirFolder()
{
    TestInstallation inst;
    ScriptedDesktop desk;
    KorvalisApplication app(desk, inst.dataPath(), QString());
    TKorvalisAppForm &w = app.KorvalisAppForm();

    desk.answerOpen(inst.game() + u"Ami/x.kva"_s);
    QVERIFY(w.OpenDialogExecute(u"File Kva|*.kva"_s, inst.game()));
    QCOMPARE(app.shell().OpenDialogFileName(), inst.game() + u"Ami/x.kva"_s);
    desk.cancelNextDialog();
    QVERIFY(!w.OpenDialogExecute(u"File Zip|*.zip"_s, QString()));
    QCOMPARE(desk.dialogs.back().initDir, inst.game() + u"Ami/"_s);
    QCOMPARE(app.shell().OpenDialogFileName(), QString());

    desk.answerSave(u"/tmp/out.kva"_s);
    QVERIFY(w.SaveDialogExecute(u"File Kva|*.kva"_s, inst.game(), u"kva"_s, u"NuovoAmo.kva"_s));
    const auto &req = desk.dialogs.back();
    QCOMPARE(req.kind, ScriptedDesktop::DialogRequest::Save);
    QCOMPARE(req.defExt, u"kva"_s);
    QCOMPARE(req.fileName, u"NuovoAmo.kva"_s);
    QCOMPARE(req.filter, u"File Kva|*.kva"_s);
    QCOMPARE(app.shell().SaveDialogFileName(), u"/tmp/out.kva"_s);
    QVERIFY(desk.allAnswersUsed());
}

void TestMainWindow::dataPathResolution()
{
    ScriptedDesktop desk;
    desk.dataFolder = u"/platform/ProgramData"_s;
    qputenv("KORVALIS_DATA_DIR", "/from/env/");
    QCOMPARE(resolveDataPath(u"/from/option/"_s, desk), u"/from/option"_s);
    QCOMPARE(resolveDataPath(QString(), desk), u"/from/env"_s);
    qunsetenv("KORVALIS_DATA_DIR");
    QCOMPARE(resolveDataPath(QString(), desk), u"/platform/ProgramData"_s);
    QCOMPARE(resolveDataPath(u"relative"_s, desk), QDir::currentPath() + u"/relative"_s);
}

QTEST_MAIN(TestMainWindow)
#include "test_mainwindow.moc"
