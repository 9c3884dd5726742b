#include "prespesciform.h"

#include "desktopservices.h"
#include "fishlists.h"
#include "inifilewriter.h"
#include "inireader.h"
#include "kinds.h"
#include "kindform.h"
#include "korvalisshell.h"
#include "kverror.h"
#include "unsavedchanges.h"
#include "valuelistgrid.h"

#include <QAction>
#include <QComboBox>
#include <QFileInfo>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QShowEvent>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

constexpr QSize kClientSize(300, 540);
constexpr QPoint kPosition(240, 110);
constexpr int kToolBarHeight = 30;
constexpr int kStatusHeight = 20;

const KindInfo &kind()
{
    return kindInfo(ItemKind::PresPesci);
}

// Texts of the window, Italian and English.
const TextPair kFileNameLabel{u"Nome File"_s, u"File Name"_s};
const TextPair kTipo{u"Tipo"_s, u"Type"_s};
const TextPair kFileMenu{u"File"_s, u"File"_s};
const TextPair kNew{u"Nuovo"_s, u"New"_s};
const TextPair kOpen{u"Apri"_s, u"Open"_s};
const TextPair kSaveAs{u"Salva..."_s, u"Save as"_s};
const TextPair kExit{u"Esci"_s, u"Exit"_s};
const TextPair kExitHint{u"Uscita"_s, u"Exit"_s};
const TextPair kNewHint{u"Nuovo File Presenza Pesci"_s, u"New fishes file"_s};
const TextPair kOpenHint{u"Apri File Presenza Pesci"_s, u"Open fishes file"_s};
const TextPair kSaveHint{u"Salva File Presenza Pesci"_s, u"Save fishes file"_s};
const TextPair kTipoHint{u"Tipo di luogo"_s, u"Venue type"_s};
const TextPair kListaHint{u"Tabella percentuali presenza pesci"_s, u"Percentage of fish: "_s};
const TextPair kKeyTitle{u"Pesce"_s, u"Fishes"_s};
const TextPair kValueTitle{u"Presenza (%)"_s, u"%"_s};
const TextPair kFiumeLago{u"Fiume o Lago"_s, u"River or Lake"_s};
const TextPair kMare{u"Mare"_s, u"Sea"_s};
const TextPair kShipped{
    u"Attenzione! Non e' possibile sovrascrivere i file rilasciati con Korvalis."_s,
    u"Attention! You can not overwrite the original Korvalis files."_s};

constexpr int kTipoDolce = 0;
constexpr int kTipoMare = 1;

std::vector<int> cellNumbers(const ValueListGrid &grid)
{
    std::vector<int> values;
    values.reserve(std::size_t(grid.keyCount()));
    for (int row = 0; row < grid.keyCount(); ++row) {
        // Completed edits leave whole numbers; anything else is written 0.
        bool ok = false;
        const int v = grid.value(row).toInt(&ok);
        values.push_back(ok ? v : 0);
    }
    return values;
}

} // namespace

TPresPesciForm::TPresPesciForm(KorvalisShell &shell, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                          | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint)
    , m_shell(shell)
{
    setObjectName(kind().instanceName);
    m_unsaved = new UnsavedChanges(*this, shell, [this] { return content(); });
    buildUi();
    applyCaptions(false);
    applyHints(false);
    applyListTitles(false);
    // FormCreate: both grids hold "0"; the fresh-water one is shown.
    m_ListaMare->hide();
}

TPresPesciForm::~TPresPesciForm() = default;

bool TPresPesciForm::english() const
{
    return m_shell.IsLinguaInglese();
}

void TPresPesciForm::buildUi()
{
    QFont f(u"Tahoma"_s);
    f.setPointSize(8);
    setFont(f);

    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    auto *menu = new QMenuBar(this);
    menu->setObjectName(u"MainMenu"_s);
    outer->setMenuBar(menu);
    m_File1 = menu->addMenu(QString());
    m_File1->setObjectName(u"File1"_s);
    const auto actionNamed = [this](const QString &name) {
        QAction *a = m_File1->addAction(QString());
        a->setObjectName(name);
        return a;
    };
    m_Nuovo = actionNamed(u"Nuovo"_s);
    m_Apri = actionNamed(u"Apri"_s);
    m_Salva = actionNamed(u"Salva"_s);
    m_Salva->setShortcut(QKeySequence::Save);
    m_File1->addSeparator()->setObjectName(u"N1"_s);
    m_Esci = actionNamed(u"Esci"_s);
    // The user's New and Open replace what is on show: ask first.
    connect(m_Nuovo, &QAction::triggered, this, [this] {
        if (mayDiscard())
            runAction(&TPresPesciForm::New);
    });
    connect(m_Apri, &QAction::triggered, this, [this] {
        if (mayDiscard())
            runAction(&TPresPesciForm::Load);
    });
    connect(m_Salva, &QAction::triggered, this, [this] { runAction(&TPresPesciForm::Save); });
    connect(m_Esci, &QAction::triggered, this, &QDialog::close);

    m_client = new QWidget(this);
    m_client->setObjectName(u"Client"_s);
    m_client->setFixedSize(kClientSize);
    outer->addWidget(m_client);

    auto *toolBar = new QToolBar(m_client);
    toolBar->setObjectName(u"ToolBar"_s);
    toolBar->setIconSize(QSize(24, 24));
    toolBar->setGeometry(0, 0, kClientSize.width(), kToolBarHeight);
    const auto makeButton = [&](const QString &name, const QString &icon, QAction *runs) {
        auto *b = new QToolButton(toolBar);
        b->setObjectName(name);
        b->setIcon(QIcon(u":/icons/editor/"_s + icon + u".png"_s));
        b->setAutoRaise(true);
        toolBar->addWidget(b);
        connect(b, &QToolButton::clicked, runs, &QAction::trigger);
        return b;
    };
    m_ToolButtonNew = makeButton(u"ToolButtonNew"_s, u"new"_s, m_Nuovo);
    m_ToolButtonOpen = makeButton(u"ToolButtonOpen"_s, u"open"_s, m_Apri);
    m_ToolButtonSave = makeButton(u"ToolButtonSave"_s, u"save"_s, m_Salva);

    m_Label1 = new QLabel(m_client);
    m_Label1->setObjectName(u"Label1"_s);
    m_Label1->setGeometry(8, kToolBarHeight + 8, 64, 16);
    m_KVSFileName = new QLabel(m_client);
    m_KVSFileName->setObjectName(u"KVSFileName"_s);
    QFont bold = m_KVSFileName->font();
    bold.setBold(true);
    m_KVSFileName->setFont(bold);
    m_KVSFileName->setGeometry(72, kToolBarHeight + 8, kClientSize.width() - 80, 16);

    m_Label4 = new QLabel(m_client);
    m_Label4->setObjectName(u"Label4"_s);
    m_Label4->setGeometry(8, kToolBarHeight + 35, 64, 16);
    m_PresenzaPesciTipoLuogo = new QComboBox(m_client);
    m_PresenzaPesciTipoLuogo->setObjectName(u"PresenzaPesciTipoLuogo"_s);
    m_PresenzaPesciTipoLuogo->setEditable(false);
    m_PresenzaPesciTipoLuogo->setGeometry(72, kToolBarHeight + 32, 150, 22);
    m_PresenzaPesciTipoLuogo->addItems({kFiumeLago.i, kMare.i});
    // A change by the user switches the grid; changes by the program do not.
    connect(m_PresenzaPesciTipoLuogo, &QComboBox::activated, this, [this] { AbilitaLista(); });

    const QRect gridRect(8, kToolBarHeight + 62, kClientSize.width() - 16,
                         kClientSize.height() - kToolBarHeight - 62 - kStatusHeight - 8);
    const auto makeGrid = [&](const QString &name, Acqua acqua) {
        auto *grid = new ValueListGrid(speciesKeys(acqua), u"0"_s, m_client);
        grid->setObjectName(name);
        grid->setGeometry(gridRect);
        grid->setColumnWidth(0, 160);
        grid->setValidator([](const QString &typed) { return ::LimitaPerc(typed); });
        connect(grid, &ValueListGrid::rowSelected, this,
                [this, grid](int row, const QString &key) { showSpecies(grid, row, key); });
        return grid;
    };
    m_Lista = makeGrid(u"Lista"_s, Acqua::Dolce);
    m_ListaMare = makeGrid(u"ListaMare"_s, Acqua::Mare);

    m_statusBar = new QStatusBar(m_client);
    m_statusBar->setObjectName(u"StatusBar"_s);
    m_statusBar->setSizeGripEnabled(false);
    m_statusBar->setGeometry(0, kClientSize.height() - kStatusHeight, kClientSize.width(),
                             kStatusHeight);

    outer->setSizeConstraint(QLayout::SetFixedSize);
    move(kPosition);
}

void TPresPesciForm::applyCaptions(bool en)
{
    setWindowTitle(kind().caption(en) + u"[*]"_s);
    m_KVSFileName->setText(kind().newFileName(en));
    m_Label1->setText(kFileNameLabel.in(en));
    m_Label4->setText(kTipo.in(en));
    m_File1->setTitle(kFileMenu.in(en));
    m_Nuovo->setText(kNew.in(en));
    m_Apri->setText(kOpen.in(en));
    m_Salva->setText(kSaveAs.in(en));
    m_Esci->setText(kExit.in(en));
}

void TPresPesciForm::applyHints(bool en)
{
    m_ToolButtonNew->setStatusTip(kNewHint.in(en));
    m_Nuovo->setStatusTip(kNewHint.in(en));
    m_ToolButtonOpen->setStatusTip(kOpenHint.in(en));
    m_Apri->setStatusTip(kOpenHint.in(en));
    m_ToolButtonSave->setStatusTip(kSaveHint.in(en));
    m_Salva->setStatusTip(kSaveHint.in(en));
    m_Esci->setStatusTip(kExitHint.in(en));
    m_PresenzaPesciTipoLuogo->setStatusTip(kTipoHint.in(en));
    m_Lista->setStatusTip(kListaHint.in(en));
    m_ListaMare->setStatusTip(kListaHint.in(en));
}

void TPresPesciForm::applyListTitles(bool en)
{
    for (ValueListGrid *grid : {m_Lista, m_ListaMare})
        grid->setTitles(kKeyTitle.in(en), kValueTitle.in(en));
}

void TPresPesciForm::SetEnglishCaption()
{
    applyCaptions(true);
}

void TPresPesciForm::SetEnglishHint()
{
    applyHints(true);
}

void TPresPesciForm::SetEnglishComboBox()
{
    m_PresenzaPesciTipoLuogo->clear();
    m_PresenzaPesciTipoLuogo->addItems({kFiumeLago.e, kMare.e});
    // No selection until the list's type is set.
    m_PresenzaPesciTipoLuogo->setCurrentIndex(-1);
}

void TPresPesciForm::SetEnglishListEditor()
{
    applyListTitles(true);
}

bool TPresPesciForm::event(QEvent *e)
{
    // A dialog has no status bar of its own: show hints in ours.
    if (e->type() == QEvent::StatusTip) {
        m_statusBar->showMessage(static_cast<QStatusTipEvent *>(e)->tip());
        return true;
    }
    return QDialog::event(e);
}

void TPresPesciForm::showEvent(QShowEvent *e)
{
    QDialog::showEvent(e);
    // Restoring a minimised window is no new opening.
    if (!e->spontaneous())
        FormShow();
}

void TPresPesciForm::FormShow()
{
    // An opening from the main window never inherits the commands an
    // opening from the venue editor disabled.
    if (m_fromLuogo)
        return;
    setNewOpenEnabled(true);
    // The list on show decides, however it was opened: a shipped list
    // opened from the command line or dropped stays unsaveable.
    AbilitaSave(m_KVSFileName->text());
}

void TPresPesciForm::runAction(void (TPresPesciForm::*action)())
{
    try {
        (this->*action)();
    } catch (const KvError &e) {
        m_shell.desktop().showError(e.text());
    }
}

bool TPresPesciForm::isModified() const
{
    return m_unsaved->isModified();
}

bool TPresPesciForm::mayDiscard()
{
    // A value still being typed is part of the changes.
    m_Lista->commitPendingEdit();
    m_ListaMare->commitPendingEdit();
    return m_unsaved->mayDiscard(m_KVSFileName->text(),
                                 [this] { runAction(&TPresPesciForm::Save); });
}

void TPresPesciForm::reject()
{
    if (mayDiscard())
        QDialog::reject();
}

QByteArray TPresPesciForm::content()
{
    TIniFileWriter w(m_shell.desktop());
    w.CreaInMemory();
    writeList(w);
    return w.memoryBytes();
}

void TPresPesciForm::setNewOpenEnabled(bool enabled)
{
    m_Nuovo->setEnabled(enabled);
    m_ToolButtonNew->setEnabled(enabled);
    m_Apri->setEnabled(enabled);
    m_ToolButtonOpen->setEnabled(enabled);
}

void TPresPesciForm::setSaveEnabled(bool enabled)
{
    m_Salva->setEnabled(enabled);
    m_ToolButtonSave->setEnabled(enabled);
}

QString TPresPesciForm::GetPathPresenzaPesci() const
{
    return m_shell.GetPathDatiKorvalis() + kindInfo(ItemKind::Luogo).folder + u"KVS/"_s;
}

QString TPresPesciForm::GetKVSFileName() const
{
    return m_KVSFileName->text();
}

bool TPresPesciForm::IsKvsOriginale(const QString &fileName)
{
    return isShippedPresenceList(fileName);
}

QString TPresPesciForm::LimitaPerc(const QString &text)
{
    return ::LimitaPerc(text);
}

ValueListGrid *TPresPesciForm::shownGrid() const
{
    return m_PresenzaPesciTipoLuogo->currentIndex() == kTipoMare ? m_ListaMare : m_Lista;
}

void TPresPesciForm::showSpecies(ValueListGrid *grid, int, const QString &key)
{
    if (!english())
        return;
    const Acqua acqua = grid == m_ListaMare ? Acqua::Mare : Acqua::Dolce;
    const QString text = kListaHint.e + TraduciPesce(key, true, acqua);
    grid->setStatusTip(text);
    m_statusBar->showMessage(text);
}

void TPresPesciForm::New()
{
    m_KVSFileName->setText(kind().newFileNameI);
    if (english()) {
        SetEnglishCaption();
        SetEnglishHint();
        SetEnglishComboBox();
        SetEnglishListEditor();
    }
    AzzeraValori();
    AbilitaTipoLuogo();
    AbilitaLista();
    AbilitaSave(kind().newFileNameI);
    m_unsaved->markClean();
}

void TPresPesciForm::AzzeraValori()
{
    m_Lista->setAllValues(u"0"_s);
    m_ListaMare->setAllValues(u"0"_s);
}

void TPresPesciForm::AbilitaTipoLuogo()
{
    const bool isNew = m_KVSFileName->text() == kind().newFileName(english());
    m_PresenzaPesciTipoLuogo->setEnabled(isNew);
    if (isNew)
        m_PresenzaPesciTipoLuogo->setCurrentIndex(kTipoDolce);
}

void TPresPesciForm::AbilitaLista()
{
    const bool mare = m_PresenzaPesciTipoLuogo->currentIndex() == kTipoMare;
    ValueListGrid *shown = mare ? m_ListaMare : m_Lista;
    ValueListGrid *hidden = mare ? m_Lista : m_ListaMare;
    // An edit left open in the grid going away keeps its value there.
    hidden->commitPendingEdit();
    hidden->hide();
    shown->show();
    shown->selectDataRow(0);
}

void TPresPesciForm::AbilitaSave(const QString &fileName)
{
    setSaveEnabled(!IsKvsOriginale(fileName));
}

void TPresPesciForm::Load()
{
    if (!m_shell.OpenDialogExecute(kind().fileFilter(), GetPathPresenzaPesci()))
        return;
    LoadFile(m_shell.OpenDialogFileName());
}

void TPresPesciForm::LoadFile(const QString &path)
{
    const QFileInfo chosen(path);
    LoadDati(chosen.absolutePath() + u'/', chosen.fileName());
}

void TPresPesciForm::LoadDati(const QString &folder, const QString &fileName)
{
    const QString dir = folder.isEmpty() ? GetPathPresenzaPesci() : folder;
    FileRead read;
    const IniProfile ini = IniProfile::fromFile(dir + fileName, &read);
    if (!read.ok() && read.status != FileRead::Status::Missing)
        throw KvError(m_shell.readRefusal(dir + fileName, read));
    const PresenzaPesci list = readPresenzaPesci(ini);
    m_Lista->cancelPendingEdit();
    m_ListaMare->cancelPendingEdit();
    m_KVSFileName->setText(QFileInfo(fileName).fileName());
    m_PresenzaPesciTipoLuogo->setCurrentIndex(list.tipo == Acqua::Mare ? kTipoMare : kTipoDolce);
    // Shown as read: limiting happens only when a value is edited.
    for (int row = 0; row < m_Lista->keyCount(); ++row)
        m_Lista->setValue(row, QString::number(list.dolce[std::size_t(row)]));
    m_Lista->selectDataRow(0);
    for (int row = 0; row < m_ListaMare->keyCount(); ++row)
        m_ListaMare->setValue(row, QString::number(list.mare[std::size_t(row)]));
    m_ListaMare->selectDataRow(0);
    AbilitaTipoLuogo();
    AbilitaLista();
    AbilitaSave(fileName);
    m_unsaved->markClean();
}

void TPresPesciForm::Save()
{
    // A value still being typed belongs to the list being saved.
    m_Lista->commitPendingEdit();
    m_ListaMare->commitPendingEdit();
    if (!m_shell.SaveDialogExecute(kind().fileFilter(), GetPathPresenzaPesci(),
                                   kind().defaultExtension(),
                                   QFileInfo(m_KVSFileName->text()).fileName()))
        return;
    const QFileInfo chosen(m_shell.SaveDialogFileName());
    if (IsKvsOriginale(chosen.fileName()))
        m_shell.ShowMessaggio(kShipped.i, kShipped.e);
    else
        SaveDati(chosen.absolutePath() + u'/', chosen.fileName());
    AbilitaTipoLuogo();
    AbilitaLista();
}

void TPresPesciForm::SaveDati(const QString &folder, const QString &fileName)
{
    const QString dir = folder.isEmpty() ? GetPathPresenzaPesci() : folder;
    m_Lista->commitPendingEdit();
    m_ListaMare->commitPendingEdit();
    {
        TIniFileWriter w(m_shell.desktop());
        w.Crea(dir + fileName);
        writeList(w);
        w.Close();
    }
    m_KVSFileName->setText(QFileInfo(fileName).fileName());
    m_unsaved->markClean();
}

void TPresPesciForm::writeList(TIniFileWriter &w)
{
    const bool mare = m_PresenzaPesciTipoLuogo->currentIndex() == kTipoMare;
    writePresenzaPesci(w, kPresenzaTitlePrefix + m_KVSFileName->text(),
                       mare ? Acqua::Mare : Acqua::Dolce,
                       cellNumbers(mare ? *m_ListaMare : *m_Lista));
}

void TPresPesciForm::ShowFromLuogo(const QString &fileName)
{
    if (english()) {
        SetEnglishCaption();
        SetEnglishHint();
        SetEnglishComboBox();
        SetEnglishListEditor();
    }
    LoadDati(QString(), fileName);
    setNewOpenEnabled(false);
    m_fromLuogo = true;
    exec();
    m_fromLuogo = false;
}
