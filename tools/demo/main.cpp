// zembria-demo-service: runs the demo service until interrupted.

#include "DemoPictures.h"
#include "DemoService.h"

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <iostream>

#include <unistd.h>

namespace {

volatile std::sig_atomic_t interrupted = 0;

void OnSignal(int) { interrupted = 1; }

const char* usage =
    "usage: zembria-demo-service [options]\n"
    "  --port N             listen on 127.0.0.1:N (default: a free port, printed at start)\n"
    "  --pictures DIR       folder of .jpg pictures (default demo-pictures; made when it holds none)\n"
    "  --interval SECONDS   how long each picture stays current (default 10)\n"
    "  --member LOGIN:PASSWORD  accept this member (repeatable); everyone else is refused\n"
    "  --collision          report members as already active elsewhere\n"
    "  --collision-over N   report a member as active elsewhere when it asks more than N times\n"
    "                       within 5 s (one saver asks at most 4 times; default: never)\n"
    "  --crlf               end answer lines with CR LF\n"
    "  --status500          answer every request with status 500\n"
    "  --stall              never answer\n"
    "  --cut-short          send only half of each picture\n"
    "  --log FILE           append the request lines to FILE (default: standard output)\n"
    "  --cert FILE --key FILE  serve HTTPS with this PEM certificate (its chain after it) and key\n"
    "  --redirect URL       answer every question with a redirect to URL followed by its path\n"
    "  --generate DIR       write the demo pictures into DIR and exit\n";

bool HasJpeg(const std::string& folder)
{
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error))
        if (entry.path().extension() == ".jpg")
            return true;
    return false;
}

int Generate(const std::string& folder)
{
    std::filesystem::create_directories(folder);
    if (WriteDemoPictures(folder) != 0) {
        std::cerr << "zembria-demo-service: cannot write the demo pictures into " << folder << "\n";
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    DemoConfig config;
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        const bool hasValue = i + 1 < argc;
        if (option == "--help") {
            std::cout << usage;
            return 0;
        } else if (option == "--port" && hasValue) {
            config.port = std::atoi(argv[++i]);
        } else if (option == "--pictures" && hasValue) {
            config.pictureFolder = argv[++i];
        } else if (option == "--interval" && hasValue) {
            config.intervalSeconds = std::max(1, std::atoi(argv[++i]));
        } else if (option == "--member" && hasValue) {
            const std::string member = argv[++i];
            const size_t colon = member.find(':');
            if (colon == std::string::npos || colon == 0) {
                std::cerr << "zembria-demo-service: --member needs LOGIN:PASSWORD\n";
                return 2;
            }
            config.members[member.substr(0, colon)] = member.substr(colon + 1);
        } else if (option == "--collision") {
            config.collision = true;
        } else if (option == "--collision-over" && hasValue) {
            config.collisionOver = std::max(0, std::atoi(argv[++i]));
        } else if (option == "--crlf") {
            config.crlf = true;
        } else if (option == "--status500") {
            config.status500 = true;
        } else if (option == "--stall") {
            config.stall = true;
        } else if (option == "--cut-short") {
            config.cutShort = true;
        } else if (option == "--log" && hasValue) {
            config.logPath = argv[++i];
        } else if (option == "--cert" && hasValue) {
            config.certPath = argv[++i];
        } else if (option == "--key" && hasValue) {
            config.keyPath = argv[++i];
        } else if (option == "--redirect" && hasValue) {
            config.redirectTo = argv[++i];
        } else if (option == "--generate" && hasValue) {
            return Generate(argv[++i]);
        } else {
            std::cerr << "zembria-demo-service: unknown option " << option << "\n" << usage;
            return 2;
        }
    }

    if (config.certPath.empty() != config.keyPath.empty()) {
        std::cerr << "zembria-demo-service: --cert and --key go together\n";
        return 2;
    }
    if (!HasJpeg(config.pictureFolder) && Generate(config.pictureFolder) != 0)
        return 1;
    DemoService service(config);
    if (service.Start() != 0) {
        std::cerr << "zembria-demo-service: cannot serve " << config.pictureFolder << " on 127.0.0.1:" << config.port
                  << (config.certPath.empty() ? "" : " with the certificate " + config.certPath) << "\n";
        return 1;
    }
    std::cout << "listening on " << service.ServiceAddress() << std::endl;
    std::signal(SIGINT, OnSignal);
    std::signal(SIGTERM, OnSignal);
    while (!interrupted)
        pause();
    service.Stop();
    return 0;
}
