// kv_demodata DIR: writes a small demo installation into DIR (the folder
// that then holds Korvalis/ and KorvalisEditor/), one example item of every
// kind with its pictures. Every item file is written by its own editor,
// driven offscreen through New, the picture pick and Save, so the demo is
// always in the current layout.

#include "demopictures.h"

#include "desktopservices.h"
#include "itemeditorform.h"
#include "kinds.h"
#include "korvalisapp.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTextStream>

#include <deque>

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
                          const QString &fileName)
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
                                                    + (f.bmpOnly ? u".bmp"_s : u".jpg"_s));
            if (!pictures[picture].save(path, f.bmpOnly ? "BMP" : "JPG", 90))
                m_desk.problems.append(u"cannot write "_s + path);
            ++picture;
            m_desk.answers.push_back(path);
            form.pickPicture(i);
        }
        m_desk.answers.push_back(form.kindFolder() + fileName);
        form.Save();
        return form;
    }

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

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTextStream err(stderr);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 2) {
        err << "usage: kv_demodata DIR\n";
        return 2;
    }
    const QString data = QDir(args[1]).absolutePath();
    if (!makeLayout(data)) {
        err << "kv_demodata: cannot lay out " << data << '\n';
        return 1;
    }

    Demo demo(data);
    demo.item(ItemKind::Amo,
              {u"Amo da trota"_s, u"Trout hook"_s, u"Amo fine, gambo medio, per la trota"_s,
               u"Thin medium-shank hook for trout"_s},
              {DemoPictures::hook()}, u"AmoTrota.kva"_s);
    demo.item(ItemKind::Canna,
              {u"Canna bolognese"_s, u"Bolognese rod"_s, u"Canna bolognese da 6 metri"_s,
               u"Six-metre bolognese rod"_s},
              {DemoPictures::tackle(u"rod"_s, QColor(40, 90, 160))}, u"CannaBolognese.kvn"_s);
    demo.item(ItemKind::Mulinello,
              {u"Mulinello da spinning"_s, u"Spinning reel"_s,
               u"Mulinello con frizione anteriore"_s, u"Reel with front drag"_s},
              {DemoPictures::tackle(u"reel"_s, QColor(150, 150, 160))}, u"MulinelloSpin.kvm"_s);

    if (!demo.ok()) {
        err << "kv_demodata: the demo is incomplete:\n  " << demo.problems().join(u"\n  "_s)
            << '\n';
        return 1;
    }
    return 0;
}
