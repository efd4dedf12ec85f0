// The settings dialog's procedure: binds the logic's controls to the dialog's
// items and answers the few messages the dialog handles itself.

#include "settings/win32/SettingsDialogProc.h"

#include "resources/resource.h"
#include "settings/SettingsDialog.h"
#include "settings/win32/DialogBanner.h"

#include <optional>
#include <string>

int(WINAPI* SettingsMessageBox)(HWND, LPCSTR, LPCSTR, UINT) = MessageBoxA;

namespace {

// The options file is Windows-1252 whatever the system's code page, so the
// texts cross into the Unicode controls and back through that code page.
constexpr UINT OptionsCodePage = 1252;

void SetItemText(HWND dialog, int id, const std::string& text)
{
    std::wstring wide(MultiByteToWideChar(OptionsCodePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0),
                      L'\0');
    MultiByteToWideChar(OptionsCodePage, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                        static_cast<int>(wide.size()));
    SetDlgItemTextW(dialog, id, wide.c_str());
}

// Pasted text may hold characters Windows-1252 lacks; converted, they would
// turn into "?" or a look-alike unnoticed. Nothing then: the logic refuses it.
std::optional<std::string> ItemText(HWND dialog, int id)
{
    HWND item = GetDlgItem(dialog, id);
    std::wstring wide(GetWindowTextLengthW(item) + 1, L'\0');
    wide.resize(GetWindowTextW(item, wide.data(), static_cast<int>(wide.size())));
    if (wide.empty())
        return std::string();
    BOOL lost = FALSE;
    const int length = static_cast<int>(wide.size());
    std::string text(WideCharToMultiByte(OptionsCodePage, WC_NO_BEST_FIT_CHARS, wide.data(), length, nullptr, 0,
                                         nullptr, nullptr),
                     '\0');
    WideCharToMultiByte(OptionsCodePage, WC_NO_BEST_FIT_CHARS, wide.data(), length, text.data(),
                        static_cast<int>(text.size()), nullptr, &lost);
    if (lost || text.empty())
        return std::nullopt;
    return text;
}

DialogControls BindControls(HWND dialog)
{
    DialogControls controls;
    controls.setText = [dialog](int id, const std::string& text) { SetItemText(dialog, id, text); };
    controls.getText = [dialog](int id) { return ItemText(dialog, id); };
    // Typing and pasting set the modified flag; WM_SETTEXT clears it.
    controls.changed = [dialog](int id) { return SendDlgItemMessageA(dialog, id, EM_GETMODIFY, 0, 0) != 0; };
    controls.insertEntry = [dialog](int id, int position, const std::string& text) {
        SendDlgItemMessageA(dialog, id, CB_INSERTSTRING, position, reinterpret_cast<LPARAM>(text.c_str()));
    };
    controls.select = [dialog](int id, int index) { SendDlgItemMessageA(dialog, id, CB_SETCURSEL, index, 0); };
    controls.selection = [dialog](int id) {
        return static_cast<int>(SendDlgItemMessageA(dialog, id, CB_GETCURSEL, 0, 0)); // CB_ERR is -1
    };
    controls.setCheck = [dialog](int id, bool checked) {
        CheckDlgButton(dialog, id, checked ? BST_CHECKED : BST_UNCHECKED);
    };
    controls.isChecked = [dialog](int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; };
    controls.showMessage = [](const std::string& text, const std::string& caption) {
        SettingsMessageBox(nullptr, text.c_str(), caption.c_str(), MB_OK | MB_ICONEXCLAMATION);
    };
    return controls;
}

// The dialog object rides with the dialog window from WM_INITDIALOG on.
SettingsDialog* SettingsOf(HWND dialog)
{
    return reinterpret_cast<SettingsDialog*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

void Open(HWND dialog, const SettingsDialogStart& start)
{
    SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(start.settings));
    SettingsDialog& settings = *start.settings;
    settings.window = dialog;
    char version[64];
    auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(dialog, GWLP_HINSTANCE));
    if (LoadStringA(instance, IDS_VERSION, version, sizeof version) > 0)
        settings.versionText = version;
    settings.Open(start.directory ? start.directory : "", BindControls(dialog));
}

void End(HWND dialog, INT_PTR result)
{
    SettingsOf(dialog)->window = nullptr;
    EndDialog(dialog, result);
}

} // namespace

INT_PTR CALLBACK SettingsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        ScaleBanner(dialog);
        Open(dialog, *reinterpret_cast<const SettingsDialogStart*>(lParam));
        return TRUE;
    case WM_DESTROY:
        ReleaseBanner(dialog);
        return FALSE;
    case WM_COMMAND:
        if (SettingsOf(dialog) == nullptr)
            return FALSE;
        if (LOWORD(wParam) == IDOK) {
            // A refused or failed save has told the user why; the dialog stays.
            if (SettingsOf(dialog)->Save(BindControls(dialog)) == 0)
                End(dialog, 1);
            return TRUE;
        }
        if (LOWORD(wParam) == IDCANCEL)
            End(dialog, 0);
        return FALSE;
    case WM_CLOSE:
        if (SettingsOf(dialog) == nullptr)
            return FALSE;
        End(dialog, 0);
        return TRUE;
    default:
        return FALSE;
    }
}
