#include "hid/linux/report_descriptor.h"

namespace sonvik::linux_hid {

namespace {

// Item types and tags of the HID report descriptor's short items.
constexpr std::uint8_t kTypeMain = 0;
constexpr std::uint8_t kTypeGlobal = 1;
constexpr std::uint8_t kTypeLocal = 2;
constexpr std::uint8_t kTagCollection = 0xA;
constexpr std::uint8_t kTagEndCollection = 0xC;
constexpr std::uint8_t kTagUsagePage = 0x0;
constexpr std::uint8_t kTagPush = 0xA;
constexpr std::uint8_t kTagPop = 0xB;
constexpr std::uint8_t kTagUsage = 0x0;
constexpr std::uint8_t kLongItemPrefix = 0xFE;
constexpr std::uint32_t kApplicationCollection = 1;

struct Item {
    std::uint8_t nType;
    std::uint8_t nTag;
    std::uint32_t nData;
    std::size_t nDataSize;
};

class ItemReader {
  public:
    explicit ItemReader(std::span<const std::uint8_t> bytes) : m_bytes(bytes) {}

    // The next short item; false at the end or at a truncated item. Long items are skipped.
    bool Next(Item& item) {
        while (m_nPos < m_bytes.size()) {
            const std::uint8_t nPrefix = m_bytes[m_nPos];
            if (nPrefix == kLongItemPrefix) {
                if (m_nPos + 1 >= m_bytes.size()) {
                    return false;
                }
                m_nPos += 3 + std::size_t{m_bytes[m_nPos + 1]};
                continue;
            }
            const std::size_t nSize = (nPrefix & 3) == 3 ? 4 : (nPrefix & 3);
            if (m_nPos + 1 + nSize > m_bytes.size()) {
                return false;
            }
            item.nType = static_cast<std::uint8_t>((nPrefix >> 2) & 3);
            item.nTag = static_cast<std::uint8_t>(nPrefix >> 4);
            item.nDataSize = nSize;
            item.nData = 0;
            for (std::size_t i = 0; i < nSize; ++i) {
                item.nData |= std::uint32_t{m_bytes[m_nPos + 1 + i]} << (8 * i);
            }
            m_nPos += 1 + nSize;
            return true;
        }
        return false;
    }

  private:
    std::span<const std::uint8_t> m_bytes;
    std::size_t m_nPos = 0;
};

struct ParserState {
    std::vector<std::uint16_t> usagePages{0};  // the global stack; back() is current
    bool bHaveUsage = false;
    std::uint32_t nFirstUsage = 0;
    std::size_t nFirstUsageSize = 0;
    int nDepth = 0;
};

void OnGlobal(ParserState& state, const Item& item) {
    if (item.nTag == kTagUsagePage) {
        state.usagePages.back() = static_cast<std::uint16_t>(item.nData);
    } else if (item.nTag == kTagPush) {
        state.usagePages.push_back(state.usagePages.back());
    } else if (item.nTag == kTagPop && state.usagePages.size() > 1) {
        state.usagePages.pop_back();
    }
}

// A collection takes the first usage declared before it, as the kernel does.
void OnLocal(ParserState& state, const Item& item) {
    if (item.nTag == kTagUsage && !state.bHaveUsage) {
        state.bHaveUsage = true;
        state.nFirstUsage = item.nData;
        state.nFirstUsageSize = item.nDataSize;
    }
}

void OnMain(ParserState& state, const Item& item, std::vector<TopLevelCollection>& found) {
    if (item.nTag == kTagCollection) {
        if (state.nDepth == 0 && (item.nData & 0xFF) == kApplicationCollection) {
            // A four-byte usage carries its own page in its upper half.
            const bool bExtended = state.nFirstUsageSize == 4;
            found.push_back({bExtended ? static_cast<std::uint16_t>(state.nFirstUsage >> 16)
                                       : state.usagePages.back(),
                             static_cast<std::uint16_t>(state.nFirstUsage & 0xFFFF)});
        }
        ++state.nDepth;
    } else if (item.nTag == kTagEndCollection && state.nDepth > 0) {
        --state.nDepth;
    }
    state.bHaveUsage = false;  // local items last until the next main item
    state.nFirstUsage = 0;
    state.nFirstUsageSize = 0;
}

}  // namespace

std::vector<TopLevelCollection> ParseTopLevelCollections(std::span<const std::uint8_t> descriptor) {
    std::vector<TopLevelCollection> found;
    ParserState state;
    ItemReader reader(descriptor);
    Item item{};
    while (reader.Next(item)) {
        switch (item.nType) {
            case kTypeMain:
                OnMain(state, item, found);
                break;
            case kTypeGlobal:
                OnGlobal(state, item);
                break;
            case kTypeLocal:
                OnLocal(state, item);
                break;
            default:
                break;
        }
    }
    return found;
}

}  // namespace sonvik::linux_hid
