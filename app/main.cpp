#include "korvalisapp.h"
#include "korvalisappform.h"
#include "qtdesktopservices.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>

using namespace Qt::StringLiterals;

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(u"Korvalis Editor"_s);
    QApplication::setApplicationVersion(u"1.3"_s);
    QApplication::setWindowIcon(QIcon(u":/icons/korvalisedit.png"_s));

    QCommandLineParser parser;
    parser.setApplicationDescription(u"Editor of the Korvalis item files"_s);
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption dataDir(u"data-dir"_s,
                                     u"Machine-wide data folder that holds Korvalis/ "
                                     "(default: $KORVALIS_DATA_DIR, else the platform's)."_s,
                                     u"DIR"_s);
    parser.addOption(dataDir);
    parser.process(app);

    QtDesktopServices desktop;
    const QString dataPath = resolveDataPath(parser.value(dataDir), desktop);

    KorvalisApplication korvalis(desktop, dataPath, QDir::currentPath());
    if (!korvalis.installationFound())
        return 1;
    korvalis.KorvalisAppForm().show();
    return app.exec();
}
