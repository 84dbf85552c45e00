#pragma once

#include "common/dongle_device.h"

namespace sonvik {

class IPanel;
class ITransport;

// Carries out every raised panel request, in request order. Each flag is taken (read and
// cleared in one step) before its action runs, so a click during the action waits for the next
// cycle instead of being lost; several clicks since the last cycle still make one request.
void CarryOutRequests(ITransport& transport, IPanel& panel, DongleDevice device);

}  // namespace sonvik
