#include "korvalisapp.h"
#include "korvalisappform.h"
#include "qtdesktopservices.h"
#include "quitafterfirstpaint.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QIcon>

using namespace Qt::StringLiterals;

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(u"Korvalis Editor"_s);
    QApplication::setApplicationVersion(u"1.3"_s);
    // The small sizes only: decoding the 256-pixel icon at start costs more
    // than the rest of the main window.
    QIcon icon;
    icon.addFile(u":/icons/korvalisedit-32.png"_s, QSize(32, 32));
    icon.addFile(u":/icons/korvalisedit-48.png"_s, QSize(48, 48));
    QApplication::setWindowIcon(icon);

    QCommandLineParser parser;
    parser.setApplicationDescription(u"Editor of the Korvalis item files"_s);
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption dataDir(u"data-dir"_s,
                                     u"Machine-wide data folder that holds Korvalis/ "
                                     "(default: $KORVALIS_DATA_DIR, else the platform's)."_s,
                                     u"DIR"_s);
    parser.addOption(dataDir);
    QCommandLineOption exitAfterFirstPaint(u"exit-after-first-paint"_s,
                                           u"Quit once the main window has painted."_s);
    exitAfterFirstPaint.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOption(exitAfterFirstPaint);
    parser.process(app);

    QtDesktopServices desktop;
    const QString dataPath = resolveDataPath(parser.value(dataDir), desktop);

    KorvalisApplication korvalis(desktop, dataPath, QDir::currentPath());
    if (!korvalis.installationFound())
        return 1;
    QWidget &mainWindow = korvalis.KorvalisAppForm();
    if (parser.isSet(exitAfterFirstPaint))
        mainWindow.installEventFilter(new QuitAfterFirstPaint(&mainWindow));
    mainWindow.show();
    const int status = app.exec();
    // An export still packing must get to replace its archive.
    desktop.finishPendingProcesses(60 * 1000);
    return status;
}
