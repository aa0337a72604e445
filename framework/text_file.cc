#include "framework/text_file.h"

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
  std::size_t next = 0;
  const char* literal = format;
  const char* p = format;
  for (; *p; ++p) {
    if (*p != '%') continue;
    write(literal, p - literal);
    char conversion = *++p;
    if (conversion == '%') {
      append("%", 1);
      literal = p + 1;
      continue;
    }
    if (conversion == '\0' || next >= count) {
      // A format that does not match its arguments is a bug in the caller;
      // print nothing for the missing argument rather than read past them.
      literal = conversion ? p + 1 : p;
      if (!conversion) break;
      continue;
    }
    const Arg& arg = args[next++];
    switch (conversion) {
      case 'd':
        if (arg.kind == Arg::kReal) {
          writeInt(static_cast<int32_t>(arg.real));
        } else {
          writeInt(static_cast<int32_t>(arg.integer));
        }
        break;
      case 'x': {
        char digits[kMaxIntChars];
        append(digits, formatHex(digits, static_cast<uint32_t>(arg.integer)) - digits);
        break;
      }
      case 'f':
        writeReal(arg.kind == Arg::kReal ? static_cast<float>(arg.real)
                                         : static_cast<float>(arg.integer));
        break;
      case 's':
        if (arg.kind == Arg::kText) write(arg.text, std::strlen(arg.text));
        break;
      case 'c':
        put(static_cast<char>(arg.integer));
        break;
      default:
        break;
    }
    literal = p + 1;
  }
  write(literal, p - literal);
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
    if (begin_ == end_) {
      buffer_[0] = '\r';
      begin_ = 0;
      end_ = 1 + (file_ ? std::fread(buffer_ + 1, 1, sizeof buffer_ - 1, file_) : 0);
      begin_ = 1;
    }
    if (begin_ < end_ && buffer_[begin_] == '\n') continue;
    line[stored++] = '\r';
  }
  if (!readAny && stored == 0) return -1;
  line[stored] = '\0';
  return static_cast<long>(stored);
}
