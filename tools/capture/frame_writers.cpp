// PNG through libpng; YUV4MPEG2 by hand.
#include "frame_writers.h"

#include <png.h>

#include <cstdio>

namespace capture {

namespace {

// libpng reports errors by longjmp: nothing here is changed after setjmp.
bool EncodePng(std::FILE* file, int width, int height, const std::vector<unsigned char>& rgba)
{
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (!png) return false;
    png_infop info = png_create_info_struct(png);
    if (!info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_init_io(png, file);
    // Opaque RGB: the demo's alpha channel carries nothing a viewer should see.
    png_set_IHDR(png, info, width, height, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    png_set_filler(png, 0, PNG_FILLER_AFTER);
    for (int row = 0; row < height; ++row)
        png_write_row(png, rgba.data() + static_cast<size_t>(row) * width * 4);
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

}  // namespace

bool WritePng(const std::string& path, int width, int height, const std::vector<unsigned char>& rgba)
{
    const std::string partial = path + ".partial";
    std::FILE* file = std::fopen(partial.c_str(), "wb");
    if (!file) return false;
    bool ok = EncodePng(file, width, height, rgba);
    ok = (std::fclose(file) == 0) && ok;
    if (ok) ok = std::rename(partial.c_str(), path.c_str()) == 0;
    if (!ok) std::remove(partial.c_str());
    return ok;
}

Y4mWriter::Y4mWriter(std::FILE* out, int width, int height)
    : out_(out), width_(width), height_(height), planes_(static_cast<size_t>(width) * height * 3)
{
}

bool Y4mWriter::WriteFrame(const std::vector<unsigned char>& rgba)
{
    if (!headerWritten_) {
        std::fprintf(out_, "YUV4MPEG2 W%d H%d F30:1 Ip A1:1 C444\n", width_, height_);
        headerWritten_ = true;
    }
    const size_t count = static_cast<size_t>(width_) * height_;
    unsigned char* y = planes_.data();
    unsigned char* u = y + count;
    unsigned char* v = u + count;
    for (size_t i = 0; i < count; ++i) {
        const int r = rgba[4 * i], g = rgba[4 * i + 1], b = rgba[4 * i + 2];
        y[i] = static_cast<unsigned char>(((66 * r + 129 * g + 25 * b + 128) >> 8) + 16);
        u[i] = static_cast<unsigned char>(((-38 * r - 74 * g + 112 * b + 128) >> 8) + 128);
        v[i] = static_cast<unsigned char>(((112 * r - 94 * g - 18 * b + 128) >> 8) + 128);
    }
    std::fputs("FRAME\n", out_);
    return std::fwrite(planes_.data(), 1, planes_.size(), out_) == planes_.size() && std::fflush(out_) == 0;
}

}  // namespace capture
