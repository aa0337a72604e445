// Fixtures shared by the trigger tests: builders of trigger file records,
// the two converters run in this process on three streams, and a scratch
// folder made the current folder (the function table reads its extra
// functions files from there).
#ifndef FORMATS_TRIGGERS_TRIGGERS_TEST_SUPPORT_H_
#define FORMATS_TRIGGERS_TRIGGERS_TEST_SUPPORT_H_

#include <unistd.h>

#include <cstdio>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "formats/triggers/text_to_triggers.h"
#include "formats/triggers/triggers_to_text.h"
#include "tests/support.h"

namespace triggers_test {

// The test runs in a fresh folder of its own, so no extra functions file of
// another test or of the build folder is seen.
class InScratchFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    char buffer[4096];
    if (!getcwd(buffer, sizeof buffer)) throw std::runtime_error("getcwd failed");
    previous_ = buffer;
    if (chdir(folder.path().c_str()) != 0) throw std::runtime_error("chdir failed");
  }
  void TearDown() override {
    if (chdir(previous_.c_str()) != 0) throw std::runtime_error("chdir back failed");
  }

  ScratchDir folder;

 private:
  std::string previous_;
};

// A parameter of kind -1, 0, 1 or 3 that ends with the end code 0.
inline std::string param(int kind, const std::string& value, int first = 0) {
  return Bytes().i32(kind).str(value).i32(first).i32(0);
}

// A variable parameter with end code 1, followed by its index parameter.
inline std::string arrayParam(const std::string& value, int first, const std::string& index) {
  return Bytes().i32(1).str(value).i32(first).i32(1).raw(index);
}

// A function parameter calling called with the arguments args.
inline std::string callParam(bool version7, const std::string& value, int first, int second,
                             const std::string& called, int third, const std::string& args) {
  Bytes b;
  b.i32(2).str(value).i32(first).i32(second).str(called).i32(third).raw(args);
  if (version7) b.i32(0);
  return b.i32(0);
}

// A top-level ECA of version 4.
inline std::string eca4(int kind, const std::string& name, int enabled,
                        const std::string& params) {
  return Bytes().i32(kind).str(name).i32(enabled).raw(params);
}

// An ECA of version 7; group is stored only for nested ECAs.
inline std::string eca7(int kind, std::optional<int> group, const std::string& name,
                        int enabled, const std::string& params,
                        const std::vector<std::string>& children = {}) {
  Bytes b;
  b.i32(kind);
  if (group) b.i32(*group);
  b.str(name).i32(enabled).raw(params).i32(static_cast<int32_t>(children.size()));
  for (const std::string& child : children) b.raw(child);
  return b;
}

// The fields of a trigger record before its ECAs.
struct TriggerHead {
  std::string name;
  std::string description;
  int comment = 0;
  int enabled = 1;
  int custom = 0;
  int initiallyOff = 0;
  int mapInit = 0;
  int category = 0;
};

inline std::string trigger(bool version7, const TriggerHead& head,
                           const std::vector<std::string>& ecas) {
  Bytes b;
  b.str(head.name).str(head.description);
  if (version7) b.i32(head.comment);
  b.i32(head.enabled).i32(head.custom).i32(head.initiallyOff).i32(head.mapInit).i32(
      head.category);
  b.i32(static_cast<int32_t>(ecas.size()));
  for (const std::string& e : ecas) b.raw(e);
  return b;
}

// A trigger file without categories and variables holding triggers.
inline std::string plainTriggerFile(int version, const std::vector<std::string>& triggers) {
  Bytes b;
  b.raw("WTG!").i32(version).i32(0).i32(0).i32(0).i32(static_cast<int32_t>(triggers.size()));
  for (const std::string& t : triggers) b.raw(t);
  return b;
}

struct TextConversion {
  std::string text;
  std::string error;
  bool failed = false;
};

// triggers2txt in this process; no custom file when wct is nullopt.
inline TextConversion toText(const std::string& wtg, const std::optional<std::string>& wct) {
  FILE* triggers = streamWith(wtg);
  FILE* custom = wct ? streamWith(*wct) : nullptr;
  FILE* text = streamWith("");
  TextConversion result;
  {
    TriggersToTextConverter converter(triggers, custom, text);
    try {
      converter.convert();
    } catch (const VarnelException& failure) {
      result.failed = true;
      result.error = failure.message();
    }
  }
  result.text = streamContents(text);
  std::fclose(triggers);
  if (custom) std::fclose(custom);
  std::fclose(text);
  return result;
}

struct BinaryConversion {
  std::string wtg;
  std::string wct;
  std::string error;
  bool failed = false;
};

// txt2triggers in this process; without a custom output unless withCustom.
inline BinaryConversion toBinary(const std::string& text, bool withCustom) {
  FILE* input = streamWith(text);
  FILE* triggers = streamWith("");
  FILE* custom = withCustom ? streamWith("") : nullptr;
  BinaryConversion result;
  {
    TextToTriggersConverter converter(input, triggers, custom);
    try {
      converter.convert();
    } catch (const VarnelException& failure) {
      result.failed = true;
      result.error = failure.message();
    }
  }
  result.wtg = streamContents(triggers);
  if (custom) result.wct = streamContents(custom);
  std::fclose(input);
  std::fclose(triggers);
  if (custom) std::fclose(custom);
  return result;
}

}  // namespace triggers_test

#endif  // FORMATS_TRIGGERS_TRIGGERS_TEST_SUPPORT_H_
