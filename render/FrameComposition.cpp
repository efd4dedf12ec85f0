// One whole frame, back to front: picture or black, bar and emblem, clocks,
// captions, countdown and, when shown, the information table.

#include "render/Overlay.h"
#include "render/RenderDevice.h"

namespace {

bool Loaded(const TextureHandle* handle)
{
    return handle && handle->IsLoaded();
}

} // namespace

int32_t ComposeFrame(RenderDevice& device, const FrameContent& content)
{
    long result = device.BeginScene();
    if (result != 0)
        return static_cast<int32_t>(result);

    // Cleared even under a picture: its colour-keyed black pixels must show
    // black, not whatever an older frame left in the back buffer.
    device.ClearToBlack();
    if (Loaded(device.pictureHandle))
        device.pictureHandle->Draw(content.screen, Colour::White);
    if (Loaded(device.barHandle)) {
        int h = device.screenHeight;
        device.barHandle->Draw(Rect{0, h - 165, 612, h - 80}, Colour::White);
        // An emblem that failed to load would otherwise be a white block.
        if (Loaded(device.emblemHandle))
            device.emblemHandle->Draw(Rect{7, h - 205, 132, h - 65}, Colour::White);
    }
    DrawClocks(device, content.clocks);
    DrawPictureInfo(device, content.captions);
    DrawCountdown(device, content.countdown);
    if (content.showInfoTable)
        DrawInfoTable(device, content.tableRows);

    result = device.EndScene();
    if (result != 0)
        return static_cast<int32_t>(result);
    device.Present();
    return 0;
}
