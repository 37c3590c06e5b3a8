#pragma once

#include <string>

// The start-up benchmark's side of the program: the children it spawns, and what it found.
namespace StartupBench {

// Runs this program as the child of that kind ("bare" or "calc") and returns its exit status.
int runChild(const std::string& kind, char* programName);
// This program, which the benchmark spawns as its children.
void setProgramPath(const char* path);
// Prints the figures of the runs made, if any.
void printSummary();

}  // namespace StartupBench
