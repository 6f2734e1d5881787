#pragma once

#include <string>

namespace tessaray {

struct SAuthChallenge;

// The user name and password the user gave for one origin. They answer a log-in request of that
// origin only, never one of another host (a partner's robots.txt, a redirect target), and a
// plain-http Basic request only when the user allowed the password to travel readable.
class CSiteCredentials {
public:
    enum class EAnswer {
        Given,       // user and password handed over
        OtherOrigin, // the request came from another origin
        PlainBasic,  // Basic over plain http, not allowed
    };

    // False, with nothing set, when origin is no http or https address.
    bool Set(const std::string& origin, std::string user, std::string password,
             bool bAllowPlainBasic);
    const std::string& GetOrigin() const { return m_strOrigin; }

    EAnswer Answer(const SAuthChallenge& challenge, std::string& user, std::string& password) const;

private:
    std::string m_strOrigin;
    std::string m_strUser;
    std::string m_strPassword;
    bool m_bAllowPlainBasic = false;
};

} // namespace tessaray
