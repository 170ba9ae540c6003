#pragma once
// The login and password dialogs a database shows when it needs a user's name and password. Like
// the message boxes they are services: the program answers them with a Qt dialog, tests with a
// script (framework/ui/testing). While one is open no form is active.
#include <functional>
#include <optional>

#include "framework/base/AnsiString.h"

struct LoginRequest {
  AnsiString databaseName;
  AnsiString userName;  // shown for the user to keep or change
};

struct LoginAnswer {
  AnsiString userName;
  AnsiString password;
};

// nullopt: the user cancelled.
using LoginPresenter = std::function<std::optional<LoginAnswer>(const LoginRequest&)>;
using PasswordPresenter = std::function<std::optional<AnsiString>(const AnsiString& databaseName)>;

namespace qn::ui {

std::optional<LoginAnswer> showLoginDialog(const LoginRequest& request);
std::optional<AnsiString> showPasswordDialog(const AnsiString& databaseName);

// Put presenters in charge; each answers the one replaced. Empty: the Qt dialogs again.
LoginPresenter setLoginPresenter(LoginPresenter presenter);
PasswordPresenter setPasswordPresenter(PasswordPresenter presenter);

}  // namespace qn::ui
