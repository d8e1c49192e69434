// What every quorvel-tools command works with: the output streams, the text encoding of the
// command line (UTF-8 or raw code page 1253), the program folder's file locations, and the
// session with the entry index and description header, loaded when a command first asks for
// them.
#pragma once

#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "core/EntryIndex.h"
#include "core/FileSystem.h"
#include "core/Locations.h"
#include "core/Session.h"

namespace quorvel::tools {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;  // a failure the command reports
inline constexpr int kExitUsage = 2;    // a usage error; the usage goes to standard error

// Text arguments and printed text: UTF-8 by default, raw code page 1253 bytes with --cp1253.
class TextEncoding {
 public:
  explicit TextEncoding(bool raw) : raw_(raw) {}
  bool raw() const { return raw_; }
  // A text argument as code page 1253 (characters the code page lacks become "?").
  std::string FromArgument(std::string_view argument) const;
  // Code page 1253 text as it is printed.
  std::string ToOutput(std::string_view text) const;

 private:
  bool raw_;
};

struct Command;

class ToolContext {
 public:
  // `locations` are the program folder's, already with `userDir` (--user-dir) applied.
  // `callerDir` is the folder the tool was called in, absolute.
  ToolContext(std::ostream& out, std::ostream& err, TextEncoding encoding, Locations locations,
              std::optional<std::string> userDir, std::string callerDir, FileSystem& fs);

  std::ostream& out() { return out_; }
  std::ostream& err() { return err_; }
  const TextEncoding& encoding() const { return encoding_; }
  const Locations& locations() const { return locations_; }
  // The folder given with --user-dir; nothing when the folder was found as the program finds it.
  const std::optional<std::string>& userDir() const { return userDir_; }
  FileSystem& fs() { return fs_; }

  // A command's file or folder argument as an absolute path: a relative one is taken from the
  // folder the tool was called in, which is not the program folder when the tool works in its
  // own (tools/ToolFolder.h). Every argument that names a file or folder goes through here.
  std::string PathArgument(const std::string& argument) const;

  // The whole content of the file `path` through the file system; nothing when it cannot be
  // read.
  std::optional<std::string> ReadWhole(const std::string& path);

  // Prints one line of code page 1253 text (converted for output) and a line feed.
  void PrintLine(std::string_view text);
  // Reports a failure on standard error (the message as it stands: file names and the like) and
  // gives kExitFailure.
  int Fail(std::string_view message);
  // Reports a usage error with the running command's usage and gives kExitUsage.
  int UsageError(std::string_view message);

  // The session, loaded on first use (as the program loads it at start); a load that stops
  // early is reported on standard error, and what was loaded is used.
  Session& session();
  // A command that needs no Greek term says so before it first asks for the session, which then
  // loads the English index alone.
  void LoadEnglishOnly() { parts_ = IndexParts::kEnglishOnly; }
  const Dictionary& dictionary() { return session().dictionary(); }
  // "{" + the description file's decoded header (empty without the file).
  const std::string& rtfHeader() { return session().rtfHeader(); }
  // Reports on standard error what a load left out.
  void WarnAboutLoad(const LoadReport& report);

  // The command being run, for its usage line.
  void SetCommand(const Command* command) { command_ = command; }
  const Command* command() const { return command_; }

 private:
  std::ostream& out_;
  std::ostream& err_;
  TextEncoding encoding_;
  Locations locations_;
  std::optional<std::string> userDir_;
  std::string callerDir_;
  FileSystem& fs_;
  std::unique_ptr<Session> session_;
  IndexParts parts_ = IndexParts::kAll;
  const Command* command_ = nullptr;
};

// A command's arguments: positional words and "--name" options, some taking a value. "--" ends
// the options (everything after it is positional).
class Arguments {
 public:
  // `valued` names the options that take the next word as their value, `flags` those that do
  // not. Nothing (with `error` set) for an unknown option or a missing value.
  static std::optional<Arguments> Parse(const std::vector<std::string>& words,
                                        const std::vector<std::string_view>& flags,
                                        const std::vector<std::string_view>& valued,
                                        std::string& error);

  const std::vector<std::string>& positional() const { return positional_; }
  bool Has(std::string_view option) const;
  // The value of an option given with a value; nothing when it was not given.
  std::optional<std::string> Value(std::string_view option) const;

 private:
  std::vector<std::string> positional_;
  std::vector<std::pair<std::string, std::optional<std::string>>> options_;
};

// `path` as it reads from `folder`: itself when absolute (or empty), else joined to `folder`
// ("." and ".." taken out).
std::string AbsolutePathFrom(const std::string& folder, const std::string& path);

// A decimal number argument in [min, max]; nothing otherwise.
std::optional<int64_t> ParseNumberArgument(std::string_view text, int64_t min, int64_t max);

}  // namespace quorvel::tools
