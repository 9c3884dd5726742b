// libFuzzer target: arbitrary bytes as a fish-presence or groundbait file,
// read the way both editors read them, without any widget.
#include "codepage.h"
#include "fishlists.h"
#include "fuzznames.h"
#include "inireader.h"

#include <QStringList>

#include <cstdint>
#include <cstdlib>

using namespace Qt::StringLiterals;

namespace {

void check(bool condition)
{
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const IniProfile ini = IniProfile::fromBytes(bytes);

    // Presence list: the type follows the fresh-water section's keys, and
    // every species has exactly one value, as the reader gives it.
    const PresenzaPesci p = readPresenzaPesci(ini);
    check((p.tipo == Acqua::Dolce) == (ini.keyCount(u"PESCI") > 0));
    check(ini.keyCount(u"PESCI") == 0 || ini.hasSection(u"PESCI"));
    for (Acqua a : {Acqua::Dolce, Acqua::Mare}) {
        const QStringList &keys = speciesKeys(a);
        const std::vector<int> &values = a == Acqua::Dolce ? p.dolce : p.mare;
        check(values.size() == std::size_t(keys.size()));
        for (qsizetype i = 0; i < keys.size(); ++i) {
            const int v = values[std::size_t(i)];
            check(v == ini.readInteger(speciesSection(a), keys[i], 0));
            // A limited value stays within 0..100 and is its own limit.
            const QString limited = LimitaPerc(QString::number(v));
            const int l = limited.toInt();
            check(l >= 0 && l <= 100 && (v < 0 || v > 100 || l == v));
            check(LimitaPerc(limited) == limited);
            // Groundbait: a stored value shows one of the two letters, and
            // saving that letter stores 0 exactly for 0.
            for (const QString &si : {u"S"_s, u"Y"_s}) {
                const QString cell = DecodificaPastura(v, si, u"N"_s);
                check(CodificaPastura(cell, u"N"_s) == (v == 0 ? 0 : 1));
            }
        }
    }

    // Any text typed into a cell ends as one of the letters, or a number
    // within 0..100; names shown for keys are never empty for a key.
    QStringList sections;
    QStringList typed{QString(), CodePage::fromWindows1252(bytes.left(64))};
    namesFromText(CodePage::fromWindows1252(bytes), 16, sections, typed);
    for (const QString &t : typed) {
        const QString letter = validaPastura(t, u"Y"_s, u"N"_s);
        check(letter == u"Y"_s || letter == u"N"_s);
        const int n = LimitaPerc(t).toInt();
        check(n >= 0 && n <= 100);
        for (Acqua a : {Acqua::Dolce, Acqua::Mare}) {
            check(TraduciPesce(t, false, a) == t);
            check(!TraduciPesce(t, true, a).isEmpty() || t.isEmpty());
        }
        check(isShippedPresenceList(t) == isShippedPresenceList(t.toUpper()));
    }
    return 0;
}
