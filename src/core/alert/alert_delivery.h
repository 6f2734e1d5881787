#pragma once

#include "core/alert/alert.h"
#include "core/history/history_db.h"
#include "core/project/alert_settings.h"

#include <cstdint>
#include <string>
#include <vector>

namespace tessaray {

// How deliveries reach their servers. Every delivery is bounded by the time-outs.
struct SDeliveryOptions {
    std::string strCaFile; // certificates to trust instead of the system's; empty: the system's
    long nConnectTimeoutSeconds = 10;
    long nTimeoutSeconds = 30;
};

// Why the settings cannot be used (in English), or "" when they can: a mail needs an address
// and an smtp:// or smtps:// server without a password in its URL; a webhook an http(s) URL.
std::string CheckAlertSettings(const SAlertSettings& settings);

// Mails the alert to settings.strMailTo (also its sender) through settings.strSmtpUrl: smtp://
// only with STARTTLS, smtps:// with TLS from the start; logged in as strSmtpUser with the first
// line of strPasswordFile. The text is the alert's text; changes.json (and report.json when
// strReportJson is not empty) are attached. The password appears in no message.
SDelivery SendAlertMail(const SAlertSettings& settings, const SAlert& alert,
                        const std::string& strReportJson, const SDeliveryOptions& options);

// POSTs the alert's JSON to url (Content-Type application/json); a status of 300 or more fails.
// The target kept is the URL's origin: the paths of chat tools' hooks hold their secret.
SDelivery PostAlertWebhook(const std::string& url, const SAlert& alert,
                           const SDeliveryOptions& options);

// Shows the alert as a desktop notification on the session bus (org.freedesktop.Notifications)
// with a "default" action that opens the project; *pNoticeId := the notification's id.
SDelivery ShowDesktopNotice(const SAlert& alert, char chLanguage, std::uint32_t* pNoticeId);

// Delivers the alert everywhere settings name (mail, webhook, desktop notice, in that order); the
// deliveries carry no run id yet. *pNoticeId := the desktop notice's id, 0 when none was shown.
std::vector<SDelivery> DeliverAlert(const SAlertSettings& settings, const SAlert& alert,
                                    const std::string& strReportJson, char chLanguage,
                                    const SDeliveryOptions& options, std::uint32_t* pNoticeId);

// Stores the deliveries with the run nRunId in the history of the project at strProjectPath:
// "" or why they could not be stored.
std::string RecordDeliveries(const std::string& strProjectPath, std::int64_t nRunId,
                             std::vector<SDelivery> deliveries);

// Waits on the session bus until the notice nNoticeId is clicked (true) or closed, or
// nTimeoutSeconds pass (false).
bool WaitForNoticeClick(std::uint32_t nNoticeId, int nTimeoutSeconds);

} // namespace tessaray
