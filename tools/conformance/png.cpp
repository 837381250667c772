#include "png.hpp"

#ifdef SUITE_HAVE_PNG
#include <png.h>
#endif

namespace conformance {

#ifdef SUITE_HAVE_PNG

bool can_encode_png() {
  return true;
}

std::string encode_png(const Picture& picture) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(picture.width);
  image.height = static_cast<png_uint_32>(picture.height);
  image.format = picture.channels == 3 ? PNG_FORMAT_RGB : PNG_FORMAT_GRAY;
  const std::size_t expected = static_cast<std::size_t>(picture.width) *
                               static_cast<std::size_t>(picture.height) *
                               static_cast<std::size_t>(picture.channels);
  if (picture.width <= 0 || picture.height <= 0 || picture.samples.size() != expected) return "";
  // Room for the largest PNG the picture can make: one pass of the encoder.
  png_alloc_size_t size = PNG_IMAGE_PNG_SIZE_MAX(image);
  std::string bytes(size, '\0');
  if (!png_image_write_to_memory(&image, bytes.data(), &size, 0, picture.samples.data(), 0,
                                 nullptr))
    return "";
  bytes.resize(size);
  return bytes;
}

#else

bool can_encode_png() {
  return false;
}

std::string encode_png(const Picture&) {
  return "";
}

#endif

std::string base64(const std::string& bytes) {
  static const char digits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string text;
  text.reserve((bytes.size() + 2) / 3 * 4);
  for (std::size_t i = 0; i < bytes.size(); i += 3) {
    unsigned group = static_cast<unsigned char>(bytes[i]) << 16;
    if (i + 1 < bytes.size()) group |= static_cast<unsigned char>(bytes[i + 1]) << 8;
    if (i + 2 < bytes.size()) group |= static_cast<unsigned char>(bytes[i + 2]);
    text += digits[(group >> 18) & 63];
    text += digits[(group >> 12) & 63];
    text += i + 1 < bytes.size() ? digits[(group >> 6) & 63] : '=';
    text += i + 2 < bytes.size() ? digits[group & 63] : '=';
  }
  return text;
}

}  // namespace conformance
