#include "core/platform/TrueColorLayout.h"

#include <bit>
#include <cstring>

TrueColorLayout::TrueColorLayout(int bitsPerPixel, bool mostSignificantByteFirst,
                                 std::uint32_t redMask, std::uint32_t greenMask,
                                 std::uint32_t blueMask)
{
    if (bitsPerPixel != 8 && bitsPerPixel != 16 && bitsPerPixel != 24 && bitsPerPixel != 32)
        return;
    const std::uint64_t pixelBits = (std::uint64_t(1) << bitsPerPixel) - 1;
    const std::uint32_t masks[3] = {redMask, greenMask, blueMask};
    for (int c = 0; c < 3; ++c) {
        const std::uint32_t mask = masks[c];
        if (mask == 0 || (mask & ~pixelBits) != 0)
            return;
        const int low = std::countr_zero(mask);
        const int bits = std::popcount(mask);
        if (std::countr_one(mask >> low) != bits)
            return; // not contiguous
        Channel& channel = channels_[c];
        const int kept = bits < 8 ? bits : 8;
        channel.shift = low + bits - kept;
        channel.mask = (1u << kept) - 1;
        for (std::uint32_t v = 0; v <= channel.mask; ++v) {
            std::uint32_t wide = 0;
            for (int filled = 0; filled < 8; filled += kept)
                wide = (wide << kept) | v;
            wide >>= (8 + kept - 1) / kept * kept - 8;
            channel.value[v] = wide << (16 - 8 * c);
        }
    }
    bytesPerPixel_ = bitsPerPixel / 8;
    msbFirst_ = mostSignificantByteFirst && bitsPerPixel > 8;
    rgb32_ = std::endian::native == std::endian::little && bitsPerPixel == 32 && !msbFirst_ && redMask == 0xFF0000 && greenMask == 0xFF00
             && blueMask == 0xFF;
    valid_ = true;
}

std::uint32_t TrueColorLayout::Read(const std::uint8_t* p) const
{
    std::uint32_t raw = 0;
    if (msbFirst_)
        for (int i = 0; i < bytesPerPixel_; ++i)
            raw = (raw << 8) | p[i];
    else
        for (int i = bytesPerPixel_ - 1; i >= 0; --i)
            raw = (raw << 8) | p[i];
    return raw;
}

void TrueColorLayout::ToRgb32(const std::uint8_t* row, int width, std::uint32_t* out) const
{
    if (!valid_)
        return;
    if (rgb32_) {
        std::memcpy(out, row, std::size_t(width) * 4);
        for (int x = 0; x < width; ++x)
            out[x] |= 0xFF000000u;
        return;
    }
    for (int x = 0; x < width; ++x, row += bytesPerPixel_) {
        const std::uint32_t raw = Read(row);
        std::uint32_t rgb = 0xFF000000u;
        for (const Channel& c : channels_)
            rgb |= c.value[(raw >> c.shift) & c.mask];
        out[x] = rgb;
    }
}
