#pragma once

#include "itemeditorform.h"

// The float editor: a photo and a sprite, a weight, and a button that
// derives the ideal current from the weight.
class TGalleggianteForm : public TItemEditorForm
{
    Q_OBJECT

public:
    explicit TGalleggianteForm(KorvalisShell &shell, QWidget *parent = nullptr);

    QString GetPathGalleggianti() const { return kindFolder(); }
    // Selects the ideal current for the weight.
    void GallCalc_btClick();
    // The current list index for a weight in hundredths of a gram.
    static int idealCurrent(int peso);

    static KindForm describe();

protected:
    void buttonClicked(size_t field) override;

private:
    size_t m_corrente;
    size_t m_peso;
    size_t m_calc;
};
