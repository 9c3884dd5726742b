#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

// Item files are 8-bit Windows-1252 text, the ANSI page the game uses.
// Conversion is done here so it behaves the same on every platform.
namespace CodePage {

// Characters Windows-1252 cannot represent become '?'.
QByteArray toWindows1252(QStringView text);

// Every byte decodes to a character; the five unassigned bytes of the
// 0x80-0x9F block map to the C1 control of the same value, as Windows does.
QString fromWindows1252(QByteArrayView bytes);

} // namespace CodePage
