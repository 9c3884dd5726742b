// Start-up figures: wall time and peak memory of whole processes, subject
// (the editor, quitting at its first paint) and floor (the bare window)
// started alternately, then instructions of one run of each under callgrind.
//
// kv_bench_startup --rows FILE --label TEXT --platform NAME --pairs N
//                  [--callgrind DIR] --subject PROGRAM ARGS... --floor PROGRAM ARGS...
//
// Plain POSIX, no Qt: the harness itself should cost the children nothing.

#include "harness.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <iostream>
#include <spawn.h>
#include <sstream>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char **environ;

namespace {

struct Options
{
    std::string rows;
    std::string label;
    std::string platform = "offscreen";
    std::string callgrindDir;
    std::string log = "/dev/null";
    int pairs = 15;
    std::vector<std::string> subject;
    std::vector<std::string> floor;
};

struct RunResult
{
    double wallNs = 0;
    double maxRssKiB = 0;
};

[[noreturn]] void fail(const std::string &why)
{
    std::cerr << "kv_bench_startup: " << why << '\n';
    std::exit(2);
}

std::vector<std::string> environment(const Options &o)
{
    std::vector<std::string> env;
    for (char **e = environ; *e; ++e) {
        if (std::strncmp(*e, "QT_QPA_PLATFORM=", 16) != 0)
            env.emplace_back(*e);
    }
    env.push_back("QT_QPA_PLATFORM=" + o.platform);
    return env;
}

// Starts argv, waits for it (at most `timeoutSec`), and returns its wall
// time and peak resident set. Output goes to the log; a failing run ends
// the benchmark, since its figures would mean nothing.
RunResult run(const std::vector<std::string> &argv, const std::vector<std::string> &env,
              const std::string &log, int timeoutSec)
{
    std::vector<char *> args;
    for (const std::string &a : argv)
        args.push_back(const_cast<char *>(a.c_str()));
    args.push_back(nullptr);
    std::vector<char *> envp;
    for (const std::string &e : env)
        envp.push_back(const_cast<char *>(e.c_str()));
    envp.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_adddup2(&actions, 1, 2);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);

    // SIGCHLD stays blocked so sigtimedwait can wait for it with a timeout.
    sigset_t chld;
    sigemptyset(&chld);
    sigaddset(&chld, SIGCHLD);

    pid_t pid = 0;
    const double t0 = bench::nowNs();
    const int rc = posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0)
        fail("cannot start " + argv[0] + ": " + std::strerror(rc));

    int status = 0;
    rusage usage{};
    const timespec timeout{timeoutSec, 0};
    for (;;) {
        const pid_t done = wait4(pid, &status, WNOHANG, &usage);
        if (done == pid)
            break;
        if (sigtimedwait(&chld, nullptr, &timeout) < 0 && errno == EAGAIN) {
            kill(pid, SIGKILL);
            waitpid(pid, &status, 0);
            fail(argv[0] + " did not quit within " + std::to_string(timeoutSec) + " s (log: " + log
                 + ")");
        }
    }
    const double t1 = bench::nowNs();
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        fail(argv[0] + " failed (status " + std::to_string(status) + ", log: " + log + ")");
    return {t1 - t0, double(usage.ru_maxrss)};
}

// Total instruction count (event Ir) of a callgrind output file.
double callgrindTotal(const std::string &file)
{
    std::ifstream in(file);
    std::string line;
    double total = -1;
    while (std::getline(in, line)) {
        for (const char *key : {"summary:", "totals:"}) {
            if (line.rfind(key, 0) == 0)
                total = std::stod(line.substr(std::strlen(key)));
        }
    }
    if (total < 0)
        fail("no total in " + file);
    return total;
}

double instructions(const Options &o, const std::vector<std::string> &env,
                    const std::vector<std::string> &argv, const std::string &name)
{
    const std::string out = o.callgrindDir + '/' + name + '.' + o.label + ".callgrind";
    std::vector<std::string> cmd = {"valgrind", "--tool=callgrind", "--callgrind-out-file=" + out};
    cmd.insert(cmd.end(), argv.begin(), argv.end());
    run(cmd, env, o.log, 600);
    return callgrindTotal(out);
}

Options parse(int argc, char **argv)
{
    Options o;
    std::vector<std::string> *list = nullptr;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        const auto next = [&]() -> std::string {
            if (i + 1 >= argc)
                fail(a + " needs a value");
            return argv[++i];
        };
        if (a == "--subject")
            list = &o.subject;
        else if (a == "--floor")
            list = &o.floor;
        else if (list)
            list->push_back(a);
        else if (a == "--rows")
            o.rows = next();
        else if (a == "--label")
            o.label = next();
        else if (a == "--platform")
            o.platform = next();
        else if (a == "--pairs")
            o.pairs = std::stoi(next());
        else if (a == "--callgrind")
            o.callgrindDir = next();
        else if (a == "--log")
            o.log = next();
        else
            fail("unknown option " + a);
    }
    if (o.subject.empty() || o.floor.empty())
        fail("--subject and --floor are required");
    return o;
}

} // namespace

int main(int argc, char **argv)
{
    const Options o = parse(argc, argv);
    const std::vector<std::string> env = environment(o);

    sigset_t chld;
    sigemptyset(&chld);
    sigaddset(&chld, SIGCHLD);
    sigprocmask(SIG_BLOCK, &chld, nullptr);

    // Warm the page cache and fontconfig's caches; not counted.
    for (int i = 0; i < 2; ++i) {
        run(o.floor, env, o.log, 60);
        run(o.subject, env, o.log, 60);
    }

    std::vector<double> floorRss;
    std::vector<double> subjectRss;
    const bench::Pairs wall = bench::alternate(
        o.pairs,
        [&] {
            const RunResult r = run(o.floor, env, o.log, 60);
            floorRss.push_back(r.maxRssKiB);
            return r.wallNs;
        },
        [&] {
            const RunResult r = run(o.subject, env, o.log, 60);
            subjectRss.push_back(r.maxRssKiB);
            return r.wallNs;
        });

    bench::emit(o.rows, {"start-up to first paint, wall (" + o.label + ")",
                         bench::duration(wall.subjectMedian()), bench::duration(wall.floorMedian()),
                         bench::ratioText(wall.ratio()), "<= 1.5x", wall.ratio() <= 1.5});

    // Peak RSS hardly varies between runs; the median still guards
    // against a stray one.
    const double subjectMiB = bench::median(subjectRss) / 1024;
    const double floorMiB = bench::median(floorRss) / 1024;
    bench::emit(o.rows, {"start-up peak RSS (" + o.label + ")",
                         bench::format("%.1f MiB", subjectMiB), bench::format("%.1f MiB", floorMiB),
                         bench::ratioText(subjectMiB / floorMiB)
                             + bench::format(", %+.1f MiB", subjectMiB - floorMiB),
                         "<= bare + 10 MiB", subjectMiB - floorMiB <= 10});

    if (!o.callgrindDir.empty()) {
        const double floorIr = instructions(o, env, o.floor, "floor");
        const double subjectIr = instructions(o, env, o.subject, "subject");
        const double ratio = subjectIr / floorIr;
        bench::emit(o.rows, {"start-up instructions, callgrind (" + o.label + ")",
                             bench::format("%.1f M", subjectIr / 1e6),
                             bench::format("%.1f M", floorIr / 1e6), bench::ratioText(ratio),
                             "<= 1.5x", ratio <= 1.5});
    }
    return 0;
}
