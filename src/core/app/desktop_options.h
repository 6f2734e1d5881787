#pragma once

#include <string>
#include <vector>

namespace tessaray {

// What the desktop program's command line asks for. A project file opens as before; "--help" and
// "--version" answer and end; an option the program does not know is refused with a message
// rather than opened as a project.
struct SDesktopOptions {
    enum class EAction { Run, Help, Version, Error };
    EAction eAction = EAction::Run;
    std::string strText;    // Help: the usage; Version: the version line; Error: the complaint
    std::string strProject; // the project file to open, "" for a new project
    // "--screenshot FILE" / "--verdict-screenshot FILE" / "--print-preview-screenshot FILE" /
    // "--history-screenshot FILE"
    std::string strScreenshot;
    bool bVerdictScreenshot = false;
    bool bPrintPreviewScreenshot = false;
    bool bHistoryScreenshot = false;
};

// args: the arguments after the program name (toolkit options already taken out). "--help" or
// "--version" anywhere wins; after "--" every argument is a file name.
SDesktopOptions ParseDesktopOptions(const std::vector<std::string>& args);

} // namespace tessaray
