#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The species lists as the game knows them, written out here a second
// time so the tests catch a changed or reordered key.
namespace FishTestData {

inline QStringList dolce()
{
    return QStringLiteral(
               "AGONE ALBORELLA ALOSACHEPPIA BARBO BARBOCANINO BOTTATRICE BREME CARASSIO "
               "CARASSIODORATO CARPA CARPAARGENTATA CARPAERBIVORA CARPAREGINA CARPASPECCHI "
               "CARPIONE CAVEDANO COBITE COREGONE GAMBUSIA GHIOZZO GOBIONE LASCA LUCCIO "
               "LUCCIOPERCA PERSICOSOLE PERSICOTROTA PESCEGATTO PESCEPERSICO PIGO SALMERINO "
               "SANGUINEROLA SAVETTA SCARDOLA SCAZZONE SILURO SPINARELLO TEMOLO TINCA TRIOTTO "
               "TROTAFARIO TROTAIRIDEA TROTALACUSTRE TROTAMARMORATA VAIRONE ANGUILLA ACERINA "
               "CAVEDANOETRUSCO GARDON PSEUDORASBORA ROVELLA STORIONE PESCEGATTOPUNT ASPIO "
               "STORIONELADANO")
        .split(u' ');
}

inline QStringList mare()
{
    return QStringLiteral(
               "AGUGLIA BAVOSAPAVONE BAVOSARUGGINE BOGA BOSEGA CASTAGNOLA CEFALO CEFALOCALAMITA "
               "CEFALODORATO CEFALOLABBRONE CEFALOVERZELATA CORVINA DONZELLA GHIOZZO GHIOZZOBRUNO "
               "GHIOZZOGO GHIOZZONERO GHIOZZOPAGANELLO LATTERINO MENOLA MORMORA OCCHIATA OMBRINA "
               "ORATA PERCHIA SALPA SARAGOFARAONE SARAGOMAGGIORE SARAGOPIZZUTO SCIARRANO "
               "SCORFANONERO SCORFANOROSSO SERRA SGOMBRO SPARLO SPIGOLA SPIGOLAMACULATA SUGARELLO "
               "TORDOMUSOLUNGO TORDONERO TORDOPAVONE TORDOROSSO TORDOVERDE ZERRO ANGUILLA PAGELLO "
               "GALLINELLA LECCIA PAGROCOMUNE PESCEPETTINE PESCESANPIETRO SOGLIOLA TRACINA "
               "TRIGLIASCOGLIO TRIGLIAFANGO ALLETTERATO CASTAGNA CERNIABIANCA CERNIABRUNA "
               "CERNIADORATA CERNIAFONDALE DENTICE GATTUCCIO LAMPUGA LECCIASTELLA OCCHIONE "
               "PALAMITA RANAPESCATRICE RICCIOLA SCIABOLA SPINAROLO TANUTA TOMBARELLO "
               "AGUGLIAIMPERIALE MARLINBIANCO SPADA VERDESCA")
        .split(u' ');
}

// The English names of the first 44 species of each list, in list order;
// the later ones have none.
inline QStringList englishDolce()
{
    return QStringLiteral(
               "Landloked shad|Bleak|Allis shad|Barbel|Brook barbel|Burbot|Carp bream|Crucian "
               "carp|Goldfish|Common Carp|Silver carp|Grass carp|Carp|Mirror "
               "carp|Carpione|Chub|Spined loach|Houting|Mosquitofish|Freshwater "
               "gobiid|Gudgeon|South European Nase|Pike|Pike-perch|Pumpkinseed|Largemouth "
               "bass|Bullhead Catfish|Perch|Danube roach|Char|Minnow|Italian "
               "Nase|Rudd|Bullhead|Wels|Three-spined stickleback|Grayling|Tench|Triotto|Brown "
               "trout|Rainbow trout|Lake trout|Marble trout|Vairone")
        .split(u'|');
}

inline QStringList englishMare()
{
    return QStringLiteral(
               "Garfish|Peacock blenny|Tompot blenny|Bogue|Thicklip grey mullet|Damsel "
               "fish|Flathead grey mullet|Thinlip grey mullet|Golden grey mullet|Boxlip "
               "mullet|Leaping mullet|Brown meagre|Rainbow wrasse|Common Goby|Giant goby|Weed "
               "goby|Black goby|Rock goby|Latterino|Mediterranean pickarel|Striped sea "
               "bream|Saddled bream|Shi drum|Gill-head sea bream|Comber|Salema|Zebra sea "
               "bream|White sea bream|Sharpsnout sea bream|Painted comber|Black scorpionfish|Red"
               " scorpionfish|Serra|Atlantic makerel|Annulal sea bream|European seabass|Spotted "
               "seabass|Atlantic horse-mackerel|Tordo Musolungo|Brown wrasse|Peacock "
               "wrasse|Axillary wrasse|Tordo Verde|Pickarel guetteur")
        .split(u'|');
}

// The title block the writer puts at the top of every file.
inline QByteArray titleBlock(const QByteArray &title)
{
    const QByteArray rule = "; " + QByteArray(49, '=') + "\r\n";
    return rule + "; " + title + "\r\n" + rule + "; \r\n; Creato con Korvalis Editor 1.2a \r\n; "
           + QByteArray(49, '-') + "\r\n";
}

// "[SECTION]" after an empty line, an empty line, then KEY=value for every
// key; `value(i)` gives the i-th value.
template<typename F>
QByteArray section(const QByteArray &name, const QStringList &keys, F value)
{
    QByteArray out = "\r\n[" + name + "]\r\n\r\n";
    for (int i = 0; i < keys.size(); ++i)
        out += keys[i].toLatin1() + '=' + QByteArray::number(value(i)) + "\r\n";
    return out;
}

} // namespace FishTestData
