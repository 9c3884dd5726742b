#include "regularfile.h"

#include <QFile>
#include <QFileInfo>

#ifndef Q_OS_WIN
#include <cerrno>
#include <cstring>
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
    FileRead r;
    // The file may grow while read: never take more than the limit.
    r.bytes.resize(qsizetype(st.st_size) + 1);
    qsizetype got = 0;
    while (got < r.bytes.size()) {
        const ssize_t n = ::read(fd, r.bytes.data() + got, size_t(r.bytes.size() - got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return failed(FileRead::Status::Unreadable,
                          QString::fromLocal8Bit(std::strerror(errno)));
        if (n == 0)
            break;
        got += n;
        if (got == r.bytes.size() && got <= limit)
            r.bytes.resize(std::min<qsizetype>(limit + 1, got * 2));
    }
    if (got > limit)
        return failed(FileRead::Status::TooLarge);
    r.bytes.truncate(got);
    return r;
}

bool isRegularFile(const QString &path)
{
    struct stat st
    {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 && S_ISREG(st.st_mode);
}

#else

FileRead readRegularFile(const QString &path, qint64 limit)
{
    const QFileInfo info(path);
    if (!info.exists())
        return failed(FileRead::Status::Missing);
    if (!info.isFile())
        return failed(FileRead::Status::NotRegular);
    if (info.size() > limit)
        return failed(FileRead::Status::TooLarge);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return failed(FileRead::Status::Unreadable, file.errorString());
    FileRead r;
    r.bytes = file.read(limit + 1);
    if (file.error() != QFileDevice::NoError)
        return failed(FileRead::Status::Unreadable, file.errorString());
    if (r.bytes.size() > limit)
        return failed(FileRead::Status::TooLarge);
    return r;
}

bool isRegularFile(const QString &path)
{
    return QFileInfo(path).isFile();
}

#endif
