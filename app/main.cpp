#include "checkcommand.h"
#include "console.h"
#include "korvalisapp.h"
#include "korvalisappform.h"
#include "qtdesktopservices.h"
#include "quitafterfirstpaint.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QIcon>
#include <QTextStream>
#include <QTimer>

#include <cstring>

using namespace Qt::StringLiterals;

namespace {

struct Options
{
    QCommandLineOption dataDir{u"data-dir"_s,
                               u"Machine-wide data folder that holds Korvalis/ "
                               "(default: $KORVALIS_DATA_DIR, else the platform's)."_s,
                               u"DIR"_s};
    QCommandLineOption check{u"check"_s,
                             u"Check the item files at PATH (files, kind folders or a whole "
                             "data folder, walked recursively) without opening a window. "
                             "Prints one line per finding as path:line: error|warning: "
                             "message, then a summary. Exit status: 0 without errors, 1 with "
                             "errors, 2 for a usage error or a PATH that does not exist."_s};
    QCommandLineOption json{u"json"_s,
                            u"With --check: print one JSON document instead of lines."_s};
    QCommandLineOption exitAfterFirstPaint{u"exit-after-first-paint"_s,
                                           u"Quit once the main window has painted."_s};
};

void setUp(QCommandLineParser &parser, Options &o)
{
    QCoreApplication::setApplicationName(u"Korvalis Editor"_s);
    QCoreApplication::setApplicationVersion(QStringLiteral(KV_VERSION));
    parser.setApplicationDescription(u"Editor of the Korvalis item files"_s);
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOption(o.dataDir);
    parser.addOption(o.check);
    parser.addOption(o.json);
    o.exitAfterFirstPaint.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOption(o.exitAfterFirstPaint);
    parser.addPositionalArgument(u"FILE"_s,
                                 u"Item files to open, each in its editor; with --check, the "
                                 "files or folders to check."_s,
                                 u"[FILE...]"_s);
}

// The checker needs no display: it runs in terminals, containers and
// build pipelines. Neither do --help and --version, which the parser
// answers (and ends the program) before any check.
int runHeadless(int argc, char *argv[])
{
    useParentConsole();
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    Options o;
    setUp(parser, o);
    QTextStream out(stdout);
    QTextStream err(stderr);
    // A usage error is status 2 with its message on stderr only, so a
    // pipeline reading the report (--json too) never takes it for one.
    if (!parser.parse(QCoreApplication::arguments())) {
        err << "korvalisedit: " << printable(parser.errorText()) << '\n';
        return 2;
    }
    if (parser.isSet(u"help"_s))
        parser.showHelp();
    if (parser.isSet(u"version"_s))
        parser.showVersion();
    return runCheckCommand(parser.positionalArguments(), parser.isSet(o.json), out, err);
}

} // namespace

int main(int argc, char *argv[])
{
    for (int i = 1; i < argc; ++i)
        for (const char *headless :
             {"--check", "--help", "-h", "-?", "--help-all", "--version", "-v"})
            if (std::strcmp(argv[i], headless) == 0)
                return runHeadless(argc, argv);

    QApplication app(argc, argv);
    // The small sizes only: decoding the 256-pixel icon at start costs more
    // than the rest of the main window.
    QIcon icon;
    icon.addFile(u":/icons/korvalisedit-32.png"_s, QSize(32, 32));
    icon.addFile(u":/icons/korvalisedit-48.png"_s, QSize(48, 48));
    QApplication::setWindowIcon(icon);

    QCommandLineParser parser;
    Options o;
    setUp(parser, o);
    parser.process(app);
    if (parser.isSet(o.json)) {
        useParentConsole();
        QTextStream(stderr) << "korvalisedit: --json goes with --check\n";
        return 2;
    }

    QtDesktopServices desktop;
    const QString dataPath = resolveDataPath(parser.value(o.dataDir), desktop);

    KorvalisApplication korvalis(desktop, dataPath, QDir::currentPath());
    if (!korvalis.installationFound())
        return 1;
    TKorvalisAppForm &mainWindow = korvalis.KorvalisAppForm();
    if (parser.isSet(o.exitAfterFirstPaint))
        mainWindow.installEventFilter(new QuitAfterFirstPaint(&mainWindow));
    mainWindow.show();
    // Files named on the command line (a file manager's "open with") open
    // once the main window is up, one after the other.
    const QStringList files = parser.positionalArguments();
    if (!files.isEmpty())
        QTimer::singleShot(0, &mainWindow,
                           [&mainWindow, files] { mainWindow.openItemFiles(files); });
    const int status = app.exec();
    // An export still packing must get to replace its archive.
    desktop.finishPendingProcesses(60 * 1000);
    return status;
}
