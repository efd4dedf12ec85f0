#include "render/TextureHandle.h"

#include "render/TextureRecord.h"

TextureHandle::TextureHandle(RenderDevice& device) : device(device) {}

TextureHandle::~TextureHandle()
{
    Unload();
}

// Every load first lets go of the old texture, so a failed load never leaves
// the previous picture behind.
TextureRecord& TextureHandle::Attach()
{
    Unload();
    ++changes;
    record = std::make_unique<TextureRecord>();
    return *record;
}

long TextureHandle::LoadFile(const std::string& path, int width, int height, PictureDecodes* decodes)
{
    long result = Attach().CreateFromFile(device, path, width, height, decodes);
    loaded = result == 0;
    return result;
}

long TextureHandle::LoadResource(int resourceId, int width, int height)
{
    long result = Attach().CreateFromResource(device, resourceId, width, height);
    loaded = result == 0;
    return result;
}

long TextureHandle::LoadFilled(int width, int height)
{
    long result = Attach().CreateFilled(device, width, height);
    loaded = result == 0;
    return result;
}

int TextureHandle::Unload()
{
    if (record) {
        ++changes;
        record->Release();
        record.reset();
    }
    loaded = false;
    return 0;
}

std::string TextureHandle::Name() const
{
    return loaded && record ? record->name : std::string();
}
