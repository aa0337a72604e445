#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "formats/regions/regions_to_text.h"
#include "formats/regions/text_to_regions.h"
#include "tests/support.h"

namespace {

const char kHeader[] =
    "//\n"
    "// Warcraft 3 Regions File\n"
    "//\n"
    "\n";
const char kSection[] =
    ".section Regions (war3map.w3r)\n"
    ".version 5\n"
    "\n";
const char kEnd[] =
    "\n"
    ".endSection Regions (war3map.w3r)\n"
    "\n";

struct Region {
  float reals[4] = {0, 0, 0, 0};
  std::string name;
  int32_t number = 0;
  std::string weather = std::string(4, '\0');  // four raw bytes
  std::string sound;
  int color[4] = {0, 0, 0, 0};  // file order
};

std::string record(const Region& r) {
  Bytes b;
  for (float real : r.reals) b.f32(real);
  b.str(r.name).i32(r.number).raw(r.weather).str(r.sound);
  for (int byte : r.color) b.u8(byte);
  return b;
}

std::string regionsFile(int32_t version, int32_t count, const std::string& records) {
  return Bytes().i32(version).i32(count).raw(records);
}

// The text form of a version-5 file holding these region lines.
std::string regionsText(const std::string& lines) {
  return std::string(kHeader) + kSection + lines + kEnd;
}

Region spawn() {
  Region r;
  r.reals[0] = 1.5f;
  r.reals[1] = -2.25f;
  r.reals[2] = 100.0f;
  r.reals[3] = 0.125f;
  r.name = "Spawn A";
  r.number = 3;
  r.weather = "RAhr";
  r.sound = "gg_snd_Rain";
  r.color[0] = 10;
  r.color[1] = 20;
  r.color[2] = 30;
  r.color[3] = 255;
  return r;
}

const char kSpawnLine[] =
    ".region 3 \"Spawn A\" 1.500000 -2.250000 100.000000 0.125000 weather RAhr "
    "sound \"gg_snd_Rain\" color 30 20 10 255\n";

TEST(RegionsToText, WritesTheExactTextOfARegionsFile) {
  Region second;
  second.name = "";
  second.number = -7;
  second.reals[0] = -0.5f;
  second.reals[3] = 4096.75f;
  second.color[0] = 0;
  second.color[1] = 128;
  second.color[2] = 255;
  second.color[3] = 1;
  std::string binary = regionsFile(5, 2, record(spawn()) + record(second));

  Conversion text = convert<RegionsToTextConverter>(binary);
  ASSERT_FALSE(text.failed) << text.error;
  EXPECT_EQ(text.output,
            "//\r\n"
            "// Warcraft 3 Regions File\r\n"
            "//\r\n"
            "\r\n"
            ".section Regions (war3map.w3r)\r\n"
            ".version 5\r\n"
            "\r\n"
            ".region 3 \"Spawn A\" 1.500000 -2.250000 100.000000 0.125000 weather RAhr "
            "sound \"gg_snd_Rain\" color 30 20 10 255\r\n"
            ".region -7 \"\" -0.500000 0.000000 0.000000 4096.750000 weather <NONE> "
            "sound \"\" color 255 128 0 1\r\n"
            "\r\n"
            ".endSection Regions (war3map.w3r)\r\n"
            "\r\n");

  Conversion back = convert<TextToRegionsConverter>(text.output);
  ASSERT_FALSE(back.failed) << back.error;
  EXPECT_EQ(back.output, binary);
}

TEST(RegionsToText, NoRegionsGiveTenLinesAndTheSameEightBytes) {
  std::string binary = regionsFile(5, 0, "");
  Conversion text = convert<RegionsToTextConverter>(binary);
  ASSERT_FALSE(text.failed) << text.error;
  EXPECT_EQ(text.output, dos(regionsText("")));
  Conversion back = convert<TextToRegionsConverter>(text.output);
  ASSERT_FALSE(back.failed) << back.error;
  EXPECT_EQ(back.output, binary);
}

TEST(RegionsToText, VersionIsCarriedUnchanged) {
  for (int32_t version : {0, -1, 2147483647}) {
    std::string binary = regionsFile(version, 1, record(spawn()));
    Conversion text = convert<RegionsToTextConverter>(binary);
    ASSERT_FALSE(text.failed) << text.error;
    EXPECT_NE(text.output.find(".version " + std::to_string(version) + "\r\n"),
              std::string::npos);
    Conversion back = convert<TextToRegionsConverter>(text.output);
    ASSERT_FALSE(back.failed) << back.error;
    EXPECT_EQ(back.output, binary);
  }
}

// Files that survive the trip through text byte for byte.
TEST(RegionsRoundTrip, ExactCases) {
  std::vector<Region> cases;
  cases.push_back(spawn());
  {
    Region r = spawn();  // reals that six decimals render exactly
    r.reals[0] = 0.1f;
    r.reals[1] = -16384.0f;
    r.reals[2] = 1234.5678f;
    r.reals[3] = 3.4e38f;
    cases.push_back(r);
  }
  {
    Region r = spawn();  // every colour byte distinct, extremes included
    r.color[0] = 0;
    r.color[1] = 255;
    r.color[2] = 1;
    r.color[3] = 254;
    cases.push_back(r);
  }
  {
    Region r = spawn();  // short identifier: two letters, two zero bytes
    r.weather = std::string("SN\0\0", 4);
    cases.push_back(r);
  }
  {
    Region r = spawn();  // longest strings, bytes above 127 copied as they are
    r.name = std::string(254, 'n');
    r.sound = "\xd0\x9e\xd0\xb1\xd0\xbb " + std::string(240, 's');
    r.number = -2147483647 - 1;
    cases.push_back(r);
  }
  std::string all;
  for (const Region& r : cases) {
    SCOPED_TRACE(r.name.substr(0, 16));
    std::string binary = regionsFile(5, 1, record(r));
    Conversion text = convert<RegionsToTextConverter>(binary);
    ASSERT_FALSE(text.failed) << text.error;
    Conversion back = convert<TextToRegionsConverter>(text.output);
    ASSERT_FALSE(back.failed) << back.error;
    EXPECT_EQ(back.output, binary);
    all += record(r);
  }
  std::string binary = regionsFile(5, static_cast<int32_t>(cases.size()), all);
  Conversion text = convert<RegionsToTextConverter>(binary);
  ASSERT_FALSE(text.failed) << text.error;
  EXPECT_EQ(convert<TextToRegionsConverter>(text.output).output, binary);
}

// What cannot survive the text form comes back as the text says.
TEST(RegionsRoundTrip, ValuesTheTextFormCannotCarry) {
  struct Case {
    const char* what;
    Region region;
    const char* printed;  // a piece of the printed line
    Region back;
  };
  std::vector<Case> cases;
  {
    Region r = spawn();
    r.reals[0] = 4e-7f;  // below half a millionth: 0.000000
    r.reals[1] = 0.1234567f;
    r.reals[2] = -1e-9f;
    Region b = r;
    b.reals[0] = 0.0f;
    b.reals[1] = 0.123457f;
    b.reals[2] = -0.0f;
    cases.push_back({"small reals", r, "0.000000 0.123457 -0.000000 0.125000", b});
  }
  {
    Region r = spawn();
    r.weather = std::string("\0abc", 4);
    Region b = r;
    b.weather = std::string(4, '\0');
    cases.push_back({"weather with a zero first byte", r, " weather <NONE> ", b});
  }
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Conversion text = convert<RegionsToTextConverter>(regionsFile(5, 1, record(c.region)));
    ASSERT_FALSE(text.failed) << text.error;
    EXPECT_NE(text.output.find(c.printed), std::string::npos) << text.output;
    Conversion back = convert<TextToRegionsConverter>(text.output);
    ASSERT_FALSE(back.failed) << back.error;
    EXPECT_EQ(back.output, regionsFile(5, 1, record(c.back)));
  }
}

TEST(RegionsToText, NegativeCountPrintsNoRegionAndComesBackAsZero) {
  // The record after the count is never read.
  std::string binary = regionsFile(5, -3, record(spawn()));
  Conversion text = convert<RegionsToTextConverter>(binary);
  ASSERT_FALSE(text.failed) << text.error;
  EXPECT_EQ(text.output, dos(regionsText("")));
  EXPECT_EQ(convert<TextToRegionsConverter>(text.output).output, regionsFile(5, 0, ""));
}

TEST(RegionsToText, BytesAfterTheLastRegionAreNotRead) {
  std::string binary = regionsFile(5, 1, record(spawn())) + "trailing";
  Conversion text = convert<RegionsToTextConverter>(binary);
  ASSERT_FALSE(text.failed) << text.error;
  EXPECT_EQ(text.output, dos(regionsText(kSpawnLine)));
}

TEST(RegionsToText, ShortFilesFailWithTheReadAndItsOffset) {
  const std::string full = regionsFile(5, 1, record(spawn()));
  // Offsets in the record of spawn(): reals 8..24, name 24..32, number
  // 32..36, weather 36..40, sound 40..52, colours 52..56.
  struct Case {
    std::size_t length;
    const char* message;
  };
  const Case cases[] = {
      {0, "Read failure, input file offset: 0 (0x0)"},
      {6, "Read failure, input file offset: 6 (0x6)"},
      {22, "getFloat read failure, input file offset: 22 (0x16)"},
      {28, "Unexpected EOF while reading string, input file offset: 28 (0x1c)"},
      {34, "Read failure, input file offset: 34 (0x22)"},
      {39, "getID read failure, input file offset: 39 (0x27)"},
      {51, "Unexpected EOF while reading string, input file offset: 51 (0x33)"},
      {54, "getByte read failure, input file offset: 54 (0x36)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.length);
    Conversion text = convert<RegionsToTextConverter>(full.substr(0, c.length));
    EXPECT_TRUE(text.failed);
    EXPECT_EQ(text.error, c.message);
    // Nothing of a region is printed until all of its fields were read.
    EXPECT_EQ(text.output, c.length < 8 ? dos(kHeader) : dos(std::string(kHeader) + kSection));
  }
}

TEST(RegionsToText, LongestStringIs254Characters) {
  for (bool inSound : {false, true}) {
    Region r = spawn();
    (inSound ? r.sound : r.name) = std::string(255, 'x');
    Conversion text = convert<RegionsToTextConverter>(regionsFile(5, 1, record(r)));
    EXPECT_TRUE(text.failed);
    // The read stops at the 256th byte stored: the name starts at offset 24,
    // the sound (after the name, the number and the weather) at 40.
    int end = inSound ? 24 + 8 + 4 + 4 + 256 : 24 + 256;
    EXPECT_EQ(text.error, "getString buffer overflow, maxchars is 256, input file offset: " +
                              std::to_string(end) + " (0x" +
                              (inSound ? std::string("128") : std::string("118")) + ")");
  }
}

TEST(TextToRegions, PermutesTheColourNumbersAndKeepsTheirLowBits) {
  struct Case {
    const char* colors;
    std::string bytes;  // file order
  };
  const Case cases[] = {
      {"color 30 20 10 255", std::string("\x0a\x14\x1e\xff", 4)},
      {"color 1 2 3 4", std::string("\x03\x02\x01\x04", 4)},
      {"color 256 -1 511 -256", std::string("\xff\xff\x00\x00", 4)},
      {"color 0 0 4294967295 2147483647", std::string("\xff\x00\x00\xff", 4)},
      {"color 7 8 9 10 anything after the last number", std::string("\x09\x08\x07\x0a", 4)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.colors);
    std::string line =
        std::string(".region 1 \"a\" 0 0 0 0 weather <NONE> sound \"\" ") + c.colors + "\n";
    Conversion back = convert<TextToRegionsConverter>(regionsText(line));
    ASSERT_FALSE(back.failed) << back.error;
    Region r;
    r.name = "a";
    r.number = 1;
    EXPECT_EQ(back.output, regionsFile(5, 1, record(r).substr(0, 27) + c.bytes));
  }
}

TEST(TextToRegions, AcceptsCommentsBlankLinesIndentationAndTrailingText) {
  std::string text =
      "// a hand-made file\n"
      "\t.section   Regions whatever follows\n"
      "   // comment\n"
      "\n"
      " \t \n"
      "  .version   5\n"
      "    .region   3   \"Spawn A\"\t1.5 -2.25 1e2 .125 weather RAhr sound \t"
      "\"gg_snd_Rain\" color 30 20 10 255 // the spawn\n"
      "\t// between\n"
      "\n"
      ".endSection Regions\n"
      "anything at all";
  Conversion back = convert<TextToRegionsConverter>(text);
  ASSERT_FALSE(back.failed) << back.error;
  EXPECT_EQ(back.output, regionsFile(5, 1, record(spawn())));
}

TEST(TextToRegions, LongestQuotedStringIs254Characters) {
  std::string name254(254, 'n');
  std::string line = ".region 3 \"" + name254 +
                     "\" 1.5 -2.25 100 0.125 weather RAhr sound \"gg_snd_Rain\" color 30 20 10 255";
  Conversion back = convert<TextToRegionsConverter>(regionsText(line + "\n"));
  ASSERT_FALSE(back.failed) << back.error;
  Region r = spawn();
  r.name = name254;
  EXPECT_EQ(back.output, regionsFile(5, 1, record(r)));

  std::string line255 = ".region 3 \"" + name254 +
                        "n\" 1.5 -2.25 100 0.125 weather RAhr sound \"\" color 30 20 10 255";
  Conversion failed = convert<TextToRegionsConverter>(regionsText(line255 + "\n"));
  EXPECT_TRUE(failed.failed);
  EXPECT_EQ(failed.error, "getQuotedString buffer overflow, maxchars is 256, line 8: " + line255);
  EXPECT_EQ(failed.output, Bytes().i32(5).i32(0).bytes());
}

// Each failure names the line it was found on; the output keeps the version,
// the zero placeholder of the count and every record written before.
TEST(TextToRegions, FailuresNameTheLineAndKeepWhatWasWritten) {
  const std::string good = kSpawnLine;
  const std::string written = Bytes().i32(5).i32(0).raw(record(spawn()));
  struct Case {
    const char* what;
    std::string text;
    std::string message;
    std::string output;
  };
  const std::string start = std::string(kHeader) + kSection;
  const Case cases[] = {
      {"another first tag", "//\n.sektion Regions\n.version 5\n",
       "Unexpected tag .sektion, line 2: .sektion Regions", ""},
      {"another section name", ".section Doodads (war3map.doo)\n",
       "Expected Regions, got Doodads, line 1: .section Doodads (war3map.doo)", ""},
      {"no version", ".section Regions\n.region 1\n", "Unexpected tag .region, line 2: .region 1",
       ""},
      {"version without a number", ".section Regions\n.version five\n",
       "Failed to get long argument, line 2: .version five", ""},
      {"tag in the list", start + good + ".regions 2\n",
       "Unexpected tag .regions, line 9: .regions 2", written},
      {"tab after weather", start + good +
           ".region 1 \"a\" 0 0 0 0 weather\t<NONE> sound \"\" color 0 0 0 0\n",
       "Expected weather, got weather\t<NONE>, line 9: .region 1 \"a\" 0 0 0 0 weather\t<NONE> "
       "sound \"\" color 0 0 0 0",
       written},
      {"tab after sound", start + ".region 1 \"a\" 0 0 0 0 weather <NONE> sound\t\"\" color 0 0 0 0\n",
       "Expected sound, got sound\t\"\", line 8: .region 1 \"a\" 0 0 0 0 weather <NONE> "
       "sound\t\"\" color 0 0 0 0",
       Bytes().i32(5).i32(0)},
      {"tab after color", start + ".region 1 \"a\" 0 0 0 0 weather <NONE> sound \"\" color\t0 0 0 0\n",
       "Expected color, got color\t0, line 8: .region 1 \"a\" 0 0 0 0 weather <NONE> "
       "sound \"\" color\t0 0 0 0",
       Bytes().i32(5).i32(0)},
      {"missing colour", start + good + ".region 1 \"a\" 0 0 0 0 weather <NONE> sound \"\" color 0 0 0\n",
       "Failed to find expected argument, line 9: .region 1 \"a\" 0 0 0 0 weather <NONE> "
       "sound \"\" color 0 0 0",
       written},
      {"real that does not parse", start + ".region 1 \"a\" 0 x 0 0 weather <NONE> sound \"\" color 0 0 0 0\n",
       "Failed to get float argument, line 8: .region 1 \"a\" 0 x 0 0 weather <NONE> sound \"\" "
       "color 0 0 0 0",
       Bytes().i32(5).i32(0)},
      {"weather too long", start + ".region 1 \"a\" 0 0 0 0 weather RAhrX sound \"\" color 0 0 0 0\n",
       "ID RAhrX too long, line 8: .region 1 \"a\" 0 0 0 0 weather RAhrX sound \"\" color 0 0 0 0",
       Bytes().i32(5).i32(0)},
      {"weather far too long", start + ".region 1 \"a\" 0 0 0 0 weather RAhrRAhr sound \"\" color 0 0 0 0\n",
       "getString buffer overflow, maxchars is 8, line 8: .region 1 \"a\" 0 0 0 0 weather "
       "RAhrRAhr sound \"\" color 0 0 0 0",
       Bytes().i32(5).i32(0)},
      {"name without quotes", start + ".region 1 a 0 0 0 0 weather <NONE> sound \"\" color 0 0 0 0\n",
       "Expected initial quote, got char a in getString, line 8: .region 1 a 0 0 0 0 weather "
       "<NONE> sound \"\" color 0 0 0 0",
       Bytes().i32(5).i32(0)},
      {"line ends before the name", start + ".region 1\n",
       "Expected initial quote, got end of line in getString, line 8: .region 1",
       Bytes().i32(5).i32(0)},
      {"sound unterminated", start + ".region 1 \"a\" 0 0 0 0 weather <NONE> sound \"rain\n",
       "Unexpected end of line in getString, line 8: .region 1 \"a\" 0 0 0 0 weather <NONE> "
       "sound \"rain",
       Bytes().i32(5).i32(0)},
      {"name holding a double quote", start + ".region 1 \"a\"b\" 0 0 0 0 weather <NONE> sound \"\" color 0 0 0 0\n",
       "Failed to get float argument, line 8: .region 1 \"a\"b\" 0 0 0 0 weather <NONE> sound "
       "\"\" color 0 0 0 0",
       Bytes().i32(5).i32(0)},
      {"end of text before .endSection", start + good + "\n// last\n",
       "Unexpected EOF while getting line, line 11: // last", written},
      {"another name after .endSection", start + good + ".endSection Doodads\n",
       "Expected Regions, got Doodads, line 9: .endSection Doodads",
       Bytes().i32(5).i32(1).raw(record(spawn()))},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Conversion back = convert<TextToRegionsConverter>(c.text);
    EXPECT_TRUE(back.failed);
    EXPECT_EQ(back.error, c.message);
    EXPECT_EQ(back.output, c.output);
  }
}

TEST(RegionsToText, NameHoldingADoubleQuoteIsPrintedUnchanged) {
  Region r = spawn();
  r.name = "say \"hi\"";
  Conversion text = convert<RegionsToTextConverter>(regionsFile(5, 1, record(r)));
  ASSERT_FALSE(text.failed) << text.error;
  EXPECT_NE(text.output.find(".region 3 \"say \"hi\"\" 1.500000"), std::string::npos);
  // Read back, the name ends at its first inner quote and the rest of it
  // meets the parser of the first real.
  Conversion back = convert<TextToRegionsConverter>(text.output);
  EXPECT_TRUE(back.failed);
  EXPECT_EQ(back.error.substr(0, 38), "Failed to get float argument, line 8: ");
}

// The programs, run as processes: default paths, status and message.
TEST(RegionsPrograms, DefaultPathsStatusAndMessage) {
  ScratchDir dir;
  std::string binary = regionsFile(5, 1, record(spawn()));
  dir.write("war3map.w3r", binary);
  ProgramRun toText = runProgram("regions2txt", {}, dir.path());
  EXPECT_EQ(toText.status, 0);
  EXPECT_EQ(toText.stdErr, "");
  EXPECT_EQ(dir.read("Regions.txt"), dos(regionsText(kSpawnLine)));

  dir.write("war3map.w3r", "");
  ProgramRun toBinary = runProgram("txt2regions", {"one argument is ignored"}, dir.path());
  EXPECT_EQ(toBinary.status, 0);
  EXPECT_EQ(toBinary.stdErr, "");
  EXPECT_EQ(dir.read("war3map.w3r"), binary);

  dir.write("cut.w3r", binary.substr(0, 22));
  ProgramRun failed = runProgram("regions2txt", {"cut.w3r", "cut.txt"}, dir.path());
  EXPECT_EQ(failed.status, 1);
  EXPECT_EQ(failed.stdErr, "getFloat read failure, input file offset: 22 (0x16)\n");
  EXPECT_EQ(dir.read("cut.txt"), dos(std::string(kHeader) + kSection));

  ProgramRun missing = runProgram("txt2regions", {"none.txt", "none.w3r"}, dir.path());
  EXPECT_EQ(missing.status, 1);
  EXPECT_EQ(missing.stdErr, "Failed to open none.txt!\n");
  EXPECT_FALSE(dir.exists("none.w3r"));
}

}  // namespace
