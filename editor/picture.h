#pragma once

#include "kverror.h"

#include <QImage>
#include <QSize>
#include <QString>

namespace Picture {

// Files made on Windows name pictures in any letter case. When `path` does
// not exist but exactly one file of its folder matches its name without
// regard to case, that file's path is returned; otherwise `path` itself.
QString resolve(const QString &path);

// A picture the decoder read only in part (data ending early, corrupt
// segments): `reason` is the decoder's.
class Damaged : public KvError
{
public:
    Damaged(const QString &path, const QString &reason)
        : KvError(QStringLiteral("Damaged picture \"%1\": %2.").arg(path, reason))
        , m_path(path)
        , m_reason(reason)
    {
    }
    const QString &path() const { return m_path; }
    const QString &reason() const { return m_reason; }

private:
    QString m_path;
    QString m_reason;
};

// Decodes a JPEG or BMP picture for a view of `viewSize`. Large JPEGs are
// decoded at the exact 1/2, 1/4 or 1/8 scale that still covers the view,
// which is faster than full size; a picture still larger than the view is
// shrunk smoothly to it, a smaller one the view stretches. Throws KvError
// naming the file when it cannot be loaded, Damaged when it is damaged.
QImage load(const QString &path, QSize viewSize);

// Copies a picture to `target`, replacing it. A picture that already is the
// target is left untouched, and the target is only replaced by a complete
// copy. Returns false with `error` set on failure.
bool copyTo(const QString &source, const QString &target, QString *error);

} // namespace Picture
