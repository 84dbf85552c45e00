#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace sonvik {

// Turns the panel's XPM artwork into the Windows icon resource: one 32 x 32 image in 16 colours
// (4 bits per pixel) with its transparency mask. Palette entry 0 is black, which transparent
// pixels use so that the mask alone decides what shows through; the artwork's colours follow in
// the order the XPM lists them. False with a reason in error for XPM text it cannot take: other
// sizes, more than 15 colours, or more than one character per pixel.
bool ConvertXpmToIco(std::string_view xpm, std::vector<std::uint8_t>& ico, std::string& error);

}  // namespace sonvik
