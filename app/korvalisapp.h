#pragma once

#include "kindeditor.h"
#include "korvalisshell.h"

#include <QString>

#include <memory>

class DesktopServices;
class TAboutBox;
class TAmoForm;
class TCannaForm;
class TMulinelloForm;
class TPasturaForm;
class TLuogoForm;
class TPresPesciForm;
class TEscaForm;
class TGalleggianteForm;
class TPiombinoForm;
class TKorvalisAppForm;

// m_DataPath: the --data-dir option, else KORVALIS_DATA_DIR, else the
// platform's machine-wide data folder; absolute, without trailing separator.
QString resolveDataPath(const QString &option, DesktopServices &desktop);

// The whole program built from a data folder and desktop services, without
// main(): it owns every window for the run. Tests build it in-process.
class KorvalisApplication : public WindowProvider
{
public:
    // `dataPath` is m_DataPath; `appPath` the start-up directory.
    KorvalisApplication(DesktopServices &desktop, const QString &dataPath, const QString &appPath);
    ~KorvalisApplication() override;

    KorvalisShell &shell() { return m_shell; }
    TKorvalisAppForm &KorvalisAppForm() { return *m_main; }
    TAboutBox &AboutBox();
    TAmoForm &AmoForm();
    TCannaForm &CannaForm();
    TMulinelloForm &MulinelloForm();
    TPasturaForm &PasturaForm();
    TPresPesciForm &PresPesciForm();
    TLuogoForm &LuogoForm();
    TEscaForm &EscaForm();
    TGalleggianteForm &GalleggianteForm();
    TPiombinoForm &PiombinoForm();

    // False when no game installation was found; the program must end.
    bool installationFound() const;

    bool hasEditor(ItemKind kind) const override;
    KindEditor *editor(ItemKind kind) override;
    QDialog *aboutBox() override;

private:
    KorvalisShell m_shell;
    std::unique_ptr<TKorvalisAppForm> m_main;
    std::unique_ptr<TAboutBox> m_about;
    std::unique_ptr<TAmoForm> m_amo;
    std::unique_ptr<TCannaForm> m_canna;
    std::unique_ptr<TMulinelloForm> m_mulinello;
    std::unique_ptr<TPasturaForm> m_pastura;
    std::unique_ptr<TPresPesciForm> m_presPesci;
    std::unique_ptr<TLuogoForm> m_luogo;
    std::unique_ptr<TEscaForm> m_esca;
    std::unique_ptr<TGalleggianteForm> m_galleggiante;
    std::unique_ptr<TPiombinoForm> m_piombino;
};
