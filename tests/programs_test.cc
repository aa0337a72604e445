// The program entry as a user meets it: command lines, files that cannot be
// opened, exit statuses and what a failed run leaves on disk. imports2txt
// and txt2imports stand for every two-path converter.
#include <string>

#include <gtest/gtest.h>

#include "tests/support.h"

namespace {

const std::string kImp = Bytes().i32(1).i32(1).u8(0).str("a.mdx");
const std::string kText = dos(
    "//\n// Warcraft 3 Imports File\n//\n\n"
    ".section Imports (war3map.imp)\n.version 1\n\n"
    ".import 0 \"a.mdx\"\n"
    "\n.endSection Imports (war3map.imp)\n\n");

TEST(ProgramEntryTest, TwoArgumentsAreThePathsAnyOtherNumberTheDefaults) {
  struct Case {
    std::vector<std::string> args;
    const char* input;   // the file it must read
    const char* output;  // the file it must write
  } cases[] = {
      {{}, "war3map.imp", "Imports.txt"},
      {{"in.imp"}, "war3map.imp", "Imports.txt"},
      {{"in.imp", "out.txt"}, "in.imp", "out.txt"},
      {{"in.imp", "out.txt", "x"}, "war3map.imp", "Imports.txt"},
  };
  for (const Case& c : cases) {
    ScratchDir dir;
    dir.write(c.input, kImp);
    ::Run run = runProgram("imports2txt", c.args, dir.path());
    EXPECT_EQ(run.status, 0) << run.stdErr;
    EXPECT_EQ(run.stdErr, "");
    EXPECT_EQ(run.stdOut, "");
    ASSERT_TRUE(dir.exists(c.output)) << c.output;
    EXPECT_EQ(dir.read(c.output), kText);
  }
}

TEST(ProgramEntryTest, TextBackToBinary) {
  ScratchDir dir;
  dir.write("Imports.txt", kText);
  ::Run run = runProgram("txt2imports", {}, dir.path());
  EXPECT_EQ(run.status, 0) << run.stdErr;
  EXPECT_EQ(dir.read("war3map.imp"), kImp);
}

TEST(ProgramEntryTest, AMissingInputCreatesNoOutput) {
  ScratchDir dir;
  ::Run run = runProgram("imports2txt", {"none.imp", "out.txt"}, dir.path());
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.stdErr, "Failed to open none.imp!\n");
  EXPECT_FALSE(dir.exists("out.txt"));

  dir.write("war3map.imp", "keep");
  run = runProgram("txt2imports", {}, dir.path());
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.stdErr, "Failed to open Imports.txt!\n");
  EXPECT_EQ(dir.read("war3map.imp"), "keep");  // not truncated
}

TEST(ProgramEntryTest, AnOutputThatCannotBeCreated) {
  ScratchDir dir;
  dir.write("war3map.imp", kImp);
  ::Run run = runProgram("imports2txt", {"war3map.imp", "no/such/folder.txt"}, dir.path());
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.stdErr, "Failed to open no/such/folder.txt!\n");
}

TEST(ProgramEntryTest, AFailureKeepsWhatWasWrittenAndExitsWithOne) {
  ScratchDir dir;
  // Two entries announced, one present.
  dir.write("war3map.imp", Bytes().i32(1).i32(2).u8(3).str("a.mdx"));
  ::Run run = runProgram("imports2txt", {}, dir.path());
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.stdErr, "getByte read failure, input file offset: 15 (0xf)\n");
  EXPECT_EQ(dir.read("Imports.txt"),
            dos("//\n// Warcraft 3 Imports File\n//\n\n"
                ".section Imports (war3map.imp)\n.version 1\n\n"
                ".import 3 \"a.mdx\"\n"));

  dir.write("Imports.txt", ".section Imports\n.version 9\n.import 7 \"b\"\n.import 8\n");
  run = runProgram("txt2imports", {}, dir.path());
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.stdErr,
            "Expected initial quote, got end of line in getString, line 4: .import 8\n");
  // The count still holds its placeholder.
  EXPECT_EQ(dir.read("war3map.imp"), Bytes().i32(9).i32(0).u8(7).str("b").bytes());
}

TEST(ProgramEntryTest, ALongFailingLineIsReportedWhole) {
  ScratchDir dir;
  std::string line = ".import 1 " + std::string(16000, 'x');
  dir.write("Imports.txt", ".section Imports\n.version 1\n" + line + "\n");
  ::Run run = runProgram("txt2imports", {}, dir.path());
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.stdErr, "Expected initial quote, got char x in getString, line 3: " + line + "\n");
}

TEST(ProgramEntryTest, AFullDiskIsAFailure) {
  if (!fileExists("/dev/full")) GTEST_SKIP() << "no /dev/full";
  ScratchDir dir;
  dir.write("war3map.imp", kImp);
  ::Run run = runProgram("imports2txt", {"war3map.imp", "/dev/full"}, dir.path());
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.stdErr, "Failed to write /dev/full!\n");
}

}  // namespace
