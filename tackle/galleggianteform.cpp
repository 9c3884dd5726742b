#include "galleggianteform.h"

#include "valuetext.h"

using namespace Qt::StringLiterals;

KindForm TGalleggianteForm::describe()
{
    KindForm k;
    k.kind = ItemKind::Galleggiante;
    k.clientSize = QSize(544, 409);
    k.position = QPoint(150, 140);
    // Narrower tabs: the tall photo stands beside them.
    k.tabSize = QSize(430, 125);
    k.nameComment = u"Nome del galleggiante (max 32 chr)"_s;
    k.descrComment = u"Descrizione del galleggiante (max 256 chr)"_s;
    k.nameHint = {u"Nome del galleggiante (max 32 chr)"_s, u"Floating name (max 32 chr)"_s};
    k.descrHint = {u"Descrizione del galleggiante (max 256 chr)"_s,
                   u"Floating description (max 256 chr)"_s};
    k.defNome = u"Nome Galleggiante"_s;
    k.defName = u"Float name"_s;
    k.defDescrizione = u"Descrizione Galleggiante"_s;
    k.defDescription = u"Float description"_s;

    constexpr int x = 76;
    const auto labelAt = [](int y) { return QPoint(8, y + 3); };

    FieldSpec foto = pictureField(
        u"GallFoto"_s, u"GallBevelFoto"_s, u"SpeedButtonFoto"_s, u"FILENAMEFOTO"_s,
        {u"Foto del galleggiante (immagine 50x350 px)"_s}, u"Label6"_s,
        {u"Foto (50x350)"_s, u"Image (50x350)"_s},
        {u"Seleziona la foto del galleggiante. Verrà copiata nella cartella dei galleggianti"_s,
         u"Select the floating image"_s},
        QSize(43, 300));
    k.fields.push_back(foto.placed(QRect(448, 80, 43, 300), QPoint(444, 62)));

    FieldSpec sprite = pictureField(
        u"GallSprite"_s, u"GallBevelSprite"_s, u"SpeedButtonSprite"_s, u"FILENAMESPRITE"_s,
        {u"Sprite del galleggiante (immagine 15x45 px)"_s}, u"Label7"_s, {u"Sprite"_s, u"Sprite"_s},
        {u"Seleziona lo sprite del galleggiante. Verrà copiata nella cartella dei galleggianti"_s,
         u"Select the floating sprite"_s},
        QSize(15, 45));
    sprite.sizeLabel = u"Label8"_s;
    sprite.sizeCaption = {u"(15x45)"_s, u"(15x45)"_s};
    sprite.filter = u"File bmp (*.bmp)|*.bmp"_s;
    sprite.emptyMessage = {u"Selezionare uno sprite per il galleggiante."_s,
                           u"Floating sprite not valid."_s};
    k.fields.push_back(sprite.placed(QRect(x + 2, 285, 15, 45), labelAt(284)));

    FieldSpec corrente = listField(
        u"GallCorrente"_s, u"CORRENTE"_s,
        {u"Corrente ideale di utilizzo: 0=Ferma (o mare calmo), 1=Lenta (o mare poco mosso), "
         "2=Media (o mare abbastanza mosso), 3=Veloce (o mare molto mosso)"_s},
        u"Label4"_s, {u"Corrente"_s, u"Running"_s},
        {u"Corrente ideale di utilizzo del galleggiante"_s, u"Ideal running"_s},
        {u"Ferma (o mare calmo)"_s, u"Lenta (o mare poco mosso)"_s,
         u"Media (o mare abbastanza mosso)"_s, u"Veloce (o mare molto mosso)"_s},
        {u"Motionless water (or smooth sea)"_s, u"Slow water (or fairly smooth sea)"_s,
         u"Medium water (or rough sea)"_s, u"Fast water (or very rough sea)"_s});
    k.fields.push_back(corrente.placed(QRect(x, 193, 250, 22), labelAt(193)));

    FieldSpec calc;
    calc.type = FieldSpec::Type::Button;
    calc.control = u"GallCalc_bt"_s;
    calc.caption = {u"Calc."_s, u"Calc."_s};
    calc.hint = {u"Calcola la corrente ideale del galleggiante in base al peso impostato"_s,
                 u"Calculate the ideal running for the floating"_s};
    k.fields.push_back(calc.placed(QRect(x + 258, 193, 60, 22)));

    FieldSpec peso =
        trackBarField(u"GallPeso"_s, u"PESO"_s,
                      {u"Peso del galleggiante in centesimi di gr. (min 20, max 800)"_s},
                      u"Label5"_s, {u"Peso"_s, u"Weight"_s},
                      {u"Peso del galleggiante in grammi"_s, u"Floating weight"_s}, 20, 800, 100);
    peso.valueLabel = u"GallValPeso"_s;
    peso.valueText = [](int position, bool) { return weightText(position); };
    // The weight read-out to its right ends before the photo's frame.
    k.fields.push_back(peso.placed(QRect(x, 222, 270, 26), labelAt(222)));

    FieldSpec tipo = listField(
        u"GallTipo"_s, u"TIPO"_s, {u"Tipo galleggiante: 0=Fisso, 1=scorrevole"_s}, u"Label9"_s,
        {u"Tipo"_s, u"Type"_s}, {u"Tipo di galleggiante"_s, u"Floating type"_s},
        {u"Fisso"_s, u"Scorrevole"_s}, {u"Fixed"_s, u"Sliding"_s});
    k.fields.push_back(tipo.placed(QRect(x, 254, 150, 22), labelAt(254)));

    // The pictures come last when reading, so one that cannot be loaded
    // leaves the lists and the weight read.
    k.readOrder = {u"CORRENTE"_s, u"PESO"_s, u"TIPO"_s, u"FILENAMEFOTO"_s, u"FILENAMESPRITE"_s};
    k.pickHintsFirst = true;

    k.itemName = {u"Galleggiante"_s, u"floating"_s};
    k.newButtonHint = {u"Nuovo Gallegiante"_s, u"New floating"_s};
    k.msgNome = {u"Inserire il nome del galleggiante."_s, u"Floating name not valid."_s};
    k.msgDescr = {u"Inserire la descrizione del galleggiante."_s,
                  u"Floating description not valid."_s};
    k.msgFoto = {u"Selezionare una foto per il galleggiante."_s, u"Floating image not valid."_s};
    return k;
}

TGalleggianteForm::TGalleggianteForm(KorvalisShell &shell, QWidget *parent)
    : TItemEditorForm(shell, describe(), parent)
    , m_corrente(fieldIndex(u"GallCorrente"_s))
    , m_peso(fieldIndex(u"GallPeso"_s))
    , m_calc(fieldIndex(u"GallCalc_bt"_s))
{
}

int TGalleggianteForm::idealCurrent(int peso)
{
    if (peso <= 125)
        return 0;
    if (peso <= 200)
        return 1;
    if (peso <= 300)
        return 2;
    return 3;
}

void TGalleggianteForm::GallCalc_btClick()
{
    const int index = idealCurrent(position(m_peso));
    if (index != listIndex(m_corrente))
        setListIndex(m_corrente, index);
}

void TGalleggianteForm::buttonClicked(size_t field)
{
    if (field == m_calc)
        GallCalc_btClick();
}
