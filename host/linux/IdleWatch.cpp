#include "host/linux/IdleWatch.h"

#include "platform/Platform.h"
#include "platform/linux/wayland/DesktopIdle.h"

#include <cerrno>
#include <csignal>
#include <cstdio>

#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr int ExitNoIdleSource = 3;
// How long a wait for news lasts before the watch looks at its saver and the signals again.
constexpr int WatchStepMs = 250;

// What a signal handler may set: the only state a handler can safely share.
volatile std::sig_atomic_t stopRequested = 0;

void RequestStop(int)
{
    stopRequested = 1;
}

// Without SA_RESTART: a signal ends the wait for news at once.
void CatchEndingSignals()
{
    struct sigaction action{};
    action.sa_handler = RequestStop;
    sigemptyset(&action.sa_mask);
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
}

// This program again, full screen; 0 when it couldn't start.
pid_t StartSaver(const std::vector<std::string>& saverArgs)
{
    const std::string program = PlatformModulePath();
    std::vector<std::string> words{program};
    words.insert(words.end(), saverArgs.begin(), saverArgs.end());
    words.push_back("-s");
    std::vector<char*> argv;
    for (std::string& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);
    const pid_t child = fork();
    if (child == 0) {
        signal(SIGTERM, SIG_DFL);
        signal(SIGINT, SIG_DFL);
        execv(program.c_str(), argv.data());
        std::fprintf(stderr, "zembria: can't start the saver %s\n", program.c_str());
        _exit(127);
    }
    if (child > 0) return child;
    std::fprintf(stderr, "zembria: can't start the saver\n");
    return 0; // the next idle time tries again
}

// Ends the saver as the desktop's own saver daemon would, and waits for it.
void EndSaver(pid_t child)
{
    kill(child, SIGTERM);
    while (waitpid(child, nullptr, 0) < 0 && errno == EINTR) {}
}

} // namespace

int RunIdleWatch(uint32_t idleSeconds, const std::vector<std::string>& saverArgs)
{
    CatchEndingSignals();
    DesktopIdle idle;
    std::string error;
    if (!idle.Open(idleSeconds * 1000u, error)) {
        std::fprintf(stderr,
                     "zembria: %s. Start \"zembria -s\" from the desktop's own idle daemon instead "
                     "(see WAYLAND in man zembria), or use xscreensaver on X11.\n",
                     error.c_str());
        return ExitNoIdleSource;
    }
    std::fprintf(stderr, "zembria: the saver starts after %u seconds idle (%s)\n", idleSeconds, idle.SourceName());
    pid_t saver = 0;
    while (!stopRequested) {
        const IdleNews news = idle.Wait(WatchStepMs);
        if (news == IdleNews::Lost) {
            std::fprintf(stderr, "zembria: the desktop's idle notification ended\n");
            if (saver > 0) EndSaver(saver);
            return 1;
        }
        if (saver > 0 && waitpid(saver, nullptr, WNOHANG) == saver) saver = 0;
        if (news == IdleNews::Idle && saver == 0) saver = StartSaver(saverArgs);
    }
    if (saver > 0) EndSaver(saver);
    return 0;
}
