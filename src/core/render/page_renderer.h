#pragma once

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace tessaray {

// One anchor of a rendered page that links to the user's domain.
struct SRenderedLink {
    // Resolved against the page's base as the core resolves the links of the raw page.
    std::string strUrl;
    // The text people see, white space collapsed; an image link's is its picture's alt text.
    std::string strText;
    std::vector<std::string> rel; // lower-case tokens
    // How it is hidden from people: "display-none", "visibility-hidden", "opacity-zero",
    // "off-screen", "tiny-font", "same-colour", "one-character", "zero-size"; "" when it can be
    // seen (or can be opened, as in a closed <details> or a menu).
    std::string strHidden;
};

// What a browser made of a partner's page.
struct SRenderedPage {
    bool bRendered = false; // false: rendering failed and strError says why
    std::string strError;
    std::string strFinalUrl;
    std::vector<SRenderedLink> links; // in document order
    // The content of the robots meta tags (robots, googlebot) after the scripts ran.
    std::vector<std::string> robotsMetas;
};

// Renders partner pages in a browser, in parallel tabs of one browser process, in the
// background. Like the fetch pool: Submit queues, the post callback says a page is done (on a
// thread of the renderer's), TakeDone hands the done pages over on the owner's thread.
class IPageRenderer {
public:
    using PostCallback = std::function<void()>;

    virtual ~IPageRenderer() = default;
    // Queues a page; only its anchors to domain are reported.
    virtual void Submit(int nId, std::string url, std::string domain) = 0;
    // The pages rendered since the last call, with the ids they were submitted with.
    virtual std::vector<std::pair<int, SRenderedPage>> TakeDone() = 0;
    // Every tab closes, queued pages are dropped, nothing more is posted and the browser ends.
    virtual void Cancel() = 0;
};

// Starts a renderer whose pages are posted through post; nullptr and why when it cannot.
using RendererFactory = std::function<std::unique_ptr<IPageRenderer>(
    IPageRenderer::PostCallback post, std::string& error)>;

// The browser the renderer starts: the program named by TESSARAY_BROWSER, else Chromium where
// Debian installs it; "" when there is none.
std::string FindBrowser();

} // namespace tessaray
