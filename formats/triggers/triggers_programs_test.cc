// triggers2txt and txt2triggers as programs: their command lines, the
// failures that end the process directly (the custom text file's and the
// extra functions list's), and the real maps.
#include <unistd.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "formats/triggers/triggers_test_support.h"

namespace triggers_test {
namespace {

// One trigger that is not custom, without ECAs, and its custom file.
const std::string kWtg = plainTriggerFile(7, {trigger(true, {"T", ""}, {})});
const std::string kWct = Bytes().i32(1).str("").i32(0).i32(1).i32(0);
const std::string kText = dos(
    "//\n// Warcraft 3 Triggers File\n//\n\n"
    ".section Triggers (war3map.wtg & war3map.wct)\n.version 7\n\n"
    ".categories\n.endCategories\n\n.long 0\n\n.variables\n.endVariables\n\n"
    "@custom@"
    ".triggers\n\n"
    "  .trigger \"T\" comment 0 enable 1 custom 0 initiallyOff 0 mapInit 0 category 0\n"
    "  .description \"\" .end\n  .ECAs\n  .endECAs\n\n.endTriggers\n\n"
    ".endSection Triggers (war3map.wtg & war3map.wct)\n\n");

std::string textOf(bool withCustom) {
  std::string text = kText;
  text.replace(text.find("@custom@"), 8,
               withCustom ? dos(".commonCustomComment \"\" .end\n\n.commonCustomText \"\" .end\n\n")
                          : "");
  return text;
}

TEST(TriggerProgramsTest, ExactlyThreeArgumentsAreThePaths) {
  struct Case {
    std::vector<std::string> args;
    const char* wtg;
    const char* wct;
    const char* text;
  } cases[] = {
      {{}, "war3map.wtg", "war3map.wct", "Triggers.txt"},
      {{"a.wtg", "a.txt"}, "war3map.wtg", "war3map.wct", "Triggers.txt"},
      {{"a.wtg", "a.wct", "a.txt"}, "a.wtg", "a.wct", "a.txt"},
      {{"a.wtg", "a.wct", "a.txt", "x"}, "war3map.wtg", "war3map.wct", "Triggers.txt"},
  };
  for (const Case& c : cases) {
    ScratchDir dir;
    dir.write(c.wtg, kWtg);
    dir.write(c.wct, kWct);
    ProgramRun run = runProgram("triggers2txt", c.args, dir.path());
    EXPECT_EQ(run.status, 0) << run.stdErr;
    EXPECT_EQ(run.stdErr, "");
    ASSERT_TRUE(dir.exists(c.text)) << c.text;
    EXPECT_EQ(dir.read(c.text), textOf(true));

    dir.write(c.text, textOf(true));
    std::remove(dir.file(c.wtg).c_str());
    std::remove(dir.file(c.wct).c_str());
    run = runProgram("txt2triggers", c.args.size() == 3
                                         ? std::vector<std::string>{c.text, c.wtg, c.wct}
                                         : c.args,
                     dir.path());
    EXPECT_EQ(run.status, 0) << run.stdErr;
    ASSERT_TRUE(dir.exists(c.wtg) && dir.exists(c.wct)) << c.wtg;
    EXPECT_EQ(dir.read(c.wtg), kWtg);
    EXPECT_EQ(dir.read(c.wct), kWct);
  }
}

TEST(TriggerProgramsTest, TheCustomTextFileIsOptional) {
  ScratchDir dir;
  dir.write("war3map.wtg", kWtg);
  ProgramRun run = runProgram("triggers2txt", {}, dir.path());
  EXPECT_EQ(run.status, 0) << run.stdErr;
  EXPECT_EQ(dir.read("Triggers.txt"), textOf(false));

  // A custom file that cannot be created: the conversion runs without it.
  run = runProgram("txt2triggers", {"Triggers.txt", "back.wtg", "no/such/folder.wct"},
                   dir.path());
  EXPECT_EQ(run.status, 0) << run.stdErr;
  EXPECT_EQ(dir.read("back.wtg"), kWtg);
}

TEST(TriggerProgramsTest, FilesThatCannotBeOpened) {
  ScratchDir dir;
  ProgramRun run = runProgram("triggers2txt", {}, dir.path());
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.stdErr, "Failed to open war3map.wtg!\n");
  EXPECT_FALSE(dir.exists("Triggers.txt"));

  dir.write("war3map.wtg", kWtg);
  run = runProgram("triggers2txt", {"war3map.wtg", "war3map.wct", "no/such/t.txt"}, dir.path());
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.stdErr, "Failed to open no/such/t.txt!\n");

  run = runProgram("txt2triggers", {}, dir.path());
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.stdErr, "Failed to open Triggers.txt!\n");
}

TEST(TriggerProgramsTest, CustomFileFailuresPrintTwoLinesAndEndTheRun) {
  std::string customTrigger = plainTriggerFile(7, {trigger(true, {"C", "", 0, 1, 1}, {})});
  std::string head = Bytes().i32(1).str("").i32(0).i32(1);  // 13 bytes
  struct Case {
    std::string wtg;
    std::string wct;
    std::string stdErr;
    std::string textEnd;  // the text file ends with it
  } cases[] = {
      {kWtg, head + Bytes().i32(5).bytes(),
       "Got custom text length 5 for non-custom trigger!\n"
       "Custom trigger input file offset: 17 (0x11)\n",
       "  .endECAs\r\n"},
      {kWtg, head + Bytes().i32(1).u8(7).bytes(),
       "Custom trigger with single non-zero byte!\nCustom trigger input file offset: 18 (0x12)\n",
       "  .endECAs\r\n"},
      {kWtg, head + Bytes().i32(1).bytes(),
       "Failure reading trigger!\nCustom trigger input file offset: 17 (0x11)\n", "  .endECAs\r\n"},
      {kWtg, Bytes().i32(1).str("").i32(0).u8(1),
       "Read failure!\nCustom trigger input file offset: 10 (0xa)\n",
       "\" .end\r\n\r\n.commonCustomText \"\" .end\r\n\r\n"},
      // The opening of the common text's line is printed before its length
      // is read.
      {kWtg, Bytes().i32(1).str("x\r\ny").i32(7).bytes().substr(0, 10),
       "Read failure!\nCustom trigger input file offset: 10 (0xa)\n",
       ".commonCustomComment \"x\r\ny\" .end\r\n\r\n.commonCustomText \""},
      {kWtg, Bytes().u8(1).u8(0), "Read failure!\nCustom trigger input file offset: 2 (0x2)\n",
       ".endVariables\r\n\r\n"},
      {kWtg, Bytes().i32(1).raw("abc"),
       "Unexpected EOF while reading string!\nCustom trigger input file offset: 7 (0x7)\n",
       ".endVariables\r\n\r\n"},
      {customTrigger, head + Bytes().i32(10).raw("abc").bytes(),
       "Failure reading trigger!\nCustom trigger input file offset: 20 (0x14)\n",
       ".description \"\" .end\r\n"},
      {customTrigger, head + Bytes().i32(32769).bytes(),
       "Custom text length 32769 out of range 0 to 32768!\n"
       "Custom trigger input file offset: 17 (0x11)\n",
       ".description \"\" .end\r\n"},
      {customTrigger, head + Bytes().i32(-3).bytes(),
       "Custom text length -3 out of range 0 to 32768!\n"
       "Custom trigger input file offset: 17 (0x11)\n",
       ".description \"\" .end\r\n"},
  };
  for (const Case& c : cases) {
    ScratchDir dir;
    dir.write("war3map.wtg", c.wtg);
    dir.write("war3map.wct", c.wct);
    ProgramRun run = runProgram("triggers2txt", {}, dir.path());
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.stdErr, c.stdErr);
    std::string text = dir.read("Triggers.txt");
    ASSERT_GE(text.size(), c.textEnd.size());
    EXPECT_EQ(text.substr(text.size() - c.textEnd.size()), c.textEnd);
  }
}

TEST(TriggerProgramsTest, ExtraFunctionsListThatCannotBeWrittenEndsTheRun) {
  for (const char* program : {"triggers2txt", "txt2triggers"}) {
    ScratchDir dir;
    dir.write("war3map.wtg", kWtg);
    dir.write("Triggers.txt", textOf(false));
    dir.write("extraFunctionsIn.txt", "native Foo takes nothing returns nothing\n");
    // A link into a folder that does not exist: neither read nor created.
    ASSERT_EQ(symlink("missing/list.txt", dir.file("extraFunctionsOut.txt").c_str()), 0);
    ProgramRun run = runProgram(program, {}, dir.path());
    EXPECT_EQ(run.status, 1) << program;
    EXPECT_EQ(run.stdErr, "Failed to open extraFunctionsOut.txt!\n");
    // The output opened before the table was made stays empty.
    EXPECT_EQ(dir.read(std::string(program) == "triggers2txt" ? "Triggers.txt" : "war3map.wct"),
              "");
  }
}

TEST(TriggerProgramsTest, AListLineWithoutACountEndsTheRun) {
  ScratchDir dir;
  dir.write("war3map.wtg", kWtg);
  dir.write("extraFunctionsOut.txt", "Foo 1\r\nBar two\r\n");
  ProgramRun run = runProgram("triggers2txt", {}, dir.path());
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.stdErr, "Bad parameter count in extraFunctionsOut.txt, line 2: Bar two!\n");
  dir.write("extraFunctionsOut.txt", "Foo\n");
  run = runProgram("triggers2txt", {}, dir.path());
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.stdErr, "Bad parameter count in extraFunctionsOut.txt, line 1: Foo!\n");
}

// The real maps: each map's two trigger files through text and back.
struct MapRun {
  ProgramRun toText;
  ProgramRun back;
  std::string wtg;  // the map's own files
  std::string wct;
  std::string backWtg;  // what came back
  std::string backWct;
};

MapRun convertMap(const std::string& map, const std::string& declarations) {
  MapRun result;
  std::string folder = corpusMap(map);
  result.wtg = readFile(folder + "/war3map.wtg");
  result.wct = readFile(folder + "/war3map.wct");
  ScratchDir dir;
  dir.write("war3map.wtg", result.wtg);
  dir.write("war3map.wct", result.wct);
  if (!declarations.empty()) dir.write("extraFunctionsIn.txt", declarations);
  result.toText = runProgram("triggers2txt", {}, dir.path());
  if (result.toText.status != 0) return result;
  result.back = runProgram("txt2triggers", {"Triggers.txt", "back.wtg", "back.wct"}, dir.path());
  if (dir.exists("back.wtg")) result.backWtg = dir.read("back.wtg");
  if (dir.exists("back.wct")) result.backWct = dir.read("back.wct");
  return result;
}

TEST(TriggerCorpusTest, TributeAllianceComesBackByteForByte) {
  if (corpusMap("tribute-alliance").empty()) GTEST_SKIP() << "no corpus";
  MapRun run = convertMap("tribute-alliance", "");
  ASSERT_EQ(run.toText.status, 0) << run.toText.stdErr;
  ASSERT_EQ(run.back.status, 0) << run.back.stdErr;
  EXPECT_EQ(run.backWtg, run.wtg);
  EXPECT_EQ(run.backWct, run.wct);
}

TEST(TriggerCorpusTest, MpqTestNeedsItsExtraFunctionsDeclared) {
  if (corpusMap("mpq-test").empty()) GTEST_SKIP() << "no corpus";
  MapRun run = convertMap("mpq-test", "");
  EXPECT_EQ(run.toText.status, 1);
  EXPECT_EQ(run.toText.stdErr,
            "Unknown function SetPlayerUnitMaxAllowed, input file offset: 8162 (0x1fe2)\n");

  run = convertMap("mpq-test",
                   "native SetPlayerUnitMaxAllowed takes player p, integer unitId, integer max "
                   "returns nothing\n"
                   "function SetTextTagPermanentBJ takes texttag tt, boolean flag returns nothing\n"
                   "function SetTextTagFadepointBJ takes texttag tt, real fade returns nothing\n"
                   "function SetTextTagLifespanBJ takes texttag tt, real life returns nothing\n"
                   "function SetTextTagAgeBJ takes texttag tt, real age returns nothing\n"
                   "function SetTextTagSuspendedBJ takes texttag tt, boolean flag returns nothing\n"
                   "function UnitDropItemTargetBJ takes unit u, item i, widget w returns boolean\n"
                   "function SetUnitAbilityLevelSwapped takes integer a, unit u, integer l returns "
                   "nothing\n");
  ASSERT_EQ(run.toText.status, 0) << run.toText.stdErr;
  ASSERT_EQ(run.back.status, 0) << run.back.stdErr;
  EXPECT_EQ(run.backWtg, run.wtg);
  // The map stores its empty common text with length 1 and a zero byte;
  // the text cannot tell that from length 0, which is what comes back.
  size_t common = run.wct.find('\0', 4) + 1;
  ASSERT_EQ(run.wct.substr(common, 5), Bytes().i32(1).u8(0).bytes());
  EXPECT_EQ(run.backWct,
            run.wct.substr(0, common) + Bytes().i32(0).bytes() + run.wct.substr(common + 5));
}

TEST(TriggerCorpusTest, TheNewerEditorsFilesAreRefused) {
  if (corpusMap("test-original-host").empty()) GTEST_SKIP() << "no corpus";
  MapRun run = convertMap("test-original-host", "");
  EXPECT_EQ(run.toText.status, 1);
  EXPECT_EQ(run.toText.stdErr,
            "Version error, expected 4 or 7, got -2147483644, input file offset: 8 (0x8)\n");
}

}  // namespace
}  // namespace triggers_test
