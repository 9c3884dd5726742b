#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class DesktopServices;

// Puts double quotes around `str` and changes nothing inside it.
QString StrAddApici(const QString &str);

// Starts the Info-ZIP tools that pack and unpack item archives. The tools
// run as separate processes that are not waited for; failures are reported
// later through the bilingual message callback.
class ArchiveTools
{
public:
    using Messenger = std::function<void(const QString &msgI, const QString &msgE)>;

    ArchiveTools(DesktopServices &desktop, QString appPath, Messenger showMessaggio);

    // `fileIn` is a list of quoted names joined by blanks (StrAddApici). The
    // archive is made from `fileDir`, which becomes the current directory.
    void Zip(const QString &fileZip, const QString &fileDir, const QString &fileIn);
    void UnZip(const QString &fileZip, const QString &exPath);

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
};
