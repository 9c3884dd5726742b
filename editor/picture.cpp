#include "picture.h"

#include "filenames.h"
#include "kverror.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QSaveFile>
#include <QThread>
#include <QtEndian>

#include <cmath>

using namespace Qt::StringLiterals;

namespace Picture {

QString resolve(const QString &path)
{
    return FileNames::resolveCase(path);
}

namespace {

// Whether a picture decoded at `size` is big enough for `view`: a few
// pixels short are stretched without a visible blur.
bool covers(QSize size, QSize view)
{
    return size.width() * 32 >= view.width() * 31 && size.height() * 32 >= view.height() * 31;
}

// libjpeg reports a damaged stream (data ending early, corrupt segments)
// as a warning, through Qt's message handler, and fills the rest grey.
// Collects those warnings of this thread while it lives.
class DecoderWarnings
{
public:
    DecoderWarnings()
    {
        s_thread = QThread::currentThreadId();
        s_warnings = &m_warnings;
        s_previous = qInstallMessageHandler(collect);
    }
    ~DecoderWarnings()
    {
        qInstallMessageHandler(s_previous);
        s_warnings = nullptr;
    }
    DecoderWarnings(const DecoderWarnings &) = delete;
    DecoderWarnings &operator=(const DecoderWarnings &) = delete;
    const QStringList &warnings() const { return m_warnings; }

private:
    static void collect(QtMsgType type, const QMessageLogContext &context, const QString &text)
    {
        if (type == QtWarningMsg && s_warnings && QThread::currentThreadId() == s_thread)
            s_warnings->append(text);
        else if (s_previous)
            s_previous(type, context, text);
    }
    static inline QtMessageHandler s_previous = nullptr;
    static inline QStringList *s_warnings = nullptr;
    static inline Qt::HANDLE s_thread = nullptr;
    QStringList m_warnings;
};

// Why an uncompressed BMP cannot hold all its pixels, or empty. Qt's reader
// paints the rows past the end of the file grey without a word.
QString bmpShortfall(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QString();
    const QByteArray h = f.read(34);
    if (h.size() < 26)
        return QString();
    const auto *d = reinterpret_cast<const uchar *>(h.constData());
    const qint64 offset = qFromLittleEndian<quint32>(d + 10);
    qint64 width = 0;
    qint64 height = 0;
    qint64 bits = 0;
    quint32 compression = 0;
    if (qFromLittleEndian<quint32>(d + 14) == 12) { // OS/2 header
        width = qFromLittleEndian<quint16>(d + 18);
        height = qFromLittleEndian<quint16>(d + 20);
        bits = qFromLittleEndian<quint16>(d + 24);
    } else if (h.size() == 34) {
        width = qFromLittleEndian<qint32>(d + 18);
        height = std::abs(qint64(qFromLittleEndian<qint32>(d + 22)));
        bits = qFromLittleEndian<quint16>(d + 28);
        compression = qFromLittleEndian<quint32>(d + 30);
    }
    // Compressed pixels have no size to compare; absurd sizes the reader
    // has already refused.
    constexpr quint32 kRgb = 0;
    constexpr quint32 kBitFields = 3;
    if ((compression != kRgb && compression != kBitFields) || width <= 0 || width > 65535
        || height > 65535 || bits <= 0 || bits > 32)
        return QString();
    const qint64 needed = offset + (width * bits + 31) / 32 * 4 * height;
    if (f.size() >= needed)
        return QString();
    return u"the pixel data ends at byte %1, the file at byte %2"_s.arg(needed).arg(f.size());
}

} // namespace

QImage load(const QString &path, QSize viewSize)
{
    const QFileInfo fi(path);
    if (fi.fileName().isEmpty() || fi.isDir())
        throw KvError(u"No picture file is named (\"%1\")."_s.arg(path));
    if (!fi.exists())
        throw KvError(u"Picture \"%1\" not found."_s.arg(path));

    QImageReader reader(path);
    reader.setAutoTransform(false);
    const QByteArray format = reader.format();
    if (format == "jpeg" && viewSize.isValid()) {
        // libjpeg decodes 1/2, 1/4 and 1/8 directly, rounding sizes up: the
        // smallest of them that still covers the view, so nothing is
        // stretched up. Asking for exactly that size spares Qt a second
        // scaling pass.
        const QSize full = reader.size();
        for (int k : {8, 4, 2}) {
            const QSize scaled((full.width() + k - 1) / k, (full.height() + k - 1) / k);
            if (covers(scaled, viewSize)) {
                reader.setScaledSize(scaled);
                break;
            }
        }
    }
    QImage image;
    QStringList warnings;
    {
        const DecoderWarnings decoder;
        image = reader.read();
        warnings = decoder.warnings();
    }
    if (image.isNull())
        throw KvError(u"Cannot load picture \"%1\": %2."_s.arg(path, reader.errorString()));
    const QString damage = format == "bmp" ? bmpShortfall(path) : warnings.join(u"; "_s);
    if (!damage.isEmpty())
        throw Damaged(path, damage);
    // A picture larger than its view is shrunk here, once and averaging
    // every pixel, rather than sampled by the view at every paint.
    if (viewSize.isValid()
        && (image.width() > viewSize.width() || image.height() > viewSize.height()))
        image = image.scaled(viewSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return image;
}

namespace {
// True when both files can be read and hold the same bytes. Reading both is
// far cheaper than a durable rewrite of the target.
bool sameContent(const QFileInfo &a, const QFileInfo &b)
{
    if (!a.isFile() || !b.isFile() || a.size() != b.size())
        return false;
    QFile fa(a.filePath());
    QFile fb(b.filePath());
    if (!fa.open(QIODevice::ReadOnly) || !fb.open(QIODevice::ReadOnly))
        return false;
    constexpr qint64 chunk = qint64(64) * 1024;
    for (;;) {
        const QByteArray ca = fa.read(chunk);
        const QByteArray cb = fb.read(chunk);
        if (ca != cb || fa.error() != QFileDevice::NoError || fb.error() != QFileDevice::NoError)
            return false;
        if (ca.isEmpty())
            return true;
    }
}
} // namespace

bool copyTo(const QString &source, const QString &target, QString *error)
{
    const QFileInfo src(source);
    const QFileInfo dst(target);
    if (src.exists() && dst.exists() && src.canonicalFilePath() == dst.canonicalFilePath())
        return true; // copying a file onto itself would truncate it
    // The picture is already there, as when an item is saved again.
    if (sameContent(src, dst))
        return true;

    QFile in(source);
    if (!in.open(QIODevice::ReadOnly)) {
        if (error)
            *error = in.errorString();
        return false;
    }
    QSaveFile out(target);
    if (!out.open(QIODevice::WriteOnly)) {
        if (error)
            *error = out.errorString();
        return false;
    }
    char buffer[64 * 1024];
    for (;;) {
        const qint64 n = in.read(buffer, sizeof buffer);
        if (n < 0 || (n > 0 && out.write(buffer, n) != n)) {
            if (error)
                *error = n < 0 ? in.errorString() : out.errorString();
            out.cancelWriting();
            return false;
        }
        if (n == 0)
            break;
    }
    if (!out.commit()) {
        if (error)
            *error = out.errorString();
        return false;
    }
    return true;
}

} // namespace Picture
