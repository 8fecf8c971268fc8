#pragma once
// Decodes the JPEG pictures stored with the windows, through libjpeg.
#include <cstdint>
#include <optional>
#include <vector>

struct DecodedJpeg {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb; // width * height * 3, row by row
};

// Returns nothing for data that is not a readable JPEG picture.
std::optional<DecodedJpeg> DecodeJpeg(const std::uint8_t* data, std::size_t size);
