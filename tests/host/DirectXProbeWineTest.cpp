// The DirectX probes on a real Windows (wine): DxDiag's version and the
// system libraries' file versions.

#include "host/GraphicsCheck.h"
#include "host/SaverContext.h"
#include "host/win32/DirectXCheck.h"
#include "platform/Platform.h"

#include <gtest/gtest.h>

TEST(DirectXProbe, DxDiagReportsNineC)
{
    uint32_t major = 77, minor = 77;
    char letter = '?';
    ASSERT_EQ(ReadDxDiagVersion(major, minor, letter), 0);
    EXPECT_EQ(major, 9u);
    EXPECT_EQ(minor, 0u);
    EXPECT_EQ(letter, 'c');
}

TEST(DirectXProbe, FileVersions)
{
    std::string system;
    ASSERT_TRUE(ReadSystemDirectory(system));
    uint64_t version = 0;
    EXPECT_EQ(ReadFileVersion(system + "\\d3d9.dll", &version), 0);
    EXPECT_NE(version, 0u);
    EXPECT_EQ(ReadFileVersion(system + "\\no-such-library.dll", &version), ProbeStatus::Fail);
    EXPECT_EQ(ReadFileVersion("", &version), ProbeStatus::InvalidArg);
    EXPECT_EQ(ReadFileVersion(system + "\\d3d9.dll", nullptr), ProbeStatus::InvalidArg);

    uint32_t major = 0, minor = 7;
    char letter = '?';
    EXPECT_EQ(ReadFileVersionDx(major, minor, letter), 0);
    EXPECT_EQ(major, 9u);
    EXPECT_EQ(minor, 0u);
    EXPECT_EQ(letter, ' ');
}

TEST(DirectXProbe, CheckPassesWithoutAMessage)
{
    SaverContext context;
    EXPECT_TRUE(FinishGraphicsCheck(context, BeginGraphicsCheck(context)).acceptable);
}
