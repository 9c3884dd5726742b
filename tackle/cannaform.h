#pragma once

#include "itemeditorform.h"

// The rod editor: three lists (the stiffness stored one above its index)
// and a tall photo beside the names.
class TCannaForm : public TItemEditorForm
{
    Q_OBJECT

public:
    explicit TCannaForm(KorvalisShell &shell, QWidget *parent = nullptr);

    QString GetPathCanne() const { return kindFolder(); }

    static KindForm describe();
};
