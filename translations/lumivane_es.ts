<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es_ES">
<context>
    <name>AboutForm</name>
    <message>
        <source>About Lumivane</source>
        <translation>Acerca de Lumivane</translation>
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
        <translation>Aceptar</translation>
    </message>
</context>
<context>
    <name>OpenOnDesktop</name>
    <message>
        <source>Open this link with another application?</source>
        <translation>¿Abrir este enlace con otra aplicación?</translation>
    </message>
    <message>
        <source>&amp;Open link</source>
        <translation>&amp;Abrir enlace</translation>
    </message>
    <message>
        <source>&amp;Deny</source>
        <translation>&amp;Denegar</translation>
    </message>
</context>
<context>
    <name>QWebEnginePage</name>
    <message>
        <source>Are you sure you want to leave this page? Changes that you made may not be saved.</source>
        <translation>¿Seguro que quieres salir de esta página? Es posible que no se guarden los cambios que hayas hecho.</translation>
    </message>
</context>
<context>
    <name>TAboutForm</name>
    <message>
        <source>Web engine: %1</source>
        <translation>Motor web: %1</translation>
    </message>
</context>
<context>
    <name>TBlockedWindowNotice</name>
    <message>
        <source>Open</source>
        <translation>Abrir</translation>
    </message>
    <message>
        <source>Dismiss</source>
        <translation>Descartar</translation>
    </message>
    <message>
        <source>a blank page</source>
        <translation>una página en blanco</translation>
    </message>
    <message>
        <source>Blocked a window that opened by itself: %1</source>
        <translation>Se bloqueó una ventana que se abrió sola: %1</translation>
    </message>
    <message>
        <source>Blocked %1 windows that opened by themselves, the first: %2</source>
        <translation>Se bloquearon %1 ventanas que se abrieron solas, la primera: %2</translation>
    </message>
</context>
<context>
    <name>TControlPanel</name>
    <message>
        <source>Close</source>
        <translation>Cerrar</translation>
    </message>
</context>
<context>
    <name>TCredentialsDialog</name>
    <message>
        <source>&amp;User name:</source>
        <translation>Nombre de &amp;usuario:</translation>
    </message>
    <message>
        <source>&amp;Password:</source>
        <translation>&amp;Contraseña:</translation>
    </message>
    <message>
        <source>&amp;Sign in</source>
        <translation>&amp;Iniciar sesión</translation>
    </message>
</context>
<context>
    <name>TDBusNotificationSink</name>
    <message>
        <source>Open</source>
        <translation>Abrir</translation>
    </message>
</context>
<context>
    <name>TDownloadItem</name>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Abrir</translation>
    </message>
    <message>
        <source>Dismiss</source>
        <translation>Descartar</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <translation>%1 de %2</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Completado</translation>
    </message>
    <message>
        <source>Cancelled</source>
        <translation>Cancelado</translation>
    </message>
    <message>
        <source>Failed: %1</source>
        <translation>Error: %1</translation>
    </message>
</context>
<context>
    <name>TDownloadManager</name>
    <message>
        <source>Save As</source>
        <translation>Guardar como</translation>
    </message>
    <message>
        <source>All files (*)</source>
        <translation>Todos los archivos (*)</translation>
    </message>
</context>
<context>
    <name>TFileDialog</name>
    <message>
        <source>%1
This folder does not exist. Check the path and try again.</source>
        <translation>%1
Esta carpeta no existe. Comprueba la ruta e inténtalo de nuevo.</translation>
    </message>
</context>
<context>
    <name>TFindBar</name>
    <message>
        <source>Find:</source>
        <translation>Buscar:</translation>
    </message>
    <message>
        <source>Previous</source>
        <translation>Anterior</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>Siguiente</translation>
    </message>
    <message>
        <source>Close the find bar (Esc)</source>
        <translation>Cerrar la barra de búsqueda (Esc)</translation>
    </message>
    <message>
        <source>No matches</source>
        <translation>Sin coincidencias</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <translation>%1 de %2</translation>
    </message>
</context>
<context>
    <name>TLumivaneError</name>
    <message>
        <source>Unable to write to %1</source>
        <translation>No se puede escribir en %1</translation>
    </message>
    <message>
        <source>Unable to write to </source>
        <translation>No se puede escribir en </translation>
    </message>
    <message>
        <source>Unable to open </source>
        <translation>No se puede abrir </translation>
    </message>
    <message>
        <source>The web engine cannot run as root with its sandbox on. Run Lumivane as an ordinary user, or set QTWEBENGINE_DISABLE_SANDBOX=1 to run it as root without the sandbox</source>
        <translation>El motor web no puede ejecutarse como root con su entorno aislado activado. Ejecuta Lumivane como usuario normal, o establece QTWEBENGINE_DISABLE_SANDBOX=1 para ejecutarlo como root sin entorno aislado</translation>
    </message>
    <message>
        <source>Unable to find %1</source>
        <translation>No se encuentra %1</translation>
    </message>
    <message>
        <source>not a runner module</source>
        <translation>no es un módulo de ejecución</translation>
    </message>
    <message>
        <source>Unable to load %1: %2</source>
        <translation>No se puede cargar %1: %2</translation>
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
        <translation>Lumivane te permite crear aplicaciones web para tu escritorio. Indica la URL de un sitio web y guárdalo como aplicación web. Después podrás abrir tu aplicación web directamente desde el escritorio mediante el archivo guardado. También puedes elegir el estilo de la ventana en la que se mostrará el sitio, su tamaño y algunas propiedades más. Lumivane carga tu sitio con su motor web integrado.</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Configuración</translation>
    </message>
    <message>
        <source>Website &amp;URL:</source>
        <translation>&amp;URL del sitio web:</translation>
    </message>
    <message>
        <source>Window &amp;Style:</source>
        <translation>&amp;Estilo de ventana:</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>Normal</translation>
    </message>
    <message>
        <source>Dialog</source>
        <translation>Diálogo</translation>
    </message>
    <message>
        <source>Mini (Resizeable)</source>
        <translation>Mini (redimensionable)</translation>
    </message>
    <message>
        <source>Mini</source>
        <translation>Mini</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Ninguno</translation>
    </message>
    <message>
        <source>Window Si&amp;ze:</source>
        <translation>&amp;Tamaño de ventana:</translation>
    </message>
    <message>
        <source>Full Screen</source>
        <translation>Pantalla completa</translation>
    </message>
    <message>
        <source>Custom</source>
        <translation>Personalizado</translation>
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
        <translation>&amp;Girar</translation>
    </message>
    <message>
        <source>Window &amp;Position:</source>
        <translation>&amp;Posición de ventana:</translation>
    </message>
    <message>
        <source>Center</source>
        <translation>Centro</translation>
    </message>
    <message>
        <source>Top-Left</source>
        <translation>Arriba a la izquierda</translation>
    </message>
    <message>
        <source>Top-Center</source>
        <translation>Arriba al centro</translation>
    </message>
    <message>
        <source>Top-Right</source>
        <translation>Arriba a la derecha</translation>
    </message>
    <message>
        <source>Center-Left</source>
        <translation>Centro a la izquierda</translation>
    </message>
    <message>
        <source>Center-Right</source>
        <translation>Centro a la derecha</translation>
    </message>
    <message>
        <source>Bottom-Left</source>
        <translation>Abajo a la izquierda</translation>
    </message>
    <message>
        <source>Bottom-Center</source>
        <translation>Abajo al centro</translation>
    </message>
    <message>
        <source>Bottom-Right</source>
        <translation>Abajo a la derecha</translation>
    </message>
    <message>
        <source>Pr&amp;esent as:</source>
        <translation>Presentarse c&amp;omo:</translation>
    </message>
    <message>
        <source>Default (the web engine&apos;s own)</source>
        <translation>Predeterminado (el del motor web)</translation>
    </message>
    <message>
        <source>Window sta&amp;ys in front of all other windows</source>
        <translation>La ventana permanece &amp;delante de todas las demás</translation>
    </message>
    <message>
        <source>&amp;Remember last window position</source>
        <translation>&amp;Recordar la última posición</translation>
    </message>
    <message>
        <source>Re&amp;member last window size</source>
        <translation>Recordar el último ta&amp;maño</translation>
    </message>
    <message>
        <source>Show Control Panel</source>
        <translation>Mostrar el panel de control</translation>
    </message>
    <message>
        <source>Pre&amp;view...</source>
        <translation>&amp;Vista previa...</translation>
    </message>
    <message>
        <source>S&amp;ave...</source>
        <translation>Guard&amp;ar...</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Cerrar</translation>
    </message>
    <message>
        <source>&amp;WebApps</source>
        <translation>Aplicaciones &amp;web</translation>
    </message>
    <message>
        <source>&amp;Open...</source>
        <translation>&amp;Abrir...</translation>
    </message>
    <message>
        <source>Ctrl+O</source>
        <translation>Ctrl+O</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Guardar</translation>
    </message>
    <message>
        <source>Ctrl+S</source>
        <translation>Ctrl+S</translation>
    </message>
    <message>
        <source>Save &amp;As...</source>
        <translation>Guardar &amp;como...</translation>
    </message>
    <message>
        <source>Ctrl+Shift+S</source>
        <translation>Ctrl+Shift+S</translation>
    </message>
    <message>
        <source>Create &amp;Launcher...</source>
        <translation>Crear &amp;lanzador...</translation>
    </message>
    <message>
        <source>About...</source>
        <translation>Acerca de...</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Salir</translation>
    </message>
    <message>
        <source>Alt+F4</source>
        <translation>Alt+F4</translation>
    </message>
    <message>
        <source>Modified</source>
        <translation>Modificado</translation>
    </message>
    <message>
        <source>Your changes have not been saved. Save them?</source>
        <translation>Tus cambios no se han guardado. ¿Guardarlos?</translation>
    </message>
    <message>
        <source>Open Lumidoc</source>
        <translation>Abrir Lumidoc</translation>
    </message>
    <message>
        <source>Save Lumidoc</source>
        <translation>Guardar Lumidoc</translation>
    </message>
    <message>
        <source>Put a launcher for this web app on the desktop too?</source>
        <translation>¿Poner también un lanzador de esta aplicación web en el escritorio?</translation>
    </message>
    <message>
        <source>not available (%1)</source>
        <translation>no disponible (%1)</translation>
    </message>
</context>
<context>
    <name>TOriginStrip</name>
    <message>
        <source>Not secure</source>
        <translation>No seguro</translation>
    </message>
    <message>
        <source>Back to %1</source>
        <translation>Volver a %1</translation>
    </message>
    <message>
        <source>the web app</source>
        <translation>la aplicación web</translation>
    </message>
    <message>
        <source>Page of another site: %1</source>
        <translation>Página de otro sitio: %1</translation>
    </message>
    <message>
        <source>Page of another site, not secure: %1</source>
        <translation>Página de otro sitio, no segura: %1</translation>
    </message>
</context>
<context>
    <name>TPageContextMenu</name>
    <message>
        <source>Open link in default browser</source>
        <translation>Abrir el enlace en el navegador predeterminado</translation>
    </message>
</context>
<context>
    <name>TPageDialogs</name>
    <message>
        <source>%1 says</source>
        <translation>%1 dice</translation>
    </message>
    <message>
        <source>Don&apos;t let this page show more dialogs</source>
        <translation>No permitir que esta página muestre más diálogos</translation>
    </message>
</context>
<context>
    <name>TPermissionManager</name>
    <message>
        <source>show notifications</source>
        <translation>mostrar notificaciones</translation>
    </message>
    <message>
        <source>know your location</source>
        <translation>conocer tu ubicación</translation>
    </message>
    <message>
        <source>use your microphone</source>
        <translation>usar tu micrófono</translation>
    </message>
    <message>
        <source>use your camera</source>
        <translation>usar tu cámara</translation>
    </message>
    <message>
        <source>use your camera and microphone</source>
        <translation>usar tu cámara y tu micrófono</translation>
    </message>
    <message>
        <source>hide and lock your mouse pointer</source>
        <translation>ocultar y bloquear el puntero del ratón</translation>
    </message>
    <message>
        <source>share your screen</source>
        <translation>compartir tu pantalla</translation>
    </message>
    <message>
        <source>share your screen and its sound</source>
        <translation>compartir tu pantalla y su sonido</translation>
    </message>
    <message>
        <source>use a feature of your computer</source>
        <translation>usar una función de tu ordenador</translation>
    </message>
    <message>
        <source>Allow %1 to %2?</source>
        <translation>¿Permitir que %1 pueda %2?</translation>
    </message>
    <message>
        <source>&amp;Allow</source>
        <translation>&amp;Permitir</translation>
    </message>
    <message>
        <source>&amp;Deny</source>
        <translation>&amp;Denegar</translation>
    </message>
    <message>
        <source>Allow %1 to download multiple files?</source>
        <translation>¿Permitir que %1 descargue varios archivos?</translation>
    </message>
    <message>
        <source>read and change your clipboard</source>
        <translation>leer y cambiar tu portapapeles</translation>
    </message>
    <message>
        <source>see the fonts installed on your computer</source>
        <translation>ver las fuentes instaladas en tu ordenador</translation>
    </message>
</context>
<context>
    <name>TSpellChecking</name>
    <message>
        <source>Spelling language</source>
        <translation>Idioma de ortografía</translation>
    </message>
</context>
<context>
    <name>TWebAppBrowsing</name>
    <message>
        <source>Reset permissions</source>
        <translation>Restablecer permisos</translation>
    </message>
</context>
</TS>
