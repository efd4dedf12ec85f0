#pragma once
// The Windows Imaging Component, which every Windows since Vista has: it
// reads picture headers, decodes and scales pictures and bitmaps, and writes
// the snapshot's PNG. It is reached through COM, so each thread that uses it
// opens an apartment first.

#include <windows.h>
#include <wincodec.h>
#include <wrl/client.h>

#include <string>
#include <vector>

using Microsoft::WRL::ComPtr;

// A COM apartment for the calling thread while this lives. A thread that
// already has one keeps it, whatever its model.
class ComApartment {
public:
    explicit ComApartment(DWORD model = COINIT_MULTITHREADED);
    ~ComApartment();
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

private:
    bool opened = false;
};

// A path in the ANSI code page as the wide name WIC takes; empty when it isn't one.
std::wstring WidePath(const char* path);

// WIC's factory, or nullptr when WIC can't be made. Needs an apartment.
ComPtr<IWICImagingFactory> CreateWicFactory();

// The first frame of the file's image as WIC's decoder for its format reads
// it, and that format (GUID_ContainerFormatJpeg, ...) when asked.
HRESULT OpenImageFrame(IWICImagingFactory* factory, const char* path, ComPtr<IWICBitmapFrameDecode>& frame,
                       GUID* format = nullptr);

// Writes rows of 24-bit BGR, top row first, as an image file of the
// container format (GUID_ContainerFormatPng, ...). Needs an apartment; a
// file that can't be written whole is removed.
HRESULT WriteImageFile(IWICImagingFactory* factory, const char* path, REFGUID container, UINT width, UINT height,
                       const std::vector<BYTE>& bgrRows);

// A decoder's own scaled decoding (IWICBitmapSourceTransform), which
// mingw-w64's wincodec.h does not declare.
MIDL_INTERFACE("3B16811B-6A43-4ec9-B713-3D5A0C13B940")
WicSourceTransform : public IUnknown {
    virtual HRESULT STDMETHODCALLTYPE CopyPixels(const WICRect* rect, UINT width, UINT height,
                                                 WICPixelFormatGUID* format, WICBitmapTransformOptions transform,
                                                 UINT stride, UINT bufferSize, BYTE* buffer) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetClosestSize(UINT* width, UINT* height) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetClosestPixelFormat(WICPixelFormatGUID* format) = 0;
    virtual HRESULT STDMETHODCALLTYPE DoesSupportTransform(WICBitmapTransformOptions transform, BOOL* supported) = 0;
};
__CRT_UUID_DECL(WicSourceTransform, 0x3b16811b, 0x6a43, 0x4ec9, 0xb7, 0x13, 0x3d, 0x5a, 0x0c, 0x13, 0xb9, 0x40)

// Windows 10's best scaling filter; older systems refuse it and take Fant.
constexpr WICBitmapInterpolationMode WicHighQualityCubic = static_cast<WICBitmapInterpolationMode>(4);
