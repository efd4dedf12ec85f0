#pragma once
// Before the device is created: is DirectX 9.0c or later installed? The
// version comes from the platform's diagnostics (DxDiag), confirmed by the
// file versions of the DirectX system libraries. The rule, the message and
// the probe table are plain code, tested natively; the probes are Windows'
// (DirectXProbe.cpp) or the recording platform's.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

struct DisplayAdapters; // platform/win32/Direct3d.h

struct DxVersion {
    uint32_t major = 0;
    uint32_t minor = 0;
    char letter = ' ';
};

// File versions: dwFileVersionMS in the upper, dwFileVersionLS in the lower 32 bits.
constexpr uint64_t FileVersion(uint16_t a, uint16_t b, uint16_t c, uint16_t d)
{
    return (static_cast<uint64_t>(a) << 48) | (static_cast<uint64_t>(b) << 32) | (static_cast<uint64_t>(c) << 16) | d;
}

// 1, 0 or -1 as a is above, equal to or below b; high double words first, unsigned.
int CompareVersion(uint64_t a, uint64_t b);

// Reads a DirectX library's version by its name ("\\ddraw.dll"); false when it has none.
using FileVersionLookup = std::function<bool(const char* fileName, uint64_t& version)>;

// The probe table: the last matching row wins; d3d9.dll with a version means 9.0.
DxVersion VersionFromFiles(const FileVersionLookup& lookup);

// Whether DxDiag's version is below 9.0c (the letter compared as a signed character).
bool DxDiagTooOld(const DxVersion& version);

std::string DirectXMessage(const DxVersion& version);
inline constexpr const char* DirectXCaption = "Wrong DirectX version";

// The decision: true when the saver may go on; otherwise shown holds the
// version to report, from DxDiag or, when that passed, from the files.
bool DirectXAcceptable(const DxVersion& dxDiag, const std::function<DxVersion()>& fromFiles, DxVersion& shown);

// The check's two parts, which may run side by side on helper threads (they
// show nothing): the system libraries answer in moments, DxDiag takes about
// a second. The libraries' version counts d3d9.dll only when it also loads
// from the system folder, since the device needs it from there.
DxVersion ProbeLibraries();
DxVersion ProbeDxDiag();
// Whether the libraries fail the check whatever DxDiag says.
bool LibrariesFail(const DxVersion& libraries);
// The decision over both parts: the message for the user when DirectX is
// too old, else empty.
std::string DirectXProblemOf(const DxVersion& dxDiag, const DxVersion& libraries);

// What the probes answer when they fail: the values of E_FAIL, E_INVALIDARG
// and E_OUTOFMEMORY.
namespace ProbeStatus {
constexpr long Fail = static_cast<int32_t>(0x80004005u);
constexpr long InvalidArg = static_cast<int32_t>(0x80070057u);
constexpr long OutOfMemory = static_cast<int32_t>(0x8007000Eu);
} // namespace ProbeStatus

// Supplied per platform.
long ReadDxDiagVersion(uint32_t& major, uint32_t& minor, char& letter);
long ReadFileVersion(const std::string& path, uint64_t* version);
bool ReadSystemDirectory(std::string& directory);
// Whether d3d9.dll loads from the system folder.
bool LoadDirect3d9();
// The saver's one Direct3D object; none when it can't be had.
std::shared_ptr<DisplayAdapters> OpenDirect3d();

// The probe table over the system directory's files; always writes all three values.
long ReadFileVersionDx(uint32_t& major, uint32_t& minor, char& letter);
