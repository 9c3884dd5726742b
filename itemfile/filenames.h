#pragma once

#include <QString>
#include <QStringView>

namespace FileNames {

// A picture named in an item file lies in the item's own folder: the stored
// name is a bare file name. False for a name with a folder separator (either
// slash), a drive ("C:"), "." or "..", or nothing at all, so that a shared
// item never makes the editor open, copy or pack a file elsewhere.
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
