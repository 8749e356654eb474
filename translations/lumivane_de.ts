<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>AboutForm</name>
    <message>
        <source>About Lumivane</source>
        <translation>Über Lumivane</translation>
    </message>
    <message>
        <source>Lumivane 1.0</source>
        <translation>Lumivane 1.0</translation>
    </message>
    <message>
        <source>Copyright © 2026 Veldrane</source>
        <translation>Copyright © 2026 Veldrane</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>OpenOnDesktop</name>
    <message>
        <source>Open this link with another application?</source>
        <translation>Diesen Link mit einem anderen Programm öffnen?</translation>
    </message>
    <message>
        <source>&amp;Open link</source>
        <translation>Link ö&amp;ffnen</translation>
    </message>
    <message>
        <source>&amp;Deny</source>
        <translation>&amp;Ablehnen</translation>
    </message>
</context>
<context>
    <name>QWebEnginePage</name>
    <message>
        <source>Are you sure you want to leave this page? Changes that you made may not be saved.</source>
        <translation>Möchten Sie diese Seite wirklich verlassen? Ihre Änderungen werden möglicherweise nicht gespeichert.</translation>
    </message>
</context>
<context>
    <name>TAboutForm</name>
    <message>
        <source>Web engine: %1</source>
        <translation>Web-Engine: %1</translation>
    </message>
</context>
<context>
    <name>TBlockedWindowNotice</name>
    <message>
        <source>Open</source>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source>Dismiss</source>
        <translation>Ausblenden</translation>
    </message>
    <message>
        <source>a blank page</source>
        <translation>eine leere Seite</translation>
    </message>
    <message>
        <source>Blocked a window that opened by itself: %1</source>
        <translation>Ein Fenster, das sich von selbst öffnete, wurde blockiert: %1</translation>
    </message>
    <message>
        <source>Blocked %1 windows that opened by themselves, the first: %2</source>
        <translation>%1 Fenster, die sich von selbst öffneten, wurden blockiert, das erste: %2</translation>
    </message>
</context>
<context>
    <name>TControlPanel</name>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
</context>
<context>
    <name>TCredentialsDialog</name>
    <message>
        <source>&amp;User name:</source>
        <translation>&amp;Benutzername:</translation>
    </message>
    <message>
        <source>&amp;Password:</source>
        <translation>&amp;Passwort:</translation>
    </message>
    <message>
        <source>&amp;Sign in</source>
        <translation>&amp;Anmelden</translation>
    </message>
</context>
<context>
    <name>TDBusNotificationSink</name>
    <message>
        <source>Open</source>
        <translation>Öffnen</translation>
    </message>
</context>
<context>
    <name>TDownloadItem</name>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source>Dismiss</source>
        <translation>Ausblenden</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <translation>%1 von %2</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Fertig</translation>
    </message>
    <message>
        <source>Cancelled</source>
        <translation>Abgebrochen</translation>
    </message>
    <message>
        <source>Failed: %1</source>
        <translation>Fehlgeschlagen: %1</translation>
    </message>
</context>
<context>
    <name>TDownloadManager</name>
    <message>
        <source>Save As</source>
        <translation>Speichern unter</translation>
    </message>
    <message>
        <source>All files (*)</source>
        <translation>Alle Dateien (*)</translation>
    </message>
</context>
<context>
    <name>TFileDialog</name>
    <message>
        <source>%1
This folder does not exist. Check the path and try again.</source>
        <translation>%1
Dieser Ordner existiert nicht. Prüfen Sie den Pfad und versuchen Sie es erneut.</translation>
    </message>
</context>
<context>
    <name>TFindBar</name>
    <message>
        <source>Find:</source>
        <translation>Suchen:</translation>
    </message>
    <message>
        <source>Previous</source>
        <translation>Zurück</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>Weiter</translation>
    </message>
    <message>
        <source>Close the find bar (Esc)</source>
        <translation>Suchleiste schließen (Esc)</translation>
    </message>
    <message>
        <source>No matches</source>
        <translation>Keine Treffer</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <translation>%1 von %2</translation>
    </message>
</context>
<context>
    <name>TLumivaneError</name>
    <message>
        <source>Unable to write to %1</source>
        <translation>%1 kann nicht geschrieben werden</translation>
    </message>
    <message>
        <source>Unable to write to </source>
        <translation>Schreiben nicht möglich: </translation>
    </message>
    <message>
        <source>Unable to open </source>
        <translation>Öffnen nicht möglich: </translation>
    </message>
    <message>
        <source>The web engine cannot run as root with its sandbox on. Run Lumivane as an ordinary user, or set QTWEBENGINE_DISABLE_SANDBOX=1 to run it as root without the sandbox</source>
        <translation>Die Web-Engine kann mit eingeschalteter Sandbox nicht als root laufen. Starten Sie Lumivane als normaler Benutzer, oder setzen Sie QTWEBENGINE_DISABLE_SANDBOX=1, um es als root ohne Sandbox auszuführen</translation>
    </message>
    <message>
        <source>Unable to find %1</source>
        <translation>%1 wurde nicht gefunden</translation>
    </message>
    <message>
        <source>not a runner module</source>
        <translation>kein Ausführungsmodul</translation>
    </message>
    <message>
        <source>Unable to load %1: %2</source>
        <translation>%1 kann nicht geladen werden: %2</translation>
    </message>
</context>
<context>
    <name>TMainForm</name>
    <message>
        <source>Veldrane Lumivane</source>
        <translation>Veldrane Lumivane</translation>
    </message>
    <message>
        <source>Lumivane allows you to create Web Applications for your desktop. Provide it with a website URL and save it as a Web Application. You can then launch your Web Application directly from your desktop through the saved Web Application file. You can optionally set the Window style in which your website will be displayed, the size of the Window and some more properties. Lumivane uses its built-in web engine to load your website.</source>
        <translation>Mit Lumivane erstellen Sie Web-Apps für Ihren Desktop. Geben Sie die URL einer Website an und speichern Sie sie als Web-App. Danach starten Sie Ihre Web-App direkt vom Desktop aus über die gespeicherte Web-App-Datei. Wahlweise legen Sie den Fensterstil fest, in dem die Website erscheint, die Fenstergröße und einige weitere Eigenschaften. Lumivane lädt Ihre Website mit seiner eingebauten Web-Engine.</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>Website &amp;URL:</source>
        <translation>Website-&amp;URL:</translation>
    </message>
    <message>
        <source>Window &amp;Style:</source>
        <translation>Fenster&amp;stil:</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>Normal</translation>
    </message>
    <message>
        <source>Dialog</source>
        <translation>Dialog</translation>
    </message>
    <message>
        <source>Mini (Resizeable)</source>
        <translation>Mini (veränderbar)</translation>
    </message>
    <message>
        <source>Mini</source>
        <translation>Mini</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Ohne</translation>
    </message>
    <message>
        <source>Window Si&amp;ze:</source>
        <translation>Fenster&amp;größe:</translation>
    </message>
    <message>
        <source>Full Screen</source>
        <translation>Vollbild</translation>
    </message>
    <message>
        <source>Custom</source>
        <translation>Benutzerdefiniert</translation>
    </message>
    <message>
        <source>Windows Phone 7</source>
        <translation>Windows Phone 7</translation>
    </message>
    <message>
        <source>iPhone</source>
        <translation>iPhone</translation>
    </message>
    <message>
        <source>iPad</source>
        <translation>iPad</translation>
    </message>
    <message>
        <source>QVGA (320x240)</source>
        <translation>QVGA (320x240)</translation>
    </message>
    <message>
        <source>VGA (640x480)</source>
        <translation>VGA (640x480)</translation>
    </message>
    <message>
        <source>SVGA (800x600)</source>
        <translation>SVGA (800x600)</translation>
    </message>
    <message>
        <source>HD 720 (1280x720)</source>
        <translation>HD 720 (1280x720)</translation>
    </message>
    <message>
        <source>HD (1920x1080)</source>
        <translation>HD (1920x1080)</translation>
    </message>
    <message>
        <source>x</source>
        <translation>x</translation>
    </message>
    <message>
        <source>&amp;Flip</source>
        <translation>&amp;Drehen</translation>
    </message>
    <message>
        <source>Window &amp;Position:</source>
        <translation>Fenster&amp;position:</translation>
    </message>
    <message>
        <source>Center</source>
        <translation>Mitte</translation>
    </message>
    <message>
        <source>Top-Left</source>
        <translation>Oben links</translation>
    </message>
    <message>
        <source>Top-Center</source>
        <translation>Oben Mitte</translation>
    </message>
    <message>
        <source>Top-Right</source>
        <translation>Oben rechts</translation>
    </message>
    <message>
        <source>Center-Left</source>
        <translation>Mitte links</translation>
    </message>
    <message>
        <source>Center-Right</source>
        <translation>Mitte rechts</translation>
    </message>
    <message>
        <source>Bottom-Left</source>
        <translation>Unten links</translation>
    </message>
    <message>
        <source>Bottom-Center</source>
        <translation>Unten Mitte</translation>
    </message>
    <message>
        <source>Bottom-Right</source>
        <translation>Unten rechts</translation>
    </message>
    <message>
        <source>Pr&amp;esent as:</source>
        <translation>Au&amp;ftreten als:</translation>
    </message>
    <message>
        <source>Default (the web engine&apos;s own)</source>
        <translation>Standard (der Web-Engine eigen)</translation>
    </message>
    <message>
        <source>Window sta&amp;ys in front of all other windows</source>
        <translation>Fenster &amp;bleibt vor allen anderen Fenstern</translation>
    </message>
    <message>
        <source>&amp;Remember last window position</source>
        <translation>&amp;Letzte Fensterposition merken</translation>
    </message>
    <message>
        <source>Re&amp;member last window size</source>
        <translation>Letzte Fenstergröße &amp;merken</translation>
    </message>
    <message>
        <source>Show Control Panel</source>
        <translation>Bedienleiste anzeigen</translation>
    </message>
    <message>
        <source>Pre&amp;view...</source>
        <translation>&amp;Vorschau...</translation>
    </message>
    <message>
        <source>S&amp;ave...</source>
        <translation>Spei&amp;chern...</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>Schl&amp;ießen</translation>
    </message>
    <message>
        <source>&amp;WebApps</source>
        <translation>&amp;Web-Apps</translation>
    </message>
    <message>
        <source>&amp;Open...</source>
        <translation>Ö&amp;ffnen...</translation>
    </message>
    <message>
        <source>Ctrl+O</source>
        <translation>Ctrl+O</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Speichern</translation>
    </message>
    <message>
        <source>Ctrl+S</source>
        <translation>Ctrl+S</translation>
    </message>
    <message>
        <source>Save &amp;As...</source>
        <translation>Speichern &amp;unter...</translation>
    </message>
    <message>
        <source>Ctrl+Shift+S</source>
        <translation>Ctrl+Shift+S</translation>
    </message>
    <message>
        <source>Create &amp;Launcher...</source>
        <translation>Sta&amp;rter anlegen...</translation>
    </message>
    <message>
        <source>About...</source>
        <translation>Über...</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>Alt+F4</source>
        <translation>Alt+F4</translation>
    </message>
    <message>
        <source>Modified</source>
        <translation>Geändert</translation>
    </message>
    <message>
        <source>Your changes have not been saved. Save them?</source>
        <translation>Ihre Änderungen wurden nicht gespeichert. Jetzt speichern?</translation>
    </message>
    <message>
        <source>Open Lumidoc</source>
        <translation>Lumidoc öffnen</translation>
    </message>
    <message>
        <source>Save Lumidoc</source>
        <translation>Lumidoc speichern</translation>
    </message>
    <message>
        <source>Put a launcher for this web app on the desktop too?</source>
        <translation>Auch einen Starter für diese Web-App auf den Desktop legen?</translation>
    </message>
    <message>
        <source>not available (%1)</source>
        <translation>nicht verfügbar (%1)</translation>
    </message>
</context>
<context>
    <name>TOriginStrip</name>
    <message>
        <source>Not secure</source>
        <translation>Nicht sicher</translation>
    </message>
    <message>
        <source>Back to %1</source>
        <translation>Zurück zu %1</translation>
    </message>
    <message>
        <source>the web app</source>
        <translation>der Web-App</translation>
    </message>
    <message>
        <source>Page of another site: %1</source>
        <translation>Seite einer anderen Website: %1</translation>
    </message>
    <message>
        <source>Page of another site, not secure: %1</source>
        <translation>Seite einer anderen Website, nicht sicher: %1</translation>
    </message>
</context>
<context>
    <name>TPageContextMenu</name>
    <message>
        <source>Open link in default browser</source>
        <translation>Link im Standardbrowser öffnen</translation>
    </message>
</context>
<context>
    <name>TPageDialogs</name>
    <message>
        <source>%1 says</source>
        <translation>%1 meldet</translation>
    </message>
    <message>
        <source>Don&apos;t let this page show more dialogs</source>
        <translation>Diese Seite keine weiteren Dialoge anzeigen lassen</translation>
    </message>
</context>
<context>
    <name>TPermissionManager</name>
    <message>
        <source>show notifications</source>
        <translation>Benachrichtigungen anzeigen</translation>
    </message>
    <message>
        <source>know your location</source>
        <translation>Ihren Standort erfahren</translation>
    </message>
    <message>
        <source>use your microphone</source>
        <translation>Ihr Mikrofon verwenden</translation>
    </message>
    <message>
        <source>use your camera</source>
        <translation>Ihre Kamera verwenden</translation>
    </message>
    <message>
        <source>use your camera and microphone</source>
        <translation>Ihre Kamera und Ihr Mikrofon verwenden</translation>
    </message>
    <message>
        <source>hide and lock your mouse pointer</source>
        <translation>Ihren Mauszeiger ausblenden und festhalten</translation>
    </message>
    <message>
        <source>share your screen</source>
        <translation>Ihren Bildschirm teilen</translation>
    </message>
    <message>
        <source>share your screen and its sound</source>
        <translation>Ihren Bildschirm samt Ton teilen</translation>
    </message>
    <message>
        <source>use a feature of your computer</source>
        <translation>eine Funktion Ihres Computers verwenden</translation>
    </message>
    <message>
        <source>Allow %1 to %2?</source>
        <translation>Darf %1 %2?</translation>
    </message>
    <message>
        <source>&amp;Allow</source>
        <translation>&amp;Erlauben</translation>
    </message>
    <message>
        <source>&amp;Deny</source>
        <translation>&amp;Ablehnen</translation>
    </message>
    <message>
        <source>Allow %1 to download multiple files?</source>
        <translation>Darf %1 mehrere Dateien herunterladen?</translation>
    </message>
    <message>
        <source>read and change your clipboard</source>
        <translation>Ihre Zwischenablage lesen und ändern</translation>
    </message>
    <message>
        <source>see the fonts installed on your computer</source>
        <translation>die auf Ihrem Computer installierten Schriften sehen</translation>
    </message>
</context>
<context>
    <name>TSpellChecking</name>
    <message>
        <source>Spelling language</source>
        <translation>Rechtschreibsprache</translation>
    </message>
</context>
<context>
    <name>TWebAppBrowsing</name>
    <message>
        <source>Reset permissions</source>
        <translation>Berechtigungen zurücksetzen</translation>
    </message>
</context>
</TS>
