#pragma once

#include <QByteArray>
#include <QString>

#include <vector>

// Files named by what a stranger's item says are read through here: only a
// regular file is opened (a FIFO or device would block or never end), and
// never more than a limit.
struct FileRead
{
    enum class Status { Ok, Missing, NotRegular, TooLarge, Unreadable };
    Status status = Status::Ok;
    QByteArray bytes;
    QString reason; // the system's reason when Unreadable

    bool ok() const { return status == Status::Ok; }
};

// The size limit of item files, presence lists and the settings file.
inline constexpr qint64 kIniFileLimit = qint64(1) << 20;

// Reads all of the regular file `path` when it holds at most `limit` bytes.
FileRead readRegularFile(const QString &path, qint64 limit);

// True when `path` names a regular file (following links).
bool isRegularFile(const QString &path);

// One entry of a folder, named as the file system holds it: bytes off
// Windows (not always UTF-8), UTF-8 on Windows.
struct FolderEntry
{
    QByteArray name;
    bool folder = false; // a folder itself, not a link to one
};

// The entries of the folder `path` in name order, without "." and "..";
// false with the system's reason when it cannot be listed (no permission,
// a path past the system's limit...), which never passes for an empty one.
bool listFolder(const QString &path, std::vector<FolderEntry> &entries, QString &reason);
