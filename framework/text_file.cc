#include "framework/text_file.h"

#include <cstring>

void TextWriter::write(const char* data, std::size_t size) {
  const char* end = data + size;
  while (data < end) {
    const char* feed = static_cast<const char*>(std::memchr(data, '\n', end - data));
    if (!feed) {
      append(data, end - data);
      return;
    }
    append(data, feed - data);
    append("\r\n", 2);
    data = feed + 1;
  }
}

void TextWriter::printArgs(const char* format, const Arg* args, std::size_t count) {
  // The line is put together in a local buffer and handed over in one
  // piece; only a long %s argument goes straight through.
  char staged[512];
  std::size_t used = 0;
  std::size_t next = 0;
  for (const char* p = format; *p; ++p) {
    if (used > sizeof staged - kMaxRealChars - 2) {
      append(staged, used);
      used = 0;
    }
    char c = *p;
    if (c != '%') {
      if (c == '\n') staged[used++] = '\r';
      staged[used++] = c;
      continue;
    }
    char conversion = *++p;
    if (conversion == '\0') break;
    if (conversion == '%') {
      staged[used++] = '%';
      continue;
    }
    // A format that does not match its arguments is a bug in the caller:
    // print nothing for a missing argument rather than read past them.
    if (next >= count) continue;
    const Arg& arg = args[next++];
    switch (conversion) {
      case 'd': {
        int64_t value = arg.kind == Arg::kReal ? static_cast<int64_t>(arg.real) : arg.integer;
        used = formatInt(staged + used, static_cast<int32_t>(value)) - staged;
        break;
      }
      case 'x':
        used = formatHex(staged + used, static_cast<uint32_t>(arg.integer)) - staged;
        break;
      case 'f': {
        float value = arg.kind == Arg::kReal ? static_cast<float>(arg.real)
                                             : static_cast<float>(arg.integer);
        used = formatReal(staged + used, value) - staged;
        break;
      }
      case 'c':
        if (arg.integer == '\n') staged[used++] = '\r';
        staged[used++] = static_cast<char>(arg.integer);
        break;
      case 's': {
        if (arg.kind != Arg::kText) break;
        std::size_t length = std::strlen(arg.text);
        if (2 * length <= sizeof staged - kMaxRealChars - 2 - used) {
          for (const char* t = arg.text; *t; ++t) {
            if (*t == '\n') staged[used++] = '\r';
            staged[used++] = *t;
          }
        } else {
          append(staged, used);
          used = 0;
          write(arg.text, length);
        }
        break;
      }
      default:
        break;
    }
  }
  append(staged, used);
}

bool TextReader::fill() {
  if (begin_ < end_) return true;
  begin_ = end_ = 0;
  std::size_t got = file_ ? std::fread(buffer_, 1, sizeof buffer_, file_) : 0;
  end_ = got;
  return got > 0;
}

long TextReader::readLine(char* line, std::size_t capacity) {
  if (capacity == 0) return 0;
  std::size_t limit = capacity - 1;
  if (limit == 0) {
    // Room for the terminator alone: an empty piece, not the end of the file.
    line[0] = '\0';
    return 0;
  }
  std::size_t stored = 0;
  bool readAny = false;
  while (stored < limit) {
    if (begin_ == end_ && !fill()) {
      atEnd_ = true;
      break;
    }
    readAny = true;
    // Copy a run of ordinary characters at once.
    std::size_t room = limit - stored;
    std::size_t available = end_ - begin_;
    std::size_t span = available < room ? available : room;
    const char* start = buffer_ + begin_;
    std::size_t run = 0;
    while (run < span && start[run] != '\n' && start[run] != '\r') ++run;
    std::memcpy(line + stored, start, run);
    stored += run;
    begin_ += run;
    if (run == span) continue;
    char c = buffer_[begin_];
    if (c == '\n') {
      line[stored++] = '\n';
      ++begin_;
      break;
    }
    // A carriage return: dropped when a line feed follows, else kept. The
    // line feed may lie in the next block.
    ++begin_;
    if (begin_ == end_) fill();
    if (begin_ < end_ && buffer_[begin_] == '\n') continue;
    line[stored++] = '\r';
  }
  if (!readAny && stored == 0) return -1;
  line[stored] = '\0';
  return static_cast<long>(stored);
}
