#include "filenames.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace FileNames {

bool isBareFileName(QStringView name)
{
    if (name.isEmpty() || name == u"." || name == u"..")
        return false;
    for (const QChar c : name) {
        // A colon is a drive on Windows, and an alternate data stream after one.
        if (c == u'/' || c == u'\\' || c == u':' || c.unicode() == 0)
            return false;
    }
    return true;
}

QString resolveCase(const QString &path)
{
    const QFileInfo fi(path);
    if (fi.exists() || fi.fileName().isEmpty())
        return path;
    const QDir dir = fi.absoluteDir();
    if (!dir.exists())
        return path;
    QString found;
    const QStringList names = dir.entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString &name : names) {
        if (name.compare(fi.fileName(), Qt::CaseInsensitive) != 0)
            continue;
        if (!found.isEmpty())
            return path; // ambiguous: do not guess
        found = name;
    }
    return found.isEmpty() ? path : dir.filePath(found);
}

PictureFormat sniffPicture(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return PictureFormat::None;
    // A BMP's headers take 26 bytes at least.
    const QByteArray head = f.read(26);
    if (head.startsWith("\xFF\xD8\xFF"))
        return PictureFormat::Jpeg;
    if (head.size() == 26 && head.startsWith("BM"))
        return PictureFormat::Bmp;
    return PictureFormat::None;
}

} // namespace FileNames
