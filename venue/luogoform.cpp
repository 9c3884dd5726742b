#include "luogoform.h"

#include "filenames.h"
#include "itemcheck.h"

#include "archivetools.h"
#include "inifilewriter.h"
#include "inireader.h"
#include "korvalisshell.h"
#include "kverror.h"
#include "picture.h"
#include "prespesciform.h"
#include "presencelink.h"
#include "profilewidgets.h"
#include "regularfile.h"

#include <QDir>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QSlider>
#include <QStatusBar>
#include <QToolButton>
#include <QUndoStack>

using namespace Qt::StringLiterals;

namespace {

const QColor kSkyBlue(166, 202, 240);
const QColor kHighlight(255, 0, 0);
const QRect kPhoto(330, 210, 512, 390);
constexpr int kOverlayHeight = 273;
constexpr int kLowerLimit = 187;
const QPoint kAreaDiPesca(224, 279);

// The left column of lists and bars.
constexpr int kLabelX = 8;
constexpr int kCtlX = 92;
constexpr int kRowTop = 196;
constexpr int kRowPitch = 30;
int row(int n)
{
    return kRowTop + n * kRowPitch;
}

const QString kSection = u"LUOGO"_s;
const QString kLimiti = u"LIMITI_SUPERIORI"_s;
const QString kTipoLimiti = u"TIPO_LIMITI_SUPERIORI"_s;
const QString kProfCasuale = u"PROFONDITA_CASUALE"_s;
const QString kFilePres = u"FILE_PRESENZA_PESCI"_s;
const QString kKvsFilter = u"File Kvs|*.kvs"_s;

const TextPair kHelp{
    u"Bottone sinistro del mouse per variare l'altezza del limite, bottone destro per variare il tipo."_s,
    u"Left mouse button to change the height, right mouse button to change the type"_s};
const TextPair kMsgLink{u"Selezionare un file 'presenza pesci' per il luogo."_s,
                        u"\"Fishes file\" not valid."_s};

FieldSpec list(QString control, QString key, QString comment, QString label, TextPair caption,
               TextPair hint, QStringList entriesI, QStringList entriesE, int rowIndex)
{
    return listField(std::move(control), std::move(key), {std::move(comment)}, std::move(label),
                     std::move(caption), std::move(hint), std::move(entriesI), std::move(entriesE))
        .placed(QRect(kCtlX, row(rowIndex), 150, 22), QPoint(kLabelX, row(rowIndex) + 3));
}

FieldSpec bar(QString control, QString key, QString comment, QString label, TextPair caption,
              TextPair hint, int minimum, int maximum, int tick, int newValue, int readDefault,
              QString valueLabel, std::function<QString(int, bool)> text)
{
    FieldSpec f =
        trackBarField(std::move(control), std::move(key), {std::move(comment)}, std::move(label),
                      std::move(caption), std::move(hint), minimum, maximum, tick);
    f.newValue = newValue;
    f.readDefault = readDefault;
    f.valueLabel = std::move(valueLabel);
    f.valueText = std::move(text);
    return f;
}

// One press on the profile: the levels and types before and after it.
class ProfileEdit : public QUndoCommand
{
public:
    using Apply = std::function<void(const Profilo::Levels &, const QString &)>;
    ProfileEdit(Apply apply, Profilo::Levels beforeLevels, QString beforeTypes,
                Profilo::Levels afterLevels, QString afterTypes)
        : m_apply(std::move(apply))
        , m_beforeLevels(beforeLevels)
        , m_beforeTypes(std::move(beforeTypes))
        , m_afterLevels(afterLevels)
        , m_afterTypes(std::move(afterTypes))
    {
    }
    void undo() override { m_apply(m_beforeLevels, m_beforeTypes); }
    void redo() override
    {
        // The press itself already made the change.
        if (m_done)
            m_apply(m_afterLevels, m_afterTypes);
        m_done = true;
    }

private:
    Apply m_apply;
    Profilo::Levels m_beforeLevels;
    QString m_beforeTypes;
    Profilo::Levels m_afterLevels;
    QString m_afterTypes;
    bool m_done = false;
};

QString depthText(int cm, bool)
{
    if (cm < 100)
        return QString::number(cm) + u" cm"_s;
    // General format: shortest form, locale's decimal separator.
    return QLocale().toString(cm / 100.0, 'g', 15) + u" mt"_s;
}

} // namespace

const std::array<std::pair<const char *, QRgb>, 20> &TLuogoForm::lineColours()
{
    // The toolkit's 16 standard colours and its four extended ones.
    static const std::array<std::pair<const char *, QRgb>, 20> colours{{
        {"Black", qRgb(0, 0, 0)},
        {"Maroon", qRgb(128, 0, 0)},
        {"Green", qRgb(0, 128, 0)},
        {"Olive", qRgb(128, 128, 0)},
        {"Navy", qRgb(0, 0, 128)},
        {"Purple", qRgb(128, 0, 128)},
        {"Teal", qRgb(0, 128, 128)},
        {"Gray", qRgb(128, 128, 128)},
        {"Silver", qRgb(192, 192, 192)},
        {"Red", qRgb(255, 0, 0)},
        {"Lime", qRgb(0, 255, 0)},
        {"Yellow", qRgb(255, 255, 0)},
        {"Blue", qRgb(0, 0, 255)},
        {"Fuchsia", qRgb(255, 0, 255)},
        {"Aqua", qRgb(0, 255, 255)},
        {"White", qRgb(255, 255, 255)},
        {"Money Green", qRgb(192, 220, 192)},
        {"Sky Blue", qRgb(166, 202, 240)},
        {"Cream", qRgb(255, 251, 240)},
        {"Medium Gray", qRgb(160, 160, 164)},
    }};
    return colours;
}

namespace {

// The venue's own keys, as the command-line checker sees them.
void checkVenueFile(FileCheck &c)
{
    const QString levels = c.text(kLimiti, Profilo::zeroText());
    qsizetype bad = 0;
    while (bad < levels.size() && levels[bad].isDigit() && levels[bad].unicode() < 128)
        ++bad;
    if (bad < levels.size() || levels.size() != Profilo::kMarkers) {
        c.error(kLimiti, u"%1 must be %2 digits: the editor stops reading the profile at "
                         "character %3"_s.arg(kLimiti)
                             .arg(Profilo::kMarkers)
                             .arg(std::min<qsizetype>(bad, Profilo::kMarkers) + 1));
    } else if (levels.contains(u'8') || levels.contains(u'9')) {
        c.warning(kLimiti, u"%1 holds levels above 7"_s.arg(kLimiti));
    }
    const QString types = c.text(kTipoLimiti, Profilo::zeroText());
    for (qsizetype i = 0; i < types.size(); ++i) {
        if (types[i] < u'0' || types[i] > u'3') {
            c.error(kTipoLimiti,
                    u"%1 has \"%2\" at position %3: types are 0 to 3"_s.arg(kTipoLimiti)
                        .arg(types[i])
                        .arg(i + 1));
            break;
        }
    }
    if (types.size() != Profilo::kMarkers)
        c.warning(kTipoLimiti, u"%1 has %2 characters, not %3"_s.arg(kTipoLimiti)
                                   .arg(types.size())
                                   .arg(Profilo::kMarkers));
    const std::optional<QString> casuale = c.ini().value(c.section(), kProfCasuale);
    if (casuale && *casuale != u"S"_s && *casuale != u"N"_s)
        c.warning(kProfCasuale,
                  u"%1=%2 reads as N: only S (upper case) means yes"_s.arg(kProfCasuale, *casuale));
    const QString stored = c.text(kFilePres, QString());
    if (stored.isEmpty()) {
        c.error(kFilePres, u"the venue links no fish-presence list: the editor refuses to save "
                           "it"_s);
        return;
    }
    const QString name = PresenceLink::fileName(PresenceLink::decode(stored));
    const QString path = c.folder() + u"KVS/"_s + name;
    const QString found = FileNames::resolveCase(path);
    if (!QFileInfo::exists(found))
        c.error(kFilePres, u"the fish-presence list \"%1\" is not in %2"_s.arg(
                               name, QDir::toNativeSeparators(c.folder() + u"KVS/"_s)));
    else if (found != path)
        c.warning(kFilePres,
                  u"the fish-presence list \"%1\" is found only as \"%2\": names are "
                  "case-sensitive on other systems"_s.arg(name, QFileInfo(found).fileName()));
}

} // namespace

KindForm TLuogoForm::describe()
{
    KindForm k;
    k.kind = ItemKind::Luogo;
    k.clientSize = QSize(849, 658);
    k.position = QPoint(320, 50);
    // The name and description across the window, clear of the photo's
    // pick button below them.
    k.tabSize = QSize(k.clientSize.width() - 16, 120);
    k.nameComment = u"Nome del luogo (max 32 chr)"_s;
    k.descrComment = u"Descrizione del luogo (max 256 chr)"_s;
    k.nameHint = {u"Nome del luogo (max 32 chr)"_s, u"Venue name (max 32 chr)"_s};
    k.descrHint = {u"Descrizione del luogo (max 256 chr)"_s, u"Venue description (max 256 chr)"_s};
    k.defNome = u"Nome Luogo"_s;
    k.defName = u"Venue name"_s;
    k.defDescrizione = u"Descrizione Luogo"_s;
    k.defDescription = u"Venue Description"_s;
    k.reloadPictureAfterSave = false;
    k.readPicturesLast = true;
    k.readHintsFirst = true;

    FieldSpec foto;
    foto.type = FieldSpec::Type::Picture;
    foto.control = u"LuogoFoto"_s;
    foto.frame = u"LuogoBevelFoto"_s;
    foto.button = u"SpeedButtonOpenFoto"_s;
    foto.key = u"FILENAMEFOTO"_s;
    foto.comment = QStringList{u"Foto del luogo (immagine 800x600 o 1024x768 px)"_s};
    foto.label = u"Label15"_s;
    foto.caption = {u"Foto (800X600 o 1024x768)"_s, u"Image (800X600 or 1024x768)"_s};
    foto.hint = {u"Seleziona la foto del luogo. Verrà copiata nella cartella dei luoghi"_s,
                 u"Select the venue image"_s};
    foto.viewSize = kPhoto.size();
    foto.pathHintOnView = true;
    foto.rect = kPhoto;
    foto.labelPos = QPoint(kPhoto.left(), 191);
    foto.buttonPos = QPoint(kPhoto.left() + 176, 182);
    k.fields.push_back(foto);

    k.fields.push_back(
        list(u"LuogoTipo"_s, u"TIPO"_s, u"Tipo del luogo: 0=Fiume, 1=Lago, 2=Mare"_s, u"Label4"_s,
             {u"Tipo"_s, u"Type"_s}, {u"Tipo del luogo"_s, u"Venue type"_s},
             {u"Fiume"_s, u"Lago"_s, u"Mare"_s}, {u"River or torrent"_s, u"Lake"_s, u"Sea"_s}, 0));
    k.fields.push_back(list(
        u"LuogoGeografia"_s, u"GEOGRAFIA"_s,
        u"Geografia del luogo: 0=Alpi, 1=PianuraPadana, 2=Nord, 3=Centro, 4=Sud, 5=Sardegna, 6=Sicilia"_s,
        u"Label5"_s, {u"Geografia"_s, u"Region"_s},
        {u"Zona geografica del luogo"_s, u"Venue region"_s},
        {u"Alpi"_s, u"Pianura Padana"_s, u"Nord"_s, u"Centro"_s, u"Sud"_s, u"Sardegna"_s,
         u"Sicilia"_s},
        {u"Alps"_s, u"Po plain"_s, u"Northern Italy"_s, u"Center Italy"_s, u"Southern Italy"_s,
         u"Sardinia"_s, u"Sicily"_s},
        1));
    FieldSpec corrente =
        list(u"LuogoCorrente"_s, u"CORRENTE"_s,
             u"Tipo corrente del luogo: 0=Ferma, 1=Lenta, 2=Media, 3=Veloce"_s, u"Label6"_s,
             {u"Corrente"_s, u"Running"_s}, {u"Tipo corrente del luogo"_s, u"Venue running"_s},
             {u"Ferma"_s, u"Lenta"_s, u"Media"_s, u"Veloce"_s},
             {u"Motionless"_s, u"Slow"_s, u"Medium"_s, u"Fast"_s}, 2);
    corrente.rect.setWidth(110);
    k.fields.push_back(corrente);
    // Beside the current, without a caption of its own.
    FieldSpec grado = list(
        u"LuogoGradoLentezza"_s, u"GRADOLENTEZZA"_s,
        u"Grado velocità (solo per corrente Lenta): 0=Normale, 1=Lenta, 2=Lentissima"_s, QString(),
        {},
        {u"Grado velocità (solo per corrente Lenta)"_s, u"Running speed (only for slow running)"_s},
        {u"Lenta"_s, u"Molto lenta"_s, u"Quasi ferma"_s},
        {u"Slow"_s, u"Very slow"_s, u"Ultra slow"_s}, 2);
    grado.rect = QRect(kCtlX + 114, row(2), 110, 22);
    k.fields.push_back(grado);
    k.fields.push_back(list(u"LuogoVersoCorr"_s, u"VERSOCORRENTE"_s,
                            u"Verso della corrente del luogo: 0=Destra, 1=Sinistra"_s, u"Label8"_s,
                            {u"Verso corr."_s, u"Running dir."_s},
                            {u"Verso della corrente del luogo"_s, u"Venue running direction"_s},
                            {u"Destra"_s, u"Sinistra"_s}, {u"Right"_s, u"Left"_s}, 3));
    k.fields.push_back(
        list(u"LuogoVersoCorrVert"_s, u"CORRENTEVERTICALE"_s,
             u"Verso della corrente VERTICALE del luogo: 0=Ferma, 1=Alto, 2=Basso"_s, u"Label9"_s,
             {u"Corr. Vert."_s, u"Running vert."_s},
             {u"Verso della corrente VERTICALE del luogo"_s, u"Venue running VERTICAL direction"_s},
             {u"Ferma"_s, u"Verso l'alto"_s, u"Verso il basso"_s},
             {u"Motionless"_s, u"Up"_s, u"Down"_s}, 4));
    k.fields.push_back(list(
        u"LuogoFondale"_s, u"FONDALE"_s,
        u"Tipo di fondale del luogo: 0=Erba, 1=Sabbia, 2=Fango, 3=Ghiaia, 4=Sassi"_s, u"Label10"_s,
        {u"Fondale"_s, u"Ground type"_s}, {u"Tipo di fondale del luogo"_s, u"Venue ground type"_s},
        {u"Erba"_s, u"Sabbia"_s, u"Fango"_s, u"Ghiaia"_s, u"Sassi"_s},
        {u"Grass"_s, u"Sand"_s, u"Mud"_s, u"Gravel"_s, u"Stones"_s}, 5));
    k.fields.push_back(list(u"LuogoAcqua"_s, u"ACQUA"_s,
                            u"Tipo di acqua del luogo: 0=Limpida, 1=Torbida, 2=Limpida/torbida"_s,
                            u"Label11"_s, {u"Acqua"_s, u"Water type"_s},
                            {u"Tipo di acqua del luogo"_s, u"Venue water type"_s},
                            {u"Limpida"_s, u"Torbida"_s, u"Limpida/torbida"_s},
                            {u"Clear"_s, u"Cloudy"_s, u"Clear & cloudy"_s}, 6));

    // Across the bottom, below the photo.
    FieldSpec prof =
        bar(u"LuogoProfondita"_s, u"PROFONDITA"_s,
            u"Profondita media del luogo in cm (min 50, max 10000)"_s, u"Label12"_s,
            {u"Profondità"_s, u"Depth"_s}, {u"Profondita media del luogo"_s, u"Venue depth"_s}, 50,
            10000, 100, 50, 0, u"LuogoValProf"_s, depthText);
    prof.rect = QRect(70, 608, 728, 24);
    prof.labelPos = QPoint(kLabelX, 612);
    prof.valueLabelPos = QPoint(802, 612);
    k.fields.push_back(prof);
    FieldSpec pend = bar(
        u"LuogoPendenza"_s, u"PENDENZA"_s, u"Pendenza del luogo in percentuale (min 5, max 50)"_s,
        u"Label13"_s, {u"Pendenza"_s, u"Slope"_s},
        {u"Pendenza del luogo in percentuale"_s, u"Venue slope"_s}, 5, 50, 5, 5, 0,
        u"LuogoValPendenza"_s, [](int v, bool) -> QString { return QString::number(v) + u" %"_s; });
    pend.rect = QRect(kCtlX, row(7) + 2, 150, 24);
    pend.labelPos = QPoint(kLabelX, row(7) + 6);
    pend.valueLabelPos = QPoint(kCtlX + 154, row(7) + 6);
    k.fields.push_back(pend);
    FieldSpec dist = bar(
        u"LuogoDistMax"_s, u"MAX_METRI"_s, u"Distanza massima di pesca in metri (min 20, max 70)"_s,
        u"Label16"_s, {u"Distanza"_s, u"Dist."_s},
        {u"Distanza di pesca in mt."_s, u"Fishing distance"_s}, 20, 70, 5, 40, 40,
        u"LuogoValDistMax"_s, [](int v, bool) -> QString { return QString::number(v) + u" mt"_s; });
    dist.rect = QRect(kCtlX, row(10) + 2, 150, 24);
    dist.labelPos = QPoint(kLabelX, row(10) + 6);
    dist.valueLabelPos = QPoint(kCtlX + 154, row(10) + 6);
    k.fields.push_back(dist);

    k.itemName = {u"Luogo"_s, u"venue"_s};
    k.msgNome = {u"Inserire il nome del luogo."_s, u"Venue name not valid."_s};
    k.msgDescr = {u"Inserire la descrizione del luogo."_s, u"Venue description not valid."_s};
    k.msgFoto = {u"Selezionare una foto per il luogo."_s, u"Venue image not valid."_s};
    k.fileChecks = checkVenueFile;
    return k;
}

TLuogoForm::TLuogoForm(KorvalisShell &shell, TPresPesciForm &presPesci, QWidget *parent)
    : TItemEditorForm(shell, describe(), parent)
    , m_presPesci(presPesci)
    , m_profile(Profilo::Geometry{kPhoto.width(), kPhoto.height()})
    , m_photo(kPhoto)
{
    buildVenueUi();
    captionsExtra(false);
    hintsExtra(false);
}

TLuogoForm::~TLuogoForm() = default;

void TLuogoForm::buildVenueUi()
{
    QWidget *c = client();
    const auto skyLabel = [&](QLabel *l) {
        l->setAutoFillBackground(true);
        QPalette pal = l->palette();
        pal.setColor(QPalette::Window, kSkyBlue);
        l->setPalette(pal);
    };

    m_corrente = c->findChild<QComboBox *>(u"LuogoCorrente"_s);
    m_gradoLentezza = c->findChild<QComboBox *>(u"LuogoGradoLentezza"_s);
    connect(m_corrente, &QComboBox::currentIndexChanged, this, [this] { EnableGradoLentezza(); });

    // Value labels fit beside their bars, clear of the photo.
    for (const char *name : {"LuogoValPendenza", "LuogoValDistMax"})
        c->findChild<QLabel *>(QString::fromLatin1(name))->resize(44, 16);
    c->findChild<QLabel *>(u"LuogoValProf"_s)->resize(46, 16);
    c->findChild<QLabel *>(u"Label15"_s)->resize(170, 16);

    m_distMax = c->findChild<QSlider *>(u"LuogoDistMax"_s);
    m_valDistMax = c->findChild<QLabel *>(u"LuogoValDistMax"_s);
    m_valDistMax2 = new QLabel(c);
    m_valDistMax2->setObjectName(u"LuogoValDistMax2"_s);
    skyLabel(m_valDistMax2);
    m_valDistMax2->setGeometry(kPhoto.left() - 38, kPhoto.top() + kLowerLimit - 7, 36, 14);
    m_valDistMax2->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_valDistMax2->setText(m_valDistMax->text());
    // After the framework's handler, which sets the label it copies.
    connect(m_distMax, &QSlider::valueChanged, this,
            [this] { m_valDistMax2->setText(m_valDistMax->text()); });

    m_profCasuale = new QCheckBox(c);
    m_profCasuale->setObjectName(u"LuogoProfCasuale"_s);
    m_profCasuale->setLayoutDirection(Qt::RightToLeft); // caption on the left
    m_profCasuale->setGeometry(kLabelX, row(8) + 2, kCtlX - kLabelX + 20, 20);

    m_labelPresPesci = new QLabel(c);
    m_labelPresPesci->setObjectName(u"Label14"_s);
    m_labelPresPesci->setGeometry(kLabelX, row(9) + 3, kCtlX - kLabelX - 4, 16);
    m_filePresPesci = new QLineEdit(c);
    m_filePresPesci->setObjectName(u"LuogoFilePresPesci"_s);
    m_filePresPesci->setReadOnly(true);
    m_filePresPesci->setGeometry(kCtlX, row(9), 170, 22);
    m_openKVS = new QToolButton(c);
    m_openKVS->setObjectName(u"SpeedButtonOpenKVS"_s);
    m_openKVS->setIcon(QIcon(u":/icons/editor/open.png"_s));
    m_openKVS->setGeometry(kCtlX + 174, row(9) - 1, 25, 24);
    m_viewKVS = new QToolButton(c);
    m_viewKVS->setObjectName(u"SpeedButtonViewKVS"_s);
    m_viewKVS->setIcon(QIcon(u":/icons/toolbar/prespesci.png"_s));
    m_viewKVS->setGeometry(kCtlX + 201, row(9) - 1, 25, 24);
    connect(m_openKVS, &QToolButton::clicked, this,
            [this] { runAction([this] { SpeedButtonOpenKVSClick(); }); });
    connect(m_viewKVS, &QToolButton::clicked, this,
            [this] { runAction([this] { SpeedButtonViewKVSClick(); }); });

    m_labelColore = new QLabel(c);
    m_labelColore->setObjectName(u"Label17"_s);
    m_labelColore->setGeometry(kPhoto.left() + 230, 191, 80, 16);
    m_colorBox = new QComboBox(c);
    m_colorBox->setObjectName(u"LuogoColorBox"_s);
    m_colorBox->setGeometry(kPhoto.left() + 312, 186, 150, 22);
    m_colorBox->setMaxVisibleItems(20);
    for (const auto &[name, rgb] : lineColours()) {
        QPixmap swatch(16, 12);
        swatch.fill(QColor(rgb));
        m_colorBox->addItem(QIcon(swatch), QString::fromLatin1(name), QVariant::fromValue(rgb));
    }
    m_colorBox->setCurrentIndex(m_colorBox->findData(QVariant::fromValue(kSkyBlue.rgb())));

    // Over the photo, bottom to top: the lower limit line, the markers, the
    // label of the fishing area, and the overlay that takes the mouse.
    m_limiteInf = new ProfileShape(c);
    m_limiteInf->setObjectName(u"ShapeLimiteInf"_s);
    m_limiteInf->setGeometry(kPhoto.left(), kPhoto.top() + kLowerLimit, kPhoto.width(), 1);
    m_limiteInf->setPen(kSkyBlue, ProfileShape::Pen::Dot);
    for (int i = 1; i <= Profilo::kMarkers; ++i) {
        auto *s = new ProfileShape(c);
        s->setObjectName(u"ShapeSup%1"_s.arg(i, 2, 10, QChar(u'0')));
        s->resize(m_profile.geometry().columnWidth(), 1);
        s->setPen(kSkyBlue, ProfileShape::Pen::Solid);
        m_shapes[i - 1] = s;
        placeMarker(i);
    }
    m_labelAreaDiPesca = new QLabel(c);
    m_labelAreaDiPesca->setObjectName(u"LabelAreaDiPesca"_s);
    skyLabel(m_labelAreaDiPesca);
    m_labelAreaDiPesca->move(kPhoto.topLeft() + kAreaDiPesca);
    m_limiti = new ProfileOverlay(c);
    m_limiti->setObjectName(u"LuogoLimiti"_s);
    m_limiti->setGeometry(kPhoto.left(), kPhoto.top(), kPhoto.width(), kOverlayHeight);
    connect(m_limiti, &ProfileOverlay::pressed, this,
            [this](int x, int y, Profilo::Button b) { pressProfile(x, y, b); });
    connect(m_limiti, &ProfileOverlay::moved, this, [this](int x, int y) { verAllShapes(x, y); });
    connect(m_limiti, &ProfileOverlay::left, this, [this] { verAllShapes(0, 0); });

    connect(m_colorBox, &QComboBox::currentIndexChanged, this, [this] { LuogoColorBoxChange(); });

    // Window-wide keys; a focused text field takes them for its own undo.
    m_undo = new QUndoStack(this);
    auto *undo = new QAction(this);
    undo->setObjectName(u"ProfileUndo"_s);
    undo->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Z)});
    connect(undo, &QAction::triggered, m_undo, &QUndoStack::undo);
    auto *redo = new QAction(this);
    redo->setObjectName(u"ProfileRedo"_s);
    connect(redo, &QAction::triggered, m_undo, &QUndoStack::redo);
    redo->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    addAction(undo);
    addAction(redo);
}

void TLuogoForm::captionsExtra(bool en)
{
    m_profCasuale->setText(TextPair{u"Prof. Casuale"_s, u"Random depth"_s}.in(en));
    m_labelPresPesci->setText(TextPair{u"Pres. pesci"_s, u"Fishes File"_s}.in(en));
    m_labelColore->setText(TextPair{u"Colore linee"_s, u"Line color"_s}.in(en));
}

void TLuogoForm::hintsExtra(bool en)
{
    m_openKVS->setStatusTip(
        TextPair{u"Associa un \"file presenza pesci\""_s, u"Select the \"fishes file\""_s}.in(en));
    m_viewKVS->setStatusTip(TextPair{u"Visualizza/modifica il \"file presenza pesci\""_s,
                                     u"View/modify the \"fishes file\""_s}
                                .in(en));
    m_filePresPesci->setStatusTip(
        TextPair{u"File Presenza Pesci del luogo: contiene le percentuali di presenza dei pesci"_s,
                 u"Venue \"Fishes file\""_s}
            .in(en));
    m_profCasuale->setStatusTip(
        TextPair{u"Profondità del luogo: casuale ad ogni sessione di pesca o sempre uguale"_s,
                 u"Random depth for each fishing session"_s}
            .in(en));
    m_colorBox->setStatusTip(
        TextPair{u"Colore limiti pesca"_s, u"Fishing distance line color"_s}.in(en));
    m_limiti->setStatusTip(kHelp.in(en));
    m_labelAreaDiPesca->setText(TextPair{u"Area di pesca"_s, u"Fishing area"_s}.in(en));
    m_labelAreaDiPesca->adjustSize();
}

QColor TLuogoForm::lineColour() const
{
    const QVariant v = m_colorBox->currentData();
    return v.isValid() ? QColor(QRgb(v.toUInt())) : kSkyBlue;
}

int TLuogoForm::maxDistance() const
{
    return m_distMax->value();
}

QString TLuogoForm::presenceLink() const
{
    return m_filePresPesci->text();
}

void TLuogoForm::setPresenceLink(const QString &link)
{
    m_filePresPesci->setText(link);
}

void TLuogoForm::EnableGradoLentezza()
{
    m_gradoLentezza->setEnabled(m_corrente->currentIndex() == 1);
}

// --- profile ---------------------------------------------------------------

void TLuogoForm::placeMarker(int idx)
{
    const Profilo::Geometry &g = m_profile.geometry();
    m_shapes[idx - 1]->move(m_photo.left() + g.markerLeft(idx), m_photo.top() + m_profile.top(idx));
}

void TLuogoForm::iniAllShapes()
{
    m_profile.iniAllShapes();
    for (int i = 1; i <= Profilo::kMarkers; ++i)
        placeMarker(i);
}

void TLuogoForm::strToPosShapes(const QString &luogoSup)
{
    // Markers placed before a bad character stay placed, and are shown
    // with the lines of the types in effect.
    try {
        m_profile.strToPosShapes(luogoSup);
    } catch (...) {
        for (int i = 1; i <= Profilo::kMarkers; ++i)
            placeMarker(i);
        redrawProfile();
        throw;
    }
    for (int i = 1; i <= Profilo::kMarkers; ++i)
        placeMarker(i);
}

int TLuogoForm::getIdxShape(const ProfileShape *shape) const
{
    return m_profile.geometry().indexOfLeft(shape->x() - m_photo.left());
}

int TLuogoForm::getPosShape(const ProfileShape *shape) const
{
    return m_profile.geometry().levelOfTop(shape->y() - m_photo.top());
}

void TLuogoForm::movShape(int idx, int X, int Y, Profilo::Button button)
{
    if (m_profile.movShape(idx, X - m_photo.left(), Y - m_photo.top(), button))
        placeMarker(idx);
    drawTipoLimite(idx);
}

void TLuogoForm::drawTipoLimite(int idx)
{
    if (const auto line = m_profile.typeLine(idx))
        m_limiti->drawLine(*line, lineColour());
}

void TLuogoForm::movAllShapes(int x, int y, Profilo::Button button)
{
    m_limiti->clear();
    for (int i = 1; i <= Profilo::kMarkers; ++i)
        movShape(i, m_photo.left() + x, m_photo.top() + y, button);
}

void TLuogoForm::pressProfile(int x, int y, Profilo::Button button)
{
    const Profilo::Levels levels = m_profile.levels();
    const QString types = m_profile.types();
    movAllShapes(x, y, button);
    if (m_profile.levels() == levels && m_profile.types() == types)
        return;
    m_undo->push(new ProfileEdit(
        [this](const Profilo::Levels &l, const QString &t) { setProfileState(l, t); }, levels,
        types, m_profile.levels(), m_profile.types()));
    contentChanged();
}

void TLuogoForm::setProfileState(const Profilo::Levels &levels, const QString &types)
{
    for (int i = 1; i <= Profilo::kMarkers; ++i) {
        m_profile.iniShape(i, levels[i - 1]);
        placeMarker(i);
    }
    m_profile.setTypes(types);
    redrawProfile();
    contentChanged();
}

void TLuogoForm::verShape(int idx, int X, int Y)
{
    const int x = X - m_photo.left();
    const Profilo::MarkerLook look = m_profile.look(idx, x);
    ProfileShape *shape = m_shapes[idx - 1];
    if (!look.highlighted) {
        shape->setLook(lineColour(),
                       look.visible ? ProfileShape::Pen::Solid : ProfileShape::Pen::Clear, 1);
        return;
    }
    shape->setLook(kHighlight, ProfileShape::Pen::Solid, 2);
    const auto r = m_profile.readout(x, Y - m_photo.top(), maxDistance());
    statusBarWidget()->showMessage(r && r->distanceMt ? Profilo::readoutText(*r->distanceMt)
                                                      : m_limiti->statusTip());
}

void TLuogoForm::verAllShapes(int x, int y)
{
    for (int i = 1; i <= Profilo::kMarkers; ++i)
        verShape(i, m_photo.left() + x, m_photo.top() + y);
}

void TLuogoForm::redrawProfile()
{
    movAllShapes(0, 0, Profilo::Button::Middle);
    verAllShapes(0, 0);
}

void TLuogoForm::LuogoColorBoxChange()
{
    redrawProfile();
}

// --- the kind's own steps of the common flows ------------------------------

void TLuogoForm::newExtra()
{
    m_undo->clear();
    EnableGradoLentezza();
    m_profCasuale->setChecked(true);
    setPresenceLink(QString());
    iniAllShapes();
    m_profile.setTypes(Profilo::zeroText());
    redrawProfile();
}

void TLuogoForm::readExtra(const IniProfile &ini)
{
    m_undo->clear();
    m_profCasuale->setChecked(ini.readString(kSection, kProfCasuale, u"S"_s) == u"S"_s);
    strToPosShapes(ini.readString(kSection, kLimiti, Profilo::zeroText()));
    m_profile.setTypes(ini.readString(kSection, kTipoLimiti, Profilo::zeroText()));
    const QString stored = ini.readString(kSection, kFilePres, QString());
    const QString link = PresenceLink::decode(stored);
    // The link may only name a list of the presence folder: the editor
    // opens and packs what it names.
    if (!stored.isEmpty() && !PresenceLink::isInPresenceFolder(link)) {
        shell().ShowMessaggio(
            u"Il file presenza pesci %1=\"%2\" non è nella cartella KVS: il luogo viene aperto senza."_s
                .arg(kFilePres, stored),
            u"The fishes file %1=\"%2\" is not in the KVS folder: the venue is opened without it."_s
                .arg(kFilePres, stored));
        setPresenceLink(QString());
    } else {
        setPresenceLink(link);
    }
    // The profile is complete here: it is shown even when the photo, read
    // next, cannot be loaded.
    redrawProfile();
}

void TLuogoForm::writeExtra(TIniFileWriter &w)
{
    w.AddNewComment(u"Limiti superiori zona di pesca (32 cifre comprese tra 0 e 7)"_s);
    w.AddStringKey(kLimiti, posShapesToStr());
    w.AddNewComment(
        u"Tipo limiti superiori zona di pesca (32 cifre: 0=normale, 1=orizz. 50%, 2=45 gradi dx, 3=45 gradi sx)"_s);
    w.AddStringKey(kTipoLimiti, m_profile.types());
    w.AddNewComment(u"Fondale del luogo: S=casuale, N=letto da file .kvf"_s);
    w.AddStringKey(kProfCasuale, m_profCasuale->isChecked() ? u"S"_s : u"N"_s);
    w.AddNewComment(u"File Presenza Pesci del luogo: nome del file .kvs (max 32 chr)"_s);
    w.AddStringKey(kFilePres, PresenceLink::encode(presenceLink()));
}

bool TLuogoForm::verificaExtra()
{
    if (presenceLink().isEmpty()) {
        shell().ShowMessaggio(kMsgLink.i, kMsgLink.e);
        return false;
    }
    return true;
}

void TLuogoForm::savedExtra()
{
    m_undo->clear();
    redrawProfile();
}

QString TLuogoForm::zipFileList() const
{
    QString list = TItemEditorForm::zipFileList();
    // A shipped list is in every installation.
    if (!TPresPesciForm::IsKvsOriginale(presenceLink()))
        list += u' ' + StrAddApici(PresenceLink::zipEntry(presenceLink()));
    return list;
}

// --- the presence list -----------------------------------------------------

void TLuogoForm::SpeedButtonOpenKVSClick()
{
    const QString folder = m_presPesci.GetPathPresenzaPesci();
    if (!shell().OpenDialogExecute(kKvsFilter, folder))
        return;
    const QString chosen = shell().OpenDialogFileName();
    // Only a regular file of a list's size: a FIFO would freeze the window.
    const FileRead picked = readRegularFile(chosen, kIniFileLimit);
    if (!picked.ok())
        throw KvError(shell().readRefusal(chosen, picked));
    const QString name = QFileInfo(chosen).fileName();
    const QString inFolder = Picture::resolve(folder + name);
    const QFileInfo here(inFolder);
    // The link can only name a list of the presence folder: a list chosen
    // elsewhere is brought there, but never over a different list.
    if (!(here.exists() && here.canonicalFilePath() == QFileInfo(chosen).canonicalFilePath())) {
        if (here.exists()) {
            const FileRead there = readRegularFile(inFolder, kIniFileLimit);
            const bool same = there.ok() && there.bytes == picked.bytes;
            if (!same) {
                shell().ShowMessaggio(
                    u"Nella cartella %1 c'è già un file \"%2\" diverso da quello scelto: il file presenza pesci del luogo non è cambiato."_s
                        .arg(folder, QFileInfo(inFolder).fileName()),
                    u"The folder %1 already holds a different \"%2\": the venue's fishes file is unchanged."_s
                        .arg(folder, QFileInfo(inFolder).fileName()));
                return;
            }
        } else {
            QString error;
            if (!Picture::copyTo(chosen, folder + name, &error)) {
                shell().ShowMessaggio(
                    u"Impossibile copiare \"%1\" nella cartella %2: %3. Il file presenza pesci del luogo non è cambiato."_s
                        .arg(chosen, folder, error),
                    u"Could not copy \"%1\" into the folder %2: %3. The venue's fishes file is unchanged."_s
                        .arg(chosen, folder, error));
                return;
            }
        }
    }
    setPresenceLink(PresenceLink::fromFileName(here.exists() ? here.fileName() : name));
}

void TLuogoForm::SpeedButtonViewKVSClick()
{
    if (presenceLink().isEmpty())
        return;
    m_presPesci.ShowFromLuogo(PresenceLink::fileName(presenceLink()));
    setPresenceLink(PresenceLink::fromFileName(m_presPesci.GetKVSFileName()));
}
