#include <string>

#include <gtest/gtest.h>

#include "formats/imports/imports_to_text.h"
#include "formats/imports/text_to_imports.h"
#include "tests/support.h"

namespace {

const char kHeader[] =
    "//\n"
    "// Warcraft 3 Imports File\n"
    "//\n"
    "\n";

TEST(ImportsToTextTest, WritesTheTextForm) {
  std::string imp = Bytes().i32(1).i32(2).u8(5).str("war3mapImported\\a.mdx").u8(13).str("b.wav");
  Conversion result = convert<ImportsToTextConverter>(imp);
  ASSERT_FALSE(result.failed) << result.error;
  EXPECT_EQ(result.output, dos(std::string(kHeader) +
                               ".section Imports (war3map.imp)\n"
                               ".version 1\n"
                               "\n"
                               ".import 5 \"war3mapImported\\a.mdx\"\n"
                               ".import 13 \"b.wav\"\n"
                               "\n"
                               ".endSection Imports (war3map.imp)\n"
                               "\n"));
}

TEST(ImportsRoundTripTest, BinaryComesBackByteForByte) {
  const std::string files[] = {
      Bytes().i32(1).i32(0),
      Bytes().i32(-7).i32(3).u8(0).str("").u8(255).str(std::string(254, 'n')).u8(10).str("x y"),
  };
  for (const std::string& imp : files) {
    Conversion text = convert<ImportsToTextConverter>(imp);
    ASSERT_FALSE(text.failed) << text.error;
    Conversion back = convert<TextToImportsConverter>(text.output);
    ASSERT_FALSE(back.failed) << back.error;
    EXPECT_EQ(back.output, imp);
  }
}

TEST(ImportsToTextTest, AnEmptyListIsTenLines) {
  Conversion result = convert<ImportsToTextConverter>(Bytes().i32(1).i32(0));
  size_t lines = 0;
  for (char c : result.output) lines += c == '\n';
  EXPECT_EQ(lines, 10u);
}

TEST(ImportsToTextTest, Failures) {
  struct Case {
    std::string imp;
    std::string message;
    std::string lastLine;  // the text ends with it
  } cases[] = {
      {"", "Read failure, input file offset: 0 (0x0)", "//\r\n\r\n"},
      {Bytes().i32(1).i32(2).u8(1).str("a"),
       "getByte read failure, input file offset: 11 (0xb)", ".import 1 \"a\"\r\n"},
      {Bytes().i32(1).i32(1).u8(1).raw("abc"),
       "Unexpected EOF while reading string, input file offset: 12 (0xc)", ".version 1\r\n\r\n"},
      {Bytes().i32(1).i32(1).u8(1).str(std::string(255, 'n')),
       "getString buffer overflow, maxchars is 256, input file offset: 265 (0x109)",
       ".version 1\r\n\r\n"},
  };
  for (const Case& c : cases) {
    Conversion result = convert<ImportsToTextConverter>(c.imp);
    EXPECT_EQ(result.error, c.message);
    ASSERT_GE(result.output.size(), c.lastLine.size());
    EXPECT_EQ(result.output.substr(result.output.size() - c.lastLine.size()), c.lastLine);
  }
}

TEST(ImportsToTextTest, ANegativeCountListsNothing) {
  Conversion text = convert<ImportsToTextConverter>(Bytes().i32(1).i32(-3));
  ASSERT_FALSE(text.failed) << text.error;
  EXPECT_EQ(text.output.find(".import"), std::string::npos);
  EXPECT_EQ(convert<TextToImportsConverter>(text.output).output, Bytes().i32(1).i32(0).bytes());
}

TEST(TextToImportsTest, AcceptsCommentsIndentationAndTrailingText) {
  Conversion result = convert<TextToImportsConverter>(
      "// made by hand\n"
      "  .section Imports whatever\n"
      "\t.version 3 // three\n"
      "// the list\n"
      "\n"
      "   .import 261 \"a.blp\" trailing words\n"
      "\t\t.import -1 \"quo\"te.mdx\"\n"
      ".endSection Imports \t\n"
      "anything at all\n");
  ASSERT_FALSE(result.failed) << result.error;
  EXPECT_EQ(result.output, Bytes().i32(3).i32(2).u8(5).str("a.blp").u8(255).str("quo").bytes());
}

TEST(TextToImportsTest, Failures) {
  const std::string top = ".section Imports\n.version 1\n";
  struct Case {
    std::string text;
    std::string message;
    std::string output;  // what lies in war3map.imp afterwards
  } cases[] = {
      {".version 1\n", "Unexpected tag .version, line 1: .version 1", ""},
      {".section Regions (war3map.w3r)\n",
       "Expected Imports, got Regions, line 1: .section Regions (war3map.w3r)", ""},
      {".section Imports\n.import 1 \"a\"\n", "Unexpected tag .import, line 2: .import 1 \"a\"",
       ""},
      {top + ".import 1 \"a\"\n.imprt 2 \"b\"\n",
       "Unexpected tag .imprt, line 4: .imprt 2 \"b\"", Bytes().i32(1).i32(0).u8(1).str("a")},
      {top + ".import 1 \"a\"\n", "Unexpected EOF while getting line, line 4: .import 1 \"a\"",
       Bytes().i32(1).i32(0).u8(1).str("a")},
      {".section Imports\n.version\n", "Failed to find expected argument, line 2: .version", ""},
      {top + ".import x \"a\"\n", "Failed to get long argument, line 3: .import x \"a\"",
       Bytes().i32(1).i32(0)},
      {top + ".import 1 a\n", "Expected initial quote, got char a in getString, line 3: .import 1 a",
       Bytes().i32(1).i32(0)},
      {top + ".import 1\n",
       "Expected initial quote, got end of line in getString, line 3: .import 1",
       Bytes().i32(1).i32(0)},
      {top + ".import 1 \"a\n", "Unexpected end of line in getString, line 3: .import 1 \"a",
       Bytes().i32(1).i32(0)},
      {top + ".import 1 \"" + std::string(255, 'n') + "\"\n",
       "getQuotedString buffer overflow, maxchars is 256, line 3: .import 1 \"" +
           std::string(255, 'n') + "\"",
       Bytes().i32(1).i32(0)},
      {top + ".endSection Regions\n", "Expected Imports, got Regions, line 3: .endSection Regions",
       Bytes().i32(1).i32(0)},
  };
  for (const Case& c : cases) {
    Conversion result = convert<TextToImportsConverter>(c.text);
    EXPECT_EQ(result.error, c.message);
    EXPECT_EQ(result.output, c.output) << c.message;
  }
}

TEST(TextToImportsTest, AFileNameOf254CharactersFits) {
  std::string name(254, 'n');
  Conversion result = convert<TextToImportsConverter>(
      ".section Imports\n.version 1\n.import 0 \"" + name + "\"\n.endSection Imports\n");
  ASSERT_FALSE(result.failed) << result.error;
  EXPECT_EQ(result.output, Bytes().i32(1).i32(1).u8(0).str(name).bytes());
}

}  // namespace
