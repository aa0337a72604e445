#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "formats/doodads/doodads_to_text.h"
#include "formats/doodads/text_to_doodads.h"
#include "tests/support.h"

namespace {

const char kHeader[] =
    "//\n"
    "// Warcraft 3 Doodads File\n"
    "//\n"
    "\n"
    ".section Doodads (war3map.doo)\n";

struct Tree {
  std::string id = "LTlt";  // four raw bytes
  int32_t number = 0;
  float reals[7] = {0, 0, 0, 0, 1, 1, 1};  // loc x y z, ang, scale x y z
  int flags = 2;
  int life = 100;
  int32_t further[2] = {-1, 0};  // in the extended record only
  int32_t treeID = 0;
};

struct Other {
  std::string id = "D000";
  int32_t number = 0;
  int32_t x = 0;
  int32_t y = 0;
};

std::string treeRecord(const Tree& t, bool extended) {
  Bytes b;
  b.raw(t.id).i32(t.number);
  for (float real : t.reals) b.f32(real);
  b.u8(t.flags).u8(t.life);
  if (extended) b.i32(t.further[0]).i32(t.further[1]);
  b.i32(t.treeID);
  return b;
}

std::string otherRecord(const Other& o) {
  return Bytes().raw(o.id).i32(o.number).i32(o.x).i32(o.y);
}

std::string doodadsFile(int32_t version, const std::vector<Tree>& trees,
                        const std::vector<Other>& others, int32_t firstLong = 11,
                        int32_t secondLong = 0) {
  Bytes b;
  b.raw("W3do").i32(version).i32(firstLong).i32(static_cast<int32_t>(trees.size()));
  for (const Tree& t : trees) b.raw(treeRecord(t, version > 7));
  b.i32(secondLong).i32(static_cast<int32_t>(others.size()));
  for (const Other& o : others) b.raw(otherRecord(o));
  return b;
}

// The text of a file with these tree and other lines.
std::string doodadsText(int32_t version, const std::string& trees, const std::string& others,
                        int32_t firstLong = 11, int32_t secondLong = 0) {
  return std::string(kHeader) + ".version " + std::to_string(version) + "\n.long " +
         std::to_string(firstLong) + "\n\n.trees\n" + trees + ".endTrees\n\n.long " +
         std::to_string(secondLong) + "\n\n.others\n" + others +
         ".endOthers\n\n.endSection Doodads (war3map.doo)\n\n";
}

Tree sampleTree() {
  Tree t;
  t.id = "LTlt";
  t.number = 1;
  t.reals[0] = 1.5f;
  t.reals[1] = -2048.25f;
  t.reals[2] = 0.0f;
  t.reals[3] = 0.5f;
  t.reals[4] = 1.0f;
  t.reals[5] = 0.75f;
  t.reals[6] = 2.0f;
  t.flags = 2;
  t.life = 100;
  t.further[0] = -1;
  t.further[1] = 0;
  t.treeID = 5;
  return t;
}

Other sampleOther() {
  Other o;
  o.id = "D000";
  o.number = 0;
  o.x = 64;
  o.y = -128;
  return o;
}

TEST(DoodadsToText, WritesTheExactTextOfAVersion8File) {
  Tree second = sampleTree();
  second.id = std::string("ZT\0\0", 4);
  second.number = -3;
  second.flags = 255;
  second.life = 0;
  second.further[0] = 7;
  second.further[1] = -2147483647 - 1;
  second.treeID = 2147483647;
  std::string binary = doodadsFile(8, {sampleTree(), second}, {sampleOther()});

  Conversion text = convert<DoodadsToTextConverter>(binary);
  ASSERT_FALSE(text.failed) << text.error;
  EXPECT_EQ(text.output,
            "//\r\n"
            "// Warcraft 3 Doodads File\r\n"
            "//\r\n"
            "\r\n"
            ".section Doodads (war3map.doo)\r\n"
            ".version 8\r\n"
            ".long 11\r\n"
            "\r\n"
            ".trees\r\n"
            "  .tree LTlt 1 loc 1.500000 -2048.250000 0.000000 ang 0.500000 "
            "scale 1.000000 0.750000 2.000000 flags 2 life 100 -1 0 ID 5\r\n"
            "  .tree ZT -3 loc 1.500000 -2048.250000 0.000000 ang 0.500000 "
            "scale 1.000000 0.750000 2.000000 flags 255 life 0 7 -2147483648 ID 2147483647\r\n"
            ".endTrees\r\n"
            "\r\n"
            ".long 0\r\n"
            "\r\n"
            ".others\r\n"
            "  .other D000 0 loc 64 -128\r\n"
            ".endOthers\r\n"
            "\r\n"
            ".endSection Doodads (war3map.doo)\r\n"
            "\r\n");

  Conversion back = convert<TextToDoodadsConverter>(text.output);
  ASSERT_FALSE(back.failed) << back.error;
  EXPECT_EQ(back.output, binary);
}

TEST(DoodadsToText, ShortLayoutPrintsZeroesAfterTheLife) {
  std::string binary = doodadsFile(7, {sampleTree()}, {});
  EXPECT_EQ(treeRecord(sampleTree(), false).size(), 42u);
  Conversion text = convert<DoodadsToTextConverter>(binary);
  ASSERT_FALSE(text.failed) << text.error;
  EXPECT_EQ(text.output,
            dos(doodadsText(7,
                            "  .tree LTlt 1 loc 1.500000 -2048.250000 0.000000 ang 0.500000 "
                            "scale 1.000000 0.750000 2.000000 flags 2 life 100 0 0 ID 5\n",
                            "")));
}

// The version alone picks the tree record: above 7 the extended one.
TEST(DoodadsRoundTrip, EveryVersionConvertsBackByteForByte) {
  Tree odd = sampleTree();
  odd.id = std::string("\xd0\x9e\x01z", 4);
  odd.reals[0] = 3.4e38f;
  odd.reals[1] = -0.0f;
  odd.reals[2] = 0.1f;
  odd.reals[3] = 1234.5678f;
  odd.reals[4] = 16777216.0f;
  odd.flags = 0;
  odd.life = 255;
  odd.further[0] = 123456;
  odd.further[1] = -654321;
  Other other = sampleOther();
  other.id = std::string("ab\0\0", 4);
  other.number = -2147483647 - 1;
  other.x = 2147483647;
  for (int32_t version : {-1, 0, 7, 8, 9, 2147483647}) {
    SCOPED_TRACE(version);
    std::string binary =
        doodadsFile(version, {sampleTree(), odd}, {sampleOther(), other}, -5, 2147483647);
    EXPECT_EQ(binary.size(), 16u + 2 * (version > 7 ? 50 : 42) + 8 + 2 * 16);
    Conversion text = convert<DoodadsToTextConverter>(binary);
    ASSERT_FALSE(text.failed) << text.error;
    Conversion back = convert<TextToDoodadsConverter>(text.output);
    ASSERT_FALSE(back.failed) << back.error;
    EXPECT_EQ(back.output, binary);
  }
}

TEST(DoodadsRoundTrip, EmptyListsAndTrailingBytes) {
  // Nothing after the last other record is read.
  std::string binary = doodadsFile(8, {}, {});
  Conversion text = convert<DoodadsToTextConverter>(binary + "rest of the file");
  ASSERT_FALSE(text.failed) << text.error;
  EXPECT_EQ(text.output, dos(doodadsText(8, "", "")));
  EXPECT_NE(text.output.find(".trees\r\n.endTrees\r\n"), std::string::npos);
  EXPECT_EQ(convert<TextToDoodadsConverter>(text.output).output, binary);
}

TEST(DoodadsToText, NegativeCountsGiveNoRecordsAndTheNextFieldFollows) {
  std::string binary = Bytes()
                           .raw("W3do")
                           .i32(8)
                           .i32(11)
                           .i32(-1)  // tree count
                           .i32(42)  // second long, read right after it
                           .i32(-2147483647 - 1)
                           .raw(otherRecord(sampleOther()));
  Conversion text = convert<DoodadsToTextConverter>(binary);
  ASSERT_FALSE(text.failed) << text.error;
  EXPECT_EQ(text.output, dos(doodadsText(8, "", "", 11, 42)));
  EXPECT_EQ(convert<TextToDoodadsConverter>(text.output).output,
            doodadsFile(8, {}, {}, 11, 42));
}

// Reals come back as the float nearest to their six-decimal rendering.
TEST(DoodadsRoundTrip, RealsThatSixDecimalsDoNotPinDown) {
  Tree t = sampleTree();
  t.reals[0] = 4e-7f;        // 0.000000
  t.reals[1] = -4e-7f;       // -0.000000
  t.reals[2] = 0.1234567f;   // 0.123457
  t.reals[3] = 6.2831855f;   // 6.283185 (2 pi, as the editor stores it)
  t.reals[4] = 1.0000001f;   // 1.000000
  t.reals[5] = 0.99999994f;  // 1.000000
  t.reals[6] = 1e-30f;
  Conversion text = convert<DoodadsToTextConverter>(doodadsFile(8, {t}, {}));
  ASSERT_FALSE(text.failed) << text.error;
  EXPECT_NE(text.output.find("loc 0.000000 -0.000000 0.123457 ang 6.283185 "
                             "scale 1.000000 1.000000 0.000000 flags"),
            std::string::npos)
      << text.output;
  Tree b = t;
  b.reals[0] = 0.0f;
  b.reals[1] = -0.0f;
  b.reals[2] = 0.123457f;
  b.reals[3] = 6.283185f;
  b.reals[4] = 1.0f;
  b.reals[5] = 1.0f;
  b.reals[6] = 0.0f;
  EXPECT_NE(b.reals[3], t.reals[3]);
  Conversion back = convert<TextToDoodadsConverter>(text.output);
  ASSERT_FALSE(back.failed) << back.error;
  EXPECT_EQ(back.output, doodadsFile(8, {b}, {}));
}

TEST(DoodadsToText, RefusesAnotherFileIDBeforePrintingAnything) {
  struct Case {
    std::string bytes;
    const char* message;
    std::string text;
  };
  const Case cases[] = {
      {Bytes().raw("W3dx").i32(8), "Bad file ID, expected W3do, got W3dx, input file offset: 4 (0x4)",
       ""},
      {Bytes().raw("w3do").i32(8), "Bad file ID, expected W3do, got w3do, input file offset: 4 (0x4)",
       ""},
      {Bytes().raw(std::string("W3\0o", 4)).i32(8),
       "Bad file ID, expected W3do, got W3, input file offset: 4 (0x4)", ""},
      {Bytes().raw(std::string("\0W3d", 4)).i32(8),
       "Bad file ID, expected W3do, got <NONE>, input file offset: 4 (0x4)", ""},
      {"W3d", "getID read failure, input file offset: 3 (0x3)", ""},
      {"", "getID read failure, input file offset: 0 (0x0)", ""},
      // Only the first four bytes are the ID: the second "W3do" is the version.
      {"W3doW3do", "Read failure, input file offset: 8 (0x8)",
       dos(std::string(kHeader) + ".version 1868837719\n")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    Conversion text = convert<DoodadsToTextConverter>(c.bytes);
    EXPECT_TRUE(text.failed);
    EXPECT_EQ(text.error, c.message);
    EXPECT_EQ(text.output, c.text);
  }
}

TEST(DoodadsToText, ShortFilesFailWithTheReadAndKeepTheLinesBefore) {
  const std::string full = doodadsFile(8, {sampleTree()}, {sampleOther()});
  const std::string start = std::string(kHeader) + ".version 8\n.long 11\n\n.trees\n";
  const std::string tree =
      "  .tree LTlt 1 loc 1.500000 -2048.250000 0.000000 ang 0.500000 "
      "scale 1.000000 0.750000 2.000000 flags 2 life 100 -1 0 ID 5\n";
  // Tree record at 16..66: id, number 20, reals 24..52, flags 52, life 53,
  // further 54..62, ID 62..66; second long 66, other count 70, other 74..90.
  struct Case {
    std::size_t length;
    const char* message;
    std::string text;
  };
  const Case cases[] = {
      {6, "Read failure, input file offset: 6 (0x6)", kHeader},
      {10, "Read failure, input file offset: 10 (0xa)", std::string(kHeader) + ".version 8\n"},
      {14, "Read failure, input file offset: 14 (0xe)", start},
      {18, "getID read failure, input file offset: 18 (0x12)", start},
      {30, "getFloat read failure, input file offset: 30 (0x1e)", start},
      {52, "getByte read failure, input file offset: 52 (0x34)", start},
      {53, "getByte read failure, input file offset: 53 (0x35)", start},
      {58, "Read failure, input file offset: 58 (0x3a)", start},
      {65, "Read failure, input file offset: 65 (0x41)", start},
      {68, "Read failure, input file offset: 68 (0x44)", start + tree + ".endTrees\n"},
      {72, "Read failure, input file offset: 72 (0x48)", start + tree + ".endTrees\n\n.long 0\n\n.others\n"},
      {80, "Read failure, input file offset: 80 (0x50)", start + tree + ".endTrees\n\n.long 0\n\n.others\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.length);
    Conversion text = convert<DoodadsToTextConverter>(full.substr(0, c.length));
    EXPECT_TRUE(text.failed);
    EXPECT_EQ(text.error, c.message);
    EXPECT_EQ(text.output, dos(c.text));
  }
}

// A tree that carries item sets holds them between its two further values
// and its ID, which this layout does not know: the reader goes out of step,
// takes the item set's bytes as the following fields and ends where the
// bytes run out, never beyond them.
TEST(DoodadsToText, TreeWithItemSetsGoesOutOfStep) {
  Tree t = sampleTree();
  t.further[1] = 1;  // one item set
  std::string tree = treeRecord(t, true);
  std::string itemSet = Bytes().i32(1).raw("ratf").i32(100);  // one item, 100%
  std::string binary = Bytes()
                           .raw("W3do")
                           .i32(8)
                           .i32(11)
                           .i32(1)
                           .raw(tree.substr(0, 46))  // up to the item-set count
                           .raw(itemSet)
                           .i32(5)   // the tree's ID
                           .i32(0)   // second long
                           .i32(0);  // other count
  Conversion text = convert<DoodadsToTextConverter>(binary);
  // The item count is taken as the ID, "ratf" as the second long and the
  // chance as the other count, so 100 others are read from the 12 bytes left.
  EXPECT_TRUE(text.failed);
  EXPECT_EQ(text.error, "Read failure, input file offset: 86 (0x56)");
  EXPECT_EQ(binary.size(), 86u);
  EXPECT_NE(text.output.find("flags 2 life 100 -1 1 ID 1\r\n.endTrees\r\n\r\n.long 1718903154\r\n"),
            std::string::npos)
      << text.output;
  EXPECT_NE(text.output.find(".others\r\n"), std::string::npos);
}

TEST(TextToDoodads, ShortLayoutParsesAndDropsTheFurtherValues) {
  const char line[] =
      "  .tree LTlt 1 loc 1.5 -2048.25 0 ang 0.5 scale 1 0.75 2 flags 2 life 100 5 6 ID 5\n";
  Tree t = sampleTree();
  t.further[0] = 5;
  t.further[1] = 6;
  Conversion extended = convert<TextToDoodadsConverter>(doodadsText(8, line, ""));
  ASSERT_FALSE(extended.failed) << extended.error;
  EXPECT_EQ(extended.output, doodadsFile(8, {t}, {}));
  EXPECT_EQ(extended.output.substr(16 + 38, 8), Bytes().i32(5).i32(6).bytes());

  Conversion shortLayout = convert<TextToDoodadsConverter>(doodadsText(7, line, ""));
  ASSERT_FALSE(shortLayout.failed) << shortLayout.error;
  EXPECT_EQ(shortLayout.output, doodadsFile(7, {t}, {}));
  EXPECT_EQ(shortLayout.output.size(), 16u + 42 + 8);
}

TEST(TextToDoodads, ByteFieldsKeepTheirLowEightBits) {
  struct Case {
    const char* flagsAndLife;
    int flags;
    int life;
  };
  const Case cases[] = {
      {"flags 2 life 256", 2, 0},
      {"flags -1 life 255", 255, 255},
      {"flags 511 life -256", 255, 0},
      {"flags 4294967295 life 2147483647", 255, 255},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.flagsAndLife);
    std::string line = std::string("  .tree LTlt 1 loc 1.5 -2048.25 0 ang 0.5 scale 1 0.75 2 ") +
                       c.flagsAndLife + " -1 0 ID 5\n";
    Conversion back = convert<TextToDoodadsConverter>(doodadsText(8, line, ""));
    ASSERT_FALSE(back.failed) << back.error;
    Tree t = sampleTree();
    t.flags = c.flags;
    t.life = c.life;
    EXPECT_EQ(back.output, doodadsFile(8, {t}, {}));
  }
}

TEST(TextToDoodads, AcceptsIndentationCommentsAndTrailingText) {
  std::string text =
      ".section Doodads\n"
      "// no header at all\n"
      ".version 8 and a remark\n"
      "\t.long 11\n"
      ".trees\n"
      "\n"
      "// a comment\n"
      ".tree LTlt 1 loc 1.5 -2048.25 0 ang 0.5 scale 1 0.75 2 flags 2 life 100 -1 0 ID 5 more\n"
      "   \t\n"
      "\t\t  .tree <NONE> 0 loc 0 0 0 ang 0 scale 0 0 0 flags 0 life 0 0 0 ID 0\n"
      "  // another\n"
      ".endTrees whatever\n"
      ".long 0\n"
      ".others\n"
      "    .other D000   0 loc \t64 -128\n"
      ".endOthers\n"
      ".endSection Doodads (war3map.doo)";
  Tree none;
  none.id = std::string(4, '\0');
  for (float& real : none.reals) real = 0.0f;
  none.flags = 0;
  none.life = 0;
  none.further[0] = 0;
  none.treeID = 0;
  Conversion back = convert<TextToDoodadsConverter>(text);
  ASSERT_FALSE(back.failed) << back.error;
  EXPECT_EQ(back.output, doodadsFile(8, {sampleTree(), none}, {sampleOther()}));
}

// Each failure names the line; the output keeps what was written, counts of
// lists still open as zero placeholders.
TEST(TextToDoodads, FailuresNameTheLineAndKeepWhatWasWritten) {
  const std::string tree =
      "  .tree LTlt 1 loc 1.5 -2048.25 0 ang 0.5 scale 1 0.75 2 flags 2 life 100 -1 0 ID 5\n";
  const std::string other = "  .other D000 0 loc 64 -128\n";
  const std::string start = std::string(kHeader) + ".version 8\n.long 11\n\n.trees\n";  // 9 lines
  const std::string head = Bytes().raw("W3do").i32(8).i32(11).i32(0);
  const std::string oneTree = head + treeRecord(sampleTree(), true);
  const std::string treesDone = Bytes().raw("W3do").i32(8).i32(11).i32(1).raw(
      treeRecord(sampleTree(), true));
  const std::string othersOpen = treesDone + Bytes().i32(0).i32(0).bytes();
  auto treeLine = [](const std::string& middle) {
    return "  .tree LTlt 1 " + middle + " ID 5";
  };
  const std::string good = "loc 1 2 3 ang 0 scale 1 1 1 flags 2 life 100 -1 0";
  struct Case {
    const char* what;
    std::string text;
    std::string message;
    std::string output;
  };
  const Case cases[] = {
      {"no section", ".version 8\n", "Unexpected tag .version, line 1: .version 8", ""},
      {"another section name", ".section Regions (war3map.w3r)\n",
       "Expected Doodads, got Regions, line 1: .section Regions (war3map.w3r)", ""},
      {"no version", ".section Doodads\n.long 11\n", "Unexpected tag .long, line 2: .long 11",
       "W3do"},
      {"no first long", ".section Doodads\n.version 8\n.trees\n",
       "Unexpected tag .trees, line 3: .trees", Bytes().raw("W3do").i32(8)},
      {"tab after the tag", start + ".tree\tLTlt 1 " + good + " ID 5\n",
       "Unexpected tag .tree\tLTlt, line 10: .tree\tLTlt 1 " + good + " ID 5", head},
      {"missing .endTrees", start + tree + ".long 0\n", "Unexpected tag .long, line 11: .long 0",
       oneTree},
      {"tree among the others", start + tree + ".endTrees\n.long 0\n.others\n" + tree,
       "Unexpected tag .tree, line 14: " + tree.substr(0, tree.size() - 1), othersOpen},
      {"wrong loc", start + treeLine("lok 1 2 3 ang 0 scale 1 1 1 flags 2 life 100 -1 0") + "\n",
       "Expected loc, got lok, line 10: " +
           treeLine("lok 1 2 3 ang 0 scale 1 1 1 flags 2 life 100 -1 0"),
       head},
      {"tab after loc", start + tree + treeLine("loc\t1 2 3 ang 0 scale 1 1 1 flags 2 life 100 -1 0") + "\n",
       "Expected loc, got loc\t1, line 11: " +
           treeLine("loc\t1 2 3 ang 0 scale 1 1 1 flags 2 life 100 -1 0"),
       oneTree},
      {"tab after ang", start + treeLine("loc 1 2 3 ang\t0 scale 1 1 1 flags 2 life 100 -1 0") + "\n",
       "Expected ang, got ang\t0, line 10: " +
           treeLine("loc 1 2 3 ang\t0 scale 1 1 1 flags 2 life 100 -1 0"),
       head},
      {"wrong scale", start + treeLine("loc 1 2 3 ang 0 Scale 1 1 1 flags 2 life 100 -1 0") + "\n",
       "Expected scale, got Scale, line 10: " +
           treeLine("loc 1 2 3 ang 0 Scale 1 1 1 flags 2 life 100 -1 0"),
       head},
      {"tab between two reals", start + treeLine("loc 1\t2 3 ang 0 scale 1 1 1 flags 2 life 100 -1 0") + "\n",
       "Failed to get float argument, line 10: " +
           treeLine("loc 1\t2 3 ang 0 scale 1 1 1 flags 2 life 100 -1 0"),
       head},
      {"wrong flags", start + treeLine("loc 1 2 3 ang 0 scale 1 1 1 flag 2 life 100 -1 0") + "\n",
       "Expected flags, got flag, line 10: " +
           treeLine("loc 1 2 3 ang 0 scale 1 1 1 flag 2 life 100 -1 0"),
       head},
      {"wrong life", start + treeLine("loc 1 2 3 ang 0 scale 1 1 1 flags 2 hp 100 -1 0") + "\n",
       "Expected life, got hp, line 10: " +
           treeLine("loc 1 2 3 ang 0 scale 1 1 1 flags 2 hp 100 -1 0"),
       head},
      {"life with one value", start + "  .tree LTlt 1 loc 1 2 3 ang 0 scale 1 1 1 flags 2 life 100 ID 5\n",
       "Failed to get long argument, line 10:   .tree LTlt 1 loc 1 2 3 ang 0 scale 1 1 1 flags 2 "
       "life 100 ID 5",
       head},
      {"wrong ID word", start + "  .tree LTlt 1 " + good + " id 5\n",
       "Expected ID, got id, line 10:   .tree LTlt 1 " + good + " id 5", head},
      {"line ends before the ID", start + "  .tree LTlt 1 " + good + " ID\n",
       "Failed to find expected argument, line 10:   .tree LTlt 1 " + good + " ID", head},
      {"real that does not parse", start + treeLine("loc 1 two 3 ang 0 scale 1 1 1 flags 2 life 100 -1 0") + "\n",
       "Failed to get float argument, line 10: " +
           treeLine("loc 1 two 3 ang 0 scale 1 1 1 flags 2 life 100 -1 0"),
       head},
      {"number that does not parse", start + "  .tree LTlt x " + good + " ID 5\n",
       "Failed to get long argument, line 10:   .tree LTlt x " + good + " ID 5", head},
      {"identifier too long", start + "  .tree LTltX 1 " + good + " ID 5\n",
       "ID LTltX too long, line 10:   .tree LTltX 1 " + good + " ID 5", head},
      {"identifier far too long", start + tree + ".endTrees\n.long 0\n.others\n.other D000D000 0 loc 1 2\n",
       "getString buffer overflow, maxchars is 8, line 14: .other D000D000 0 loc 1 2", othersOpen},
      {"other without loc", start + tree + ".endTrees\n.long 0\n.others\n" + other + ".other D000 0 1 2\n",
       "Expected loc, got 1, line 15: .other D000 0 1 2", othersOpen + otherRecord(sampleOther())},
      {"end of text before .endSection", start + tree + ".endTrees\n.long 0\n.others\n.endOthers\n",
       "Unexpected EOF while getting line, line 15: .endOthers",
       treesDone + Bytes().i32(0).i32(0).bytes()},
      {"another name after .endSection",
       start + tree + ".endTrees\n.long 0\n.others\n.endOthers\n.endSection Regions\n",
       "Expected Doodads, got Regions, line 15: .endSection Regions",
       treesDone + Bytes().i32(0).i32(0).bytes()},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Conversion back = convert<TextToDoodadsConverter>(c.text);
    EXPECT_TRUE(back.failed);
    EXPECT_EQ(back.error, c.message);
    EXPECT_EQ(back.output, c.output);
  }
}

// The programs, run as processes: default paths, status and message.
TEST(DoodadsPrograms, DefaultPathsStatusAndMessage) {
  ScratchDir dir;
  std::string binary = doodadsFile(8, {sampleTree()}, {sampleOther()});
  dir.write("war3map.doo", binary);
  ProgramRun toText = runProgram("doodads2txt", {"a", "b", "c"}, dir.path());
  EXPECT_EQ(toText.status, 0);
  EXPECT_EQ(toText.stdErr, "");
  Conversion expected = convert<DoodadsToTextConverter>(binary);
  EXPECT_EQ(dir.read("Doodads.txt"), expected.output);

  dir.write("war3map.doo", "");
  ProgramRun toBinary = runProgram("txt2doodads", {}, dir.path());
  EXPECT_EQ(toBinary.status, 0);
  EXPECT_EQ(toBinary.stdErr, "");
  EXPECT_EQ(dir.read("war3map.doo"), binary);

  dir.write("units.doo", Bytes().raw("W3dx").i32(8));
  ProgramRun refused = runProgram("doodads2txt", {"units.doo", "out.txt"}, dir.path());
  EXPECT_EQ(refused.status, 1);
  EXPECT_EQ(refused.stdErr, "Bad file ID, expected W3do, got W3dx, input file offset: 4 (0x4)\n");
  EXPECT_EQ(dir.read("out.txt"), "");

  dir.write("cut.txt", doodadsText(8, "  .tree LTlt 1 loc 1 2 3 ang\n", ""));
  ProgramRun failed = runProgram("txt2doodads", {"cut.txt", "cut.doo"}, dir.path());
  EXPECT_EQ(failed.status, 1);
  EXPECT_EQ(failed.stdErr,
            "Failed to find expected argument, line 10:   .tree LTlt 1 loc 1 2 3 ang\n");
  EXPECT_EQ(dir.read("cut.doo"), Bytes().raw("W3do").i32(8).i32(11).i32(0).bytes());
}

}  // namespace
