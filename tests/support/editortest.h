#pragma once

#include "korvalisapp.h"
#include "scripteddesktop.h"
#include "testinstallation.h"

#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QImage>
#include <QLabel>
#include <QTest>

#include <memory>

// What the tests of every editor share: a fresh installation and program
// per test in either language, the editor of a kind after New, controls by
// name and dialogs answered from the queue.
template<typename Form>
class EditorTest
{
public:
    explicit EditorTest(ItemKind kind)
        : m_kind(kind)
    {
    }

    std::unique_ptr<TestInstallation> inst;
    std::unique_ptr<ScriptedDesktop> desk;
    std::unique_ptr<KorvalisApplication> app;
    Form *form = nullptr;

    void start(bool englishUi = false)
    {
        app.reset();
        inst = std::make_unique<TestInstallation>();
        if (englishUi)
            TestInstallation::write(inst->settings(), "[LINGUA]\r\nKORVALIS=E\r\n");
        desk = std::make_unique<ScriptedDesktop>();
        app = std::make_unique<KorvalisApplication>(*desk, inst->dataPath(), QString());
        form = dynamic_cast<Form *>(app->editor(m_kind));
        QVERIFY(form);
        form->New();
    }
    // Every test ends with all answers used and no unexpected dialog.
    void finish()
    {
        QVERIFY2(desk->allAnswersUsed(), "a queued dialog answer was not used");
        QCOMPARE(desk->unexpectedDialogs, 0);
        app.reset();
        desk.reset();
        inst.reset();
        form = nullptr;
    }

    template<typename T>
    T *ctl(const QString &name) const
    {
        T *w = form->template findChild<T *>(name);
        if (!w)
            qFatal("no control %s", qPrintable(name));
        return w;
    }
    QComboBox *combo(const QString &name) const { return ctl<QComboBox>(name); }
    void trigger(const QString &name) { ctl<QAction>(name)->trigger(); }
    void saveAs(const QString &path)
    {
        desk->answerSave(path);
        trigger(QStringLiteral("Salva"));
    }
    void open(const QString &path)
    {
        if (static_cast<KindEditor *>(form)->isModified())
            desk->answerQuestion(1); // the test's earlier values are dropped
        desk->answerOpen(path);
        trigger(QStringLiteral("Apri"));
    }

    static QString makePicture(const QString &path, QSize size = QSize(100, 100),
                               const QColor &colour = Qt::darkCyan)
    {
        QImage img(size, QImage::Format_RGB32);
        img.fill(colour);
        if (!img.save(path))
            qFatal("cannot write %s", qPrintable(path));
        return path;
    }
    // Lines joined by CR LF, each ending in it, in Windows-1252.
    static QByteArray crlf(const QStringList &lines)
    {
        QByteArray out;
        for (const QString &l : lines)
            out += l.toLatin1() + "\r\n";
        return out;
    }

    // Shows the window: its fixed client area at its place, a minimise box
    // and no maximise box, and every control inside the client area, above
    // the status bar, with no text cut off.
    void checkFrame(QSize client, QPoint position)
    {
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form));
        QWidget *area = ctl<QWidget>(QStringLiteral("Client"));
        QCOMPARE(area->size(), client);
        QCOMPARE(form->minimumSize(), form->maximumSize());
        QVERIFY(!(form->windowFlags() & Qt::WindowMaximizeButtonHint));
        QVERIFY(form->windowFlags() & Qt::WindowMinimizeButtonHint);
        QCOMPARE(form->pos(), position);
        const int statusTop = ctl<QWidget>(QStringLiteral("StatusBar"))->geometry().top();
        for (QWidget *w : area->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
            if (w->objectName() == QStringLiteral("StatusBar") || !w->isVisible())
                continue;
            QVERIFY2(area->rect().contains(w->geometry()), qPrintable(w->objectName()));
            QVERIFY2(w->geometry().bottom() < statusTop, qPrintable(w->objectName()));
            if (auto *l = qobject_cast<QLabel *>(w))
                QVERIFY2(l->sizeHint().width() <= l->width(), qPrintable(l->text()));
        }
    }

protected:
    ItemKind m_kind;
};
