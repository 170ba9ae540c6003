#pragma once
// A second workstation for tests: `qnrecmgr serve` started from beside the test executable,
// spoken to one command and one answer line at a time, or running a script of commands.
#include <sys/types.h>

#include <string>

namespace qn::recmgr::testing {

class ServeChild {
 public:
  ServeChild();
  // A child that runs the commands of the file `script`, its answers thrown away.
  explicit ServeChild(const std::string& script);
  // A child that may write no file beyond `fileSizeLimit` bytes: such a write fails as on a full
  // disk (the signal for it is ignored).
  explicit ServeChild(long fileSizeLimit);
  ~ServeChild();  // ends the child (closing its input), or reaps it after kill
  ServeChild(const ServeChild&) = delete;
  ServeChild& operator=(const ServeChild&) = delete;

  // Sends one command and waits (generously) for its answer line.
  std::string ask(const std::string& command);
  // The status an answer starts with.
  int status(const std::string& command);
  // Sends a command without waiting for its answer; `answer` collects it later.
  void send(const std::string& command);
  std::string answer();
  // Whether an answer line has come (without waiting for one).
  bool answerReady();
  // SIGKILL, and waits until the child is gone.
  void kill();

 private:
  void start(int input, int output);

  pid_t pid_ = -1;
  long fileSizeLimit_ = -1;  // none
  int toChild_ = -1;
  int fromChild_ = -1;
  std::string pending_;  // read but not yet answered
};

}  // namespace qn::recmgr::testing
