#pragma once

#include <QImage>

// Pictures of the demo items, drawn by the program so the demo needs no
// files from elsewhere.
namespace DemoPictures {

QImage hook();
// A tackle item's photo: a simple drawing of `what` ("bait", "rod", ...).
QImage tackle(const QString &what, QColor colour, QSize size = QSize(100, 100));
// The float's sprite of 15x45 as the game draws it on the water.
QImage floatSprite();
// A venue photo of 1024x768: sky, far shore, water.
QImage venue();

} // namespace DemoPictures
