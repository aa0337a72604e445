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
    ProgramRun run = runProgram("imports2txt", c.args, dir.path());
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
  ProgramRun run = runProgram("txt2imports", {}, dir.path());
  EXPECT_EQ(run.status, 0) << run.stdErr;
  EXPECT_EQ(dir.read("war3map.imp"), kImp);
}

TEST(ProgramEntryTest, AMissingInputCreatesNoOutput) {
  ScratchDir dir;
  ProgramRun run = runProgram("imports2txt", {"none.imp", "out.txt"}, dir.path());
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
  ProgramRun run = runProgram("imports2txt", {"war3map.imp", "no/such/folder.txt"}, dir.path());
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.stdErr, "Failed to open no/such/folder.txt!\n");
}

TEST(ProgramEntryTest, AFailureKeepsWhatWasWrittenAndExitsWithOne) {
  ScratchDir dir;
  // Two entries announced, one present.
  dir.write("war3map.imp", Bytes().i32(1).i32(2).u8(3).str("a.mdx"));
  ProgramRun run = runProgram("imports2txt", {}, dir.path());
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

TEST(ProgramEntryTest, EachImportsFailureEndsWithOneAndKeepsTheOutput) {
  const std::string header = "//\n// Warcraft 3 Imports File\n//\n\n";
  const std::string top = header + ".section Imports (war3map.imp)\n.version 1\n\n";
  struct Case {
    const char* program;
    std::string input;
    std::string message;
    std::string output;  // the whole output file afterwards
  } cases[] = {
      {"imports2txt", "", "Read failure, input file offset: 0 (0x0)", dos(header)},
      {"imports2txt", Bytes().i32(1).raw("ab"), "Read failure, input file offset: 6 (0x6)",
       dos(header)},
      {"imports2txt", Bytes().i32(1).i32(1), "getByte read failure, input file offset: 8 (0x8)",
       dos(top)},
      {"imports2txt", Bytes().i32(1).i32(1).u8(2).raw("a.md"),
       "Unexpected EOF while reading string, input file offset: 13 (0xd)", dos(top)},
      {"imports2txt", Bytes().i32(1).i32(2).u8(2).str("a").u8(3).str(std::string(255, 'n')),
       "getString buffer overflow, maxchars is 256, input file offset: 268 (0x10c)",
       dos(top + ".import 2 \"a\"\n")},
      {"txt2imports", ".version 1\n", "Unexpected tag .version, line 1: .version 1", ""},
      {"txt2imports", ".section Imports\n\n.import 1 \"a\"\n",
       "Unexpected tag .import, line 3: .import 1 \"a\"", ""},
      {"txt2imports", ".section Units\n", "Expected Imports, got Units, line 1: .section Units",
       ""},
      {"txt2imports", ".section Imports\n.version\n",
       "Failed to find expected argument, line 2: .version", ""},
      {"txt2imports", ".section Imports\n.version v1\n",
       "Failed to get long argument, line 2: .version v1", ""},
      {"txt2imports", ".section Imports\n.version 2\n.import 1 \"a\"\n.imports\n",
       "Unexpected tag .imports, line 4: .imports", Bytes().i32(2).i32(0).u8(1).str("a")},
      {"txt2imports", ".section Imports\n.version 2\n.import 1 \"a\"\n// end\n",
       "Unexpected EOF while getting line, line 5: // end", Bytes().i32(2).i32(0).u8(1).str("a")},
      {"txt2imports", ".section Imports\n.version 2\n.import \"a\"\n",
       "Failed to get long argument, line 3: .import \"a\"", Bytes().i32(2).i32(0)},
      {"txt2imports", ".section Imports\n.version 2\n.import 1 'a'\n",
       "Expected initial quote, got char ' in getString, line 3: .import 1 'a'",
       Bytes().i32(2).i32(0)},
      {"txt2imports", ".section Imports\n.version 2\n.import 1 \"" + std::string(255, 'n') +
           "\"\n",
       "getQuotedString buffer overflow, maxchars is 256, line 3: .import 1 \"" +
           std::string(255, 'n') + "\"",
       Bytes().i32(2).i32(0)},
      {"txt2imports", ".section Imports\n.version 2\n.endSection Import\n",
       "Expected Imports, got Import, line 3: .endSection Import", Bytes().i32(2).i32(0)},
  };
  for (const Case& c : cases) {
    ScratchDir dir;
    bool toText = std::string(c.program) == "imports2txt";
    dir.write(toText ? "war3map.imp" : "Imports.txt", c.input);
    ProgramRun run = runProgram(c.program, {}, dir.path());
    EXPECT_EQ(run.status, 1) << c.message;
    EXPECT_EQ(run.stdErr, c.message + "\n");
    EXPECT_EQ(dir.read(toText ? "Imports.txt" : "war3map.imp"), c.output) << c.message;
  }
}

TEST(ProgramEntryTest, AFailureAfterBlocksWereWrittenKeepsAllOfThem) {
  // Far more output than one write buffer holds, then a failure: what went
  // out earlier and what was still buffered must both be on disk, and the
  // count keeps its placeholder.
  ScratchDir dir;
  Bytes imp;
  imp.i32(1).i32(20001);
  std::string text = ".section Imports\n.version 1\n";
  Bytes written;
  written.i32(1).i32(0);
  std::string expectedText =
      "//\n// Warcraft 3 Imports File\n//\n\n.section Imports (war3map.imp)\n.version 1\n\n";
  for (int i = 0; i < 20000; ++i) {
    std::string name = "war3mapImported\\file" + std::to_string(i) + ".mdx";
    imp.u8(i % 256).str(name);
    written.u8(i % 256).str(name);
    text += ".import " + std::to_string(i % 256) + " \"" + name + "\"\n";
    expectedText += ".import " + std::to_string(i % 256) + " \"" + name + "\"\n";
  }
  dir.write("war3map.imp", imp);
  ProgramRun run = runProgram("imports2txt", {}, dir.path());
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.stdErr, "getByte read failure, input file offset: " +
                            std::to_string(imp.bytes().size()) + " (0x" +
                            [&] {
                              char hex[16];
                              std::snprintf(hex, sizeof hex, "%zx", imp.bytes().size());
                              return std::string(hex);
                            }() +
                            ")\n");
  EXPECT_EQ(dir.read("Imports.txt"), dos(expectedText));

  dir.write("Imports.txt", text + ".import x\n");
  run = runProgram("txt2imports", {}, dir.path());
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.stdErr, "Failed to get long argument, line 20003: .import x\n");
  EXPECT_EQ(dir.read("war3map.imp"), written.bytes());

  // Completed, the count reaches its placeholder long after it left the buffer.
  dir.write("Imports.txt", text + ".endSection Imports\n");
  run = runProgram("txt2imports", {}, dir.path());
  EXPECT_EQ(run.status, 0) << run.stdErr;
  std::string full = written.bytes();
  full.replace(4, 4, Bytes().i32(20000).bytes());
  EXPECT_EQ(dir.read("war3map.imp"), full);
}

TEST(ProgramEntryTest, ALongFailingLineIsReportedWhole) {
  ScratchDir dir;
  std::string line = ".import 1 " + std::string(16000, 'x');
  dir.write("Imports.txt", ".section Imports\n.version 1\n" + line + "\n");
  ProgramRun run = runProgram("txt2imports", {}, dir.path());
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.stdErr, "Expected initial quote, got char x in getString, line 3: " + line + "\n");
}

TEST(ProgramEntryTest, AFullDiskIsAFailure) {
  if (!fileExists("/dev/full")) GTEST_SKIP() << "no /dev/full";
  ScratchDir dir;
  dir.write("war3map.imp", kImp);
  ProgramRun run = runProgram("imports2txt", {"war3map.imp", "/dev/full"}, dir.path());
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.stdErr, "Failed to write /dev/full!\n");
}

}  // namespace
