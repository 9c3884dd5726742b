#include "korvalisappform.h"

#include "kindeditor.h"
#include "korvalisshell.h"
#include "kverror.h"
#include "desktopservices.h"

#include <QActionGroup>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QTimer>
#include <QUrl>
#include <QApplication>
#include <QDialog>
#include <QIcon>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>

using namespace Qt::StringLiterals;

namespace {

// One row per item kind, in toolbar and menu order. Caption and hint are
// the same text; the Italian menu hint of Piombini is missing on purpose.
struct KindEntry
{
    QString button;
    QString menuEntry;
    QString textI;
    QString textE;
    QString image;
    bool italianMenuHint = true;
};

const std::array<KindEntry, kKindCount> &kindEntries()
{
    static const std::array<KindEntry, kKindCount> entries{{
        {u"ToolButtonAmo"_s, u"Amo"_s, u"Ami"_s, u"Hooks"_s, u"amo"_s},
        {u"ToolButtonEsca"_s, u"Esca"_s, u"Esche"_s, u"Baits"_s, u"esca"_s},
        {u"ToolButtonGallegiante"_s, u"Galleggiante"_s, u"Galleggianti"_s, u"Floatings"_s,
         u"galleggiante"_s},
        {u"ToolButtonLuogo"_s, u"Luogo"_s, u"Luoghi"_s, u"Venues"_s, u"luogo"_s},
        {u"ToolButtonPasutra"_s, u"Pastura"_s, u"Pasture"_s, u"Groundbaits"_s, u"pastura"_s},
        {u"ToolButtonPresPesci"_s, u"FilePresenzaPesci"_s, u"File Presenza Pesci"_s,
         u"Fishes files"_s, u"prespesci"_s},
        {u"ToolButtonPiombo"_s, u"Piombini"_s, u"Piombini"_s, u"Shots"_s, u"piombino"_s, false},
        {u"ToolButtonCanna"_s, u"Cannadapesca"_s, u"Canne da pesca"_s, u"Fishing rods"_s,
         u"canna"_s},
        {u"ToolButtonMulinello"_s, u"Mulinelli"_s, u"Mulinelli"_s, u"Reels"_s, u"mulinello"_s},
    }};
    return entries;
}

constexpr int kClientWidth = 442;
constexpr int kClientHeight = 80;
constexpr int kToolBarHeight = 57;
constexpr QSize kButtonSize(47, 46);

} // namespace

TKorvalisAppForm::TKorvalisAppForm(KorvalisShell &shell, WindowProvider &windows, QWidget *parent)
    : QMainWindow(parent)
    , m_shell(shell)
    , m_windows(windows)
{
    setObjectName(u"KorvalisAppForm"_s);
    buildUi();
    FormCreate();
}

void TKorvalisAppForm::buildUi()
{
    setWindowTitle(u"Korvalis Editor"_s);
    // Item files dropped from a file manager open in their editors.
    setAcceptDrops(true);
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    QFont f(u"Tahoma"_s);
    f.setPointSize(8);
    setFont(f);

    auto *menu = menuBar();
    menu->setObjectName(u"MainMenu"_s);

    auto *toolBar = new QToolBar(this);
    toolBar->setObjectName(u"ToolBar"_s);
    toolBar->setMovable(false);
    toolBar->setFloatable(false);
    toolBar->setIconSize(QSize(40, 40));
    toolBar->setFixedHeight(kToolBarHeight);
    // Nine 47-pixel buttons only fit the 442-pixel window without the
    // style's padding between them.
    toolBar->layout()->setSpacing(0);
    toolBar->layout()->setContentsMargins(0, 0, 0, 0);
    toolBar->setContentsMargins(0, 0, 0, 0);
    toolBar->setStyleSheet(u"QToolBar { spacing: 0px; padding: 0px; border: 0px; }"_s);
    addToolBar(Qt::TopToolBarArea, toolBar);

    m_File1 = menu->addMenu(u"&File"_s);
    m_File1->setObjectName(u"File1"_s);

    const auto &entries = kindEntries();
    for (int i = 0; i < kKindCount; ++i) {
        const KindEntry &e = entries[i];
        const auto kind = static_cast<ItemKind>(i);
        const QIcon icon(u":/icons/toolbar/"_s + e.image + u".png"_s);

        auto *button = new QToolButton(toolBar);
        button->setObjectName(e.button);
        button->setIcon(icon);
        button->setIconSize(QSize(40, 40));
        button->setFixedSize(kButtonSize);
        button->setAutoRaise(true);
        button->setToolTip(e.textI);
        button->setStatusTip(e.textI);
        connect(button, &QToolButton::clicked, this, [this, kind] { openEditor(kind); });
        toolBar->addWidget(button);
        m_buttons[i] = button;

        auto *action = m_File1->addAction(icon, e.textI);
        action->setObjectName(e.menuEntry);
        action->setIconVisibleInMenu(false);
        if (e.italianMenuHint)
            action->setStatusTip(e.textI);
        connect(action, &QAction::triggered, this, [this, kind] { openEditor(kind); });
        m_entries[i] = action;

        // An editor that does not exist yet is not offered.
        const bool available = m_windows.hasEditor(kind);
        button->setEnabled(available);
        action->setEnabled(available);
    }
    m_File1->addSeparator();
    m_FileExitItem = m_File1->addAction(u"E&sci"_s);
    m_FileExitItem->setObjectName(u"FileExitItem"_s);
    m_FileExitItem->setStatusTip(u"Uscita"_s);
    connect(m_FileExitItem, &QAction::triggered, this, &TKorvalisAppForm::FileExit1Execute);

    m_Opzioni = menu->addMenu(u"&Opzioni"_s);
    m_Opzioni->setObjectName(u"Opzioni"_s);
    m_Lingua1 = m_Opzioni->addMenu(u"Lingua"_s);
    m_Lingua1->setObjectName(u"Lingua1"_s);
    m_Lingua1->menuAction()->setStatusTip(u"Lingua"_s);
    auto *group = new QActionGroup(this);
    group->setExclusive(true);
    m_Italiano = m_Lingua1->addAction(u"Italiano"_s);
    m_Italiano->setObjectName(u"Italiano"_s);
    m_English = m_Lingua1->addAction(u"English"_s);
    m_English->setObjectName(u"English"_s);
    for (QAction *a : {m_Italiano, m_English}) {
        a->setCheckable(true);
        group->addAction(a);
    }
    m_Italiano->setChecked(true);
    connect(m_Italiano, &QAction::triggered, this, &TKorvalisAppForm::ItalianoClick);
    connect(m_English, &QAction::triggered, this, &TKorvalisAppForm::EnglishClick);

    m_Help = menu->addMenu(u"&Help"_s);
    m_Help->setObjectName(u"Help"_s);
    m_Help->menuAction()->setStatusTip(u"Help"_s);
    m_HelpAboutItem = m_Help->addAction(u"&About..."_s);
    m_HelpAboutItem->setObjectName(u"HelpAboutItem"_s);
    m_HelpAboutItem->setStatusTip(u"About"_s);
    connect(m_HelpAboutItem, &QAction::triggered, this, &TKorvalisAppForm::HelpAbout1Execute);

    statusBar()->setObjectName(u"StatusBar"_s);
    statusBar()->setSizeGripEnabled(false);

    // The client area (toolbar and status bar) is 442x80; the menu bar sits
    // above it as on the platform the game comes from.
    const int statusHeight = kClientHeight - kToolBarHeight;
    statusBar()->setFixedHeight(statusHeight);
    setFixedSize(kClientWidth, menu->sizeHint().height() + kClientHeight);
    move(100, 60);
}

void TKorvalisAppForm::FormCreate()
{
    // The folders come from the shell, which start-up made from the command
    // line or the platform's data folder.
    m_shell.readLanguage();
    if (IsLinguaInglese()) {
        m_Italiano->setChecked(false);
        m_English->setChecked(true);
    }
    SetEnglishLabels();
    if (!m_shell.isGameInstalled()) {
        ShowMessaggio(
            u"Installazione di Korvalis non trovata. Installare l'ultima Korvalis per usare l'editor."_s,
            u"Korvalis not installed. Please install last Korvalis version to use the editor."_s);
        m_installationFound = false;
    }
}

QString TKorvalisAppForm::GetPathDatiKorvalis() const
{
    return m_shell.GetPathDatiKorvalis();
}

QString TKorvalisAppForm::GetPathDatiKorvalisEditor() const
{
    return m_shell.GetPathDatiKorvalisEditor();
}

bool TKorvalisAppForm::IsLinguaInglese() const
{
    return m_shell.IsLinguaInglese();
}

void TKorvalisAppForm::ShowMessaggio(const QString &msgI, const QString &msgE)
{
    m_shell.ShowMessaggio(msgI, msgE);
}

bool TKorvalisAppForm::OpenDialogExecute(const QString &filter, const QString &initDir)
{
    return m_shell.OpenDialogExecute(filter, initDir);
}

bool TKorvalisAppForm::SaveDialogExecute(const QString &filter, const QString &initDir,
                                         const QString &defExt, const QString &fileName)
{
    return m_shell.SaveDialogExecute(filter, initDir, defExt, fileName);
}

void TKorvalisAppForm::openEditor(ItemKind kind)
{
    KindEditor *editor = m_windows.hasEditor(kind) ? m_windows.editor(kind) : nullptr;
    if (!editor)
        return;
    editor->New();
    editor->dialog()->exec();
}

void TKorvalisAppForm::openItemFiles(const QStringList &paths)
{
    for (const QString &path : paths)
        openItemFile(path);
}

void TKorvalisAppForm::openItemFile(const QString &path)
{
    const std::optional<ItemKind> kind = kindOfFileName(path);
    KindEditor *editor = kind && m_windows.hasEditor(*kind) ? m_windows.editor(*kind) : nullptr;
    if (!editor) {
        ShowMessaggio(
            u"Il file \"%1\" non e' un file di Korvalis che l'editor sa aprire."_s.arg(path),
            u"The file \"%1\" is not a Korvalis file the editor can open."_s.arg(path));
        return;
    }
    if (!QFileInfo(path).isFile()) {
        ShowMessaggio(u"Il file \"%1\" non esiste."_s.arg(path),
                      u"The file \"%1\" does not exist."_s.arg(path));
        return;
    }
    editor->New();
    try {
        editor->LoadFile(QFileInfo(path).absoluteFilePath());
    } catch (const KvError &e) {
        // As with Open: the load ends at the failing step, the editor stays.
        m_shell.desktop().showError(e.text());
    }
    editor->dialog()->exec();
}

namespace {
QStringList droppedFiles(const QMimeData *data)
{
    QStringList files;
    if (!data || !data->hasUrls())
        return files;
    for (const QUrl &url : data->urls())
        if (url.isLocalFile())
            files.append(url.toLocalFile());
    return files;
}
} // namespace

void TKorvalisAppForm::dragEnterEvent(QDragEnterEvent *event)
{
    if (!droppedFiles(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void TKorvalisAppForm::dropEvent(QDropEvent *event)
{
    const QStringList files = droppedFiles(event->mimeData());
    if (files.isEmpty())
        return;
    event->acceptProposedAction();
    // The drag source waits for the drop to end: open the files afterwards.
    QTimer::singleShot(0, this, [this, files] { openItemFiles(files); });
}

void TKorvalisAppForm::SetEnglishLabels()
{
    if (!IsLinguaInglese())
        return;
    SetEnglishCaption();
    SetEnglishHint();
}

void TKorvalisAppForm::SetEnglishCaption()
{
    const auto &entries = kindEntries();
    for (int i = 0; i < kKindCount; ++i)
        m_entries[i]->setText(entries[i].textE);
    m_FileExitItem->setText(u"E&xit"_s);
    m_Opzioni->setTitle(u"&Option"_s);
    m_Lingua1->setTitle(u"Language"_s);
    m_Help->setTitle(u"&Help"_s);
    m_HelpAboutItem->setText(u"&About..."_s);
}

void TKorvalisAppForm::SetEnglishHint()
{
    const auto &entries = kindEntries();
    for (int i = 0; i < kKindCount; ++i) {
        m_buttons[i]->setToolTip(entries[i].textE);
        m_buttons[i]->setStatusTip(entries[i].textE);
        m_entries[i]->setStatusTip(entries[i].textE);
    }
    m_FileExitItem->setStatusTip(u"Exit"_s);
    m_Lingua1->menuAction()->setStatusTip(u"Language"_s);
    m_Help->menuAction()->setStatusTip(u"Help"_s);
    m_HelpAboutItem->setStatusTip(u"About"_s);
}

void TKorvalisAppForm::ItalianoClick()
{
    m_Italiano->setChecked(true);
    m_English->setChecked(false);
    SaveIniLang();
}

void TKorvalisAppForm::EnglishClick()
{
    m_English->setChecked(true);
    m_Italiano->setChecked(false);
    SaveIniLang();
}

void TKorvalisAppForm::SaveIniLang()
{
    try {
        m_shell.saveLanguage(m_Italiano->isChecked() ? u"I"_s : u"E"_s);
    } catch (const KvError &e) {
        m_shell.desktop().showError(e.text());
        return;
    }
    SetEnglishLabels();
    ShowMessaggio(u"Riavviare l'applicazione"_s, u"You must restart the application"_s);
}

void TKorvalisAppForm::FileExit1Execute()
{
    close();
}

void TKorvalisAppForm::HelpAbout1Execute()
{
    m_windows.aboutBox()->exec();
}
