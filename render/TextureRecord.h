#pragma once
// One load of a texture: the platform's texture object with its name and the
// size of its source image. Created and owned by a TextureHandle; the create
// operations are the platform's.

#include <cstdint>
#include <string>

class PictureDecodes;
class RenderDevice;
struct NativeTexture; // IDirect3DTexture9 on Windows, the recording's record in the tests

class TextureRecord {
public:
    long CreateFromFile(RenderDevice& device, const std::string& path, int width, int height,
                        PictureDecodes* decodes);
    long CreateFromResource(RenderDevice& device, int resourceId, int width, int height);
    long CreateFilled(RenderDevice& device, int width, int height);
    // Lets go of the platform's texture; the handle that owns the record calls it.
    void Release();

    NativeTexture* texture = nullptr;
    std::string name;
    int32_t width = 0;
    int32_t height = 0;
};

// Name of every texture loaded from the module's resources.
inline constexpr const char* ResourceTextureName = "OverlayLogo";
