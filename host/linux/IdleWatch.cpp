#include "host/linux/IdleWatch.h"

#include "host/linux/SessionDisplay.h"
#include "platform/Platform.h"
#include "platform/linux/wayland/DesktopIdle.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>

#include <fcntl.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

namespace {

constexpr int ExitNoIdleSource = 3;
// How long a wait for news lasts before the watch looks at its saver and the signals again.
constexpr int WatchStepMs = 250;
// A user unit may start before the compositor made its socket. Past this the
// watch ends, and the unit's restart starts it in the user manager's newer
// environment, which may name the display by then.
constexpr auto DisplayWait = std::chrono::seconds(60);

// What a signal handler may set: the only state a handler can safely share.
volatile std::sig_atomic_t stopRequested = 0;

void RequestStop(int)
{
    stopRequested = 1;
}

// Without SA_RESTART: a signal ends the wait for news at once.
void SetAction(int signal, void (*handler)(int))
{
    struct sigaction action{};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    sigaction(signal, &action, nullptr);
}

sigset_t EndingSignals()
{
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGTERM);
    sigaddset(&signals, SIGINT);
    return signals;
}

// Whatever the session's starter handed down: an ignored SIGCHLD reaps the
// saver unasked, so waitpid fails and the watch would wait for it for ever.
void TakeSignals()
{
    SetAction(SIGCHLD, SIG_DFL);
    SetAction(SIGTERM, RequestStop);
    SetAction(SIGINT, RequestStop);
    sigset_t signals = EndingSignals();
    sigaddset(&signals, SIGCHLD);
    pthread_sigmask(SIG_UNBLOCK, &signals, nullptr);
}

// Starts the saver from the binary this watch started as: a package upgrade
// renames a new one over its path, and the kernel keeps the old one for the
// descriptor. Everything the child needs is made before fork; the child
// (of a process with the idle source's threads) calls only async-signal-safe
// functions until exec.
class SaverStarter {
public:
    explicit SaverStarter(const std::vector<std::string>& saverArgs)
        : program(open("/proc/self/exe", O_PATH | O_CLOEXEC)), openError(errno), words{PlatformModulePath()}
    {
        if (words[0].empty()) words[0] = "zembria";
        words.insert(words.end(), saverArgs.begin(), saverArgs.end());
        words.push_back("-s");
        failure = "zembria: can't start the saver " + words[0] + "\n";
    }
    ~SaverStarter()
    {
        if (program >= 0) close(program);
    }
    SaverStarter(const SaverStarter&) = delete;
    SaverStarter& operator=(const SaverStarter&) = delete;

    // Empty when it can start savers, else why not.
    std::string Problem() const { return program >= 0 ? std::string() : std::strerror(openError); }

    // The saver's process, or 0 when it couldn't start (the next idle time tries again).
    pid_t Start()
    {
        std::vector<char*> argv;
        for (std::string& word : words) argv.push_back(word.data());
        argv.push_back(nullptr);
        // Held over fork: a stop before the child's exec must end the child,
        // not set its copy of the flag and let it run on as the saver.
        const sigset_t ending = EndingSignals();
        sigset_t before;
        pthread_sigmask(SIG_BLOCK, &ending, &before);
        const pid_t child = fork();
        if (child == 0) {
            SetAction(SIGTERM, SIG_DFL);
            SetAction(SIGINT, SIG_DFL);
            sigprocmask(SIG_SETMASK, &before, nullptr);
            fexecve(program, argv.data(), environ);
            if (write(STDERR_FILENO, failure.data(), failure.size()) < 0) {}
            _exit(127);
        }
        const int forkError = errno;
        pthread_sigmask(SIG_SETMASK, &before, nullptr);
        if (child > 0) return child;
        std::fprintf(stderr, "zembria: can't start the saver (%s)\n", std::strerror(forkError));
        return 0;
    }

private:
    int program;
    int openError;
    std::vector<std::string> words;
    std::string failure;
};

// True once the display is there; false when it didn't come in time or a
// signal asked the watch to stop.
bool WaitForDisplay()
{
    std::string missing;
    if (SessionDisplayThere(missing)) return true;
    std::fprintf(stderr, "zembria: waiting for the desktop's display (%s)\n", missing.c_str());
    const auto end = std::chrono::steady_clock::now() + DisplayWait;
    while (!stopRequested && std::chrono::steady_clock::now() < end) {
        const timespec step{0, WatchStepMs * 1000000L};
        nanosleep(&step, nullptr);
        if (SessionDisplayThere(missing)) return true;
    }
    if (!stopRequested)
        std::fprintf(stderr, "zembria: the desktop's display did not come (%s)\n", missing.c_str());
    return false;
}

// Whether the saver ended (and was reaped) since the last look.
bool SaverEnded(pid_t saver)
{
    const pid_t ended = waitpid(saver, nullptr, WNOHANG);
    return ended == saver || (ended < 0 && errno == ECHILD);
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
    TakeSignals();
    SaverStarter starter(saverArgs);
    if (!starter.Problem().empty()) {
        std::fprintf(stderr, "zembria: can't open its own program to start the saver (%s)\n",
                     starter.Problem().c_str());
        return 1;
    }
    if (!WaitForDisplay()) return stopRequested ? 0 : 1;
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
        if (saver > 0 && SaverEnded(saver)) saver = 0;
        if (news == IdleNews::Idle && saver == 0) saver = starter.Start();
    }
    if (saver > 0) EndSaver(saver);
    return 0;
}
