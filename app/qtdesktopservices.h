#pragma once

#include "desktopservices.h"

#include <QStringList>

// Desktop services on Qt's own dialogs, message boxes and QProcess.
class QtDesktopServices : public DesktopServices
{
public:
    std::optional<QString> openFile(const QString &filter, const QString &initDir) override;
    std::optional<QString> saveFile(const QString &filter, const QString &initDir,
                                    const QString &defExt, const QString &fileName) override;
    void message(const QString &text) override;
    void showError(const QString &text) override;
    void startProcess(const QString &program, const QStringList &args, const QString &workDir,
                      ProcessDone done) override;
    QString commonAppDataFolder() override;

    // "description|pattern|description|pattern" as Qt's name filters.
    static QStringList toQtNameFilters(const QString &filter);
};
