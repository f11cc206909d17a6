// PNG files for the developer tools, written by libpng.
#include "tools/png_write.h"

#include <png.h>

bool writePng(const std::string& path, int width, int height, const unsigned char* rgb) {
    if (width <= 0 || height <= 0 || rgb == nullptr) {
        return false;
    }
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(width);
    image.height = static_cast<png_uint_32>(height);
    image.format = PNG_FORMAT_RGB;
    const bool written =
        png_image_write_to_file(&image, path.c_str(), 0, rgb, width * 3, nullptr) != 0;
    png_image_free(&image);
    return written;
}
