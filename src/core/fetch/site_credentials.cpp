#include "core/fetch/site_credentials.h"

#include "core/fetch/page_fetcher.h"
#include "core/util/url.h"

#include <utility>

namespace tessaray {

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
