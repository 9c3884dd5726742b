#pragma once

#include "itemeditorform.h"

class QLabel;
class ValueListGrid;

// The groundbait editor: names, descriptions and a duration like other
// kinds, plus one attracted/not-attracted letter per species of both water
// types, stored as 1 or 0.
class TPasturaForm : public TItemEditorForm
{
    Q_OBJECT

public:
    explicit TPasturaForm(KorvalisShell &shell, QWidget *parent = nullptr);

    QString GetPathPasture() const { return kindFolder(); }

    static KindForm describe();

    // Every value of both grids becomes the "no" letter; row 1 of each is
    // selected.
    void AzzeraListe();
    int CodificaPastura(const QString &cell) const;
    QString DecodificaPastura(int stored) const;
    void SetEnglishListEditor();

    const QString &valoreSi() const { return m_valoreSi; }
    const QString &valoreNo() const { return m_valoreNo; }

protected:
    void newExtra() override;
    void readExtra(const IniProfile &ini) override;
    void writeExtra(TIniFileWriter &w) override;
    bool verificaExtra() override;
    void commitEdits() override;

private:
    void applyListTexts(bool english);
    void showSpecies(ValueListGrid *grid, const QString &key);

    QString m_valoreSi = QStringLiteral("S");
    QString m_valoreNo = QStringLiteral("N");
    QLabel *m_Label4 = nullptr;
    ValueListGrid *m_PasturaLista = nullptr;
    ValueListGrid *m_PasturaListaMare = nullptr;
};
