#include "fishchecks.h"

#include "inireader.h"

#include <QSet>

using namespace Qt::StringLiterals;

namespace {

// Whether `key` names a species of `acqua`, in any letter case.
bool isSpecies(const QString &key, Acqua acqua)
{
    static const QSet<QString> dolce(speciesKeys(Acqua::Dolce).cbegin(),
                                     speciesKeys(Acqua::Dolce).cend());
    static const QSet<QString> mare(speciesKeys(Acqua::Mare).cbegin(),
                                    speciesKeys(Acqua::Mare).cend());
    return (acqua == Acqua::Dolce ? dolce : mare).contains(key.toUpper());
}

QString waterName(Acqua acqua)
{
    return acqua == Acqua::Dolce ? u"fresh-water"_s : u"sea"_s;
}

} // namespace

void checkSpeciesSection(FileCheck &outer, Acqua acqua, SpeciesValues values)
{
    const QString section = speciesSection(acqua);
    FileCheck c(outer.ini(), section, outer.folder());
    const QStringList &species = speciesKeys(acqua);
    // Keys match without regard to case, as the reader's do.
    for (const QString &key : c.ini().keys(section)) {
        if (!isSpecies(key, acqua))
            c.warning(key, u"%1 is no %2 species: the editor drops it on save"_s.arg(
                               key, waterName(acqua)));
    }
    QStringList missing;
    for (const QString &key : species) {
        const std::optional<QString> text = c.ini().value(section, key);
        if (!text) {
            missing.append(key);
            continue;
        }
        const std::optional<qint32> n = parseKvInteger(*text);
        if (!n) {
            c.error(key, u"%1=%2 is not a whole number: the editor reads %3"_s.arg(
                             key, *text, values == SpeciesValues::Percent ? u"0"_s : u"N"_s));
        } else if (values == SpeciesValues::Percent && (*n < 0 || *n > 100)) {
            c.error(key, u"%1=%2 is outside 0..100"_s.arg(key).arg(*n));
        } else if (values == SpeciesValues::Flag && *n != 0 && *n != 1) {
            c.warning(key, u"%1=%2 counts as attracted and is saved as 1"_s.arg(key).arg(*n));
        }
    }
    if (!missing.isEmpty()) {
        c.warning(QString(), u"[%1] lacks %2 of its %3 species, which read as %4: %5"_s.arg(section)
                                 .arg(missing.size())
                                 .arg(species.size())
                                 .arg(values == SpeciesValues::Percent ? u"0"_s : u"N"_s,
                                      missing.join(u", "_s)));
        c.findings.back().line = c.ini().lineOf(section);
    }
    outer.findings.insert(outer.findings.end(), c.findings.begin(), c.findings.end());
}

std::vector<Finding> checkPresenceBytes(const QByteArray &bytes)
{
    if (std::optional<Finding> f = checkTextForm(bytes))
        return {*f};
    const IniProfile ini = IniProfile::fromBytes(bytes);
    const PresenzaPesci list = readPresenzaPesci(ini);
    FileCheck c(ini, speciesSection(list.tipo), QString());
    const bool dolce = ini.hasSection(speciesSection(Acqua::Dolce));
    const bool mare = ini.hasSection(speciesSection(Acqua::Mare));
    if (!dolce && !mare) {
        c.error(QString(), u"neither [PESCI] nor [PESCI_MARE]: the editor shows an empty sea "
                           "list"_s);
        return std::move(c.findings);
    }
    if (list.tipo == Acqua::Dolce && mare) {
        FileCheck m(ini, speciesSection(Acqua::Mare), QString());
        m.warning(QString(), u"the file also holds [PESCI_MARE]: the editor reads it as a "
                             "fresh-water list and saves only [PESCI]"_s);
        m.findings.back().line = ini.lineOf(speciesSection(Acqua::Mare));
        c.findings = std::move(m.findings);
    } else if (list.tipo == Acqua::Mare && dolce) {
        c.warning(QString(), u"[PESCI] holds no key: the editor reads the list as a sea list"_s);
        c.findings.back().line = ini.lineOf(speciesSection(Acqua::Dolce));
    }
    checkSpeciesSection(c, list.tipo, SpeciesValues::Percent);
    return std::move(c.findings);
}
