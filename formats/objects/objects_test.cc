#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "formats/objects/abilities_to_text.h"
#include "formats/objects/custom_units_to_text.h"
#include "formats/objects/text_to_abilities.h"
#include "formats/objects/text_to_custom_units.h"
#include "tests/support.h"

namespace {

// The table-to-text converters close both streams at the end of convert(),
// so they run on files of a scratch folder rather than through convert<>().
template <class Converter>
Conversion toText(const std::string& bytes, bool filter = false) {
  ScratchDir dir;
  dir.write("table", bytes);
  FILE* in = std::fopen(dir.file("table").c_str(), "rb");
  FILE* out = std::fopen(dir.file("table.txt").c_str(), "w");
  Conversion result;
  bool closed;
  {
    Converter converter(in, out);
    if (filter) converter.setFilterMode(true);
    try {
      converter.convert();
    } catch (const VarnelException& failure) {
      result.failed = true;
      result.error = failure.message();
    }
    closed = converter.streamsClosed();
  }
  EXPECT_EQ(closed, !result.failed) << "convert() closes the streams when it succeeds";
  if (!closed) {
    std::fclose(in);
    std::fclose(out);
  }
  result.output = dir.read("table.txt");
  return result;
}

template <class Converter>
Conversion toBinary(const std::string& text, bool filter = false) {
  return convertWith<Converter>(text, [filter](Converter& converter) {
    if (filter) converter.setFilterMode(true);
  });
}

const char kSeparator[] =
    "//######################################################################################\n";

std::string customUnitsText(const std::string& standard, const std::string& fresh) {
  return "//\n// Warcraft 3 Custom Units File\n//\n\n"
         ".section CustomUnits (war3map.w3u)\n"
         ".version 2\n\n"
         ".standardTable\n" +
         standard + "\n.endTable\n\n" + kSeparator + "\n.newTable\n" + fresh +
         "\n.endTable\n\n.endSection CustomUnits (war3map.w3u)\n\n";
}

std::string abilitiesText(const std::string& standard, const std::string& fresh) {
  return "//\n// Warcraft 3 Abilities File\n//\n\n"
         ".section Abilities (war3map.w3a)\n"
         ".version 2\n\n"
         ".standardTable\n" +
         standard + "\n.endTable\n\n" + kSeparator + "\n.newTable\n" + fresh +
         "\n.endTable\n\n.endSection Abilities (war3map.w3a)\n\n";
}

// Every way a value can be stored: integers of named types, both real types,
// strings with blanks at their ends and an empty one, an identifier of
// "<NONE>", negative numbers and end markers.
const std::string kUnitsTable = Bytes()
                                    .i32(2)
                                    .i32(1)
                                    .id("hfoo").raw(std::string(4, '\0')).i32(3)
                                    .id("unam").i32(3).str("Footman").i32(0)
                                    .id("uhpm").i32(0).i32(420).i32(0)
                                    .id("ua1c").i32(1).f32(1.5f).i32(0)
                                    .i32(1)
                                    .id("hfoo").id("h000").i32(6)
                                    .id("umvt").i32(12).i32(-3).i32(1751543663)
                                    .id("uarm").i32(2).f32(-0.25f).i32(2)
                                    .id("utip").i32(3).str("  two  blanks  ").i32(0)
                                    .id("unsf").i32(3).str("").i32(-1)
                                    .id("ubui").i32(4).i32(1).i32(0)
                                    .id("uabi").i32(21).i32(255).i32(0);

const std::string kUnitsText = customUnitsText(
    "\n  .unit hfoo <NONE>\n"
    "    .mod unam string 0 Footman\n"
    "    .mod uhpm int 0 420\n"
    "    .mod ua1c real 0 1.500000\n"
    "  .endUnit\n",
    "\n  .unit hfoo h000\n"
    "    .mod umvt moveType 1751543663 -3\n"
    "    .mod uarm unreal 2 -0.250000\n"
    "    .mod utip string 0   two  blanks  \n"
    "    .mod unsf string -1 \n"
    "    .mod ubui bool 0 1\n"
    "    .mod uabi attackBits 0 255\n"
    "  .endUnit\n");

const std::string kAbilitiesTable = Bytes()
                                        .i32(2)
                                        .i32(0)
                                        .i32(2)
                                        .id("AHbz").id("A000").i32(3)
                                        .id("alev").i32(0).i32(0).i32(0).i32(3).i32(0)
                                        .id("Hbz2").i32(2).i32(1).i32(2).f32(0.05f).i32(0)
                                        .id("atp1").i32(3).i32(-1).i32(INT32_MIN)
                                        .str("TRIGSTR_012").i32(7)
                                        .id("Aloc").id("A001").i32(0);

const std::string kAbilitiesText = abilitiesText(
    "",
    "\n  .unit AHbz A000\n"
    "    .mod alev int 0 0 0 3\n"
    "    .mod Hbz2 unreal 1 2 0 0.050000\n"
    "    .mod atp1 string -1 -2147483648 7 TRIGSTR_012\n"
    "  .endUnit\n"
    "\n  .unit Aloc A001\n"
    "  .endUnit\n");

TEST(ObjectTables, CustomUnitsRoundTripByteForByte) {
  Conversion text = toText<CustomUnitsToTextConverter>(kUnitsTable);
  ASSERT_FALSE(text.failed) << text.error;
  EXPECT_EQ(text.output, dos(kUnitsText));
  Conversion back = toBinary<TextToCustomUnitsConverter>(text.output);
  ASSERT_FALSE(back.failed) << back.error;
  EXPECT_EQ(back.output, kUnitsTable);
}

TEST(ObjectTables, AbilitiesRoundTripByteForByte) {
  Conversion text = toText<AbilitiesToTextConverter>(kAbilitiesTable);
  ASSERT_FALSE(text.failed) << text.error;
  EXPECT_EQ(text.output, dos(kAbilitiesText));
  Conversion back = toBinary<TextToAbilitiesConverter>(text.output);
  ASSERT_FALSE(back.failed) << back.error;
  EXPECT_EQ(back.output, kAbilitiesTable);
}

TEST(ObjectTables, EmptyTablesRoundTrip) {
  const std::string empty = Bytes().i32(3).i32(0).i32(0);
  Conversion text = toText<CustomUnitsToTextConverter>(empty);
  ASSERT_FALSE(text.failed) << text.error;
  std::string expected = dos(customUnitsText("", ""));
  expected.replace(expected.find(".version 2"), 10, ".version 3");
  EXPECT_EQ(text.output, expected);
  EXPECT_EQ(toBinary<TextToCustomUnitsConverter>(text.output).output, empty);
}

TEST(ObjectTables, NegativeCountsPrintNoRecordsAndComeBackAsZero) {
  Conversion text = toText<CustomUnitsToTextConverter>(
      Bytes().i32(2).i32(-4).i32(1).id("hfoo").id("h000").i32(-1).raw("trailing"));
  ASSERT_FALSE(text.failed) << text.error;
  EXPECT_EQ(text.output, dos(customUnitsText("", "\n  .unit hfoo h000\n  .endUnit\n")));
  EXPECT_EQ(toBinary<TextToCustomUnitsConverter>(text.output).output,
            std::string(Bytes().i32(2).i32(0).i32(1).id("hfoo").id("h000").i32(0)));
}

// A real comes back as the float nearest to its six-decimal rendering.
TEST(ObjectTables, RealsComeBackThroughSixDecimals) {
  struct Case {
    float value;
    const char* text;
    float back;
  } cases[] = {
      {0.1f, "0.100000", 0.1f},
      {-2.5f, "-2.500000", -2.5f},
      {1.0000001f, "1.000000", 1.0f},
      {1e-7f, "0.000000", 0.0f},
      {4.8828125f, "4.882812", 4.882812f},
      {123456.789f, "123456.789062", 123456.789f},
  };
  for (const Case& c : cases) {
    std::string table =
        Bytes().i32(2).i32(0).i32(1).id("hfoo").id("h000").i32(1).id("uspe").i32(1)
            .f32(c.value).i32(0);
    Conversion text = toText<CustomUnitsToTextConverter>(table);
    std::string line = std::string("    .mod uspe real 0 ") + c.text + "\r\n";
    EXPECT_NE(text.output.find(line), std::string::npos) << c.text << "\n" << text.output;
    Conversion back = toBinary<TextToCustomUnitsConverter>(text.output);
    EXPECT_EQ(back.output,
              std::string(Bytes().i32(2).i32(0).i32(1).id("hfoo").id("h000").i32(1)
                              .id("uspe").i32(1).f32(c.back).i32(0)))
        << c.text;
  }
}

// Text fixture with one unit in the new table holding the given .mod line.
std::string unitsTextWithMod(const std::string& mod) {
  return customUnitsText("", "\n  .unit hfoo h000\n" + mod + "\n  .endUnit\n");
}

std::string unitsTableWithMod(const std::string& mod) {
  return Bytes().i32(2).i32(0).i32(1).id("hfoo").id("h000").i32(1).raw(mod);
}

TEST(ObjectTables, StringValueIsTheRestOfTheLineAsItStands) {
  struct Case {
    const char* line;
    int32_t endMarker;
    std::string value;
  } cases[] = {
      {"    .mod unam string 0 Footman", 0, "Footman"},
      {"    .mod unam string 0   two  blanks  ", 0, "  two  blanks  "},
      {"    .mod unam string 0 ", 0, ""},
      {"    .mod unam string 0", 0, ""},
      {"    .mod unam string 0 a \"quoted\" // no comment\there", 0,
       "a \"quoted\" // no comment\there"},
      {"    .mod unam string -7 .endUnit", -7, ".endUnit"},
  };
  for (const Case& c : cases) {
    Conversion back = toBinary<TextToCustomUnitsConverter>(unitsTextWithMod(c.line));
    ASSERT_FALSE(back.failed) << c.line << ": " << back.error;
    EXPECT_EQ(back.output,
              unitsTableWithMod(Bytes().id("unam").i32(3).str(c.value).i32(c.endMarker)))
        << c.line;
  }
}

TEST(ObjectTables, StringValueOf1023BytesIsTheLongestABinaryTableMayHold) {
  std::string longest(1023, 'x');
  Conversion text = toText<CustomUnitsToTextConverter>(
      unitsTableWithMod(Bytes().id("utip").i32(3).str(longest).i32(0)));
  ASSERT_FALSE(text.failed) << text.error;
  EXPECT_EQ(text.output, dos(unitsTextWithMod("    .mod utip string 0 " + longest)));
  EXPECT_EQ(toBinary<TextToCustomUnitsConverter>(text.output).output,
            unitsTableWithMod(Bytes().id("utip").i32(3).str(longest).i32(0)));

  // 24 bytes of header and unit, 8 of field and type, then the string: the
  // 1024th byte without a zero is where reading stops.
  Conversion tooLong = toText<CustomUnitsToTextConverter>(
      unitsTableWithMod(Bytes().id("utip").i32(3).str(longest + "y").i32(0)));
  EXPECT_TRUE(tooLong.failed);
  EXPECT_EQ(tooLong.error,
            "String value of mod utip longer than 1023 bytes, input file offset: 1056 "
            "(0x420)");
  // The text stops after the unit's line.
  std::string full = dos(unitsTextWithMod("x"));
  EXPECT_EQ(tooLong.output, full.substr(0, full.find("  .unit hfoo h000\r\n") + 19));
}

// The text form has no escape for a line break: a value holding one goes on
// in the next line of the text, and reading it back stops there, or drops
// the rest when that line reads as a comment.
TEST(ObjectTables, StringValueWithALineBreakDoesNotComeBack) {
  Conversion text = toText<CustomUnitsToTextConverter>(
      unitsTableWithMod(Bytes().id("utip").i32(3).str("First\r\nSecond").i32(0)));
  ASSERT_FALSE(text.failed) << text.error;
  EXPECT_NE(text.output.find("    .mod utip string 0 First\r\r\nSecond\r\n"), std::string::npos);
  Conversion back = toBinary<TextToCustomUnitsConverter>(text.output);
  EXPECT_TRUE(back.failed);
  EXPECT_EQ(back.error, "Unexpected tag Second, line 18: Second");

  text = toText<CustomUnitsToTextConverter>(
      unitsTableWithMod(Bytes().id("utip").i32(3).str("First\n// Second").i32(0)));
  back = toBinary<TextToCustomUnitsConverter>(text.output);
  ASSERT_FALSE(back.failed) << back.error;
  EXPECT_EQ(back.output, unitsTableWithMod(Bytes().id("utip").i32(3).str("First").i32(0)));
}

TEST(ObjectTables, StringValueThatFillsTheLineBufferIsRefused) {
  std::string mod = "    .mod utip string 0 " + std::string(20000, 'x');
  Conversion back = toBinary<TextToCustomUnitsConverter>(unitsTextWithMod(mod));
  EXPECT_TRUE(back.failed);
  std::string expected =
      "String value of mod utip is too long: its line reaches 16382 characters, line 17: " +
      mod.substr(0, 16382);
  EXPECT_EQ(back.error, expected);

  std::string fits = "    .mod utip string 0 " + std::string(16000, 'x');
  back = toBinary<TextToCustomUnitsConverter>(unitsTextWithMod(fits));
  ASSERT_FALSE(back.failed) << back.error.substr(0, 200);
  EXPECT_EQ(back.output,
            unitsTableWithMod(Bytes().id("utip").i32(3).str(std::string(16000, 'x')).i32(0)));
}

// Unit identifiers are plain words whose first four bytes are written; a
// shorter word is completed by zero bytes.
TEST(ObjectTables, UnitIdentifierWords) {
  struct Case {
    const char* word;
    std::string bytes;
  } cases[] = {
      {"a", std::string("a\0\0\0", 4)},    {"ab", std::string("ab\0\0", 4)},
      {"abc", std::string("abc\0", 4)},    {"abcd", "abcd"},
      {"abcdefg", "abcd"},                 {"<NONE>", std::string(4, '\0')},
  };
  for (const Case& c : cases) {
    std::string text = customUnitsText(
        "\n  .unit " + std::string(c.word) + " " + c.word + "\n  .endUnit\n", "");
    Conversion back = toBinary<TextToCustomUnitsConverter>(text);
    ASSERT_FALSE(back.failed) << c.word << ": " << back.error;
    EXPECT_EQ(back.output, Bytes().i32(2).i32(1).raw(c.bytes).raw(c.bytes).i32(0).i32(0).bytes())
        << c.word;
  }

  // Two letters and two zero bytes in the file print as a two-letter word
  // and come back as they were.
  std::string shortIds = Bytes().i32(2).i32(1).raw(std::string("ab\0\0", 4)).id("h000")
                             .i32(0).i32(0);
  Conversion text = toText<CustomUnitsToTextConverter>(shortIds);
  EXPECT_EQ(text.output, dos(customUnitsText("\n  .unit ab h000\n  .endUnit\n", "")));
  EXPECT_EQ(toBinary<TextToCustomUnitsConverter>(text.output).output, shortIds);
}

TEST(ObjectTables, FieldIdentifiersAndTypeWords) {
  Conversion back = toBinary<TextToCustomUnitsConverter>(
      unitsTextWithMod("\t.mod ab bool 0 1 // trailing words are not read"));
  ASSERT_FALSE(back.failed) << back.error;
  EXPECT_EQ(back.output, unitsTableWithMod(Bytes().raw(std::string("ab\0\0", 4)).i32(4).i32(1).i32(0)));

  for (int type = 0; type < kValueTypeCount; ++type) {
    if (storesReal(type) || storesString(type)) continue;
    std::string mod = std::string("    .mod ufld ") + kValueTypeNames[type] + " 5 -6";
    back = toBinary<TextToCustomUnitsConverter>(unitsTextWithMod(mod));
    ASSERT_FALSE(back.failed) << mod << ": " << back.error;
    EXPECT_EQ(back.output, unitsTableWithMod(Bytes().id("ufld").i32(type).i32(-6).i32(5)))
        << mod;
    Conversion text = toText<CustomUnitsToTextConverter>(back.output);
    EXPECT_EQ(text.output, dos(unitsTextWithMod(mod))) << mod;
  }
}

TEST(ObjectTables, FilterModePrintsOnlyTriggerStrings) {
  std::string table = Bytes()
                          .i32(2)
                          .i32(1)
                          .id("hfoo").id("h000").i32(5)
                          .id("unam").i32(3).str("TRIGSTR_001").i32(0)
                          .id("utip").i32(3).str("trigstr_002").i32(0)
                          .id("utub").i32(3).str("TRIGSTR").i32(0)
                          .id("uhpm").i32(0).i32(420).i32(0)
                          .id("ua1c").i32(1).f32(1.5f).i32(0)
                          .i32(1)
                          .id("hpea").id("h001").i32(1)
                          .id("uhpm").i32(0).i32(220).i32(0);
  Conversion text = toText<CustomUnitsToTextConverter>(table, true);
  ASSERT_FALSE(text.failed) << text.error;
  EXPECT_EQ(text.output,
            dos(customUnitsText("\n  .unit hfoo h000\n"
                                "    .mod unam string 0 TRIGSTR_001\n"
                                "  .endUnit\n",
                                "\n  .unit hpea h001\n  .endUnit\n")));

  Conversion abilities = toText<AbilitiesToTextConverter>(kAbilitiesTable, true);
  ASSERT_FALSE(abilities.failed) << abilities.error;
  EXPECT_EQ(abilities.output,
            dos(abilitiesText("",
                              "\n  .unit AHbz A000\n"
                              "    .mod atp1 string -1 -2147483648 7 TRIGSTR_012\n"
                              "  .endUnit\n"
                              "\n  .unit Aloc A001\n"
                              "  .endUnit\n")));
}

TEST(ObjectTables, FilterModeWritesUnitsWithoutModifications) {
  std::string text = customUnitsText(
      "\n  .unit hfoo h000\n"
      "    .mod\n"
      "    .mod unam Int not even a number\n"
      "    .mod uhpm int 0 420\n"
      "  .endUnit\n",
      "\n  .unit hpea h001\n  .endUnit\n");
  std::string expected =
      Bytes().i32(2).i32(1).id("hfoo").id("h000").i32(0).i32(1).id("hpea").id("h001").i32(0);
  Conversion back = toBinary<TextToCustomUnitsConverter>(text, true);
  ASSERT_FALSE(back.failed) << back.error;
  EXPECT_EQ(back.output, expected);

  std::string abilities = abilitiesText("", "\n  .unit hfoo h000\n    .mod x\n  .endUnit\n"
                                            "\n  .unit hpea h001\n  .endUnit\n");
  expected = Bytes().i32(2).i32(0).i32(2).id("hfoo").id("h000").i32(0).id("hpea").id("h001")
                 .i32(0);
  back = toBinary<TextToAbilitiesConverter>(abilities, true);
  ASSERT_FALSE(back.failed) << back.error;
  EXPECT_EQ(back.output, expected);
}

TEST(ObjectTables, BinaryFailuresNameTheOffset) {
  const std::string unit = Bytes().i32(2).i32(1).id("hfoo").id("h000").i32(1);  // 20 bytes
  struct Case {
    std::string table;
    const char* message;
  } cases[] = {
      {Bytes().i32(2).raw(std::string("\1\0", 2)), "Read failure, input file offset: 6 (0x6)"},
      {Bytes().i32(2).i32(1).raw("hf"), "getID read failure, input file offset: 10 (0xa)"},
      {unit + Bytes().id("unam").i32(22).bytes(),
       "Unknown mod type 22, input file offset: 28 (0x1c)"},
      {unit + Bytes().id("unam").i32(-1).i32(0).bytes(),
       "Unknown mod type -1, input file offset: 28 (0x1c)"},
      {unit + Bytes().id("unam").i32(3).raw("Foot").bytes(),
       "Unexpected end-of-file while getting mod, input file offset: 32 (0x20)"},
      {unit + Bytes().id("ua1c").i32(1).raw(std::string(2, '\0')).bytes(),
       "getFloat read failure, input file offset: 30 (0x1e)"},
      {unit + Bytes().id("uhpm").i32(0).i32(5).bytes(),
       "Read failure, input file offset: 32 (0x20)"},
      {unit + Bytes().id("uhpm").i32(0).i32(5).i32(0).bytes(),
       "Read failure, input file offset: 36 (0x24)"},
  };
  for (const Case& c : cases) {
    Conversion text = toText<CustomUnitsToTextConverter>(c.table);
    EXPECT_TRUE(text.failed) << c.message;
    EXPECT_EQ(text.error, c.message);
  }
  // The abilities record refuses its type before the extra integers.
  Conversion abilities = toText<AbilitiesToTextConverter>(
      unit + Bytes().id("alev").i32(22).i32(1).i32(1).bytes());
  EXPECT_EQ(abilities.error, "Unknown mod type 22, input file offset: 28 (0x1c)");
  abilities = toText<AbilitiesToTextConverter>(unit + Bytes().id("alev").i32(0).i32(1).bytes());
  EXPECT_EQ(abilities.error, "Read failure, input file offset: 32 (0x20)");
}

TEST(ObjectTables, TextFailuresNameTheLine) {
  struct Case {
    std::string mod;
    std::string message;
  } cases[] = {
      {"    .mod unam Int 0 5", "Unexpected string Int"},
      {"    .mod uhpmx int 0 5", "ID uhpmx too long"},
      {"    .mod uhpmxyzw int 0 5", "getString buffer overflow, maxchars is 8"},
      {"    .mod uhpm int", "Failed to find expected argument"},
      {"    .mod uhpm int 0", "Failed to find expected argument"},
      {"    .mod uhpm int zero 5", "Failed to get long argument"},
      {"    .mod ua1c real 0 fast", "Failed to get float argument"},
      {"    .mod uhpm " + std::string(1024, 'i') + " 0 5",
       "getString buffer overflow, maxchars is 1024"},
      {"  .endTable", "Unexpected tag .endTable"},
      {"    .unit hfoo h001", "Unexpected tag .unit"},
  };
  for (const Case& c : cases) {
    Conversion back = toBinary<TextToCustomUnitsConverter>(unitsTextWithMod(c.mod));
    EXPECT_TRUE(back.failed) << c.mod;
    EXPECT_EQ(back.error, c.message + ", line 17: " + c.mod);
  }

  Conversion outside = toBinary<TextToCustomUnitsConverter>(
      customUnitsText("    .mod uhpm int 0 5\n", ""));
  EXPECT_EQ(outside.error, "Unexpected tag .mod, line 9:     .mod uhpm int 0 5");
  Conversion cut = toBinary<TextToCustomUnitsConverter>(
      customUnitsText("", "").substr(0, customUnitsText("", "").find(".endSection")));
  EXPECT_EQ(cut.error, "Unexpected EOF while getting line, line 18: ");
}

// The end marker stands before the value in text: a .mod line in the
// custom units form lacks two numbers for an ability.
TEST(ObjectTables, AbilitiesNeedSixArguments) {
  struct Case {
    const char* mod;
    const char* message;
  } cases[] = {
      {"    .mod uhpm int 0 420", "Failed to find expected argument"},
      {"    .mod unam string 0 Footman", "Failed to get long argument"},
      {"    .mod alev int 1 2", "Failed to find expected argument"},
  };
  for (const Case& c : cases) {
    std::string text = abilitiesText("", std::string("\n  .unit hfoo h000\n") + c.mod +
                                             "\n  .endUnit\n");
    Conversion back = toBinary<TextToAbilitiesConverter>(text);
    EXPECT_EQ(back.error, std::string(c.message) + ", line 17: " + c.mod);
  }
}

TEST(ObjectTables, EachTableRequiresItsOwnSectionWord) {
  Conversion units = toBinary<TextToCustomUnitsConverter>(kAbilitiesText);
  EXPECT_EQ(units.error,
            "Expected CustomUnits, got Abilities, line 5: .section Abilities (war3map.w3a)");
  EXPECT_TRUE(units.output.empty());
  Conversion abilities = toBinary<TextToAbilitiesConverter>(kUnitsText);
  EXPECT_EQ(abilities.error,
            "Expected Abilities, got CustomUnits, line 5: .section CustomUnits (war3map.w3u)");

  std::string wrongEnd = kUnitsText;
  wrongEnd.replace(wrongEnd.find(".endSection CustomUnits"), 23, ".endSection Custom");
  units = toBinary<TextToCustomUnitsConverter>(wrongEnd + "anything after it");
  EXPECT_EQ(units.error.substr(0, 39), "Expected CustomUnits, got Custom, line ");
  const std::string lineEnd = ": .endSection Custom (war3map.w3u)";
  EXPECT_EQ(units.error.substr(units.error.size() - lineEnd.size()), lineEnd);
  // Everything was written before the last line failed.
  EXPECT_EQ(units.output, kUnitsTable);

  units = toBinary<TextToCustomUnitsConverter>(kUnitsText + ".section garbage\n");
  ASSERT_FALSE(units.failed) << units.error;
}

// What was written before a failure stays, counts still open keeping their
// zero placeholders.
TEST(ObjectTables, FailureKeepsPartialOutput) {
  std::string text = customUnitsText(
      "\n  .unit hfoo h000\n"
      "    .mod uhpm int 0 420\n"
      "    .mod unam Int 0 Footman\n"
      "  .endUnit\n",
      "");
  Conversion back = toBinary<TextToCustomUnitsConverter>(text);
  EXPECT_EQ(back.error, "Unexpected string Int, line 12:     .mod unam Int 0 Footman");
  EXPECT_EQ(back.output, std::string(Bytes()
                                         .i32(2)
                                         .i32(0)
                                         .id("hfoo").id("h000").i32(0)
                                         .id("uhpm").i32(0).i32(420).i32(0)
                                         .id("unam")));

  Conversion partial = toText<AbilitiesToTextConverter>(
      Bytes().i32(2).i32(1).id("AHbz").id("A000").i32(2)
          .id("alev").i32(0).i32(0).i32(0).i32(3).i32(0)
          .id("atp1").i32(3).i32(1).i32(0).raw("TRIGSTR_0"));
  EXPECT_EQ(partial.error,
            "Unexpected end-of-file while getting mod, input file offset: 69 (0x45)");
  EXPECT_EQ(partial.output, dos("//\n// Warcraft 3 Abilities File\n//\n\n"
                                ".section Abilities (war3map.w3a)\n.version 2\n\n"
                                ".standardTable\n\n  .unit AHbz A000\n"
                                "    .mod alev int 0 0 0 3\n"));
}

// A table's opening line is printed once its unit count has been read, so a
// file that ends at a count leaves the text without that table's line.
TEST(ObjectTables, TableLinesFollowTheirCounts) {
  const std::string top = "//\n// Warcraft 3 Custom Units File\n//\n\n"
                          ".section CustomUnits (war3map.w3u)\n.version 2\n\n";
  Conversion noStandard = toText<CustomUnitsToTextConverter>(Bytes().i32(2));
  EXPECT_EQ(noStandard.error, "Read failure, input file offset: 4 (0x4)");
  EXPECT_EQ(noStandard.output, dos(top));

  Conversion noNew = toText<CustomUnitsToTextConverter>(Bytes().i32(2).i32(0).raw("\1"));
  EXPECT_EQ(noNew.error, "Read failure, input file offset: 9 (0x9)");
  EXPECT_EQ(noNew.output,
            dos(top + ".standardTable\n\n.endTable\n\n" + kSeparator + "\n"));
}

// ---------------------------------------------------------------- programs

struct Pair {
  const char* toText;
  const char* toBinary;
  const char* binaryFile;
  const char* textFile;
  std::string table;
  std::string text;
  std::string filtered;       // the text of table in filter mode
  std::size_t standardBytes;  // version and standard table
};

std::vector<Pair> pairs() {
  return {
      {"customunits2txt", "txt2customunits", "war3map.w3u", "CustomUnits.txt", kUnitsTable,
       kUnitsText,
       customUnitsText("\n  .unit hfoo <NONE>\n  .endUnit\n",
                       "\n  .unit hfoo h000\n  .endUnit\n"),
       72},
      {"abilities2txt", "txt2abilities", "war3map.w3a", "Abilities.txt", kAbilitiesTable,
       kAbilitiesText,
       abilitiesText("",
                     "\n  .unit AHbz A000\n"
                     "    .mod atp1 string -1 -2147483648 7 TRIGSTR_012\n"
                     "  .endUnit\n"
                     "\n  .unit Aloc A001\n"
                     "  .endUnit\n"),
       8},
  };
}

TEST(ObjectTablePrograms, ArgumentsPickPathsAndFilterMode) {
  for (const Pair& p : pairs()) {
    ScratchDir dir;
    dir.write(p.binaryFile, p.table);
    dir.write("in.bin", p.table);

    // None, one or four arguments: the default paths, no filter.
    for (std::vector<std::string> args :
         {std::vector<std::string>{}, {"in.bin"}, {"in.bin", "out.txt", "f", "g"}}) {
      ProgramRun run = runProgram(p.toText, args, dir.path());
      EXPECT_EQ(run.status, 0) << p.toText << " " << args.size() << ": " << run.stdErr;
      EXPECT_EQ(run.stdErr, "");
      EXPECT_EQ(dir.read(p.textFile), dos(p.text)) << p.toText << " " << args.size();
      EXPECT_FALSE(dir.exists("out.txt"));
    }

    ProgramRun plain = runProgram(p.toText, {"in.bin", "plain.txt"}, dir.path());
    EXPECT_EQ(plain.status, 0) << plain.stdErr;
    EXPECT_EQ(dir.read("plain.txt"), dos(p.text));
    ProgramRun filtered = runProgram(p.toText, {"in.bin", "filtered.txt", "--whatever"}, dir.path());
    EXPECT_EQ(filtered.status, 0) << filtered.stdErr;
    EXPECT_EQ(dir.read("filtered.txt"), dos(p.filtered)) << p.toText;

    ProgramRun back = runProgram(p.toBinary, {"plain.txt", "back.bin"}, dir.path());
    EXPECT_EQ(back.status, 0) << back.stdErr;
    EXPECT_EQ(dir.read("back.bin"), p.table) << p.toBinary;

    // A third argument makes the text side drop every modification.
    ProgramRun dropped = runProgram(p.toBinary, {"plain.txt", "dropped.bin", ""}, dir.path());
    EXPECT_EQ(dropped.status, 0) << dropped.stdErr;
    ProgramRun again = runProgram(p.toText, {"dropped.bin", "dropped.txt"}, dir.path());
    EXPECT_EQ(again.status, 0) << again.stdErr;
    std::string withoutMods = dos(p.filtered);
    for (std::size_t at; (at = withoutMods.find("    .mod")) != std::string::npos;) {
      withoutMods.erase(at, withoutMods.find('\n', at) + 1 - at);
    }
    EXPECT_EQ(dir.read("dropped.txt"), withoutMods) << p.toBinary;

    dir.write(p.textFile, dos(p.text));
    ProgramRun defaults = runProgram(p.toBinary, {}, dir.path());
    EXPECT_EQ(defaults.status, 0) << defaults.stdErr;
    EXPECT_EQ(dir.read(p.binaryFile), p.table);
  }
}

TEST(ObjectTablePrograms, FailuresEndWithStatusOne) {
  for (const Pair& p : pairs()) {
    ScratchDir dir;
    dir.write("in.bin", p.table);
    ProgramRun missing = runProgram(p.toText, {}, dir.path());
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.stdErr, std::string("Failed to open ") + p.binaryFile + "!\n");
    EXPECT_FALSE(dir.exists(p.textFile));
    missing = runProgram(p.toBinary, {"nothing.txt", "out.bin", "filter"}, dir.path());
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.stdErr, "Failed to open nothing.txt!\n");
    EXPECT_FALSE(dir.exists("out.bin"));

    // A table cut inside its first unit: the text keeps what was printed.
    dir.write("cut.bin", p.table.substr(0, 14));
    ProgramRun cut = runProgram(p.toText, {"cut.bin", "cut.txt", "filter"}, dir.path());
    EXPECT_EQ(cut.status, 1);
    EXPECT_EQ(cut.stdErr, "getID read failure, input file offset: 14 (0xe)\n");
    EXPECT_EQ(dir.read("cut.txt"), dos(p.text.substr(0, p.text.find("\n  .unit"))));

    dir.write("bad.txt", dos(p.text.substr(0, p.text.find(".newTable"))));
    ProgramRun bad = runProgram(p.toBinary, {"bad.txt", "bad.bin"}, dir.path());
    EXPECT_EQ(bad.status, 1);
    EXPECT_EQ(bad.stdErr.substr(0, bad.stdErr.find(',')), "Unexpected EOF while getting line");
    EXPECT_EQ(dir.read("bad.bin"), p.table.substr(0, p.standardBytes));

    // An output that cannot take the text is no success, although convert()
    // closes it itself.
    if (fileExists("/dev/full")) {
      ProgramRun full = runProgram(p.toText, {"in.bin", "/dev/full"}, dir.path());
      EXPECT_EQ(full.status, 1);
      EXPECT_EQ(full.stdErr, "Failed to write /dev/full!\n");
    }
  }
}

// ------------------------------------------------------------------ corpus

// Runs both tables of every map through text and back. The files survive
// byte for byte except for reals that six decimals do not render exactly;
// their text is the same, so the second trip is exact.
TEST(ObjectTablesCorpus, RealMapsThroughTextAndBack) {
  std::vector<std::string> maps = corpusMaps();
  if (maps.empty()) GTEST_SKIP() << "no corpus";
  struct Expected {
    const char* map;
    const char* file;
    int inexactReals;
    int triggerStrings;
  } expectations[] = {
      {"mpq-test", "war3map.w3u", 5, 159},
      {"mpq-test", "war3map.w3a", 0, 205},
      {"tribute-alliance", "war3map.w3u", 0, 75},
      {"tribute-alliance", "war3map.w3a", 33, 377},
  };
  int tried = 0;
  for (const std::string& map : maps) {
    for (const Pair& p : pairs()) {
      std::string original = corpusMap(map) + "/" + p.binaryFile;
      if (!fileExists(original)) continue;
      ++tried;
      SCOPED_TRACE(map + "/" + p.binaryFile);
      const Expected* expected = nullptr;
      for (const Expected& e : expectations) {
        if (map == e.map && std::string(p.binaryFile) == e.file) expected = &e;
      }
      ScratchDir dir;
      ProgramRun text = runProgram(p.toText, {original, "table.txt"}, dir.path());
      ASSERT_EQ(text.status, 0) << text.stdErr;
      ProgramRun back = runProgram(p.toBinary, {"table.txt", "back.bin"}, dir.path());
      ASSERT_EQ(back.status, 0) << back.stdErr;
      ProgramRun second = runProgram(p.toText, {"back.bin", "second.txt"}, dir.path());
      ASSERT_EQ(second.status, 0) << second.stdErr;
      EXPECT_EQ(dir.read("second.txt"), dir.read("table.txt"));

      std::string before = readFile(original);
      std::string after = dir.read("back.bin");
      ASSERT_EQ(after.size(), before.size());
      int differing = 0;
      for (std::size_t at = 0; at < before.size(); ++at) {
        if (before[at] != after[at]) {
          ++differing;
          at += 3;  // one real: a value is followed by its end marker
        }
      }
      if (expected) {
        EXPECT_EQ(differing, expected->inexactReals);
      }

      ProgramRun filtered = runProgram(p.toText, {original, "filtered.txt", "filter"}, dir.path());
      ASSERT_EQ(filtered.status, 0) << filtered.stdErr;
      std::string filteredText = dir.read("filtered.txt");
      std::size_t mods = 0;
      for (std::size_t at = 0; (at = filteredText.find("\n    .mod ", at)) != std::string::npos;
           ++at) {
        std::string line = filteredText.substr(at + 1, filteredText.find('\n', at + 1) - at - 1);
        EXPECT_NE(line.find(" string "), std::string::npos) << line;
        EXPECT_NE(line.find(" TRIGSTR_"), std::string::npos) << line;
        ++mods;
      }
      if (expected) {
        EXPECT_EQ(mods, static_cast<std::size_t>(expected->triggerStrings));
      }
      ProgramRun dropped = runProgram(p.toBinary, {"filtered.txt", "dropped.bin", "f"}, dir.path());
      ASSERT_EQ(dropped.status, 0) << dropped.stdErr;
      std::size_t units = countLines(filteredText, "  .unit ");
      EXPECT_EQ(dir.read("dropped.bin").size(), 12 + 12 * units);
    }
  }
  if (tried == 0) GTEST_SKIP() << "no object tables in the corpus";
}

}  // namespace
