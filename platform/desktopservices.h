#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

// Everything the program asks of the desktop: dialogs, message boxes, the
// error display, child processes and the machine-wide data folder. The
// default implementation uses Qt; tests install a scripted one.
class DesktopServices
{
public:
    virtual ~DesktopServices() = default;

    // Open dialog. `filter` is in "description|pattern|..." notation; `initDir`
    // is the folder to start in (already resolved by the caller). Returns the
    // chosen full path, or nothing when cancelled.
    virtual std::optional<QString> openFile(const QString &filter, const QString &initDir) = 0;

    // Save dialog: asks before overwriting, appends `defExt` (no dot) to a
    // name typed without extension, proposes `fileName`.
    virtual std::optional<QString> saveFile(const QString &filter, const QString &initDir,
                                            const QString &defExt, const QString &fileName) = 0;

    // Modal box captioned "Korvalis Editor", one OK button, no icon.
    virtual void message(const QString &text) = 0;

    // The general error display: platform failures that ended an action.
    virtual void showError(const QString &text) = 0;

    // A question with a few answers (save / discard / cancel, replace /
    // cancel), captioned like `message`. Returns the index of the chosen
    // answer in `answers`; `escapeAnswer` when the box is closed without one.
    virtual int ask(const QString &text, const QStringList &answers, int defaultAnswer,
                    int escapeAnswer) = 0;

    struct ProcessResult
    {
        bool started = false; // false: the program could not be started at all
        int exitCode = 0;     // valid when started
        bool crashed = false;
        QString errorText; // the platform's reason when not started or crashed
    };
    using ProcessDone = std::function<void(const ProcessResult &)>;

    // Starts `program` with an argument vector (no shell) in `workDir`, its
    // standard input the null device, and returns at once. `done` runs later on the UI thread when
    // the process failed to start or finished.
    virtual void startProcess(const QString &program, const QStringList &args,
                              const QString &workDir, ProcessDone done) = 0;

    // The machine-wide application-data folder, without trailing separator.
    virtual QString commonAppDataFolder() = 0;
};
