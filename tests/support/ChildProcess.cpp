#include "tests/support/ChildProcess.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "core/LineReader.h"
#include "tests/support/WholeFile.h"

namespace quorvel::test {

ProcessRun RunProgramIn(const std::string& program, const std::string& dir, const std::vector<std::string>& args,
                        unsigned seconds) {
  const std::filesystem::path base = std::filesystem::temp_directory_path() /
                                     ("quorvel-process-" + std::to_string(::getpid()));
  const std::string out = base.string() + ".out";
  const std::string err = base.string() + ".err";
  const pid_t child = ::fork();
  if (child == 0) {
    const int outFd = ::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const int errFd = ::open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (outFd < 0 || errFd < 0 || ::dup2(outFd, 1) < 0 || ::dup2(errFd, 2) < 0 || ::chdir(dir.c_str()) != 0) ::_exit(127);
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    ::alarm(seconds);  // kept across exec: SIGALRM ends the program
    ::execv(program.c_str(), argv.data());
    ::_exit(127);
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  ProcessRun run;
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  run.out = test::ReadWholeFile(out).value_or("");
  run.err = test::ReadWholeFile(err).value_or("");
  std::filesystem::remove(out);
  std::filesystem::remove(err);
  return run;
}

}  // namespace quorvel::test
