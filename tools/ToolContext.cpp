#include "tools/ToolContext.h"

#include <algorithm>
#include <filesystem>

#include "core/Cp1253.h"
#include "core/LineReader.h"
#include "core/Paths.h"
#include "core/TextOps.h"
#include "richtext/RtfReader.h"
#include "tools/Commands.h"

namespace quorvel::tools {

std::string TextEncoding::FromArgument(std::string_view argument) const {
  return raw_ ? std::string(argument) : Utf8ToCp1253(argument);
}

std::string TextEncoding::ToOutput(std::string_view text) const {
  return raw_ ? std::string(text) : Cp1253ToUtf8(text);
}

ToolContext::ToolContext(std::ostream& out, std::ostream& err, TextEncoding encoding,
                         Locations locations, std::optional<std::string> userDir, std::string callerDir,
                         FileSystem& fs)
    : out_(out),
      err_(err),
      encoding_(encoding),
      locations_(std::move(locations)),
      userDir_(std::move(userDir)),
      callerDir_(std::move(callerDir)),
      fs_(fs) {}

std::optional<std::string> ToolContext::ReadWhole(const std::string& path) {
  std::string content;
  if (!fs_.ReadFile(path, kMaxDataFileBytes, content).ok()) return std::nullopt;
  return content;
}

std::string ToolContext::PathArgument(const std::string& argument) const {
  return AbsolutePathFrom(callerDir_, argument);
}

void ToolContext::PrintLine(std::string_view text) {
  out_ << encoding_.ToOutput(text) << '\n';
}

int ToolContext::Fail(std::string_view message) {
  err_ << "quorvel-tools: " << message << '\n';
  return kExitFailure;
}

int ToolContext::UsageError(std::string_view message) {
  err_ << "quorvel-tools: " << message << '\n';
  if (command_) err_ << "usage: quorvel-tools [--user-dir DIR] [--cp1253] " << command_->usage << '\n';
  return kExitUsage;
}

Session& ToolContext::session() {
  if (!session_) {
    session_ = std::make_unique<Session>(locations_, fs_, [](std::string_view rtf) {
      return richtext::RtfToPlainText(rtf);
    });
    WarnAboutLoad(session_->Reload(parts_));
  }
  return *session_;
}

void ToolContext::WarnAboutLoad(const LoadReport& report) {
  if (!report.status.ok()) {
    err_ << "quorvel-tools: warning: the index load stopped: " << report.status.message() << '\n';
  }
  if (!report.userLines.ok()) {
    const char* what = report.userLines.code() == StatusCode::kDamaged
                           ? "user lines from a damaged one on were left out: "
                           : "the user files could not be read whole; none are written in this run: ";
    err_ << "quorvel-tools: warning: " << what << report.userLines.message() << '\n';
  }
  if (!report.recovery.ok()) {
    err_ << "quorvel-tools: warning: an interrupted rewrite of the user files could not be finished: "
         << report.recovery.message() << '\n';
  }
}

std::optional<Arguments> Arguments::Parse(const std::vector<std::string>& words,
                                          const std::vector<std::string_view>& flags,
                                          const std::vector<std::string_view>& valued,
                                          std::string& error) {
  Arguments args;
  bool optionsEnded = false;
  for (size_t i = 0; i < words.size(); ++i) {
    const std::string& word = words[i];
    if (optionsEnded || word.size() < 2 || word.compare(0, 2, "--") != 0) {
      args.positional_.push_back(word);
    } else if (word == "--") {
      optionsEnded = true;
    } else if (std::find(flags.begin(), flags.end(), word) != flags.end()) {
      args.options_.emplace_back(word, std::nullopt);
    } else if (std::find(valued.begin(), valued.end(), word) != valued.end()) {
      if (i + 1 >= words.size()) {
        error = word + " needs a value";
        return std::nullopt;
      }
      args.options_.emplace_back(word, words[++i]);
    } else {
      error = "unknown option " + word;
      return std::nullopt;
    }
  }
  return args;
}

bool Arguments::Has(std::string_view option) const {
  return std::any_of(options_.begin(), options_.end(), [&](const auto& o) { return o.first == option; });
}

std::optional<std::string> Arguments::Value(std::string_view option) const {
  // The last one given counts.
  for (auto it = options_.rbegin(); it != options_.rend(); ++it) {
    if (it->first == option) return it->second;
  }
  return std::nullopt;
}

std::string AbsolutePathFrom(const std::string& folder, const std::string& path) {
  if (path.empty() || path.front() == '/') return path;
  return std::filesystem::path(JoinPath(folder, path)).lexically_normal().string();
}

std::optional<int64_t> ParseNumberArgument(std::string_view text, int64_t min, int64_t max) {
  if (text.empty() || text.size() > 18) return std::nullopt;
  int64_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  if (value < min || value > max) return std::nullopt;
  return value;
}

}  // namespace quorvel::tools
