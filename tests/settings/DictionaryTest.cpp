// The shipped dictionaries: both load and hold a text for every key.

#include "SettingsTestSupport.h"

#include "platform/Paths.h"
#include "settings/KeyValueStore.h"

#include <sstream>

namespace {

const char* const dictionaryKeys[] = {
    "LanguageStr", "Username", "Userpassword", "App", "AppTitle", "Refreshtime", "CacheDays",
    "ShowLocalTime", "ShowZembrianTime", "ShowGenerallInfo", "Proxyhost", "Proxyport",
    "Proxylogin", "Proxypassword", "InfoLanguage", "InfoLogin", "InfoAdv1", "InfoAdv2",
    "InfoAdv3", "InfoRefresh", "Initialization", "Hint", "HostNotAvailable", "SavingData", "MemberCollision",
    "MemberCollisionInfo1", "MemberCollisionInfo2", "MemberCollisionInfo3", "WelcomeMessage",
    "Error", "UsingGuestAccount", "LoginFailed", "LoggedInAs", "Loading", "Seconds",
    "LocalTime", "LocalTimeSuffix", "ZembrianTime", "ZembrianTimeSuffix"};

} // namespace

TEST(Dictionary, BothShippedFilesHoldEveryKeyOnce)
{
    for (const char* language : {"0", "1"}) {
        SCOPED_TRACE(std::string("dictionary.") + language);
        const std::string path = JoinPath(ZEMBRIA_BIN_DIR, std::string("dictionary.") + language);
        const std::string bytes = ReadBytes(path);
        // CR LF everywhere, as the format asks.
        for (size_t at = bytes.find('\n'); at != std::string::npos; at = bytes.find('\n', at + 1)) {
            ASSERT_TRUE(at > 0 && bytes[at - 1] == '\r') << "bare LF at byte " << at;
        }
        ASSERT_TRUE(bytes.size() >= 2 && bytes.substr(bytes.size() - 2) == "\r\n");

        KeyValueStore dictionary;
        ASSERT_EQ(dictionary.Load(path), 0);
        for (const char* key : dictionaryKeys) {
            EXPECT_NE(dictionary.GetString(key, ""), "") << key;
        }
        EXPECT_EQ(dictionary.list.PairLimit(), static_cast<long>(std::size(dictionaryKeys)) + 1);

        // A tab or "#" inside a text would cut it short without a word.
        std::istringstream lines(bytes);
        for (std::string line; std::getline(lines, line);) {
            const size_t separator = line.find("\t=\t");
            if (line.empty() || line[0] == '#' || separator == std::string::npos) {
                continue;
            }
            const std::string text = line.substr(separator + 3, line.size() - separator - 4);
            EXPECT_EQ(dictionary.GetString(line.substr(0, separator), ""), text) << line;
        }
    }
}

TEST(Dictionary, LanguagesDifferWhereTheyShould)
{
    KeyValueStore german, english;
    ASSERT_EQ(german.Load(JoinPath(ZEMBRIA_BIN_DIR, "dictionary.0")), 0);
    ASSERT_EQ(english.Load(JoinPath(ZEMBRIA_BIN_DIR, "dictionary.1")), 0);
    EXPECT_EQ(german.GetString("LanguageStr", ""), "Sprache");
    EXPECT_EQ(english.GetString("LanguageStr", ""), "Language");
    // Windows-1252: the umlaut is one byte.
    EXPECT_EQ(german.GetString("InfoAdv2", ""), "- k\xfc" "rzere Intervalle");
}
