#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

// Item files are 8-bit text in the ANSI page the game uses: Windows-1252,
// converted here so it behaves the same on every platform, and only on a
// Windows whose ANSI page is another, that page (AnsiCodePage).
namespace CodePage {

// Characters Windows-1252 cannot represent become '?'.
QByteArray toWindows1252(QStringView text);

// Every byte decodes to a character; the five unassigned bytes of the
// 0x80-0x9F block map to the C1 control of the same value, as Windows does.
QString fromWindows1252(QByteArrayView bytes);

} // namespace CodePage
