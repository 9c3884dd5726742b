#include "itemeditorform.h"

#include "desktopservices.h"
#include "editorwidgets.h"
#include "filenames.h"
#include "inifilewriter.h"
#include "inireader.h"
#include "korvalisshell.h"
#include "kverror.h"
#include "picture.h"
#include "regularfile.h"
#include "unsavedchanges.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QKeySequence>
#include <QDropEvent>
#include <QLabel>
#include <QMimeData>
#include <QUrl>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScopeGuard>
#include <QSlider>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {
constexpr int kNameMax = 32;
constexpr int kDescrMax = 256;
constexpr int kToolBarHeight = 30;
constexpr int kStatusHeight = 20;
constexpr int kRowHeight = 26;
constexpr int kLabelX = 16;
constexpr int kControlX = 140;
constexpr int kControlWidth = 200;

const QString kNome = u"NOME"_s;
const QString kName = u"NAME"_s;
const QString kDescrizione = u"DESCRIZIONE"_s;
const QString kDescription = u"DESCRIPTION"_s;

void writeComment(TIniFileWriter &w, const QStringList &lines)
{
    if (lines.isEmpty())
        return;
    w.AddNewComment(lines.first());
    for (qsizetype i = 1; i < lines.size(); ++i)
        w.AddComment(lines[i]);
}

// Whether copying `source` to `target` would replace another file with
// different bytes.
bool replacesOtherFile(const QString &source, const QString &target)
{
    if (!isRegularFile(target) || !isRegularFile(source))
        return false;
    const QFileInfo s(source);
    const QFileInfo t(target);
    if (s.canonicalFilePath() == t.canonicalFilePath())
        return false;
    if (s.size() != t.size())
        return true;
    QFile a(source);
    QFile b(target);
    if (!a.open(QIODevice::ReadOnly) || !b.open(QIODevice::ReadOnly))
        return true;
    while (!a.atEnd())
        if (a.read(1 << 16) != b.read(1 << 16))
            return true;
    return false;
}
} // namespace

TItemEditorForm::TItemEditorForm(KorvalisShell &shell, KindForm form, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                          | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint)
    , m_shell(shell)
    , m_form(std::move(form))
{
    setObjectName(info().instanceName);
    m_unsaved = new UnsavedChanges(*this, shell, [this] { return content(); });
    buildUi();
    applyCaptions(false);
    applyHints(false);
}

TItemEditorForm::~TItemEditorForm() = default;

bool TItemEditorForm::english() const
{
    return m_shell.IsLinguaInglese();
}

QString TItemEditorForm::kindFolder() const
{
    return m_shell.GetPathDatiKorvalis() + info().folder;
}

QString TItemEditorForm::fileNameLabel() const
{
    return m_fileName->text();
}

void TItemEditorForm::buildUi()
{
    QFont f(u"Tahoma"_s);
    f.setPointSize(8);
    setFont(f);
    const QString prefix = info().prefix;

    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);

    auto *menu = new QMenuBar(this);
    menu->setObjectName(u"MainMenu"_s);
    outer->setMenuBar(menu);
    // Texts come later, from the language tables; names are fixed here.
    const auto menuNamed = [&](const QString &name) {
        QMenu *m = menu->addMenu(QString());
        m->setObjectName(name);
        return m;
    };
    const auto actionNamed = [](QMenu *m, const QString &name) {
        QAction *a = m->addAction(QString());
        a->setObjectName(name);
        return a;
    };
    m_File1 = menuNamed(u"File1"_s);
    m_Nuovo = actionNamed(m_File1, u"Nuovo"_s);
    m_Apri = actionNamed(m_File1, u"Apri"_s);
    m_Salva = actionNamed(m_File1, u"Salva"_s);
    m_Salva->setShortcut(QKeySequence::Save);
    m_File1->addSeparator()->setObjectName(u"N1"_s);
    m_Esci = actionNamed(m_File1, u"Esci"_s);
    m_Installa1 = menuNamed(u"Installa1"_s);
    m_Unzip1 = actionNamed(m_Installa1, u"Unzip1"_s);
    m_Zip1 = actionNamed(m_Installa1, u"Zip1"_s);
    m_Installa1->menuAction()->setVisible(info().hasArchiveMenu);

    // The user's New, Open and Import replace what is on show: ask first.
    const auto newItem = [this] {
        runAction([this] {
            if (mayDiscard())
                New();
        });
    };
    const auto openItem = [this] {
        runAction([this] {
            if (mayDiscard())
                Load();
        });
    };
    connect(m_Nuovo, &QAction::triggered, this, newItem);
    connect(m_Apri, &QAction::triggered, this, openItem);
    connect(m_Salva, &QAction::triggered, this, [this] { runAction([this] { Save(); }); });
    connect(m_Esci, &QAction::triggered, this, &QDialog::close);
    connect(m_Unzip1, &QAction::triggered, this, [this] {
        runAction([this] {
            if (mayDiscard())
                Unzip1Click();
        });
    });
    connect(m_Zip1, &QAction::triggered, this, [this] { runAction([this] { Zip1Click(); }); });

    m_client = new QWidget(this);
    m_client->setObjectName(u"Client"_s);
    m_client->setFixedSize(m_form.clientSize);
    outer->addWidget(m_client);

    auto *toolBar = new QToolBar(m_client);
    toolBar->setObjectName(u"ToolBar"_s);
    toolBar->setIconSize(QSize(24, 24));
    toolBar->setGeometry(0, 0, m_form.clientSize.width(), kToolBarHeight);
    const auto makeButton = [&](const QString &name, const QString &icon) {
        auto *b = new QToolButton(toolBar);
        b->setObjectName(name);
        b->setIcon(QIcon(u":/icons/editor/"_s + icon + u".png"_s));
        b->setAutoRaise(true);
        toolBar->addWidget(b);
        return b;
    };
    m_ToolButtonNew = makeButton(u"ToolButtonNew"_s, u"new"_s);
    m_ToolButtonOpen = makeButton(u"ToolButtonOpen"_s, u"open"_s);
    m_ToolButtonSave = makeButton(u"ToolButtonSave"_s, u"save"_s);
    connect(m_ToolButtonNew, &QToolButton::clicked, this, newItem);
    connect(m_ToolButtonOpen, &QToolButton::clicked, this, openItem);
    connect(m_ToolButtonSave, &QToolButton::clicked, this,
            [this] { runAction([this] { Save(); }); });

    m_Label1 = new QLabel(m_client);
    m_Label1->setObjectName(u"Label1"_s);
    m_Label1->setGeometry(8, kToolBarHeight + 8, 70, 16);
    m_fileName = new QLabel(m_client);
    m_fileName->setObjectName(prefix + u"FileName"_s);
    QFont bold = m_fileName->font();
    bold.setBold(true);
    m_fileName->setFont(bold);
    m_fileName->setGeometry(80, kToolBarHeight + 8, m_form.clientSize.width() - 88, 16);

    m_PageControlDescr = new QTabWidget(m_client);
    m_PageControlDescr->setObjectName(u"PageControlDescr"_s);
    const int tabTop = kToolBarHeight + 30;
    const QSize tab = m_form.tabSize;
    m_PageControlDescr->setGeometry(8, tabTop, tab.width(), tab.height());
    const auto makeTab = [&](const QString &name, NameEdit *&nome, LimitedMemo *&descr,
                             const QString &nomeName, const QString &descrName) {
        auto *page = new QWidget;
        page->setObjectName(name);
        auto *l2 = new QLabel(page);
        l2->setObjectName(u"Label2"_s);
        l2->setGeometry(8, 8, 64, 16);
        m_label2.push_back(l2);
        nome = new NameEdit(kNameMax, page);
        nome->setObjectName(nomeName);
        nome->setGeometry(80, 5, 280, 22);
        auto *l3 = new QLabel(page);
        l3->setObjectName(u"Label3"_s);
        l3->setGeometry(8, 34, 70, 16);
        m_label3.push_back(l3);
        descr = new LimitedMemo(kDescrMax, page);
        descr->setObjectName(descrName);
        descr->setGeometry(80, 32, tab.width() - 92, tab.height() - 65);
        m_PageControlDescr->addTab(page, QString());
    };
    makeTab(u"TabSheet1"_s, m_nome, m_descr, prefix + u"Nome"_s, prefix + u"Descr"_s);
    makeTab(u"TabSheet2"_s, m_nomeEng, m_descrEng, prefix + u"NomeEng"_s, prefix + u"DescrEng"_s);

    buildFields(tabTop + tab.height() + 8);

    m_statusBar = new QStatusBar(m_client);
    m_statusBar->setObjectName(u"StatusBar"_s);
    m_statusBar->setSizeGripEnabled(false);
    m_statusBar->setGeometry(0, m_form.clientSize.height() - kStatusHeight,
                             m_form.clientSize.width(), kStatusHeight);

    // Fixed border: the window is exactly the menu bar over the client area.
    outer->setSizeConstraint(QLayout::SetFixedSize);
    move(m_form.position);
}

void TItemEditorForm::buildFields(int top)
{
    int y = top;
    for (size_t index = 0; index < m_form.fields.size(); ++index) {
        const FieldSpec &spec = m_form.fields[index];
        FieldWidgets w;
        if (!spec.label.isEmpty()) {
            w.label = new QLabel(m_client);
            w.label->setObjectName(spec.label);
        }
        if (spec.type == FieldSpec::Type::Picture) {
            y = addPictureRow(index, w, y);
            m_fields.push_back(w);
            continue;
        }
        const int width = spec.width > 0 ? spec.width : kControlWidth;
        // The kind's own geometry, or the next row of the layout.
        const QRect rect = spec.rect.isNull() ? QRect(kControlX, y, width, 22) : spec.rect;
        switch (spec.type) {
        case FieldSpec::Type::List: {
            auto *combo = new QComboBox(m_client);
            combo->setEditable(false);
            combo->addItems(spec.entriesI);
            combo->setMaxVisibleItems(16);
            // Only a pick by the user, not a selection set by the program.
            connect(combo, &QComboBox::activated, this,
                    [this, index] { runAction([this, index] { listPicked(index); }); });
            w.control = combo;
            break;
        }
        case FieldSpec::Type::TrackBar: {
            auto *slider = new QSlider(Qt::Horizontal, m_client);
            slider->setRange(spec.minimum, spec.maximum);
            if (spec.tickInterval > 0) {
                slider->setTickInterval(spec.tickInterval);
                slider->setTickPosition(QSlider::TicksBelow);
            }
            if (spec.pageStep > 0)
                slider->setPageStep(spec.pageStep);
            slider->setValue(spec.minimum);
            if (!spec.valueLabel.isEmpty()) {
                w.valueLabel = new QLabel(m_client);
                w.valueLabel->setObjectName(spec.valueLabel);
                const int x = rect.x() + rect.width() + 8;
                w.valueLabel->setGeometry(x, rect.y() + 3,
                                          std::min(80, m_form.clientSize.width() - x), 16);
                if (!spec.valueLabelPos.isNull())
                    w.valueLabel->move(spec.valueLabelPos);
                if (spec.valueText)
                    w.valueLabel->setText(spec.valueText(slider->value(), false));
                // QSlider signals only a real change of position, as the
                // label's handler expects.
                connect(slider, &QSlider::valueChanged, this,
                        [this, index](int pos) { updateValueLabel(index, pos); });
            }
            w.control = slider;
            break;
        }
        case FieldSpec::Type::Button: {
            auto *button = new QPushButton(m_client);
            connect(button, &QPushButton::clicked, this,
                    [this, index] { runAction([this, index] { buttonClicked(index); }); });
            w.control = button;
            break;
        }
        case FieldSpec::Type::Picture:
            break;
        }
        w.control->setObjectName(spec.control);
        w.control->setGeometry(rect);
        placeLabel(index, w, rect.y() + 3);
        m_fields.push_back(w);
        if (spec.rect.isNull())
            y += kRowHeight;
    }
    Q_ASSERT(std::count_if(m_form.fields.cbegin(), m_form.fields.cend(),
                           [](const FieldSpec &f) { return f.type == FieldSpec::Type::Picture; })
             == info().pictureCount);
}

void TItemEditorForm::placeLabel(size_t index, FieldWidgets &w, int y)
{
    if (!w.label)
        return;
    const FieldSpec &spec = m_form.fields[index];
    const int controlX = w.control->x();
    if (spec.labelPos.isNull()) {
        w.label->setGeometry(kLabelX, y, std::max(40, controlX - kLabelX - 8), 16);
        return;
    }
    // A label on the control's line ends before it; one above it may be wider.
    const bool besideControl =
        spec.labelPos.x() < controlX && std::abs(spec.labelPos.y() - w.control->y()) < 20;
    const int width = besideControl ? controlX - spec.labelPos.x() - 4
                                    : std::min(150, m_form.clientSize.width() - spec.labelPos.x());
    w.label->setGeometry(QRect(spec.labelPos, QSize(width, 16)));
}

int TItemEditorForm::addPictureRow(size_t index, FieldWidgets &w, int y)
{
    const FieldSpec &spec = m_form.fields[index];
    const QSize view = spec.viewSize;
    const bool inRow = spec.rect.isNull();
    if (inRow)
        y += 4;
    const QRect frame = inRow ? QRect(kControlX, y, view.width() + 4, view.height() + 4)
                              : spec.rect.adjusted(-2, -2, 2, 2);
    w.frame = new QFrame(m_client);
    w.frame->setObjectName(spec.frame);
    w.frame->setFrameShape(QFrame::Box);
    w.frame->setFrameShadow(QFrame::Sunken);
    w.frame->setGeometry(frame);
    w.frame->setAcceptDrops(true);
    w.frame->installEventFilter(this);
    w.view = new PictureView(w.frame);
    w.view->setObjectName(spec.control);
    w.view->setGeometry(2, 2, view.width(), view.height());
    w.button = new QToolButton(m_client);
    w.button->setObjectName(spec.button);
    w.button->setIcon(QIcon(u":/icons/editor/photo.png"_s));
    w.button->setGeometry(QRect(
        spec.buttonPos.isNull() ? QPoint(frame.x() + frame.width() + 8, frame.y()) : spec.buttonPos,
        QSize(25, 25)));
    w.control = w.button;
    if (w.label) {
        const QPoint at = spec.labelPos.isNull() ? QPoint(kLabelX, frame.y() + 4) : spec.labelPos;
        // Left of the frame it ends before it; above it, it may be wider.
        const bool beside = at.x() < frame.x() && at.y() >= frame.y() - 4;
        const int width =
            beside ? frame.x() - at.x() - 8 : std::min(150, m_form.clientSize.width() - at.x());
        w.label->setGeometry(QRect(at, QSize(width, 16)));
    }
    if (!spec.sizeLabel.isEmpty()) {
        const QRect under = w.label ? w.label->geometry().translated(0, 18)
                                    : QRect(kLabelX, frame.y() + 22, 100, 16);
        w.sizeLabel = new QLabel(m_client);
        w.sizeLabel->setObjectName(spec.sizeLabel);
        w.sizeLabel->setGeometry(under);
    }
    connect(w.button, &QToolButton::clicked, this,
            [this, index] { runAction([this, index] { pickPicture(index); }); });
    return inRow ? y + view.height() + 4 + 8 : y;
}

namespace {
// Texts of the elements every editor window has.
const TextPair kFileNameLabel{u"Nome File"_s, u"File Name"_s};
const TextPair kNameLabel{u"Nome"_s, u"Name"_s};
const TextPair kDescrLabel{u"Descrizione"_s, u"Description"_s};
const TextPair kTab1{u"Italiano"_s, u"Italian"_s};
const TextPair kTab2{u"Inglese"_s, u"English"_s};
const TextPair kFileMenu{u"File"_s, u"File"_s};
const TextPair kNew{u"Nuovo"_s, u"New"_s};
const TextPair kOpen{u"Apri"_s, u"Open"_s};
const TextPair kSaveAs{u"Salva..."_s, u"Save as"_s};
const TextPair kSave{u"Salva"_s, u"Save"_s};
const TextPair kExit{u"Esci"_s, u"Exit"_s};
const TextPair kExitHint{u"Uscita"_s, u"Exit"_s};
const TextPair kInstall{u"Installa"_s, u"Install"_s};
const TextPair kZipImport{u"Importa Zip"_s, u"Zip Import"_s};
const TextPair kZipExport{u"Esporta Zip"_s, u"Zip Export"_s};
} // namespace

void TItemEditorForm::applyCaptions(bool en)
{
    setWindowTitle(info().caption(en) + u"[*]"_s);
    m_fileName->setText(info().newFileName(en));
    m_Label1->setText(kFileNameLabel.in(en));
    for (QLabel *l : m_label2)
        l->setText(kNameLabel.in(en));
    for (QLabel *l : m_label3)
        l->setText(kDescrLabel.in(en));
    m_PageControlDescr->setTabText(0, kTab1.in(en));
    m_PageControlDescr->setTabText(1, kTab2.in(en));
    m_File1->setTitle(kFileMenu.in(en));
    m_Nuovo->setText(kNew.in(en));
    m_Apri->setText(kOpen.in(en));
    m_Salva->setText(kSaveAs.in(en));
    m_Esci->setText(kExit.in(en));
    m_Installa1->setTitle(kInstall.in(en));
    m_Unzip1->setText(kZipImport.in(en));
    m_Zip1->setText(kZipExport.in(en));
    for (size_t i = 0; i < m_fields.size(); ++i) {
        if (m_fields[i].label)
            m_fields[i].label->setText(m_form.fields[i].caption.in(en));
        if (m_form.fields[i].type == FieldSpec::Type::Button)
            static_cast<QPushButton *>(m_fields[i].control)
                ->setText(m_form.fields[i].caption.in(en));
        if (m_fields[i].sizeLabel)
            m_fields[i].sizeLabel->setText(m_form.fields[i].sizeCaption.in(en));
    }
    captionsExtra(en);
}

void TItemEditorForm::applyHints(bool en)
{
    // "Nuovo Amo", "New hook": the toolbar and File entries name the item.
    const QString &item = m_form.itemName.in(en);
    const auto naming = [&](const TextPair &verb, const TextPair &own) -> QString {
        return own.i.isEmpty() ? verb.in(en) + u' ' + item : own.in(en);
    };
    const QString newHint = naming(kNew, m_form.newHint);
    m_ToolButtonNew->setStatusTip(m_form.newButtonHint.i.isEmpty() ? newHint
                                                                   : m_form.newButtonHint.in(en));
    m_Nuovo->setStatusTip(newHint);
    m_ToolButtonOpen->setStatusTip(naming(kOpen, m_form.openHint));
    m_Apri->setStatusTip(naming(kOpen, m_form.openHint));
    m_ToolButtonSave->setStatusTip(naming(kSave, m_form.saveHint));
    m_Salva->setStatusTip(naming(kSave, m_form.saveHint));
    m_Esci->setStatusTip(kExitHint.in(en));
    m_Unzip1->setStatusTip(kZipImport.in(en));
    m_Zip1->setStatusTip(kZipExport.in(en));
    for (QWidget *w : {static_cast<QWidget *>(m_nome), static_cast<QWidget *>(m_nomeEng)})
        w->setStatusTip(m_form.nameHint.in(en));
    for (QWidget *w : {static_cast<QWidget *>(m_descr), static_cast<QWidget *>(m_descrEng)})
        w->setStatusTip(m_form.descrHint.in(en));
    for (size_t i = 0; i < m_fields.size(); ++i)
        m_fields[i].control->setStatusTip(m_form.fields[i].hint.in(en));
    hintsExtra(en);
}

void TItemEditorForm::SetEnglishCaption()
{
    applyCaptions(true);
}

void TItemEditorForm::SetEnglishHint()
{
    applyHints(true);
}

void TItemEditorForm::SetEnglishComboBox()
{
    for (size_t i = 0; i < m_fields.size(); ++i) {
        const FieldSpec &spec = m_form.fields[i];
        if (spec.type != FieldSpec::Type::List || spec.entriesE.isEmpty())
            continue;
        auto *combo = static_cast<QComboBox *>(m_fields[i].control);
        combo->clear();
        combo->addItems(spec.entriesE);
    }
}

bool TItemEditorForm::event(QEvent *e)
{
    // A dialog has no status bar of its own: show hints in ours.
    if (e->type() == QEvent::StatusTip) {
        m_statusBar->showMessage(static_cast<QStatusTipEvent *>(e)->tip());
        return true;
    }
    return QDialog::event(e);
}

void TItemEditorForm::runAction(const std::function<void()> &action)
{
    try {
        action();
    } catch (const KvError &e) {
        m_shell.desktop().showError(e.text());
    }
}

void TItemEditorForm::contentChanged()
{
    m_unsaved->changed();
}

bool TItemEditorForm::isModified() const
{
    return m_unsaved->isModified();
}

bool TItemEditorForm::mayDiscard()
{
    commitEdits();
    return m_unsaved->mayDiscard(m_fileName->text(), [this] { runAction([this] { Save(); }); });
}

void TItemEditorForm::reject()
{
    if (mayDiscard())
        QDialog::reject();
}

QByteArray TItemEditorForm::content()
{
    TIniFileWriter w(m_shell.desktop());
    w.CreaInMemory();
    writeItem(w);
    QByteArray bytes = w.memoryBytes();
    // Save copies the pictures too: another file of the same name is a change.
    for (size_t i = 0; i < m_fields.size(); ++i)
        if (isPicture(i))
            bytes += '\0' + m_fields[i].path.toUtf8();
    return bytes;
}

void TItemEditorForm::New()
{
    m_fileName->setText(info().newFileNameI);
    m_itemPath.clear();
    if (english()) {
        SetEnglishCaption();
        SetEnglishHint();
        SetEnglishComboBox();
    }
    m_nome->setText(QString());
    m_nomeEng->setText(QString());
    m_descr->setText(QString());
    m_descrEng->setText(QString());
    for (size_t i = 0; i < m_fields.size(); ++i)
        setFieldNew(i);
    newExtra();
    m_PageControlDescr->setCurrentIndex(0);
    m_unsaved->markClean();
}

void TItemEditorForm::setFieldNew(size_t i)
{
    const FieldSpec &spec = m_form.fields[i];
    switch (spec.type) {
    case FieldSpec::Type::List:
        static_cast<QComboBox *>(m_fields[i].control)->setCurrentIndex(spec.newValue);
        break;
    case FieldSpec::Type::TrackBar:
        static_cast<QSlider *>(m_fields[i].control)->setValue(spec.newValue);
        break;
    case FieldSpec::Type::Picture:
        clearPicture(i);
        break;
    case FieldSpec::Type::Button:
        break;
    }
}

void TItemEditorForm::readField(size_t i, const IniProfile &ini, const QString &folder)
{
    const FieldSpec &spec = m_form.fields[i];
    if (spec.type == FieldSpec::Type::Picture) {
        const QString name = ini.readString(info().section, spec.key, QString());
        // A shared item names its pictures by bare names; anything else
        // would make the editor open, copy and pack a file elsewhere, or
        // the game on Windows open a device.
        if (!name.isEmpty() && !FileNames::isBareFileName(name)) {
            clearPicture(i);
            m_shell.ShowMessaggio(
                u"Il nome della foto %1=\"%2\" non è un semplice nome di file nella cartella dell'elemento (contiene una cartella, un'unità o un nome riservato di Windows): la foto non viene aperta e l'elemento resta senza."_s
                    .arg(spec.key, name),
                u"The picture name %1=\"%2\" is no plain file name in the item's folder (it holds a folder, a drive or a name Windows reserves): the picture is not opened and the item is left without it."_s
                    .arg(spec.key, name));
            return;
        }
        loadPicture(i, folder + name, m_form.readHintsFirst);
        return;
    }
    const int stored = ini.readInteger(info().section, spec.key, spec.readDefault);
    switch (spec.type) {
    case FieldSpec::Type::List:
        static_cast<QComboBox *>(m_fields[i].control)->setCurrentIndex(spec.decodeIndex(stored));
        break;
    case FieldSpec::Type::TrackBar:
        static_cast<QSlider *>(m_fields[i].control)->setValue(spec.clampPosition(stored));
        break;
    case FieldSpec::Type::Picture:
    case FieldSpec::Type::Button:
        break;
    }
}

int TItemEditorForm::fieldValue(size_t i) const
{
    const FieldSpec &spec = m_form.fields[i];
    switch (spec.type) {
    case FieldSpec::Type::List:
        return spec.encode(static_cast<QComboBox *>(m_fields[i].control)->currentIndex());
    case FieldSpec::Type::TrackBar:
        return static_cast<QSlider *>(m_fields[i].control)->value();
    case FieldSpec::Type::Picture:
    case FieldSpec::Type::Button:
        break;
    }
    return 0;
}

std::vector<size_t> TItemEditorForm::readSequence() const
{
    std::vector<size_t> order;
    std::vector<bool> taken(m_fields.size(), false);
    for (const QString &key : m_form.readOrder) {
        const auto found =
            std::find_if(m_form.fields.cbegin(), m_form.fields.cend(),
                         [&](const FieldSpec &f) { return f.stored() && f.key == key; });
        if (found == m_form.fields.cend())
            qFatal("%s reads a key it does not have: %s", qPrintable(info().windowClass),
                   qPrintable(key));
        const auto i = size_t(found - m_form.fields.cbegin());
        if (!taken[i])
            order.push_back(i);
        taken[i] = true;
    }
    for (size_t i = 0; i < m_fields.size(); ++i)
        if (!taken[i] && m_form.fields[i].stored())
            order.push_back(i);
    return order;
}

size_t TItemEditorForm::fieldIndex(const QString &control) const
{
    for (size_t i = 0; i < m_form.fields.size(); ++i)
        if (m_form.fields[i].control == control)
            return i;
    qFatal("%s has no field %s", qPrintable(info().windowClass), qPrintable(control));
}

int TItemEditorForm::listIndex(size_t field) const
{
    return static_cast<QComboBox *>(m_fields[field].control)->currentIndex();
}

void TItemEditorForm::setListIndex(size_t field, int index)
{
    static_cast<QComboBox *>(m_fields[field].control)->setCurrentIndex(index);
}

int TItemEditorForm::position(size_t field) const
{
    return static_cast<QSlider *>(m_fields[field].control)->value();
}

void TItemEditorForm::setPosition(size_t field, int position)
{
    static_cast<QSlider *>(m_fields[field].control)->setValue(position);
}

void TItemEditorForm::setFieldEnabled(size_t field, bool enabled)
{
    m_fields[field].control->setEnabled(enabled);
}

void TItemEditorForm::setValueLabelText(size_t field, const QString &text)
{
    m_fields[field].valueLabel->setText(text);
}

void TItemEditorForm::updateValueLabel(size_t i, int position)
{
    const FieldSpec &spec = m_form.fields[i];
    if (m_fields[i].valueLabel && spec.valueText)
        m_fields[i].valueLabel->setText(spec.valueText(position, english()));
}

QString TItemEditorForm::fileNameFoto() const
{
    for (size_t i = 0; i < m_fields.size(); ++i)
        if (isPicture(i))
            return m_fields[i].path;
    return QString();
}

QWidget *TItemEditorForm::pathHintHolder(size_t i) const
{
    const FieldWidgets &w = m_fields[i];
    return m_form.fields[i].pathHintOnView ? static_cast<QWidget *>(w.view) : w.frame;
}

void TItemEditorForm::clearPicture(size_t i)
{
    FieldWidgets &w = m_fields[i];
    w.path.clear();
    w.view->clear();
    pathHintHolder(i)->setStatusTip(w.path);
    m_unsaved->changed();
}

void TItemEditorForm::loadPicture(size_t i, const QString &path, bool hintFirst)
{
    FieldWidgets &w = m_fields[i];
    const QString resolved = Picture::resolve(path);
    const QFileInfo fi(resolved);
    // A FIFO or device would block the window for ever.
    if (fi.exists() && !fi.isDir() && !isRegularFile(resolved)) {
        clearPicture(i);
        const QString name = QDir::toNativeSeparators(resolved);
        throw KvError(m_shell.inLingua(
            u"La foto \"%1\" non è un file normale: non viene aperta."_s.arg(name),
            u"The picture \"%1\" is not a regular file: it is not opened."_s.arg(name)));
    }
    w.path = resolved;
    m_unsaved->changed();
    // The hint names the picture on show; only a kind that sets it before
    // loading shows a path that then fails.
    if (hintFirst)
        pathHintHolder(i)->setStatusTip(w.path);
    try {
        w.view->setImage(Picture::load(w.path, m_form.fields[i].viewSize));
    } catch (const Picture::Damaged &d) {
        w.view->clear();
        throw KvError(english()
                          ? u"The picture \"%1\" is damaged: %2."_s.arg(d.path(), d.reason())
                          : u"L'immagine \"%1\" e' danneggiata: %2."_s.arg(d.path(), d.reason()));
    } catch (const KvError &) {
        // Do not leave the previous item's picture on show.
        w.view->clear();
        throw;
    }
    pathHintHolder(i)->setStatusTip(w.path);
}

void TItemEditorForm::Load()
{
    const KindInfo &k = info();
    if (!m_shell.OpenDialogExecute(k.fileFilter(), kindFolder()))
        return;
    LoadFile(m_shell.OpenDialogFileName());
}

void TItemEditorForm::LoadFile(const QString &path)
{
    const KindInfo &k = info();
    FileRead read;
    const IniProfile ini = IniProfile::fromFile(path, &read);
    // Nothing of the item on show changes when its file is refused.
    if (!read.ok() && read.status != FileRead::Status::Missing)
        throw KvError(m_shell.readRefusal(path, read));
    // Whatever part of the file gets shown, the program set it, not the user.
    const auto loaded = qScopeGuard([this] { m_unsaved->markClean(); });
    m_fileName->setText(QFileInfo(path).fileName());
    m_itemPath = QFileInfo(path).absoluteFilePath();

    const QString &sect = k.section;
    m_nome->setText(ini.readString(sect, kNome, m_form.defNome));
    m_nomeEng->setText(ini.readString(sect, kName, m_form.defName));
    m_descr->setText(ini.readString(sect, kDescrizione, m_form.defDescrizione));
    m_descrEng->setText(ini.readString(sect, kDescription, m_form.defDescription));
    // Pictures are looked for next to the item file.
    const QString folder = QFileInfo(path).absolutePath() + u'/';
    // A kind may read its pictures after its own keys, so a picture that
    // cannot be loaded leaves nothing else unread.
    const bool picturesLast = m_form.readPicturesLast;
    for (size_t i : readSequence()) {
        if (picturesLast && isPicture(i))
            continue;
        readField(i, ini, folder);
        fieldRead(i);
    }
    readExtra(ini);
    for (size_t i = 0; picturesLast && i < m_fields.size(); ++i) {
        if (isPicture(i)) {
            readField(i, ini, folder);
            fieldRead(i);
        }
    }
    m_PageControlDescr->setCurrentIndex(0);
}

bool TItemEditorForm::Verifica()
{
    if (m_nome->text().isEmpty()) {
        m_shell.ShowMessaggio(m_form.msgNome.i, m_form.msgNome.e);
        return false;
    }
    if (m_descr->text().isEmpty()) {
        m_shell.ShowMessaggio(m_form.msgDescr.i, m_form.msgDescr.e);
        return false;
    }
    bool first = true;
    for (size_t i = 0; i < m_fields.size(); ++i) {
        if (!isPicture(i))
            continue;
        if (m_fields[i].path.isEmpty()) {
            const TextPair &msg = first ? m_form.msgFoto : m_form.fields[i].emptyMessage;
            m_shell.ShowMessaggio(msg.i, msg.e);
            return false;
        }
        first = false;
    }
    const auto value = [this](const QString &key) {
        for (size_t i = 0; i < m_fields.size(); ++i)
            if (m_form.fields[i].stored() && m_form.fields[i].key == key)
                return fieldValue(i);
        qFatal("%s checks a key it does not have: %s", qPrintable(info().windowClass),
               qPrintable(key));
    };
    for (const KindCheck &check : m_form.checks) {
        if (!check.ok(value)) {
            m_shell.ShowMessaggio(check.message.i, check.message.e);
            return false;
        }
    }
    return verificaExtra();
}

void TItemEditorForm::writeItem(TIniFileWriter &w)
{
    const KindInfo &k = info();
    w.AddTitle(k.titlePrefix + m_nome->text());
    w.AddSection(k.section);
    w.AddNewComment(m_form.nameComment);
    w.AddStringKey(kNome, m_nome->text());
    w.AddStringKey(kName, m_nomeEng->text());
    w.AddNewComment(m_form.descrComment);
    w.AddStringKey(kDescrizione, m_descr->text());
    w.AddStringKey(kDescription, m_descrEng->text());
    for (size_t i = 0; i < m_fields.size(); ++i) {
        if (!m_form.fields[i].stored())
            continue;
        writeComment(w, m_form.fields[i].comment);
        if (isPicture(i))
            w.AddStringKey(m_form.fields[i].key, QFileInfo(m_fields[i].path).fileName());
        else
            w.AddIntegerKey(m_form.fields[i].key, fieldValue(i));
    }
    writeExtra(w);
}

void TItemEditorForm::Save()
{
    const KindInfo &k = info();
    commitEdits();
    if (!Verifica())
        return;
    if (!m_shell.SaveDialogExecute(k.fileFilter(), kindFolder(), k.defaultExtension(),
                                   m_fileName->text()))
        return;
    const QString path = m_shell.SaveDialogFileName();
    if (!picturesMayReplace())
        return;

    // Pictures always go to the kind folder, by their bare names, each
    // durably and before the item file: a picture that cannot be copied
    // leaves the item file as it was.
    for (size_t i = 0; i < m_fields.size(); ++i) {
        if (!isPicture(i))
            continue;
        const QString source = m_fields[i].path;
        const QString target = pictureTarget(i);
        QString error;
        if (QFileInfo::exists(source) && !isRegularFile(source))
            error = m_shell.inLingua(u"non è un file normale"_s, u"it is not a regular file"_s);
        if (!error.isEmpty() || !Picture::copyTo(source, target, &error)) {
            m_shell.ShowMessaggio(
                u"Impossibile copiare la foto \"%1\" nella cartella \"%2\": %3. Il file %4 non è stato scritto."_s
                    .arg(source, kindFolder(), error, QFileInfo(path).fileName()),
                u"Could not copy the image \"%1\" into the folder \"%2\": %3. The file %4 was not written."_s
                    .arg(source, kindFolder(), error, QFileInfo(path).fileName()));
            return;
        }
        // The item names the picture as the folder does.
        if (QFileInfo(target).fileName() != QFileInfo(source).fileName()) {
            m_fields[i].path = target;
            pathHintHolder(i)->setStatusTip(target);
        }
    }

    {
        TIniFileWriter w(m_shell.desktop());
        w.Crea(path);
        writeItem(w);
        w.Close();
    }

    if (m_form.reloadPictureAfterSave) {
        for (size_t i = 0; i < m_fields.size(); ++i)
            if (isPicture(i))
                loadPicture(i, kindFolder() + QFileInfo(m_fields[i].path).fileName());
    }
    m_fileName->setText(QFileInfo(path).fileName());
    m_itemPath = QFileInfo(path).absoluteFilePath();
    savedExtra();
    m_unsaved->markClean();
}

bool TItemEditorForm::picturesMayReplace()
{
    for (size_t i = 0; i < m_fields.size(); ++i) {
        if (!isPicture(i))
            continue;
        const QString target = pictureTarget(i);
        if (!replacesOtherFile(m_fields[i].path, target))
            continue;
        const QString name = QFileInfo(target).fileName();
        const bool en = english();
        const QString text =
            en ? u"The folder %1 already holds a different picture \"%2\", perhaps another item's. Replace it?"_s
                     .arg(kindFolder(), name)
               : u"Nella cartella %1 c'è già una foto \"%2\" diversa, forse di un altro oggetto. Sostituirla?"_s
                     .arg(kindFolder(), name);
        const QStringList answers = en ? QStringList{u"Replace"_s, u"Cancel"_s}
                                       : QStringList{u"Sostituisci"_s, u"Annulla"_s};
        if (m_shell.desktop().ask(text, answers, 1, 1) != 0)
            return false;
    }
    return true;
}

// Names that differ only in case are one file on Windows. A picture saved
// as "x.jpg" where the kind folder holds "X.JPG" replaces that file under
// its name, and the item then stores "X.JPG": the item, the other items
// naming the file and the folder keep agreeing, and no twin is made.
QString TItemEditorForm::pictureTarget(size_t i) const
{
    return Picture::resolve(kindFolder() + QFileInfo(m_fields[i].path).fileName());
}

bool TItemEditorForm::eventFilter(QObject *watched, QEvent *e)
{
    const bool drag = e->type() == QEvent::DragEnter || e->type() == QEvent::DragMove;
    if (!drag && e->type() != QEvent::Drop)
        return QDialog::eventFilter(watched, e);
    for (size_t i = 0; i < m_fields.size(); ++i) {
        if (m_fields[i].frame != watched)
            continue;
        // One local file the pick would offer, as if chosen with the button.
        auto *d = static_cast<QDropEvent *>(e);
        const QList<QUrl> urls = d->mimeData()->urls();
        const QString path =
            urls.size() == 1 && urls[0].isLocalFile() ? urls[0].toLocalFile() : QString();
        if (path.isEmpty() || !m_form.fields[i].takesFile(path)) {
            d->ignore();
            return true;
        }
        d->acceptProposedAction();
        if (!drag)
            runAction([this, i, path] { takePicture(i, path); });
        return true;
    }
    return QDialog::eventFilter(watched, e);
}

void TItemEditorForm::pickPicture(size_t field)
{
    const QString &own = m_form.fields[field].filter;
    if (!m_shell.OpenDialogExecute(own.isEmpty() ? pictureFilter() : own, kindFolder()))
        return;
    takePicture(field, m_shell.OpenDialogFileName());
}

void TItemEditorForm::takePicture(size_t field, const QString &path)
{
    // Only what the pick offers, told by content as the game tells it: a
    // name typed into the dialog can be anything. A file that is not there
    // fails in the load, as a picture read from an item does.
    const FieldSpec &spec = m_form.fields[field];
    const FileNames::PictureFormat format = FileNames::sniffPicture(path);
    const bool bmpOnly = !spec.takesJpeg();
    if (QFileInfo(path).isFile()
        && (!spec.takesFile(path) || format == FileNames::PictureFormat::None
            || (bmpOnly && format != FileNames::PictureFormat::Bmp))) {
        const QString kinds = bmpOnly ? u"BMP (.bmp)"_s : u"JPEG (.jpg) o BMP (.bmp)"_s;
        m_shell.ShowMessaggio(
            u"Il file \"%1\" non e' un'immagine %2: l'immagine non cambia."_s.arg(path, kinds),
            u"The file \"%1\" is not a %2 picture: the image stays as it was."_s.arg(
                path, bmpOnly ? u"BMP (.bmp)"_s : u"JPEG (.jpg) or BMP (.bmp)"_s));
        return;
    }
    loadPicture(field, path, m_form.pickHintsFirst);
}

QString TItemEditorForm::zipFileList() const
{
    QString list = StrAddApici(m_fileName->text());
    for (size_t i = 0; i < m_fields.size(); ++i) {
        const QString name = QFileInfo(m_fields[i].path).fileName();
        if (isPicture(i) && FileNames::isBareFileName(name))
            list += u' ' + StrAddApici(name);
    }
    return list;
}
void TItemEditorForm::Zip1Click()
{
    QString proposed = m_fileName->text();
    proposed.remove(info().extension, Qt::CaseInsensitive);
    if (!m_shell.SaveDialogExecute(zipFilter(), m_shell.GetPathDatiKorvalis(), u"zip"_s, proposed))
        return;
    m_shell.Zip(m_shell.SaveDialogFileName(), kindFolder(), zipFileList());
}

void TItemEditorForm::Unzip1Click()
{
    if (!m_shell.OpenDialogExecute(zipFilter(), m_shell.GetPathDatiKorvalis()))
        return;
    const QString archive = QFileInfo(m_shell.OpenDialogFileName()).fileName();
    const QStringList replaceCancel{m_shell.inLingua(u"Sostituisci"_s, u"Replace"_s),
                                    m_shell.inLingua(u"Annulla"_s, u"Cancel"_s)};
    ArchiveTools::ImportHooks hooks;
    // An archive without an item of this kind most likely belongs to
    // another editor, whose folder the game would look in.
    hooks.accept = [this, archive](const ArchiveListing &listing) {
        QStringList kinds;
        for (const QString &name : listing.names) {
            const std::optional<ItemKind> kind = kindOfFileName(name);
            if (kind == info().kind)
                return true;
            if (kind)
                kinds.append(kindInfo(*kind).caption(english()));
        }
        kinds.removeDuplicates();
        const QString held = kinds.isEmpty() ? m_shell.inLingua(u"nessun elemento"_s, u"no item"_s)
                                             : kinds.join(u", "_s);
        const QString own = info().caption(english());
        const int answer = m_shell.desktop().ask(
            m_shell.inLingua(
                u"L'archivio %1 non contiene nessun file %2 ma: %3. Estrarlo comunque nella cartella %4?"_s
                    .arg(archive, own, held, info().folder),
                u"The archive %1 holds no %2 file but: %3. Unpack it into the folder %4 anyway?"_s
                    .arg(archive, own, held, info().folder)),
            {m_shell.inLingua(u"Estrai"_s, u"Unpack"_s),
             m_shell.inLingua(u"Annulla"_s, u"Cancel"_s)},
            1, 1);
        return answer == 0;
    };
    hooks.confirmReplace = [this, archive, replaceCancel](const QStringList &names) {
        const int answer = m_shell.desktop().ask(
            m_shell.inLingua(
                u"L'archivio %1 sostituirebbe questi file della cartella %2, diversi da quelli nell'archivio: %3. Sostituirli?"_s
                    .arg(archive, info().folder, names.join(u", "_s)),
                u"The archive %1 would replace these files of the folder %2, which differ from those in the archive: %3. Replace them?"_s
                    .arg(archive, info().folder, names.join(u", "_s))),
            replaceCancel, 1, 1);
        return answer == 0;
    };
    // What is on show must be what is on disk.
    hooks.imported = [this](const QStringList &replaced) {
        if (m_itemPath.isEmpty())
            return;
        const QString own = QFileInfo(m_itemPath).canonicalFilePath();
        for (const QString &name : replaced) {
            if (QFileInfo(kindFolder() + name).canonicalFilePath() == own) {
                runAction([this] { LoadFile(m_itemPath); });
                return;
            }
        }
    };
    m_shell.UnZip(m_shell.OpenDialogFileName(), kindFolder(), hooks);
}
