#include "settings/win32/DialogBanner.h"

#include "platform/win32/MonitorDpi.h"

namespace {

constexpr char ScaledBannerProperty[] = "ZembriaScaledBanner";
constexpr int DesignDpi = 96;

// The first bitmap static of the dialog: the banner (it has no id of its own).
HWND BannerControl(HWND dialog)
{
    for (HWND item = GetWindow(dialog, GW_CHILD); item != nullptr; item = GetWindow(item, GW_HWNDNEXT))
        if ((GetWindowLongA(item, GWL_STYLE) & SS_TYPEMASK) == SS_BITMAP) return item;
    return nullptr;
}

// A 24-bit copy of the bitmap at the given size, filtered (HALFTONE), not blocky.
HBITMAP ScaledCopy(HBITMAP source, int width, int height)
{
    BITMAP original{};
    if (GetObjectA(source, sizeof original, &original) == 0) return nullptr;
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HBITMAP scaled = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC from = CreateCompatibleDC(screen);
    HDC to = CreateCompatibleDC(screen);
    ReleaseDC(nullptr, screen);
    if (scaled != nullptr && from != nullptr && to != nullptr) {
        HGDIOBJ oldFrom = SelectObject(from, source);
        HGDIOBJ oldTo = SelectObject(to, scaled);
        SetStretchBltMode(to, HALFTONE);
        SetBrushOrgEx(to, 0, 0, nullptr);
        StretchBlt(to, 0, 0, width, height, from, 0, 0, original.bmWidth, original.bmHeight, SRCCOPY);
        SelectObject(from, oldFrom);
        SelectObject(to, oldTo);
    }
    if (from != nullptr) DeleteDC(from);
    if (to != nullptr) DeleteDC(to);
    return scaled;
}

} // namespace

void ScaleBanner(HWND dialog)
{
    HWND banner = BannerControl(dialog);
    if (banner == nullptr) return;
    const int dpi = MonitorDpi(MonitorFromWindow(dialog, MONITOR_DEFAULTTONEAREST));
    auto current = reinterpret_cast<HBITMAP>(SendMessageA(banner, STM_GETIMAGE, IMAGE_BITMAP, 0));
    BITMAP size{};
    if (dpi <= DesignDpi || current == nullptr || GetObjectA(current, sizeof size, &size) == 0) return;
    HBITMAP scaled = ScaledCopy(current, MulDiv(size.bmWidth, dpi, DesignDpi), MulDiv(size.bmHeight, dpi, DesignDpi));
    if (scaled == nullptr) return;
    SetPropA(dialog, ScaledBannerProperty, scaled);
    // The control gives back the bitmap it loaded itself, which is ours to delete now.
    const LRESULT loaded = SendMessageA(banner, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(scaled));
    if (loaded != 0 && loaded != reinterpret_cast<LRESULT>(scaled)) DeleteObject(reinterpret_cast<HGDIOBJ>(loaded));
}

void ReleaseBanner(HWND dialog)
{
    if (HANDLE scaled = RemovePropA(dialog, ScaledBannerProperty)) DeleteObject(scaled);
}
