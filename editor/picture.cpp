#include "picture.h"

#include "filenames.h"
#include "kverror.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QSaveFile>

#include <cmath>

using namespace Qt::StringLiterals;

namespace Picture {

QString resolve(const QString &path)
{
    return FileNames::resolveCase(path);
}

QImage load(const QString &path, QSize viewSize)
{
    const QFileInfo fi(path);
    if (fi.fileName().isEmpty() || fi.isDir())
        throw KvError(u"No picture file is named (\"%1\")."_s.arg(path));
    if (!fi.exists())
        throw KvError(u"Picture \"%1\" not found."_s.arg(path));

    QImageReader reader(path);
    reader.setAutoTransform(false);
    const QByteArray format = reader.format();
    if (format == "jpeg" && viewSize.isValid()) {
        const QSize full = reader.size();
        int best = 1;
        double bestDistance =
            std::abs(full.width() - viewSize.width()) + std::abs(full.height() - viewSize.height());
        for (int k : {2, 4, 8}) {
            const double d = std::abs(full.width() / double(k) - viewSize.width())
                             + std::abs(full.height() / double(k) - viewSize.height());
            if (d < bestDistance) {
                best = k;
                bestDistance = d;
            }
        }
        // libjpeg decodes 1/2, 1/4 and 1/8 directly, rounding sizes up; asking
        // for exactly that size spares Qt a second scaling pass.
        if (best > 1)
            reader.setScaledSize(
                QSize((full.width() + best - 1) / best, (full.height() + best - 1) / best));
    }
    QImage image = reader.read();
    if (image.isNull())
        throw KvError(u"Cannot load picture \"%1\": %2."_s.arg(path, reader.errorString()));
    return image;
}

namespace {
// True when both files can be read and hold the same bytes. Reading both is
// far cheaper than a durable rewrite of the target.
bool sameContent(const QFileInfo &a, const QFileInfo &b)
{
    if (!a.isFile() || !b.isFile() || a.size() != b.size())
        return false;
    QFile fa(a.filePath());
    QFile fb(b.filePath());
    if (!fa.open(QIODevice::ReadOnly) || !fb.open(QIODevice::ReadOnly))
        return false;
    constexpr qint64 chunk = qint64(64) * 1024;
    for (;;) {
        const QByteArray ca = fa.read(chunk);
        const QByteArray cb = fb.read(chunk);
        if (ca != cb || fa.error() != QFileDevice::NoError || fb.error() != QFileDevice::NoError)
            return false;
        if (ca.isEmpty())
            return true;
    }
}
} // namespace

bool copyTo(const QString &source, const QString &target, QString *error)
{
    const QFileInfo src(source);
    const QFileInfo dst(target);
    if (src.exists() && dst.exists() && src.canonicalFilePath() == dst.canonicalFilePath())
        return true; // copying a file onto itself would truncate it
    // The picture is already there, as when an item is saved again.
    if (sameContent(src, dst))
        return true;

    QFile in(source);
    if (!in.open(QIODevice::ReadOnly)) {
        if (error)
            *error = in.errorString();
        return false;
    }
    QSaveFile out(target);
    if (!out.open(QIODevice::WriteOnly)) {
        if (error)
            *error = out.errorString();
        return false;
    }
    char buffer[64 * 1024];
    for (;;) {
        const qint64 n = in.read(buffer, sizeof buffer);
        if (n < 0 || (n > 0 && out.write(buffer, n) != n)) {
            if (error)
                *error = n < 0 ? in.errorString() : out.errorString();
            out.cancelWriting();
            return false;
        }
        if (n == 0)
            break;
    }
    if (!out.commit()) {
        if (error)
            *error = out.errorString();
        return false;
    }
    return true;
}

} // namespace Picture
