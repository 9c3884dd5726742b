#include "amoform.h"

using namespace Qt::StringLiterals;

namespace {

QStringList sizeEntries()
{
    QStringList sizes;
    for (int n = 8; n >= 1; --n)
        sizes.append(QString::number(n) + u"/0"_s);
    for (int n = 1; n <= 24; ++n)
        sizes.append(QString::number(n));
    return sizes;
}

FieldSpec list(QString control, QString key, QString comment, QString label, TextPair caption,
               TextPair hint, QStringList entriesI, QStringList entriesE)
{
    return listField(std::move(control), std::move(key), QStringList{std::move(comment)},
                     std::move(label), std::move(caption), std::move(hint), std::move(entriesI),
                     std::move(entriesE));
}

} // namespace

KindForm TAmoForm::describe()
{
    KindForm k;
    k.kind = ItemKind::Amo;
    k.clientSize = QSize(550, 535);
    k.position = QPoint(150, 140);
    k.nameComment = u"Nome dell'amo (max 32 chr)"_s;
    k.descrComment = u"Descrizione dell'amo (max 256 chr)"_s;
    k.nameHint = {u"Nome dell'amo (max 32 chr)"_s, u"Hook name (max 32 chr)"_s};
    k.descrHint = {u"Descrizione dell'amo (max 256 chr)"_s, u"Hook description (max 256 chr)"_s};
    k.defNome = u"Nome Amo"_s;
    k.defName = u"Hook name"_s;
    k.defDescrizione = u"Descrizione Amo"_s;
    k.defDescription = u"Hook description"_s;

    k.fields.push_back(list(u"AmoFilo"_s, u"FILO"_s, u"Filo dell'amo: 0=fine, 1=doppio"_s,
                            u"Label4"_s, {u"Filo"_s, u"Metal"_s},
                            {u"Filo dell'amo"_s, u"Hook metal"_s}, {u"Fine"_s, u"Doppio"_s},
                            {u"Fine"_s, u"Double"_s}));
    k.fields.push_back(
        list(u"AmoGambo"_s, u"GAMBO"_s, u"Gambo dell'amo: 0=corto, 1=medio, 2=lungo"_s, u"Label5"_s,
             {u"Gambo"_s, u"Shank"_s}, {u"Gambo dell'amo"_s, u"Hook shank"_s},
             {u"Corto"_s, u"Medio"_s, u"Lungo"_s}, {u"Short"_s, u"Medium"_s, u"Long"_s}));
    k.fields.push_back(
        list(u"AmoCurva"_s, u"CURVA"_s, u"Curva dell'amo: 0=crystal, 1=rotonda, 2=ampia"_s,
             u"Label6"_s, {u"Curva"_s, u"Bend"_s}, {u"Curva dell'amo"_s, u"Hook bend"_s},
             {u"Crystal"_s, u"Rotonda"_s, u"Ampia"_s}, {u"Crystal"_s, u"Round"_s, u"Large"_s}));
    k.fields.push_back(list(
        u"AmoPunta"_s, u"PUNTA"_s, u"Punta dell'amo: 0=rientrante, 1=dritta, 2=storta"_s,
        u"Label7"_s, {u"Punta"_s, u"Point"_s}, {u"Punta dell'amo"_s, u"Hook point"_s},
        {u"Rientrante"_s, u"Dritta"_s, u"Storta"_s}, {u"Inwards"_s, u"Straight"_s, u"Reversed"_s}));
    k.fields.push_back(
        list(u"AmoArdiglione"_s, u"ARDIGLIONE"_s, u"Ardiglione dell'amo: 0=piccolo, 1=micro"_s,
             u"Label8"_s, {u"Ardiglione"_s, u"Barb"_s}, {u"Ardiglione dell'amo"_s, u"Hook barb"_s},
             {u"Piccolo"_s, u"Micro"_s}, {u"Small"_s, u"Micro"_s}));
    k.fields.push_back(
        list(u"AmoColore"_s, u"COLORE"_s,
             u"Colore dell'amo: 0=grigio, 1=bronzo, 2=brunito, 3=rosso, 4=dorato, 5=verde"_s,
             u"Label9"_s, {u"Colore"_s, u"Color"_s}, {u"Colore dell'amo"_s, u"Hook color"_s},
             {u"Grigio"_s, u"Bronzo"_s, u"Brunito"_s, u"Rosso"_s, u"Dorato"_s, u"Verde"_s},
             {u"Gray"_s, u"Bronze"_s, u"Brown"_s, u"Red"_s, u"Golden"_s, u"Green"_s}));

    // The size list is the same in both languages; "n/0" sizes store 1 - n.
    FieldSpec size =
        list(u"AmoMisura"_s, u"MISURA"_s, u"Misura dell'amo: deve essere compresa tra -7 e 24"_s,
             u"Label10"_s, {u"Misura"_s, u"Size"_s}, {u"Misura dell'amo"_s, u"Hook size"_s},
             sizeEntries(), {});
    size.offset = -7;
    size.newValue = 25; // "18"
    size.readDefault = 3;
    size.width = 80;
    k.fields.push_back(size);

    FieldSpec esca = list(
        u"AmoEsca"_s, u"ESCA"_s,
        u"Esca ideale per l'amo: -1=Tutte, 0=Crostaceo, 1=Formaggio, 2=Frutta, 3=Insetto, 4=Larva,"_s,
        u"Label13"_s, {u"Esca ideale"_s, u"Ideal bait"_s},
        {u"Esca ideale per l'amo"_s, u"Hook ideal bait"_s},
        {u"Tutte"_s, u"Crostaceo"_s, u"Formaggio"_s, u"Frutta"_s, u"Insetto"_s, u"Larva"_s,
         u"Pane o Polenta"_s, u"Vegetale"_s, u"Verme"_s, u"Vivo"_s, u"Artificiale"_s,
         u"Carne (morto)"_s, u"Pastella"_s, u"Mollusco"_s, u"Spinning"_s},
        {u"All"_s, u"Shellfish"_s, u"Cheese"_s, u"Fruit"_s, u"Insect"_s, u"Larva"_s, u"Bread"_s,
         u"Vegetable"_s, u"Worm"_s, u"Live"_s, u"Lure"_s, u"Meat"_s, u"Batter"_s, u"Mollusc"_s,
         u"Spinning"_s});
    esca.comment << u"                5=Pane o Polenta, 6=Vegetale, 7=Verme, 8=Vivo,"_s
                 << u"                9=Artificiale, 10=Carne (morto), 11=Pastella, 12=Mollusco"_s
                 << u"                13=Spinning"_s;
    esca.offset = -1;
    esca.readDefault = -1;
    k.fields.push_back(esca);

    FieldSpec foto = pictureField(
        u"AmoFoto"_s, u"AmoBevelFoto"_s, u"SpeedButtonOpenFoto"_s, u"FILENAMEFOTO"_s,
        {u"Foto dell'amo (immagine 100x100 px)"_s}, u"Label11"_s, {u"Foto"_s, u"Image"_s},
        {u"Seleziona la foto dell'amo. Verrà copiata nella cartella degli ami."_s,
         u"Select the hook image"_s},
        QSize(100, 100));
    foto.sizeLabel = u"Label12"_s;
    foto.sizeCaption = {u"(100x100)"_s, u"(100x100)"_s};
    k.fields.push_back(foto);

    k.itemName = {u"Amo"_s, u"hook"_s};
    k.msgNome = {u"Inserire il nome dell'amo."_s, u"Hook name not valid."_s};
    k.msgDescr = {u"Inserire la descrizione dell'amo."_s, u"Hook description not valid."_s};
    k.msgFoto = {u"Selezionare una foto per l'amo."_s, u"Hook image not valid."_s};
    return k;
}

TAmoForm::TAmoForm(KorvalisShell &shell, QWidget *parent)
    : TItemEditorForm(shell, describe(), parent)
{
}
