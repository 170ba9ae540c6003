#pragma once
// Scripts for the framework's other services, for tests. While an object lives it stands in for
// its service: the login and password dialogs answer what the test expects (a dialog nobody
// expected, and an expected dialog that never appeared, fail the test); help requests and
// tooltips are recorded.
#include <deque>
#include <optional>
#include <vector>

#include "framework/ui/HelpService.h"
#include "framework/ui/HintService.h"
#include "framework/ui/LoginDialogs.h"

namespace qn::ui::testing {

class ScriptedLoginDialogs {
 public:
  ScriptedLoginDialogs();
  ~ScriptedLoginDialogs();
  ScriptedLoginDialogs(const ScriptedLoginDialogs&) = delete;
  ScriptedLoginDialogs& operator=(const ScriptedLoginDialogs&) = delete;

  // The next login dialog, for that database, answers the user and password (nullopt: Cancel).
  ScriptedLoginDialogs& expectLogin(const AnsiString& databaseName, std::optional<LoginAnswer> answer);
  // The next password dialog, for that database, answers the password (nullopt: Cancel).
  ScriptedLoginDialogs& expectPassword(const AnsiString& databaseName, std::optional<AnsiString> answer);

  // Every login dialog shown so far (the user name it offered included).
  const std::vector<LoginRequest>& loginsShown() const { return logins_; }

 private:
  struct Expected {
    bool login;
    AnsiString databaseName;
    std::optional<LoginAnswer> answer;
  };
  const Expected* next(bool login, const AnsiString& databaseName);

  std::deque<Expected> expected_;
  Expected current_;
  std::vector<LoginRequest> logins_;
  LoginPresenter previousLogin_;
  PasswordPresenter previousPassword_;
};

class RecordedHelp {
 public:
  RecordedHelp();
  ~RecordedHelp();
  RecordedHelp(const RecordedHelp&) = delete;
  RecordedHelp& operator=(const RecordedHelp&) = delete;
  const std::vector<HelpRequest>& requests() const { return requests_; }

 private:
  std::vector<HelpRequest> requests_;
  HelpPresenter previous_;
};

class RecordedTooltips {
 public:
  RecordedTooltips();
  ~RecordedTooltips();
  RecordedTooltips(const RecordedTooltips&) = delete;
  RecordedTooltips& operator=(const RecordedTooltips&) = delete;
  // The texts shown, in order.
  const std::vector<AnsiString>& shown() const { return shown_; }

 private:
  std::vector<AnsiString> shown_;
  TooltipPresenter previous_;
};

}  // namespace qn::ui::testing
