// Picture decode benchmark under wine: a 1920x1080 and a 6000x4000 JPEG
// decoded and scaled to the screen into a texture, D3DX (d3dx9_43.dll, as
// the saver once did it, loaded here from the system folder) beside the
// saver's own load through WIC (picture check, decode and scale on a helper
// thread, texture fill), taking turns. Prints the wall time of each, median
// of several.
// Usage: render_decode_bench [repeats]

#include "bench/render/BenchJpeg.h"
#include "bench/render/BenchScene.h"
#include "bench/render/BenchWindow.h"
#include "platform/win32/Direct3d.h"
#include "render/RenderDevice.h"
#include "render/win32/RenderDeviceState.h"

#include <d3dx9.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

using CreateFromFile = decltype(&D3DXCreateTextureFromFileExA);

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Wall milliseconds of one load; negative when it failed.
template <typename Load> double TimeMs(Load load)
{
    const double start = WallSeconds();
    const bool loaded = load();
    return loaded ? (WallSeconds() - start) * 1000.0 : -1.0;
}

} // namespace

int main(int argc, char** argv)
{
    const int repeats = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;
    HMODULE d3dx = LoadLibraryExA("d3dx9_43.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    void* function = d3dx ? reinterpret_cast<void*>(GetProcAddress(d3dx, "D3DXCreateTextureFromFileExA")) : nullptr;
    auto createFromFile = reinterpret_cast<CreateFromFile>(function);
    if (!createFromFile) {
        std::fprintf(stderr, "decode bench: d3dx9_43.dll is needed for the comparison\n");
        return 1;
    }
    PrepareDirect3d();
    HWND window = OpenBenchWindow();
    RenderDevice device;
    if (!window || device.Create({window}) != 0) {
        std::fprintf(stderr, "decode bench: no Direct3D device\n");
        return 1;
    }
    device.PrepareSurface();
    IDirect3DDevice9* d3d = device.NativeState()->Device();
    const int w = device.ScreenWidth(), h = device.ScreenHeight();
    std::printf("display %dx%d, wall time per picture, median of %d\n", w, h, repeats);
    struct Picture { const char* path; UINT width, height; };
    const Picture pictures[] = {{"decode-1920x1080.jpg", 1920, 1080}, {"decode-6000x4000.jpg", 6000, 4000}};
    for (const Picture& picture : pictures) {
        if (!WriteBenchJpeg(picture.path, picture.width, picture.height)) {
            std::fprintf(stderr, "decode bench: could not write %s\n", picture.path);
            return 1;
        }
        auto d3dxLoad = [&] {
            IDirect3DTexture9* texture = nullptr;
            D3DXIMAGE_INFO info{};
            const HRESULT result = createFromFile(d3d, picture.path, static_cast<UINT>(w), static_cast<UINT>(h), 1, 0,
                                                  D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, D3DX_DEFAULT, D3DX_DEFAULT,
                                                  0xFF000000, &info, nullptr, &texture);
            if (texture)
                texture->Release();
            return SUCCEEDED(result);
        };
        auto wicLoad = [&] { return device.Picture().LoadFile(picture.path, w, h) == 0; };
        // Turn about, so a machine busy for a while slows both alike.
        std::vector<double> d3dxTimes, wicTimes;
        for (int i = 0; i < repeats; ++i) {
            d3dxTimes.push_back(TimeMs(d3dxLoad));
            wicTimes.push_back(TimeMs(wicLoad));
        }
        const double before = Median(d3dxTimes), after = Median(wicTimes);
        std::printf("%ux%u JPEG to %dx%d: D3DX %.1f ms, WIC %.1f ms (%.2f of D3DX's time)\n", picture.width,
                    picture.height, w, h, before, after, before > 0 ? after / before : 0.0);
    }
    device.Release();
    return 0;
}
