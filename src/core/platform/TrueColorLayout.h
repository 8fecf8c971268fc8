#pragma once
// How a screen stores true-colour pixels in memory (an X server's image
// format and root visual: 8 to 32 bits a pixel, either byte order, any
// contiguous channel masks), and their conversion to 0xFFRRGGBB words.
#include <array>
#include <cstdint>

class TrueColorLayout {
public:
    TrueColorLayout() = default; // not valid: converts nothing
    TrueColorLayout(int bitsPerPixel, bool mostSignificantByteFirst, std::uint32_t redMask,
                    std::uint32_t greenMask, std::uint32_t blueMask);

    bool Valid() const { return valid_; }

    // Converts width pixels of a row to 0xFFRRGGBB words. Channels narrower
    // than 8 bits repeat their bits (5 bits 0b10000 -> 0x84), wider ones keep
    // their top 8 bits.
    void ToRgb32(const std::uint8_t* row, int width, std::uint32_t* out) const;

private:
    struct Channel {
        int shift = 0;          // to the channel's top 8 (or fewer) bits
        std::uint32_t mask = 0; // of those bits once shifted
        std::array<std::uint32_t, 256> value{}; // their 8-bit value, in place in 0xRRGGBB
    };
    std::uint32_t Read(const std::uint8_t* p) const;

    bool valid_ = false;
    bool rgb32_ = false; // 0x00RRGGBB in little-endian words: rows copy as they come
    int bytesPerPixel_ = 4;
    bool msbFirst_ = false;
    std::array<Channel, 3> channels_{};
};
