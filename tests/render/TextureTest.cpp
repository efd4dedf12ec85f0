// Texture handles' load sequence and the picture header check.

#include "RecordingFixture.h"
#include "TestPictures.h"

#include "render/PictureHeader.h"
#include "render/TextureRecord.h"


using namespace testpictures;
using Textures = RecordingTest;

TEST_F(Textures, FileLoadNamesThePathAndKeepsTheSourceSize)
{
    std::string path = Write("a.jpg", JpegHeader(640, 480));
    TextureHandle handle;
    EXPECT_EQ(handle.LoadFile(path, W, H), 0);
    EXPECT_TRUE(handle.IsLoaded());
    EXPECT_EQ(handle.Name(), path);
    EXPECT_EQ(handle.record->width, 640);
    EXPECT_EQ(handle.record->height, 480);
}

TEST_F(Textures, FailedLoadReleasesTheOldTextureAndLeavesNoName)
{
    int alive = TheRecording().texturesAlive;
    TextureHandle handle;
    ASSERT_EQ(handle.LoadFile(Write("b.jpg", JpegHeader(800, 600)), W, H), 0);
    EXPECT_EQ(TheRecording().texturesAlive, alive + 1);

    EXPECT_NE(handle.LoadFile((Folder() / "missing.jpg").string(), W, H), 0);
    EXPECT_FALSE(handle.IsLoaded());
    EXPECT_EQ(handle.Name(), "");
    EXPECT_EQ(TheRecording().texturesAlive, alive) << "the old picture is gone even though the new one failed";
    ASSERT_NE(handle.record, nullptr);
    EXPECT_EQ(handle.record->texture, nullptr);

    handle.Draw(Rect{0, 0, 10, 10}, Colour::White);
    EXPECT_EQ(Calls().back().texture, "none");
}

TEST_F(Textures, ResourcesAreNamedOverlayLogo)
{
    TextureHandle bar, emblem;
    EXPECT_EQ(bar.LoadResource(162, 0, 0), 0);
    EXPECT_EQ(emblem.LoadResource(159, 0, 0), 0);
    EXPECT_EQ(bar.Name(), "OverlayLogo");
    EXPECT_EQ(emblem.Name(), "OverlayLogo");
    EXPECT_EQ(bar.record->width, 612);
    EXPECT_EQ(emblem.record->height, 140);
}

TEST_F(Textures, UnloadForgetsTheTexture)
{
    TextureHandle panel;
    ASSERT_EQ(panel.LoadFilled(300, 18), 0);
    EXPECT_EQ(panel.Name(), "");
    EXPECT_EQ(panel.Unload(), 0);
    EXPECT_FALSE(panel.IsLoaded());
    EXPECT_EQ(panel.record, nullptr);
}

TEST(PictureHeader, AcceptsOnlyWhatTheDecoderReadsWithinTheLimits)
{
    using jpegbytes::Oddity;
    EXPECT_TRUE(PictureSizeAcceptable(Write("ok.jpg", JpegHeader(10000, 10000))));
    EXPECT_TRUE(PictureSizeAcceptable(Write("wide.jpg", JpegHeader(16384, 100))));
    EXPECT_FALSE(PictureSizeAcceptable(Write("many.jpg", JpegHeader(12000, 9000))));
    EXPECT_FALSE(PictureSizeAcceptable(Write("side.jpg", JpegHeader(16385, 1))));
    // A reader of our own took these for unknown or small; the decoder doesn't.
    EXPECT_FALSE(PictureSizeAcceptable(Write("stray.jpg", JpegHeader(60000, 60000, Oddity::StrayByte))));
    EXPECT_FALSE(PictureSizeAcceptable(Write("stuffed.jpg", JpegHeader(60000, 60000, Oddity::StuffedPair))));
    EXPECT_FALSE(PictureSizeAcceptable(Write("bomb.png", PngHeader(0xFFFFFFFF, 0xFFFFFFFF))));
    EXPECT_FALSE(PictureSizeAcceptable(Write("text.txt", {'n', 'o'}))) << "what the check can't read is refused";
}

TEST_F(Textures, RefusedPictureIsAFailedLoad)
{
    TextureHandle handle;
    EXPECT_EQ(handle.LoadFile(Write("huge.jpg", JpegHeader(65535, 65535)), W, H), PictureRefused);
    EXPECT_FALSE(handle.IsLoaded());
}
