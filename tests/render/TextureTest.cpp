// Texture handles' load sequence and the picture header check.

#include "RecordingFixture.h"
#include "TestPictures.h"

#include "tests/support/ManyScanJpeg.h"

#include "platform/JpegScans.h"
#include "render/PictureHeader.h"
#include "render/TextureRecord.h"

#include <algorithm>
#include <array>
#include <sstream>

using namespace testpictures;
using Textures = RecordingTest;

TEST_F(Textures, FileLoadNamesThePathAndKeepsTheSourceSize)
{
    std::string path = Write("a.jpg", JpegHeader(640, 480));
    TextureHandle handle(device);
    EXPECT_EQ(handle.LoadFile(path, W, H), 0);
    EXPECT_TRUE(handle.IsLoaded());
    EXPECT_EQ(handle.Name(), path);
    EXPECT_EQ(handle.Record()->width, 640);
    EXPECT_EQ(handle.Record()->height, 480);
}

TEST_F(Textures, FailedLoadReleasesTheOldTextureAndLeavesNoName)
{
    int alive = TheRecording().texturesAlive;
    TextureHandle handle(device);
    ASSERT_EQ(handle.LoadFile(Write("b.jpg", JpegHeader(800, 600)), W, H), 0);
    EXPECT_EQ(TheRecording().texturesAlive, alive + 1);

    EXPECT_NE(handle.LoadFile((Folder() / "missing.jpg").string(), W, H), 0);
    EXPECT_FALSE(handle.IsLoaded());
    EXPECT_EQ(handle.Name(), "");
    EXPECT_EQ(TheRecording().texturesAlive, alive) << "the old picture is gone even though the new one failed";
    ASSERT_NE(handle.Record(), nullptr);
    EXPECT_EQ(handle.Record()->texture, nullptr);

    Drawn([&handle](DrawList& list) { list.AddQuad(handle, Rect{0, 0, 10, 10}, Colour::White); return 0; });
    EXPECT_EQ(Calls().back().texture, "none");
}

TEST_F(Textures, ResourcesAreNamedOverlayLogo)
{
    TextureHandle bar(device), emblem(device);
    EXPECT_EQ(bar.LoadResource(162, 0, 0), 0);
    EXPECT_EQ(emblem.LoadResource(159, 0, 0), 0);
    EXPECT_EQ(bar.Name(), "OverlayLogo");
    EXPECT_EQ(emblem.Name(), "OverlayLogo");
    EXPECT_EQ(bar.Record()->width, 612);
    EXPECT_EQ(emblem.Record()->height, 140);
}

TEST_F(Textures, UnloadForgetsTheTexture)
{
    TextureHandle panel(device);
    ASSERT_EQ(panel.LoadFilled(300, 18), 0);
    EXPECT_EQ(panel.Name(), "");
    EXPECT_EQ(panel.Unload(), 0);
    EXPECT_FALSE(panel.IsLoaded());
    EXPECT_EQ(panel.Record(), nullptr);
}

TEST(PictureHeader, AcceptsOnlyWhatTheDecoderReadsWithinTheLimits)
{
    static constexpr std::array<unsigned char, 2> FrameMarker{0xFF, 0xC0};
    using jpegbytes::Oddity;
    EXPECT_TRUE(PictureAcceptable(Write("ok.jpg", JpegHeader(10000, 10000))));
    EXPECT_TRUE(PictureAcceptable(Write("wide.jpg", JpegHeader(16384, 100))));
    EXPECT_FALSE(PictureAcceptable(Write("many.jpg", JpegHeader(12000, 9000))));
    EXPECT_FALSE(PictureAcceptable(Write("side.jpg", JpegHeader(16385, 1))));
    // A reader of our own took these for unknown or small; the decoder doesn't.
    EXPECT_FALSE(PictureAcceptable(Write("stray.jpg", JpegHeader(60000, 60000, Oddity::StrayByte))));
    EXPECT_FALSE(PictureAcceptable(Write("stuffed.jpg", JpegHeader(60000, 60000, Oddity::StuffedPair))));
    // The decoder reads the first frame header; a larger one behind it still counts.
    std::vector<unsigned char> twoFrames = JpegHeader(100, 100);
    const std::vector<unsigned char> large = JpegHeader(60000, 60000);
    const auto frameAt = [](const std::vector<unsigned char>& bytes) {
        return std::search(bytes.begin(), bytes.end(), FrameMarker.begin(), FrameMarker.end()) - bytes.begin();
    };
    twoFrames.insert(twoFrames.begin() + frameAt(twoFrames) + 13, large.begin() + frameAt(large),
                     large.begin() + frameAt(large) + 13);
    EXPECT_FALSE(PictureAcceptable(Write("two.jpg", twoFrames)));
    EXPECT_FALSE(PictureAcceptable(Write("later.jpg", JpegHeader(100, 0)))) << "a height given later is not read";
    EXPECT_FALSE(PictureAcceptable(Write("bomb.png", PngHeader(0xFFFFFFFF, 0xFFFFFFFF))));
    EXPECT_FALSE(PictureAcceptable(Write("text.txt", {'n', 'o'}))) << "what the check can't read is refused";
}

// The scan walk counts what the decoder would meet: not markers inside
// segments, nor restart markers or FF 00 pairs in scan data read as segments.
TEST(PictureHeader, RefusesProgressiveJpegsOfTooManyScans)
{
    using jpegbytes::RepeatSmallestScan;
    const std::vector<unsigned char> baseline = jpegbytes::EncodedJpeg(64, 48, false);
    const std::vector<unsigned char> progressive = jpegbytes::EncodedJpeg(64, 48, true);
    const std::vector<unsigned char> many = RepeatSmallestScan(progressive, 290);
    // A thumbnail-like segment full of start-of-scan markers, after the start of image.
    std::vector<unsigned char> thumbnail(baseline.begin(), baseline.begin() + 2);
    thumbnail.insert(thumbnail.end(), {0xFF, 0xE1, 0x01, 0xE2});
    for (int i = 0; i < 120; ++i)
        thumbnail.insert(thumbnail.end(), {0xFF, 0xDA, 0x00, 0x02});
    thumbnail.insert(thumbnail.end(), baseline.begin() + 2, baseline.end());
    // A restart and a stuffed pair, each followed by what reads as a long length.
    const std::vector<unsigned char> hiding = {0xFF, 0xD3, 0x7F, 0xFF, 0xFF, 0x00, 0x7F, 0xFF};

    struct Case {
        const char* name;
        std::vector<unsigned char> bytes;
        int scans;
        bool accepted;
    };
    const Case cases[] = {
        {"baseline", baseline, 1, true},
        {"progressive", progressive, 10, true},
        {"markers inside a segment", thumbnail, 1, true},
        {"at the limit", RepeatSmallestScan(progressive, 90), 100, true},
        {"one over the limit", RepeatSmallestScan(progressive, 91), 101, false},
        {"counting stops past the limit", many, 101, false},
        {"hidden behind restarts and stuffing", RepeatSmallestScan(progressive, 290, hiding), 101, false},
        {"cut short", std::vector<unsigned char>(many.begin(), many.begin() + many.size() * 2 / 3), 101, false},
        {"garbage after the start", {0xFF, 0xD8, 0xFF, 0xDA, 0x7F}, 1, false},
        {"no jpeg", {'n', 'o'}, 0, false},
    };
    for (const Case& c : cases) {
        std::stringbuf bytes(std::string(c.bytes.begin(), c.bytes.end()));
        EXPECT_EQ(CountJpegScans(bytes, MaxPictureScans), c.scans) << c.name;
        EXPECT_EQ(PictureAcceptable(Write("scans.jpg", c.bytes)), c.accepted) << c.name;
        EXPECT_EQ(IsAcceptableJpeg(Write("scans.jpg", c.bytes)), c.accepted) << c.name;
    }
}

TEST_F(Textures, RefusedPictureIsAFailedLoad)
{
    TextureHandle handle(device);
    EXPECT_EQ(handle.LoadFile(Write("huge.jpg", JpegHeader(65535, 65535)), W, H), PictureRefused);
    EXPECT_FALSE(handle.IsLoaded());
}
