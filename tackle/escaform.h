#pragma once

#include "itemeditorform.h"

// The bait editor: four lists, and a working depth and a weight that only
// a spinning bait has.
class TEscaForm : public TItemEditorForm
{
    Q_OBJECT

public:
    explicit TEscaForm(KorvalisShell &shell, QWidget *parent = nullptr);

    QString GetPathEsche() const { return kindFolder(); }

    // Enables the depth and weight for a spinning bait, and resets them.
    void EnableDatiSpinning();
    void EscaTipoChange() { EnableDatiSpinning(); }

    static KindForm describe();
    // The type index of a spinning bait.
    static constexpr int kSpinning = 13;

protected:
    void newExtra() override { EnableDatiSpinning(); }
    void fieldRead(size_t field) override;
    void listPicked(size_t field) override;

private:
    size_t m_tipo;
    size_t m_foto;
    size_t m_profondita;
    size_t m_peso;
};
