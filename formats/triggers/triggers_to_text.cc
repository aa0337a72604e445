#include "formats/triggers/triggers_to_text.h"

#include <cstdarg>
#include <cstdlib>

#include "framework/message.h"

TriggersToTextConverter::TriggersToTextConverter(FILE* triggers, FILE* custom, FILE* text)
    : BinaryToTextConverter(triggers, text),
      customInput(custom ? std::make_unique<BinaryReader>(custom) : nullptr),
      customText(custom ? std::make_unique<char[]>(kMaxCustomText + 1) : nullptr),
      functionTable(std::make_unique<FunctionTable>()) {}

TriggersToTextConverter::~TriggersToTextConverter() = default;

bool TriggersToTextConverter::convert() {
  expectFileID("WTG!", "File ID error, expected WTG!, got %s");
  output.print("//\n// Warcraft 3 Triggers File\n//\n\n");
  output.print(".section Triggers (war3map.wtg & war3map.wct)\n");
  int32_t version = getLong();
  output.print(".version %d\n", version);
  if (version == 7) {
    version7 = true;
  } else if (version != 4) {
    failWith("Version error, expected 4 or 7, got %d", version);
  }
  convertBody();
  output.print(".endSection Triggers (war3map.wtg & war3map.wct)\n");
  output.print("\n");
  return true;
}

void TriggersToTextConverter::convertBody() {
  output.print("\n");
  output.print(".categories\n");
  int32_t categoryCount = getLong();
  for (int32_t i = 0; i < categoryCount; ++i) {
    int32_t index = getLong();
    char name[256];
    getString(name, sizeof name);
    int32_t flag = version7 ? getLong() : 0;
    output.print("  .category %d \"%s\" %d\n", index, name, flag);
  }
  output.print(".endCategories\n");
  output.print("\n");

  int32_t longValue = getLong();
  output.print(".long %d\n", longValue);
  output.print("\n");

  int32_t variableCount = getLong();
  output.print(".variables\n");
  {
    char name[256];
    auto type = std::make_unique<char[]>(4096);
    char value[256];
    for (int32_t i = 0; i < variableCount; ++i) {
      getString(name, sizeof name);
      getString(type.get(), 4096);
      int32_t u1 = getLong();
      int32_t isArray = getLong();
      int32_t size = version7 ? getLong() : 0;
      int32_t isInited = getLong();
      getString(value, sizeof value);
      output.print("  .variable %s type %s u1 %d isArray %d size %d isInited %d value %s\n",
                   name, type.get(), u1, isArray, size, isInited, value);
    }
  }
  output.print(".endVariables\n");
  output.print("\n");

  int32_t triggerCount = getLong();
  if (customInput) {
    convertCustomHeader();
    int32_t customCount = getCustomLong();
    if (customCount != triggerCount) {
      failWith("Custom trigger count %d does not match normal trigger count %d", customCount,
               triggerCount);
    }
  }

  output.print(".triggers\n");
  {
    char name[256];
    auto description = std::make_unique<char[]>(4096);
    for (int32_t i = 0; i < triggerCount; ++i) {
      output.print("\n");
      getString(name, sizeof name);
      getString(description.get(), 4096);
      stripCR(description.get());
      int32_t comment = version7 ? getLong() : 0;
      int32_t enabled = getLong();
      int32_t custom = getLong();
      int32_t initiallyOff = getLong();
      int32_t mapInit = getLong();
      int32_t category = getLong();
      int32_t ecaCount = getLong();
      output.print(
          "  .trigger \"%s\" comment %d enable %d custom %d initiallyOff %d mapInit %d "
          "category %d\n",
          name, comment, enabled, custom, initiallyOff, mapInit, category);
      output.print("  .description \"%s\" .end\n", description.get());
      if (custom == 0) {
        output.print("  .ECAs\n");
        for (int32_t e = 0; e < ecaCount; ++e) convertECA(0);
        output.print("  .endECAs\n");
      } else if (ecaCount != 0) {
        failWith("Trigger \"%s\" has both custom & non-custom parts\n", name);
      }
      if (customInput) convertCustomText(custom != 0);
    }
  }
  output.print("\n");
  output.print(".endTriggers\n");
  output.print("\n");
}

void TriggersToTextConverter::convertECA(int depth) {
  NestingGuard<TriggersToTextConverter> level(*this);
  int32_t group = 0;
  int32_t kind = getLong();
  if (depth > 0) group = getLong();
  if (kind < 0 || kind > 2) {
    failWith("Unknown Event/Condition/Action type %d (0x%x)", kind, static_cast<unsigned>(kind));
  }
  getString(functionName, sizeof functionName);
  int32_t enabled = getLong();
  int32_t parameters = functionTable->parameterCount(functionName);
  if (parameters == -1) failWith("Unknown function %s", functionName);
  // The registered trigger is not stored; a count of 0 or less means none.
  if (kind == 0 && parameters > 0) --parameters;
  static const char* const kKindWords[] = {".event", ".condition", ".action"};
  indent(depth);
  output.print("    %s %d %s enable %d\n", kKindWords[kind], group, functionName, enabled);
  for (int32_t i = 0; i < parameters; ++i) convertParameter(depth);
  indent(depth);
  if (version7) {
    int32_t children = getLong();
    output.print("    .endECA %d\n", children);
    for (int32_t i = 0; i < children; ++i) convertECA(depth + 1);
  } else {
    output.print("    .endECA 0\n");
  }
}

void TriggersToTextConverter::convertParameter(int depth) {
  NestingGuard<TriggersToTextConverter> level(*this);
  int32_t kind = getLong();
  if (kind < -1 || kind > 3) {
    failWith("Unknown parameter type %d (0x%x)", kind, static_cast<unsigned>(kind));
  }
  indent(depth);
  getString(parameterValue, sizeof parameterValue);
  int32_t first = getLong();
  if (kind == 2) {
    int32_t second = getLong();
    getString(calledFunction, sizeof calledFunction);
    int32_t third = getLong();
    int32_t arguments = functionTable->parameterCount(calledFunction);
    if (arguments == -1) failWith("Unknown function %s", calledFunction);
    output.print("      .param function \"%s\" .end %d %d \"%s\" .end %d\n", parameterValue,
                 first, second, calledFunction, third);
    for (int32_t i = 0; i < arguments; ++i) convertParameter(depth + 1);
    if (version7) {
      int32_t nextToEnd = getLong();
      if (nextToEnd != 0) {
        failWith("Unexpected next-to-end parameter code, expected 0, got %d (0x%x)", nextToEnd,
                 static_cast<unsigned>(nextToEnd));
      }
    }
    int32_t end = getLong();
    if (end != 0) {
      failWith("Unexpected end parameter code, expected 0, got %d (0x%x)", end,
               static_cast<unsigned>(end));
    }
    return;
  }
  int32_t end = getLong();
  if (kind == 1 && end == 1) {
    output.print("      .param array \"%s\" .end %d\n", parameterValue, first);
    convertParameter(depth + 1);
    return;
  }
  if (end != 0) {
    failWith("Unexpected end parameter code, expected 0, got %d (0x%x)", end,
             static_cast<unsigned>(end));
  }
  if (kind == -1) {
    output.print("      .param missing \"%s\" .end %d\n", parameterValue, first);
    return;
  }
  static const char* const kKindWords[] = {"preset", "variable", "function", "string"};
  output.print("      .param %s \"%s\" .end %d\n", kKindWords[kind], parameterValue, first);
}

void TriggersToTextConverter::convertCustomHeader() {
  char* buffer = customText.get();
  int32_t customVersion = getCustomLong();
  int32_t expected = version7 ? 1 : 0;
  if (customVersion != expected) {
    failWith("Custom trigger version is %d, expected %d", customVersion, expected);
  }
  if (!version7) {
    output.print(".commonCustomComment \"\" .end\n\n");
    output.print(".commonCustomText \"\" .end\n\n");
    return;
  }
  getCustomString(buffer, kMaxCustomText);
  stripCR(buffer);
  output.print(".commonCustomComment \"%s\" .end\n\n", buffer);
  output.print(".commonCustomText \"");
  int32_t length = getCustomLong();
  if (length < 0 || length > kMaxCustomText) {
    long long offset = customInput->offset();
    failWith("Common custom text length %d out of range 0 to %d in custom trigger file at "
             "offset %lld (0x%llx)",
             length, kMaxCustomText, offset, static_cast<unsigned long long>(offset));
  }
  buffer[0] = '\0';
  if (length > 0) {
    std::size_t got = customInput->read(buffer, static_cast<std::size_t>(length));
    if (got < static_cast<std::size_t>(length)) {
      long long offset = customInput->offset();
      failWith("Failure reading custom trigger file at offset %lld (0x%llx)", offset,
               static_cast<unsigned long long>(offset));
    }
    buffer[length] = '\0';
    stripCR(buffer);
  }
  output.print("%s", buffer);
  output.print("\" .end\n\n");
}

void TriggersToTextConverter::convertCustomText(bool isCustom) {
  char* buffer = customText.get();
  int32_t length = getCustomLong();
  if (isCustom) {
    if (length < 0 || length > kMaxCustomText) {
      failCustomWith("Custom text length %d out of range 0 to %d", length, kMaxCustomText);
    }
    buffer[0] = '\0';
    if (length != 0) {
      std::size_t got = customInput->read(buffer, static_cast<std::size_t>(length));
      if (got < static_cast<std::size_t>(length)) failCustomWith("Failure reading trigger");
      buffer[length] = '\0';
    }
    // writeQuoted leaves out the carriage returns.
    output.print("  .customText ");
    writeQuoted(buffer, ".end");
    output.print("\n");
    return;
  }
  if (length == 1) {
    int byte = customInput->readByte();
    if (byte < 0) failCustomWith("Failure reading trigger");
    if (byte != 0) failCustomWith("Custom trigger with single non-zero byte");
  } else if (length != 0) {
    failCustomWith("Got custom text length %d for non-custom trigger", length);
  }
}

int32_t TriggersToTextConverter::getCustomLong() {
  unsigned char bytes[4];
  if (customInput->read(bytes, 4) < 4) failCustomWith("Read failure");
  return decodeInt32(bytes);
}

void TriggersToTextConverter::getCustomString(char* buffer, int maxchars) {
  int count = 0;
  for (;;) {
    int byte = customInput->readByte();
    if (byte < 0) failCustomWith("Unexpected EOF while reading string");
    buffer[count++] = static_cast<char>(byte);
    if (count >= maxchars) failCustomWith("getString buffer overflow, maxchars is %d", maxchars);
    if (byte == 0) return;
  }
}

void TriggersToTextConverter::failCustomWith(const char* format, ...) {
  va_list args;
  va_start(args, format);
  message = formatMessageV(format, args);
  va_end(args);
  failCustom();
  // Not reached: failCustom() ends the process. g++ does not trust
  // [[noreturn]] on a virtual call and would warn that this function returns.
  std::exit(1);
}

void TriggersToTextConverter::failCustom() {
  if (!message.empty()) {
    std::fprintf(stderr, "%s!\n", message.c_str());
    message.clear();
  }
  long long offset = customInput ? customInput->offset() : 0;
  std::fprintf(stderr, "Custom trigger input file offset: %lld (0x%llx)\n", offset,
               static_cast<unsigned long long>(offset));
  output.close();
  std::exit(1);
}

void TriggersToTextConverter::indent(int depth) {
  for (int i = 0; i < depth; ++i) output.write("  ", 2);
}
