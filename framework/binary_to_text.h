// Base of the converters that turn a binary map file into its text form.
//
// A derived class implements convert(): it reads the binary fields in file
// order with the get operations and prints the text with output.print().
// Every read that fails, and every failure of the derived class, goes
// through fail(), which appends ", input file offset: %d (0x%x)" to the
// message and throws VarnelException.
#ifndef FRAMEWORK_BINARY_TO_TEXT_H_
#define FRAMEWORK_BINARY_TO_TEXT_H_

#include <cstdint>
#include <cstdio>
#include <string>

#include "framework/binary_file.h"
#include "framework/text_file.h"

class BinaryToTextConverter {
 public:
  // The streams stay the caller's: the converter neither owns nor closes
  // them, unless a derived convert() calls closeStreams().
  BinaryToTextConverter(FILE* input, FILE* output);
  virtual ~BinaryToTextConverter() = default;
  BinaryToTextConverter(const BinaryToTextConverter&) = delete;
  BinaryToTextConverter& operator=(const BinaryToTextConverter&) = delete;

  // Performs the whole conversion; returns true.
  virtual bool convert() = 0;

  // True once a read has run into the end of the input; never looks ahead.
  virtual bool atEnd();
  // Appends the input offset to message and throws VarnelException.
  [[noreturn]] virtual void fail();

  // 4 bytes, little-endian two's complement. Short: "Read failure".
  virtual int32_t getLong();
  // A zero-terminated string into buffer of maxchars places, terminator
  // included, so at most maxchars - 2 characters: the check follows each
  // store and the terminator counts.
  virtual void getString(char* buffer, int maxchars);
  // 4 bytes into buffer (at least 7 places) as text of up to four
  // characters, or "<NONE>" when the first byte is zero.
  virtual void getID(char* buffer);
  // 4 bytes, little-endian IEEE 754 single.
  virtual float getFloat();
  // 1 byte, 0..255.
  virtual int getByte();
  // Removes every carriage return from text in place.
  virtual void stripCR(char* text);
  // Writes "\"", text without its carriage returns, "\" " and suffix as it
  // stands. Line feeds in text are kept, so the value may span lines.
  virtual void writeQuoted(const char* text, const char* suffix);

  // Reads a four-byte file ID with getID and fails with message, a format
  // that receives the ID as read, unless the ID is expected.
  void expectFileID(const char* expected, const char* message);

  // Flushes and closes both streams (the object-table converters close them
  // at the end of convert()); the program entry then leaves them alone.
  void closeStreams();
  bool streamsClosed() const { return streamsClosed_; }
  // False when the text output could not be written completely.
  bool outputGood() const { return outputGood_ && output.good(); }

 protected:
  // Formats message with a printf format, then fails.
  [[noreturn]] void failWith(const char* format, ...)
      __attribute__((format(printf, 2, 3)));

  BinaryReader input;
  TextWriter output;
  // The message under construction; any length (a message quoting a long
  // value is kept whole rather than cut).
  std::string message;

 private:
  bool streamsClosed_ = false;
  bool outputGood_ = true;
};

#endif  // FRAMEWORK_BINARY_TO_TEXT_H_
