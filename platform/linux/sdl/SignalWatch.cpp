// SIGTERM (how xscreensaver ends a hack) and SIGINT end the saver as a close
// request would. The signals are blocked in every thread and taken by one
// thread in sigwait, which may then safely wake the loop through SDL; the
// flag also ends a request under way, which asks for input between reads.

#include "platform/linux/sdl/SdlPlatformState.h"

#include <csignal>
#include <pthread.h>
#include <thread>

void StartSignalWatch(SdlPlatformState& state)
{
    // Blocked before SDL, libcurl or anything else starts a thread, so all inherit it.
    sigset_t ending;
    sigemptyset(&ending);
    sigaddset(&ending, SIGTERM);
    sigaddset(&ending, SIGINT);
    pthread_sigmask(SIG_BLOCK, &ending, nullptr);
    std::thread([ending, &state] {
        for (;;) {
            int signal = 0;
            if (sigwait(&ending, &signal) != 0) continue;
            state.closeRequested = true;
            const uint32_t wakeEvent = state.wakeEvent;
            if (wakeEvent != 0) {
                SDL_Event wake{};
                wake.type = wakeEvent;
                SDL_PushEvent(&wake);
            }
        }
    }).detach();
}
