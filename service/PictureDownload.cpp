// The picture download: get-images.php into the cache folder. The body is
// gathered in a temporary file and only a whole, successful answer replaces
// the picture, so a broken transfer never spoils a cached one.

#include "service/PictureDownload.h"

#include "platform/FileName.h"
#include "platform/Paths.h"
#include "platform/ReplaceFile.h"
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

// Runs the request into the file at tempPath; 0 when a whole, non-empty
// answer with a success status was written and closed.
int FetchToFile(HttpSession* session, const std::string& url, const HttpLimits& limits,
                const std::string& tempPath)
{
    FILE* file = std::fopen(tempPath.c_str(), "wb");
    if (file == nullptr)
        return 1;
    HttpAnswer answer;
    const HttpChunkSink sink = [&](const char* data, size_t size) {
        return answer.status >= 200 && answer.status <= 299 && std::fwrite(data, 1, size, file) == size;
    };
    const int result = HttpGet(session, url, HttpFlags::Binary, limits, sink, answer);
    const bool closed = std::fclose(file) == 0;
    const bool success = answer.status >= 200 && answer.status <= 299;
    return result == 0 && closed && success && answer.bytes > 0 ? 0 : 1;
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
        if (!IsPlainFileName(name))
            return 1;
        const std::string directoryPart = PictureDirectoryPart(directory);
        const std::string path = directoryPart + name;
        infoStore.SetString("ImageFullPath", path, true);

        const std::string tempPath = directoryPart + DownloadTempName;
        if (FetchToFile(session, url, Limits(pictureCapBytes), tempPath) == 0 &&
            ReplaceFileWith(tempPath, path) == 0)
            return 0;
        std::remove(tempPath.c_str());
        return 1;
    } catch (const std::exception&) {
        // Out of memory and the like: a failed download, not the end of the saver.
        return 1;
    }
}
