#include "codepage.h"

#include "ansicodepage.h"

#include <array>

namespace CodePage {

namespace {

// The 0x80-0x9F block of Windows-1252. The five bytes the page leaves
// unassigned (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 control of the
// same value, so every byte survives a decode/encode round trip.
constexpr std::array<char16_t, 32> kHighBlock = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

char encodeOne(char16_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return char(c);
    for (std::size_t i = 0; i < kHighBlock.size(); ++i) {
        if (kHighBlock[i] == c)
            return char(0x80 + i);
    }
    return '?';
}

} // namespace

QByteArray toWindows1252(QStringView text)
{
    if (const std::optional<unsigned> page = AnsiCodePage::foreignPage())
        return AnsiCodePage::encode(text, *page);
    QByteArray out;
    out.reserve(text.size());
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = text[i].unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < n
            && QChar::isLowSurrogate(text[i + 1].unicode())) {
            // One character outside the BMP: one replacement, not two.
            out.append('?');
            ++i;
            continue;
        }
        out.append(encodeOne(c));
    }
    return out;
}

QString fromWindows1252(QByteArrayView bytes)
{
    if (const std::optional<unsigned> page = AnsiCodePage::foreignPage())
        return AnsiCodePage::decode(bytes, *page);
    QString out(bytes.size(), Qt::Uninitialized);
    QChar *dst = out.data();
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        dst[i] = (b >= 0x80 && b < 0xA0) ? QChar(kHighBlock[b - 0x80]) : QChar(char16_t(b));
    }
    return out;
}

} // namespace CodePage
