// How many parameters a trigger function takes.
//
// The trigger file stores every call of a trigger function by its name,
// directly followed by the call's parameters, but never their number. The
// table answers it from two sources: first a list of extra functions that
// the user can supply in the current folder, then the built-in list of the
// game's functions.
//
// The extra list comes from "extraFunctionsOut.txt" (one "name count" pair a
// line). When that file is missing, the declarations in
// "extraFunctionsIn.txt" (lines in the game's script syntax, such as
// "native Foo takes integer a returns nothing") are parsed and the list is
// written to "extraFunctionsOut.txt" for the next runs.
#ifndef FORMATS_TRIGGERS_FUNCTION_TABLE_H_
#define FORMATS_TRIGGERS_FUNCTION_TABLE_H_

#include <cstdint>
#include <string>
#include <vector>

class TextReader;
class TextWriter;

// One row of the built-in list.
struct BuiltinFunction {
  const char* name;
  int32_t parameterCount;
};

// The game's trigger functions, each name once (builtin_functions.cc).
extern const BuiltinFunction builtinFunctions[];
extern const int builtinFunctionCount;

// One function of the extra list, in the order of the file it came from.
struct ExtraFunction {
  std::string name;
  int32_t parameterCount;
};

class FunctionTable {
 public:
  static constexpr const char* kExtraListFile = "extraFunctionsOut.txt";
  static constexpr const char* kDeclarationsFile = "extraFunctionsIn.txt";

  // Loads the extra list from the current folder. A missing list file with
  // declarations present that cannot be turned into a list file ends the
  // process through fatalError().
  FunctionTable();
  virtual ~FunctionTable() = default;
  FunctionTable(const FunctionTable&) = delete;
  FunctionTable& operator=(const FunctionTable&) = delete;

  // The parameter count of the function called name (case-sensitive), from
  // the extra list when it is there, else from the built-in list; -1 when
  // neither knows it.
  int32_t parameterCount(const char* name) const;

  int32_t extraCount() const { return static_cast<int32_t>(extras.size()); }
  const std::vector<ExtraFunction>& extraFunctions() const { return extras; }

  // Reads declarations up to their end, appends an entry for each function
  // declared, and writes "name count" lines and a closing empty line to list.
  virtual void parseDeclarations(TextReader& declarations, TextWriter& list);
  // Reads "name count" lines up to the first line without a word.
  virtual void loadExtraList(TextReader& list);
  // Prints message and "!" on standard error and ends the process with
  // status 1.
  [[noreturn]] virtual void fatalError();

 protected:
  std::vector<ExtraFunction> extras;
  std::string message;
};

#endif  // FORMATS_TRIGGERS_FUNCTION_TABLE_H_
