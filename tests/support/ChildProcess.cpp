#include "tests/support/ChildProcess.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "core/LineReader.h"
#include "tests/support/WholeFile.h"

namespace quorvel::test {

namespace {

// In the child: the file `name` (or /dev/null for none) as the descriptor `target`.
bool Redirect(const std::string& name, int target) {
  const int fd = name.empty() ? ::open("/dev/null", O_WRONLY) : ::open(name.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  return fd >= 0 && ::dup2(fd, target) >= 0;
}

pid_t Start(const std::string& program, const std::string& dir, const std::vector<std::string>& args,
            const std::string& outFile, const std::string& errFile, const std::vector<std::string>& environment,
            unsigned seconds) {
  const pid_t child = ::fork();
  if (child == 0) {
    if (!Redirect(outFile, 1) || !Redirect(errFile, 2) || ::chdir(dir.c_str()) != 0) ::_exit(127);
    for (const std::string& setting : environment) ::putenv(const_cast<char*>(setting.c_str()));
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    if (seconds > 0) ::alarm(seconds);  // kept across exec: SIGALRM ends the program
    ::execv(program.c_str(), argv.data());
    ::_exit(127);
  }
  return child;
}

}  // namespace

ProcessRun RunProgramIn(const std::string& program, const std::string& dir, const std::vector<std::string>& args,
                        unsigned seconds) {
  const std::filesystem::path base = std::filesystem::temp_directory_path() /
                                     ("quorvel-process-" + std::to_string(::getpid()));
  const std::string out = base.string() + ".out";
  const std::string err = base.string() + ".err";
  ProcessRun run;
  run.status = WaitForProgram(Start(program, dir, args, out, err, {}, seconds));
  run.out = test::ReadWholeFile(out).value_or("");
  run.err = test::ReadWholeFile(err).value_or("");
  std::filesystem::remove(out);
  std::filesystem::remove(err);
  return run;
}

int StartProgramIn(const std::string& program, const std::string& dir, const std::vector<std::string>& args,
                   const std::string& outFile, const std::string& errFile,
                   const std::vector<std::string>& environment) {
  return Start(program, dir, args, outFile, errFile, environment, 0);
}

int WaitForProgram(int pid) {
  int status = 0;
  ::waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace quorvel::test
