#pragma once
// The demo service's pictures, drawn here and encoded with TurboJPEG, so no
// picture comes from elsewhere: full-HD scenes that differ at a glance.

#include <string>
#include <vector>

constexpr int DemoPictureWidth = 1920;
constexpr int DemoPictureHeight = 1080;
constexpr int DemoPictureCount = 6;

// The JPEG bytes of demo picture number index (0 to DemoPictureCount - 1).
std::vector<unsigned char> DemoPictureJpeg(int index);

// Writes the demo pictures as demo-1.jpg, demo-2.jpg ... into folder.
// 0 when all were written.
int WriteDemoPictures(const std::string& folder);
