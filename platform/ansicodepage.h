#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <optional>

// The game reads item files in the system's ANSI code page. That is
// Windows-1252 off Windows and on Western Windows; a Windows whose ANSI
// page is another (Central European, Greek...) is the one case where the
// system converts.
namespace AnsiCodePage {

// The ANSI page when it is not 1252; nothing otherwise.
std::optional<unsigned> foreignPage();

// The system's conversions for `page`; characters it cannot represent
// become '?', no best-fit look-alikes.
QByteArray encode(QStringView text, unsigned page);
QString decode(QByteArrayView bytes, unsigned page);

} // namespace AnsiCodePage
