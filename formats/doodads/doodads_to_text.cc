#include "formats/doodads/doodads_to_text.h"

#include <cstdint>
#include <cstring>

#include "framework/number_format.h"

namespace {

// One tree line, assembled in a local buffer and handed to the output in
// one piece: a map holds up to millions of trees, and formatting each line
// through print() would interpret its format string once per tree.
class TreeLine {
 public:
  template <std::size_t N>
  void literal(const char (&text)[N]) {
    std::memcpy(end_, text, N - 1);
    end_ += N - 1;
  }
  // An identifier as getID leaves it: at most six characters ("<NONE>").
  void id(const char* text) {
    for (std::size_t i = 0; i < kMaxIDChars && text[i] != '\0'; ++i) *end_++ = text[i];
  }
  void integer(int32_t value) { end_ = formatInt(end_, value); }
  void real(float value) { end_ = formatReal(end_, value); }
  const char* data() const { return buffer_; }
  std::size_t size() const { return static_cast<std::size_t>(end_ - buffer_); }

 private:
  static constexpr std::size_t kMaxIDChars = 6;
  // The fixed words, blanks and line feed of a tree line take 50 characters.
  static constexpr std::size_t kCapacity =
      64 + kMaxIDChars + 7 * kMaxRealChars + 6 * kMaxIntChars;
  char buffer_[kCapacity];
  char* end_ = buffer_;
};

}  // namespace

bool DoodadsToTextConverter::convert() {
  // The ID is checked before anything is printed, so a file of another
  // kind leaves the text empty.
  char id[8];
  getID(id);
  if (std::strcmp(id, "W3do") != 0) failWith("Bad file ID, expected W3do, got %s", id);

  output.print("//\n// Warcraft 3 Doodads File\n//\n\n");
  output.print(".section Doodads (war3map.doo)\n");
  int32_t version = getLong();
  output.print(".version %d\n", version);
  const bool extended = version > 7;
  output.print(".long %d\n\n", getLong());

  // Each tree line reads
  // "  .tree %s %d loc %f %f %f ang %f scale %f %f %f flags %d life %d %d %d ID %d".
  output.print(".trees\n");
  int32_t trees = getLong();
  for (int32_t i = 0; i < trees; ++i) {
    getID(id);
    int32_t number = getLong();
    float reals[7];  // loc x y z, ang, scale x y z
    for (float& real : reals) real = getFloat();
    int flags = getByte();
    int life = getByte();
    int32_t further[2] = {0, 0};
    if (extended) {
      further[0] = getLong();
      further[1] = getLong();
    }
    int32_t treeID = getLong();

    TreeLine line;
    line.literal("  .tree ");
    line.id(id);
    line.literal(" ");
    line.integer(number);
    line.literal(" loc ");
    line.real(reals[0]);
    line.literal(" ");
    line.real(reals[1]);
    line.literal(" ");
    line.real(reals[2]);
    line.literal(" ang ");
    line.real(reals[3]);
    line.literal(" scale ");
    line.real(reals[4]);
    line.literal(" ");
    line.real(reals[5]);
    line.literal(" ");
    line.real(reals[6]);
    line.literal(" flags ");
    line.integer(flags);
    line.literal(" life ");
    line.integer(life);
    line.literal(" ");
    line.integer(further[0]);
    line.literal(" ");
    line.integer(further[1]);
    line.literal(" ID ");
    line.integer(treeID);
    line.literal("\n");
    output.write(line.data(), line.size());
  }
  output.print(".endTrees\n");
  output.print("\n.long %d\n\n", getLong());

  output.print(".others\n");
  int32_t others = getLong();
  for (int32_t i = 0; i < others; ++i) {
    getID(id);
    int32_t number = getLong();
    int32_t x = getLong();
    int32_t y = getLong();
    output.print("  .other %s %d loc %d %d\n", id, number, x, y);
  }
  output.print(".endOthers\n\n");
  output.print(".endSection Doodads (war3map.doo)\n\n");
  return true;
}
