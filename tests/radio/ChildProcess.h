#pragma once
// A program of the build run as a child process: its stdout through a pipe, its stderr
// into a file. Every wait is a bounded poll() loop; the destructor ends a child that is
// still running (SIGTERM, then SIGKILL) and reaps it.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <vector>

#include "support/Slurp.h"
#include "support/TempDir.h"

class ChildProcess {
 public:
  static constexpr int kStartMs = 10000;

  ChildProcess(const std::string& program, const std::vector<std::string>& args) {
    stderrPath_ = temp_.Dir() + "stderr.txt";
    int out[2];
    if (::pipe(out) != 0) return;
    pid_ = ::fork();
    if (pid_ == 0) {
      const int errFd = ::open(stderrPath_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
      ::dup2(out[1], STDOUT_FILENO);
      if (errFd >= 0) ::dup2(errFd, STDERR_FILENO);
      ::close(out[0]);
      ::close(out[1]);
      std::vector<char*> argv;
      const std::string path = std::string(RX93_BIN_DIR) + "/" + program;
      argv.push_back(const_cast<char*>(path.c_str()));
      for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
      argv.push_back(nullptr);
      ::execv(path.c_str(), argv.data());
      ::_exit(127);
    }
    ::close(out[1]);
    out_ = out[0];
    ::fcntl(out_, F_SETFL, O_NONBLOCK);
  }
  ~ChildProcess() {
    if (out_ >= 0) ::close(out_);
    if (pid_ <= 0 || status_ >= 0) return;
    ::kill(pid_, SIGTERM);
    if (WaitExit(5000) < 0) {
      ::kill(pid_, SIGKILL);
      ::waitpid(pid_, nullptr, 0);
    }
  }
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  // The first line the child prints, without its line break; empty after the time-out.
  std::string FirstLine(int limitMs = kStartMs) {
    while (stdout_.find('\n') == std::string::npos && Collect(limitMs)) {
    }
    const size_t end = stdout_.find('\n');
    return end == std::string::npos ? std::string() : stdout_.substr(0, end);
  }
  // Everything printed on stdout until the child closed it (or the time-out).
  std::string AllOutput(int limitMs) {
    while (Collect(limitMs)) {
    }
    return stdout_;
  }
  // The exit status once the child ended within limitMs; -1 otherwise.
  int WaitExit(int limitMs) {
    if (status_ >= 0) return status_;
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(limitMs);
    for (;;) {
      int status = 0;
      if (::waitpid(pid_, &status, WNOHANG) == pid_) {
        status_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        return status_;
      }
      if (std::chrono::steady_clock::now() >= end) return -1;
      ::poll(nullptr, 0, 10);
    }
  }
  std::string Stderr() const { return Slurp(stderrPath_); }

 private:
  // Takes what the child printed; false at end of file or when nothing came in time.
  bool Collect(int limitMs) {
    if (out_ < 0) return false;
    pollfd p{out_, POLLIN, 0};
    if (::poll(&p, 1, limitMs) != 1) return false;
    char buffer[4096];
    const ssize_t n = ::read(out_, buffer, sizeof buffer);
    if (n <= 0) return false;
    stdout_.append(buffer, static_cast<size_t>(n));
    return true;
  }

  TempDir temp_;
  std::string stderrPath_;
  pid_t pid_ = -1;
  int out_ = -1;
  int status_ = -1;
  std::string stdout_;
};
