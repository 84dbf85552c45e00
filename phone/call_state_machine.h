#pragma once

#include "common/call_state.h"
#include "common/dongle_device.h"
#include "common/wide_text.h"
#include "protocol/dongle_event.h"

namespace sonvik {

class IPanel;
class ITransport;

// The simulated phone's state, process-wide and touched by the worker thread alone.
extern CallState g_nCallState;
extern const char g_szIncomingNumber[];
extern const char g_szWaitingNumber[];
extern const char* g_pszCallerNumber;

// Back to the state of a fresh process: NoCall, with the incoming number current. The program
// never calls it; tests start each case from here.
void ResetCallState();

// The display text of the current state.
WideText GetCallStateText();

// Tells a newly opened dongle the current state, as a transition into it would.
void AnnounceCallState(ITransport& transport, DongleDevice device);

// The operator's call requests.
void HandlePlaceIncomingCall(ITransport& transport, DongleDevice device);
void HandlePlaceOutgoingCall(ITransport& transport, DongleDevice device);
void HandleAnswerCall(ITransport& transport, DongleDevice device);
void HandleEndCall(ITransport& transport, DongleDevice device);
void HandleHoldCall(ITransport& transport, DongleDevice device);

// The hands-free unit's requests.
void HandleHfAnswer(ITransport& transport, DongleDevice device);
void HandleHfHangUp(ITransport& transport, DongleDevice device);
void HandleHfDial(ITransport& transport, DongleDevice device);
void HandleHfMemoryDial(ITransport& transport, IPanel& panel, DongleDevice device,
                        const DongleEvent& event);
void HandleHfLastNumberRedial(ITransport& transport, IPanel& panel, DongleDevice device);

}  // namespace sonvik
