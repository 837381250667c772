// The plain-text greyscale image the image programs write (P2, width,
// height, maximum value, then the pixel values row by row), read back from
// expected and actual output and compared pixel by pixel.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace conformance {

struct GreyImage {
  std::string magic;                           // as written: "P2" when right
  long width = -1, height = -1, maximum = -1;  // -1: missing or not a number
  std::vector<int> pixels;                     // as many values as were read, row after row
  std::string stopped_at;  // a token that is not a pixel value, where reading stopped
  std::size_t extra = 0;   // values after the last pixel
  bool header_complete() const {
    return magic == "P2" && width >= 0 && height >= 0 && maximum >= 0;
  }
  std::size_t area() const;    // width × height, 0 when the header is incomplete
  std::string header() const;  // the header in one line, "P2 192 192 255"
};

// Reads what a build wrote, however wrong; never more than max_pixels values.
GreyImage read_grey_image(const std::string& text, std::size_t max_pixels = 1u << 22);

// True for output that is exactly a well-formed image: the only output the
// comparison treats as a picture on the expected side.
bool is_grey_image(const GreyImage& image, const std::string& text);

struct ImageComparison {
  std::string mismatch;  // a header or size difference in words, or ""
  std::size_t pixels = 0, differing = 0, missing = 0;
  int largest = 0;  // largest difference among the pixels both images hold
  long largest_x = -1, largest_y = -1;
  // The one line of the report; an image that ends early is "cut off".
  std::string summary() const;
};

ImageComparison compare_images(const GreyImage& want, const GreyImage& got);

// The report's line for two images, the expected one well-formed.
std::string image_difference(const GreyImage& want, const GreyImage& got);

// The report's line for two outputs when the expected one is an image.
std::optional<std::string> image_difference(const std::string& want, const std::string& got);

}  // namespace conformance
