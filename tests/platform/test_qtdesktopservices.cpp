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

void TestQtDesktopServices::processResultsArriveLater()
{
    QtDesktopServices desktop;
    std::optional<DesktopServices::ProcessResult> ok;
    std::optional<DesktopServices::ProcessResult> failing;
    std::optional<DesktopServices::ProcessResult> missing;
    // A tool that asks a question reads end-of-file instead of waiting.
    desktop.startProcess(u"sh"_s, {u"-c"_s, u"read answer; exit $?"_s}, QDir::tempPath(),
                         [&](const auto &r) { ok = r; });
    desktop.startProcess(u"sh"_s, {u"-c"_s, u"exit 3"_s}, QDir::tempPath(),
                         [&](const auto &r) { failing = r; });
    desktop.startProcess(u"/nonexistent/tool"_s, {}, QDir::tempPath(),
                         [&](const auto &r) { missing = r; });
    // Not waited for: nothing is known when startProcess returns.
    QVERIFY(!ok && !failing);
    QTRY_VERIFY(ok && failing && missing);
    QVERIFY(ok->started);
    QCOMPARE(ok->exitCode, 1);
    QVERIFY(failing->started);
    QCOMPARE(failing->exitCode, 3);
    QVERIFY(!missing->started);
    QVERIFY(!missing->errorText.isEmpty());
}

void TestQtDesktopServices::pendingProcessesFinishBeforeExit()
{
    QtDesktopServices desktop;
    bool done = false;
    desktop.startProcess(u"sh"_s, {u"-c"_s, u"sleep 0.3"_s}, QDir::tempPath(),
                         [&](const auto &) { done = true; });
    desktop.finishPendingProcesses(10000);
    QVERIFY(done);

    // A tool that never ends is given up on after the timeout.
    desktop.startProcess(u"sh"_s, {u"-c"_s, u"sleep 30"_s}, QDir::tempPath(), {});
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
        desktop.startProcess(u"sh"_s, {u"-c"_s, u"sleep 0.2"_s}, QDir::tempPath(),
                             [&](const auto &) { called = true; });
    }
    QTest::qWait(400);
    QVERIFY(!called);
}

QTEST_MAIN(TestQtDesktopServices)
#include "test_qtdesktopservices.moc"
