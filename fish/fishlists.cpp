#include "fishlists.h"

#include "inifilewriter.h"
#include "inireader.h"

#include <QFileInfo>
#include <QHash>

#include <algorithm>
#include <array>

using namespace Qt::StringLiterals;

namespace {

struct Species
{
    QString key;
    QString english; // empty: the key itself is shown
};

// Rows 1..44 of each list are alphabetical and named; the rows after are
// later additions without English names and keep their order.
const std::vector<Species> &speciesList(Acqua acqua)
{
    static const std::vector<Species> dolce{
        {u"AGONE"_s, u"Landloked shad"_s},
        {u"ALBORELLA"_s, u"Bleak"_s},
        {u"ALOSACHEPPIA"_s, u"Allis shad"_s},
        {u"BARBO"_s, u"Barbel"_s},
        {u"BARBOCANINO"_s, u"Brook barbel"_s},
        {u"BOTTATRICE"_s, u"Burbot"_s},
        {u"BREME"_s, u"Carp bream"_s},
        {u"CARASSIO"_s, u"Crucian carp"_s},
        {u"CARASSIODORATO"_s, u"Goldfish"_s},
        {u"CARPA"_s, u"Common Carp"_s},
        {u"CARPAARGENTATA"_s, u"Silver carp"_s},
        {u"CARPAERBIVORA"_s, u"Grass carp"_s},
        {u"CARPAREGINA"_s, u"Carp"_s},
        {u"CARPASPECCHI"_s, u"Mirror carp"_s},
        {u"CARPIONE"_s, u"Carpione"_s},
        {u"CAVEDANO"_s, u"Chub"_s},
        {u"COBITE"_s, u"Spined loach"_s},
        {u"COREGONE"_s, u"Houting"_s},
        {u"GAMBUSIA"_s, u"Mosquitofish"_s},
        {u"GHIOZZO"_s, u"Freshwater gobiid"_s},
        {u"GOBIONE"_s, u"Gudgeon"_s},
        {u"LASCA"_s, u"South European Nase"_s},
        {u"LUCCIO"_s, u"Pike"_s},
        {u"LUCCIOPERCA"_s, u"Pike-perch"_s},
        {u"PERSICOSOLE"_s, u"Pumpkinseed"_s},
        {u"PERSICOTROTA"_s, u"Largemouth bass"_s},
        {u"PESCEGATTO"_s, u"Bullhead Catfish"_s},
        {u"PESCEPERSICO"_s, u"Perch"_s},
        {u"PIGO"_s, u"Danube roach"_s},
        {u"SALMERINO"_s, u"Char"_s},
        {u"SANGUINEROLA"_s, u"Minnow"_s},
        {u"SAVETTA"_s, u"Italian Nase"_s},
        {u"SCARDOLA"_s, u"Rudd"_s},
        {u"SCAZZONE"_s, u"Bullhead"_s},
        {u"SILURO"_s, u"Wels"_s},
        {u"SPINARELLO"_s, u"Three-spined stickleback"_s},
        {u"TEMOLO"_s, u"Grayling"_s},
        {u"TINCA"_s, u"Tench"_s},
        {u"TRIOTTO"_s, u"Triotto"_s},
        {u"TROTAFARIO"_s, u"Brown trout"_s},
        {u"TROTAIRIDEA"_s, u"Rainbow trout"_s},
        {u"TROTALACUSTRE"_s, u"Lake trout"_s},
        {u"TROTAMARMORATA"_s, u"Marble trout"_s},
        {u"VAIRONE"_s, u"Vairone"_s},
        {u"ANGUILLA"_s, {}},
        {u"ACERINA"_s, {}},
        {u"CAVEDANOETRUSCO"_s, {}},
        {u"GARDON"_s, {}},
        {u"PSEUDORASBORA"_s, {}},
        {u"ROVELLA"_s, {}},
        {u"STORIONE"_s, {}},
        {u"PESCEGATTOPUNT"_s, {}},
        {u"ASPIO"_s, {}},
        {u"STORIONELADANO"_s, {}},
    };
    static const std::vector<Species> mare{
        {u"AGUGLIA"_s, u"Garfish"_s},
        {u"BAVOSAPAVONE"_s, u"Peacock blenny"_s},
        {u"BAVOSARUGGINE"_s, u"Tompot blenny"_s},
        {u"BOGA"_s, u"Bogue"_s},
        {u"BOSEGA"_s, u"Thicklip grey mullet"_s},
        {u"CASTAGNOLA"_s, u"Damsel fish"_s},
        {u"CEFALO"_s, u"Flathead grey mullet"_s},
        {u"CEFALOCALAMITA"_s, u"Thinlip grey mullet"_s},
        {u"CEFALODORATO"_s, u"Golden grey mullet"_s},
        {u"CEFALOLABBRONE"_s, u"Boxlip mullet"_s},
        {u"CEFALOVERZELATA"_s, u"Leaping mullet"_s},
        {u"CORVINA"_s, u"Brown meagre"_s},
        {u"DONZELLA"_s, u"Rainbow wrasse"_s},
        {u"GHIOZZO"_s, u"Common Goby"_s},
        {u"GHIOZZOBRUNO"_s, u"Giant goby"_s},
        {u"GHIOZZOGO"_s, u"Weed goby"_s},
        {u"GHIOZZONERO"_s, u"Black goby"_s},
        {u"GHIOZZOPAGANELLO"_s, u"Rock goby"_s},
        {u"LATTERINO"_s, u"Latterino"_s},
        {u"MENOLA"_s, u"Mediterranean pickarel"_s},
        {u"MORMORA"_s, u"Striped sea bream"_s},
        {u"OCCHIATA"_s, u"Saddled bream"_s},
        {u"OMBRINA"_s, u"Shi drum"_s},
        {u"ORATA"_s, u"Gill-head sea bream"_s},
        {u"PERCHIA"_s, u"Comber"_s},
        {u"SALPA"_s, u"Salema"_s},
        {u"SARAGOFARAONE"_s, u"Zebra sea bream"_s},
        {u"SARAGOMAGGIORE"_s, u"White sea bream"_s},
        {u"SARAGOPIZZUTO"_s, u"Sharpsnout sea bream"_s},
        {u"SCIARRANO"_s, u"Painted comber"_s},
        {u"SCORFANONERO"_s, u"Black scorpionfish"_s},
        {u"SCORFANOROSSO"_s, u"Red scorpionfish"_s},
        {u"SERRA"_s, u"Serra"_s},
        {u"SGOMBRO"_s, u"Atlantic makerel"_s},
        {u"SPARLO"_s, u"Annulal sea bream"_s},
        {u"SPIGOLA"_s, u"European seabass"_s},
        {u"SPIGOLAMACULATA"_s, u"Spotted seabass"_s},
        {u"SUGARELLO"_s, u"Atlantic horse-mackerel"_s},
        {u"TORDOMUSOLUNGO"_s, u"Tordo Musolungo"_s},
        {u"TORDONERO"_s, u"Brown wrasse"_s},
        {u"TORDOPAVONE"_s, u"Peacock wrasse"_s},
        {u"TORDOROSSO"_s, u"Axillary wrasse"_s},
        {u"TORDOVERDE"_s, u"Tordo Verde"_s},
        {u"ZERRO"_s, u"Pickarel guetteur"_s},
        {u"ANGUILLA"_s, {}},
        {u"PAGELLO"_s, {}},
        {u"GALLINELLA"_s, {}},
        {u"LECCIA"_s, {}},
        {u"PAGROCOMUNE"_s, {}},
        {u"PESCEPETTINE"_s, {}},
        {u"PESCESANPIETRO"_s, {}},
        {u"SOGLIOLA"_s, {}},
        {u"TRACINA"_s, {}},
        {u"TRIGLIASCOGLIO"_s, {}},
        {u"TRIGLIAFANGO"_s, {}},
        {u"ALLETTERATO"_s, {}},
        {u"CASTAGNA"_s, {}},
        {u"CERNIABIANCA"_s, {}},
        {u"CERNIABRUNA"_s, {}},
        {u"CERNIADORATA"_s, {}},
        {u"CERNIAFONDALE"_s, {}},
        {u"DENTICE"_s, {}},
        {u"GATTUCCIO"_s, {}},
        {u"LAMPUGA"_s, {}},
        {u"LECCIASTELLA"_s, {}},
        {u"OCCHIONE"_s, {}},
        {u"PALAMITA"_s, {}},
        {u"RANAPESCATRICE"_s, {}},
        {u"RICCIOLA"_s, {}},
        {u"SCIABOLA"_s, {}},
        {u"SPINAROLO"_s, {}},
        {u"TANUTA"_s, {}},
        {u"TOMBARELLO"_s, {}},
        {u"AGUGLIAIMPERIALE"_s, {}},
        {u"MARLINBIANCO"_s, {}},
        {u"SPADA"_s, {}},
        {u"VERDESCA"_s, {}},
    };
    return acqua == Acqua::Dolce ? dolce : mare;
}

const QHash<QString, QString> &englishNames(Acqua acqua)
{
    const auto build = [](Acqua a) {
        QHash<QString, QString> names;
        for (const Species &s : speciesList(a))
            if (!s.english.isEmpty())
                names.insert(s.key, s.english);
        return names;
    };
    static const QHash<QString, QString> dolce = build(Acqua::Dolce);
    static const QHash<QString, QString> mare = build(Acqua::Mare);
    return acqua == Acqua::Dolce ? dolce : mare;
}

} // namespace

const QStringList &speciesKeys(Acqua acqua)
{
    const auto build = [](Acqua a) {
        QStringList keys;
        for (const Species &s : speciesList(a))
            keys.append(s.key);
        return keys;
    };
    static const QStringList dolce = build(Acqua::Dolce);
    static const QStringList mare = build(Acqua::Mare);
    return acqua == Acqua::Dolce ? dolce : mare;
}

QString speciesSection(Acqua acqua)
{
    return acqua == Acqua::Dolce ? u"PESCI"_s : u"PESCI_MARE"_s;
}

QString englishSpeciesName(const QString &key, Acqua acqua)
{
    return englishNames(acqua).value(key);
}

QString TraduciPesce(const QString &key, bool inglese, Acqua acqua)
{
    if (!inglese)
        return key;
    const QString name = englishSpeciesName(key, acqua);
    return name.isEmpty() ? key : name;
}

std::vector<int> readSpeciesValues(const IniProfile &ini, Acqua acqua)
{
    const QString section = speciesSection(acqua);
    std::vector<int> values;
    values.reserve(std::size_t(speciesKeys(acqua).size()));
    for (const QString &key : speciesKeys(acqua))
        values.push_back(ini.readInteger(section, key, 0));
    return values;
}

void writeSpeciesValues(TIniFileWriter &w, Acqua acqua, const std::vector<int> &values)
{
    const QStringList &keys = speciesKeys(acqua);
    Q_ASSERT(values.size() == std::size_t(keys.size()));
    w.AddSection(speciesSection(acqua));
    w.AddBlankLine();
    for (qsizetype i = 0; i < keys.size(); ++i)
        w.AddIntegerKey(keys[i], values[std::size_t(i)]);
}

PresenzaPesci readPresenzaPesci(const IniProfile &ini)
{
    PresenzaPesci p;
    p.tipo = ini.keyCount(speciesSection(Acqua::Dolce)) > 0 ? Acqua::Dolce : Acqua::Mare;
    p.dolce = readSpeciesValues(ini, Acqua::Dolce);
    p.mare = readSpeciesValues(ini, Acqua::Mare);
    return p;
}

void writePresenzaPesci(TIniFileWriter &w, const QString &title, Acqua tipo,
                        const std::vector<int> &values)
{
    w.AddTitle(title);
    w.AddNewComment(kPresenzaComment);
    writeSpeciesValues(w, tipo, values);
}

QString LimitaPerc(const QString &text)
{
    // A signed decimal number; surrounding blanks are allowed, as in a
    // typed cell, and anything out of the 32-bit range is no number.
    bool ok = false;
    const qlonglong v = text.trimmed().toLongLong(&ok, 10);
    if (!ok || v < -2147483648LL || v > 2147483647LL)
        return u"0"_s;
    return QString::number(std::clamp<qlonglong>(v, 0, 100));
}

bool isShippedPresenceList(const QString &fileName)
{
    static const std::array<QString, 14> shipped{
        u"PesciAlpi.kvs"_s,
        u"PesciCentro.kvs"_s,
        u"PesciMareAperto.kvs"_s,
        u"PesciMareFoce.kvs"_s,
        u"PesciMarePorto.kvs"_s,
        u"PesciMareScogliAlti.kvs"_s,
        u"PesciMareScogliArtificiali.kvs"_s,
        u"PesciMareScogliBassi.kvs"_s,
        u"PesciMareSpiaggia.kvs"_s,
        u"PesciNord.kvs"_s,
        u"PesciPadana.kvs"_s,
        u"PesciSardegna.kvs"_s,
        u"PesciSicilia.kvs"_s,
        u"PesciSud.kvs"_s,
    };
    // A name stored on Windows may carry backslashes.
    QString name = fileName;
    name.replace(u'\\', u'/');
    name = QFileInfo(name).fileName();
    return std::any_of(shipped.cbegin(), shipped.cend(),
                       [&](const QString &s) { return s.compare(name, Qt::CaseInsensitive) == 0; });
}

int CodificaPastura(const QString &cell, const QString &valoreNo)
{
    return cell.toUpper() == valoreNo ? 0 : 1;
}

QString DecodificaPastura(int stored, const QString &valoreSi, const QString &valoreNo)
{
    return stored == 0 ? valoreNo : valoreSi;
}

QString validaPastura(const QString &typed, const QString &valoreSi, const QString &valoreNo)
{
    const QString upper = typed.toUpper();
    return upper == valoreSi || upper == valoreNo ? upper : valoreNo;
}

QString durataText(int seconds)
{
    return u"%1:%2 min"_s.arg(seconds / 60).arg(seconds % 60, 2, 10, QChar(u'0'));
}
