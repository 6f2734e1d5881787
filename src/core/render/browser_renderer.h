#pragma once

#include "core/render/page_renderer.h"

#include <chrono>
#include <memory>
#include <string>

namespace tessaray {

struct SRenderSettings {
    std::string strBrowser; // the program; FindBrowser() when empty
    int nParallel = 8;      // tabs at once
    int nPerSite = 2;       // tabs at once of one site (scheme, host and port)
    // After the load event, until the network is idle but no longer than this.
    std::chrono::milliseconds budget{15000};
    // From the navigation to the load event; a page that takes longer fails.
    std::chrono::milliseconds loadTimeout{30000};
    std::string strUserAgent; // the browser's own when empty
};

// Starts one headless browser and the renderer that drives it (pages in parallel tabs, a thread of
// its own). nullptr, with a sentence in error, when the browser cannot be started.
std::unique_ptr<IPageRenderer> StartBrowserRenderer(SRenderSettings settings,
                                                    IPageRenderer::PostCallback post,
                                                    std::string& error);

// Starts the browser renderer with settings when called: for a run, which starts it on its first
// page to render.
RendererFactory BrowserRendererFactory(SRenderSettings settings);

} // namespace tessaray
