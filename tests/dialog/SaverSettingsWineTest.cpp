// The settings mode of the real Zembria.scr: the dialog shows the labels of
// the stored language, and OK writes the options file of the module directory
// given with --home.

#include "settings/DialogControls.h"
#include "settings/KeyValueStore.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

namespace fs = std::filesystem;

namespace {

const char StoredCode[] = "0123456789ABCDEF0123456789ABCDEF";

// Unix paths reach the saver through wine's drive Z:.
std::string OnDriveZ(const fs::path& path)
{
    std::string text = "Z:" + path.string();
    for (char& c : text)
        if (c == '/') c = '\\';
    return text;
}

struct Lookup {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK MatchDialog(HWND window, LPARAM data)
{
    auto* lookup = reinterpret_cast<Lookup*>(data);
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    char kind[16] = "";
    GetClassNameA(window, kind, sizeof kind);
    if (processId == lookup->processId && IsWindowVisible(window) && std::string(kind) == "#32770") {
        lookup->found = window;
        return FALSE;
    }
    return TRUE;
}

std::string ItemText(HWND dialog, int id)
{
    char text[256] = "";
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

// Runs "Zembria.scr --home DIR /c", lets act play the user on the dialog and
// returns the exit code (STILL_ACTIVE if it had to be stopped). The waits are
// long because a loaded machine can take many seconds to start a wine process.
DWORD RunSettingsMode(const fs::path& home, const std::function<void(HWND)>& act)
{
    std::string line = "\"" + OnDriveZ(ZEMBRIA_SCR) + "\" --home " + OnDriveZ(home) + " /c";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        ADD_FAILURE() << "can't start " << line;
        return STILL_ACTIVE;
    }
    Lookup lookup{process.dwProcessId, nullptr};
    for (int tries = 0; tries < 1200 && !lookup.found; ++tries) {
        EnumWindows(MatchDialog, reinterpret_cast<LPARAM>(&lookup));
        if (!lookup.found && WaitForSingleObject(process.hProcess, 50) == WAIT_OBJECT_0)
            break;
    }
    if (lookup.found)
        act(lookup.found);
    else
        ADD_FAILURE() << "no settings dialog appeared";

    DWORD code = STILL_ACTIVE;
    if (WaitForSingleObject(process.hProcess, 60000) == WAIT_OBJECT_0)
        GetExitCodeProcess(process.hProcess, &code);
    else
        TerminateProcess(process.hProcess, 99);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return code;
}

TEST(SaverSettingsMode, ShowsTheStoredLanguageAndOkWritesTheFile)
{
    std::string labels[2];
    for (int language : {0, 1}) {
        SCOPED_TRACE(language);
        const std::string suffix = std::to_string(language);
        fs::path home = fs::path(ZEMBRIA_DIALOG_TEST_DIR) / ("saver-" + suffix);
        fs::remove_all(home);
        fs::create_directories(home);
        std::ofstream(home / "Zembria.ini", std::ios::binary)
            << "Language\t=\t" << suffix << "\r\nMemberCode\t=\t" << StoredCode << "\r\n";
        fs::copy_file(fs::path(ZEMBRIA_BIN_DIR) / ("dictionary." + suffix), home / ("dictionary." + suffix));
        KeyValueStore dictionary;
        ASSERT_EQ(dictionary.Load((home / ("dictionary." + suffix)).string()), 0);

        DWORD code = RunSettingsMode(home, [&](HWND dialog) {
            labels[language] = ItemText(dialog, IDC_LANGUAGE_LABEL);
            EXPECT_EQ(labels[language], dictionary.GetString("LanguageStr", "Language"));
            EXPECT_EQ(ItemText(dialog, IDC_TITLE),
                      dictionary.GetString("App", "Zembria") + " " + dictionary.GetString("AppTitle", "Screensaver"));
            EXPECT_EQ(SendDlgItemMessageA(dialog, IDC_LANGUAGE, CB_GETCURSEL, 0, 0), language);
            SetDlgItemTextA(dialog, IDC_MEMBER_LOGIN, "anna");
            SendDlgItemMessageA(dialog, IDC_MEMBER_LOGIN, EM_SETMODIFY, TRUE, 0); // as typing marks it
            PostMessageA(dialog, WM_COMMAND, IDOK, 0);
        });

        EXPECT_EQ(code, 1u) << "OK is the exit code 1";
        KeyValueStore saved;
        ASSERT_EQ(saved.Load((home / "Zembria.ini").string()), 0);
        EXPECT_EQ(saved.GetString("MemberLogin", ""), "anna");
        EXPECT_EQ(saved.GetString("Language", ""), suffix);
        EXPECT_EQ(saved.GetString("MemberCode", ""), StoredCode) << "kept through the masked field";
    }
    EXPECT_NE(labels[0], labels[1]) << "German and English labels differ";
}

} // namespace
