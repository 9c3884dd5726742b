#pragma once

#include <QString>
#include <QStringList>

#include <vector>

class IniProfile;
class TIniFileWriter;

// The game's fish species and the values the fish-list files store per
// species, without any widget: the presence and groundbait editors, tests,
// the fuzz target and command-line checks share it.

// The two water types; each has its own ordered key list and section.
enum class Acqua { Dolce, Mare };

// The species keys of a water type, in grid and file order (54 fresh-water,
// 77 sea keys).
const QStringList &speciesKeys(Acqua acqua);
// PESCI or PESCI_MARE.
QString speciesSection(Acqua acqua);

// The English name of `key` in the list of `acqua`, or empty when the list
// gives it none. A key found in both lists (GHIOZZO) has one name per list.
QString englishSpeciesName(const QString &key, Acqua acqua);
// The text shown for a species: the key itself in Italian UI; in English UI
// its English name in the list it is shown in, or the key when it has none.
// Keys are compared exactly, letter case included.
QString TraduciPesce(const QString &key, bool inglese, Acqua acqua);

// One whole number per species of a list, read from its section with
// default 0 (any text that is no number reads 0).
std::vector<int> readSpeciesValues(const IniProfile &ini, Acqua acqua);
// The section header, an empty line and one integer key per species.
void writeSpeciesValues(TIniFileWriter &w, Acqua acqua, const std::vector<int> &values);

// --- Fish-presence lists (.kvs)

// What a presence file holds: its water type and both lists' values.
struct PresenzaPesci
{
    Acqua tipo = Acqua::Mare;
    std::vector<int> dolce; // 54, as read, not limited
    std::vector<int> mare;  // 77
};

// A file is a fresh-water list when its PESCI section holds at least one
// key; otherwise (no such section, an empty one, no file) a sea list.
PresenzaPesci readPresenzaPesci(const IniProfile &ini);
// The whole file after the title block's writer is open: title, comment,
// the one section of `tipo` and its keys.
void writePresenzaPesci(TIniFileWriter &w, const QString &title, Acqua tipo,
                        const std::vector<int> &values);

inline const QString kPresenzaTitlePrefix = QStringLiteral("PRESENZA PESCI: ");
inline const QString kPresenzaComment = QStringLiteral(
    "Per ogni pesce impostare la presenza con valore percentuale compreso tra 0 e 100");

// A typed percentage held within 0..100; text that is no whole number is 0.
QString LimitaPerc(const QString &text);
// The 14 lists shipped with the game, by name alone: folder and letter case
// do not matter.
bool isShippedPresenceList(const QString &fileName);

// --- Groundbaits (.kvt)

// A cell's letter as stored: 0 for the "no" letter (in any case), else 1.
int CodificaPastura(const QString &cell, const QString &valoreNo);
// A stored value as its letter: 0 is "no", any other number "yes".
QString DecodificaPastura(int stored, const QString &valoreSi, const QString &valoreNo);
// A typed cell as it stays: upper case, and the "no" letter unless it is
// one of the two letters.
QString validaPastura(const QString &typed, const QString &valoreSi, const QString &valoreNo);

// The duration read-out, "m:ss min".
QString durataText(int seconds);
inline constexpr int kDurataMax = 3600;
