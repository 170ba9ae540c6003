#include "framework/ui/testing/ScriptedServices.h"

#include <gtest/gtest.h>

namespace qn::ui::testing {

ScriptedLoginDialogs::ScriptedLoginDialogs()
    : previousLogin_(setLoginPresenter([this](const LoginRequest& request) -> std::optional<LoginAnswer> {
        logins_.push_back(request);
        const Expected* e = next(true, request.databaseName);
        return e ? e->answer : std::nullopt;
      })),
      previousPassword_(setPasswordPresenter([this](const AnsiString& databaseName) -> std::optional<AnsiString> {
        const Expected* e = next(false, databaseName);
        if (!e || !e->answer) return std::nullopt;
        return e->answer->password;
      })) {}

ScriptedLoginDialogs::~ScriptedLoginDialogs() {
  setLoginPresenter(std::move(previousLogin_));
  setPasswordPresenter(std::move(previousPassword_));
  for (const Expected& e : expected_)
    ADD_FAILURE() << "an expected " << (e.login ? "login" : "password") << " dialog for \"" << e.databaseName
                  << "\" never appeared";
}

ScriptedLoginDialogs& ScriptedLoginDialogs::expectLogin(const AnsiString& databaseName, std::optional<LoginAnswer> answer) {
  expected_.push_back({true, databaseName, std::move(answer)});
  return *this;
}

ScriptedLoginDialogs& ScriptedLoginDialogs::expectPassword(const AnsiString& databaseName,
                                                           std::optional<AnsiString> answer) {
  std::optional<LoginAnswer> carried;
  if (answer) carried = LoginAnswer{{}, *answer};
  expected_.push_back({false, databaseName, std::move(carried)});
  return *this;
}

const ScriptedLoginDialogs::Expected* ScriptedLoginDialogs::next(bool login, const AnsiString& databaseName) {
  const char* kind = login ? "login" : "password";
  if (expected_.empty()) {
    ADD_FAILURE() << "an unexpected " << kind << " dialog for \"" << databaseName << "\" appeared";
    return nullptr;
  }
  current_ = expected_.front();
  expected_.pop_front();
  if (current_.login != login)
    ADD_FAILURE() << "a " << kind << " dialog appeared where a " << (current_.login ? "login" : "password")
                  << " dialog was expected";
  if (current_.databaseName != databaseName)
    ADD_FAILURE() << "a " << kind << " dialog for \"" << databaseName << "\" appeared where one for \""
                  << current_.databaseName << "\" was expected";
  return &current_;
}

RecordedHelp::RecordedHelp() : previous_(setHelpPresenter([this](const HelpRequest& r) { requests_.push_back(r); })) {}
RecordedHelp::~RecordedHelp() { setHelpPresenter(std::move(previous_)); }

RecordedTooltips::RecordedTooltips()
    : previous_(setTooltipPresenter([this](const AnsiString& text, TPoint) { shown_.push_back(text); })) {}
RecordedTooltips::~RecordedTooltips() { setTooltipPresenter(std::move(previous_)); }

}  // namespace qn::ui::testing
