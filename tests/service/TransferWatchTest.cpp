// The transfer watch on an injected clock: the connect time-out, stalls, the
// deadline, the size cap and input, with the boundaries of each.

#include "service/TransferWatch.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using Clock = TransferWatch::Clock;

bool inputNow = false;
bool InputNow() { return inputNow; }

HttpLimits Limits(uint32_t connectMs, uint32_t stallMs, uint32_t deadlineMs = 0, bool input = false)
{
    HttpLimits limits;
    limits.connectTimeoutMs = connectMs;
    limits.stallTimeoutMs = stallMs;
    limits.deadlineMs = deadlineMs;
    limits.inputPending = input ? InputNow : nullptr;
    return limits;
}

struct TimingCase {
    const char* name;
    HttpLimits limits;
    std::vector<int> heardAtMs; // in the order the transport reports them
    bool input;
    int checkAtMs;
    TransferEnd expected;
};

} // namespace

TEST(TransferWatch, EndsATransferForTheFirstReasonThatHolds)
{
    const TimingCase cases[] = {
        {"fresh", Limits(100, 300), {}, false, 0, TransferEnd::Going},
        {"no connection yet, within connect and stall", Limits(100, 300), {}, false, 400, TransferEnd::Going},
        {"no connection in connect and stall", Limits(100, 300), {}, false, 401, TransferEnd::ConnectTimedOut},
        {"connected late, silent since", Limits(100, 300), {390}, false, 690, TransferEnd::Going},
        {"connected, silent for the stall time", Limits(100, 300), {50}, false, 351, TransferEnd::Stalled},
        {"silence counts from the last byte", Limits(100, 300), {50, 200}, false, 500, TransferEnd::Going},
        {"a late report of an old byte", Limits(100, 300), {200, 50}, false, 501, TransferEnd::Stalled},
        {"trickling past the deadline", Limits(100, 300, 1000), {300, 600, 900}, false, 1001, TransferEnd::Overdue},
        {"at the deadline", Limits(100, 300, 1000), {300, 600, 900}, false, 1000, TransferEnd::Going},
        {"no deadline", Limits(100, 300), {1000, 2000, 3000}, false, 3100, TransferEnd::Going},
        {"input at once", Limits(100, 300, 1000, true), {}, true, 0, TransferEnd::Input},
        {"input before a stall", Limits(100, 300, 0, true), {50}, true, 900, TransferEnd::Input},
        {"an input callback that says no", Limits(100, 300, 0, true), {50}, false, 100, TransferEnd::Going},
    };
    const Clock::time_point start{};
    for (const TimingCase& c : cases) {
        inputNow = c.input;
        TransferWatch watch(c.limits, start);
        for (const int ms : c.heardAtMs)
            watch.Heard(start + std::chrono::milliseconds(ms));
        EXPECT_EQ(watch.Check(start + std::chrono::milliseconds(c.checkAtMs)), c.expected) << c.name;
    }
    inputNow = false;
}

TEST(TransferWatch, CountsTheBodyUpToTheCap)
{
    HttpLimits limits;
    limits.maxBytes = 5000;
    TransferWatch capped(limits, Clock::now());
    EXPECT_EQ(capped.Take(4000), TransferEnd::Going);
    EXPECT_EQ(capped.Take(1001), TransferEnd::TooLarge);
    EXPECT_EQ(capped.Take(1000), TransferEnd::Going);
    EXPECT_EQ(capped.Bytes(), 5000u);
    EXPECT_EQ(capped.Take(1), TransferEnd::TooLarge);
    EXPECT_EQ(capped.Take(UINT64_MAX), TransferEnd::TooLarge);

    TransferWatch uncapped(HttpLimits{}, Clock::now());
    EXPECT_EQ(uncapped.Take(uint64_t{1} << 40), TransferEnd::Going);
}
