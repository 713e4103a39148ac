// Running a program as a child process with its output going to a file, and waiting for it
// with a deadline: a child that overruns it is killed.
#pragma once

#include <string>
#include <vector>

struct ChildOutcome {
  bool started = false;
  bool timedOut = false;
  bool signalled = false;  // ended by a signal (POSIX) rather than an exit
  int status = 0;          // exit status, or the signal number
  double seconds = 0.0;    // wall time until it ended or was killed
  std::string error;       // why it could not be started
};

// Runs `program` with `args`, standard output and error appended to `logPath`.
ChildOutcome runChild(const std::string& program, const std::vector<std::string>& args,
                      const std::string& logPath, double timeoutSeconds);

// The path of the running program, for starting copies of itself.
std::string ownExecutablePath();
