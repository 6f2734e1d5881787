#include "core/app/desktop_options.h"

#include "core/app/version_code.h"

#include <algorithm>

namespace tessaray {

namespace {

constexpr const char* kUsage =
    "Usage: tessaray [OPTION] [PROJECT.tsrp]\n"
    "Checks whether partner pages link to your site and whether the links count.\n"
    "Opens PROJECT.tsrp, or a new project without one.\n"
    "\n"
    "  --help                       show this help and end\n"
    "  --version                    show the version and end\n"
    "  --screenshot FILE            analyse the project, save a picture of the window and end\n"
    "  --verdict-screenshot FILE    the same, with the table scrolled to the verdicts\n"
    "  --print-preview-screenshot FILE  the same, of the print preview of the table\n"
    "  --history-screenshot FILE    a picture of the History dialog comparing the two newest runs\n"
    "  --                           every following argument is a file name\n";

SDesktopOptions Failure(std::string text) {
    SDesktopOptions options;
    options.eAction = SDesktopOptions::EAction::Error;
    options.strText = std::move(text) + "\nTry 'tessaray --help' for more information.\n";
    return options;
}

} // namespace

SDesktopOptions ParseDesktopOptions(const std::vector<std::string>& args) {
    SDesktopOptions options;
    const auto end = std::find(args.begin(), args.end(), "--");
    for (auto it = args.begin(); it != end; ++it) {
        if (*it == "--help" || *it == "-h") {
            options.eAction = SDesktopOptions::EAction::Help;
            options.strText = kUsage;
            return options;
        }
        if (*it == "--version") {
            options.eAction = SDesktopOptions::EAction::Version;
            options.strText = VersionLine("tessaray") + "\n";
            return options;
        }
    }
    std::vector<std::string> files;
    for (auto it = args.begin(); it != end; ++it) {
        if (*it == "--screenshot" || *it == "--verdict-screenshot" ||
            *it == "--print-preview-screenshot" || *it == "--history-screenshot") {
            if (std::next(it) == end) {
                return Failure("tessaray: " + *it + " needs a file name.");
            }
            options.bVerdictScreenshot = *it == "--verdict-screenshot";
            options.bPrintPreviewScreenshot = *it == "--print-preview-screenshot";
            options.bHistoryScreenshot = *it == "--history-screenshot";
            options.strScreenshot = *++it;
        } else if (it->size() > 1 && it->front() == '-') {
            return Failure("tessaray: unknown option '" + *it + "'.");
        } else {
            files.push_back(*it);
        }
    }
    if (end != args.end()) {
        files.insert(files.end(), std::next(end), args.end());
    }
    if (files.size() > 1) {
        return Failure("tessaray: only one project file can be opened.");
    }
    if (!files.empty()) {
        options.strProject = files.front();
    }
    return options;
}

} // namespace tessaray
