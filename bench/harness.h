#pragma once

// A small harness of our own rather than Google Benchmark: on this shared,
// noisy machine every figure is only meaningful next to its floor measured
// in the same run, sample by sample (floor, subject, floor, subject, ...).
// Google Benchmark runs each benchmark as one block of iterations and has
// no notion of interleaving two of them, nor of timing whole processes.
// Figures are printed, never judged pass/fail by an exit status.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

namespace bench {

inline double nowNs()
{
    return double(std::chrono::duration_cast<std::chrono::nanoseconds>(
                      std::chrono::steady_clock::now().time_since_epoch())
                      .count());
}

inline double median(std::vector<double> v)
{
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

inline double maximum(const std::vector<double> &v)
{
    return v.empty() ? 0 : *std::max_element(v.begin(), v.end());
}

struct Pairs
{
    std::vector<double> floor;
    std::vector<double> subject;
    double floorMedian() const { return median(floor); }
    double subjectMedian() const { return median(subject); }
    double ratio() const { return floorMedian() > 0 ? subjectMedian() / floorMedian() : 0; }
};

// Runs `pairs` alternating samples, floor first. Each function returns one
// sample (any unit, the same for both).
template<typename Floor, typename Subject>
Pairs alternate(int pairs, Floor &&floorSample, Subject &&subjectSample)
{
    Pairs r;
    for (int i = 0; i < pairs; ++i) {
        r.floor.push_back(floorSample());
        r.subject.push_back(subjectSample());
    }
    return r;
}

// Times `calls` calls of f and returns nanoseconds per call; batching
// lifts short operations well above the clock's resolution.
template<typename F>
double timePerCall(int calls, F &&f)
{
    const double t0 = nowNs();
    for (int i = 0; i < calls; ++i)
        f();
    return (nowNs() - t0) / calls;
}

// How many calls make one sample last about `targetNs`.
template<typename F>
int callsFor(double targetNs, F &&f)
{
    f(); // warm caches and lazy initialisation
    const double once = std::max(1.0, timePerCall(5, f));
    return std::clamp(int(targetNs / once), 1, 100000);
}

inline std::string format(const char *fmt, double v)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, fmt, v);
    return buf;
}

inline std::string duration(double ns)
{
    if (ns >= 1e6)
        return format("%.2f ms", ns / 1e6);
    if (ns >= 1e3)
        return format("%.1f us", ns / 1e3);
    return format("%.0f ns", ns);
}

inline std::string ratioText(double r)
{
    return format("%.2fx", r);
}

// One line of the final table; scripts/bench collects the rows of every
// benchmark program and prints them together.
struct Row
{
    std::string figure;
    std::string subject;
    std::string floor;
    std::string ratio;
    std::string goal;
    std::optional<bool> met; // nothing: a figure reported for information
};

// Appends the row to `path` (tab-separated), or prints it when no path
// is given.
inline void emit(const std::string &path, const Row &row)
{
    const std::string line = row.figure + '\t' + row.subject + '\t' + row.floor + '\t' + row.ratio
                             + '\t' + row.goal + '\t'
                             + (!row.met   ? "info"
                                : *row.met ? "met"
                                           : "missed");
    if (path.empty()) {
        std::printf("%s\n", line.c_str());
        std::fflush(stdout);
        return;
    }
    std::ofstream out(path, std::ios::app);
    out << line << '\n';
}

} // namespace bench
