#include "poll/request_actions.h"

#include "app/panel.h"
#include "phone/call_state_machine.h"
#include "protocol/host_commands.h"

namespace sonvik {

namespace {

using RequestAction = void (*)(ITransport&, IPanel&, DongleDevice);

// DeviceStateChange sub-codes; DFU is 1 and DUT 2, though the panel lists DUT first.
template <std::uint8_t nSubCode>
void ChangeDeviceState(ITransport& transport, IPanel&, DongleDevice device) {
    SendDeviceStateChange(transport, device, nSubCode);
}

template <void (*pHandle)(ITransport&, DongleDevice)>
void CallRequest(ITransport& transport, IPanel&, DongleDevice device) {
    pHandle(transport, device);
}

// Indexed by PanelRequest. Panel values are read when the action runs, not when clicked.
constexpr RequestAction kRequestActions[kPanelRequestCount] = {
    /* EnterDut */ ChangeDeviceState<2>,
    /* EnterDfu */ ChangeDeviceState<1>,
    /* EnterInquiry */ ChangeDeviceState<3>,
    /* EnterInquiryScan */ ChangeDeviceState<4>,
    /* EnterPage */ ChangeDeviceState<5>,
    /* EnterPageScan */ ChangeDeviceState<6>,
    /* PlaceIncomingCall */ CallRequest<HandlePlaceIncomingCall>,
    /* PlaceOutgoingCall */ CallRequest<HandlePlaceOutgoingCall>,
    /* AnswerCall */ CallRequest<HandleAnswerCall>,
    /* EndCall */ CallRequest<HandleEndCall>,
    /* SendSignal */
    [](ITransport& transport, IPanel& panel, DongleDevice device) {
        SendSignalStrength(transport, device, panel.GetSignalStrength());
    },
    /* SendBattery */
    [](ITransport& transport, IPanel& panel, DongleDevice device) {
        SendBatteryLevel(transport, device, panel.GetBatteryLevel());
    },
    /* TransferAudio */
    [](ITransport& transport, IPanel&, DongleDevice device) {
        SendAudioTransfer(transport, device, 1);
    },
    /* SendNetwork */
    [](ITransport& transport, IPanel& panel, DongleDevice device) {
        SendNetworkOperator(transport, device, panel.GetNetworkOperator());
    },
    /* ToggleNetworkAvailable */
    [](ITransport& transport, IPanel& panel, DongleDevice device) {
        SendNetworkAvailable(transport, device, panel.IsNetworkAvailable());
    },
    /* ToggleRoam */
    [](ITransport& transport, IPanel& panel, DongleDevice device) {
        SendRoam(transport, device, panel.IsRoaming());
    },
    /* HoldCall */ CallRequest<HandleHoldCall>,
    /* ToggleVoiceRecognition */
    [](ITransport& transport, IPanel& panel, DongleDevice device) {
        SendVoiceRecognition(transport, device, panel.IsVoiceRecognitionEnabled());
    },
};

}  // namespace

void CarryOutRequests(ITransport& transport, IPanel& panel, DongleDevice device) {
    RequestFlags& flags = panel.GetRequestFlags();
    for (int i = 0; i < kPanelRequestCount; ++i) {
        const auto nRequest = static_cast<PanelRequest>(i);
        if (flags.Take(nRequest)) {
            kRequestActions[i](transport, panel, device);
        }
    }
}

}  // namespace sonvik
