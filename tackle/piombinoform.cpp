#include "piombinoform.h"

#include "valuetext.h"

using namespace Qt::StringLiterals;

KindForm TPiombinoForm::describe()
{
    KindForm k;
    k.kind = ItemKind::Piombino;
    k.clientSize = QSize(688, 438);
    k.position = QPoint(150, 140);
    k.tabSize = QSize(625, 125);
    k.nameComment = u"Nome del piombino (max 32 chr)"_s;
    k.descrComment = u"Descrizione del piombino (max 256 chr)"_s;
    k.nameHint = {u"Nome del piombino (max 32 chr)"_s, u"Shot name (max 32 chr)"_s};
    k.descrHint = {u"Descrizione del piombino (max 256 chr)"_s,
                   u"Shot description (max 256 chr)"_s};
    k.defNome = u"Nome Piombino"_s;
    k.defName = u"Shot name"_s;
    k.defDescrizione = u"Descrizione Piombino"_s;
    k.defDescription = u"Shot description"_s;

    constexpr int x = 76;
    const auto row = [](int y) { return QRect(x, y, 150, 22); };
    const auto labelAt = [](int y) { return QPoint(8, y + 3); };

    FieldSpec tipo =
        listField(u"PiomboTipo"_s, u"TIPO"_s, {u"Tipo di piombino: 0=fisso, 1=scorrevole"_s},
                  u"Label4"_s, {u"Tipo"_s, u"Type"_s}, {u"Tipo di piombino"_s, u"Shot type"_s},
                  {u"Fisso"_s, u"Scorrevole"_s}, {u"Fixed"_s, u"Sliding"_s});
    k.fields.push_back(tipo.placed(row(225), labelAt(225)));

    // The comment says "min 10", but the bar, New and the read default allow
    // less, and nothing raises such a weight.
    FieldSpec peso =
        trackBarField(u"PiomboPeso"_s, u"PESO"_s,
                      {u"Peso del piombino in centesimi di gr. (min 10, max 12000, 100=1 gr.)"_s},
                      u"Label5"_s, {u"Peso"_s, u"Weight"_s},
                      {u"Peso del piombino in grammi"_s, u"Shot weight"_s}, 1, 12000, 200);
    peso.pageStep = 1;
    peso.readDefault = 2;
    peso.valueLabel = u"PiomboValPeso"_s;
    peso.valueText = [](int position, bool) { return weightText(position); };
    k.fields.push_back(peso.placed(QRect(x, 193, 540, 26), labelAt(193)));

    FieldSpec attacco = listField(
        u"PiomboAttacco"_s, u"ATTACCO"_s, {u"Attacco del piombino (0=lenza, 1=girella)"_s},
        u"Label6"_s, {u"Attacco"_s, u"Link"_s}, {u"Attacco piombino"_s, u"Shot link"_s},
        {u"Lenza"_s, u"Girella"_s}, {u"Line"_s, u"Swivel"_s});
    k.fields.push_back(attacco.placed(row(251), labelAt(251)));

    FieldSpec forma =
        listField(u"PiomboForma"_s, u"FORMA"_s, {u"Forma del piombino (0=sferica, 1=altro)"_s},
                  u"Label7"_s, {u"Forma"_s, u"Shape"_s}, {u"Forma piombino"_s, u"Shot shape"_s},
                  {u"Sferica"_s, u"Altro"_s}, {u"Spherical"_s, u"Other"_s});
    k.fields.push_back(forma.placed(row(277), labelAt(277)));

    FieldSpec foto = pictureField(
        u"PiomboFoto"_s, u"PiomboBevelFoto"_s, u"SpeedButtonOpenFoto"_s, u"FILENAMEFOTO"_s,
        {u"Foto del piombino (immagine 100x100 px)"_s}, u"Label11"_s, {u"Foto"_s, u"Image"_s},
        {u"Seleziona la foto del piombino. Verrà copiata nella cartella dei piombini"_s,
         u"Select the shot image"_s},
        QSize(100, 100));
    foto.sizeLabel = u"Label12"_s;
    foto.sizeCaption = {u"(100x100)"_s, u"(100x100)"_s};
    k.fields.push_back(foto.placed(QRect(x + 2, 307, 100, 100), labelAt(307)));

    // The lists are read before the weight.
    k.readOrder = {u"TIPO"_s, u"ATTACCO"_s, u"FORMA"_s, u"PESO"_s};

    k.itemName = {u"Piombino"_s, u"shot"_s};
    k.msgNome = {u"Inserire il nome del piombino."_s, u"Shot name not valid."_s};
    k.msgDescr = {u"Inserire la descrizione del piombino."_s, u"Shot description not valid."_s};
    k.msgFoto = {u"Selezionare una foto il piombino."_s, u"Shot image not valid."_s};
    return k;
}

TPiombinoForm::TPiombinoForm(KorvalisShell &shell, QWidget *parent)
    : TItemEditorForm(shell, describe(), parent)
{
}
