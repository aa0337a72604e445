#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "formats/mapunits/mapunits_to_text.h"
#include "formats/mapunits/text_to_mapunits.h"
#include "tests/support.h"

namespace {

std::string header(int32_t version, int32_t longValue, int32_t unitCount) {
  return Bytes().id("W3do").i32(version).i32(longValue).i32(unitCount);
}

// The fields of a unit record before its item-set count, with values that
// tell the fields apart.
std::string unitStart(const char (&id)[5], int32_t variation) {
  Bytes b;
  b.id(id).i32(variation);
  b.f32(100.5f).f32(-200.25f).f32(0.0f).f32(4.5f);  // loc, angle
  b.f32(1.0f).f32(1.5f).f32(2.0f);                   // scale
  b.u8(2).i32(3).u8(200).u8(7).i32(-1).i32(50);      // flags player b1 b2 hp mana
  return b;
}

// The fields of a unit record after its item sets.
std::string unitEnd(int32_t gold) {
  return Bytes()
      .i32(gold)
      .f32(0.5f)
      .i32(1).i32(2).i32(3)  // unknown integers
      .i32(4).i32(5)         // type
      .i32(-1)               // color
      .i32(6)                // gate
      .i32(7);               // creation
}

struct Item {
  const char* id;  // four characters
  int32_t chance;
};
using ItemSet = std::vector<Item>;

std::string itemSets(const std::vector<ItemSet>& sets) {
  Bytes b;
  b.i32(static_cast<int32_t>(sets.size()));
  for (const ItemSet& set : sets) {
    b.i32(static_cast<int32_t>(set.size()));
    for (const Item& item : set) b.raw(std::string(item.id, 4)).i32(item.chance);
  }
  return b;
}

std::string unit(const char (&id)[5], const std::vector<ItemSet>& sets, int32_t gold = 12500) {
  return unitStart(id, 1) + itemSets(sets) + unitEnd(gold);
}

Conversion toText(const std::string& bytes) {
  return convert<MapUnitsToTextConverter>(bytes);
}
Conversion toBinary(const std::string& text) {
  return convert<TextToMapUnitsConverter>(text);
}

// The text as a user would write it, on disk with CR LF.
std::string textWithUnits(const std::string& units) {
  return dos("//\n// Warcraft 3 Map Units File\n//\n\n"
             ".section MapUnits (war3mapUnits.doo)\n.version 8\n.long 11\n" +
             units + "\n.endSection MapUnits (war3mapUnits.doo)\n\n");
}

const char kUnitLines[] =
    "\n.unit hfoo variation 1\n"
    ".loc 100.500000 -200.250000 0.000000 angle 4.500000\n"
    ".scale 1.000000 1.500000 2.000000\n"
    ".flags 2 player 3 b1 200 b2 7 hp -1 mana 50\n";
const char kGoldLine[] =
    ".gold 12500 type 4 5 color -1 gate 6 creation 7 unknown 0.500000 1 2 3\n";

TEST(MapUnitsToText, WritesTheTextFormOnDisk) {
  std::string file = header(8, 11, 2) +
                     unit("hfoo", {{{"ratc", 60}, {"\0\0\0\0", 40}}, {}}) +
                     unitStart("ab\0\0", -3) + itemSets({}) + unitEnd(0);
  Conversion text = toText(file);
  ASSERT_FALSE(text.failed) << text.error;
  EXPECT_EQ(text.output,
            dos("//\n"
                "// Warcraft 3 Map Units File\n"
                "//\n"
                "\n"
                ".section MapUnits (war3mapUnits.doo)\n"
                ".version 8\n"
                ".long 11\n"
                "\n"
                ".unit hfoo variation 1\n"
                ".loc 100.500000 -200.250000 0.000000 angle 4.500000\n"
                ".scale 1.000000 1.500000 2.000000\n"
                ".flags 2 player 3 b1 200 b2 7 hp -1 mana 50\n"
                "  .itemSet 2 items\n"
                "    .item ratc chance 60\n"
                "    .item <NONE> chance 40\n"
                "  .endItemSet\n"
                "  .itemSet 0 items\n"
                "  .endItemSet\n"
                ".gold 12500 type 4 5 color -1 gate 6 creation 7 unknown 0.500000 1 2 3\n"
                "\n"
                ".unit ab variation -3\n"
                ".loc 100.500000 -200.250000 0.000000 angle 4.500000\n"
                ".scale 1.000000 1.500000 2.000000\n"
                ".flags 2 player 3 b1 200 b2 7 hp -1 mana 50\n"
                ".gold 0 type 4 5 color -1 gate 6 creation 7 unknown 0.500000 1 2 3\n"
                "\n"
                ".endSection MapUnits (war3mapUnits.doo)\n"
                "\n"));

  Conversion back = toBinary(text.output);
  ASSERT_FALSE(back.failed) << back.error;
  EXPECT_EQ(back.output, file);
}

// Files of any version, with item sets of every shape, come back byte for
// byte: the version selects nothing.
TEST(MapUnitsRoundTrip, EveryVersionUsesTheOneLayout) {
  const std::vector<std::string> units = {
      unit("hfoo", {}),
      unit("Hpal", {{{"ratc", 100}}}),
      unit("nC01", {{}, {{"afac", 10}, {"bspd", 20}, {"ckng", 70}}, {{"<NO", -5}}}),
      unit("hpea", {{}}),
  };
  std::string body;
  for (const std::string& u : units) body += u;
  for (int32_t version : {0, 7, 8, 9, -2}) {
    std::string file = header(version, -7, static_cast<int32_t>(units.size())) + body;
    Conversion text = toText(file);
    ASSERT_FALSE(text.failed) << version << ": " << text.error;
    Conversion back = toBinary(text.output);
    ASSERT_FALSE(back.failed) << version << ": " << back.error;
    EXPECT_EQ(back.output, file) << "version " << version;
  }
}

TEST(MapUnitsRoundTrip, NoUnitsGivesTheSixteenBytesBack) {
  std::string file = header(8, 11, 0);
  Conversion text = toText(file);
  ASSERT_FALSE(text.failed) << text.error;
  EXPECT_EQ(text.output, textWithUnits(""));
  Conversion back = toBinary(text.output);
  ASSERT_FALSE(back.failed) << back.error;
  EXPECT_EQ(back.output, file);
}

// Reals go through "%f": each comes back as the float nearest to its
// six-decimal rendering, which is not always the float it was.
TEST(MapUnitsRoundTrip, RealsComeBackAsTheirSixDecimals) {
  Bytes start;
  start.id("hfoo").i32(0);
  start.f32(0.1234567f).f32(1e-7f).f32(-0.0f).f32(0.1f);
  start.f32(123456.789f).f32(-1.0000001f).f32(3.4e38f);
  start.u8(0).i32(0).u8(0).u8(0).i32(0).i32(0);
  std::string file = header(8, 11, 1) + start.bytes() + itemSets({}) + unitEnd(0);
  Conversion text = toText(file);
  ASSERT_FALSE(text.failed) << text.error;
  EXPECT_NE(text.output.find(".loc 0.123457 0.000000 -0.000000 angle 0.100000\r\n"),
            std::string::npos)
      << text.output;
  EXPECT_NE(text.output.find(".scale 123456.789062 -1.000000 "
                             "339999995214436424907732413799364296704.000000\r\n"),
            std::string::npos)
      << text.output;

  Bytes expected;
  expected.id("hfoo").i32(0);
  expected.f32(0.123457f).f32(0.0f).f32(-0.0f).f32(0.1f);
  expected.f32(123456.789f).f32(-1.0f).f32(3.4e38f);
  expected.u8(0).i32(0).u8(0).u8(0).i32(0).i32(0);
  Conversion back = toBinary(text.output);
  ASSERT_FALSE(back.failed) << back.error;
  EXPECT_EQ(back.output, header(8, 11, 1) + expected.bytes() + itemSets({}) + unitEnd(0));
}

TEST(MapUnitsToText, RefusesAFileIdOtherThanW3do) {
  struct Case {
    std::string bytes;
    const char* message;
  } cases[] = {
      {header(8, 11, 0).replace(0, 4, "W3dx"),
       "Bad file ID, expected W3do, got W3dx, input file offset: 4 (0x4)"},
      {header(8, 11, 0).replace(0, 4, "w3do"),
       "Bad file ID, expected W3do, got w3do, input file offset: 4 (0x4)"},
      {header(8, 11, 0).replace(0, 4, std::string("\0W3d", 4)),
       "Bad file ID, expected W3do, got <NONE>, input file offset: 4 (0x4)"},
      {header(8, 11, 0).replace(0, 4, std::string("W3\0o", 4)),
       "Bad file ID, expected W3do, got W3, input file offset: 4 (0x4)"},
      {"W3d", "getID read failure, input file offset: 3 (0x3)"},
  };
  for (const Case& c : cases) {
    Conversion text = toText(c.bytes);
    EXPECT_TRUE(text.failed);
    EXPECT_EQ(text.error, c.message);
    EXPECT_EQ(text.output, "") << "nothing is printed before the ID is checked";
  }
}

// A file cut short ends with the message of the read that failed, at the
// offset of the file's end, and the text keeps the lines printed before.
TEST(MapUnitsToText, ACutFileEndsWithTheFailedRead) {
  std::string file = header(8, 11, 1) + unit("hfoo", {{{"ratc", 60}}});
  struct Case {
    std::size_t length;
    const char* message;
    const char* lastText;  // the end of what was printed
  } cases[] = {
      {6, "Read failure, input file offset: 6 (0x6)", ""},
      {14, "Read failure, input file offset: 14 (0xe)", ".long 11\n"},
      {18, "getID read failure, input file offset: 18 (0x12)", ".long 11\n\n"},
      {16 + 10, "getFloat read failure, input file offset: 26 (0x1a)", ".long 11\n\n"},
      {16 + 36, "getByte read failure, input file offset: 52 (0x34)", ".long 11\n\n"},
      {16 + 42, "getByte read failure, input file offset: 58 (0x3a)", ".long 11\n\n"},
      {16 + 53, "Read failure, input file offset: 69 (0x45)", ".long 11\n\n"},
      {16 + 57, "Read failure, input file offset: 73 (0x49)", "mana 50\n"},
      {16 + 61, "getID read failure, input file offset: 77 (0x4d)", ".itemSet 1 items\n"},
      {16 + 65, "Read failure, input file offset: 81 (0x51)", ".itemSet 1 items\n"},
      {16 + 67, "Read failure, input file offset: 83 (0x53)", ".endItemSet\n"},
      {16 + 73, "getFloat read failure, input file offset: 89 (0x59)", ".endItemSet\n"},
      {file.size() - 1, "Read failure, input file offset: 122 (0x7a)", ".endItemSet\n"},
  };
  for (const Case& c : cases) {
    Conversion text = toText(file.substr(0, c.length));
    EXPECT_TRUE(text.failed) << c.length;
    EXPECT_EQ(text.error, c.message);
    std::string last = dos(c.lastText);
    EXPECT_EQ(text.output.substr(text.output.size() - std::min(last.size(), text.output.size())),
              last)
        << "cut at " << c.length << ":\n"
        << text.output;
  }
}

TEST(MapUnitsToText, NegativeCounts) {
  // A negative unit count yields no units; the text closes normally.
  Conversion none = toText(header(8, 11, -4) + "trailing bytes are not read");
  ASSERT_FALSE(none.failed) << none.error;
  EXPECT_EQ(none.output, dos("//\n// Warcraft 3 Map Units File\n//\n\n"
                             ".section MapUnits (war3mapUnits.doo)\n.version 8\n.long 11\n"
                             "\n.endSection MapUnits (war3mapUnits.doo)\n\n"));

  // A negative item-set count is counted down, never reaching zero before
  // the input runs out: item sets are read until a read fails.
  std::string sets = Bytes().i32(-1).i32(0).i32(1).id("ratc").i32(5).i32(2).id("bspd");
  Conversion items = toText(header(8, 11, 1) + unitStart("hfoo", 1) + sets);
  EXPECT_TRUE(items.failed);
  EXPECT_EQ(items.error, "Read failure, input file offset: 95 (0x5f)");
  EXPECT_EQ(items.output.substr(items.output.find("  .itemSet")),
            dos("  .itemSet 0 items\n"
                "  .endItemSet\n"
                "  .itemSet 1 items\n"
                "    .item ratc chance 5\n"
                "  .endItemSet\n"
                "  .itemSet 2 items\n"));

  // A negative item count likewise reads items until a read fails.
  std::string negativeItems = Bytes().i32(1).i32(-2).id("ratc").i32(5).raw("bsp");
  Conversion run = toText(header(8, 11, 1) + unitStart("hfoo", 1) + negativeItems);
  EXPECT_TRUE(run.failed);
  EXPECT_EQ(run.error, "getID read failure, input file offset: 86 (0x56)");
  EXPECT_EQ(run.output.substr(run.output.find("  .itemSet")),
            dos("  .itemSet -2 items\n    .item ratc chance 5\n"));
}

// txt2mapunits counts what the text holds: the number on an .itemSet line
// is for the reader; the counts written are those of the blocks and lines.
TEST(TextToMapUnits, CountsItemSetsAndItemsFromTheText) {
  std::string text = textWithUnits(std::string(kUnitLines) +
                                   "  .itemSet 5 items\n"
                                   "    .item ratc chance 60\n"
                                   "    .item bspd chance 40\n"
                                   "  .endItemSet\n"
                                   "  .itemSet\n"
                                   "  .endItemSet\n"
                                   "  .itemSet 0 items\n"
                                   "    .item ckng chance 1\n"
                                   "  .endItemSet\n" +
                                   kGoldLine + std::string(kUnitLines) + kGoldLine);
  Conversion back = toBinary(text);
  ASSERT_FALSE(back.failed) << back.error;
  EXPECT_EQ(back.output,
            header(8, 11, 2) +
                unit("hfoo", {{{"ratc", 60}, {"bspd", 40}}, {}, {{"ckng", 1}}}) +
                unit("hfoo", {}));
}

// Removing or adding an .item line in a written text gives a consistent file.
TEST(TextToMapUnits, EditedItemListsStayConsistent) {
  std::string file = header(8, 11, 1) + unit("hfoo", {{{"ratc", 60}, {"bspd", 40}}});
  Conversion text = toText(file);
  ASSERT_FALSE(text.failed) << text.error;

  Conversion removed = toBinary(replaced(text.output, "    .item ratc chance 60\r\n", ""));
  ASSERT_FALSE(removed.failed) << removed.error;
  EXPECT_EQ(removed.output, header(8, 11, 1) + unit("hfoo", {{{"bspd", 40}}}));

  Conversion added = toBinary(replaced(text.output, "  .endItemSet\r\n",
                                       "    .item I000 chance 0\r\n  .endItemSet\r\n"));
  ASSERT_FALSE(added.failed) << added.error;
  EXPECT_EQ(added.output,
            header(8, 11, 1) + unit("hfoo", {{{"ratc", 60}, {"bspd", 40}, {"I000", 0}}}));

  Conversion noSets = toBinary(replaced(text.output,
                                        "  .itemSet 2 items\r\n    .item ratc chance 60\r\n"
                                        "    .item bspd chance 40\r\n  .endItemSet\r\n",
                                        ""));
  ASSERT_FALSE(noSets.failed) << noSets.error;
  EXPECT_EQ(noSets.output, header(8, 11, 1) + unit("hfoo", {}));
}

TEST(TextToMapUnits, ByteFieldsKeepTheirLow8Bits) {
  std::string text = textWithUnits(
      replaced(kUnitLines, ".flags 2 player 3 b1 200 b2 7", ".flags -1 player 3 b1 257 b2 256") +
      kGoldLine);
  Conversion back = toBinary(text);
  ASSERT_FALSE(back.failed) << back.error;
  std::string expected = header(8, 11, 1) + unit("hfoo", {});
  expected[16 + 36] = static_cast<char>(255);  // flags
  expected[16 + 41] = 1;                       // b1
  expected[16 + 42] = 0;                       // b2
  EXPECT_EQ(back.output, expected);
}

// Blank and comment lines between tagged lines, indentation and words after
// the last argument are all passed over.
TEST(TextToMapUnits, AcceptsCommentsIndentationAndTrailingWords) {
  std::string text = dos(
      "   .section MapUnits whatever follows\n"
      "// a comment\n"
      "\t.version 8 // the version\n"
      "\n"
      ".long 11\n"
      "  // another comment\n"
      ".unit hfoo variation 1 trailing\n"
      "\t.loc 100.5 -200.25 0 angle 4.5\n"
      ".scale 1 1.5 2\n"
      "\n"
      ".flags 2 player 3 b1 200 b2 7 hp -1 mana 50 extra\n"
      "  \t  // between the flags and the sets\n"
      "\t.itemSet whatever\n"
      "\n"
      "\t\t.item ratc chance 60 more\n"
      "\t.endItemSet\n"
      "   .gold 12500 type 4 5 color -1 gate 6 creation 7 unknown 0.5 1 2 3 end\n"
      ".endSection MapUnits and nothing after is read\n"
      "garbage");
  Conversion back = toBinary(text);
  ASSERT_FALSE(back.failed) << back.error;
  EXPECT_EQ(back.output, header(8, 11, 1) + unit("hfoo", {{{"ratc", 60}}}));
}

TEST(TextToMapUnits, FailuresNameTheLine) {
  const std::string good = textWithUnits(std::string(kUnitLines) +
                                         "  .itemSet 1 items\n"
                                         "    .item ratc chance 60\n"
                                         "  .endItemSet\n" +
                                         kGoldLine);
  const std::string gold = kGoldLine;
  const std::string goldLine = gold.substr(0, gold.size() - 1);
  struct Case {
    std::string from;
    std::string to;
    std::string message;
  } cases[] = {
      {".section MapUnits", ".section Units",
       "Expected MapUnits, got Units, line 5: .section Units (war3mapUnits.doo)"},
      {".version 8", ".version\t8", "Unexpected tag .version\t8, line 6: .version\t8"},
      {".long 11\r\n", "", "Unexpected tag .unit, line 8: .unit hfoo variation 1"},
      {".unit hfoo variation 1", ".unit\thfoo variation 1",
       "Unexpected tag .unit\thfoo, line 9: .unit\thfoo variation 1"},
      {".unit hfoo variation 1", ".unit hfoo variation\t1",
       "Expected variation, got variation\t1, line 9: .unit hfoo variation\t1"},
      {".unit hfoo variation 1", ".unit hfoo5 variation 1",
       "ID hfoo5 too long, line 9: .unit hfoo5 variation 1"},
      {".unit hfoo variation 1", ".unit hfoofoot variation 1",
       "getString buffer overflow, maxchars is 8, line 9: .unit hfoofoot variation 1"},
      {".unit hfoo variation 1", ".unit hfoo variation",
       "Failed to find expected argument, line 9: .unit hfoo variation"},
      {".unit hfoo variation 1", ".unit hfoo variation x1",
       "Failed to get long argument, line 9: .unit hfoo variation x1"},
      {".unit hfoo", ".item hfoo", "Unexpected tag .item, line 9: .item hfoo variation 1"},
      {".loc 100.500000 -200.250000 0.000000 angle 4.500000\r\n", "",
       "Unexpected tag .scale, line 10: .scale 1.000000 1.500000 2.000000"},
      {"-200.250000", "y",
       "Failed to get float argument, line 10: .loc 100.500000 y 0.000000 angle 4.500000"},
      {" angle ", " Angle ",
       "Expected angle, got Angle, line 10: .loc 100.500000 -200.250000 0.000000 Angle 4.500000"},
      {"b2 7", "b3 7",
       "Expected b2, got b3, line 12: .flags 2 player 3 b1 200 b3 7 hp -1 mana 50"},
      {" mana 50", " mana",
       "Failed to find expected argument, line 12: .flags 2 player 3 b1 200 b2 7 hp -1 mana"},
      {"  .itemSet 1 items", "  .item ratc chance 1",
       "Unexpected tag .item, line 13:   .item ratc chance 1"},
      {"    .item ratc chance 60", "    .item ratc odds 60",
       "Expected chance, got odds, line 14:     .item ratc odds 60"},
      {"  .endItemSet\r\n", "", "Unexpected tag .gold, line 15: " + goldLine},
      {".gold 12500", ".golden 12500",
       "Unexpected tag .golden, line 16: .golden" + goldLine.substr(5)},
      {" creation 7", " creation\t7",
       "Expected creation, got creation\t7, line 16: "
       ".gold 12500 type 4 5 color -1 gate 6 creation\t7 unknown 0.500000 1 2 3"},
      {" 1 2 3\r\n", " 1 2\r\n",
       "Failed to find expected argument, line 16: "
       ".gold 12500 type 4 5 color -1 gate 6 creation 7 unknown 0.500000 1 2"},
      {".endSection MapUnits", ".endSection Map",
       "Expected MapUnits, got Map, line 18: .endSection Map (war3mapUnits.doo)"},
      {".endSection MapUnits (war3mapUnits.doo)\r\n\r\n", "",
       "Unexpected EOF while getting line, line 18: "},
      // Inside a unit only .itemSet or .gold may follow the .flags line, and
      // inside an item set only .item or .endItemSet.
      {goldLine + "\r\n", "",
       "Unexpected tag .endSection, line 17: .endSection MapUnits (war3mapUnits.doo)"},
      {"  .endItemSet\r\n" + goldLine + "\r\n", "",
       "Unexpected tag .endSection, line 16: .endSection MapUnits (war3mapUnits.doo)"},
      {"  .itemSet 1 items\r\n", "  .itemSet 1 items\r\n  .itemSet\r\n",
       "Unexpected tag .itemSet, line 14:   .itemSet"},
  };
  for (const Case& c : cases) {
    Conversion back = toBinary(replaced(good, c.from, c.to));
    EXPECT_TRUE(back.failed) << c.to;
    EXPECT_EQ(back.error, c.message);
  }
}

// What was written before a failure stays in the output, with the zero
// placeholders of the counts still open.
TEST(TextToMapUnits, KeepsWhatWasWrittenBeforeAFailure) {
  std::string text = textWithUnits(std::string(kUnitLines) +
                                   "  .itemSet 1 items\n"
                                   "    .item ratc chance 60\n"
                                   "    .item bspd chance x\n");
  Conversion back = toBinary(text);
  EXPECT_TRUE(back.failed);
  EXPECT_EQ(back.error, "Failed to get long argument, line 15:     .item bspd chance x");
  EXPECT_EQ(back.output, header(8, 11, 0) + unitStart("hfoo", 1) +
                             Bytes().i32(0).i32(0).id("ratc").i32(60).bytes());

  // The item-set count is filled in as soon as the .gold line is reached,
  // before that line is parsed: a bad .gold line leaves the sets counted.
  Conversion badGold = toBinary(textWithUnits(std::string(kUnitLines) +
                                              "  .itemSet 1 items\n"
                                              "    .item ratc chance 60\n"
                                              "  .endItemSet\n"
                                              ".gold 12500 type 4\n"));
  EXPECT_TRUE(badGold.failed);
  EXPECT_EQ(badGold.error, "Failed to find expected argument, line 16: .gold 12500 type 4");
  EXPECT_EQ(badGold.output, header(8, 11, 0) + unitStart("hfoo", 1) +
                                Bytes().i32(1).i32(1).id("ratc").i32(60).bytes());
}

TEST(MapUnitsPrograms, DefaultPathsStatusAndMessages) {
  ScratchDir dir;
  std::string file = header(8, 11, 1) + unit("hfoo", {{{"ratc", 60}}});
  dir.write("war3mapUnits.doo", file);
  ProgramRun toText = runProgram("mapunits2txt", {}, dir.path());
  EXPECT_EQ(toText.status, 0) << toText.stdErr;
  EXPECT_EQ(toText.stdErr, "");
  ASSERT_TRUE(dir.exists("MapUnits.txt"));

  dir.write("war3mapUnits.doo", "");
  ProgramRun back = runProgram("txt2mapunits", {"ignored"}, dir.path());
  EXPECT_EQ(back.status, 0) << back.stdErr;
  EXPECT_EQ(dir.read("war3mapUnits.doo"), file);

  dir.write("cut.doo", file.substr(0, 20));
  ProgramRun cut = runProgram("mapunits2txt", {"cut.doo", "cut.txt"}, dir.path());
  EXPECT_EQ(cut.status, 1);
  EXPECT_EQ(cut.stdErr, "Read failure, input file offset: 20 (0x14)\n");
  EXPECT_EQ(dir.read("cut.txt"), dos("//\n// Warcraft 3 Map Units File\n//\n\n"
                                     ".section MapUnits (war3mapUnits.doo)\n"
                                     ".version 8\n.long 11\n\n"));

  dir.write("bad.doo", "W3DO" + file.substr(4));
  ProgramRun bad = runProgram("mapunits2txt", {"bad.doo", "bad.txt"}, dir.path());
  EXPECT_EQ(bad.status, 1);
  EXPECT_EQ(bad.stdErr, "Bad file ID, expected W3do, got W3DO, input file offset: 4 (0x4)\n");
  EXPECT_EQ(dir.read("bad.txt"), "");
}

// The real maps' war3mapUnits.doo files are all of version 8, whose records
// hold one more int32 (-1 in every unit of these maps) right where the
// layout expects the item-set count. mapunits2txt therefore reads item sets
// on until a read fails: each file ends with a message, never a crash.
TEST(MapUnitsCorpus, RealFilesEndAsTheirLayoutGives) {
  struct Expected {
    const char* map;
    const char* message;
  } expected[] = {
      {"mpq-test", "Read failure, input file offset: 18886 (0x49c6)\n"},
      {"test-original-host", "Read failure, input file offset: 127 (0x7f)\n"},
      {"tribute-alliance", "Read failure, input file offset: 21772 (0x550c)\n"},
  };
  if (corpusMaps().empty()) GTEST_SKIP() << "no corpus";
  std::vector<std::string> seen;
  for (const std::string& map : corpusMaps()) {
    std::string input = corpusMap(map) + "/war3mapUnits.doo";
    if (!fileExists(input)) continue;
    seen.push_back(map);
    ScratchDir dir;
    ProgramRun run = runProgram("mapunits2txt", {input, "MapUnits.txt"}, dir.path());
    ASSERT_TRUE(run.status == 0 || run.status == 1) << map << ": " << run.stdErr;
    std::string text = dir.read("MapUnits.txt");
    EXPECT_EQ(text.rfind(dos("//\n// Warcraft 3 Map Units File\n//\n\n"
                             ".section MapUnits (war3mapUnits.doo)\n.version 8\n.long 11\n\n"
                             ".unit "),
                         0),
              0u)
        << map;
    const Expected* known = nullptr;
    for (const Expected& e : expected) {
      if (map == e.map) known = &e;
    }
    if (run.status == 0) {
      // A file that fits the layout converts back byte for byte.
      ProgramRun back = runProgram("txt2mapunits", {"MapUnits.txt", "back.doo"}, dir.path());
      EXPECT_EQ(back.status, 0) << map << ": " << back.stdErr;
      EXPECT_EQ(dir.read("back.doo"), readFile(input)) << map;
    }
    if (known) {
      EXPECT_EQ(run.status, 1) << map;
      EXPECT_EQ(run.stdErr, known->message) << map;
      // After the -1 the first unit's item sets run on: the first set read
      // is empty (the four bytes after the -1 hold 0), the second takes the
      // unit's gold (12500 in the first unit of each of these maps, 0 in
      // test-original-host) as its item count, and so on to the end.
      EXPECT_NE(text.find(dos(" mana -1\n  .itemSet 0 items\n  .endItemSet\n  .itemSet ")),
                std::string::npos)
          << map;
      EXPECT_EQ(text.find(".gold"), std::string::npos) << map;
    }
  }
  EXPECT_FALSE(seen.empty());
}

}  // namespace
