#pragma once

#include <QSaveFile>
#include <QString>

#include <memory>

class DesktopServices;

// Writes one annotated item file line by line, in the caller's order.
// Output is Windows-1252 with CR LF line ends and no escaping. It goes to a
// temporary file beside the target, which replaces the target only when
// Close completes, so a failed save leaves an existing file as it was.
class TIniFileWriter
{
public:
    explicit TIniFileWriter(DesktopServices &desktop);
    ~TIniFileWriter();
    TIniFileWriter(const TIniFileWriter &) = delete;
    TIniFileWriter &operator=(const TIniFileWriter &) = delete;

    // On failure shows "Error writing file." and stays unopened; the first
    // later write then throws.
    void Crea(const QString &fileName);
    // Writes into memory instead: the very bytes a file would get.
    void CreaInMemory();
    const QByteArray &memoryBytes() const { return m_memory; }
    // Throws KvError when the file cannot be completed.
    void Close();

    // Each throws KvError when the write fails or the writer is not open.
    void AddComment(const QString &comm);
    void AddTitle(const QString &title);
    void AddNewComment(const QString &comm);
    void AddBlankLine();
    void AddSection(const QString &sect);
    void AddStringKey(const QString &key, const QString &value);
    void AddIntegerKey(const QString &key, qint32 value);

    bool isOpen() const { return m_file != nullptr || m_inMemory; }

private:
    void writeLine(const QString &line);
    QString notOpenText() const;
    QString writeErrorText(const QString &reason) const;

    DesktopServices &m_desktop;
    QString m_fileName;
    QString m_openError;               // the system's reason when Crea could not open
    std::unique_ptr<QSaveFile> m_file; // iniFile
    bool m_inMemory = false;
    QByteArray m_memory;
};
