#include "core/fetch/site_credentials.h"

#include "core/fetch/curl_handle.h"
#include "core/fetch/page_fetcher.h"
#include "core/project/url_rules.h"

#include <utility>

namespace tessaray {

namespace {

// One part of a parsed URL; "" when it is missing.
std::string UrlPart(CURLU* url, CURLUPart part, unsigned flags) {
    char* text = nullptr;
    if (curl_url_get(url, part, &text, flags) != CURLUE_OK || text == nullptr) {
        return {};
    }
    std::string value(text);
    curl_free(text);
    return value;
}

} // namespace

std::string UrlOrigin(const std::string& url) {
    CCurlUrl parsed(curl_url());
    if (!parsed || curl_url_set(parsed.Get(), CURLUPART_URL, url.c_str(), 0) != CURLUE_OK) {
        return {};
    }
    const std::string scheme = ToLowerAscii(UrlPart(parsed.Get(), CURLUPART_SCHEME, 0));
    const std::string host = ToLowerAscii(UrlPart(parsed.Get(), CURLUPART_HOST, 0));
    const std::string port = UrlPart(parsed.Get(), CURLUPART_PORT, CURLU_DEFAULT_PORT);
    if ((scheme != "http" && scheme != "https") || host.empty() || port.empty()) {
        return {};
    }
    return scheme + "://" + host + ":" + port;
}

bool CSiteCredentials::Set(const std::string& origin, std::string user, std::string password,
                           bool bAllowPlainBasic) {
    std::string normal = UrlOrigin(origin);
    if (normal.empty()) {
        return false;
    }
    m_strOrigin = std::move(normal);
    m_strUser = std::move(user);
    m_strPassword = std::move(password);
    m_bAllowPlainBasic = bAllowPlainBasic;
    return true;
}

CSiteCredentials::EAnswer CSiteCredentials::Answer(const SAuthChallenge& challenge,
                                                   std::string& user, std::string& password) const {
    if (m_strOrigin.empty() || challenge.strOrigin != m_strOrigin) {
        return EAnswer::OtherOrigin;
    }
    if (challenge.bPlainBasic && !m_bAllowPlainBasic) {
        return EAnswer::PlainBasic;
    }
    user = m_strUser;
    password = m_strPassword;
    return EAnswer::Given;
}

} // namespace tessaray
