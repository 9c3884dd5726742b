#pragma once

#include "kinds.h"

#include <QString>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QStringList>

#include <functional>
#include <vector>

class FileCheck;

// An Italian/English text pair.
struct TextPair
{
    QString i;
    QString e;
    const QString &in(bool english) const { return english ? e : i; }
};

// One field of an item kind, described once: the framework builds its
// control, label and texts from it, and resets, reads and writes it.
struct FieldSpec
{
    enum class Type {
        List,     // selection-only drop-down; stores index + offset
        TrackBar, // slider with a value label; stores its position
        Picture,  // image view in a frame with a pick button; stores the bare file name
    };

    Type type = Type::List;
    QString control;      // AmoFilo; for a picture its view, AmoFoto
    QString key;          // FILO
    QStringList comment;  // first comment line, then continuation lines
    QString label;        // Label4
    TextPair caption;     // label caption
    TextPair hint;        // status-bar hint of the control (a picture's: of its button)
    QStringList entriesI; // list entries
    QStringList entriesE; // English entries; empty: the list keeps its entries
    int offset = 0;       // stored value = index + offset
    int minimum = 0;      // track bar range
    int maximum = 0;
    int tickInterval = 0;
    int pageStep = 0;   // 0: the toolkit's default
    QString valueLabel; // the label the change handler keeps up to date
    // The value label's text for a position; runs only when the position
    // really changes.
    std::function<QString(int position, bool english)> valueText;
    int newValue = 0;    // index, position or check state New sets
    int readDefault = 0; // stored value used when the key is missing
    int width = 0;       // control width in pixels; 0: the framework's default
    // Picture: its frame (whose hint is the picture's path), pick button,
    // optional size label and the view's size.
    QString frame;        // AmoBevelFoto
    QString button;       // SpeedButtonOpenFoto
    QString sizeLabel;    // Label12, empty when none
    TextPair sizeCaption; // "(100x100)"
    QSize viewSize;
    bool bmpOnly = false; // a picture the game reads as BMP only
    // The picture's path is the hint of its view rather than of its frame.
    bool pathHintOnView = false;

    // Where the window's design places the field when it is not in the
    // framework's column: the control (a picture: its view), its label, its
    // value label and a picture's pick button.
    QRect rect;
    QPoint labelPos;
    QPoint valueLabelPos;
    QPoint buttonPos;

    // The stored value of a list index (-1: no selection) and back; an
    // index outside the list comes back as -1.
    int encode(int index) const { return index + offset; }
    int decodeIndex(int stored) const;
    // A stored value held within the track bar's range.
    int clampPosition(int stored) const;
};

// Everything the framework needs to know of a kind beyond its kind-table
// row: the file's entries, read defaults, checks and texts.
struct KindForm
{
    ItemKind kind;
    QSize clientSize;
    QPoint position;

    QString nameComment;                                      // comment of NOME/NAME
    QString descrComment;                                     // comment of DESCRIZIONE/DESCRIPTION
    TextPair nameHint;                                        // hint of the name fields
    TextPair descrHint;                                       // hint of the description memos
    QString defNome, defName, defDescrizione, defDescription; // read defaults

    // In file order, after the descriptions; pictures stand where the file
    // has them. Reading follows the same order, so a picture that cannot be
    // loaded leaves the fields after it unread.
    std::vector<FieldSpec> fields;
    bool reloadPictureAfterSave = true;
    // Pictures are read after every other field and the kind's own keys.
    bool readPicturesLast = false;

    TextPair itemName; // "Amo" / "hook": names the item in hints
    // Hints of New, Open and Save where the verb and itemName do not make
    // them ("Nuova Pastura"); empty: verb and itemName.
    TextPair newHint, openHint, saveHint;
    TextPair msgNome, msgDescr, msgFoto; // common checks' messages

    // The kind's own rules for the command-line checker, beyond what each
    // field's description already tells (ranges, lists, pictures).
    std::function<void(FileCheck &)> fileChecks;

    const KindInfo &info() const { return kindInfo(kind); }
};
