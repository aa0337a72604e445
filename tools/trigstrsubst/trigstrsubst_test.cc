#include "tools/trigstrsubst/trigstrsubst.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support.h"

namespace {

// What the load pass made of a string file.
struct Loaded {
  StringTable table;
  bool ok = false;
  std::string error;
};

void loadInto(Loaded& loaded, const std::string& strings) {
  FILE* file = streamWith(strings);
  FILE* err = streamWith("");
  loaded.ok = loaded.table.load(file, err);
  loaded.error = streamContents(err);
  std::fclose(file);
  std::fclose(err);
}

// The string of a slot, or "<empty>".
std::string slot(const StringTable& table, int number) {
  const std::string* text = table.find(number);
  return text ? *text : "<empty>";
}

// Both passes in this process: the output as it lies on disk, and every
// message of both passes.
struct Substitution {
  std::string output;
  std::string error;
  bool ok = false;
};

Substitution substitute(const std::string& strings, const std::string& text) {
  Loaded loaded;
  loadInto(loaded, strings);
  Substitution result;
  result.error = loaded.error;
  if (!loaded.ok) return result;
  FILE* in = streamWith(text);
  FILE* out = streamWith("");
  FILE* err = streamWith("");
  {
    TextWriter writer(out);
    result.ok = substituteStrings(loaded.table, in, writer, err);
  }
  result.output = streamContents(out);
  result.error += streamContents(err);
  std::fclose(in);
  std::fclose(out);
  std::fclose(err);
  return result;
}

// A small string file in the shape the editor writes, with comments after
// some headers.
const std::string kStrings =
    "STRING 1\n"
    "// Units: h000 (Footman), Name (Name)\n"
    "{\n"
    "Footman\n"
    "}\n"
    "\n"
    "STRING 2\n"
    "// Units: h001 (Knight), Name (Name)\n"
    "// a second comment line\n"
    "{\n"
    "Knight\n"
    "}\n"
    "\n"
    "STRING 3\n"
    "{\n"
    "First line\n"
    "Second line\n"
    "}\n"
    "STRING 15999\n"
    "{\n"
    "Last slot\n"
    "}\n";

// ---------------------------------------------------------------------------
// The load pass

TEST(TrigStrSubstLoad, DefinitionsCommentsAndBodies) {
  struct Case {
    const char* name;
    std::string strings;
    int number;
    std::string expected;
  };
  const std::vector<Case> cases = {
      {"comments after the header", kStrings, 2, "Knight"},
      {"body lines joined by CR LF", kStrings, 3, "First line\r\nSecond line"},
      {"highest slot", kStrings, 15999, "Last slot"},
      {"defined twice keeps the later",
       "STRING 5\n{\nold\n}\nSTRING 5\n{\nnew\n}\n", 5, "new"},
      {"a later empty body keeps the earlier",
       "STRING 5\n{\nold\n}\nSTRING 5\n{\n}\nSTRING 5\n{\n\n}\n", 5, "old"},
      {"an empty body stores nothing", "STRING 5\n{\n}\n", 5, "<empty>"},
      {"one empty line is an empty body", "STRING 5\n{\n\n}\n", 5, "<empty>"},
      {"two empty lines are a line break", "STRING 5\n{\n\n\n}\n", 5, "\r\n"},
      {"comment lines inside the body belong to it",
       "STRING 5\n{\n// not a comment\n}\n", 5, "// not a comment"},
      {"braces with blanks inside the body are body lines",
       "STRING 5\n{\n{ \n }\nSTRING 6\n}\n", 5, "{ \r\n }\r\nSTRING 6"},
      {"a file ending inside a body keeps its lines",
       "STRING 5\n{\nline one\nline two", 5, "line one\r\nline two"},
      {"DOS line ends", "STRING 5\r\n// c\r\n{\r\nA\r\nB\r\n}\r\n", 5, "A\r\nB"},
      {"a lone CR ends the line's text", "STRING 5\n{\nkept\rdropped\n}\n", 5, "kept"},
      {"number with blanks and a sign", "STRING   +7 trailing\n{\nseven\n}\n", 7, "seven"},
      {"header without digits is number 0", "STRING x\n{\nzero\n}\n", 0, "zero"},
      {"lower-case header is ignored", "string 5\n{\nno\n}\n", 5, "<empty>"},
      {"header not at the line start is ignored", " STRING 5\n{\nno\n}\n", 5, "<empty>"},
      {"header without its blank is ignored", "STRING5\n{\nno\n}\n", 5, "<empty>"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Loaded loaded;
    loadInto(loaded, c.strings);
    EXPECT_TRUE(loaded.ok);
    EXPECT_EQ(loaded.error, "");
    EXPECT_EQ(slot(loaded.table, c.number), c.expected);
  }
}

TEST(TrigStrSubstLoad, ByteOrderMarkIsSkippedAtTheStartOnly) {
  struct Case {
    const char* name;
    std::string strings;
    int number;
    std::string expected;
  };
  const std::string bom = "\xEF\xBB\xBF";
  const std::vector<Case> cases = {
      {"mark before the first header", bom + "STRING 1\n{\nfirst\n}\n", 1, "first"},
      {"mark before DOS text", bom + "STRING 1\r\n{\r\nfirst\r\n}\r\n", 1, "first"},
      {"mark on a line of its own", bom + "\nSTRING 1\n{\nfirst\n}\n", 1, "first"},
      {"two marks: only the first is skipped", bom + bom + "STRING 1\n{\nx\n}\n", 1,
       "<empty>"},
      {"a mark after the start is not skipped", "\n" + bom + "STRING 1\n{\nx\n}\n", 1,
       "<empty>"},
      {"part of a mark is not skipped", "\xEF\xBBSTRING 1\n{\nx\n}\n", 1, "<empty>"},
      {"other bytes before the header", "abcSTRING 1\n{\nx\n}\n", 1, "<empty>"},
      {"no mark, short first lines", "a\n\nSTRING 1\n{\nplain\n}\n", 1, "plain"},
      {"no mark, first line with CR LF", "ab\r\nSTRING 1\n{\nplain\n}\n", 1, "plain"},
      {"no mark, header first", "STRING 1\n{\nplain\n}\n", 1, "plain"},
      {"a mark of a body line is kept", "STRING 1\n{\n" + bom + "x\n}\n", 1, bom + "x"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Loaded loaded;
    loadInto(loaded, c.strings);
    EXPECT_TRUE(loaded.ok);
    EXPECT_EQ(loaded.error, "");
    EXPECT_EQ(slot(loaded.table, c.number), c.expected);
  }

  // The mark is no line of its own: the line numbers stay those of the file.
  Loaded loaded;
  loadInto(loaded, bom + "STRING 1\nwrong\n");
  EXPECT_FALSE(loaded.ok);
  EXPECT_EQ(loaded.error, "Expected \"{\", got wrong at line 2\n");

  Loaded onlyMark;
  loadInto(onlyMark, bom);
  EXPECT_TRUE(onlyMark.ok);
  EXPECT_EQ(onlyMark.error, "");
}

TEST(TrigStrSubstLoad, MissingOpeningBraceStops) {
  struct Case {
    std::string strings;
    std::string error;
  };
  const std::vector<Case> cases = {
      {"STRING 1\nFootman\n}\n", "Expected \"{\", got Footman at line 2\n"},
      {"x\nSTRING 1\n// c\n{ \n", "Expected \"{\", got {  at line 4\n"},
      {"STRING 1\n {\n", "Expected \"{\", got  { at line 2\n"},
      {"STRING 1\n// c\n\n{\n", "Expected \"{\", got  at line 3\n"},
      // The file ends after the header or its comments: the last line read.
      {"STRING 1\n", "Expected \"{\", got STRING 1 at line 1\n"},
      {"STRING 1\r\n// one\r\n// two", "Expected \"{\", got // two at line 3\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.strings);
    Loaded loaded;
    loadInto(loaded, c.strings);
    EXPECT_FALSE(loaded.ok);
    EXPECT_EQ(loaded.error, c.error);
  }
}

TEST(TrigStrSubstLoad, NumbersOutsideTheTableAreReportedAndIgnored) {
  Loaded loaded;
  loadInto(loaded,
           "STRING 16000\n{\ntoo high\n}\n"
           "STRING -1\n{\nnegative\n}\n"
           "STRING 99999999999999999999999\n{\nhuge\n}\n"
           "STRING 16001\n{\n}\n"  // nothing to store: no message
           "STRING 1\n{\none\n}\n");
  EXPECT_TRUE(loaded.ok);
  EXPECT_EQ(loaded.error,
            "Ignoring string number outside 0 to 15999 in STRING 16000 at line 1\n"
            "Ignoring string number outside 0 to 15999 in STRING -1 at line 5\n"
            "Ignoring string number outside 0 to 15999 in "
            "STRING 99999999999999999999999 at line 9\n");
  // Nothing wrapped round or clamped into the table.
  for (int number : {0, 15999}) EXPECT_EQ(loaded.table.find(number), nullptr);
  EXPECT_EQ(slot(loaded.table, 1), "one");
}

TEST(TrigStrSubstLoad, BodyLongerThanTheWorkBufferIsReportedAndIgnored) {
  // Eight lines of 997 characters and their seven line breaks: 7990.
  std::string lines;
  for (int i = 0; i < 8; ++i) lines += std::string(997, 'a' + i) + "\n";
  const std::string fits = lines + "1234567\n";   // 7999 characters
  const std::string over = lines + "12345678\n";  // 8000 characters

  Loaded loaded;
  loadInto(loaded, "STRING 1\n{\n" + fits + "}\n" +
                       "STRING 2\n// c\n{\n" + over + "}\n" +
                       "STRING 3\n{\nafter\n}\n");
  EXPECT_TRUE(loaded.ok);
  EXPECT_EQ(loaded.error,
            "Ignoring string longer than 7999 characters in STRING 2 at line 13\n");
  ASSERT_NE(loaded.table.find(1), nullptr);
  EXPECT_EQ(loaded.table.find(1)->size(), 7999u);
  EXPECT_EQ(loaded.table.find(1)->substr(7990), "\r\n1234567");
  EXPECT_EQ(loaded.table.find(2), nullptr);
  EXPECT_EQ(slot(loaded.table, 3), "after");
}

// ---------------------------------------------------------------------------
// The substitution pass

TEST(TrigStrSubstSubstitute, ReplacesTheFirstReferenceOfEachLine) {
  struct Case {
    const char* name;
    std::string text;
    std::string output;  // as written, before the CR of each line end
  };
  const std::vector<Case> cases = {
      {"no reference", "plain\n.unit h000 hfoo\n", "plain\n.unit h000 hfoo\n"},
      {"last line without line feed", "a\nb", "a\nb\n"},
      {"empty input", "", ""},
      {"empty lines", "\n\n", "\n\n"},
      {".mod line", ".mod unam 0 0 string TRIGSTR_001\n", ".mod unam 0 0 string Footman\n"},
      {"quoted reference", "say \"TRIGSTR_2\" now\n", "say \"Knight\" now\n"},
      {"blank ends the number", "TRIGSTR_1 x\n", "Footman x\n"},
      {"characters after the digits go too", "x TRIGSTR_1abc;y \"z\"\n", "x Footman \"z\"\n"},
      {"only the first reference", "TRIGSTR_1 TRIGSTR_2\n", "Footman TRIGSTR_2\n"},
      {"case-sensitive", "trigstr_1 TRIGSTR_2\n", "trigstr_1 Knight\n"},
      {"sign and white space", "TRIGSTR_+2 TRIGSTR_\t1\n", "Knight TRIGSTR_\t1\n"},
      {"highest slot", "TRIGSTR_15999\n", "Last slot\n"},
      {"number text of 15 characters", "TRIGSTR_00000000000002.\n", "Knight\n"},
      {"DOS input", "a TRIGSTR_1\r\nb\r\n", "a Footman\nb\n"},
      {"lone CR ends the line", "TRIGSTR_1\rTRIGSTR_2\n", "Footman\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Substitution result = substitute(kStrings, c.text);
    EXPECT_TRUE(result.ok);
    EXPECT_EQ(result.error, "");
    EXPECT_EQ(result.output, dos(c.output));
  }
}

TEST(TrigStrSubstSubstitute, MultiLineStringKeepsItsLineBreaks) {
  Substitution result = substitute(kStrings, "<\"TRIGSTR_3\"> tail\nnext\n");
  EXPECT_TRUE(result.ok);
  // The CR LF pair of the string goes to the DOS text file like any text:
  // its line feed is written as CR LF.
  EXPECT_EQ(result.output, "<\"First line\r\r\nSecond line\"> tail\r\nnext\r\n");
}

TEST(TrigStrSubstSubstitute, EmptySlotsWarnAndLeaveTheRestOfTheLine) {
  Substitution result = substitute(
      kStrings,
      "before TRIGSTR_9 after\n"
      "\"TRIGSTR_16000\"\n"
      "TRIGSTR_-1 x\n"
      "TRIGSTR_999999999999999\n"
      "TRIGSTR_1\n");
  EXPECT_TRUE(result.ok);
  EXPECT_EQ(result.output, dos("before  after\n\"\"\n x\n\nFootman\n"));
  EXPECT_EQ(result.error,
            "Substituting empty string in before TRIGSTR_9 after at line 1\n"
            "Substituting empty string for number outside 0 to 15999 in "
            "\"TRIGSTR_16000\" at line 2\n"
            "Substituting empty string for number outside 0 to 15999 in "
            "TRIGSTR_-1 x at line 3\n"
            "Substituting empty string for number outside 0 to 15999 in "
            "TRIGSTR_999999999999999 at line 4\n");
}

TEST(TrigStrSubstSubstitute, BadNumberTextStopsAndKeepsEarlierLines) {
  struct Case {
    std::string line;
    std::string error;
  };
  const std::vector<Case> cases = {
      {"TRIGSTR_", "Failed to parse string number in TRIGSTR_ at line 2\n"},
      {"x TRIGSTR_ 1", "Failed to parse string number in x TRIGSTR_ 1 at line 2\n"},
      {"\"TRIGSTR_\"", "Failed to parse string number in \"TRIGSTR_\" at line 2\n"},
      {"TRIGSTR_x1", "Failed to parse string number in TRIGSTR_x1 at line 2\n"},
      {"TRIGSTR_-", "Failed to parse string number in TRIGSTR_- at line 2\n"},
      {"TRIGSTR_0000000000000001",
       "String number longer than 15 characters in TRIGSTR_0000000000000001 at line 2\n"},
      {"TRIGSTR_1,2,3,4,5,6,7,8,9 x",
       "String number longer than 15 characters in TRIGSTR_1,2,3,4,5,6,7,8,9 x at line 2\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    Substitution result = substitute(kStrings, "TRIGSTR_1\n" + c.line + "\nTRIGSTR_2\n");
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.error, c.error);
    EXPECT_EQ(result.output, dos("Footman\n"));
  }
}

TEST(TrigStrSubstSubstitute, LongLinesAreReadInPiecesOf998) {
  const std::string line998(998, 'x');
  struct Case {
    const char* name;
    std::string text;
    std::string output;
  };
  const std::vector<Case> cases = {
      {"exactly 998: an empty line follows", line998 + "\nnext\n", line998 + "\n\nnext\n"},
      {"997: read whole", std::string(997, 'x') + "\n", std::string(997, 'x') + "\n"},
      {"999: a piece and a remainder", line998 + "y\n", line998 + "\ny\n"},
      {"1996: two pieces and an empty line", line998 + line998 + "\n",
       line998 + "\n" + line998 + "\n\n"},
      {"998 with CR LF", line998 + "\r\n", line998 + "\n\n"},
      {"a reference in the second piece", line998 + "TRIGSTR_2\n", line998 + "\nKnight\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Substitution result = substitute(kStrings, c.text);
    EXPECT_TRUE(result.ok);
    EXPECT_EQ(result.error, "");
    EXPECT_EQ(result.output, dos(c.output));
  }

  // Line numbers count the pieces.
  Substitution counted = substitute(kStrings, line998 + "\nTRIGSTR_9\n");
  EXPECT_EQ(counted.error, "Substituting empty string in TRIGSTR_9 at line 3\n");
}

TEST(TrigStrSubstSubstitute, OutputLineLongerThanTheWorkBufferStops) {
  // A string of 7999 characters: eight lines of 997 and one of 7.
  std::string body;
  for (int i = 0; i < 8; ++i) body += std::string(997, 'a' + i) + "\n";
  const std::string strings = "STRING 4\n{\n" + body + "1234567\n}\n";

  Substitution fits = substitute(strings, "TRIGSTR_4\n");
  EXPECT_TRUE(fits.ok);
  EXPECT_EQ(fits.error, "");
  EXPECT_EQ(fits.output.size(), 7999u + 8 /* CRs before the inner LFs */ + 2);

  Substitution over = substitute(strings, "first\n\"TRIGSTR_4\"\nlast\n");
  EXPECT_FALSE(over.ok);
  EXPECT_EQ(over.error,
            "Output line longer than 7999 characters in \"TRIGSTR_4\" at line 2\n");
  EXPECT_EQ(over.output, dos("first\n"));
}

TEST(TrigStrSubstPaths, PickedByTheNumberOfArguments) {
  struct Case {
    std::vector<const char*> argv;
    std::string text, output, strings;
  };
  const std::vector<Case> cases = {
      {{"trigstrsubst"}, "CustomUnits.txt", "StringsOut.txt", "war3map.wts"},
      {{"trigstrsubst", "a"}, "a", "StringsOut.txt", "war3map.wts"},
      {{"trigstrsubst", "a", "b"}, "a", "b", "war3map.wts"},
      {{"trigstrsubst", "a", "b", "c"}, "a", "b", "c"},
      {{"trigstrsubst", "a", "b", "c", "d"}, "CustomUnits.txt", "StringsOut.txt",
       "war3map.wts"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.argv.size());
    SubstitutionPaths paths =
        pickSubstitutionPaths(static_cast<int>(c.argv.size()), c.argv.data());
    EXPECT_EQ(paths.text, c.text);
    EXPECT_EQ(paths.output, c.output);
    EXPECT_EQ(paths.strings, c.strings);
  }
}

// ---------------------------------------------------------------------------
// The program

const std::string kUnits =
    ".unit h000 hfoo\n"
    ".mod unam 0 0 string TRIGSTR_1\n"
    ".mod utip 0 0 string TRIGSTR_3\n";
const std::string kUnitsOut = dos(
    ".unit h000 hfoo\n"
    ".mod unam 0 0 string Footman\n"
    ".mod utip 0 0 string First line\r\nSecond line\n");

TEST(TrigStrSubstProgram, CommandLineForms) {
  struct Case {
    std::vector<std::string> args;
    std::string output;  // the file that must hold the result
  };
  const std::vector<Case> cases = {
      {{}, "StringsOut.txt"},
      {{"in.txt"}, "StringsOut.txt"},
      {{"in.txt", "out.txt"}, "out.txt"},
      {{"in.txt", "out.txt", "strings.wts"}, "out.txt"},
      {{"a", "b", "c", "d"}, "StringsOut.txt"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args.size());
    ScratchDir dir;
    // Each file under its default name and under the name the arguments
    // give; only the picked one holds the right content.
    dir.write("CustomUnits.txt", c.args.empty() || c.args.size() > 3 ? kUnits : "wrong\n");
    dir.write("in.txt", kUnits);
    dir.write("war3map.wts", c.args.size() == 3 ? "STRING 1\n{\nwrong\n}\n" : kStrings);
    dir.write("strings.wts", kStrings);
    ProgramRun run = runProgram("trigstrsubst", c.args, dir.path());
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.stdErr, "");
    EXPECT_EQ(run.stdOut, "");
    EXPECT_EQ(dir.read(c.output), kUnitsOut);
  }
}

TEST(TrigStrSubstProgram, ExitStatusesAndMessages) {
  {
    SCOPED_TRACE("a warning still ends with status 0");
    ScratchDir dir;
    dir.write("war3map.wts", kStrings);
    dir.write("CustomUnits.txt", "a TRIGSTR_7 b\n");
    ProgramRun run = runProgram("trigstrsubst", {}, dir.path());
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.stdErr, "Substituting empty string in a TRIGSTR_7 b at line 1\n");
    EXPECT_EQ(dir.read("StringsOut.txt"), dos("a  b\n"));
  }
  {
    SCOPED_TRACE("the string file is opened first");
    ScratchDir dir;
    ProgramRun run = runProgram("trigstrsubst", {"in.txt", "out.txt", "missing.wts"}, dir.path());
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.stdErr, "Failed to open missing.wts!\n");
    EXPECT_FALSE(dir.exists("out.txt"));
  }
  {
    SCOPED_TRACE("a bad string file stops before the output is opened");
    ScratchDir dir;
    dir.write("war3map.wts", "STRING 1\nFootman\n");
    dir.write("CustomUnits.txt", kUnits);
    ProgramRun run = runProgram("trigstrsubst", {}, dir.path());
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.stdErr, "Expected \"{\", got Footman at line 2\n");
    EXPECT_FALSE(dir.exists("StringsOut.txt"));
  }
  {
    SCOPED_TRACE("missing text input: no output is created");
    ScratchDir dir;
    dir.write("war3map.wts", kStrings);
    ProgramRun run = runProgram("trigstrsubst", {"in.txt"}, dir.path());
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.stdErr, "Failed to open in.txt!\n");
    EXPECT_FALSE(dir.exists("StringsOut.txt"));
  }
  {
    SCOPED_TRACE("output that cannot be opened");
    ScratchDir dir;
    dir.write("war3map.wts", kStrings);
    dir.write("in.txt", kUnits);
    ProgramRun run = runProgram("trigstrsubst", {"in.txt", "no/such/out.txt"}, dir.path());
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.stdErr, "Failed to open no/such/out.txt!\n");
  }
  if (fileExists("/dev/full")) {
    SCOPED_TRACE("an output that takes no bytes is a failure, not a success");
    ScratchDir dir;
    dir.write("war3map.wts", kStrings);
    dir.write("in.txt", kUnits);
    ProgramRun run = runProgram("trigstrsubst", {"in.txt", "/dev/full"}, dir.path());
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.stdErr, "Failed to write /dev/full!\n");
  }
  {
    // A folder opens for reading but yields no bytes: no success with an
    // empty table or an empty output.
    SCOPED_TRACE("a file that cannot be read");
    ScratchDir dir;
    dir.write("war3map.wts", kStrings);
    dir.write("in.txt", kUnits);
    ProgramRun strings = runProgram("trigstrsubst", {"in.txt", "out.txt", dir.path()}, dir.path());
    EXPECT_EQ(strings.status, 1);
    EXPECT_EQ(strings.stdErr, "Failed to read " + dir.path() + "!\n");
    EXPECT_FALSE(dir.exists("out.txt"));
    ProgramRun text = runProgram("trigstrsubst", {dir.path(), "out.txt"}, dir.path());
    EXPECT_EQ(text.status, 1);
    EXPECT_EQ(text.stdErr, "Failed to read " + dir.path() + "!\n");
  }
  {
    SCOPED_TRACE("a fatal reference keeps the lines before it");
    ScratchDir dir;
    dir.write("war3map.wts", kStrings);
    dir.write("CustomUnits.txt", "TRIGSTR_2\nTRIGSTR_\nTRIGSTR_1\n");
    ProgramRun run = runProgram("trigstrsubst", {}, dir.path());
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.stdErr, "Failed to parse string number in TRIGSTR_ at line 2\n");
    EXPECT_EQ(dir.read("StringsOut.txt"), dos("Knight\n"));
  }
  {
    SCOPED_TRACE("a real string file starts with a byte-order mark");
    ScratchDir dir;
    dir.write("war3map.wts", "\xEF\xBB\xBFSTRING 1\r\n{\r\nFootman\r\n}\r\n");
    dir.write("CustomUnits.txt", kUnits);
    ProgramRun run = runProgram("trigstrsubst", {}, dir.path());
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.stdErr, "Substituting empty string in .mod utip 0 0 string TRIGSTR_3 at line 3\n");
    EXPECT_EQ(dir.read("StringsOut.txt"),
              dos(".unit h000 hfoo\n.mod unam 0 0 string Footman\n.mod utip 0 0 string \n"));
  }
}

// ---------------------------------------------------------------------------
// The real maps

// A few strings of each corpus map's war3map.wts, as the file holds them.
struct KnownString {
  int number;
  std::string text;
};

std::vector<KnownString> knownStrings(const std::string& map) {
  if (map == "mpq-test") {
    // String 1 is the first of the file, right after its byte-order mark.
    return {{1, "\xD0\x98\xD0\xB3\xD1\x80\xD0\xBE\xD0\xBA 1"}, {3, "Roflan karta"}};
  }
  if (map == "tribute-alliance") {
    return {{3, "DBZ Tribute Pre-Alpha 0.0.4"}, {7, "Goku"}, {8, "Vegeta"}};
  }
  if (map == "test-original-host") return {{1, "test"}, {4, "TestHostMap"}, {7, "Unknown"}};
  return {};
}

TEST(TrigStrSubstCorpus, KnownStringsOfEachMap) {
  std::vector<std::string> maps = corpusMaps();
  if (maps.empty()) GTEST_SKIP() << "corpus absent";
  for (const std::string& map : maps) {
    SCOPED_TRACE(map);
    std::string strings = corpusMap(map) + "/war3map.wts";
    if (!fileExists(strings)) continue;
    std::vector<KnownString> known = knownStrings(map);
    std::string text;
    std::string expected;
    for (const KnownString& k : known) {
      text += ".mod unam 0 0 string TRIGSTR_" + std::to_string(k.number) + "\n";
      text += "\"TRIGSTR_00" + std::to_string(k.number) + "\" kept\n";
      expected += ".mod unam 0 0 string " + k.text + "\n\"" + k.text + "\" kept\n";
    }
    ScratchDir dir;
    dir.write("CustomUnits.txt", text);
    ProgramRun run = runProgram("trigstrsubst", {"CustomUnits.txt", "StringsOut.txt", strings},
                         dir.path());
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.stdErr, "");
    EXPECT_EQ(dir.read("StringsOut.txt"), dos(expected));
  }
}

// The filtered CustomUnits.txt of each map, as customunits2txt writes it,
// filled from the map's string file: every reference names a string the
// file defines, and no reference is left in the output.
TEST(TrigStrSubstCorpus, FilteredCustomUnitsOfEachMap) {
  std::vector<std::string> maps = corpusMaps();
  if (maps.empty()) GTEST_SKIP() << "corpus absent";
  if (!fileExists(programPath("customunits2txt"))) GTEST_SKIP() << "customunits2txt not built";
  int tried = 0;
  for (const std::string& map : maps) {
    SCOPED_TRACE(map);
    std::string units = corpusMap(map) + "/war3map.w3u";
    std::string strings = corpusMap(map) + "/war3map.wts";
    if (!fileExists(units) || !fileExists(strings)) continue;
    ++tried;
    ScratchDir dir;
    ProgramRun filter = runProgram("customunits2txt", {units, "CustomUnits.txt", "x"}, dir.path());
    ASSERT_EQ(filter.status, 0) << filter.stdErr;
    ProgramRun run = runProgram("trigstrsubst", {"CustomUnits.txt", "StringsOut.txt", strings},
                         dir.path());
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.stdErr, "");
    std::string in = dir.read("CustomUnits.txt");
    std::string out = dir.read("StringsOut.txt");
    EXPECT_NE(in.find("TRIGSTR_"), std::string::npos);
    EXPECT_EQ(out.find("TRIGSTR_"), std::string::npos);
    // Lines without a reference are copied as they stand.
    std::size_t start = 0;
    while (start < in.size()) {
      std::size_t end = in.find('\n', start);
      if (end == std::string::npos) end = in.size();
      std::string line = in.substr(start, end + 1 - start);
      if (line.find("TRIGSTR_") == std::string::npos) {
        EXPECT_NE(out.find(line), std::string::npos) << line;
      }
      start = end + 1;
    }
  }
  if (tried == 0) GTEST_SKIP() << "no map with war3map.w3u and war3map.wts";
}

}  // namespace
