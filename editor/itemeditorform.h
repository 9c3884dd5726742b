#pragma once

#include "kindeditor.h"
#include "kindform.h"

#include <QDialog>

#include <functional>
#include <vector>

class IniProfile;
class KorvalisShell;
class LimitedMemo;
class NameEdit;
class PictureView;
class QAction;
class QComboBox;
class QFrame;
class QLabel;
class QMenu;
class QStatusBar;
class QTabWidget;
class QToolButton;
class TIniFileWriter;
class UnsavedChanges;

// The window and flows every item editor shares: frame, menus and toolbar,
// names and descriptions, picture, New, Load, Save, Verifica, the picture
// pick, zip export and import, and the English texts. A kind's editor gives
// its description and adds only what is its own.
class TItemEditorForm : public QDialog, public KindEditor
{
    Q_OBJECT

public:
    TItemEditorForm(KorvalisShell &shell, KindForm form, QWidget *parent = nullptr);
    ~TItemEditorForm() override;

    const KindForm &form() const { return m_form; }
    const KindInfo &info() const { return m_form.info(); }

    // KindEditor
    void New() override;
    QDialog *dialog() override { return this; }

    void Load();
    void LoadFile(const QString &path) override;
    void Save();
    bool Verifica();
    // The kind folder, ending with a separator (GetPathAmi for the hook).
    QString kindFolder() const;

    // Picks the picture of the `field`-th field, a picture field.
    void pickPicture(size_t field);
    // The index of the field whose control is named `control`; fails hard
    // when there is none (a kind's description and code disagree).
    size_t fieldIndex(const QString &control) const;
    void Zip1Click();
    void Unzip1Click();

    void SetEnglishCaption();
    void SetEnglishHint();
    void SetEnglishComboBox();

    // The path of the item's (first) picture, AmoFileNameFoto.
    QString fileNameFoto() const;
    // The path of the picture of the `field`-th field.
    const QString &picturePath(size_t field) const { return m_fields[field].path; }
    QString fileNameLabel() const;

    bool isModified() const override;
    // Before the item on show is replaced or the window closes: asks
    // whether to save changes; false when the user keeps them.
    bool mayDiscard();
    // Closing (Escape, the close button, Esci) asks first.
    void reject() override;

protected:
    bool event(QEvent *e) override;
    // Pictures dropped onto a picture's frame.
    bool eventFilter(QObject *watched, QEvent *e) override;

    // Extension points for kinds with more than the common pattern.
    // newExtra runs after every field has its New value.
    virtual void newExtra() {}
    // After Load has read the `field`-th field into its control.
    virtual void fieldRead(size_t /*field*/) {}
    virtual void readExtra(const IniProfile &) {}
    virtual void writeExtra(TIniFileWriter &) {}
    virtual bool verificaExtra() { return true; }
    // Run when Save has done everything else.
    virtual void savedExtra() {}
    // Completes edits still open in the kind's own controls, before a save
    // or a question about saving looks at the values.
    virtual void commitEdits() {}
    // The kind's own captions and hints; the constructor's Italian ones
    // are the kind's to set.
    virtual void captionsExtra(bool /*english*/) {}
    virtual void hintsExtra(bool /*english*/) {}
    // The user picked an entry of the `field`-th field, a list.
    virtual void listPicked(size_t /*field*/) {}
    // The user pressed the `field`-th field, a button.
    virtual void buttonClicked(size_t /*field*/) {}
    // Files packed by zip export, each quoted, joined by blanks.
    virtual QString zipFileList() const;

    QWidget *client() const { return m_client; }
    QStatusBar *statusBarWidget() const { return m_statusBar; }
    KorvalisShell &shell() { return m_shell; }
    bool english() const;

    // Runs a user action; a platform error ends it and is shown.
    void runAction(const std::function<void()> &action);
    // A change the window's controls do not signal (the profile's markers).
    void contentChanged();

    // Field values for a kind's own handlers. Setting a track bar's
    // position runs its value label's handler only on a real change.
    int listIndex(size_t field) const;
    void setListIndex(size_t field, int index);
    int position(size_t field) const;
    void setPosition(size_t field, int position);
    void setFieldEnabled(size_t field, bool enabled);
    void setValueLabelText(size_t field, const QString &text);

private:
    struct FieldWidgets
    {
        QLabel *label = nullptr;
        QWidget *control = nullptr;
        QLabel *valueLabel = nullptr;
        // Pictures
        QLabel *sizeLabel = nullptr;
        QFrame *frame = nullptr;
        PictureView *view = nullptr;
        QToolButton *button = nullptr;
        QString path; // full path of the current picture, or empty
    };

    void buildUi();
    void buildFields(int top);
    void placeLabel(size_t index, FieldWidgets &w, int y);
    void setFieldNew(size_t i);
    void readField(size_t i, const IniProfile &ini, const QString &folder);
    int fieldValue(size_t i) const;
    std::vector<size_t> readSequence() const;
    void updateValueLabel(size_t i, int position);
    int addPictureRow(size_t index, FieldWidgets &w, int y);
    // Loads the picture into its view; the path hint follows the load, or
    // comes before it when `hintFirst`.
    void loadPicture(size_t i, const QString &path, bool hintFirst = false);
    // A picture chosen by the user, with the pick button or by dropping it.
    void takePicture(size_t field, const QString &path);
    void clearPicture(size_t i);
    QWidget *pathHintHolder(size_t i) const;
    bool isPicture(size_t i) const { return m_form.fields[i].type == FieldSpec::Type::Picture; }
    void applyCaptions(bool english);
    void applyHints(bool english);
    void writeItem(TIniFileWriter &w);
    QByteArray content();
    bool picturesMayReplace();
    QString pictureTarget(size_t i) const;

    KorvalisShell &m_shell;
    KindForm m_form;
    UnsavedChanges *m_unsaved = nullptr;

    QWidget *m_client = nullptr;
    QStatusBar *m_statusBar = nullptr;
    QLabel *m_Label1 = nullptr;
    QLabel *m_fileName = nullptr;
    QTabWidget *m_PageControlDescr = nullptr;
    std::vector<QLabel *> m_label2; // both tabs
    std::vector<QLabel *> m_label3;
    NameEdit *m_nome = nullptr;
    NameEdit *m_nomeEng = nullptr;
    LimitedMemo *m_descr = nullptr;
    LimitedMemo *m_descrEng = nullptr;
    QToolButton *m_ToolButtonNew = nullptr;
    QToolButton *m_ToolButtonOpen = nullptr;
    QToolButton *m_ToolButtonSave = nullptr;
    QMenu *m_File1 = nullptr;
    QAction *m_Nuovo = nullptr;
    QAction *m_Apri = nullptr;
    QAction *m_Salva = nullptr;
    QAction *m_Esci = nullptr;
    QMenu *m_Installa1 = nullptr;
    QAction *m_Unzip1 = nullptr;
    QAction *m_Zip1 = nullptr;
    std::vector<FieldWidgets> m_fields;
    QString m_itemPath; // the item file last opened or saved, or empty
};
