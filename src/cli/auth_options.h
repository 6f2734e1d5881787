#pragma once
// The options of the commands that fetch: log-in credentials for one origin only, the user agent.

#include "core/fetch/page_fetcher.h"

#include <CLI/CLI.hpp>

#include <string>

namespace tessaray::cli {

// Name of the environment variable that may hold the password.
inline constexpr const char* kPasswordVariable = "TESSARAY_PASSWORD";

struct SAuthOptions {
    std::string strOrigin;
    std::string strUser;
    std::string strPassword; // from the command line, where other users can read it
    std::string strPasswordFile;
    bool bAllowInsecure = false;
};

// Adds --auth, --user, --password-file, --password and --allow-insecure-auth to command.
void AddAuthOptions(CLI::App& command, SAuthOptions& options);

// Adds --user-agent STRING to command (printable ASCII only, see IsValidUserAgent).
void AddUserAgentOption(CLI::App& command, std::string& userAgent);

// The callback that answers log-in requests with the credentials of options: only for their
// origin, and Basic over plain http only with --allow-insecure-auth; what it refuses is said on
// stderr. The password comes from --password (with a warning), --password-file, the environment
// variable or a prompt on the terminal, in that order. Empty callback without --auth; false with
// error set when there is no usable origin or password.
bool MakeAuthCallback(const SAuthOptions& options, AuthCallback& callback, std::string& error);

} // namespace tessaray::cli
