// libFuzzer target: the venue profile's levels and types texts, the mouse
// rules on them, and the presence link's stored form. Input: three texts
// separated by NUL bytes (levels, types, link), then press and pointer
// records of five bytes each (x low, x high, y, button, unused).
#include "kverror.h"
#include "presencelink.h"
#include "profilecore.h"

#include <cstdint>
#include <cstdlib>

using namespace Profilo;

namespace {

void check(bool condition)
{
    if (!condition)
        std::abort();
}

QString takeText(const uint8_t *&data, size_t &size)
{
    size_t n = 0;
    while (n < size && data[n] != 0)
        ++n;
    const QString text = QString::fromLatin1(reinterpret_cast<const char *>(data), qsizetype(n));
    const size_t used = n < size ? n + 1 : n;
    data += used;
    size -= used;
    return text;
}

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

void checkLevels(const QString &text)
{
    Profile p;
    p.strToPosShapes(QString(kMarkers, u'6'));
    int stop = kMarkers + 1;
    for (int i = 0; i < kMarkers; ++i) {
        if (i >= text.size() || !isDigit(text[i])) {
            stop = i + 1;
            break;
        }
    }
    bool failed = false;
    try {
        p.strToPosShapes(text);
    } catch (const KvError &e) {
        failed = true;
        check(!e.text().isEmpty());
    }
    check(failed == (stop <= kMarkers));
    for (int i = 1; i <= kMarkers; ++i)
        check(p.level(i) == (i < stop ? text[i - 1].digitValue() : 6));
    if (!failed)
        check(p.posShapesToStr() == text.left(kMarkers));
}

void checkLink(const QString &link)
{
    QString stripped = link;
    while (stripped.endsWith(u".kvs", Qt::CaseInsensitive))
        stripped.chop(4);
    const QString stored = PresenceLink::encode(link);
    check(!stored.endsWith(u".kvs", Qt::CaseInsensitive));
    check(PresenceLink::decode(stored) == stripped + u".kvs");
    // Every backslash of the stored form comes in pairs.
    for (qsizetype i = 0; i < stored.size(); ++i) {
        if (stored[i] == u'\\') {
            check(i + 1 < stored.size() && stored[i + 1] == u'\\');
            ++i;
        }
    }
    const QString name = PresenceLink::fileName(link);
    check(!name.contains(u'\\') && !name.contains(u'/'));
    check(PresenceLink::fileName(PresenceLink::fromFileName(name)) == name);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString levels = takeText(data, size);
    const QString types = takeText(data, size);
    const QString link = takeText(data, size);

    checkLevels(levels);
    checkLink(link);

    Profile p;
    try {
        p.strToPosShapes(levels);
    } catch (const KvError &) {
    }
    p.setTypes(types);
    for (int i = 1; i <= kMarkers; ++i)
        check(p.type(i) >= 0 && p.type(i) <= 9);

    while (size >= 5) {
        const int x = int(data[0] | data[1] << 8) - 8;
        const int y = int(data[2]) - 8;
        const Button b = data[3] % 3 == 0   ? Button::Left
                         : data[3] % 3 == 1 ? Button::Right
                                            : Button::Middle;
        data += 5;
        size -= 5;

        const Levels before = p.levels();
        const QString typesBefore = p.types();
        const int changed = p.movAllShapes(x, y, b);
        const int column = p.geometry().columnAt(x);
        check(changed == 0 || changed == column);
        for (int i = 1; i <= kMarkers; ++i)
            if (i != column)
                check(p.level(i) == before[size_t(i - 1)]);
        if (column != 0 && b == Button::Left) {
            check(p.level(column) >= kBottomLevel && p.level(column) <= kTopLevel);
            if (p.level(column) == kTopLevel)
                check(p.type(column) == 0);
        }
        if (b == Button::Middle || column == 0)
            check(p.types() == typesBefore);
        else if (p.types() != typesBefore)
            check(p.types().size() == kMarkers);

        const auto r = p.readout(x, y, 20 + data[-1] % 51);
        check(r.has_value() == (column != 0));
        if (r && r->distanceMt)
            check(*r->distanceMt >= 20);
        for (const TypeLine &line : p.typeLines())
            check(line.pixels().size() == p.geometry().columnWidth());
    }
    return 0;
}
