#pragma once

// The fastest of the iterations of a benchmark loop, by the process's CPU
// time and by the wall clock. Other work on the cores lengthens some
// iterations, rarely all of them, and moves the wall clock more than the
// CPU time; the process's CPU time includes every thread it runs.

#include <algorithm>
#include <chrono>
#include <ctime>

namespace qx::bench {

inline double ProcessCpuSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + 1e-9 * static_cast<double>(t.tv_nsec);
}

class FastestTime {
public:
    // Runs and times `body`; returns what it returns.
    template <class Body>
    auto Measure(Body&& body)
    {
        const double cpuStart = ProcessCpuSeconds();
        const auto wallStart = std::chrono::steady_clock::now();
        struct Stop {
            FastestTime& time;
            double cpuStart;
            std::chrono::steady_clock::time_point wallStart;
            ~Stop()
            {
                const auto wall = std::chrono::steady_clock::now() - wallStart;
                time.wall_ = std::min(time.wall_, std::chrono::duration<double>(wall).count());
                time.cpu_ = std::min(time.cpu_, ProcessCpuSeconds() - cpuStart);
            }
        } stop{*this, cpuStart, wallStart};
        return body();
    }
    double Cpu() const { return cpu_; }
    double Wall() const { return wall_; }

private:
    double cpu_ = 1e30;
    double wall_ = 1e30;
};

} // namespace qx::bench
