#pragma once

#include <QList>
#include <QPoint>
#include <QString>

#include <array>
#include <optional>

// The fishing-area profile without widgets: 32 surface markers over the
// venue photo, each with a level (its height in steps) and a limit type,
// and the rules by which the mouse changes them. Coordinates are from the
// photo's top-left corner; the window adds the photo's position.
namespace Profilo {

inline constexpr int kMarkers = 32;
// Level 0 is the lowest; the mouse keeps levels within 0..7, files may
// also give 8 or 9.
inline constexpr int kLevelBase = 13;
inline constexpr int kTopLevel = 7;
inline constexpr int kBottomLevel = 0;
// The pointer reads a marker's distance within this many pixels of it.
inline constexpr int kReadoutReach = 10;

enum class Button { Left, Right, Middle };

// All sizes follow from the photo view.
struct Geometry
{
    int width = 512;
    int height = 390;

    // getAltezzaLimite: the height of one level step.
    int step() const { return height / 30; }
    int columnWidth() const { return width / kMarkers; }
    // Marker `idx` (1..32) covers column `idx`.
    int markerLeft(int idx) const { return (idx - 1) * columnWidth(); }
    int topOfLevel(int level) const { return (kLevelBase - level) * step(); }
    // getPosShape: integer division that truncates toward zero, as stored
    // tops are always whole steps.
    int levelOfTop(int top) const { return (top - kLevelBase * step()) / -step(); }
    // getIdxShape
    int indexOfLeft(int left) const { return left / columnWidth() + 1; }
    // Strictly inside the column: its borders belong to no marker.
    bool inColumn(int idx, int x) const
    {
        return markerLeft(idx) < x && x < markerLeft(idx) + columnWidth();
    }
    // The column whose marker the point x lies over, or 0 for none.
    int columnAt(int x) const;
};

using Levels = std::array<int, kMarkers>;

// The default of both texts and the types after New.
QString zeroText();

// posShapesToStr: the decimal level of markers 1..32, concatenated.
QString posShapesToStr(const Levels &levels);

// strToPosShapes: places marker i from character i, in order. Stops at the
// first of the first 32 characters that is missing or not a decimal digit
// by throwing KvError naming the text; the markers before it keep their new
// levels. Characters after the 32nd are ignored; digits are not clamped.
void strToPosShapes(const QString &luogoSup, Levels &levels);

// getTipoLimite: the digit at `idx` (1-based); 0 beyond the text's end and,
// so a hand-edited file cannot make every redraw fail, for a non-digit.
int getTipoLimite(const QString &types, int idx);
// setTipoLimite: rebuilds the text to 32 characters (missing positions
// "0") with `tipo` at `idx`; a `tipo` that is not one digit resets all.
void setTipoLimite(QString &types, int idx, int tipo);
// 0 -> 1 -> 2 -> 3 -> 0; other values stay.
int nextTipo(int tipo);

// How marker `idx` is shown for a pointer position.
struct MarkerLook
{
    bool highlighted = false; // red, two pixels high
    bool visible = true;      // pen solid, else hidden (the overlay draws its type)
};

// What the status bar shows while the pointer is over a column.
struct Readout
{
    int marker = 0;                // the column's marker
    std::optional<int> distanceMt; // nothing: the help text
};

// The distance in metres that level `level` stands for, with the maximum
// fishing distance `maxDistance`: truncated toward zero.
int distanceReadout(int maxDistance, int level);
// The readout text: "142 mt".
QString readoutText(int distance);

// The limit-type line of one column; the end point is not drawn.
struct TypeLine
{
    QPoint from;
    QPoint to;
    // The pixels drawn, from `from` up to but excluding `to`.
    QList<QPoint> pixels() const;
};

// The whole state: levels (the markers' positions) and the limit-type
// string, and every rule that changes or shows them.
class Profile
{
public:
    explicit Profile(Geometry g = Geometry());

    const Geometry &geometry() const { return m_geo; }
    const Levels &levels() const { return m_levels; }
    int level(int idx) const { return m_levels[idx - 1]; }
    int top(int idx) const { return m_geo.topOfLevel(level(idx)); }
    const QString &types() const { return m_types; }
    int type(int idx) const { return getTipoLimite(m_types, idx); }

    // iniShape, iniAllShapes
    void iniShape(int idx, int level) { m_levels[idx - 1] = level; }
    void iniAllShapes();
    void setTypes(const QString &types) { m_types = types; }
    void strToPosShapes(const QString &luogoSup) { Profilo::strToPosShapes(luogoSup, m_levels); }
    QString posShapesToStr() const { return Profilo::posShapesToStr(m_levels); }

    // changeTipoLimite, then the level-7 rule.
    void changeTipoLimite(int idx);
    // verificaTipoLimite: a marker at level 7 has type 0.
    void verificaTipoLimite(int idx);

    // movShape for one marker; true when its level or type changed.
    bool movShape(int idx, int x, int y, Button button);
    // The presses of movAllShapes; columns do not overlap, so at most one
    // marker changes. Returns that marker, or 0.
    int movAllShapes(int x, int y, Button button);

    // verShape for one marker and verAllShapes's status text.
    MarkerLook look(int idx, int x) const;
    std::optional<Readout> readout(int x, int y, int maxDistance) const;

    // drawTipoLimite for one marker (nothing for type 0 or unknown types),
    // and the lines of all markers in order.
    std::optional<TypeLine> typeLine(int idx) const;
    QList<TypeLine> typeLines() const;

private:
    Geometry m_geo;
    Levels m_levels{};
    QString m_types;
};

} // namespace Profilo
