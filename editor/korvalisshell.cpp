#include "korvalisshell.h"

#include "desktopservices.h"
#include "inireader.h"
#include "kverror.h"

#include <QDir>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace {
const QString kLinguaSection = u"LINGUA"_s;
const QString kLinguaKey = u"KORVALIS"_s;
} // namespace

KorvalisShell::KorvalisShell(DesktopServices &desktop, QString dataPath, QString appPath)
    : m_desktop(desktop)
    , m_DataPath(std::move(dataPath))
    , m_AppPath(std::move(appPath))
    , m_archive(desktop, m_AppPath,
                [this](const QString &msgI, const QString &msgE) { ShowMessaggio(msgI, msgE); })
{
}

QString KorvalisShell::GetPathDatiKorvalis() const
{
    return m_DataPath + u"/Korvalis/"_s;
}

QString KorvalisShell::GetPathDatiKorvalisEditor() const
{
    return m_DataPath + u"/KorvalisEditor/"_s;
}

QString KorvalisShell::settingsFilePath() const
{
    return GetPathDatiKorvalisEditor() + u"KorvalisEdit.ini"_s;
}

QString KorvalisShell::gameSettingsFilePath() const
{
    return GetPathDatiKorvalis() + u"Korvalis.ini"_s;
}

bool KorvalisShell::isGameInstalled() const
{
    return QFileInfo(gameSettingsFilePath()).isFile();
}

void KorvalisShell::readLanguage()
{
    m_lingua =
        IniProfile::fromFile(settingsFilePath()).readString(kLinguaSection, kLinguaKey, u"I"_s);
}

void KorvalisShell::saveLanguage(const QString &lingua)
{
    // The editor's own folder is the one folder it may create: without it a
    // language choice on a fresh installation could never be kept.
    const QString editorDir = GetPathDatiKorvalisEditor();
    if (!QFileInfo(editorDir).isDir() && QFileInfo(m_DataPath).isDir())
        QDir().mkdir(editorDir);

    QString error;
    if (!writeProfileString(settingsFilePath(), kLinguaSection, kLinguaKey, lingua, &error))
        throw KvError(error);
    m_lingua = lingua;
}

void KorvalisShell::ShowMessaggio(const QString &msgI, const QString &msgE)
{
    m_desktop.message(IsLinguaInglese() ? msgE : msgI);
}

bool KorvalisShell::OpenDialogExecute(const QString &filter, const QString &initDir)
{
    m_openFileName.clear();
    if (!initDir.isEmpty())
        m_openDir = initDir;
    const std::optional<QString> chosen = m_desktop.openFile(filter, m_openDir);
    if (!chosen)
        return false;
    m_openFileName = *chosen;
    // Like the toolkit's dialog, the next call without a folder starts where
    // this one ended.
    m_openDir = QFileInfo(*chosen).absolutePath() + u'/';
    return true;
}

bool KorvalisShell::SaveDialogExecute(const QString &filter, const QString &initDir,
                                      const QString &defExt, const QString &fileName)
{
    m_saveFileName = fileName;
    if (!initDir.isEmpty())
        m_saveDir = initDir;
    const std::optional<QString> chosen = m_desktop.saveFile(filter, m_saveDir, defExt, fileName);
    if (!chosen)
        return false;
    m_saveFileName = *chosen;
    m_saveDir = QFileInfo(*chosen).absolutePath() + u'/';
    return true;
}

void KorvalisShell::Zip(const QString &fileZip, const QString &fileDir, const QString &fileIn)
{
    m_archive.Zip(fileZip, fileDir, fileIn);
}

void KorvalisShell::UnZip(const QString &fileZip, const QString &exPath)
{
    m_archive.UnZip(fileZip, exPath);
}
