// The DirectX check as the saver runs it at start-up: its two parts run on
// helper threads while this one looks for input. The libraries answer in
// moments and decide before the device is made; DxDiag, which takes about a
// second, can only confirm once they pass, so it runs on while the first
// frames show the picture. When the libraries already fail the check, DxDiag
// is waited for, since the user must learn why nothing shows. Input ends a
// check that can still pass at once, leaving DxDiag running.

#include "host/GraphicsCheck.h"

#include "host/SaverContext.h"
#include "host/win32/DirectXCheck.h"
#include "platform/HelperThread.h"

#include <string>

struct PendingCheck {
    std::shared_ptr<LibraryFindings> libraries = std::make_shared<LibraryFindings>();
    std::shared_ptr<DxVersion> dxDiag = std::make_shared<DxVersion>();
    HelperThread libraryProbe, dxDiagProbe;
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

GraphicsCheckRun LeftRunning(SaverContext& context)
{
    context.host.checkLeftRunning = true;
    GraphicsCheckRun run;
    run.inputCame = true;
    return run;
}

} // namespace

GraphicsCheckRun BeginGraphicsCheck(SaverContext& context)
{
    auto check = std::make_shared<PendingCheck>();
    auto libraries = check->libraries;
    auto dxDiag = check->dxDiag;
    if (check->libraryProbe.Start([libraries] { *libraries = ProbeLibraries(); }) != 0) *libraries = ProbeLibraries();
    if (check->dxDiagProbe.Start([dxDiag] { *dxDiag = ProbeDxDiag(); }) != 0) *dxDiag = ProbeDxDiag();
    bool dxDiagDone = false;
    for (;;) {
        const bool librariesDone = check->libraryProbe.Wait(0);
        const bool needDxDiag = !librariesDone || LibrariesFail(*libraries);
        dxDiagDone = check->dxDiagProbe.Wait(needDxDiag ? InputPollMs : 0);
        if (librariesDone && (dxDiagDone || !needDxDiag)) break;
        if (!SaverInputPending(context.host)) continue;
        const bool librariesKnown = check->libraryProbe.Wait(OutcomeWaitMs);
        const bool told = librariesKnown && LibrariesFail(*libraries);
        if (!check->dxDiagProbe.Wait(told ? OutcomeWaitMs : 0) || !librariesKnown) return LeftRunning(context);
        return Decided(*check, true);
    }
    if (dxDiagDone) return Decided(*check, false);
    // The libraries passed; DxDiag runs on beside the device and the first frames.
    if (SaverInputPending(context.host)) return LeftRunning(context);
    GraphicsCheckRun run;
    run.pending = check;
    return run;
}

GraphicsCheckRun FinishGraphicsCheck(SaverContext& context, const GraphicsCheckRun& begun)
{
    if (!begun.pending) return begun;
    PendingCheck& check = *begun.pending;
    const bool told = LibrariesFail(*check.libraries);
    while (!check.dxDiagProbe.Wait(InputPollMs)) {
        if (!SaverInputPending(context.host)) continue;
        if (!check.dxDiagProbe.Wait(told ? OutcomeWaitMs : 0)) return LeftRunning(context);
        return Decided(check, true);
    }
    return Decided(check, false);
}
