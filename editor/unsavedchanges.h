#pragma once

#include <QByteArray>
#include <QObject>

#include <functional>
#include <optional>

class KorvalisShell;
class QWidget;

// Whether an editor window holds changes its Save would write and that are
// not saved yet: what Save would write now, compared with what it would
// have written right after the last New, Load or Save. Item files are a few
// kilobytes, so comparing them whole is cheaper and surer than following
// every control, and what the program sets while loading never counts as an
// edit. The window's title shows the state through its "[*]" placeholder.
class UnsavedChanges : public QObject
{
    Q_OBJECT

public:
    // `content` gives what Save would write now, with anything else Save
    // depends on (a picture's full path).
    UnsavedChanges(QWidget &window, KorvalisShell &shell, std::function<QByteArray()> content);

    // The window now holds what was just loaded, saved or made new. The
    // first call also starts following the window's controls.
    void markClean();
    bool isModified() const;
    // Something may have changed: the title follows when the event loop
    // next runs, so a burst of changes costs one comparison.
    void changed();

    // Before the window's content is discarded: true when the caller may go
    // on. A modified window first asks whether to save the changes to
    // `item`; saving runs `save` and goes on only when nothing is left
    // unsaved (a refused check, a cancelled dialog or a failed write keep
    // the changes and ask nothing more).
    bool mayDiscard(const QString &item, const std::function<void()> &save);

private:
    void watchControls();
    void update();

    QWidget &m_window;
    KorvalisShell &m_shell;
    std::function<QByteArray()> m_content;
    // Nothing before the first New or Load: a window never filled holds
    // nothing of the user's.
    std::optional<QByteArray> m_clean;
    bool m_watching = false;
    bool m_pending = false;
};
