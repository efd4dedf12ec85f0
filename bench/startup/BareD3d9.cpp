// startup_bare_d3d9: the least a Windows program does to show a colour full
// screen with Direct3D 9: a popup window over the screen, a device, one
// cleared frame presented. It then waits to be ended. The start-up
// benchmark's baseline for the Windows saver.
// Usage: startup_bare_d3d9 R G B

#include <d3d9.h>
#include <windows.h>

#include <cstdlib>

int main(int argc, char** argv)
{
    if (argc != 4) return 2;
    const D3DCOLOR colour = D3DCOLOR_XRGB(std::atoi(argv[1]), std::atoi(argv[2]), std::atoi(argv[3]));
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "BareD3d9";
    RegisterClassA(&windowClass);
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    HWND window = CreateWindowExA(WS_EX_TOPMOST, "BareD3d9", "bare", WS_POPUP | WS_VISIBLE, 0, 0, width, height,
                                  nullptr, nullptr, windowClass.hInstance, nullptr);
    IDirect3D9* direct3d = Direct3DCreate9(D3D_SDK_VERSION);
    if (!window || !direct3d) return 1;
    D3DPRESENT_PARAMETERS parameters{};
    parameters.Windowed = TRUE;
    parameters.SwapEffect = D3DSWAPEFFECT_COPY;
    parameters.BackBufferFormat = D3DFMT_X8R8G8B8;
    parameters.BackBufferWidth = static_cast<UINT>(width);
    parameters.BackBufferHeight = static_cast<UINT>(height);
    parameters.hDeviceWindow = window;
    IDirect3DDevice9* device = nullptr;
    if (FAILED(direct3d->CreateDevice(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, window,
                                      D3DCREATE_SOFTWARE_VERTEXPROCESSING, &parameters, &device)))
        return 1;
    device->Clear(0, nullptr, D3DCLEAR_TARGET, colour, 1.0f, 0);
    device->Present(nullptr, nullptr, nullptr, nullptr);
    for (MSG message; GetMessageA(&message, nullptr, 0, 0) > 0;) DispatchMessageA(&message);
    device->Release();
    direct3d->Release();
    return 0;
}
