#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "formats/info/info_to_text.h"
#include "formats/info/text_to_info.h"
#include "tests/support.h"

namespace {

// The four record lists of a file, each as its count and its records.
struct Lists {
  int32_t playerCount = 1;
  std::string players = Bytes().i32(0).i32(1).i32(2).i32(1).str("Red").f32(-128.5f).f32(256.0f)
                            .i32(0).i32(3);
  int32_t forceCount = 1;
  std::string forces = Bytes().i32(11).i32(3).str("Force 1");
  int32_t upgradeCount = 1;
  std::string upgrades = Bytes().i32(1).id("Rhme").i32(0).i32(3);
  int32_t techCount = 1;
  std::string tech = Bytes().i32(2).id("Hpal");
};

// A map info file; the fields of the extended layout are written for a
// version above 18 only.
std::string infoFile(int32_t version, const Lists& lists = Lists()) {
  bool extended = version > 18;
  Bytes b;
  b.i32(version).i32(3).i32(6052);
  b.str("Map").str("Me").str("A map").str("2");
  for (float bound : {-1.5f, 2.25f, -3.0f, 4.0f, 0.5f, -0.25f, 1024.0f, -2048.0f}) b.f32(bound);
  b.i32(1).i32(2).i32(3).i32(4).i32(96).i32(64);  // playable bounds, w, h
  b.i32(32768).u8(76).i32(-1);                    // flags, groundType, background
  if (extended) b.str("Load.mdx");
  b.str("Loading").str("Title").str("Sub").i32(1);
  if (extended) b.str("Pro.mdx");
  b.str("Once").str("PT").str("PS");
  if (extended) {
    b.i32(2).f32(100.0f).f32(2000.5f).f32(0.25f);  // fog, zRange, density
    b.u8(10).u8(20).u8(30).u8(255);                // color
    b.i32(7).str("Lordaeron");                     // weather, soundEnvironment
    b.u8(76).u8(128).u8(64).u8(32).u8(255);        // customTileset, waterTint
  }
  b.i32(lists.playerCount).raw(lists.players);
  b.i32(lists.forceCount).raw(lists.forces);
  b.i32(lists.upgradeCount).raw(lists.upgrades);
  b.i32(lists.techCount).raw(lists.tech);
  b.i32(-9);  // long
  return b;
}

const char kExtendedText[] =
    "//\n"
    "// Warcraft 3 Info File\n"
    "//\n"
    "\n"
    ".section Info (war3map.w3i)\n"
    ".version 25 saves 3 editorRevision 6052\n"
    "\n"
    ".name \"Map\" .end\n"
    ".author \"Me\" .end\n"
    ".description \"A map\" .end\n"
    ".players \"2\" .end\n"
    ".cameraBounds -1.500000 2.250000 -3.000000 4.000000 0.500000 -0.250000 1024.000000 "
    "-2048.000000\n"
    ".playableBounds 1 2 3 4 w 96 h 64\n"
    ".flags 32768 groundType 76 background -1\n"
    "\n"
    ".loadingModel \"Load.mdx\" .end\n"
    ".loadingText \"Loading\" .end\n"
    ".loadingTitle \"Title\" .end\n"
    ".loadingSubtitle \"Sub\" .end\n"
    ".dataSet 1\n"
    "\n"
    ".prologuePath \"Pro.mdx\" .end\n"
    ".prologueText \"Once\" .end\n"
    ".prologueTitle \"PT\" .end\n"
    ".prologueSubtitle \"PS\" .end\n"
    "\n"
    ".fog 2 zRange 100.000000 2000.500000 density 0.250000 color 10 20 30 255\n"
    ".weather 7 soundEnvironment  \"Lordaeron\"\n"
    ".customTileset 76 waterTint 128 64 32 255\n"
    "\n"
    ".players\n"
    "  .player \"Red\" 0 type 1 race 2 fixed 1 loc -128.500000 256.000000 allies 0 3\n"
    ".endPlayers\n"
    "\n"
    ".forces\n"
    "  .force \"Force 1\" flags 11 playerMask 3\n"
    ".endForces\n"
    "\n"
    ".upgrades\n"
    "  .research Rhme playerMask 1 levels 0 3\n"
    ".endUpgrades\n"
    "\n"
    ".tech\n"
    "  .ability Hpal playerMask 2\n"
    ".endTech\n"
    "\n"
    ".long -9\n"
    "\n"
    ".endSection Info (war3map.w3i)\n"
    "\n";

Conversion toText(const std::string& bytes) { return convert<InfoToTextConverter>(bytes); }
Conversion toBinary(const std::string& text) { return convert<TextToInfoConverter>(text); }

std::string hex(std::size_t value) {
  std::ostringstream out;
  out << std::hex << value;
  return out.str();
}

// The text of a short-layout file: the extended lines show fixed values.
std::string shortText(const std::string& version) {
  std::string text = replaced(kExtendedText, ".version 25", ".version " + version);
  text = replaced(text, "\"Load.mdx\"", "\"\"");
  text = replaced(text, "\"Pro.mdx\"", "\"\"");
  text = replaced(text, ".fog 2 zRange 100.000000 2000.500000 density 0.250000 color 10 20 30 255",
                  ".fog 0 zRange 0.000000 0.000000 density 0.000000 color 0 0 0 0");
  text = replaced(text, ".weather 7 soundEnvironment  \"Lordaeron\"",
                  ".weather 0 soundEnvironment  \"\"");
  text = replaced(text, ".customTileset 76 waterTint 128 64 32 255",
                  ".customTileset 63 waterTint 0 0 0 0");
  return text;
}

TEST(InfoToText, WritesTheTextFormOnDisk) {
  Conversion text = toText(infoFile(25));
  ASSERT_FALSE(text.failed) << text.error;
  EXPECT_EQ(text.output, dos(kExtendedText));

  Conversion back = toBinary(text.output);
  ASSERT_FALSE(back.failed) << back.error;
  EXPECT_EQ(back.output, infoFile(25));
}

// Version 18 and below have no loading model, prologue path, fog, weather
// or water fields: the text shows fixed values there, and the file written
// back has none of them.
TEST(InfoToText, ShortLayoutShowsFixedValues) {
  for (int32_t version : {18, 0, -5}) {
    std::string file = infoFile(version);
    Conversion text = toText(file);
    ASSERT_FALSE(text.failed) << text.error;
    EXPECT_EQ(text.output, dos(shortText(std::to_string(version))));

    Conversion back = toBinary(text.output);
    ASSERT_FALSE(back.failed) << back.error;
    EXPECT_EQ(back.output, file);
    EXPECT_EQ(back.output.size() + 9 + 8 + 20 + 14 + 5, infoFile(25).size());
  }
}

TEST(InfoRoundTrip, BothLayoutsWithListsOfEveryLength) {
  Lists many;
  many.playerCount = 3;
  many.players = Bytes().i32(0).i32(1).i32(1).i32(0).str("").f32(0.75f).f32(-8192.0f).i32(-1)
                     .i32(0).i32(5).i32(2).i32(4).i32(1).str(std::string(254, 'n'))
                     .f32(1e9f).f32(-0.0f).i32(7).i32(8).i32(11).i32(0).i32(0).i32(0).str("x y")
                     .f32(3.0f).f32(4.0f).i32(0).i32(0);
  many.forceCount = 2;
  many.forces = Bytes().i32(0).i32(-1).str("").i32(31).i32(4096).str("Second force");
  many.upgradeCount = 0;
  many.upgrades = "";
  many.techCount = 3;
  many.tech = Bytes().i32(1).id("AHbz").i32(2).raw(std::string("ab\0\0", 4)).i32(3)
                  .raw(std::string("\0\0\0\0", 4));
  for (int32_t version : {-1, 18, 19, 25, 28}) {
    std::string file = infoFile(version, many);
    Conversion text = toText(file);
    ASSERT_FALSE(text.failed) << version << ": " << text.error;
    Conversion back = toBinary(text.output);
    ASSERT_FALSE(back.failed) << version << ": " << back.error;
    EXPECT_EQ(back.output, file) << "version " << version;
  }
}

// Nothing after the last field is read: the text ends with the .long line
// and the file written back ends there too.
TEST(InfoRoundTrip, BytesAfterTheLastFieldAreDropped) {
  std::string file = infoFile(25);
  Conversion text = toText(file + Bytes().i32(0).i32(5).str("more").bytes());
  ASSERT_FALSE(text.failed) << text.error;
  EXPECT_EQ(text.output, dos(kExtendedText));
  Conversion back = toBinary(text.output);
  ASSERT_FALSE(back.failed) << back.error;
  EXPECT_EQ(back.output, file);
}

// A real is read back as the float nearest to its six decimals.
TEST(InfoRoundTrip, RealsComeBackAsTheirSixDecimals) {
  std::string file = infoFile(25);
  std::string changed = file;
  // The first two camera bounds follow the four strings "Map", "Me",
  // "A map" and "2" at offset 12.
  std::size_t bounds = 12 + 4 + 3 + 6 + 2;
  changed.replace(bounds, 8, Bytes().f32(0.1234567f).f32(-4e-7f).bytes());
  Conversion text = toText(changed);
  ASSERT_FALSE(text.failed) << text.error;
  EXPECT_NE(text.output.find(".cameraBounds 0.123457 -0.000000 -3.000000"), std::string::npos)
      << text.output;
  Conversion back = toBinary(text.output);
  ASSERT_FALSE(back.failed) << back.error;
  std::string expected = file;
  expected.replace(bounds, 8, Bytes().f32(0.123457f).f32(-0.0f).bytes());
  EXPECT_EQ(back.output, expected);
}

// The version on the .version line selects the layout written; the other
// lines stay as they are.
TEST(TextToInfo, TheVersionInTheTextSelectsTheLayout) {
  Conversion shortened = toBinary(dos(replaced(kExtendedText, ".version 25", ".version 18")));
  ASSERT_FALSE(shortened.failed) << shortened.error;
  EXPECT_EQ(shortened.output, infoFile(18));

  Conversion extended = toBinary(dos(shortText("19")));
  ASSERT_FALSE(extended.failed) << extended.error;
  std::string expected = infoFile(19);
  expected = replaced(expected, std::string("Load.mdx\0", 9), std::string("\0", 1));
  expected = replaced(expected, std::string("Pro.mdx\0", 8), std::string("\0", 1));
  expected = replaced(expected,
                      Bytes().i32(2).f32(100.0f).f32(2000.5f).f32(0.25f).u8(10).u8(20).u8(30)
                          .u8(255).i32(7).str("Lordaeron").u8(76).u8(128).u8(64).u8(32).u8(255),
                      Bytes().i32(0).f32(0).f32(0).f32(0).i32(0).i32(0).u8(0).u8(63).i32(0));
  EXPECT_EQ(extended.output, expected);
}

// In the short layout the lines of the extended fields must be there, but
// only the prologue path is read, and it must be a quoted string.
TEST(TextToInfo, ShortLayoutReadsOnlyTheProloguePath) {
  std::string text = dos(shortText("18"));
  text = replaced(text, ".loadingModel \"\" .end", ".loadingModel");
  text = replaced(text, ".fog 0 zRange 0.000000 0.000000 density 0.000000 color 0 0 0 0",
                  ".fog anything at all");
  text = replaced(text, ".weather 0 soundEnvironment  \"\"", ".weather \"unclosed");
  text = replaced(text, ".customTileset 63 waterTint 0 0 0 0", ".customTileset");
  Conversion back = toBinary(text);
  ASSERT_FALSE(back.failed) << back.error;
  EXPECT_EQ(back.output, infoFile(18));

  Conversion dropped = toBinary(replaced(text, ".prologuePath \"\" .end", ".prologuePath \"Any\""));
  ASSERT_FALSE(dropped.failed) << dropped.error;
  EXPECT_EQ(dropped.output, infoFile(18));

  Conversion bare = toBinary(replaced(text, ".prologuePath \"\" .end", ".prologuePath"));
  EXPECT_TRUE(bare.failed);
  EXPECT_EQ(bare.error,
            "Expected initial quote, got end of line in getString, line 22: .prologuePath");

  Conversion missing = toBinary(replaced(text, ".customTileset\r\n", ""));
  EXPECT_TRUE(missing.failed);
  EXPECT_EQ(missing.error, "Unexpected tag .players, line 30: .players");
}

TEST(TextToInfo, ByteFieldsKeepTheirLow8Bits) {
  std::string text = replaced(kExtendedText, "groundType 76", "groundType 300");
  text = replaced(text, "color 10 20 30 255", "color -1 256 30 -129");
  text = replaced(text, ".customTileset 76 waterTint 128 64 32 255",
                  ".customTileset 256 waterTint 511 64 32 4294967295");
  Conversion back = toBinary(dos(text));
  ASSERT_FALSE(back.failed) << back.error;
  std::string expected = infoFile(25);
  expected = replaced(expected, Bytes().i32(32768).u8(76).i32(-1), Bytes().i32(32768).u8(44).i32(-1));
  expected = replaced(expected, Bytes().u8(10).u8(20).u8(30).u8(255).i32(7),
                      Bytes().u8(255).u8(0).u8(30).u8(127).i32(7));
  expected = replaced(expected, Bytes().u8(76).u8(128).u8(64).u8(32).u8(255),
                      Bytes().u8(0).u8(255).u8(64).u8(32).u8(255));
  EXPECT_EQ(back.output, expected);
}

// A list whose count is zero or less gives only its two tags, and reading
// goes on with the next field.
TEST(InfoToText, CountsOfZeroOrLessYieldNoRecords) {
  Lists empty;
  empty.playerCount = -1;
  empty.players = "";
  empty.forceCount = 0;
  empty.forces = "";
  empty.upgradeCount = -2147483647 - 1;
  empty.upgrades = "";
  empty.techCount = 0;
  empty.tech = "";
  Conversion text = toText(infoFile(25, empty));
  ASSERT_FALSE(text.failed) << text.error;
  EXPECT_NE(text.output.find(dos(".players\n.endPlayers\n\n.forces\n.endForces\n\n"
                                 ".upgrades\n.endUpgrades\n\n.tech\n.endTech\n\n.long -9\n")),
            std::string::npos)
      << text.output;

  Conversion back = toBinary(text.output);
  ASSERT_FALSE(back.failed) << back.error;
  Lists zero = empty;
  zero.playerCount = zero.upgradeCount = 0;
  EXPECT_EQ(back.output, infoFile(25, zero));
}

// A file cut short ends with the message of the read that failed; the text
// holds what was printed before it.
TEST(InfoToText, ACutFileEndsWithTheFailedRead) {
  std::string file = infoFile(25);
  std::size_t strings = 12 + 4 + 3 + 6 + 2;   // after the four strings
  std::size_t loadingText = strings + 32 + 24 + 9 + 9;  // after the loading model
  struct Case {
    std::size_t length;
    std::string message;
    std::string lastText;  // the end of what was printed
  } cases[] = {
      {2, "Read failure, input file offset: 2 (0x2)", ".section Info (war3map.w3i)\n"},
      {14, "Unexpected EOF while reading string, input file offset: 14 (0xe)",
       "editorRevision 6052\n\n"},
      {strings + 6, "getFloat read failure, input file offset: 33 (0x21)",
       ".cameraBounds -1.500000"},
      {strings + 32 + 24 + 4, "getByte read failure, input file offset: 87 (0x57)",
       "-2048.000000\n"},
      {loadingText + 5, "Unexpected EOF while reading string, input file offset: 106 (0x6a)",
       ".loadingModel \"Load.mdx\" .end\n"},
      {file.size() - 8, "getID read failure, input file offset: 269 (0x10d)", ".tech\n"},
      {file.size() - 1, "Read failure, input file offset: 276 (0x114)", ".endTech\n\n"},
  };
  for (const Case& c : cases) {
    Conversion text = toText(file.substr(0, c.length));
    EXPECT_TRUE(text.failed) << c.length;
    EXPECT_EQ(text.error, c.message);
    std::string last = dos(c.lastText);
    ASSERT_GE(text.output.size(), last.size());
    EXPECT_EQ(text.output.substr(text.output.size() - last.size()), last)
        << "cut at " << c.length << ":\n"
        << text.output;
  }
}

// A string of maxchars - 2 characters goes both ways; one more fails on
// either side.
TEST(InfoStrings, LimitsOnBothSides) {
  std::string file = infoFile(25);
  struct Case {
    std::string from;
    std::string field;
    std::size_t room;
    int maxchars;
  } cases[] = {
      {std::string("Map\0", 4), ".name ", 254, 256},
      {std::string("A map\0", 6), ".description ", 1022, 1024},
      {std::string("Red\0", 4), "  .player ", 254, 256},
  };
  for (const Case& c : cases) {
    std::string fits(c.room, 'a');
    std::string binary = replaced(file, c.from, fits + '\0');
    Conversion text = toText(binary);
    ASSERT_FALSE(text.failed) << c.field << text.error;
    Conversion back = toBinary(text.output);
    ASSERT_FALSE(back.failed) << c.field << back.error;
    EXPECT_EQ(back.output, binary);

    std::string tooLong = replaced(file, c.from, fits + "a" + '\0');
    Conversion refused = toText(tooLong);
    EXPECT_TRUE(refused.failed);
    std::size_t offset = tooLong.find(fits) + c.maxchars;
    EXPECT_EQ(refused.error, "getString buffer overflow, maxchars is " +
                                 std::to_string(c.maxchars) + ", input file offset: " +
                                 std::to_string(offset) + " (0x" +
                                 hex(offset) + ")");

    std::string longText = replaced(text.output, fits, fits + "a");
    Conversion backRefused = toBinary(longText);
    EXPECT_TRUE(backRefused.failed);
    EXPECT_EQ(backRefused.error.substr(0, backRefused.error.find(", line")),
              "getQuotedString buffer overflow, maxchars is " + std::to_string(c.maxchars));
    std::size_t lineStart = longText.find(c.field + "\"" + fits);
    ASSERT_NE(lineStart, std::string::npos);
    std::string line = longText.substr(lineStart, longText.find('\r', lineStart) - lineStart);
    EXPECT_EQ(backRefused.error.substr(backRefused.error.find(": ") + 2), line);
  }
}

// What the text form cannot carry: a line break ends the quoted string on
// its line, and a double quote ends it early.
TEST(InfoStrings, LineBreaksAndQuotesDoNotComeBack) {
  Conversion broken = toText(replaced(infoFile(25), std::string("A map\0", 6),
                                      std::string("Line 1\r\nLine 2\0", 15)));
  ASSERT_FALSE(broken.failed) << broken.error;
  EXPECT_NE(broken.output.find(".description \"Line 1\r\r\nLine 2\" .end\r\n"), std::string::npos);
  Conversion brokenBack = toBinary(broken.output);
  EXPECT_TRUE(brokenBack.failed);
  EXPECT_EQ(brokenBack.error,
            "Unexpected end of line in getString, line 10: .description \"Line 1\r");

  Conversion quoted = toText(replaced(infoFile(25), std::string("Red\0", 4),
                                      std::string("Say \"hi\"\0", 9)));
  ASSERT_FALSE(quoted.failed) << quoted.error;
  Conversion quotedBack = toBinary(quoted.output);
  EXPECT_TRUE(quotedBack.failed);
  EXPECT_EQ(quotedBack.error,
            "Failed to get long argument, line 32:   .player \"Say \"hi\"\" 0 type 1 race 2 "
            "fixed 1 loc -128.500000 256.000000 allies 0 3");

  // On a .force line the word after the name is the fixed word "flags", so
  // the rest of the string is refused as that word.
  Conversion force = toText(replaced(infoFile(25), std::string("Force 1\0", 8),
                                     std::string("Say \"hi\"\0", 9)));
  ASSERT_FALSE(force.failed) << force.error;
  Conversion forceBack = toBinary(force.output);
  EXPECT_TRUE(forceBack.failed);
  EXPECT_EQ(forceBack.error, "Expected flags, got hi\"\", line 36:   .force \"Say \"hi\"\" "
                             "flags 11 playerMask 3");
}

TEST(TextToInfo, AcceptsCommentsIndentationAndTrailingWords) {
  std::string text = kExtendedText;
  text = replaced(text, ".name \"Map\" .end", "  .name \"Map\" .edn and more");
  text = replaced(text, ".author \"Me\" .end", "\t.author \t\"Me\"");
  text = replaced(text, ".dataSet 1\n", "// comment\n\t.dataSet 1 // trailing\n   \t\n");
  text = replaced(text, ".endTech\n", ".endTech\n// before the long\n");
  text = replaced(text, ".endSection Info (war3map.w3i)\n\n", ".endSection Info");
  Conversion back = toBinary(dos(text) + "\r\nnothing here is read\r\n");
  ASSERT_FALSE(back.failed) << back.error;
  EXPECT_EQ(back.output, infoFile(25));
}

TEST(TextToInfo, FailuresNameTheLine) {
  struct Case {
    std::string from;
    std::string to;
    std::string message;
  } cases[] = {
      {".section Info", ".section info", "Expected Info, got info, line 5: .section info (war3map.w3i)"},
      {".version 25 saves", ".version\t25 saves",
       "Unexpected tag .version\t25, line 6: .version\t25 saves 3 editorRevision 6052"},
      {"25 saves 3", "25 saves\t3",
       "Expected saves, got saves\t3, line 6: .version 25 saves\t3 editorRevision 6052"},
      {" editorRevision 6052", " editorRevision",
       "Failed to find expected argument, line 6: .version 25 saves 3 editorRevision"},
      {".author \"Me\" .end\n", "",
       "Unexpected tag .description, line 9: .description \"A map\" .end"},
      {".name \"Map\"", ".name Map", "Expected initial quote, got char M in getString, line 8: "
                                     ".name Map .end"},
      {".name \"Map\"", ".name \"Map", "Unexpected end of line in getString, line 8: .name \"Map .end"},
      {"-3.000000", "three", "Failed to get float argument, line 12: .cameraBounds -1.500000 "
                             "2.250000 three 4.000000 0.500000 -0.250000 1024.000000 -2048.000000"},
      {" w 96", " W 96", "Expected w, got W, line 13: .playableBounds 1 2 3 4 W 96 h 64"},
      {"groundType 76", "groundType L", "Failed to get long argument, line 14: "
                                        ".flags 32768 groundType L background -1"},
      {"density 0.250000", "density\t0.250000",
       "Expected density, got density\t0.250000, line 27: "
       ".fog 2 zRange 100.000000 2000.500000 density\t0.250000 color 10 20 30 255"},
      {"soundEnvironment  \"Lordaeron\"", "soundEnvironment Lordaeron",
       "Expected initial quote, got char L in getString, line 28: "
       ".weather 7 soundEnvironment Lordaeron"},
      {".customTileset 76 waterTint 128 64 32 255", ".customTileset 76 waterTint 128 64 32",
       "Failed to find expected argument, line 29: .customTileset 76 waterTint 128 64 32"},
      {"  .player \"Red\"", "  .force \"Red\"",
       "Unexpected tag .force, line 32:   .force \"Red\" 0 type 1 race 2 fixed 1 loc "
       "-128.500000 256.000000 allies 0 3"},
      {" fixed 1 ", " fixd 1 ", "Expected fixed, got fixd, line 32:   .player \"Red\" 0 type 1 "
                                "race 2 fixd 1 loc -128.500000 256.000000 allies 0 3"},
      {".endPlayers\n", "", "Unexpected tag .forces, line 34: .forces"},
      {" playerMask 3", " mask 3",
       "Expected playerMask, got mask, line 36:   .force \"Force 1\" flags 11 mask 3"},
      {".research Rhme", ".research Rhmee",
       "ID Rhmee too long, line 40:   .research Rhmee playerMask 1 levels 0 3"},
      {" levels 0 3", " levels 0",
       "Failed to find expected argument, line 40:   .research Rhme playerMask 1 levels 0"},
      {".ability Hpal", ".ability <NONE>s", "ID <NONE>s too long, line 44:   .ability <NONE>s "
                                            "playerMask 2"},
      {".tech\n", "", "Unexpected tag .ability, line 43:   .ability Hpal playerMask 2"},
      {".long -9", ".long", "Failed to find expected argument, line 47: .long"},
      {".endSection Info", ".endSection MapInfo",
       "Expected Info, got MapInfo, line 49: .endSection MapInfo (war3map.w3i)"},
      {".endSection Info (war3map.w3i)\n\n", "", "Unexpected EOF while getting line, line 49: "},
  };
  for (const Case& c : cases) {
    Conversion back = toBinary(dos(replaced(kExtendedText, c.from, c.to)));
    EXPECT_TRUE(back.failed) << c.to;
    EXPECT_EQ(back.error, c.message);
  }
}

// What was written stays: here everything up to the failing force, with
// the player count filled in and the force count's placeholder still zero.
TEST(TextToInfo, KeepsWhatWasWrittenBeforeAFailure) {
  std::string text = replaced(kExtendedText, "flags 11 playerMask 3", "flags 11 playerMask x");
  Conversion back = toBinary(dos(text));
  EXPECT_TRUE(back.failed);
  EXPECT_EQ(back.error,
            "Failed to get long argument, line 36:   .force \"Force 1\" flags 11 playerMask x");
  std::string file = infoFile(25);
  std::string upToForces = file.substr(0, file.find(std::string("Force 1")) - 12);
  EXPECT_EQ(back.output, upToForces + Bytes().i32(0).bytes());
}

TEST(InfoPrograms, DefaultPathsStatusAndMessages) {
  ScratchDir dir;
  dir.write("war3map.w3i", infoFile(25));
  ProgramRun toText = runProgram("info2txt", {}, dir.path());
  EXPECT_EQ(toText.status, 0) << toText.stdErr;
  EXPECT_EQ(toText.stdErr, "");
  EXPECT_EQ(dir.read("Info.txt"), dos(kExtendedText));

  dir.write("war3map.w3i", "");
  ProgramRun back = runProgram("txt2info", {"one", "two", "three"}, dir.path());
  EXPECT_EQ(back.status, 0) << back.stdErr;
  EXPECT_EQ(dir.read("war3map.w3i"), infoFile(25));

  dir.write("bad.txt", dos(replaced(kExtendedText, "saves", "Saves")));
  ProgramRun bad = runProgram("txt2info", {"bad.txt", "bad.w3i"}, dir.path());
  EXPECT_EQ(bad.status, 1);
  EXPECT_EQ(bad.stdErr,
            "Expected saves, got Saves, line 6: .version 25 Saves 3 editorRevision 6052\n");
  EXPECT_EQ(dir.read("bad.w3i"), Bytes().i32(25).bytes());
}

// The real maps: the version-25 files convert and come back byte for byte
// up to their last field, the long; the four bytes after it (the count of
// a list that the format does not know) are not reproduced. The version-28
// file has fields the layout does not know after editorRevision: its
// strings and numbers are misread until the player list runs past the end.
TEST(InfoCorpus, RealFilesGiveWhatTheirVersionsAllow) {
  if (corpusMaps().empty()) GTEST_SKIP() << "no corpus";
  struct Expected {
    const char* map;
    int status;
    const char* message;
    std::size_t droppedBytes;
  } expected[] = {
      {"mpq-test", 0, "", 4},
      {"test-original-host", 1, "Read failure, input file offset: 275 (0x113)\n", 0},
      {"tribute-alliance", 0, "", 4},
  };
  std::vector<std::string> seen;
  for (const std::string& map : corpusMaps()) {
    std::string input = corpusMap(map) + "/war3map.w3i";
    if (!fileExists(input)) continue;
    seen.push_back(map);
    ScratchDir dir;
    ProgramRun run = runProgram("info2txt", {input, "Info.txt"}, dir.path());
    ASSERT_TRUE(run.status == 0 || run.status == 1) << map << ": " << run.stdErr;
    const Expected* known = nullptr;
    for (const Expected& e : expected) {
      if (map == e.map) known = &e;
    }
    if (known) {
      EXPECT_EQ(run.status, known->status) << map;
      EXPECT_EQ(run.stdErr, known->message) << map;
    }
    if (run.status != 0) continue;
    ProgramRun back = runProgram("txt2info", {"Info.txt", "back.w3i"}, dir.path());
    EXPECT_EQ(back.status, 0) << map << ": " << back.stdErr;
    std::string original = readFile(input);
    std::string written = dir.read("back.w3i");
    ASSERT_LE(written.size(), original.size()) << map;
    EXPECT_EQ(written, original.substr(0, written.size())) << map;
    if (known) {
      EXPECT_EQ(original.size() - written.size(), known->droppedBytes) << map;
    }
  }
  EXPECT_FALSE(seen.empty());
}

TEST(InfoCorpus, Version28IsMisreadWithoutACrash) {
  std::string map = corpusMap("test-original-host");
  if (map.empty()) GTEST_SKIP() << "no corpus";
  ScratchDir dir;
  ProgramRun run = runProgram("info2txt", {map + "/war3map.w3i", "Info.txt"}, dir.path());
  EXPECT_EQ(run.status, 1);
  std::string text = dir.read("Info.txt");
  // The four int32 of the newer editor after editorRevision are read as
  // the name, author, description and players strings and the start of
  // the camera bounds, and everything after is out of step.
  EXPECT_NE(text.find(dos(".version 28 saves 4 editorRevision 6072\n\n.name \"\x01\" .end\n")),
            std::string::npos);
  std::size_t players = 0;
  for (std::size_t at = text.find("  .player "); at != std::string::npos;
       at = text.find("  .player ", at + 1)) {
    ++players;
  }
  EXPECT_EQ(players, 4u);
  EXPECT_EQ(text.find(".endPlayers"), std::string::npos);
}

}  // namespace
