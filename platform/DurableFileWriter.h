// The FileWriter of the program: every write reaches the disk (fsync) before it returns, and a
// rename is made durable by flushing its folder.
#pragma once

#include "core/FileWriter.h"

namespace quorvel {

class DurableFileWriter : public FileWriter {
 public:
  Status WriteFile(const std::string& path, std::string_view bytes) override;
  Status ReplaceFile(const std::string& from, const std::string& to) override;
  Status RemoveFile(const std::string& path) override;
  Status SyncFolderOf(const std::string& path) override;
};

}  // namespace quorvel
