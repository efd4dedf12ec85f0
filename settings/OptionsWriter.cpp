// Writes the options file in its fixed layout; a key of the layout that is
// absent or empty gets its written default. Other keys are dropped, except
// those kept as the user wrote them: the dialog doesn't show them, and must
// not undo them.

#include "settings/OptionsFile.h"

#include "platform/Paths.h"
#include "platform/ReplaceFile.h"
#include "platform/TempFile.h"

#include <chrono>
#include <cstdio>

namespace {

struct LayoutKey {
    const char* key;
    const char* writtenDefault;
};

constexpr LayoutKey applicationKeys[] = {
    {"Language", "0"}, {"ImagePath", "images"}, {"CacheDays", "14"}};
constexpr LayoutKey userKeys[] = {{"MemberLogin", ""}, {"MemberCode", ""}};
constexpr LayoutKey settingsKeys[] = {
    {"RefreshRate", "7"}, {"ShowZembrianTime", "yes"}, {"ShowLocalTime", "yes"}, {"ShowAllInfos", "yes"}};
constexpr LayoutKey proxyKeys[] = {
    {"ProxyHost", ""}, {"ProxyPort", ""}, {"ProxyLogin", ""}, {"ProxyPasswd", ""}};

// Lines 3 to 8, with the line end of the date line before them.
constexpr char headerBlock[] =
    "\r\n"
    "#\r\n"
    "# ATTENTION: Files MUST end with \"\\r\\n\" !\r\n"
    "#            Keywords/parameters can be right empty or completely deleted.\r\n"
    "#            But, if the key is present, it must be followed by an '='!\r\n"
    "\r\n"
    "[Application]\r\n";
static_assert(sizeof headerBlock - 1 == 214, "the header block of the options file is 214 bytes");

void AppendLine(std::string& text, const char* key, const std::string& value)
{
    text += key;
    text += "\t=\t";
    text += value;
    text += "\r\n";
}

template <size_t N>
void AppendKeys(std::string& text, const KeyValueStore& store, const LayoutKey (&keys)[N])
{
    for (const LayoutKey& k : keys) AppendLine(text, k.key, store.GetString(k.key, k.writtenDefault));
}

// Downloads on a metered connection: set by hand, written back only when present.
constexpr const char* keptKeys[] = {"MeteredDownloads"};

void AppendKeptKeys(std::string& text, const KeyValueStore& store)
{
    for (const char* kept : keptKeys) {
        if (store.list.Find(kept) != KeyValueList::None) AppendLine(text, kept, store.list.GetString(kept, ""));
    }
}

constexpr const char* weekdayNames[] = {
    "Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
constexpr const char* monthNames[] = {
    "January", "February", "March", "April", "May", "June",
    "July", "August", "September", "October", "November", "December"};

} // namespace

std::string OptionsDateText(int64_t when)
{
    // Formatted by hand so the global locale can't change the names.
    using namespace std::chrono;
    constexpr int64_t secondsPerDay = 86400;
    // Far outside any calendar the file could mean; also keeps the day count in range.
    constexpr int64_t limit = secondsPerDay * 366 * 9000;
    if (when < -limit || when > limit) {
        return {};
    }
    const sys_days day = floor<days>(sys_seconds{seconds{when}});
    const year_month_day date{day};
    const weekday dayOfWeek{day};
    if (!date.ok() || int(date.year()) < 0) {
        return {};
    }
    char text[64];
    std::snprintf(text, sizeof text, "%s, %s %02u, %d",
                  weekdayNames[dayOfWeek.c_encoding()], monthNames[unsigned(date.month()) - 1],
                  unsigned(date.day()), int(date.year()));
    return text;
}

std::string OptionsText(const KeyValueStore& store, int64_t when)
{
    std::string text = "# Zembria.ini file, genrated by Zembria Screensaver\r\n# Date: ";
    text += OptionsDateText(when);
    text += headerBlock;
    AppendKeys(text, store, applicationKeys);
    text += "\r\n[User Data]\r\n";
    AppendKeys(text, store, userKeys);
    text += "\r\n[Settings]\r\n";
    AppendKeys(text, store, settingsKeys);
    AppendKeptKeys(text, store);
    text += "\r\n[Proxy Settings]\r\n";
    AppendKeys(text, store, proxyKeys);
    return text;
}

int WriteOptions(const KeyValueStore& store, const std::string& path, int64_t when)
{
    // A linked file (dotfile managers) is written where the link leads; the link stays.
    const std::string target = SavedFileFor(path.empty() ? JoinPath(".", "file.txt") : path);
    const std::string text = OptionsText(store, when);

    // The old file is replaced only by a completely written new one, no
    // easier to read than the old one: it holds the member code.
    std::string temporary;
    FILE* file = nullptr;
    if (CreateTempFileFor(target, temporary, file) != 0) {
        return 1;
    }
    const bool access = MatchTargetAccess(file, target) == 0;
    const bool written = access && std::fwrite(text.data(), 1, text.size(), file) == text.size();
    const bool flushed = FlushToDisk(file) == 0;
    const bool closed = std::fclose(file) == 0;
    if (!written || !flushed || !closed || ReplaceFileWith(temporary, target) != 0) {
        std::remove(temporary.c_str());
        return 1;
    }
    return 0;
}

int KeyValueStore::Save(const std::string& path) const
{
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    return WriteOptions(*this, path, std::chrono::duration_cast<std::chrono::seconds>(now).count());
}
