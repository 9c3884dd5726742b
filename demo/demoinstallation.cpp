#include "demoinstallation.h"

#include "demopictures.h"

#include "desktopservices.h"
#include "itemeditorform.h"
#include "kinds.h"
#include "korvalisapp.h"
#include "luogoform.h"
#include "prespesciform.h"
#include "valuelistgrid.h"

#include <QApplication>
#include <QComboBox>
#include <QSlider>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTextStream>

#include <deque>
#include <functional>

using namespace Qt::StringLiterals;

namespace {

// Answers the editors' dialogs with the paths the generator queued; any
// message or error means the demo is not what it should be.
class DemoDesktop : public DesktopServices
{
public:
    std::deque<QString> answers;
    QStringList problems;

    std::optional<QString> openFile(const QString &, const QString &) override { return next(); }
    std::optional<QString> saveFile(const QString &, const QString &, const QString &,
                                    const QString &) override
    {
        return next();
    }
    void message(const QString &text) override { problems.append(text); }
    void showError(const QString &text) override { problems.append(text); }
    int ask(const QString &text, const QStringList &, int, int escapeAnswer) override
    {
        problems.append(u"unexpected question "_s + text);
        return escapeAnswer;
    }
    void startProcess(const QString &program, const QStringList &, const QString &,
                      ProcessDone done) override
    {
        problems.append(u"unexpected process "_s + program);
        done(ProcessResult{});
    }
    QString commonAppDataFolder() override { return QString(); }

private:
    std::optional<QString> next()
    {
        if (answers.empty()) {
            problems.append(u"unexpected dialog"_s);
            return std::nullopt;
        }
        QString path = answers.front();
        answers.pop_front();
        return path;
    }
};

struct Texts
{
    QString nome, name, descrizione, description;
};

class Demo
{
public:
    Demo(const QString &dataPath)
        : m_data(dataPath)
        , m_app(m_desk, dataPath, QString())
    {
    }

    bool ok() const { return m_app.installationFound() && m_desk.problems.isEmpty(); }
    const QStringList &problems() const { return m_desk.problems; }

    // Fills an editor of the common pattern with `texts`, gives each of its
    // pictures in turn one of `pictures` and saves it as `fileName`.
    TItemEditorForm &item(ItemKind kind, const Texts &texts, const std::vector<QImage> &pictures,
                          const QString &fileName,
                          const std::function<void(TItemEditorForm &)> &own = {})
    {
        auto &form = dynamic_cast<TItemEditorForm &>(*m_app.editor(kind));
        form.New();
        const QString prefix = form.info().prefix;
        form.findChild<QLineEdit *>(prefix + u"Nome"_s)->setText(texts.nome);
        form.findChild<QLineEdit *>(prefix + u"NomeEng"_s)->setText(texts.name);
        form.findChild<QPlainTextEdit *>(prefix + u"Descr"_s)->setPlainText(texts.descrizione);
        form.findChild<QPlainTextEdit *>(prefix + u"DescrEng"_s)->setPlainText(texts.description);
        size_t picture = 0;
        for (size_t i = 0; i < form.form().fields.size(); ++i) {
            const FieldSpec &f = form.form().fields[i];
            if (f.type != FieldSpec::Type::Picture || picture >= pictures.size())
                continue;
            // Pictures come from elsewhere, as a player's do: Save copies them.
            const QString stem = QFileInfo(fileName).completeBaseName().toLower();
            const QString path = m_staging.filePath(stem + u'_' + QString::number(picture)
                                                    + (f.takesJpeg() ? u".jpg"_s : u".bmp"_s));
            if (!pictures[picture].save(path, f.takesJpeg() ? "JPG" : "BMP", 90))
                m_desk.problems.append(u"cannot write "_s + path);
            ++picture;
            m_desk.answers.push_back(path);
            form.pickPicture(i);
        }
        if (own)
            own(form);
        m_desk.answers.push_back(form.kindFolder() + fileName);
        form.Save();
        return form;
    }

    // A presence list of `tipo` (0 fresh water, 1 sea) with `percent` for the
    // first species of its grid, decreasing down the list.
    void presenceList(int tipo, int percent, const QString &fileName)
    {
        auto &form = m_app.PresPesciForm();
        form.New();
        form.findChild<QComboBox *>(u"PresenzaPesciTipoLuogo"_s)->setCurrentIndex(tipo);
        auto *grid = form.findChild<ValueListGrid *>(tipo == 0 ? u"Lista"_s : u"ListaMare"_s);
        for (int row = 0; row < grid->keyCount(); ++row)
            grid->setValue(row, QString::number(std::max(0, percent - 7 * row)));
        m_desk.answers.push_back(form.GetPathPresenzaPesci() + fileName);
        form.Save();
    }

    // Answers the next dialog (an editor's own pick) with `path`.
    void answer(const QString &path) { m_desk.answers.push_back(path); }

private:
    QString m_data;
    DemoDesktop m_desk;
    KorvalisApplication m_app;
    QTemporaryDir m_staging;
};

bool makeLayout(const QString &data)
{
    const QString game = data + u"/Korvalis/"_s;
    bool ok = QDir().mkpath(data + u"/KorvalisEditor"_s);
    for (const KindInfo &k : kindTable())
        ok = ok && QDir().mkpath(game + k.folder);
    QFile ini(game + u"Korvalis.ini"_s);
    if (!ini.exists())
        ok = ok && ini.open(QIODevice::WriteOnly) && ini.write("[KORVALIS]\r\nDEMO=1\r\n") > 0;
    return ok;
}

} // namespace

bool makeDemoInstallation(const QString &dataPath, QStringList *problems)
{
    if (!makeLayout(dataPath)) {
        problems->append(u"cannot lay out "_s + dataPath);
        return false;
    }
    Demo demo(dataPath);
    demo.item(ItemKind::Amo,
              {u"Amo da trota"_s, u"Trout hook"_s, u"Amo fine, gambo medio, per la trota"_s,
               u"Thin medium-shank hook for trout"_s},
              {DemoPictures::hook()}, u"AmoTrota.kva"_s);
    demo.item(ItemKind::Esca,
              {u"Lombrico"_s, u"Earthworm"_s, u"Lombrico vivo, innesco per ogni pesce"_s,
               u"Live earthworm, a bait for every fish"_s},
              {DemoPictures::tackle(u"bait"_s, QColor(190, 90, 100))}, u"Lombrico.kve"_s);
    demo.item(ItemKind::Galleggiante,
              {u"Galleggiante a goccia"_s, u"Drop float"_s,
               u"Galleggiante a goccia per acque ferme"_s, u"Drop-shaped float for still water"_s},
              {DemoPictures::tackle(u"float"_s, QColor(220, 60, 40), QSize(50, 350)),
               DemoPictures::floatSprite()},
              u"GallGoccia.kvg"_s);
    demo.item(ItemKind::Piombino,
              {u"Pallino spaccato"_s, u"Split shot"_s,
               u"Pallino spaccato da stringere sulla lenza"_s,
               u"Split shot to pinch on the line"_s},
              {DemoPictures::tackle(u"sinker"_s, QColor(120, 120, 125))}, u"PallinoSpaccato.kvp"_s);
    demo.item(ItemKind::Canna,
              {u"Canna bolognese"_s, u"Bolognese rod"_s, u"Canna bolognese da 6 metri"_s,
               u"Six-metre bolognese rod"_s},
              {DemoPictures::tackle(u"rod"_s, QColor(40, 90, 160), QSize(75, 350))},
              u"CannaBolognese.kvn"_s, [](TItemEditorForm &form) {
                  form.findChild<QComboBox *>(u"CannaTipo"_s)->setCurrentIndex(1);
              });
    demo.item(ItemKind::Mulinello,
              {u"Mulinello da spinning"_s, u"Spinning reel"_s,
               u"Mulinello con frizione anteriore"_s, u"Reel with front drag"_s},
              {DemoPictures::tackle(u"reel"_s, QColor(150, 150, 160))}, u"MulinelloSpin.kvm"_s,
              [](TItemEditorForm &form) {
                  form.findChild<QComboBox *>(u"MulinelloRapporto"_s)->setCurrentIndex(21);
                  form.findChild<QSlider *>(u"MulinelloCapacitaMin"_s)->setValue(150);
                  form.findChild<QSlider *>(u"MulinelloCapacitaMax"_s)->setValue(280);
              });
    demo.presenceList(0, 90, u"PesciLagoDemo.kvs"_s);
    demo.presenceList(1, 80, u"PesciMareDemo.kvs"_s);
    demo.item(ItemKind::Pastura,
              {u"Pastura per carpe"_s, u"Carp groundbait"_s,
               u"Pastura dolce che richiama carpe e tinche"_s,
               u"Sweet groundbait that draws carp and tench"_s},
              {}, u"PasturaCarpe.kvt"_s, [](TItemEditorForm &form) {
                  form.findChild<QSlider *>(u"PasturaDurata"_s)->setValue(900);
                  auto *grid = form.findChild<ValueListGrid *>(u"PasturaLista"_s);
                  for (int row = 0; row < grid->keyCount(); row += 3)
                      grid->setValue(row, u"S"_s);
              });
    demo.item(ItemKind::Luogo,
              {u"Lago delle betulle"_s, u"Birch lake"_s,
               u"Piccolo lago con fondale dolce e sponda alberata"_s,
               u"Small lake with a gentle bottom and a wooded shore"_s},
              {DemoPictures::venue()}, u"LagoBetulle.kvl"_s, [&demo](TItemEditorForm &form) {
                  auto &venue = static_cast<TLuogoForm &>(form);
                  // A bank that shelves off, a deeper channel, then the far shore.
                  venue.strToPosShapes(u"01234556667777776665554443322110"_s);
                  demo.answer(form.kindFolder() + u"KVS/PesciLagoDemo.kvs"_s);
                  venue.SpeedButtonOpenKVSClick();
              });

    if (!demo.ok()) {
        *problems = demo.problems();
        return false;
    }
    return true;
}
