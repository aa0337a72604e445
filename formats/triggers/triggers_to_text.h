// triggers2txt: war3map.wtg (version 4 or 7) and, when it is there,
// war3map.wct into Triggers.txt.
//
// The trigger file holds the categories, the global variables and the
// triggers with their events, conditions and actions (ECAs); each ECA calls a
// function whose parameters follow its name, their number taken from the
// FunctionTable. A parameter can itself be a function call with parameters
// of its own, or an array element with its index; in version 7 an ECA can
// hold nested ECAs. The custom text file holds the map's script texts: a
// comment and a common text, then one text per trigger, matched to the
// triggers by position.
//
// Failures in the trigger file go through fail() and name the trigger file's
// offset. Failures of the custom text file's reads and of the trigger texts
// go through failCustom(), which prints the message and the custom file's
// offset on two lines and ends the process; the checks of its header (the
// version, the common text's length and read, the trigger count) go through
// fail(), those of the common text naming the custom file's offset in the
// message.
#ifndef FORMATS_TRIGGERS_TRIGGERS_TO_TEXT_H_
#define FORMATS_TRIGGERS_TRIGGERS_TO_TEXT_H_

#include <cstdint>
#include <cstdio>
#include <memory>

#include "formats/triggers/function_table.h"
#include "formats/triggers/trigger_nesting.h"
#include "framework/binary_file.h"
#include "framework/binary_to_text.h"

class TriggersToTextConverter : public BinaryToTextConverter {
 public:
  // custom may be nullptr: the text then holds no custom text lines.
  TriggersToTextConverter(FILE* triggers, FILE* custom, FILE* text);
  ~TriggersToTextConverter() override;

  bool convert() override;

  virtual int32_t getCustomLong();
  virtual void getCustomString(char* buffer, int maxchars);
  // Prints message with "!", then the custom file's offset, closes the text
  // output and ends the process with status 1.
  [[noreturn]] virtual void failCustom();
  virtual void convertCustomHeader();
  // Two blanks depth times.
  virtual void indent(int depth);

 private:
  [[noreturn]] void failCustomWith(const char* format, ...)
      __attribute__((format(printf, 2, 3)));
  void convertBody();
  void convertECA(int depth);
  void convertParameter(int depth);
  // The custom text of one trigger: printed for a custom trigger, checked to
  // be empty for any other.
  void convertCustomText(bool isCustom);
  friend class NestingGuard<TriggersToTextConverter>;

  std::unique_ptr<BinaryReader> customInput;
  // Room for one custom text and its zero byte; there when customInput is.
  std::unique_ptr<char[]> customText;
  std::unique_ptr<FunctionTable> functionTable;
  bool version7 = false;
  int nesting = 0;

  // Field buffers. Each level of nesting prints its line before it reads
  // the levels under it, so one set serves every level.
  char functionName[256];
  char parameterValue[4096];
  char calledFunction[4096];
};

#endif  // FORMATS_TRIGGERS_TRIGGERS_TO_TEXT_H_
