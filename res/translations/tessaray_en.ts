<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="en_US">
<context>
    <name>tessaray::CMainFrame</name>
    <message>
        <source>&amp;File</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>&amp;New...	Ctrl+N</source>
        <translation>&amp;New...	Ctrl+N</translation>
    </message>
    <message>
        <source>Create a new project
New</source>
        <translation>Create a new project
New</translation>
    </message>
    <message>
        <source>&amp;Open...	Ctrl+O</source>
        <translation>&amp;Open...	Ctrl+O</translation>
    </message>
    <message>
        <source>Open an existing project
Open</source>
        <translation>Open an existing project
Open</translation>
    </message>
    <message>
        <source>&amp;Save	Ctrl+S</source>
        <translation>&amp;Save	Ctrl+S</translation>
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
        <source>&amp;Edit project...	Ctrl+E</source>
        <translation>&amp;Edit project...	Ctrl+E</translation>
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
        <source>Start &amp;Analysis	Ctrl+A</source>
        <translation>Start &amp;Analysis	Ctrl+A</translation>
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
        <source>&amp;Export</source>
        <translation>&amp;Export</translation>
    </message>
    <message>
        <source>Save report as &amp;Csv file...	F5</source>
        <translation>Save report as &amp;Csv file...	F5</translation>
    </message>
    <message>
        <source>Save the results as a tab-separated CSV file
Save report as CSV file</source>
        <translation>Save the results as a tab-separated CSV file
Save report as CSV file</translation>
    </message>
    <message>
        <source>Save report as &amp;Html file...	F6</source>
        <translation>Save report as &amp;Html file...	F6</translation>
    </message>
    <message>
        <source>Save the results as an HTML page
Save report as HTML file</source>
        <translation>Save the results as an HTML page
Save report as HTML file</translation>
    </message>
    <message>
        <source>Open report in &amp;Excel	F7</source>
        <translation>Open report in &amp;Excel	F7</translation>
    </message>
    <message>
        <source>Open the results in the spreadsheet program
Open report in Excel</source>
        <translation>Open the results in the spreadsheet program
Open report in Excel</translation>
    </message>
    <message>
        <source>Open report in Html &amp;Browser	F8</source>
        <translation>Open report in Html &amp;Browser	F8</translation>
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
        <source>Open &amp;Help Document	F1</source>
        <translation>Open &amp;Help Document	F1</translation>
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
        <source>Tessaray &amp;Homepage</source>
        <translation>Tessaray &amp;Homepage</translation>
    </message>
    <message>
        <source>Open the Tessaray home page in the browser
Homepage</source>
        <translation>Open the Tessaray home page in the browser
Homepage</translation>
    </message>
    <message>
        <source>Tip of the day...</source>
        <translation>Tip of the day...</translation>
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
        <source>Check for Updates, update software...</source>
        <translation>Check for Updates, update software...</translation>
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
</context>
<context>
    <name>tessaray::COutputBar</name>
    <message>
        <source>Output</source>
        <translation>Output</translation>
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
        <source>save changed project ?</source>
        <translation>save changed project ?</translation>
    </message>
    <message>
        <source>Tessar Files (*.tsrp)</source>
        <translation>Tessar Files (*.tsrp)</translation>
    </message>
</context>
<context>
    <name>tessaray::CTessarayView</name>
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
        <source>Stopping after partner %1 of %2 ...</source>
        <translation>Stopping after partner %1 of %2 ...</translation>
    </message>
    <message>
        <source>Analysing partner %1 of %2 ...</source>
        <translation>Analysing partner %1 of %2 ...</translation>
    </message>
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
    <name>tessaray::CAboutProgramDlg</name>
    <message>
        <source>About Tessaray</source>
        <translation>About Tessaray</translation>
    </message>
    <message>
        <source>Copyright (C) Dalvero. All rights reserved.</source>
        <translation>Copyright (C) Dalvero. All rights reserved.</translation>
    </message>
    <message>
        <source>Fileversion</source>
        <translation>Fileversion</translation>
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
</context>
<context>
    <name>tessaray::CSupportDlg</name>
    <message>
        <source>Support</source>
        <translation>Support</translation>
    </message>
    <message>
        <source>Please use the Support button below for all your inquires and technical support regarding the Tessaray software.</source>
        <translation>Please use the Support button below for all your inquires and technical support regarding the Tessaray software.</translation>
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
</context>
</TS>
