// The parent side of a validation run: starts one child process per check, each under a
// watchdog, turns what the child left behind (its verdict, or a crash, or a hang) into one
// line, and ends with a summary.
#pragma once

#include "tools/validate/Options.h"

// Runs the selected checks; returns the process exit status (0 all passed, 1 any failed).
int runChecks(const ValidateOptions& options);

// Child side: runs one check in this process and writes its verdict; returns the exit status.
int runOneCheck(const ValidateOptions& options);
