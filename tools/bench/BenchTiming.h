#pragma once
// Timing helpers of the benchmark harnesses: a wall and CPU stopwatch and the median of samples.
#include <windows.h>

#include <algorithm>
#include <vector>

// Wall and CPU time of the calling thread since construction or the last Lap.
class Stopwatch {
public:
    Stopwatch() { Lap(); }
    void Lap()
    {
        QueryPerformanceCounter(&m_wall);
        m_cpu = ThreadCpu();
    }
    double WallMs() const
    {
        LARGE_INTEGER now;
        LARGE_INTEGER frequency;
        QueryPerformanceCounter(&now);
        QueryPerformanceFrequency(&frequency);
        return double(now.QuadPart - m_wall.QuadPart) * 1000.0 / double(frequency.QuadPart);
    }
    double CpuMs() const { return double(ThreadCpu() - m_cpu) / 10000.0; }

private:
    // User plus kernel time in 100 ns units. Wine reads it from the kernel's tick counts, so single short spans
    // are coarse; totals and medians over many photos are not.
    static ULONGLONG ThreadCpu()
    {
        FILETIME creation, exit, kernel, user;
        GetThreadTimes(GetCurrentThread(), &creation, &exit, &kernel, &user);
        return (ULONGLONG(kernel.dwHighDateTime) << 32 | kernel.dwLowDateTime) +
               (ULONGLONG(user.dwHighDateTime) << 32 | user.dwLowDateTime);
    }

    LARGE_INTEGER m_wall{};
    ULONGLONG m_cpu = 0;
};

inline double Median(std::vector<double> values)
{
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    const std::size_t mid = values.size() / 2;
    return values.size() % 2 ? values[mid] : (values[mid - 1] + values[mid]) / 2;
}
