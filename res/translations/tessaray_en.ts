<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="en_US">
<context>
    <name>ImportTally</name>
    <message>
        <source>skipped as duplicates: %1</source>
        <translation>skipped as duplicates: %1</translation>
    </message>
    <message>
        <source>left out, as the list holds at most %1: %2</source>
        <translation>left out, as the list holds at most %1: %2</translation>
    </message>
    <message>
        <source>skipped for a user name or password in the address: %1</source>
        <translation>skipped for a user name or password in the address: %1</translation>
    </message>
    <message>
        <source>skipped as longer than %1 characters: %2</source>
        <translation>skipped as longer than %1 characters: %2</translation>
    </message>
</context>
<context>
    <name>tessaray::CAboutProgramDlg</name>
    <message>
        <source>About Tessaray</source>
        <translation>About Tessaray</translation>
    </message>
    <message>
        <source>Tessaray Web Site:</source>
        <translation>Tessaray Web Site:</translation>
    </message>
    <message>
        <source>Company Web Site:</source>
        <translation>Company Web Site:</translation>
    </message>
    <message>
        <source>Support...</source>
        <translation>Support...</translation>
    </message>
    <message>
        <source>Technical Support</source>
        <translation>Technical Support</translation>
    </message>
    <message>
        <source>Contact</source>
        <translation>Contact</translation>
    </message>
    <message>
        <source>Contact ...</source>
        <translation>Contact ...</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Copyright (C) Tessaray developers. Free software under the MIT License.</source>
        <translation>Copyright (C) Tessaray developers. Free software under the MIT License.</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>Version</translation>
    </message>
</context>
<context>
    <name>tessaray::CAgreementDlg</name>
    <message>
        <source>Agreement</source>
        <translation>Agreement</translation>
    </message>
    <message>
        <source>What was agreed with %1. Empty fields agree to anything.</source>
        <translation>What was agreed with %1. Empty fields agree to anything.</translation>
    </message>
    <message>
        <source>Target URL:</source>
        <translation>Target URL:</translation>
    </message>
    <message>
        <source>http://www.example.com/page, or a prefix such as http://www.example.com/shop/*</source>
        <translation>http://www.example.com/page, or a prefix such as http://www.example.com/shop/*</translation>
    </message>
    <message>
        <source>Anchor text:</source>
        <translation>Anchor text:</translation>
    </message>
    <message>
        <source>the exact text, or *text* for a text that contains it; case does not count</source>
        <translation>the exact text, or *text* for a text that contains it; case does not count</translation>
    </message>
    <message>
        <source>The link must be followed (no nofollow, sponsored or ugc)</source>
        <translation>The link must be followed (no nofollow, sponsored or ugc)</translation>
    </message>
    <message>
        <source>no end date</source>
        <translation>no end date</translation>
    </message>
    <message>
        <source>Ends on:</source>
        <translation>Ends on:</translation>
    </message>
    <message>
        <source>Contact:</source>
        <translation>Contact:</translation>
    </message>
    <message>
        <source>Note:</source>
        <translation>Note:</translation>
    </message>
    <message>
        <source>Remove agreement</source>
        <translation>Remove agreement</translation>
    </message>
    <message>
        <source>The stored end &quot;%1&quot; is no date; set one or keep &quot;no end date&quot;.</source>
        <translation>The stored end &quot;%1&quot; is no date; set one or keep &quot;no end date&quot;.</translation>
    </message>
    <message>
        <source>This agreement cannot be stored: %1</source>
        <translation>This agreement cannot be stored: %1</translation>
    </message>
</context>
<context>
    <name>tessaray::CAlertSettingsDlg</name>
    <message>
        <source>Alerts</source>
        <translation>Alerts</translation>
    </message>
    <message>
        <source>When a run finds a partner&apos;s link lost or worse than in the last completed run, the alert goes here.</source>
        <translation>When a run finds a partner&apos;s link lost or worse than in the last completed run, the alert goes here.</translation>
    </message>
    <message>
        <source>Mail to:</source>
        <translation>Mail to:</translation>
    </message>
    <message>
        <source>SMTP server:</source>
        <translation>SMTP server:</translation>
    </message>
    <message>
        <source>SMTP user:</source>
        <translation>SMTP user:</translation>
    </message>
    <message>
        <source>File with the SMTP password:</source>
        <translation>File with the SMTP password:</translation>
    </message>
    <message>
        <source>Webhook URL:</source>
        <translation>Webhook URL:</translation>
    </message>
    <message>
        <source>Show a desktop notice</source>
        <translation>Show a desktop notice</translation>
    </message>
    <message>
        <source>These settings cannot be used: %1</source>
        <translation>These settings cannot be used: %1</translation>
    </message>
</context>
<context>
    <name>tessaray::CAnalysisController</name>
    <message>
        <source>analyzing ready</source>
        <translation>analyzing ready</translation>
    </message>
    <message>
        <source>loading</source>
        <translation>loading</translation>
    </message>
    <message>
        <source>analyzing</source>
        <translation>analyzing</translation>
    </message>
    <message>
        <source>ready</source>
        <translation>ready</translation>
    </message>
    <message>
        <source>The page cannot be fetched; the analysis ends.</source>
        <translation>The page cannot be fetched; the analysis ends.</translation>
    </message>
    <message>
        <source>Fetching up to %1 pages at a time, at most %2 per site</source>
        <translation>Fetching up to %1 pages at a time, at most %2 per site</translation>
    </message>
    <message>
        <source>The run history %1 cannot be used (%2); the analysis is not affected.</source>
        <translation>The run history %1 cannot be used (%2); the analysis is not affected.</translation>
    </message>
    <message>
        <source>%1 of %2 partners</source>
        <translation>%1 of %2 partners</translation>
    </message>
    <message>
        <source>%1 of %2 partners, about %3 left</source>
        <translation>%1 of %2 partners, about %3 left</translation>
    </message>
    <message>
        <source>Stopping after partner %1 of %2 ...</source>
        <translation>Stopping after partner %1 of %2 ...</translation>
    </message>
    <message>
        <source>Analysing partner %1 of %2 ...</source>
        <translation>Analysing partner %1 of %2 ...</translation>
    </message>
    <message>
        <source>confirmed</source>
        <translation>confirmed</translation>
    </message>
    <message>
        <source>The desktop notice could not be shown: %1</source>
        <translation>The desktop notice could not be shown: %1</translation>
    </message>
    <message>
        <source>No partner page could be reached. Check your connection or proxy.</source>
        <translation>No partner page could be reached. Check your connection or proxy.</translation>
    </message>
    <message>
        <source>Changes since the last run</source>
        <translation>Changes since the last run</translation>
    </message>
    <message>
        <source>Links lost or verdicts worse since the previous run: %1</source>
        <translation>Links lost or verdicts worse since the previous run: %1</translation>
    </message>
    <message>
        <source>&amp;Show changes</source>
        <translation>&amp;Show changes</translation>
    </message>
    <message numerus="yes">
        <source>%1 of %2 partners, waiting for %n slow page(s)</source>
        <translation>
            <numerusform>%1 of %2 partners, waiting for %n slow page</numerusform>
            <numerusform>%1 of %2 partners, waiting for %n slow pages</numerusform>
        </translation>
    </message>
    <message>
        <source>The project is saved before its analysis, so that each run is kept in its history. Choose a name and a folder for the project.</source>
        <translation>The project is saved before its analysis, so that each run is kept in its history. Choose a name and a folder for the project.</translation>
    </message>
    <message>
        <source>Last run, %1: %2</source>
        <translation>Last run, %1: %2</translation>
    </message>
    <message>
        <source>Pages are not rendered: %1</source>
        <translation>Pages are not rendered: %1</translation>
    </message>
    <message>
        <source>No browser is installed: pages are not rendered (install Chromium).</source>
        <translation>No browser is installed: pages are not rendered (install Chromium).</translation>
    </message>
</context>
<context>
    <name>tessaray::CAnalysisOptionsDlg</name>
    <message>
        <source>Analysis options</source>
        <translation>Analysis options</translation>
    </message>
    <message>
        <source>Pages fetched at the same time (1 to %1):</source>
        <translation>Pages fetched at the same time (1 to %1):</translation>
    </message>
    <message>
        <source>Of these from one site (1 to %1):</source>
        <translation>Of these from one site (1 to %1):</translation>
    </message>
    <message>
        <source>User agent the requests name (empty: the default):</source>
        <translation>User agent the requests name (empty: the default):</translation>
    </message>
    <message>
        <source>Fetch each page as Googlebot too and warn when it shows other links</source>
        <translation>Fetch each page as Googlebot too and warn when it shows other links</translation>
    </message>
    <message>
        <source>The values apply from the next analysis on.</source>
        <translation>The values apply from the next analysis on.</translation>
    </message>
</context>
<context>
    <name>tessaray::CCsvImportDlg</name>
    <message>
        <source>Import URLs from a csv file</source>
        <translation>Import URLs from a csv file</translation>
    </message>
    <message>
        <source>Browse...</source>
        <translation>Browse...</translation>
    </message>
    <message>
        <source>Csv file:</source>
        <translation>Csv file:</translation>
    </message>
    <message>
        <source>Column (%1 to %2):</source>
        <translation>Column (%1 to %2):</translation>
    </message>
    <message>
        <source>Separator</source>
        <translation>Separator</translation>
    </message>
    <message>
        <source>Comma</source>
        <translation>Comma</translation>
    </message>
    <message>
        <source>Semicolon</source>
        <translation>Semicolon</translation>
    </message>
    <message>
        <source>Tabulator</source>
        <translation>Tabulator</translation>
    </message>
    <message>
        <source>Please enter an integer.</source>
        <translation>Please enter an integer.</translation>
    </message>
    <message>
        <source>Please enter an integer between %1 and %2.</source>
        <translation>Please enter an integer between %1 and %2.</translation>
    </message>
    <message>
        <source>Csv Files (.csv)</source>
        <translation>Csv Files (.csv)</translation>
    </message>
    <message>
        <source>Text Files (.txt)</source>
        <translation>Text Files (.txt)</translation>
    </message>
</context>
<context>
    <name>tessaray::CEditProjectDlg</name>
    <message>
        <source>Edit Project</source>
        <translation>Edit Project</translation>
    </message>
    <message>
        <source>Your Domain URL, e.g.: </source>
        <translation>Your Domain URL, e.g.: </translation>
    </message>
    <message>
        <source>Enter Domain URL...</source>
        <translation>Enter Domain URL...</translation>
    </message>
    <message>
        <source>URLs of partner web pages containing links to pages in your domain, e.g.: </source>
        <translation>URLs of partner web pages containing links to pages in your domain, e.g.: </translation>
    </message>
    <message>
        <source>Add URL...</source>
        <translation>Add URL...</translation>
    </message>
    <message>
        <source>Delete URL...</source>
        <translation>Delete URL...</translation>
    </message>
    <message>
        <source>Edit URL...</source>
        <translation>Edit URL...</translation>
    </message>
    <message>
        <source>Test URL...</source>
        <translation>Test URL...</translation>
    </message>
    <message>
        <source>Import Txt-List...</source>
        <translation>Import Txt-List...</translation>
    </message>
    <message>
        <source>Import Csv...</source>
        <translation>Import Csv...</translation>
    </message>
    <message>
        <source>Add a CSV table containing external links from Google Search Console for the purpose of cross-checking.</source>
        <translation>Add a CSV table containing external links from Google Search Console for the purpose of cross-checking.</translation>
    </message>
    <message>
        <source>Add Ext.Links...</source>
        <translation>Add Ext.Links...</translation>
    </message>
    <message>
        <source>Display Links...</source>
        <translation>Display Links...</translation>
    </message>
    <message>
        <source>Investigate the Pagerank of the partner site</source>
        <translation>Investigate the Pagerank of the partner site</translation>
    </message>
    <message>
        <source>Please enter your domain URL.</source>
        <translation>Please enter your domain URL.</translation>
    </message>
    <message>
        <source>Add at least one valid partner URL.</source>
        <translation>Add at least one valid partner URL.</translation>
    </message>
    <message>
        <source>not a valid web address</source>
        <translation>not a valid web address</translation>
    </message>
    <message>
        <source>The list is full: a project holds at most %1 partner URLs.</source>
        <translation>The list is full: a project holds at most %1 partner URLs.</translation>
    </message>
    <message>
        <source>The file %1 cannot be read.</source>
        <translation>The file %1 cannot be read.</translation>
    </message>
    <message>
        <source>URLs imported: %1</source>
        <translation>URLs imported: %1</translation>
    </message>
    <message>
        <source>Alerts...</source>
        <translation>Alerts...</translation>
    </message>
    <message>
        <source>Agreement</source>
        <translation>Agreement</translation>
    </message>
    <message>
        <source>Target: %1</source>
        <translation>Target: %1</translation>
    </message>
    <message>
        <source>Anchor text: %1</source>
        <translation>Anchor text: %1</translation>
    </message>
    <message>
        <source>Followed link required</source>
        <translation>Followed link required</translation>
    </message>
    <message>
        <source>Until: %1</source>
        <translation>Until: %1</translation>
    </message>
    <message>
        <source>Agreement...</source>
        <translation>Agreement...</translation>
    </message>
    <message>
        <source>My link pages: your own pages that link to the partners, one URL per line (to check that you link back):</source>
        <translation>My link pages: your own pages that link to the partners, one URL per line (to check that you link back):</translation>
    </message>
    <message>
        <source>Render partner pages in a browser:</source>
        <translation>Render partner pages in a browser:</translation>
    </message>
    <message>
        <source>Automatic (when the page shows no counting link)</source>
        <translation>Automatic (when the page shows no counting link)</translation>
    </message>
    <message>
        <source>Always</source>
        <translation>Always</translation>
    </message>
    <message>
        <source>Never</source>
        <translation>Never</translation>
    </message>
    <message>
        <source>No browser is installed: pages are not rendered (install Chromium).</source>
        <translation>No browser is installed: pages are not rendered (install Chromium).</translation>
    </message>
    <message>
        <source>Not a web address: %1</source>
        <translation>Not a web address: %1</translation>
    </message>
    <message>
        <source>Import agreements...</source>
        <translation>Import agreements...</translation>
    </message>
    <message>
        <source>CSV files (*.csv)</source>
        <translation>CSV files (*.csv)</translation>
    </message>
    <message>
        <source>The file is not a table of agreements.</source>
        <translation>The file is not a table of agreements.</translation>
    </message>
    <message>
        <source>Agreements imported: %1</source>
        <translation>Agreements imported: %1</translation>
    </message>
    <message>
        <source>... and %1 more</source>
        <translation>... and %1 more</translation>
    </message>
</context>
<context>
    <name>tessaray::CEnterUrlDlg</name>
    <message>
        <source>Enter URL</source>
        <translation>Enter URL</translation>
    </message>
    <message>
        <source>Paste the web address from the clipboard</source>
        <translation>Paste the web address from the clipboard</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>Paste</translation>
    </message>
    <message>
        <source>Test URL</source>
        <translation>Test URL</translation>
    </message>
    <message>
        <source>Optional: A comment on the link can be entered here (only for the purpose of documentation)</source>
        <translation>Optional: A comment on the link can be entered here (only for the purpose of documentation)</translation>
    </message>
    <message>
        <source>Please enter no more than %1 characters.</source>
        <translation>Please enter no more than %1 characters.</translation>
    </message>
    <message>
        <source>not a valid web address</source>
        <translation>not a valid web address</translation>
    </message>
    <message>
        <source>Leave the user name and password out of the address: the program asks for them when the site wants a log-in.</source>
        <translation>Leave the user name and password out of the address: the program asks for them when the site wants a log-in.</translation>
    </message>
    <message>
        <source>The address and its comment are longer than %1 characters.</source>
        <translation>The address and its comment are longer than %1 characters.</translation>
    </message>
</context>
<context>
    <name>tessaray::CExtLinksDlg</name>
    <message>
        <source>List of External Links</source>
        <translation>List of External Links</translation>
    </message>
    <message>
        <source>External links imported from Google Search Console for the purpose of verifying existence</source>
        <translation>External links imported from Google Search Console for the purpose of verifying existence</translation>
    </message>
    <message>
        <source>Count of Links</source>
        <translation>Count of Links</translation>
    </message>
</context>
<context>
    <name>tessaray::CFilterBar</name>
    <message>
        <source>Filter: text in any cell</source>
        <translation>Filter: text in any cell</translation>
    </message>
    <message>
        <source>Show only problems</source>
        <translation>Show only problems</translation>
    </message>
    <message>
        <source>%1 of %2 rows shown</source>
        <translation>%1 of %2 rows shown</translation>
    </message>
    <message>
        <source>Show only the rows whose link does not count, whose agreement is broken or over, or whose exchange is one-sided</source>
        <translation>Show only the rows whose link does not count, whose agreement is broken or over, or whose exchange is one-sided</translation>
    </message>
</context>
<context>
    <name>tessaray::CHelpCommands</name>
    <message>
        <source>The help document %1 cannot be found.</source>
        <translation>The help document %1 cannot be found.</translation>
    </message>
    <message>
        <source>Your present Tessaray version: %1</source>
        <translation>Your present Tessaray version: %1</translation>
    </message>
    <message>
        <source>Do you want to open the Tessaray download page in the browser?</source>
        <translation>Do you want to open the Tessaray download page in the browser?</translation>
    </message>
    <message>
        <source>A newer version is available</source>
        <translation>A newer version is available</translation>
    </message>
    <message>
        <source>Should Tessaray look for a newer version on its web site at each start?</source>
        <translation>Should Tessaray look for a newer version on its web site at each start?</translation>
    </message>
    <message>
        <source>Only the download page is read; nothing about you or your projects is sent. You can change this in File &gt; Program options.</source>
        <translation>Only the download page is read; nothing about you or your projects is sent. You can change this in File &gt; Program options.</translation>
    </message>
</context>
<context>
    <name>tessaray::CHistoryCommands</name>
    <message>
        <source>The history holds only one run: there is nothing to compare it with.</source>
        <translation>The history holds only one run: there is nothing to compare it with.</translation>
    </message>
    <message>
        <source>The changes could not be written to %1.</source>
        <translation>The changes could not be written to %1.</translation>
    </message>
    <message>
        <source>The run history %1 cannot be read: %2</source>
        <translation>The run history %1 cannot be read: %2</translation>
    </message>
</context>
<context>
    <name>tessaray::CHistoryDialog</name>
    <message>
        <source>History</source>
        <translation>History</translation>
    </message>
    <message>
        <source>Run</source>
        <translation>Run</translation>
    </message>
    <message>
        <source>Started</source>
        <translation>Started</translation>
    </message>
    <message>
        <source>Ended</source>
        <translation>Ended</translation>
    </message>
    <message>
        <source>Partners</source>
        <translation>Partners</translation>
    </message>
    <message>
        <source>Count</source>
        <translation>Count</translation>
    </message>
    <message>
        <source>Do not count</source>
        <translation>Do not count</translation>
    </message>
    <message>
        <source>Missing</source>
        <translation>Missing</translation>
    </message>
    <message>
        <source>Unreachable</source>
        <translation>Unreachable</translation>
    </message>
    <message>
        <source>&amp;Open run</source>
        <translation>&amp;Open run</translation>
    </message>
    <message>
        <source>&amp;Compare two runs</source>
        <translation>&amp;Compare two runs</translation>
    </message>
    <message>
        <source>Change</source>
        <translation>Change</translation>
    </message>
    <message>
        <source>What</source>
        <translation>What</translation>
    </message>
    <message>
        <source>Partner URL</source>
        <translation>Partner URL</translation>
    </message>
    <message>
        <source>Link URL</source>
        <translation>Link URL</translation>
    </message>
    <message>
        <source>Before</source>
        <translation>Before</translation>
    </message>
    <message>
        <source>After</source>
        <translation>After</translation>
    </message>
    <message>
        <source>Changes</source>
        <translation>Changes</translation>
    </message>
    <message>
        <source>The history cannot be read: %1</source>
        <translation>The history cannot be read: %1</translation>
    </message>
    <message>
        <source>Run %1, started %2</source>
        <translation>Run %1, started %2</translation>
    </message>
    <message>
        <source>Changes from run %1 to run %2: %3</source>
        <translation>Changes from run %1 to run %2: %3</translation>
    </message>
    <message>
        <source>link gained</source>
        <translation>link gained</translation>
    </message>
    <message>
        <source>link lost</source>
        <translation>link lost</translation>
    </message>
    <message>
        <source>verdict changed</source>
        <translation>verdict changed</translation>
    </message>
    <message>
        <source>status code changed</source>
        <translation>status code changed</translation>
    </message>
    <message>
        <source>anchor text changed</source>
        <translation>anchor text changed</translation>
    </message>
    <message>
        <source>partner added</source>
        <translation>partner added</translation>
    </message>
    <message>
        <source>partner removed</source>
        <translation>partner removed</translation>
    </message>
    <message>
        <source>your link back changed</source>
        <translation>your link back changed</translation>
    </message>
    <message>
        <source>agreement met changed</source>
        <translation>agreement met changed</translation>
    </message>
    <message>
        <source>%1 (stopped)</source>
        <translation>%1 (stopped)</translation>
    </message>
</context>
<context>
    <name>tessaray::CMainFrame</name>
    <message>
        <source>&amp;File</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>Create a new project
New</source>
        <translation>Create a new project
New</translation>
    </message>
    <message>
        <source>Open an existing project
Open</source>
        <translation>Open an existing project
Open</translation>
    </message>
    <message>
        <source>Save the active project
Save</source>
        <translation>Save the active project
Save</translation>
    </message>
    <message>
        <source>Save &amp;As...</source>
        <translation>Save &amp;As...</translation>
    </message>
    <message>
        <source>Save the active project with a new name
Save As</source>
        <translation>Save the active project with a new name
Save As</translation>
    </message>
    <message>
        <source>Recent File</source>
        <translation>Recent File</translation>
    </message>
    <message>
        <source>Open this project
Recent project</source>
        <translation>Open this project
Recent project</translation>
    </message>
    <message>
        <source>&amp;Exit</source>
        <translation>&amp;Exit</translation>
    </message>
    <message>
        <source>Quit the application
Exit</source>
        <translation>Quit the application
Exit</translation>
    </message>
    <message>
        <source>&amp;Project</source>
        <translation>&amp;Project</translation>
    </message>
    <message>
        <source>Change the domain, the partner pages and the settings of the project
Edit project</source>
        <translation>Change the domain, the partner pages and the settings of the project
Edit project</translation>
    </message>
    <message>
        <source>&amp;Analyse</source>
        <translation>&amp;Analyse</translation>
    </message>
    <message>
        <source>Check every partner page for its link to your site
Start analysis</source>
        <translation>Check every partner page for its link to your site
Start analysis</translation>
    </message>
    <message>
        <source>&amp;Stop running Analysis</source>
        <translation>&amp;Stop running Analysis</translation>
    </message>
    <message>
        <source>Stop the analysis after the current partner page
Stop analysis</source>
        <translation>Stop the analysis after the current partner page
Stop analysis</translation>
    </message>
    <message>
        <source>E&amp;xport</source>
        <translation>E&amp;xport</translation>
    </message>
    <message>
        <source>Save the results as a tab-separated CSV file
Save report as CSV file</source>
        <translation>Save the results as a tab-separated CSV file
Save report as CSV file</translation>
    </message>
    <message>
        <source>Save the results as an HTML page
Save report as HTML file</source>
        <translation>Save the results as an HTML page
Save report as HTML file</translation>
    </message>
    <message>
        <source>Save report as &amp;JSON file...</source>
        <translation>Save report as &amp;JSON file...</translation>
    </message>
    <message>
        <source>Save the results with their verdicts as a JSON file
Save report as JSON file</source>
        <translation>Save the results with their verdicts as a JSON file
Save report as JSON file</translation>
    </message>
    <message>
        <source>Open the results in the spreadsheet program
Open report in Excel</source>
        <translation>Open the results in the spreadsheet program
Open report in Excel</translation>
    </message>
    <message>
        <source>Open the results in the web browser
Open report in browser</source>
        <translation>Open the results in the web browser
Open report in browser</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>Open the help document
Help</source>
        <translation>Open the help document
Help</translation>
    </message>
    <message>
        <source>&amp;About Tessaray...</source>
        <translation>&amp;About Tessaray...</translation>
    </message>
    <message>
        <source>Show program information, version number and copyright
About</source>
        <translation>Show program information, version number and copyright
About</translation>
    </message>
    <message>
        <source>Open the Tessaray home page in the browser
Homepage</source>
        <translation>Open the Tessaray home page in the browser
Homepage</translation>
    </message>
    <message>
        <source>Show a tip on using Tessaray
Tip of the day</source>
        <translation>Show a tip on using Tessaray
Tip of the day</translation>
    </message>
    <message>
        <source>&amp;Support</source>
        <translation>&amp;Support</translation>
    </message>
    <message>
        <source>Write a support request
Support</source>
        <translation>Write a support request
Support</translation>
    </message>
    <message>
        <source>Look for a newer version of Tessaray
Check for updates</source>
        <translation>Look for a newer version of Tessaray
Check for updates</translation>
    </message>
    <message>
        <source>Toolbar</source>
        <translation>Toolbar</translation>
    </message>
    <message>
        <source>Ready</source>
        <translation>Ready</translation>
    </message>
    <message>
        <source>CAP</source>
        <translation>CAP</translation>
    </message>
    <message>
        <source>NUM</source>
        <translation>NUM</translation>
    </message>
    <message>
        <source>SCRL</source>
        <translation>SCRL</translation>
    </message>
    <message>
        <source>Analysis &amp;options...</source>
        <translation>Analysis &amp;options...</translation>
    </message>
    <message>
        <source>Set how many partner pages an analysis fetches at the same time
Analysis options</source>
        <translation>Set how many partner pages an analysis fetches at the same time
Analysis options</translation>
    </message>
    <message>
        <source>Print the results table
Print</source>
        <translation>Print the results table
Print</translation>
    </message>
    <message>
        <source>Print Pre&amp;view</source>
        <translation>Print Pre&amp;view</translation>
    </message>
    <message>
        <source>Show the printed pages of the results table
Print Preview</source>
        <translation>Show the printed pages of the results table
Print Preview</translation>
    </message>
    <message>
        <source>P&amp;rint Setup...</source>
        <translation>P&amp;rint Setup...</translation>
    </message>
    <message>
        <source>Choose the printer, the paper and its orientation
Print Setup</source>
        <translation>Choose the printer, the paper and its orientation
Print Setup</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Copy</translation>
    </message>
    <message>
        <source>Copy the selected rows with their verdicts as a table
Copy</source>
        <translation>Copy the selected rows with their verdicts as a table
Copy</translation>
    </message>
    <message>
        <source>Select &amp;All</source>
        <translation>Select &amp;All</translation>
    </message>
    <message>
        <source>Select every row shown
Select All</source>
        <translation>Select every row shown
Select All</translation>
    </message>
    <message>
        <source>&amp;Find...</source>
        <translation>&amp;Find...</translation>
    </message>
    <message>
        <source>Show only the rows that hold a text
Find</source>
        <translation>Show only the rows that hold a text
Find</translation>
    </message>
    <message>
        <source>&amp;New...</source>
        <translation>&amp;New...</translation>
    </message>
    <message>
        <source>&amp;Open...</source>
        <translation>&amp;Open...</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Save</translation>
    </message>
    <message>
        <source>&amp;Print...</source>
        <translation>&amp;Print...</translation>
    </message>
    <message>
        <source>Program op&amp;tions...</source>
        <translation>Program op&amp;tions...</translation>
    </message>
    <message>
        <source>Choose the language of the program and whether it looks for updates
Program options</source>
        <translation>Choose the language of the program and whether it looks for updates
Program options</translation>
    </message>
    <message>
        <source>&amp;Edit project...</source>
        <translation>&amp;Edit project...</translation>
    </message>
    <message>
        <source>Start &amp;Analysis</source>
        <translation>Start &amp;Analysis</translation>
    </message>
    <message>
        <source>&amp;History...</source>
        <translation>&amp;History...</translation>
    </message>
    <message>
        <source>List the earlier runs of the project, open one or compare two
History</source>
        <translation>List the earlier runs of the project, open one or compare two
History</translation>
    </message>
    <message>
        <source>Save report as &amp;Csv file...</source>
        <translation>Save report as &amp;Csv file...</translation>
    </message>
    <message>
        <source>Save report as &amp;Html file...</source>
        <translation>Save report as &amp;Html file...</translation>
    </message>
    <message>
        <source>Open report in &amp;Excel</source>
        <translation>Open report in &amp;Excel</translation>
    </message>
    <message>
        <source>Open report in Html &amp;Browser</source>
        <translation>Open report in Html &amp;Browser</translation>
    </message>
    <message>
        <source>Save changes as C&amp;SV file...</source>
        <translation>Save changes as C&amp;SV file...</translation>
    </message>
    <message>
        <source>Save what changed between the last two runs as a tab-separated CSV file
Save changes as CSV file</source>
        <translation>Save what changed between the last two runs as a tab-separated CSV file
Save changes as CSV file</translation>
    </message>
    <message>
        <source>Save changes as JS&amp;ON file...</source>
        <translation>Save changes as JS&amp;ON file...</translation>
    </message>
    <message>
        <source>Save what changed between the last two runs as a JSON file
Save changes as JSON file</source>
        <translation>Save what changed between the last two runs as a JSON file
Save changes as JSON file</translation>
    </message>
    <message>
        <source>Open &amp;Help Document</source>
        <translation>Open &amp;Help Document</translation>
    </message>
    <message>
        <source>Tessaray Home&amp;page</source>
        <translation>Tessaray Home&amp;page</translation>
    </message>
    <message>
        <source>Tip of the &amp;day...</source>
        <translation>Tip of the &amp;day...</translation>
    </message>
    <message>
        <source>Check for &amp;Updates, update software...</source>
        <translation>Check for &amp;Updates, update software...</translation>
    </message>
    <message>
        <source>Check a&amp;utomatically...</source>
        <translation>Check a&amp;utomatically...</translation>
    </message>
    <message>
        <source>Check the project daily or weekly, also while the program is closed
Check automatically</source>
        <translation>Check the project daily or weekly, also while the program is closed
Check automatically</translation>
    </message>
</context>
<context>
    <name>tessaray::COutputBar</name>
    <message>
        <source>Output</source>
        <translation>Output</translation>
    </message>
</context>
<context>
    <name>tessaray::CPrintCommands</name>
    <message>
        <source>The table could not be printed.</source>
        <translation>The table could not be printed.</translation>
    </message>
    <message>
        <source>The table could not be printed to %1.</source>
        <translation>The table could not be printed to %1.</translation>
    </message>
    <message>
        <source>Reasons</source>
        <translation>Reasons</translation>
    </message>
    <message>
        <source>Verdict summary</source>
        <translation>Verdict summary</translation>
    </message>
    <message>
        <source>The table as shown</source>
        <translation>The table as shown</translation>
    </message>
    <message>
        <source>Content</source>
        <translation>Content</translation>
    </message>
    <message>
        <source>Print:</source>
        <translation>Print:</translation>
    </message>
</context>
<context>
    <name>tessaray::CProgramOptionsDlg</name>
    <message>
        <source>Program options</source>
        <translation>Program options</translation>
    </message>
    <message>
        <source>Automatic (language of the system)</source>
        <translation>Automatic (language of the system)</translation>
    </message>
    <message>
        <source>&amp;Language:</source>
        <translation>&amp;Language:</translation>
    </message>
    <message>
        <source>A new language applies after the program is started again.</source>
        <translation>A new language applies after the program is started again.</translation>
    </message>
    <message>
        <source>Look for a &amp;newer version on the Tessaray web site at each start</source>
        <translation>Look for a &amp;newer version on the Tessaray web site at each start</translation>
    </message>
</context>
<context>
    <name>tessaray::CProjectSettingsDlg</name>
    <message>
        <source>Project Settings</source>
        <translation>Project Settings</translation>
    </message>
    <message>
        <source>Google Links</source>
        <translation>Google Links</translation>
    </message>
    <message>
        <source>A CSV table containing external links extracted from Google Search Console can be added to the project.</source>
        <translation>A CSV table containing external links extracted from Google Search Console can be added to the project.</translation>
    </message>
    <message>
        <source>Partner links are then compared for concurrence with Google&apos;s link entries.</source>
        <translation>Partner links are then compared for concurrence with Google&apos;s link entries.</translation>
    </message>
    <message>
        <source>Import csv-Table...</source>
        <translation>Import csv-Table...</translation>
    </message>
    <message>
        <source>External links imported: %1</source>
        <translation>External links imported: %1</translation>
    </message>
</context>
<context>
    <name>tessaray::CReportCommands</name>
    <message>
        <source>There is no private temporary folder for the report.</source>
        <translation>There is no private temporary folder for the report.</translation>
    </message>
    <message>
        <source>The old report %1 cannot be deleted.</source>
        <translation>The old report %1 cannot be deleted.</translation>
    </message>
    <message>
        <source>The report template %1 is missing.</source>
        <translation>The report template %1 is missing.</translation>
    </message>
    <message>
        <source>The report template %1 cannot be used: it lacks the table markers.</source>
        <translation>The report template %1 cannot be used: it lacks the table markers.</translation>
    </message>
    <message>
        <source>The report could not be written to %1.</source>
        <translation>The report could not be written to %1.</translation>
    </message>
    <message>
        <source>A filter is on: the report holds the %1 rows shown of %2.</source>
        <translation>A filter is on: the report holds the %1 rows shown of %2.</translation>
    </message>
</context>
<context>
    <name>tessaray::CResultModel</name>
    <message>
        <source>Change</source>
        <translation>Change</translation>
    </message>
    <message>
        <source>new</source>
        <translation>new</translation>
    </message>
    <message>
        <source>lost</source>
        <translation>lost</translation>
    </message>
    <message>
        <source>better</source>
        <translation>better</translation>
    </message>
    <message>
        <source>worse</source>
        <translation>worse</translation>
    </message>
    <message>
        <source>text changed</source>
        <translation>text changed</translation>
    </message>
    <message>
        <source>Verdict</source>
        <translation>Verdict</translation>
    </message>
    <message>
        <source>Checked twice: the first answer was &quot;%1&quot;, the second stands.</source>
        <translation>Checked twice: the first answer was &quot;%1&quot;, the second stands.</translation>
    </message>
    <message>
        <source>The partner page links to your site and search engines count the link.</source>
        <translation>The partner page links to your site and search engines count the link.</translation>
    </message>
    <message>
        <source>The partner page links to your site, but search engines do not count the link.</source>
        <translation>The partner page links to your site, but search engines do not count the link.</translation>
    </message>
    <message>
        <source>The partner page has no link to your site.</source>
        <translation>The partner page has no link to your site.</translation>
    </message>
    <message>
        <source>The partner page could not be read whole, so its link could not be checked.</source>
        <translation>The partner page could not be read whole, so its link could not be checked.</translation>
    </message>
    <message>
        <source>Not in the previous run.</source>
        <translation>Not in the previous run.</translation>
    </message>
    <message>
        <source>The link was there in the previous run and is gone now.</source>
        <translation>The link was there in the previous run and is gone now.</translation>
    </message>
    <message>
        <source>The verdict is better than in the previous run.</source>
        <translation>The verdict is better than in the previous run.</translation>
    </message>
    <message>
        <source>The verdict is worse than in the previous run.</source>
        <translation>The verdict is worse than in the previous run.</translation>
    </message>
    <message>
        <source>The status code or the anchor text changed since the previous run.</source>
        <translation>The status code or the anchor text changed since the previous run.</translation>
    </message>
    <message>
        <source>wrong target</source>
        <translation>wrong target</translation>
    </message>
    <message>
        <source>wrong anchor</source>
        <translation>wrong anchor</translation>
    </message>
    <message>
        <source>wrong rel</source>
        <translation>wrong rel</translation>
    </message>
    <message>
        <source>differs: %1</source>
        <translation>differs: %1</translation>
    </message>
    <message>
        <source>differs</source>
        <translation>differs</translation>
    </message>
    <message>
        <source>not met</source>
        <translation>not met</translation>
    </message>
    <message>
        <source>met</source>
        <translation>met</translation>
    </message>
    <message>
        <source>ended</source>
        <translation>ended</translation>
    </message>
    <message>
        <source>%1, ended</source>
        <translation>%1, ended</translation>
    </message>
    <message>
        <source>Agreed target: %1</source>
        <translation>Agreed target: %1</translation>
    </message>
    <message>
        <source>Agreed anchor text: %1</source>
        <translation>Agreed anchor text: %1</translation>
    </message>
    <message>
        <source>A followed link was agreed.</source>
        <translation>A followed link was agreed.</translation>
    </message>
    <message>
        <source>Until: %1</source>
        <translation>Until: %1</translation>
    </message>
    <message>
        <source>Contact: %1</source>
        <translation>Contact: %1</translation>
    </message>
    <message>
        <source>Note: %1</source>
        <translation>Note: %1</translation>
    </message>
    <message>
        <source>followed</source>
        <translation>followed</translation>
    </message>
    <message>
        <source>Your followed link to this partner is on %1.</source>
        <translation>Your followed link to this partner is on %1.</translation>
    </message>
    <message>
        <source>nofollow</source>
        <translation>nofollow</translation>
    </message>
    <message>
        <source>Your link to this partner on %1 is not followed.</source>
        <translation>Your link to this partner on %1 is not followed.</translation>
    </message>
    <message>
        <source>none</source>
        <translation>none</translation>
    </message>
    <message>
        <source>None of your link pages links to this partner&apos;s site.</source>
        <translation>None of your link pages links to this partner&apos;s site.</translation>
    </message>
    <message>
        <source>unknown</source>
        <translation>unknown</translation>
    </message>
    <message>
        <source>None of your link pages could be read.</source>
        <translation>None of your link pages could be read.</translation>
    </message>
    <message>
        <source>yes</source>
        <translation>yes</translation>
    </message>
    <message>
        <source>The page was rendered in a browser.</source>
        <translation>The page was rendered in a browser.</translation>
    </message>
    <message>
        <source>no</source>
        <translation>no</translation>
    </message>
    <message>
        <source>The page was read as raw HTML only.</source>
        <translation>The page was read as raw HTML only.</translation>
    </message>
    <message>
        <source>failed</source>
        <translation>failed</translation>
    </message>
    <message>
        <source>Rendering failed: %1</source>
        <translation>Rendering failed: %1</translation>
    </message>
    <message>
        <source>The link is made by a script.</source>
        <translation>The link is made by a script.</translation>
    </message>
    <message>
        <source>The link is hidden from people: %1</source>
        <translation>The link is hidden from people: %1</translation>
    </message>
    <message>
        <source>Agreement</source>
        <translation>Agreement</translation>
    </message>
    <message>
        <source>You → them</source>
        <translation>You → them</translation>
    </message>
    <message>
        <source>Rendered</source>
        <translation>Rendered</translation>
    </message>
    <message>
        <source>not checked</source>
        <translation>not checked</translation>
    </message>
</context>
<context>
    <name>tessaray::CScheduleDlg</name>
    <message>
        <source>Check automatically</source>
        <translation>Check automatically</translation>
    </message>
    <message>
        <source>Check the project %1 on a schedule, also while the program is closed; a check missed while the computer was off runs at the next start.</source>
        <translation>Check the project %1 on a schedule, also while the program is closed; a check missed while the computer was off runs at the next start.</translation>
    </message>
    <message>
        <source>&amp;Off</source>
        <translation>&amp;Off</translation>
    </message>
    <message>
        <source>&amp;Daily</source>
        <translation>&amp;Daily</translation>
    </message>
    <message>
        <source>&amp;Weekly on</source>
        <translation>&amp;Weekly on</translation>
    </message>
    <message>
        <source>Monday</source>
        <translation>Monday</translation>
    </message>
    <message>
        <source>Tuesday</source>
        <translation>Tuesday</translation>
    </message>
    <message>
        <source>Wednesday</source>
        <translation>Wednesday</translation>
    </message>
    <message>
        <source>Thursday</source>
        <translation>Thursday</translation>
    </message>
    <message>
        <source>Friday</source>
        <translation>Friday</translation>
    </message>
    <message>
        <source>Saturday</source>
        <translation>Saturday</translation>
    </message>
    <message>
        <source>Sunday</source>
        <translation>Sunday</translation>
    </message>
    <message>
        <source>at</source>
        <translation>at</translation>
    </message>
    <message>
        <source>Cannot remove the schedule: %1</source>
        <translation>Cannot remove the schedule: %1</translation>
    </message>
    <message>
        <source>The command-line program that runs the checks is missing: %1</source>
        <translation>The command-line program that runs the checks is missing: %1</translation>
    </message>
    <message>
        <source>A project whose path holds a line break cannot be checked automatically.</source>
        <translation>A project whose path holds a line break cannot be checked automatically.</translation>
    </message>
    <message>
        <source>Cannot write the schedule: %1</source>
        <translation>Cannot write the schedule: %1</translation>
    </message>
    <message>
        <source>The project is not checked automatically.</source>
        <translation>The project is not checked automatically.</translation>
    </message>
    <message>
        <source>Next check: %1</source>
        <translation>Next check: %1</translation>
    </message>
    <message>
        <source>unknown</source>
        <translation>unknown</translation>
    </message>
    <message>
        <source>The schedule is saved, but no systemd user manager took it (%1). Start the check with cron instead: add this line with &quot;crontab -e&quot;:
%2</source>
        <translation>The schedule is saved, but no systemd user manager took it (%1). Start the check with cron instead: add this line with &quot;crontab -e&quot;:
%2</translation>
    </message>
</context>
<context>
    <name>tessaray::CSupportDlg</name>
    <message>
        <source>Support</source>
        <translation>Support</translation>
    </message>
    <message>
        <source>Please use the Support button below for all your inquiries and technical support regarding the Tessaray software.</source>
        <translation>Please use the Support button below for all your inquiries and technical support regarding the Tessaray software.</translation>
    </message>
    <message>
        <source>An Internet connection is needed for this purpose.</source>
        <translation>An Internet connection is needed for this purpose.</translation>
    </message>
    <message>
        <source>Please make sure that e-mails from our addresses are not blocked by your spam filter.</source>
        <translation>Please make sure that e-mails from our addresses are not blocked by your spam filter.</translation>
    </message>
    <message>
        <source>Please Note: We never send spam messages and always treat your e-mail address in the strictest of confidence.</source>
        <translation>Please Note: We never send spam messages and always treat your e-mail address in the strictest of confidence.</translation>
    </message>
    <message>
        <source>Please click here for support:</source>
        <translation>Please click here for support:</translation>
    </message>
    <message>
        <source>Close Window</source>
        <translation>Close Window</translation>
    </message>
</context>
<context>
    <name>tessaray::CSupportMailDlg</name>
    <message>
        <source>Support</source>
        <translation>Support</translation>
    </message>
    <message>
        <source>Copy to the clipboard</source>
        <translation>Copy to the clipboard</translation>
    </message>
    <message>
        <source>EMail Recipient</source>
        <translation>EMail Recipient</translation>
    </message>
    <message>
        <source>Subject Line</source>
        <translation>Subject Line</translation>
    </message>
    <message>
        <source>Email Text (Body)</source>
        <translation>Email Text (Body)</translation>
    </message>
    <message>
        <source>Your email client does not seem to support the MAPI interface and the support email can not be automatically generated</source>
        <translation>Your email client does not seem to support the MAPI interface and the support email can not be automatically generated</translation>
    </message>
    <message>
        <source>Please start a new email message and insert the following information</source>
        <translation>Please start a new email message and insert the following information</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>tessaray::CTablePrinter</name>
    <message>
        <source>Page %1 of %2</source>
        <translation>Page %1 of %2</translation>
    </message>
</context>
<context>
    <name>tessaray::CTessarayApp</name>
    <message>
        <source>Max line count reached</source>
        <translation>Max line count reached</translation>
    </message>
    <message>
        <source>Out of memory</source>
        <translation>Out of memory</translation>
    </message>
</context>
<context>
    <name>tessaray::CTessarayDoc</name>
    <message>
        <source>Untitled</source>
        <translation>Untitled</translation>
    </message>
    <message>
        <source>The file %1 cannot be opened as a Tessaray project.
%2</source>
        <translation>The file %1 cannot be opened as a Tessaray project.
%2</translation>
    </message>
    <message>
        <source>The project could not be saved.
%1</source>
        <translation>The project could not be saved.
%1</translation>
    </message>
    <message>
        <source>Tessaray Project (.tsrp) (*.tsrp)</source>
        <translation>Tessaray Project (.tsrp) (*.tsrp)</translation>
    </message>
    <message>
        <source>The project has no domain or no partner URL.</source>
        <translation>The project has no domain or no partner URL.</translation>
    </message>
    <message>
        <source>%1 names no folder.</source>
        <translation>%1 names no folder.</translation>
    </message>
    <message>
        <source>The folder of %1 does not exist.</source>
        <translation>The folder of %1 does not exist.</translation>
    </message>
    <message>
        <source>%1 cannot be read (%2).</source>
        <translation>%1 cannot be read (%2).</translation>
    </message>
    <message>
        <source>The file %1 does not exist.</source>
        <translation>The file %1 does not exist.</translation>
    </message>
    <message>
        <source>%1 is not a Tessaray project.</source>
        <translation>%1 is not a Tessaray project.</translation>
    </message>
    <message>
        <source>%1 could not be written.</source>
        <translation>%1 could not be written.</translation>
    </message>
    <message>
        <source>Save changes to %1?</source>
        <translation>Save changes to %1?</translation>
    </message>
    <message>
        <source>Tessaray projects (*.tsrp)</source>
        <translation>Tessaray projects (*.tsrp)</translation>
    </message>
</context>
<context>
    <name>tessaray::CTessarayView</name>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Copy</translation>
    </message>
    <message>
        <source>&amp;Open partner page: %1</source>
        <translation>&amp;Open partner page: %1</translation>
    </message>
    <message>
        <source>Show in &amp;history</source>
        <translation>Show in &amp;history</translation>
    </message>
    <message>
        <source>Open report in &amp;Excel</source>
        <translation>Open report in &amp;Excel</translation>
    </message>
    <message>
        <source>Open report in the &amp;browser</source>
        <translation>Open report in the &amp;browser</translation>
    </message>
    <message>
        <source>Restore the default columns</source>
        <translation>Restore the default columns</translation>
    </message>
</context>
<context>
    <name>tessaray::CTipOfTheDayDlg</name>
    <message>
        <source>Did you know...</source>
        <translation>Did you know...</translation>
    </message>
    <message>
        <source>Tip of the Day</source>
        <translation>Tip of the Day</translation>
    </message>
    <message>
        <source>&amp;Show Tips on StartUp</source>
        <translation>&amp;Show Tips on StartUp</translation>
    </message>
    <message>
        <source>&amp;Next Tip</source>
        <translation>&amp;Next Tip</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Close</translation>
    </message>
    <message>
        <source>Trouble reading the tips file</source>
        <translation>Trouble reading the tips file</translation>
    </message>
    <message>
        <source>Tips file does not exist in the prescribed directory</source>
        <translation>Tips file does not exist in the prescribed directory</translation>
    </message>
    <message>
        <source>No tips in the tips file</source>
        <translation>No tips in the tips file</translation>
    </message>
</context>
<context>
    <name>tessaray::CTxtImportDlg</name>
    <message>
        <source>URL-Import from a txt-File</source>
        <translation>URL-Import from a txt-File</translation>
    </message>
    <message>
        <source>URL details can be read in via a text file</source>
        <translation>URL details can be read in via a text file</translation>
    </message>
    <message>
        <source>- each URL needing to be listed on a separate line</source>
        <translation>- each URL needing to be listed on a separate line</translation>
    </message>
    <message>
        <source>- Text not starting with a letter (a..z, A..Z) is interpreted as a comment (e.g.: #, /*, //,...)</source>
        <translation>- Text not starting with a letter (a..z, A..Z) is interpreted as a comment (e.g.: #, /*, //,...)</translation>
    </message>
    <message>
        <source>Text file with one URL per line (*.txt)</source>
        <translation>Text file with one URL per line (*.txt)</translation>
    </message>
    <message>
        <source>Browse...</source>
        <translation>Browse...</translation>
    </message>
    <message>
        <source>Text Files (.txt)</source>
        <translation>Text Files (.txt)</translation>
    </message>
</context>
<context>
    <name>tessaray::ReadFailure</name>
    <message>
        <source>is a folder, not a file</source>
        <translation>is a folder, not a file</translation>
    </message>
    <message>
        <source>is a FIFO (named pipe), not a file</source>
        <translation>is a FIFO (named pipe), not a file</translation>
    </message>
    <message>
        <source>is a device, not a file</source>
        <translation>is a device, not a file</translation>
    </message>
    <message>
        <source>is a socket, not a file</source>
        <translation>is a socket, not a file</translation>
    </message>
    <message>
        <source>is larger than %1 MiB</source>
        <translation>is larger than %1 MiB</translation>
    </message>
    <message>
        <source>it %1</source>
        <translation>it %1</translation>
    </message>
</context>
<context>
    <name>tessaray::SUiHooks</name>
    <message>
        <source>Log in</source>
        <translation>Log in</translation>
    </message>
    <message>
        <source>The site %1 asks for a user name and a password (%2). Only this site gets them.</source>
        <translation>The site %1 asks for a user name and a password (%2). Only this site gets them.</translation>
    </message>
    <message>
        <source>The connection is not encrypted: the password would be sent readable.</source>
        <translation>The connection is not encrypted: the password would be sent readable.</translation>
    </message>
    <message>
        <source>User name:</source>
        <translation>User name:</translation>
    </message>
    <message>
        <source>Password:</source>
        <translation>Password:</translation>
    </message>
    <message>
        <source>No program could open the file %1.</source>
        <translation>No program could open the file %1.</translation>
    </message>
    <message>
        <source>No web browser could open %1.</source>
        <translation>No web browser could open %1.</translation>
    </message>
</context>
</TS>
