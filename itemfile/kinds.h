#pragma once

#include <QString>

#include <array>
#include <optional>

// The nine item kinds, described once. Editors take their constants from
// here; the order is the order of the main window's toolbar and File menu.
enum class ItemKind {
    Amo,
    Esca,
    Galleggiante,
    Luogo,
    Pastura,
    PresPesci,
    Piombino,
    Canna,
    Mulinello
};

inline constexpr int kKindCount = 9;

struct KindInfo
{
    ItemKind kind;
    QString windowClass;     // TAmoForm
    QString instanceName;    // AmoForm
    QString captionI;        // window caption, Italian
    QString captionE;        // window caption, English
    QString extension;       // ".kva"
    QString newFileNameI;    // "NuovoAmo.kva"
    QString newFileNameE;    // "NewHook.kva"
    QString folder;          // below the game data folder, ends with '/': "Ami/"
    QString folderOperation; // GetPathAmi
    QString section;         // AMO
    QString titlePrefix;     // "AMO: "
    int pictureCount;        // 0, 1 (photo) or 2 (photo and sprite)
    bool hasArchiveMenu;
    QString prefix;        // control name prefix: Amo
    QString pictureButton; // SpeedButtonOpenFoto, empty when none
    QString modderName;    // "hook": what modders call the kind

    // "File Kva|*.kva"
    QString fileFilter() const;
    // "kva"
    QString defaultExtension() const;
    const QString &newFileName(bool english) const { return english ? newFileNameE : newFileNameI; }
    const QString &caption(bool english) const { return english ? captionE : captionI; }
};

const std::array<KindInfo, kKindCount> &kindTable();
const KindInfo &kindInfo(ItemKind kind);
// The kind of an item file told by its extension, in any letter case.
std::optional<ItemKind> kindOfFileName(const QString &fileName);

// The filter of every picture pick.
QString pictureFilter();
// The filter of zip export and import.
QString zipFilter();
