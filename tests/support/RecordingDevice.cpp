// Recording build of RenderDevice and TextureRecord for the native tests.

#include "tests/support/RecordingDevice.h"

#include "render/OverlayScale.h"
#include "render/PictureDecodes.h"
#include "render/PictureHeader.h"
#include "render/TextureRecord.h"

#include <algorithm>
#include <filesystem>
#include <memory>

// What a recorded texture is: its description in the log, and the log that counts it.
struct NativeTexture {
    std::string description;
    Recording* log;
};

// A recorded decode: the picture's header.
struct DecodedPicture {
    PictureInfo size;
};

namespace {

// The log of every device that was given none of its own.
Recording recording;

constexpr long InvalidCall = static_cast<long>(static_cast<int32_t>(0x8876086Cu)); // D3DERR_INVALIDCALL

FontKind Known(FontKind kind)
{
    return FontStyles[FontSlot(kind)].kind;
}

NativeTexture* MakeTexture(Recording& log, const std::string& description)
{
    ++log.texturesAlive;
    ++log.texturesCreated;
    return new NativeTexture{description, &log};
}

// The scripted answer for the call with this index; Ok once the script is used up.
DeviceState Next(const std::vector<DeviceState>& answers, int index)
{
    return static_cast<size_t>(index) < answers.size() ? answers[static_cast<size_t>(index)] : DeviceState::Ok;
}

} // namespace

// A recording device's own part: where it logs.
struct RenderDeviceState {
    Recording own;
    Recording* log = &recording;
};

namespace {

Recording& LogOf(const RenderDevice& device)
{
    return *device.NativeState()->log;
}

void Log(const RenderDevice& device, DrawCall call)
{
    LogOf(device).calls.push_back(std::move(call));
}

} // namespace

void RecordSeparately(RenderDevice& device)
{
    device.NativeState()->log = &device.NativeState()->own;
}

Recording& RecordingOf(const RenderDevice& device)
{
    return LogOf(device);
}

Recording& TheRecording()
{
    return recording;
}

void ResetRecording()
{
    Recording fresh;
    fresh.texturesAlive = recording.texturesAlive;
    fresh.texturesCreated = recording.texturesCreated;
    fresh.devicesCreated = recording.devicesCreated;
    recording = fresh;
}

int CharWidth(FontKind kind)
{
    return Known(kind) == FontKind::Heading ? 14 : 8;
}

int LineHeight(FontKind kind)
{
    return FontStyles[FontSlot(kind)].height;
}

std::vector<DrawCall> CallsOf(DrawCall::Kind kind)
{
    std::vector<DrawCall> found;
    std::copy_if(recording.calls.begin(), recording.calls.end(), std::back_inserter(found),
                 [kind](const DrawCall& call) { return call.kind == kind; });
    return found;
}

// --- RenderDevice -----------------------------------------------------------

RenderDevice::RenderDevice() : state(std::make_unique<RenderDeviceState>()) {}

RenderDevice::~RenderDevice() = default;


int RenderDevice::CreateSurface()
{
    screenWidth = setup.windowedWidth > 0 ? setup.windowedWidth : LogOf(*this).displayWidth;
    screenHeight = setup.windowedHeight > 0 ? setup.windowedHeight : LogOf(*this).displayHeight;
    ++LogOf(*this).devicesCreated;
    TheRecording().deviceLife.push_back("create " + std::to_string(setup.adapter));
    return 0;
}

int RenderDevice::MonitorDpi() const
{
    const auto& dpi = TheRecording().adapterDpi;
    const auto found = dpi.find(setup.adapter);
    return found != dpi.end() ? found->second : PlatformWindowDpi(setup.window);
}

// The log needs no window: the recording draws with or without Create.
bool RenderDevice::HasSurface() const
{
    return true;
}

void RenderDevice::SetRenderStates() {}
void RenderDevice::CreateFonts() {}
void RenderDevice::ReleaseBuffers() {}
void RenderDevice::ReleaseFonts() {}
void RenderDevice::ReleaseSurface() {}

long RenderDevice::BeginScene()
{
    return LogOf(*this).beginSceneResult;
}

long RenderDevice::EndScene()
{
    return LogOf(*this).endSceneResult;
}

// The recording draws the picture, so the frames record its quad.
bool RenderDevice::CopyPictureToBackBuffer()
{
    return false;
}

int RenderDevice::Present(const Rect* area)
{
    Log(*this, {DrawCall::Kind::Present, area ? *area : Rect{0, 0, screenWidth, screenHeight}, 0, {}, FontKind::Text, {}, 0});
    NotePresentResult(LogOf(*this).presentResult);
    return LogOf(*this).batchFails || LogOf(*this).presentResult != DeviceState::Ok ? 1 : 0;
}

DeviceState RenderDevice::TestCooperativeLevel()
{
    return Next(LogOf(*this).cooperativeLevels, LogOf(*this).cooperativeTests++);
}

DeviceState RenderDevice::ResetDevice()
{
    TheRecording().deviceLife.push_back("reset " + std::to_string(setup.adapter));
    return Next(LogOf(*this).resetResults, LogOf(*this).resets++);
}

void RenderDevice::Execute(const DrawList& list)
{
    for (const DrawCommand& command : list.Commands()) {
        switch (command.kind) {
        case DrawCommand::Kind::Clear: {
            const bool clipped = LogOf(*this).clip.right > LogOf(*this).clip.left;
            Log(*this, {DrawCall::Kind::Clear, clipped ? LogOf(*this).clip : Rect{0, 0, screenWidth, screenHeight},
                 Colour::Black, {}, FontKind::Text, {}, 0});
            break;
        }
        case DrawCommand::Kind::Clip:
            LogOf(*this).clip = command.rect;
            Log(*this, {DrawCall::Kind::Clip, LogOf(*this).clip, 0, {}, FontKind::Text, {}, 0});
            break;
        case DrawCommand::Kind::Quad:
        case DrawCommand::Kind::Panel: {
            const TextureRecord* texture =
                command.kind == DrawCommand::Kind::Panel ? PanelTexture(command.rect) : command.texture;
            std::string name = texture && texture->texture ? texture->texture->description : "none";
            Log(*this, {DrawCall::Kind::Quad, command.rect, command.colour, name, FontKind::Text, {}, 0,
                        command.sampling});
            break;
        }
        case DrawCommand::Kind::Text:
            Log(*this, {DrawCall::Kind::Text, command.rect, command.colour, {}, Known(command.font), command.text,
                 command.format});
            break;
        }
    }
}

int RenderDevice::SaveSnapshot(const std::string&)
{
    return 1; // nothing to read back
}

FontDescription RenderDevice::SelectFont(FontKind kind) const
{
    const FontStyle& style = FontStyles[FontSlot(kind)];
    const double scale = OverlayScale();
    return FontDescription{style.kind, Scaled(style.height, scale), style.weight, style.italic,
                           Scaled(CharWidth(kind), scale)};
}

void RenderDevice::MeasureText(FontKind kind, const std::string& text, Rect& rect) const
{
    if (text.empty())
        return; // the font measures nothing and leaves the rectangle
    // Like the D3DX fonts, a line break at the very end adds no line.
    size_t widest = 0, lines = 0, start = 0;
    while (start < text.size()) {
        size_t end = text.find("\r\n", start);
        if (end == std::string::npos)
            end = text.size();
        ++lines;
        widest = std::max(widest, end - start);
        start = end + 2;
    }
    const FontDescription font = SelectFont(kind);
    rect.right = rect.left + static_cast<int>(widest) * font.averageCharWidth;
    rect.bottom = rect.top + static_cast<int>(lines) * font.height;
}

// --- TextureRecord ----------------------------------------------------------

long TextureRecord::CreateFromFile(RenderDevice& device, const std::string& path, int requestedWidth, int requestedHeight,
                                   PictureDecodes* decodes)
{
    std::shared_ptr<const DecodedPicture> kept = decodes ? decodes->Find(path, requestedWidth, requestedHeight) : nullptr;
    if (!kept) {
        PictureInfo size;
        if (!ReadAcceptablePicture(path, size))
            return PictureRefused;
        ++LogOf(device).decodes;
        kept = std::make_shared<DecodedPicture>(DecodedPicture{size});
        if (decodes) decodes->Keep(path, requestedWidth, requestedHeight, kept);
    }
    texture = MakeTexture(LogOf(device), path);
    width = static_cast<int32_t>(kept->size.width);
    height = static_cast<int32_t>(kept->size.height);
    name = path;
    return 0;
}

long TextureRecord::CreateFromResource(RenderDevice& device, int resourceId, int, int)
{
    struct Artwork { int id, width, height; };
    static const Artwork artwork[] = {{139, 450, 65}, {159, 125, 140}, {162, 612, 85}};
    for (const Artwork& item : artwork) {
        if (item.id == resourceId) {
            texture = MakeTexture(LogOf(device), std::string(ResourceTextureName) + " " + std::to_string(resourceId));
            width = item.width;
            height = item.height;
            name = ResourceTextureName;
            return 0;
        }
    }
    return InvalidCall;
}

void RenderDevice::PrefetchPicture(const std::string& path, const DeviceSetup&)
{
    LogOf(*this).prefetched = path;
    LogOf(*this).devicesAtPrefetch = LogOf(*this).devicesCreated;
}

long TextureRecord::CreateFilled(RenderDevice& device, int requestedWidth, int requestedHeight)
{
    if (requestedWidth <= 0 || requestedHeight <= 0)
        return InvalidCall;
    texture = MakeTexture(LogOf(device), "panel " + std::to_string(requestedWidth) + "x" + std::to_string(requestedHeight));
    width = requestedWidth;
    height = requestedHeight;
    name.clear();
    return 0;
}

void TextureRecord::Release()
{
    if (!texture)
        return;
    --texture->log->texturesAlive;
    delete texture;
    texture = nullptr;
}
