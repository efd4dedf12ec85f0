// startup_watch: how long a program takes from launch until a colour shows
// at a point of the X screen, read from the screen itself (never from the
// program's own output). Each run starts the command in a process group of
// its own, polls the pixel every millisecond or so, and ends the group by its
// id once the colour is there. Prints every run, then median and maximum.
// Usage: startup_watch RUNS R,G,B X,Y -- COMMAND [ARGS...]
// Each run's environment may be prepared by the command itself (a script).
// Each run's line also gives the launch's wall-clock time, to place a traced
// program's own steps.

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto RunDeadline = std::chrono::seconds(60);
constexpr int Tolerance = 12; // JPEG and colour keys shift a colour a little

struct Colour {
    int r, g, b;
};

bool Shows(Display* display, int x, int y, const Colour& colour)
{
    XImage* image = XGetImage(display, DefaultRootWindow(display), x, y, 1, 1, AllPlanes, ZPixmap);
    if (!image) return false;
    const unsigned long pixel = XGetPixel(image, 0, 0);
    XDestroyImage(image);
    const int r = static_cast<int>((pixel >> 16) & 0xFF), g = static_cast<int>((pixel >> 8) & 0xFF),
              b = static_cast<int>(pixel & 0xFF);
    return std::abs(r - colour.r) <= Tolerance && std::abs(g - colour.g) <= Tolerance &&
           std::abs(b - colour.b) <= Tolerance;
}

// The colour must be gone before a run starts: the last run's window may still be closing.
bool WaitUntilGone(Display* display, int x, int y, const Colour& colour)
{
    const auto end = Clock::now() + std::chrono::seconds(20);
    while (Shows(display, x, y, colour)) {
        if (Clock::now() > end) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

pid_t Launch(char** command)
{
    const pid_t child = fork();
    if (child == 0) {
        setpgid(0, 0);
        execvp(command[0], command);
        _exit(127);
    }
    if (child > 0) setpgid(child, child);
    return child;
}

void End(pid_t child)
{
    kill(-child, SIGTERM);
    for (int i = 0; i < 300; ++i) {
        if (waitpid(child, nullptr, WNOHANG) == child) return;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    kill(-child, SIGKILL);
    waitpid(child, nullptr, 0);
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

} // namespace

int main(int argc, char** argv)
{
    Colour colour{};
    int x = 0, y = 0;
    if (argc < 6 || std::sscanf(argv[2], "%d,%d,%d", &colour.r, &colour.g, &colour.b) != 3 ||
        std::sscanf(argv[3], "%d,%d", &x, &y) != 2 || std::string_view(argv[4]) != "--") {
        std::fprintf(stderr, "usage: startup_watch RUNS R,G,B X,Y -- COMMAND [ARGS...]\n");
        return 2;
    }
    const int runs = std::max(1, std::atoi(argv[1]));
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "startup_watch: no X display\n");
        return 1;
    }
    std::vector<double> seconds;
    for (int run = 0; run < runs; ++run) {
        if (!WaitUntilGone(display, x, y, colour)) {
            std::fprintf(stderr, "startup_watch: the colour is on screen before the launch\n");
            return 1;
        }
        const auto launched = std::chrono::system_clock::now();
        const auto start = Clock::now();
        const pid_t child = Launch(argv + 5);
        if (child < 0) return 1;
        bool shown = false;
        while (!(shown = Shows(display, x, y, colour)) && Clock::now() - start < RunDeadline) {
            if (waitpid(child, nullptr, WNOHANG) == child) break; // ended without showing it
            std::this_thread::sleep_for(std::chrono::microseconds(500));
        }
        const double elapsed = std::chrono::duration<double>(Clock::now() - start).count();
        End(child);
        if (!shown) {
            std::fprintf(stderr, "startup_watch: run %d never showed the colour\n", run + 1);
            return 1;
        }
        seconds.push_back(elapsed);
        std::printf("  run %d: %.3f s (launched at %lld ms)\n", run + 1, elapsed,
                    static_cast<long long>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                               launched.time_since_epoch()).count()));
        std::fflush(stdout);
    }
    std::printf("median %.3f s, max %.3f s (%d runs)\n", Median(seconds),
                *std::max_element(seconds.begin(), seconds.end()), runs);
    XCloseDisplay(display);
    return 0;
}
