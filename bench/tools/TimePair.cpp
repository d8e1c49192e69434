// time-pair: runs two commands in turn, RUNS times each (after two unmeasured runs of each),
// and prints the median wall-clock time and the median CPU time (user + system, from the
// kernel's accounting of the child) of each, and their ratios. Running them in turn spreads the
// noise of a shared machine over both. Their standard output and error go to /dev/null.
//
//   time-pair RUNS COMMAND1 ARGS... -- COMMAND2 ARGS...
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

struct Times {
  std::vector<double> wall;  // milliseconds
  std::vector<double> cpu;
  std::vector<double> user;
  std::vector<double> system;
};

double Milliseconds(const timeval& t) { return t.tv_sec * 1e3 + t.tv_usec / 1e3; }

// One run; false when the command could not be started or did not exit with status 0.
bool RunOnce(const std::vector<char*>& argv, Times* times) {
  const auto start = std::chrono::steady_clock::now();
  const pid_t pid = fork();
  if (pid < 0) return false;
  if (pid == 0) {
    const int null = open("/dev/null", O_WRONLY);
    if (null >= 0) {
      dup2(null, STDOUT_FILENO);
      dup2(null, STDERR_FILENO);
    }
    execvp(argv[0], argv.data());
    _exit(127);
  }
  int status = 0;
  rusage usage{};
  while (wait4(pid, &status, 0, &usage) < 0) {
    if (errno != EINTR) return false;
  }
  const auto end = std::chrono::steady_clock::now();
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return false;
  if (times) {
    const double user = Milliseconds(usage.ru_utime);
    const double system = Milliseconds(usage.ru_stime);
    times->wall.push_back(std::chrono::duration<double, std::milli>(end - start).count());
    times->cpu.push_back(user + system);
    times->user.push_back(user);
    times->system.push_back(system);
  }
  return true;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const size_t n = values.size();
  return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

std::string Joined(const std::vector<char*>& argv) {
  std::string text;
  for (const char* word : argv) {
    if (!word) break;
    if (!text.empty()) text += ' ';
    text += word;
  }
  return text;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<char*> first;
  std::vector<char*> second;
  bool afterMarker = false;
  for (int i = 2; i < argc; ++i) {
    if (!afterMarker && std::strcmp(argv[i], "--") == 0) {
      afterMarker = true;
    } else {
      (afterMarker ? second : first).push_back(argv[i]);
    }
  }
  const int runs = argc > 1 ? std::atoi(argv[1]) : 0;
  if (runs < 1 || first.empty() || second.empty()) {
    std::fprintf(stderr, "usage: time-pair RUNS COMMAND1 ARGS... -- COMMAND2 ARGS...\n");
    return 2;
  }
  first.push_back(nullptr);
  second.push_back(nullptr);

  Times a;
  Times b;
  for (int i = 0; i < runs + 2; ++i) {
    const bool measured = i >= 2;
    if (!RunOnce(first, measured ? &a : nullptr) || !RunOnce(second, measured ? &b : nullptr)) {
      std::fprintf(stderr, "time-pair: a run failed (not started or exit status not 0)\n");
      return 1;
    }
  }

  std::printf("medians of %d runs each, in ms:\n", runs);
  std::printf("%10s %10s %10s %10s  command\n", "wall", "cpu", "user", "system");
  for (const auto& [times, argvOf] : {std::pair{&a, &first}, std::pair{&b, &second}}) {
    std::printf("%10.2f %10.2f %10.2f %10.2f  %s\n", Median(times->wall), Median(times->cpu),
                Median(times->user), Median(times->system), Joined(*argvOf).c_str());
  }
  std::printf("ratio first/second: wall %.2f, cpu %.2f\n", Median(a.wall) / Median(b.wall),
              Median(a.cpu) / Median(b.cpu));
  return 0;
}
