#include "host/win32/DirectXCheck.h"

#include <cstdio>
#include <cstring>

namespace {

struct Probe {
    const char* file;
    uint64_t at4;      // at least this when the first number is 4 (or for every first number when at5 is 0)
    uint64_t at5;      // at least this when the first number is 5; 0 when the row has no such split
    DxVersion result;
};

constexpr uint64_t None = 0;

const Probe ProbeTable[] = {
    {"\\ddraw.dll", FileVersion(4, 2, 0, 95), None, {1, 0, ' '}},
    {"\\ddraw.dll", FileVersion(4, 3, 0, 1096), None, {2, 0, ' '}},
    {"\\ddraw.dll", FileVersion(4, 4, 0, 68), None, {3, 0, ' '}},
    {"\\d3drg8x.dll", FileVersion(4, 4, 0, 70), None, {3, 0, 'a'}},
    {"\\ddraw.dll", FileVersion(4, 5, 0, 155), None, {5, 0, ' '}},
    {"\\ddraw.dll", FileVersion(4, 6, 0, 318), None, {6, 0, ' '}},
    {"\\ddraw.dll", FileVersion(4, 6, 0, 436), None, {6, 1, ' '}},
    {"\\dplayx.dll", FileVersion(4, 6, 3, 518), None, {6, 1, 'a'}},
    {"\\ddraw.dll", FileVersion(4, 7, 0, 700), None, {7, 0, ' '}},
    {"\\dinput.dll", FileVersion(4, 7, 0, 716), None, {7, 0, 'a'}},
    {"\\ddraw.dll", FileVersion(4, 8, 0, 400), FileVersion(5, 1, 2258, 400), {8, 0, ' '}},
    {"\\d3d8.dll", FileVersion(4, 8, 1, 881), FileVersion(5, 1, 2600, 881), {8, 1, ' '}},
    {"\\d3d8.dll", FileVersion(4, 8, 1, 901), FileVersion(5, 1, 2600, 901), {8, 1, 'a'}},
    {"\\mpg2splt.ax", FileVersion(6, 3, 1, 885), None, {8, 1, 'b'}},
    {"\\dpnet.dll", FileVersion(4, 9, 0, 134), FileVersion(5, 2, 3677, 134), {8, 2, ' '}},
};

bool Matches(const Probe& probe, uint64_t version)
{
    if (probe.at5 == None) return CompareVersion(version, probe.at4) >= 0;
    uint64_t first = version >> 48;
    if (first == 4) return CompareVersion(version, probe.at4) >= 0;
    if (first == 5) return CompareVersion(version, probe.at5) >= 0;
    return false;
}

} // namespace

int CompareVersion(uint64_t a, uint64_t b)
{
    uint32_t aHigh = static_cast<uint32_t>(a >> 32), bHigh = static_cast<uint32_t>(b >> 32);
    if (aHigh != bHigh) return aHigh > bHigh ? 1 : -1;
    uint32_t aLow = static_cast<uint32_t>(a), bLow = static_cast<uint32_t>(b);
    if (aLow != bLow) return aLow > bLow ? 1 : -1;
    return 0;
}

DxVersion VersionFromFiles(const FileVersionLookup& lookup)
{
    DxVersion result;
    uint64_t version = 0;
    for (const Probe& probe : ProbeTable)
        if (lookup(probe.file, version) && Matches(probe, version)) result = probe.result;
    if (lookup("\\d3d9.dll", version)) result = {9, 0, ' '};
    return result;
}

bool DxDiagTooOld(const DxVersion& version)
{
    return version.major < 9 || (version.major == 9 && static_cast<signed char>(version.letter) < 'c');
}

std::string DirectXMessage(const DxVersion& version)
{
    char text[160];
    std::snprintf(text, sizeof text,
                  "DirectX 9.0c or higher required (%u.%u%c detected).\r\nApplication will NOT be terminated - Good Luck!",
                  version.major, version.minor, version.letter);
    return text;
}

bool DirectXAcceptable(const DxVersion& dxDiag, const std::function<DxVersion()>& fromFiles, DxVersion& shown)
{
    shown = dxDiag;
    if (DxDiagTooOld(dxDiag)) return false;
    shown = fromFiles(); // the files know no letter for 9, so only the major counts
    return shown.major >= 9;
}

namespace {

// The probe table over the system folder's files; d3d9.dll counts only when
// the caller says it may.
DxVersion SystemFilesVersion(bool direct3d9Counts)
{
    std::string system;
    if (!ReadSystemDirectory(system)) return {};
    return VersionFromFiles([&system, direct3d9Counts](const char* fileName, uint64_t& version) {
        if (!direct3d9Counts && std::strcmp(fileName, "\\d3d9.dll") == 0) return false;
        return ReadFileVersion(system + fileName, &version) == 0;
    });
}

} // namespace

long ReadFileVersionDx(uint32_t& major, uint32_t& minor, char& letter)
{
    const DxVersion result = SystemFilesVersion(true);
    major = result.major;
    minor = result.minor;
    letter = result.letter;
    return 0;
}

DxVersion ProbeLibraries()
{
    return SystemFilesVersion(LoadDirect3d9());
}

DxVersion ProbeDxDiag()
{
    DxVersion dxDiag;
    ReadDxDiagVersion(dxDiag.major, dxDiag.minor, dxDiag.letter);
    return dxDiag;
}

bool LibrariesFail(const DxVersion& libraries)
{
    return libraries.major < 9;
}

std::string DirectXProblemOf(const DxVersion& dxDiag, const DxVersion& libraries)
{
    DxVersion shown;
    if (DirectXAcceptable(dxDiag, [&libraries] { return libraries; }, shown)) return {};
    return DirectXMessage(shown);
}
