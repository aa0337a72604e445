#include "framework/binary_to_text.h"

#include <functional>
#include <string>

#include <gtest/gtest.h>

#include "tests/support.h"

namespace {

// Runs a test body as its convert(), with the protected parts in reach.
class Probe : public BinaryToTextConverter {
 public:
  using BinaryToTextConverter::BinaryToTextConverter;
  using BinaryToTextConverter::failWith;
  using BinaryToTextConverter::output;
  std::function<void(Probe&)> body;
  bool convert() override {
    body(*this);
    return true;
  }
};

Conversion probe(const std::string& input, std::function<void(Probe&)> body) {
  return convertWith<Probe>(input, [&](Probe& p) { p.body = body; });
}

TEST(BinaryReadTest, ReadsLittleEndianFields) {
  std::string input = Bytes().i32(-2).f32(1.25f).u8(200).id("h000").str("abc").i32(7);
  Conversion result = probe(input, [](Probe& p) {
    char id[8], text[16];
    EXPECT_EQ(p.getLong(), -2);
    EXPECT_EQ(p.getFloat(), 1.25f);
    EXPECT_EQ(p.getByte(), 200);
    p.getID(id);
    EXPECT_STREQ(id, "h000");
    p.getString(text, sizeof text);
    EXPECT_STREQ(text, "abc");
    EXPECT_EQ(p.getLong(), 7);
    EXPECT_FALSE(p.atEnd());  // it does not look ahead
    EXPECT_THROW(p.getByte(), VarnelException);
  });
  EXPECT_FALSE(result.failed);  // the throw was caught above
}

TEST(BinaryReadTest, ShortReadsFailWithTheOffsetAfterWhatTheyTook) {
  struct Case {
    std::string input;
    std::function<void(Probe&)> read;
    std::string message;
  } cases[] = {
      {"\x01\x02", [](Probe& p) { p.getLong(); }, "Read failure, input file offset: 2 (0x2)"},
      {std::string(8, 'x'), [](Probe& p) { p.getLong(); p.getLong(); p.getByte(); },
       "getByte read failure, input file offset: 8 (0x8)"},
      {std::string(19, 'x'), [](Probe& p) { for (int i = 0; i < 5; ++i) p.getFloat(); },
       "getFloat read failure, input file offset: 19 (0x13)"},
      {std::string("ab\0", 3), [](Probe& p) { char id[8]; p.getID(id); },
       "getID read failure, input file offset: 3 (0x3)"},
      {"abc", [](Probe& p) { char s[16]; p.getString(s, 16); },
       "Unexpected EOF while reading string, input file offset: 3 (0x3)"},
  };
  for (const Case& c : cases) {
    Conversion result = probe(c.input, c.read);
    EXPECT_TRUE(result.failed);
    EXPECT_EQ(result.error, c.message);
  }
}

TEST(BinaryReadTest, GetStringHoldsMaxcharsMinusTwoCharacters) {
  std::string fits(254, 's');
  std::string tooLong(255, 's');
  Conversion ok = probe(Bytes().str(fits), [&](Probe& p) {
    char text[256];
    p.getString(text, 256);
    EXPECT_EQ(std::string(text), fits);
  });
  EXPECT_FALSE(ok.failed) << ok.error;
  Conversion overflow = probe(Bytes().str(tooLong), [](Probe& p) {
    char text[256];
    p.getString(text, 256);
  });
  EXPECT_EQ(overflow.error,
            "getString buffer overflow, maxchars is 256, input file offset: 256 (0x100)");
}

TEST(BinaryReadTest, IdentifiersWithZeroBytes) {
  Conversion result = probe(std::string("\0xyzab\0\0", 8), [](Probe& p) {
    char id[8];
    p.getID(id);
    EXPECT_STREQ(id, "<NONE>");
    p.getID(id);
    EXPECT_STREQ(id, "ab");
  });
  EXPECT_FALSE(result.failed) << result.error;
}

TEST(TextOutputTest, StripCRAndWriteQuoted) {
  Conversion result = probe("", [](Probe& p) {
    char text[] = "one\r\ntwo\r";
    p.stripCR(text);
    EXPECT_STREQ(text, "one\ntwo");
    p.writeQuoted("word\r\nnext", ".end %d");
    p.output.print("\n");
  });
  EXPECT_EQ(result.output, "\"word\r\nnext\" .end %d\r\n");
}

TEST(BinaryFailTest, LongMessagesAreKeptWhole) {
  std::string name(4094, 'n');
  Conversion result = probe("abcd", [&](Probe& p) {
    p.getLong();
    p.failWith("Unknown function %s", name.c_str());
  });
  EXPECT_EQ(result.error, "Unknown function " + name + ", input file offset: 4 (0x4)");
}

}  // namespace
