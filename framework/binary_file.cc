#include "framework/binary_file.h"

BinaryReader::BinaryReader(FILE* file) : file_(file), base_(0) {
  long start = file_ ? std::ftell(file_) : 0;
  if (start > 0) base_ = start;
}

std::size_t BinaryReader::readSlow(void* data, std::size_t size) {
  char* out = static_cast<char*>(data);
  std::size_t done = 0;
  while (done < size) {
    std::size_t available = end_ - begin_;
    if (available == 0) {
      base_ += static_cast<int64_t>(end_);
      begin_ = end_ = 0;
      std::size_t got = file_ ? std::fread(buffer_, 1, sizeof buffer_, file_) : 0;
      if (got == 0) {
        atEnd_ = true;
        break;
      }
      end_ = got;
      continue;
    }
    std::size_t part = size - done < available ? size - done : available;
    std::memcpy(out + done, buffer_ + begin_, part);
    begin_ += part;
    done += part;
  }
  return done;
}

bool BinaryWriter::patchInt32(int64_t position, int32_t value) {
  unsigned char bytes[4];
  encodeInt32(value, bytes);
  return patch(position, bytes, 4);
}
