// Draws every picture KorvalisEdit ships (main toolbar, editor buttons,
// program icon) with antialiased QPainter paths and writes them as PNG
// files, so the images can be regenerated exactly from this source.
//
// Usage: drawicons OUTDIR   (normally run through scripts/make-icons)
//
// Style shared by all pictures: one palette, fills lit from the top left,
// outlines in a dark shade of the fill with one weight per output size, and
// a soft shadow dropped below the whole drawing.

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPainterPathStroker>
#include <QRadialGradient>
#include <QTransform>
#include <QtMath>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

// ---------------------------------------------------------------- palette

namespace pal {
const QColor ink(0x1e, 0x27, 0x33);
const QColor white(0xfb, 0xfb, 0xf7);
const QColor steel(0xb4, 0xc0, 0xcc);
const QColor red(0xe0, 0x35, 0x2b);
const QColor orange(0xf0, 0x8a, 0x24);
const QColor yellow(0xff, 0xcf, 0x3a);
const QColor pink(0xec, 0x8e, 0x86);
const QColor pinkBand(0xd8, 0x5e, 0x63);
const QColor water(0x3c, 0x9c, 0xde);
const QColor waterDeep(0x1d, 0x62, 0xa6);
const QColor sky(0xb4, 0xe1, 0xfb);
const QColor grass(0x78, 0xbd, 0x48);
const QColor forest(0x3a, 0x86, 0x3c);
const QColor mountain(0x86, 0x9f, 0xbd);
const QColor bait(0xb3, 0x7b, 0x3e);
const QColor bowl(0x2f, 0x8f, 0x7a);
const QColor lead(0x93, 0x9c, 0xa7);
const QColor cork(0xdb, 0xb1, 0x76);
const QColor blank(0x35, 0x70, 0xb4);
const QColor reelBody(0x4b, 0x55, 0x61);
const QColor gold(0xe5, 0xb0, 0x2e);
const QColor line(0x5d, 0x6b, 0x7a);
const QColor fishBack(0x2e, 0x7c, 0x6c);
const QColor fishFlank(0x8d, 0xc9, 0x9c);
const QColor fishBelly(0xf6, 0xf0, 0xd2);
const QColor fin(0xf0, 0x86, 0x3f);
const QColor paper(0xff, 0xff, 0xff);
const QColor folder(0xf4, 0xc2, 0x4a);
const QColor floppy(0x36, 0x6f, 0xc2);
} // namespace pal

QColor mix(const QColor &a, const QColor &b, qreal t)
{
    return QColor::fromRgbF(float(a.redF() + (b.redF() - a.redF()) * t),
                            float(a.greenF() + (b.greenF() - a.greenF()) * t),
                            float(a.blueF() + (b.blueF() - a.blueF()) * t),
                            float(a.alphaF() + (b.alphaF() - a.alphaF()) * t));
}

QColor light(const QColor &c, qreal t)
{
    return mix(c, Qt::white, t);
}
QColor dark(const QColor &c, qreal t)
{
    return mix(c, pal::ink, t);
}
QColor outlineOf(const QColor &fill)
{
    return dark(fill, 0.72);
}
QColor alpha(QColor c, qreal a)
{
    c.setAlphaF(float(a));
    return c;
}

// ---------------------------------------------------------------- canvas

// A picture is drawn in its own design units (e.g. 40 x 40); `scale` maps
// them to output pixels. Line weights are chosen in pixels so that small
// renderings keep crisp one-pixel outlines.
struct Ctx
{
    QPainter &p;
    int size;
    qreal scale;

    qreal px(qreal pixels) const { return pixels / scale; }
    qreal line() const { return px(std::max(1.0, std::min(size / 34.0, 1.2 + size / 64.0))); }
    qreal fine() const { return px(std::max(0.75, std::min(size / 60.0, 0.8 + size / 110.0))); }
    bool big() const { return size >= 96; }
};

QPen pen(const QColor &c, qreal w)
{
    QPen pn(c, w);
    pn.setCapStyle(Qt::RoundCap);
    pn.setJoinStyle(Qt::RoundJoin);
    return pn;
}

// Fill, then outline in a dark shade of `base`.
void shape(Ctx &c, const QPainterPath &path, const QBrush &fill, const QColor &base,
           qreal width = -1)
{
    c.p.fillPath(path, fill);
    c.p.strokePath(path, pen(outlineOf(base), width < 0 ? c.line() : width));
}

// Flat colour lit from the top left: lighter above, darker below.
QBrush lit(const QRectF &r, const QColor &base, qreal hi = 0.35, qreal lo = 0.18)
{
    QLinearGradient g(r.left() + r.width() * 0.25, r.top(), r.right() - r.width() * 0.25,
                      r.bottom());
    g.setColorAt(0, light(base, hi));
    g.setColorAt(0.55, base);
    g.setColorAt(1, dark(base, lo));
    return g;
}

// A rounded body lit from the top left.
QBrush ball(const QPointF &centre, qreal r, const QColor &base, qreal hi = 0.6)
{
    QRadialGradient g(centre, r * 1.15, centre + QPointF(-0.38 * r, -0.42 * r));
    g.setColorAt(0, light(base, hi));
    g.setColorAt(0.45, base);
    g.setColorAt(1, dark(base, 0.35));
    return g;
}

// Polished metal: bright band left of centre, dark edges.
QBrush metal(qreal x0, qreal x1, const QColor &base = pal::steel)
{
    QLinearGradient g(x0, 0, x1, 0);
    g.setColorAt(0, dark(base, 0.25));
    g.setColorAt(0.3, light(base, 0.75));
    g.setColorAt(0.55, base);
    g.setColorAt(1, dark(base, 0.35));
    return g;
}

QPainterPath circle(const QPointF &centre, qreal r)
{
    QPainterPath p;
    p.addEllipse(centre, r, r);
    return p;
}

QPainterPath ellipse(const QPointF &centre, qreal rx, qreal ry)
{
    QPainterPath p;
    p.addEllipse(centre, rx, ry);
    return p;
}

QPainterPath roundRect(const QRectF &r, qreal radius)
{
    QPainterPath p;
    p.addRoundedRect(r, radius, radius);
    return p;
}

QPainterPath polygon(std::initializer_list<QPointF> pts)
{
    QPainterPath p;
    p.addPolygon(QPolygonF(QList<QPointF>(pts)));
    p.closeSubpath();
    return p;
}

QPointF unitTangent(const QPainterPath &path, qreal t)
{
    const qreal e = 0.002;
    QPointF d =
        path.pointAtPercent(std::min(1.0, t + e)) - path.pointAtPercent(std::max(0.0, t - e));
    qreal len = std::hypot(d.x(), d.y());
    return len > 0 ? d / len : QPointF(1, 0);
}

QPointF unitNormal(const QPainterPath &path, qreal t)
{
    QPointF d = unitTangent(path, t);
    return {-d.y(), d.x()};
}

// The outline of a stroke along `centre` from t0 to t1 whose width runs
// from w0 to w1; used for worms, rods and anything else that tapers.
QPainterPath taper(const QPainterPath &centre, qreal t0, qreal t1, qreal w0, qreal w1,
                   bool roundStart = true, bool roundEnd = true, int steps = 96)
{
    QList<QPointF> left, right;
    for (int i = 0; i <= steps; ++i) {
        qreal f = qreal(i) / steps;
        qreal t = t0 + (t1 - t0) * f;
        qreal w = (w0 + (w1 - w0) * f) / 2;
        QPointF pt = centre.pointAtPercent(t);
        QPointF n = unitNormal(centre, t);
        left.append(pt + n * w);
        right.prepend(pt - n * w);
    }
    QPainterPath p;
    p.addPolygon(QPolygonF(left + right));
    p.closeSubpath();
    if (roundStart)
        p = p.united(circle(centre.pointAtPercent(t0), w0 / 2));
    if (roundEnd)
        p = p.united(circle(centre.pointAtPercent(t1), w1 / 2));
    return p.simplified();
}

QPainterPath strokeOf(const QPainterPath &centre, qreal width, Qt::PenCapStyle cap = Qt::FlatCap)
{
    QPainterPathStroker s;
    s.setWidth(width);
    s.setCapStyle(cap);
    s.setJoinStyle(Qt::RoundJoin);
    return s.createStroke(centre).simplified();
}

// Small deterministic generator for speckles.
struct Lcg
{
    quint32 state;
    qreal next()
    {
        state = state * 1664525u + 1013904223u;
        return (state >> 8) / qreal(1 << 24);
    }
};

// ---------------------------------------------------------------- shared drawings

// A fish facing right, 100 units from tail tip to nose, centred on 0,0.
// `xf` places it in the picture.
void drawFish(Ctx &c, const QTransform &xf, bool openMouth, bool details)
{
    QPainterPath body;
    if (openMouth) {
        body.moveTo(43, -3.5);
        body.cubicTo(36, -21, 2, -25, -26, -10);
    } else {
        body.moveTo(48, 1);
        body.cubicTo(42, -19, 2, -25, -26, -10);
    }
    body.cubicTo(-31, -7.5, -34, -6, -37, -5.5);
    body.lineTo(-37, 5.5);
    body.cubicTo(-34, 6, -31, 7.5, -26, 10);
    if (openMouth) {
        body.cubicTo(0, 23, 36, 24, 47, 9);
        body.lineTo(35, 3);
    } else {
        body.cubicTo(0, 22, 40, 20, 48, 1);
    }
    body.closeSubpath();

    QPainterPath tail;
    tail.moveTo(-33, -4);
    tail.cubicTo(-40, -11, -45, -16, -52, -22);
    tail.cubicTo(-49, -12, -48, -6, -45, 0);
    tail.cubicTo(-48, 6, -49, 12, -52, 22);
    tail.cubicTo(-45, 16, -40, 11, -33, 4);
    tail.closeSubpath();

    QPainterPath dorsal;
    dorsal.moveTo(-14, -17);
    dorsal.cubicTo(-10, -27, 2, -32, 14, -30);
    dorsal.cubicTo(10, -25, 12, -22, 16, -19);
    dorsal.closeSubpath();

    QPainterPath ventral;
    ventral.moveTo(-4, 17);
    ventral.cubicTo(-7, 21, -11, 24, -15, 24.5);
    ventral.cubicTo(-14, 21, -13, 18, -12, 15);
    ventral.closeSubpath();

    QPainterPath pectoral;
    pectoral.moveTo(18, 6);
    pectoral.cubicTo(12, 9, 6, 14, 3, 17);
    pectoral.cubicTo(9, 16, 14, 13, 20, 10);
    pectoral.closeSubpath();

    auto place = [&](const QBrush &b) {
        QBrush out = b;
        out.setTransform(xf);
        return out;
    };

    QLinearGradient finFill(0, -30, 0, 30);
    finFill.setColorAt(0, light(pal::fin, 0.25));
    finFill.setColorAt(1, dark(pal::fin, 0.15));

    shape(c, xf.map(tail), place(finFill), pal::fin);
    shape(c, xf.map(dorsal), place(finFill), pal::fin);
    shape(c, xf.map(ventral), place(finFill), pal::fin);

    QLinearGradient skin(0, -24, 0, 22);
    skin.setColorAt(0, dark(pal::fishBack, 0.15));
    skin.setColorAt(0.3, pal::fishBack);
    skin.setColorAt(0.55, pal::fishFlank);
    skin.setColorAt(0.75, pal::fishBelly);
    skin.setColorAt(1, pal::fishBelly);
    const QPainterPath placedBody = xf.map(body);
    c.p.fillPath(placedBody, place(skin));

    c.p.save();
    c.p.setClipPath(placedBody);
    // Dark bars along the back, like a perch's.
    for (qreal x : {-16.0, -2.0, 12.0}) {
        QPainterPath bar;
        bar.moveTo(x - 3, -26);
        bar.cubicTo(x - 1, -12, x - 3, -2, x - 5, 6);
        bar.lineTo(x + 1, 6);
        bar.cubicTo(x + 3, -2, x + 4, -12, x + 4, -26);
        bar.closeSubpath();
        c.p.fillPath(xf.map(bar), alpha(pal::ink, 0.16));
    }
    if (details) {
        // A gleam along the back.
        QPainterPath gleam;
        gleam.moveTo(30, -12);
        gleam.cubicTo(14, -20, -6, -19, -22, -9);
        c.p.strokePath(xf.map(gleam), pen(alpha(Qt::white, 0.45), c.line() * 0.9));
    }
    c.p.restore();
    c.p.strokePath(placedBody, pen(outlineOf(pal::fishBack), c.line()));

    shape(c, xf.map(pectoral), place(finFill), pal::fin, c.fine());

    // Gill cover.
    QPainterPath gill;
    gill.moveTo(24, -12);
    gill.cubicTo(18, -4, 18, 6, 23, 13);
    c.p.strokePath(xf.map(gill), pen(outlineOf(pal::fishFlank), c.fine()));

    // Eye.
    const QPointF eye = xf.map(QPointF(32, -6));
    const qreal eyeR = 4.6 * std::sqrt(std::abs(xf.determinant()));
    shape(c, circle(eye, eyeR), QBrush(pal::white), pal::fishBack, c.fine());
    c.p.fillPath(circle(eye + QPointF(eyeR * 0.15, 0), eyeR * 0.55), pal::ink);
    if (details)
        c.p.fillPath(circle(eye + QPointF(-eyeR * 0.1, -eyeR * 0.3), eyeR * 0.2), Qt::white);
}

// A J hook with eye, barb and point, drawn along a centre line.
// The shank stands at x, the eye on top at `top`, the bend's bottom at `bottom`.
// A `solid` hook is one dark silhouette, for renderings too small for shading.
void drawHook(Ctx &c, qreal x, qreal top, qreal bottom, qreal bendR, qreal wire, bool line,
              qreal eyeScale = 1.05, bool solid = false)
{
    const qreal eyeR = wire * eyeScale;
    const QPointF eyeC(x, top + eyeR + wire / 2);
    const qreal bendY = bottom - bendR;
    const qreal pointX = x - 2 * bendR;
    const qreal pointTop = bendY - bendR * 0.9;

    if (line) {
        // The line tied to the eye, leaving the picture at the top.
        QPainterPath ln;
        ln.moveTo(eyeC.x(), eyeC.y() - eyeR);
        ln.lineTo(eyeC.x(), -1);
        c.p.strokePath(ln, pen(pal::line, c.px(std::max(1.0, c.size / 40.0))));
    }

    QPainterPath centre;
    centre.moveTo(x, eyeC.y() + eyeR + wire * 0.2);
    centre.lineTo(x, bendY);
    centre.arcTo(QRectF(pointX, bendY - bendR, 2 * bendR, 2 * bendR), 0, -180);
    centre.lineTo(pointX, pointTop);
    QPainterPath hook = strokeOf(centre, wire);

    // The point, sharpened, and the barb turned inwards and down.
    hook = hook.united(polygon({{pointX - wire / 2, pointTop + 0.1},
                                {pointX + wire / 2, pointTop + 0.1},
                                {pointX + wire * 0.05, pointTop - wire * 2.0}}));
    hook = hook.united(polygon({{pointX + wire * 0.3, pointTop - wire * 0.2},
                                {pointX + wire * 1.5, pointTop + wire * 1.5},
                                {pointX + wire * 0.3, pointTop + wire * 1.1}}));
    QPainterPath eye = circle(eyeC, eyeR + wire / 2);
    eye = eye.subtracted(circle(eyeC, eyeR - wire / 2));
    hook = hook.united(eye).simplified();

    if (solid) {
        c.p.fillPath(hook, dark(pal::steel, 0.6));
        return;
    }
    shape(c, hook, metal(pointX - wire, x + wire), pal::steel);

    // A glint down the shank.
    QPainterPath glint;
    glint.moveTo(x - wire * 0.18, eyeC.y() + eyeR + wire);
    glint.lineTo(x - wire * 0.18, bendY);
    c.p.strokePath(glint, pen(alpha(Qt::white, 0.8), c.fine()));
}

// Map design units onto pixels and draw.
QImage render(int size, qreal design, const std::function<void(Ctx &)> &draw)
{
    QImage img(size, size, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    const qreal scale = size / design;
    p.scale(scale, scale);
    Ctx c{p, size, scale};
    draw(c);
    p.end();
    return img;
}

// Gaussian blur of one channel, separable.
std::vector<float> blur(const std::vector<float> &src, int w, int h, qreal sigma)
{
    const int r = int(std::ceil(sigma * 3));
    std::vector<float> k(2 * r + 1);
    float sum = 0;
    for (int i = -r; i <= r; ++i)
        sum += k[i + r] = float(std::exp(-(i * i) / (2 * sigma * sigma)));
    for (float &v : k)
        v /= sum;
    std::vector<float> tmp(src.size()), out(src.size());
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            float a = 0;
            for (int i = -r; i <= r; ++i) {
                int xx = x + i;
                if (xx >= 0 && xx < w)
                    a += src[y * w + xx] * k[i + r];
            }
            tmp[y * w + x] = a;
        }
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            float a = 0;
            for (int i = -r; i <= r; ++i) {
                int yy = y + i;
                if (yy >= 0 && yy < h)
                    a += tmp[yy * w + x] * k[i + r];
            }
            out[y * w + x] = a;
        }
    return out;
}

// Drop a soft shadow below the drawing, as if lit from above.
QImage withDepth(const QImage &art)
{
    const int w = art.width(), h = art.height(), s = std::min(w, h);
    const int dy = std::max(1, qRound(s / 40.0));
    const int dx = s >= 96 ? qRound(s / 110.0) : 0;
    const qreal sigma = std::max(0.7, s / 60.0);
    const float strength = 0.38f;

    std::vector<float> a(size_t(w) * h);
    for (int y = 0; y < h; ++y) {
        const QRgb *row = reinterpret_cast<const QRgb *>(art.constScanLine(y));
        for (int x = 0; x < w; ++x)
            a[size_t(y) * w + x] = qAlpha(row[x]) / 255.f;
    }
    a = blur(a, w, h, sigma);

    QImage out(w, h, QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < h; ++y) {
        QRgb *row = reinterpret_cast<QRgb *>(out.scanLine(y));
        for (int x = 0; x < w; ++x) {
            const int sx = x - dx, sy = y - dy;
            float v = (sx >= 0 && sy >= 0 && sx < w && sy < h) ? a[size_t(sy) * w + sx] : 0.f;
            const int al = std::clamp(int(std::lround(v * strength * 255)), 0, 255);
            row[x] = qRgba(0, 0, 0, al);
        }
    }
    QPainter p(&out);
    p.drawImage(0, 0, art);
    p.end();
    return out;
}

// ---------------------------------------------------------------- main toolbar (40 units)

void drawAmo(Ctx &c)
{
    drawHook(c, 25, 5.5, 36, 8, 3.1, true);
}

void drawEsca(Ctx &c)
{
    // Tail at the lower left, head raised at the upper right.
    QPainterPath centre;
    for (int i = 0; i <= 80; ++i) {
        const qreal f = i / 80.0;
        const QPointF pt(5 + 29.5 * f, 28.5 - 15 * f + 6 * std::sin(2 * M_PI * 1.3 * f + 0.3));
        i == 0 ? centre.moveTo(pt) : centre.lineTo(pt);
    }
    centre = centre.toReversed();

    const qreal w0 = 7.6, w1 = 3.6;
    const QPainterPath body = taper(centre, 0, 1, w0, w1);
    const QRectF box = body.boundingRect();
    c.p.fillPath(body, lit(box, pal::pink, 0.3, 0.15));

    c.p.save();
    c.p.setClipPath(body);
    // Shade the underside of the body along its length.
    QPainterPath under;
    for (int i = 0; i <= 60; ++i) {
        qreal t = i / 60.0;
        QPointF pt = centre.pointAtPercent(t) + unitNormal(centre, t) * (w0 + (w1 - w0) * t) * 0.42;
        i == 0 ? under.moveTo(pt) : under.lineTo(pt);
    }
    c.p.strokePath(under, pen(alpha(pal::pinkBand, 0.55), c.px(2.2)));
    QPainterPath over;
    for (int i = 0; i <= 60; ++i) {
        qreal t = i / 60.0;
        QPointF pt = centre.pointAtPercent(t) - unitNormal(centre, t) * (w0 + (w1 - w0) * t) * 0.2;
        i == 0 ? over.moveTo(pt) : over.lineTo(pt);
    }
    c.p.strokePath(over, pen(alpha(Qt::white, 0.45), c.px(1.1)));

    // The saddle near the head.
    const QPainterPath saddle = taper(centre, 0.12, 0.2, w0 + 0.8, w0 + 0.4, false, false, 12);
    c.p.fillPath(saddle, lit(saddle.boundingRect(), pal::pinkBand, 0.25, 0.1));

    // Segment rings.
    for (qreal t = 0.05; t < 0.97; t += 0.05) {
        if (t > 0.1 && t < 0.22)
            continue;
        const qreal w = (w0 + (w1 - w0) * t) / 2;
        const QPointF pt = centre.pointAtPercent(t);
        const QPointF n = unitNormal(centre, t);
        const QPointF d = unitTangent(centre, t);
        QPainterPath ring;
        ring.moveTo(pt + n * w);
        ring.quadTo(pt + d * (w * 0.35), pt - n * w);
        c.p.strokePath(ring, pen(alpha(dark(pal::pinkBand, 0.3), 0.75), c.px(0.8)));
    }
    c.p.restore();
    c.p.strokePath(body, pen(outlineOf(pal::pink), c.line()));
}

void drawGalleggiante(Ctx &c)
{
    const QPointF centre(20, 21.5);
    const qreal r = 10;

    // Ripples where it sits on the water.
    for (int side : {-1, 1}) {
        QPainterPath rip;
        rip.moveTo(centre.x() + side * (r + 1.5), 31.5);
        rip.quadTo(centre.x() + side * (r + 4.5), 33.2, centre.x() + side * (r + 8), 32.2);
        c.p.strokePath(rip, pen(pal::water, c.px(1.6)));
        QPainterPath rip2;
        rip2.moveTo(centre.x() + side * (r - 2), 35.5);
        rip2.quadTo(centre.x() + side * (r + 2), 37, centre.x() + side * (r + 5), 36);
        c.p.strokePath(rip2, pen(alpha(pal::water, 0.75), c.px(1.3)));
    }

    // Antenna and the stem below.
    const QPainterPath antenna = roundRect(QRectF(centre.x() - 1.3, 2.5, 2.6, 12), 1.2);
    shape(c, antenna, metal(centre.x() - 1.3, centre.x() + 1.3, pal::white), pal::steel, c.fine());
    const QPainterPath tip = roundRect(QRectF(centre.x() - 1.3, 2.5, 2.6, 4.5), 1.2);
    shape(c, tip, metal(centre.x() - 1.3, centre.x() + 1.3, pal::red), pal::red, c.fine());
    const QPainterPath stem = roundRect(QRectF(centre.x() - 1, 28, 2, 8), 1);
    shape(c, stem, metal(centre.x() - 1, centre.x() + 1, pal::steel), pal::steel, c.fine());

    const QPainterPath globe = circle(centre, r);
    QPainterPath upper;
    upper.addRect(QRectF(0, 0, 40, centre.y()));
    c.p.fillPath(globe, ball(centre, r, pal::white, 0.8));
    c.p.fillPath(globe.intersected(upper), ball(centre, r, pal::red, 0.55));
    // Band between the halves.
    QPainterPath band;
    band.addRect(QRectF(centre.x() - r, centre.y() - 0.9, 2 * r, 1.8));
    c.p.fillPath(globe.intersected(band), dark(pal::red, 0.5));
    c.p.strokePath(globe, pen(outlineOf(pal::red), c.line()));
    c.p.fillPath(ellipse(centre + QPointF(-4.2, -5.2), 2.6, 1.7), alpha(Qt::white, 0.8));
}

void drawLuogo(Ctx &c)
{
    const QRectF frame(2.5, 4.5, 35, 31);
    const QPainterPath outline = roundRect(frame, 4.5);
    const qreal horizon = 20;

    c.p.save();
    c.p.setClipPath(outline);

    QLinearGradient skyFill(0, frame.top(), 0, horizon);
    skyFill.setColorAt(0, QColor(0x7f, 0xc6, 0xf2));
    skyFill.setColorAt(1, light(pal::sky, 0.55));
    c.p.fillRect(frame, skyFill);

    shape(c, circle({29.5, 11.5}, 3.6), ball({29.5, 11.5}, 3.6, pal::yellow, 0.7), pal::orange,
          c.fine());

    QPainterPath peaks;
    peaks.moveTo(0, horizon + 1);
    peaks.lineTo(0, 17);
    peaks.lineTo(7, 12);
    peaks.lineTo(11, 14.5);
    peaks.lineTo(16.5, 9.5);
    peaks.lineTo(24, 17.5);
    peaks.lineTo(40, 19);
    peaks.lineTo(40, horizon + 1);
    peaks.closeSubpath();
    shape(c, peaks, lit(peaks.boundingRect(), pal::mountain, 0.3, 0.15), pal::mountain, c.fine());
    QPainterPath snow;
    snow.moveTo(13.9, 12);
    snow.lineTo(16.5, 9.5);
    snow.lineTo(19.4, 12.6);
    snow.lineTo(17.5, 12);
    snow.lineTo(16, 13);
    snow.closeSubpath();
    c.p.fillPath(snow, pal::white);

    QPainterPath land;
    land.moveTo(0, horizon);
    land.cubicTo(10, 17, 22, 18.5, 40, horizon - 1);
    land.lineTo(40, 40);
    land.lineTo(0, 40);
    land.closeSubpath();
    shape(c, land, lit(QRectF(0, horizon - 2, 40, 20), pal::grass, 0.25, 0.2), pal::grass,
          c.fine());

    // A river winding from the hills down to the front.
    QPainterPath river;
    river.moveTo(20.5, 18.9);
    river.cubicTo(25, 21, 27, 22.5, 22, 25);
    river.cubicTo(15, 28.5, 12, 31, 14, 40);
    river.lineTo(31, 40);
    river.cubicTo(27, 33, 30, 28.5, 35, 26);
    river.cubicTo(38.5, 24, 29, 20.5, 22.5, 18.8);
    river.closeSubpath();
    QLinearGradient riverFill(0, 18, 0, 40);
    riverFill.setColorAt(0, light(pal::water, 0.35));
    riverFill.setColorAt(1, pal::water);
    shape(c, river, riverFill, pal::water, c.fine());
    for (auto y : {29.5, 34.0}) {
        QPainterPath wave;
        wave.moveTo(20 + (y - 29.5) * 0.4, y);
        wave.quadTo(23 + (y - 29.5) * 0.4, y - 1.2, 26 + (y - 29.5) * 0.4, y);
        c.p.strokePath(wave, pen(alpha(Qt::white, 0.85), c.px(1)));
    }

    // A fir on the near bank.
    QPainterPath fir = polygon({{8, 14}, {12.5, 25}, {3.5, 25}});
    c.p.fillRect(QRectF(7.3, 24, 1.4, 3.5), dark(pal::bait, 0.2));
    shape(c, fir, lit(fir.boundingRect(), pal::forest, 0.25, 0.2), pal::forest, c.fine());

    c.p.restore();
    c.p.strokePath(outline, pen(outlineOf(pal::mountain), c.line()));
}

void drawPastura(Ctx &c)
{
    const QPointF rim(20, 22.5);
    const qreal rx = 16.5, ry = 4.2;

    // Inside of the bowl behind the heap.
    c.p.fillPath(ellipse(rim, rx, ry), dark(pal::bowl, 0.45));

    // The heap of mixed groundbait.
    QPainterPath heap;
    heap.moveTo(rim.x() - rx + 1.5, rim.y() + 0.5);
    heap.cubicTo(7, 13, 14, 9.5, 20, 9.5);
    heap.cubicTo(27, 9.5, 33, 13, rim.x() + rx - 1.5, rim.y() + 0.5);
    heap.closeSubpath();

    auto speckle = [&](const QPainterPath &area, quint32 seed, int count) {
        c.p.save();
        c.p.setClipPath(area);
        Lcg rnd{seed};
        const QRectF b = area.boundingRect();
        for (int i = 0; i < count; ++i) {
            QPointF pt(b.left() + rnd.next() * b.width(), b.top() + rnd.next() * b.height());
            const bool lightGrain = rnd.next() < 0.45;
            const qreal rr = c.px(0.45 + rnd.next() * 0.4);
            c.p.fillPath(circle(pt, rr), lightGrain ? alpha(light(pal::bait, 0.6), 0.9)
                                                    : alpha(dark(pal::bait, 0.35), 0.8));
        }
        c.p.restore();
    };

    shape(c, heap, ball({20, 18}, 14, pal::bait, 0.45), pal::bait);
    speckle(heap, 7u, 110);

    // Two balls ready to throw.
    const std::pair<QPointF, qreal> balls[] = {{{13.5, 15}, 5.2}, {{25.5, 12.5}, 5.8}};
    quint32 seed = 11;
    for (const auto &[pt, r] : balls) {
        const QPainterPath b = circle(pt, r);
        shape(c, b, ball(pt, r, pal::bait, 0.6), pal::bait);
        speckle(b, seed++, 45);
        c.p.fillPath(ellipse(pt + QPointF(-r * 0.35, -r * 0.45), r * 0.35, r * 0.22),
                     alpha(Qt::white, 0.45));
    }

    // The bowl's front, over the foot of the heap.
    QPainterPath front;
    front.moveTo(rim.x() - rx, rim.y());
    front.arcTo(QRectF(rim.x() - rx, rim.y() - ry, 2 * rx, 2 * ry), 180, 180);
    front.cubicTo(rim.x() + rx, 30, rim.x() + rx - 4, 36.5, rim.x() + 6, 36.5);
    front.lineTo(rim.x() - 6, 36.5);
    front.cubicTo(rim.x() - rx + 4, 36.5, rim.x() - rx, 30, rim.x() - rx, rim.y());
    front.closeSubpath();
    QLinearGradient bowlFill(rim.x() - rx, 0, rim.x() + rx, 0);
    bowlFill.setColorAt(0, light(pal::bowl, 0.15));
    bowlFill.setColorAt(0.3, light(pal::bowl, 0.4));
    bowlFill.setColorAt(0.6, pal::bowl);
    bowlFill.setColorAt(1, dark(pal::bowl, 0.3));
    shape(c, front, bowlFill, pal::bowl);
    QPainterPath lip;
    lip.moveTo(rim.x() - rx + 0.8, rim.y() + 0.8);
    lip.arcTo(QRectF(rim.x() - rx + 0.8, rim.y() - ry + 0.8, 2 * rx - 1.6, 2 * ry), 180, 180);
    c.p.strokePath(lip, pen(alpha(Qt::white, 0.55), c.px(1)));
    QPainterPath back;
    back.moveTo(rim.x() - rx, rim.y());
    back.arcTo(QRectF(rim.x() - rx, rim.y() - ry, 2 * rx, 2 * ry), 180, -180);
    // Only the rim ends beside the heap show.
    c.p.save();
    QPainterPath notHeap;
    notHeap.addRect(QRectF(0, 0, 40, 40));
    c.p.setClipPath(notHeap.subtracted(heap));
    c.p.strokePath(back, pen(outlineOf(pal::bowl), c.line()));
    c.p.restore();
}

void drawPresPesci(Ctx &c)
{
    // A list sheet.
    const QRectF sheet(4, 3, 23, 30);
    const QPainterPath page = roundRect(sheet, 2);
    shape(c, page, lit(sheet, pal::paper, 0.0, 0.1), pal::mountain);
    for (int i = 0; i < 4; ++i) {
        const qreal y = 8.5 + i * 5;
        c.p.fillPath(circle({8.5, y}, 1.3), i % 2 ? pal::water : pal::fishBack);
        QPainterPath ln;
        ln.moveTo(11.5, y);
        ln.lineTo(i % 2 ? 19.5 : 22.5, y);
        c.p.strokePath(ln, pen(light(pal::line, 0.35), c.px(1.5)));
    }

    // The fish those lines are about.
    QTransform xf;
    xf.translate(23.5, 28.5);
    xf.rotate(-8);
    xf.scale(0.29, 0.29);
    drawFish(c, xf, false, false);

    // A percent badge.
    const QPointF b(31.5, 9.5);
    const qreal r = 7;
    shape(c, circle(b, r), ball(b, r, pal::orange, 0.45), pal::orange);
    const qreal w = c.px(1.5);
    QPainterPath slash;
    slash.moveTo(b + QPointF(2.6, -3.6));
    slash.lineTo(b + QPointF(-2.6, 3.6));
    c.p.strokePath(slash, pen(pal::white, w));
    c.p.strokePath(circle(b + QPointF(-2.3, -2.1), 1.3), pen(pal::white, w * 0.9));
    c.p.strokePath(circle(b + QPointF(2.3, 2.1), 1.3), pen(pal::white, w * 0.9));
}

void drawPiombino(Ctx &c)
{
    QPainterPath ln;
    ln.moveTo(31, 0.5);
    ln.cubicTo(26, 12, 17, 26, 10, 39.5);
    c.p.strokePath(ln, pen(pal::line, c.px(1.2)));

    const std::pair<qreal, qreal> shots[] = {{0.2, 4.2}, {0.5, 6.8}, {0.8, 3.4}};
    for (const auto &[t, r] : shots) {
        const QPointF pt = ln.pointAtPercent(t);
        const QPointF d = unitTangent(ln, t);
        const QPainterPath b = circle(pt, r);
        shape(c, b, ball(pt, r, pal::lead, 0.7), pal::lead);
        // The slit the line is pinched in.
        c.p.save();
        c.p.setClipPath(b);
        QPainterPath slit;
        slit.moveTo(pt - d * r);
        slit.lineTo(pt + d * r);
        c.p.strokePath(slit, pen(outlineOf(pal::lead), c.px(1.3)));
        c.p.restore();
        c.p.fillPath(ellipse(pt + QPointF(-r * 0.4, -r * 0.42), r * 0.28, r * 0.2),
                     alpha(Qt::white, 0.7));
    }
}

void drawCanna(Ctx &c)
{
    QPainterPath rod;
    rod.moveTo(4, 36.5);
    rod.cubicTo(17, 25, 29, 11, 37.5, 8);

    // Line from the tip, hanging down.
    const QPointF tipPt = rod.pointAtPercent(1);
    QPainterPath ln;
    ln.moveTo(tipPt);
    ln.cubicTo(tipPt + QPointF(0.3, 8), tipPt + QPointF(-1, 20), tipPt + QPointF(-0.5, 29));
    c.p.strokePath(ln, pen(pal::line, c.px(1)));

    const QPainterPath blank_ = taper(rod, 0.33, 1, 3.5, 1.5, false, true);
    shape(c, blank_, lit(blank_.boundingRect(), pal::blank, 0.3, 0.15), pal::blank);

    // Guides on the underside.
    for (qreal t : {0.48, 0.64, 0.78, 0.9}) {
        const QPointF pt = rod.pointAtPercent(t);
        const QPointF n = unitNormal(rod, t);
        const qreal rr = 1.35 - (t - 0.48) * 0.9;
        const QPointF gc = pt + n * (rr + 1.2);
        c.p.strokePath(circle(gc, rr), pen(outlineOf(pal::steel), c.px(0.9)));
        QPainterPath foot;
        foot.moveTo(pt);
        foot.lineTo(gc - n * rr);
        c.p.strokePath(foot, pen(outlineOf(pal::steel), c.px(0.9)));
    }

    const QPainterPath seat = taper(rod, 0.24, 0.34, 4, 3.6, false, false, 8);
    shape(c, seat, lit(seat.boundingRect(), pal::steel, 0.4, 0.2), pal::steel);
    const QPainterPath handle = taper(rod, 0.015, 0.245, 5, 4.6, true, false, 24);
    shape(c, handle, lit(handle.boundingRect(), pal::cork, 0.3, 0.15), pal::cork);
    // Cork rings.
    c.p.save();
    c.p.setClipPath(handle);
    for (qreal t = 0.06; t < 0.24; t += 0.045) {
        const QPointF pt = rod.pointAtPercent(t);
        const QPointF n = unitNormal(rod, t);
        QPainterPath ring;
        ring.moveTo(pt + n * 3);
        ring.lineTo(pt - n * 3);
        c.p.strokePath(ring, pen(alpha(dark(pal::cork, 0.3), 0.6), c.px(0.7)));
    }
    c.p.restore();
    const QPainterPath butt = taper(rod, 0, 0.035, 5.2, 5.2, true, false, 6);
    shape(c, butt, lit(butt.boundingRect(), pal::reelBody, 0.2, 0.1), pal::reelBody);
}

void drawMulinello(Ctx &c)
{
    // Side view of a spinning reel hanging under the rod: foot on top,
    // spool with line towards the rod tip (left), crank on the right.
    const QPainterPath foot = roundRect(QRectF(9, 3, 22, 3.4), 1.7);
    QPainterPath stem;
    stem.moveTo(17.5, 5.5);
    stem.lineTo(22, 5.5);
    stem.cubicTo(23, 10, 25, 12, 27, 15);
    stem.lineTo(20, 17);
    stem.cubicTo(19.5, 12, 18.5, 9, 17.5, 5.5);
    stem.closeSubpath();
    shape(c, stem, lit(QRectF(17, 5, 10, 12), pal::reelBody, 0.4, 0.1), pal::reelBody);
    shape(c, foot, lit(QRectF(9, 3, 22, 3.4), pal::steel, 0.5, 0.2), pal::steel);

    // Crank arm and knob, behind the gearbox.
    QPainterPath arm;
    arm.moveTo(25.5, 23);
    arm.lineTo(34.5, 31);
    shape(c, strokeOf(arm, 2.6, Qt::RoundCap), metal(25, 36, pal::steel), pal::steel);
    QTransform kx;
    kx.translate(35, 31.5);
    kx.rotate(45);
    const QPainterPath knob = kx.map(roundRect(QRectF(-2, -4.2, 4, 8.4), 2));
    shape(c, knob, ball({34, 30}, 5, pal::gold, 0.5), pal::gold);

    // Gearbox.
    const QPointF hub(25.5, 23);
    const QPainterPath box = circle(hub, 8.5);
    shape(c, box, ball(hub, 8.5, pal::reelBody, 0.5), pal::reelBody);
    shape(c, circle(hub, 3.6), ball(hub, 3.6, pal::gold, 0.6), pal::gold, c.fine());
    c.p.fillPath(circle(hub, 1.2), dark(pal::gold, 0.5));

    // Rotor cup between gearbox and spool.
    const QPainterPath rotor = polygon({{18.5, 15.5}, {18.5, 30.5}, {13.5, 28.5}, {13.5, 17.5}});
    shape(c, rotor, lit(QRectF(13, 15, 6, 16), pal::reelBody, 0.45, 0.1), pal::reelBody);

    // Spool: line wound between two flanges.
    const QRectF wound(6.5, 15.5, 6, 14);
    const QColor mono(0xb9, 0xdc, 0x3c);
    QLinearGradient lineFill(0, wound.top(), 0, wound.bottom());
    lineFill.setColorAt(0, light(mono, 0.5));
    lineFill.setColorAt(0.35, mono);
    lineFill.setColorAt(1, dark(mono, 0.35));
    const QPainterPath woundPath = roundRect(wound, 1);
    shape(c, woundPath, lineFill, mono);
    c.p.save();
    c.p.setClipPath(woundPath);
    for (qreal x = 7.8; x < 12.5; x += 1.4) {
        QPainterPath turn;
        turn.moveTo(x, wound.top());
        turn.lineTo(x + 0.5, wound.bottom());
        c.p.strokePath(turn, pen(alpha(dark(mono, 0.5), 0.5), c.px(0.6)));
    }
    c.p.restore();
    for (const QRectF &fl : {QRectF(4, 14, 2.8, 17), QRectF(12.3, 14.5, 2.2, 16)})
        shape(c, roundRect(fl, 1.1), metal(fl.left(), fl.right()), pal::steel);

    // Bail wire arching over the spool.
    QPainterPath bail;
    bail.moveTo(16.5, 15.5);
    bail.cubicTo(13, 9.5, 5, 9.5, 3.5, 15);
    c.p.strokePath(bail, pen(outlineOf(pal::steel), c.px(2.3)));
    c.p.strokePath(bail, pen(light(pal::steel, 0.5), c.px(1.0)));
}

// ---------------------------------------------------------------- editor buttons (24 units)

void drawNew(Ctx &c)
{
    const qreal fold = 5.5;
    const QPainterPath page =
        polygon({{4.5, 1.5}, {19.5 - fold, 1.5}, {19.5, 1.5 + fold}, {19.5, 22}, {4.5, 22}});
    shape(c, page, lit(QRectF(4.5, 1.5, 15, 20.5), pal::paper, 0.0, 0.12), pal::mountain);
    const QPainterPath corner =
        polygon({{19.5 - fold, 1.5}, {19.5 - fold, 1.5 + fold}, {19.5, 1.5 + fold}});
    shape(c, corner, lit(corner.boundingRect(), QColor(0xd8, 0xe0, 0xe8), 0.3, 0.0), pal::mountain);
}

void drawOpen(Ctx &c)
{
    QPainterPath back;
    back.moveTo(2, 20);
    back.lineTo(2, 5);
    back.quadTo(2, 4, 3, 4);
    back.lineTo(8, 4);
    back.lineTo(10, 6);
    back.lineTo(19, 6);
    back.quadTo(20, 6, 20, 7);
    back.lineTo(20, 20);
    back.closeSubpath();
    shape(c, back, lit(back.boundingRect(), dark(pal::folder, 0.15), 0.1, 0.1), pal::folder);

    const QPainterPath sheet = polygon({{5, 17}, {5, 8}, {17.5, 8}, {17.5, 17}});
    shape(c, sheet, QBrush(pal::paper), pal::mountain, c.fine());

    const QPainterPath flap = polygon({{2, 20}, {5.5, 11}, {22.5, 11}, {19.5, 20}});
    shape(c, flap, lit(flap.boundingRect(), pal::folder, 0.45, 0.1), pal::folder);
}

void drawSave(Ctx &c)
{
    QPainterPath disk;
    disk.moveTo(3.5, 4.5);
    disk.quadTo(3.5, 2.5, 5.5, 2.5);
    disk.lineTo(18, 2.5);
    disk.lineTo(21.5, 6);
    disk.lineTo(21.5, 19.5);
    disk.quadTo(21.5, 21.5, 19.5, 21.5);
    disk.lineTo(5.5, 21.5);
    disk.quadTo(3.5, 21.5, 3.5, 19.5);
    disk.closeSubpath();
    shape(c, disk, lit(disk.boundingRect(), pal::floppy, 0.3, 0.2), pal::floppy);

    const QPainterPath shutter = roundRect(QRectF(7, 2.5, 10, 6.5), 0.8);
    shape(c, shutter, metal(7, 17), pal::steel, c.fine());
    c.p.fillRect(QRectF(13, 3.8, 2.2, 4), dark(pal::steel, 0.6));

    const QPainterPath label = roundRect(QRectF(6, 12, 13, 9.5), 0.8);
    shape(c, label, lit(QRectF(6, 12, 13, 9.5), pal::paper, 0.0, 0.08), pal::floppy, c.fine());
    for (qreal y : {15.0, 18.0}) {
        QPainterPath ln;
        ln.moveTo(8, y);
        ln.lineTo(17, y);
        c.p.strokePath(ln, pen(light(pal::red, 0.1), c.px(1)));
    }
}

void drawPhoto(Ctx &c) // 20 units
{
    const QRectF frame(1.5, 3, 17, 14);
    const QPainterPath outer = roundRect(frame, 1.5);
    shape(c, outer, lit(frame, pal::paper, 0.0, 0.1), pal::mountain);
    const QRectF pic = frame.adjusted(2, 2, -2, -2);
    QLinearGradient skyFill(0, pic.top(), 0, pic.bottom());
    skyFill.setColorAt(0, QColor(0x7f, 0xc6, 0xf2));
    skyFill.setColorAt(1, light(pal::sky, 0.5));
    c.p.save();
    c.p.setClipRect(pic);
    c.p.fillRect(pic, skyFill);
    c.p.fillPath(circle({13, 8}, 1.6), pal::yellow);
    const QPainterPath hill = polygon({{3, 15}, {8, 8.5}, {11.5, 12}, {13, 10.5}, {17.5, 15}});
    c.p.fillPath(hill, lit(hill.boundingRect(), pal::grass, 0.2, 0.3));
    c.p.restore();
    c.p.strokePath(roundRect(pic, 0.3), pen(outlineOf(pal::sky), c.fine()));
}

// ---------------------------------------------------------------- program icon (256 units)

void drawProgram(Ctx &c)
{
    const QPointF centre(128, 130);
    const qreal R = 112;
    const QPainterPath disc = circle(centre, R);
    const qreal waterY = 176;

    QPainterPath sea;
    sea.moveTo(0, waterY);
    for (int i = 0; i < 8; ++i) {
        const qreal x = i * 32;
        sea.quadTo(x + 8, waterY - 5, x + 16, waterY);
        sea.quadTo(x + 24, waterY + 5, x + 32, waterY);
    }
    sea.lineTo(256, 256);
    sea.lineTo(0, 256);
    sea.closeSubpath();

    c.p.save();
    c.p.setClipPath(disc);
    QLinearGradient skyFill(0, centre.y() - R, 0, waterY);
    skyFill.setColorAt(0, QColor(0x6c, 0xbc, 0xf0));
    skyFill.setColorAt(1, light(pal::sky, 0.65));
    c.p.fillPath(disc, skyFill);
    c.p.fillPath(circle({66, 72}, 22), ball({66, 72}, 22, pal::yellow, 0.6));
    QPainterPath shore;
    shore.moveTo(100, waterY + 2);
    shore.cubicTo(140, 160, 190, 150, 256, 150);
    shore.lineTo(256, waterY + 2);
    shore.closeSubpath();
    shape(c, shore, lit(shore.boundingRect(), pal::grass, 0.2, 0.2), pal::grass, c.fine());
    c.p.restore();

    // The fish leaping out; its tail is still below the surface and shows
    // through the water drawn over it.
    QTransform xf;
    xf.translate(100, 133);
    xf.rotate(-36);
    xf.scale(1.46, 1.46);
    c.p.save();
    c.p.setClipPath(disc);
    drawFish(c, xf, true, c.big());
    c.p.restore();

    c.p.save();
    c.p.setClipPath(disc);
    QLinearGradient seaFill(0, waterY, 0, centre.y() + R);
    seaFill.setColorAt(0, alpha(light(pal::water, 0.1), 0.82));
    seaFill.setColorAt(0.35, alpha(pal::water, 0.95));
    seaFill.setColorAt(1, pal::waterDeep);
    c.p.fillPath(sea, seaFill);
    c.p.strokePath(sea, pen(outlineOf(pal::water), c.fine()));
    const qreal waveW = c.px(std::max(1.0, c.size / 64.0));
    for (const auto &[x, y] :
         {std::pair{150.0, 198.0}, {196.0, 186.0}, {112.0, 222.0}, {170.0, 226.0}}) {
        if (!c.big())
            break;
        QPainterPath wave;
        wave.moveTo(x - 13, y);
        wave.quadTo(x - 6.5, y - 5, x, y);
        wave.quadTo(x + 6.5, y + 5, x + 13, y);
        c.p.strokePath(wave, pen(alpha(Qt::white, 0.6), waveW));
    }
    c.p.restore();
    c.p.strokePath(disc, pen(outlineOf(pal::water), c.line()));

    // Splash where the fish broke the surface.
    const QColor spray = light(pal::water, 0.8);
    const qreal sx = 46, wy = waterY;
    QPainterPath crown;
    crown.moveTo(sx - 24, wy + 4);
    crown.cubicTo(sx - 26, wy - 6, sx - 30, wy - 12, sx - 36, wy - 18);
    crown.cubicTo(sx - 26, wy - 15, sx - 19, wy - 10, sx - 15, wy - 3);
    crown.cubicTo(sx - 15, wy - 14, sx - 17, wy - 22, sx - 20, wy - 30);
    crown.cubicTo(sx - 11, wy - 22, sx - 6, wy - 14, sx - 4, wy - 5);
    crown.lineTo(sx + 10, wy - 3);
    crown.cubicTo(sx + 14, wy - 11, sx + 20, wy - 17, sx + 30, wy - 21);
    crown.cubicTo(sx + 25, wy - 14, sx + 24, wy - 8, sx + 25, wy + 3);
    crown.cubicTo(sx + 10, wy + 9, sx - 12, wy + 9, sx - 24, wy + 4);
    crown.closeSubpath();
    c.p.save();
    c.p.setClipPath(disc);
    shape(c, crown, lit(crown.boundingRect(), spray, 0.6, 0.05), pal::water, c.fine());
    c.p.restore();
    if (c.big()) {
        for (const auto &[pt, r] :
             {std::pair{QPointF(18, 150), 4.5}, {QPointF(28, 134), 3.5}, {QPointF(84, 160), 3.5}}) {
            shape(c, circle(pt, r), ball(pt, r, spray, 0.8), pal::water, c.fine());
        }
    }

    // The hook it is after, hanging on its line; heavier when small so it
    // stays a hook and not a grey smudge.
    if (c.big())
        drawHook(c, 194, 42, 108, 13, 9, true);
    else
        drawHook(c, 192, 40, 112, 17, c.px(c.size < 40 ? 1.7 : 2.2), false, 0.9, true);
}

// ---------------------------------------------------------------- output

struct Picture
{
    const char *file;
    int size;
    qreal design;
    void (*draw)(Ctx &);
};

const Picture pictures[] = {
    {"toolbar/amo.png", 40, 40, drawAmo},
    {"toolbar/esca.png", 40, 40, drawEsca},
    {"toolbar/galleggiante.png", 40, 40, drawGalleggiante},
    {"toolbar/luogo.png", 40, 40, drawLuogo},
    {"toolbar/pastura.png", 40, 40, drawPastura},
    {"toolbar/prespesci.png", 40, 40, drawPresPesci},
    {"toolbar/piombino.png", 40, 40, drawPiombino},
    {"toolbar/canna.png", 40, 40, drawCanna},
    {"toolbar/mulinello.png", 40, 40, drawMulinello},
    {"editor/new.png", 24, 24, drawNew},
    {"editor/open.png", 24, 24, drawOpen},
    {"editor/save.png", 24, 24, drawSave},
    {"editor/photo.png", 20, 20, drawPhoto},
    {"korvalisedit.png", 256, 256, drawProgram},
    {"korvalisedit-48.png", 48, 256, drawProgram},
    {"korvalisedit-32.png", 32, 256, drawProgram},
};

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: drawicons OUTDIR\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    int failures = 0;
    for (const Picture &pic : pictures) {
        const QString path = out.filePath(QString::fromLatin1(pic.file));
        QDir().mkpath(QFileInfo(path).absolutePath());
        const QImage img = withDepth(render(pic.size, pic.design, pic.draw))
                               .convertToFormat(QImage::Format_ARGB32);
        if (!img.save(path, "PNG", 9)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            ++failures;
        }
    }
    return failures ? 1 : 0;
}
