#include "platform/LauncherFolders.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <string>

#include "core/Paths.h"

extern char** environ;

namespace quorvel {
namespace {

std::string Variable(const char* name) {
  const char* value = std::getenv(name);
  return value ? std::string(value) : std::string();
}

// The first line that `xdg-user-dir DESKTOP` prints; empty when it cannot be run or fails.
std::string AskDesktopFolder() {
  int pipeEnds[2];
  if (::pipe2(pipeEnds, O_CLOEXEC) != 0) return {};
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  char program[] = "xdg-user-dir";
  char which[] = "DESKTOP";
  char* argv[] = {program, which, nullptr};
  pid_t child = 0;
  const int spawned = ::posix_spawnp(&child, program, &actions, nullptr, argv, environ);
  posix_spawn_file_actions_destroy(&actions);
  ::close(pipeEnds[1]);
  std::string output;
  if (spawned == 0) {
    char buffer[4096];
    for (;;) {
      const ssize_t n = ::read(pipeEnds[0], buffer, sizeof buffer);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0 || output.size() > 65536) break;
      output.append(buffer, static_cast<size_t>(n));
    }
  }
  ::close(pipeEnds[0]);
  if (spawned != 0) return {};
  int status = 0;
  while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return {};
  output.resize(std::min(output.find('\n'), output.size()));
  // Only an absolute path is a folder; anything else is not an answer.
  return !output.empty() && output.front() == '/' ? output : std::string();
}

}  // namespace

LauncherFolders LauncherFoldersFromEnvironment() {
  const std::string home = Variable("HOME");
  LauncherFolders folders;
  folders.desktop = AskDesktopFolder();
  if (folders.desktop.empty() && !home.empty()) folders.desktop = JoinPath(home, "Desktop");
  const std::string data = Variable("XDG_DATA_HOME");
  if (!data.empty() && data.front() == '/') {
    folders.applications = JoinPath(data, "applications");
  } else if (!home.empty()) {
    folders.applications = JoinPath(home, ".local/share/applications");
  }
  return folders;
}

}  // namespace quorvel
