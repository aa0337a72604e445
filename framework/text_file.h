// Text files as the suite reads and writes them.
//
// The text form is DOS text: every line feed written reaches the disk as a
// carriage return and line feed, and on reading a carriage return directly
// before a line feed is dropped (a lone carriage return is kept). Linux has
// no text mode, so these two classes do that translation themselves; every
// text file of the suite goes through them.
#ifndef FRAMEWORK_TEXT_FILE_H_
#define FRAMEWORK_TEXT_FILE_H_

#include <cstdint>
#include <cstdio>
#include <string_view>

#include "framework/number_format.h"
#include "framework/output_buffer.h"

// Buffered writer of a text file opened with "w". Formatting is done here,
// not by printf: print() takes a printf-like format with the conversions
// %d, %x, %f, %s, %c and %%, each giving exactly the bytes printf would.
class TextWriter : public OutputBuffer {
 public:
  explicit TextWriter(FILE* file) : OutputBuffer(file) {}

  // Writes text, turning each line feed into a carriage return and line feed.
  void write(const char* data, std::size_t size);
  void write(std::string_view text) { write(text.data(), text.size()); }
  void put(char c) {
    if (c == '\n') {
      append("\r\n", 2);
    } else {
      append(&c, 1);
    }
  }
  void writeInt(int32_t value) {
    char digits[kMaxIntChars];
    append(digits, formatInt(digits, value) - digits);
  }
  void writeReal(float value) {
    char digits[kMaxRealChars];
    append(digits, formatReal(digits, value) - digits);
  }

  // One printf argument; built implicitly from the types that print takes.
  struct Arg {
    enum Kind { kInt, kReal, kText, kChar } kind;
    union {
      int64_t integer;
      double real;
      const char* text;
    };
    Arg(int value) : kind(kInt), integer(value) {}
    Arg(long value) : kind(kInt), integer(value) {}
    Arg(long long value) : kind(kInt), integer(value) {}
    Arg(unsigned value) : kind(kInt), integer(value) {}
    Arg(float value) : kind(kReal), real(value) {}
    Arg(double value) : kind(kReal), real(value) {}
    Arg(const char* value) : kind(kText), text(value) {}
    Arg(char value) : kind(kChar), integer(static_cast<unsigned char>(value)) {}
  };

  template <typename... Args>
  void print(const char* format, const Args&... args) {
    const Arg list[] = {Arg(args)..., Arg(0)};
    printArgs(format, list, sizeof...(Args));
  }

 private:
  void printArgs(const char* format, const Arg* args, std::size_t count);
};

// Line reader of a text file opened with "r", the counterpart of fgets on a
// text-mode stream.
class TextReader {
 public:
  explicit TextReader(FILE* file) : file_(file) {}
  TextReader(const TextReader&) = delete;
  TextReader& operator=(const TextReader&) = delete;

  // Reads like fgets(line, capacity, file): at most capacity - 1 characters
  // (counted after the carriage return of a CR LF pair is dropped), up to
  // and including the next line feed, then a terminating zero. Returns the
  // number of characters stored, or -1 when the input was already at its
  // end and nothing was read.
  long readLine(char* line, std::size_t capacity);

  // The end-of-file indicator: set once a read has run into the end of the
  // file, not before (a last line that ends in a line feed leaves it clear).
  bool atEnd() const { return atEnd_; }

  FILE* file() const { return file_; }

 private:
  // Makes at least one unread byte available; false at the end of the file.
  bool fill();

  FILE* file_;
  char buffer_[1 << 16];
  std::size_t begin_ = 0;
  std::size_t end_ = 0;
  bool atEnd_ = false;
};

#endif  // FRAMEWORK_TEXT_FILE_H_
