// Benchmark harness of album's photo pipeline, run under Wine: drives the real folder scan and the real
// compression job (temporary files, flushes and renames included) over a folder, and prints per photo and in total
// the wall and CPU milliseconds and the source megapixels per second, as medians over several runs, and the job's
// time in flushing its copies to the disk.
//
//   photo_bench scan <folder> [runs]            the scan only, then the process's working set
//   photo_bench job <folder> <output> [runs]    scan, then the job at quality 30 into output
#include "app/CxWinApp.h"
#include "photo/CompressJob.h"
#include "photo/DateStamp.h"
#include "photo/PhotoScanner.h"
#include "BenchTiming.h"

#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace {

constexpr int kQuality = 30;

struct Sample {
    double wallMs = 0;
    double cpuMs = 0;
    double megapixels = 0;
};

// Samples per photo name and per run, in the order photos were met.
class Samples {
public:
    void Add(const CString& name, const Sample& sample)
    {
        const std::string key = CStringA(name).GetString();
        if (!m_byName.count(key)) m_order.push_back(key);
        m_byName[key].push_back(sample);
    }
    void AddTotal(const Sample& total) { m_totals.push_back(total); }

    void Print(const char* phase) const
    {
        for (const std::string& name : m_order) Line(phase, name.c_str(), m_byName.at(name));
        Line((std::string(phase) + "-total").c_str(), "all", m_totals);
    }

private:
    static void Line(const char* phase, const char* name, const std::vector<Sample>& samples)
    {
        std::vector<double> wall, cpu, mp;
        for (const Sample& s : samples) {
            wall.push_back(s.wallMs);
            cpu.push_back(s.cpuMs);
            mp.push_back(s.megapixels);
        }
        const double wallMs = Median(wall);
        const double megapixels = Median(mp);
        std::printf("album %s %s wall_ms=%.2f cpu_ms=%.2f mpix=%.2f mpix_per_s=%.1f\n", phase, name, wallMs,
                    Median(cpu), megapixels, wallMs > 0 ? megapixels * 1000.0 / wallMs : 0.0);
    }

    std::vector<std::string> m_order;
    std::map<std::string, std::vector<Sample>> m_byName;
    std::vector<Sample> m_totals;
};

std::vector<std::unique_ptr<PhotoItem>> Scan(const CString& folder, Samples& samples)
{
    std::vector<std::unique_ptr<PhotoItem>> items;
    Stopwatch photo;
    Stopwatch total;
    CString name;
    PhotoScanner::Events events;
    events.loading = [&](const CString& loading) {
        name = loading;
        photo.Lap();
    };
    events.added = [&](std::unique_ptr<PhotoItem> item) {
        samples.Add(name, {photo.WallMs(), photo.CpuMs(), item->width * double(item->height) / 1e6});
        items.push_back(std::move(item));
    };
    PhotoScanner::ScanFolder(folder + L"\\*.*", events);
    double megapixels = 0;
    for (const auto& item : items) megapixels += item->width * double(item->height) / 1e6;
    samples.AddTotal({total.WallMs(), total.CpuMs(), megapixels});
    return items;
}

// The system's file calls, timing the flushes.
class TimedFlushes : public FileCalls {
public:
    bool Flush(HANDLE file) override
    {
        const Stopwatch watch;
        const bool flushed = FileCalls::Flush(file);
        m_wallMs += watch.WallMs();
        m_cpuMs += watch.CpuMs();
        return flushed;
    }
    Sample Take(int photos)
    {
        const Sample taken{m_wallMs / photos, m_cpuMs / photos, 0};
        m_wallMs = m_cpuMs = 0;
        return taken;
    }

private:
    double m_wallMs = 0;
    double m_cpuMs = 0;
};

bool Job(const std::vector<std::unique_ptr<PhotoItem>>& items, const CString& output, Samples& samples,
         Samples& flushes)
{
    std::vector<const PhotoItem*> list;
    double megapixels = 0;
    for (const auto& item : items) {
        list.push_back(item.get());
        megapixels += item->width * double(item->height) / 1e6;
    }
    std::size_t next = 0;
    Stopwatch photo;
    Stopwatch total;
    CompressJob::Events events;
    events.quality = [] { return kQuality; };
    events.stamp = DrawOutlineText;
    events.written = [&](const CString&) {
        const PhotoItem& item = *list[next++];
        samples.Add(CxWinApp::GetFileName(item.path), {photo.WallMs(), photo.CpuMs(),
                                                       item.width * double(item.height) / 1e6});
        photo.Lap();
    };
    TimedFlushes files;
    const CompressJob::Result result = CompressJob(events, files).Run(list, output);
    samples.AddTotal({total.WallMs(), total.CpuMs(), megapixels});
    flushes.AddTotal(files.Take(int(std::max<std::size_t>(next, 1))));
    if (result.outcome != CompressJob::Outcome::Completed) {
        std::printf("album job failed: %s\n", CStringA(result.message).GetString());
        return false;
    }
    return true;
}

void PrintMemory()
{
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof(counters);
    if (GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters))) {
        std::printf("album memory all working_set_mb=%.1f peak_working_set_mb=%.1f\n",
                    counters.WorkingSetSize / 1048576.0, counters.PeakWorkingSetSize / 1048576.0);
    }
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    const CString mode = argc > 1 ? argv[1] : L"";
    const bool job = mode == L"job";
    if ((!job && mode != L"scan") || argc < (job ? 4 : 3)) {
        std::fprintf(stderr, "usage: photo_bench scan <folder> [runs] | job <folder> <output> [runs]\n");
        return 2;
    }
    const CString folder = argv[2];
    const int runs = std::max(1, _wtoi(argc > (job ? 4 : 3) ? argv[job ? 4 : 3] : L"3"));
    Gdiplus::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    if (Gdiplus::GdiplusStartup(&token, &input, nullptr) != Gdiplus::Ok) return 1;
    int status = 0;
    {
        Samples scanSamples;
        Samples jobSamples;
        Samples flushSamples;  // per photo
        for (int run = 0; run < runs && status == 0; ++run) {
            const auto items = Scan(folder, scanSamples);
            if (!job) {
                PrintMemory();
            } else if (!Job(items, argv[3], jobSamples, flushSamples)) {
                status = 1;
            }
        }
        scanSamples.Print("scan");
        if (job) {
            jobSamples.Print("job");
            flushSamples.Print("flush");
        }
    }
    Gdiplus::GdiplusShutdown(token);
    return status;
}
