#include "host/AnswerSource.h"

bool AnswerSource::Offline() const
{
    return options.GetString("offline", "false") != "false";
}

bool AnswerSource::Sparing() const
{
    return (metered || power.energySaver) && options.GetString("MeteredDownloads", "no") != "yes";
}

AnswerFrom AnswerSource::ForStep() const
{
    if (share.Following()) return AnswerFrom::Shared;
    if (Offline() || !power.displaysOn) return AnswerFrom::None;
    // A bare screen is worse than one picture's bytes.
    if (Sparing() && !pictures.empty()) return AnswerFrom::None;
    return AnswerFrom::Service;
}

FrameTurn AnswerSource::ForFrame()
{
    FrameTurn turn;
    turn.from = ForStep();
    if (!power.displaysOn) {
        paused = true;
        turn.draw = false;
        return turn;
    }
    if (paused) {
        paused = false;
        turn.whole = true;
        turn.stepNow = stepHeld;
        stepHeld = false;
    }
    return turn;
}

bool AnswerSource::HoldStep()
{
    if (power.displaysOn) return false;
    stepHeld = true;
    return true;
}
