// The function table: the built-in list and the two extra functions files.
#include <sys/resource.h>

#include <csignal>
#include <set>
#include <string>

#include <gtest/gtest.h>

#include "formats/triggers/function_table.h"
#include "formats/triggers/triggers_test_support.h"

namespace triggers_test {
namespace {

TEST(BuiltinFunctionsTest, EachNameOnceWithItsCount) {
  ASSERT_EQ(builtinFunctionCount, 1834);
  std::set<std::string> names;
  for (int i = 0; i < builtinFunctionCount; ++i) {
    EXPECT_TRUE(names.insert(builtinFunctions[i].name).second) << builtinFunctions[i].name;
    EXPECT_GE(builtinFunctions[i].parameterCount, 0);
    EXPECT_LE(builtinFunctions[i].parameterCount, 11);
  }
}

class FunctionTableTest : public InScratchFolder {};

// Makes a table in a process whose files may not grow beyond bytes.
void loadWithFilesLimitedTo(rlim_t bytes) {
  std::signal(SIGXFSZ, SIG_IGN);
  struct rlimit limit = {bytes, bytes};
  setrlimit(RLIMIT_FSIZE, &limit);
  FunctionTable table;
}

TEST_F(FunctionTableTest, BuiltinCounts) {
  FunctionTable table;
  EXPECT_EQ(table.extraCount(), 0);
  struct Case {
    const char* name;
    int32_t count;
  } cases[] = {
      {"MapInitializationEvent", 0},
      {"GetTeams", 0},
      {"TriggerRegisterTimerEventSingle", 2},
      {"TriggerRegisterPlayerChatEvent", 4},
      {"TransmissionFromUnitTypeWithNameBJ", 10},
      {"CinematicFilterGenericBJ", 11},
      {"mapInitializationEvent", -1},
      {"MapInitializationEvent ", -1},
      {"", -1},
  };
  for (const Case& c : cases) EXPECT_EQ(table.parameterCount(c.name), c.count) << c.name;
}

TEST_F(FunctionTableTest, DeclarationsAreParsedAndWrittenOut) {
  folder.write("extraFunctionsIn.txt",
               "native Foo takes nothing returns nothing\r\n"
               "constant native Bar takes integer a, real b returns boolean\n"
               "function Baz takes unit u returns nothing\n"
               "native Open takes nothing\n"
               "native\tTabbed takes nothing returns nothing\n"
               "constant function X takes integer i returns integer\n"
               "constant globals Y takes nothing returns nothing\n"
               "\n"
               "   native   Spaced   takes   integer a   real b  returns nothing\n"
               "native Cut takes integer\n"
               "native Short\n"
               "native Words takes code c trigger t widget w returns nothing");
  FunctionTable table;
  const std::string expected[] = {"Foo", "Bar", "Baz", "Open", "X", "Spaced", "Cut", "Words"};
  const int32_t counts[] = {0, 2, 1, 1, 1, 2, 1, 3};
  ASSERT_EQ(table.extraCount(), 8);
  for (int i = 0; i < 8; ++i) {
    EXPECT_EQ(table.extraFunctions()[i].name, expected[i]);
    EXPECT_EQ(table.extraFunctions()[i].parameterCount, counts[i]) << expected[i];
    EXPECT_EQ(table.parameterCount(expected[i].c_str()), counts[i]);
  }
  EXPECT_EQ(table.parameterCount("Tabbed"), -1);
  EXPECT_EQ(folder.read("extraFunctionsOut.txt"),
            dos("Foo 0\nBar 2\nBaz 1\nOpen 1\nX 1\nSpaced 2\nCut 1\nWords 3\n\n"));

  // The list written loads the same entries on the next run.
  FunctionTable again;
  ASSERT_EQ(again.extraCount(), 8);
  for (int i = 0; i < 8; ++i) EXPECT_EQ(again.extraFunctions()[i].name, expected[i]);
}

TEST_F(FunctionTableTest, TheListFileWinsOverDeclarationsAndTheBuiltinList) {
  folder.write("extraFunctionsIn.txt", "native Declared takes integer a returns nothing\n");
  folder.write("extraFunctionsOut.txt",
               "MapInitializationEvent 3\r\nListed 5\r\nListed 6\r\nlisted 1\r\n");
  FunctionTable table;
  EXPECT_EQ(table.extraCount(), 4);
  EXPECT_EQ(table.parameterCount("MapInitializationEvent"), 3);
  EXPECT_EQ(table.parameterCount("Listed"), 5);
  EXPECT_EQ(table.parameterCount("listed"), 1);
  EXPECT_EQ(table.parameterCount("Declared"), -1);
  EXPECT_EQ(table.parameterCount("GetTeams"), 0);
  EXPECT_EQ(folder.read("extraFunctionsOut.txt"),
            "MapInitializationEvent 3\r\nListed 5\r\nListed 6\r\nlisted 1\r\n");
}

TEST_F(FunctionTableTest, AnEmptyLineEndsTheList) {
  struct Case {
    std::string list;
    int32_t count;
  } cases[] = {
      {"", 0},
      {"\n", 0},
      {"A 1\r\n\r\nB 2\r\n", 1},
      {"A 1\n   \nB 2\n", 1},
      {"A 1\nB 2", 2},
  };
  for (const Case& c : cases) {
    folder.write("extraFunctionsIn.txt", "native B takes integer a returns nothing\n");
    folder.write("extraFunctionsOut.txt", c.list);
    FunctionTable table;
    EXPECT_EQ(table.extraCount(), c.count) << c.list;
    EXPECT_EQ(folder.read("extraFunctionsOut.txt"), c.list);
  }
}

TEST_F(FunctionTableTest, AListThatCannotBeWrittenCompletelyIsRemoved) {
  // A list cut short would be loaded as it stands on every later run and
  // hide the functions it lost; without it the next run writes it again.
  std::string declarations;
  for (int i = 0; i < 200; ++i) {
    declarations += "native Function" + std::to_string(i) + " takes integer a returns nothing\n";
  }
  folder.write("extraFunctionsIn.txt", declarations);
  EXPECT_EXIT(loadWithFilesLimitedTo(100), ::testing::ExitedWithCode(1),
              "^Failed to write extraFunctionsOut\\.txt!\n$");
  EXPECT_FALSE(folder.exists("extraFunctionsOut.txt"));

  FunctionTable table;
  EXPECT_EQ(table.extraCount(), 200);
  EXPECT_EQ(table.parameterCount("Function199"), 1);
}

TEST_F(FunctionTableTest, NeitherFileMeansTheBuiltinListAlone) {
  FunctionTable table;
  EXPECT_EQ(table.extraCount(), 0);
  EXPECT_FALSE(folder.exists("extraFunctionsOut.txt"));
}

}  // namespace
}  // namespace triggers_test
