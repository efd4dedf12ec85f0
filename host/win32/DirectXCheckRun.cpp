// The DirectX check as the saver runs it at start-up: its two parts run on
// helper threads while this one looks for input. The libraries answer in
// moments and decide before the device is made. DxDiag takes about a second
// and can only confirm once they pass, so it begins after the first frames
// show the picture, not beside the device's creation, which it would slow
// down. When the libraries already fail the check, DxDiag is waited for at
// once, since the user must learn why nothing shows. Input ends a check that
// can still pass, leaving a running DxDiag behind.

#include "host/GraphicsCheck.h"

#include "host/SaverContext.h"
#include "host/win32/DirectXCheck.h"
#include "platform/HelperThread.h"

#include <string>

struct PendingCheck {
    std::shared_ptr<LibraryFindings> libraries = std::make_shared<LibraryFindings>();
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
// How long input waits for a part of the check whose outcome it needs; a
// part that takes longer is left running and the saver ends without it.
constexpr uint32_t OutcomeWaitMs = 15000;

GraphicsCheckRun Decided(const PendingCheck& check, bool inputCame)
{
    GraphicsCheckRun run;
    run.finished = true;
    run.inputCame = inputCame;
    run.acceptable = ReportDirectXProblem(DirectXProblemOf(*check.dxDiag, *check.libraries));
    return run;
}

GraphicsCheckRun EndedByInput(SaverContext& context, bool leftRunning)
{
    context.host.checkLeftRunning = leftRunning;
    GraphicsCheckRun run;
    run.inputCame = true;
    return run;
}

// Waits for DxDiag while looking for input; when the libraries already told
// the user of a problem, input waits for DxDiag's part of the message too.
GraphicsCheckRun DecideWithDxDiag(SaverContext& context, PendingCheck& check)
{
    const bool told = LibrariesFail(*check.libraries);
    while (!check.dxDiagProbe.Wait(InputPollMs)) {
        if (!context.InputPending()) continue;
        if (!check.dxDiagProbe.Wait(told ? OutcomeWaitMs : 0)) return EndedByInput(context, true);
        return Decided(check, true);
    }
    return Decided(check, false);
}

} // namespace

GraphicsCheckRun BeginGraphicsCheck(SaverContext& context)
{
    auto check = std::make_shared<PendingCheck>();
    auto libraries = check->libraries;
    if (check->libraryProbe.Start([libraries] { *libraries = ProbeLibraries(); }) != 0) *libraries = ProbeLibraries();
    while (!check->libraryProbe.Wait(InputPollMs)) {
        if (!context.InputPending()) continue;
        if (!check->libraryProbe.Wait(OutcomeWaitMs)) return EndedByInput(context, true);
        break;
    }
    if (LibrariesFail(*libraries)) {
        check->StartDxDiag();
        return DecideWithDxDiag(context, *check);
    }
    // The libraries passed; DxDiag follows the first frames.
    if (context.InputPending()) return EndedByInput(context, false);
    GraphicsCheckRun run;
    run.pending = check;
    return run;
}

GraphicsCheckRun FinishGraphicsCheck(SaverContext& context, const GraphicsCheckRun& begun)
{
    if (!begun.pending) return begun;
    begun.pending->StartDxDiag();
    return DecideWithDxDiag(context, *begun.pending);
}
