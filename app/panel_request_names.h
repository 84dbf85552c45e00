#pragma once

#include <optional>
#include <string_view>

#include "app/panel_request.h"

namespace sonvik {

// The requests by the names the code gives them ("PlaceIncomingCall"), for scripts.
std::string_view GetPanelRequestName(PanelRequest nRequest);
std::optional<PanelRequest> FindPanelRequest(std::string_view name);

}  // namespace sonvik
