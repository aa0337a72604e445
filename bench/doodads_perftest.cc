// Speed and memory of doodads2txt and txt2doodads on a large file.
//
//   doodads_perftest [bin-dir [trees]]
//
// Builds a version-8 war3map.doo of 1,000,000 trees (about 50 MB) in a
// fresh temporary folder, runs doodads2txt and then txt2doodads on it as
// processes of their own, prints the wall time and peak resident memory of
// each (and its processor time, which tells more on a busy machine), checks
// that the file came back byte for byte and removes the folder.
// The programs are taken from bin-dir, by default the build's bin folder.
//
// Exit status: 0 when the round trip is exact and every target is met, 2
// when the round trip is exact but a target is missed, 1 otherwise.
#include <sys/resource.h>
#include <sys/time.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "framework/binary_file.h"

#ifndef W3TEXT_BIN_DIR
#define W3TEXT_BIN_DIR "bin"
#endif

namespace {

constexpr double kDoodadsToTextSeconds = 0.5;
constexpr double kTextToDoodadsSeconds = 1.0;
constexpr long kPeakMemoryKiB = 16 * 1024;

class FileWriter {
 public:
  explicit FileWriter(const std::string& path) : file_(std::fopen(path.c_str(), "wb")) {}
  ~FileWriter() {
    if (file_) std::fclose(file_);
  }
  bool ok() const { return file_ != nullptr && !failed_; }
  void i32(int32_t value) {
    unsigned char bytes[4];
    encodeInt32(value, bytes);
    raw(bytes, 4);
  }
  void f32(float value) {
    int32_t bits;
    std::memcpy(&bits, &value, 4);
    i32(bits);
  }
  void u8(int value) {
    unsigned char byte = static_cast<unsigned char>(value);
    raw(&byte, 1);
  }
  void raw(const void* data, std::size_t size) {
    if (!file_ || std::fwrite(data, 1, size, file_) != size) failed_ = true;
  }
  bool close() {
    bool good = ok() && std::fclose(file_) == 0;
    file_ = nullptr;
    return good;
  }

 private:
  FILE* file_;
  bool failed_ = false;
};

// A version-8 doodads file whose reals are multiples of 1/64, which six
// decimals render exactly, so the round trip must give the same bytes.
bool writeDoodads(const std::string& path, int32_t trees, int32_t others) {
  static const char* const kKinds[] = {"LTlt", "ATtr", "BTtw", "ZTtw", "LTbr", "NTtc"};
  FileWriter out(path);
  out.raw("W3do", 4);
  out.i32(8);
  out.i32(11);
  out.i32(trees);
  uint32_t seed = 12345;
  auto next = [&seed] {
    seed = seed * 1103515245u + 12345u;
    return static_cast<int32_t>(seed >> 8);
  };
  for (int32_t i = 0; i < trees; ++i) {
    out.raw(kKinds[i % 6], 4);
    out.i32(i % 4);
    out.f32(static_cast<float>(next() % (8192 * 64) - 4096 * 64) / 64.0f);  // loc x
    out.f32(static_cast<float>(next() % (8192 * 64) - 4096 * 64) / 64.0f);  // loc y
    out.f32(static_cast<float>(next() % (512 * 64)) / 64.0f);               // loc z
    out.f32(static_cast<float>(next() % 402) / 64.0f);                      // ang
    float scale = static_cast<float>(48 + next() % 48) / 64.0f;
    out.f32(scale);
    out.f32(scale);
    out.f32(scale);
    out.u8(2);
    out.u8(100);
    out.i32(-1);
    out.i32(0);
    out.i32(i);
  }
  out.i32(0);
  out.i32(others);
  for (int32_t i = 0; i < others; ++i) {
    out.raw("D000", 4);
    out.i32(0);
    out.i32(next() % 8192 - 4096);
    out.i32(next() % 8192 - 4096);
  }
  return out.close();
}

struct Measure {
  bool ok = false;
  double seconds = 0;     // wall time
  double cpuSeconds = 0;  // user and system time of the process
  long peakKiB = 0;
};

// Runs program with its two paths and measures the whole process.
Measure run(const std::string& program, const std::string& input, const std::string& output) {
  Measure m;
  auto start = std::chrono::steady_clock::now();
  pid_t child = fork();
  if (child < 0) return m;
  if (child == 0) {
    execl(program.c_str(), program.c_str(), input.c_str(), output.c_str(),
          static_cast<char*>(nullptr));
    _exit(127);
  }
  int status = 0;
  rusage usage;
  std::memset(&usage, 0, sizeof usage);
  if (wait4(child, &status, 0, &usage) != child) return m;
  m.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  m.cpuSeconds = static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                 static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
  m.peakKiB = usage.ru_maxrss;  // kibibytes on Linux
  m.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
  if (!m.ok) {
    std::fprintf(stderr, "%s failed with status %d\n", program.c_str(),
                 WIFEXITED(status) ? WEXITSTATUS(status) : -1);
  }
  return m;
}

// Compares two files block by block, never holding either whole.
bool sameFiles(const std::string& a, const std::string& b) {
  FILE* fa = std::fopen(a.c_str(), "rb");
  FILE* fb = std::fopen(b.c_str(), "rb");
  bool same = fa && fb;
  static char blockA[1 << 16];
  static char blockB[1 << 16];
  while (same) {
    std::size_t na = std::fread(blockA, 1, sizeof blockA, fa);
    std::size_t nb = std::fread(blockB, 1, sizeof blockB, fb);
    if (na != nb || std::memcmp(blockA, blockB, na) != 0) same = false;
    if (na == 0) break;
  }
  if (fa) std::fclose(fa);
  if (fb) std::fclose(fb);
  return same;
}

void report(const char* name, const Measure& m, double targetSeconds, bool* met) {
  bool fast = m.seconds < targetSeconds;
  bool small = m.peakKiB < kPeakMemoryKiB;
  std::printf(
      "%-12s wall %6.3f s (target < %.1f s: %s)  cpu %6.3f s  peak %6ld KiB (target < %ld KiB: "
      "%s)\n",
      name, m.seconds, targetSeconds, fast ? "met" : "MISSED", m.cpuSeconds, m.peakKiB,
      kPeakMemoryKiB, small ? "met" : "MISSED");
  if (!fast || !small) *met = false;
}

}  // namespace

int main(int argc, char** argv) {
  std::string binDir = argc > 1 ? argv[1] : W3TEXT_BIN_DIR;
  int32_t trees = argc > 2 ? static_cast<int32_t>(std::strtol(argv[2], nullptr, 10)) : 1000000;
  const int32_t others = 1000;
  if (trees < 0) trees = 0;

  std::string pattern = (std::filesystem::temp_directory_path() / "doodads_perftest.XXXXXX").string();
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  if (!mkdtemp(name.data())) {
    std::perror("mkdtemp");
    return 1;
  }
  const std::string dir = name.data();
  const std::string binary = dir + "/war3map.doo";
  const std::string text = dir + "/Doodads.txt";
  const std::string back = dir + "/back.doo";

  int status = 1;
  if (!writeDoodads(binary, trees, others)) {
    std::fprintf(stderr, "cannot write %s\n", binary.c_str());
  } else {
    std::error_code ignored;
    std::printf("doodads file: %d trees, %d others, %ju bytes\n", trees, others,
                static_cast<uintmax_t>(std::filesystem::file_size(binary, ignored)));
    Measure toText = run(binDir + "/doodads2txt", binary, text);
    Measure toBinary;
    if (toText.ok) {
      std::printf("text file: %ju bytes\n",
                  static_cast<uintmax_t>(std::filesystem::file_size(text, ignored)));
      toBinary = run(binDir + "/txt2doodads", text, back);
    }
    if (toText.ok && toBinary.ok) {
      bool met = true;
      report("doodads2txt", toText, kDoodadsToTextSeconds, &met);
      report("txt2doodads", toBinary, kTextToDoodadsSeconds, &met);
      bool same = sameFiles(binary, back);
      std::printf("round trip: %s\n", same ? "byte for byte" : "DIFFERS");
      status = !same ? 1 : met ? 0 : 2;
    }
  }
  std::error_code ignored;
  std::filesystem::remove_all(dir, ignored);
  return status;
}
