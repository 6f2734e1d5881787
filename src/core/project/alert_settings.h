#pragma once

#include <string>

namespace tessaray {

// Where a project's alerts go after a run that made a partner's link worse. Stored in the project
// file's own section "ALERTS" after the others; a project without alerts writes no such section.
// The SMTP password is never held here, only the path of the file it is read from.
struct SAlertSettings {
    std::string strMailTo;       // the mail's recipient
    std::string strSmtpUrl;      // "smtp://host[:port]" (STARTTLS required) or "smtps://..."
    std::string strSmtpUser;     // empty: the server takes mail without log-in
    std::string strPasswordFile; // the file whose first line is the SMTP password
    std::string strWebhookUrl;   // receives the changes as JSON
    bool bDesktopNotice = false;

    bool IsEmpty() const { return *this == SAlertSettings{}; }
    bool operator==(const SAlertSettings&) const = default;
};

} // namespace tessaray
