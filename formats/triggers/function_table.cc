#include "formats/triggers/function_table.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string_view>
#include <unordered_map>

#include "framework/message.h"
#include "framework/number_format.h"
#include "framework/text_file.h"

namespace {

// Both files are read a line of at most 1022 characters at a time; a longer
// line arrives in pieces, each taken as a line of its own.
constexpr std::size_t kLineCapacity = 1023;

// The words of a line, split at runs of the separator characters.
class Words {
 public:
  Words(char* line, const char* separators) : next_(line), separators_(separators) {}

  // The next word, or nullptr when the line has no more.
  const char* next() {
    while (*next_ && std::strchr(separators_, *next_)) ++next_;
    if (!*next_) return nullptr;
    char* word = next_;
    while (*next_ && !std::strchr(separators_, *next_)) ++next_;
    if (*next_) *next_++ = '\0';
    return word;
  }

 private:
  char* next_;
  const char* separators_;
};

bool is(const char* word, const char* expected) {
  return word && std::strcmp(word, expected) == 0;
}

// The built-in list by name; each name is there once, so the first row with
// a name is the only one.
const std::unordered_map<std::string_view, int32_t>& builtinIndex() {
  static const std::unordered_map<std::string_view, int32_t> index = [] {
    std::unordered_map<std::string_view, int32_t> map;
    map.reserve(static_cast<std::size_t>(builtinFunctionCount));
    for (int i = 0; i < builtinFunctionCount; ++i) {
      map.emplace(builtinFunctions[i].name, builtinFunctions[i].parameterCount);
    }
    return map;
  }();
  return index;
}

}  // namespace

FunctionTable::FunctionTable() {
  if (FILE* list = std::fopen(kExtraListFile, "r")) {
    auto reader = std::make_unique<TextReader>(list);
    loadExtraList(*reader);
    std::fclose(list);
    return;
  }
  FILE* declarations = std::fopen(kDeclarationsFile, "r");
  if (!declarations) return;
  FILE* list = std::fopen(kExtraListFile, "w");
  if (!list) {
    message = formatMessage("Failed to open %s", kExtraListFile);
    fatalError();
  }
  auto reader = std::make_unique<TextReader>(declarations);
  auto writer = std::make_unique<TextWriter>(list);
  parseDeclarations(*reader, *writer);
  bool written = writer->close();
  std::fclose(declarations);
  if (!written) {
    // A list cut short would hide functions on every later run.
    std::remove(kExtraListFile);
    message = formatMessage("Failed to write %s", kExtraListFile);
    fatalError();
  }
}

int32_t FunctionTable::parameterCount(const char* name) const {
  for (const ExtraFunction& extra : extras) {
    if (extra.name == name) return extra.parameterCount;
  }
  const auto& index = builtinIndex();
  auto found = index.find(name);
  return found == index.end() ? -1 : found->second;
}

void FunctionTable::parseDeclarations(TextReader& declarations, TextWriter& list) {
  char line[kLineCapacity + 1];
  for (;;) {
    line[0] = '\0';
    if (declarations.readLine(line, kLineCapacity) < 0) break;
    // Only the blank separates words: a tab stays inside its word, and the
    // last word keeps the line feed.
    Words words(line, " ");
    const char* word = words.next();
    if (is(word, "constant")) word = words.next();
    if (!is(word, "function") && !is(word, "native")) continue;
    const char* name = words.next();
    if (!name || !is(words.next(), "takes")) continue;
    int32_t count = 0;
    for (;;) {
      const char* type = words.next();
      if (!type || is(type, "nothing") || is(type, "returns")) break;
      ++count;
      if (!words.next()) break;  // the parameter's name
    }
    extras.push_back({name, count});
    list.print("%s %d\n", name, count);
  }
  list.print("\n");
}

void FunctionTable::loadExtraList(TextReader& list) {
  char line[kLineCapacity + 1];
  for (int32_t lineNumber = 1;; ++lineNumber) {
    line[0] = '\0';
    if (list.readLine(line, kLineCapacity) < 0) break;
    std::string original = line;
    if (!original.empty() && original.back() == '\n') original.pop_back();
    Words words(line, " \n");
    const char* name = words.next();
    if (!name) break;  // an empty line ends the list
    const char* countWord = words.next();
    int64_t count = 0;
    if (!countWord || !parseInteger(countWord, &count) || count < INT32_MIN ||
        count > INT32_MAX) {
      message = formatMessage("Bad parameter count in %s, line %d: %s", kExtraListFile,
                              lineNumber, original.c_str());
      fatalError();
    }
    extras.push_back({name, static_cast<int32_t>(count)});
  }
}

void FunctionTable::fatalError() {
  std::fprintf(stderr, "%s!\n", message.c_str());
  message.clear();
  std::exit(1);
}
