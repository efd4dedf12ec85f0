// The DirectX check as the saver runs it at start-up: its two parts run on
// helper threads while this one looks for input. Input ends a check that can
// still pass at once, leaving DxDiag running; when the libraries already fail
// it, DxDiag is waited for, since the user must learn why nothing shows.

#include "host/GraphicsCheck.h"

#include "host/SaverContext.h"
#include "host/win32/DirectXCheck.h"
#include "platform/HelperThread.h"

#include <memory>
#include <string>

namespace {

constexpr uint32_t InputPollMs = 10;
// How long input waits for a part of the check whose outcome it needs; a
// part that takes longer is left running and the saver ends without it.
constexpr uint32_t OutcomeWaitMs = 15000;

} // namespace

GraphicsCheckRun RunGraphicsCheck(SaverContext& context)
{
    GraphicsCheckRun run;
    auto libraries = std::make_shared<LibraryFindings>();
    auto dxDiag = std::make_shared<DxVersion>();
    HelperThread libraryProbe, dxDiagProbe;
    if (libraryProbe.Start([libraries] { *libraries = ProbeLibraries(); }) != 0) *libraries = ProbeLibraries();
    if (dxDiagProbe.Start([dxDiag] { *dxDiag = ProbeDxDiag(); }) != 0) *dxDiag = ProbeDxDiag();
    for (;;) {
        const bool librariesDone = libraryProbe.Wait(0);
        if (dxDiagProbe.Wait(InputPollMs) && librariesDone) break;
        if (SaverInputPending(context.host)) {
            run.inputCame = true;
            break;
        }
    }
    if (run.inputCame) {
        const bool librariesDone = libraryProbe.Wait(OutcomeWaitMs);
        const bool told = librariesDone && LibrariesFail(*libraries);
        if (!dxDiagProbe.Wait(told ? OutcomeWaitMs : 0) || !librariesDone) {
            context.host.checkLeftRunning = true;
            return run;
        }
    }
    run.finished = true;
    run.acceptable = ReportDirectXProblem(DirectXProblemOf(*dxDiag, *libraries));
    return run;
}
