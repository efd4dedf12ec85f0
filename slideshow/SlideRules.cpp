#include "slideshow/SlideRules.h"

#include "platform/FileName.h"
#include "platform/Paths.h"
#include "slideshow/NativePath.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

std::string LastPathComponent(const std::string& path)
{
    const size_t separator = path.find_last_of("\\/");
    return separator == std::string::npos ? path : path.substr(separator + 1);
}

bool ServiceShowsSamePicture(const std::string& shownPath, const std::string& serviceName)
{
    return serviceName.empty() || LastPathComponent(shownPath) == serviceName;
}

namespace {

// Checked before a cache load: a load that fails takes the picture off the
// screen, and a download that then fails too would leave it blank.
bool IsFile(const std::string& path)
{
    std::error_code error;
    return std::filesystem::is_regular_file(PathFromText(path), error);
}

} // namespace

PictureChoice ChooseServicePicture(const std::string& shownPath, const KeyValueList& info,
                                   const std::string& cacheDirectory, bool cacheListsPictures)
{
    const std::string name = info.GetString("ImageFileName", "");
    if (ServiceShowsSamePicture(shownPath, name))
        return {PictureSource::Shown, {}};
    // Only a picture name can name a file in the cache, never one elsewhere.
    if (info.GetString("ImageFileCache", "no") == "yes" && cacheListsPictures && IsPictureFileName(name)) {
        std::string cached = JoinPath(cacheDirectory, name);
        if (IsFile(cached))
            return {PictureSource::Cache, cached};
    }
    return {PictureSource::Download, {}};
}

RotationStep NextInRotation(size_t count, long position)
{
    const long size = static_cast<long>(count);
    if (position < 0 || position >= size)
        position = size > 0 ? 0 : -1;
    if (position < 0)
        return {};
    return {position, position + 1 < size ? position + 1 : -1};
}

void DropDeletedPictures(std::vector<std::string>& list, long& position, const std::vector<std::string>& deletedNames)
{
    std::vector<std::string> kept;
    long next = -1;
    for (size_t i = 0; i < list.size(); ++i) {
        if (position >= 0 && static_cast<size_t>(position) == i)
            next = static_cast<long>(kept.size()); // this entry, or the first kept one after it
        const std::string name = LastPathComponent(list[i]);
        if (std::find(deletedNames.begin(), deletedNames.end(), name) == deletedNames.end())
            kept.push_back(list[i]);
    }
    list = std::move(kept);
    position = next >= 0 && static_cast<size_t>(next) < list.size() ? next : -1;
}
