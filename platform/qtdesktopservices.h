#pragma once

#include "desktopservices.h"

#include <QStringList>

#include <memory>

class QObject;

// Desktop services on Qt's own dialogs, message boxes and QProcess.
class QtDesktopServices : public DesktopServices
{
public:
    QtDesktopServices();
    ~QtDesktopServices() override;

    // Lets archive tools that still run finish, and their results be
    // handled, before the program's windows go away; stops them after
    // `timeoutMs`.
    void finishPendingProcesses(int timeoutMs);

    std::optional<QString> openFile(const QString &filter, const QString &initDir) override;
    std::optional<QString> saveFile(const QString &filter, const QString &initDir,
                                    const QString &defExt, const QString &fileName) override;
    void message(const QString &text) override;
    void showError(const QString &text) override;
    int ask(const QString &text, const QStringList &answers, int defaultAnswer,
            int escapeAnswer) override;
    void startProcess(const QString &program, const QStringList &args, const QString &workDir,
                      ProcessDone done) override;
    QString commonAppDataFolder() override;

    // "description|pattern|description|pattern" as Qt's name filters.
    static QStringList toQtNameFilters(const QString &filter);

private:
    std::unique_ptr<QObject> m_processes; // parent of the running tools
    int m_pending = 0;
};
