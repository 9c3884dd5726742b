#pragma once

#include "kindeditor.h"

#include <QDialog>

class KorvalisShell;
class QAction;
class QComboBox;
class QLabel;
class QMenu;
class QStatusBar;
class QToolButton;
class TIniFileWriter;
class UnsavedChanges;
class ValueListGrid;

// The fish-presence list editor: one percentage per species of one water
// type, stored in the presence folder. It shares the editors' frame, menus
// and language handling but has its own file flow: no names, pictures or
// archives, a type combo that picks the grid and the one section written,
// and no saving from or onto the lists shipped with the game. The venue
// editor opens it on a list by name (ShowFromLuogo) and then asks for the
// name it holds (GetKVSFileName).
class TPresPesciForm : public QDialog, public KindEditor
{
    Q_OBJECT

public:
    explicit TPresPesciForm(KorvalisShell &shell, QWidget *parent = nullptr);
    ~TPresPesciForm() override;

    // KindEditor
    void New() override;
    QDialog *dialog() override { return this; }

    void Load();
    void LoadFile(const QString &path) override;
    void Save();
    // An empty folder means the presence folder; `fileName` may carry a
    // folder, only its name part is shown.
    void LoadDati(const QString &folder, const QString &fileName);
    void SaveDati(const QString &folder, const QString &fileName);

    // The presence folder, ending with '/'.
    QString GetPathPresenzaPesci() const;
    // The text of the KVSFileName label: the list's name.
    QString GetKVSFileName() const;
    // Whether the name part of `fileName` is one of the lists shipped with
    // the game, in any letter case.
    static bool IsKvsOriginale(const QString &fileName);
    static QString LimitaPerc(const QString &text);

    // Whether the list holds changes Save would write that are not saved.
    bool isModified() const override;
    // Before the list on show is replaced or the window closes: asks
    // whether to save changes; false when the user keeps them.
    bool mayDiscard();
    // Closing (Escape, the close button, Esci) asks first.
    void reject() override;

    // Loads `fileName` (a name without folder) from the presence folder
    // and shows the window modally with New and Open disabled; returns
    // when the window is closed.
    void ShowFromLuogo(const QString &fileName);

    void AzzeraValori();
    void AbilitaTipoLuogo();
    void AbilitaLista();
    void AbilitaSave(const QString &fileName);

    void SetEnglishCaption();
    void SetEnglishHint();
    void SetEnglishComboBox();
    void SetEnglishListEditor();

protected:
    bool event(QEvent *e) override;
    void showEvent(QShowEvent *e) override;

private:
    void buildUi();
    void applyCaptions(bool english);
    void applyHints(bool english);
    void applyListTitles(bool english);
    void FormShow();
    void showSpecies(ValueListGrid *grid, int row, const QString &key);
    void runAction(void (TPresPesciForm::*action)());
    void writeList(TIniFileWriter &w);
    QByteArray content();
    bool english() const;
    void setNewOpenEnabled(bool enabled);
    void setSaveEnabled(bool enabled);
    ValueListGrid *shownGrid() const;

    KorvalisShell &m_shell;
    bool m_fromLuogo = false;
    UnsavedChanges *m_unsaved = nullptr;

    QWidget *m_client = nullptr;
    QStatusBar *m_statusBar = nullptr;
    QLabel *m_Label1 = nullptr;
    QLabel *m_KVSFileName = nullptr;
    QLabel *m_Label4 = nullptr;
    QComboBox *m_PresenzaPesciTipoLuogo = nullptr;
    ValueListGrid *m_Lista = nullptr;
    ValueListGrid *m_ListaMare = nullptr;
    QToolButton *m_ToolButtonNew = nullptr;
    QToolButton *m_ToolButtonOpen = nullptr;
    QToolButton *m_ToolButtonSave = nullptr;
    QMenu *m_File1 = nullptr;
    QAction *m_Nuovo = nullptr;
    QAction *m_Apri = nullptr;
    QAction *m_Salva = nullptr;
    QAction *m_Esci = nullptr;
};
