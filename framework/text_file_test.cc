#include "framework/text_file.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "framework/binary_file.h"
#include "tests/support.h"

namespace {

std::string written(void (*fill)(TextWriter&)) {
  FILE* file = streamWith("");
  {
    TextWriter writer(file);
    fill(writer);
  }
  std::string bytes = streamContents(file);
  std::fclose(file);
  return bytes;
}

TEST(TextWriterTest, WritesEveryLineFeedAsCarriageReturnLineFeed) {
  EXPECT_EQ(written([](TextWriter& w) {
              w.write("a\nb\n\nc");
              w.put('\n');
              w.print("%s|%s\n", "x\ny", "");
            }),
            "a\r\nb\r\n\r\nc\r\nx\r\ny|\r\n");
}

TEST(TextWriterTest, PrintGivesTheBytesOfPrintf) {
  EXPECT_EQ(written([](TextWriter& w) {
              w.print(".x %d %d %x %x %f %f %c%% \"%s\"\n", 0, -2147483647 - 1, 255, -1,
                      1.5f, -0.0000004f, 'Q', "name");
            }),
            ".x 0 -2147483648 ff ffffffff 1.500000 -0.000000 Q% \"name\"\r\n");
}

struct LineCase {
  const char* name;
  std::string bytes;
  std::size_t capacity;
  std::vector<std::string> lines;  // what readLine gives, in order
  bool endAfterLast;               // the end indicator after the last line
};

TEST(TextReaderTest, ReadsLinesLikeFgetsOnATextModeStream) {
  const LineCase cases[] = {
      {"crlf pairs lose their CR", "a\r\nb\r\n", 100, {"a\n", "b\n"}, false},
      {"a lone CR stays", "a\rb\n\r", 100, {"a\rb\n", "\r"}, true},
      {"CR CR LF keeps one CR", "a\r\r\n", 100, {"a\r\n"}, false},
      {"last line without LF", "x\ny", 100, {"x\n", "y"}, true},
      {"empty file", "", 100, {}, false},
      {"long line in pieces", "abcdefg\r\n", 4, {"abc", "def", "g\n"}, false},
      {"a piece ends right before LF", "abc\r\n", 4, {"abc", "\n"}, false},
  };
  for (const LineCase& c : cases) {
    FILE* file = streamWith(c.bytes);
    TextReader reader(file);
    std::vector<char> line(c.capacity, '#');
    for (const std::string& expected : c.lines) {
      long length = reader.readLine(line.data(), line.size());
      ASSERT_EQ(length, static_cast<long>(expected.size())) << c.name;
      EXPECT_EQ(std::string(line.data(), length), expected) << c.name;
      EXPECT_EQ(line[length], '\0') << c.name;
    }
    EXPECT_EQ(reader.atEnd(), c.endAfterLast) << c.name;
    EXPECT_EQ(reader.readLine(line.data(), line.size()), -1) << c.name;
    EXPECT_TRUE(reader.atEnd()) << c.name;
    std::fclose(file);
  }
}

TEST(TextReaderTest, RoomForTheTerminatorAloneIsNotTheEnd) {
  // As fgets with a size of 1: an empty text, nothing consumed.
  FILE* file = streamWith("ab\n");
  TextReader reader(file);
  char line[4] = "###";
  EXPECT_EQ(reader.readLine(line, 1), 0);
  EXPECT_EQ(line[0], '\0');
  EXPECT_FALSE(reader.atEnd());
  EXPECT_EQ(reader.readLine(line, sizeof line), 3);
  EXPECT_STREQ(line, "ab\n");
  std::fclose(file);
}

TEST(TextReaderTest, DropsACarriageReturnWhoseLineFeedIsInTheNextBlock) {
  // The reader takes the file in blocks of 65536 bytes; put the CR last.
  std::string bytes(65535, 'x');
  bytes += "\r\nnext\r\n";
  FILE* file = streamWith(bytes);
  TextReader reader(file);
  std::vector<char> line(70000);
  ASSERT_EQ(reader.readLine(line.data(), line.size()), 65536);
  EXPECT_EQ(line[65534], 'x');
  EXPECT_EQ(line[65535], '\n');
  ASSERT_EQ(reader.readLine(line.data(), line.size()), 5);
  EXPECT_STREQ(line.data(), "next\n");
  std::fclose(file);
}

TEST(TextReaderTest, KeepsALoneCarriageReturnAtTheEndOfABlock) {
  // The CR is the last byte of the first block; what follows decides.
  for (const std::string& rest : {std::string("y\n"), std::string("")}) {
    SCOPED_TRACE(rest);
    std::string bytes = std::string(65535, 'x') + "\r" + rest;
    FILE* file = streamWith(bytes);
    TextReader reader(file);
    std::vector<char> line(70000);
    ASSERT_EQ(reader.readLine(line.data(), line.size()), static_cast<long>(bytes.size()));
    EXPECT_EQ(std::string(line.data()), bytes);
    EXPECT_EQ(reader.atEnd(), rest.empty());
    std::fclose(file);
  }
}

TEST(BinaryWriterTest, PatchesInTheBufferAndAfterItWasFlushed) {
  FILE* file = streamWith("");
  {
    BinaryWriter writer(file);
    writer.writeInt32(0);                    // placeholder at 0
    std::string filler(1000, 'f');
    for (int i = 0; i < 200; ++i) writer.write(filler.data(), filler.size());  // pushes it out
    writer.writeInt32(0);                    // placeholder still buffered
    ASSERT_TRUE(writer.patchInt32(200004, 0x01020304));
    ASSERT_TRUE(writer.patchInt32(0, -2));
    writer.write("end", 3);
    EXPECT_EQ(writer.position(), 200011);
  }
  std::string bytes = streamContents(file);
  std::fclose(file);
  ASSERT_EQ(bytes.size(), 200011u);
  EXPECT_EQ(bytes.substr(0, 4), std::string("\xfe\xff\xff\xff", 4));
  EXPECT_EQ(bytes.substr(200004, 4), std::string("\x04\x03\x02\x01", 4));
  EXPECT_EQ(bytes.substr(200008), "end");
}

}  // namespace
