// A stream's buffer as the C library's own getc_unlocked and putc_unlocked
// see it: the only code that knows the C library's stream layout. A
// conversion that starts and ends inside the unread bytes is parsed in place
// and consumed by moving the read pointer, exactly where reading byte by byte
// and giving back the terminator would leave it; one that runs into the end
// of the buffer is read byte by byte from where it starts. Output is appended
// to the buffer while there is room. Without a known layout every access
// reports no buffer, and the conversions take the byte-by-byte paths.
#pragma once

#include <cstddef>
#include <cstdio>
#include <cstring>

#include "digits.h"

namespace runtime_detail {

#if defined(__GLIBC__)
inline constexpr bool buffer_access = true;
// (A stream not yet read has no buffer: both pointers are null.)
inline const char* unread_begin(std::FILE* in) {
  return in->_IO_read_ptr;
}
inline const char* unread_end(std::FILE* in) {
  return in->_IO_read_end;
}
inline void consume_to(std::FILE* in, const char* p) {
  in->_IO_read_ptr = const_cast<char*>(p);
}
// A line-buffered or unbuffered stream is kept at no room.
inline bool room_for(std::FILE* out, std::size_t n) {
  return out->_IO_write_end - out->_IO_write_ptr >= static_cast<std::ptrdiff_t>(n);
}
inline char* write_position(std::FILE* out) {
  return out->_IO_write_ptr;
}
inline void advance_write(std::FILE* out, std::size_t n) {
  out->_IO_write_ptr += n;
}
#else
inline constexpr bool buffer_access = false;
inline const char* unread_begin(std::FILE*) {
  return nullptr;
}
inline const char* unread_end(std::FILE*) {
  return nullptr;
}
inline void consume_to(std::FILE*, const char*) {}
inline bool room_for(std::FILE*, std::size_t) {
  return false;
}
inline char* write_position(std::FILE*) {
  return nullptr;
}
inline void advance_write(std::FILE*, std::size_t) {}
#endif

// Skips the white space inside the buffer and returns where the rest starts.
inline const char* skip_buffered_space(std::FILE* in) {
  const char* p = unread_begin(in);
  const char* const end = unread_end(in);
  while (p < end && is_space(*p)) p++;
  consume_to(in, p);
  return p;
}

// Skips white space and returns the first other character, consumed (EOF at
// the end of input): what scanf does before every conversion but "%c".
inline int skip_space(std::FILE* in) {
  int c;
  do c = getc_unlocked(in);
  while (is_space(c));
  return c;
}

// Gives back the character that ended a conversion, as scanf does; the end of
// input is not a character and stays seen.
inline void push_back(int c, std::FILE* in) {
  if (c != EOF) std::ungetc(c, in);
}

// Into the buffer when it has room, else through the library's own path.
inline void write_text(std::FILE* out, const char* text, std::size_t n) {
  if (buffer_access && room_for(out, n)) {
    std::memcpy(write_position(out), text, n);
    advance_write(out, n);
  } else {
    fwrite_unlocked(text, 1, n, out);
  }
}

}  // namespace runtime_detail
