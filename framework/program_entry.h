// The main() of every converter program, written once and set per program:
// the converter class, the files with their default paths and open modes,
// and the forms its command line takes.
//
//   int main(int argc, char** argv) {
//     return runConverter<ImportsToTextConverter>(
//         argc, argv, {{{"war3map.imp", "rb"}, {"Imports.txt", "w"}}});
//   }
//
// Two files: with exactly two arguments they are the two paths, otherwise
// the defaults are used. kFilter: a third argument (whatever its text) also
// gives the two paths and switches the converter's filter mode on. Three
// files: exactly three arguments are the three paths, otherwise the
// defaults. Files are opened in the order listed; one that cannot be opened
// ends the run with "Failed to open %s!" and status 1 after closing those
// already open, unless it is optional, in which case the converter gets
// nullptr for it. A failure inside convert() prints the exception's message
// and ends the process with status 1; what was written stays on disk.
#ifndef FRAMEWORK_PROGRAM_ENTRY_H_
#define FRAMEWORK_PROGRAM_ENTRY_H_

#include <cstdio>
#include <cstdlib>
#include <type_traits>

#include "framework/varnel_exception.h"

struct ProgramFile {
  const char* defaultPath;
  const char* mode;  // "r", "rb", "w" or "wb"
  bool optional = false;
};

struct ProgramSettings {
  ProgramFile files[3];
  enum Form { kPlain, kFilter } form = kPlain;
};

struct OpenedFiles {
  FILE* streams[3] = {};
  const char* paths[3] = {};
  const char* modes[3] = {};
  int count = 0;
  bool filterMode = false;
};

// Picks the paths from the command line and opens the files; on failure
// prints the message and exits with status 1.
OpenedFiles openProgramFiles(int argc, char** argv,
                             const ProgramSettings& settings);

// Closes the streams; false (after printing "Failed to write %s!") when an
// output could not be completely written, so a full disk is not a success.
bool closeProgramFiles(const OpenedFiles& files);

// Prints a conversion failure and ends the process with status 1. Exiting
// flushes every buffered output, so the output files keep what was written.
[[noreturn]] void exitWithFailure(const VarnelException& failure);

template <class Converter>
int runConverter(int argc, char** argv, const ProgramSettings& settings) {
  OpenedFiles files = openProgramFiles(argc, argv, settings);
  Converter* converter;
  if constexpr (std::is_constructible_v<Converter, FILE*, FILE*, FILE*>) {
    converter = new Converter(files.streams[0], files.streams[1], files.streams[2]);
  } else {
    converter = new Converter(files.streams[0], files.streams[1]);
  }
  if constexpr (requires { converter->setFilterMode(true); }) {
    if (files.filterMode) converter->setFilterMode(true);
  }
  try {
    converter->convert();
  } catch (const VarnelException& failure) {
    exitWithFailure(failure);
  }
  bool closedByConverter = false;
  if constexpr (requires { converter->streamsClosed(); }) {
    closedByConverter = converter->streamsClosed();
  }
  if (closedByConverter) {
    bool good = converter->outputGood();
    delete converter;
    if (good) return 0;
    std::fprintf(stderr, "Failed to write %s!\n", files.paths[1]);
    return 1;
  }
  delete converter;  // flushes the converter's output buffers
  return closeProgramFiles(files) ? 0 : 1;
}

#endif  // FRAMEWORK_PROGRAM_ENTRY_H_
