#include "filenames.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace FileNames {

namespace {

// Windows opens a device under any extension: "nul.jpg" is NUL.
bool isDeviceName(QStringView name)
{
    const qsizetype dot = name.indexOf(u'.');
    QStringView base = dot < 0 ? name : name.first(dot);
    while (base.endsWith(u' '))
        base.chop(1);
    for (const char16_t *device : {u"CON", u"PRN", u"AUX", u"NUL"})
        if (base.compare(device, Qt::CaseInsensitive) == 0)
            return true;
    if (base.size() != 4
        || (base.first(3).compare(u"COM", Qt::CaseInsensitive) != 0
            && base.first(3).compare(u"LPT", Qt::CaseInsensitive) != 0))
        return false;
    // COM0 and LPT0 are no devices; the superscripts 1-3 are.
    const char16_t digit = base[3].unicode();
    return (digit >= u'1' && digit <= u'9') || digit == u'\u00b9' || digit == u'\u00b2'
           || digit == u'\u00b3';
}

} // namespace

bool isBareFileName(QStringView name)
{
    if (name.isEmpty() || name.endsWith(u'.') || name.endsWith(u' '))
        return false;
    for (const QChar c : name) {
        // A colon is a drive on Windows, and an alternate data stream after
        // one; the others Windows refuses in any name.
        if (c == u'/' || c == u'\\' || c == u':' || c.unicode() < 0x20 || c == u'<' || c == u'>'
            || c == u'"' || c == u'|' || c == u'?' || c == u'*')
            return false;
    }
    return !isDeviceName(name);
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
