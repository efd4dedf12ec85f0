#pragma once
// The draws of one scene, queued and carried out at its end: every quad's
// vertices go into the vertex buffer with one lock, and quads that follow
// each other with the same texture are drawn by one call. Texts, clip areas
// and clears keep their place in the order.

#include <d3d9.h>
#include <d3dx9.h>

#include <string>
#include <vector>

constexpr DWORD QuadVertexFormat = D3DFVF_XYZRHW | D3DFVF_DIFFUSE | D3DFVF_TEX1; // 0x144

struct QuadVertex {
    float x, y, z, rhw;
    D3DCOLOR diffuse;
    float u, v;
};
static_assert(sizeof(QuadVertex) == 28, "quad vertices are 28 bytes");

class DrawBatch {
public:
    DrawBatch() = default;
    ~DrawBatch() { Drop(); }
    DrawBatch(const DrawBatch&) = delete;
    DrawBatch& operator=(const DrawBatch&) = delete;

    // The texture is held until the batch is carried out, so a panel
    // released right after its draw still shows.
    void AddQuad(IDirect3DTexture9* texture, const QuadVertex (&corners)[4]);
    void AddText(ID3DXFont* font, const std::string& text, const RECT& rect, DWORD format, D3DCOLOR colour);
    // nullptr lifts the clip; a clear covers the clip area while one is set.
    void AddClip(const RECT* area);
    void AddClear();

    // Carries out and forgets what was queued. The buffer grows when the
    // batch doesn't fit it (it lives in the default pool). Texts that follow
    // each other go through the sprite in one run (nullptr: D3DX's own per text).
    HRESULT Flush(IDirect3DDevice9* device, IDirect3DVertexBuffer9*& buffer, UINT& bufferQuads,
                  ID3DXSprite* textSprite);
    // Forgets what was queued without drawing it.
    void Drop();
    bool Empty() const { return commands.empty(); }

private:
    enum class Kind { Quad, Text, Clip, Clear };
    struct Command {
        Kind kind;
        IDirect3DTexture9* texture = nullptr; // quads
        ID3DXFont* font = nullptr;            // texts
        std::string text;
        RECT rect{};                          // texts; clips (empty: none)
        DWORD format = 0;
        D3DCOLOR colour = 0;
    };
    std::vector<Command> commands;
    std::vector<QuadVertex> vertices; // six a quad, in the order of the quad commands
    RECT clip{};
};

// Vertices of a quad as two triangles of a list.
constexpr UINT VerticesPerQuad = 6;
