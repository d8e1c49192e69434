#include "core/FileWriter.h"

#include <filesystem>
#include <fstream>
#include <system_error>

namespace quorvel {

Status StdFileWriter::WriteFile(const std::string& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out) return Status::IoError("cannot create " + path);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.flush();
  if (!out) return Status::IoError("cannot write " + path);
  return Status::Ok();
}

Status StdFileWriter::ReplaceFile(const std::string& from, const std::string& to) {
  std::error_code error;
  std::filesystem::rename(from, to, error);
  if (error) return Status::IoError("cannot rename " + from + " to " + to + ": " + error.message());
  return Status::Ok();
}

Status StdFileWriter::RemoveFile(const std::string& path) {
  std::error_code error;
  std::filesystem::remove(path, error);
  if (error) return Status::IoError("cannot remove " + path + ": " + error.message());
  return Status::Ok();
}

}  // namespace quorvel
