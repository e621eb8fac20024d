// A minimal PNG encoder (uncompressed deflate blocks) for looking at pictures drawn in tests.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// rgb holds width x height pixels of three bytes each, rows from the top.
std::vector<uint8_t> EncodePng(int width, int height, const std::vector<uint8_t>& rgb);
uint32_t Crc32(const uint8_t* data, size_t size, uint32_t crc = 0);
uint32_t Adler32(const uint8_t* data, size_t size);
