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
</TS>
