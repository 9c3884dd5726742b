#include "escaform.h"

#include "valuetext.h"

using namespace Qt::StringLiterals;

namespace {
constexpr int kPesoSpinning = 200;
} // namespace

KindForm TEscaForm::describe()
{
    KindForm k;
    k.kind = ItemKind::Esca;
    k.clientSize = QSize(720, 509);
    k.position = QPoint(150, 140);
    k.tabSize = QSize(625, 132);
    k.nameComment = u"Nome dell'esca (max 32 chr)"_s;
    k.descrComment = u"Descrizione dell'esca (max 256 chr)"_s;
    k.nameHint = {u"Nome dell'esca (max 32 chr)"_s, u"Bait name (max 32 chr)"_s};
    k.descrHint = {u"Descrizione dell'esca (max 256 chr)"_s, u"Bait description (max 256 chr)"_s};
    k.defNome = u"Nome Esca"_s;
    k.defName = u"Bait name"_s;
    k.defDescrizione = u"Descrizione Esca"_s;
    k.defDescription = u"Bait description"_s;

    // Labels left of their controls; the wide bars leave their labels less
    // room than the lists.
    constexpr int x = 90;
    constexpr int barX = 86;
    // Narrower than the 591 pixels designed, so that the longest read-out,
    // "199,99 gr", fits whole right of the bar.
    constexpr int barWidth = 568;
    const auto row = [](int y, int width) { return QRect(x, y, width, 22); };
    const auto labelAt = [](int y) { return QPoint(8, y + 3); };

    FieldSpec tipo =
        listField(u"EscaTipo"_s, u"TIPO"_s,
                  {u"Tipo dell'esca: 0=Crostaceo, 1=Formaggio, 2=Frutta, 3=Insetto, 4=Larva,"_s,
                   u"                5=Pane o Polenta, 6=Vegetale, 7=Verme, 8=Vivo,"_s,
                   u"                9=Artificiale, 10=Carne (morto), 11=Pastella, 12=Mollusco"_s,
                   u"                13=Spinning"_s},
                  u"Label4"_s, {u"Tipo"_s, u"Type"_s}, {u"Tipo dell'esca"_s, u"Bait type"_s},
                  {u"Crostaceo"_s, u"Formaggio"_s, u"Frutta"_s, u"Insetto"_s, u"Larva"_s,
                   u"Pane o Polenta"_s, u"Vegetale"_s, u"Verme"_s, u"Vivo"_s, u"Artificiale"_s,
                   u"Carne (morto)"_s, u"Pastella"_s, u"Mollusco"_s, u"Spinning"_s},
                  {u"Shellfish"_s, u"Cheese"_s, u"Fruit"_s, u"Insect"_s, u"Larva"_s, u"Bread"_s,
                   u"Vegetable"_s, u"Worm"_s, u"Live"_s, u"Lure"_s, u"Meat"_s, u"Batter"_s,
                   u"Mollusc"_s, u"Spinning"_s});
    k.fields.push_back(tipo.placed(row(200, 200), labelAt(200)));

    // "Indifferente" is stored as -1, though the comments do not say so.
    FieldSpec colore = listField(
        u"EscaColoreAmo"_s, u"COLORE_AMO"_s,
        {u"Colore ideale dell'amo: 0=grigio, 1=bronzo, 2=brunito, 3=rosso, 4=dorato, 5=verde"_s},
        u"Label5"_s, {u"Colore Amo"_s, u"Hook color"_s},
        {u"Colore ideale dell'amo per l'esca"_s, u"Ideal hook color"_s},
        {u"Indifferente"_s, u"Grigio"_s, u"Bronzo"_s, u"Brunito"_s, u"Rosso"_s, u"Dorato"_s,
         u"Verde"_s},
        {u"Not defined"_s, u"Gray"_s, u"Bronze"_s, u"Brown"_s, u"Red"_s, u"Golden"_s, u"Green"_s});
    colore.offset = -1;
    colore.readDefault = -1;
    k.fields.push_back(colore.placed(row(226, 200), labelAt(226)));

    FieldSpec curva = listField(u"EscaCurvaAmo"_s, u"CURVA_AMO"_s,
                                {u"Curva ideale dell'amo: 0=crystal, 1=rotonda, 2=ampia"_s},
                                u"Label6"_s, {u"Curva amo"_s, u"Hook bend"_s},
                                {u"Curva ideale dell'amo"_s, u"Ideal hook bend"_s},
                                {u"Indifferente"_s, u"Crystal"_s, u"Rotonda"_s, u"Ampia"_s},
                                {u"Not defined"_s, u"Crystal"_s, u"Round"_s, u"Large"_s});
    curva.offset = -1;
    curva.readDefault = -1;
    k.fields.push_back(curva.placed(row(252, 200), labelAt(252)));

    FieldSpec luogo =
        listField(u"EscaLuogoIdeale"_s, u"TIPO_LUOGO"_s,
                  {u"Tipo luogo ideale di utilizzo: -1=ovunque, 0=Fiume, 1=Lago, 2=Mare"_s},
                  u"Label7"_s, {u"Luogo ideale"_s, u"Ideal venue"_s},
                  {u"Tipo luogo ideale di utilizzo"_s, u"Ideal venue type"_s},
                  {u"Ovunque"_s, u"Fiume"_s, u"Lago"_s, u"Mare"_s},
                  {u"Anywhere"_s, u"River"_s, u"Lake"_s, u"Sea"_s});
    luogo.offset = -1;
    luogo.readDefault = -1;
    k.fields.push_back(luogo.placed(row(278, 200), labelAt(278)));

    FieldSpec foto = pictureField(
        u"EscaFoto"_s, u"EscaBevelFoto"_s, u"SpeedButton1"_s, u"FILENAMEFOTO"_s,
        {u"Foto dell'esca (immagine 100x100 px)"_s}, u"Label11"_s, {u"Foto"_s, u"Image"_s},
        {u"Seleziona la foto dell'esca. Verrà copiata nella cartella delle esche"_s,
         u"Select the bait image"_s},
        QSize(100, 100));
    foto.sizeLabel = u"Label12"_s;
    foto.sizeCaption = {u"(100x100)"_s, u"(100x100)"_s};
    k.fields.push_back(foto.placed(QRect(x + 2, 310, 100, 100), labelAt(310)));

    // Written whether or not the bait is a spinning bait.
    FieldSpec prof =
        trackBarField(u"EscaProfondita"_s, u"MAX_PROF"_s,
                      {u"Profondità di lavoro dell'esca da spinning (in cm, min 0, max 10000)"_s},
                      u"Label8"_s, {u"Prof. lavoro"_s, u"Working dep."_s},
                      {u"Profondita di lavoro dell'esca (solo spinning)"_s,
                       u"Bait working depth (only spinning)"_s},
                      0, 10000, 100);
    prof.valueLabel = u"EscaValProf"_s;
    prof.valueText = [](int position, bool) { return distanceText(position); };
    k.fields.push_back(prof.placed(QRect(barX, 418, barWidth, 26), labelAt(418)));

    FieldSpec peso = trackBarField(
        u"EscaPeso"_s, u"PESO"_s, {u"Peso dell'esca da spinning (100=1 gr, min 200, max 20000)"_s},
        u"Label10"_s, {u"Peso"_s, u"Weight"_s},
        {u"Peso dell'esca in grammi (solo spinning)"_s, u"Bait weight (only spinning)"_s}, 200,
        20000, 200);
    peso.pageStep = 1;
    peso.readDefault = 0; // held at 200 by the bar
    peso.valueLabel = u"EscaValPeso"_s;
    peso.valueText = [](int position, bool) { return weightText(position); };
    k.fields.push_back(peso.placed(QRect(barX, 452, barWidth, 26), labelAt(452)));

    k.reloadPictureAfterSave = false;
    k.itemName = {u"Esca"_s, u"bait"_s};
    k.newHint = {u"Nuova Esca"_s, u"New bait"_s};
    k.msgNome = {u"Inserire il nome dell'esca."_s, u"Bait name not valid."_s};
    k.msgDescr = {u"Inserire la descrizione dell'esca."_s, u"Bait description not valid."_s};
    k.msgFoto = {u"Selezionare una foto per l'esca."_s, u"Bait image not valid."_s};
    return k;
}

TEscaForm::TEscaForm(KorvalisShell &shell, QWidget *parent)
    : TItemEditorForm(shell, describe(), parent)
    , m_tipo(fieldIndex(u"EscaTipo"_s))
    , m_foto(fieldIndex(u"EscaFoto"_s))
    , m_profondita(fieldIndex(u"EscaProfondita"_s))
    , m_peso(fieldIndex(u"EscaPeso"_s))
{
}

void TEscaForm::EnableDatiSpinning()
{
    // Setting a position refreshes its label only on a real change, so the
    // weight label is set last, whatever the bar showed before.
    if (listIndex(m_tipo) == kSpinning) {
        setFieldEnabled(m_profondita, true);
        setFieldEnabled(m_peso, true);
        setPosition(m_peso, kPesoSpinning);
        setValueLabelText(m_peso, weightText(kPesoSpinning));
    } else {
        setPosition(m_profondita, 0);
        setFieldEnabled(m_profondita, false);
        setPosition(m_peso, kPesoSpinning);
        setFieldEnabled(m_peso, false);
        setValueLabelText(m_peso, weightText(0));
    }
}

void TEscaForm::fieldRead(size_t field)
{
    // The type decides before the depth and weight are read, so a file keeps
    // them even on disabled bars.
    if (field == m_foto)
        EnableDatiSpinning();
}

void TEscaForm::listPicked(size_t field)
{
    if (field == m_tipo)
        EscaTipoChange();
}
