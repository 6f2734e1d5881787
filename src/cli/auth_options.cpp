#include "cli/auth_options.h"

#include "core/fetch/site_credentials.h"
#include "core/util/file_util.h"
#include "core/util/url.h"

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <memory>
#include <termios.h>
#include <unistd.h>

namespace tessaray::cli {

namespace {

// The first line of text, without its line end.
std::string FirstLine(const std::string& text) {
    return text.substr(0, text.find_first_of("\r\n"));
}

// Asks for the password on the terminal with echo off; false when there is no terminal.
bool PromptPassword(const std::string& origin, const std::string& user, std::string& password) {
    const int fd = ::open("/dev/tty", O_RDWR | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        return false;
    }
    const std::string prompt = "Password for " + user + " at " + origin + ": ";
    (void)!::write(fd, prompt.data(), prompt.size());
    termios saved{};
    const bool bTerminal = ::tcgetattr(fd, &saved) == 0;
    if (bTerminal) {
        termios quiet = saved;
        quiet.c_lflag &= ~static_cast<tcflag_t>(ECHO);
        ::tcsetattr(fd, TCSAFLUSH, &quiet);
    }
    password.clear();
    char c = 0;
    bool bRead = false;
    while (::read(fd, &c, 1) == 1 && c != '\n') {
        bRead = true;
        if (c != '\r') {
            password += c;
        }
    }
    if (bTerminal) {
        ::tcsetattr(fd, TCSAFLUSH, &saved);
    }
    (void)!::write(fd, "\n", 1);
    ::close(fd);
    return bRead || c == '\n';
}

bool GetPassword(const SAuthOptions& options, const std::string& origin, std::string& password,
                 std::string& error) {
    if (!options.strPassword.empty()) {
        std::fprintf(stderr,
                     "tessaray-cli: warning: --password can be read by other users of "
                     "this computer (process list); prefer %s or --password-file\n",
                     kPasswordVariable);
        password = options.strPassword;
        return true;
    }
    if (!options.strPasswordFile.empty()) {
        std::string text;
        const CReadResult result = ReadInputFile(options.strPasswordFile, kSettingsFileLimit, text);
        if (!result.Ok()) {
            error = "cannot read the password file " + options.strPasswordFile + ": " +
                    ReadFailureReason(result);
            return false;
        }
        password = FirstLine(text);
        return true;
    }
    if (const char* value = std::getenv(kPasswordVariable); value != nullptr) {
        password = value;
        return true;
    }
    if (PromptPassword(origin, options.strUser, password)) {
        return true;
    }
    error = std::string("no password for --user: set ") + kPasswordVariable +
            ", give --password-file or run on a terminal";
    return false;
}

} // namespace

void AddUserAgentOption(CLI::App& command, std::string& userAgent) {
    command
        .add_option("--user-agent", userAgent,
                    "what the requests say they are (default " +
                        std::string(CFetchSettings::kUserAgent) + ")")
        ->check(CLI::Validator(
            [](const std::string& text) {
                return IsValidUserAgent(text)
                           ? std::string()
                           : std::string("a user agent is 1 to 512 printable ASCII characters");
            },
            "", "user agent"))
        ->type_name("STRING");
}

void AddAuthOptions(CLI::App& command, SAuthOptions& options) {
    auto* auth = command.add_option(
        "--auth", options.strOrigin,
        "the one site (scheme://host[:port]) that gets the log-in; no other host receives it");
    auto* user = command.add_option("--user", options.strUser, "user name for --auth");
    auto* file = command.add_option("--password-file", options.strPasswordFile,
                                    "file whose first line is the password (else the "
                                    "environment variable TESSARAY_PASSWORD, else a prompt)");
    auto* password = command.add_option(
        "--password", options.strPassword,
        "password for --user (visible to other users in the process list; prefer the others)");
    auto* insecure = command.add_flag(
        "--allow-insecure-auth", options.bAllowInsecure,
        "allow Basic authentication over plain http, which sends the password readable");
    auth->needs(user);
    user->needs(auth);
    file->needs(auth);
    password->needs(auth);
    insecure->needs(auth);
    file->excludes(password);
}

bool MakeAuthCallback(const SAuthOptions& options, AuthCallback& callback, std::string& error) {
    callback = nullptr;
    if (options.strOrigin.empty()) {
        return true;
    }
    auto credentials = std::make_shared<CSiteCredentials>();
    if (UrlOrigin(options.strOrigin).empty()) {
        error = "--auth needs an http or https address: " + options.strOrigin;
        return false;
    }
    std::string secret;
    if (!GetPassword(options, UrlOrigin(options.strOrigin), secret, error)) {
        return false;
    }
    credentials->Set(options.strOrigin, options.strUser, std::move(secret), options.bAllowInsecure);
    callback = [credentials](const SAuthChallenge& challenge, std::string& user,
                             std::string& password) {
        switch (credentials->Answer(challenge, user, password)) {
        case CSiteCredentials::EAnswer::Given:
            return true;
        case CSiteCredentials::EAnswer::OtherOrigin:
            std::fprintf(stderr,
                         "tessaray-cli: %s asks for a log-in; the credentials are for %s only\n",
                         challenge.strOrigin.c_str(), credentials->GetOrigin().c_str());
            return false;
        case CSiteCredentials::EAnswer::PlainBasic:
            std::fprintf(stderr,
                         "tessaray-cli: %s asks for Basic authentication over plain http, which "
                         "would send the password readable; not sent (--allow-insecure-auth "
                         "allows it)\n",
                         challenge.strOrigin.c_str());
            return false;
        }
        return false;
    };
    return true;
}

} // namespace tessaray::cli
