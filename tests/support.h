// Helpers shared by the tests: files in a scratch folder, binary fixtures,
// running a converter class in the test process or a built program as a
// process of its own, and the real map files of the corpus.
#ifndef TESTS_SUPPORT_H_
#define TESTS_SUPPORT_H_

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "framework/varnel_exception.h"

// A fresh folder under the system's temporary folder, removed with its
// contents when the object goes.
class ScratchDir {
 public:
  ScratchDir();
  ~ScratchDir();
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;
  const std::string& path() const { return path_; }
  // path() + "/" + name
  std::string file(const std::string& name) const;
  // Writes/reads the file name in this folder, bytes as they are.
  void write(const std::string& name, const std::string& bytes) const;
  std::string read(const std::string& name) const;
  bool exists(const std::string& name) const;

 private:
  std::string path_;
};

std::string readFile(const std::string& path);
void writeFile(const std::string& path, const std::string& bytes);
bool fileExists(const std::string& path);

// The number of lines of text that begin with start (not counting a first
// line without a line break before it).
int countLines(const std::string& text, const std::string& start);

// The text as it lies on disk: every "\n" preceded by "\r".
std::string dos(const std::string& text);

// text with the first occurrence of from replaced by to. A from that is not
// there fails the current test and leaves text as it is.
std::string replaced(std::string text, const std::string& from, const std::string& to);

// Little-endian binary fixtures, built field by field:
//   Bytes().i32(1).i32(2).u8(5).str("a.mdx").bytes()
class Bytes {
 public:
  Bytes& i32(int32_t value);
  Bytes& f32(float value);
  Bytes& u8(int value);
  Bytes& str(const std::string& text);  // with its zero byte
  Bytes& id(const char (&text)[5]);     // exactly four bytes
  Bytes& raw(const std::string& bytes);
  const std::string& bytes() const { return bytes_; }
  operator std::string() const { return bytes_; }

 private:
  std::string bytes_;
};

// A temporary stream holding bytes, positioned at its start.
FILE* streamWith(const std::string& bytes);
// Everything the stream holds, from its start.
std::string streamContents(FILE* stream);

// The result of running a converter class on bytes in this process.
struct Conversion {
  std::string output;  // the output stream's bytes, also after a failure
  std::string error;   // the failure message, empty when convert() succeeded
  bool failed = false;
};

// Runs Converter on input and gives back what it wrote and its failure, if
// any. The converter is destroyed before the output is read, so its buffers
// have reached the stream (as process exit flushes them in a program).
template <class Converter, typename Setup>
Conversion convertWith(const std::string& input, Setup setup) {
  FILE* in = streamWith(input);
  FILE* out = streamWith("");
  Conversion result;
  {
    Converter converter(in, out);
    setup(converter);
    try {
      converter.convert();
    } catch (const VarnelException& failure) {
      result.failed = true;
      result.error = failure.message();
    }
  }
  result.output = streamContents(out);
  std::fclose(in);
  std::fclose(out);
  return result;
}

template <class Converter>
Conversion convert(const std::string& input) {
  return convertWith<Converter>(input, [](Converter&) {});
}

// A built program run as a process of its own.
struct ProgramRun {
  int status = -1;     // exit status, or -1 when it did not exit normally
  std::string stdErr;  // what it printed on standard error
  std::string stdOut;
};

// Path of a built program in <build dir>/bin.
std::string programPath(const std::string& program);

// Runs program with args in folder dir.
ProgramRun runProgram(const std::string& program, const std::vector<std::string>& args,
                      const std::string& dir);

// The folder of a real map in the corpus, or "" when the corpus is absent.
std::string corpusMap(const std::string& map);
// Names of the corpus's map folders, sorted; empty when it is absent.
std::vector<std::string> corpusMaps();

#endif  // TESTS_SUPPORT_H_
