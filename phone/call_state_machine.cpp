#include "phone/call_state_machine.h"

#include <iterator>

#include "app/panel.h"
#include "app/string_table.h"
#include "phone/call_transitions.h"
#include "protocol/host_commands.h"

namespace sonvik {

CallState g_nCallState = NoCall;
// The quotes are part of the number and travel with it: nine characters, no terminator sent.
const char g_szIncomingNumber[] = "\"1234567\"";
const char g_szWaitingNumber[] = "\"7654321\"";
const char* g_pszCallerNumber = g_szIncomingNumber;

static_assert(sizeof g_szIncomingNumber == kCallerNumberLength + 1);
static_assert(sizeof g_szWaitingNumber == kCallerNumberLength + 1);

namespace {

constexpr CallTransition kCallTransitions[] = {
    {TriggerPlaceIncomingCall, NoCall, IncomingCall, g_szIncomingNumber},
    {TriggerPlaceIncomingCall, ActiveCall, ActiveCallWithWaiting, g_szWaitingNumber},
    {TriggerPlaceOutgoingCall, NoCall, OutgoingCall, nullptr},
    {TriggerAnswerCall, IncomingCall, ActiveCall, nullptr},
    {TriggerAnswerCall, OutgoingCall, ActiveCall, nullptr},
    {TriggerAnswerCall, ActiveCallWithWaiting, ActiveCallWithHeld, nullptr},
    {TriggerEndCall, IncomingCall, NoCall, nullptr},
    {TriggerEndCall, OutgoingCall, NoCall, nullptr},
    {TriggerEndCall, ActiveCall, NoCall, nullptr},
    {TriggerEndCall, HeldCall, NoCall, nullptr},
    {TriggerEndCall, ActiveCallWithWaiting, IncomingCall, nullptr},
    {TriggerEndCall, ActiveCallWithHeld, ActiveCall, nullptr},
    {TriggerHoldCall, ActiveCall, HeldCall, nullptr},
    {TriggerHoldCall, HeldCall, ActiveCall, nullptr},
    {TriggerHfAnswer, IncomingCall, ActiveCall, nullptr},
    {TriggerHfAnswer, ActiveCallWithWaiting, ActiveCall, nullptr},
    {TriggerHfHangUp, IncomingCall, NoCall, nullptr},
    {TriggerHfHangUp, OutgoingCall, NoCall, nullptr},
    {TriggerHfHangUp, ActiveCall, NoCall, nullptr},
    {TriggerHfHangUp, HeldCall, NoCall, nullptr},
    {TriggerHfHangUp, ActiveCallWithWaiting, IncomingCall, nullptr},
    {TriggerHfHangUp, ActiveCallWithHeld, IncomingCall, nullptr},
    {TriggerHfDial, NoCall, OutgoingCall, nullptr},
};

constexpr unsigned kCallStateTextIds[kCallStateCount] = {
    IDS_NO_CALL,
    IDS_INCOMING_CALL,
    IDS_OUTGOING_CALL,
    IDS_ACTIVE_CALL,
    IDS_ACTIVE_CALL_WITH_WAITING,
    IDS_ACTIVE_CALL_WITH_HELD,
    IDS_HELD_CALL,
};

// Every state is announced the way a transition into it announces it; a ringing or waiting call
// carries the current caller number.
void SendStateReport(ITransport& transport, DongleDevice device) {
    if (g_nCallState == IncomingCall || g_nCallState == ActiveCallWithWaiting) {
        SendCallStatusWithNumber(transport, device, g_nCallState, g_pszCallerNumber);
    } else {
        SendCallStatus(transport, device, g_nCallState);
    }
}

// The state is stored before the report goes out, and stands whether or not it is delivered.
void Trigger(ITransport& transport, DongleDevice device, CallTrigger nTrigger) {
    const CallTransition* pTransition = FindCallTransition(nTrigger, g_nCallState);
    if (pTransition == nullptr) {
        return;
    }
    g_nCallState = pTransition->nTo;
    if (pTransition->pszCallerNumber != nullptr) {
        g_pszCallerNumber = pTransition->pszCallerNumber;
    }
    SendStateReport(transport, device);
}

// RequestAccepted and RequestRejected name the answered request by its code less 3.
std::uint8_t AnswerSubCode(HfRequestCode nRequest) {
    return static_cast<std::uint8_t>(nRequest - HfMemoryDial);
}

void AcceptAndDial(ITransport& transport, DongleDevice device, HfRequestCode nRequest) {
    SendRequestAccepted(transport, device, AnswerSubCode(nRequest));
    HandleHfDial(transport, device);
}

}  // namespace

const CallTransition* FindCallTransition(CallTrigger nTrigger, CallState nFrom) {
    for (const CallTransition& transition : kCallTransitions) {
        if (transition.nTrigger == nTrigger && transition.nFrom == nFrom) {
            return &transition;
        }
    }
    return nullptr;
}

void ResetCallState() {
    g_nCallState = NoCall;
    g_pszCallerNumber = g_szIncomingNumber;
}

WideText GetCallStateText() {
    const auto nIndex = static_cast<std::size_t>(g_nCallState);
    return nIndex < std::size(kCallStateTextIds) ? LoadStringText(kCallStateTextIds[nIndex])
                                                 : WideText();
}

void AnnounceCallState(ITransport& transport, DongleDevice device) {
    SendStateReport(transport, device);
}

void HandlePlaceIncomingCall(ITransport& transport, DongleDevice device) {
    Trigger(transport, device, TriggerPlaceIncomingCall);
}

void HandlePlaceOutgoingCall(ITransport& transport, DongleDevice device) {
    Trigger(transport, device, TriggerPlaceOutgoingCall);
}

void HandleAnswerCall(ITransport& transport, DongleDevice device) {
    Trigger(transport, device, TriggerAnswerCall);
}

void HandleEndCall(ITransport& transport, DongleDevice device) {
    Trigger(transport, device, TriggerEndCall);
}

void HandleHoldCall(ITransport& transport, DongleDevice device) {
    Trigger(transport, device, TriggerHoldCall);
}

void HandleHfAnswer(ITransport& transport, DongleDevice device) {
    Trigger(transport, device, TriggerHfAnswer);
}

void HandleHfHangUp(ITransport& transport, DongleDevice device) {
    Trigger(transport, device, TriggerHfHangUp);
}

void HandleHfDial(ITransport& transport, DongleDevice device) {
    Trigger(transport, device, TriggerHfDial);
}

void HandleHfMemoryDial(ITransport& transport, IPanel& panel, DongleDevice device,
                        const DongleEvent& event) {
    // Compared as 32-bit patterns: the request is signed, the panel's field unsigned.
    const auto nRequested = static_cast<std::uint32_t>(ParseMemoryLocation(event));
    if (nRequested == panel.GetMemoryDialLocation()) {
        AcceptAndDial(transport, device, HfMemoryDial);
    } else {
        SendRequestRejected(transport, device, AnswerSubCode(HfMemoryDial));
    }
}

void HandleHfLastNumberRedial(ITransport& transport, IPanel& panel, DongleDevice device) {
    if (panel.IsLastDialEnabled()) {
        AcceptAndDial(transport, device, HfLastNumberRedial);
    } else {
        SendRequestRejected(transport, device, AnswerSubCode(HfLastNumberRedial));
    }
}

}  // namespace sonvik
