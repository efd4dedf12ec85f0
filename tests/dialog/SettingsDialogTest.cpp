// The settings dialog's open and save logic on a map of controls and real
// files in a temporary module directory.

#include "ControlMap.h"
#include "tests/settings/SettingsTestSupport.h"

#include "settings/DialogControls.h"
#include "settings/MemberCode.h"

#include <gtest/gtest.h>
#include <openssl/crypto.h>
#include <openssl/provider.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

const char Options[] = "Zembria.ini";
const char OptionFileMissing[] = "Error: Couldn't find option file!";
const char LanguageFileMissing[] = "Error: Couldn't find language file!";
const char StoredCode[] = "0123456789ABCDEF0123456789ABCDEF";

class SettingsDialogTest : public testing::Test {
protected:

    // Writes a key/value file with CR LF line ends.
    void WriteFile(const std::string& name, std::initializer_list<std::string> lines)
    {
        std::ofstream out(directory / name, std::ios::binary);
        for (const auto& line : lines)
            out << line << "\r\n";
    }
    std::string ReadFile(const std::string& name)
    {
        std::ifstream in(directory / name, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }
    // The file from its section headers on; the lines above hold the date.
    std::string Settings()
    {
        std::string text = ReadFile(Options);
        size_t start = text.find("[Application]");
        return start == std::string::npos ? text : text.substr(start);
    }

    void Open() { dialog.Open(directory.string(), controls.Bind()); }
    int Save() { return dialog.Save(controls.Bind()); }

    TempFolder folder; // unique, so parallel runs of this test never share it
    fs::path directory = folder.path;
    SettingsDialog dialog;
    ControlMap controls;
};

TEST_F(SettingsDialogTest, WithoutAnyFileShowsTheDefaultsAfterTheMessage)
{
    WriteFile("dictionary.1", {"LanguageStr\t=\tTongue"}); // not read without options

    Open();

    ASSERT_EQ(controls.messages, std::vector<std::string>{OptionFileMissing});
    EXPECT_EQ(controls.log.front(), "message");
    EXPECT_EQ(controls.entries[IDC_LANGUAGE], (std::vector<std::string>{"Deutsch", "English"}));
    EXPECT_EQ(controls.selections[IDC_LANGUAGE], 1);
    EXPECT_EQ(controls.entries[IDC_REFRESH_RATE],
              (std::vector<std::string>{"10 secs", "15 secs", "30 secs", "50 secs", " 1 min", " 2 min",
                                        " 3 min", " 5 min", "10 min", "30 min"}));
    EXPECT_EQ(controls.selections[IDC_REFRESH_RATE], 3);
    EXPECT_EQ(controls.texts[IDC_CACHE_DAYS], "14");
    for (int box : {IDC_SHOW_ZEMBRIAN_TIME, IDC_SHOW_LOCAL_TIME, IDC_SHOW_ALL_INFOS})
        EXPECT_FALSE(controls.checks.at(box)) << box;
    EXPECT_EQ(controls.texts[IDC_LANGUAGE_LABEL], "Language");
    EXPECT_EQ(controls.texts[IDC_LOGIN_LABEL], "MemberLogin");
    EXPECT_EQ(controls.texts[IDC_CACHE_DAYS_LABEL], "Cache Interval (images)");
    EXPECT_EQ(controls.texts[IDC_SHOW_ALL_INFOS], "Show all info");
    EXPECT_EQ(controls.texts[IDC_PROXY_PASSWORD_LABEL], "Proxy Code");
    EXPECT_EQ(controls.texts[IDC_TITLE], "Zembria Screensaver");
    EXPECT_EQ(controls.texts[IDC_VERSION], "v1.0.0");
    EXPECT_EQ(controls.texts[IDC_WEB_SITE], ZEMBRIA_WEB_HOST);
    for (int note : {IDC_INFO_LANGUAGE, IDC_INFO_LOGIN, IDC_INFO_ADV1, IDC_INFO_ADV2, IDC_INFO_ADV3, IDC_INFO_REFRESH})
        EXPECT_EQ(controls.texts.at(note), "") << note;
    EXPECT_EQ(controls.texts[IDC_PASSWORD], "");
    EXPECT_EQ(controls.texts[IDC_PROXY_HOST], "n.a.");
    EXPECT_EQ(controls.texts.count(IDC_INFO_PROXY), 0u); // keeps its template text
}

TEST_F(SettingsDialogTest, ShowsTheOptionsWithTheDictionaryOfTheirLanguage)
{
    WriteFile(Options, {"Language\t=\t0", "MemberLogin\t=\tanna", "MemberCode\t=\tABC", "RefreshRate\t=\t9",
                        "CacheDays\t=\t3", "ShowLocalTime\t=\tyes", "ShowAllInfos\t=\tyes ", "host\t=\tpics.test"});
    WriteFile("dictionary.0", {"[Dialog]", "LanguageStr\t=\tSprache", "App\t=\tZembria", "AppTitle\t=\tBildschirmschoner",
                               "InfoAdv2\t=\t- k\xfcrzere Intervalle", "ShowLocalTime\t=\tLokale Zeit"});
    WriteFile("dictionary.1", {"LanguageStr\t=\tLanguage!"});

    Open();

    EXPECT_TRUE(controls.messages.empty());
    EXPECT_EQ(controls.texts[IDC_LANGUAGE_LABEL], "Sprache");
    EXPECT_EQ(controls.texts[IDC_LOGIN_LABEL], "MemberLogin"); // absent from the dictionary
    EXPECT_EQ(controls.texts[IDC_TITLE], "Zembria Bildschirmschoner");
    EXPECT_EQ(controls.texts[IDC_INFO_ADV2], "- k\xfcrzere Intervalle");
    EXPECT_EQ(controls.texts[IDC_SHOW_LOCAL_TIME], "Lokale Zeit");
    EXPECT_EQ(controls.texts[IDC_WEB_SITE], "pics.test");
    EXPECT_EQ(controls.texts[IDC_MEMBER_LOGIN], "anna");
    EXPECT_EQ(controls.texts[IDC_PASSWORD], "****");
    EXPECT_EQ(controls.selections[IDC_LANGUAGE], 0);
    EXPECT_EQ(controls.selections[IDC_REFRESH_RATE], 9);
    EXPECT_EQ(controls.texts[IDC_CACHE_DAYS], "3");
    EXPECT_FALSE(controls.checks[IDC_SHOW_ZEMBRIAN_TIME]);
    EXPECT_TRUE(controls.checks[IDC_SHOW_LOCAL_TIME]);
    EXPECT_FALSE(controls.checks[IDC_SHOW_ALL_INFOS]); // "yes " is not "yes"
}

TEST_F(SettingsDialogTest, OkWithoutChangesRewritesTheSameValuesInTheFixedLayout)
{
    WriteFile(Options, {"[Application]", "Language\t=\t1", "ImagePath\t=\tpics", "host\t=\tpictures.test",
                        "[User Data]", "MemberLogin\t=\tanna maria", std::string("MemberCode\t=\t") + StoredCode,
                        "[Settings]", "RefreshRate\t=\t8", "ShowZembrianTime\t=\tyes", "ShowAllInfos\t=\tno",
                        "[Proxy Settings]", "ProxyHost\t=\tproxy.test", "proxyport\t=\t8080", "offline\t=\ttrue"});
    WriteFile("dictionary.1", {"App\t=\tZembria"});

    Open();
    ASSERT_EQ(Save(), 0);

    EXPECT_TRUE(controls.messages.empty());
    EXPECT_EQ(Settings(), "[Application]\r\n"
                          "Language\t=\t1\r\n"
                          "ImagePath\t=\tpics\r\n"
                          "CacheDays\t=\t14\r\n"
                          "\r\n[User Data]\r\n"
                          "MemberLogin\t=\tanna maria\r\n"
                          "MemberCode\t=\t0123456789ABCDEF0123456789ABCDEF\r\n"
                          "\r\n[Settings]\r\n"
                          "RefreshRate\t=\t8\r\n"
                          "ShowZembrianTime\t=\tyes\r\n"
                          "ShowLocalTime\t=\tno\r\n"
                          "ShowAllInfos\t=\tno\r\n"
                          "\r\n[Proxy Settings]\r\n"
                          "ProxyHost\t=\tproxy.test\r\n"
                          "ProxyPort\t=\t\r\n"
                          "ProxyLogin\t=\t\r\n"
                          "ProxyPasswd\t=\t\r\n");
}

TEST_F(SettingsDialogTest, ProxyFieldsShowOnlyTheLowerCaseKeysAndAreNeverSaved)
{
    WriteFile(Options, {"ProxyHost\t=\tproxy.test", "proxyport\t=\t8080", "proxylogin\t=\tpeter"});

    Open();
    EXPECT_EQ(controls.texts[IDC_PROXY_HOST], "n.a.");
    EXPECT_EQ(controls.texts[IDC_PROXY_PORT], "8080");
    EXPECT_EQ(controls.texts[IDC_PROXY_LOGIN], "peter");
    EXPECT_EQ(controls.texts[IDC_PROXY_PASSWORD], "n.a.");

    controls.texts[IDC_PROXY_HOST] = "other.test";
    ASSERT_EQ(Save(), 0);
    KeyValueStore saved;
    ASSERT_EQ(saved.Load((directory / Options).string()), 0);
    EXPECT_EQ(saved.GetString("ProxyHost", ""), "proxy.test");
    EXPECT_EQ(saved.GetString("proxyport", ""), "");
}

// The dialog never alters what it can't show. Typed texts the options file
// can't hold are refused and nothing is written; left alone, a login whose
// control shows "?" for a byte keeps its bytes, and lists that can't show
// the file's index keep it.
TEST_F(SettingsDialogTest, NeverAltersWhatItCantShow)
{
    const std::string login = "b\x81" "b\xe4";
    WriteFile(Options, {"Language\t=\t5", "RefreshRate\t=\t12", "MemberLogin\t=\t" + login, "CacheDays\t=\t7"});
    const std::string before = ReadFile(Options);
    Open();
    EXPECT_EQ(controls.messages, std::vector<std::string>{LanguageFileMissing});
    EXPECT_EQ(controls.texts[IDC_MEMBER_LOGIN], "b?b\xe4");
    EXPECT_EQ(controls.selections[IDC_LANGUAGE], -1);
    EXPECT_EQ(controls.selections[IDC_REFRESH_RATE], -1);

    const std::string breaks = " field can't hold a tab or a line break!";
    const std::string foreign = " field holds a character outside Windows-1252 (Western European)!";
    const struct {
        int id;
        std::string typed;
        std::string message;
    } refused[] = {
        {IDC_MEMBER_LOGIN, "bob\nCacheDays\t=\t0", "Error: The member name" + breaks},
        {IDC_MEMBER_LOGIN, "bob\rx", "Error: The member name" + breaks},
        {IDC_PASSWORD, "pass\tword", "Error: The password" + breaks},
        {IDC_CACHE_DAYS, "30\t", "Error: The cache days" + breaks},
        {IDC_MEMBER_LOGIN, "b\x81" "b", "Error: The member name" + foreign},
        {IDC_PASSWORD, "Geheim\x9d", "Error: The password" + foreign},
        {IDC_MEMBER_LOGIN, "ab#c", "Error: The member name field can't hold a \"#\"!"}, // read back as "ab"
    };
    for (const auto& row : refused) {
        ControlMap typing = controls;
        typing.messages.clear();
        typing.texts[row.id] = row.typed;
        EXPECT_EQ(dialog.Save(typing.Bind()), 1) << row.typed;
        EXPECT_EQ(typing.messages, std::vector<std::string>{row.message}) << row.typed;
        EXPECT_EQ(ReadFile(Options), before) << row.typed;
    }

    controls.texts[IDC_CACHE_DAYS] = "8";
    ASSERT_EQ(Save(), 0);
    KeyValueStore saved;
    ASSERT_EQ(saved.Load((directory / Options).string()), 0);
    EXPECT_EQ(saved.GetString("MemberLogin", ""), login);
    EXPECT_EQ(saved.GetString("Language", ""), "5");
    EXPECT_EQ(saved.GetString("RefreshRate", ""), "12");
    EXPECT_EQ(saved.GetString("CacheDays", ""), "8");
}

TEST_F(SettingsDialogTest, PasswordFieldDecidesTheMemberCode)
{
    WriteFile(Options, {"MemberLogin\t=\tanna", std::string("MemberCode\t=\t") + StoredCode});
    auto savedCode = [&] {
        KeyValueStore saved;
        saved.Load((directory / Options).string());
        return saved.GetString("MemberCode", "");
    };

    Open();
    controls.texts[IDC_PASSWORD] = "****"; // typed anew: still the old code
    ASSERT_EQ(Save(), 0);
    EXPECT_EQ(savedCode(), StoredCode);

    controls.texts[IDC_PASSWORD] = "Secret ";
    ASSERT_EQ(Save(), 0);
    EXPECT_EQ(savedCode(), MemberCodeOf("Secret "));

    controls.texts[IDC_MEMBER_LOGIN] = "";
    controls.texts[IDC_PASSWORD] = "";
    ASSERT_EQ(Save(), 0);
    EXPECT_EQ(savedCode(), "");

    // Cleared with a login kept: still no code.
    controls = ControlMap();
    Open();
    controls.texts[IDC_MEMBER_LOGIN] = "anna";
    EXPECT_EQ(controls.texts[IDC_PASSWORD], "");
    controls.texts[IDC_PASSWORD] = "****"; // no code at this opening to keep
    ASSERT_EQ(Save(), 0);
    EXPECT_EQ(savedCode(), "");
}

TEST_F(SettingsDialogTest, ReopeningReloadsBothFiles)
{
    WriteFile(Options, {"Language\t=\t0", "CacheDays\t=\t5"});
    WriteFile("dictionary.0", {"LanguageStr\t=\tSprache"});
    Open();
    EXPECT_EQ(controls.texts[IDC_LANGUAGE_LABEL], "Sprache");

    fs::remove(directory / Options);
    controls = ControlMap();
    Open();
    EXPECT_EQ(controls.messages, std::vector<std::string>{OptionFileMissing});
    EXPECT_EQ(controls.texts[IDC_LANGUAGE_LABEL], "Language");
    EXPECT_EQ(controls.texts[IDC_CACHE_DAYS], "14");
}

// A cache-days text that isn't a whole number from 0 up would read as 0 days
// and empty the picture cache; OK refuses it and nothing is written.
TEST_F(SettingsDialogTest, CacheDaysMustBeAWholeNumber)
{
    WriteFile(Options, {"CacheDays\t=\t5", "MemberLogin\t=\tanna"});
    const std::string before = ReadFile(Options);
    Open();
    controls.texts[IDC_MEMBER_LOGIN] = "bert";

    for (const char* typed : {"", "  ", "abc", "-1", "+3", "7 days", "1.5", "0x10", "99999999999"}) {
        controls.messages.clear();
        controls.texts[IDC_CACHE_DAYS] = typed;
        EXPECT_EQ(Save(), 1) << typed;
        EXPECT_EQ(controls.messages, std::vector<std::string>{"Error: Cache days must be a whole number of 0 or more!"})
            << typed;
        EXPECT_EQ(ReadFile(Options), before) << typed;
    }

    for (auto [typed, stored] : {std::pair{"0", "0"}, {" 30 ", "30"}, {"2147483647", "2147483647"}}) {
        controls.messages.clear();
        controls.texts[IDC_CACHE_DAYS] = typed;
        ASSERT_EQ(Save(), 0) << typed;
        EXPECT_TRUE(controls.messages.empty());
        KeyValueStore saved;
        saved.Load((directory / Options).string());
        EXPECT_EQ(saved.GetString("CacheDays", ""), stored);
        EXPECT_EQ(saved.GetString("MemberLogin", ""), "bert");
    }
}

TEST_F(SettingsDialogTest, AFailedSaveIsReportedAndKeepsTheDialogOpen)
{
    fs::path gone = directory / "gone";
    dialog.Open(gone.string(), controls.Bind());
    controls.messages.clear();

    EXPECT_EQ(Save(), 1);
    EXPECT_EQ(controls.messages, std::vector<std::string>{"Error: Couldn't save option file!"});
    EXPECT_FALSE(fs::exists(gone));
}

// With no MD5 to be had (a library context that offers none), the typed
// password can't become a member code: OK says so and writes nothing, rather
// than saving an empty code that would log in as a guest.
TEST_F(SettingsDialogTest, AMemberCodeThatCantBeComputedIsAnError)
{
    WriteFile(Options, {"MemberLogin\t=\tanna", std::string("MemberCode\t=\t") + StoredCode});
    const std::string before = ReadFile(Options);
    Open();
    controls.messages.clear();
    controls.texts[IDC_PASSWORD] = "new secret";

    OSSL_LIB_CTX* withoutDigests = OSSL_LIB_CTX_new();
    OSSL_PROVIDER* nothing = OSSL_PROVIDER_load(withoutDigests, "null");
    OSSL_LIB_CTX* previous = OSSL_LIB_CTX_set0_default(withoutDigests);
    const int result = Save();
    OSSL_LIB_CTX_set0_default(previous);
    OSSL_PROVIDER_unload(nothing);
    OSSL_LIB_CTX_free(withoutDigests);

    EXPECT_EQ(result, 1);
    EXPECT_EQ(controls.messages, std::vector<std::string>{"Error: Couldn't compute the member code!"});
    EXPECT_EQ(ReadFile(Options), before);
    EXPECT_EQ(dialog.options.GetString("MemberCode", ""), StoredCode);
}

TEST_F(SettingsDialogTest, OkWithoutAnOptionsFileCreatesIt)
{
    Open();
    ASSERT_EQ(Save(), 0);
    KeyValueStore saved;
    ASSERT_EQ(saved.Load((directory / Options).string()), 0);
    EXPECT_EQ(saved.GetString("Language", ""), "1");
    EXPECT_EQ(saved.GetString("RefreshRate", ""), "3");
    EXPECT_EQ(saved.GetString("CacheDays", ""), "14");
    EXPECT_EQ(saved.GetString("ShowZembrianTime", ""), "no");
}

} // namespace
