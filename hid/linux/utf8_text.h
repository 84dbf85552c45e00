#pragma once

#include <string_view>

#include "common/wide_text.h"

namespace sonvik::linux_hid {

// UTF-8 to UTF-16, at most nMaxUnits code units; a malformed sequence becomes U+FFFD. A
// character whose surrogate pair would not fit whole is left out.
WideText Utf8ToWide(std::string_view utf8, std::size_t nMaxUnits);

}  // namespace sonvik::linux_hid
