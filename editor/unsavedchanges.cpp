#include "unsavedchanges.h"

#include "desktopservices.h"
#include "korvalisshell.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTableWidget>
#include <QTimer>

using namespace Qt::StringLiterals;

UnsavedChanges::UnsavedChanges(QWidget &window, KorvalisShell &shell,
                               std::function<QByteArray()> content)
    : QObject(&window)
    , m_window(window)
    , m_shell(shell)
    , m_content(std::move(content))
{
}

void UnsavedChanges::markClean()
{
    if (!m_watching)
        watchControls();
    m_clean = m_content();
    m_window.setWindowModified(false);
}

bool UnsavedChanges::isModified() const
{
    return m_clean && m_content() != *m_clean;
}

void UnsavedChanges::changed()
{
    if (m_pending || !m_clean)
        return;
    m_pending = true;
    QTimer::singleShot(0, this, [this] { update(); });
}

void UnsavedChanges::update()
{
    m_pending = false;
    m_window.setWindowModified(isModified());
}

void UnsavedChanges::watchControls()
{
    m_watching = true;
    // Every signal of a change will do, the user's or the program's: the
    // comparison decides. Controls whose value Save does not write cost one
    // comparison and change nothing.
    const auto follow = [this] { changed(); };
    for (QObject *o : m_window.findChildren<QWidget *>()) {
        if (auto *e = qobject_cast<QLineEdit *>(o))
            connect(e, &QLineEdit::textChanged, this, follow);
        else if (auto *m = qobject_cast<QPlainTextEdit *>(o))
            connect(m, &QPlainTextEdit::textChanged, this, follow);
        else if (auto *c = qobject_cast<QComboBox *>(o))
            connect(c, &QComboBox::currentIndexChanged, this, follow);
        else if (auto *s = qobject_cast<QAbstractSlider *>(o))
            connect(s, &QAbstractSlider::valueChanged, this, follow);
        else if (auto *b = qobject_cast<QAbstractButton *>(o); b && b->isCheckable())
            connect(b, &QAbstractButton::toggled, this, follow);
        else if (auto *t = qobject_cast<QTableWidget *>(o))
            connect(t, &QTableWidget::cellChanged, this, follow);
    }
}

bool UnsavedChanges::mayDiscard(const QString &item, const std::function<void()> &save)
{
    if (!isModified())
        return true;
    const bool en = m_shell.IsLinguaInglese();
    enum { Save, Discard, Cancel };
    const QString text = en ? u"Save the changes to \"%1\"?"_s.arg(item)
                            : u"Salvare le modifiche a \"%1\"?"_s.arg(item);
    const QStringList answers = en ? QStringList{u"Save"_s, u"Don't Save"_s, u"Cancel"_s}
                                   : QStringList{u"Salva"_s, u"Non salvare"_s, u"Annulla"_s};
    switch (m_shell.desktop().ask(text, answers, Save, Cancel)) {
    case Save:
        save();
        return !isModified();
    case Discard:
        return true;
    default:
        return false;
    }
}
