// trigstrsubst: fills the TRIGSTR_ references of a text file with the strings
// of the map's string file war3map.wts.
//
//   trigstrsubst [text [output [strings]]]
//
// The defaults are CustomUnits.txt, StringsOut.txt and war3map.wts (also when
// four or more arguments are given). The string file is read completely and
// closed first; only then are the text input and the output opened.
//
// The tool stands apart from the converters: it reads its lines itself,
// prints its own messages on the error stream, and stops at the first fatal
// problem with exit status 1, keeping the output lines written before. All
// three files are DOS text files (see framework/text_file.h).
//
// Lines. One read takes at most 998 characters; a line's text ends at its
// first carriage return or line feed (whatever follows a lone carriage
// return is dropped). A longer line is read as pieces of 998 characters and a
// remainder, each counted as a line of its own, so a line of exactly 998
// characters is followed by an empty one. Lines are numbered from 1 in each
// file.
//
// The string file. The UTF-8 byte-order mark (EF BB BF) that the editor puts
// at its very start is skipped; nothing else is. Then, line by line:
//
//   STRING <number>        a line beginning with exactly "STRING "
//   // comment lines       any number, directly after the header
//   {                      exactly this line
//   body lines             up to a line that is exactly "}"
//   }
//
// The number is read like atoi (white space, a sign, digits; no digits gives
// 0). The body lines are joined with "\r\n" between them. A non-empty body
// goes into the slot of its number, replacing an earlier one; an empty body
// leaves the slot as it was. A file that ends inside a body keeps the lines
// read so far. Any other line outside a definition is ignored.
//
// The substitution. In each line of the text input, the first "TRIGSTR_" is
// replaced together with its number text, the characters after it up to the
// first blank, double quote or line end; the number is the "%d" reading of
// that text. A line without a reference is copied unchanged. Every output
// line ends with a line feed; a multi-line string keeps its "\r\n" pairs, and
// as everything written to a DOS text file, each of their line feeds reaches
// the disk as a carriage return and line feed.
//
// Messages (each line quoted whole, with its number in the file being read):
//
//   fatal, exit status 1:
//     "Failed to open <path>!"
//     "Expected "{", got <line> at line <n>"        (also when the file ends)
//     "Failed to parse string number in <line> at line <n>"
//     "String number longer than 15 characters in <line> at line <n>"
//     "Output line longer than 7999 characters in <line> at line <n>"
//     "Failed to read <path>!"        (a read error; the lines stop there)
//     "Failed to write <path>!"
//   warnings, the run goes on:
//     "Substituting empty string in <line> at line <n>"
//         the slot is empty: the reference is replaced by nothing
//     "Substituting empty string for number outside 0 to 15999 in <line> at line <n>"
//     "Ignoring string number outside 0 to 15999 in <header> at line <n>"
//     "Ignoring string longer than 7999 characters in <header> at line <n>"
//         the string is not stored (its whole definition is still read)
#ifndef TOOLS_TRIGSTRSUBST_TRIGSTRSUBST_H_
#define TOOLS_TRIGSTRSUBST_TRIGSTRSUBST_H_

#include <cstddef>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "framework/text_file.h"

// Slots of the string table, numbered 0 to kStringSlots - 1.
constexpr int kStringSlots = 16000;
// Size of a line read, with its terminating zero: 998 characters at most.
constexpr std::size_t kLineCapacity = 999;
// Most characters of a string body and of an output line.
constexpr std::size_t kWorkChars = 7999;
// Most characters of the number text of a reference.
constexpr std::size_t kNumberChars = 15;

// The lines of a text file as the tool reads them, numbered from 1.
class LineSource {
 public:
  explicit LineSource(FILE* file) : reader_(file) {}

  // Skips the bytes EF BB BF when they are the first three of the file.
  // Called before the first line is read.
  void skipByteOrderMark();

  // Reads the next line; false, leaving the current line as it was, when
  // the file is at its end.
  bool next();

  // The current line, cut at its first carriage return or line feed.
  std::string_view text() const { return {line_, length_}; }
  // Its number; 0 before the first line.
  int number() const { return number_; }

 private:
  TextReader reader_;
  char line_[kLineCapacity];
  std::size_t length_ = 0;
  int number_ = 0;
  // Characters read ahead by skipByteOrderMark that belong to line 1.
  char pending_[4];
  std::size_t pendingLength_ = 0;
};

// The strings of a string file by number; a slot is empty or holds a
// non-empty string.
class StringTable {
 public:
  StringTable() : slots_(kStringSlots) {}

  // The load pass over an open string file. Messages go to err; false after
  // a fatal one.
  bool load(FILE* file, FILE* err);

  // The string of number, or nullptr when its slot is empty.
  const std::string* find(int number) const;

 private:
  std::vector<std::string> slots_;
};

// The substitution pass from input to output, messages to err; false after
// a fatal problem. The lines written before it stay in output.
bool substituteStrings(const StringTable& table, FILE* input, TextWriter& output,
                       FILE* err);

// The three paths of a run, picked from the command line.
struct SubstitutionPaths {
  const char* text = "CustomUnits.txt";
  const char* output = "StringsOut.txt";
  const char* strings = "war3map.wts";
};
SubstitutionPaths pickSubstitutionPaths(int argc, const char* const* argv);

// A whole run of the program; returns its exit status.
int runTrigStrSubst(int argc, const char* const* argv, FILE* err = stderr);

#endif  // TOOLS_TRIGSTRSUBST_TRIGSTRSUBST_H_
