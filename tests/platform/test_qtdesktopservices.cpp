#include "qtdesktopservices.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTest>

using namespace Qt::StringLiterals;

// The parts of the real desktop services that need no user: filters and
// child processes.
class TestQtDesktopServices : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void nameFilters_data();
    void nameFilters();
    void processResultsArriveLater();
    void pendingProcessesFinishBeforeExit();
    void noResultAfterTheServicesAreGone();
};

void TestQtDesktopServices::nameFilters_data()
{
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("kind") << u"File Kva|*.kva"_s << QStringList{u"File Kva (*.kva)"_s};
    QTest::newRow("pictures, pattern already shown")
        << u"File jpg (*.jpg)|*.jpg|File bmp (*.bmp)|*.bmp"_s
        << QStringList{u"File jpg (*.jpg)"_s, u"File bmp (*.bmp)"_s};
    QTest::newRow("several patterns")
        << u"Pictures|*.jpg;*.bmp"_s << QStringList{u"Pictures (*.jpg *.bmp)"_s};
    QTest::newRow("odd trailing description")
        << u"File Zip|*.zip|Lonely"_s << QStringList{u"File Zip (*.zip)"_s};
}

void TestQtDesktopServices::nameFilters()
{
    QFETCH(QString, filter);
    QFETCH(QStringList, expected);
    QCOMPARE(QtDesktopServices::toQtNameFilters(filter), expected);
}

namespace {
// The platform's own shell: the tools it starts need no other program.
// ping waits a second per count on Windows, where there is no sleep.
struct Shell
{
    QString program;
    QStringList args;
};
Shell shell(const char *posix, const char *windows)
{
#ifdef Q_OS_WIN
    Q_UNUSED(posix);
    return {u"cmd"_s, {u"/c"_s, QString::fromLatin1(windows)}};
#else
    Q_UNUSED(windows);
    return {u"sh"_s, {u"-c"_s, QString::fromLatin1(posix)}};
#endif
}
} // namespace

void TestQtDesktopServices::processResultsArriveLater()
{
    QtDesktopServices desktop;
    std::optional<DesktopServices::ProcessResult> ok;
    std::optional<DesktopServices::ProcessResult> failing;
    std::optional<DesktopServices::ProcessResult> missing;
    // A tool that asks a question reads end-of-file instead of waiting.
    const Shell asks = shell("read answer; exit $?", "set /p answer=");
    desktop.startProcess(asks.program, asks.args, QDir::tempPath(), [&](const auto &r) { ok = r; });
    const Shell fails = shell("exit 3", "exit 3");
    desktop.startProcess(fails.program, fails.args, QDir::tempPath(),
                         [&](const auto &r) { failing = r; });
    desktop.startProcess(u"/nonexistent/tool"_s, {}, QDir::tempPath(),
                         [&](const auto &r) { missing = r; });
    // Not waited for: nothing is known when startProcess returns.
    QVERIFY(!ok && !failing);
    QTRY_VERIFY(ok && failing && missing);
    QVERIFY(ok->started);
#ifndef Q_OS_WIN // cmd's answer to an empty input differs between Windows and Wine
    QCOMPARE(ok->exitCode, 1);
#endif
    QVERIFY(failing->started);
    QCOMPARE(failing->exitCode, 3);
    QVERIFY(!missing->started);
    QVERIFY(!missing->errorText.isEmpty());
}

void TestQtDesktopServices::pendingProcessesFinishBeforeExit()
{
    QtDesktopServices desktop;
    bool done = false;
    const Shell brief = shell("sleep 0.3", "ping -n 2 127.0.0.1 >NUL");
    desktop.startProcess(brief.program, brief.args, QDir::tempPath(),
                         [&](const auto &) { done = true; });
    desktop.finishPendingProcesses(10000);
    QVERIFY(done);

    // A tool that never ends is given up on after the timeout.
    const Shell endless = shell("sleep 30", "ping -n 31 127.0.0.1 >NUL");
    desktop.startProcess(endless.program, endless.args, QDir::tempPath(), {});
    QElapsedTimer clock;
    clock.start();
    desktop.finishPendingProcesses(300);
    QVERIFY(clock.elapsed() < 5000);
}

void TestQtDesktopServices::noResultAfterTheServicesAreGone()
{
    bool called = false;
    {
        QtDesktopServices desktop;
        const Shell brief = shell("sleep 0.2", "ping -n 2 127.0.0.1 >NUL");
        desktop.startProcess(brief.program, brief.args, QDir::tempPath(),
                             [&](const auto &) { called = true; });
    }
    QTest::qWait(1500);
    QVERIFY(!called);
}

QTEST_MAIN(TestQtDesktopServices)
#include "test_qtdesktopservices.moc"
