#include "regularfile.h"

#include <QFile>
#include <QFileInfo>

#include <QDir>

#include <algorithm>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {
FileRead failed(FileRead::Status status, QString reason = {})
{
    FileRead r;
    r.status = status;
    r.reason = std::move(reason);
    return r;
}
// Reads an open file through `readSome(buffer, max, reason)`, which
// answers the bytes read, 0 at its end, or -1 with the reason. The file may
// grow while read: never more than `limit` is taken.
template<typename ReadSome>
FileRead readBounded(qint64 size, qint64 limit, ReadSome readSome)
{
    FileRead r;
    r.bytes.resize(qsizetype(size) + 1);
    qsizetype got = 0;
    while (got < r.bytes.size()) {
        QString reason;
        const qint64 n = readSome(r.bytes.data() + got, r.bytes.size() - got, reason);
        if (n < 0)
            return failed(FileRead::Status::Unreadable, reason);
        if (n == 0)
            break;
        got += qsizetype(n);
        if (got == r.bytes.size() && got <= limit)
            r.bytes.resize(std::min<qsizetype>(limit + 1, got * 2));
    }
    if (got > limit)
        return failed(FileRead::Status::TooLarge);
    r.bytes.truncate(got);
    return r;
}

} // namespace

#ifndef Q_OS_WIN

FileRead readRegularFile(const QString &path, qint64 limit)
{
    // O_NONBLOCK: opening a FIFO must not wait for a writer; the type is
    // checked on the open descriptor, so nothing can be swapped in between.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        const int err = errno;
        if (err == ENOENT || err == ENOTDIR)
            return failed(FileRead::Status::Missing, QString::fromLocal8Bit(std::strerror(err)));
        return failed(FileRead::Status::Unreadable, QString::fromLocal8Bit(std::strerror(err)));
    }
    struct Closer
    {
        int fd;
        ~Closer() { ::close(fd); }
    } closer{fd};
    struct stat st
    {};
    if (::fstat(fd, &st) != 0)
        return failed(FileRead::Status::Unreadable, QString::fromLocal8Bit(std::strerror(errno)));
    if (!S_ISREG(st.st_mode))
        return failed(FileRead::Status::NotRegular);
    if (st.st_size > limit)
        return failed(FileRead::Status::TooLarge);
    // Regular files never block; clear the flag anyway for odd file systems.
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return readBounded(st.st_size, limit, [fd](char *buffer, qsizetype max, QString &reason) {
        ssize_t n = 0;
        do
            n = ::read(fd, buffer, size_t(max));
        while (n < 0 && errno == EINTR);
        if (n < 0)
            reason = QString::fromLocal8Bit(std::strerror(errno));
        return qint64(n);
    });
}

bool isRegularFile(const QString &path)
{
    struct stat st
    {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 && S_ISREG(st.st_mode);
}

bool listFolder(const QString &path, std::vector<FolderEntry> &entries, QString &reason)
{
    DIR *dir = ::opendir(QFile::encodeName(path).constData());
    if (!dir) {
        reason = QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    errno = 0;
    while (const dirent *e = ::readdir(dir)) {
        const QByteArray name(e->d_name);
        if (name != "." && name != "..") {
            // Relative to the open folder, so a long path still works.
            struct stat st
            {};
            const bool folder = ::fstatat(::dirfd(dir), e->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0
                                && S_ISDIR(st.st_mode);
            entries.push_back(FolderEntry{name, folder});
        }
        errno = 0;
    }
    const int err = errno;
    ::closedir(dir);
    if (err != 0) {
        reason = QString::fromLocal8Bit(std::strerror(err));
        return false;
    }
    std::sort(entries.begin(), entries.end(),
              [](const FolderEntry &a, const FolderEntry &b) { return a.name < b.name; });
    return true;
}

#else

namespace {

// The path as the wide Win32 calls take it: absolute, with the \\?\ prefix,
// so that no length limit applies and a name such as NUL is a file in its
// folder, never the device.
std::wstring longPath(const QString &path)
{
    // A device path (\\.\NUL) or one already prefixed stays as given.
    if (path.startsWith(u"\\\\") || path.startsWith(u"//"))
        if (path.size() > 3 && (path[2] == u'.' || path[2] == u'?')
            && (path[3] == u'\\' || path[3] == u'/'))
            return QDir::toNativeSeparators(path).toStdWString();
    QString native = QDir::toNativeSeparators(QDir::cleanPath(QFileInfo(path).absoluteFilePath()));
    if (native.startsWith(u"\\\\"))
        native = u"\\\\?\\UNC\\" + native.mid(2);
    else
        native = u"\\\\?\\" + native;
    return native.toStdWString();
}

bool isMissingError(DWORD err)
{
    return err == ERROR_FILE_NOT_FOUND || err == ERROR_PATH_NOT_FOUND || err == ERROR_INVALID_NAME
           || err == ERROR_BAD_NETPATH;
}

} // namespace

FileRead readRegularFile(const QString &path, qint64 limit)
{
    // Folders open too (backup semantics), so that they are told apart from
    // files that cannot be read; the type is checked on the open handle.
    const HANDLE h = CreateFileW(longPath(path).c_str(), GENERIC_READ,
                                 FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                 OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        const DWORD err = GetLastError();
        return failed(isMissingError(err) ? FileRead::Status::Missing
                                          : FileRead::Status::Unreadable,
                      qt_error_string(int(err)));
    }
    struct Closer
    {
        HANDLE h;
        ~Closer() { CloseHandle(h); }
    } closer{h};
    BY_HANDLE_FILE_INFORMATION info{};
    if (GetFileType(h) != FILE_TYPE_DISK || !GetFileInformationByHandle(h, &info)
        || (info.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)))
        return failed(FileRead::Status::NotRegular);
    const qint64 size = (qint64(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
    if (size > limit)
        return failed(FileRead::Status::TooLarge);
    return readBounded(size, limit, [h](char *buffer, qsizetype max, QString &reason) {
        DWORD n = 0;
        if (!ReadFile(h, buffer, DWORD(std::min<qsizetype>(max, 1 << 20)), &n, nullptr)) {
            reason = qt_error_string(int(GetLastError()));
            return qint64(-1);
        }
        return qint64(n);
    });
}

bool isRegularFile(const QString &path)
{
    WIN32_FILE_ATTRIBUTE_DATA data{};
    return GetFileAttributesExW(longPath(path).c_str(), GetFileExInfoStandard, &data)
           && !(data.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE));
}

bool listFolder(const QString &path, std::vector<FolderEntry> &entries, QString &reason)
{
    WIN32_FIND_DATAW fd{};
    const std::wstring pattern = longPath(path) + L"\\*";
    const HANDLE h = FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &fd, FindExSearchNameMatch,
                                      nullptr, FIND_FIRST_EX_LARGE_FETCH);
    if (h == INVALID_HANDLE_VALUE) {
        const DWORD err = GetLastError();
        if (err == ERROR_FILE_NOT_FOUND)
            return true; // a drive's empty root has not even "." and ".."
        reason = qt_error_string(int(err));
        return false;
    }
    DWORD err = ERROR_NO_MORE_FILES;
    do {
        const QString name = QString::fromWCharArray(fd.cFileName);
        if (name != u"." && name != u"..")
            entries.push_back(FolderEntry{
                name.toUtf8(), (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                                   && !(fd.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)});
        if (!FindNextFileW(h, &fd))
            err = GetLastError();
        else
            err = ERROR_SUCCESS;
    } while (err == ERROR_SUCCESS);
    FindClose(h);
    if (err != ERROR_NO_MORE_FILES) {
        reason = qt_error_string(int(err));
        return false;
    }
    std::sort(entries.begin(), entries.end(),
              [](const FolderEntry &a, const FolderEntry &b) { return a.name < b.name; });
    return true;
}

#endif
