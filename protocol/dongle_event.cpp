#include "protocol/dongle_event.h"

#include <algorithm>
#include <limits>

#include "common/debug_output.h"

namespace sonvik {

namespace {

// The payload indexes 2..16 hold the location's characters.
constexpr std::int32_t kMaxLocationLength = kEventPayloadCount - 2;

bool IsSpace(unsigned char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

bool IsDigit(unsigned char c) {
    return c >= '0' && c <= '9';
}

void TraceEvent(const DongleEvent& event) {
    if (!IsDebugListening()) {
        return;
    }
    DebugPrintf("Input cmd: [%d] ", event.Command);
    for (const std::int32_t nValue : event.Payload) {
        DebugPrintf("[%d] ", nValue);
    }
    DebugWrite("\n");
}

}  // namespace

DongleReport MakeReadBuffer() {
    DongleReport buffer{};
    buffer[0] = kReportId;
    return buffer;
}

void DecodeDongleEvent(const DongleReport& report, DongleEvent& event) {
    event.Command = report[1];
    for (int i = 0; i < kEventPayloadCount; ++i) {
        event.Payload[static_cast<std::size_t>(i)] = report[static_cast<std::size_t>(2 + i)];
    }
    event.PayloadCount = kEventPayloadCount;
    TraceEvent(event);
}

std::int32_t ParseMemoryLocation(const DongleEvent& event) {
    // The count byte comes from the device: never read past the characters the payload holds.
    const std::int32_t nCount = std::clamp(event.Payload[1], 0, kMaxLocationLength);
    const std::int32_t* pBegin = event.Payload.data() + 2;
    const auto* pEnd = pBegin + nCount;
    const auto byteAt = [](const std::int32_t* p) { return static_cast<unsigned char>(*p & 0xFF); };

    const auto* p = pBegin;
    while (p != pEnd && IsSpace(byteAt(p))) {
        ++p;
    }
    bool bNegative = false;
    if (p != pEnd && (byteAt(p) == '+' || byteAt(p) == '-')) {
        bNegative = byteAt(p) == '-';
        ++p;
    }
    // Accumulate towards the sign so that the most negative value is reachable, and stop growing
    // once past the 32-bit range: 15 digits cannot overflow 64 bits.
    constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    std::int64_t nMagnitude = 0;
    for (; p != pEnd && IsDigit(byteAt(p)); ++p) {
        nMagnitude = std::min(nMagnitude * 10 + (byteAt(p) - '0'), kLimit);
    }
    const std::int64_t nValue = bNegative ? -nMagnitude : nMagnitude;
    return static_cast<std::int32_t>(
        std::clamp<std::int64_t>(nValue, std::numeric_limits<std::int32_t>::min(),
                                 std::numeric_limits<std::int32_t>::max()));
}

}  // namespace sonvik
