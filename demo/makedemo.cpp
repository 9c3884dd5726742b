// kv_demodata DIR: writes a small demo installation into DIR (the folder
// that then holds Korvalis/ and KorvalisEditor/).

#include "demoinstallation.h"

#include <QApplication>
#include <QDir>
#include <QTextStream>

using namespace Qt::StringLiterals;

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
    QStringList problems;
    if (!makeDemoInstallation(QDir(args[1]).absolutePath(), &problems)) {
        err << "kv_demodata: the demo is incomplete:\n  " << problems.join(u"\n  "_s) << '\n';
        return 1;
    }
    return 0;
}
