#pragma once

#include "korvalisapp.h"
#include "scripteddesktop.h"
#include "visibletexts.h"
#include "testinstallation.h"

#include <QAction>
#include <QApplication>
#include <QTest>

#include <functional>
#include <memory>

// What the fish editors' tests share: a fresh installation and application
// per test, the editor under test reached by its instance name, controls by
// name, dialogs answered from the queue, and keys typed where the focus is.
template<typename Form>
class FishFormTest
{
protected:
    explicit FishFormTest(std::function<Form &(KorvalisApplication &)> editor)
        : m_editor(std::move(editor))
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
        form = &m_editor(*app);
        form->New();
    }

    // Every test ends with all answers used, no unexpected dialog, no error.
    void finish()
    {
        if (form)
            form->hide();
        QVERIFY2(desk->allAnswersUsed(), "a queued dialog answer was not used");
        QCOMPARE(desk->unexpectedDialogs, 0);
        QCOMPARE(desk->errors, QStringList());
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
    void trigger(const QString &name) { ctl<QAction>(name)->trigger(); }
    void saveAs(const QString &path)
    {
        desk->answerSave(path);
        trigger(QStringLiteral("Salva"));
    }
    void open(const QString &path)
    {
        if (form->isModified())
            desk->answerQuestion(1); // the test's earlier values are dropped
        desk->answerOpen(path);
        trigger(QStringLiteral("Apri"));
    }

    // Shows the window active, so keys reach the focused widget.
    void showActive()
    {
        form->show();
        QApplication::setActiveWindow(form);
        QVERIFY(QTest::qWaitForWindowActive(form));
    }
    // Types into whatever has the focus, as a user would.
    static void typeKeys(const QString &text)
    {
        for (QChar c : text)
            QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
    }
    static void key(Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier)
    {
        QTest::keyClick(QApplication::focusWidget(), k, m);
        QCoreApplication::processEvents(); // Enter commits through a queued call
    }

private:
    std::function<Form &(KorvalisApplication &)> m_editor;
};
