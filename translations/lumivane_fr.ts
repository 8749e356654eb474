<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>AboutForm</name>
    <message>
        <source>About Lumivane</source>
        <translation>À propos de Lumivane</translation>
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
        <translation>Ouvrir ce lien avec une autre application ?</translation>
    </message>
    <message>
        <source>&amp;Open link</source>
        <translation>&amp;Ouvrir le lien</translation>
    </message>
    <message>
        <source>&amp;Deny</source>
        <translation>&amp;Refuser</translation>
    </message>
</context>
<context>
    <name>QWebEnginePage</name>
    <message>
        <source>Are you sure you want to leave this page? Changes that you made may not be saved.</source>
        <translation>Voulez-vous vraiment quitter cette page ? Les modifications que vous avez apportées ne seront peut-être pas enregistrées.</translation>
    </message>
</context>
<context>
    <name>TAboutForm</name>
    <message>
        <source>Web engine: %1</source>
        <translation>Moteur web : %1</translation>
    </message>
</context>
<context>
    <name>TBlockedWindowNotice</name>
    <message>
        <source>Open</source>
        <translation>Ouvrir</translation>
    </message>
    <message>
        <source>Dismiss</source>
        <translation>Masquer</translation>
    </message>
    <message>
        <source>a blank page</source>
        <translation>une page vide</translation>
    </message>
    <message>
        <source>Blocked a window that opened by itself: %1</source>
        <translation>Une fenêtre qui s’ouvrait d’elle-même a été bloquée : %1</translation>
    </message>
    <message>
        <source>Blocked %1 windows that opened by themselves, the first: %2</source>
        <translation>%1 fenêtres qui s’ouvraient d’elles-mêmes ont été bloquées, la première : %2</translation>
    </message>
</context>
<context>
    <name>TControlPanel</name>
    <message>
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
</context>
<context>
    <name>TCredentialsDialog</name>
    <message>
        <source>&amp;User name:</source>
        <translation>Nom d’&amp;utilisateur :</translation>
    </message>
    <message>
        <source>&amp;Password:</source>
        <translation>&amp;Mot de passe :</translation>
    </message>
    <message>
        <source>&amp;Sign in</source>
        <translation>&amp;Se connecter</translation>
    </message>
</context>
<context>
    <name>TDBusNotificationSink</name>
    <message>
        <source>Open</source>
        <translation>Ouvrir</translation>
    </message>
</context>
<context>
    <name>TDownloadItem</name>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Ouvrir</translation>
    </message>
    <message>
        <source>Dismiss</source>
        <translation>Masquer</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <translation>%1 sur %2</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Terminé</translation>
    </message>
    <message>
        <source>Cancelled</source>
        <translation>Annulé</translation>
    </message>
    <message>
        <source>Failed: %1</source>
        <translation>Échec : %1</translation>
    </message>
</context>
<context>
    <name>TDownloadManager</name>
    <message>
        <source>Save As</source>
        <translation>Enregistrer sous</translation>
    </message>
    <message>
        <source>All files (*)</source>
        <translation>Tous les fichiers (*)</translation>
    </message>
</context>
<context>
    <name>TFileDialog</name>
    <message>
        <source>%1
This folder does not exist. Check the path and try again.</source>
        <translation>%1
Ce dossier n’existe pas. Vérifiez le chemin et réessayez.</translation>
    </message>
</context>
<context>
    <name>TFindBar</name>
    <message>
        <source>Find:</source>
        <translation>Rechercher :</translation>
    </message>
    <message>
        <source>Previous</source>
        <translation>Précédent</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>Suivant</translation>
    </message>
    <message>
        <source>Close the find bar (Esc)</source>
        <translation>Fermer la barre de recherche (Échap)</translation>
    </message>
    <message>
        <source>No matches</source>
        <translation>Aucun résultat</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <translation>%1 sur %2</translation>
    </message>
</context>
<context>
    <name>TLumivaneError</name>
    <message>
        <source>Unable to write to %1</source>
        <translation>Impossible d’écrire dans %1</translation>
    </message>
    <message>
        <source>Unable to write to </source>
        <translation>Impossible d’écrire dans </translation>
    </message>
    <message>
        <source>Unable to open </source>
        <translation>Impossible d’ouvrir </translation>
    </message>
    <message>
        <source>The web engine cannot run as root with its sandbox on. Run Lumivane as an ordinary user, or set QTWEBENGINE_DISABLE_SANDBOX=1 to run it as root without the sandbox</source>
        <translation>Le moteur web ne peut pas fonctionner en tant que root avec son bac à sable activé. Lancez Lumivane en tant qu’utilisateur ordinaire, ou définissez QTWEBENGINE_DISABLE_SANDBOX=1 pour le lancer en tant que root sans bac à sable</translation>
    </message>
    <message>
        <source>Unable to find %1</source>
        <translation>Impossible de trouver %1</translation>
    </message>
    <message>
        <source>not a runner module</source>
        <translation>ce n’est pas un module d’exécution</translation>
    </message>
    <message>
        <source>Unable to load %1: %2</source>
        <translation>Impossible de charger %1 : %2</translation>
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
        <translation>Lumivane vous permet de créer des applications web pour votre bureau. Indiquez l’URL d’un site et enregistrez-le comme application web. Vous pourrez ensuite lancer votre application web directement depuis le bureau grâce au fichier enregistré. Vous pouvez aussi choisir le style de la fenêtre dans laquelle le site s’affiche, sa taille et quelques autres propriétés. Lumivane charge votre site avec son moteur web intégré.</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Paramètres</translation>
    </message>
    <message>
        <source>Website &amp;URL:</source>
        <translation>&amp;URL du site :</translation>
    </message>
    <message>
        <source>Window &amp;Style:</source>
        <translation>&amp;Style de fenêtre :</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>Normale</translation>
    </message>
    <message>
        <source>Dialog</source>
        <translation>Dialogue</translation>
    </message>
    <message>
        <source>Mini (Resizeable)</source>
        <translation>Mini (redimensionnable)</translation>
    </message>
    <message>
        <source>Mini</source>
        <translation>Mini</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Aucun</translation>
    </message>
    <message>
        <source>Window Si&amp;ze:</source>
        <translation>&amp;Taille de fenêtre :</translation>
    </message>
    <message>
        <source>Full Screen</source>
        <translation>Plein écran</translation>
    </message>
    <message>
        <source>Custom</source>
        <translation>Personnalisée</translation>
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
        <translation>&amp;Pivoter</translation>
    </message>
    <message>
        <source>Window &amp;Position:</source>
        <translation>P&amp;osition de fenêtre :</translation>
    </message>
    <message>
        <source>Center</source>
        <translation>Centre</translation>
    </message>
    <message>
        <source>Top-Left</source>
        <translation>En haut à gauche</translation>
    </message>
    <message>
        <source>Top-Center</source>
        <translation>En haut au centre</translation>
    </message>
    <message>
        <source>Top-Right</source>
        <translation>En haut à droite</translation>
    </message>
    <message>
        <source>Center-Left</source>
        <translation>Au centre à gauche</translation>
    </message>
    <message>
        <source>Center-Right</source>
        <translation>Au centre à droite</translation>
    </message>
    <message>
        <source>Bottom-Left</source>
        <translation>En bas à gauche</translation>
    </message>
    <message>
        <source>Bottom-Center</source>
        <translation>En bas au centre</translation>
    </message>
    <message>
        <source>Bottom-Right</source>
        <translation>En bas à droite</translation>
    </message>
    <message>
        <source>Pr&amp;esent as:</source>
        <translation>Se présenter &amp;comme :</translation>
    </message>
    <message>
        <source>Default (the web engine&apos;s own)</source>
        <translation>Par défaut (celle du moteur web)</translation>
    </message>
    <message>
        <source>Window sta&amp;ys in front of all other windows</source>
        <translation>La fenêtre reste &amp;devant toutes les autres</translation>
    </message>
    <message>
        <source>&amp;Remember last window position</source>
        <translation>&amp;Mémoriser la dernière position</translation>
    </message>
    <message>
        <source>Re&amp;member last window size</source>
        <translation>Mémoriser la dernière ta&amp;ille</translation>
    </message>
    <message>
        <source>Show Control Panel</source>
        <translation>Afficher le panneau de contrôle</translation>
    </message>
    <message>
        <source>Pre&amp;view...</source>
        <translation>&amp;Aperçu...</translation>
    </message>
    <message>
        <source>S&amp;ave...</source>
        <translation>&amp;Enregistrer...</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Fermer</translation>
    </message>
    <message>
        <source>&amp;WebApps</source>
        <translation>Applications &amp;web</translation>
    </message>
    <message>
        <source>&amp;Open...</source>
        <translation>&amp;Ouvrir...</translation>
    </message>
    <message>
        <source>Ctrl+O</source>
        <translation>Ctrl+O</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Enregistrer</translation>
    </message>
    <message>
        <source>Ctrl+S</source>
        <translation>Ctrl+S</translation>
    </message>
    <message>
        <source>Save &amp;As...</source>
        <translation>Enregistrer &amp;sous...</translation>
    </message>
    <message>
        <source>Ctrl+Shift+S</source>
        <translation>Ctrl+Shift+S</translation>
    </message>
    <message>
        <source>Create &amp;Launcher...</source>
        <translation>Créer un &amp;lanceur...</translation>
    </message>
    <message>
        <source>About...</source>
        <translation>À propos...</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Quitter</translation>
    </message>
    <message>
        <source>Alt+F4</source>
        <translation>Alt+F4</translation>
    </message>
    <message>
        <source>Modified</source>
        <translation>Modifié</translation>
    </message>
    <message>
        <source>Your changes have not been saved. Save them?</source>
        <translation>Vos modifications n’ont pas été enregistrées. Les enregistrer ?</translation>
    </message>
    <message>
        <source>Open Lumidoc</source>
        <translation>Ouvrir un Lumidoc</translation>
    </message>
    <message>
        <source>Save Lumidoc</source>
        <translation>Enregistrer le Lumidoc</translation>
    </message>
    <message>
        <source>Put a launcher for this web app on the desktop too?</source>
        <translation>Placer aussi un lanceur de cette application web sur le bureau ?</translation>
    </message>
    <message>
        <source>not available (%1)</source>
        <translation>indisponible (%1)</translation>
    </message>
</context>
<context>
    <name>TOriginStrip</name>
    <message>
        <source>Not secure</source>
        <translation>Non sécurisé</translation>
    </message>
    <message>
        <source>Back to %1</source>
        <translation>Revenir à %1</translation>
    </message>
    <message>
        <source>the web app</source>
        <translation>l’application web</translation>
    </message>
    <message>
        <source>Page of another site: %1</source>
        <translation>Page d’un autre site : %1</translation>
    </message>
    <message>
        <source>Page of another site, not secure: %1</source>
        <translation>Page d’un autre site, non sécurisée : %1</translation>
    </message>
</context>
<context>
    <name>TPageContextMenu</name>
    <message>
        <source>Open link in default browser</source>
        <translation>Ouvrir le lien dans le navigateur par défaut</translation>
    </message>
</context>
<context>
    <name>TPageDialogs</name>
    <message>
        <source>%1 says</source>
        <translation>%1 indique</translation>
    </message>
    <message>
        <source>Don&apos;t let this page show more dialogs</source>
        <translation>Empêcher cette page d’afficher d’autres boîtes de dialogue</translation>
    </message>
</context>
<context>
    <name>TPermissionManager</name>
    <message>
        <source>show notifications</source>
        <translation>afficher des notifications</translation>
    </message>
    <message>
        <source>know your location</source>
        <translation>connaître votre position</translation>
    </message>
    <message>
        <source>use your microphone</source>
        <translation>utiliser votre micro</translation>
    </message>
    <message>
        <source>use your camera</source>
        <translation>utiliser votre caméra</translation>
    </message>
    <message>
        <source>use your camera and microphone</source>
        <translation>utiliser votre caméra et votre micro</translation>
    </message>
    <message>
        <source>hide and lock your mouse pointer</source>
        <translation>masquer et bloquer votre pointeur</translation>
    </message>
    <message>
        <source>share your screen</source>
        <translation>partager votre écran</translation>
    </message>
    <message>
        <source>share your screen and its sound</source>
        <translation>partager votre écran et son son</translation>
    </message>
    <message>
        <source>use a feature of your computer</source>
        <translation>utiliser une fonction de votre ordinateur</translation>
    </message>
    <message>
        <source>Allow %1 to %2?</source>
        <translation>Autoriser %1 à %2 ?</translation>
    </message>
    <message>
        <source>&amp;Allow</source>
        <translation>&amp;Autoriser</translation>
    </message>
    <message>
        <source>&amp;Deny</source>
        <translation>&amp;Refuser</translation>
    </message>
    <message>
        <source>Allow %1 to download multiple files?</source>
        <translation>Autoriser %1 à télécharger plusieurs fichiers ?</translation>
    </message>
    <message>
        <source>read and change your clipboard</source>
        <translation>lire et modifier votre presse-papiers</translation>
    </message>
    <message>
        <source>see the fonts installed on your computer</source>
        <translation>voir les polices installées sur votre ordinateur</translation>
    </message>
</context>
<context>
    <name>TSpellChecking</name>
    <message>
        <source>Spelling language</source>
        <translation>Langue de l’orthographe</translation>
    </message>
</context>
<context>
    <name>TWebAppBrowsing</name>
    <message>
        <source>Reset permissions</source>
        <translation>Réinitialiser les autorisations</translation>
    </message>
</context>
</TS>
