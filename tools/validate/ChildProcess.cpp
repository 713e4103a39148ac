// Child processes with posix_spawn on Linux and CreateProcess on Windows.
#include "tools/validate/ChildProcess.h"

#include <chrono>
#include <thread>

#if defined(_WIN32)
#include <windows.h>
#else
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <climits>
#include <cstring>
extern char** environ;
#endif

namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

}  // namespace

#if defined(_WIN32)

namespace {

std::wstring widen(const std::string& text) {
  if (text.empty()) return {};
  const int size = MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, nullptr, 0);
  std::wstring out(static_cast<size_t>(size), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, out.data(), size);
  out.resize(static_cast<size_t>(size) - 1);
  return out;
}

// Quotes one argument the way the C runtime splits command lines.
std::wstring quoted(const std::wstring& arg) {
  if (!arg.empty() && arg.find_first_of(L" \t\"") == std::wstring::npos) return arg;
  std::wstring out = L"\"";
  size_t backslashes = 0;
  for (wchar_t c : arg) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    out.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
    backslashes = 0;
    out += c;
  }
  out.append(backslashes * 2, L'\\');
  return out + L"\"";
}

}  // namespace

ChildOutcome runChild(const std::string& program, const std::vector<std::string>& args,
                      const std::string& logPath, double timeoutSeconds) {
  ChildOutcome outcome;
  SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  HANDLE log =
      CreateFileW(widen(logPath).c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                  &inherit, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (log == INVALID_HANDLE_VALUE) {
    outcome.error = "cannot open " + logPath;
    return outcome;
  }
  std::wstring commandLine = quoted(widen(program));
  for (const std::string& arg : args)
    commandLine += L" " + quoted(widen(arg));

  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  startup.hStdOutput = log;
  startup.hStdError = log;
  PROCESS_INFORMATION process{};
  // Under wine, starting a process now and then fails with an internal error while many start
  // at once; a few more tries keep that from passing for a fault of the plug-in.
  constexpr int kStartAttempts = 3;
  constexpr auto kStartRetryDelay = std::chrono::milliseconds(200);
  auto start = Clock::now();
  BOOL created = FALSE;
  for (int attempt = 0; attempt < kStartAttempts && !created; ++attempt) {
    if (attempt > 0) std::this_thread::sleep_for(kStartRetryDelay);
    start = Clock::now();
    created = CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr,
                             nullptr, &startup, &process);
  }
  CloseHandle(log);
  if (!created) {
    outcome.error = "cannot start " + program + " (error " + std::to_string(GetLastError()) + ")";
    return outcome;
  }
  outcome.started = true;
  const DWORD waited =
      WaitForSingleObject(process.hProcess, static_cast<DWORD>(timeoutSeconds * 1000.0));
  if (waited != WAIT_OBJECT_0) {
    outcome.timedOut = true;
    TerminateProcess(process.hProcess, 1);
    WaitForSingleObject(process.hProcess, INFINITE);
  }
  DWORD code = 0;
  GetExitCodeProcess(process.hProcess, &code);
  outcome.status = static_cast<int>(code);
  outcome.seconds = secondsSince(start);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return outcome;
}

std::string ownExecutablePath() {
  wchar_t path[MAX_PATH * 4] = {};
  const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH * 4);
  const int size =
      WideCharToMultiByte(CP_UTF8, 0, path, static_cast<int>(length), nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, path, static_cast<int>(length), out.data(), size, nullptr,
                      nullptr);
  return out;
}

#else

ChildOutcome runChild(const std::string& program, const std::vector<std::string>& args,
                      const std::string& logPath, double timeoutSeconds) {
  constexpr auto kPollInterval = std::chrono::milliseconds(5);
  ChildOutcome outcome;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, logPath.c_str(),
                                   O_WRONLY | O_CREAT | O_APPEND, 0644);
  posix_spawn_file_actions_adddup2(&actions, STDOUT_FILENO, STDERR_FILENO);

  std::vector<char*> argv;
  argv.push_back(const_cast<char*>(program.c_str()));
  for (const std::string& arg : args)
    argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);

  pid_t pid = 0;
  const auto start = Clock::now();
  const int spawned = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) {
    outcome.error = "cannot start " + program + " (" + std::strerror(spawned) + ")";
    return outcome;
  }
  outcome.started = true;
  int status = 0;
  for (;;) {
    const pid_t done = waitpid(pid, &status, WNOHANG);
    if (done == pid) break;
    if (done < 0) {
      outcome.error = "lost the child process";
      return outcome;
    }
    if (secondsSince(start) > timeoutSeconds) {
      outcome.timedOut = true;
      kill(pid, SIGKILL);
      waitpid(pid, &status, 0);
      break;
    }
    std::this_thread::sleep_for(kPollInterval);
  }
  outcome.seconds = secondsSince(start);
  if (WIFSIGNALED(status)) {
    outcome.signalled = true;
    outcome.status = WTERMSIG(status);
  } else {
    outcome.status = WEXITSTATUS(status);
  }
  return outcome;
}

std::string ownExecutablePath() {
  char path[PATH_MAX] = {};
  const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
  return length > 0 ? std::string(path, static_cast<size_t>(length)) : std::string();
}

#endif
