// Pictures for the HTML report, encoded as PNG by libpng and embedded as
// data: URIs, so that the report is one file.
#pragma once

#include <string>
#include <vector>

namespace conformance {

struct Picture {
  int width = 0, height = 0;
  int channels = 1;                    // 1: grey, 3: red, green, blue
  std::vector<unsigned char> samples;  // row after row, channels per pixel
};

// False when the runner was built without libpng: the report then describes
// image differences in words only.
bool can_encode_png();

// The picture as a PNG file's bytes; empty without libpng or on failure.
std::string encode_png(const Picture& picture);

std::string base64(const std::string& bytes);

}  // namespace conformance
