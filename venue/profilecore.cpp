#include "profilecore.h"

#include "kverror.h"

#include <cmath>
#include <cstdlib>

using namespace Qt::StringLiterals;

namespace Profilo {

int Geometry::columnAt(int x) const
{
    if (x <= 0 || columnWidth() <= 0)
        return 0;
    const int idx = indexOfLeft(x);
    return idx <= kMarkers && inColumn(idx, x) ? idx : 0;
}

QString zeroText()
{
    return QString(kMarkers, u'0');
}

QString posShapesToStr(const Levels &levels)
{
    QString s;
    for (int level : levels)
        s += QString::number(level);
    return s;
}

void strToPosShapes(const QString &luogoSup, Levels &levels)
{
    for (int i = 0; i < kMarkers; ++i) {
        const QString ch = luogoSup.mid(i, 1);
        // Only one ASCII digit converts; anything else is the conversion
        // error of that text, and the markers from here on keep their levels.
        if (ch.size() != 1 || ch[0] < u'0' || ch[0] > u'9')
            throw KvError(
                u"'%1' is not a valid integer value (LIMITI_SUPERIORI, position %2)"_s.arg(
                    ch, QString::number(i + 1)));
        levels[i] = ch[0].unicode() - u'0';
    }
}

int getTipoLimite(const QString &types, int idx)
{
    if (idx < 1 || idx > types.size())
        return 0;
    const QChar ch = types[idx - 1];
    return ch >= u'0' && ch <= u'9' ? ch.unicode() - u'0' : 0;
}

void setTipoLimite(QString &types, int idx, int tipo)
{
    QString rebuilt;
    for (int i = 1; i <= kMarkers; ++i) {
        if (i == idx)
            rebuilt += QString::number(tipo);
        else
            rebuilt += i <= types.size() ? types[i - 1] : u'0';
    }
    types = rebuilt.size() == kMarkers ? rebuilt : zeroText();
}

int nextTipo(int tipo)
{
    switch (tipo) {
    case 0:
        return 1;
    case 1:
        return 2;
    case 2:
        return 3;
    case 3:
        return 0;
    default:
        return tipo;
    }
}

int distanceReadout(int maxDistance, int level)
{
    const double d = maxDistance;
    const double far = (d - 10) / 0.2 + 10;
    const double distance = d + (far - d) / 7 * (level + 1);
    return int(std::trunc(distance));
}

QString readoutText(int distance)
{
    return QString::number(distance) + u" mt"_s;
}

QList<QPoint> TypeLine::pixels() const
{
    // Bresenham from `from`, stopping before `to`.
    QList<QPoint> out;
    int x = from.x();
    int y = from.y();
    const int dx = std::abs(to.x() - x);
    const int dy = -std::abs(to.y() - y);
    const int sx = x < to.x() ? 1 : -1;
    const int sy = y < to.y() ? 1 : -1;
    int err = dx + dy;
    while (x != to.x() || y != to.y()) {
        out.append(QPoint(x, y));
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y += sy;
        }
    }
    return out;
}

Profile::Profile(Geometry g)
    : m_geo(g)
    , m_types(zeroText())
{
}

void Profile::iniAllShapes()
{
    for (int i = 1; i <= kMarkers; ++i)
        iniShape(i, kBottomLevel);
}

void Profile::changeTipoLimite(int idx)
{
    setTipoLimite(m_types, idx, nextTipo(type(idx)));
    verificaTipoLimite(idx);
}

void Profile::verificaTipoLimite(int idx)
{
    if (level(idx) == kTopLevel)
        setTipoLimite(m_types, idx, 0);
}

bool Profile::movShape(int idx, int x, int y, Button button)
{
    if (!m_geo.inColumn(idx, x))
        return false;
    const int oldLevel = level(idx);
    const QString oldTypes = m_types;
    switch (button) {
    case Button::Left: {
        const int s = m_geo.step();
        // Above the line goes up; on or below it goes down.
        int t = top(idx) > y ? top(idx) - s : top(idx) + s;
        if (t > m_geo.topOfLevel(kBottomLevel))
            t = m_geo.topOfLevel(kBottomLevel);
        if (t < m_geo.topOfLevel(kTopLevel))
            t = m_geo.topOfLevel(kTopLevel);
        iniShape(idx, m_geo.levelOfTop(t));
        verificaTipoLimite(idx);
        break;
    }
    case Button::Right:
        changeTipoLimite(idx);
        break;
    case Button::Middle:
        break;
    }
    return level(idx) != oldLevel || m_types != oldTypes;
}

int Profile::movAllShapes(int x, int y, Button button)
{
    int changed = 0;
    for (int i = 1; i <= kMarkers; ++i)
        if (movShape(i, x, y, button))
            changed = i;
    return changed;
}

MarkerLook Profile::look(int idx, int x) const
{
    if (m_geo.inColumn(idx, x))
        return {true, true};
    return {false, type(idx) == 0};
}

std::optional<Readout> Profile::readout(int x, int y, int maxDistance) const
{
    const int idx = m_geo.columnAt(x);
    if (idx == 0)
        return std::nullopt;
    Readout r;
    r.marker = idx;
    if (std::abs(top(idx) - y) < kReadoutReach)
        r.distanceMt = distanceReadout(maxDistance, level(idx));
    return r;
}

std::optional<TypeLine> Profile::typeLine(int idx) const
{
    const int dx = m_geo.markerLeft(idx);
    const int dy = top(idx);
    const int w = m_geo.columnWidth();
    const int s = m_geo.step();
    switch (type(idx)) {
    case 1:
        return TypeLine{{dx, dy - s / 2}, {dx + w, dy - s / 2}};
    case 2:
        return TypeLine{{dx, dy}, {dx + w, dy - s}};
    case 3:
        return TypeLine{{dx, dy - s}, {dx + w, dy}};
    default:
        return std::nullopt;
    }
}

QList<TypeLine> Profile::typeLines() const
{
    QList<TypeLine> lines;
    for (int i = 1; i <= kMarkers; ++i)
        if (const auto l = typeLine(i))
            lines.append(*l);
    return lines;
}

} // namespace Profilo
