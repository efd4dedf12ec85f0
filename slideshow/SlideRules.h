#pragma once
// The decisions of a slide-show step: which picture the service's answer
// asks for and where to take it from, and which cached picture comes next
// when the service can't be asked. The host carries them out.

#include "settings/KeyValueList.h"

#include <cstddef>
#include <string>
#include <vector>

// The file name at the end of a path; both separators count, since cached
// paths may be formed on either platform.
std::string LastPathComponent(const std::string& path);

// The service still shows the picture on screen: it names no picture, or
// exactly the file that is shown (a.jpg is not ba.jpg).
bool ServiceShowsSamePicture(const std::string& shownPath, const std::string& serviceName);

enum class PictureSource {
    Shown,    // the picture on screen stays
    Cache,    // load it from the cache; download it if that load fails
    Download, // fetch it from the service
};

struct PictureChoice {
    PictureSource source = PictureSource::Shown;
    std::string cachePath; // with Cache: the cached file
};

// What the step does with the service's answer in info: keep the picture on
// screen, take the named one from the cache (only when the answer allows it,
// the cache lists pictures, the name is a plain file name and the file is
// there), or download it.
PictureChoice ChooseServicePicture(const std::string& shownPath, const KeyValueList& info,
                                   const std::string& cacheDirectory, bool cacheListsPictures);

// The offline rotation over a list of count pictures from position (-1 for
// none, which starts again at the first): the entry to show (-1 when the
// list is empty) and the position after it (-1 after the last).
struct RotationStep {
    long index = -1;
    long next = -1;
};
RotationStep NextInRotation(size_t count, long position);

// Takes the pictures whose files were deleted out of the list; position then
// names the entry that was next before (-1 when none is left after it).
void DropDeletedPictures(std::vector<std::string>& list, long& position, const std::vector<std::string>& deletedNames);
