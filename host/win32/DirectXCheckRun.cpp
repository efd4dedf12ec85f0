// The DirectX check as the saver runs it at start-up: its two parts run on
// helper threads while this one looks for input. The libraries answer in
// moments and decide before the device is made; full screen, their probe
// starts before the saver window and makes the Direct3D object too. Their
// verdict is told as soon as it is known: input then ends the saver at once
// when they passed, without waiting for the object, which a stalling driver
// may take long to make. DxDiag
// takes about a second and can only confirm once they pass, so it begins
// after the first frames show the picture, not beside the device's creation,
// which it would slow down. When the libraries already fail the check,
// DxDiag is waited for at once, input or not, since the user must learn why
// nothing shows; but not for ever: a DxDiag that hangs leaves the message
// with what the libraries found. Input ends a check that can still pass,
// leaving a running DxDiag behind.

#include "host/GraphicsCheck.h"

#include "host/SaverContext.h"
#include "host/SaverContract.h"
#include "host/win32/DirectXCheck.h"
#include "host/win32/PlatformHostState.h"
#include "host/win32/WinHost.h"
#include "platform/HelperThread.h"
#include "platform/win32/WindowMessages.h"

#include <atomic>
#include <string>

struct PendingCheck {
    std::shared_ptr<DxVersion> libraries = std::make_shared<DxVersion>();
    // Set once libraries holds the verdict, before the Direct3D object is made.
    std::shared_ptr<std::atomic<bool>> librariesKnown = std::make_shared<std::atomic<bool>>(false);
    // The saver's Direct3D object, where the probe was asked to make it.
    std::shared_ptr<std::shared_ptr<DisplayAdapters>> adapters = std::make_shared<std::shared_ptr<DisplayAdapters>>();
    std::shared_ptr<DxVersion> dxDiag = std::make_shared<DxVersion>();
    HelperThread libraryProbe, dxDiagProbe;

    void StartDxDiag()
    {
        auto found = dxDiag;
        if (dxDiagProbe.Start([found] { *found = ProbeDxDiag(); }) != 0) *found = ProbeDxDiag();
    }
};

namespace {

constexpr uint32_t InputPollMs = 10;
// How long a part of the check is waited for when its outcome is needed: a
// part that takes longer is left running.
constexpr uint32_t OutcomeWaitMs = 15000;

GraphicsCheckRun Decided(const std::string& problem, bool inputCame)
{
    GraphicsCheckRun run;
    run.finished = true;
    run.inputCame = inputCame;
    run.acceptable = problem.empty();
    run.refusal = problem;
    return run;
}

GraphicsCheckRun EndedByInput(SaverContext& context, bool leftRunning)
{
    context.host.deviceLeftToExit = leftRunning;
    GraphicsCheckRun run;
    run.inputCame = true;
    return run;
}

// The libraries already refuse: DxDiag only decides which version the
// message names, so it gets its time whatever the input, and no more.
GraphicsCheckRun RefuseWithDxDiag(SaverContext& context, PendingCheck& check)
{
    bool inputCame = false;
    const uint32_t started = PlatformTickCount();
    while (!check.dxDiagProbe.Wait(InputPollMs)) {
        inputCame = inputCame || context.InputPending();
        if (PlatformTickCount() - started >= OutcomeWaitMs) {
            context.host.deviceLeftToExit = true;
            return Decided(DirectXMessage(*check.libraries), inputCame);
        }
    }
    return Decided(DirectXProblemOf(*check.dxDiag, *check.libraries), inputCame);
}

// The libraries passed: DxDiag may still refuse, and input ends the wait.
GraphicsCheckRun ConfirmWithDxDiag(SaverContext& context, PendingCheck& check)
{
    while (!check.dxDiagProbe.Wait(InputPollMs)) {
        if (!context.InputPending()) continue;
        if (!check.dxDiagProbe.Wait(0)) return EndedByInput(context, true);
        return Decided(DirectXProblemOf(*check.dxDiag, *check.libraries), true);
    }
    return Decided(DirectXProblemOf(*check.dxDiag, *check.libraries), false);
}

// Waits at most that long for the libraries' verdict; false when it hasn't come.
bool VerdictCame(PendingCheck& check, uint32_t milliseconds)
{
    const uint32_t started = PlatformTickCount();
    while (!check.librariesKnown->load(std::memory_order_acquire)) {
        if (check.libraryProbe.Wait(InputPollMs)) return true;
        if (PlatformTickCount() - started >= milliseconds) return false;
    }
    return true;
}

std::shared_ptr<PendingCheck> StartedProbe(bool makeDirect3d)
{
    auto check = std::make_shared<PendingCheck>();
    auto probe = [libraries = check->libraries, known = check->librariesKnown, adapters = check->adapters, makeDirect3d] {
        *libraries = ProbeLibraries();
        known->store(true, std::memory_order_release);
        if (makeDirect3d && !LibrariesFail(*libraries)) *adapters = OpenDirect3d();
    };
    if (check->libraryProbe.Start(probe) != 0) probe();
    return check;
}

} // namespace

void StartLibraryProbe(SaverContext& context)
{
    context.platform->check = StartedProbe(true);
}

GraphicsCheckRun BeginGraphicsCheck(SaverContext& context)
{
    std::shared_ptr<PendingCheck> check = context.platform ? std::move(context.platform->check) : nullptr;
    if (!check) check = StartedProbe(false);
    // Without input the Direct3D object is waited for, since the device is
    // made from it; input needs only the libraries' verdict.
    while (!check->libraryProbe.Wait(InputPollMs)) {
        if (!context.InputPending()) continue;
        if (!VerdictCame(*check, OutcomeWaitMs)) return EndedByInput(context, true);
        if (!LibrariesFail(*check->libraries)) return EndedByInput(context, !check->libraryProbe.Wait(0));
        break; // a refusal's message comes first
    }
    if (LibrariesFail(*check->libraries)) {
        check->StartDxDiag();
        return RefuseWithDxDiag(context, *check);
    }
    // The libraries passed; DxDiag follows the first frames.
    if (context.InputPending()) return EndedByInput(context, false);
    GraphicsCheckRun run;
    run.adapters = *check->adapters;
    run.pending = check;
    return run;
}

GraphicsCheckRun FinishGraphicsCheck(SaverContext& context, const GraphicsCheckRun& begun)
{
    if (!begun.pending) return begun;
    begun.pending->StartDxDiag();
    return ConfirmWithDxDiag(context, *begun.pending);
}

void TellGraphicsRefusal(const std::string& refusal)
{
    PlatformMessageBox(nullptr, refusal, DirectXCaption, BoxKind::Error);
}

// Without d3d9.dll: its own message, and the window is destroyed at once;
// start-up's failure message then follows and destroys it a second time.
void TellNoGraphicsLibrary(WindowHandle window)
{
    PlatformMessageBox(nullptr, "Cannot create DirectX device!", InitErrorCaption, BoxKind::Error);
    PlatformSendMessage(window, Msg::Destroy, 0, 0);
}
