#pragma once

#include "archivetools.h"
#include "regularfile.h"

#include <QString>

class DesktopServices;

// The services of the main window that every editor uses, without any
// widget: folder layout, UI language, bilingual messages, the shared open
// and save dialogs, and the archive tools.
class KorvalisShell
{
public:
    // `dataPath` is m_DataPath (no trailing separator), `appPath` the
    // start-up directory.
    KorvalisShell(DesktopServices &desktop, QString dataPath, QString appPath);

    DesktopServices &desktop() { return m_desktop; }

    const QString &dataPath() const { return m_DataPath; }
    const QString &appPath() const { return m_AppPath; }

    QString GetPathDatiKorvalis() const;
    QString GetPathDatiKorvalisEditor() const;
    QString settingsFilePath() const;
    QString gameSettingsFilePath() const;
    bool isGameInstalled() const;

    const QString &lingua() const { return m_lingua; }
    bool IsLinguaInglese() const { return m_lingua == QStringLiteral("E"); }
    // Reads the language from the settings file ("I" when missing).
    void readLanguage();
    // Writes the language and then adopts it; throws KvError naming the
    // settings file when it cannot be written (the language is unchanged).
    void saveLanguage(const QString &lingua);

    void ShowMessaggio(const QString &msgI, const QString &msgE);
    // The text of the UI language.
    QString inLingua(const QString &msgI, const QString &msgE) const
    {
        return IsLinguaInglese() ? msgE : msgI;
    }
    // Why the file `path` was not read (`read` not Ok), in the UI language.
    QString readRefusal(const QString &path, const FileRead &read) const;

    // The one open dialog and the one save dialog every editor shares. The
    // folder of the previous call stays when `initDir` is empty.
    bool OpenDialogExecute(const QString &filter, const QString &initDir);
    bool SaveDialogExecute(const QString &filter, const QString &initDir, const QString &defExt,
                           const QString &fileName);
    const QString &OpenDialogFileName() const { return m_openFileName; }
    const QString &SaveDialogFileName() const { return m_saveFileName; }

    void Zip(const QString &fileZip, const QString &fileDir, const QString &fileIn);
    void UnZip(const QString &fileZip, const QString &exPath,
               const ArchiveTools::ImportHooks &hooks = {});
    ArchiveTools &archiveTools() { return m_archive; }

private:
    DesktopServices &m_desktop;
    QString m_DataPath;
    QString m_AppPath;
    QString m_lingua = QStringLiteral("I");
    QString m_openDir;
    QString m_saveDir;
    QString m_openFileName;
    QString m_saveFileName;
    ArchiveTools m_archive;
};
