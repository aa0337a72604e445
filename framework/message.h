// printf-style formatting of failure messages into a string of any length,
// so a message that quotes a long line or value is never cut or overrun.
#ifndef FRAMEWORK_MESSAGE_H_
#define FRAMEWORK_MESSAGE_H_

#include <cstdarg>
#include <string>

std::string formatMessage(const char* format, ...)
    __attribute__((format(printf, 1, 2)));
std::string formatMessageV(const char* format, va_list args);

#endif  // FRAMEWORK_MESSAGE_H_
