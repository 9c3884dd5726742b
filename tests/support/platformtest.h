#pragma once

#include <QDir>
#include <QFile>
#include <QString>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <sys/stat.h>
#endif

// What the tests make differs where the platforms do.
namespace PlatformTest {

// An entry of a folder that is no regular file. A FIFO blocks a plain
// open; Windows has none in its file system, so there it is a folder.
inline bool makeNonRegular(const QString &path)
{
#ifdef Q_OS_WIN
    return QDir().mkdir(path);
#else
    return ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0;
#endif
}

// A device any process may open for reading.
inline QString device()
{
#ifdef Q_OS_WIN
    return QStringLiteral("//./NUL");
#else
    return QStringLiteral("/dev/zero");
#endif
}

// The file system's identity of a file: a file replaced by a rename gets
// a new one. 0 when it is missing.
inline quint64 fileId(const QString &path)
{
#ifdef Q_OS_WIN
    const HANDLE h =
        CreateFileW(reinterpret_cast<const wchar_t *>(QDir::toNativeSeparators(path).utf16()), 0,
                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                    FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return 0;
    BY_HANDLE_FILE_INFORMATION info{};
    const bool ok = GetFileInformationByHandle(h, &info);
    CloseHandle(h);
    return ok ? (quint64(info.nFileIndexHigh) << 32) | info.nFileIndexLow : 0;
#else
    struct stat st
    {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? quint64(st.st_ino) : 0;
#endif
}

} // namespace PlatformTest
