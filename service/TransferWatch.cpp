// Before the first sign of a connection the stall time is added to the
// connect time: a transport that can't tell when its connection stands
// (WinInet's status callback may stay silent) then gives a server that
// accepts and says nothing the same stall time as one that can, while a
// server that never accepts still ends as a connect time-out.

#include "service/TransferWatch.h"

namespace {

std::chrono::milliseconds Ms(uint64_t milliseconds)
{
    return std::chrono::milliseconds(milliseconds);
}

} // namespace

TransferWatch::TransferWatch(const HttpLimits& limits, Clock::time_point start)
    : limits(limits), start(start), lastHeard(start)
{
}

void TransferWatch::Heard(Clock::time_point at)
{
    if (!heard || at > lastHeard)
        lastHeard = at;
    heard = true;
}

TransferEnd TransferWatch::Take(uint64_t size)
{
    if (limits.maxBytes != 0 && size > limits.maxBytes - bytes)
        return TransferEnd::TooLarge;
    bytes += size;
    return TransferEnd::Going;
}

TransferEnd TransferWatch::Check(Clock::time_point now) const
{
    if (limits.inputPending && limits.inputPending())
        return TransferEnd::Input;
    if (!heard && now - start > Ms(uint64_t{limits.connectTimeoutMs} + limits.stallTimeoutMs))
        return TransferEnd::ConnectTimedOut;
    if (heard && now - lastHeard > Ms(limits.stallTimeoutMs))
        return TransferEnd::Stalled;
    if (limits.deadlineMs != 0 && now - start > Ms(limits.deadlineMs))
        return TransferEnd::Overdue;
    return TransferEnd::Going;
}
