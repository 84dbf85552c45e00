#pragma once

#include <string>

namespace sonvik {

// Text as the dongle and the panels see it: UTF-16 code units, whatever the platform's wchar_t.
using WideText = std::u16string;

}  // namespace sonvik
