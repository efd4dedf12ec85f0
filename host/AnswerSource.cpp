#include "host/AnswerSource.h"

bool AnswerSource::Offline() const
{
    return options.GetString("offline", "false") != "false";
}

AnswerFrom AnswerSource::ForStep() const
{
    if (share.Following()) return AnswerFrom::Shared;
    return Offline() ? AnswerFrom::None : AnswerFrom::Service;
}

AnswerFrom AnswerSource::ForFrame() const
{
    return ForStep();
}
