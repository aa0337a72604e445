#include "framework/text_to_binary.h"

#include <cstdarg>
#include <cstring>

#include "framework/message.h"
#include "framework/number_format.h"
#include "framework/varnel_exception.h"

TextToBinaryConverter::TextToBinaryConverter(FILE* input, FILE* output)
    : input(input), output(output) {}

bool TextToBinaryConverter::atEnd() { return input.atEnd(); }

void TextToBinaryConverter::fail() {
  message += formatMessage(", line %d: %s", lineNumber, line);
  throw VarnelException(message);
}

void TextToBinaryConverter::failWith(const char* format, ...) {
  va_list args;
  va_start(args, format);
  message = formatMessageV(format, args);
  va_end(args);
  fail();
  // Not reached: fail() throws. g++ does not trust [[noreturn]] on a virtual
  // call and would warn that this function returns.
  throw VarnelException(message);
}

int TextToBinaryConverter::nextTag(const char* const* tags, bool mustMatch) {
  for (;;) {
    // A 32-bit count that wraps (without overflow) on a text of 2^31 lines.
    lineNumber = static_cast<int32_t>(static_cast<uint32_t>(lineNumber) + 1u);
    // On failure the line buffer keeps the previous line.
    if (input.readLine(line, kMaxLineChars + 1) < 0) {
      failWith("Unexpected EOF while getting line");
    }
    std::size_t length = std::strlen(line);
    if (length > 0 && line[length - 1] == '\n') line[length - 1] = '\0';
    readPosition = line;
    savedPosition = nullptr;
    if (!tags) return 0;
    skipSpaces();
    if (*readPosition == '\0' || (readPosition[0] == '/' && readPosition[1] == '/')) continue;
    char tag[256];
    getString(tag, sizeof tag);
    int index = lookup(tag, tags, false);
    if (index < 0 && mustMatch) failWith("Unexpected tag %s", tag);
    return index;
  }
}

int TextToBinaryConverter::expectTag(const char* tag, bool mustMatch) {
  if (!tag) return nextTag(nullptr, mustMatch);
  const char* tags[] = {tag, nullptr};
  return nextTag(tags, mustMatch);
}

int TextToBinaryConverter::getByte() {
  char word[256];
  getString(word, sizeof word);
  int64_t value;
  if (!parseInteger(word, &value)) failWith("Failed to get byte argument");
  if (value < -128 || value > 255) {
    failWith("Byte argument out of range: %lld", static_cast<long long>(value));
  }
  return static_cast<int>(value);
}

int32_t TextToBinaryConverter::getLong() {
  char word[256];
  getString(word, sizeof word);
  int64_t value;
  if (!parseInteger(word, &value)) failWith("Failed to get long argument");
  // 2147483648..4294967295 is taken as the unsigned spelling of the 32 bits;
  // anything beyond cannot be stored and would silently change.
  if (value < INT32_MIN || value > UINT32_MAX) failWith("Long argument out of range: %s", word);
  return static_cast<int32_t>(static_cast<uint32_t>(value));
}

float TextToBinaryConverter::getFloat() {
  char word[256];
  getString(word, sizeof word);
  float value;
  if (!parseReal(word, &value)) failWith("Failed to get float argument");
  return value;
}

void TextToBinaryConverter::getID(char* buffer) {
  std::memset(buffer, 0, 4);
  getString(buffer, 8);
  if (std::strlen(buffer) > 4 && std::strcmp(buffer, "<NONE>") != 0) {
    failWith("ID %s too long", buffer);
  }
}

void TextToBinaryConverter::getString(char* buffer, int maxchars) {
  savedPosition = readPosition;
  skipSpaces();
  if (*readPosition == '\0') failWith("Failed to find expected argument");
  int count = 0;
  for (;;) {
    char c = *readPosition;
    if (c == '\0') break;  // the read position stays at the end of the line
    ++readPosition;
    if (c == ' ') break;  // the blank that ends the word is consumed
    buffer[count++] = c;
    if (count >= maxchars) failWith("getString buffer overflow, maxchars is %d", maxchars);
  }
  buffer[count] = '\0';
}

void TextToBinaryConverter::unget() {
  if (!savedPosition) return;
  readPosition = savedPosition;
  savedPosition = nullptr;
}

void TextToBinaryConverter::getRestOfLine(char* buffer, int maxchars) {
  std::size_t length = std::strlen(readPosition);
  if (length + 1 >= static_cast<std::size_t>(maxchars)) {
    failWith("getString buffer overflow, maxchars is %d", maxchars);
  }
  std::memcpy(buffer, readPosition, length + 1);
  readPosition += length;
}

void TextToBinaryConverter::getQuotedString(char* buffer, int maxchars) {
  for (;;) {
    char c = *readPosition;
    if (c == '\0') failWith("Expected initial quote, got end of line in getString");
    ++readPosition;
    if (c == '"') break;
    if (c != ' ' && c != '\t') failWith("Expected initial quote, got char %c in getString", c);
  }
  int count = 0;
  for (;;) {
    char c = *readPosition;
    if (c == '\0') failWith("Unexpected end of line in getString");
    ++readPosition;
    if (c == '"') break;
    buffer[count++] = c;
    if (count >= maxchars - 1) {
      failWith("getQuotedString buffer overflow, maxchars is %d", maxchars);
    }
  }
  if (*readPosition == ' ') ++readPosition;
  buffer[count] = '\0';
}

void TextToBinaryConverter::getLongString(char* buffer, int maxchars, const char* terminator) {
  std::size_t terminatorLength = std::strlen(terminator);
  while (*readPosition != '"') {
    if (*readPosition == '\0') failWith("did not find leading quote in getLongString");
    ++readPosition;
  }
  ++readPosition;
  int count = 0;
  for (;;) {
    char c = *readPosition;
    if (c == '"' && readPosition[1] == ' ' &&
        std::strncmp(readPosition + 2, terminator, terminatorLength) == 0 &&
        isSeparator(readPosition[2 + terminatorLength])) {
      buffer[count] = '\0';
      readPosition += 2 + terminatorLength;
      if (*readPosition != '\0') ++readPosition;
      return;
    }
    if (c == '\0') {
      count += 2;
      if (count >= maxchars) failWith("Ran out of output string space in getLongString");
      if (atEnd()) failWith("Unexpected EOF in getLongString");
      buffer[count - 2] = '\r';
      buffer[count - 1] = '\n';
      expectTag(nullptr, false);
      continue;
    }
    buffer[count++] = c;
    if (count >= maxchars) failWith("Ran out of output string space in getLongString");
    ++readPosition;
  }
}

void TextToBinaryConverter::expect(const char* word) {
  char got[256];
  getString(got, sizeof got);
  if (std::strcmp(got, word) != 0) failWith("Expected %s, got %s", word, got);
}

bool TextToBinaryConverter::isSeparator(char c) {
  return c == '\0' || c == '\t' || c == '\n' || c == '\r' || c == ' ';
}

void TextToBinaryConverter::skipSpaces() {
  while (*readPosition == ' ' || *readPosition == '\t') ++readPosition;
}

int TextToBinaryConverter::lookup(const char* word, const char* const* list, bool mustMatch) {
  for (int i = 0; list[i]; ++i) {
    if (std::strcmp(word, list[i]) == 0) return i;
  }
  if (mustMatch) failWith("Unexpected string %s", word);
  return -1;
}

void TextToBinaryConverter::beginCount() {
  if (sectionDepth == kMaxOpenSections) failWith("Counted section stack overflow");
  sectionStack[sectionDepth++] = output.position();
  writeLong(0);
}

void TextToBinaryConverter::endCount(int32_t count) {
  if (sectionDepth == 0) failWith("Counted section stack underflow");
  --sectionDepth;
  if (!output.patchInt32(sectionStack[sectionDepth], count)) failWith("Failed to write count");
}

void TextToBinaryConverter::writeByte(int value) {
  unsigned char byte = static_cast<unsigned char>(value);
  if (!output.write(&byte, 1)) failWith("Failed to write byte");
}

void TextToBinaryConverter::writeLong(int32_t value) {
  if (!output.writeInt32(value)) failWith("Failed to write longword");
}

void TextToBinaryConverter::writeFloat(float value) {
  int32_t bits;
  std::memcpy(&bits, &value, 4);
  if (!output.writeInt32(bits)) failWith("Failed to write float");
}

void TextToBinaryConverter::writeString(const char* text) {
  if (!output.write(text, std::strlen(text) + 1)) failWith("Failed to write string %s", text);
}

void TextToBinaryConverter::writeID(const char* id) {
  static const char kNone[4] = {0, 0, 0, 0};
  const char* bytes = std::strcmp(id, "<NONE>") == 0 ? kNone : id;
  if (!output.write(bytes, 4)) failWith("Failed to write ID %s", id);
}
