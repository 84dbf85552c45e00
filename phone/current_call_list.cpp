#include "phone/current_call_list.h"

#include <cstdint>

#include "phone/call_state_machine.h"
#include "protocol/host_commands.h"

namespace sonvik {

namespace {

// Direction and status codes of the hands-free profile's current-calls list.
constexpr std::uint8_t kOutgoing = 0;
constexpr std::uint8_t kIncoming = 1;
constexpr std::uint8_t kActive = 0;
constexpr std::uint8_t kHeld = 1;
constexpr std::uint8_t kDialling = 2;
constexpr std::uint8_t kRinging = 4;

constexpr std::uint8_t kCallListComplete = 2;

struct ListedCall {
    std::uint8_t nDirection;
    std::uint8_t nStatus;
};

struct CallListRow {
    int nCount;
    ListedCall calls[2];
};

// Indexed by CallState. The waiting call is listed first, as ringing; a held call before the
// active one; and the held call of HeldCall is listed too, so a unit asking mid-hold sees it.
constexpr CallListRow kCallListRows[kCallStateCount] = {
    {0, {}},
    {1, {{kIncoming, kRinging}}},
    {1, {{kOutgoing, kDialling}}},
    {1, {{kIncoming, kActive}}},
    {2, {{kIncoming, kRinging}, {kIncoming, kActive}}},
    {2, {{kIncoming, kHeld}, {kIncoming, kActive}}},
    {1, {{kIncoming, kHeld}}},
};

}  // namespace

void SendCurrentCallList(ITransport& transport, DongleDevice device) {
    const CallState nState = g_nCallState;
    const auto nRow = static_cast<std::size_t>(nState);
    if (nRow < std::size(kCallListRows)) {
        const CallListRow& row = kCallListRows[nRow];
        for (int i = 0; i < row.nCount; ++i) {
            CallInfo entry;
            entry.Index = static_cast<std::uint8_t>(i + 1);
            entry.Direction = row.calls[i].nDirection;
            entry.Status = row.calls[i].nStatus;
            SendCallListEntry(transport, device, entry);
        }
    }
    SendRequestAccepted(transport, device, kCallListComplete);
}

}  // namespace sonvik
