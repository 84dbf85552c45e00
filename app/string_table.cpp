#include "app/string_table.h"

#include <algorithm>
#include <array>

namespace sonvik {

namespace {

constexpr StringEntry kStringTable[] = {
#define SONVIK_STRING(id, text) {id, u"" text},
#include "app/string_table.def"
#undef SONVIK_STRING
};

static_assert(std::is_sorted(std::begin(kStringTable), std::end(kStringTable),
                             [](const StringEntry& a, const StringEntry& b) {
                                 return a.nId < b.nId;
                             }),
              "the string table is kept in ID order");

}  // namespace

std::span<const StringEntry> GetStringTable() {
    return kStringTable;
}

WideText LoadStringText(unsigned nId) {
    const auto* pEnd = std::end(kStringTable);
    const auto* pEntry =
        std::lower_bound(std::begin(kStringTable), pEnd, nId,
                         [](const StringEntry& entry, unsigned nKey) { return entry.nId < nKey; });
    return pEntry != pEnd && pEntry->nId == nId ? WideText(pEntry->pszText) : WideText();
}

}  // namespace sonvik
