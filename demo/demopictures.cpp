#include "demopictures.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

using namespace Qt::StringLiterals;

namespace DemoPictures {

namespace {
QImage canvas(int w, int h, QColor background)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(background);
    return image;
}
} // namespace

QImage hook()
{
    QImage image = canvas(100, 100, QColor(250, 248, 240));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(110, 90, 60), 5, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(62, 14), 6, 6); // eye
    QPainterPath path(QPointF(62, 20));
    path.lineTo(62, 62);                                             // shank
    path.cubicTo(QPointF(62, 92), QPointF(24, 92), QPointF(26, 60)); // bend
    p.drawPath(path);
    p.drawLine(QPointF(26, 60), QPointF(34, 68)); // barb
    return image;
}

QImage tackle(const QString &what, QColor colour, QSize size)
{
    QImage image = canvas(size.width(), size.height(), QColor(245, 245, 245));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    // Drawn on 100x100, stretched to the size the editor's frame states.
    p.scale(size.width() / 100.0, size.height() / 100.0);
    p.setPen(QPen(colour.darker(160), 3));
    p.setBrush(colour);
    if (what == u"rod"_s) {
        p.drawLine(QPointF(10, 90), QPointF(92, 8));
        p.drawEllipse(QPointF(24, 76), 6, 6);
    } else if (what == u"reel"_s) {
        p.drawEllipse(QPointF(50, 50), 32, 32);
        p.setBrush(colour.lighter(150));
        p.drawEllipse(QPointF(50, 50), 12, 12);
        p.drawLine(QPointF(50, 50), QPointF(86, 30));
    } else if (what == u"sinker"_s) {
        p.drawEllipse(QPointF(50, 56), 22, 22);
        p.drawLine(QPointF(50, 12), QPointF(50, 34));
    } else if (what == u"float"_s) {
        p.drawEllipse(QRectF(38, 30, 24, 46));
        p.drawLine(QPointF(50, 6), QPointF(50, 30));
        p.drawLine(QPointF(50, 76), QPointF(50, 96));
    } else { // bait: a worm
        QPainterPath worm(QPointF(12, 60));
        worm.cubicTo(QPointF(30, 20), QPointF(50, 90), QPointF(68, 48));
        worm.cubicTo(QPointF(76, 30), QPointF(88, 40), QPointF(90, 52));
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(colour, 10, Qt::SolidLine, Qt::RoundCap));
        p.drawPath(worm);
    }
    return image;
}

QImage floatSprite()
{
    // The game keys out pure magenta around the sprite.
    QImage image = canvas(15, 45, QColor(255, 0, 255));
    QPainter p(&image);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(230, 40, 30));
    p.drawRect(5, 2, 5, 14);
    p.setBrush(QColor(250, 250, 250));
    p.drawEllipse(QRect(3, 16, 9, 22));
    return image;
}

QImage venue()
{
    // Seen from the bank: a strip of sky and far shore, then the water the
    // fishing area is drawn over.
    QImage image(1024, 768, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, 90);
    sky.setColorAt(0, QColor(150, 190, 235));
    sky.setColorAt(1, QColor(215, 230, 245));
    p.fillRect(0, 0, 1024, 90, sky);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(60, 105, 55)); // far shore with trees
    QPainterPath shore(QPointF(0, 90));
    for (int x = 0; x <= 1024; x += 64)
        shore.quadTo(QPointF(x + 32, 52 + (x / 64 % 3) * 10), QPointF(x + 64, 90));
    shore.lineTo(1024, 112);
    shore.lineTo(0, 112);
    p.drawPath(shore);
    QLinearGradient water(0, 112, 0, 768);
    water.setColorAt(0, QColor(60, 95, 80));
    water.setColorAt(0.5, QColor(35, 70, 75));
    water.setColorAt(1, QColor(20, 45, 55));
    p.fillRect(0, 112, 1024, 656, water);
    p.setPen(QPen(QColor(120, 160, 150, 110), 2));
    for (int y = 140; y < 768; y += 37)
        p.drawLine(QPointF((y * 7) % 700, y), QPointF((y * 7) % 700 + 220, y));
    return image;
}

} // namespace DemoPictures
