#include "core/alert/alert_delivery.h"

#include "core/fetch/curl_handle.h"

#include <algorithm>
#include <array>
#include <ctime>
#include <fstream>
#include <memory>

namespace tessaray {

namespace {

// The parts of a URL that the checks and the history need.
struct SUrlParts {
    std::string strScheme;
    std::string strHost;
    std::string strPort;
    bool bPassword = false;
};

// False when libcurl cannot parse url or it names no host.
bool ParseUrl(const std::string& url, SUrlParts& parts) {
    CCurlUrl handle(curl_url());
    if (!handle || curl_url_set(handle.Get(), CURLUPART_URL, url.c_str(), 0) != CURLUE_OK) {
        return false;
    }
    const auto part = [&handle](CURLUPart ePart, std::string& out) {
        char* pText = nullptr;
        if (curl_url_get(handle.Get(), ePart, &pText, 0) != CURLUE_OK) {
            return false;
        }
        out = pText;
        curl_free(pText);
        return true;
    };
    std::string password;
    part(CURLUPART_SCHEME, parts.strScheme);
    part(CURLUPART_HOST, parts.strHost);
    part(CURLUPART_PORT, parts.strPort);
    parts.bPassword = part(CURLUPART_PASSWORD, password);
    return !parts.strHost.empty();
}

// "scheme://host[:port]": what a history may show of a URL.
std::string OriginOf(const std::string& url) {
    SUrlParts parts;
    if (!ParseUrl(url, parts)) {
        return "(invalid URL)";
    }
    return parts.strScheme + "://" + parts.strHost +
           (parts.strPort.empty() ? "" : ":" + parts.strPort);
}

// An address fit for the envelope and the headers: no blanks, brackets or line ends.
bool IsPlainAddress(const std::string& address) {
    if (address.empty() || address.find('@') == std::string::npos) {
        return false;
    }
    for (const char ch : address) {
        if (static_cast<unsigned char>(ch) <= ' ' || ch == '<' || ch == '>' || ch == ',' ||
            ch == '"' || ch == 0x7f) {
            return false;
        }
    }
    return true;
}

// A header value as RFC 2047 UTF-8 base64 when it holds more than printable ASCII.
std::string HeaderText(const std::string& text) {
    bool bPlain = true;
    for (const char ch : text) {
        bPlain = bPlain && static_cast<unsigned char>(ch) >= ' ' && ch != 0x7f &&
                 static_cast<unsigned char>(ch) < 0x80;
    }
    if (bPlain) {
        return text;
    }
    static constexpr char kDigits[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string encoded = "=?UTF-8?B?";
    for (std::size_t i = 0; i < text.size(); i += 3) {
        const std::size_t n = std::min<std::size_t>(3, text.size() - i);
        unsigned value = 0;
        for (std::size_t k = 0; k < 3; ++k) {
            value = value << 8U | (k < n ? static_cast<unsigned char>(text[i + k]) : 0U);
        }
        for (std::size_t k = 0; k < 4; ++k) {
            encoded += k <= n ? kDigits[(value >> (18 - 6 * k)) & 0x3fU] : '=';
        }
    }
    return encoded + "?=";
}

// "Tue, 08 Dec 2026 22:40:00 +0000".
std::string MailDate() {
    const std::time_t now = std::time(nullptr);
    std::tm utc{};
    gmtime_r(&now, &utc);
    std::array<char, 64> text{};
    std::strftime(text.data(), text.size(), "%a, %d %b %Y %H:%M:%S +0000", &utc);
    return text.data();
}

// The first line of the file (without its line end); false when it cannot be read.
bool ReadPassword(const std::string& path, std::string& password) {
    std::ifstream file(path, std::ios::binary);
    if (!file || !std::getline(file, password)) {
        return false;
    }
    if (!password.empty() && password.back() == '\r') {
        password.pop_back();
    }
    return true;
}

// The options every delivery sets: time-outs, no signals, certificates, the error buffer.
void SetCommonOptions(CURL* h, const SDeliveryOptions& options, char* pErrorBuffer) {
    curl_easy_setopt(h, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(h, CURLOPT_CONNECTTIMEOUT, options.nConnectTimeoutSeconds);
    curl_easy_setopt(h, CURLOPT_TIMEOUT, options.nTimeoutSeconds);
    curl_easy_setopt(h, CURLOPT_ERRORBUFFER, pErrorBuffer);
    if (!options.strCaFile.empty()) {
        curl_easy_setopt(h, CURLOPT_CAINFO, options.strCaFile.c_str());
    }
}

// libcurl's words for a failed transfer.
std::string CurlFailure(CURLcode eCode, const char* pErrorBuffer) {
    return pErrorBuffer[0] != '\0' ? std::string(pErrorBuffer) : curl_easy_strerror(eCode);
}

struct SMimeFree {
    void operator()(curl_mime* pMime) const { curl_mime_free(pMime); }
};

// Adds a part with data to mime; an attachment when strFileName is not empty.
void AddPart(curl_mime* pMime, const std::string& data, const char* pszType,
             const std::string& strFileName) {
    curl_mimepart* pPart = curl_mime_addpart(pMime);
    curl_mime_data(pPart, data.data(), data.size());
    curl_mime_type(pPart, pszType);
    if (!strFileName.empty()) {
        curl_mime_filename(pPart, strFileName.c_str());
        curl_mime_encoder(pPart, "base64");
    } else {
        curl_mime_encoder(pPart, "quoted-printable");
    }
}

} // namespace

std::string CheckAlertSettings(const SAlertSettings& settings) {
    SUrlParts parts;
    if (!settings.strMailTo.empty() || !settings.strSmtpUrl.empty()) {
        if (!IsPlainAddress(settings.strMailTo)) {
            return "the mail address is missing or not a plain address: " + settings.strMailTo;
        }
        if (!ParseUrl(settings.strSmtpUrl, parts) ||
            (parts.strScheme != "smtp" && parts.strScheme != "smtps")) {
            return "the SMTP server must be an smtp:// (with STARTTLS) or smtps:// URL";
        }
        if (parts.bPassword) {
            return "the SMTP server URL holds a password; give it in a password file instead";
        }
        if (!settings.strPasswordFile.empty() && settings.strSmtpUser.empty()) {
            return "a password file needs an SMTP user";
        }
    }
    if (!settings.strWebhookUrl.empty() &&
        (!ParseUrl(settings.strWebhookUrl, parts) ||
         (parts.strScheme != "http" && parts.strScheme != "https"))) {
        return "the webhook must be an http:// or https:// URL";
    }
    return {};
}

SDelivery SendAlertMail(const SAlertSettings& settings, const SAlert& alert,
                        const std::string& strReportJson, const SDeliveryOptions& options) {
    SDelivery delivery{0, "mail", settings.strMailTo, false, {}};
    if (std::string problem = CheckAlertSettings(settings); !problem.empty()) {
        delivery.strMessage = problem;
        return delivery;
    }
    std::string password;
    if (!settings.strPasswordFile.empty() && !ReadPassword(settings.strPasswordFile, password)) {
        delivery.strMessage = "cannot read the password file " + settings.strPasswordFile;
        return delivery;
    }
    EnsureCurlInitialised();
    CCurlEasy easy(curl_easy_init());
    std::unique_ptr<curl_mime, SMimeFree> mime(curl_mime_init(easy.Get()));
    if (!easy || !mime) {
        delivery.strMessage = "cannot start the mail transfer";
        return delivery;
    }
    CURL* h = easy.Get();
    char errorBuffer[CURL_ERROR_SIZE] = {};
    SetCommonOptions(h, options, errorBuffer);
    curl_easy_setopt(h, CURLOPT_URL, settings.strSmtpUrl.c_str());
    curl_easy_setopt(h, CURLOPT_PROTOCOLS_STR, "smtp,smtps");
    // A plain smtp:// server must switch to TLS, or nothing (least of all the password) is sent.
    curl_easy_setopt(h, CURLOPT_USE_SSL, static_cast<long>(CURLUSESSL_ALL));
    if (!settings.strSmtpUser.empty()) {
        curl_easy_setopt(h, CURLOPT_USERNAME, settings.strSmtpUser.c_str());
        curl_easy_setopt(h, CURLOPT_PASSWORD, password.c_str());
    }
    const std::string envelope = "<" + settings.strMailTo + ">";
    curl_easy_setopt(h, CURLOPT_MAIL_FROM, envelope.c_str());
    CCurlList recipients(curl_slist_append(nullptr, envelope.c_str()));
    curl_easy_setopt(h, CURLOPT_MAIL_RCPT, recipients.Get());

    curl_slist* pHeaders = nullptr;
    for (const std::string& header :
         {"Date: " + MailDate(), "From: Tessaray " + envelope, "To: " + envelope,
          "Subject: " + HeaderText(alert.strTitle)}) {
        curl_slist* pList = curl_slist_append(pHeaders, header.c_str());
        if (pList == nullptr) {
            curl_slist_free_all(pHeaders);
            delivery.strMessage = "cannot start the mail transfer";
            return delivery;
        }
        pHeaders = pList;
    }
    const CCurlList headers(pHeaders);
    curl_easy_setopt(h, CURLOPT_HTTPHEADER, headers.Get());
    AddPart(mime.get(), alert.strText, "text/plain; charset=utf-8", {});
    AddPart(mime.get(), alert.strJson, "application/json", "changes.json");
    if (!strReportJson.empty()) {
        AddPart(mime.get(), strReportJson, "application/json", "report.json");
    }
    curl_easy_setopt(h, CURLOPT_MIMEPOST, mime.get());

    const CURLcode eResult = curl_easy_perform(h);
    delivery.bOk = eResult == CURLE_OK;
    delivery.strMessage = delivery.bOk ? "sent" : CurlFailure(eResult, errorBuffer);
    return delivery;
}

SDelivery PostAlertWebhook(const std::string& url, const SAlert& alert,
                           const SDeliveryOptions& options) {
    SDelivery delivery{0, "webhook", OriginOf(url), false, {}};
    SAlertSettings webhook;
    webhook.strWebhookUrl = url;
    if (std::string problem = CheckAlertSettings(webhook); !problem.empty()) {
        delivery.strMessage = problem;
        return delivery;
    }
    EnsureCurlInitialised();
    CCurlEasy easy(curl_easy_init());
    CCurlList headers(curl_slist_append(nullptr, "Content-Type: application/json"));
    if (!easy || !headers) {
        delivery.strMessage = "cannot start the webhook transfer";
        return delivery;
    }
    CURL* h = easy.Get();
    char errorBuffer[CURL_ERROR_SIZE] = {};
    SetCommonOptions(h, options, errorBuffer);
    curl_easy_setopt(h, CURLOPT_URL, url.c_str());
    curl_easy_setopt(h, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(h, CURLOPT_HTTPHEADER, headers.Get());
    curl_easy_setopt(h, CURLOPT_POSTFIELDS, alert.strJson.c_str());
    curl_easy_setopt(h, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(alert.strJson.size()));
    // The answer's body is not wanted.
    curl_easy_setopt(
        h, CURLOPT_WRITEFUNCTION,
        +[](char*, size_t size, size_t count, void*) { return size * count; });
    const CURLcode eResult = curl_easy_perform(h);
    if (eResult != CURLE_OK) {
        delivery.strMessage = CurlFailure(eResult, errorBuffer);
        return delivery;
    }
    long nStatus = 0;
    curl_easy_getinfo(h, CURLINFO_RESPONSE_CODE, &nStatus);
    delivery.bOk = nStatus >= 200 && nStatus < 300;
    delivery.strMessage = "HTTP " + std::to_string(nStatus);
    return delivery;
}

std::vector<SDelivery> DeliverAlert(const SAlertSettings& settings, const SAlert& alert,
                                    const std::string& strReportJson, char chLanguage,
                                    const SDeliveryOptions& options, std::uint32_t* pNoticeId) {
    std::vector<SDelivery> deliveries;
    if (pNoticeId != nullptr) {
        *pNoticeId = 0;
    }
    if (!settings.strMailTo.empty()) {
        deliveries.push_back(SendAlertMail(settings, alert, strReportJson, options));
    }
    if (!settings.strWebhookUrl.empty()) {
        deliveries.push_back(PostAlertWebhook(settings.strWebhookUrl, alert, options));
    }
    if (settings.bDesktopNotice) {
        deliveries.push_back(ShowDesktopNotice(alert, chLanguage, pNoticeId));
    }
    return deliveries;
}

std::string RecordDeliveries(const std::string& strProjectPath, std::int64_t nRunId,
                             std::vector<SDelivery> deliveries) {
    if (deliveries.empty()) {
        return {};
    }
    CHistoryDb history;
    if (const CHistoryResult opened = history.Open(HistoryPathOf(strProjectPath), false); !opened) {
        return opened.GetError().detail;
    }
    for (SDelivery& delivery : deliveries) {
        delivery.nRunId = nRunId;
        if (const CHistoryResult stored = history.StoreDelivery(delivery); !stored) {
            return stored.GetError().detail;
        }
    }
    return {};
}

} // namespace tessaray
