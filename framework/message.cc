#include "framework/message.h"

#include <cstdio>

std::string formatMessageV(const char* format, va_list args) {
  va_list copy;
  va_copy(copy, args);
  char small[256];
  int length = std::vsnprintf(small, sizeof small, format, copy);
  va_end(copy);
  if (length < 0) return format;
  if (static_cast<std::size_t>(length) < sizeof small) return std::string(small, length);
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  std::vsnprintf(text.data(), text.size(), format, args);
  text.resize(static_cast<std::size_t>(length));
  return text;
}

std::string formatMessage(const char* format, ...) {
  va_list args;
  va_start(args, format);
  std::string text = formatMessageV(format, args);
  va_end(args);
  return text;
}
