#pragma once

#include "kindform.h"

// Builders for the field descriptions the tackle kinds have in common.

// A selection-only list storing its index plus `offset`.
FieldSpec listField(QString control, QString key, QString comment, QString label, TextPair caption,
                    TextPair hint, QStringList entriesI, QStringList entriesE, int offset = 0);

// The photo of an item: its view `<prefix>Foto` in the frame
// `<prefix>BevelFoto`, picked by SpeedButtonOpenFoto, stored as FILENAMEFOTO.
FieldSpec photoField(const QString &prefix, QString comment, QString label, TextPair caption,
                     TextPair hint, QSize viewSize);
