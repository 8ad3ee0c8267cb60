#pragma once

#include <benchmark/benchmark.h>

#include <chrono>
#include <ctime>
#include <string>

// Wall time and this process's processor time, summed over the timed parts.
struct Spent
{
    double wall = 0;
    double cpu = 0;

    Spent& operator+=(const Spent& other)
    {
        wall += other.wall;
        cpu += other.cpu;
        return *this;
    }
};

class Stopwatch
{
public:
    Stopwatch() : m_wall(std::chrono::steady_clock::now()), m_cpu(std::clock()) {}
    void AddTo(Spent& spent) const
    {
        spent.wall += std::chrono::duration<double>(std::chrono::steady_clock::now() - m_wall).count();
        spent.cpu += static_cast<double>(std::clock() - m_cpu) / CLOCKS_PER_SEC;
    }

private:
    std::chrono::steady_clock::time_point m_wall;
    std::clock_t m_cpu;
};

// Our figure and the bare baseline of the same work, scaled to the unit
// named, and their ratios: the ratio holds on a busy machine where the
// times alone do not.
inline void ReportAgainstBaseline(benchmark::State& state, const Spent& ours, const Spent& baseline, double scale,
                                  const std::string& unit)
{
    state.counters["ours_" + unit] = ours.wall * scale;
    state.counters["baseline_" + unit] = baseline.wall * scale;
    state.counters["ratio"] = baseline.wall > 0 ? ours.wall / baseline.wall : 0;
    state.counters["cpu_ratio"] = baseline.cpu > 0 ? ours.cpu / baseline.cpu : 0;
}
