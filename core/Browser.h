#pragma once
// The user's web browser, for the links to the maker's pages. The desktop's `xdg-open`, found on
// the search path, stands in for the browser command the other system kept in its registry.
#include "framework/base/AnsiString.h"

// The page OpenWebPage(1) opens.
inline const AnsiString MakerHomePage = "https://www.vantor.example/";

// The browser command's full path; empty, after telling the user, when there is none.
AnsiString GetDefaultBrowserPath();

// Starts the browser on the maker's home page (Kind 1), on its own, in its default window state;
// other kinds open nothing. A browser that cannot be started is reported to the user.
void OpenWebPage(int Kind);
