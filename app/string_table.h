#pragma once

#include <span>

#include "common/wide_text.h"

namespace sonvik {

// String IDs that the core looks up by number.
enum StringId : unsigned {
    IDS_SEARCHING = 135,
    IDS_INQUIRING = 136,
    IDS_INQUIRY_SCAN = 137,
    IDS_PAGING = 138,
    IDS_PAGE_SCAN = 139,
    IDS_CONNECTED = 140,
    IDS_NO_CALL = 143,
    IDS_INCOMING_CALL = 144,
    IDS_OUTGOING_CALL = 145,
    IDS_ACTIVE_CALL = 146,
    IDS_DISCONNECTED = 161,
    IDS_WINDOW_TITLE = 162,
    IDS_ACTIVE_CALL_WITH_WAITING = 166,
    IDS_ACTIVE_CALL_WITH_HELD = 170,
    IDS_HELD_CALL = 172,
};

struct StringEntry {
    unsigned nId;
    const char16_t* pszText;
};

// The whole table in ID order, for the panels that set their controls' texts from it.
std::span<const StringEntry> GetStringTable();

// The text of an ID; an ID the table does not hold gives the empty text.
WideText LoadStringText(unsigned nId);

}  // namespace sonvik
