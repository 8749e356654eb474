<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP">
<context>
    <name>AboutForm</name>
    <message>
        <source>About Lumivane</source>
        <translation>Lumivane について</translation>
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
        <translation>このリンクを別のアプリケーションで開きますか？</translation>
    </message>
    <message>
        <source>&amp;Open link</source>
        <translation>リンクを開く(&amp;O)</translation>
    </message>
    <message>
        <source>&amp;Deny</source>
        <translation>拒否(&amp;D)</translation>
    </message>
</context>
<context>
    <name>QWebEnginePage</name>
    <message>
        <source>Are you sure you want to leave this page? Changes that you made may not be saved.</source>
        <translation>このページを離れてもよろしいですか？ 行った変更は保存されない可能性があります。</translation>
    </message>
</context>
<context>
    <name>TAboutForm</name>
    <message>
        <source>Web engine: %1</source>
        <translation>Web エンジン: %1</translation>
    </message>
</context>
<context>
    <name>TBlockedWindowNotice</name>
    <message>
        <source>Open</source>
        <translation>開く</translation>
    </message>
    <message>
        <source>Dismiss</source>
        <translation>閉じる</translation>
    </message>
    <message>
        <source>a blank page</source>
        <translation>空白のページ</translation>
    </message>
    <message>
        <source>Blocked a window that opened by itself: %1</source>
        <translation>勝手に開いたウィンドウをブロックしました: %1</translation>
    </message>
    <message>
        <source>Blocked %1 windows that opened by themselves, the first: %2</source>
        <translation>勝手に開いた %1 個のウィンドウをブロックしました。最初のもの: %2</translation>
    </message>
</context>
<context>
    <name>TControlPanel</name>
    <message>
        <source>Close</source>
        <translation>閉じる</translation>
    </message>
</context>
<context>
    <name>TCredentialsDialog</name>
    <message>
        <source>&amp;User name:</source>
        <translation>ユーザー名(&amp;U):</translation>
    </message>
    <message>
        <source>&amp;Password:</source>
        <translation>パスワード(&amp;P):</translation>
    </message>
    <message>
        <source>&amp;Sign in</source>
        <translation>サインイン(&amp;S)</translation>
    </message>
</context>
<context>
    <name>TDBusNotificationSink</name>
    <message>
        <source>Open</source>
        <translation>開く</translation>
    </message>
</context>
<context>
    <name>TDownloadItem</name>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>開く</translation>
    </message>
    <message>
        <source>Dismiss</source>
        <translation>閉じる</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <translation>%1 / %2</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>完了</translation>
    </message>
    <message>
        <source>Cancelled</source>
        <translation>キャンセルしました</translation>
    </message>
    <message>
        <source>Failed: %1</source>
        <translation>失敗: %1</translation>
    </message>
</context>
<context>
    <name>TDownloadManager</name>
    <message>
        <source>Save As</source>
        <translation>名前を付けて保存</translation>
    </message>
    <message>
        <source>All files (*)</source>
        <translation>すべてのファイル (*)</translation>
    </message>
</context>
<context>
    <name>TFileDialog</name>
    <message>
        <source>%1
This folder does not exist. Check the path and try again.</source>
        <translation>%1
このフォルダーは存在しません。パスを確認してもう一度お試しください。</translation>
    </message>
</context>
<context>
    <name>TFindBar</name>
    <message>
        <source>Find:</source>
        <translation>検索:</translation>
    </message>
    <message>
        <source>Previous</source>
        <translation>前へ</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>次へ</translation>
    </message>
    <message>
        <source>Close the find bar (Esc)</source>
        <translation>検索バーを閉じる (Esc)</translation>
    </message>
    <message>
        <source>No matches</source>
        <translation>一致なし</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <translation>%1 / %2</translation>
    </message>
</context>
<context>
    <name>TLumivaneError</name>
    <message>
        <source>Unable to write to %1</source>
        <translation>%1 に書き込めません</translation>
    </message>
    <message>
        <source>Unable to write to </source>
        <translation>書き込めません: </translation>
    </message>
    <message>
        <source>Unable to open </source>
        <translation>開けません: </translation>
    </message>
    <message>
        <source>The web engine cannot run as root with its sandbox on. Run Lumivane as an ordinary user, or set QTWEBENGINE_DISABLE_SANDBOX=1 to run it as root without the sandbox</source>
        <translation>Web エンジンはサンドボックスを有効にしたまま root として実行できません。Lumivane を一般ユーザーとして実行するか、QTWEBENGINE_DISABLE_SANDBOX=1 を設定してサンドボックスなしの root として実行してください</translation>
    </message>
    <message>
        <source>Unable to find %1</source>
        <translation>%1 が見つかりません</translation>
    </message>
    <message>
        <source>not a runner module</source>
        <translation>実行モジュールではありません</translation>
    </message>
    <message>
        <source>Unable to load %1: %2</source>
        <translation>%1 を読み込めません: %2</translation>
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
        <translation>Lumivane を使うと、デスクトップ用の Web アプリを作成できます。Web サイトの URL を指定し、Web アプリとして保存してください。保存した Web アプリのファイルから、デスクトップで直接 Web アプリを起動できます。Web サイトを表示するウィンドウのスタイルやウィンドウのサイズなど、いくつかのプロパティも設定できます。Lumivane は内蔵の Web エンジンで Web サイトを読み込みます。</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>設定</translation>
    </message>
    <message>
        <source>Website &amp;URL:</source>
        <translation>Web サイトの URL(&amp;U):</translation>
    </message>
    <message>
        <source>Window &amp;Style:</source>
        <translation>ウィンドウのスタイル(&amp;S):</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>標準</translation>
    </message>
    <message>
        <source>Dialog</source>
        <translation>ダイアログ</translation>
    </message>
    <message>
        <source>Mini (Resizeable)</source>
        <translation>ミニ (サイズ変更可)</translation>
    </message>
    <message>
        <source>Mini</source>
        <translation>ミニ</translation>
    </message>
    <message>
        <source>None</source>
        <translation>なし</translation>
    </message>
    <message>
        <source>Window Si&amp;ze:</source>
        <translation>ウィンドウのサイズ(&amp;Z):</translation>
    </message>
    <message>
        <source>Full Screen</source>
        <translation>全画面</translation>
    </message>
    <message>
        <source>Custom</source>
        <translation>カスタム</translation>
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
        <translation>反転(&amp;F)</translation>
    </message>
    <message>
        <source>Window &amp;Position:</source>
        <translation>ウィンドウの位置(&amp;P):</translation>
    </message>
    <message>
        <source>Center</source>
        <translation>中央</translation>
    </message>
    <message>
        <source>Top-Left</source>
        <translation>左上</translation>
    </message>
    <message>
        <source>Top-Center</source>
        <translation>上中央</translation>
    </message>
    <message>
        <source>Top-Right</source>
        <translation>右上</translation>
    </message>
    <message>
        <source>Center-Left</source>
        <translation>左中央</translation>
    </message>
    <message>
        <source>Center-Right</source>
        <translation>右中央</translation>
    </message>
    <message>
        <source>Bottom-Left</source>
        <translation>左下</translation>
    </message>
    <message>
        <source>Bottom-Center</source>
        <translation>下中央</translation>
    </message>
    <message>
        <source>Bottom-Right</source>
        <translation>右下</translation>
    </message>
    <message>
        <source>Pr&amp;esent as:</source>
        <translation>名乗るブラウザー(&amp;E):</translation>
    </message>
    <message>
        <source>Default (the web engine&apos;s own)</source>
        <translation>既定 (Web エンジン自身)</translation>
    </message>
    <message>
        <source>Window sta&amp;ys in front of all other windows</source>
        <translation>ウィンドウを常に手前に表示(&amp;Y)</translation>
    </message>
    <message>
        <source>&amp;Remember last window position</source>
        <translation>前回のウィンドウ位置を記憶(&amp;R)</translation>
    </message>
    <message>
        <source>Re&amp;member last window size</source>
        <translation>前回のウィンドウサイズを記憶(&amp;M)</translation>
    </message>
    <message>
        <source>Show Control Panel</source>
        <translation>コントロールパネルを表示</translation>
    </message>
    <message>
        <source>Pre&amp;view...</source>
        <translation>プレビュー(&amp;V)...</translation>
    </message>
    <message>
        <source>S&amp;ave...</source>
        <translation>保存(&amp;A)...</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>閉じる(&amp;C)</translation>
    </message>
    <message>
        <source>&amp;WebApps</source>
        <translation>Web アプリ(&amp;W)</translation>
    </message>
    <message>
        <source>&amp;Open...</source>
        <translation>開く(&amp;O)...</translation>
    </message>
    <message>
        <source>Ctrl+O</source>
        <translation>Ctrl+O</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>保存(&amp;S)</translation>
    </message>
    <message>
        <source>Ctrl+S</source>
        <translation>Ctrl+S</translation>
    </message>
    <message>
        <source>Save &amp;As...</source>
        <translation>名前を付けて保存(&amp;A)...</translation>
    </message>
    <message>
        <source>Ctrl+Shift+S</source>
        <translation>Ctrl+Shift+S</translation>
    </message>
    <message>
        <source>Create &amp;Launcher...</source>
        <translation>ランチャーを作成(&amp;L)...</translation>
    </message>
    <message>
        <source>About...</source>
        <translation>バージョン情報...</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>終了(&amp;X)</translation>
    </message>
    <message>
        <source>Alt+F4</source>
        <translation>Alt+F4</translation>
    </message>
    <message>
        <source>Modified</source>
        <translation>変更あり</translation>
    </message>
    <message>
        <source>Your changes have not been saved. Save them?</source>
        <translation>変更は保存されていません。保存しますか？</translation>
    </message>
    <message>
        <source>Open Lumidoc</source>
        <translation>Lumidoc を開く</translation>
    </message>
    <message>
        <source>Save Lumidoc</source>
        <translation>Lumidoc を保存</translation>
    </message>
    <message>
        <source>Put a launcher for this web app on the desktop too?</source>
        <translation>この Web アプリのランチャーをデスクトップにも置きますか？</translation>
    </message>
    <message>
        <source>not available (%1)</source>
        <translation>利用できません (%1)</translation>
    </message>
</context>
<context>
    <name>TOriginStrip</name>
    <message>
        <source>Not secure</source>
        <translation>保護されていません</translation>
    </message>
    <message>
        <source>Back to %1</source>
        <translation>%1 に戻る</translation>
    </message>
    <message>
        <source>the web app</source>
        <translation>Web アプリ</translation>
    </message>
    <message>
        <source>Page of another site: %1</source>
        <translation>別のサイトのページ: %1</translation>
    </message>
    <message>
        <source>Page of another site, not secure: %1</source>
        <translation>別のサイトのページ (保護されていません): %1</translation>
    </message>
</context>
<context>
    <name>TPageContextMenu</name>
    <message>
        <source>Open link in default browser</source>
        <translation>既定のブラウザーでリンクを開く</translation>
    </message>
</context>
<context>
    <name>TPageDialogs</name>
    <message>
        <source>%1 says</source>
        <translation>%1 からのメッセージ</translation>
    </message>
    <message>
        <source>Don&apos;t let this page show more dialogs</source>
        <translation>このページにこれ以上ダイアログを表示させない</translation>
    </message>
</context>
<context>
    <name>TPermissionManager</name>
    <message>
        <source>show notifications</source>
        <translation>通知を表示する</translation>
    </message>
    <message>
        <source>know your location</source>
        <translation>現在地を知る</translation>
    </message>
    <message>
        <source>use your microphone</source>
        <translation>マイクを使う</translation>
    </message>
    <message>
        <source>use your camera</source>
        <translation>カメラを使う</translation>
    </message>
    <message>
        <source>use your camera and microphone</source>
        <translation>カメラとマイクを使う</translation>
    </message>
    <message>
        <source>hide and lock your mouse pointer</source>
        <translation>マウスポインターを隠して固定する</translation>
    </message>
    <message>
        <source>share your screen</source>
        <translation>画面を共有する</translation>
    </message>
    <message>
        <source>share your screen and its sound</source>
        <translation>画面とその音声を共有する</translation>
    </message>
    <message>
        <source>use a feature of your computer</source>
        <translation>コンピューターの機能を使う</translation>
    </message>
    <message>
        <source>Allow %1 to %2?</source>
        <translation>%1 に「%2」を許可しますか？</translation>
    </message>
    <message>
        <source>&amp;Allow</source>
        <translation>許可(&amp;A)</translation>
    </message>
    <message>
        <source>&amp;Deny</source>
        <translation>拒否(&amp;D)</translation>
    </message>
    <message>
        <source>Allow %1 to download multiple files?</source>
        <translation>%1 に複数ファイルのダウンロードを許可しますか？</translation>
    </message>
    <message>
        <source>read and change your clipboard</source>
        <translation>クリップボードを読み取り変更する</translation>
    </message>
    <message>
        <source>see the fonts installed on your computer</source>
        <translation>コンピューターにインストールされたフォントを見る</translation>
    </message>
</context>
<context>
    <name>TSpellChecking</name>
    <message>
        <source>Spelling language</source>
        <translation>スペルチェックの言語</translation>
    </message>
</context>
<context>
    <name>TWebAppBrowsing</name>
    <message>
        <source>Reset permissions</source>
        <translation>権限をリセット</translation>
    </message>
</context>
</TS>
