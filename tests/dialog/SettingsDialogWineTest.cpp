// The real settings dialog under wine: template 2003 from the module's
// resources, run modally through SettingsDialogProc as the host runs it, on a
// module directory of the test. A thread timer plays the user: it reads and
// sets the controls through their ids and presses the buttons.

#include "ScreenCapture.h"

#include "resources/resource.h"
#include "settings/DialogControls.h"
#include "settings/KeyValueStore.h"
#include "settings/MemberCode.h"
#include "settings/SettingsDialog.h"
#include "settings/win32/SettingsDialogProc.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

std::vector<std::string> messages; // "caption: text" of every message box

int WINAPI RecordMessageBox(HWND, LPCSTR text, LPCSTR caption, UINT)
{
    messages.push_back(std::string(caption) + ": " + text);
    return IDOK;
}

// The dialog object the dialog under test is bound to.
SettingsDialog settings;

// The steps the user takes, one per timer tick, so the dialog paints between them.
std::vector<std::function<void(HWND)>> steps;
size_t nextStep;

HWND OpenDialog()
{
    return static_cast<HWND>(settings.window);
}

void CALLBACK TakeStep(HWND, UINT, UINT_PTR timer, DWORD)
{
    HWND dialog = OpenDialog();
    if (!dialog || !IsWindowVisible(dialog))
        return;
    if (nextStep >= steps.size()) {
        KillTimer(nullptr, timer);
        ADD_FAILURE() << "the dialog is still open after the last step";
        SendMessageA(dialog, WM_CLOSE, 0, 0);
        return;
    }
    steps[nextStep++](dialog);
}

// Runs the dialog modally on the directory while the steps play.
INT_PTR RunDialog(const fs::path& directory, std::vector<std::function<void(HWND)>> userSteps)
{
    steps = std::move(userSteps);
    nextStep = 0;
    messages.clear();
    UINT_PTR timer = SetTimer(nullptr, 0, 100, TakeStep);
    std::string path = directory.string();
    const SettingsDialogStart start{&settings, path.c_str()};
    INT_PTR result = DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_SETTINGS), nullptr,
                                     SettingsDialogProc, reinterpret_cast<LPARAM>(&start));
    KillTimer(nullptr, timer);
    EXPECT_EQ(nextStep, steps.size()) << "the dialog ended before the last step";
    return result;
}

// The file of the library whose window procedure serves a control's class,
// in lower case.
std::string ClassLibrary(HWND control)
{
    HMODULE module = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(GetClassLongPtrW(control, GCLP_WNDPROC)), &module);
    char path[MAX_PATH] = "";
    GetModuleFileNameA(module, path, MAX_PATH);
    std::string library = path;
    for (char& c : library)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return library;
}

std::string Text(HWND dialog, int id)
{
    char text[512] = "";
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

int Selection(HWND dialog, int id)
{
    return static_cast<int>(SendDlgItemMessageA(dialog, id, CB_GETCURSEL, 0, 0));
}

// Sets a field's text as typing does: typing marks it modified, WM_SETTEXT doesn't.
void Type(HWND dialog, int id, const char* text)
{
    SetDlgItemTextA(dialog, id, text);
    SendDlgItemMessageA(dialog, id, EM_SETMODIFY, TRUE, 0);
}

// Pastes Unicode text over a field's whole text, through the clipboard.
void Paste(HWND dialog, int id, const std::wstring& text)
{
    const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    std::memcpy(GlobalLock(memory), text.c_str(), bytes);
    GlobalUnlock(memory);
    ASSERT_TRUE(OpenClipboard(dialog));
    EmptyClipboard();
    SetClipboardData(CF_UNICODETEXT, memory);
    CloseClipboard();
    SendDlgItemMessageA(dialog, id, EM_SETSEL, 0, -1);
    SendDlgItemMessageA(dialog, id, WM_PASTE, 0, 0);
}

void Press(HWND dialog, int button)
{
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, button)));
}

class SettingsDialogWineTest : public testing::Test {
protected:
    void SetUp() override
    {
        SettingsMessageBox = RecordMessageBox;
        directory = fs::path(ZEMBRIA_DIALOG_TEST_DIR) / testing::UnitTest::GetInstance()->current_test_info()->name();
        fs::remove_all(directory);
        fs::create_directories(directory);
    }

    void WriteFile(const std::string& name, std::initializer_list<std::string> lines)
    {
        std::ofstream out(directory / name, std::ios::binary);
        for (const auto& line : lines)
            out << line << "\r\n";
    }
    std::string ReadOptions()
    {
        std::ifstream file(directory / "Zembria.ini", std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(file), {});
    }
    KeyValueStore Saved()
    {
        KeyValueStore saved;
        EXPECT_EQ(saved.Load((directory / "Zembria.ini").string()), 0);
        return saved;
    }

    fs::path directory;
};

TEST_F(SettingsDialogWineTest, TemplateHoldsItsControlsInOrder)
{
    const std::vector<int> ids = {
        IDC_LANGUAGE, IDC_MEMBER_LOGIN, IDC_PASSWORD, IDC_REFRESH_RATE, IDC_SHOW_ZEMBRIAN_TIME, IDC_SHOW_ALL_INFOS,
        IDC_PROXY_HOST, IDC_PROXY_PORT, IDC_PROXY_LOGIN, IDC_PROXY_PASSWORD, IDOK, IDCANCEL, -1, IDC_TITLE,
        IDC_VERSION, IDC_WEB_SITE, -1, IDC_LANGUAGE_LABEL, IDC_LOGIN_LABEL, IDC_PASSWORD_LABEL, IDC_REFRESH_LABEL,
        IDC_PROXY_HOST_LABEL, IDC_PROXY_PORT_LABEL, IDC_PROXY_LOGIN_LABEL, IDC_PROXY_PASSWORD_LABEL,
        IDC_INFO_LANGUAGE, IDC_INFO_LOGIN, IDC_INFO_REFRESH, IDC_INFO_ADV1, IDC_INFO_ADV2, IDC_INFO_ADV3,
        IDC_INFO_PROXY, IDC_SHOW_LOCAL_TIME, IDC_CACHE_DAYS, IDC_CACHE_DAYS_LABEL};

    RunDialog(directory, {[&](HWND dialog) {
        std::vector<int> found;
        for (HWND item = GetWindow(dialog, GW_CHILD); item; item = GetWindow(item, GW_HWNDNEXT))
            found.push_back(GetDlgCtrlID(item));
        EXPECT_EQ(found, ids);

        EXPECT_TRUE(GetWindowLongA(dialog, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
        char caption[64] = "?";
        GetWindowTextA(dialog, caption, sizeof caption);
        EXPECT_STREQ(caption, "");
        RECT units = {0, 0, 292, 342}, client;
        MapDialogRect(dialog, &units);
        GetClientRect(dialog, &client);
        EXPECT_EQ(client.right, units.right);
        EXPECT_EQ(client.bottom, units.bottom);

        // The system's visual style: Common Controls 6, as the module's manifest asks.
        for (int id : {IDOK, IDC_MEMBER_LOGIN, IDC_LANGUAGE, IDC_SHOW_LOCAL_TIME})
            EXPECT_NE(ClassLibrary(GetDlgItem(dialog, id)).find("common-controls_6595b64144ccf1df_6."), std::string::npos)
                << id << ": " << ClassLibrary(GetDlgItem(dialog, id));

        auto style = [&](int id) { return GetWindowLongA(GetDlgItem(dialog, id), GWL_STYLE); };
        EXPECT_TRUE(style(IDC_PASSWORD) & ES_PASSWORD);
        EXPECT_TRUE(style(IDC_REFRESH_RATE) & CBS_SORT);
        for (int id : {IDC_PROXY_HOST, IDC_PROXY_PORT, IDC_PROXY_LOGIN, IDC_PROXY_PASSWORD, IDC_PROXY_HOST_LABEL})
            EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, id))) << id;
        EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, IDC_CACHE_DAYS)));
        // The one note that keeps its German template text, in Windows-1252.
        EXPECT_EQ(Text(dialog, IDC_INFO_PROXY).substr(0, 40), "Sofern Ihr Internetzugang nur \xfc" "ber einen");
        Press(dialog, IDCANCEL);
    }});
}

// Drawn for 96 dpi, the banner grows with the desktop's DPI (wine-run's
// WINE_RUN_DPI) as the dialog does, so it still spans the dialog's top.
TEST_F(SettingsDialogWineTest, BannerGrowsWithTheDpi)
{
    const char* setting = std::getenv("WINE_RUN_DPI");
    const int dpi = setting != nullptr && *setting != '\0' ? std::atoi(setting) : 96;
    RunDialog(directory, {[&](HWND dialog) {
        HWND banner = GetDlgItem(dialog, -1);
        ASSERT_EQ(GetWindowLongA(banner, GWL_STYLE) & SS_TYPEMASK, SS_BITMAP);
        RECT shown;
        GetClientRect(banner, &shown);
        EXPECT_EQ(shown.right, MulDiv(450, dpi, 96));
        EXPECT_EQ(shown.bottom, MulDiv(65, dpi, 96));
        Press(dialog, IDCANCEL);
    }});
}

// The module also carries an about box, a menu and accelerators for its info command.
TEST_F(SettingsDialogWineTest, ModuleCarriesAboutBoxMenuAndAccelerators)
{
    HINSTANCE module = GetModuleHandleA(nullptr);
    EXPECT_NE(FindResourceA(module, MAKEINTRESOURCEA(IDD_ABOUT), MAKEINTRESOURCEA(5)), nullptr); // RT_DIALOG

    HMENU menu = LoadMenuA(module, MAKEINTRESOURCEA(IDM_MAIN));
    ASSERT_NE(menu, nullptr);
    char text[32] = "";
    GetMenuStringA(menu, 0, text, sizeof text, MF_BYPOSITION);
    EXPECT_STREQ(text, "&Datei");
    GetMenuStringA(GetSubMenu(menu, 0), IDM_EXIT, text, sizeof text, MF_BYCOMMAND);
    EXPECT_STREQ(text, "&Beenden");
    GetMenuStringA(menu, 1, text, sizeof text, MF_BYPOSITION);
    EXPECT_STREQ(text, "&Hilfe");
    GetMenuStringA(GetSubMenu(menu, 1), IDM_INFO, text, sizeof text, MF_BYCOMMAND);
    EXPECT_STREQ(text, "&Info");
    DestroyMenu(menu);

    HACCEL accelerators = LoadAcceleratorsA(module, MAKEINTRESOURCEA(IDM_MAIN));
    ASSERT_NE(accelerators, nullptr);
    ACCEL entries[4];
    int count = CopyAcceleratorTableA(accelerators, entries, 4);
    ASSERT_GT(count, 0);
    for (int i = 0; i < count; ++i)
        EXPECT_EQ(entries[i].cmd, IDM_INFO);
    DestroyAcceleratorTable(accelerators);
}

TEST_F(SettingsDialogWineTest, WithoutFilesShowsTheDefaultsAndOkWritesTheChanges)
{
    INT_PTR result = RunDialog(directory, {
        [&](HWND dialog) {
            EXPECT_EQ(messages, std::vector<std::string>{"Error: Couldn't find option file!"});
            EXPECT_EQ(Selection(dialog, IDC_LANGUAGE), 1);
            EXPECT_EQ(Selection(dialog, IDC_REFRESH_RATE), 3);
            EXPECT_EQ(SendDlgItemMessageA(dialog, IDC_REFRESH_RATE, CB_GETCOUNT, 0, 0), 10);
            char entry[32] = "";
            SendDlgItemMessageA(dialog, IDC_REFRESH_RATE, CB_GETLBTEXT, 4, reinterpret_cast<LPARAM>(entry));
            EXPECT_STREQ(entry, " 1 min"); // by position, not sorted
            EXPECT_EQ(Text(dialog, IDC_CACHE_DAYS), "14");
            EXPECT_EQ(Text(dialog, IDC_TITLE), "Zembria Screensaver");
            EXPECT_EQ(Text(dialog, IDC_VERSION), "v1.0.0");
            for (int box : {IDC_SHOW_ZEMBRIAN_TIME, IDC_SHOW_LOCAL_TIME, IDC_SHOW_ALL_INFOS})
                EXPECT_EQ(IsDlgButtonChecked(dialog, box), BST_UNCHECKED) << box;

            SendDlgItemMessageA(dialog, IDC_LANGUAGE, CB_SETCURSEL, 0, 0);
            Paste(dialog, IDC_MEMBER_LOGIN, L"J\u00fcrgen \u20ac"); // Windows-1252 whatever the system's code page
            Type(dialog, IDC_PASSWORD, "Geheim 1");
            SendDlgItemMessageA(dialog, IDC_REFRESH_RATE, CB_SETCURSEL, 7, 0);
            Type(dialog, IDC_CACHE_DAYS, "30");
            SendDlgItemMessageA(dialog, IDC_SHOW_LOCAL_TIME, BM_SETCHECK, BST_CHECKED, 0);
            SendDlgItemMessageA(dialog, IDC_SHOW_ALL_INFOS, BM_SETCHECK, BST_CHECKED, 0);
        },
        [&](HWND dialog) { Press(dialog, IDOK); },
    });

    EXPECT_EQ(result, 1);
    EXPECT_EQ(messages.size(), 1u);
    KeyValueStore saved = Saved();
    EXPECT_EQ(saved.GetString("Language", ""), "0");
    EXPECT_EQ(saved.GetString("MemberLogin", ""), "J\xfcrgen \x80");
    EXPECT_EQ(saved.GetString("MemberCode", ""), MemberCodeOf("Geheim 1"));
    EXPECT_EQ(saved.GetString("RefreshRate", ""), "7");
    EXPECT_EQ(saved.GetString("CacheDays", ""), "30");
    EXPECT_EQ(saved.GetString("ShowZembrianTime", ""), "no");
    EXPECT_EQ(saved.GetString("ShowLocalTime", ""), "yes");
    EXPECT_EQ(saved.GetString("ShowAllInfos", ""), "yes");
}

TEST_F(SettingsDialogWineTest, RefusedCacheDaysKeepTheDialogOpen)
{
    WriteFile("Zembria.ini", {"CacheDays\t=\t5"});
    const std::string original = ReadOptions();

    INT_PTR result = RunDialog(directory, {
        [&](HWND dialog) {
            messages.clear();
            Type(dialog, IDC_CACHE_DAYS, "5 Tage");
            Press(dialog, IDOK);
        },
        [&](HWND dialog) {
            EXPECT_EQ(messages, std::vector<std::string>{"Error: Cache days must be a whole number of 0 or more!"});
            EXPECT_TRUE(IsWindowVisible(dialog));
            SendMessageA(dialog, WM_CLOSE, 0, 0);
        },
    });

    EXPECT_EQ(result, 0);
    EXPECT_EQ(ReadOptions(), original);
}

TEST_F(SettingsDialogWineTest, AFailedSaveIsReportedAndCancelSavesNothing)
{
    fs::path gone = directory / "gone";
    INT_PTR result = RunDialog(gone, {
        [&](HWND dialog) {
            messages.clear();
            Press(dialog, IDOK);
        },
        [&](HWND dialog) {
            EXPECT_EQ(messages, std::vector<std::string>{"Error: Couldn't save option file!"});
            EXPECT_TRUE(IsWindowVisible(dialog));
            Press(dialog, IDCANCEL);
        },
    });

    EXPECT_EQ(result, 0);
    EXPECT_FALSE(fs::exists(gone));
}

// An edit control holds Unicode and takes a pasted tab or lone CR as it is:
// OK refuses them, and characters outside the code page, with a message and
// the dialog stays, the file untouched. (A pasted LF ends the text there.)
TEST_F(SettingsDialogWineTest, PastedTextTheFileCantHoldIsRefused)
{
    WriteFile("Zembria.ini", {"MemberLogin\t=\tanna", "CacheDays\t=\t5"});
    const std::string original = ReadOptions();
    const std::string breaks = " field can't hold a tab or a line break!";
    const std::string foreign = " field holds a character outside Windows-1252 (Western European)!";
    const struct {
        int id;
        std::wstring pasted;
        std::string message;
    } rows[] = {
        {IDC_MEMBER_LOGIN, L"bob\tCacheDays", "Error: The member name" + breaks},
        {IDC_MEMBER_LOGIN, L"bob\rCacheDays\t=\t0", "Error: The member name" + breaks},
        {IDC_CACHE_DAYS, L"7\t", "Error: The cache days" + breaks},
        {IDC_PASSWORD, L"\u03a9mega", "Error: The password" + foreign}, // GetDlgItemTextA gives "Omega"
        {IDC_MEMBER_LOGIN, L"ab#c", "Error: The member name field can't hold a \"#\"!"}, // read back as "ab"
    };

    INT_PTR result = RunDialog(directory, {
        [&](HWND dialog) {
            for (const auto& row : rows) {
                const std::string shown = Text(dialog, row.id);
                Paste(dialog, row.id, row.pasted);
                messages.clear();
                Press(dialog, IDOK);
                EXPECT_EQ(messages, std::vector<std::string>{row.message}) << Text(dialog, row.id);
                EXPECT_TRUE(IsWindowVisible(dialog));
                SetDlgItemTextA(dialog, row.id, shown.c_str()); // as opened, untouched again
            }
        },
        [&](HWND dialog) { SendMessageA(dialog, WM_CLOSE, 0, 0); },
    });

    EXPECT_EQ(result, 0);
    EXPECT_EQ(ReadOptions(), original);
}

// Keeps a picture of the dialog with the module's English dictionary.
TEST_F(SettingsDialogWineTest, Screenshot)
{
    WriteFile("Zembria.ini", {"Language\t=\t1", "MemberLogin\t=\tanna", "MemberCode\t=\t0123456789ABCDEF0123456789ABCDEF",
                              "RefreshRate\t=\t7", "ShowZembrianTime\t=\tyes", "ShowAllInfos\t=\tyes"});
    fs::path dictionary = fs::path(ZEMBRIA_BIN_DIR) / "dictionary.1";
    if (fs::exists(dictionary))
        fs::copy_file(dictionary, directory / "dictionary.1");
    fs::path picture = fs::path(ZEMBRIA_DIALOG_TEST_DIR) / "dialog.png";
    fs::remove(picture);

    RunDialog(directory, {
        [&](HWND dialog) { RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW); },
        [&](HWND dialog) {
            EXPECT_EQ(CaptureWindow(dialog, picture.string()), 0);
            Press(dialog, IDCANCEL);
        },
    });

    EXPECT_GT(fs::exists(picture) ? fs::file_size(picture) : 0, 1000u);
}

} // namespace
