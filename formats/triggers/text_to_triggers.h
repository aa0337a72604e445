// txt2triggers: Triggers.txt back into war3map.wtg and, when it can be
// created, war3map.wct.
//
// The text is the one that triggers2txt writes. Each line is parsed and its
// fields written to the trigger file at once; the category, variable and
// trigger lists and each trigger's ECA list are counted sections whose
// lengths are filled in when their end tags are read. The number of
// parameters under an ECA or a function parameter comes from the
// FunctionTable. The custom text file is written alongside: its version,
// in version 7 the common comment and text, then one text per trigger, and
// at the end the number of triggers in the place kept for it.
#ifndef FORMATS_TRIGGERS_TEXT_TO_TRIGGERS_H_
#define FORMATS_TRIGGERS_TEXT_TO_TRIGGERS_H_

#include <cstdint>
#include <cstdio>
#include <memory>

#include "formats/triggers/function_table.h"
#include "formats/triggers/trigger_nesting.h"
#include "framework/binary_file.h"
#include "framework/text_to_binary.h"

class TextToTriggersConverter : public TextToBinaryConverter {
 public:
  // custom may be nullptr: the text must then hold no custom text lines.
  TextToTriggersConverter(FILE* text, FILE* triggers, FILE* custom);
  ~TextToTriggersConverter() override;

  bool convert() override;

 private:
  void convertBody();
  void convertECA(int kind, int depth);
  void convertParameter();
  // Which failure message a write to the custom output gives.
  enum class CustomPart { kCount, kCommonComment, kText };
  // Writes bytes to the custom output; fails with the part's message and
  // the custom output's offset when the stream does not take them.
  void writeCustom(const void* data, std::size_t size, CustomPart part);
  void writeCustomLong(int32_t value, CustomPart part);
  friend class NestingGuard<TextToTriggersConverter>;

  std::unique_ptr<BinaryWriter> customOutput;
  std::unique_ptr<FunctionTable> functionTable;
  bool version7 = false;
  int nesting = 0;

  // Field buffers. Each level of nesting writes its fields before it reads
  // the levels under it, so one set serves every level.
  char functionName[256];
  char parameterKind[4096];
  char parameterValue[4096];
  char calledFunction[4096];
};

#endif  // FORMATS_TRIGGERS_TEXT_TO_TRIGGERS_H_
