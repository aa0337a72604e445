#include "framework/binary_to_text.h"

#include <cstdarg>
#include <cstring>

#include "framework/message.h"
#include "framework/varnel_exception.h"

BinaryToTextConverter::BinaryToTextConverter(FILE* input, FILE* output)
    : input(input), output(output) {}

bool BinaryToTextConverter::atEnd() { return input.atEnd(); }

void BinaryToTextConverter::fail() {
  long long offset = input.offset();
  message += formatMessage(", input file offset: %lld (0x%llx)", offset,
                           static_cast<unsigned long long>(offset));
  throw VarnelException(message);
}

void BinaryToTextConverter::failWith(const char* format, ...) {
  va_list args;
  va_start(args, format);
  message = formatMessageV(format, args);
  va_end(args);
  fail();
  // Not reached: fail() throws. g++ does not trust [[noreturn]] on a virtual
  // call and would warn that this function returns.
  throw VarnelException(message);
}

int32_t BinaryToTextConverter::getLong() {
  unsigned char bytes[4];
  if (input.read(bytes, 4) < 4) failWith("Read failure");
  return decodeInt32(bytes);
}

void BinaryToTextConverter::getString(char* buffer, int maxchars) {
  int count = 0;
  for (;;) {
    int byte = input.readByte();
    if (byte < 0) failWith("Unexpected EOF while reading string");
    buffer[count++] = static_cast<char>(byte);
    if (count >= maxchars) failWith("getString buffer overflow, maxchars is %d", maxchars);
    if (byte == 0) return;
  }
}

void BinaryToTextConverter::getID(char* buffer) {
  unsigned char bytes[4];
  if (input.read(bytes, 4) < 4) failWith("getID read failure");
  if (bytes[0] == 0) {
    std::strcpy(buffer, "<NONE>");
    return;
  }
  std::memcpy(buffer, bytes, 4);
  buffer[4] = '\0';
}

float BinaryToTextConverter::getFloat() {
  unsigned char bytes[4];
  if (input.read(bytes, 4) < 4) failWith("getFloat read failure");
  int32_t bits = decodeInt32(bytes);
  float value;
  std::memcpy(&value, &bits, 4);
  return value;
}

int BinaryToTextConverter::getByte() {
  int byte = input.readByte();
  if (byte < 0) failWith("getByte read failure");
  return byte;
}

void BinaryToTextConverter::stripCR(char* text) {
  char* kept = text;
  for (char* p = text; *p; ++p) {
    if (*p != '\r') *kept++ = *p;
  }
  *kept = '\0';
}

void BinaryToTextConverter::writeQuoted(const char* text, const char* suffix) {
  output.put('"');
  const char* run = text;
  for (const char* p = text;; ++p) {
    if (*p == '\r' || *p == '\0') {
      output.write(run, p - run);
      if (*p == '\0') break;
      run = p + 1;
    }
  }
  output.write("\" ", 2);
  output.write(suffix, std::strlen(suffix));
}

void BinaryToTextConverter::expectFileID(const char* expected, const char* message) {
  char id[8];
  getID(id);
  if (std::strcmp(id, expected) != 0) failWith(message, id);
}

void BinaryToTextConverter::closeStreams() {
  if (streamsClosed_) return;
  outputGood_ = output.close();
  std::fclose(input.file());
  streamsClosed_ = true;
}
