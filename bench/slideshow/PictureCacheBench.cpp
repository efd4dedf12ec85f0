// The picture cache at start-up over 10,000 cached pictures, half of them past
// CacheDays (deleted by the run), and the same folder with nothing to expire.
// The folder lies under ZEMBRIA_BENCH_DIR (default: the system's temp folder).

#include "slideshow/CacheRules.h"
#include "slideshow/PictureCache.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <string>

#include <unistd.h>

namespace fs = std::filesystem;

namespace {

constexpr int PictureCount = 10000;

fs::path BenchFolder()
{
    const char* root = std::getenv("ZEMBRIA_BENCH_DIR");
    const fs::path base = root != nullptr && *root != '\0' ? fs::path(root) : fs::temp_directory_path();
    return base / ("zembria-cache-bench-" + std::to_string(::getpid()));
}

void WritePicture(const fs::path& file, std::chrono::hours age)
{
    if (std::FILE* out = std::fopen(file.c_str(), "wb")) {
        std::fputs("jpeg", out);
        std::fclose(out);
    }
    if (age.count() > 0) {
        fs::last_write_time(file, fs::file_time_type::clock::now() - age);
    }
}

// Makes sure the folder holds PictureCount pictures, the odd ones expired when asked.
void FillFolder(const fs::path& folder, bool halfExpired)
{
    fs::create_directories(folder);
    for (int i = 0; i < PictureCount; ++i) {
        const fs::path file = folder / ("picture-" + std::to_string(i) + ".jpg");
        const bool expired = halfExpired && i % 2 == 1;
        if (expired || !fs::exists(file)) {
            WritePicture(file, std::chrono::hours(expired ? 24 * 30 : 0));
        }
    }
}

void RunPrepareCache(benchmark::State& state, bool halfExpired)
{
    const fs::path folder = BenchFolder();
    const auto now = static_cast<int64_t>(std::time(nullptr));
    size_t listed = 0;
    for (auto _ : state) {
        state.PauseTiming();
        FillFolder(folder, halfExpired);
        state.ResumeTiming();
        listed = PrepareCacheFolder(folder.string(), 14, now, CacheLimitBytes).size();
    }
    state.counters["listed"] = static_cast<double>(listed);
    state.counters["files"] = PictureCount;
    std::error_code ignored;
    fs::remove_all(folder, ignored);
}

void PrepareCacheHalfExpired(benchmark::State& state) { RunPrepareCache(state, true); }
void PrepareCacheNothingExpired(benchmark::State& state) { RunPrepareCache(state, false); }

} // namespace

BENCHMARK(PrepareCacheHalfExpired)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(10);
BENCHMARK(PrepareCacheNothingExpired)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(10);

BENCHMARK_MAIN();
