#include "core/Installation.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "core/LineReader.h"
#include "core/Locations.h"
#include "core/Paths.h"
#include "core/TextOps.h"

namespace quorvel {
namespace {

// The list of documents is a short text; anything longer is not one.
constexpr uint64_t kMaxContentListBytes = 1 << 20;

// A value of the desktop entry format: backslashes and control characters escaped, a leading
// space kept.
std::string EntryValue(const std::string& text) {
  std::string value;
  for (const char c : text) {
    switch (c) {
      case '\\': value += "\\\\"; break;
      case '\n': value += "\\n"; break;
      case '\t': value += "\\t"; break;
      case '\r': value += "\\r"; break;
      default: value += c;
    }
  }
  if (!value.empty() && value.front() == ' ') value.replace(0, 1, "\\s");
  return value;
}

// One argument of the Exec key: quoted, with the characters that quoting reserves escaped and
// "%" doubled (a field code otherwise).
std::string ExecArgument(const std::string& argument) {
  std::string quoted = "\"";
  for (const char c : argument) {
    if (c == '"' || c == '`' || c == '$' || c == '\\') quoted += '\\';
    if (c == '%') quoted += '%';
    quoted += c;
  }
  return quoted + "\"";
}

// `folder` + "/" + `name` as it is spelled there: `name` itself when something of that name is
// there, else an entry whose name matches it case-insensitively, else `name`. The program
// folder's "data" and "content" are found as the program finds them.
std::string SpelledIn(FileSystem& fs, const std::string& folder, const std::string& name) {
  const std::string spelled = JoinPath(folder, name);
  if (fs.Kind(spelled) != FileKind::kMissing) return spelled;
  std::vector<std::string> names;
  if (!fs.ListFolder(folder, names).ok()) return spelled;
  for (const std::string& entry : names) {
    if (AsciiLower(entry) == AsciiLower(name)) return JoinPath(folder, entry);
  }
  return spelled;
}

// A list line as a path inside the content folder: "\" taken for "/"; nothing when the line
// would leave the folder (an absolute path or a ".." part).
std::optional<std::string> ContentPath(std::string_view line) {
  std::string path(line);
  for (char& c : path) {
    if (c == '\\') c = '/';
  }
  if (path.front() == '/') return std::nullopt;
  size_t start = 0;
  while (start <= path.size()) {
    const size_t end = std::min(path.find('/', start), path.size());
    if (path.compare(start, end - start, "..") == 0) return std::nullopt;
    start = end + 1;
  }
  return path;
}

class Installer {
 public:
  Installer(FileSystem& fs, const std::string& programDir, std::string target)
      : fs_(fs), programDir_(programDir), target_(std::move(target)) {}

  InstallOutcome Run(const LauncherFolders& launchers, const RememberFolder& remember);

 private:
  // A step that reported `status` for `target`: it failed when `target` is not there now.
  void Check(const Status& status, const std::string& target) {
    if (!status.ok() && fs_.Kind(target) == FileKind::kMissing) complete_ = false;
  }
  void Copy(const std::string& from, const std::string& to) { Check(fs_.CopyNew(from, to), to); }
  // Copies the documents that the list names; a list that cannot be read stops the install.
  Status CopyListedDocuments(const std::string& sourceContent, const std::string& targetContent);

  FileSystem& fs_;
  const std::string& programDir_;
  const std::string target_;
  bool complete_ = true;
};

Status Installer::CopyListedDocuments(const std::string& sourceContent,
                                      const std::string& targetContent) {
  std::string list;
  const Status read = fs_.ReadFile(JoinPath(sourceContent, kContentListFileName), kMaxContentListBytes, list);
  if (read.code() == StatusCode::kNotFound) return Status::Ok();
  if (!read.ok()) return read;

  std::string folder;  // the current sub-folder, "" or ending with "/"
  LineReader lines(list);
  while (!lines.AtEnd()) {
    const std::string_view line = lines.Next();
    if (line.empty()) continue;
    const std::optional<std::string> path = ContentPath(line);
    if (!path) {
      complete_ = false;
      continue;
    }
    if (path->back() == '/') {
      folder = *path;
      const std::string made = JoinPath(targetContent, folder.substr(0, folder.size() - 1));
      Check(fs_.MakeFolder(made), made);
    } else {
      Copy(JoinPath(sourceContent, folder + *path), JoinPath(targetContent, folder + *path));
    }
  }
  return Status::Ok();
}

InstallOutcome Installer::Run(const LauncherFolders& launchers, const RememberFolder& remember) {
  InstallOutcome outcome;
  const std::string program = JoinPath(target_, kProgramFileName);
  Copy(programDir_ + kProgramFileName, program);
  const Status writable = fs_.MakeOwnerWritable(program);
  // A program file left read-only would take the installed copy for a read-only medium.
  if (!writable.ok()) complete_ = false;

  const std::string sourceContent = SpelledIn(fs_, programDir_, "content");
  const std::string targetContent = JoinPath(target_, sourceContent.substr(programDir_.size()));
  Check(fs_.MakeFolder(targetContent), targetContent);

  const std::string sourceData = SpelledIn(fs_, programDir_, "data");
  const std::string targetData = SpelledIn(fs_, target_, "Data");
  for (const char* name : {"QuorvelI.tbo", "QuorvelHI.tbo", "Quorvel.tbo"}) {
    Copy(JoinPath(sourceData, name), JoinPath(targetData, name));
  }

  outcome.stop = CopyListedDocuments(sourceContent, targetContent);
  if (!outcome.stop.ok()) return outcome;

  // Launchers and the remembered folder would lead to a program that is not there, and away
  // from the user's entries where they are.
  bool installed = fs_.Kind(program) == FileKind::kRegular;
  for (const char* name : {"QuorvelI.tbo", "QuorvelHI.tbo", "Quorvel.tbo"}) {
    installed = installed && fs_.Kind(JoinPath(targetData, name)) == FileKind::kRegular;
  }
  if (!installed) {
    outcome.finished = true;
    outcome.complete = false;
    return outcome;
  }

  const std::string icon = JoinPath(targetContent, kProgramIconFileName);
  outcome.stop = CreateLaunchers(fs_, launchers, program, target_,
                                 fs_.Kind(icon) == FileKind::kRegular ? icon : std::string());
  if (!outcome.stop.ok()) return outcome;
  if (remember) remember(target_);
  outcome.finished = true;
  outcome.complete = complete_;
  return outcome;
}

}  // namespace

std::string LauncherText(const std::string& program, const std::string& folder,
                         const std::string& icon) {
  std::string text =
      "[Desktop Entry]\n"
      "Type=Application\n"
      "Version=1.0\n"
      "Name=Orvanta\n"
      "GenericName=English-Greek Nautical Dictionary\n"
      "GenericName[el]=Αγγλοελληνικό Ναυτικό Λεξικό\n"
      "Comment=Look up nautical and maritime terms in English and Greek\n"
      "Comment[el]=Αναζήτηση ναυτικών όρων στα αγγλικά και στα ελληνικά\n";
  text += "Exec=" + EntryValue(ExecArgument(program)) + "\n";
  text += "Path=" + EntryValue(folder) + "\n";
  if (!icon.empty()) text += "Icon=" + EntryValue(icon) + "\n";
  text +=
      "Terminal=false\n"
      "Categories=Office;Dictionary;\n";
  return text;
}

Status CreateLaunchers(FileSystem& fs, const LauncherFolders& folders,
                       const std::string& program, const std::string& folder,
                       const std::string& icon) {
  const std::string text = LauncherText(program, folder, icon);
  for (const std::string& place : {folders.desktop, folders.applications}) {
    if (place.empty()) continue;
    Status status = fs.MakeFolders(place);
    const std::string launcher = JoinPath(place, kLauncherFileName);
    const std::string temporary = JoinPath(place, std::string(".") + kLauncherFileName + ".tmp");
    if (status.ok()) status = fs.WriteFile(temporary, text);
    if (status.ok()) status = fs.MakeExecutable(temporary);
    if (status.ok()) status = fs.ReplaceFile(temporary, launcher);
    if (!status.ok()) {
      DiscardTemporary(fs, temporary);
      return status;
    }
  }
  return Status::Ok();
}

InstallOutcome InstallFiles(FileSystem& fs, const std::string& programDir,
                            const std::string& target, const LauncherFolders& launchers,
                            const RememberFolder& remember) {
  const std::string absolute = !target.empty() && target.front() == '/' ? target : programDir + target;
  return Installer(fs, programDir, absolute).Run(launchers, remember);
}

}  // namespace quorvel
