// Open and save of the settings dialog: which option or text each control
// shows, in the order the dialog fills them, and what OK writes.

#include "settings/SettingsDialog.h"

#include "platform/Paths.h"
#include "settings/CacheDays.h"
#include "settings/DialogControls.h"
#include "settings/MemberCode.h"
#include "settings/RefreshRate.h"

#include <cstddef>
#include <utility>

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

// The fields the user types into, as the messages name them.
struct EditField {
    int id;
    const char* name;
};
const EditField EditFields[] = {
    {IDC_MEMBER_LOGIN, "member name"},
    {IDC_PASSWORD, "password"},
    {IDC_CACHE_DAYS, "cache days"},
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

void SettingsDialog::FillField(const DialogControls& controls, int id, const std::string& text)
{
    controls.setText(id, text);
    filledTexts[id] = text;
}

void SettingsDialog::FillValues(const DialogControls& controls)
{
    FillField(controls, IDC_MEMBER_LOGIN, options.GetString("MemberLogin", ""));
    memberCodeAtOpening = options.GetString("MemberCode", "");
    FillField(controls, IDC_PASSWORD, memberCodeAtOpening.empty() ? "" : MaskedCode);

    FillList(controls, IDC_LANGUAGE, LanguageNames, 2, options.GetInt("Language", 1));
    std::string intervals[RefreshIntervalCount];
    for (int index = 0; index < RefreshIntervalCount; ++index)
        intervals[index] = RefreshIntervalText(index);
    FillList(controls, IDC_REFRESH_RATE, intervals, RefreshIntervalCount, options.GetInt("RefreshRate", 3));

    FillField(controls, IDC_CACHE_DAYS, options.GetString("CacheDays", "14"));
    for (const FlagBox& box : FlagBoxes)
        controls.setCheck(box.id, options.GetString(box.key, "no") == "yes");
    Fill(controls, options, ProxyFields);
}

// The edit fields' texts as Save takes them. A field the user left alone
// gives what Open put there, so a value its control can't show exactly is
// written back byte for byte. A typed text the options file can't hold is
// refused: a character outside the code page would turn into another one,
// and a tab or a line break would end the value or start a new entry.
int SettingsDialog::ReadFields(const DialogControls& controls, std::map<int, std::string>& texts) const
{
    for (const EditField& field : EditFields) {
        auto filled = filledTexts.find(field.id);
        if (filled != filledTexts.end() && !controls.changed(field.id)) {
            texts[field.id] = filled->second;
            continue;
        }
        std::optional<std::string> typed = controls.getText(field.id);
        if (!typed) {
            controls.showMessage(std::string("The ") + field.name +
                                     " field holds a character outside Windows-1252 (Western European)!",
                                 ErrorCaption);
            return 1;
        }
        if (typed->find_first_of("\t\r\n") != std::string::npos) {
            controls.showMessage(std::string("The ") + field.name + " field can't hold a tab or a line break!",
                                 ErrorCaption);
            return 1;
        }
        texts[field.id] = *typed;
    }
    return 0;
}

int SettingsDialog::Save(const DialogControls& controls)
{
    std::map<int, std::string> texts;
    if (ReadFields(controls, texts) != 0)
        return 1;

    // The options reader ends a value at "#": the name would come back cut
    // short and the member could no longer log in.
    if (texts[IDC_MEMBER_LOGIN].find('#') != std::string::npos) {
        controls.showMessage("The member name field can't hold a \"#\"!", ErrorCaption);
        return 1;
    }

    std::string cacheDays;
    if (!ParseCacheDays(texts[IDC_CACHE_DAYS], cacheDays)) {
        controls.showMessage("Cache days must be a whole number of 0 or more!", ErrorCaption);
        return 1;
    }

    const std::string& password = texts[IDC_PASSWORD];
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

    // A list selects nothing only when the file's index lay outside it and
    // the user left it so; the file's value then stays.
    for (auto [id, key] : {std::pair{IDC_LANGUAGE, "Language"}, {IDC_REFRESH_RATE, "RefreshRate"}}) {
        const int index = controls.selection(id);
        if (index >= 0)
            options.SetInt(key, index);
    }
    options.SetString("MemberLogin", texts[IDC_MEMBER_LOGIN]);
    options.SetString("MemberCode", memberCode);
    options.SetString("CacheDays", cacheDays);
    for (const FlagBox& box : FlagBoxes)
        options.SetString(box.key, controls.isChecked(box.id) ? "yes" : "no");

    if (options.Save(JoinPath(moduleDirectory, OptionsFileName)) != 0) {
        controls.showMessage("Couldn't save option file!", ErrorCaption);
        return 1;
    }
    return 0;
}
