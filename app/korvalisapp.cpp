#include "korvalisapp.h"

#include "aboutbox.h"
#include "amoform.h"
#include "escaform.h"
#include "galleggianteform.h"
#include "piombinoform.h"
#include "cannaform.h"
#include "korvalisappform.h"
#include "pasturaform.h"
#include "luogoform.h"
#include "prespesciform.h"
#include "desktopservices.h"
#include "mulinelloform.h"

#include <QDir>

QString resolveDataPath(const QString &option, DesktopServices &desktop)
{
    QString path = option;
    if (path.isEmpty())
        path = qEnvironmentVariable("KORVALIS_DATA_DIR");
    if (path.isEmpty())
        path = desktop.commonAppDataFolder();
    path = QDir::cleanPath(QDir(path).absolutePath());
    // The folder values append "/Korvalis/" to it.
    while (path.size() > 1 && path.endsWith(u'/'))
        path.chop(1);
    return path;
}

KorvalisApplication::KorvalisApplication(DesktopServices &desktop, const QString &dataPath,
                                         const QString &appPath)
    : m_shell(desktop, dataPath, appPath)
{
    m_main = std::make_unique<TKorvalisAppForm>(m_shell, *this);
}

KorvalisApplication::~KorvalisApplication() = default;

bool KorvalisApplication::installationFound() const
{
    return m_main->installationFound();
}

TAboutBox &KorvalisApplication::AboutBox()
{
    if (!m_about)
        m_about = std::make_unique<TAboutBox>(m_main.get());
    return *m_about;
}

TAmoForm &KorvalisApplication::AmoForm()
{
    if (!m_amo)
        m_amo = std::make_unique<TAmoForm>(m_shell, m_main.get());
    return *m_amo;
}

TCannaForm &KorvalisApplication::CannaForm()
{
    if (!m_canna)
        m_canna = std::make_unique<TCannaForm>(m_shell, m_main.get());
    return *m_canna;
}

TMulinelloForm &KorvalisApplication::MulinelloForm()
{
    if (!m_mulinello)
        m_mulinello = std::make_unique<TMulinelloForm>(m_shell, m_main.get());
    return *m_mulinello;
}

TPasturaForm &KorvalisApplication::PasturaForm()
{
    if (!m_pastura)
        m_pastura = std::make_unique<TPasturaForm>(m_shell, m_main.get());
    return *m_pastura;
}

TPresPesciForm &KorvalisApplication::PresPesciForm()
{
    if (!m_presPesci)
        m_presPesci = std::make_unique<TPresPesciForm>(m_shell, m_main.get());
    return *m_presPesci;
}

TLuogoForm &KorvalisApplication::LuogoForm()
{
    // The venue editor opens the presence editor on its linked list.
    if (!m_luogo)
        m_luogo = std::make_unique<TLuogoForm>(m_shell, PresPesciForm(), m_main.get());
    return *m_luogo;
}

TEscaForm &KorvalisApplication::EscaForm()
{
    if (!m_esca)
        m_esca = std::make_unique<TEscaForm>(m_shell, m_main.get());
    return *m_esca;
}

TGalleggianteForm &KorvalisApplication::GalleggianteForm()
{
    if (!m_galleggiante)
        m_galleggiante = std::make_unique<TGalleggianteForm>(m_shell, m_main.get());
    return *m_galleggiante;
}

TPiombinoForm &KorvalisApplication::PiombinoForm()
{
    if (!m_piombino)
        m_piombino = std::make_unique<TPiombinoForm>(m_shell, m_main.get());
    return *m_piombino;
}

bool KorvalisApplication::hasEditor(ItemKind kind) const
{
    switch (kind) {
    case ItemKind::Amo:
    case ItemKind::Esca:
    case ItemKind::Galleggiante:
    case ItemKind::Luogo:
    case ItemKind::Pastura:
    case ItemKind::PresPesci:
    case ItemKind::Piombino:
    case ItemKind::Canna:
    case ItemKind::Mulinello:
        return true;
    }
    return false;
}

KindEditor *KorvalisApplication::editor(ItemKind kind)
{
    switch (kind) {
    case ItemKind::Amo:
        return &AmoForm();
    case ItemKind::Canna:
        return &CannaForm();
    case ItemKind::Mulinello:
        return &MulinelloForm();
    case ItemKind::Pastura:
        return &PasturaForm();
    case ItemKind::PresPesci:
        return &PresPesciForm();
    case ItemKind::Luogo:
        return &LuogoForm();
    case ItemKind::Esca:
        return &EscaForm();
    case ItemKind::Galleggiante:
        return &GalleggianteForm();
    case ItemKind::Piombino:
        return &PiombinoForm();
    default:
        return nullptr;
    }
}

QDialog *KorvalisApplication::aboutBox()
{
    return &AboutBox();
}
