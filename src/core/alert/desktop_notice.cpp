// The desktop notice over D-Bus, with sd-bus (libsystemd): a small C library every systemd
// desktop has, so the core needs no toolkit for it.
#include "core/alert/alert_delivery.h"

#include "core/util/core_texts.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <memory>

#include <systemd/sd-bus.h>

namespace tessaray {

namespace {

constexpr const char* kService = "org.freedesktop.Notifications";
constexpr const char* kPath = "/org/freedesktop/Notifications";
constexpr const char* kInterface = "org.freedesktop.Notifications";
// How long the notification server may take to answer.
constexpr std::uint64_t kCallTimeoutMicroseconds = 10'000'000;

struct SBusFree {
    void operator()(sd_bus* pBus) const { sd_bus_flush_close_unref(pBus); }
};
struct SMessageFree {
    void operator()(sd_bus_message* pMessage) const { sd_bus_message_unref(pMessage); }
};
using CBus = std::unique_ptr<sd_bus, SBusFree>;
using CMessage = std::unique_ptr<sd_bus_message, SMessageFree>;

// The session bus, or null with the reason in strError.
CBus OpenSessionBus(std::string& strError) {
    sd_bus* pBus = nullptr;
    if (const int r = sd_bus_open_user(&pBus); r < 0) {
        strError = std::string("no session bus: ") + std::strerror(-r);
        return nullptr;
    }
    return CBus(pBus);
}

// The notice's body: servers may read it as markup, so &, < and > are escaped.
std::string NoticeBody(const std::string& text) {
    std::string body;
    for (const char ch : text) {
        switch (ch) {
        case '&':
            body += "&amp;";
            break;
        case '<':
            body += "&lt;";
            break;
        case '>':
            body += "&gt;";
            break;
        default:
            body += ch;
        }
    }
    return body;
}

// What the waiter has seen of its notice.
struct SNoticeWait {
    std::uint32_t nId = 0;
    bool bDone = false;
    bool bClicked = false;
};

int OnNoticeSignal(sd_bus_message* pMessage, void* pUserData, sd_bus_error*) {
    auto& wait = *static_cast<SNoticeWait*>(pUserData);
    std::uint32_t nId = 0;
    if (sd_bus_message_is_signal(pMessage, kInterface, "ActionInvoked") > 0) {
        const char* pszAction = nullptr;
        if (sd_bus_message_read(pMessage, "us", &nId, &pszAction) >= 0 && nId == wait.nId &&
            std::strcmp(pszAction, "default") == 0) {
            wait.bDone = wait.bClicked = true;
        }
    } else if (sd_bus_message_is_signal(pMessage, kInterface, "NotificationClosed") > 0 &&
               sd_bus_message_read(pMessage, "u", &nId) >= 0 && nId == wait.nId) {
        wait.bDone = true;
    }
    return 0;
}

} // namespace

SDelivery ShowDesktopNotice(const SAlert& alert, char chLanguage, std::uint32_t* pNoticeId) {
    SDelivery delivery{0, "desktop", kService, false, {}};
    const CBus bus = OpenSessionBus(delivery.strMessage);
    if (!bus) {
        return delivery;
    }
    sd_bus_message* pCall = nullptr;
    int r =
        sd_bus_message_new_method_call(bus.get(), &pCall, kService, kPath, kInterface, "Notify");
    const CMessage call(pCall);
    // The text's first line is the title; the body is the rest.
    std::string body = alert.strText.substr(std::min(alert.strText.size(), alert.strTitle.size()));
    body.erase(0, body.find_first_not_of('\n'));
    const std::string openLabel(CoreText(ETextId::AlertOpenProject, chLanguage));
    if (r >= 0) {
        r = sd_bus_message_append(call.get(), "susss", "Tessaray", std::uint32_t{0}, "tessaray",
                                  alert.strTitle.c_str(), NoticeBody(body).c_str());
    }
    if (r >= 0) {
        r = sd_bus_message_append(call.get(), "as", 2, "default", openLabel.c_str());
    }
    if (r >= 0) {
        r = sd_bus_message_append(call.get(), "a{sv}i", 1, "desktop-entry", "s", "tessaray",
                                  std::int32_t{-1});
    }
    if (r < 0) {
        delivery.strMessage = std::string("cannot build the notice: ") + std::strerror(-r);
        return delivery;
    }
    sd_bus_error error{}; // as SD_BUS_ERROR_NULL, which C++ cannot spell
    sd_bus_message* pReply = nullptr;
    r = sd_bus_call(bus.get(), call.get(), kCallTimeoutMicroseconds, &error, &pReply);
    const CMessage reply(pReply);
    std::uint32_t nId = 0;
    if (r < 0 || sd_bus_message_read(reply.get(), "u", &nId) < 0) {
        delivery.strMessage = error.message != nullptr ? error.message : std::strerror(-r);
        sd_bus_error_free(&error);
        return delivery;
    }
    if (pNoticeId != nullptr) {
        *pNoticeId = nId;
    }
    delivery.bOk = true;
    delivery.strMessage = "shown";
    return delivery;
}

bool WaitForNoticeClick(std::uint32_t nNoticeId, int nTimeoutSeconds) {
    std::string error;
    const CBus bus = OpenSessionBus(error);
    if (!bus) {
        return false;
    }
    SNoticeWait wait{nNoticeId};
    const std::string rule =
        std::string("type='signal',interface='") + kInterface + "',path='" + kPath + "'";
    if (sd_bus_add_match(bus.get(), nullptr, rule.c_str(), OnNoticeSignal, &wait) < 0) {
        return false;
    }
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(nTimeoutSeconds);
    while (!wait.bDone) {
        const int r = sd_bus_process(bus.get(), nullptr);
        if (r < 0) {
            return false;
        }
        if (r > 0) {
            continue;
        }
        const auto left = deadline - std::chrono::steady_clock::now();
        if (left <= std::chrono::steady_clock::duration::zero()) {
            return false;
        }
        if (sd_bus_wait(bus.get(),
                        static_cast<std::uint64_t>(
                            std::chrono::duration_cast<std::chrono::microseconds>(left).count())) <
            0) {
            return false;
        }
    }
    return wait.bClicked;
}

} // namespace tessaray
