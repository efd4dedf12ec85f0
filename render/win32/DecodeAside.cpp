#include "render/win32/DecodeAside.h"

#include "platform/HelperThread.h"
#include "render/PictureHeader.h"
#include "render/RenderDevice.h"

#include <windows.h>

#include <memory>

// A decode begun before its load asks for it.
struct PicturePrefetch {
    std::string path;
    int width = 0;
    int height = 0;
    std::shared_ptr<DecodedImage> image = std::make_shared<DecodedImage>();
    HelperThread thread;
};

namespace {

// Short enough that input still closes the saver well within its 300 ms.
constexpr uint32_t InputPollMs = 20;

// Starts the decode; it writes only the image it shares with the waiter.
void Start(HelperThread& thread, const std::shared_ptr<DecodedImage>& image, std::function<DecodedImage()> decode)
{
    if (thread.Start([image, decode] { *image = decode(); }) != 0)
        *image = decode(); // no thread to be had: decode here
}

long Finish(const RenderDevice& device, HelperThread& thread, const std::shared_ptr<DecodedImage>& image,
            DecodedImage& out)
{
    while (!thread.Wait(InputPollMs))
        if (device.InputCame())
            return E_ABORT;
    out = std::move(*image);
    return out.result;
}

// The picture checks stay in front of the decoder: a file that is refused is never decoded.
DecodedImage DecodeCheckedFile(const std::string& path, int width, int height)
{
    if (!PictureAcceptable(path)) {
        DecodedImage refused;
        refused.result = PictureRefused;
        return refused;
    }
    return DecodeImageFile(path, width, height);
}

// The size a full-screen device will have: the primary display's mode, or
// the window's size when the device is to be windowed.
void ScreenSize(const DeviceSetup& setup, int& width, int& height)
{
    width = setup.windowedWidth;
    height = setup.windowedHeight;
    if (width > 0 && height > 0)
        return;
    DEVMODEA mode{};
    mode.dmSize = sizeof mode;
    if (EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &mode)) {
        width = static_cast<int>(mode.dmPelsWidth);
        height = static_cast<int>(mode.dmPelsHeight);
    }
}

} // namespace

long DecodeAside(const RenderDevice& device, std::function<DecodedImage()> decode, DecodedImage& image)
{
    HelperThread thread;
    auto decoded = std::make_shared<DecodedImage>();
    Start(thread, decoded, std::move(decode));
    return Finish(device, thread, decoded, image);
}

long DecodeFileAside(RenderDevice& device, const std::string& path, int width, int height, DecodedImage& image)
{
    std::shared_ptr<PicturePrefetch> ahead = device.TakePrefetch();
    if (ahead && ahead->path == path && ahead->width == width && ahead->height == height)
        return Finish(device, ahead->thread, ahead->image, image);
    // Another picture or size after all: the early decode ends unheeded.
    return DecodeAside(device, [path, width, height] { return DecodeCheckedFile(path, width, height); }, image);
}

void RenderDevice::PrefetchPicture(const std::string& path, const DeviceSetup& deviceSetup)
{
    prefetch.reset();
    if (path.empty())
        return;
    auto ahead = std::make_shared<PicturePrefetch>();
    ahead->path = path;
    ScreenSize(deviceSetup, ahead->width, ahead->height);
    if (ahead->width <= 0 || ahead->height <= 0)
        return;
    const int width = ahead->width, height = ahead->height;
    Start(ahead->thread, ahead->image, [path, width, height] { return DecodeCheckedFile(path, width, height); });
    prefetch = ahead;
}
