#pragma once

#include "common/call_state.h"

namespace sonvik {

// What can move the call state.
enum CallTrigger : int {
    TriggerPlaceIncomingCall,
    TriggerPlaceOutgoingCall,
    TriggerAnswerCall,
    TriggerEndCall,
    TriggerHoldCall,
    TriggerHfAnswer,
    TriggerHfHangUp,
    TriggerHfDial,
};

// One cell of the transition matrix that is not a dash. A row that places a call also makes its
// number current (pszCallerNumber); the others keep the current one.
struct CallTransition {
    CallTrigger nTrigger;
    CallState nFrom;
    CallState nTo;
    const char* pszCallerNumber;
};

// The transition for a trigger in a state, or nullptr when the trigger does not apply there.
const CallTransition* FindCallTransition(CallTrigger nTrigger, CallState nFrom);

}  // namespace sonvik
