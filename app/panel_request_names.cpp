#include "app/panel_request_names.h"

namespace sonvik {

namespace {

constexpr std::string_view kNames[kPanelRequestCount] = {
    "EnterDut",          "EnterDfu",          "EnterInquiry",
    "EnterInquiryScan",  "EnterPage",         "EnterPageScan",
    "PlaceIncomingCall", "PlaceOutgoingCall", "AnswerCall",
    "EndCall",           "SendSignal",        "SendBattery",
    "TransferAudio",     "SendNetwork",       "ToggleNetworkAvailable",
    "ToggleRoam",        "HoldCall",          "ToggleVoiceRecognition",
};

}  // namespace

std::string_view GetPanelRequestName(PanelRequest nRequest) {
    return kNames[static_cast<std::size_t>(nRequest)];
}

std::optional<PanelRequest> FindPanelRequest(std::string_view name) {
    for (int i = 0; i < kPanelRequestCount; ++i) {
        if (kNames[i] == name) {
            return static_cast<PanelRequest>(i);
        }
    }
    return std::nullopt;
}

}  // namespace sonvik
