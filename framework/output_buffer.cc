#include "framework/output_buffer.h"

#include <cstdlib>

namespace {

// Every buffer still alive; exit() flushes them before stdio closes the
// streams, so the exit(1) of a failure keeps what was written.
OutputBuffer* liveBuffers = nullptr;

}  // namespace

struct OutputBufferRegistry {
  static void link(OutputBuffer* buffer) {
    static const bool registered = (std::atexit(&flushAll), true);
    (void)registered;
    buffer->next_ = liveBuffers;
    if (liveBuffers) liveBuffers->previous_ = buffer;
    liveBuffers = buffer;
  }
  static void unlink(OutputBuffer* buffer) {
    if (buffer->previous_) {
      buffer->previous_->next_ = buffer->next_;
    } else {
      liveBuffers = buffer->next_;
    }
    if (buffer->next_) buffer->next_->previous_ = buffer->previous_;
  }
  static void flushAll() {
    for (OutputBuffer* buffer = liveBuffers; buffer; buffer = buffer->next_) buffer->flush();
  }
};

OutputBuffer::OutputBuffer(FILE* file) : file_(file) {
  if (file_) {
    long start = std::ftell(file_);
    if (start > 0) flushed_ = start;
  }
  OutputBufferRegistry::link(this);
}

OutputBuffer::~OutputBuffer() {
  flush();
  OutputBufferRegistry::unlink(this);
}

bool OutputBuffer::flush() {
  if (!file_ || used_ == 0) return good_;
  if (std::fwrite(buffer_, 1, used_, file_) != used_) good_ = false;
  flushed_ += used_;
  used_ = 0;
  return good_;
}

bool OutputBuffer::close() {
  if (!file_) return good_;
  flush();
  if (std::ferror(file_)) good_ = false;
  if (std::fclose(file_) != 0) good_ = false;
  file_ = nullptr;
  return good_;
}

void OutputBuffer::appendSlow(const void* data, std::size_t size) {
  const char* bytes = static_cast<const char*>(data);
  while (size > 0) {
    if (used_ == kCapacity) flush();
    std::size_t part = kCapacity - used_;
    if (part > size) part = size;
    std::memcpy(buffer_ + used_, bytes, part);
    used_ += part;
    bytes += part;
    size -= part;
  }
}

bool OutputBuffer::patch(int64_t position, const void* data, std::size_t size) {
  if (position >= flushed_ && position + static_cast<int64_t>(size) <= flushed_ + static_cast<int64_t>(used_)) {
    std::memcpy(buffer_ + (position - flushed_), data, size);
    return good_;
  }
  if (!file_ || !flush()) return false;
  int64_t end = flushed_;
  if (std::fseek(file_, static_cast<long>(position), SEEK_SET) != 0) return false;
  bool written = std::fwrite(data, 1, size, file_) == size;
  if (std::fseek(file_, static_cast<long>(end), SEEK_SET) != 0) written = false;
  if (!written) good_ = false;
  return written;
}
