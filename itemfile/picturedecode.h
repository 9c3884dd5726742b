#pragma once

#include "filenames.h"

#include <QByteArray>
#include <QSize>
#include <QString>

// What decoding a picture's bytes tells: the format its content has, its
// size in pixels, and why it is damaged (empty when it is whole).
struct DecodedPicture
{
    FileNames::PictureFormat format = FileNames::PictureFormat::None;
    QSize size;
    QString damage;
};

// Decodes all of `bytes`: only decoding every coded block tells a truncated
// JPEG, which the decoder fills up with grey, from a whole one. A BMP's
// pixel data must lie inside the file, as its reader silently stops at the
// end.
DecodedPicture decodePicture(const QByteArray &bytes);
