// The Windows icon made from the panel's artwork: the file the resource compiler takes, read back
// pixel by pixel against the XPM it came from.
#include "app/resources/icon_file.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace sonvik {
namespace {

std::uint32_t Read(const std::vector<std::uint8_t>& bytes, std::size_t nAt, int nBytes) {
    std::uint32_t nValue = 0;
    for (int i = nBytes - 1; i >= 0; --i) {
        nValue = nValue << 8 | bytes.at(nAt + static_cast<std::size_t>(i));
    }
    return nValue;
}

// The pixel at (x, y), counted from the top left, as its palette colour 0xRRGGBB, and whether
// the mask lets the background through.
struct Pixel {
    std::uint32_t nRgb;
    bool bTransparent;
};
Pixel PixelAt(const std::vector<std::uint8_t>& ico, int x, int y) {
    const std::size_t nPalette = 22 + 40;
    const std::size_t nXor = nPalette + 16 * 4;
    const std::size_t nAnd = nXor + 32 * 16;
    const std::size_t nRow = static_cast<std::size_t>(31 - y);  // stored bottom row first
    const std::uint8_t nPair = ico.at(nXor + nRow * 16 + static_cast<std::size_t>(x / 2));
    const std::size_t nIndex = x % 2 == 0 ? nPair >> 4 : nPair & 0xF;
    // Stored blue, green, red: read little-endian, that is 0xRRGGBB.
    const std::uint32_t nRgb = Read(ico, nPalette + nIndex * 4, 3);
    const std::uint8_t nMask = ico.at(nAnd + nRow * 4 + static_cast<std::size_t>(x / 8));
    return {nRgb, (nMask >> (7 - x % 8) & 1) != 0};
}

TEST(IconFile, TheArtworkBecomesOneSixteenColourIconOf32By32) {
    std::ifstream file(SONVIK_SOURCE_DIR "/app/resources/sonvik_icon.xpm");
    const std::string xpm(std::istreambuf_iterator<char>(file), {});
    std::vector<std::uint8_t> ico;
    std::string error;
    ASSERT_TRUE(ConvertXpmToIco(xpm, ico, error)) << error;

    ASSERT_EQ(ico.size(), 22u + 40 + 64 + 512 + 128);
    EXPECT_EQ(Read(ico, 2, 2), 1u);  // an icon
    EXPECT_EQ(Read(ico, 4, 2), 1u);  // one image
    EXPECT_EQ(ico[6], 32);
    EXPECT_EQ(ico[7], 32);
    EXPECT_EQ(ico[8], 16);
    EXPECT_EQ(Read(ico, 12, 2), 4u);  // bits per pixel
    EXPECT_EQ(Read(ico, 14, 4), ico.size() - 22);
    EXPECT_EQ(Read(ico, 18, 4), 22u);
    EXPECT_EQ(Read(ico, 22 + 8, 4), 64u);  // the image with its mask

    // Row 1 of the artwork: "...........kkkkkkkkkk..........."
    EXPECT_TRUE(PixelAt(ico, 0, 0).bTransparent);
    EXPECT_EQ(PixelAt(ico, 0, 0).nRgb, 0u);  // black under the mask, so nothing tints it
    EXPECT_TRUE(PixelAt(ico, 10, 1).bTransparent);
    EXPECT_FALSE(PixelAt(ico, 11, 1).bTransparent);
    EXPECT_EQ(PixelAt(ico, 11, 1).nRgb, 0x0B2247u);
    // Row 7: "...kkbbbbwwwbbccbbccbbbbbbbkk..."
    EXPECT_EQ(PixelAt(ico, 9, 7).nRgb, 0xFFFFFFu);
    EXPECT_EQ(PixelAt(ico, 14, 7).nRgb, 0x5FD0F0u);
    EXPECT_EQ(PixelAt(ico, 8, 7).nRgb, 0x1B4F9Cu);
}

TEST(IconFile, ArtworkItCannotTakeIsRefused) {
    const std::string row(32, 'a');
    std::string rows;
    for (int i = 0; i < 32; ++i) {
        rows += "\"" + row + "\",\n";
    }
    std::string sixteen = "\"32 32 16 1\",\n";
    for (int i = 0; i < 16; ++i) {
        sixteen += "\"" + std::string(1, static_cast<char>('a' + i)) + " c #000000\",\n";
    }
    const std::string cases[] = {
        "",
        "\"16 16 1 1\",\n\"a c #102030\",\n" + rows,
        "\"32 32 1 2\",\n\"aa c #102030\",\n" + rows,
        sixteen + rows,
        "\"32 32 1 1\",\n\"a c red\",\n" + rows,
        "\"32 32 1 1\",\n\"b c #102030\",\n" + rows,
        "\"32 32 1 1\",\n\"a c #102030\",\n\"" + row + "\",\n",
    };
    for (const std::string& xpm : cases) {
        std::vector<std::uint8_t> ico;
        std::string error;
        EXPECT_FALSE(ConvertXpmToIco(xpm, ico, error)) << xpm.substr(0, 40);
        EXPECT_FALSE(error.empty());
    }
}

}  // namespace
}  // namespace sonvik
