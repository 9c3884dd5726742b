#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class DesktopServices;

// What an archive holds, read from its listing before anything is unpacked.
struct ArchiveListing
{
    QStringList names;     // the entries as they will be named once unpacked
    qint64 totalBytes = 0; // unpacked size of all entries
};

// Puts double quotes around `str` and changes nothing inside it.
QString StrAddApici(const QString &str);

// Starts the Info-ZIP tools that pack and unpack item archives. The tools
// run as separate processes that are not waited for; failures are reported
// later through the bilingual message callback.
class ArchiveTools
{
public:
    using Messenger = std::function<void(const QString &msgI, const QString &msgE)>;

    // Entry names that are not UTF-8 come from Windows: `decodeName` gives
    // their name; without it such an archive is refused.
    using NameDecoder = std::function<QString(QByteArrayView)>;

    // An item is a few files of a few hundred KB: anything far larger is
    // refused before it can fill the disk.
    static constexpr qint64 kMaxUnpackedBytes = qint64(256) << 20;
    static constexpr int kMaxEntries = 10000;

    // The steps of an import the caller may take part in.
    struct ImportHooks
    {
        // Before anything is unpacked; false cancels the import.
        std::function<bool(const ArchiveListing &)> accept;
        // The files of the target (relative names) the archive would
        // replace with different bytes; false cancels with nothing changed.
        std::function<bool(const QStringList &)> confirmReplace;
        // After the merge: the files that replaced different ones.
        std::function<void(const QStringList &)> imported;
    };

    ArchiveTools(DesktopServices &desktop, QString appPath, Messenger showMessaggio,
                 NameDecoder decodeName = {});

    // `fileIn` is a list of quoted names joined by blanks (StrAddApici). The
    // archive is made from `fileDir`, which becomes the current directory.
    void Zip(const QString &fileZip, const QString &fileDir, const QString &fileIn);
    void UnZip(const QString &fileZip, const QString &exPath, const ImportHooks &hooks = {});

    // Reads the archive's listing and checks it against the limits and the
    // free space of `exPath`; says why and answers nothing when refused.
    std::optional<ArchiveListing> listArchive(const QString &fileZip, const QString &exPath);

    // The parameter strings as the game's Windows tools were given them;
    // kept for display and tests, the tools get argument vectors.
    static QString zipParameters(const QString &fileZip, const QString &fileIn);
    static QString unzipParameters(const QString &fileZip, const QString &exPath);

    // Splits a list of quoted names back into names (quotes only group).
    static QStringList splitQuotedList(const QString &fileIn);

    // Where a tool is taken from: the start-up directory first, then PATH.
    // Empty when found nowhere.
    QString toolPath(const QString &baseName) const;

private:
    DesktopServices &m_desktop;
    QString m_appPath;
    Messenger m_showMessaggio;
    NameDecoder m_decodeName;
};
