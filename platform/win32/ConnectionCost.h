#pragma once
// Whether a connection cost, as INetworkCostManager::GetCost gives it (the
// NLM_CONNECTION_COST flags), means a metered connection: anything but
// unrestricted or unknown (a fixed or variable plan, roaming, over or near
// its limit, congested). No Windows header, so native tests check it.

#include <cstdint>

bool ConnectionCostIsMetered(uint32_t cost);
