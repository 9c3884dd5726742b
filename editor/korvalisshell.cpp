#include "korvalisshell.h"

#include "codepage.h"
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
    , m_archive(
          desktop, m_AppPath,
          [this](const QString &msgI, const QString &msgE) { ShowMessaggio(msgI, msgE); },
          // Archives made on Windows name their entries in its code page.
          [](QByteArrayView name) { return CodePage::fromWindows1252(name); })
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
    FileRead read;
    const IniProfile settings = IniProfile::fromFile(settingsFilePath(), &read);
    m_lingua = settings.readString(kLinguaSection, kLinguaKey, u"I"_s);
    if (!read.ok() && read.status != FileRead::Status::Missing)
        m_desktop.message(readRefusal(settingsFilePath(), read));
}

QString KorvalisShell::readRefusal(const QString &path, const FileRead &read) const
{
    const QString name = QDir::toNativeSeparators(path);
    switch (read.status) {
    case FileRead::Status::NotRegular:
        return inLingua(u"\"%1\" non è un file normale: non viene letto."_s.arg(name),
                        u"\"%1\" is not a regular file: it is not read."_s.arg(name));
    case FileRead::Status::TooLarge:
        return inLingua(
            u"Il file \"%1\" supera %2 KB: non è un file di Korvalis e non viene letto."_s.arg(
                name, QString::number(kIniFileLimit / 1024)),
            u"The file \"%1\" is larger than %2 KB: it is no Korvalis file and is not read."_s.arg(
                name, QString::number(kIniFileLimit / 1024)));
    case FileRead::Status::Missing:
    case FileRead::Status::Unreadable:
    case FileRead::Status::Ok:
        break;
    }
    return inLingua(u"Impossibile leggere il file \"%1\": %2"_s.arg(name, read.reason),
                    u"Cannot read the file \"%1\": %2"_s.arg(name, read.reason));
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

void KorvalisShell::UnZip(const QString &fileZip, const QString &exPath,
                          const ArchiveTools::ImportHooks &hooks)
{
    m_archive.UnZip(fileZip, exPath, hooks);
}
