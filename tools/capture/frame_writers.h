// Where captured frames go: whole PNG files in a folder, or one YUV4MPEG2
// stream. Pixels arrive as RGBA rows, top row first.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

namespace capture {

// Writes path atomically: the picture goes to a temporary name first and is
// renamed into place only once complete. False on any failure.
bool WritePng(const std::string& path, int width, int height, const std::vector<unsigned char>& rgba);

// A 4:4:4 YUV4MPEG2 stream at 30 frames per second (BT.601, studio range).
class Y4mWriter {
public:
    Y4mWriter(std::FILE* out, int width, int height);
    bool WriteFrame(const std::vector<unsigned char>& rgba);

private:
    std::FILE* out_;
    int width_, height_;
    bool headerWritten_ = false;
    std::vector<unsigned char> planes_;
};

}  // namespace capture
