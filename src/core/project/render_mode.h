#pragma once

#include <optional>
#include <string_view>

namespace tessaray {

// When a partner's page is rendered in a browser: auto renders a page whose raw HTML has no
// counting link, always renders every page, off renders none.
enum class ERenderMode { Auto, Always, Off };

// "auto", "always", "off", as the command line and the project file write them.
constexpr std::string_view RenderModeCode(ERenderMode eMode) {
    switch (eMode) {
    case ERenderMode::Always:
        return "always";
    case ERenderMode::Off:
        return "off";
    case ERenderMode::Auto:
        break;
    }
    return "auto";
}

constexpr std::optional<ERenderMode> ParseRenderMode(std::string_view code) {
    for (const ERenderMode eMode : {ERenderMode::Auto, ERenderMode::Always, ERenderMode::Off}) {
        if (code == RenderModeCode(eMode)) {
            return eMode;
        }
    }
    return std::nullopt;
}

} // namespace tessaray
