#pragma once

#include "core/util/posted_messages.h"

namespace tessaray {

// The command numbers of the menus, toolbar, accelerators and background work. The numbers are
// fixed, so every part of the program and the tests name a command the same way.
enum ECommandId : int {
    ID_PAGE_FETCHED = 101,      // a partner page arrived: the view continues the analysis
    ID_REFILL_TABLE = 102,      // the project was created or edited: the view refills its rows
    ID_HOMEPAGE = 103,          // open the product home page
    ID_OPEN_URL = 105,          // context menu: open the partner URL in the browser
    ID_RANK_FETCHED = 107,      // a PageRank job finished
    ID_TIP_OF_THE_DAY = 113,    // show the tip of the day
    ID_UPDATE_FETCHED = 119,    // the update check's download arrived
    ID_UPDATE_CHECK_AUTO = 120, // start the automatic update check (posted at start-up)
    ID_EDIT_PROJECT = 32777,    // Edit project...
    ID_ANALYSIS_START = 32778,  // Start Analysis
    ID_SAVE_CSV = 32779,        // Save report as Csv file...
    ID_SAVE_HTML = 32780,       // Save report as Html file...
    ID_OPEN_IN_EXCEL = 32783,   // Open report in Excel
    ID_OPEN_IN_BROWSER = 32784, // Open report in Html Browser
    ID_ANALYSIS_STOP = 32785,   // Stop running Analysis
    ID_HELP_DOCUMENT = 32787,   // Open Help Document
    ID_SUPPORT = 32791,         // Support
    ID_NEW_PROJECT = 32794,     // New...
    ID_CHECK_UPDATES = 32795,   // Check for Updates, update software...
    ID_SAVE_JSON = 32796,       // Save report as JSON file... (no number of old)
    ID_FILE_NEW = 57600,        // a new, empty project
    ID_FILE_OPEN = 57601,       // Open...
    ID_FILE_SAVE = 57603,       // Save
    ID_FILE_SAVE_AS = 57604,    // Save As...
    ID_FILE_PRINT = 57607,      // Print...: the results table on the printer
    ID_FILE_MRU_FILE1 = 57616,  // first entry of the recent-file list
    ID_EDIT_COPY = 57634,       // Copy: copies the selected result rows
    ID_EDIT_CUT = 57635,        // Cut (accelerator only, no handler)
    ID_EDIT_FIND = 57636,       // Find...: the filter line above the results
    ID_EDIT_SELECT_ALL = 57642, // Select All: every result row shown
    ID_EDIT_PASTE = 57637,      // Paste (accelerator only, no handler)
    ID_EDIT_UNDO = 57643,       // Undo (accelerator only, no handler)
    ID_APP_ABOUT = 57664,       // About Tessaray...
    ID_APP_EXIT = 57665,        // Exit
    ID_HELP = 57670,            // F1: the help document

    // The analysis (desktop analysis controller).
    ID_ANALYSIS_OPTIONS = 32810, // Analysis options...
    ID_PROGRAM_OPTIONS = 32811,  // Program options...: language and update check
    ID_SCHEDULE = 32812,         // Check automatically...

    // Printing of the results table
    ID_FILE_PRINT_SETUP = 57606,   // Print Setup...: paper, orientation and printer
    ID_FILE_PRINT_PREVIEW = 57609, // Print Preview

    // Run history: the History dialog and the export of the changes of the last run.
    ID_HISTORY = 32840,           // History...
    ID_SAVE_CHANGES_CSV = 32841,  // Save changes as CSV file...
    ID_SAVE_CHANGES_JSON = 32842, // Save changes as JSON file...
    ID_HISTORY_CHANGES = 32843,   // the History dialog with the changes of the last run
};

// Identifiers of the bars, kept as object names' suffixes for tests and docking state.
inline constexpr int kOutputBarId = 59501;

} // namespace tessaray
