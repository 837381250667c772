#include "image_diff.hpp"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdlib>

#include "judge.hpp"

namespace conformance {

namespace {

// The next whitespace-separated token from pos, or "" at the end.
std::string next_token(const std::string& text, std::size_t& pos) {
  pos = std::min(pos, text.size());
  while (pos < text.size() && std::isspace(static_cast<unsigned char>(text[pos]))) pos++;
  const std::size_t start = pos;
  while (pos < text.size() && !std::isspace(static_cast<unsigned char>(text[pos]))) pos++;
  return text.substr(start, pos - start);
}

// A non-negative decimal number of at most nine digits, or -1.
long number(const std::string& token) {
  if (token.empty() || token.size() > 9) return -1;
  for (char c : token)
    if (!std::isdigit(static_cast<unsigned char>(c))) return -1;
  return std::strtol(token.c_str(), nullptr, 10);
}

std::string point(long x, long y) {
  return "(" + std::to_string(x) + ", " + std::to_string(y) + ")";
}

}  // namespace

std::size_t GreyImage::area() const {
  if (!header_complete()) return 0;
  // Nine digits each: the product fits 64 bits, not always a size_t.
  const auto product = static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height);
  return static_cast<std::size_t>(std::min<std::uint64_t>(product, SIZE_MAX));
}

std::string GreyImage::header() const {
  std::string h = magic;
  for (long v : {width, height, maximum}) h += v < 0 ? " ?" : " " + std::to_string(v);
  return h;
}

GreyImage read_grey_image(const std::string& text, std::size_t max_pixels) {
  GreyImage image;
  // The magic is the first two bytes, as the programs read it.
  image.magic = text.substr(0, 2);
  std::size_t pos = 2;
  for (long* field : {&image.width, &image.height, &image.maximum}) {
    *field = number(next_token(text, pos));
    if (*field < 0) return image;
  }
  const std::size_t area = image.area();
  for (std::string token = next_token(text, pos); !token.empty(); token = next_token(text, pos)) {
    const long v = number(token);
    if (v < 0) {
      image.stopped_at = token.substr(0, 20);
      break;
    }
    if (image.pixels.size() >= area || image.pixels.size() >= max_pixels)
      image.extra++;
    else
      image.pixels.push_back(static_cast<int>(v));
  }
  return image;
}

bool is_grey_image(const GreyImage& image, const std::string& text) {
  if (!image.header_complete() || image.area() == 0 || !image.stopped_at.empty()) return false;
  if (image.extra != 0 || image.pixels.size() != image.area()) return false;
  if (text.size() < 3 || !std::isspace(static_cast<unsigned char>(text[2]))) return false;
  for (int v : image.pixels)
    if (v > image.maximum) return false;
  return true;
}

ImageComparison compare_images(const GreyImage& want, const GreyImage& got) {
  ImageComparison c;
  c.pixels = want.area();
  if (got.magic.empty()) {
    c.mismatch = "missing: the output is empty";
  } else if (!got.header_complete() || got.maximum != want.maximum) {
    c.mismatch = "header differs: expected \"" + want.header() + "\", got \"" + got.header() + "\"";
  } else if (got.width != want.width || got.height != want.height) {
    c.mismatch = "size differs: expected " + std::to_string(want.width) + " x " +
                 std::to_string(want.height) + ", got " + std::to_string(got.width) + " x " +
                 std::to_string(got.height) + " (headers \"" + want.header() + "\" and \"" +
                 got.header() + "\")";
  }
  if (!c.mismatch.empty()) return c;
  for (std::size_t i = 0; i < c.pixels; i++) {
    if (i >= got.pixels.size()) {
      c.missing = c.pixels - i;
      c.differing += c.missing;
      break;
    }
    const int d = std::abs(got.pixels[i] - want.pixels[i]);
    if (d == 0) continue;
    c.differing++;
    if (d > c.largest) {
      c.largest = d;
      c.largest_x = static_cast<long>(i % static_cast<std::size_t>(want.width));
      c.largest_y = static_cast<long>(i / static_cast<std::size_t>(want.width));
    }
  }
  return c;
}

std::string ImageComparison::summary() const {
  if (!mismatch.empty()) return "image " + mismatch;
  if (differing == 0) return "image has the expected pixels; the text around them differs";
  const std::string largest_text =
      "largest difference " + std::to_string(largest) + " at " + point(largest_x, largest_y);
  // An image that ends early was cut off (a timeout, a crash): counting the
  // pixels it never wrote as differing would call it a wrong picture.
  if (missing > 0) {
    const std::size_t written = pixels - missing, wrong = differing - missing;
    std::string line =
        "image cut off after " + with_commas(written) + " of " + with_commas(pixels) + " pixels";
    if (wrong == 0) return line + (written == 0 ? "" : "; the pixels written are right");
    return line + "; " + with_commas(wrong) + " of the pixels written differ, " + largest_text;
  }
  return "image differs in " + with_commas(differing) + " of " + with_commas(pixels) + " pixels; " +
         largest_text;
}

std::string image_difference(const GreyImage& want, const GreyImage& got) {
  const ImageComparison c = compare_images(want, got);
  std::string line = c.summary();
  if (!got.stopped_at.empty()) line += "; reading stopped at \"" + got.stopped_at + "\"";
  if (c.mismatch.empty() && got.extra != 0)
    line += "; " + with_commas(got.extra) + " values after the last pixel";
  return line;
}

std::optional<std::string> image_difference(const std::string& want, const std::string& got) {
  const GreyImage expected = read_grey_image(want);
  if (!is_grey_image(expected, want)) return std::nullopt;
  return image_difference(expected, read_grey_image(got));
}

}  // namespace conformance
