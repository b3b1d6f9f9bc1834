#pragma once
// Opening the maker's web site in the user's web browser: the main dialog's
// web-site button and the About dialog's web-address button both come here.

#include <string>

// Hands the maker's web address to the shell; when the shell cannot open it,
// tells the user to type the address into a browser.
void OpenWebsite();
// The same for any address (the tests use addresses of their own).
void OpenWebsite(const std::string& address);

// The message shown when the shell could not open `address`.
std::string WebsiteFailureMessage(const std::string& address);
