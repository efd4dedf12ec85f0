#include "platform/win32/ConnectionCost.h"

bool ConnectionCostIsMetered(uint32_t cost)
{
    constexpr uint32_t Unrestricted = 0x1; // NLM_CONNECTION_COST_UNRESTRICTED; unknown is 0
    return (cost & ~Unrestricted) != 0;
}
