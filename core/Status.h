// The result of an operation that can fail in an expected way: ok, or an error with a code
// that says what kind of failure it was and a message that says where (for the tools' output
// and the tests). Callers decide by the code, never by the message; the windows show their own
// fixed texts.
#pragma once

#include <string>
#include <utility>

namespace quorvel {

enum class StatusCode {
  kOk,
  kNotFound,      // a file, folder or entry that is not there
  kDamaged,       // data that does not read as its format says
  kIoError,       // the system failed a read or a write
  kNoSpace,       // the disk (or its inodes) is full
  kNoPermission,  // the system refused access (permissions, a read-only file system)
  kInUse,         // another program is changing the same files
  kRefused,       // the operation does not apply (an empty headword, a full index, ...)
  kCancelled,     // the user cancelled
  kTooLong,       // a text longer than its stored form can hold
  kChanged,       // another program changed or removed the entry meanwhile
};

class [[nodiscard]] Status {
 public:
  static Status Ok() { return Status(); }
  static Status Error(StatusCode code, std::string message) {
    return Status(code, std::move(message));
  }
  static Status NotFound(std::string message) { return Error(StatusCode::kNotFound, std::move(message)); }
  static Status Damaged(std::string message) { return Error(StatusCode::kDamaged, std::move(message)); }
  static Status IoError(std::string message) { return Error(StatusCode::kIoError, std::move(message)); }
  static Status Refused(std::string message) { return Error(StatusCode::kRefused, std::move(message)); }

  bool ok() const { return code_ == StatusCode::kOk; }
  StatusCode code() const { return code_; }
  const std::string& message() const { return message_; }

 private:
  Status() = default;
  Status(StatusCode code, std::string message) : code_(code), message_(std::move(message)) {}

  StatusCode code_ = StatusCode::kOk;
  std::string message_;
};

}  // namespace quorvel
