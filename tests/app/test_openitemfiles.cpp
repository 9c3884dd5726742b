#include "korvalisapp.h"
#include "korvalisappform.h"
#include "scripteddesktop.h"
#include "testinstallation.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMimeData>
#include <QTest>
#include <QTimer>
#include <QUrl>

using namespace Qt::StringLiterals;

namespace {

const QByteArray kHook = "[AMO]\r\nNOME=\"Amo %1\"\r\nFILENAMEFOTO=\"\"\r\n";

QByteArray hook(const char *name)
{
    return QByteArray(kHook).replace("%1", name);
}

// Records, for every modal window shown, its name and the Italian item
// name it holds, then closes it. Watches until destroyed.
class ModalLog : public QObject
{
public:
    ModalLog() { watch(); }
    QStringList shown;

private:
    void watch()
    {
        QTimer::singleShot(0, this, [this] {
            QWidget *w = QApplication::activeModalWidget();
            if (!w)
                return watch();
            auto *nome = w->findChild<QLineEdit *>(u"AmoNome"_s);
            auto *save = w->findChild<QAction *>(u"Salva"_s);
            shown.append(w->objectName() + u':' + (nome ? nome->text() : QString())
                         + (save->isEnabled() ? QString() : u" (no save)"_s));
            w->close();
            watch();
        });
    }
};

} // namespace

class TestOpenItemFiles : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void filesOpenOneAfterAnother();
    void droppedFilesOpen();
};

void TestOpenItemFiles::filesOpenOneAfterAnother()
{
    TestInstallation inst;
    ScriptedDesktop desk;
    KorvalisApplication app(desk, inst.dataPath(), QString());
    const QString a = inst.dataPath() + u"/a.KVA"_s;
    const QString b = inst.game() + u"Ami/b.kva"_s;
    TestInstallation::write(a, hook("A"));
    TestInstallation::write(b, hook("B"));
    TestInstallation::write(inst.dataPath() + u"/notes.txt"_s, "x");
    const QString shipped = inst.game() + u"Luoghi/KVS/PesciNord.kvs"_s;
    TestInstallation::write(shipped, "[PESCI]\r\nTINCA=10\r\n");

    ModalLog log;
    app.KorvalisAppForm().openItemFiles(
        {a, inst.dataPath() + u"/notes.txt"_s, inst.dataPath() + u"/gone.kva"_s, b, shipped});
    QCOMPARE(log.shown,
             QStringList({u"AmoForm:Amo A"_s, u"AmoForm:Amo B"_s, u"PresPesciForm: (no save)"_s}));
    QCOMPARE(desk.messages,
             QStringList({u"Il file \"%1/notes.txt\" non e' un file di Korvalis che l'editor "
                          "sa aprire."_s.arg(inst.dataPath()),
                          u"Il file \"%1/gone.kva\" non esiste."_s.arg(inst.dataPath())}));
    // The empty picture name fails to load, as with Open.
    QCOMPARE(desk.errors.size(), 2);
}

void TestOpenItemFiles::droppedFilesOpen()
{
    TestInstallation inst;
    ScriptedDesktop desk;
    KorvalisApplication app(desk, inst.dataPath(), QString());
    TKorvalisAppForm &w = app.KorvalisAppForm();
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    const QString a = inst.game() + u"Ami/dropped.kva"_s;
    TestInstallation::write(a, hook("Dropped"));

    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(a)});
    const QPoint at = w.rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&w, &enter);
    QVERIFY(enter.isAccepted());
    ModalLog log;
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&w, &drop);
    QVERIFY(drop.isAccepted());
    QTRY_COMPARE(log.shown, QStringList({u"AmoForm:Amo Dropped"_s}));

    // Text that is no file is not taken.
    QMimeData text;
    text.setText(u"hello"_s);
    QDragEnterEvent refused(at, Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
    refused.setAccepted(false);
    QApplication::sendEvent(&w, &refused);
    QVERIFY(!refused.isAccepted());
}

QTEST_MAIN(TestOpenItemFiles)
#include "test_openitemfiles.moc"
