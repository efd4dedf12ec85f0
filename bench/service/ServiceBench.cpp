// Service client figures against the demo service on 127.0.0.1.

#include "DemoPictures.h"
#include "DemoService.h"
#include "service/ServiceClient.h"
#include "settings/MemberCode.h"

#include <benchmark/benchmark.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <thread>

namespace fs = std::filesystem;

namespace {

using Clock = std::chrono::steady_clock;

fs::path Workspace()
{
    static const fs::path root = [] {
        const fs::path path = fs::temp_directory_path() / ("zembria-service-bench-" + std::to_string(::getpid()));
        fs::create_directories(path / "pictures");
        fs::create_directories(path / "cache");
        WriteDemoPictures((path / "pictures").string());
        return path;
    }();
    return root;
}

DemoConfig Config()
{
    DemoConfig config;
    config.pictureFolder = (Workspace() / "pictures").string();
    config.members["anna"] = "secret";
    config.logPath = (Workspace() / "requests.log").string();
    return config;
}

void BM_DownloadPicture(benchmark::State& state)
{
    DemoService service(Config());
    service.Start();
    ServiceClient client;
    client.Connect(service.HostPort(), "anna", MemberCodeOf("secret"));
    KeyValueList store;
    const std::string name = service.Pictures()[1];
    const size_t bytes = fs::file_size(Workspace() / "pictures" / name);
    for (auto _ : state) {
        if (client.DownloadPicture(name, (Workspace() / "cache").string(), 1920, 1080, store) != 0)
            state.SkipWithError("download failed");
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
    state.counters["picture_bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_DownloadPicture)->Unit(benchmark::kMillisecond);

void BM_FetchInfos(benchmark::State& state)
{
    DemoService service(Config());
    service.Start();
    ServiceClient client;
    client.Connect(service.HostPort(), "anna", MemberCodeOf("secret"));
    KeyValueList store;
    for (auto _ : state) {
        if (client.FetchInfos(store) != 0)
            state.SkipWithError("exchange failed");
    }
}
BENCHMARK(BM_FetchInfos)->Unit(benchmark::kMillisecond);

// Input arrives while the service holds the request; measured from the
// moment the input check first says yes to the request's return.
std::atomic<int64_t> inputAt{0};
bool InputPending()
{
    const int64_t at = inputAt.load();
    return at != 0 && Clock::now().time_since_epoch().count() >= at;
}

void BM_AbortStalledRequest(benchmark::State& state)
{
    DemoConfig config = Config();
    config.stall = true;
    DemoService service(config);
    service.Start();
    ServiceClient client;
    client.inputPending = InputPending;
    KeyValueList store;
    for (auto _ : state) {
        const auto pressed = Clock::now() + std::chrono::milliseconds(50);
        inputAt = pressed.time_since_epoch().count();
        client.Connect(service.HostPort(), "anna", MemberCodeOf("secret"));
        const auto returned = Clock::now();
        state.SetIterationTime(std::chrono::duration<double>(returned - pressed).count());
    }
    inputAt = 0;
}
BENCHMARK(BM_AbortStalledRequest)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);

} // namespace

BENCHMARK_MAIN();
