#include "presencelink.h"

#include "filenames.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace PresenceLink {

namespace {
const QString kExtension = u".kvs"_s;
}

QString fromFileName(const QString &fileName)
{
    return u"\\KVS\\"_s + fileName;
}

QString fileName(const QString &link)
{
    const qsizetype cut = std::max(link.lastIndexOf(u'\\'), link.lastIndexOf(u'/'));
    return link.mid(cut + 1);
}

QString encode(const QString &link)
{
    // Only the ending goes: a ".kvs" inside a name is part of the name and
    // must survive the round trip. Repeated endings all go, so a value
    // that was stored with its extension heals on the next save.
    QString s = link;
    while (s.endsWith(kExtension, Qt::CaseInsensitive))
        s.chop(kExtension.size());
    return s.replace(u"\\"_s, u"\\\\"_s);
}

QString decode(const QString &stored)
{
    QString link = stored + kExtension;
    return link.replace(u"\\\\"_s, u"\\"_s);
}

bool isInPresenceFolder(const QString &link)
{
    QString s = link;
    s.replace(u'/', u'\\');
    if (s.startsWith(u'\\'))
        s.remove(0, 1);
    const qsizetype cut = s.indexOf(u'\\');
    return cut >= 0 && QStringView(s).left(cut).compare(u"KVS", Qt::CaseInsensitive) == 0
           && FileNames::isBareFileName(QStringView(s).mid(cut + 1));
}

QString zipEntry(const QString &link)
{
    QString s = link;
    const qsizetype first = s.indexOf(u'\\');
    if (first >= 0)
        s.remove(first, 1);
    return s;
}

} // namespace PresenceLink
