#pragma once

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QStringList>
#include <QTabWidget>
#include <QWidget>

// The title as the window shows it: "Amo", or "Amo*" when modified.
inline QString shownTitle(const QWidget *w)
{
    return QString(w->windowTitle())
        .replace(QStringLiteral("[*]"), w->isWindowModified() ? QStringLiteral("*") : QString());
}

// Every text a user can see or read in the status bar of a window: what a
// language switch must change.
inline QStringList visibleTexts(QWidget *root)
{
    QStringList texts{shownTitle(root)};
    for (auto *w : root->findChildren<QWidget *>()) {
        texts << w->statusTip();
        if (auto *l = qobject_cast<QLabel *>(w))
            texts << l->text();
        if (auto *b = qobject_cast<QAbstractButton *>(w))
            texts << b->text();
        if (auto *c = qobject_cast<QComboBox *>(w))
            for (int i = 0; i < c->count(); ++i)
                texts << c->itemText(i);
        if (auto *t = qobject_cast<QTabWidget *>(w))
            for (int i = 0; i < t->count(); ++i)
                texts << t->tabText(i);
        if (auto *m = qobject_cast<QMenu *>(w))
            texts << m->title();
    }
    for (auto *a : root->findChildren<QAction *>())
        texts << a->text() << a->statusTip();
    texts.removeAll(QString());
    texts.removeDuplicates();
    return texts;
}
