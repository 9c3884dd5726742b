#include "picturedecode.h"

#include <QBuffer>
#include <QImage>
#include <QImageReader>
#include <QtEndian>

using namespace Qt::StringLiterals;

namespace {

// The image readers tell damage through the message log only; while one
// decodes, their messages are collected here instead of printed.
QStringList *g_decoderMessages = nullptr;
QtMessageHandler g_previousHandler = nullptr;

void collectDecoderMessages(QtMsgType type, const QMessageLogContext &context,
                            const QString &message)
{
    if (g_decoderMessages && context.category
        && QByteArrayView(context.category).startsWith("qt.gui.imageio")) {
        g_decoderMessages->append(message);
        return;
    }
    g_previousHandler(type, context, message);
}

quint32 le32(const QByteArray &b, qsizetype at)
{
    return qFromLittleEndian<quint32>(b.constData() + at);
}

quint16 le16(const QByteArray &b, qsizetype at)
{
    return qFromLittleEndian<quint16>(b.constData() + at);
}

// Empty when the uncompressed pixel rows the headers describe fit in the
// file; compressed data has no fixed size to compare.
QString bmpShortfall(const QByteArray &b)
{
    const qint64 offset = le32(b, 10);
    const quint32 headerSize = le32(b, 14);
    qint64 width = 0;
    qint64 height = 0;
    qint64 bits = 0;
    if (headerSize == 12) {
        width = le16(b, 18);
        height = le16(b, 20);
        bits = le16(b, 24);
    } else {
        if (b.size() < 34)
            return u"its headers are cut short"_s;
        width = qAbs(qint64(qint32(le32(b, 18))));
        height = qAbs(qint64(qint32(le32(b, 22))));
        bits = le16(b, 28);
        const quint32 compression = le32(b, 30);
        if (compression != 0 && compression != 3 && compression != 6)
            return QString();
    }
    const qint64 rowBytes = (width * bits + 31) / 32 * 4;
    const qint64 available = b.size() - offset;
    if (available < 0 || (rowBytes > 0 && height > available / rowBytes))
        return u"its pixel data lies past the end of the file"_s;
    return QString();
}

} // namespace

DecodedPicture decodePicture(const QByteArray &bytes)
{
    DecodedPicture p;
    if (bytes.startsWith("\xFF\xD8\xFF"))
        p.format = FileNames::PictureFormat::Jpeg;
    else if (bytes.size() >= 26 && bytes.startsWith("BM"))
        p.format = FileNames::PictureFormat::Bmp;
    else
        return p;
    if (p.format == FileNames::PictureFormat::Bmp) {
        p.damage = bmpShortfall(bytes);
        if (!p.damage.isEmpty())
            return p;
    }
    QByteArray data = bytes;
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, p.format == FileNames::PictureFormat::Jpeg ? "jpeg" : "bmp");
    p.size = reader.size();
    // The JPEG decoder still reads every coded block at an eighth of the
    // size, so damage shows as it would in full, at a fraction of the cost.
    if (p.format == FileNames::PictureFormat::Jpeg && p.size.isValid())
        reader.setScaledSize(QSize(qMax(1, p.size.width() / 8), qMax(1, p.size.height() / 8)));
    QStringList messages;
    g_decoderMessages = &messages;
    g_previousHandler = qInstallMessageHandler(collectDecoderMessages);
    const QImage image = reader.read();
    qInstallMessageHandler(g_previousHandler);
    g_decoderMessages = nullptr;
    if (image.isNull())
        p.damage = reader.errorString();
    else if (!messages.isEmpty())
        p.damage = messages.first();
    if (!p.size.isValid())
        p.size = image.size();
    return p;
}
