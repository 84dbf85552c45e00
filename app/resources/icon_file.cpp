#include "app/resources/icon_file.h"

#include <array>
#include <charconv>
#include <map>
#include <optional>
#include <sstream>

namespace sonvik {

namespace {

constexpr std::size_t kSide = 32;
constexpr std::size_t kPaletteSize = 16;
constexpr std::size_t kXorRowBytes = kSide / 2;  // two pixels per byte
constexpr std::size_t kAndRowBytes = kSide / 8;  // one bit per pixel; already 4-byte aligned
constexpr std::size_t kHeaderBytes = 6 + 16;     // the directory and its one entry
constexpr std::size_t kInfoBytes = 40;

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
};

// The XPM's quoted strings, in order: the values line, the colours, the pixel rows.
std::vector<std::string> QuotedStrings(std::string_view xpm) {
    std::vector<std::string> strings;
    for (std::size_t nOpen = xpm.find('"'); nOpen != std::string_view::npos;) {
        const std::size_t nClose = xpm.find('"', nOpen + 1);
        if (nClose == std::string_view::npos) {
            break;
        }
        strings.emplace_back(xpm.substr(nOpen + 1, nClose - nOpen - 1));
        nOpen = xpm.find('"', nClose + 1);
    }
    return strings;
}

// "#RRGGBB" as a colour, or "None" as transparency (nullopt); false for anything else.
bool ParseColour(std::string_view value, std::optional<Rgb>& colour) {
    if (value == "None") {
        colour.reset();
        return true;
    }
    unsigned nRgb = 0;
    if (value.size() != 7 || value[0] != '#' ||
        std::from_chars(value.data() + 1, value.data() + 7, nRgb, 16).ptr != value.data() + 7) {
        return false;
    }
    colour = Rgb{static_cast<std::uint8_t>(nRgb >> 16), static_cast<std::uint8_t>(nRgb >> 8),
                 static_cast<std::uint8_t>(nRgb)};
    return true;
}

// At most 4 bytes.
void PutLittleEndian(std::vector<std::uint8_t>& out, std::uint32_t nValue, int nBytes) {
    for (int i = 0; i < nBytes; ++i) {
        out.push_back(static_cast<std::uint8_t>(nValue >> (8 * i)));
    }
}

struct Artwork {
    std::array<Rgb, kPaletteSize> palette{};
    std::array<std::array<std::uint8_t, kSide>, kSide> index{};  // top row first
    std::array<std::array<bool, kSide>, kSide> bTransparent{};
};

bool ReadArtwork(std::string_view xpm, Artwork& art, std::string& error) {
    const std::vector<std::string> strings = QuotedStrings(xpm);
    int nWidth = 0, nHeight = 0, nColours = 0, nCharsPerPixel = 0;
    if (strings.empty() ||
        !(std::istringstream(strings[0]) >> nWidth >> nHeight >> nColours >> nCharsPerPixel)) {
        error = "no XPM values line";
        return false;
    }
    const int nSide = static_cast<int>(kSide);
    if (nWidth != nSide || nHeight != nSide || nCharsPerPixel != 1 || nColours < 1 ||
        nColours >= static_cast<int>(kPaletteSize) ||
        strings.size() < static_cast<std::size_t>(1 + nColours) + kSide) {
        error = "the artwork must be 32 x 32, one character per pixel, at most 15 colours";
        return false;
    }
    std::map<char, std::optional<std::uint8_t>> keys;  // nullopt: transparent
    std::uint8_t nNext = 1;
    for (int i = 0; i < nColours; ++i) {
        const std::string& line = strings[static_cast<std::size_t>(1 + i)];
        std::optional<Rgb> colour;
        if (line.size() < 5 || line.substr(1, 3) != " c " || !ParseColour(line.substr(4), colour)) {
            error = "unreadable colour line: " + line;
            return false;
        }
        if (colour) {
            art.palette[nNext] = *colour;
            keys[line[0]] = nNext++;
        } else {
            keys[line[0]] = std::nullopt;
        }
    }
    for (std::size_t y = 0; y < kSide; ++y) {
        const std::string& row = strings[static_cast<std::size_t>(1 + nColours) + y];
        if (row.size() != kSide) {
            error = "pixel row " + std::to_string(y) + " is not 32 wide";
            return false;
        }
        for (std::size_t x = 0; x < kSide; ++x) {
            const auto key = keys.find(row[static_cast<std::size_t>(x)]);
            if (key == keys.end()) {
                error = "pixel row " + std::to_string(y) + " uses an unlisted colour";
                return false;
            }
            art.bTransparent[y][x] = !key->second.has_value();
            art.index[y][x] = key->second.value_or(0);
        }
    }
    return true;
}

void WriteIco(const Artwork& art, std::vector<std::uint8_t>& ico) {
    const std::size_t nImageBytes =
        kInfoBytes + kPaletteSize * 4 + kSide * kXorRowBytes + kSide * kAndRowBytes;
    ico.clear();
    PutLittleEndian(ico, 0, 2);  // reserved
    PutLittleEndian(ico, 1, 2);  // an icon
    PutLittleEndian(ico, 1, 2);  // one image
    ico.insert(ico.end(), {kSide, kSide, kPaletteSize, 0});
    PutLittleEndian(ico, 1, 2);  // planes
    PutLittleEndian(ico, 4, 2);  // bits per pixel
    PutLittleEndian(ico, static_cast<std::uint32_t>(nImageBytes), 4);
    PutLittleEndian(ico, kHeaderBytes, 4);

    PutLittleEndian(ico, kInfoBytes, 4);
    PutLittleEndian(ico, kSide, 4);
    PutLittleEndian(ico, kSide * 2, 4);  // the colour rows and the mask rows
    PutLittleEndian(ico, 1, 2);
    PutLittleEndian(ico, 4, 2);
    PutLittleEndian(ico, 0, 4);  // uncompressed
    PutLittleEndian(ico, static_cast<std::uint32_t>(nImageBytes - kInfoBytes - kPaletteSize * 4),
                    4);
    ico.insert(ico.end(), 16, 0);  // resolution and colour counts: the defaults
    for (const Rgb& colour : art.palette) {
        ico.insert(ico.end(), {colour.b, colour.g, colour.r, 0});
    }
    for (std::size_t nRow = 0; nRow < kSide; ++nRow) {
        const std::size_t y = kSide - 1 - nRow;  // bottom row first
        for (std::size_t x = 0; x < kSide; x += 2) {
            ico.push_back(static_cast<std::uint8_t>(art.index[y][x] << 4 | art.index[y][x + 1]));
        }
    }
    for (std::size_t nRow = 0; nRow < kSide; ++nRow) {
        const std::size_t y = kSide - 1 - nRow;
        for (std::size_t x = 0; x < kSide; x += 8) {
            std::uint8_t nBits = 0;
            for (std::size_t bit = 0; bit < 8; ++bit) {
                nBits =
                    static_cast<std::uint8_t>(nBits << 1 | (art.bTransparent[y][x + bit] ? 1 : 0));
            }
            ico.push_back(nBits);
        }
    }
}

}  // namespace

bool ConvertXpmToIco(std::string_view xpm, std::vector<std::uint8_t>& ico, std::string& error) {
    Artwork art;
    if (!ReadArtwork(xpm, art, error)) {
        return false;
    }
    WriteIco(art, ico);
    return true;
}

}  // namespace sonvik
