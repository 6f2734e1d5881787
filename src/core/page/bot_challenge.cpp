#include "core/page/bot_challenge.h"

#include "core/page/page_signals.h"
#include "core/util/ascii.h"
#include "core/util/byte_search.h"

#include <algorithm>
#include <array>

namespace tessaray {

namespace {

// One sign of a bot wall. A rule matches when the status is one of its statuses, a header named
// strHeader is there (its value containing strValue, without case, when given) and the body holds
// every marker (exact bytes). An empty field is not asked for.
struct SChallengeRule {
    std::string_view strName;
    std::array<int, 4> statuses; // 0 fills
    std::string_view strHeader;  // lower case
    std::string_view strValue;   // lower case
    std::array<std::string_view, 2> markers;
};

// Each rule names the public source of its sign.
const std::array<SChallengeRule, 11> kRules = {{
    // Cloudflare marks every challenge answer: "Detect a Challenge Page response",
    // developers.cloudflare.com/cloudflare-challenges/challenge-types/challenge-pages/detect-response/
    {"cloudflare-challenge", {403, 429, 503}, "cf-mitigated", "challenge", {}},
    // Cloudflare's interstitial and block pages by their titles (older edges send no
    // cf-mitigated): community.cloudflare.com, "Just a moment..." and "Attention Required!".
    {"cloudflare-challenge", {403, 429, 503}, "", "", {"<title>Just a moment...</title>", ""}},
    {"cloudflare-block", {403, 429, 503}, "", "", {"Attention Required! | Cloudflare", ""}},
    // Vercel's firewall: "Vercel WAF challenge", vercel.com/docs/vercel-firewall (the
    // x-vercel-mitigated header).
    {"vercel-challenge", {403, 429}, "x-vercel-mitigated", "challenge", {}},
    // DDoS-Guard's check page: its title and its server header, ddos-guard.net/en/info/faq.
    {"ddos-guard", {403, 429, 503}, "server", "ddos-guard", {}},
    {"ddos-guard", {403, 429, 503}, "", "", {"<title>DDoS-Guard</title>", ""}},
    // Sucuri's firewall block page: docs.sucuri.net/website-firewall/ (X-Sucuri-Block header and
    // "Sucuri WebSite Firewall - Access Denied").
    {"sucuri", {403, 429, 503}, "x-sucuri-block", "", {}},
    {"sucuri", {403, 429, 503}, "", "", {"Sucuri WebSite Firewall - Access Denied", ""}},
    // Akamai's "Access Denied" page with its reference number, techdocs.akamai.com
    // ("Access Denied" error with "Reference #").
    {"akamai", {403}, "", "", {"<TITLE>Access Denied</TITLE>", "Reference&#32;&#35;"}},
    // Imperva (Incapsula): "Request unsuccessful. Incapsula incident ID",
    // docs.imperva.com/bundle/cloud-application-security (error pages).
    {"imperva", {200, 403, 429, 503}, "", "", {"Request unsuccessful. Incapsula incident ID", ""}},
    // AWS WAF's CAPTCHA (405) and challenge (202) actions send x-amzn-waf-action:
    // docs.aws.amazon.com/waf/latest/developerguide/waf-captcha-and-challenge-how-it-works.html
    {"aws-waf", {202, 403, 405}, "x-amzn-waf-action", "", {}},
}};

bool HeaderMatches(const SChallengeRule& rule, std::string_view header) {
    if (rule.strHeader.empty()) {
        return true;
    }
    for (const std::string_view value : HeaderValues(header, rule.strHeader)) {
        if (rule.strValue.empty() || FindNoCase(value, rule.strValue) != std::string_view::npos) {
            return true;
        }
    }
    return false;
}

bool BodyMatches(const SChallengeRule& rule, std::string_view body) {
    for (const std::string_view marker : rule.markers) {
        if (!marker.empty() && FindFast(body, marker) == std::string_view::npos) {
            return false;
        }
    }
    return true;
}

} // namespace

std::string_view BotChallengeRule(int nStatus, std::string_view header, std::string_view body) {
    body = body.substr(0, kBotChallengeSniff);
    for (const SChallengeRule& rule : kRules) {
        if (nStatus != 0 &&
            std::find(rule.statuses.begin(), rule.statuses.end(), nStatus) != rule.statuses.end() &&
            HeaderMatches(rule, header) && BodyMatches(rule, body)) {
            return rule.strName;
        }
    }
    return {};
}

} // namespace tessaray
