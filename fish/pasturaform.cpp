#include "pasturaform.h"

#include "fishchecks.h"
#include "fishlists.h"
#include "inifilewriter.h"
#include "inireader.h"
#include "korvalisshell.h"
#include "valuelistgrid.h"

#include <QCoreApplication>
#include <QLabel>
#include <QSlider>
#include <QStatusTipEvent>

using namespace Qt::StringLiterals;

namespace {

constexpr QSize kClientSize(560, 590);
constexpr int kGridsTop = 248;
constexpr int kGridHeight = 310;

const TextPair kPesci{u"Pesci"_s, u"Fishes"_s};
const TextPair kDolceHint{u"Tabelle pesci d'acqua dolce attratti dalla pastura"_s,
                          u"Freshwater fish: "_s};
const TextPair kMareHint{u"Tabelle pesci d'acqua marittima attratti dalla pastura"_s,
                         u"Saltwater fish: "_s};
const TextPair kDolceTitle{u"Pesce (acqua dolce)"_s, u"Freshwater fishes"_s};
const TextPair kMareTitle{u"Pesce (acqua maritt.)"_s, u"Saltwater fishes"_s};
const TextPair kAttratto{u"Attratto (S/N)"_s, u"Attract (Y/N)"_s};
const TextPair kDurataMsg{u"La durata della pastura deve essere maggiore di 0."_s,
                          u"Duration time must be greater then 0."_s};
const QString kListeComment =
    u"Tabelle pesci attratti dalla pastura: 0=pesce non attratto, 1=pesce attratto"_s;

} // namespace

KindForm TPasturaForm::describe()
{
    KindForm k;
    k.kind = ItemKind::Pastura;
    k.clientSize = kClientSize;
    k.position = QPoint(180, 90);
    k.nameComment = u"Nome della pastura (max 32 chr)"_s;
    k.descrComment = u"Descrizione della pastura (max 256 chr)"_s;
    k.nameHint = {u"Nome della pastura (max 32 chr)"_s, u"Groundbait name (max 32 chr)"_s};
    k.descrHint = {u"Descrizione della pastura (max 256 chr)"_s,
                   u"Groundbait description (max 256 chr)"_s};
    k.defNome = u"Nome Pastura"_s;
    k.defName = u"Groundbait name"_s;
    k.defDescrizione = u"Descrizione Pastura"_s;
    k.defDescription = u"Groundbait Description"_s;

    FieldSpec durata;
    durata.type = FieldSpec::Type::TrackBar;
    durata.control = u"PasturaDurata"_s;
    durata.key = u"SECONDI"_s;
    durata.comment = QStringList{
        u"Tempo di efficacia della pastura in acqua. In secondi, es. 300=5 minuti (min 0, max 3600)"_s};
    durata.label = u"Label10"_s;
    durata.caption = {u"Durata (min)"_s, u"Durat. (min)"_s};
    durata.hint = {u"Tempo di efficacia della pastura in acqua in secondi"_s,
                   u"Duration time for the groundbait"_s};
    durata.minimum = 0;
    durata.maximum = kDurataMax;
    durata.tickInterval = 300;
    durata.pageStep = 60; // a minute
    durata.width = 300;
    durata.valueLabel = u"PasturaValDurata"_s;
    durata.valueText = [](int position, bool) { return durataText(position); };
    k.fields.push_back(durata);

    k.itemName = {u"Pastura"_s, u"groundbait"_s};
    k.newHint = {u"Nuova Pastura"_s, u"New groundbait"_s};
    k.openHint = {u"Apri Pastura"_s, u"Open groundbait"_s};
    k.saveHint = {u"Salva Pastura"_s, u"Save groundbait"_s};
    k.msgNome = {u"Inserire il nome della pastura."_s, u"Groundbait name not valid."_s};
    k.msgDescr = {u"Inserire la descrizione della pastura."_s,
                  u"Groundbait description not valid."_s};
    k.fileChecks = [](FileCheck &c) {
        const int seconds =
            std::clamp(c.ini().readInteger(c.section(), u"SECONDI"_s, 0), 0, kDurataMax);
        if (seconds == 0)
            c.error(u"SECONDI"_s, u"the groundbait lasts 0 seconds: the editor refuses to save "
                                  "it"_s);
        checkSpeciesSection(c, Acqua::Dolce, SpeciesValues::Flag);
        checkSpeciesSection(c, Acqua::Mare, SpeciesValues::Flag);
    };
    return k;
}

TPasturaForm::TPasturaForm(KorvalisShell &shell, QWidget *parent)
    : TItemEditorForm(shell, describe(), parent)
{
    m_Label4 = new QLabel(client());
    m_Label4->setObjectName(u"Label4"_s);
    m_Label4->setGeometry(16, kGridsTop - 20, 120, 16);
    const int width = (kClientSize.width() - 24) / 2;
    const auto makeGrid = [&](const QString &name, Acqua acqua, int x) {
        // Init: every row of both grids starts as "N".
        auto *grid = new ValueListGrid(speciesKeys(acqua), u"N"_s, client());
        grid->setObjectName(name);
        grid->setGeometry(x, kGridsTop, width, kGridHeight);
        grid->setColumnWidth(0, 150);
        grid->setValidator(
            [this](const QString &typed) { return validaPastura(typed, m_valoreSi, m_valoreNo); });
        connect(grid, &ValueListGrid::rowSelected, this,
                [this, grid](int, const QString &key) { showSpecies(grid, key); });
        return grid;
    };
    m_PasturaLista = makeGrid(u"PasturaLista"_s, Acqua::Dolce, 8);
    m_PasturaListaMare = makeGrid(u"PasturaListaMare"_s, Acqua::Mare, 16 + width);
    applyListTexts(false);
}

void TPasturaForm::applyListTexts(bool en)
{
    m_Label4->setText(kPesci.in(en));
    m_PasturaLista->setTitles(kDolceTitle.in(en), kAttratto.in(en));
    m_PasturaListaMare->setTitles(kMareTitle.in(en), kAttratto.in(en));
    m_PasturaLista->setStatusTip(kDolceHint.in(en));
    m_PasturaListaMare->setStatusTip(kMareHint.in(en));
}

void TPasturaForm::SetEnglishListEditor()
{
    applyListTexts(true);
}

void TPasturaForm::newExtra()
{
    m_valoreSi = u"S"_s;
    m_valoreNo = u"N"_s;
    if (english()) {
        SetEnglishListEditor();
        m_valoreSi = u"Y"_s;
        m_valoreNo = u"N"_s;
    }
    AzzeraListe();
}

void TPasturaForm::AzzeraListe()
{
    for (ValueListGrid *grid : {m_PasturaLista, m_PasturaListaMare}) {
        grid->setAllValues(m_valoreNo);
        grid->selectDataRow(0);
    }
}

int TPasturaForm::CodificaPastura(const QString &cell) const
{
    return ::CodificaPastura(cell, m_valoreNo);
}

QString TPasturaForm::DecodificaPastura(int stored) const
{
    return ::DecodificaPastura(stored, m_valoreSi, m_valoreNo);
}

void TPasturaForm::readExtra(const IniProfile &ini)
{
    for (ValueListGrid *grid : {m_PasturaLista, m_PasturaListaMare}) {
        grid->cancelPendingEdit();
        const std::vector<int> values =
            readSpeciesValues(ini, grid == m_PasturaLista ? Acqua::Dolce : Acqua::Mare);
        for (int row = 0; row < grid->keyCount(); ++row)
            grid->setValue(row, DecodificaPastura(values[std::size_t(row)]));
        grid->selectDataRow(0);
    }
}

void TPasturaForm::writeExtra(TIniFileWriter &w)
{
    w.AddNewComment(kListeComment);
    for (ValueListGrid *grid : {m_PasturaLista, m_PasturaListaMare}) {
        std::vector<int> values;
        values.reserve(std::size_t(grid->keyCount()));
        for (int row = 0; row < grid->keyCount(); ++row)
            values.push_back(CodificaPastura(grid->value(row)));
        writeSpeciesValues(w, grid == m_PasturaLista ? Acqua::Dolce : Acqua::Mare, values);
    }
}

void TPasturaForm::commitEdits()
{
    // A letter still being typed belongs to the groundbait being saved.
    for (ValueListGrid *grid : {m_PasturaLista, m_PasturaListaMare})
        grid->commitPendingEdit();
}

bool TPasturaForm::verificaExtra()
{
    if (findChild<QSlider *>(u"PasturaDurata"_s)->value() == 0) {
        shell().ShowMessaggio(kDurataMsg.i, kDurataMsg.e);
        return false;
    }
    return true;
}

void TPasturaForm::showSpecies(ValueListGrid *grid, const QString &key)
{
    if (!english())
        return;
    const bool dolce = grid == m_PasturaLista;
    const QString text = (dolce ? kDolceHint.e : kMareHint.e)
                         + TraduciPesce(key, true, dolce ? Acqua::Dolce : Acqua::Mare);
    grid->setStatusTip(text);
    // The window shows status tips in its status bar.
    QStatusTipEvent tip(text);
    QCoreApplication::sendEvent(this, &tip);
}
