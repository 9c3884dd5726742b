#pragma once

#include "korvalisapp.h"
#include "scripteddesktop.h"
#include "testinstallation.h"
#include "visibletexts.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QTabWidget>
#include <QTest>

#include <memory>

// What the tests of one tackle editor share: a fresh installation and
// program per test, controls by name, dialogs answered from a queue.
class TackleFixture
{
public:
    std::unique_ptr<TestInstallation> inst;
    std::unique_ptr<ScriptedDesktop> desk;
    std::unique_ptr<KorvalisApplication> app;
    QWidget *form = nullptr;

    void start(bool englishUi, ItemKind kind)
    {
        app.reset();
        inst = std::make_unique<TestInstallation>();
        if (englishUi)
            TestInstallation::write(inst->settings(), "[LINGUA]\r\nKORVALIS=E\r\n");
        desk = std::make_unique<ScriptedDesktop>();
        app = std::make_unique<KorvalisApplication>(*desk, inst->dataPath(), QString());
        KindEditor *editor = app->editor(kind);
        editor->New();
        form = editor->dialog();
    }
    void finish()
    {
        QVERIFY2(desk->allAnswersUsed(), "a queued dialog answer was not used");
        QCOMPARE(desk->unexpectedDialogs, 0);
        app.reset();
        desk.reset();
        inst.reset();
    }

    template<typename T>
    T *ctl(const QString &name) const
    {
        T *w = form->findChild<T *>(name);
        if (!w)
            qFatal("no control %s", qPrintable(name));
        return w;
    }
    QComboBox *combo(const QString &name) const { return ctl<QComboBox>(name); }
    void trigger(const QString &name) { ctl<QAction>(name)->trigger(); }

    static QString makePicture(const QString &path, QSize size = QSize(100, 100))
    {
        QImage img(size, QImage::Format_RGB32);
        img.fill(Qt::darkCyan);
        if (!img.save(path))
            qFatal("cannot write %s", qPrintable(path));
        return path;
    }
    void saveAs(const QString &path)
    {
        desk->answerSave(path);
        trigger(QStringLiteral("Salva"));
    }
    void open(const QString &path)
    {
        if (dynamic_cast<KindEditor *>(form)->isModified())
            desk->answerQuestion(1); // the test's earlier values are dropped
        desk->answerOpen(path);
        trigger(QStringLiteral("Apri"));
    }
    void pickPhoto(const QString &path)
    {
        desk->answerOpen(path);
        ctl<QAbstractButton>(QStringLiteral("SpeedButtonOpenFoto"))->click();
    }

    // Lines joined by CR LF, each ending in it, in Windows-1252.
    static QByteArray crlf(const QStringList &lines)
    {
        QByteArray out;
        for (const QString &l : lines)
            out += l.toLatin1() + "\r\n";
        return out;
    }
    // The title block and section line of every item file.
    static QStringList head(const QString &title, const QString &section)
    {
        return {QStringLiteral("; ================================================="),
                QStringLiteral("; ") + title,
                QStringLiteral("; ================================================="),
                QStringLiteral("; "),
                QStringLiteral("; Creato con Korvalis Editor 1.2a "),
                QStringLiteral("; -------------------------------------------------"),
                QString(),
                u'[' + section + u']'};
    }

    // Every control lies inside the client area, above the status bar.
    void checkFrame(QSize client, QPoint position)
    {
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form));
        auto *area = ctl<QWidget>(QStringLiteral("Client"));
        QCOMPARE(area->size(), client);
        QCOMPARE(form->minimumSize(), form->maximumSize());
        QVERIFY(!(form->windowFlags() & Qt::WindowMaximizeButtonHint));
        QCOMPARE(form->pos(), position);
        const int statusTop = ctl<QWidget>(QStringLiteral("StatusBar"))->geometry().top();
        const QList<QWidget *> children = area->findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
        for (QWidget *w : children) {
            if (w->objectName() == QStringLiteral("StatusBar") || !w->isVisible())
                continue;
            QVERIFY2(area->rect().contains(w->geometry()), qPrintable(w->objectName()));
            QVERIFY2(w->geometry().bottom() < statusTop, qPrintable(w->objectName()));
            for (QWidget *other : children)
                if (other != w && other->isVisible()
                    && other->objectName() != QStringLiteral("StatusBar")
                    && other->objectName() != QStringLiteral("ToolBar"))
                    QVERIFY2(!w->geometry().intersects(other->geometry())
                                 || w->objectName() == QStringLiteral("ToolBar"),
                             qPrintable(w->objectName() + u' ' + other->objectName()));
        }
        form->hide();
    }
};
