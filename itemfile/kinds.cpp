#include "kinds.h"

using namespace Qt::StringLiterals;

QString KindInfo::fileFilter() const
{
    const QString letters = defaultExtension();
    const QString capitalised = letters.left(1).toUpper() + letters.mid(1);
    return u"File "_s + capitalised + u"|*"_s + extension;
}

QString KindInfo::defaultExtension() const
{
    return extension.mid(1);
}

const std::array<KindInfo, kKindCount> &kindTable()
{
    static const std::array<KindInfo, kKindCount> table{{
        {ItemKind::Amo, u"TAmoForm"_s, u"AmoForm"_s, u"Amo"_s, u"Hook"_s, u".kva"_s,
         u"NuovoAmo.kva"_s, u"NewHook.kva"_s, u"Ami/"_s, u"GetPathAmi"_s, u"AMO"_s, u"AMO: "_s, 1,
         true, u"Amo"_s, u"SpeedButtonOpenFoto"_s, u"hook"_s},
        {ItemKind::Esca, u"TEscaForm"_s, u"EscaForm"_s, u"Esca"_s, u"Bait"_s, u".kve"_s,
         u"NuovaEsca.kve"_s, u"NewBait.kve"_s, u"Esche/"_s, u"GetPathEsche"_s, u"ESCA"_s,
         u"ESCA: "_s, 1, true, u"Esca"_s, u"SpeedButton1"_s, u"bait"_s},
        {ItemKind::Galleggiante, u"TGalleggianteForm"_s, u"GalleggianteForm"_s, u"Galleggiante"_s,
         u"Floating"_s, u".kvg"_s, u"NuovoGalleggiante.kvg"_s, u"NewFloating.kvg"_s,
         u"Galleggianti/"_s, u"GetPathGalleggianti"_s, u"GALLEGGIANTE"_s, u"GALLEGGIANTE: "_s, 2,
         true, u"Gall"_s, u"SpeedButtonFoto"_s, u"float"_s},
        {ItemKind::Luogo, u"TLuogoForm"_s, u"LuogoForm"_s, u"Luogo"_s, u"Venue"_s, u".kvl"_s,
         u"NuovoLuogo.kvl"_s, u"NewVenue.kvl"_s, u"Luoghi/"_s, u"GetPathLuoghi"_s, u"LUOGO"_s,
         u"LUOGO: "_s, 1, true, u"Luogo"_s, u"SpeedButtonOpenFoto"_s, u"venue"_s},
        {ItemKind::Pastura, u"TPasturaForm"_s, u"PasturaForm"_s, u"Pastura"_s, u"Groundbait"_s,
         u".kvt"_s, u"NuovaPastura.kvt"_s, u"NewGroundbait.kvt"_s, u"Pasture/"_s,
         u"GetPathPasture"_s, u"PASTURA"_s, u"PASTURA: "_s, 0, true, u"Pastura"_s, QString(),
         u"groundbait"_s},
        // The presence lists live in KVS/ inside the venue folder and have
        // their own file flow and sections.
        {ItemKind::PresPesci, u"TPresPesciForm"_s, u"PresPesciForm"_s, u"File Presenza Pesci"_s,
         u"Fishes file"_s, u".kvs"_s, u"NuovaListaPresenzaPesci.kvs"_s, u"NewFishesFile.kvs"_s,
         u"Luoghi/KVS/"_s, u"GetPathPresenzaPesci"_s, QString(), QString(), 0, false, QString(),
         QString(), u"presence"_s},
        {ItemKind::Piombino, u"TPiombinoForm"_s, u"PiombinoForm"_s, u"Piombino"_s, u"Shot"_s,
         u".kvp"_s, u"NuovoPiombino.kvp"_s, u"NewShot.kvp"_s, u"Piombi/"_s, u"GetPathPiombi"_s,
         u"PIOMBINO"_s, u"PIOMBINO: "_s, 1, true, u"Piombo"_s, u"SpeedButtonOpenFoto"_s,
         u"sinker"_s},
        {ItemKind::Canna, u"TCannaForm"_s, u"CannaForm"_s, u"Canna da Pesca"_s, u"Fishing rod"_s,
         u".kvn"_s, u"NuovaCanna.kvn"_s, u"NewRod.kvn"_s, u"Canne/"_s, u"GetPathCanne"_s,
         u"CANNA"_s, u"CANNA: "_s, 1, true, u"Canna"_s, u"SpeedButtonOpenFoto"_s, u"rod"_s},
        {ItemKind::Mulinello, u"TMulinelloForm"_s, u"MulinelloForm"_s, u"Mulinello"_s, u"Reel"_s,
         u".kvm"_s, u"NuovoMulinello.kvm"_s, u"NewReel.kvm"_s, u"Mulinelli/"_s,
         u"GetPathMulinelli"_s, u"MULINELLO"_s, u"MULINELLO: "_s, 1, true, u"Mulinello"_s,
         u"SpeedButtonOpenFoto"_s, u"reel"_s},
    }};
    return table;
}

const KindInfo &kindInfo(ItemKind kind)
{
    return kindTable()[static_cast<size_t>(kind)];
}

QString pictureFilter()
{
    return u"File jpg (*.jpg)|*.jpg|File bmp (*.bmp)|*.bmp"_s;
}

QString zipFilter()
{
    return u"File Zip|*.zip"_s;
}

std::optional<ItemKind> kindOfFileName(const QString &fileName)
{
    for (const KindInfo &k : kindTable())
        if (fileName.endsWith(k.extension, Qt::CaseInsensitive))
            return k.kind;
    return std::nullopt;
}
