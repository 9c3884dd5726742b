#pragma once

#include "itemeditorform.h"

// The hook editor: the plainest kind, one picture and eight lists.
class TAmoForm : public TItemEditorForm
{
    Q_OBJECT

public:
    explicit TAmoForm(KorvalisShell &shell, QWidget *parent = nullptr);

    QString GetPathAmi() const { return kindFolder(); }

    // The hook's description, shared with tests and other kinds' lists.
    static KindForm describe();
};
