#include "poll/poll_loop.h"

#include <chrono>

#include "app/sonvik_app.h"
#include "app/string_table.h"
#include "common/debug_output.h"
#include "phone/call_state_machine.h"
#include "phone/current_call_list.h"
#include "poll/request_actions.h"
#include "protocol/host_commands.h"

namespace sonvik {

namespace {

constexpr std::chrono::milliseconds kSearchPause{250};
constexpr std::uint32_t kNameFailuresToGiveUp = 2;

IPanel& Panel(CSonvikApp& app) {
    return *app.m_pDlg.load(std::memory_order_acquire);
}

WideText SearchingText() {
    return u"*** " + LoadStringText(IDS_SEARCHING) + u" ***";
}

// Brings a newly opened dongle up to date with the phone and the panel.
void SendSynchronisation(CSonvikApp& app, ITransport& transport) {
    IPanel& panel = Panel(app);
    const DongleDevice device = app.GetDevice();
    SendHostPresence(transport, device, true);
    AnnounceCallState(transport, device);
    SendDeviceStateChange(transport, device, 0);
    SendAudioTransfer(transport, device, 0);
    SendSignalStrength(transport, device, panel.GetSignalStrength());
    SendBatteryLevel(transport, device, panel.GetBatteryLevel());
    SendNetworkOperator(transport, device, panel.GetNetworkOperator());
    SendNetworkAvailable(transport, device, panel.IsNetworkAvailable());
    SendRoam(transport, device, panel.IsRoaming());
}

void SearchForDongle(CSonvikApp& app, ITransport& transport) {
    Panel(app).SetUsbNameText(SearchingText());
    Panel(app).SetDongleStateText(WideText());
    Panel(app).SetAudioStateText(WideText());
    DongleDevice device = app.GetDevice();
    if (!transport.FindDongle(device)) {
        return;
    }
    app.m_hDevice.store(device.m_hDevice, std::memory_order_release);
    // Requests raised while no dongle was open are dropped.
    Panel(app).GetRequestFlags().ClearAll();
    SendSynchronisation(app, transport);
}

// The product name is also the sign that the dongle is still there.
void ReadProductName(CSonvikApp& app, ITransport& transport) {
    WideText name;
    if (transport.ReadProductString(app.GetDevice(), name)) {
        Panel(app).SetUsbNameText(name);
        return;
    }
    if (++app.m_nNameFailures < kNameFailuresToGiveUp) {
        return;
    }
    app.m_nNameFailures = 0;
    const DeviceHandle hDevice = app.m_hDevice.exchange(kInvalidDeviceHandle);
    transport.CloseDongle(hDevice);
}

void DispatchHandsFreeRequest(CSonvikApp& app, ITransport& transport, const DongleEvent& event) {
    const DongleDevice device = app.GetDevice();
    switch (event.Payload[0]) {
        case HfAnswer:
            return HandleHfAnswer(transport, device);
        case HfHangUp:
            return HandleHfHangUp(transport, device);
        case HfDial:
            return HandleHfDial(transport, device);
        case HfMemoryDial:
            return HandleHfMemoryDial(transport, Panel(app), device, event);
        case HfLastNumberRedial:
            return HandleHfLastNumberRedial(transport, Panel(app), device);
        case HfListCurrentCalls:
            return SendCurrentCallList(transport, device);
        default:
            return;
    }
}

void DispatchEvent(CSonvikApp& app, ITransport& transport, const DongleEvent& event) {
    switch (event.Command) {
        case DongleStateReport:
            app.m_nDongleState = event.Payload[0];
            return;
        case HandsFreeRequest:
            return DispatchHandsFreeRequest(app, transport, event);
        case AudioStateReport:
            app.m_nAudioState = event.Payload[0];
            return;
        case VoiceRecognitionReport:
            return Panel(app).SetVoiceRecognitionCheck(event.Payload[0] != 0);
        default:
            return;
    }
}

void ReadAndDispatchEvent(CSonvikApp& app, ITransport& transport) {
    DongleEvent event;
    if (transport.ReadDongleEvent(app.GetDevice(), event)) {
        DispatchEvent(app, transport, event);
    } else {
        DebugWrite("USB report not read\n");
    }
}

void ShowLinkStates(CSonvikApp& app) {
    Panel(app).SetDongleStateText(GetDongleStateText(app.m_nDongleState));
    Panel(app).SetAudioStateText(
        app.m_nDongleState == Connected ? GetAudioStateText(app.m_nAudioState) : WideText());
    DebugPrintf("State: %d\n", app.m_nDongleState);
    DebugPrintf("Audio: %d\n", app.m_nAudioState);
}

}  // namespace

void RunPollCycle(CSonvikApp& app) {
    ITransport& transport = *app.m_pTransport;
    if (!app.HasDevice()) {
        SearchForDongle(app, transport);
    }
    Panel(app).SetCallStateText(GetCallStateText());
    if (!app.HasDevice()) {
        app.m_sleep(kSearchPause);
        return;
    }
    ReadProductName(app, transport);
    ReadAndDispatchEvent(app, transport);
    ShowLinkStates(app);
    CarryOutRequests(transport, Panel(app), app.GetDevice());
}

int PollLoop(CSonvikApp& app) {
    while (app.m_bRunning.load(std::memory_order_acquire) != 0) {
        RunPollCycle(app);
    }
    return 0;
}

}  // namespace sonvik
