#pragma once
// The monitors beyond the saver window's: a window of the saver's own on
// each, with the Direct3D adapter that drives that monitor.

#include "host/SaverContext.h"

#include <vector>

std::vector<FurtherScreen> OpenFurtherScreens(SaverContext& context);
void CloseFurtherScreens(SaverContext& context, const std::vector<WindowHandle>& windows);
