#include "qtdesktopservices.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>

#include <vector>

#ifdef Q_OS_WIN
#include <shlobj.h>
#include <windows.h>
#endif

using namespace Qt::StringLiterals;

namespace {
const QString kTitle = u"Korvalis Editor"_s;

QWidget *dialogParent()
{
    return QApplication::activeModalWidget() ? QApplication::activeModalWidget()
                                             : QApplication::activeWindow();
}

std::optional<QString> runFileDialog(QFileDialog &dialog)
{
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}
} // namespace

QStringList QtDesktopServices::toQtNameFilters(const QString &filter)
{
    QStringList result;
    const QStringList parts = filter.split(u'|');
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString description = parts[i].trimmed();
        QString patterns = parts[i + 1].trimmed();
        patterns.replace(u';', u' ');
        // "File jpg (*.jpg)" already shows its pattern; Qt reads the last
        // parenthesis, so only add one when it is missing.
        if (description.endsWith(u'(' + patterns + u')'))
            result.append(description);
        else
            result.append(description + u" ("_s + patterns + u')');
    }
    return result;
}

QtDesktopServices::QtDesktopServices()
    : m_processes(std::make_unique<QObject>())
{
}

QtDesktopServices::~QtDesktopServices()
{
    // Whoever asked for a result may be gone by now.
    for (QProcess *p : m_processes->findChildren<QProcess *>())
        p->disconnect();
}

void QtDesktopServices::finishPendingProcesses(int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    while (m_pending > 0 && clock.elapsed() < timeoutMs)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
}

std::optional<QString> QtDesktopServices::openFile(const QString &filter, const QString &initDir)
{
    QFileDialog dialog(dialogParent());
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (!initDir.isEmpty())
        dialog.setDirectory(initDir);
    dialog.setNameFilters(toQtNameFilters(filter));
    return runFileDialog(dialog);
}

std::optional<QString> QtDesktopServices::saveFile(const QString &filter, const QString &initDir,
                                                   const QString &defExt, const QString &fileName)
{
    QFileDialog dialog(dialogParent());
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    if (!initDir.isEmpty())
        dialog.setDirectory(initDir);
    if (!defExt.isEmpty())
        dialog.setDefaultSuffix(defExt);
    dialog.setNameFilters(toQtNameFilters(filter));
    dialog.selectFile(fileName);
    return runFileDialog(dialog);
}

void QtDesktopServices::message(const QString &text)
{
    QMessageBox box(QMessageBox::NoIcon, kTitle, text, QMessageBox::Ok, dialogParent());
    box.exec();
}

void QtDesktopServices::showError(const QString &text)
{
    QMessageBox box(QMessageBox::Critical, kTitle, text, QMessageBox::Ok, dialogParent());
    box.exec();
}

int QtDesktopServices::ask(const QString &text, const QStringList &answers, int defaultAnswer,
                           int escapeAnswer)
{
    QMessageBox box(QMessageBox::Question, kTitle, text, QMessageBox::NoButton, dialogParent());
    std::vector<QAbstractButton *> buttons;
    for (qsizetype i = 0; i < answers.size(); ++i)
        buttons.push_back(box.addButton(answers[i], i == escapeAnswer ? QMessageBox::RejectRole
                                                                      : QMessageBox::AcceptRole));
    if (defaultAnswer >= 0 && size_t(defaultAnswer) < buttons.size())
        box.setDefaultButton(qobject_cast<QPushButton *>(buttons[size_t(defaultAnswer)]));
    if (escapeAnswer >= 0 && size_t(escapeAnswer) < buttons.size())
        box.setEscapeButton(buttons[size_t(escapeAnswer)]);
    box.exec();
    for (size_t i = 0; i < buttons.size(); ++i) {
        if (box.clickedButton() == buttons[i])
            return int(i);
    }
    return escapeAnswer;
}

void QtDesktopServices::startProcess(const QString &program, const QStringList &args,
                                     const QString &workDir, ProcessDone done)
{
    auto *process = new QProcess(m_processes.get());
    ++m_pending;
    process->setProgram(program);
    process->setArguments(args);
    process->setWorkingDirectory(workDir);
    // Info-ZIP tools take default options from these; an inherited one such
    // as UNZIP=-: would undo their path safety.
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const QString &name : {u"ZIP"_s, u"ZIPOPT"_s, u"UNZIP"_s, u"UNZIPOPT"_s})
        env.remove(name);
    process->setProcessEnvironment(env);
    // A tool that asks ("Continue? (y/n)") must get an answer at once
    // instead of waiting for ever on an open pipe. Nobody reads the tool's
    // chatter; do not let a full pipe stall it.
    process->setStandardInputFile(QProcess::nullDevice());
    process->setStandardOutputFile(QProcess::nullDevice());
    process->setStandardErrorFile(QProcess::nullDevice());
    QObject::connect(process, &QProcess::errorOccurred, process,
                     [this, process, done](QProcess::ProcessError error) {
                         if (error != QProcess::FailedToStart)
                             return;
                         --m_pending;
                         ProcessResult r;
                         r.started = false;
                         r.errorText = process->errorString();
                         if (done)
                             done(r);
                         process->deleteLater();
                     });
    QObject::connect(process, &QProcess::finished, process,
                     [this, process, done](int exitCode, QProcess::ExitStatus status) {
                         --m_pending;
                         ProcessResult r;
                         r.started = true;
                         r.exitCode = exitCode;
                         r.crashed = status == QProcess::CrashExit;
                         if (r.crashed)
                             r.errorText = process->errorString();
                         if (done)
                             done(r);
                         process->deleteLater();
                     });
    process->start();
}

QString QtDesktopServices::commonAppDataFolder()
{
#ifdef Q_OS_WIN
    // The shell's known folder, not %ProgramData%: the environment of a
    // process may be anything its parent gave it.
    PWSTR path = nullptr;
    QString folder;
    if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_ProgramData, KF_FLAG_DEFAULT, nullptr, &path)))
        folder = QDir::fromNativeSeparators(QString::fromWCharArray(path));
    CoTaskMemFree(path);
    while (folder.size() > 3 && folder.endsWith(u'/'))
        folder.chop(1);
    return folder;
#else
    // Off Windows the game runs under Wine: its machine-wide data folder is
    // ProgramData inside the Wine prefix.
    QString prefix = qEnvironmentVariable("WINEPREFIX");
    if (prefix.isEmpty())
        prefix = QDir::homePath() + u"/.wine"_s;
    return QDir::cleanPath(prefix + u"/drive_c/ProgramData"_s);
#endif
}
