#include "ansicodepage.h"

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace AnsiCodePage {

#ifdef Q_OS_WIN

std::optional<unsigned> foreignPage()
{
    static const unsigned page = GetACP();
    return page == 1252 ? std::nullopt : std::optional<unsigned>(page);
}

QByteArray encode(QStringView text, unsigned page)
{
    if (text.isEmpty())
        return {};
    const auto *src = reinterpret_cast<const wchar_t *>(text.utf16());
    const int n = int(text.size());
    const int size =
        WideCharToMultiByte(page, WC_NO_BEST_FIT_CHARS, src, n, nullptr, 0, "?", nullptr);
    QByteArray out(size, Qt::Uninitialized);
    WideCharToMultiByte(page, WC_NO_BEST_FIT_CHARS, src, n, out.data(), size, "?", nullptr);
    return out;
}

QString decode(QByteArrayView bytes, unsigned page)
{
    if (bytes.isEmpty())
        return {};
    const int n = int(bytes.size());
    const int size = MultiByteToWideChar(page, 0, bytes.data(), n, nullptr, 0);
    QString out(size, Qt::Uninitialized);
    MultiByteToWideChar(page, 0, bytes.data(), n, reinterpret_cast<wchar_t *>(out.data()), size);
    return out;
}

#else

// Only Windows has another ANSI page; the conversions below are never
// asked for here.
std::optional<unsigned> foreignPage()
{
    return std::nullopt;
}

QByteArray encode(QStringView text, unsigned)
{
    return text.toLatin1();
}

QString decode(QByteArrayView bytes, unsigned)
{
    return QString::fromLatin1(bytes);
}

#endif

} // namespace AnsiCodePage
