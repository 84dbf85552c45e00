#include "poll/dongle_state.h"

#include <iterator>

#include "app/string_table.h"

namespace sonvik {

namespace {

constexpr unsigned kDongleStateTextIds[] = {
    IDS_INQUIRING, IDS_INQUIRY_SCAN, IDS_PAGING, IDS_PAGE_SCAN, IDS_CONNECTED,
};

}  // namespace

WideText GetDongleStateText(std::int32_t nDongleState) {
    const auto nIndex = static_cast<std::size_t>(nDongleState);
    return nDongleState >= 0 && nIndex < std::size(kDongleStateTextIds)
               ? LoadStringText(kDongleStateTextIds[nIndex])
               : WideText();
}

WideText GetAudioStateText(std::int32_t nAudioState) {
    switch (nAudioState) {
        case kAudioDisconnected:
            return LoadStringText(IDS_DISCONNECTED);
        case kAudioConnected:
            return LoadStringText(IDS_CONNECTED);
        default:
            return WideText();
    }
}

}  // namespace sonvik
