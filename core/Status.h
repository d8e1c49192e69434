// The result of an operation that can fail in an expected way: ok, or an error with a message
// that says what went wrong (for the tools' output and the tests; the windows show their own
// fixed texts).
#pragma once

#include <string>
#include <utility>

namespace quorvel {

class Status {
 public:
  static Status Ok() { return Status(); }
  static Status Error(std::string message) { return Status(std::move(message)); }

  bool ok() const { return !failed_; }
  const std::string& message() const { return message_; }

 private:
  Status() = default;
  explicit Status(std::string message) : failed_(true), message_(std::move(message)) {}

  bool failed_ = false;
  std::string message_;
};

}  // namespace quorvel
