#pragma once

#include <QIcon>

namespace tessaray {

// The toolbar's pictures, in toolbar order.
enum class EToolbarIcon {
    New,
    Open,
    Save,
    EditProject,
    Start,
    Stop,
    Spreadsheet,
    Browser,
    About,
    Help,
    Homepage
};

// A toolbar icon drawn by the program itself (crisp at any scale); Qt derives the greyed image of
// a disabled command from it.
QIcon ToolbarIcon(EToolbarIcon icon);

// The application icon: a results table with a link mark.
QIcon ApplicationIcon();

} // namespace tessaray
