#pragma once

#include "desktopservices.h"

#include <QString>
#include <QStringList>

#include <deque>
#include <vector>

// Desktop services for tests: dialogs are answered from a queue, every
// request, message, error and process start is recorded. A dialog nobody
// queued an answer for fails the running test instead of blocking.
class ScriptedDesktop : public DesktopServices
{
public:
    struct DialogRequest
    {
        enum Kind { Open, Save } kind;
        QString filter;
        QString initDir;
        QString defExt;
        QString fileName;
    };
    struct ProcessStart
    {
        QString program;
        QStringList args;
        QString workDir;
    };

    // Queue the answer of the next dialog: a path, or cancel.
    void answerOpen(const QString &path);
    void answerSave(const QString &path);
    void cancelNextDialog();
    // Queue the answer (an index into its answers) of the next question.
    void answerQuestion(int answer);

    struct Question
    {
        QString text;
        QStringList answers;
        int defaultAnswer;
        int escapeAnswer;
    };
    std::vector<Question> questions;

    // When true, started processes really run, synchronously, before
    // startProcess returns (used with the real zip tools).
    bool runProcesses = false;
    QString dataFolder; // what commonAppDataFolder() answers

    std::vector<DialogRequest> dialogs;
    QStringList messages;
    QStringList errors;
    std::vector<ProcessStart> processes;
    int unexpectedDialogs = 0;

    bool allAnswersUsed() const { return m_answers.empty() && m_questionAnswers.empty(); }

    std::optional<QString> openFile(const QString &filter, const QString &initDir) override;
    std::optional<QString> saveFile(const QString &filter, const QString &initDir,
                                    const QString &defExt, const QString &fileName) override;
    void message(const QString &text) override;
    void showError(const QString &text) override;
    int ask(const QString &text, const QStringList &answers, int defaultAnswer,
            int escapeAnswer) override;
    void startProcess(const QString &program, const QStringList &args, const QString &workDir,
                      ProcessDone done) override;
    QString commonAppDataFolder() override { return dataFolder; }

private:
    struct Answer
    {
        DialogRequest::Kind kind;
        std::optional<QString> path; // nothing: cancel
        bool anyKind = false;
    };
    std::optional<QString> take(DialogRequest::Kind kind);

    std::deque<Answer> m_answers;
    std::deque<int> m_questionAnswers;
};
