#pragma once

#include "editortest.h"
#include "visibletexts.h"

#include <QApplication>

// What the fish editors' tests add to every editor's fixture: no error may
// be shown, and keys are typed where the focus is.
template<typename Form>
class FishFormTest : public EditorTest<Form>
{
protected:
    explicit FishFormTest(ItemKind kind)
        : EditorTest<Form>(kind)
    {
    }

    void finish()
    {
        if (this->form)
            this->form->hide();
        QCOMPARE(this->desk->errors, QStringList());
        EditorTest<Form>::finish();
    }

    // Shows the window active, so keys reach the focused widget.
    void showActive()
    {
        this->form->show();
        QApplication::setActiveWindow(this->form);
        QVERIFY(QTest::qWaitForWindowActive(this->form));
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
};
