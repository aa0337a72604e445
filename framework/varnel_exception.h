// The one exception of a conversion: thrown by a converter's fail() with the
// complete message, position included, and caught only by the program entry.
#ifndef FRAMEWORK_VARNEL_EXCEPTION_H_
#define FRAMEWORK_VARNEL_EXCEPTION_H_

#include <string>
#include <utility>

class VarnelException {
 public:
  explicit VarnelException(std::string message) : message_(std::move(message)) {}
  const std::string& message() const { return message_; }

 private:
  std::string message_;
};

#endif  // FRAMEWORK_VARNEL_EXCEPTION_H_
