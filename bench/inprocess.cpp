// In-process figures, each beside its floor in the same run: first opening
// of every editor window, pictures, opening and saving a hook and a bait,
// reading an item file. The application is built as the tests build it (scripted
// desktop services, a temporary installation), on the offscreen platform.
//
// kv_bench [--rows FILE] [--pairs N] [--children N]
//          [--only openings|solo|picture|open|ini|save|fish|venue]
// kv_bench --opening-child JPEG   (internal: one process's first openings)
// kv_bench --solo-opening-child CannaForm   (internal: one editor alone)

#include "harness.h"

#include "amoform.h"
#include "escaform.h"
#include "fishlists.h"
#include "inifilewriter.h"
#include "inireader.h"
#include "kinds.h"
#include "korvalisapp.h"
#include "korvalisappform.h"
#include "luogoform.h"
#include "picture.h"
#include "prespesciform.h"
#include "scripteddesktop.h"
#include "testinstallation.h"

#include <QApplication>
#include <QDialog>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QMouseEvent>
#include <QPainter>
#include <QProcess>
#include <QTimer>

#include <cstdio>

#include <fcntl.h>
#include <unistd.h>
#include <map>

using namespace Qt::StringLiterals;

namespace {

volatile qsizetype g_sink = 0; // keeps results from being optimised away

[[noreturn]] void fail(const QString &why)
{
    std::fprintf(stderr, "kv_bench: %s\n", qPrintable(why));
    std::exit(2);
}

// Quits `loop` at the first paint of the watched widget.
class PaintWatcher : public QObject
{
public:
    PaintWatcher(QWidget *target, QEventLoop *loop)
        : m_target(target)
        , m_loop(loop)
    {
        target->installEventFilter(this);
    }
    ~PaintWatcher() override { m_target->removeEventFilter(this); }
    bool painted = false;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (!painted && watched == m_target && event->type() == QEvent::Paint) {
            painted = true;
            // The loop returns once this paint and its flush are done.
            m_loop->quit();
        }
        return false;
    }

private:
    QWidget *m_target;
    QEventLoop *m_loop;
};

void showUntilPainted(QWidget *w)
{
    QEventLoop loop;
    PaintWatcher watcher(w, &loop);
    QTimer::singleShot(10000, &loop, &QEventLoop::quit);
    w->show();
    if (!watcher.painted)
        loop.exec();
    if (!watcher.painted)
        fail(u"%1 was never painted"_s.arg(w->objectName()));
}

// A venue-sized photograph: smooth shapes plus sensor-like noise, so the
// JPEG is neither trivially small nor pure noise.
QImage photo(int width, int height)
{
    QImage img(width, height, QImage::Format_RGB32);
    quint32 seed = 12345;
    for (int y = 0; y < height; ++y) {
        auto *line = reinterpret_cast<QRgb *>(img.scanLine(y));
        for (int x = 0; x < width; ++x) {
            seed = seed * 1664525u + 1013904223u;
            const int noise = int(seed >> 28) - 8;
            const int r = (x * 255 / width + noise) & 0xff;
            const int g = (y * 200 / height + 30 + noise) & 0xff;
            const int b = ((x + y) * 127 / (width + height) + 90 + noise) & 0xff;
            line[x] = qRgb(r, g, b);
        }
    }
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    for (int i = 0; i < 12; ++i) {
        p.setBrush(QColor::fromHsv(i * 30, 160, 200));
        p.setPen(Qt::NoPen);
        p.drawEllipse(QPointF(width * (i + 1) / 13.0, height * ((i * 7) % 11 + 1) / 12.0),
                      width / 10.0, height / 12.0);
    }
    return img;
}

void writeJpeg(const QString &path, int width, int height)
{
    if (!photo(width, height).save(path, "JPG", 85))
        fail(u"cannot write %1"_s.arg(path));
}

QByteArray crlf(std::initializer_list<const char *> lines)
{
    QByteArray out;
    for (const char *l : lines)
        out += QByteArray(l) + "\r\n";
    return out;
}

// A hook file as the editor writes it.
QByteArray hookFile()
{
    return crlf({
        "; =================================================",
        "; AMO: Amo da trota",
        "; =================================================",
        "; ",
        "; Creato con Korvalis Editor 1.2a ",
        "; -------------------------------------------------",
        "",
        "[AMO]",
        "",
        "; Nome dell'amo (max 32 chr)",
        "NOME=\"Amo da trota\"",
        "NAME=\"Trout hook\"",
        "",
        "; Descrizione dell'amo (max 256 chr)",
        "DESCRIZIONE=\"Amo fine per trota\"",
        "DESCRIPTION=\"Thin trout hook\"",
        "",
        "; Filo dell'amo: 0=fine, 1=doppio",
        "FILO=0",
        "",
        "; Gambo dell'amo: 0=corto, 1=medio, 2=lungo",
        "GAMBO=1",
        "",
        "; Curva dell'amo: 0=crystal, 1=rotonda, 2=ampia",
        "CURVA=1",
        "",
        "; Punta dell'amo: 0=rientrante, 1=dritta, 2=storta",
        "PUNTA=1",
        "",
        "; Ardiglione dell'amo: 0=piccolo, 1=micro",
        "ARDIGLIONE=0",
        "",
        "; Colore dell'amo: 0=grigio, 1=bronzo, 2=brunito, 3=rosso, 4=dorato, 5=verde",
        "COLORE=2",
        "",
        "; Misura dell'amo: deve essere compresa tra -7 e 24",
        "MISURA=14",
        "",
        "; Esca ideale per l'amo: -1=Tutte, 0=Crostaceo, 1=Formaggio, 2=Frutta, 3=Insetto, "
        "4=Larva,",
        ";                 5=Pane o Polenta, 6=Vegetale, 7=Verme, 8=Vivo,",
        ";                 9=Artificiale, 10=Carne (morto), 11=Pastella, 12=Mollusco",
        ";                 13=Spinning",
        "ESCA=7",
        "",
        "; Foto dell'amo (immagine 100x100 px)",
        "FILENAMEFOTO=\"amo_trota.jpg\"",
    });
}

// A spinning bait file as the editor writes it.
QByteArray baitFile()
{
    return crlf({
        "; =================================================",
        "; ESCA: Cucchiaino rotante",
        "; =================================================",
        "; ",
        "; Creato con Korvalis Editor 1.2a ",
        "; -------------------------------------------------",
        "",
        "[ESCA]",
        "",
        "; Nome dell'esca (max 32 chr)",
        "NOME=\"Cucchiaino rotante\"",
        "NAME=\"Spinner\"",
        "",
        "; Descrizione dell'esca (max 256 chr)",
        "DESCRIZIONE=\"Cucchiaino per trota di torrente\"",
        "DESCRIPTION=\"Spinner for brook trout\"",
        "",
        "; Tipo dell'esca: 0=Crostaceo, 1=Formaggio, 2=Frutta, 3=Insetto, 4=Larva,",
        ";                 5=Pane o Polenta, 6=Vegetale, 7=Verme, 8=Vivo,",
        ";                 9=Artificiale, 10=Carne (morto), 11=Pastella, 12=Mollusco",
        ";                 13=Spinning",
        "TIPO=13",
        "",
        "; Colore ideale dell'amo: 0=grigio, 1=bronzo, 2=brunito, 3=rosso, 4=dorato, 5=verde",
        "COLORE_AMO=2",
        "",
        "; Curva ideale dell'amo: 0=crystal, 1=rotonda, 2=ampia",
        "CURVA_AMO=1",
        "",
        "; Tipo luogo ideale di utilizzo: -1=ovunque, 0=Fiume, 1=Lago, 2=Mare",
        "TIPO_LUOGO=0",
        "",
        "; Foto dell'esca (immagine 100x100 px)",
        "FILENAMEFOTO=\"cucchiaino.jpg\"",
        "",
        "; Profondit\xe0 di lavoro dell'esca da spinning (in cm, min 0, max 10000)",
        "MAX_PROF=150",
        "",
        "; Peso dell'esca da spinning (100=1 gr, min 200, max 20000)",
        "PESO=1550",
    });
}

QByteArray readBytes(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        fail(u"cannot read %1"_s.arg(path));
    return f.readAll();
}

// ---------------------------------------------------------------------------
// First opening of each editor window. Only the first opening in a process
// pays for its first combo box, tab widget, text edit..., so every sample
// is its own process; the floor is the same window opened again there.

int openingChild(const QString &jpeg)
{
    TestInstallation inst;
    ScriptedDesktop desk;
    KorvalisApplication korvalis(desk, inst.dataPath(), QString());
    // As for a user: the main window is up before any editor is asked for.
    showUntilPainted(&korvalis.KorvalisAppForm());
    QCoreApplication::processEvents();

    for (int k = 0; k < kKindCount; ++k) {
        const auto kind = static_cast<ItemKind>(k);
        if (!korvalis.hasEditor(kind))
            continue;
        const double t0 = bench::nowNs();
        KindEditor *editor = korvalis.editor(kind);
        editor->New();
        showUntilPainted(editor->dialog());
        const double t1 = bench::nowNs();
        editor->dialog()->hide();
        QCoreApplication::processEvents();

        const double t2 = bench::nowNs();
        editor->New();
        showUntilPainted(editor->dialog());
        const double t3 = bench::nowNs();
        editor->dialog()->hide();
        QCoreApplication::processEvents();
        std::printf("open %s %.0f %.0f\n", qPrintable(editor->dialog()->objectName()), t1 - t0,
                    t3 - t2);
    }

    // The first JPEG of a process also loads the image plugin.
    const double t0 = bench::nowNs();
    g_sink = g_sink + Picture::load(jpeg, QSize(100, 100)).width();
    const double t1 = bench::nowNs();
    g_sink = g_sink + Picture::load(jpeg, QSize(100, 100)).width();
    const double t2 = bench::nowNs();
    std::printf("jpeg - %.0f %.0f\n", t1 - t0, t2 - t1);
    return 0;
}

void openings(const std::string &rows, int children, const QString &jpeg)
{
    std::map<QString, bench::Pairs> perWindow;
    bench::Pairs firstJpeg;
    for (int i = 0; i < children; ++i) {
        QProcess child;
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        child.start(QCoreApplication::applicationFilePath(), {u"--opening-child"_s, jpeg});
        if (!child.waitForFinished(60000) || child.exitStatus() != QProcess::NormalExit
            || child.exitCode() != 0)
            fail(u"an opening child failed"_s);
        const QList<QByteArray> lines = child.readAllStandardOutput().split('\n');
        for (const QByteArray &line : lines) {
            const QList<QByteArray> f = line.split(' ');
            if (f.size() != 4)
                continue;
            bench::Pairs &p = f[0] == "jpeg" ? firstJpeg : perWindow[QString::fromLatin1(f[1])];
            p.subject.push_back(f[2].toDouble());
            p.floor.push_back(f[3].toDouble());
        }
    }
    if (perWindow.empty())
        fail(u"no editor window was opened"_s);
    for (const auto &[name, p] : perWindow) {
        const double med = p.subjectMedian();
        const double worst = bench::maximum(p.subject);
        bench::emit(rows, {"first opening of " + name.toStdString() + " (New + show until painted)",
                           bench::duration(med) + " (max " + bench::duration(worst) + ")",
                           bench::duration(p.floorMedian()) + " (2nd opening)",
                           bench::ratioText(p.ratio()), "<= 20 ms, max <= 100 ms",
                           med <= 20e6 && worst <= 100e6});
    }
    bench::emit(rows, {"first 100x100 JPEG of a process (loads the image plugin)",
                       bench::duration(firstJpeg.subjectMedian()),
                       bench::duration(firstJpeg.floorMedian()) + " (2nd JPEG)",
                       bench::ratioText(firstJpeg.ratio()), "-", std::nullopt});
}

// ---------------------------------------------------------------------------
// Rod and reel, each the first editor of its own process: above, the hook
// opens first and pays for the first combo box, picture view and so on of
// the process; here the rod and the reel pay for their own. The floor is
// the same window opened again in that process.

int soloOpeningChild(const QString &instanceName)
{
    TestInstallation inst;
    ScriptedDesktop desk;
    KorvalisApplication korvalis(desk, inst.dataPath(), QString());
    showUntilPainted(&korvalis.KorvalisAppForm());
    QCoreApplication::processEvents();
    for (int k = 0; k < kKindCount; ++k) {
        const auto kind = static_cast<ItemKind>(k);
        if (kindInfo(kind).instanceName != instanceName || !korvalis.hasEditor(kind))
            continue;
        double ns[2];
        for (double &sample : ns) {
            const double t0 = bench::nowNs();
            KindEditor *editor = korvalis.editor(kind);
            editor->New();
            showUntilPainted(editor->dialog());
            sample = bench::nowNs() - t0;
            editor->dialog()->hide();
            QCoreApplication::processEvents();
        }
        std::printf("solo %s %.0f %.0f\n", qPrintable(instanceName), ns[0], ns[1]);
        return 0;
    }
    return 1;
}

void soloOpenings(const std::string &rows, int children)
{
    for (const ItemKind kind : {ItemKind::Canna, ItemKind::Mulinello}) {
        const QString name = kindInfo(kind).instanceName;
        bench::Pairs p;
        for (int i = 0; i < children; ++i) {
            QProcess child;
            child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
            child.start(QCoreApplication::applicationFilePath(), {u"--solo-opening-child"_s, name});
            if (!child.waitForFinished(60000) || child.exitStatus() != QProcess::NormalExit
                || child.exitCode() != 0)
                fail(u"a solo opening child failed"_s);
            for (const QByteArray &line : child.readAllStandardOutput().split('\n')) {
                const QList<QByteArray> f = line.split(' ');
                if (f.size() == 4 && f[0] == "solo") {
                    p.subject.push_back(f[2].toDouble());
                    p.floor.push_back(f[3].toDouble());
                }
            }
        }
        if (p.subject.empty())
            fail(u"no solo opening of "_s + name);
        const double med = p.subjectMedian();
        const double worst = bench::maximum(p.subject);
        bench::emit(rows, {"first opening of " + name.toStdString()
                               + " as the process's first editor (New + show until painted)",
                           bench::duration(med) + " (max " + bench::duration(worst) + ")",
                           bench::duration(p.floorMedian()) + " (2nd opening)",
                           bench::ratioText(p.ratio()), "<= 20 ms, max <= 100 ms",
                           med <= 20e6 && worst <= 100e6});
    }
}

// ---------------------------------------------------------------------------

// Each venue photo size: decoded for the 512x390 view beside a plain full
// decode. 1024x768 decodes at 1/2; 800x600 in full, then shrinks smoothly.
void pictures(const std::string &rows, int pairs, const QString &venuePhotos)
{
    for (const char *size : {"1024x768", "800x600"}) {
        const QString photo = venuePhotos.arg(QLatin1StringView(size));
        // Both paths decode once outside the timing (plugin, page cache).
        QImageReader(photo).read();
        Picture::load(photo, QSize(512, 390));
        const bench::Pairs p = bench::alternate(
            pairs,
            [&] {
                const double t0 = bench::nowNs();
                QImageReader reader(photo);
                g_sink = g_sink + reader.read().width();
                return bench::nowNs() - t0;
            },
            [&] {
                const double t0 = bench::nowNs();
                g_sink = g_sink + Picture::load(photo, QSize(512, 390)).width();
                return bench::nowNs() - t0;
            });
        bench::emit(rows, {std::string(size) + " JPEG into a 512x390 view (Picture::load)",
                           bench::duration(p.subjectMedian()),
                           bench::duration(p.floorMedian()) + " (full decode)",
                           bench::ratioText(p.ratio()), "<= 1.0x", p.ratio() <= 1.0});
    }
}

struct Editor
{
    TestInstallation inst;
    ScriptedDesktop desk;
    KorvalisApplication korvalis{desk, inst.dataPath(), QString()};
    TItemEditorForm *form = &korvalis.AmoForm();

    Editor()
    {
        showUntilPainted(&korvalis.KorvalisAppForm());
        use(form);
    }
    // The editor the next figures use, shown as for a user.
    void use(TItemEditorForm *editor)
    {
        form->hide();
        form = editor;
        form->New();
        showUntilPainted(form);
    }
    void check(const char *what)
    {
        if (!desk.errors.isEmpty() || !desk.messages.isEmpty() || desk.unexpectedDialogs
            || !desk.allAnswersUsed())
            fail(u"%1 did not run cleanly: %2"_s.arg(QString::fromLatin1(what),
                                                     (desk.errors + desk.messages).join(u"; ")));
    }
};

// Two items with different texts, opened in turn: the editor really has to
// replace what it shows, as when a user opens one item after another.
void itemOpen(const std::string &rows, int pairs, Editor &e, const QString (&items)[2],
              const QString &picture, const std::string &what)
{
    int next = 0;
    const auto floor = [&] {
        g_sink = g_sink + readBytes(items[next ^= 1]).size();
        QImageReader reader(picture);
        g_sink = g_sink + reader.read().width();
    };
    const auto subject = [&] {
        e.desk.answerOpen(items[next ^= 1]);
        e.form->Load();
    };
    const int floorCalls = bench::callsFor(2e6, floor);
    const int subjectCalls = bench::callsFor(2e6, subject);
    const bench::Pairs p = bench::alternate(
        pairs,
        [&] {
            // Let the previous batch's repaints happen outside the timing.
            QCoreApplication::processEvents();
            return bench::timePerCall(floorCalls, floor);
        },
        [&] {
            QCoreApplication::processEvents();
            return bench::timePerCall(subjectCalls, subject);
        });
    e.check("Load");
    bench::emit(rows, {"open " + what + " with a 100x100 JPEG (Load, scripted dialog)",
                       bench::duration(p.subjectMedian()),
                       bench::duration(p.floorMedian()) + " (read + decode)",
                       bench::ratioText(p.ratio()), "<= 1.5x", p.ratio() <= 1.5});
}

void iniRead(const std::string &rows, int pairs, const QString &hook)
{
    static const QString section = u"AMO"_s;
    static const QString strings[] = {u"NOME"_s, u"NAME"_s, u"DESCRIZIONE"_s, u"DESCRIPTION"_s,
                                      u"FILENAMEFOTO"_s};
    static const QString integers[] = {u"FILO"_s,       u"GAMBO"_s,  u"CURVA"_s,  u"PUNTA"_s,
                                       u"ARDIGLIONE"_s, u"COLORE"_s, u"MISURA"_s, u"ESCA"_s};
    const auto floor = [&] { g_sink = g_sink + readBytes(hook).size(); };
    const auto subject = [&] {
        const IniProfile ini = IniProfile::fromFile(hook);
        for (const QString &k : strings)
            g_sink = g_sink + ini.readString(section, k, QString()).size();
        for (const QString &k : integers)
            g_sink = g_sink + ini.readInteger(section, k, 0);
    };
    const int floorCalls = bench::callsFor(2e6, floor);
    const int subjectCalls = bench::callsFor(2e6, subject);
    const bench::Pairs p = bench::alternate(
        pairs, [&] { return bench::timePerCall(floorCalls, floor); },
        [&] { return bench::timePerCall(subjectCalls, subject); });
    bench::emit(rows, {"read a hook file (IniProfile) and look up its 13 keys",
                       bench::duration(p.subjectMedian()),
                       bench::duration(p.floorMedian()) + " (read bytes)",
                       bench::ratioText(p.ratio()), "<= 3x", p.ratio() <= 3});
}

// What a durable save of one file must do at least: write a temporary file
// beside the target, flush it to the disk, rename it over the target.
void durableWrite(const QString &path, const QByteArray &bytes)
{
    const QByteArray target = QFile::encodeName(path);
    const QByteArray temp = target + ".tmp";
    const int fd = ::open(temp.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0 || ::write(fd, bytes.constData(), size_t(bytes.size())) != bytes.size()
        || ::fdatasync(fd) != 0 || ::close(fd) != 0
        || ::rename(temp.constData(), target.constData()) != 0)
        fail(u"cannot write %1"_s.arg(path));
}

// Saving an item against a floor that writes durably each file the save
// writes: the item file and, when the kind folder lacks it, the picture.
void itemSave(const std::string &rows, int pairs, Editor &e, const QString &incomingItem,
              const QString &incomingPicture, const QString &target, const std::string &what)
{
    const QString folder = e.form->kindFolder();
    const QString copied = folder + QFileInfo(incomingPicture).fileName();
    const QString floorFile = folder + u"floor.bin"_s;
    const QString floorPicture = folder + u"floor.jpg"_s;
    const auto reload = [&] {
        // The picture then lies outside the kind folder.
        QCoreApplication::processEvents();
        e.desk.answerOpen(incomingItem);
        e.form->Load();
    };
    const auto save = [&] {
        e.desk.answerSave(target);
        e.form->Save();
    };
    reload();
    save();
    e.check("Save");
    const QByteArray item = readBytes(target);
    const QByteArray picture = readBytes(incomingPicture);

    for (const bool pictureInPlace : {false, true}) {
        const bench::Pairs p = bench::alternate(
            pairs,
            [&] {
                QCoreApplication::processEvents();
                const double t0 = bench::nowNs();
                durableWrite(floorFile, item);
                if (!pictureInPlace)
                    durableWrite(floorPicture, picture);
                return bench::nowNs() - t0;
            },
            [&] {
                reload();
                if (!pictureInPlace)
                    QFile::remove(copied);
                const double t0 = bench::nowNs();
                save();
                return bench::nowNs() - t0;
            });
        e.check("Save");
        if (readBytes(copied) != picture)
            fail(u"the save did not copy the picture"_s);
        bench::emit(rows, {"save " + what
                               + (pictureInPlace ? ", same picture already in its folder"
                                                 : ", picture copied into its folder"),
                           bench::duration(p.subjectMedian()),
                           bench::duration(p.floorMedian())
                               + (pictureInPlace ? " (durable write of the item file)"
                                                 : " (durable writes of item file and picture)"),
                           bench::ratioText(p.ratio()), "<= 1.5x", p.ratio() <= 1.5});
    }
}

// ---------------------------------------------------------------------------
// A 77-row presence list: LoadDati against the reader alone (parse and look
// up every species), SaveDati against the writer alone (the same lines).

void presenceList(const std::string &rows, int pairs)
{
    TestInstallation inst;
    ScriptedDesktop desk;
    KorvalisApplication korvalis(desk, inst.dataPath(), QString());
    TPresPesciForm &form = korvalis.PresPesciForm();
    showUntilPainted(&korvalis.KorvalisAppForm());
    form.New();
    showUntilPainted(&form);

    const QString folder = form.GetPathPresenzaPesci();
    // Two lists with different values, loaded in turn: every cell changes.
    const QString lists[2] = {u"Mare.kvs"_s, u"Mare2.kvs"_s};
    for (int f = 0; f < 2; ++f) {
        QByteArray sea = "[PESCI_MARE]\r\n";
        int n = 0;
        for (const QString &key : speciesKeys(Acqua::Mare))
            sea += key.toLatin1() + '=' + QByteArray::number((n++ * 13 + f * 7) % 101) + "\r\n";
        TestInstallation::write(folder + lists[f], sea);
    }
    const auto check = [&](const char *what) {
        if (!desk.errors.isEmpty() || !desk.messages.isEmpty() || desk.unexpectedDialogs)
            fail(u"%1 did not run cleanly: %2"_s.arg(QString::fromLatin1(what),
                                                     (desk.errors + desk.messages).join(u"; ")));
    };

    int next = 0;
    const auto readerFloor = [&] {
        const PresenzaPesci p = readPresenzaPesci(IniProfile::fromFile(folder + lists[next ^= 1]));
        g_sink = g_sink + p.mare.back();
    };
    const auto load = [&] { form.LoadDati(QString(), lists[next ^= 1]); };
    load();
    check("LoadDati");
    {
        const int floorCalls = bench::callsFor(2e6, readerFloor);
        const int subjectCalls = bench::callsFor(2e6, load);
        const bench::Pairs p = bench::alternate(
            pairs,
            [&] {
                QCoreApplication::processEvents();
                return bench::timePerCall(floorCalls, readerFloor);
            },
            [&] {
                QCoreApplication::processEvents();
                return bench::timePerCall(subjectCalls, load);
            });
        check("LoadDati");
        bench::emit(rows, {"load a 77-row presence list (LoadDati into the grids)",
                           bench::duration(p.subjectMedian()),
                           bench::duration(p.floorMedian()) + " (reader: parse, 131 lookups)",
                           bench::ratioText(p.ratio()), "<= 3x", p.ratio() <= 3});
    }

    std::vector<int> values;
    for (int row = 0; row < 77; ++row)
        values.push_back(row * 13 % 101);
    const auto writerFloor = [&] {
        TIniFileWriter w(desk);
        w.Crea(folder + u"floor.kvs"_s);
        writePresenzaPesci(w, kPresenzaTitlePrefix + u"Mare.kvs"_s, Acqua::Mare, values);
        w.Close();
    };
    const auto save = [&] { form.SaveDati(QString(), u"Mare.kvs"_s); };
    save();
    check("SaveDati");
    {
        const bench::Pairs p = bench::alternate(
            pairs,
            [&] {
                QCoreApplication::processEvents();
                const double t0 = bench::nowNs();
                writerFloor();
                return bench::nowNs() - t0;
            },
            [&] {
                QCoreApplication::processEvents();
                const double t0 = bench::nowNs();
                save();
                return bench::nowNs() - t0;
            });
        check("SaveDati");
        bench::emit(rows, {"save a 77-row presence list (SaveDati from the grid)",
                           bench::duration(p.subjectMedian()),
                           bench::duration(p.floorMedian()) + " (writer: the same 85 lines)",
                           bench::ratioText(p.ratio()), "<= 3x", p.ratio() <= 3});
    }
}

// ---------------------------------------------------------------------------
// The venue editor: opening a venue with a 1024x768 photo, and a pointer
// movement over the profile's overlay. (Its first opening is a row of the
// openings above.)

void venue(const std::string &rows, int pairs)
{
    TestInstallation inst;
    ScriptedDesktop desk;
    KorvalisApplication korvalis(desk, inst.dataPath(), QString());
    showUntilPainted(&korvalis.KorvalisAppForm());
    TLuogoForm &form = korvalis.LuogoForm();
    form.New();
    showUntilPainted(&form);

    const QString luoghi = inst.game() + u"Luoghi/"_s;
    const QString photo = luoghi + u"venue.jpg"_s;
    writeJpeg(photo, 1024, 768);
    const QString venues[2] = {luoghi + u"lago.kvl"_s, luoghi + u"fiume.kvl"_s};
    TestInstallation::write(venues[0],
                            crlf({"[LUOGO]", "NOME=\"Lago\"", "FILENAMEFOTO=venue.jpg",
                                  "LIMITI_SUPERIORI=00011223344555555555544332211000",
                                  "TIPO_LIMITI_SUPERIORI=00202020202000000000030303030300",
                                  "FILE_PRESENZA_PESCI=\\\\KVS\\\\MioLago"}));
    TestInstallation::write(venues[1],
                            crlf({"[LUOGO]", "NOME=\"Fiume\"", "FILENAMEFOTO=venue.jpg", "TIPO=0",
                                  "CORRENTE=1", "LIMITI_SUPERIORI=77777777000000000000000033333333",
                                  "FILE_PRESENZA_PESCI=\\\\KVS\\\\PesciNord"}));
    const auto check = [&](const char *what) {
        if (!desk.errors.isEmpty() || !desk.messages.isEmpty() || desk.unexpectedDialogs
            || !desk.allAnswersUsed())
            fail(u"%1 did not run cleanly: %2"_s.arg(QString::fromLatin1(what),
                                                     (desk.errors + desk.messages).join(u"; ")));
    };

    int next = 0;
    QImageReader(photo).read(); // plugin and page cache, outside the timing
    const bench::Pairs open = bench::alternate(
        pairs,
        [&] {
            QCoreApplication::processEvents();
            const double t0 = bench::nowNs();
            QImageReader reader(photo);
            g_sink = g_sink + reader.read().width();
            return bench::nowNs() - t0;
        },
        [&] {
            QCoreApplication::processEvents();
            desk.answerOpen(venues[next ^= 1]);
            const double t0 = bench::nowNs();
            form.Load();
            return bench::nowNs() - t0;
        });
    check("Load");
    bench::emit(rows, {"open a venue with a 1024x768 JPEG photo (Load, scripted dialog)",
                       bench::duration(open.subjectMedian()),
                       bench::duration(open.floorMedian()) + " (full decode)",
                       bench::ratioText(open.ratio()), "<= 1.0x", open.ratio() <= 1.0});

    // Between two columns: each movement moves the highlight (two markers)
    // and changes the readout. The floor moves along a column border,
    // which changes nothing.
    QWidget *overlay = form.findChild<QWidget *>(u"LuogoLimiti"_s);
    if (!overlay)
        fail(u"no overlay"_s);
    QCoreApplication::processEvents();
    const auto move = [&](QPoint at) {
        QMouseEvent e(QEvent::MouseMove, at, overlay->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                      Qt::NoModifier);
        QCoreApplication::sendEvent(overlay, &e);
        QCoreApplication::processEvents(); // the repaint it causes
    };
    int column = 0;
    const auto subject = [&] { move(QPoint(column ^= 1 ? 8 + 16 * 11 : 8 + 16 * 2, 104)); };
    int y = 0;
    const auto floor = [&] { move(QPoint(16 * 5, 100 + (y ^= 1))); };
    const int floorCalls = bench::callsFor(2e6, floor);
    const int subjectCalls = bench::callsFor(2e6, subject);
    const bench::Pairs pointer = bench::alternate(
        pairs, [&] { return bench::timePerCall(floorCalls, floor); },
        [&] { return bench::timePerCall(subjectCalls, subject); });
    bench::emit(rows,
                {"pointer movement over the venue profile, event to end of repaint",
                 bench::duration(pointer.subjectMedian()),
                 bench::duration(pointer.floorMedian()) + " (movement, no change)",
                 bench::ratioText(pointer.ratio()), "<= 1 ms", pointer.subjectMedian() <= 1e6});
    check("pointer");
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() == 3 && args[1] == u"--opening-child")
        return openingChild(args[2]);
    if (args.size() == 3 && args[1] == u"--solo-opening-child")
        return soloOpeningChild(args[2]);

    std::string rows;
    int pairs = 31;
    int children = 15;
    QString only; // one section, e.g. to run it under a profiler
    for (qsizetype i = 1; i + 1 < args.size(); i += 2) {
        if (args[i] == u"--rows")
            rows = args[i + 1].toStdString();
        else if (args[i] == u"--pairs")
            pairs = args[i + 1].toInt();
        else if (args[i] == u"--children")
            children = args[i + 1].toInt();
        else if (args[i] == u"--only")
            only = args[i + 1];
        else
            fail(u"unknown option "_s + args[i]);
    }
    const auto wanted = [&](const QString &section) { return only.isEmpty() || only == section; };

    Editor e;
    const QString incoming = e.inst.dataPath() + u"/incoming/"_s;
    QDir().mkpath(incoming);
    const QString ami = e.inst.game() + u"Ami/"_s;
    const QString venuePhotos = e.inst.dataPath() + u"/venue%1.jpg"_s;
    const QString childJpeg = e.inst.dataPath() + u"/child.jpg"_s;
    for (const QString &folder : {ami, incoming}) {
        TestInstallation::write(folder + u"trota.kva"_s, hookFile());
        writeJpeg(folder + u"amo_trota.jpg"_s, 100, 100);
    }
    QByteArray carp = hookFile();
    carp.replace("Amo fine per trota", "Amo robusto per la carpa di fiume");
    carp.replace("Amo da trota", "Amo da carpa");
    carp.replace("Thin trout hook", "Strong hook for river carp");
    carp.replace("Trout hook", "Carp hook");
    TestInstallation::write(ami + u"carpa.kva"_s, carp);
    const QString hooks[2] = {ami + u"trota.kva"_s, ami + u"carpa.kva"_s};
    writeJpeg(venuePhotos.arg(u"1024x768"_s), 1024, 768);
    writeJpeg(venuePhotos.arg(u"800x600"_s), 800, 600);
    writeJpeg(childJpeg, 100, 100);

    if (wanted(u"openings"_s))
        openings(rows, children, childJpeg);
    if (wanted(u"solo"_s))
        soloOpenings(rows, children);
    if (wanted(u"picture"_s))
        pictures(rows, pairs, venuePhotos);
    if (wanted(u"open"_s))
        itemOpen(rows, pairs, e, hooks, ami + u"amo_trota.jpg"_s, "a hook");
    if (wanted(u"ini"_s))
        iniRead(rows, pairs, ami + u"trota.kva"_s);
    if (wanted(u"save"_s))
        itemSave(rows, pairs, e, incoming + u"trota.kva"_s, incoming + u"amo_trota.jpg"_s,
                 ami + u"trota.kva"_s, "a hook");

    // The bait: the same floors, with its track bars and spinning switch.
    const QString esche = e.inst.game() + u"Esche/"_s;
    for (const QString &folder : {esche, incoming}) {
        TestInstallation::write(folder + u"cucchiaino.kve"_s, baitFile());
        writeJpeg(folder + u"cucchiaino.jpg"_s, 100, 100);
    }
    QByteArray other = baitFile();
    other.replace("Cucchiaino per trota di torrente", "Ondulante pesante per il luccio");
    other.replace("Cucchiaino rotante", "Ondulante");
    other.replace("Spinner for brook trout", "Heavy spoon for pike");
    other.replace("MAX_PROF=150", "MAX_PROF=400");
    other.replace("PESO=1550", "PESO=2800");
    TestInstallation::write(esche + u"ondulante.kve"_s, other);
    const QString baits[2] = {esche + u"cucchiaino.kve"_s, esche + u"ondulante.kve"_s};
    if (wanted(u"open"_s) || wanted(u"save"_s))
        e.use(&e.korvalis.EscaForm());
    if (wanted(u"open"_s))
        itemOpen(rows, pairs, e, baits, esche + u"cucchiaino.jpg"_s, "a bait");
    if (wanted(u"save"_s))
        itemSave(rows, pairs, e, incoming + u"cucchiaino.kve"_s, incoming + u"cucchiaino.jpg"_s,
                 esche + u"cucchiaino.kve"_s, "a bait");
    if (wanted(u"fish"_s))
        presenceList(rows, pairs);
    if (wanted(u"venue"_s))
        venue(rows, pairs);
    return 0;
}
