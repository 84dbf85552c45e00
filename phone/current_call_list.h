#pragma once

#include "common/dongle_device.h"

namespace sonvik {

class ITransport;

// Answers a current-calls query: one CallListEntry per call of the current state, then the
// closing RequestAccepted, which is sent even when the list is empty.
void SendCurrentCallList(ITransport& transport, DongleDevice device);

}  // namespace sonvik
