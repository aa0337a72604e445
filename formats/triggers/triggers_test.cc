// triggers2txt and txt2triggers in this process, on inline trigger files.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "formats/triggers/triggers_test_support.h"

namespace triggers_test {
namespace {

const char kHead[] =
    "//\n"
    "// Warcraft 3 Triggers File\n"
    "//\n"
    "\n"
    ".section Triggers (war3map.wtg & war3map.wct)\n";
const char kTail[] =
    "\n"
    ".endTriggers\n"
    "\n"
    ".endSection Triggers (war3map.wtg & war3map.wct)\n"
    "\n";

// Version 7: categories with their flag, an array variable with its size,
// an event that registers a trigger, a condition whose function parameter
// takes an array element, an action with nested actions two levels deep, a
// missing parameter and a custom trigger.
std::string version7File() {
  const bool v7 = true;
  std::string abilityLevel =
      callParam(v7, "GetUnitAbilityLevel", 0, 1, "GetUnitAbilityLevel", 1,
                arrayParam("hero", 0, param(3, "1")) + param(3, "A000"));
  std::vector<std::string> ecas = {
      eca7(0, {}, "TriggerRegisterTimerEventSingle", 1, param(3, "5.00")),
      eca7(1, {}, "OperatorCompareInteger", 1,
           abilityLevel + param(0, "OperatorEqualENE") + param(3, "1")),
      eca7(2, {}, "IfThenElseMultiple", 1, "",
           {eca7(2, 1, "DoNothing", 1, ""),
            eca7(2, 2, "ForLoopAMultiple", 1, param(3, "1") + param(-1, "", 7),
                 {eca7(2, 0, "DoNothing", 0, "")})}),
  };
  return Bytes()
      .raw("WTG!")
      .i32(7)
      .i32(2)
      .i32(0).str("Basics").i32(0)
      .i32(5).str("Boss fights").i32(1)
      .i32(2)
      .i32(2)
      .str("hero").str("unit").i32(1).i32(1).i32(12).i32(0).str("")
      .str("greeting").str("string").i32(1).i32(0).i32(0).i32(1).str("hello world")
      .i32(2)
      .raw(trigger(v7, {"Init", "First\r\nSecond", 0, 1, 0, 0, 1, 0}, ecas))
      .raw(trigger(v7, {"Script", "", 1, 1, 1, 1, 0, 5}, {}));
}

const std::string kVersion7Custom =
    Bytes()
        .i32(1)
        .str("Note\r\nTwo")
        .i32(20).str("globals\r\nendglobals")
        .i32(2)
        .i32(0)
        .i32(54).str("function A takes nothing returns nothing\r\nendfunction");

const std::string kVersion7Text = std::string(kHead) +
    ".version 7\n"
    "\n"
    ".categories\n"
    "  .category 0 \"Basics\" 0\n"
    "  .category 5 \"Boss fights\" 1\n"
    ".endCategories\n"
    "\n"
    ".long 2\n"
    "\n"
    ".variables\n"
    "  .variable hero type unit u1 1 isArray 1 size 12 isInited 0 value \n"
    "  .variable greeting type string u1 1 isArray 0 size 0 isInited 1 value hello world\n"
    ".endVariables\n"
    "\n"
    "@custom header@"
    ".triggers\n"
    "\n"
    "  .trigger \"Init\" comment 0 enable 1 custom 0 initiallyOff 0 mapInit 1 category 0\n"
    "  .description \"First\nSecond\" .end\n"
    "  .ECAs\n"
    "    .event 0 TriggerRegisterTimerEventSingle enable 1\n"
    "      .param string \"5.00\" .end 0\n"
    "    .endECA 0\n"
    "    .condition 0 OperatorCompareInteger enable 1\n"
    "      .param function \"GetUnitAbilityLevel\" .end 0 1 \"GetUnitAbilityLevel\" .end 1\n"
    "        .param array \"hero\" .end 0\n"
    "          .param string \"1\" .end 0\n"
    "        .param string \"A000\" .end 0\n"
    "      .param preset \"OperatorEqualENE\" .end 0\n"
    "      .param string \"1\" .end 0\n"
    "    .endECA 0\n"
    "    .action 0 IfThenElseMultiple enable 1\n"
    "    .endECA 2\n"
    "      .action 1 DoNothing enable 1\n"
    "      .endECA 0\n"
    "      .action 2 ForLoopAMultiple enable 1\n"
    "        .param string \"1\" .end 0\n"
    "        .param missing \"\" .end 7\n"
    "      .endECA 1\n"
    "        .action 0 DoNothing enable 0\n"
    "        .endECA 0\n"
    "  .endECAs\n"
    "\n"
    "  .trigger \"Script\" comment 1 enable 1 custom 1 initiallyOff 1 mapInit 0 category 5\n"
    "  .description \"\" .end\n"
    "@custom text@" +
    kTail;

std::string version7Text(bool withCustom) {
  std::string text = replaced(kVersion7Text, "@custom header@",
                              withCustom ? ".commonCustomComment \"Note\nTwo\" .end\n\n"
                                           ".commonCustomText \"globals\nendglobals\" .end\n\n"
                                         : "");
  return replaced(text, "@custom text@",
                  withCustom ? "  .customText \"function A takes nothing returns nothing\n"
                               "endfunction\" .end\n"
                             : "");
}

class TriggersTest : public InScratchFolder {};

TEST_F(TriggersTest, Version7BothFilesThroughTextAndBack) {
  std::string wtg = version7File();
  TextConversion text = toText(wtg, kVersion7Custom);
  ASSERT_FALSE(text.failed) << text.error;
  EXPECT_EQ(text.text, dos(version7Text(true)));

  BinaryConversion back = toBinary(text.text, true);
  ASSERT_FALSE(back.failed) << back.error;
  EXPECT_EQ(back.wtg, wtg);
  EXPECT_EQ(back.wct, kVersion7Custom);
}

TEST_F(TriggersTest, Version7WithoutTheCustomTextFile) {
  std::string wtg = version7File();
  TextConversion text = toText(wtg, std::nullopt);
  ASSERT_FALSE(text.failed) << text.error;
  EXPECT_EQ(text.text, dos(version7Text(false)));

  BinaryConversion back = toBinary(text.text, false);
  ASSERT_FALSE(back.failed) << back.error;
  EXPECT_EQ(back.wtg, wtg);
}

TEST_F(TriggersTest, CustomLinesAndTheCustomOutputGoTogether) {
  // With a custom output the common lines are required; without one they are
  // not expected.
  BinaryConversion missing = toBinary(dos(version7Text(false)), true);
  EXPECT_EQ(missing.error, "Unexpected tag .triggers, line 20: .triggers");
  BinaryConversion extra = toBinary(dos(version7Text(true)), false);
  EXPECT_EQ(extra.error,
            "Unexpected tag .commonCustomComment, line 20: .commonCustomComment \"Note");
}

std::string version4File() {
  const bool v7 = false;
  std::string random = callParam(v7, "GetRandomReal", 0, 1, "GetRandomReal", 1,
                                 param(3, "0") + param(3, "1.00"));
  return Bytes()
      .raw("WTG!")
      .i32(4)
      .i32(1)
      .i32(1).str("Main")
      .i32(0)
      .i32(1)
      .str("x").str("real").i32(1).i32(0).i32(1).str("1.5")
      .i32(2)
      .raw(trigger(v7, {"A", "", 0, 1, 0, 0, 0, 1},
                   {eca4(0, "MapInitializationEvent", 1, ""),
                    eca4(2, "SetVariable", 1, param(1, "x") + random)}))
      .raw(trigger(v7, {"B", "", 0, 1, 1, 0, 0, 0}, {}));
}

// Beside version 4 the custom file has no comment and no common text, and a
// trigger that is not custom has a text of one zero byte.
const std::string kVersion4Custom = Bytes().i32(0).i32(2).i32(1).u8(0).i32(4).str("x=1");

const std::string kVersion4Text = std::string(kHead) +
    ".version 4\n"
    "\n"
    ".categories\n"
    "  .category 1 \"Main\" 0\n"
    ".endCategories\n"
    "\n"
    ".long 0\n"
    "\n"
    ".variables\n"
    "  .variable x type real u1 1 isArray 0 size 0 isInited 1 value 1.5\n"
    ".endVariables\n"
    "\n"
    ".commonCustomComment \"\" .end\n"
    "\n"
    ".commonCustomText \"\" .end\n"
    "\n"
    ".triggers\n"
    "\n"
    "  .trigger \"A\" comment 0 enable 1 custom 0 initiallyOff 0 mapInit 0 category 1\n"
    "  .description \"\" .end\n"
    "  .ECAs\n"
    "    .event 0 MapInitializationEvent enable 1\n"
    "    .endECA 0\n"
    "    .action 0 SetVariable enable 1\n"
    "      .param variable \"x\" .end 0\n"
    "      .param function \"GetRandomReal\" .end 0 1 \"GetRandomReal\" .end 1\n"
    "        .param string \"0\" .end 0\n"
    "        .param string \"1.00\" .end 0\n"
    "    .endECA 0\n"
    "  .endECAs\n"
    "\n"
    "  .trigger \"B\" comment 0 enable 1 custom 1 initiallyOff 0 mapInit 0 category 0\n"
    "  .description \"\" .end\n"
    "  .customText \"x=1\" .end\n" +
    kTail;

TEST_F(TriggersTest, Version4BothFilesThroughTextAndBack) {
  std::string wtg = version4File();
  TextConversion text = toText(wtg, kVersion4Custom);
  ASSERT_FALSE(text.failed) << text.error;
  EXPECT_EQ(text.text, dos(kVersion4Text));

  BinaryConversion back = toBinary(text.text, true);
  ASSERT_FALSE(back.failed) << back.error;
  EXPECT_EQ(back.wtg, wtg);
  EXPECT_EQ(back.wct, kVersion4Custom);
}

TEST_F(TriggersTest, Version4IgnoresTheVersion7NumbersOfTheText) {
  // The flag, size, comment and group numbers are read and dropped; the
  // child count is dropped too, so a nested line is one more top-level ECA.
  std::string text = kVersion4Text;
  text = replaced(text, "\"Main\" 0", "\"Main\" 9");
  text = replaced(text, "size 0", "size 3");
  text = replaced(text, "\"A\" comment 0", "\"A\" comment 1");
  text = replaced(text, "    .event 0 MapInit", "    .event 4 MapInit");
  text = replaced(text, "    .endECA 0\n    .action",
                  "    .endECA 1\n      .action 3 DoNothing enable 0\n      .endECA 0\n"
                  "    .action");
  BinaryConversion back = toBinary(dos(text), true);
  ASSERT_FALSE(back.failed) << back.error;
  std::string wtg = version4File();
  std::string expected =
      replaced(wtg, Bytes().i32(2).raw(eca4(0, "MapInitializationEvent", 1, "")),
               Bytes().i32(3).raw(eca4(0, "MapInitializationEvent", 1, "")).raw(
                   eca4(2, "DoNothing", 0, "")));
  EXPECT_EQ(back.wtg, expected);
  EXPECT_EQ(back.wct, kVersion4Custom);
}

TEST_F(TriggersTest, CustomTextLengths) {
  // An empty custom text of a custom trigger may come as length 0; it comes
  // back as length 1. An empty common text of length 1 comes back as 0.
  std::string wtg = plainTriggerFile(7, {trigger(true, {"C", "", 0, 1, 1, 0, 0, 0}, {})});
  std::string wct = Bytes().i32(1).str("").i32(1).u8(0).i32(1).i32(0);
  TextConversion text = toText(wtg, wct);
  ASSERT_FALSE(text.failed) << text.error;
  EXPECT_NE(text.text.find(dos(".commonCustomText \"\" .end\n\n.triggers\n")),
            std::string::npos);
  EXPECT_NE(text.text.find(dos("  .customText \"\" .end\n")), std::string::npos);
  BinaryConversion back = toBinary(text.text, true);
  ASSERT_FALSE(back.failed) << back.error;
  EXPECT_EQ(back.wtg, wtg);
  EXPECT_EQ(back.wct, Bytes().i32(1).str("").i32(0).i32(1).i32(1).u8(0).bytes());
}

TEST_F(TriggersTest, NegativeCountsListNothing) {
  std::string wtg = Bytes()
                        .raw("WTG!").i32(7).i32(-1).i32(0).i32(-5)
                        .i32(1)
                        .raw(trigger(true, {"T", "", 0, 1, 0, 0, 0, 0},
                                     {eca7(2, {}, "DoNothing", 1, "")}));
  wtg.replace(wtg.size() - 4, 4, Bytes().i32(-2).bytes());  // the child count
  TextConversion text = toText(wtg, std::nullopt);
  ASSERT_FALSE(text.failed) << text.error;
  EXPECT_NE(text.text.find(dos(".categories\n.endCategories\n")), std::string::npos);
  EXPECT_NE(text.text.find(dos(".variables\n.endVariables\n")), std::string::npos);
  EXPECT_NE(text.text.find(dos("    .endECA -2\n  .endECAs\n")), std::string::npos);
}

TEST_F(TriggersTest, ExtraCountsOfNoneOrLessTakeNoParameters) {
  // An event takes one fewer than its count, and a count of 0 or less means
  // none, down to the lowest count a list line can give.
  folder.write("extraFunctionsOut.txt",
               "Lowest -2147483648\r\nNegative -7\r\nNone 0\r\n\r\n");
  std::vector<std::string> ecas;
  std::string lines;
  for (const char* name : {"Lowest", "Negative", "None"}) {
    for (int kind : {0, 2}) {
      ecas.push_back(eca7(kind, {}, name, 1, ""));
      lines += std::string("    ") + (kind == 0 ? ".event" : ".action") + " 0 " + name +
               " enable 1\n    .endECA 0\n";
    }
  }
  std::string wtg = plainTriggerFile(7, {trigger(true, {"T", ""}, ecas)});
  TextConversion text = toText(wtg, std::nullopt);
  ASSERT_FALSE(text.failed) << text.error;
  EXPECT_NE(text.text.find(dos("  .ECAs\n" + lines + "  .endECAs\n")), std::string::npos)
      << text.text;
  BinaryConversion back = toBinary(text.text, false);
  ASSERT_FALSE(back.failed) << back.error;
  EXPECT_EQ(back.wtg, wtg);
}

// A trigger file of version 7 with one trigger holding one action whose
// parameters are params.
std::string oneAction(bool v7, const std::string& name, const std::string& params) {
  std::string action = v7 ? eca7(2, {}, name, 1, params) : eca4(2, name, 1, params);
  return plainTriggerFile(v7 ? 7 : 4, {trigger(v7, {"T", ""}, {action})});
}

TEST_F(TriggersTest, TriggerFileFailures) {
  // A version 7 trigger's ECAs begin at offset 55, a version 4 one's at 51.
  std::string longName(4094, 'F');
  std::string custom = Bytes().i32(1).str("").i32(0).i32(1);
  struct Case {
    std::string wtg;
    std::optional<std::string> wct;
    std::string message;
  } cases[] = {
      {Bytes().raw("WTG?").i32(7), {}, "File ID error, expected WTG!, got WTG?, input file offset: 4 (0x4)"},
      {Bytes().raw("WTG!").i32(5), {}, "Version error, expected 4 or 7, got 5, input file offset: 8 (0x8)"},
      {plainTriggerFile(7, {trigger(true, {"T", ""}, {eca7(3, {}, "DoNothing", 1, "")})}), {},
       "Unknown Event/Condition/Action type 3 (0x3), input file offset: 59 (0x3b)"},
      {plainTriggerFile(7, {trigger(true, {"T", ""}, {eca7(-1, {}, "DoNothing", 1, "")})}), {},
       "Unknown Event/Condition/Action type -1 (0xffffffff), input file offset: 59 (0x3b)"},
      {oneAction(true, "NoSuchFunction", ""), {},
       "Unknown function NoSuchFunction, input file offset: 78 (0x4e)"},
      {oneAction(true, "TriggerSleepAction", param(4, "1")), {},
       "Unknown parameter type 4 (0x4), input file offset: 86 (0x56)"},
      {oneAction(true, "TriggerSleepAction", Bytes().i32(0).str("1").i32(0).i32(1)), {},
       "Unexpected end parameter code, expected 0, got 1 (0x1), input file offset: 96 (0x60)"},
      {oneAction(true, "TriggerSleepAction",
                 Bytes().i32(2).str("X").i32(0).i32(0).str("GetTriggerUnit").i32(0).i32(5)),
       {},
       "Unexpected next-to-end parameter code, expected 0, got 5 (0x5), input file offset: "
       "119 (0x77)"},
      // Version 4 has no next-to-end code: the end code follows the arguments.
      {oneAction(false, "TriggerSleepAction",
                 Bytes().i32(2).str("X").i32(0).i32(0).str("GetTriggerUnit").i32(0).i32(5)),
       {},
       "Unexpected end parameter code, expected 0, got 5 (0x5), input file offset: 115 (0x73)"},
      {oneAction(true, "TriggerSleepAction",
                 Bytes().i32(2).str("X").i32(0).i32(0).str(longName).i32(0)),
       {}, "Unknown function " + longName + ", input file offset: 4195 (0x1063)"},
      {plainTriggerFile(7, {trigger(true, {"T", "", 0, 1, 1}, {eca7(2, {}, "DoNothing", 1, "")})}),
       {}, "Trigger \"T\" has both custom & non-custom parts\n, input file offset: 55 (0x37)"},
      {plainTriggerFile(7, {trigger(true, {"T", ""}, {}), trigger(true, {"U", ""}, {})}),
       Bytes().i32(1).str("").i32(0).i32(3),
       "Custom trigger count 3 does not match normal trigger count 2, input file offset: 24 "
       "(0x18)"},
      {plainTriggerFile(4, {}), custom,
       "Custom trigger version is 1, expected 0, input file offset: 24 (0x18)"},
      {plainTriggerFile(7, {}), Bytes().i32(1).str("").i32(10).raw("abc"),
       "Failure reading custom trigger file at offset 12 (0xc), input file offset: 24 (0x18)"},
      {plainTriggerFile(7, {}), Bytes().i32(1).str("").i32(32769),
       "Common custom text length 32769 out of range 0 to 32768 in custom trigger file at "
       "offset 9 (0x9), input file offset: 24 (0x18)"},
      {plainTriggerFile(7, {}), Bytes().i32(1).str("").i32(-1),
       "Common custom text length -1 out of range 0 to 32768 in custom trigger file at offset "
       "9 (0x9), input file offset: 24 (0x18)"},
  };
  for (const Case& c : cases) {
    TextConversion result = toText(c.wtg, c.wct);
    EXPECT_TRUE(result.failed);
    EXPECT_EQ(result.error, c.message);
  }
}

TEST_F(TriggersTest, TheLongestCommonTextFits) {
  // 32767 characters and the zero byte, in lines that fit the text form.
  std::string common;
  while (common.size() + 100 <= 32767) common += std::string(98, 'c') + "\r\n";
  common += std::string(32767 - common.size(), 'c');
  std::string wct = Bytes().i32(1).str("").i32(32768).str(common).i32(0);
  TextConversion text = toText(plainTriggerFile(7, {}), wct);
  ASSERT_FALSE(text.failed) << text.error;
  BinaryConversion back = toBinary(text.text, true);
  ASSERT_FALSE(back.failed) << back.error;
  EXPECT_EQ(back.wct, wct);
}

TEST_F(TriggersTest, ALineIsPrintedOnlyAfterItsFieldsAreRead) {
  // A nested parameter's indentation is printed before its value is read,
  // its line only after; a cut file shows how far the conversion came.
  std::string wtg = oneAction(true, "TriggerSleepAction",
                              Bytes().i32(1).str("a").i32(0).i32(1).i32(3).raw("12"));
  wtg.resize(wtg.size() - 4);  // the action's child count
  TextConversion result = toText(wtg, std::nullopt);
  EXPECT_EQ(result.error, "Unexpected EOF while reading string, input file offset: 102 (0x66)");
  std::string expectedEnd = dos("    .action 0 TriggerSleepAction enable 1\n"
                                "      .param array \"a\" .end 0\n"
                                "  ");
  ASSERT_GE(result.text.size(), expectedEnd.size());
  EXPECT_EQ(result.text.substr(result.text.size() - expectedEnd.size()), expectedEnd);
}

TEST_F(TriggersTest, ACutFileLeavesTheLinesPrintedBeforeTheFailingRead) {
  // Each list's opening line is printed at its own point: before the
  // category count, after the variable count, after the trigger count.
  std::string nested = plainTriggerFile(
      7, {trigger(true, {"T", ""},
                  {eca7(2, {}, "IfThenElseMultiple", 1, "", {eca7(2, 3, "DoNothing", 1, "")})})});
  nested.resize(nested.size() - 4);  // the nested action's child count
  struct Case {
    std::string wtg;
    std::string message;
    std::string textEnd;
  } cases[] = {
      {Bytes().raw("WTG!").i32(7), "Read failure, input file offset: 8 (0x8)",
       ".version 7\n\n.categories\n"},
      {Bytes().raw("WTG!").i32(7).i32(0).i32(2), "Read failure, input file offset: 16 (0x10)",
       ".endCategories\n\n.long 2\n\n"},
      {Bytes().raw("WTG!").i32(7).i32(0).i32(2).i32(0),
       "Read failure, input file offset: 20 (0x14)", ".long 2\n\n.variables\n.endVariables\n\n"},
      {Bytes().raw("WTG!").i32(7).i32(0).i32(2).i32(0).i32(1).str("T"),
       "Unexpected EOF while reading string, input file offset: 26 (0x1a)",
       ".endVariables\n\n.triggers\n\n"},
      {nested, "Read failure, input file offset: 108 (0x6c)",
       "    .endECA 1\n      .action 3 DoNothing enable 1\n  "},
  };
  for (const Case& c : cases) {
    TextConversion result = toText(c.wtg, std::nullopt);
    EXPECT_EQ(result.error, c.message);
    std::string end = dos(c.textEnd);
    ASSERT_GE(result.text.size(), end.size());
    EXPECT_EQ(result.text.substr(result.text.size() - end.size()), end) << c.message;
  }
}

// The lines of a version 7 trigger text around the ECA lines ecaLines.
std::string textWithECAs(const std::string& ecaLines, const std::string& triggerLine =
                             ".trigger \"T\" comment 0 enable 1 custom 0 initiallyOff 0 "
                             "mapInit 0 category 0\n") {
  return ".section Triggers\n.version 7\n.categories\n.endCategories\n.long 0\n"
         ".variables\n.endVariables\n.triggers\n" +
         triggerLine + ".description \"\" .end\n.ECAs\n" + ecaLines +
         ".endECAs\n.endTriggers\n.endSection Triggers\n";
}

TEST_F(TriggersTest, TextFailures) {
  std::string longName(4094, 'F');
  struct Case {
    std::string text;
    std::string message;
  } cases[] = {
      {".section Triggers\n.version 5\n", "Version error, expected 4 or 7, got 5, line 2: .version 5"},
      {textWithECAs(".action 0 TriggerSleepAction enable 1\n.param integer \"1\" .end 0\n"),
       "Unexpected string integer, line 13: .param integer \"1\" .end 0"},
      {textWithECAs(".action 0 NoSuch enable 1\n"),
       "Unknown function NoSuch, line 12: .action 0 NoSuch enable 1"},
      {textWithECAs(".action 0 TriggerSleepAction enable 1\n"
                    ".param function \"x\" .end 0 0 \"" + longName + "\" .end 0\n"),
       "Unknown function " + longName + ", line 13: .param function \"x\" .end 0 0 \"" +
           longName + "\" .end 0"},
      {textWithECAs("", ".trigger \"T\" enable 1 comment 0 custom 0 initiallyOff 0 mapInit 0 "
                        "category 0\n"),
       "Expected comment, got enable, line 9: .trigger \"T\" enable 1 comment 0 custom 0 "
       "initiallyOff 0 mapInit 0 category 0"},
      {textWithECAs(".action 0 DoNothing enable 1\n"), "Unexpected tag .endECAs, line 13: .endECAs"},
      // The nested lines must be as many as the .endECA line says.
      {textWithECAs(".action 0 DoNothing enable 1\n.endECA 2\n"
                    "  .action 0 DoNothing enable 1\n  .endECA 0\n"),
       "Unexpected tag .endECAs, line 16: .endECAs"},
      {textWithECAs(".action 0 DoNothing enable 1\n.endECA x\n"),
       "Failed to get long argument, line 13: .endECA x"},
  };
  for (const Case& c : cases) {
    BinaryConversion result = toBinary(c.text, false);
    EXPECT_TRUE(result.failed);
    EXPECT_EQ(result.error, c.message);
  }
}

TEST_F(TriggersTest, TheCustomFileIsWrittenAsItsLinesAreRead) {
  // The version goes out before the comment's line is read, the comment
  // before the common text's line, the count's place before .triggers.
  const std::string start =
      ".section Triggers\n.version 7\n.categories\n.endCategories\n.long 0\n"
      ".variables\n.endVariables\n";
  struct Case {
    std::string text;
    std::string wct;
  } cases[] = {
      {start, Bytes().i32(1)},
      {start + ".commonCustomComment \"a\" .end\n", Bytes().i32(1).str("a")},
      {start + ".commonCustomComment \"a\" .end\n.commonCustomText \"bc\" .end\n",
       Bytes().i32(1).str("a").i32(3).str("bc").i32(0)},
  };
  for (const Case& c : cases) {
    BinaryConversion result = toBinary(c.text, true);
    EXPECT_EQ(result.error.substr(0, 33), "Unexpected EOF while getting line");
    EXPECT_EQ(result.wct, c.wct) << c.text;
  }
}

TEST_F(TriggersTest, AnECAIsWrittenFieldByFieldAsItIsRead) {
  // The kind, name and enabled value are in the file before the name turns
  // out to be unknown; a top-level ECA has no group number.
  BinaryConversion result = toBinary(textWithECAs(".action 3 NoSuch enable 1\n"), false);
  EXPECT_EQ(result.error, "Unknown function NoSuch, line 12: .action 3 NoSuch enable 1");
  std::string end = Bytes().i32(2).str("NoSuch").i32(1);
  ASSERT_GE(result.wtg.size(), end.size());
  EXPECT_EQ(result.wtg.substr(result.wtg.size() - end.size()), end);

  // So is a function parameter, up to its third number.
  result = toBinary(textWithECAs(".action 0 TriggerSleepAction enable 1\n"
                                 ".param function \"v\" .end 4 5 \"Nope\" .end 6\n"),
                    false);
  EXPECT_EQ(result.error, "Unknown function Nope, line 13: .param function \"v\" .end 4 5 "
                          "\"Nope\" .end 6");
  end = Bytes().i32(2).str("v").i32(4).i32(5).str("Nope").i32(6);
  ASSERT_GE(result.wtg.size(), end.size());
  EXPECT_EQ(result.wtg.substr(result.wtg.size() - end.size()), end);
}

// A trigger file whose one action takes one parameter nested levels deep:
// array elements, each the index of the one before.
std::string nestedParameters(int levels) {
  std::string nested;
  std::string arrayHead = Bytes().i32(1).str("a").i32(0).i32(1);
  for (int i = 1; i < levels; ++i) nested += arrayHead;
  return oneAction(true, "TriggerSleepAction", nested + param(3, "0"));
}

// A version 7 trigger file whose one action holds one nested action, which
// holds one, and so on levels deep.
std::string nestedECAs(int levels) {
  std::string head = Bytes().i32(2).str("IfThenElseMultiple").i32(1).i32(1);
  std::string nestedHead = Bytes().i32(2).i32(0).str("IfThenElseMultiple").i32(1).i32(1);
  std::string ecas = head;
  for (int i = 2; i < levels; ++i) ecas += nestedHead;
  ecas += Bytes().i32(2).i32(0).str("DoNothing").i32(1).i32(0).bytes();
  std::string file = plainTriggerFile(7, {trigger(true, {"T", ""}, {})});
  file.replace(file.size() - 4, 4, Bytes().i32(1).raw(ecas).bytes());
  return file;
}

TEST_F(TriggersTest, NestingIsBoundedInBothDirections) {
  // The action is one level, so one parameter level less reaches the bound.
  std::string deepest = nestedParameters(kMaxNesting - 1);
  TextConversion text = toText(deepest, std::nullopt);
  ASSERT_FALSE(text.failed) << text.error;
  BinaryConversion back = toBinary(text.text, false);
  ASSERT_FALSE(back.failed) << back.error;
  EXPECT_EQ(back.wtg, deepest);

  // One more level ends with a message, in the file and in the text.
  std::string tooDeep = nestedParameters(kMaxNesting);
  text = toText(tooDeep, std::nullopt);
  const std::string message = "ECAs and parameters nested deeper than 1000 levels";
  EXPECT_EQ(text.error.substr(0, message.size() + 2), message + ", ") << text.error;

  std::string lines = ".action 0 TriggerSleepAction enable 1\n";
  for (int i = 1; i < kMaxNesting; ++i) {
    lines += ".param array \"a\" .end 0\n";
  }
  lines += ".param string \"0\" .end 0\n.endECA 0\n";
  BinaryConversion result = toBinary(textWithECAs(lines), false);
  // The action stands on line 12, its deepest parameter 1000 lines below.
  EXPECT_EQ(result.error, message + ", line 1012: .param string \"0\" .end 0");

  // Nested ECAs count the same way; a file far deeper than the bound ends
  // with the message, not with a crash.
  std::string ecas = nestedECAs(kMaxNesting);
  text = toText(ecas, std::nullopt);
  ASSERT_FALSE(text.failed) << text.error;
  back = toBinary(text.text, false);
  ASSERT_FALSE(back.failed) << back.error;
  EXPECT_EQ(back.wtg, ecas);
  text = toText(nestedECAs(30 * kMaxNesting), std::nullopt);
  EXPECT_EQ(text.error.substr(0, message.size() + 2), message + ", ") << text.error;
}

}  // namespace
}  // namespace triggers_test
