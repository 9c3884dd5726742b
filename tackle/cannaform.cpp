#include "cannaform.h"

#include <QAction>
#include <QLabel>
#include <QToolButton>

using namespace Qt::StringLiterals;

KindForm TCannaForm::describe()
{
    KindForm k;
    k.kind = ItemKind::Canna;
    k.clientSize = QSize(550, 351);
    k.position = QPoint(150, 140);
    k.nameComment = u"Nome della canna (max 32 chr)"_s;
    k.descrComment = u"Descrizione della canna (max 256 chr)"_s;
    k.nameHint = {u"Nome della canna (max 32 chr)"_s, u"Fishing rod name (max 32 chr)"_s};
    k.descrHint = {u"Descrizione della canna (max 256 chr)"_s,
                   u"Fishing rod description (max 256 chr)"_s};
    k.defNome = u"Nome Canna"_s;
    k.defName = u"Fishing rod name"_s;
    k.defDescrizione = u"Descrizione Canna"_s;
    k.defDescription = u"Fishing rod description"_s;

    k.fields.push_back(listField(
        u"CannaColore"_s, u"COLORE"_s,
        {u"Colore della canna (0=bianco, 1=grigio chiaro, 2=grigio scuro, 3=giallo, 4=arancio, "
         "5=rosso, 6=blu, 7=azzurro, 8=turchese, 9=verde chiaro, 10=verde scuro)"_s},
        u"Label4"_s, {u"Colore"_s, u"Color"_s}, {u"Colore della canna"_s, u"Fishing rod color"_s},
        {u"Bianco"_s, u"Grigio chiaro"_s, u"Grigio scuro"_s, u"Giallo"_s, u"Arancio"_s, u"Rosso"_s,
         u"Blu"_s, u"Azzurro"_s, u"Turchese"_s, u"Verde chiaro"_s, u"Verde scuro"_s},
        {u"White"_s, u"Light gray"_s, u"Dark Gray"_s, u"Yellow"_s, u"Orange"_s, u"Red"_s, u"Blue"_s,
         u"Light Blue"_s, u"Turquoise"_s, u"Light Green"_s, u"Dark Green"_s}));
    // Stored one above the index: a missing key (0) selects nothing.
    k.fields.push_back(
        listField(u"CannaRigidita"_s, u"RIGIDITA"_s,
                  {u"Rigidita della canna (1=bassa, 2=media, 3=alta)"_s}, u"Label5"_s,
                  {u"Rigidità"_s, u"Power"_s}, {u"Rigidita della canna"_s, u"Fishing rod power"_s},
                  {u"Bassa"_s, u"Media"_s, u"Alta"_s}, {u"Low"_s, u"Medium"_s, u"High"_s}, 1));
    k.fields.push_back(
        listField(u"CannaTipo"_s, u"TIPO"_s,
                  {u"Tipo di canna (0=fissa, 1=bolognese, 2=bolentino, 3=spinning)"_s}, u"Label6"_s,
                  {u"Tipo"_s, u"Type"_s}, {u"Tipo di canna"_s, u"Fishing rod type"_s},
                  {u"Fissa"_s, u"Bolognese"_s, u"Bolentino"_s, u"Spinning"_s},
                  {u"Telescopic"_s, u"Bolognese"_s, u"Boat-rod"_s, u"Spinning"_s}));
    k.fields.push_back(
        photoField(u"Canna"_s, {u"Foto della canna (immagine 75x350 px)"_s}, u"Label7"_s,
                   {u"Foto (75x350)"_s, u"Image (75x350)"_s},
                   {u"Seleziona la foto della canna. Verrà copiata nella cartella delle canne"_s,
                    u"Select the fishing rod image"_s},
                   QSize(50, 240)));

    k.itemName = {u"Canna da Pesca"_s, u"fishing rod"_s};
    // "Nuova": the rod is feminine in Italian.
    k.newHint = {u"Nuova Canna da Pesca"_s, u"New fishing rod"_s};
    k.msgNome = {u"Inserire il nome della canna."_s, u"Fishing rod name not valid."_s};
    k.msgDescr = {u"Inserire la descrizione della canna."_s,
                  u"Fishing rod description not valid."_s};
    k.msgFoto = {u"Selezionare una foto per la canna."_s, u"Fishing rod image not valid."_s};
    return k;
}

TCannaForm::TCannaForm(KorvalisShell &shell, QWidget *parent)
    : TItemEditorForm(shell, describe(), parent)
{
    // The tall photo stands right of the name tabs, its label and button
    // above it; the file name keeps clear of the label.
    const auto place = [this](const QString &name, int x, int y, int w, int h) {
        if (QWidget *widget = client()->findChild<QWidget *>(name))
            widget->setGeometry(x, y, w, h);
    };
    place(u"CannaFileName"_s, 80, 38, 350, 16);
    place(u"Label7"_s, 436, 38, 110, 16);
    client()->findChild<QLabel *>(u"Label7"_s)->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    place(u"SpeedButtonOpenFoto"_s, 498, 56, 25, 25);
    place(u"CannaBevelFoto"_s, 483, 84, 54, 244);
}
