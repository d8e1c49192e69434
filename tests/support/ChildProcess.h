// Runs a program to its end as a process of its own, as a user runs it from a shell: in a given
// folder, with its standard output and error captured, and stopped by an alarm after a time
// limit, so that a program blocked on a file fails a test instead of hanging it.
#pragma once

#include <string>
#include <vector>

namespace quorvel::test {

struct ProcessRun {
  int status = -1;  // the exit status; -1 when the program did not end by itself
  std::string out;
  std::string err;
};

// Runs `program` with `args` (without the program name) in the folder `dir`. The captured
// output is kept outside `dir`, which the program may list or change.
ProcessRun RunProgramIn(const std::string& program, const std::string& dir, const std::vector<std::string>& args,
                        unsigned seconds = 20);

// Starts `program` with `args` in the folder `dir` and returns at once with its process id, for
// a test that kills it or runs it beside another. Its standard output and error go to the files
// `outFile` and `errFile` (an empty name: discarded); `environment` holds NAME=value settings
// added to the test's own.
int StartProgramIn(const std::string& program, const std::string& dir, const std::vector<std::string>& args,
                   const std::string& outFile = "", const std::string& errFile = "",
                   const std::vector<std::string>& environment = {});

// Waits for a process StartProgramIn started: its exit status, or -1 when it did not end by itself.
int WaitForProgram(int pid);

}  // namespace quorvel::test
