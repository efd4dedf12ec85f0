// The graphics check on Linux: the saver draws through SDL's renderers, so
// any renderer SDL finds is good enough; the Windows rule and message stay
// as they are and simply pass.

#include "host/DirectXCheck.h"

#include <SDL.h>

namespace {

bool RendererFound()
{
    return SDL_GetNumRenderDrivers() > 0;
}

} // namespace

long ReadDxDiagVersion(uint32_t& major, uint32_t& minor, char& letter)
{
    const bool found = RendererFound();
    major = found ? 9 : 0;
    minor = 0;
    letter = found ? 'c' : ' ';
    return found ? 0 : 1;
}

bool ReadSystemDirectory(std::string& directory)
{
    directory = "SDL";
    return RendererFound();
}

// Only the renderer itself is "installed": it stands for d3d9.dll.
long ReadFileVersion(const std::string& path, uint64_t* version)
{
    const std::string renderer = "\\d3d9.dll";
    if (!RendererFound() || path.size() < renderer.size() ||
        path.compare(path.size() - renderer.size(), renderer.size(), renderer) != 0)
        return 1;
    SDL_version linked;
    SDL_GetVersion(&linked);
    *version = FileVersion(linked.major, linked.minor, linked.patch, 0);
    return 0;
}

// Nothing is loaded at run time here: the renderer is linked in.
std::string LoadD3dx()
{
    return {};
}
