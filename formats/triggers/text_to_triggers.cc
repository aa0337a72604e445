#include "formats/triggers/text_to_triggers.h"

#include <cstring>

namespace {

const char* const kCategoryTags[] = {".category", ".endCategories", nullptr};
const char* const kVariableTags[] = {".variable", ".endVariables", nullptr};
const char* const kTriggerTags[] = {".trigger", ".endTriggers", nullptr};
// The index of an ECA tag is the ECA's kind.
const char* const kECATags[] = {".event", ".condition", ".action", ".endECAs", nullptr};
constexpr int kEndECAs = 3;
// The nested ECAs of an ECA: as many as its .endECA line announces, so the
// list's end tag cannot stand among them.
const char* const kChildECATags[] = {".event", ".condition", ".action", nullptr};
// The index of a kind word is the parameter's kind.
const char* const kParameterKinds[] = {"preset", "variable", "function", "string", nullptr};
constexpr int kFunctionParameter = 2;

}  // namespace

TextToTriggersConverter::TextToTriggersConverter(FILE* text, FILE* triggers, FILE* custom)
    : TextToBinaryConverter(text, triggers),
      customOutput(custom ? std::make_unique<BinaryWriter>(custom) : nullptr),
      functionTable(std::make_unique<FunctionTable>()) {}

TextToTriggersConverter::~TextToTriggersConverter() = default;

bool TextToTriggersConverter::convert() {
  expectTag(".section", true);
  expect("Triggers");
  writeID("WTG!");
  expectTag(".version", true);
  int32_t version = getLong();
  writeLong(version);
  if (version == 7) {
    version7 = true;
  } else if (version != 4) {
    failWith("Version error, expected 4 or 7, got %d", version);
  }
  convertBody();
  expectTag(".endSection", true);
  expect("Triggers");
  return true;
}

void TextToTriggersConverter::writeCustom(const void* data, std::size_t size, CustomPart part) {
  if (customOutput->write(data, size)) return;
  long long offset = customOutput->position();
  auto hex = static_cast<unsigned long long>(offset);
  switch (part) {
    case CustomPart::kCount:
      failWith("Failure writing custom trigger file at offest %lld", offset);
    case CustomPart::kCommonComment:
      failWith("Failure writing common custom trigger file at offest %lld (0x%llx)", offset, hex);
    case CustomPart::kText:
      failWith("Failure writing custom trigger file at offest %lld (0x%llx)", offset, hex);
  }
}

void TextToTriggersConverter::writeCustomLong(int32_t value, CustomPart part) {
  unsigned char bytes[4];
  encodeInt32(value, bytes);
  writeCustom(bytes, 4, part);
}

void TextToTriggersConverter::convertBody() {
  std::unique_ptr<char[]> customText;
  if (customOutput) customText = std::make_unique<char[]>(kMaxCustomText + 1);

  expectTag(".categories", true);
  beginCount();
  int32_t categories = 0;
  while (nextTag(kCategoryTags, true) == 0) {
    int32_t index = getLong();
    char name[256];
    getQuotedString(name, sizeof name);
    int32_t flag = getLong();
    writeLong(index);
    writeString(name);
    if (version7) writeLong(flag);
    ++categories;
  }
  endCount(categories);

  expectTag(".long", true);
  writeLong(getLong());

  expectTag(".variables", true);
  beginCount();
  int32_t variables = 0;
  {
    char name[256];
    auto type = std::make_unique<char[]>(4096);
    char value[256];
    while (nextTag(kVariableTags, true) == 0) {
      getString(name, sizeof name);
      expect("type");
      getString(type.get(), 4096);
      expect("u1");
      int32_t u1 = getLong();
      expect("isArray");
      int32_t isArray = getLong();
      expect("size");
      int32_t size = getLong();
      expect("isInited");
      int32_t isInited = getLong();
      expect("value");
      getRestOfLine(value, sizeof value);
      writeString(name);
      writeString(type.get());
      writeLong(u1);
      writeLong(isArray);
      if (version7) writeLong(size);
      writeLong(isInited);
      writeString(value);
      ++variables;
    }
  }
  endCount(variables);

  int64_t customCountPosition = 0;
  if (customOutput) {
    writeCustomLong(version7 ? 1 : 0, CustomPart::kCount);
    expectTag(".commonCustomComment", true);
    getLongString(customText.get(), kMaxCustomText, ".end");
    if (version7) {
      writeCustom(customText.get(), std::strlen(customText.get()) + 1,
                  CustomPart::kCommonComment);
    }
    expectTag(".commonCustomText", true);
    getLongString(customText.get(), kMaxCustomText, ".end");
    if (version7) {
      std::size_t length = std::strlen(customText.get());
      int32_t stored = length == 0 ? 0 : static_cast<int32_t>(length + 1);
      writeCustomLong(stored, CustomPart::kText);
      if (stored != 0) writeCustom(customText.get(), length + 1, CustomPart::kText);
    }
    customCountPosition = customOutput->position();
    writeCustomLong(0, CustomPart::kCount);
  }

  expectTag(".triggers", true);
  beginCount();
  int32_t triggers = 0;
  {
    char name[256];
    auto description = std::make_unique<char[]>(4096);
    while (nextTag(kTriggerTags, true) == 0) {
      getQuotedString(name, sizeof name);
      expect("comment");
      int32_t comment = getLong();
      expect("enable");
      int32_t enabled = getLong();
      expect("custom");
      int32_t custom = getLong();
      expect("initiallyOff");
      int32_t initiallyOff = getLong();
      expect("mapInit");
      int32_t mapInit = getLong();
      expect("category");
      int32_t category = getLong();
      expectTag(".description", true);
      getLongString(description.get(), 4096, ".end");
      writeString(name);
      writeString(description.get());
      if (version7) writeLong(comment);
      writeLong(enabled);
      writeLong(custom);
      writeLong(initiallyOff);
      writeLong(mapInit);
      writeLong(category);

      beginCount();
      int32_t ecas = 0;
      if (custom == 0) {
        expectTag(".ECAs", true);
        for (int kind; (kind = nextTag(kECATags, true)) != kEndECAs; ++ecas) {
          convertECA(kind, 0);
        }
      }
      if (customOutput) {
        int32_t length;
        if (custom != 0) {
          expectTag(".customText", true);
          getLongString(customText.get(), kMaxCustomText, ".end");
          length = static_cast<int32_t>(std::strlen(customText.get()) + 1);
        } else {
          customText[0] = '\0';
          length = version7 ? 0 : 1;
        }
        writeCustomLong(length, CustomPart::kText);
        if (length != 0) {
          writeCustom(customText.get(), static_cast<std::size_t>(length), CustomPart::kText);
        }
      }
      endCount(ecas);
      ++triggers;
    }
  }
  endCount(triggers);

  if (customOutput && !customOutput->patchInt32(customCountPosition, triggers)) {
    long long offset = customOutput->position();
    failWith("Failure writing custom trigger file at offest %lld", offset);
  }
}

void TextToTriggersConverter::convertECA(int kind, int depth) {
  NestingGuard<TextToTriggersConverter> level(*this);
  writeLong(kind);
  int32_t group = getLong();
  if (version7 && depth > 0) writeLong(group);
  getString(functionName, sizeof functionName);
  writeString(functionName);
  expect("enable");
  writeLong(getLong());
  int32_t parameters = functionTable->parameterCount(functionName);
  if (parameters == -1) failWith("Unknown function %s", functionName);
  // The registered trigger is not stored; a count of 0 or less means none.
  if (kind == 0 && parameters > 0) --parameters;
  for (int32_t i = 0; i < parameters; ++i) convertParameter();
  expectTag(".endECA", true);
  int32_t children = getLong();
  if (!version7) return;
  writeLong(children);
  for (int32_t i = 0; i < children; ++i) {
    int childKind = nextTag(kChildECATags, true);
    convertECA(childKind, depth + 1);
  }
}

void TextToTriggersConverter::convertParameter() {
  expectTag(".param", true);
  NestingGuard<TextToTriggersConverter> level(*this);
  getString(parameterKind, sizeof parameterKind);
  bool arrayElement = std::strcmp(parameterKind, "array") == 0;
  int32_t kind;
  if (arrayElement) {
    kind = 1;
  } else if (std::strcmp(parameterKind, "missing") == 0) {
    kind = -1;
  } else {
    kind = lookup(parameterKind, kParameterKinds, true);
  }
  writeLong(kind);
  getLongString(parameterValue, sizeof parameterValue, ".end");
  writeString(parameterValue);
  writeLong(getLong());
  if (kind == kFunctionParameter) {
    writeLong(getLong());
    getLongString(calledFunction, sizeof calledFunction, ".end");
    writeString(calledFunction);
    writeLong(getLong());
    int32_t arguments = functionTable->parameterCount(calledFunction);
    if (arguments == -1) failWith("Unknown function %s", calledFunction);
    for (int32_t i = 0; i < arguments; ++i) convertParameter();
    if (version7) writeLong(0);  // next-to-end parameter code
    writeLong(0);
    return;
  }
  if (arrayElement) {
    writeLong(1);
    convertParameter();
    return;
  }
  writeLong(0);
}
