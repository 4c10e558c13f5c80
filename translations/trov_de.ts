<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>Core</name>
    <message>
        <source>Any time</source>
        <translation>Beliebige Zeit</translation>
    </message>
    <message>
        <source>Past hour</source>
        <translation>Letzte Stunde</translation>
    </message>
    <message>
        <source>Past 24 hours</source>
        <translation>Letzte 24 Stunden</translation>
    </message>
    <message>
        <source>Past week</source>
        <translation>Letzte Woche</translation>
    </message>
    <message>
        <source>Past month</source>
        <translation>Letzter Monat</translation>
    </message>
    <message>
        <source>Past year</source>
        <translation>Letztes Jahr</translation>
    </message>
    <message>
        <source>All</source>
        <translation>Alle</translation>
    </message>
    <message>
        <source>Images</source>
        <translation>Bilder</translation>
    </message>
    <message>
        <source>Videos</source>
        <translation>Videos</translation>
    </message>
    <message>
        <source>News</source>
        <translation>Nachrichten</translation>
    </message>
    <message>
        <source>Translate</source>
        <translation>Übersetzen</translation>
    </message>
    <message>
        <source>Books</source>
        <translation>Bücher</translation>
    </message>
    <message>
        <source>Maps</source>
        <translation>Karten</translation>
    </message>
    <message>
        <source>Music</source>
        <translation>Musik</translation>
    </message>
    <message>
        <source>Natural</source>
        <translation>Natürlich</translation>
    </message>
    <message>
        <source>Math</source>
        <translation>Mathematik</translation>
    </message>
    <message>
        <source>Crawl main page subpages</source>
        <translation>Unterseiten der Startseite durchsuchen</translation>
    </message>
    <message>
        <source>Crawl all internal pages</source>
        <translation>Alle internen Seiten durchsuchen</translation>
    </message>
    <message>
        <source>Extract all links from a website</source>
        <translation>Alle Links einer Website auslesen</translation>
    </message>
    <message>
        <source>Extract internal links from a website</source>
        <translation>Interne Links einer Website auslesen</translation>
    </message>
    <message>
        <source>Crawl from a file</source>
        <translation>Aus einer Datei durchsuchen</translation>
    </message>
    <message>
        <source>Collapse</source>
        <translation>Einklappen</translation>
    </message>
    <message>
        <source>Expand</source>
        <translation>Erweitern</translation>
    </message>
    <message>
        <source>Stop browsing and show partial results?</source>
        <translation>Durchsuchen anhalten und Teilergebnisse anzeigen?</translation>
    </message>
    <message>
        <source>  Do you want to cancel searching ?  </source>
        <translation>  Möchten Sie die Suche abbrechen?  </translation>
    </message>
    <message>
        <source>  Do you want to show partial results ?  </source>
        <translation>  Möchten Sie Teilergebnisse anzeigen?  </translation>
    </message>
    <message>
        <source>Reset all search parameters and search results?</source>
        <translation>Alle Suchparameter und Suchergebnisse zurücksetzen?</translation>
    </message>
    <message>
        <source>Unable to write to %1</source>
        <translation>Schreiben nicht möglich: %1</translation>
    </message>
    <message>
        <source>  Reset all search settings ?  </source>
        <translation>  Alle Sucheinstellungen zurücksetzen?  </translation>
    </message>
    <message>
        <source>There is nothing to search.<byte value="xd"/>
<byte value="xd"/>
Please fill in at least one field.</source>
        <translation>Es gibt nichts zu suchen.<byte value="xd"/>
<byte value="xd"/>
Bitte füllen Sie mindestens ein Feld aus.</translation>
    </message>
    <message>
        <source>There is nothing to search.<byte value="xd"/>
<byte value="xd"/>
Please fill &quot;Search within a site or domain field&quot;.</source>
        <translation>Es gibt nichts zu suchen.<byte value="xd"/>
<byte value="xd"/>
Bitte füllen Sie das Feld „Innerhalb einer Website oder Domain suchen“ aus.</translation>
    </message>
    <message>
        <source>Invalid request.<byte value="xd"/>
Make sure you have entered a valid site/domain.</source>
        <translation>Ungültige Anfrage.<byte value="xd"/>
Bitte geben Sie eine gültige Website/Domain ein.</translation>
    </message>
    <message>
        <source>This browser has no private window.</source>
        <translation>Dieser Browser hat kein privates Fenster.</translation>
    </message>
    <message>
        <source>Engine &quot;%1&quot; opens in &quot;%2&quot;, which is not in the browser list.</source>
        <translation>Die Suchmaschine „%1“ öffnet in „%2“, das nicht in der Browserliste steht.</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Datum</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Uhrzeit</translation>
    </message>
    <message>
        <source>Search</source>
        <translation>Suche</translation>
    </message>
    <message>
        <source>Exact</source>
        <translation>Genau</translation>
    </message>
    <message>
        <source>Exclude</source>
        <translation>Ausschließen</translation>
    </message>
    <message>
        <source>Site or Domain</source>
        <translation>Website oder Domain</translation>
    </message>
    <message>
        <source>File type</source>
        <translation>Dateityp</translation>
    </message>
    <message>
        <source>Browser</source>
        <translation>Browser</translation>
    </message>
    <message>
        <source>Interface</source>
        <translation>Oberfläche</translation>
    </message>
    <message>
        <source>Contry</source>
        <translation>Land</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Sprache</translation>
    </message>
    <message>
        <source>Time period</source>
        <translation>Zeitraum</translation>
    </message>
    <message>
        <source>Search engine</source>
        <translation>Suchmaschine</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>Art</translation>
    </message>
    <message>
        <source>       Error opening history file.          <byte value="xd"/>
<byte value="xd"/>
       Reload old data.</source>
        <translation>       Fehler beim Öffnen der Verlaufsdatei.          <byte value="xd"/>
<byte value="xd"/>
       Alte Daten werden neu geladen.</translation>
    </message>
    <message>
        <source>Cannot open file &quot;%1&quot;. %2</source>
        <translation>Die Datei „%1“ kann nicht geöffnet werden. %2</translation>
    </message>
    <message>
        <source>No such file or directory</source>
        <translation>Datei oder Verzeichnis nicht gefunden</translation>
    </message>
    <message>
        <source>The search engine &quot;%1&quot; no longer exists.<byte value="xd"/>
<byte value="xd"/>
The search fields were filled; nothing was run.</source>
        <translation>Die Suchmaschine „%1“ gibt es nicht mehr.<byte value="xd"/>
<byte value="xd"/>
Die Suchfelder wurden gefüllt; es wurde nichts ausgeführt.</translation>
    </message>
    <message>
        <source>Clear all search history ?</source>
        <translation>Gesamten Suchverlauf löschen?</translation>
    </message>
    <message>
        <source>Delete all selected suggestions ?</source>
        <translation>Alle markierten Vorschläge löschen?</translation>
    </message>
    <message>
        <source>File %1 does not exist.</source>
        <translation>Die Datei %1 existiert nicht.</translation>
    </message>
    <message>
        <source>Trov -  All links on a website: %1</source>
        <translation>Trov -  Alle Links einer Website: %1</translation>
    </message>
    <message>
        <source>Trov -  Internal Links on a website: %1</source>
        <translation>Trov -  Interne Links einer Website: %1</translation>
    </message>
    <message>
        <source>Trov - Links from a website</source>
        <translation>Trov - Links einer Website</translation>
    </message>
    <message>
        <source>Only web addresses that begin with http://, https:// or ftp:// can be opened.</source>
        <translation>Nur Webadressen, die mit http://, https:// oder ftp:// beginnen, können geöffnet werden.</translation>
    </message>
    <message>
        <source>Trov keeps running without its window.<byte value="xd"/>
<byte value="xd"/>
This desktop has no notification area: to bring the window back, start Trov again or run &quot;trovctl toggle&quot;.</source>
        <translation>Trov läuft ohne sein Fenster weiter.<byte value="xd"/>
<byte value="xd"/>
Diese Arbeitsumgebung hat keinen Benachrichtigungsbereich: Um das Fenster zurückzuholen, starten Sie Trov erneut oder führen Sie „trovctl toggle“ aus.</translation>
    </message>
    <message>
        <source>No links found                           </source>
        <translation>Keine Links gefunden                           </translation>
    </message>
    <message>
        <source>Found %1 items</source>
        <translation>%1 Einträge gefunden</translation>
    </message>
    <message>
        <source>Processed %1 of %2 items</source>
        <translation>%1 von %2 Einträgen verarbeitet</translation>
    </message>
    <message>
        <source>engines.cfg.example was found in none of these folders:</source>
        <translation>engines.cfg.example wurde in keinem dieser Ordner gefunden:</translation>
    </message>
    <message>
        <source>The new engines.cfg is empty.</source>
        <translation>Die neue engines.cfg ist leer.</translation>
    </message>
    <message>
        <source>Check links</source>
        <translation>Links prüfen</translation>
    </message>
    <message>
        <source>Checked %1 of %2 links</source>
        <translation>%1 von %2 Links geprüft</translation>
    </message>
    <message>
        <source>The history file &quot;%1&quot; could not be read. Its contents were kept in &quot;%2&quot;.</source>
        <translation>Die Verlaufsdatei „%1“ konnte nicht gelesen werden. Ihr Inhalt wurde in „%2“ aufbewahrt.</translation>
    </message>
    <message>
        <source>The history file &quot;%1&quot; could not be read, and its contents could not be kept.</source>
        <translation>Die Verlaufsdatei „%1“ konnte nicht gelesen werden, und ihr Inhalt konnte nicht aufbewahrt werden.</translation>
    </message>
    <message>
        <source>Cannot create file &quot;%1&quot;. %2</source>
        <translation>Die Datei „%1“ kann nicht erstellt werden. %2</translation>
    </message>
    <message>
        <source>The folder %1 cannot be made: %2.</source>
        <translation>Der Ordner %1 kann nicht angelegt werden: %2.</translation>
    </message>
    <message>
        <source>The folder %1 cannot be read: %2.</source>
        <translation>Der Ordner %1 kann nicht gelesen werden: %2.</translation>
    </message>
    <message>
        <source>The folder %1 is a symbolic link.</source>
        <translation>Der Ordner %1 ist ein symbolischer Link.</translation>
    </message>
    <message>
        <source>The folder %1 is not a folder.</source>
        <translation>%1 ist kein Ordner.</translation>
    </message>
    <message>
        <source>The folder %1 belongs to another user.</source>
        <translation>Der Ordner %1 gehört einem anderen Benutzer.</translation>
    </message>
    <message>
        <source>The folder %1 has mode %2, not 0700.</source>
        <translation>Der Ordner %1 hat die Rechte %2, nicht 0700.</translation>
    </message>
    <message>
        <source>%1 Trov runs without its guard against a second start.</source>
        <translation>%1 Trov läuft ohne Schutz gegen einen zweiten Start.</translation>
    </message>
    <message>
        <source>These sections of %1 were skipped:</source>
        <translation>Diese Abschnitte von %1 wurden übersprungen:</translation>
    </message>
    <message>
        <source>... and %1 more</source>
        <translation>... und %1 weitere</translation>
    </message>
    <message>
        <source>Invalid stream format</source>
        <translation>Ungültiges Datenstromformat</translation>
    </message>
    <message>
        <source>robots.txt kept the crawler from %1 pages; they were not fetched.</source>
        <translation>robots.txt hat den Crawler von %1 Seiten ferngehalten; sie wurden nicht abgerufen.</translation>
    </message>
</context>
<context>
    <name>MainMenus</name>
    <message>
        <source>History</source>
        <translation>Verlauf</translation>
    </message>
    <message>
        <source>Enable search history</source>
        <translation>Suchverlauf aktivieren</translation>
    </message>
    <message>
        <source>Crawler</source>
        <translation>Crawler</translation>
    </message>
    <message>
        <source>Crawl main page subpages</source>
        <translation>Unterseiten der Startseite durchsuchen</translation>
    </message>
    <message>
        <source>Crawl all internal pages (slow)</source>
        <translation>Alle internen Seiten durchsuchen (langsam)</translation>
    </message>
    <message>
        <source>Extract all links from a website</source>
        <translation>Alle Links einer Website auslesen</translation>
    </message>
    <message>
        <source>Extract internal links from a website</source>
        <translation>Interne Links einer Website auslesen</translation>
    </message>
    <message>
        <source>Export links</source>
        <translation>Links exportieren</translation>
    </message>
    <message>
        <source>Export data</source>
        <translation>Daten exportieren</translation>
    </message>
    <message>
        <source>Search suggestions</source>
        <translation>Suchvorschläge</translation>
    </message>
    <message>
        <source>Save settings</source>
        <translation>Einstellungen speichern</translation>
    </message>
    <message>
        <source>Open settings</source>
        <translation>Einstellungen öffnen</translation>
    </message>
    <message>
        <source>Reset all settings</source>
        <translation>Alle Einstellungen zurücksetzen</translation>
    </message>
    <message>
        <source>Background color</source>
        <translation>Hintergrundfarbe</translation>
    </message>
    <message>
        <source>Color dialog</source>
        <translation>Farbdialog</translation>
    </message>
    <message>
        <source>Color picker</source>
        <translation>Farbpipette</translation>
    </message>
    <message>
        <source>Random color</source>
        <translation>Zufallsfarbe</translation>
    </message>
    <message>
        <source>Recent colors</source>
        <translation>Zuletzt verwendete Farben</translation>
    </message>
    <message>
        <source>Hide</source>
        <translation>Ausblenden</translation>
    </message>
    <message>
        <source>Auto Hide</source>
        <translation>Automatisch ausblenden</translation>
    </message>
    <message>
        <source>Stay on top</source>
        <translation>Immer im Vordergrund</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Über</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>Crawl all internal pages (slow)
</source>
        <translation>Alle internen Seiten durchsuchen (langsam)
</translation>
    </message>
    <message>
        <source>Crawl from list of links</source>
        <translation>Aus einer Linkliste durchsuchen</translation>
    </message>
    <message>
        <source>Extract links from a website</source>
        <translation>Links einer Website auslesen</translation>
    </message>
    <message>
        <source>Show list of links</source>
        <translation>Linkliste anzeigen</translation>
    </message>
    <message>
        <source>Export list of links</source>
        <translation>Linkliste exportieren</translation>
    </message>
    <message>
        <source>Import list of links</source>
        <translation>Linkliste importieren</translation>
    </message>
    <message>
        <source>Reset all searches</source>
        <translation>Alle Suchen zurücksetzen</translation>
    </message>
    <message>
        <source>Check links</source>
        <translation>Links prüfen</translation>
    </message>
    <message>
        <source>Keep search history</source>
        <translation>Suchverlauf behalten</translation>
    </message>
    <message>
        <source>Private search</source>
        <translation>Private Suche</translation>
    </message>
    <message>
        <source>Suggestions from engines</source>
        <translation>Vorschläge der Suchmaschinen</translation>
    </message>
    <message>
        <source>Respect robots.txt</source>
        <translation>robots.txt beachten</translation>
    </message>
    <message>
        <source>Use the site&apos;s sitemap</source>
        <translation>Sitemap der Website verwenden</translation>
    </message>
</context>
<context>
    <name>TMainForm</name>
    <message>
        <source>Search words</source>
        <translation>Suchbegriffe</translation>
    </message>
    <message>
        <source>Search</source>
        <translation>Suchen</translation>
    </message>
    <message>
        <source>Go</source>
        <translation>Los</translation>
    </message>
    <message>
        <source>Clear the form</source>
        <translation>Formular leeren</translation>
    </message>
    <message>
        <source>Menu</source>
        <translation>Menü</translation>
    </message>
    <message>
        <source>Search kind</source>
        <translation>Suchart</translation>
    </message>
    <message>
        <source>Pin %1</source>
        <translation>%1 anheften</translation>
    </message>
    <message>
        <source>Exact word or phrase</source>
        <translation>Genaues Wort oder genaue Wortgruppe</translation>
    </message>
    <message>
        <source>Exclude a word</source>
        <translation>Wort ausschließen</translation>
    </message>
    <message>
        <source>Site or domain</source>
        <translation>Website oder Domain</translation>
    </message>
    <message>
        <source>Time period</source>
        <translation>Zeitraum</translation>
    </message>
    <message>
        <source>File type</source>
        <translation>Dateityp</translation>
    </message>
    <message>
        <source>Country</source>
        <translation>Land</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Sprache</translation>
    </message>
    <message>
        <source>Browser</source>
        <translation>Browser</translation>
    </message>
    <message>
        <source>Interface</source>
        <translation>Oberfläche</translation>
    </message>
    <message>
        <source>Pin</source>
        <translation>Anheften</translation>
    </message>
    <message>
        <source>Private search: nothing is recorded, the search opens in a private window</source>
        <translation>Private Suche: nichts wird aufgezeichnet, die Suche öffnet sich in einem privaten Fenster</translation>
    </message>
    <message>
        <source>Private search is on</source>
        <translation>Private Suche ist an</translation>
    </message>
    <message>
        <source>Private</source>
        <translation>Privat</translation>
    </message>
</context>
<context>
    <name>trov::AboutDialog</name>
    <message>
        <source>Version %1</source>
        <translation>Version %1</translation>
    </message>
    <message>
        <source>About Trov</source>
        <translation>Über Trov</translation>
    </message>
    <message>
        <source>The product&apos;s web site</source>
        <translation>Die Website des Produkts</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>trov::AddEngineDialog</name>
    <message>
        <source>Add engine</source>
        <translation>Suchmaschine hinzufügen</translation>
    </message>
    <message>
        <source>A file, or an address starting with http:// or https://</source>
        <translation>Eine Datei oder eine Adresse, die mit http:// oder https:// beginnt</translation>
    </message>
    <message>
        <source>&amp;Browse...</source>
        <translation>&amp;Durchsuchen ...</translation>
    </message>
    <message>
        <source>&amp;Add</source>
        <translation>&amp;Hinzufügen</translation>
    </message>
    <message>
        <source>&amp;Source (OpenSearch description or a page linking one):</source>
        <translation>&amp;Quelle (OpenSearch-Beschreibung oder eine Seite, die auf eine verweist):</translation>
    </message>
    <message>
        <source>&amp;Key (optional):</source>
        <translation>&amp;Kürzel (optional):</translation>
    </message>
    <message>
        <source>&amp;Name (optional):</source>
        <translation>&amp;Name (optional):</translation>
    </message>
    <message>
        <source>Adding the engine...</source>
        <translation>Die Suchmaschine wird hinzugefügt ...</translation>
    </message>
    <message>
        <source>The engine &quot;%1&quot; was added to &quot;More engines&quot;.</source>
        <translation>Die Suchmaschine &quot;%1&quot; wurde zu &quot;Weitere Suchmaschinen&quot; hinzugefügt.</translation>
    </message>
    <message>
        <source>The engine was not added:

%1</source>
        <translation>Die Suchmaschine wurde nicht hinzugefügt:

%1</translation>
    </message>
</context>
<context>
    <name>trov::AutoHideNotice</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Don&apos;t show me again.</source>
        <translation>Nicht mehr anzeigen.</translation>
    </message>
    <message>
        <source> <byte value="xd"/>   Move cursor to upper left corner to show Trov.          </source>
        <translation> <byte value="xd"/>   Bewegen Sie den Mauszeiger in die linke obere Ecke, um Trov anzuzeigen.          </translation>
    </message>
</context>
<context>
    <name>trov::CrawlerPanel</name>
    <message>
        <source>Stop</source>
        <translation>Anhalten</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Crawl progress</source>
        <translation>Fortschritt des Durchsuchens</translation>
    </message>
    <message>
        <source>Stopping...</source>
        <translation>Wird angehalten...</translation>
    </message>
</context>
<context>
    <name>trov::FindDialog</name>
    <message>
        <source>Match &amp;whole word only</source>
        <translation>Nur &amp;ganzes Wort</translation>
    </message>
    <message>
        <source>Match &amp;case</source>
        <translation>&amp;Groß-/Kleinschreibung beachten</translation>
    </message>
    <message>
        <source>&amp;Up</source>
        <translation>&amp;Aufwärts</translation>
    </message>
    <message>
        <source>&amp;Down</source>
        <translation>A&amp;bwärts</translation>
    </message>
    <message>
        <source>&amp;Find Next</source>
        <translation>&amp;Weitersuchen</translation>
    </message>
    <message>
        <source>Find</source>
        <translation>Suchen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Fi&amp;nd what:</source>
        <translation>Suchen &amp;nach:</translation>
    </message>
    <message>
        <source>Direction</source>
        <translation>Richtung</translation>
    </message>
</context>
<context>
    <name>trov::LinkReportTable</name>
    <message>
        <source>Redirected to %1</source>
        <translation>Weitergeleitet nach %1</translation>
    </message>
    <message>
        <source>Address</source>
        <translation>Adresse</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>Found on</source>
        <translation>Gefunden auf</translation>
    </message>
    <message>
        <source>Times found</source>
        <translation>Vorkommen</translation>
    </message>
</context>
<context>
    <name>trov::LinkReportWindow</name>
    <message>
        <source>Link check</source>
        <translation>Linkprüfung</translation>
    </message>
    <message>
        <source>&amp;Problems only</source>
        <translation>Nur &amp;Probleme</translation>
    </message>
    <message>
        <source>Checked links</source>
        <translation>Geprüfte Links</translation>
    </message>
    <message>
        <source>&amp;Open address</source>
        <translation>&amp;Adresse öffnen</translation>
    </message>
    <message>
        <source>Open the page it was &amp;found on</source>
        <translation>&amp;Fundseite öffnen</translation>
    </message>
    <message>
        <source>&amp;Export...</source>
        <translation>&amp;Exportieren...</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Schließen</translation>
    </message>
    <message>
        <source>Open address</source>
        <translation>Adresse öffnen</translation>
    </message>
    <message>
        <source>Open the page it was found on</source>
        <translation>Fundseite öffnen</translation>
    </message>
    <message>
        <source>Export...</source>
        <translation>Exportieren...</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Link check: 1 problem</source>
        <translation>Linkprüfung: 1 Problem</translation>
    </message>
    <message>
        <source>Link check: %1 problems</source>
        <translation>Linkprüfung: %1 Probleme</translation>
    </message>
</context>
<context>
    <name>trov::MoreEnginesMenu</name>
    <message>
        <source>More engines</source>
        <translation>Weitere Suchmaschinen</translation>
    </message>
    <message>
        <source>Edit engines...</source>
        <translation>Suchmaschinen bearbeiten ...</translation>
    </message>
    <message>
        <source>Add engine...</source>
        <translation>Suchmaschine hinzufügen ...</translation>
    </message>
</context>
<context>
    <name>trov::SuggestionList</name>
    <message>
        <source>Suggestions</source>
        <translation>Vorschläge</translation>
    </message>
    <message>
        <source>Delete search suggestion</source>
        <translation>Suchvorschlag löschen</translation>
    </message>
    <message>
        <source>%1 (suggested by %2)</source>
        <translation>%1 (vorgeschlagen von %2)</translation>
    </message>
</context>
<context>
    <name>trov::TMainForm</name>
    <message>
        <source>Ignored by the chosen engine</source>
        <translation>Von der gewählten Suchmaschine nicht beachtet</translation>
    </message>
</context>
<context>
    <name>trov::TfColor</name>
    <message>
        <source>Color picker</source>
        <translation>Farbpipette</translation>
    </message>
    <message>
        <source>Move the pointer with the arrow keys (with Shift ten pixels at a time); Enter or Space takes the colour under it, Esc leaves the colour as it was.</source>
        <translation>Bewegen Sie den Zeiger mit den Pfeiltasten (mit Umschalt zehn Pixel auf einmal); Eingabe oder Leertaste übernimmt die Farbe darunter, Esc lässt die Farbe, wie sie war.</translation>
    </message>
    <message>
        <source>Screen picture</source>
        <translation>Bildschirmfoto</translation>
    </message>
</context>
<context>
    <name>trov::TfRecent</name>
    <message>
        <source>Recent colors</source>
        <translation>Zuletzt verwendete Farben</translation>
    </message>
    <message>
        <source>Recent color %1</source>
        <translation>Zuletzt verwendete Farbe %1</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>trov::TfSugg</name>
    <message>
        <source>Trov - Search suggestions</source>
        <translation>Trov - Suchvorschläge</translation>
    </message>
    <message>
        <source>Find</source>
        <translation>Suchen</translation>
    </message>
    <message>
        <source>Select all</source>
        <translation>Alle markieren</translation>
    </message>
    <message>
        <source>Invert selection</source>
        <translation>Markierung umkehren</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Search suggestions</source>
        <translation>Suchvorschläge</translation>
    </message>
</context>
<context>
    <name>trov::Tfhist</name>
    <message>
        <source>Date</source>
        <translation>Datum</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Uhrzeit</translation>
    </message>
    <message>
        <source>Search</source>
        <translation>Suchen</translation>
    </message>
    <message>
        <source>Exact word or phrase</source>
        <translation>Genaues Wort oder genaue Wortgruppe</translation>
    </message>
    <message>
        <source>Exclude a word</source>
        <translation>Wort ausschließen</translation>
    </message>
    <message>
        <source>Search within a site or domain</source>
        <translation>Innerhalb einer Website oder Domain suchen</translation>
    </message>
    <message>
        <source>File type</source>
        <translation>Dateityp</translation>
    </message>
    <message>
        <source>Browser</source>
        <translation>Browser</translation>
    </message>
    <message>
        <source>Interface</source>
        <translation>Oberfläche</translation>
    </message>
    <message>
        <source>Country</source>
        <translation>Land</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Sprache</translation>
    </message>
    <message>
        <source>Time Period</source>
        <translation>Zeitraum</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>Art</translation>
    </message>
    <message>
        <source>Search engine</source>
        <translation>Suchmaschine</translation>
    </message>
    <message>
        <source>Trov - Search History</source>
        <translation>Trov - Suchverlauf</translation>
    </message>
    <message>
        <source>Find</source>
        <translation>Suchen</translation>
    </message>
    <message>
        <source>First record</source>
        <translation>Erster Eintrag</translation>
    </message>
    <message>
        <source>Prior record</source>
        <translation>Vorheriger Eintrag</translation>
    </message>
    <message>
        <source>Next record</source>
        <translation>Nächster Eintrag</translation>
    </message>
    <message>
        <source>Last record</source>
        <translation>Letzter Eintrag</translation>
    </message>
    <message>
        <source>Fill search fields</source>
        <translation>Suchfelder füllen</translation>
    </message>
    <message>
        <source>Fill</source>
        <translation>Füllen</translation>
    </message>
    <message>
        <source>Run</source>
        <translation>Ausführen</translation>
    </message>
    <message>
        <source>Multi select</source>
        <translation>Mehrfachauswahl</translation>
    </message>
    <message>
        <source>Multi</source>
        <translation>Mehrfach</translation>
    </message>
    <message>
        <source>Clear all search history</source>
        <translation>Gesamten Suchverlauf löschen</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Leeren</translation>
    </message>
    <message>
        <source>Delete record</source>
        <translation>Eintrag löschen</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>Export CSV</source>
        <translation>CSV exportieren</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Search history</source>
        <translation>Suchverlauf</translation>
    </message>
</context>
<context>
    <name>trov::Tflinks</name>
    <message>
        <source>Links</source>
        <translation>Links</translation>
    </message>
    <message>
        <source>Address</source>
        <translation>Adresse</translation>
    </message>
    <message>
        <source>Open URL</source>
        <translation>URL öffnen</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Datei</translation>
    </message>
    <message>
        <source>Import</source>
        <translation>Importieren</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>Exportieren</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>Drucken</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>Bearbeiten</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Rückgängig</translation>
    </message>
    <message>
        <source>Copy line</source>
        <translation>Zeile kopieren</translation>
    </message>
    <message>
        <source>Sellect All</source>
        <translation>Alles auswählen</translation>
    </message>
    <message>
        <source>Find</source>
        <translation>Suchen</translation>
    </message>
    <message>
        <source>Find Next</source>
        <translation>Weitersuchen</translation>
    </message>
    <message>
        <source>Random background</source>
        <translation>Zufälliger Hintergrund</translation>
    </message>
    <message>
        <source>Characters: %1</source>
        <translation>Zeichen: %1</translation>
    </message>
    <message>
        <source>Ln %1 : %2</source>
        <translation>Z %1 : %2</translation>
    </message>
    <message>
        <source>Col %1 : %2</source>
        <translation>Sp %1 : %2</translation>
    </message>
    <message>
        <source>Cannot find &quot;%1 &quot;</source>
        <translation>„%1 “ nicht gefunden</translation>
    </message>
    <message>
        <source>Cannot find %1</source>
        <translation>%1 nicht gefunden</translation>
    </message>
</context>
<context>
    <name>trov::TrayIcon</name>
    <message>
        <source>Hide</source>
        <translation>Ausblenden</translation>
    </message>
    <message>
        <source>History</source>
        <translation>Verlauf</translation>
    </message>
    <message>
        <source>Data Folder</source>
        <translation>Datenordner</translation>
    </message>
    <message>
        <source>Search suggestions</source>
        <translation>Suchvorschläge</translation>
    </message>
    <message>
        <source>Load at windows startup</source>
        <translation>Beim Anmelden starten</translation>
    </message>
    <message>
        <source>Show on application start</source>
        <translation>Beim Programmstart anzeigen</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Über</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>Show</source>
        <translation>Anzeigen</translation>
    </message>
    <message>
        <source>Private search</source>
        <translation>Private Suche</translation>
    </message>
</context>
</TS>
