#pragma once

#include "itemeditorform.h"

// The sinker editor: three two-entry lists and a weight.
class TPiombinoForm : public TItemEditorForm
{
    Q_OBJECT

public:
    explicit TPiombinoForm(KorvalisShell &shell, QWidget *parent = nullptr);

    QString GetPathPiombi() const { return kindFolder(); }

    static KindForm describe();
};
