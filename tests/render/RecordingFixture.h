#pragma once
// A recording device at 1920x1080 with its three handles, a controller with
// empty stores drawing on it, and local time in UTC so clock texts are fixed.

#include "host/SaverApp.h"
#include "host/Screens.h"
#include "render/Overlay.h"
#include "render/RenderDevice.h"
#include "tests/support/RecordingDevice.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

class RecordingTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        setenv("TZ", "UTC", 1);
        tzset();
        ResetRecording();
        ASSERT_EQ(device.Create(DeviceSetup{}), 0);
        device.PrepareSurface();
        device.PrepareFonts();
        Calls().clear(); // the black screen the device starts with
    }
    void TearDown() override { device.Release(); }

    // Seconds since 1970 of today's local (UTC) time h:m:s on 2026-03-02.
    static int64_t At(int h, int m, int s) { return 1772409600 + h * 3600 + m * 60 + s; }

    static std::vector<DrawCall>& Calls() { return TheRecording().calls; }

    // The controller's frame at now, drawn whole through the recording device.
    void DrawWholeFrameAt(int64_t now)
    {
        Calls().clear();
        device.LastFrame().valid = false;
        app.screenRect = ScreenRect{0, 0, W, H};
        ComposeFrame(device, app.FrameContentAt(now));
    }

    // The texts and the quads that cover something of what was drawn, whose
    // top lies within [top, bottom).
    static std::vector<DrawCall> DrawnWithin(int top, int bottom)
    {
        std::vector<DrawCall> found;
        for (const DrawCall& call : Calls())
            if ((call.kind == DrawCall::Kind::Text ||
                 (call.kind == DrawCall::Kind::Quad && call.rect.right > call.rect.left)) &&
                call.rect.top >= top && call.rect.top < bottom)
                found.push_back(call);
        return found;
    }

    // What write puts into a draw list, carried out by the device; write's result.
    template <typename Write> auto Drawn(Write write)
    {
        DrawList list;
        auto result = write(list);
        device.Execute(list);
        return result;
    }

    static const int W = 1920;
    static const int H = 1080;
    Screens screens;
    RenderDevice& device = screens.First();
    SaverApp app{screens};
};

inline std::ostream& operator<<(std::ostream& out, const Rect& r)
{
    return out << "{" << r.left << "," << r.top << "," << r.right << "," << r.bottom << "}";
}
