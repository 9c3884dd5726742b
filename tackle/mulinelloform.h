#pragma once

#include "itemeditorform.h"

// The reel editor: a gear-ratio list, two spool-capacity track bars checked
// against each other, and an export that also packs the reel's sub-folder
// of BMP pictures.
class TMulinelloForm : public TItemEditorForm
{
    Q_OBJECT

public:
    explicit TMulinelloForm(KorvalisShell &shell, QWidget *parent = nullptr);

    QString GetPathMulinelli() const { return kindFolder(); }

    static KindForm describe();
    // "3.0 : 1" up to "8.0 : 1", the same in both languages.
    static QStringList ratioEntries();

protected:
    QString zipFileList() const override;
};
