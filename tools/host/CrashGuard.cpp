// Crash handlers: POSIX signals on Linux, the unhandled-exception filter on Windows. The
// handlers only format into fixed buffers and write once, so they are safe to run after a
// fault.
#include "tools/host/CrashGuard.h"

#include <csignal>
#include <cstddef>
#include <cstring>
#include <initializer_list>

#if defined(_WIN32)
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace crashguard {
namespace {

constexpr size_t kNameSize = 128;
constexpr size_t kPathSize = 1024;
constexpr size_t kMessageSize = kNameSize + kPathSize + 256;

char programText[kNameSize] = "host";
char pluginText[kPathSize] = "";
char discardPath[kPathSize] = "";
int exitStatus = 3;
const char* volatile stageWhat = nullptr;
volatile int32_t stageOpcode = -1;

void copyBounded(char* out, size_t capacity, const char* text) {
  std::strncpy(out, text != nullptr ? text : "", capacity - 1);
  out[capacity - 1] = '\0';
}

// A tiny appender, because printf-style formatting is not safe inside a signal handler.
struct Message {
  char text[kMessageSize];
  size_t length = 0;
  void add(const char* s) {
    while (*s != '\0' && length + 1 < sizeof text)
      text[length++] = *s++;
    text[length] = '\0';
  }
  void addNumber(unsigned long long n, unsigned base) {
    char digits[24];
    size_t count = 0;
    do {
      digits[count++] = "0123456789abcdef"[n % base];
      n /= base;
    } while (n != 0 && count < sizeof digits);
    char reversed[24];
    for (size_t i = 0; i < count; ++i)
      reversed[i] = digits[count - 1 - i];
    reversed[count] = '\0';
    add(reversed);
  }
};

void compose(Message& m, const char* fault) {
  m.add(programText);
  m.add(": ");
  if (stageWhat != nullptr) {
    m.add("the plug-in ");
    m.add(pluginText[0] != '\0' ? pluginText : "(unnamed)");
    m.add(" crashed (");
    m.add(fault);
    m.add(") in ");
    m.add(stageWhat);
    if (stageOpcode >= 0) {
      m.add(" opcode ");
      m.addNumber(static_cast<unsigned long long>(stageOpcode), 10);
    }
  } else {
    m.add("crashed (");
    m.add(fault);
    m.add(") outside the plug-in");
  }
  m.add("\n");
}

#if defined(_WIN32)

void writeAndExit(const Message& m) {
  if (discardPath[0] != '\0') DeleteFileA(discardPath);  // fails while the file is open
  DWORD written = 0;
  WriteFile(GetStdHandle(STD_ERROR_HANDLE), m.text, static_cast<DWORD>(m.length), &written,
            nullptr);
  TerminateProcess(GetCurrentProcess(), static_cast<UINT>(exitStatus));
}

const char* exceptionName(DWORD code) {
  switch (code) {
    case EXCEPTION_ACCESS_VIOLATION:
      return "access violation";
    case EXCEPTION_ILLEGAL_INSTRUCTION:
      return "illegal instruction";
    case EXCEPTION_INT_DIVIDE_BY_ZERO:
      return "integer division by zero";
    case EXCEPTION_STACK_OVERFLOW:
      return "stack overflow";
    case EXCEPTION_IN_PAGE_ERROR:
      return "page error";
    case EXCEPTION_DATATYPE_MISALIGNMENT:
      return "misaligned access";
    default:
      return nullptr;
  }
}

LONG WINAPI onUnhandledException(EXCEPTION_POINTERS* info) {
  const DWORD code = info != nullptr && info->ExceptionRecord != nullptr
                         ? info->ExceptionRecord->ExceptionCode
                         : 0;
  const char* name = exceptionName(code);
  Message m;
  if (name != nullptr) {
    compose(m, name);
  } else {
    Message fault;
    fault.add("exception 0x");
    fault.addNumber(code, 16);
    compose(m, fault.text);
  }
  writeAndExit(m);
  return EXCEPTION_EXECUTE_HANDLER;
}

void onAbort(int) {
  Message m;
  compose(m, "aborted");
  writeAndExit(m);
}

void installHandlers() {
  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
  SetUnhandledExceptionFilter(onUnhandledException);
  std::signal(SIGABRT, onAbort);
}

#else

constexpr size_t kAltStackSize = 64 * 1024;
alignas(16) char altStack[kAltStackSize];

const char* signalName(int signal) {
  switch (signal) {
    case SIGSEGV:
      return "segmentation fault";
    case SIGBUS:
      return "bus error";
    case SIGFPE:
      return "arithmetic exception";
    case SIGILL:
      return "illegal instruction";
    case SIGABRT:
      return "aborted";
    default:
      return "fatal signal";
  }
}

void onSignal(int signal) {
  Message m;
  compose(m, signalName(signal));
  if (discardPath[0] != '\0') unlink(discardPath);
  ssize_t ignored = write(STDERR_FILENO, m.text, m.length);
  (void)ignored;
  _exit(exitStatus);
}

void installHandlers() {
  // A stack of its own, so that a stack overflow can still be reported.
  stack_t stack{};
  stack.ss_sp = altStack;
  stack.ss_size = sizeof altStack;
  sigaltstack(&stack, nullptr);
  struct sigaction action {};
  action.sa_handler = onSignal;
  action.sa_flags = SA_ONSTACK | SA_RESETHAND;
  sigemptyset(&action.sa_mask);
  for (int signal : {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT})
    sigaction(signal, &action, nullptr);
}

#endif

}  // namespace

void install(const char* programName, int exitCode) {
  copyBounded(programText, sizeof programText, programName);
  exitStatus = exitCode;
  installHandlers();
}

void setPlugin(const char* pluginPath) {
  copyBounded(pluginText, sizeof pluginText, pluginPath);
}

void setDiscardFile(const char* path) {
  copyBounded(discardPath, sizeof discardPath, path);
}

Stage::Stage(const char* what, int32_t opcode)
    : previousWhat_(stageWhat), previousOpcode_(stageOpcode) {
  stageWhat = what;
  stageOpcode = opcode;
}

Stage::~Stage() {
  stageWhat = previousWhat_;
  stageOpcode = previousOpcode_;
}

}  // namespace crashguard
