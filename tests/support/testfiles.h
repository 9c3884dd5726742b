#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// Whole-file helpers for tests that compare bytes.
namespace TestFiles {

inline QByteArray read(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return "<unreadable>";
    return f.readAll();
}

inline bool write(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

// Every entry of a folder, hidden ones included: a test sees leftovers.
inline QStringList entries(const QString &dir)
{
    return QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::System
                               | QDir::NoDotAndDotDot);
}

// A file of known bytes alone in a temporary folder: failure tests check it
// is left exactly as it was, with nothing beside it.
class ExistingFile
{
public:
    ExistingFile(QString name, QByteArray bytes)
        : m_name(std::move(name))
        , m_bytes(std::move(bytes))
    {
        m_ok = m_dir.isValid() && write(path(), m_bytes);
    }
    bool ok() const { return m_ok; }
    QString folder() const { return m_dir.path(); }
    QString path() const { return m_dir.filePath(m_name); }
    const QString &name() const { return m_name; }
    const QByteArray &bytes() const { return m_bytes; }

private:
    QTemporaryDir m_dir;
    QString m_name;
    QByteArray m_bytes;
    bool m_ok = false;
};

} // namespace TestFiles
