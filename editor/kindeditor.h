#pragma once

#include "kinds.h"

#include <QString>

class QDialog;

// What the main window needs of an editor window: reset it to a new item,
// then show it modally.
class KindEditor
{
public:
    virtual ~KindEditor() = default;
    virtual void New() = 0;
    // Reads the item file at `path` as Open does after its dialog.
    virtual void LoadFile(const QString &path) = 0;
    virtual QDialog *dialog() = 0;
    // Whether the window holds changes Save would write that are not saved.
    virtual bool isModified() const = 0;
};

// Gives the main window the other windows. Windows are made the first time
// they are asked for, and exist once for the whole run.
class WindowProvider
{
public:
    virtual ~WindowProvider() = default;
    // False while the editor of `kind` is not part of the program.
    virtual bool hasEditor(ItemKind kind) const = 0;
    virtual KindEditor *editor(ItemKind kind) = 0;
    virtual QDialog *aboutBox() = 0;
};
