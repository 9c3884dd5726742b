#include "mulinelloform.h"

#include "filenames.h"
#include "korvalisshell.h"

#include <QSlider>

using namespace Qt::StringLiterals;

namespace {

FieldSpec capacityBar(QString control, QString key, QString comment, QString label,
                      TextPair caption, TextPair hint, QString valueLabel, int newValue)
{
    FieldSpec f =
        trackBarField(std::move(control), std::move(key), {std::move(comment)}, std::move(label),
                      std::move(caption), std::move(hint), 100, 350, 10);
    f.valueLabel = std::move(valueLabel);
    f.valueText = [](int position, bool) -> QString {
        return QString::number(position) + u" mt"_s;
    };
    f.newValue = newValue;
    f.readDefault = 0; // held at 100 by the bar
    f.width = 250;
    return f;
}

} // namespace

QStringList TMulinelloForm::ratioEntries()
{
    QStringList entries;
    for (int tenths = 30; tenths <= 80; ++tenths)
        entries.append(u"%1.%2 : 1"_s.arg(tenths / 10).arg(tenths % 10));
    return entries;
}

KindForm TMulinelloForm::describe()
{
    KindForm k;
    k.kind = ItemKind::Mulinello;
    k.clientSize = QSize(545, 426);
    k.position = QPoint(256, 230);
    k.nameComment = u"Nome del mulinello (max 32 chr)"_s;
    k.descrComment = u"Descrizione del mulinello (max 256 chr)"_s;
    k.nameHint = {u"Nome del mulinello (max 32 chr)"_s, u"Reel name (max 32 chr)"_s};
    k.descrHint = {u"Descrizione del mulinello (max 256 chr)"_s,
                   u"Reel description (max 256 chr)"_s};
    k.defNome = u"Nome Mulinello"_s;
    k.defName = u"Reel name"_s;
    k.defDescrizione = u"Descrizione Mulinello"_s;
    k.defDescription = u"Reel description"_s;

    // The ratio times ten; a missing key (0) selects nothing.
    FieldSpec ratio =
        listField(u"MulinelloRapporto"_s, u"RAPPORTO_RECUPERO"_s,
                  {u"Rapporto di recupero del mulinello (x10): deve essere compreso tra 30 e 80. "
                   "Esempio: 51 = 5,1 : 1"_s},
                  u"Label4"_s, {u"Rapporto"_s, u"Gear ratio"_s},
                  {u"Rapporto del mulinello"_s, u"Reel gear ratio"_s}, ratioEntries(), {}, 30);
    ratio.width = 100;
    k.fields.push_back(ratio);
    k.fields.push_back(capacityBar(
        u"MulinelloCapacitaMin"_s, u"CAPACITA_MIN"_s,
        u"Capacità mulinello per un filo di diametro 0.90 mm. In metri, deve essere compreso "
        "tra 100 e 350"_s,
        u"Label5"_s, {u"Capacita Min"_s, u"Min spool ca."_s},
        {u"Capacità minima con filo da 0.90 mm"_s, u"Min spool capacity (line 0.90 mm)"_s},
        u"MulinelloValCapacitaMin"_s, 100));
    k.fields.push_back(capacityBar(
        u"MulinelloCapacitaMax"_s, u"CAPACITA_MAX"_s,
        u"Capacità mulinello per un filo di diametro 0.06 mm. In metri, deve essere compreso "
        "tra CAPACITA_MIN e 350"_s,
        u"Label6"_s, {u"Capacita Max"_s, u"Max spool ca."_s},
        {u"Capacità massima con filo da 0.06 mm"_s, u"Max spool capacity (line 0.06 mm)"_s},
        u"MulinelloValCapacitaMax"_s, 350));
    FieldSpec foto = photoField(u"Mulinello"_s, {u"Foto del mulinello (immagine 100x100 px)"_s},
                                u"Label7"_s, {u"Foto"_s, u"Image"_s},
                                {u"Seleziona la foto del mulinello. Verrà copiata nella cartella "
                                 "dei mulinelli."_s,
                                 u"Select the reel image"_s},
                                QSize(100, 100));
    foto.sizeLabel = u"Label8"_s;
    foto.sizeCaption = {u"(100x100)"_s, u"(100x100)"_s};
    k.fields.push_back(foto);

    // Equal capacities pass.
    k.checks.push_back(KindCheck{
        [](const auto &value) { return value(u"CAPACITA_MIN"_s) <= value(u"CAPACITA_MAX"_s); },
        {u"Capacità minima maggiore della capacità massima."_s,
         u"Min spool capacity > Max spool capacity"_s}});
    k.itemName = {u"Mulinello"_s, u"reel"_s};
    k.msgNome = {u"Inserire il nome del mulinello."_s, u"Reel name not valid."_s};
    k.msgDescr = {u"Inserire la descrizione del mulinello."_s, u"Reel description not valid."_s};
    k.msgFoto = {u"Selezionare una foto per il mulinello."_s, u"Reel image not valid."_s};
    return k;
}

TMulinelloForm::TMulinelloForm(KorvalisShell &shell, QWidget *parent)
    : TItemEditorForm(shell, describe(), parent)
{
}

QString TMulinelloForm::zipFileList() const
{
    QString base = fileNameLabel();
    base.remove(info().extension, Qt::CaseInsensitive);
    QString list = TItemEditorForm::zipFileList();
    // The BMP pictures of the sub-folder named after the reel file. A name
    // that is no bare name (".", "..", a separator) would reach other
    // folders' pictures: it gets no entry.
    if (FileNames::isBareFileName(base))
        list += u' ' + StrAddApici(base + u"/*.bmp"_s);
    return list;
}
