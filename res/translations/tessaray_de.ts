<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE" sourcelanguage="en_US">
<context>
    <name>tessaray::CMainFrame</name>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;New...	Ctrl+N</source>
        <translation>&amp;Neu...	Strg+N</translation>
    </message>
    <message>
        <source>Create a new project
New</source>
        <translation>Ein neues Projekt anlegen
Neu</translation>
    </message>
    <message>
        <source>&amp;Open...	Ctrl+O</source>
        <translation>Ö&amp;ffnen...	Strg+O</translation>
    </message>
    <message>
        <source>Open an existing project
Open</source>
        <translation>Ein vorhandenes Projekt öffnen
Öffnen</translation>
    </message>
    <message>
        <source>&amp;Save	Ctrl+S</source>
        <translation>&amp;Speichern	Ctrl+S</translation>
    </message>
    <message>
        <source>Save the active project
Save</source>
        <translation>Das aktive Projekt speichern
Speichern</translation>
    </message>
    <message>
        <source>Save &amp;As...</source>
        <translation>Speichern &amp;unter...</translation>
    </message>
    <message>
        <source>Save the active project with a new name
Save As</source>
        <translation>Das aktive Projekt unter neuem Namen speichern
Speichern unter</translation>
    </message>
    <message>
        <source>Recent File</source>
        <translation>Recent File</translation>
    </message>
    <message>
        <source>Open this project
Recent project</source>
        <translation>Dieses Projekt öffnen
Zuletzt geöffnetes Projekt</translation>
    </message>
    <message>
        <source>&amp;Exit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>Quit the application
Exit</source>
        <translation>Das Programm beenden
Beenden</translation>
    </message>
    <message>
        <source>&amp;Project</source>
        <translation>Projekt</translation>
    </message>
    <message>
        <source>&amp;Edit project...	Ctrl+E</source>
        <translation>Projekt ändern...</translation>
    </message>
    <message>
        <source>Change the domain, the partner pages and the settings of the project
Edit project</source>
        <translation>Domain, Partnerseiten und Einstellungen des Projekts ändern
Projekt ändern</translation>
    </message>
    <message>
        <source>&amp;Analyse</source>
        <translation>Analyse</translation>
    </message>
    <message>
        <source>Start &amp;Analysis	Ctrl+A</source>
        <translation>Analzse starten</translation>
    </message>
    <message>
        <source>Check every partner page for its link to your site
Start analysis</source>
        <translation>Jede Partnerseite auf ihren Link zu Ihrer Website prüfen
Analyse starten</translation>
    </message>
    <message>
        <source>&amp;Stop running Analysis</source>
        <translation>Analzse stoppen</translation>
    </message>
    <message>
        <source>Stop the analysis after the current partner page
Stop analysis</source>
        <translation>Die Analyse nach der aktuellen Partnerseite beenden
Analyse stoppen</translation>
    </message>
    <message>
        <source>&amp;Export</source>
        <translation>Export</translation>
    </message>
    <message>
        <source>Save report as &amp;Csv file...	F5</source>
        <translation>Report als Csv/Datei speichern...</translation>
    </message>
    <message>
        <source>Save the results as a tab-separated CSV file
Save report as CSV file</source>
        <translation>Die Ergebnisse als CSV-Datei mit Tabulatoren speichern
Report als CSV-Datei speichern</translation>
    </message>
    <message>
        <source>Save report as &amp;Html file...	F6</source>
        <translation>Report als Html/Datei speichern...</translation>
    </message>
    <message>
        <source>Save the results as an HTML page
Save report as HTML file</source>
        <translation>Die Ergebnisse als HTML-Seite speichern
Report als HTML-Datei speichern</translation>
    </message>
    <message>
        <source>Open report in &amp;Excel	F7</source>
        <translation>Report in Excel öffnen</translation>
    </message>
    <message>
        <source>Open the results in the spreadsheet program
Open report in Excel</source>
        <translation>Die Ergebnisse in der Tabellenkalkulation öffnen
Report in Excel öffnen</translation>
    </message>
    <message>
        <source>Open report in Html &amp;Browser	F8</source>
        <translation>Report im Html/Browser öffnen</translation>
    </message>
    <message>
        <source>Open the results in the web browser
Open report in browser</source>
        <translation>Die Ergebnisse im Web-Browser öffnen
Report im Browser öffnen</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>Open &amp;Help Document	F1</source>
        <translation>Hilfe-Dokument öffnen</translation>
    </message>
    <message>
        <source>Open the help document
Help</source>
        <translation>Das Hilfe-Dokument öffnen
Hilfe</translation>
    </message>
    <message>
        <source>&amp;About Tessaray...</source>
        <translation>Über Tessaray...</translation>
    </message>
    <message>
        <source>Show program information, version number and copyright
About</source>
        <translation>Programminformationen, Versionsnummer und Copyright anzeigen
Über Tessaray</translation>
    </message>
    <message>
        <source>Tessaray &amp;Homepage</source>
        <translation>Tessaray Homepage</translation>
    </message>
    <message>
        <source>Open the Tessaray home page in the browser
Homepage</source>
        <translation>Die Tessaray-Homepage im Browser öffnen
Homepage</translation>
    </message>
    <message>
        <source>Tip of the day...</source>
        <translation>Tipp des Tages...</translation>
    </message>
    <message>
        <source>Show a tip on using Tessaray
Tip of the day</source>
        <translation>Einen Tipp zur Arbeit mit Tessaray anzeigen
Tipp des Tages</translation>
    </message>
    <message>
        <source>&amp;Support</source>
        <translation>Support / technische Unterstützung...</translation>
    </message>
    <message>
        <source>Write a support request
Support</source>
        <translation>Eine Support-Anfrage schreiben
Support</translation>
    </message>
    <message>
        <source>Check for Updates, update software...</source>
        <translation>Updates prüfen / Software aktualisieren...</translation>
    </message>
    <message>
        <source>Look for a newer version of Tessaray
Check for updates</source>
        <translation>Nach einer neueren Version von Tessaray suchen
Updates prüfen</translation>
    </message>
    <message>
        <source>Toolbar</source>
        <translation>Symbolleiste</translation>
    </message>
    <message>
        <source>Ready</source>
        <translation>Bereit</translation>
    </message>
    <message>
        <source>CAP</source>
        <translation>UF</translation>
    </message>
    <message>
        <source>NUM</source>
        <translation>NUM</translation>
    </message>
    <message>
        <source>SCRL</source>
        <translation>RF</translation>
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
        <translation>Die Datei %1 kann nicht als Tessaray-Projekt geöffnet werden.
%2</translation>
    </message>
    <message>
        <source>The project could not be saved.
%1</source>
        <translation>Das Projekt konnte nicht gespeichert werden.
%1</translation>
    </message>
    <message>
        <source>save changed project ?</source>
        <translation>geändertes Projekt speichern ?</translation>
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
        <translation>analysieren fertig</translation>
    </message>
    <message>
        <source>loading</source>
        <translation>laden</translation>
    </message>
    <message>
        <source>analyzing</source>
        <translation>analysieren</translation>
    </message>
    <message>
        <source>ready</source>
        <translation>fertig</translation>
    </message>
    <message>
        <source>The page cannot be fetched; the analysis ends.</source>
        <translation>Die Seite kann nicht geladen werden; die Analyse endet.</translation>
    </message>
    <message>
        <source>Stopping after partner %1 of %2 ...</source>
        <translation>Analyse endet nach Partner %1 von %2 ...</translation>
    </message>
    <message>
        <source>Analysing partner %1 of %2 ...</source>
        <translation>Analysiere Partner %1 von %2 ...</translation>
    </message>
    <message>
        <source>There is no private temporary folder for the report.</source>
        <translation>Es gibt keinen privaten temporären Ordner für den Report.</translation>
    </message>
    <message>
        <source>The old report %1 cannot be deleted.</source>
        <translation>Der alte Report %1 kann nicht gelöscht werden.</translation>
    </message>
    <message>
        <source>The report template %1 is missing.</source>
        <translation>Die Report-Vorlage %1 fehlt.</translation>
    </message>
    <message>
        <source>The report template %1 cannot be used: it lacks the table markers.</source>
        <translation>Die Report-Vorlage %1 ist nicht verwendbar: ihr fehlen die Tabellenmarkierungen.</translation>
    </message>
    <message>
        <source>The report could not be written to %1.</source>
        <translation>Der Report konnte nicht nach %1 geschrieben werden.</translation>
    </message>
</context>
</TS>
