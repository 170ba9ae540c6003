#include "core/CompanionPrograms.h"

#include "core/Globals.h"
#include "core/SettingKeys.h"
#include "core/MessageBoxes.h"
#include "framework/base/FileStream.h"
#include "framework/base/StringUtils.h"
#include "platform/os/NamedMutex.h"
#include "platform/os/Paths.h"
#include "platform/os/Process.h"
#include "platform/os/RegistryKey.h"
#include "platform/os/WindowRegistry.h"

namespace {

constexpr int StartUpWait = 10000;

AnsiString shellErrorText(int code) {
  if (code == 2) return "The specified file was not found.";
  if (code == 3) return "The specified path was not found.";
  return "Unknown error.";
}

// The script's one line, with the line end the shell expects.
void writeScript(const AnsiString& script, const AnsiString& commandLine) {
  FileStream file(qn::os::resolvePath(script), fmCreate);
  const std::string line = commandLine + "\n";
  file.Write(line.data(), static_cast<int64_t>(line.size()));
}

// The word in single quotes; a single quote inside ends the quotes, is escaped and reopens them.
AnsiString shellWord(const AnsiString& word) {
  std::string quoted = "'";
  for (char c : word) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

}  // namespace

AnsiString CompanionProgramPath(const AnsiString& Role) {
  qn::os::RegistryKey registry(qn::os::HKEY_LOCAL_MACHINE);
  if (!registry.OpenKeyReadOnly(ProgramsKey) || !registry.ValueExists(Role)) return "";
  const AnsiString name = Trim(registry.ReadString(Role));
  return name.empty() ? AnsiString() : ProgramDir + "/" + name;
}

AnsiString ShellCommandLine(const AnsiString& Program, const std::vector<AnsiString>& Arguments) {
  AnsiString line = shellWord(Program);
  for (const AnsiString& argument : Arguments) line += " " + shellWord(argument);
  return line;
}

bool IsCaseManagerRunning() {
  // The start-up guard holds this mutex while an instance registers its windows.
  qn::os::NamedMutex guard("SingleInstanceProgramHMutex");
  const qn::os::WaitResult waited = guard.wait(StartUpWait);
  if (waited != qn::os::WaitResult::Acquired && waited != qn::os::WaitResult::Abandoned) return false;
  const auto window = qn::os::windowRegistry::find("TEntryF", "Quillon Case Manager Entry and Maintenance Module");
  guard.release();
  return window && window->owner != 0;
}

void RunHiddenBatch(const AnsiString& CommandLine, const AnsiString& NameSuffix, const AnsiString& Intro) {
  const AnsiString script = LookupDataDir + "\\temp" + NameSuffix + ".bat";
  writeScript(script, CommandLine);
  const int answer = qn::os::runHiddenScript(script);
  if (answer > 32) return;
  ShowErrorBox(Intro + "\r\rThe command to launch the required program was: \r\r" + CommandLine +
               "\r\rand the error returned was '" + shellErrorText(answer) + "'\r\rPlease email this image to Vantor, Inc.");
}
