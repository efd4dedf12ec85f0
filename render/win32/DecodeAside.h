#pragma once
// Pictures decode on a helper thread, each in its own COM apartment, while
// the window's thread waits for them and keeps looking for input: a decode
// of a large picture must not keep the saver from closing. Only the texture
// fill that follows runs on the window's thread, the device's own.

#include "render/win32/WicImage.h"

#include <functional>
#include <string>

class RenderDevice;

// 0 with the image in image, else the decode's failure; E_ABORT when input
// came during the wait (the decode then finishes alone and is dropped).
long DecodeAside(const RenderDevice& device, std::function<DecodedImage()> decode, DecodedImage& image);

// The picture file after the picture checks (PictureRefused when they
// refuse it), taken from the decode PrefetchPicture began when it was
// for the same file and size, else decoded now.
long DecodeFileAside(RenderDevice& device, const std::string& path, int width, int height, DecodedImage& image);
