#pragma once

#include "kinds.h"

#include <QMainWindow>

#include <array>

class WindowProvider;
class KorvalisShell;
class QAction;
class QActionGroup;
class QDragEnterEvent;
class QDropEvent;
class QMenu;
class QToolButton;

// The main window: one toolbar button and one File entry per item kind, the
// language menu and the About box. Its services for the editors live in the
// shell it is given.
class TKorvalisAppForm : public QMainWindow
{
    Q_OBJECT

public:
    // `windows` gives the editors and the About box when they are opened.
    TKorvalisAppForm(KorvalisShell &shell, WindowProvider &windows, QWidget *parent = nullptr);

    KorvalisShell &shell() { return m_shell; }

    // False when FormCreate found no game installation and asked to end.
    bool installationFound() const { return m_installationFound; }

    QString GetPathDatiKorvalis() const;
    QString GetPathDatiKorvalisEditor() const;
    bool IsLinguaInglese() const;
    void ShowMessaggio(const QString &msgI, const QString &msgE);
    bool OpenDialogExecute(const QString &filter, const QString &initDir);
    bool SaveDialogExecute(const QString &filter, const QString &initDir, const QString &defExt,
                           const QString &fileName);

    // Opens the editor of `kind`: New, then modal.
    void openEditor(ItemKind kind);
    // Opens each item file in its kind's editor, loaded as Open loads it,
    // one after the other; a file that cannot be opened gets a message.
    void openItemFiles(const QStringList &paths);

    void SetEnglishLabels();
    void SetEnglishCaption();
    void SetEnglishHint();

    // Handlers named after their controls.
    void ItalianoClick();
    void EnglishClick();
    void FileExit1Execute();
    void HelpAbout1Execute();

protected:
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void openItemFile(const QString &path);
    void FormCreate();
    void buildUi();
    void SaveIniLang();

    KorvalisShell &m_shell;
    WindowProvider &m_windows;
    bool m_installationFound = true;

    std::array<QToolButton *, kKindCount> m_buttons{};
    std::array<QAction *, kKindCount> m_entries{};
    QMenu *m_File1 = nullptr;
    QMenu *m_Opzioni = nullptr;
    QMenu *m_Lingua1 = nullptr;
    QMenu *m_Help = nullptr;
    QAction *m_FileExitItem = nullptr;
    QAction *m_Italiano = nullptr;
    QAction *m_English = nullptr;
    QAction *m_HelpAboutItem = nullptr;
};
