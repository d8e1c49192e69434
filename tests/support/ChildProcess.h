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

}  // namespace quorvel::test
