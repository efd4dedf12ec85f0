// Stand-ins for the controller's operations of later issues, doing the least
// that keeps the saver running as a black window. Each names the issue that
// completes it; the whole file goes when they have landed.

#include "host/SaverApp.h"
#include "render/RenderDevice.h"

// Completed by the picture cache issue: creates or expires the cache and fills pictureList.
void SaverApp::PrepareCache()
{
}

// Completed by the login issue: connects, logs in and sets the information texts.
void SaverApp::Login()
{
}

// Completed by the slide show issue. What the lifecycle relies on: the
// pending change is taken, the interval restarts and the slide timer is re-armed.
void SaverApp::AdvanceSlide()
{
    advancePending = false;
    advancing = true;
    PlatformKillTimer(window, SlideTimerId);
    lastAdvanceTime = PlatformNow();
    slideTimer = PlatformSetTimer(window, SlideTimerId, SlidePeriodMs());
    advancing = false;
}

// Completed by the frame composition issue: a scene with nothing in it.
int32_t SaverApp::DrawFrame()
{
    long result = renderDevice.BeginScene();
    if (result != 0) return static_cast<int32_t>(result);
    result = renderDevice.EndScene();
    if (result != 0) return static_cast<int32_t>(result);
    renderDevice.Present();
    return 0;
}

// Completed by the HTTP transport issue: 0 gives "de", 1 "en", others keep the language.
void ServiceClient::SetLanguage(int index)
{
    if (index == 0) language = "de";
    else if (index == 1) language = "en";
}

// Completed by the HTTP transport issue.
int ServiceClient::Connect(const std::string&, const std::string&, const std::string&)
{
    return 1;
}

// Completed by the HTTP transport issue.
ServiceClient::~ServiceClient() = default;

// ---- Completed by the settings core issue: the key/value list and store and
// the refresh table, as far as the controller uses them.

#include "settings/KeyValueList.h"
#include "settings/KeyValueStore.h"

#include <cstdlib>
#include <fstream>

KeyValueList::Position KeyValueList::Find(const std::string& key) const
{
    for (size_t i = 0; i + 1 < entries.size(); i += 2)
        if (entries[i] == key) return static_cast<Position>(i);
    return None;
}

std::string KeyValueList::GetString(const std::string& key, const std::string& defaultText) const
{
    Position at = Find(key);
    if (at == None || entries[at + 1].empty()) return defaultText;
    return entries[at + 1];
}

int KeyValueList::SetString(const std::string& key, const std::string& value, bool add)
{
    Position at = Find(key);
    if (at != None) {
        entries[at + 1] = value;
        return 0;
    }
    if (!add) return 1;
    AddPair(key, value);
    return 0;
}

KeyValueList::Position KeyValueList::AddPair(const std::string& key, const std::string& value)
{
    entries.push_back(key);
    entries.push_back(value);
    return static_cast<Position>(entries.size() - 2);
}

void KeyValueList::Clear()
{
    entries.clear();
}

std::string KeyValueStore::GetString(const std::string& key, const std::string& defaultText) const
{
    return list.GetString(key, defaultText);
}

int KeyValueStore::GetInt(const std::string& key, int defaultValue) const
{
    return std::atoi(list.GetString(key, std::to_string(defaultValue)).c_str());
}

int KeyValueStore::SetString(const std::string& key, const std::string& value)
{
    return list.SetString(key, value, true);
}

int KeyValueStore::Load(const std::string& path)
{
    list.Clear();
    std::ifstream file(path, std::ios::binary);
    if (!file) return 1;
    std::string line;
    while (std::getline(file, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        size_t keyEnd = line.find(" = ");
        if (line.empty() || line[0] == '#' || line[0] == '[' || keyEnd == std::string::npos) continue;
        std::string value = line.substr(keyEnd + 3);
        if (!value.empty()) list.AddPair(line.substr(0, keyEnd), value);
    }
    return 0;
}

int RefreshSecondsOfIndex(int index)
{
    static const int seconds[] = {10, 15, 30, 50, 60, 120, 180, 300, 600, 1800};
    return index >= 0 && index <= 9 ? seconds[index] : 50;
}

std::string RefreshIndexText(int seconds)
{
    static const int table[] = {10, 15, 30, 50, 60, 120, 180, 300, 600, 1800};
    for (int i = 0; i < 10; ++i)
        if (table[i] == seconds) return std::to_string(i);
    return "3";
}
