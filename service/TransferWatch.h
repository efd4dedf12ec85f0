#pragma once
// The one judge of a running request: from the limits and the progress the
// transport reports (a sign of life, the body's bytes, the clock) it says
// whether the transfer goes on or ends, and why. The transports only report
// and ask; none of them times or counts on its own.

#include "service/HttpRequest.h"

#include <chrono>
#include <cstdint>

enum class TransferEnd {
    Going,
    ConnectTimedOut, // no sign of a connection within the connect and the stall time
    Stalled,         // silence for the stall time since the last sign of life
    Overdue,         // the whole request outlasted its deadline
    TooLarge,        // the body would pass the cap
    Input,           // the user touched a key or the mouse
};

class TransferWatch {
public:
    using Clock = std::chrono::steady_clock;

    TransferWatch(const HttpLimits& limits, Clock::time_point start);

    // The connection stands or some of the answer arrived at `at`; from then
    // on silence counts as a stall. Reports may come late or out of order.
    void Heard(Clock::time_point at);
    // Body bytes about to be handed on: TooLarge when they would pass the
    // cap (they are not counted then), Going otherwise.
    TransferEnd Take(uint64_t size);
    // Input, the connection, silence and the deadline as of `now`. Asks the
    // input callback each time, first, so a touch ends the request at once.
    TransferEnd Check(Clock::time_point now) const;

    uint64_t Bytes() const { return bytes; }

private:
    HttpLimits limits;
    Clock::time_point start;
    Clock::time_point lastHeard;
    bool heard = false;
    uint64_t bytes = 0;
};
