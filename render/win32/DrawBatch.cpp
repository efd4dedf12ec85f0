#include "render/win32/DrawBatch.h"

#include <cstring>

namespace {

bool IsEmpty(const RECT& rect)
{
    return rect.right <= rect.left || rect.bottom <= rect.top;
}

HRESULT EnsureCapacity(IDirect3DDevice9* device, IDirect3DVertexBuffer9*& buffer, UINT& bufferQuads, UINT quads)
{
    if (buffer && bufferQuads >= quads)
        return D3D_OK;
    if (buffer) {
        buffer->Release();
        buffer = nullptr;
    }
    UINT capacity = 64;
    while (capacity < quads)
        capacity *= 2;
    HRESULT result = device->CreateVertexBuffer(capacity * VerticesPerQuad * sizeof(QuadVertex),
                                                D3DUSAGE_DYNAMIC | D3DUSAGE_WRITEONLY | D3DUSAGE_SOFTWAREPROCESSING,
                                                QuadVertexFormat, D3DPOOL_DEFAULT, &buffer, nullptr);
    bufferQuads = SUCCEEDED(result) ? capacity : 0;
    return result;
}

// Stage 0's sampler: bilinear and clamped at the edges (so an enlarged
// bitmap's border doesn't blend with the opposite one), or the defaults.
void SetSampling(IDirect3DDevice9* device, bool linear)
{
    const DWORD filter = linear ? D3DTEXF_LINEAR : D3DTEXF_POINT;
    const DWORD address = linear ? D3DTADDRESS_CLAMP : D3DTADDRESS_WRAP;
    device->SetSamplerState(0, D3DSAMP_MINFILTER, filter);
    device->SetSamplerState(0, D3DSAMP_MAGFILTER, filter);
    device->SetSamplerState(0, D3DSAMP_ADDRESSU, address);
    device->SetSamplerState(0, D3DSAMP_ADDRESSV, address);
}

} // namespace

void DrawBatch::AddQuad(IDirect3DTexture9* texture, const QuadVertex (&corners)[4], bool linear)
{
    if (texture)
        texture->AddRef();
    commands.push_back(Command{Kind::Quad, texture, linear});
    for (int corner : {0, 1, 2, 0, 2, 3})
        vertices.push_back(corners[corner]);
}

void DrawBatch::AddClip(const RECT* area)
{
    commands.push_back(Command{Kind::Clip, nullptr, false, area ? *area : RECT{}});
}

void DrawBatch::AddClear()
{
    commands.push_back(Command{Kind::Clear});
}

HRESULT DrawBatch::Flush(IDirect3DDevice9* device, IDirect3DVertexBuffer9*& buffer, UINT& bufferQuads)
{
    const UINT quads = static_cast<UINT>(vertices.size() / VerticesPerQuad);
    bool quadsReady = quads == 0;
    if (quads > 0 && SUCCEEDED(EnsureCapacity(device, buffer, bufferQuads, quads))) {
        void* target = nullptr;
        const UINT bytes = static_cast<UINT>(vertices.size() * sizeof(QuadVertex));
        if (SUCCEEDED(buffer->Lock(0, bytes, &target, D3DLOCK_DISCARD))) {
            std::memcpy(target, vertices.data(), bytes);
            buffer->Unlock();
            quadsReady = true;
        }
    }

    if (quads > 0 && quadsReady) {
        device->SetFVF(QuadVertexFormat);
        device->SetStreamSource(0, buffer, 0, sizeof(QuadVertex));
    }
    UINT quad = 0;
    for (size_t i = 0; i < commands.size(); ++i) {
        const Command& command = commands[i];
        switch (command.kind) {
        case Kind::Quad: {
            // The run of quads with this texture and sampling: one call.
            size_t end = i + 1;
            while (end < commands.size() && commands[end].kind == Kind::Quad &&
                   commands[end].texture == command.texture && commands[end].linear == command.linear)
                ++end;
            const UINT count = static_cast<UINT>(end - i);
            if (quadsReady) {
                if (command.linear)
                    SetSampling(device, true);
                device->SetTexture(0, command.texture);
                device->DrawPrimitive(D3DPT_TRIANGLELIST, quad * VerticesPerQuad, count * 2);
                if (command.linear)
                    SetSampling(device, false);
            }
            quad += count;
            i = end - 1;
            break;
        }
        case Kind::Clip:
            clip = command.rect;
            device->SetRenderState(D3DRS_SCISSORTESTENABLE, IsEmpty(clip) ? FALSE : TRUE);
            if (!IsEmpty(clip))
                device->SetScissorRect(&clip);
            break;
        case Kind::Clear: {
            const D3DRECT area{clip.left, clip.top, clip.right, clip.bottom};
            device->Clear(IsEmpty(clip) ? 0 : 1, IsEmpty(clip) ? nullptr : &area, D3DCLEAR_TARGET,
                          D3DCOLOR_ARGB(0, 0, 0, 0), 1.0f, 0);
            break;
        }
        }
    }
    Drop();
    return quadsReady ? D3D_OK : D3DERR_INVALIDCALL;
}

void DrawBatch::Drop()
{
    for (Command& command : commands)
        if (command.texture)
            command.texture->Release();
    commands.clear();
    vertices.clear();
}
