#include "tests/support.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <stdexcept>

#include <gtest/gtest.h>

#ifndef W3TEXT_BIN_DIR
#error "W3TEXT_BIN_DIR must name the folder of the built programs"
#endif
#ifndef W3TEXT_CORPUS_DIR
#error "W3TEXT_CORPUS_DIR must name the folder of the real map files"
#endif

ScratchDir::ScratchDir() {
  const char* base = std::getenv("TMPDIR");
  std::string pattern = std::string(base && *base ? base : "/tmp") + "/w3text.XXXXXX";
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  if (!mkdtemp(name.data())) throw std::runtime_error("mkdtemp failed");
  path_ = name.data();
}

ScratchDir::~ScratchDir() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

std::string ScratchDir::file(const std::string& name) const { return path_ + "/" + name; }
void ScratchDir::write(const std::string& name, const std::string& bytes) const {
  writeFile(file(name), bytes);
}
std::string ScratchDir::read(const std::string& name) const { return readFile(file(name)); }
bool ScratchDir::exists(const std::string& name) const { return fileExists(file(name)); }

std::string readFile(const std::string& path) {
  FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) throw std::runtime_error("cannot read " + path);
  std::string bytes = streamContents(f);
  std::fclose(f);
  return bytes;
}

void writeFile(const std::string& path, const std::string& bytes) {
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) throw std::runtime_error("cannot write " + path);
  std::fwrite(bytes.data(), 1, bytes.size(), f);
  std::fclose(f);
}

bool fileExists(const std::string& path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0;
}

int countLines(const std::string& text, const std::string& start) {
  int count = 0;
  std::string needle = "\n" + start;
  for (std::size_t at = text.find(needle); at != std::string::npos; at = text.find(needle, at + 1)) {
    ++count;
  }
  return count;
}

std::string dos(const std::string& text) {
  std::string out;
  out.reserve(text.size() + text.size() / 16);
  for (char c : text) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

std::string replaced(std::string text, const std::string& from, const std::string& to) {
  std::size_t at = text.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  if (at != std::string::npos) text.replace(at, from.size(), to);
  return text;
}

Bytes& Bytes::i32(int32_t value) {
  uint32_t bits = static_cast<uint32_t>(value);
  for (int i = 0; i < 4; ++i) bytes_ += static_cast<char>(bits >> (8 * i));
  return *this;
}

Bytes& Bytes::f32(float value) {
  int32_t bits;
  std::memcpy(&bits, &value, 4);
  return i32(bits);
}

Bytes& Bytes::u8(int value) {
  bytes_ += static_cast<char>(value);
  return *this;
}

Bytes& Bytes::str(const std::string& text) {
  bytes_ += text;
  bytes_ += '\0';
  return *this;
}

Bytes& Bytes::id(const char (&text)[5]) {
  bytes_.append(text, 4);
  return *this;
}

Bytes& Bytes::raw(const std::string& bytes) {
  bytes_ += bytes;
  return *this;
}

FILE* streamWith(const std::string& bytes) {
  FILE* f = std::tmpfile();
  if (!f) throw std::runtime_error("tmpfile failed");
  std::fwrite(bytes.data(), 1, bytes.size(), f);
  std::rewind(f);
  return f;
}

std::string streamContents(FILE* stream) {
  std::fflush(stream);
  std::rewind(stream);
  std::string bytes;
  char block[1 << 16];
  std::size_t n;
  while ((n = std::fread(block, 1, sizeof block, stream)) > 0) bytes.append(block, n);
  return bytes;
}

std::string programPath(const std::string& program) {
  return std::string(W3TEXT_BIN_DIR) + "/" + program;
}

ProgramRun runProgram(const std::string& program, const std::vector<std::string>& args,
                      const std::string& dir) {
  std::string path = programPath(program);
  // The outputs go to files, not pipes, so that a long message cannot block
  // the child while the parent waits.
  FILE* err = std::tmpfile();
  FILE* out = std::tmpfile();
  pid_t child = fork();
  if (child < 0) throw std::runtime_error("fork failed");
  if (child == 0) {
    if (chdir(dir.c_str()) != 0) _exit(127);
    dup2(fileno(err), 2);
    dup2(fileno(out), 1);
    int devnull = open("/dev/null", O_RDONLY);
    if (devnull >= 0) dup2(devnull, 0);
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(path.c_str()));
    for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    execv(path.c_str(), argv.data());
    _exit(127);
  }
  int status = 0;
  waitpid(child, &status, 0);
  ProgramRun run;
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  run.stdErr = streamContents(err);
  run.stdOut = streamContents(out);
  std::fclose(err);
  std::fclose(out);
  return run;
}

std::string corpusMap(const std::string& map) {
  std::string dir = std::string(W3TEXT_CORPUS_DIR) + "/" + map;
  return fileExists(dir) ? dir : "";
}

std::vector<std::string> corpusMaps() {
  std::vector<std::string> maps;
  DIR* dir = opendir(W3TEXT_CORPUS_DIR);
  if (!dir) return maps;
  while (dirent* entry = readdir(dir)) {
    std::string name = entry->d_name;
    if (name[0] == '.') continue;
    if (fileExists(std::string(W3TEXT_CORPUS_DIR) + "/" + name + "/war3map.w3i") ||
        fileExists(std::string(W3TEXT_CORPUS_DIR) + "/" + name + "/war3map.imp")) {
      maps.push_back(name);
    }
  }
  closedir(dir);
  std::sort(maps.begin(), maps.end());
  return maps;
}
