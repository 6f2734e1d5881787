<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE" sourcelanguage="en_US">
<context>
    <name>ImportTally</name>
    <message>
        <source>skipped as duplicates: %1</source>
        <translation>als doppelt übersprungen: %1</translation>
    </message>
    <message>
        <source>left out, as the list holds at most %1: %2</source>
        <translation>ausgelassen, da die Liste höchstens %1 fasst: %2</translation>
    </message>
    <message>
        <source>skipped for a user name or password in the address: %1</source>
        <translation>übersprungen wegen Benutzername oder Passwort in der Adresse: %1</translation>
    </message>
    <message>
        <source>skipped as longer than %1 characters: %2</source>
        <translation>übersprungen, da länger als %1 Zeichen: %2</translation>
    </message>
</context>
<context>
    <name>tessaray::CAboutProgramDlg</name>
    <message>
        <source>About Tessaray</source>
        <translation>Über Tessaray</translation>
    </message>
    <message>
        <source>Tessaray Web Site:</source>
        <translation>Tessaray-Webseite:</translation>
    </message>
    <message>
        <source>Company Web Site:</source>
        <translation>Firmen-Webseite:</translation>
    </message>
    <message>
        <source>Support...</source>
        <translation>Support...</translation>
    </message>
    <message>
        <source>Technical Support</source>
        <translation>Technische Unterstützung</translation>
    </message>
    <message>
        <source>Contact</source>
        <translation>Kontakt</translation>
    </message>
    <message>
        <source>Contact ...</source>
        <translation>Kontakt ...</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Copyright (C) Tessaray developers. Free software under the MIT License.</source>
        <translation>Copyright (C) Tessaray-Entwickler. Freie Software unter der MIT-Lizenz.</translation>
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
        <translation>Vereinbarung</translation>
    </message>
    <message>
        <source>What was agreed with %1. Empty fields agree to anything.</source>
        <translation>Was mit %1 vereinbart wurde. Leere Felder lassen alles zu.</translation>
    </message>
    <message>
        <source>Target URL:</source>
        <translation>Ziel-URL:</translation>
    </message>
    <message>
        <source>http://www.example.com/page, or a prefix such as http://www.example.com/shop/*</source>
        <translation>http://www.example.com/seite oder ein Anfang wie http://www.example.com/shop/*</translation>
    </message>
    <message>
        <source>Anchor text:</source>
        <translation>Linktext:</translation>
    </message>
    <message>
        <source>the exact text, or *text* for a text that contains it; case does not count</source>
        <translation>der genaue Text oder *Text* für einen Text, der ihn enthält; Groß- und Kleinschreibung zählen nicht</translation>
    </message>
    <message>
        <source>The link must be followed (no nofollow, sponsored or ugc)</source>
        <translation>Der Link muss gefolgt sein (kein nofollow, sponsored oder ugc)</translation>
    </message>
    <message>
        <source>no end date</source>
        <translation>kein Enddatum</translation>
    </message>
    <message>
        <source>Ends on:</source>
        <translation>Endet am:</translation>
    </message>
    <message>
        <source>Contact:</source>
        <translation>Kontakt:</translation>
    </message>
    <message>
        <source>Note:</source>
        <translation>Notiz:</translation>
    </message>
    <message>
        <source>Remove agreement</source>
        <translation>Vereinbarung entfernen</translation>
    </message>
    <message>
        <source>The stored end &quot;%1&quot; is no date; set one or keep &quot;no end date&quot;.</source>
        <translation>Das gespeicherte Ende „%1“ ist kein Datum; setzen Sie eines oder lassen Sie „kein Enddatum“.</translation>
    </message>
    <message>
        <source>This agreement cannot be stored: %1</source>
        <translation>Diese Vereinbarung kann nicht gespeichert werden: %1</translation>
    </message>
</context>
<context>
    <name>tessaray::CAlertSettingsDlg</name>
    <message>
        <source>Alerts</source>
        <translation>Benachrichtigungen</translation>
    </message>
    <message>
        <source>When a run finds a partner&apos;s link lost or worse than in the last completed run, the alert goes here.</source>
        <translation>Findet eine Prüfung den Link eines Partners verloren oder schlechter als in der letzten vollständigen Prüfung, geht die Benachrichtigung hierhin.</translation>
    </message>
    <message>
        <source>Mail to:</source>
        <translation>E-Mail an:</translation>
    </message>
    <message>
        <source>SMTP server:</source>
        <translation>SMTP-Server:</translation>
    </message>
    <message>
        <source>SMTP user:</source>
        <translation>SMTP-Benutzer:</translation>
    </message>
    <message>
        <source>File with the SMTP password:</source>
        <translation>Datei mit dem SMTP-Passwort:</translation>
    </message>
    <message>
        <source>Webhook URL:</source>
        <translation>Webhook-URL:</translation>
    </message>
    <message>
        <source>Show a desktop notice</source>
        <translation>Desktop-Benachrichtigung anzeigen</translation>
    </message>
    <message>
        <source>These settings cannot be used: %1</source>
        <translation>Diese Einstellungen sind nicht verwendbar: %1</translation>
    </message>
</context>
<context>
    <name>tessaray::CAnalysisController</name>
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
        <source>Fetching up to %1 pages at a time, at most %2 per site</source>
        <translation>Lade bis zu %1 Seiten gleichzeitig, höchstens %2 je Website</translation>
    </message>
    <message>
        <source>The run history %1 cannot be used (%2); the analysis is not affected.</source>
        <translation>Der Verlauf der Analysen %1 kann nicht benutzt werden (%2); die Analyse selbst ist davon nicht betroffen.</translation>
    </message>
    <message>
        <source>%1 of %2 partners</source>
        <translation>%1 von %2 Partnern</translation>
    </message>
    <message>
        <source>%1 of %2 partners, about %3 left</source>
        <translation>%1 von %2 Partnern, noch etwa %3</translation>
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
        <source>confirmed</source>
        <translation>bestätigt</translation>
    </message>
    <message>
        <source>The desktop notice could not be shown: %1</source>
        <translation>Die Desktop-Benachrichtigung konnte nicht angezeigt werden: %1</translation>
    </message>
    <message>
        <source>No partner page could be reached. Check your connection or proxy.</source>
        <translation>Keine Partnerseite war erreichbar. Prüfen Sie Ihre Internetverbindung oder den Proxy.</translation>
    </message>
    <message>
        <source>Changes since the last run</source>
        <translation>Änderungen seit der letzten Analyse</translation>
    </message>
    <message>
        <source>Links lost or verdicts worse since the previous run: %1</source>
        <translation>Seit der vorigen Analyse verlorene Links oder schlechtere Bewertungen: %1</translation>
    </message>
    <message>
        <source>&amp;Show changes</source>
        <translation>Änderungen &amp;zeigen</translation>
    </message>
    <message numerus="yes">
        <source>%1 of %2 partners, waiting for %n slow page(s)</source>
        <translation>
            <numerusform>%1 von %2 Partnern, warte auf %n langsame Seite</numerusform>
            <numerusform>%1 von %2 Partnern, warte auf %n langsame Seiten</numerusform>
        </translation>
    </message>
    <message>
        <source>The project is saved before its analysis, so that each run is kept in its history. Choose a name and a folder for the project.</source>
        <translation>Das Projekt wird vor der Analyse gespeichert, damit jede Analyse in seinem Verlauf erhalten bleibt. Wählen Sie einen Namen und einen Ordner für das Projekt.</translation>
    </message>
    <message>
        <source>Last run, %1: %2</source>
        <translation>Letzte Analyse, %1: %2</translation>
    </message>
    <message>
        <source>Pages are not rendered: %1</source>
        <translation>Seiten werden nicht dargestellt: %1</translation>
    </message>
    <message>
        <source>No browser is installed: pages are not rendered (install Chromium).</source>
        <translation>Kein Browser installiert: Seiten werden nicht dargestellt (installieren Sie Chromium).</translation>
    </message>
</context>
<context>
    <name>tessaray::CAnalysisOptionsDlg</name>
    <message>
        <source>Analysis options</source>
        <translation>Analyseoptionen</translation>
    </message>
    <message>
        <source>Pages fetched at the same time (1 to %1):</source>
        <translation>Gleichzeitig geladene Seiten (1 bis %1):</translation>
    </message>
    <message>
        <source>Of these from one site (1 to %1):</source>
        <translation>Davon von einer Website (1 bis %1):</translation>
    </message>
    <message>
        <source>User agent the requests name (empty: the default):</source>
        <translation>Benutzeragent der Anfragen (leer: der Standard):</translation>
    </message>
    <message>
        <source>Fetch each page as Googlebot too and warn when it shows other links</source>
        <translation>Jede Seite auch als Googlebot laden und warnen, wenn sie ihm andere Links zeigt</translation>
    </message>
    <message>
        <source>The values apply from the next analysis on.</source>
        <translation>Die Werte gelten ab der nächsten Analyse.</translation>
    </message>
</context>
<context>
    <name>tessaray::CCsvImportDlg</name>
    <message>
        <source>Import URLs from a csv file</source>
        <translation>URL-Import von einer Csv-Datei</translation>
    </message>
    <message>
        <source>Browse...</source>
        <translation>Durchsuchen...</translation>
    </message>
    <message>
        <source>Csv file:</source>
        <translation>Csv-Datei:</translation>
    </message>
    <message>
        <source>Column (%1 to %2):</source>
        <translation>Spalte (%1 bis %2):</translation>
    </message>
    <message>
        <source>Separator</source>
        <translation>Trennzeichen</translation>
    </message>
    <message>
        <source>Comma</source>
        <translation>Komma</translation>
    </message>
    <message>
        <source>Semicolon</source>
        <translation>Semikolon</translation>
    </message>
    <message>
        <source>Tabulator</source>
        <translation>Tabulator</translation>
    </message>
    <message>
        <source>Please enter an integer.</source>
        <translation>Geben Sie eine ganze Zahl ein.</translation>
    </message>
    <message>
        <source>Please enter an integer between %1 and %2.</source>
        <translation>Geben Sie eine ganze Zahl zwischen %1 und %2 ein.</translation>
    </message>
    <message>
        <source>Csv Files (.csv)</source>
        <translation>Csv-Dateien (.csv)</translation>
    </message>
    <message>
        <source>Text Files (.txt)</source>
        <translation>Textdateien (.txt)</translation>
    </message>
</context>
<context>
    <name>tessaray::CEditProjectDlg</name>
    <message>
        <source>Edit Project</source>
        <translation>Projekt bearbeiten</translation>
    </message>
    <message>
        <source>Your Domain URL, e.g.: </source>
        <translation>URL Ihrer Domain, z.B.: </translation>
    </message>
    <message>
        <source>Enter Domain URL...</source>
        <translation>Domain-URL eingeben...</translation>
    </message>
    <message>
        <source>URLs of partner web pages containing links to pages in your domain, e.g.: </source>
        <translation>URLs der Partner-Webseiten, die Links auf Seiten Ihrer Domain enthalten, z.B.: </translation>
    </message>
    <message>
        <source>Add URL...</source>
        <translation>URL hinzufügen...</translation>
    </message>
    <message>
        <source>Delete URL...</source>
        <translation>URL löschen...</translation>
    </message>
    <message>
        <source>Edit URL...</source>
        <translation>URL bearbeiten...</translation>
    </message>
    <message>
        <source>Test URL...</source>
        <translation>URL testen...</translation>
    </message>
    <message>
        <source>Import Txt-List...</source>
        <translation>Txt-Liste importieren...</translation>
    </message>
    <message>
        <source>Import Csv...</source>
        <translation>Csv importieren...</translation>
    </message>
    <message>
        <source>Add a CSV table containing external links from Google Search Console for the purpose of cross-checking.</source>
        <translation>Fügen Sie zum Abgleich eine CSV-Tabelle mit den externen Links aus der Google Search Console hinzu.</translation>
    </message>
    <message>
        <source>Add Ext.Links...</source>
        <translation>Ext. Links hinzufügen...</translation>
    </message>
    <message>
        <source>Display Links...</source>
        <translation>Links anzeigen...</translation>
    </message>
    <message>
        <source>Investigate the Pagerank of the partner site</source>
        <translation>Pagerank der Partnerseite ermitteln</translation>
    </message>
    <message>
        <source>Please enter your domain URL.</source>
        <translation>Bitte geben Sie die URL Ihrer Domain ein.</translation>
    </message>
    <message>
        <source>Add at least one valid partner URL.</source>
        <translation>Fügen Sie mindestens eine gültige Partner-URL hinzu.</translation>
    </message>
    <message>
        <source>not a valid web address</source>
        <translation>keine gültige Webadresse</translation>
    </message>
    <message>
        <source>The list is full: a project holds at most %1 partner URLs.</source>
        <translation>Die Liste ist voll: Ein Projekt enthält höchstens %1 Partner-URLs.</translation>
    </message>
    <message>
        <source>The file %1 cannot be read.</source>
        <translation>Die Datei %1 kann nicht gelesen werden.</translation>
    </message>
    <message>
        <source>URLs imported: %1</source>
        <translation>URLs importiert: %1</translation>
    </message>
    <message>
        <source>Alerts...</source>
        <translation>Benachrichtigungen...</translation>
    </message>
    <message>
        <source>Agreement</source>
        <translation>Vereinbarung</translation>
    </message>
    <message>
        <source>Target: %1</source>
        <translation>Ziel: %1</translation>
    </message>
    <message>
        <source>Anchor text: %1</source>
        <translation>Linktext: %1</translation>
    </message>
    <message>
        <source>Followed link required</source>
        <translation>Gefolgter Link verlangt</translation>
    </message>
    <message>
        <source>Until: %1</source>
        <translation>Bis: %1</translation>
    </message>
    <message>
        <source>Agreement...</source>
        <translation>Vereinbarung...</translation>
    </message>
    <message>
        <source>My link pages: your own pages that link to the partners, one URL per line (to check that you link back):</source>
        <translation>Meine Linkseiten: Ihre eigenen Seiten, die auf die Partner verlinken, eine URL je Zeile (um zu prüfen, ob Sie zurückverlinken):</translation>
    </message>
    <message>
        <source>Render partner pages in a browser:</source>
        <translation>Partnerseiten in einem Browser darstellen:</translation>
    </message>
    <message>
        <source>Automatic (when the page shows no counting link)</source>
        <translation>Automatisch (wenn die Seite keinen zählenden Link zeigt)</translation>
    </message>
    <message>
        <source>Always</source>
        <translation>Immer</translation>
    </message>
    <message>
        <source>Never</source>
        <translation>Nie</translation>
    </message>
    <message>
        <source>No browser is installed: pages are not rendered (install Chromium).</source>
        <translation>Kein Browser installiert: Seiten werden nicht dargestellt (installieren Sie Chromium).</translation>
    </message>
    <message>
        <source>Not a web address: %1</source>
        <translation>Keine Webadresse: %1</translation>
    </message>
    <message>
        <source>Import agreements...</source>
        <translation>Vereinbarungen importieren...</translation>
    </message>
    <message>
        <source>CSV files (*.csv)</source>
        <translation>CSV-Dateien (*.csv)</translation>
    </message>
    <message>
        <source>The file is not a table of agreements.</source>
        <translation>Die Datei ist keine Tabelle von Vereinbarungen.</translation>
    </message>
    <message>
        <source>Agreements imported: %1</source>
        <translation>Vereinbarungen importiert: %1</translation>
    </message>
    <message>
        <source>... and %1 more</source>
        <translation>... und %1 weitere</translation>
    </message>
</context>
<context>
    <name>tessaray::CEnterUrlDlg</name>
    <message>
        <source>Enter URL</source>
        <translation>URL eingeben</translation>
    </message>
    <message>
        <source>Paste the web address from the clipboard</source>
        <translation>Webadresse aus der Zwischenablage einfügen</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>Einfügen</translation>
    </message>
    <message>
        <source>Test URL</source>
        <translation>URL testen</translation>
    </message>
    <message>
        <source>Optional: A comment on the link can be entered here (only for the purpose of documentation)</source>
        <translation>Optional: Hier kann ein Kommentar zum Link eingegeben werden (nur zur Dokumentation)</translation>
    </message>
    <message>
        <source>Please enter no more than %1 characters.</source>
        <translation>Geben Sie nicht mehr als %1 Zeichen ein.</translation>
    </message>
    <message>
        <source>not a valid web address</source>
        <translation>keine gültige Webadresse</translation>
    </message>
    <message>
        <source>Leave the user name and password out of the address: the program asks for them when the site wants a log-in.</source>
        <translation>Lassen Sie Benutzername und Passwort aus der Adresse weg: Das Programm fragt danach, wenn die Site eine Anmeldung verlangt.</translation>
    </message>
    <message>
        <source>The address and its comment are longer than %1 characters.</source>
        <translation>Die Adresse ist mit ihrem Kommentar länger als %1 Zeichen.</translation>
    </message>
</context>
<context>
    <name>tessaray::CExtLinksDlg</name>
    <message>
        <source>List of External Links</source>
        <translation>Liste der externen Links</translation>
    </message>
    <message>
        <source>External links imported from Google Search Console for the purpose of verifying existence</source>
        <translation>Aus der Google Search Console importierte externe Links zur Prüfung auf Vorhandensein</translation>
    </message>
    <message>
        <source>Count of Links</source>
        <translation>Anzahl der Links</translation>
    </message>
</context>
<context>
    <name>tessaray::CFilterBar</name>
    <message>
        <source>Filter: text in any cell</source>
        <translation>Filter: Text in einer beliebigen Zelle</translation>
    </message>
    <message>
        <source>Show only problems</source>
        <translation>Nur Probleme zeigen</translation>
    </message>
    <message>
        <source>%1 of %2 rows shown</source>
        <translation>%1 von %2 Zeilen angezeigt</translation>
    </message>
    <message>
        <source>Show only the rows whose link does not count, whose agreement is broken or over, or whose exchange is one-sided</source>
        <translation>Nur die Zeilen zeigen, deren Link nicht zählt, deren Vereinbarung verletzt oder abgelaufen ist oder deren Tausch einseitig ist</translation>
    </message>
</context>
<context>
    <name>tessaray::CHelpCommands</name>
    <message>
        <source>The help document %1 cannot be found.</source>
        <translation>Das Hilfe-Dokument %1 wurde nicht gefunden.</translation>
    </message>
    <message>
        <source>Your present Tessaray version: %1</source>
        <translation>Ihre aktuelle Tessaray-Version: %1</translation>
    </message>
    <message>
        <source>Do you want to open the Tessaray download page in the browser?</source>
        <translation>Möchten Sie die Tessaray-Downloadseite im Browser öffnen?</translation>
    </message>
    <message>
        <source>A newer version is available</source>
        <translation>Eine neuere Version ist verfügbar</translation>
    </message>
    <message>
        <source>Should Tessaray look for a newer version on its web site at each start?</source>
        <translation>Soll Tessaray bei jedem Start auf seiner Website nach einer neueren Version suchen?</translation>
    </message>
    <message>
        <source>Only the download page is read; nothing about you or your projects is sent. You can change this in File &gt; Program options.</source>
        <translation>Dabei wird nur die Download-Seite gelesen; nichts über Sie oder Ihre Projekte wird gesendet. Sie können das unter Datei &gt; Programmeinstellungen ändern.</translation>
    </message>
</context>
<context>
    <name>tessaray::CHistoryCommands</name>
    <message>
        <source>The history holds only one run: there is nothing to compare it with.</source>
        <translation>Der Verlauf enthält nur eine Analyse: Es gibt nichts zu vergleichen.</translation>
    </message>
    <message>
        <source>The changes could not be written to %1.</source>
        <translation>Die Änderungen konnten nicht in %1 geschrieben werden.</translation>
    </message>
    <message>
        <source>The run history %1 cannot be read: %2</source>
        <translation>Der Verlauf der Analysen %1 kann nicht gelesen werden: %2</translation>
    </message>
</context>
<context>
    <name>tessaray::CHistoryDialog</name>
    <message>
        <source>History</source>
        <translation>Verlauf</translation>
    </message>
    <message>
        <source>Run</source>
        <translation>Analyse</translation>
    </message>
    <message>
        <source>Started</source>
        <translation>Begonnen</translation>
    </message>
    <message>
        <source>Ended</source>
        <translation>Ende</translation>
    </message>
    <message>
        <source>Partners</source>
        <translation>Partner</translation>
    </message>
    <message>
        <source>Count</source>
        <translation>Zählen</translation>
    </message>
    <message>
        <source>Do not count</source>
        <translation>Zählen nicht</translation>
    </message>
    <message>
        <source>Missing</source>
        <translation>Fehlen</translation>
    </message>
    <message>
        <source>Unreachable</source>
        <translation>Nicht erreichbar</translation>
    </message>
    <message>
        <source>&amp;Open run</source>
        <translation>Analyse ö&amp;ffnen</translation>
    </message>
    <message>
        <source>&amp;Compare two runs</source>
        <translation>Zwei Analysen &amp;vergleichen</translation>
    </message>
    <message>
        <source>Change</source>
        <translation>Änderung</translation>
    </message>
    <message>
        <source>What</source>
        <translation>Was</translation>
    </message>
    <message>
        <source>Partner URL</source>
        <translation>Partner-URL</translation>
    </message>
    <message>
        <source>Link URL</source>
        <translation>Link-URL</translation>
    </message>
    <message>
        <source>Before</source>
        <translation>Vorher</translation>
    </message>
    <message>
        <source>After</source>
        <translation>Nachher</translation>
    </message>
    <message>
        <source>Changes</source>
        <translation>Änderungen</translation>
    </message>
    <message>
        <source>The history cannot be read: %1</source>
        <translation>Der Verlauf kann nicht gelesen werden: %1</translation>
    </message>
    <message>
        <source>Run %1, started %2</source>
        <translation>Analyse %1, begonnen %2</translation>
    </message>
    <message>
        <source>Changes from run %1 to run %2: %3</source>
        <translation>Änderungen von Analyse %1 zu Analyse %2: %3</translation>
    </message>
    <message>
        <source>link gained</source>
        <translation>Link hinzugekommen</translation>
    </message>
    <message>
        <source>link lost</source>
        <translation>Link verloren</translation>
    </message>
    <message>
        <source>verdict changed</source>
        <translation>Bewertung geändert</translation>
    </message>
    <message>
        <source>status code changed</source>
        <translation>Statuscode geändert</translation>
    </message>
    <message>
        <source>anchor text changed</source>
        <translation>Ankertext geändert</translation>
    </message>
    <message>
        <source>partner added</source>
        <translation>Partner hinzugefügt</translation>
    </message>
    <message>
        <source>partner removed</source>
        <translation>Partner entfernt</translation>
    </message>
    <message>
        <source>your link back changed</source>
        <translation>Ihr Link zurück geändert</translation>
    </message>
    <message>
        <source>agreement met changed</source>
        <translation>Einhaltung der Vereinbarung geändert</translation>
    </message>
    <message>
        <source>%1 (stopped)</source>
        <translation>%1 (abgebrochen)</translation>
    </message>
</context>
<context>
    <name>tessaray::CMainFrame</name>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>Create a new project
New</source>
        <translation>Ein neues Projekt anlegen
Neu</translation>
    </message>
    <message>
        <source>Open an existing project
Open</source>
        <translation>Ein vorhandenes Projekt öffnen
Öffnen</translation>
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
        <translation>Zuletzt geöffnete Datei</translation>
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
        <translation>&amp;Projekt</translation>
    </message>
    <message>
        <source>Change the domain, the partner pages and the settings of the project
Edit project</source>
        <translation>Domain, Partnerseiten und Einstellungen des Projekts ändern
Projekt ändern</translation>
    </message>
    <message>
        <source>&amp;Analyse</source>
        <translation>&amp;Analyse</translation>
    </message>
    <message>
        <source>Check every partner page for its link to your site
Start analysis</source>
        <translation>Jede Partnerseite auf ihren Link zu Ihrer Website prüfen
Analyse starten</translation>
    </message>
    <message>
        <source>&amp;Stop running Analysis</source>
        <translation>Analyse s&amp;toppen</translation>
    </message>
    <message>
        <source>Stop the analysis after the current partner page
Stop analysis</source>
        <translation>Die Analyse nach der aktuellen Partnerseite beenden
Analyse stoppen</translation>
    </message>
    <message>
        <source>E&amp;xport</source>
        <translation>&amp;Export</translation>
    </message>
    <message>
        <source>Save the results as a tab-separated CSV file
Save report as CSV file</source>
        <translation>Die Ergebnisse als CSV-Datei mit Tabulatoren speichern
Report als CSV-Datei speichern</translation>
    </message>
    <message>
        <source>Save the results as an HTML page
Save report as HTML file</source>
        <translation>Die Ergebnisse als HTML-Seite speichern
Report als HTML-Datei speichern</translation>
    </message>
    <message>
        <source>Save report as &amp;JSON file...</source>
        <translation>Report als &amp;JSON-Datei speichern...</translation>
    </message>
    <message>
        <source>Save the results with their verdicts as a JSON file
Save report as JSON file</source>
        <translation>Die Ergebnisse mit ihren Bewertungen als JSON-Datei speichern
Report als JSON-Datei speichern</translation>
    </message>
    <message>
        <source>Open the results in the spreadsheet program
Open report in Excel</source>
        <translation>Die Ergebnisse in der Tabellenkalkulation öffnen
Report in Excel öffnen</translation>
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
        <source>Open the help document
Help</source>
        <translation>Das Hilfe-Dokument öffnen
Hilfe</translation>
    </message>
    <message>
        <source>&amp;About Tessaray...</source>
        <translation>Ü&amp;ber Tessaray...</translation>
    </message>
    <message>
        <source>Show program information, version number and copyright
About</source>
        <translation>Programminformationen, Versionsnummer und Copyright anzeigen
Über Tessaray</translation>
    </message>
    <message>
        <source>Open the Tessaray home page in the browser
Homepage</source>
        <translation>Die Tessaray-Homepage im Browser öffnen
Homepage</translation>
    </message>
    <message>
        <source>Show a tip on using Tessaray
Tip of the day</source>
        <translation>Einen Tipp zur Arbeit mit Tessaray anzeigen
Tipp des Tages</translation>
    </message>
    <message>
        <source>&amp;Support</source>
        <translation>S&amp;upport / technische Unterstützung...</translation>
    </message>
    <message>
        <source>Write a support request
Support</source>
        <translation>Eine Support-Anfrage schreiben
Support</translation>
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
    <message>
        <source>Analysis &amp;options...</source>
        <translation>Analyse&amp;optionen...</translation>
    </message>
    <message>
        <source>Set how many partner pages an analysis fetches at the same time
Analysis options</source>
        <translation>Festlegen, wie viele Partnerseiten eine Analyse gleichzeitig lädt
Analyseoptionen</translation>
    </message>
    <message>
        <source>Print the results table
Print</source>
        <translation>Die Ergebnistabelle drucken
Drucken</translation>
    </message>
    <message>
        <source>Print Pre&amp;view</source>
        <translation>Seitenansic&amp;ht</translation>
    </message>
    <message>
        <source>Show the printed pages of the results table
Print Preview</source>
        <translation>Die Druckseiten der Ergebnistabelle anzeigen
Seitenansicht</translation>
    </message>
    <message>
        <source>P&amp;rint Setup...</source>
        <translation>Drucker&amp;einrichtung...</translation>
    </message>
    <message>
        <source>Choose the printer, the paper and its orientation
Print Setup</source>
        <translation>Drucker, Papier und Ausrichtung wählen
Druckereinrichtung</translation>
    </message>
    <message>
        <source>&amp;History...</source>
        <translation>&amp;Verlauf...</translation>
    </message>
    <message>
        <source>List the earlier runs of the project, open one or compare two
History</source>
        <translation>Die früheren Analysen des Projekts auflisten, eine öffnen oder zwei vergleichen
Verlauf</translation>
    </message>
    <message>
        <source>Save changes as C&amp;SV file...</source>
        <translation>Änderungen als C&amp;SV-Datei speichern...</translation>
    </message>
    <message>
        <source>Save what changed between the last two runs as a tab-separated CSV file
Save changes as CSV file</source>
        <translation>Die Änderungen zwischen den letzten zwei Analysen als CSV-Datei mit Tabulatoren speichern
Änderungen als CSV-Datei speichern</translation>
    </message>
    <message>
        <source>Save changes as JS&amp;ON file...</source>
        <translation>Änderungen als JS&amp;ON-Datei speichern...</translation>
    </message>
    <message>
        <source>Save what changed between the last two runs as a JSON file
Save changes as JSON file</source>
        <translation>Die Änderungen zwischen den letzten zwei Analysen als JSON-Datei speichern
Änderungen als JSON-Datei speichern</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Bearbeiten</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Kopieren</translation>
    </message>
    <message>
        <source>Copy the selected rows with their verdicts as a table
Copy</source>
        <translation>Die markierten Zeilen mit ihren Bewertungen als Tabelle kopieren
Kopieren</translation>
    </message>
    <message>
        <source>Select &amp;All</source>
        <translation>&amp;Alles markieren</translation>
    </message>
    <message>
        <source>Select every row shown
Select All</source>
        <translation>Alle angezeigten Zeilen markieren
Alles markieren</translation>
    </message>
    <message>
        <source>&amp;Find...</source>
        <translation>&amp;Suchen...</translation>
    </message>
    <message>
        <source>Show only the rows that hold a text
Find</source>
        <translation>Nur die Zeilen zeigen, die einen Text enthalten
Suchen</translation>
    </message>
    <message>
        <source>&amp;New...</source>
        <translation>&amp;Neu...</translation>
    </message>
    <message>
        <source>&amp;Open...</source>
        <translation>Ö&amp;ffnen...</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Speichern</translation>
    </message>
    <message>
        <source>&amp;Print...</source>
        <translation>&amp;Drucken...</translation>
    </message>
    <message>
        <source>Program op&amp;tions...</source>
        <translation>&amp;Programmeinstellungen...</translation>
    </message>
    <message>
        <source>Choose the language of the program and whether it looks for updates
Program options</source>
        <translation>Die Sprache des Programms wählen und ob es nach Updates sucht
Programmeinstellungen</translation>
    </message>
    <message>
        <source>&amp;Edit project...</source>
        <translation>Projekt &amp;ändern...</translation>
    </message>
    <message>
        <source>Start &amp;Analysis</source>
        <translation>Analyse &amp;starten</translation>
    </message>
    <message>
        <source>Save report as &amp;Csv file...</source>
        <translation>Report als &amp;CSV-Datei speichern...</translation>
    </message>
    <message>
        <source>Save report as &amp;Html file...</source>
        <translation>Report als &amp;HTML-Datei speichern...</translation>
    </message>
    <message>
        <source>Open report in &amp;Excel</source>
        <translation>Report in &amp;Excel öffnen</translation>
    </message>
    <message>
        <source>Open report in Html &amp;Browser</source>
        <translation>Report im HTML-&amp;Browser öffnen</translation>
    </message>
    <message>
        <source>Open &amp;Help Document</source>
        <translation>Hilfe-&amp;Dokument öffnen</translation>
    </message>
    <message>
        <source>Tessaray Home&amp;page</source>
        <translation>Tessaray-&amp;Homepage</translation>
    </message>
    <message>
        <source>Tip of the &amp;day...</source>
        <translation>&amp;Tipp des Tages...</translation>
    </message>
    <message>
        <source>Check for &amp;Updates, update software...</source>
        <translation>&amp;Updates prüfen / Software aktualisieren...</translation>
    </message>
    <message>
        <source>Check a&amp;utomatically...</source>
        <translation>A&amp;utomatisch prüfen...</translation>
    </message>
    <message>
        <source>Check the project daily or weekly, also while the program is closed
Check automatically</source>
        <translation>Das Projekt täglich oder wöchentlich prüfen, auch wenn das Programm geschlossen ist
Automatisch prüfen</translation>
    </message>
</context>
<context>
    <name>tessaray::COutputBar</name>
    <message>
        <source>Output</source>
        <translation>Ausgabe</translation>
    </message>
</context>
<context>
    <name>tessaray::CPrintCommands</name>
    <message>
        <source>The table could not be printed.</source>
        <translation>Die Tabelle konnte nicht gedruckt werden.</translation>
    </message>
    <message>
        <source>The table could not be printed to %1.</source>
        <translation>Die Tabelle konnte nicht nach %1 gedruckt werden.</translation>
    </message>
    <message>
        <source>Reasons</source>
        <translation>Gründe</translation>
    </message>
    <message>
        <source>Verdict summary</source>
        <translation>Zusammenfassung der Bewertungen</translation>
    </message>
    <message>
        <source>The table as shown</source>
        <translation>Die Tabelle wie angezeigt</translation>
    </message>
    <message>
        <source>Content</source>
        <translation>Inhalt</translation>
    </message>
    <message>
        <source>Print:</source>
        <translation>Drucken:</translation>
    </message>
</context>
<context>
    <name>tessaray::CProgramOptionsDlg</name>
    <message>
        <source>Program options</source>
        <translation>Programmeinstellungen</translation>
    </message>
    <message>
        <source>Automatic (language of the system)</source>
        <translation>Automatisch (Sprache des Systems)</translation>
    </message>
    <message>
        <source>&amp;Language:</source>
        <translation>&amp;Sprache:</translation>
    </message>
    <message>
        <source>A new language applies after the program is started again.</source>
        <translation>Eine neue Sprache gilt, sobald das Programm neu gestartet wurde.</translation>
    </message>
    <message>
        <source>Look for a &amp;newer version on the Tessaray web site at each start</source>
        <translation>Bei jedem Start auf der Tessaray-Website nach einer &amp;neueren Version suchen</translation>
    </message>
</context>
<context>
    <name>tessaray::CProjectSettingsDlg</name>
    <message>
        <source>Project Settings</source>
        <translation>Projekt Einstellungen</translation>
    </message>
    <message>
        <source>Google Links</source>
        <translation>Google Links</translation>
    </message>
    <message>
        <source>A CSV table containing external links extracted from Google Search Console can be added to the project.</source>
        <translation>Eine CSV-Tabelle mit externen Links aus der Google Search Console kann dem Projekt hinzugefügt werden.</translation>
    </message>
    <message>
        <source>Partner links are then compared for concurrence with Google&apos;s link entries.</source>
        <translation>Die Partnerlinks werden dann auf Übereinstimmung mit den Linkeinträgen von Google geprüft.</translation>
    </message>
    <message>
        <source>Import csv-Table...</source>
        <translation>Csv-Tabelle importieren...</translation>
    </message>
    <message>
        <source>External links imported: %1</source>
        <translation>Externe Links importiert: %1</translation>
    </message>
</context>
<context>
    <name>tessaray::CReportCommands</name>
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
    <message>
        <source>A filter is on: the report holds the %1 rows shown of %2.</source>
        <translation>Ein Filter ist aktiv: Der Report enthält die %1 angezeigten von %2 Zeilen.</translation>
    </message>
</context>
<context>
    <name>tessaray::CResultModel</name>
    <message>
        <source>Change</source>
        <translation>Änderung</translation>
    </message>
    <message>
        <source>new</source>
        <translation>neu</translation>
    </message>
    <message>
        <source>lost</source>
        <translation>verloren</translation>
    </message>
    <message>
        <source>better</source>
        <translation>besser</translation>
    </message>
    <message>
        <source>worse</source>
        <translation>schlechter</translation>
    </message>
    <message>
        <source>text changed</source>
        <translation>Text geändert</translation>
    </message>
    <message>
        <source>Verdict</source>
        <translation>Bewertung</translation>
    </message>
    <message>
        <source>Checked twice: the first answer was &quot;%1&quot;, the second stands.</source>
        <translation>Zweimal geprüft: die erste Antwort war „%1“, die zweite gilt.</translation>
    </message>
    <message>
        <source>The partner page links to your site and search engines count the link.</source>
        <translation>Die Partnerseite verlinkt Ihre Website, und Suchmaschinen werten den Link.</translation>
    </message>
    <message>
        <source>The partner page links to your site, but search engines do not count the link.</source>
        <translation>Die Partnerseite verlinkt Ihre Website, aber Suchmaschinen werten den Link nicht.</translation>
    </message>
    <message>
        <source>The partner page has no link to your site.</source>
        <translation>Die Partnerseite hat keinen Link auf Ihre Website.</translation>
    </message>
    <message>
        <source>The partner page could not be read whole, so its link could not be checked.</source>
        <translation>Die Partnerseite konnte nicht vollständig gelesen werden; ihr Link ließ sich nicht prüfen.</translation>
    </message>
    <message>
        <source>Not in the previous run.</source>
        <translation>In der vorigen Analyse nicht vorhanden.</translation>
    </message>
    <message>
        <source>The link was there in the previous run and is gone now.</source>
        <translation>Der Link war in der vorigen Analyse vorhanden und fehlt jetzt.</translation>
    </message>
    <message>
        <source>The verdict is better than in the previous run.</source>
        <translation>Die Bewertung ist besser als in der vorigen Analyse.</translation>
    </message>
    <message>
        <source>The verdict is worse than in the previous run.</source>
        <translation>Die Bewertung ist schlechter als in der vorigen Analyse.</translation>
    </message>
    <message>
        <source>The status code or the anchor text changed since the previous run.</source>
        <translation>Statuscode oder Linktext haben sich seit der vorigen Analyse geändert.</translation>
    </message>
    <message>
        <source>wrong target</source>
        <translation>falsches Ziel</translation>
    </message>
    <message>
        <source>wrong anchor</source>
        <translation>falscher Linktext</translation>
    </message>
    <message>
        <source>wrong rel</source>
        <translation>falsches rel</translation>
    </message>
    <message>
        <source>differs: %1</source>
        <translation>weicht ab: %1</translation>
    </message>
    <message>
        <source>differs</source>
        <translation>weicht ab</translation>
    </message>
    <message>
        <source>not met</source>
        <translation>nicht erfüllt</translation>
    </message>
    <message>
        <source>met</source>
        <translation>erfüllt</translation>
    </message>
    <message>
        <source>ended</source>
        <translation>abgelaufen</translation>
    </message>
    <message>
        <source>%1, ended</source>
        <translation>%1, abgelaufen</translation>
    </message>
    <message>
        <source>Agreed target: %1</source>
        <translation>Vereinbartes Ziel: %1</translation>
    </message>
    <message>
        <source>Agreed anchor text: %1</source>
        <translation>Vereinbarter Linktext: %1</translation>
    </message>
    <message>
        <source>A followed link was agreed.</source>
        <translation>Ein gefolgter Link wurde vereinbart.</translation>
    </message>
    <message>
        <source>Until: %1</source>
        <translation>Bis: %1</translation>
    </message>
    <message>
        <source>Contact: %1</source>
        <translation>Kontakt: %1</translation>
    </message>
    <message>
        <source>Note: %1</source>
        <translation>Notiz: %1</translation>
    </message>
    <message>
        <source>followed</source>
        <translation>gefolgt</translation>
    </message>
    <message>
        <source>Your followed link to this partner is on %1.</source>
        <translation>Ihr gefolgter Link auf diesen Partner steht auf %1.</translation>
    </message>
    <message>
        <source>nofollow</source>
        <translation>nofollow</translation>
    </message>
    <message>
        <source>Your link to this partner on %1 is not followed.</source>
        <translation>Ihr Link auf diesen Partner auf %1 ist nicht gefolgt.</translation>
    </message>
    <message>
        <source>none</source>
        <translation>keiner</translation>
    </message>
    <message>
        <source>None of your link pages links to this partner&apos;s site.</source>
        <translation>Keine Ihrer Linkseiten verlinkt die Website dieses Partners.</translation>
    </message>
    <message>
        <source>unknown</source>
        <translation>unbekannt</translation>
    </message>
    <message>
        <source>None of your link pages could be read.</source>
        <translation>Keine Ihrer Linkseiten konnte gelesen werden.</translation>
    </message>
    <message>
        <source>yes</source>
        <translation>ja</translation>
    </message>
    <message>
        <source>The page was rendered in a browser.</source>
        <translation>Die Seite wurde in einem Browser dargestellt.</translation>
    </message>
    <message>
        <source>no</source>
        <translation>nein</translation>
    </message>
    <message>
        <source>The page was read as raw HTML only.</source>
        <translation>Die Seite wurde nur als HTML-Quelltext gelesen.</translation>
    </message>
    <message>
        <source>failed</source>
        <translation>fehlgeschlagen</translation>
    </message>
    <message>
        <source>Rendering failed: %1</source>
        <translation>Darstellung fehlgeschlagen: %1</translation>
    </message>
    <message>
        <source>The link is made by a script.</source>
        <translation>Der Link wird von einem Skript erzeugt.</translation>
    </message>
    <message>
        <source>The link is hidden from people: %1</source>
        <translation>Der Link ist für Menschen verborgen: %1</translation>
    </message>
    <message>
        <source>Agreement</source>
        <translation>Vereinbarung</translation>
    </message>
    <message>
        <source>You → them</source>
        <translation>Sie → Partner</translation>
    </message>
    <message>
        <source>Rendered</source>
        <translation>Dargestellt</translation>
    </message>
    <message>
        <source>not checked</source>
        <translation>nicht geprüft</translation>
    </message>
</context>
<context>
    <name>tessaray::CScheduleDlg</name>
    <message>
        <source>Check automatically</source>
        <translation>Automatisch prüfen</translation>
    </message>
    <message>
        <source>Check the project %1 on a schedule, also while the program is closed; a check missed while the computer was off runs at the next start.</source>
        <translation>Das Projekt %1 nach Zeitplan prüfen, auch wenn das Programm geschlossen ist; eine Prüfung, die verpasst wurde, weil der Rechner aus war, läuft beim nächsten Start.</translation>
    </message>
    <message>
        <source>&amp;Off</source>
        <translation>&amp;Aus</translation>
    </message>
    <message>
        <source>&amp;Daily</source>
        <translation>&amp;Täglich</translation>
    </message>
    <message>
        <source>&amp;Weekly on</source>
        <translation>&amp;Wöchentlich am</translation>
    </message>
    <message>
        <source>Monday</source>
        <translation>Montag</translation>
    </message>
    <message>
        <source>Tuesday</source>
        <translation>Dienstag</translation>
    </message>
    <message>
        <source>Wednesday</source>
        <translation>Mittwoch</translation>
    </message>
    <message>
        <source>Thursday</source>
        <translation>Donnerstag</translation>
    </message>
    <message>
        <source>Friday</source>
        <translation>Freitag</translation>
    </message>
    <message>
        <source>Saturday</source>
        <translation>Samstag</translation>
    </message>
    <message>
        <source>Sunday</source>
        <translation>Sonntag</translation>
    </message>
    <message>
        <source>at</source>
        <translation>um</translation>
    </message>
    <message>
        <source>Cannot remove the schedule: %1</source>
        <translation>Der Zeitplan kann nicht entfernt werden: %1</translation>
    </message>
    <message>
        <source>The command-line program that runs the checks is missing: %1</source>
        <translation>Das Kommandozeilenprogramm, das die Prüfungen ausführt, fehlt: %1</translation>
    </message>
    <message>
        <source>A project whose path holds a line break cannot be checked automatically.</source>
        <translation>Ein Projekt, dessen Pfad einen Zeilenumbruch enthält, kann nicht automatisch geprüft werden.</translation>
    </message>
    <message>
        <source>Cannot write the schedule: %1</source>
        <translation>Der Zeitplan kann nicht geschrieben werden: %1</translation>
    </message>
    <message>
        <source>The project is not checked automatically.</source>
        <translation>Das Projekt wird nicht automatisch geprüft.</translation>
    </message>
    <message>
        <source>Next check: %1</source>
        <translation>Nächste Prüfung: %1</translation>
    </message>
    <message>
        <source>unknown</source>
        <translation>unbekannt</translation>
    </message>
    <message>
        <source>The schedule is saved, but no systemd user manager took it (%1). Start the check with cron instead: add this line with &quot;crontab -e&quot;:
%2</source>
        <translation>Der Zeitplan ist gespeichert, aber kein systemd-Benutzerdienst hat ihn übernommen (%1). Starten Sie die Prüfung stattdessen mit cron: Fügen Sie diese Zeile mit „crontab -e“ hinzu:
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
        <translation>Bitte verwenden Sie den Support-Knopf unten für alle Ihre Anfragen und die technische Unterstützung zur Tessaray-Software.</translation>
    </message>
    <message>
        <source>An Internet connection is needed for this purpose.</source>
        <translation>Dazu wird eine Internetverbindung benötigt.</translation>
    </message>
    <message>
        <source>Please make sure that e-mails from our addresses are not blocked by your spam filter.</source>
        <translation>Bitte stellen Sie sicher, dass E-Mails von unseren Adressen nicht von Ihrem Spamfilter blockiert werden.</translation>
    </message>
    <message>
        <source>Please Note: We never send spam messages and always treat your e-mail address in the strictest of confidence.</source>
        <translation>Bitte beachten Sie: Wir versenden niemals Spam und behandeln Ihre E-Mail-Adresse stets streng vertraulich.</translation>
    </message>
    <message>
        <source>Please click here for support:</source>
        <translation>Bitte klicken Sie hier für Support:</translation>
    </message>
    <message>
        <source>Close Window</source>
        <translation>Fenster schließen</translation>
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
        <translation>In die Zwischenablage kopieren</translation>
    </message>
    <message>
        <source>EMail Recipient</source>
        <translation>E-Mail-Empfänger</translation>
    </message>
    <message>
        <source>Subject Line</source>
        <translation>Betreffzeile</translation>
    </message>
    <message>
        <source>Email Text (Body)</source>
        <translation>E-Mail-Text (Inhalt)</translation>
    </message>
    <message>
        <source>Your email client does not seem to support the MAPI interface and the support email can not be automatically generated</source>
        <translation>Ihr E-Mail-Programm unterstützt die MAPI-Schnittstelle offenbar nicht, daher kann die Support-E-Mail nicht automatisch erstellt werden</translation>
    </message>
    <message>
        <source>Please start a new email message and insert the following information</source>
        <translation>Bitte beginnen Sie eine neue E-Mail und fügen Sie die folgenden Angaben ein</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
</context>
<context>
    <name>tessaray::CTablePrinter</name>
    <message>
        <source>Page %1 of %2</source>
        <translation>Seite %1 von %2</translation>
    </message>
</context>
<context>
    <name>tessaray::CTessarayApp</name>
    <message>
        <source>Max line count reached</source>
        <translation>Maximale Zeilenzahl erreicht</translation>
    </message>
    <message>
        <source>Out of memory</source>
        <translation>Nicht genügend Arbeitsspeicher</translation>
    </message>
</context>
<context>
    <name>tessaray::CTessarayDoc</name>
    <message>
        <source>Untitled</source>
        <translation>Unbenannt</translation>
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
        <source>Tessaray Project (.tsrp) (*.tsrp)</source>
        <translation>Tessaray-Projekt (.tsrp) (*.tsrp)</translation>
    </message>
    <message>
        <source>The project has no domain or no partner URL.</source>
        <translation>Das Projekt hat keine Domain oder keine Partner-URL.</translation>
    </message>
    <message>
        <source>%1 names no folder.</source>
        <translation>%1 nennt keinen Ordner.</translation>
    </message>
    <message>
        <source>The folder of %1 does not exist.</source>
        <translation>Der Ordner von %1 existiert nicht.</translation>
    </message>
    <message>
        <source>%1 cannot be read (%2).</source>
        <translation>%1 kann nicht gelesen werden (%2).</translation>
    </message>
    <message>
        <source>The file %1 does not exist.</source>
        <translation>Die Datei %1 existiert nicht.</translation>
    </message>
    <message>
        <source>%1 is not a Tessaray project.</source>
        <translation>%1 ist kein Tessaray-Projekt.</translation>
    </message>
    <message>
        <source>%1 could not be written.</source>
        <translation>%1 konnte nicht geschrieben werden.</translation>
    </message>
    <message>
        <source>Save changes to %1?</source>
        <translation>Änderungen an %1 speichern?</translation>
    </message>
    <message>
        <source>Tessaray projects (*.tsrp)</source>
        <translation>Tessaray-Projekte (*.tsrp)</translation>
    </message>
</context>
<context>
    <name>tessaray::CTessarayView</name>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Kopieren</translation>
    </message>
    <message>
        <source>&amp;Open partner page: %1</source>
        <translation>Partnerseite ö&amp;ffnen: %1</translation>
    </message>
    <message>
        <source>Show in &amp;history</source>
        <translation>Im &amp;Verlauf zeigen</translation>
    </message>
    <message>
        <source>Open report in &amp;Excel</source>
        <translation>Report in &amp;Excel öffnen</translation>
    </message>
    <message>
        <source>Open report in the &amp;browser</source>
        <translation>Report im &amp;Browser öffnen</translation>
    </message>
    <message>
        <source>Restore the default columns</source>
        <translation>Standardspalten wiederherstellen</translation>
    </message>
</context>
<context>
    <name>tessaray::CTipOfTheDayDlg</name>
    <message>
        <source>Did you know...</source>
        <translation>Wussten Sie schon...</translation>
    </message>
    <message>
        <source>Tip of the Day</source>
        <translation>Tipp des Tages</translation>
    </message>
    <message>
        <source>&amp;Show Tips on StartUp</source>
        <translation>Tipps beim Start &amp;anzeigen</translation>
    </message>
    <message>
        <source>&amp;Next Tip</source>
        <translation>&amp;Nächster Tipp</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Schließen</translation>
    </message>
    <message>
        <source>Trouble reading the tips file</source>
        <translation>Fehler beim Lesen der Tippdatei</translation>
    </message>
    <message>
        <source>Tips file does not exist in the prescribed directory</source>
        <translation>Die Tippdatei ist im vorgesehenen Verzeichnis nicht vorhanden</translation>
    </message>
    <message>
        <source>No tips in the tips file</source>
        <translation>Die Tippdatei enthält keine Tipps</translation>
    </message>
</context>
<context>
    <name>tessaray::CTxtImportDlg</name>
    <message>
        <source>URL-Import from a txt-File</source>
        <translation>Url-Import von einer Text-Datei</translation>
    </message>
    <message>
        <source>URL details can be read in via a text file</source>
        <translation>URL-Angaben können über eine Textdatei eingelesen werden</translation>
    </message>
    <message>
        <source>- each URL needing to be listed on a separate line</source>
        <translation>- jede URL muss in einer eigenen Zeile stehen</translation>
    </message>
    <message>
        <source>- Text not starting with a letter (a..z, A..Z) is interpreted as a comment (e.g.: #, /*, //,...)</source>
        <translation>- Text, der nicht mit einem Buchstaben (a..z, A..Z) beginnt, gilt als Kommentar (z.B.: #, /*, //,...)</translation>
    </message>
    <message>
        <source>Text file with one URL per line (*.txt)</source>
        <translation>Textdatei mit einer URL pro Zeile (*.txt)</translation>
    </message>
    <message>
        <source>Browse...</source>
        <translation>Durchsuchen...</translation>
    </message>
    <message>
        <source>Text Files (.txt)</source>
        <translation>Textdateien (.txt)</translation>
    </message>
</context>
<context>
    <name>tessaray::ReadFailure</name>
    <message>
        <source>is a folder, not a file</source>
        <translation>ist ein Ordner, keine Datei</translation>
    </message>
    <message>
        <source>is a FIFO (named pipe), not a file</source>
        <translation>ist ein FIFO (benannte Pipe), keine Datei</translation>
    </message>
    <message>
        <source>is a device, not a file</source>
        <translation>ist ein Gerät, keine Datei</translation>
    </message>
    <message>
        <source>is a socket, not a file</source>
        <translation>ist ein Socket, keine Datei</translation>
    </message>
    <message>
        <source>is larger than %1 MiB</source>
        <translation>ist größer als %1 MiB</translation>
    </message>
    <message>
        <source>it %1</source>
        <translation>sie %1</translation>
    </message>
</context>
<context>
    <name>tessaray::SUiHooks</name>
    <message>
        <source>Log in</source>
        <translation>Anmelden</translation>
    </message>
    <message>
        <source>The site %1 asks for a user name and a password (%2). Only this site gets them.</source>
        <translation>Die Website %1 verlangt einen Benutzernamen und ein Passwort (%2). Nur diese Website erhält sie.</translation>
    </message>
    <message>
        <source>The connection is not encrypted: the password would be sent readable.</source>
        <translation>Die Verbindung ist nicht verschlüsselt: Das Passwort würde lesbar übertragen.</translation>
    </message>
    <message>
        <source>User name:</source>
        <translation>Benutzername:</translation>
    </message>
    <message>
        <source>Password:</source>
        <translation>Passwort:</translation>
    </message>
    <message>
        <source>No program could open the file %1.</source>
        <translation>Kein Programm konnte die Datei %1 öffnen.</translation>
    </message>
    <message>
        <source>No web browser could open %1.</source>
        <translation>Kein Webbrowser konnte %1 öffnen.</translation>
    </message>
</context>
</TS>
