// The demo service's answers.

#include "DemoService.h"

#include "platform/FileName.h"
#include "settings/MemberCode.h"

#include <algorithm>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

bool IsJpeg(const fs::path& path)
{
    std::string extension = path.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension == ".jpg";
}

std::string ReadWhole(const fs::path& path)
{
    std::ifstream file(path, std::ios::binary);
    std::stringstream content;
    content << file.rdbuf();
    return content.str();
}

std::string TimeOfDay()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[16];
    std::strftime(text, sizeof text, "%H:%M:%S", &local);
    return text;
}

} // namespace

DemoService::DemoService(DemoConfig demoConfig) : config(std::move(demoConfig)) {}

DemoService::~DemoService()
{
    Stop();
}

int DemoService::Start()
{
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(config.pictureFolder, error))
        if (entry.is_regular_file() && IsJpeg(entry.path()) && IsPictureFileName(entry.path().filename().string()))
            pictures.push_back(entry.path().filename().string());
    std::sort(pictures.begin(), pictures.end());
    if (pictures.empty())
        return 1;

    log = config.logPath.empty() ? stdout : std::fopen(config.logPath.c_str(), "a");
    if (log == nullptr)
        return 1;
    started = std::chrono::steady_clock::now();
    if (Secure())
        server = std::make_unique<httplib::SSLServer>(config.certPath.c_str(), config.keyPath.c_str());
    else
        server = std::make_unique<httplib::Server>();
    if (!server->is_valid())
        return 1;
    // Idle connections are let go soon, so stopping never waits long for them.
    server->set_keep_alive_timeout(1);
    // Head and body leave in separate writes; without this a reused
    // connection waits out the client's delayed acknowledgement each time.
    server->set_tcp_nodelay(true);
    // Logged before the answer, so whoever got an answer finds its request in the log.
    server->set_pre_routing_handler([this](const httplib::Request& request, httplib::Response&) {
        Log(request);
        return httplib::Server::HandlerResponse::Unhandled;
    });
    server->Get("/get-infos.php", [this](const httplib::Request& q, httplib::Response& r) { AnswerInfos(q, r); });
    server->Get("/get-images.php", [this](const httplib::Request& q, httplib::Response& r) { AnswerImage(q, r); });
    // Not the real service's: what each member asked so far, for the tests and the curious.
    server->Get("/demo-counts", [this](const httplib::Request&, httplib::Response& r) {
        r.set_content(CountsText(), "text/plain");
    });
    port = config.port == 0 ? server->bind_to_any_port("127.0.0.1")
                            : (server->bind_to_port("127.0.0.1", config.port) ? config.port : -1);
    if (port <= 0)
        return 1;
    thread = std::thread([this] { server->listen_after_bind(); });
    // A server stopped before its thread runs would never stop.
    while (!server->is_running())
        std::this_thread::yield();
    return 0;
}

void DemoService::Stop()
{
    {
        std::lock_guard<std::mutex> lock(mutex);
        stopping = true;
    }
    stopped.notify_all();
    if (server != nullptr)
        server->stop();
    if (thread.joinable())
        thread.join();
    if (log != nullptr && log != stdout)
        std::fclose(log);
    log = nullptr;
}

std::string DemoService::ServiceAddress() const
{
    return (Secure() ? "https://" : "") + HostPort();
}

std::string DemoService::CurrentPicture() const
{
    const auto elapsed = std::chrono::steady_clock::now() - started;
    const long long step = std::chrono::duration_cast<std::chrono::seconds>(elapsed).count() /
                           std::max(1, config.intervalSeconds);
    return pictures[static_cast<size_t>(step % static_cast<long long>(pictures.size()))];
}

void DemoService::Log(const httplib::Request& request)
{
    std::lock_guard<std::mutex> lock(mutex);
    if (log == nullptr)
        return;
    std::fprintf(log, "%s %s %s\n", request.method.c_str(), request.target.c_str(), request.version.c_str());
    std::fflush(log);
}

void DemoService::HoldUntilStopped()
{
    std::unique_lock<std::mutex> lock(mutex);
    stopped.wait(lock, [this] { return stopping; });
}

bool DemoService::CountInfos(const std::string& login)
{
    std::lock_guard<std::mutex> lock(mutex);
    ++counts[login].infos;
    auto& times = recentInfos[login];
    const auto now = std::chrono::steady_clock::now();
    times.erase(std::remove_if(times.begin(), times.end(), [&](auto t) { return now - t > CollisionWindow; }),
                times.end());
    times.push_back(now);
    return config.collisionOver > 0 && static_cast<int>(times.size()) > config.collisionOver;
}

std::map<std::string, DemoService::Counts> DemoService::RequestCounts()
{
    std::lock_guard<std::mutex> lock(mutex);
    return counts;
}

std::string DemoService::CountsText()
{
    std::string text;
    for (const auto& [login, count] : RequestCounts())
        text += (login.empty() ? std::string("-") : login) + " infos " + std::to_string(count.infos) + " pictures " +
                std::to_string(count.pictures) + "\n";
    return text;
}

std::string DemoService::InfoAnswer(const httplib::Request& request, bool busy) const
{
    const std::string login = request.get_param_value("sLogin");
    const std::string code = request.get_param_value("sCode");
    const auto member = config.members.find(login);
    const bool accepted = !login.empty() && member != config.members.end() && MemberCodeOf(member->second) == code;
    const std::string picture = CurrentPicture();
    const size_t number = static_cast<size_t>(std::find(pictures.begin(), pictures.end(), picture) - pictures.begin());
    const bool german = request.get_param_value("sLang") == "de";

    const std::vector<std::pair<std::string, std::string>> lines = {
        {"MemberCollision", (config.collision || busy) && !login.empty() ? "failed" : "ok"},
        {"MemberLogin", accepted ? "ok" : "failed"},
        {"ImageFileName", picture},
        {"ImageFileCache", "yes"},
        // Short texts: the caption and the label share the bar with the countdown.
        {"ImageInfoMain", german ? "Demo-Bild" : "Demo picture"},
        {"ImageInfoSub", (german ? "Bild " : "Picture ") + std::to_string(number + 1) + " / " +
                             std::to_string(pictures.size()) + ": " + picture},
        {"ImageInfoURL", std::string(ZEMBRIA_WEB_HOST) + "/demo/" + picture},
        {"ImageInfoReloadLable", german ? "neu in" : "next in"},
        {"DataTitle1", german ? "Demo-Dienst" : "Demo service"},
        {"Data1", TimeOfDay()},
        {"Data1Label", german ? "Dienstzeit" : "Service time"},
        {"Data2", std::to_string(config.intervalSeconds) + " s"},
        {"Data2Label", german ? "Bildwechsel" : "Picture change"},
        {"DataSeperator1", "hr"},
        {"Data3", accepted ? login : (german ? "Gast" : "guest")},
        {"Data3Label", german ? "Betrachter" : "Viewer"},
        {"DataSeperator2", "-"},
    };
    const char* end = config.crlf ? "\r\n" : "\n";
    std::string answer;
    for (const auto& [key, value] : lines)
        answer += key + ": " + value + end;
    return answer;
}

bool DemoService::Misbehave(const httplib::Request& request, httplib::Response& response, const char* contentType)
{
    if (config.stall) {
        HoldUntilStopped();
        return true;
    }
    if (config.status500) {
        response.status = 500;
        response.set_content("Internal Server Error\n", contentType);
        return true;
    }
    if (!config.redirectTo.empty()) {
        response.set_redirect(config.redirectTo + request.target);
        return true;
    }
    return false;
}

void DemoService::AnswerInfos(const httplib::Request& request, httplib::Response& response)
{
    if (Misbehave(request, response, "text/plain"))
        return;
    const bool busy = CountInfos(request.get_param_value("sLogin"));
    response.set_content(InfoAnswer(request, busy), "text/plain");
}

void DemoService::AnswerImage(const httplib::Request& request, httplib::Response& response)
{
    if (Misbehave(request, response, "text/html"))
        return;
    const std::string name = request.get_param_value("sFileName");
    {
        std::lock_guard<std::mutex> lock(mutex);
        ++counts[request.get_param_value("sLogin")].pictures;
    }
    if (std::find(pictures.begin(), pictures.end(), name) == pictures.end()) {
        response.status = 404;
        response.set_content("No such picture\n", "text/plain");
        return;
    }
    auto body = std::make_shared<std::string>(ReadWhole(fs::path(config.pictureFolder) / name));
    if (!config.cutShort) {
        response.set_content(*body, "image/jpeg");
        return;
    }
    // Announce the whole picture, send half of it, drop the connection.
    response.set_content_provider(body->size(), "image/jpeg", [body](size_t, size_t, httplib::DataSink& sink) {
        sink.write(body->data(), body->size() / 2);
        return false;
    });
}
