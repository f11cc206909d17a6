// PNG files for the developer tools: 8-bit RGB.
#pragma once

#include <string>

// Writes `rgb` (width * height * 3 bytes, rows from top to bottom) as a PNG file.
// Returns false when the file cannot be written or the size is unusable.
bool writePng(const std::string& path, int width, int height, const unsigned char* rgb);
