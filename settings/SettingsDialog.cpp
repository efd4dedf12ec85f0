// Open and save of the settings dialog: which option or text each control
// shows, in the order the dialog has always filled them, and what OK writes.

#include "settings/SettingsDialog.h"

#include "platform/Paths.h"
#include "settings/CacheDays.h"
#include "settings/DialogControls.h"
#include "settings/MemberCode.h"
#include "settings/RefreshRate.h"

#include <cstddef>

SettingsDialog settingsDialog;

namespace {

const char OptionsFileName[] = "Zembria.ini";
const char ErrorCaption[] = "Error";
const char MaskedCode[] = "****";
const char LanguageNames[][8] = {"Deutsch", "English"};

struct TextFill {
    int id;
    const char* key;
    const char* defaultText;
};

// Labels and notes from the dictionary, in three runs around the title and
// the version line.
const TextFill MemberLabels[] = {
    {IDC_LANGUAGE_LABEL, "LanguageStr", "Language"},
    {IDC_LOGIN_LABEL, "Username", "MemberLogin"},
    {IDC_PASSWORD_LABEL, "Userpassword", "MemberCode"},
};
const TextFill SettingLabels[] = {
    {IDC_REFRESH_LABEL, "Refreshtime", "Refreshtime"},
    {IDC_CACHE_DAYS_LABEL, "CacheDays", "Cache Interval (images)"},
    {IDC_SHOW_LOCAL_TIME, "ShowLocalTime", "Show local time"},
    {IDC_SHOW_ZEMBRIAN_TIME, "ShowZembrianTime", "Show zembrian time"},
    {IDC_SHOW_ALL_INFOS, "ShowGenerallInfo", "Show all info"},
    {IDC_PROXY_HOST_LABEL, "Proxyhost", "Proxy Server"},
    {IDC_PROXY_PORT_LABEL, "Proxyport", "Proxy Port"},
    {IDC_PROXY_LOGIN_LABEL, "Proxylogin", "Proxy login"},
    {IDC_PROXY_PASSWORD_LABEL, "Proxypassword", "Proxy Code"},
};
const TextFill Notes[] = {
    {IDC_INFO_LANGUAGE, "InfoLanguage", ""},
    {IDC_INFO_LOGIN, "InfoLogin", ""},
    {IDC_INFO_ADV1, "InfoAdv1", ""},
    {IDC_INFO_ADV2, "InfoAdv2", ""},
    {IDC_INFO_ADV3, "InfoAdv3", ""},
    {IDC_INFO_REFRESH, "InfoRefresh", ""},
};
// The proxy options are looked up under lower-case keys, which the options
// file never holds, so these fields normally show "n.a.".
const TextFill ProxyFields[] = {
    {IDC_PROXY_HOST, "proxyhost", "n.a."},
    {IDC_PROXY_PORT, "proxyport", "n.a."},
    {IDC_PROXY_LOGIN, "proxylogin", "n.a."},
    {IDC_PROXY_PASSWORD, "proxypasswd", "n.a."},
};

struct FlagBox {
    int id;
    const char* key;
};
const FlagBox FlagBoxes[] = {
    {IDC_SHOW_ZEMBRIAN_TIME, "ShowZembrianTime"},
    {IDC_SHOW_LOCAL_TIME, "ShowLocalTime"},
    {IDC_SHOW_ALL_INFOS, "ShowAllInfos"},
};

template <size_t N>
void Fill(const DialogControls& controls, const KeyValueStore& store, const TextFill (&fills)[N])
{
    for (const TextFill& fill : fills)
        controls.setText(fill.id, store.GetString(fill.key, fill.defaultText));
}

// Fills a drop-down list by position (its template sorts, inserting keeps
// the given order) and selects the index, or nothing when it is outside.
template <typename Text>
void FillList(const DialogControls& controls, int id, const Text* entries, int count, int index)
{
    for (int position = 0; position < count; ++position)
        controls.insertEntry(id, position, entries[position]);
    controls.select(id, index >= 0 && index < count ? index : -1);
}

} // namespace

int SettingsDialog::Open(const std::string& directory, const DialogControls& controls)
{
    moduleDirectory = directory;
    dictionary.list.Clear();
    int result = 0;
    if (options.Load(JoinPath(directory, OptionsFileName)) != 0) {
        controls.showMessage("Couldn't find option file!", ErrorCaption);
        result = 1;
    } else {
        std::string language = options.GetString("Language", "1");
        const std::string& dictionaries = dictionaryDirectory.empty() ? directory : dictionaryDirectory;
        if (dictionary.Load(JoinPath(dictionaries, "dictionary." + language)) != 0) {
            controls.showMessage("Couldn't find language file!", ErrorCaption);
            result = 1;
        }
    }
    FillTexts(controls);
    FillValues(controls);
    return result;
}

void SettingsDialog::FillTexts(const DialogControls& controls) const
{
    controls.setText(IDC_WEB_SITE, options.GetString("host", ZEMBRIA_WEB_HOST));
    Fill(controls, dictionary, MemberLabels);
    controls.setText(IDC_TITLE, dictionary.GetString("App", "Zembria") + " " +
                                    dictionary.GetString("AppTitle", "Screensaver"));
    Fill(controls, dictionary, SettingLabels);
    controls.setText(IDC_VERSION, versionText);
    Fill(controls, dictionary, Notes);
}

void SettingsDialog::FillValues(const DialogControls& controls)
{
    controls.setText(IDC_MEMBER_LOGIN, options.GetString("MemberLogin", ""));
    memberCodeAtOpening = options.GetString("MemberCode", "");
    controls.setText(IDC_PASSWORD, memberCodeAtOpening.empty() ? "" : MaskedCode);

    FillList(controls, IDC_LANGUAGE, LanguageNames, 2, options.GetInt("Language", 1));
    std::string intervals[RefreshIntervalCount];
    for (int index = 0; index < RefreshIntervalCount; ++index)
        intervals[index] = RefreshIntervalText(index);
    FillList(controls, IDC_REFRESH_RATE, intervals, RefreshIntervalCount, options.GetInt("RefreshRate", 3));

    controls.setText(IDC_CACHE_DAYS, options.GetString("CacheDays", "14"));
    for (const FlagBox& box : FlagBoxes)
        controls.setCheck(box.id, options.GetString(box.key, "no") == "yes");
    Fill(controls, options, ProxyFields);
}

int SettingsDialog::Save(const DialogControls& controls)
{
    std::string cacheDays;
    if (!ParseCacheDays(controls.getText(IDC_CACHE_DAYS), cacheDays)) {
        controls.showMessage("Cache days must be a whole number of 0 or more!", ErrorCaption);
        return 1;
    }

    const std::string password = controls.getText(IDC_PASSWORD);
    std::string memberCode;
    if (password == MaskedCode) {
        memberCode = memberCodeAtOpening;
    } else if (!password.empty()) {
        memberCode = MemberCodeOf(password);
        // Saved empty, the code would mean "no password": a guest login.
        if (memberCode.empty()) {
            controls.showMessage("Couldn't compute the member code!", ErrorCaption);
            return 1;
        }
    }

    options.SetInt("Language", controls.selection(IDC_LANGUAGE));
    options.SetString("MemberLogin", controls.getText(IDC_MEMBER_LOGIN));
    options.SetString("MemberCode", memberCode);
    options.SetInt("RefreshRate", controls.selection(IDC_REFRESH_RATE));
    options.SetString("CacheDays", cacheDays);
    for (const FlagBox& box : FlagBoxes)
        options.SetString(box.key, controls.isChecked(box.id) ? "yes" : "no");

    if (options.Save(JoinPath(moduleDirectory, OptionsFileName)) != 0) {
        controls.showMessage("Couldn't save option file!", ErrorCaption);
        return 1;
    }
    return 0;
}
