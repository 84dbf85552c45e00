#pragma once

#include "common/wide_text.h"

namespace sonvik::win32 {

// A string of the program's string-table resource; the empty text when there is none.
WideText LoadResourceString(unsigned nId);

}  // namespace sonvik::win32
