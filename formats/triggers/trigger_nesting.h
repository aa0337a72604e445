// Limits shared by both trigger converters, and the guard that bounds how
// deep they follow nested ECAs and parameters (both recurse on them).
#ifndef FORMATS_TRIGGERS_TRIGGER_NESTING_H_
#define FORMATS_TRIGGERS_TRIGGER_NESTING_H_

#include <cstdint>

// The most bytes of one custom text (its zero byte included).
constexpr int32_t kMaxCustomText = 32768;

// ECAs and parameters nest at most this many levels, counted together: far
// beyond real maps, and shallow enough that the indentation of the deepest
// line leaves room for its values within a text line.
constexpr int kMaxNesting = 1000;

// Counts one level of nesting while it lives; a level beyond kMaxNesting
// fails through the converter, so a hostile file ends with a message instead
// of exhausting the stack. The converter grants access to its `nesting`
// counter and `failWith`.
template <class Converter>
class NestingGuard {
 public:
  explicit NestingGuard(Converter& converter) : converter_(converter) {
    if (++converter_.nesting > kMaxNesting) {
      converter_.failWith("ECAs and parameters nested deeper than %d levels", kMaxNesting);
    }
  }
  ~NestingGuard() { --converter_.nesting; }
  NestingGuard(const NestingGuard&) = delete;
  NestingGuard& operator=(const NestingGuard&) = delete;

 private:
  Converter& converter_;
};

#endif  // FORMATS_TRIGGERS_TRIGGER_NESTING_H_
