// Base of the converters that turn the text form back into a binary file.
//
// The text is read a line at a time. nextTag() finds the next tagged line
// (blank lines and "//" comment lines are skipped), the argument parsers take
// words, numbers, identifiers and strings from the read position onwards,
// and the writers put each field into the binary output as soon as it is
// parsed. A list whose length the file stores is bracketed by beginCount()
// and endCount(n): the first writes a zero placeholder, the second fills it.
// Every failure goes through fail(), which appends ", line %d: %s" with the
// current line and throws VarnelException.
#ifndef FRAMEWORK_TEXT_TO_BINARY_H_
#define FRAMEWORK_TEXT_TO_BINARY_H_

#include <cstdint>
#include <cstdio>
#include <string>

#include "framework/binary_file.h"
#include "framework/text_file.h"

class TextToBinaryConverter {
 public:
  // A line longer than this is read in pieces of this many characters, each
  // counted as a line of its own.
  static constexpr int kMaxLineChars = 16382;
  // At most this many counted sections may be open at once.
  static constexpr int kMaxOpenSections = 15;

  // The streams stay the caller's: the converter neither owns nor closes them.
  TextToBinaryConverter(FILE* input, FILE* output);
  virtual ~TextToBinaryConverter() = default;
  TextToBinaryConverter(const TextToBinaryConverter&) = delete;
  TextToBinaryConverter& operator=(const TextToBinaryConverter&) = delete;

  // Performs the whole conversion; returns true.
  virtual bool convert() = 0;

  // True once a read has run into the end of the text.
  virtual bool atEnd();
  // Appends the line number and line to message and throws VarnelException.
  [[noreturn]] virtual void fail();

  // Reads lines until one holds a tag and returns the tag's index in tags
  // (a list ended by nullptr), or -1 when it is not there and mustMatch is
  // false. With tags == nullptr the very next line is taken as it stands
  // and 0 returned.
  virtual int nextTag(const char* const* tags, bool mustMatch);
  // nextTag with the one-tag list {tag}: 0 on a match, -1 otherwise. A null
  // tag takes the next line as it stands.
  virtual int expectTag(const char* tag, bool mustMatch);

  // Integer in -128..255 ("%d").
  virtual int getByte();
  // Integer ("%d") from the next word.
  virtual int32_t getLong();
  // Real ("%f" into a float) from the next word.
  virtual float getFloat();
  // Identifier of one to four characters or "<NONE>" into buffer (at least
  // 8 places); the bytes after a shorter identifier are zero.
  virtual void getID(char* buffer);
  // The next word: blanks and tabs skipped, then everything up to the next
  // blank (which is consumed) or the end of the line; at most maxchars - 1
  // characters. Remembers where it started, for unget().
  virtual void getString(char* buffer, int maxchars);
  // Moves the read position back to where the last getString() started.
  virtual void unget();
  // Everything from the read position to the end of the line, as it stands;
  // at most maxchars - 2 characters.
  virtual void getRestOfLine(char* buffer, int maxchars);
  // "text" on the current line; at most maxchars - 2 characters.
  virtual void getQuotedString(char* buffer, int maxchars);
  // A value from the first double quote on, over any number of lines, up to
  // a double quote followed by a blank, terminator and a separator. Each
  // line break becomes CR LF and counts two; at most maxchars - 1 characters.
  virtual void getLongString(char* buffer, int maxchars, const char* terminator);
  // Reads the next word and fails unless it is word.
  virtual void expect(const char* word);
  // The end of the line, a tab, a line feed, a carriage return or a blank.
  virtual bool isSeparator(char c);
  // Moves the read position past blanks and tabs.
  virtual void skipSpaces();
  // Index of word in list (ended by nullptr), or -1; with mustMatch a word
  // not in the list fails with "Unexpected string %s".
  virtual int lookup(const char* word, const char* const* list, bool mustMatch);

  // Opens a counted section: writes a 32-bit zero placeholder.
  virtual void beginCount();
  // Closes the innermost counted section, writing count into its placeholder.
  virtual void endCount(int32_t count);

  virtual void writeByte(int value);  // low 8 bits
  virtual void writeLong(int32_t value);
  virtual void writeFloat(float value);
  virtual void writeString(const char* text);  // with its zero byte
  // Four zero bytes for "<NONE>", else the first four bytes of id's buffer.
  virtual void writeID(const char* id);

  // False when the binary output could not be written completely.
  bool outputGood() const { return output.good(); }

 protected:
  // Formats message with a printf format, then fails.
  [[noreturn]] void failWith(const char* format, ...)
      __attribute__((format(printf, 2, 3)));

  TextReader input;
  BinaryWriter output;
  // The message under construction; any length (a message quoting a long
  // line is kept whole rather than cut).
  std::string message;
  int32_t lineNumber = 0;
  // The current line without its line feed.
  char line[kMaxLineChars + 2] = {};
  // Where the next argument parser starts, inside line.
  char* readPosition = line;
  // Where the last getString() started, or nullptr.
  char* savedPosition = nullptr;
  // Output offsets of the placeholders of the open counted sections.
  int64_t sectionStack[kMaxOpenSections] = {};
  int32_t sectionDepth = 0;
};

#endif  // FRAMEWORK_TEXT_TO_BINARY_H_
