#pragma once
// The draws of one scene, queued and carried out at its end: every quad's
// vertices go into the vertex buffer with one lock, and quads that follow
// each other with the same texture are drawn by one call. Clip areas and
// clears keep their place in the order.

#include <d3d9.h>

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
    // released right after its draw still shows. A linear quad is sampled
    // bilinearly (a bitmap enlarged), the others texel for texel.
    void AddQuad(IDirect3DTexture9* texture, const QuadVertex (&corners)[4], bool linear = false);
    // nullptr lifts the clip; a clear covers the clip area while one is set.
    void AddClip(const RECT* area);
    void AddClear();

    // Carries out and forgets what was queued. The buffer grows when the
    // batch doesn't fit it (it lives in the default pool).
    HRESULT Flush(IDirect3DDevice9* device, IDirect3DVertexBuffer9*& buffer, UINT& bufferQuads);
    // Forgets what was queued without drawing it.
    void Drop();
    bool Empty() const { return commands.empty(); }

private:
    enum class Kind { Quad, Clip, Clear };
    struct Command {
        Kind kind;
        IDirect3DTexture9* texture = nullptr; // quads
        bool linear = false;                  // quads
        RECT rect{};                          // clips (empty: none)
    };
    std::vector<Command> commands;
    std::vector<QuadVertex> vertices; // six a quad, in the order of the quad commands
    RECT clip{};
};

// Vertices of a quad as two triangles of a list.
constexpr UINT VerticesPerQuad = 6;
