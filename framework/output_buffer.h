// The write buffer shared by the text and binary writers.
//
// Bytes collect here and reach the stream in large blocks. Every live buffer
// is also flushed when the process exits (the failure paths end the process
// with exit(1)), so a failed conversion leaves on disk everything written
// before the failure.
#ifndef FRAMEWORK_OUTPUT_BUFFER_H_
#define FRAMEWORK_OUTPUT_BUFFER_H_

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>

class OutputBuffer {
 public:
  explicit OutputBuffer(FILE* file);
  ~OutputBuffer();
  OutputBuffer(const OutputBuffer&) = delete;
  OutputBuffer& operator=(const OutputBuffer&) = delete;

  // Hands the buffered bytes to the stream. False when the stream did not
  // take them all; the stream's error indicator is then set too.
  bool flush();

  // Flushes and closes the stream. False when a write or the close failed.
  bool close();

  // Offset from the start of the file of the next byte written.
  int64_t position() const { return flushed_ + used_; }

  // True while no write to the stream has failed.
  bool good() const { return good_; }

  FILE* file() const { return file_; }

 protected:
  void append(const void* data, std::size_t size) {
    if (size <= kCapacity - used_) [[likely]] {
      std::memcpy(buffer_ + used_, data, size);
      used_ += size;
    } else {
      appendSlow(data, size);
    }
  }

  // Overwrites bytes already written at position; seeks in the stream only
  // when they have left the buffer. False when the stream refused them.
  bool patch(int64_t position, const void* data, std::size_t size);

 private:
  friend struct OutputBufferRegistry;
  static constexpr std::size_t kCapacity = 1 << 16;
  void appendSlow(const void* data, std::size_t size);

  FILE* file_;
  int64_t flushed_ = 0;  // offset of buffer_[0] in the file
  std::size_t used_ = 0;
  bool good_ = true;
  OutputBuffer* next_ = nullptr;  // list of live buffers flushed at exit
  OutputBuffer* previous_ = nullptr;
  char buffer_[kCapacity];
};

#endif  // FRAMEWORK_OUTPUT_BUFFER_H_
