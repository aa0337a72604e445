// Binary files as the converters read and write them: little-endian fields
// through a block buffer, with the byte offset that failure messages show.
#ifndef FRAMEWORK_BINARY_FILE_H_
#define FRAMEWORK_BINARY_FILE_H_

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "framework/output_buffer.h"

// Little-endian decoding of the four bytes at data.
inline int32_t decodeInt32(const unsigned char* data) {
  return static_cast<int32_t>(static_cast<uint32_t>(data[0]) |
                              static_cast<uint32_t>(data[1]) << 8 |
                              static_cast<uint32_t>(data[2]) << 16 |
                              static_cast<uint32_t>(data[3]) << 24);
}

// Little-endian encoding of value into the four bytes at data.
inline void encodeInt32(int32_t value, unsigned char* data) {
  data[0] = static_cast<unsigned char>(value);
  data[1] = static_cast<unsigned char>(value >> 8);
  data[2] = static_cast<unsigned char>(value >> 16);
  data[3] = static_cast<unsigned char>(value >> 24);
}

// Reader of a binary file opened with "rb".
class BinaryReader {
 public:
  explicit BinaryReader(FILE* file);
  BinaryReader(const BinaryReader&) = delete;
  BinaryReader& operator=(const BinaryReader&) = delete;

  // Reads up to size bytes and returns how many were there. A short read
  // sets the end-of-file indicator and leaves the offset after what it took.
  std::size_t read(void* data, std::size_t size) {
    if (size <= static_cast<std::size_t>(end_ - begin_)) {
      std::memcpy(data, buffer_ + begin_, size);
      begin_ += size;
      return size;
    }
    return readSlow(data, size);
  }

  // The next byte, or -1 at the end of the file (setting the indicator).
  int readByte() {
    if (begin_ < end_) return static_cast<unsigned char>(buffer_[begin_++]);
    unsigned char byte;
    return readSlow(&byte, 1) == 1 ? byte : -1;
  }

  // Offset from the start of the file of the next byte to be read.
  int64_t offset() const { return base_ + begin_; }

  // True once a read has run into the end of the file; never looks ahead.
  bool atEnd() const { return atEnd_; }

  FILE* file() const { return file_; }

 private:
  std::size_t readSlow(void* data, std::size_t size);

  FILE* file_;
  int64_t base_;  // file offset of buffer_[0]
  std::size_t begin_ = 0;
  std::size_t end_ = 0;
  bool atEnd_ = false;
  char buffer_[1 << 16];
};

// Writer of a binary file opened with "wb".
class BinaryWriter : public OutputBuffer {
 public:
  explicit BinaryWriter(FILE* file) : OutputBuffer(file) {}

  // Each returns false when the stream did not take all the bytes.
  bool write(const void* data, std::size_t size) {
    append(data, size);
    return good();
  }
  bool writeInt32(int32_t value) {
    unsigned char bytes[4];
    encodeInt32(value, bytes);
    return write(bytes, 4);
  }

  // Overwrites four bytes at position with value, then goes on writing at
  // the end (the fill-in of a counted list's length).
  bool patchInt32(int64_t position, int32_t value);
};

#endif  // FRAMEWORK_BINARY_FILE_H_
