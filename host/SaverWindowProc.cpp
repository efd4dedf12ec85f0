#include "host/SaverWindowProc.h"

#include "host/DirectXCheck.h"
#include "host/HostProtocol.h"
#include "host/ModeFlags.h"
#include "host/ProgramOptions.h"
#include "host/SaverApp.h"
#include "render/RenderDevice.h"

namespace {

void OnCreate(WindowHandle window)
{
    ReadModeFlags();
    if (!CheckDirectX()) return; // told the user; the window stays black and inert
    if (PreviewMode) return;
    // --window: a windowed device of that size; --snapshot: keep each presented frame.
    renderDevice.windowedWidth = programOptions.windowWidth;
    renderDevice.windowedHeight = programOptions.windowHeight;
    renderDevice.keepPresentedFrame = !programOptions.snapshotPath.empty();
    if (renderDevice.Create(window, 0) != 0) {
        PlatformMessageBox(nullptr, InitErrorText, InitErrorCaption, Box::IconError | Box::Ok);
        PlatformSendMessage(window, Msg::Destroy, 0, 0);
        return;
    }
    // A slow or stalled request must not keep the saver from closing.
    saverApp.serviceClient.inputPending = SaverInputPending;
    if (renderDevice.InitResources() == 0) saverApp.Start(window);
}

} // namespace

MessageResult SaverWindowProc(WindowHandle window, unsigned message, MessageParam wParam, MessageData lParam)
{
    switch (message) {
    case Msg::Create:
        OnCreate(window);
        break;
    case Msg::Destroy:
        if (!PreviewMode) {
            saverApp.StopTimers();
            if (!programOptions.snapshotPath.empty()) renderDevice.SaveSnapshot(programOptions.snapshotPath);
            renderDevice.Release();
        }
        break;
    case Msg::Timer:
        if (!PreviewMode) saverApp.OnTimer(window, static_cast<uint32_t>(wParam));
        break;
    default:
        break;
    }
    return DefaultSaverProc(window, message, wParam, lParam);
}
