#include "framework/text_to_binary.h"

#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support.h"

namespace {

// Runs a test body as its convert(), with the protected parts in reach.
class Probe : public TextToBinaryConverter {
 public:
  using TextToBinaryConverter::TextToBinaryConverter;
  using TextToBinaryConverter::failWith;
  using TextToBinaryConverter::lineNumber;
  using TextToBinaryConverter::line;
  std::function<void(Probe&)> body;
  bool convert() override {
    body(*this);
    return true;
  }
  // The next line as it stands.
  void take() { nextTag(nullptr, true); }
  std::string word() {
    char buffer[256];
    getString(buffer, sizeof buffer);
    return buffer;
  }
};

Conversion probe(const std::string& text, std::function<void(Probe&)> body) {
  return convertWith<Probe>(text, [&](Probe& p) { p.body = body; });
}

// The failure message of running body on a text of one line.
std::string failureOn(const std::string& line, std::function<void(Probe&)> body) {
  Conversion result = probe(line + "\r\n", [&](Probe& p) {
    p.take();
    body(p);
  });
  EXPECT_TRUE(result.failed) << line;
  return result.error;
}

TEST(WordTest, OnlyABlankEndsAWord) {
  probe("  one\ttwo three  four\t\r\n", [](Probe& p) {
    p.take();
    EXPECT_EQ(p.word(), "one\ttwo");
    EXPECT_EQ(p.word(), "three");
    EXPECT_EQ(p.word(), "four\t");
    EXPECT_THROW(p.word(), VarnelException);
  });
  EXPECT_EQ(failureOn("   ", [](Probe& p) { p.word(); }),
            "Failed to find expected argument, line 1:    ");
  EXPECT_EQ(failureOn(std::string(256, 'w'), [](Probe& p) { p.word(); }),
            "getString buffer overflow, maxchars is 256, line 1: " + std::string(256, 'w'));
}

TEST(NumberArgumentTest, IntegersBytesAndReals) {
  struct Case {
    const char* word;
    std::function<std::string(Probe&)> parse;
    std::string result;  // the value printed, or the failure message
  } cases[] = {
      {"5", [](Probe& p) { return std::to_string(p.getLong()); }, "5"},
      {"+5", [](Probe& p) { return std::to_string(p.getLong()); }, "5"},
      {"-12abc", [](Probe& p) { return std::to_string(p.getLong()); }, "-12"},
      {"0x10", [](Probe& p) { return std::to_string(p.getLong()); }, "0"},
      {"4294967295", [](Probe& p) { return std::to_string(p.getLong()); }, "-1"},
      {"abc", [](Probe& p) { return std::to_string(p.getLong()); },
       "Failed to get long argument, line 1: abc"},
      {"4294967296", [](Probe& p) { return std::to_string(p.getLong()); },
       "Long argument out of range: 4294967296, line 1: 4294967296"},
      {"18446744073709551616", [](Probe& p) { return std::to_string(p.getLong()); },
       "Long argument out of range: 18446744073709551616, line 1: 18446744073709551616"},
      {"255", [](Probe& p) { return std::to_string(p.getByte()); }, "255"},
      {"-128", [](Probe& p) { return std::to_string(p.getByte()); }, "-128"},
      {"256", [](Probe& p) { return std::to_string(p.getByte()); },
       "Byte argument out of range: 256, line 1: 256"},
      {"-129", [](Probe& p) { return std::to_string(p.getByte()); },
       "Byte argument out of range: -129, line 1: -129"},
      {"b", [](Probe& p) { return std::to_string(p.getByte()); },
       "Failed to get byte argument, line 1: b"},
      {"-2.5e1x", [](Probe& p) { return std::to_string(p.getFloat()); }, "-25.000000"},
      {".f", [](Probe& p) { return std::to_string(p.getFloat()); },
       "Failed to get float argument, line 1: .f"},
  };
  for (const Case& c : cases) {
    std::string got;
    Conversion result = probe(std::string(c.word) + "\r\n", [&](Probe& p) {
      p.take();
      got = c.parse(p);
    });
    EXPECT_EQ(result.failed ? result.error : got, c.result) << c.word;
  }
}

TEST(NumberArgumentTest, ATabJoinsANumberToTheNextArgument) {
  probe("7\t8 9\r\n", [](Probe& p) {
    p.take();
    EXPECT_EQ(p.getLong(), 7);
    EXPECT_EQ(p.getLong(), 9);
  });
}

TEST(NumberArgumentTest, UngetGoesBackToWhereTheWordStarted) {
  probe("x   12 y\r\n", [](Probe& p) {
    p.take();
    p.word();
    EXPECT_EQ(p.getLong(), 12);
    p.unget();
    EXPECT_EQ(p.word(), "12");
    p.unget();
    p.unget();  // nothing saved any more: stays
    EXPECT_EQ(p.word(), "12");
    EXPECT_EQ(p.word(), "y");
  });
}

TEST(IdentifierTest, WritesFourBytes) {
  Conversion result = probe("ab <NONE> h00A\r\n", [](Probe& p) {
    p.take();
    char id[8];
    for (int i = 0; i < 3; ++i) {
      p.getID(id);
      p.writeID(id);
    }
  });
  EXPECT_FALSE(result.failed) << result.error;
  EXPECT_EQ(result.output, std::string("ab\0\0\0\0\0\0h00A", 12));
}

TEST(IdentifierTest, RejectsLongWords) {
  auto readID = [](Probe& p) {
    char id[8];
    p.getID(id);
  };
  EXPECT_EQ(failureOn("abcde", readID), "ID abcde too long, line 1: abcde");
  EXPECT_EQ(failureOn("abcdefg", readID), "ID abcdefg too long, line 1: abcdefg");
  EXPECT_EQ(failureOn("abcdefgh", readID),
            "getString buffer overflow, maxchars is 8, line 1: abcdefgh");
}

TEST(QuotedStringTest, Cases) {
  struct Case {
    std::string line;
    std::string result;
  } cases[] = {
      {"\"name\" next", "name|next"},
      {" \t\"\" next", "|next"},
      {"\"" + std::string(254, 'q') + "\"", std::string(254, 'q') + "|"},
      {"\"" + std::string(255, 'q') + "\"",
       "getQuotedString buffer overflow, maxchars is 256, line 1: \"" + std::string(255, 'q') +
           "\""},
      {"\"open", "Unexpected end of line in getString, line 1: \"open"},
      {"x\"y\"", "Expected initial quote, got char x in getString, line 1: x\"y\""},
      {"  ", "Expected initial quote, got end of line in getString, line 1:   "},
  };
  for (const Case& c : cases) {
    std::string got;
    Conversion result = probe(c.line + "\r\n", [&](Probe& p) {
      p.take();
      char text[256];
      p.getQuotedString(text, sizeof text);
      got = std::string(text) + "|";
      got += p.atEnd() ? "" : "";
      char rest[256];
      p.getRestOfLine(rest, sizeof rest);
      got += rest;
    });
    EXPECT_EQ(result.failed ? result.error : got, c.result);
  }
}

TEST(LongStringTest, Cases) {
  struct Case {
    const char* name;
    std::string text;
    int maxchars;
    std::string result;  // value|rest of its last line, or the message
  } cases[] = {
      {"ends at a tab", ".t \"abc\" .end\tafter\r\n", 256, "abc|after"},
      {"ends at the line end", ".t \"abc\" .end\r\n", 256, "abc|"},
      {"a word with letters attached does not end it",
       ".t \"a\" .endx b\" .end c\r\n", 256, "a\" .endx b|c"},
      {"three lines", ".t \"one\r\ntwo\r\nthree\" .end\r\n", 256, "one\r\ntwo\r\nthree|"},
      {"comment and empty lines are part of it", ".t \"a\r\n// c\r\n\r\nb\" .end\r\n", 256,
       "a\r\n// c\r\n\r\nb|"},
      {"line breaks count two", ".t \"ab\r\ncd\" .end\r\n", 7, "ab\r\ncd|"},
      {"one too many", ".t \"ab\r\ncd\" .end\r\n", 6,
       "Ran out of output string space in getLongString, line 2: cd\" .end"},
      {"no quote", ".t abc\r\n", 256, "did not find leading quote in getLongString, line 1: .t abc"},
      {"end of the input without a line feed", ".t \"abc", 256,
       "Unexpected EOF in getLongString, line 1: .t \"abc"},
      {"end of the input after a line feed", ".t \"abc\r\n", 256,
       "Unexpected EOF while getting line, line 2: .t \"abc"},
  };
  for (const Case& c : cases) {
    std::string got;
    Conversion result = probe(c.text, [&](Probe& p) {
      p.take();
      std::vector<char> value(c.maxchars);
      p.getLongString(value.data(), c.maxchars, ".end");
      char rest[256];
      p.getRestOfLine(rest, sizeof rest);
      got = std::string(value.data()) + "|" + rest;
    });
    EXPECT_EQ(result.failed ? result.error : got, c.result) << c.name;
  }
}

TEST(RestOfLineTest, TakesEverythingUpToMaxcharsMinusTwo) {
  probe("a b  c\t\r\n", [](Probe& p) {
    p.take();
    p.word();
    char rest[8];
    p.getRestOfLine(rest, sizeof rest);
    EXPECT_STREQ(rest, "b  c\t");
  });
  EXPECT_EQ(failureOn("abcdef", [](Probe& p) {
              char rest[6];
              p.getRestOfLine(rest, sizeof rest);
            }),
            "getString buffer overflow, maxchars is 6, line 1: abcdef");
}

TEST(TagTest, SkipsBlankAndCommentLinesAndCountsThem) {
  const char* const tags[] = {".a", ".b", nullptr};
  Conversion result = probe("//\r\n\r\n \t\r\n\t// x\r\n  .b 1\r\n.c\r\n.a\r\n", [&](Probe& p) {
    EXPECT_EQ(p.nextTag(tags, true), 1);
    EXPECT_EQ(p.lineNumber, 5);
    EXPECT_EQ(p.getLong(), 1);
    EXPECT_EQ(p.nextTag(tags, false), -1);
    EXPECT_EQ(p.expectTag(".a", false), 0);
    EXPECT_EQ(p.lineNumber, 7);
    p.nextTag(tags, true);
  });
  EXPECT_EQ(result.error, "Unexpected EOF while getting line, line 8: .a");
}

TEST(TagTest, TheLineCountWrapsLikeA32BitCounter) {
  Conversion result = probe("a\r\n", [](Probe& p) {
    p.lineNumber = INT32_MAX;
    p.take();
    EXPECT_EQ(p.lineNumber, INT32_MIN);
    p.take();
  });
  EXPECT_EQ(result.error, "Unexpected EOF while getting line, line -2147483647: a");
}

TEST(TagTest, Failures) {
  const char* const tags[] = {".import", ".endSection", nullptr};
  struct Case {
    std::string text;
    std::string message;
  } cases[] = {
      {"\r\n.imports 1\r\n", "Unexpected tag .imports, line 2: .imports 1"},
      {".import\t1\r\n", "Unexpected tag .import\t1, line 1: .import\t1"},
      {"// only\r\n\r\n  // comments\r\n",
       "Unexpected EOF while getting line, line 4:   // comments"},
      {"", "Unexpected EOF while getting line, line 1: "},
  };
  for (const Case& c : cases) {
    Conversion result = probe(c.text, [&](Probe& p) { p.nextTag(tags, true); });
    EXPECT_EQ(result.error, c.message);
  }
}

TEST(TagTest, ExpectAndLookup) {
  const char* const words[] = {"one", "two", nullptr};
  EXPECT_EQ(failureOn("Regions", [](Probe& p) { p.expect("Imports"); }),
            "Expected Imports, got Regions, line 1: Regions");
  EXPECT_EQ(failureOn("Imports\t(x)", [](Probe& p) { p.expect("Imports"); }),
            "Expected Imports, got Imports\t(x), line 1: Imports\t(x)");
  EXPECT_EQ(failureOn("three", [&](Probe& p) {
              EXPECT_EQ(p.lookup("two", words, true), 1);
              EXPECT_EQ(p.lookup("three", words, false), -1);
              p.lookup("three", words, true);
            }),
            "Unexpected string three, line 1: three");
}

TEST(LineTest, ALongLineIsReadInPiecesOf16382Characters) {
  std::string longLine(16382, 'a');
  Conversion result = probe(longLine + "\r\n" + std::string(16383, 'b') + "\r\n.t\r\n",
                            [&](Probe& p) {
                              p.take();
                              EXPECT_EQ(std::string(p.line), longLine);
                              p.take();
                              EXPECT_EQ(std::string(p.line), "");
                              p.take();
                              EXPECT_EQ(std::string(p.line), std::string(16382, 'b'));
                              p.take();
                              EXPECT_EQ(std::string(p.line), "b");
                              EXPECT_EQ(p.expectTag(".t", true), 0);
                              EXPECT_EQ(p.lineNumber, 5);
                            });
  EXPECT_FALSE(result.failed) << result.error;
}

TEST(LineTest, AFailingLongLineIsQuotedWhole) {
  std::string longLine = ".t x " + std::string(16000, 'z');
  EXPECT_EQ(failureOn(longLine, [](Probe& p) {
              p.word();
              p.getLong();
            }),
            "Failed to get long argument, line 1: " + longLine);
  std::string text(5000, 't');
  EXPECT_EQ(failureOn(".x", [&](Probe& p) { p.failWith("Failed to write string %s", text.c_str()); }),
            "Failed to write string " + text + ", line 1: .x");
}

TEST(CountedSectionTest, NestedSectionsFillTheirOwnPlaceholders) {
  Conversion result = probe("", [](Probe& p) {
    p.beginCount();
    p.writeLong(7);
    p.beginCount();
    p.writeByte(0x1ff);
    p.endCount(1);
    p.endCount(2);
    p.writeFloat(1.0f);
    p.writeString("ab");
  });
  EXPECT_FALSE(result.failed) << result.error;
  EXPECT_EQ(result.output, Bytes().i32(2).i32(7).i32(1).u8(0xff).f32(1.0f).str("ab").bytes());
}

TEST(CountedSectionTest, FifteenMayBeOpen) {
  Conversion fifteen = probe("", [](Probe& p) {
    for (int i = 0; i < 15; ++i) p.beginCount();
    for (int i = 0; i < 15; ++i) p.endCount(i);
  });
  EXPECT_FALSE(fifteen.failed) << fifteen.error;
  Bytes expected;
  for (int i = 14; i >= 0; --i) expected.i32(i);
  EXPECT_EQ(fifteen.output, expected.bytes());

  Conversion sixteen = probe("", [](Probe& p) {
    for (int i = 0; i < 16; ++i) p.beginCount();
  });
  EXPECT_EQ(sixteen.error, "Counted section stack overflow, line 0: ");
  EXPECT_EQ(sixteen.output.size(), 60u);

  Conversion underflow = probe("", [](Probe& p) {
    p.beginCount();
    p.endCount(3);
    p.endCount(4);
  });
  EXPECT_EQ(underflow.error, "Counted section stack underflow, line 0: ");
  EXPECT_EQ(underflow.output, Bytes().i32(3).bytes());
}

}  // namespace
