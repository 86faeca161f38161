// Runs the built t3dexport as a user would, in a shell, and keeps what it printed and returned.
#pragma once

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <string>
#include <vector>

#include "support/FileText.h"

struct ToolRun {
  int status = -1;  ///< the exit status, or 128 + the signal that ended it
  std::string out;
  std::string err;
};

/// Runs the tool with `args`, after the shell commands `setup` (such as a ulimit).
inline ToolRun RunTool(const std::vector<std::string>& args, const std::string& setup = "") {
  // Tests run side by side: each keeps its own record of standard error.
  const std::string errPath = TestFilePath("tool_stderr_", ".txt");
  std::string command = setup + "exec '" T3D_TOOL "'";
  for (const std::string& arg : args) {
    std::string quoted;
    for (char c : arg) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    command += " '" + quoted + "'";
  }
  command = "sh -c \"" + command + "\" 2>'" + errPath + "'";
  ToolRun run;
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return run;
  char buffer[4096];
  for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) run.out.append(buffer, got);
  const int raw = pclose(pipe);
  run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + (WIFSIGNALED(raw) ? WTERMSIG(raw) : 0);
  run.err = ReadFileText(errPath);
  return run;
}
