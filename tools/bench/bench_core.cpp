// Measures the busy pause and the file list's reading of a large folder,
// against a bare directory read of the same folder. Prints one JSON object.
//   bench_core FOLDER RUNS
#include "platform/posix/posixfilesystem.h"
#include "app/steadyclock.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <string>
#include <sys/resource.h>
#include <vector>

namespace {

double seconds(std::chrono::steady_clock::duration d)
{
    return std::chrono::duration<double>(d).count();
}

double cpuSeconds()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec)
         + static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

size_t bareRead(const std::string& folder)
{
    size_t n = 0;
    DIR* d = opendir(folder.c_str());
    if (!d)
        return 0;
    while (readdir(d))
        ++n;
    closedir(d);
    return n;
}

}  // namespace

int main(int argc, char* argv[])
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: bench_core FOLDER RUNS\n");
        return 2;
    }
    const std::string folder = argv[1];
    const int runs = std::max(1, std::atoi(argv[2]));

    std::vector<double> pause, pauseCpu;
    vornak::SteadyClock clock;
    for (int i = 0; i < runs; ++i) {
        const double cpu = cpuSeconds();
        const auto t = std::chrono::steady_clock::now();
        vornak::stall(clock);
        pause.push_back(seconds(std::chrono::steady_clock::now() - t));
        pauseCpu.push_back(cpuSeconds() - cpu);
    }

    vornak::posix::FileSystem fs(std::make_unique<vornak::posix::DriveSource>());
    std::vector<double> listing, bare;
    size_t listed = 0, entries = 0;
    for (int i = 0; i < runs; ++i) {
        auto t = std::chrono::steady_clock::now();
        entries = bareRead(folder);
        bare.push_back(seconds(std::chrono::steady_clock::now() - t));
        t = std::chrono::steady_clock::now();
        listed = fs.fileList(folder, "*.EXE").size();
        listing.push_back(seconds(std::chrono::steady_clock::now() - t));
    }

    std::printf(
        "{\"pause_s\": %.4f, \"pause_max_s\": %.4f, \"pause_cpu_s\": %.5f, "
        "\"list_s\": %.4f, \"bare_read_s\": %.4f, \"listed\": %zu, \"entries\": %zu}\n",
        median(pause), *std::max_element(pause.begin(), pause.end()), median(pauseCpu), median(listing), median(bare),
        listed, entries);
    return 0;
}
