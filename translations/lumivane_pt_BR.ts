<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="pt_BR">
<context>
    <name>AboutForm</name>
    <message>
        <source>About Lumivane</source>
        <translation>Sobre o Lumivane</translation>
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
        <translation>Abrir este link com outro aplicativo?</translation>
    </message>
    <message>
        <source>&amp;Open link</source>
        <translation>&amp;Abrir link</translation>
    </message>
    <message>
        <source>&amp;Deny</source>
        <translation>&amp;Negar</translation>
    </message>
</context>
<context>
    <name>QWebEnginePage</name>
    <message>
        <source>Are you sure you want to leave this page? Changes that you made may not be saved.</source>
        <translation>Tem certeza de que deseja sair desta página? As alterações feitas podem não ser salvas.</translation>
    </message>
</context>
<context>
    <name>TAboutForm</name>
    <message>
        <source>Web engine: %1</source>
        <translation>Mecanismo web: %1</translation>
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
        <translation>Dispensar</translation>
    </message>
    <message>
        <source>a blank page</source>
        <translation>uma página em branco</translation>
    </message>
    <message>
        <source>Blocked a window that opened by itself: %1</source>
        <translation>Uma janela que se abriu sozinha foi bloqueada: %1</translation>
    </message>
    <message>
        <source>Blocked %1 windows that opened by themselves, the first: %2</source>
        <translation>%1 janelas que se abriram sozinhas foram bloqueadas, a primeira: %2</translation>
    </message>
</context>
<context>
    <name>TControlPanel</name>
    <message>
        <source>Close</source>
        <translation>Fechar</translation>
    </message>
</context>
<context>
    <name>TCredentialsDialog</name>
    <message>
        <source>&amp;User name:</source>
        <translation>Nome de &amp;usuário:</translation>
    </message>
    <message>
        <source>&amp;Password:</source>
        <translation>&amp;Senha:</translation>
    </message>
    <message>
        <source>&amp;Sign in</source>
        <translation>&amp;Entrar</translation>
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
        <translation>Dispensar</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <translation>%1 de %2</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Concluído</translation>
    </message>
    <message>
        <source>Cancelled</source>
        <translation>Cancelado</translation>
    </message>
    <message>
        <source>Failed: %1</source>
        <translation>Falhou: %1</translation>
    </message>
</context>
<context>
    <name>TDownloadManager</name>
    <message>
        <source>Save As</source>
        <translation>Salvar como</translation>
    </message>
    <message>
        <source>All files (*)</source>
        <translation>Todos os arquivos (*)</translation>
    </message>
</context>
<context>
    <name>TFileDialog</name>
    <message>
        <source>%1
This folder does not exist. Check the path and try again.</source>
        <translation>%1
Esta pasta não existe. Verifique o caminho e tente novamente.</translation>
    </message>
</context>
<context>
    <name>TFindBar</name>
    <message>
        <source>Find:</source>
        <translation>Localizar:</translation>
    </message>
    <message>
        <source>Previous</source>
        <translation>Anterior</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>Próximo</translation>
    </message>
    <message>
        <source>Close the find bar (Esc)</source>
        <translation>Fechar a barra de localização (Esc)</translation>
    </message>
    <message>
        <source>No matches</source>
        <translation>Nenhuma ocorrência</translation>
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
        <translation>Não foi possível gravar em %1</translation>
    </message>
    <message>
        <source>Unable to write to </source>
        <translation>Não foi possível gravar em </translation>
    </message>
    <message>
        <source>Unable to open </source>
        <translation>Não foi possível abrir </translation>
    </message>
    <message>
        <source>The web engine cannot run as root with its sandbox on. Run Lumivane as an ordinary user, or set QTWEBENGINE_DISABLE_SANDBOX=1 to run it as root without the sandbox</source>
        <translation>O mecanismo web não pode ser executado como root com a sandbox ativada. Execute o Lumivane como usuário comum, ou defina QTWEBENGINE_DISABLE_SANDBOX=1 para executá-lo como root sem a sandbox</translation>
    </message>
    <message>
        <source>Unable to find %1</source>
        <translation>Não foi possível encontrar %1</translation>
    </message>
    <message>
        <source>not a runner module</source>
        <translation>não é um módulo de execução</translation>
    </message>
    <message>
        <source>Unable to load %1: %2</source>
        <translation>Não foi possível carregar %1: %2</translation>
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
        <translation>O Lumivane permite criar aplicativos web para a sua área de trabalho. Informe a URL de um site e salve-o como aplicativo web. Depois, você pode abrir o aplicativo web diretamente da área de trabalho pelo arquivo salvo. Você também pode escolher o estilo da janela em que o site será exibido, o tamanho da janela e mais algumas propriedades. O Lumivane carrega o seu site com o mecanismo web embutido.</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Configurações</translation>
    </message>
    <message>
        <source>Website &amp;URL:</source>
        <translation>&amp;URL do site:</translation>
    </message>
    <message>
        <source>Window &amp;Style:</source>
        <translation>&amp;Estilo da janela:</translation>
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
        <translation>Mini (redimensionável)</translation>
    </message>
    <message>
        <source>Mini</source>
        <translation>Mini</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Nenhum</translation>
    </message>
    <message>
        <source>Window Si&amp;ze:</source>
        <translation>&amp;Tamanho da janela:</translation>
    </message>
    <message>
        <source>Full Screen</source>
        <translation>Tela cheia</translation>
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
        <translation>&amp;Posição da janela:</translation>
    </message>
    <message>
        <source>Center</source>
        <translation>Centro</translation>
    </message>
    <message>
        <source>Top-Left</source>
        <translation>Superior esquerdo</translation>
    </message>
    <message>
        <source>Top-Center</source>
        <translation>Superior central</translation>
    </message>
    <message>
        <source>Top-Right</source>
        <translation>Superior direito</translation>
    </message>
    <message>
        <source>Center-Left</source>
        <translation>Centro esquerdo</translation>
    </message>
    <message>
        <source>Center-Right</source>
        <translation>Centro direito</translation>
    </message>
    <message>
        <source>Bottom-Left</source>
        <translation>Inferior esquerdo</translation>
    </message>
    <message>
        <source>Bottom-Center</source>
        <translation>Inferior central</translation>
    </message>
    <message>
        <source>Bottom-Right</source>
        <translation>Inferior direito</translation>
    </message>
    <message>
        <source>Pr&amp;esent as:</source>
        <translation>Apresentar-se &amp;como:</translation>
    </message>
    <message>
        <source>Default (the web engine&apos;s own)</source>
        <translation>Padrão (o do mecanismo web)</translation>
    </message>
    <message>
        <source>Window sta&amp;ys in front of all other windows</source>
        <translation>A janela fica na &amp;frente de todas as outras</translation>
    </message>
    <message>
        <source>&amp;Remember last window position</source>
        <translation>&amp;Lembrar a última posição</translation>
    </message>
    <message>
        <source>Re&amp;member last window size</source>
        <translation>Lembrar o último ta&amp;manho</translation>
    </message>
    <message>
        <source>Show Control Panel</source>
        <translation>Mostrar painel de controle</translation>
    </message>
    <message>
        <source>Pre&amp;view...</source>
        <translation>&amp;Visualizar...</translation>
    </message>
    <message>
        <source>S&amp;ave...</source>
        <translation>S&amp;alvar...</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>Fec&amp;har</translation>
    </message>
    <message>
        <source>&amp;WebApps</source>
        <translation>Aplicativos &amp;web</translation>
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
        <translation>&amp;Salvar</translation>
    </message>
    <message>
        <source>Ctrl+S</source>
        <translation>Ctrl+S</translation>
    </message>
    <message>
        <source>Save &amp;As...</source>
        <translation>Salvar &amp;como...</translation>
    </message>
    <message>
        <source>Ctrl+Shift+S</source>
        <translation>Ctrl+Shift+S</translation>
    </message>
    <message>
        <source>Create &amp;Launcher...</source>
        <translation>Criar a&amp;talho...</translation>
    </message>
    <message>
        <source>About...</source>
        <translation>Sobre...</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>Sai&amp;r</translation>
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
        <translation>Suas alterações não foram salvas. Salvá-las?</translation>
    </message>
    <message>
        <source>Open Lumidoc</source>
        <translation>Abrir Lumidoc</translation>
    </message>
    <message>
        <source>Save Lumidoc</source>
        <translation>Salvar Lumidoc</translation>
    </message>
    <message>
        <source>Put a launcher for this web app on the desktop too?</source>
        <translation>Colocar também um atalho deste aplicativo web na área de trabalho?</translation>
    </message>
    <message>
        <source>not available (%1)</source>
        <translation>indisponível (%1)</translation>
    </message>
</context>
<context>
    <name>TOriginStrip</name>
    <message>
        <source>Not secure</source>
        <translation>Não seguro</translation>
    </message>
    <message>
        <source>Back to %1</source>
        <translation>Voltar para %1</translation>
    </message>
    <message>
        <source>the web app</source>
        <translation>o aplicativo web</translation>
    </message>
    <message>
        <source>Page of another site: %1</source>
        <translation>Página de outro site: %1</translation>
    </message>
    <message>
        <source>Page of another site, not secure: %1</source>
        <translation>Página de outro site, não segura: %1</translation>
    </message>
</context>
<context>
    <name>TPageContextMenu</name>
    <message>
        <source>Open link in default browser</source>
        <translation>Abrir link no navegador padrão</translation>
    </message>
</context>
<context>
    <name>TPageDialogs</name>
    <message>
        <source>%1 says</source>
        <translation>%1 diz</translation>
    </message>
    <message>
        <source>Don&apos;t let this page show more dialogs</source>
        <translation>Não permitir que esta página mostre mais diálogos</translation>
    </message>
</context>
<context>
    <name>TPermissionManager</name>
    <message>
        <source>show notifications</source>
        <translation>mostrar notificações</translation>
    </message>
    <message>
        <source>know your location</source>
        <translation>saber sua localização</translation>
    </message>
    <message>
        <source>use your microphone</source>
        <translation>usar seu microfone</translation>
    </message>
    <message>
        <source>use your camera</source>
        <translation>usar sua câmera</translation>
    </message>
    <message>
        <source>use your camera and microphone</source>
        <translation>usar sua câmera e seu microfone</translation>
    </message>
    <message>
        <source>hide and lock your mouse pointer</source>
        <translation>ocultar e travar o ponteiro do mouse</translation>
    </message>
    <message>
        <source>share your screen</source>
        <translation>compartilhar sua tela</translation>
    </message>
    <message>
        <source>share your screen and its sound</source>
        <translation>compartilhar sua tela e o som</translation>
    </message>
    <message>
        <source>use a feature of your computer</source>
        <translation>usar um recurso do seu computador</translation>
    </message>
    <message>
        <source>Allow %1 to %2?</source>
        <translation>Permitir que %1 possa %2?</translation>
    </message>
    <message>
        <source>&amp;Allow</source>
        <translation>&amp;Permitir</translation>
    </message>
    <message>
        <source>&amp;Deny</source>
        <translation>&amp;Negar</translation>
    </message>
    <message>
        <source>Allow %1 to download multiple files?</source>
        <translation>Permitir que %1 baixe vários arquivos?</translation>
    </message>
    <message>
        <source>read and change your clipboard</source>
        <translation>ler e alterar sua área de transferência</translation>
    </message>
    <message>
        <source>see the fonts installed on your computer</source>
        <translation>ver as fontes instaladas no seu computador</translation>
    </message>
</context>
<context>
    <name>TSpellChecking</name>
    <message>
        <source>Spelling language</source>
        <translation>Idioma da ortografia</translation>
    </message>
</context>
<context>
    <name>TWebAppBrowsing</name>
    <message>
        <source>Reset permissions</source>
        <translation>Redefinir permissões</translation>
    </message>
</context>
</TS>
