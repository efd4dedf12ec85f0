// The hacks' share of one cache folder: who leads, and the answer file the
// leader writes and the followers read.

#include "host/CacheShare.h"

#include "platform/FileName.h"
#include "platform/Paths.h"
#include "platform/ReplaceFile.h"
#include "platform/TempFile.h"
#include "service/InfoAnswer.h"

#include <cstdio>
#include <cstdlib>
#include <sstream>

namespace {

constexpr const char* AnswerHeader = "zembria-answer 1";

// One line per field: tabs and line ends inside a value are escaped.
std::string Escaped(const std::string& text)
{
    std::string out;
    for (char c : text) {
        switch (c) {
        case '\\': out += "\\\\"; break;
        case '\t': out += "\\t"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        default: out += c;
        }
    }
    return out;
}

std::string Unescaped(const std::string& text)
{
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            out += text[i];
            continue;
        }
        const char c = text[++i];
        out += c == 't' ? '\t' : c == 'n' ? '\n' : c == 'r' ? '\r' : c;
    }
    return out;
}

bool ReadNumber(const std::string& text, int64_t& number)
{
    char* end = nullptr;
    const long long value = std::strtoll(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0')
        return false;
    number = value;
    return true;
}

} // namespace

std::string FormatSharedAnswer(const SharedAnswer& answer)
{
    std::string text = std::string(AnswerHeader) + "\n";
    text += "picture\t" + Escaped(answer.picture) + "\n";
    text += "advanced\t" + std::to_string(answer.advanced) + "\n";
    text += "interval\t" + std::to_string(answer.refreshSeconds) + "\n";
    long index = 0;
    std::string key, value;
    while (answer.info.NextPair(index, key, value) == 0)
        text += "info\t" + Escaped(key) + "\t" + Escaped(value) + "\n";
    return text + "end\n"; // a file cut short never passes for a whole answer
}

int ParseSharedAnswer(const std::string& text, SharedAnswer& answer)
{
    std::istringstream lines(text);
    std::string line;
    if (!std::getline(lines, line) || line != AnswerHeader)
        return 1;
    SharedAnswer read;
    int64_t interval = 0;
    bool ended = false;
    while (std::getline(lines, line)) {
        const size_t tab = line.find('\t');
        const std::string field = line.substr(0, tab);
        const std::string rest = tab == std::string::npos ? std::string() : line.substr(tab + 1);
        if (field == "end") {
            ended = true;
            break;
        } else if (field == "picture") {
            // Only a plain name, as the service's own are: never a path out of the folder.
            read.picture = Unescaped(rest);
            if (!IsPictureFileName(read.picture))
                read.picture.clear();
        } else if (field == "advanced") {
            if (!ReadNumber(rest, read.advanced)) return 1;
        } else if (field == "interval") {
            if (!ReadNumber(rest, interval) || interval <= 0 || interval > 86400) return 1;
            read.refreshSeconds = static_cast<int32_t>(interval);
        } else if (field == "info") {
            const size_t split = rest.find('\t');
            if (split == std::string::npos) return 1;
            if (read.info.EntryCount() / 2 < MaxAnswerEntries)
                read.info.AddPair(Unescaped(rest.substr(0, split)).substr(0, MaxInfoValueBytes),
                                  Unescaped(rest.substr(split + 1)).substr(0, MaxInfoValueBytes));
        }
    }
    if (!ended || interval == 0)
        return 1;
    answer = read;
    return 0;
}

void CacheShare::UseLock(TryLock lockFile, Unlock unlockFile, ReadOwn readFile)
{
    tryLock = lockFile;
    unlock = unlockFile;
    readOwn = readFile;
}

ShareRole CacheShare::Join(const std::string& cacheFolder)
{
    if (role != ShareRole::Alone && cacheFolder == folder)
        return role;
    Leave();
    folder = cacheFolder;
    if (tryLock == nullptr || folder.empty())
        return role = ShareRole::Alone;
    return role = TakeLock();
}

bool CacheShare::TryLead()
{
    if (role == ShareRole::Follower)
        role = TakeLock();
    return role == ShareRole::Leader;
}

void CacheShare::Leave()
{
    if (handle >= 0 && unlock != nullptr)
        unlock(handle);
    handle = -1;
    role = ShareRole::Alone;
    lastRead.clear();
}

ShareRole CacheShare::TakeLock()
{
    std::string reason;
    switch (tryLock(JoinPath(folder, CacheLockName), handle, reason)) {
    case FileLockResult::Held: return ShareRole::Leader;
    case FileLockResult::Busy: return ShareRole::Follower;
    case FileLockResult::Unsupported: break;
    }
    if (!toldAlone) {
        std::fprintf(stderr,
                     "zembria: can't lock %s (%s): this saver talks to the service on its own, "
                     "beside any other on this cache folder\n",
                     folder.c_str(), reason.c_str());
        toldAlone = true;
    }
    return ShareRole::Alone;
}

int CacheShare::Publish(const SharedAnswer& answer)
{
    if (role != ShareRole::Leader)
        return 1;
    const std::string target = JoinPath(folder, CacheAnswerName);
    std::string temporary;
    std::FILE* file = nullptr;
    if (CreateTempFileFor(target, temporary, file) != 0)
        return 1;
    const std::string text = FormatSharedAnswer(answer);
    const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size() && FlushToDisk(file) == 0;
    const bool closed = std::fclose(file) == 0;
    if (written && closed && ReplaceFileWith(temporary, target) == 0)
        return 0;
    std::remove(temporary.c_str());
    return 1;
}

int CacheShare::ReadChanged(SharedAnswer& answer)
{
    if (readOwn == nullptr)
        return 1;
    const std::string path = JoinPath(folder, CacheAnswerName);
    std::string text, reason;
    const OwnFileRead read = readOwn(path, MaxAnswerBytes, text, reason);
    if (read == OwnFileRead::Absent)
        return 1; // the leader hasn't answered yet
    bool taken = read == OwnFileRead::Read;
    if (taken && text == lastRead)
        return 1;
    if (taken && ParseSharedAnswer(text, answer) != 0) {
        taken = false;
        reason = "not an answer of this saver";
    }
    lastRead = text; // one look at each version of the file
    if (taken)
        return 0;
    if (!toldRefused)
        std::fprintf(stderr, "zembria: ignoring %s (%s): this saver goes on showing what it shows\n", path.c_str(),
                     reason.c_str());
    toldRefused = true;
    return 1;
}
