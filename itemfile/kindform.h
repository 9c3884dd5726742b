#pragma once

#include "kinds.h"

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
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
        Button,   // a push button of the kind's own; stores nothing
    };

    Type type = Type::List;
    QString control;      // AmoFilo; for a picture its view, AmoFoto
    QString key;          // FILO
    QStringList comment;  // first comment line, then continuation lines
    QString label;        // Label4
    TextPair caption;     // label caption; a button's own caption
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
    // Where the control stands in the client area (a picture: its view);
    // empty: in the next row of the framework's layout. The label stands at
    // `labelPos`, or left of the control when that is null.
    QRect rect;
    QPoint labelPos;
    // Picture: its frame (whose hint is the picture's path), pick button,
    // optional size label and the view's size.
    QString frame;        // AmoBevelFoto
    QString button;       // SpeedButtonOpenFoto
    QString sizeLabel;    // Label12, empty when none
    TextPair sizeCaption; // "(100x100)"
    QSize viewSize;
    QString filter;        // the pick's filter; empty: pictureFilter()
    TextPair emptyMessage; // Verifica's message when no picture is chosen;
                           // the first picture's is KindForm::msgFoto
    // The picture's path is the hint of its view rather than of its frame.
    bool pathHintOnView = false;
    // Where a placed field's value label and a placed picture's pick button
    // stand; null: beside the control.
    QPoint valueLabelPos;
    QPoint buttonPos;

    // Sets where the control and its label stand.
    FieldSpec &placed(QRect at, QPoint labelAt = QPoint())
    {
        rect = at;
        labelPos = labelAt;
        return *this;
    }

    // Whether the field has a key in the file.
    bool stored() const { return type != Type::Button; }
    // Whether a picture field takes the file `name`: its pick's filter
    // offers files of that ending, in any letter case.
    bool takesFile(const QString &name) const;
    bool takesJpeg() const { return takesFile(QStringLiteral("x.jpg")); }

    // The stored value of a list index (-1: no selection) and back; an
    // index outside the list comes back as -1.
    int encode(int index) const { return index + offset; }
    int decodeIndex(int stored) const;
    // A stored value held within the track bar's range.
    int clampPosition(int stored) const;
};

// A check of a kind's own, made after the common ones: it passes when `ok`
// is true for the stored values of the fields (looked up by key), as they
// would be written.
struct KindCheck
{
    std::function<bool(const std::function<int(const QString &key)> &value)> ok;
    TextPair message;
};

// Everything the framework needs to know of a kind beyond its kind-table
// row: the file's entries, read defaults, checks and texts.
struct KindForm
{
    ItemKind kind;
    QSize clientSize;
    QPoint position;
    QSize tabSize{462, 125}; // the name and description tab pages

    QString nameComment;                                      // comment of NOME/NAME
    QString descrComment;                                     // comment of DESCRIZIONE/DESCRIPTION
    TextPair nameHint;                                        // hint of the name fields
    TextPair descrHint;                                       // hint of the description memos
    QString defNome, defName, defDescrizione, defDescription; // read defaults

    // In file order, after the descriptions; pictures stand where the file
    // has them. Reading follows the same order (unless `readOrder` gives
    // another), so a picture that cannot be loaded leaves later fields unread.
    std::vector<FieldSpec> fields;
    // Keys in the order Load reads them, when it is not the file's order;
    // fields not named are read after them, in file order.
    QStringList readOrder;
    bool reloadPictureAfterSave = true;
    // A picture's path hint is set before the picture is loaded (and so
    // names a path that fails to load) when picked or when read.
    bool pickHintsFirst = false;
    bool readHintsFirst = false;
    // Pictures are read after every other field and the kind's own keys.
    bool readPicturesLast = false;

    TextPair itemName; // "Amo" / "hook": names the item in hints
    // Hints of New, Open and Save where the verb and itemName do not make
    // them ("Nuova Pastura"); empty: verb and itemName. The toolbar's New
    // button has its own where it differs from the menu entry's.
    TextPair newHint, openHint, saveHint, newButtonHint;
    TextPair msgNome, msgDescr, msgFoto; // common checks' messages
    // Checks after the pictures', in order.
    std::vector<KindCheck> checks;

    // The kind's own rules for the command-line checker, beyond what each
    // field's description already tells (ranges, lists, pictures).
    std::function<void(FileCheck &)> fileChecks;

    const KindInfo &info() const { return kindInfo(kind); }
};

// Builders of the usual fields; a kind sets anything further by name.
FieldSpec listField(QString control, QString key, QStringList comment, QString label,
                    TextPair caption, TextPair hint, QStringList entriesI, QStringList entriesE,
                    int offset = 0);
FieldSpec trackBarField(QString control, QString key, QStringList comment, QString label,
                        TextPair caption, TextPair hint, int minimum, int maximum,
                        int tickInterval);
FieldSpec pictureField(QString view, QString frame, QString button, QString key,
                       QStringList comment, QString label, TextPair caption, TextPair hint,
                       QSize viewSize);
// The usual photo: its view `<prefix>Foto` in the frame `<prefix>BevelFoto`,
// picked by SpeedButtonOpenFoto, stored as FILENAMEFOTO.
FieldSpec photoField(const QString &prefix, QStringList comment, QString label, TextPair caption,
                     TextPair hint, QSize viewSize);
