#pragma once

#include <QImage>
#include <QSize>
#include <QString>

namespace Picture {

// Files made on Windows name pictures in any letter case. When `path` does
// not exist but exactly one file of its folder matches its name without
// regard to case, that file's path is returned; otherwise `path` itself.
QString resolve(const QString &path);

// Decodes a JPEG or BMP picture for a view of `viewSize`. Large JPEGs are
// decoded at the exact 1/2, 1/4 or 1/8 scale nearest the view, which is
// faster than full size; the view stretches the rest. Throws KvError naming
// the file when it cannot be loaded.
QImage load(const QString &path, QSize viewSize);

// Copies a picture to `target`, replacing it. A picture that already is the
// target is left untouched, and the target is only replaced by a complete
// copy. Returns false with `error` set on failure.
bool copyTo(const QString &source, const QString &target, QString *error);

} // namespace Picture
