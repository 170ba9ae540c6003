#include "platform/recmgr/tests/ServeChild.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <stdexcept>

#include "platform/recmgr/tests/RecordManagerApi.h"

namespace qn::recmgr::testing {
namespace {
constexpr int answerTimeoutMs = 60000;
}

ServeChild::ServeChild() : ServeChild(-1L) {}

ServeChild::ServeChild(long fileSizeLimit) : fileSizeLimit_(fileSizeLimit) {
  int in[2], out[2];
  if (::pipe2(in, O_CLOEXEC) != 0 || ::pipe2(out, O_CLOEXEC) != 0) throw std::runtime_error("pipe");
  start(in[0], out[1]);
  toChild_ = in[1];
  fromChild_ = out[0];
  ::signal(SIGPIPE, SIG_IGN);  // a killed child must not take the test with it
}

ServeChild::ServeChild(const std::string& script) {
  const int in = ::open(script.c_str(), O_RDONLY | O_CLOEXEC);
  const int out = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
  if (in < 0 || out < 0) throw std::runtime_error("cannot open " + script);
  start(in, out);
}

void ServeChild::start(int input, int output) {
  const std::string program = programFolder() + "/qnrecmgr";
  pid_ = ::fork();
  if (pid_ < 0) throw std::runtime_error("fork");
  if (pid_ == 0) {
    ::dup2(input, 0);
    ::dup2(output, 1);
    if (fileSizeLimit_ >= 0) {
      const rlimit limit{static_cast<rlim_t>(fileSizeLimit_), static_cast<rlim_t>(fileSizeLimit_)};
      ::setrlimit(RLIMIT_FSIZE, &limit);
      ::signal(SIGXFSZ, SIG_IGN);  // stays ignored across exec
    }
    ::execl(program.c_str(), program.c_str(), "serve", static_cast<char*>(nullptr));
    ::_exit(127);
  }
  ::close(input);
  ::close(output);
}

ServeChild::~ServeChild() {
  if (toChild_ >= 0) ::close(toChild_);
  if (fromChild_ >= 0) ::close(fromChild_);
  if (pid_ > 0) ::waitpid(pid_, nullptr, 0);
}

void ServeChild::send(const std::string& command) {
  const std::string line = command + "\n";
  size_t written = 0;
  while (written < line.size()) {
    const ssize_t n = ::write(toChild_, line.data() + written, line.size() - written);
    if (n <= 0) throw std::runtime_error("the serve child is gone");
    written += static_cast<size_t>(n);
  }
}

std::string ServeChild::answer() {
  for (;;) {
    if (const size_t end = pending_.find('\n'); end != std::string::npos) {
      std::string line = pending_.substr(0, end);
      pending_.erase(0, end + 1);
      return line;
    }
    pollfd p{fromChild_, POLLIN, 0};
    if (::poll(&p, 1, answerTimeoutMs) <= 0) throw std::runtime_error("the serve child did not answer");
    char buffer[4096];
    const ssize_t n = ::read(fromChild_, buffer, sizeof buffer);
    if (n <= 0) throw std::runtime_error("the serve child ended");
    pending_.append(buffer, static_cast<size_t>(n));
  }
}

bool ServeChild::answerReady() {
  if (pending_.find('\n') != std::string::npos) return true;
  pollfd p{fromChild_, POLLIN, 0};
  if (::poll(&p, 1, 0) <= 0) return false;
  char buffer[4096];
  const ssize_t n = ::read(fromChild_, buffer, sizeof buffer);
  if (n <= 0) throw std::runtime_error("the serve child ended");
  pending_.append(buffer, static_cast<size_t>(n));
  return pending_.find('\n') != std::string::npos;
}

std::string ServeChild::ask(const std::string& command) {
  send(command);
  return answer();
}

int ServeChild::status(const std::string& command) {
  const std::string line = ask(command);
  return std::stoi(line.substr(0, line.find(' ')));
}

void ServeChild::kill() {
  ::kill(pid_, SIGKILL);
  ::waitpid(pid_, nullptr, 0);
  pid_ = -1;
}

}  // namespace qn::recmgr::testing
