#include "scripteddesktop.h"

#include <QProcess>
#include <QTest>

void ScriptedDesktop::answerOpen(const QString &path)
{
    m_answers.push_back({DialogRequest::Open, path});
}

void ScriptedDesktop::answerSave(const QString &path)
{
    m_answers.push_back({DialogRequest::Save, path});
}

void ScriptedDesktop::cancelNextDialog()
{
    m_answers.push_back({DialogRequest::Open, std::nullopt, true});
}

void ScriptedDesktop::answerQuestion(int answer)
{
    m_questionAnswers.push_back(answer);
}

int ScriptedDesktop::ask(const QString &text, const QStringList &answers, int defaultAnswer,
                         int escapeAnswer)
{
    questions.push_back({text, answers, defaultAnswer, escapeAnswer});
    if (m_questionAnswers.empty()) {
        ++unexpectedDialogs;
        QTest::qFail("unexpected question", __FILE__, __LINE__);
        return escapeAnswer;
    }
    const int answer = m_questionAnswers.front();
    m_questionAnswers.pop_front();
    return answer;
}

std::optional<QString> ScriptedDesktop::take(DialogRequest::Kind kind)
{
    if (m_answers.empty() || (!m_answers.front().anyKind && m_answers.front().kind != kind)) {
        ++unexpectedDialogs;
        QTest::qFail(kind == DialogRequest::Open ? "unexpected open dialog"
                                                 : "unexpected save dialog",
                     __FILE__, __LINE__);
        return std::nullopt;
    }
    const Answer a = m_answers.front();
    m_answers.pop_front();
    return a.path;
}

std::optional<QString> ScriptedDesktop::openFile(const QString &filter, const QString &initDir)
{
    dialogs.push_back({DialogRequest::Open, filter, initDir, {}, {}});
    return take(DialogRequest::Open);
}

std::optional<QString> ScriptedDesktop::saveFile(const QString &filter, const QString &initDir,
                                                 const QString &defExt, const QString &fileName)
{
    dialogs.push_back({DialogRequest::Save, filter, initDir, defExt, fileName});
    return take(DialogRequest::Save);
}

void ScriptedDesktop::message(const QString &text)
{
    messages.append(text);
}

void ScriptedDesktop::showError(const QString &text)
{
    errors.append(text);
}

void ScriptedDesktop::startProcess(const QString &program, const QStringList &args,
                                   const QString &workDir, ProcessDone done)
{
    processes.push_back({program, args, workDir});
    if (!runProcesses)
        return;
    QProcess p;
    p.setProgram(program);
    p.setArguments(args);
    p.setWorkingDirectory(workDir);
    p.setStandardInputFile(QProcess::nullDevice());
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"ZIP", "ZIPOPT", "UNZIP", "UNZIPOPT"})
        env.remove(QString::fromLatin1(name));
    p.setProcessEnvironment(env);
    p.start();
    ProcessResult r;
    r.started = p.waitForStarted(10000);
    if (!r.started) {
        r.errorText = p.errorString();
    } else {
        p.waitForFinished(60000);
        r.crashed = p.exitStatus() == QProcess::CrashExit;
        r.exitCode = p.exitCode();
        if (r.crashed)
            r.errorText = p.errorString();
    }
    if (done)
        done(r);
}
