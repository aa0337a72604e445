// The programs on the war3map.w3r files of real maps.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "tests/support.h"

namespace {

TEST(RegionsCorpus, RealFilesConvertToTextAndBackByteForByte) {
  // Regions in each map of the corpus; every one of them fits the layout.
  const std::map<std::string, int> expected = {
      {"mpq-test", 69}, {"test-original-host", 0}, {"tribute-alliance", 67}};
  if (corpusMaps().empty()) GTEST_SKIP() << "the corpus of real maps is absent";
  int files = 0;
  for (const std::string& map : corpusMaps()) {
    std::string original = corpusMap(map) + "/war3map.w3r";
    if (!fileExists(original)) continue;
    SCOPED_TRACE(map);
    ++files;
    ScratchDir dir;
    ProgramRun toText = runProgram("regions2txt", {original, "Regions.txt"}, dir.path());
    auto known = expected.find(map);
    if (known == expected.end()) {
      // A map added later: it must end with a text or a message.
      EXPECT_TRUE(toText.status == 0 || (toText.status == 1 && !toText.stdErr.empty()));
      if (toText.status != 0) continue;
    } else {
      ASSERT_EQ(toText.status, 0) << toText.stdErr;
      EXPECT_EQ(countLines(dir.read("Regions.txt"), ".region "), known->second);
    }
    EXPECT_EQ(toText.stdErr, "");
    ProgramRun back = runProgram("txt2regions", {"Regions.txt", "war3map.w3r"}, dir.path());
    ASSERT_EQ(back.status, 0) << back.stdErr;
    EXPECT_EQ(back.stdErr, "");
    EXPECT_TRUE(dir.read("war3map.w3r") == readFile(original))
        << "the round trip changed the file";
  }
  if (files == 0) GTEST_SKIP() << "no war3map.w3r in the corpus";
}

}  // namespace
