#pragma once

#include <QString>
#include <QStringView>

namespace FileNames {

// A picture named in an item file lies in the item's own folder: the stored
// name is a bare file name. Players run the game on Windows, so its rules
// hold everywhere. False for a name with a folder separator (either slash),
// a drive or stream (":"), a control character or one of < > " | ? *, a
// name ending in a dot or a space ("." and ".." among them), a device name
// (CON, PRN, AUX, NUL, COM1-9, LPT1-9 and COM/LPT with a superscript 1-3, in
// any case, before the first dot and trailing spaces: "nul.jpg",
// "CON .bmp"), or nothing at all, so that a shared item never makes the
// editor or the game open, copy or pack a file elsewhere.
bool isBareFileName(QStringView name);

// Files made on Windows name pictures in any letter case. When `path` does
// not exist but exactly one file of its folder matches its name without
// regard to case, that file's path is returned; otherwise `path` itself.
QString resolveCase(const QString &path);

// The picture formats item files use, told by the file's first bytes.
enum class PictureFormat { None, Jpeg, Bmp };
// None when the file cannot be read or is neither.
PictureFormat sniffPicture(const QString &path);

} // namespace FileNames
