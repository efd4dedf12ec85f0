// The picture download: get-images.php into the cache folder. The body is
// gathered in a temporary file and only a whole, successful answer that the
// decoder reads as a sane JPEG replaces the picture, so neither a broken
// transfer nor a hostile one spoils a cached picture.

#include "service/PictureDownload.h"

#include "platform/FileName.h"
#include "platform/Paths.h"
#include "platform/PictureInfo.h"
#include "platform/ReplaceFile.h"
#include "platform/TempFile.h"
#include "service/RequestUrl.h"
#include "service/ServiceClient.h"

#include <cstdio>
#include <exception>

std::string PictureDirectoryPart(const std::string& directory)
{
    if (directory.empty())
        return std::string(".") + PathSeparator;
    if (directory.back() != PathSeparator)
        return directory + PathSeparator;
    return directory;
}

namespace {

// Runs the request into a new temporary file beside path and moves it over
// path; 0 when a whole answer with a success status arrived, reached the
// disk, and the decoder reads it as a JPEG within the size limits.
int FetchToFile(HttpSession* session, const std::string& url, const HttpLimits& limits, const std::string& path)
{
    std::string tempPath;
    FILE* file = nullptr;
    if (CreateTempFileFor(path, tempPath, file) != 0)
        return 1;
    HttpAnswer answer;
    const HttpChunkSink sink = [&](const char* data, size_t size) {
        return answer.status >= 200 && answer.status <= 299 && std::fwrite(data, 1, size, file) == size;
    };
    int result = 1;
    try {
        result = HttpGet(session, url, HttpBody::Binary, limits, sink, answer);
    } catch (const std::exception&) {
        // Out of memory and the like: a failed download, its file removed below.
    }
    const bool flushed = FlushToDisk(file) == 0;
    const bool closed = std::fclose(file) == 0;
    const bool success = answer.status >= 200 && answer.status <= 299;
    if (result == 0 && flushed && closed && success && IsAcceptableJpeg(tempPath) &&
        ReplaceFileWith(tempPath, path) == 0)
        return 0;
    std::remove(tempPath.c_str());
    return 1;
}

} // namespace

int ServiceClient::DownloadPicture(const std::string& fileName, const std::string& directory, int width,
                                   int height, KeyValueList& infoStore)
{
    try {
        const UrlValues values{host, language, login, code, width, height};
        const std::string url = EncodeRequestUrl(ExpandUrl(ImageTemplate, values) + "&sFileName=" + fileName);
        if (!connected)
            return 1;
        const std::string name = fileName.empty() ? DefaultPictureName : fileName;
        if (!IsPictureFileName(name))
            return 1;
        const std::string path = PictureDirectoryPart(directory) + name;
        infoStore.SetString("ImageFullPath", path, true);
        return FetchToFile(session, url, Limits(pictureCapBytes, pictureDeadlineMs), path);
    } catch (const std::exception&) {
        // Out of memory and the like: a failed download, not the end of the saver.
        return 1;
    }
}
