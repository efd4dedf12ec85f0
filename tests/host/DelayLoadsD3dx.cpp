// A module that loads D3DX, which a stock Windows lacks, on first use: the
// import check must see it and refuse the module.

#include <d3dx9core.h>

int main()
{
    return D3DXCheckVersion(D3D_SDK_VERSION, D3DX_SDK_VERSION) ? 0 : 1;
}
