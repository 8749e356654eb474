// SPDX-License-Identifier: GPL-3.0-or-later
#include "runner/webappform.h"

#include "runner/browsingprofile.h"
#include "runner/colorscheme.h"
#include "runner/controlpanel.h"
#include "runner/desktopidentity.h"
#include "runner/localfileguard.h"
#include "runner/spellchecking.h"
#include "runner/webappbrowsing.h"
#include "runner/webappwindows.h"
#include "runner/webbrowserex.h"
#include "runner/windowgeometry.h"
#include "runner/windowplacement.h"
#include "shared/application.h"
#include "shared/formkeyhook.h"
#include "shared/mqaltbugfixes.h"
#include "shared/shellhelpers.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QEventLoop>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QWindow>

namespace {
const QUrl BlankPage(QStringLiteral("about:blank"));

QList<QRect> ScreenGeometries()
{
    QList<QRect> screens;
    for (const QScreen *screen : QGuiApplication::screens())
        screens.append(screen->geometry());
    return screens;
}
} // namespace

TWebAppForm::TWebAppForm(TRole role)
    : FRole(role)
{
    FormCreate();
}

TWebAppForm::~TWebAppForm()
{
    // The browser's page goes with it and reports its last title on the way.
    FBrowser->disconnect(this);
    // Its strips change as the page goes, after this window's own part is gone.
    if (FBrowsing)
        FBrowsing->disconnect(this);
}

void TWebAppForm::FormCreate()
{
    FALTBugFix = new TmqALTBugFix(this);
    FALTBugFix->DelayType = dtTimer;
    connect(new TFormKeyHook(this), &TFormKeyHook::KeyDown, this, &TWebAppForm::FormShortCut);

    // Nothing of the web engine may exist before we know it can start.
    CheckWebEngineCanStart();
    // Pages prefer the desktop's light or dark from the engine's start on.
    StartEngineColorScheme(DesktopColorScheme().IsDark());
    PrepareSpellCheckDictionaries();

    setObjectName(QStringLiteral("WebAppForm"));
    setWindowFlags(Qt::Window);
    resize(DesignClientSize);
    move(0, 0);
    FWantedBounds = QRect(QPoint(0, 0), DesignClientSize);

    FControlPanel = new TControlPanel(this);
    FControlPanel->installEventFilter(this);
    connect(FControlPanel->CloseButton(), &QPushButton::clicked, this,
            &TWebAppForm::CloseButtonClick);

    FBrowser = new TWebBrowserEx(this);
    connect(FBrowser, &TWebBrowserEx::OnNavigateComplete2, this,
            &TWebAppForm::BrowserNavigateComplete2);
    connect(FBrowser, &TWebBrowserEx::OnWindowClosing, this, &TWebAppForm::BrowserWindowClosing);
    connect(FBrowser, &TWebBrowserEx::OnConfirmShown, this, &TWebAppForm::BrowserConfirmShown);
    connect(FBrowser, &TWebBrowserEx::OnConfirmAnswered, this,
            &TWebAppForm::BrowserConfirmAnswered);
    connect(FBrowser, &QWebEngineView::titleChanged, this, &TWebAppForm::BrowserTitleChanged);
    connect(FBrowser, &TWebBrowserEx::OnPageProcessEnded, this,
            &TWebAppForm::BrowserPageProcessEnded);
    // The page has agreed to leave once the next navigation starts; a page still loading
    // reports no new start, only the blank page's arrival.
    connect(FBrowser, &QWebEngineView::loadStarted, this, &TWebAppForm::BrowserPageLeaving);
    connect(FBrowser, &QWebEngineView::urlChanged, this, &TWebAppForm::BrowserPageLeaving);

    // Escape takes a page out of full screen, as in a browser; the page cannot keep it.
    FExitFullScreenAction = new QAction(this);
    FExitFullScreenAction->setObjectName(QStringLiteral("ExitFullScreenAction"));
    FExitFullScreenAction->setShortcut(Qt::Key_Escape);
    FExitFullScreenAction->setEnabled(false);
    addAction(FExitFullScreenAction);
    connect(FExitFullScreenAction, &QAction::triggered, this,
            [this] { FBrowser->page()->triggerAction(QWebEnginePage::ExitFullScreen); });

    FClosingWait.setSingleShot(true);
    FClosingWait.setInterval(ClosingWaitMs);
    connect(&FClosingWait, &QTimer::timeout, this, &TWebAppForm::FinishClosing);

    FNavigated = false;
    FormResize();

    QFont systemFont = font();
    SetSystemIconFont(systemFont);
    setFont(systemFont);
}

void TWebAppForm::FormShortCut(QKeyEvent *event)
{
    FALTBugFix->KeyDownCheck(this, VirtualKeyOf(event));
}

void TWebAppForm::OpenWebApp(const QString &fileName)
{
    FWebApp = LoadWebApp(fileName);
    // A run is an application of its own for the desktop; a preview stays the designer's.
    new TDesktopIdentity(this, FBrowser, FWebApp.Id);
    ApplyWebApp(FWebApp);
}

void TWebAppForm::ApplyWebApp(const TWebApp &webApp)
{
    FWebApp = webApp;
    FBrowser->SetProfile(FRole == TRole::Runner ? PersistentBrowsingProfile(FWebApp.Id)
                                                : OffTheRecordBrowsingProfile());
    ApplyMimic(*FBrowser, FWebApp.Mimic);
    // A page may show a video or a game on the whole screen, as it can in a browser.
    FBrowser->page()->settings()->setAttribute(QWebEngineSettings::FullScreenSupportEnabled, true);
    connect(FBrowser->page(), &QWebEnginePage::fullScreenRequested, this,
            &TWebAppForm::PageFullScreenRequested);

    SetWindowFrame(FWebApp.WindowStyle);

    FWebApp.WindowPosition = NormalisedPosition(FWebApp.WindowPosition);
    const TSizeRule size = SizeRuleFor(FWebApp);
    if (size.Kind == TSizeRule::Maximised) {
        // A fixed frame opens maximised too: the fixed size belongs to the normal state, and a
        // window manager cannot maximise a window whose smallest and largest sizes are one.
        if (FFixedSize) {
            FFixedSize = false;
            setMinimumSize(0, 0);
            setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        }
        setWindowState(windowState() | Qt::WindowMaximized);
    } else {
        PlaceBySize();
    }

    FControlPanel->setVisible(FWebApp.ShowControlPanel);
    FormResize();

    if (FWebApp.RememberLastPosition || FWebApp.RememberLastSize) {
        SetOuterBounds(RestoreWindowPlacement(FWebApp, FWantedBounds, ScreenGeometries()));
        FPlacedBySize = false;
    }

    if (FWebApp.StayOnTop)
        setWindowFlag(Qt::WindowStaysOnTopHint, true);

    // Keys, find bar, downloads, permissions and notifications of the page; a preview keeps no
    // zoom or permission answers of its own.
    if (!FBrowsing) {
        FBrowsing = new TWebAppBrowsing(
            this, FBrowser, FControlPanel,
            FRole == TRole::Runner ? WindowPlacementGroup(FWebApp.Id) : QString(), this);
        connect(FBrowsing, &TWebAppBrowsing::LayoutChanged, this, &TWebAppForm::FormResize);
    }

    // The site the web app keeps to, and where the windows its pages open go.
    const QUrl home = WebAddressFromText(FWebApp.URL);
    if (!FWindows) {
        FWindows = new TWebAppWindows(
            this, FBrowser->Profile(),
            FRole == TRole::Runner ? WindowPlacementGroup(FWebApp.Id) : QString(), this);
        FWindows->SetHome(home);
        FWindows->Watch(FBrowser, FBrowsing);
        if (home.isLocalFile()) {
            QWebEngineProfile *profile = FBrowser->Profile().get();
            profile->setUrlRequestInterceptor(new TLocalFileGuard(home, profile));
        }
    }
    FBrowsing->SetHome(home);

    FBrowser->Navigate(home);
}

void TWebAppForm::PlaceBySize()
{
    const TSizeRule size = SizeRuleFor(FWebApp);
    const QMargins frame = FrameMargins();
    const QSize wanted =
        (size.Kind == TSizeRule::Outer ? size.Size : DesignClientSize.grownBy(frame))
            .boundedTo(MaxOuterSize());
    const QSize outer = ClientSizeFor(wanted, frame).grownBy(frame);
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    const QPoint corner = WindowPositionFor(FWebApp.WindowPosition, screen.size(), outer);
    SetOuterBounds(QRect(corner + screen.topLeft(), outer));
    FPlacedBySize = true;
}

void TWebAppForm::ShowModal()
{
    QEventLoop loop;
    FModalLoop = &loop;
    setWindowModality(Qt::ApplicationModal);
    show();
    loop.exec(QEventLoop::DialogExec);
    FModalLoop = nullptr;
}

void TWebAppForm::Terminate()
{
    QCoreApplication::quit();
}

void TWebAppForm::SetWindowFrame(qint32 windowStyle)
{
    // Every style is a normal top-level window, the program's main one: dialog and tool windows
    // belong to another window, and taskbars and window lists leave them out, so a web app
    // behind another window could not be found again. The styles differ in the decorations
    // they ask for (a caption with only the close button) and in whether they can be resized.
    Qt::WindowFlags flags;
    bool fixed = false;
    switch (windowStyle) {
    case 0:
        flags = Qt::Window;
        break;
    case 1:
        flags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                Qt::MSWindowsFixedSizeDialogHint;
        fixed = true;
        break;
    case 2:
    case 3:
        flags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
        fixed = windowStyle == 3;
        break;
    case 4:
        flags = Qt::Window | Qt::FramelessWindowHint;
        break;
    default:
        return; // other codes keep the resizable frame the window starts with
    }
    setWindowFlags(flags);
    FFixedSize = fixed;
    if (fixed) {
        setFixedSize(size());
    } else {
        setMinimumSize(0, 0);
        setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    }
}

QMargins TWebAppForm::FrameMargins() const
{
    // Known only once the window system has put a frame around the native window.
    const QWindow *native = windowHandle();
    return native ? native->frameMargins() : QMargins();
}

QSize TWebAppForm::MaxOuterSize()
{
    return MaxOuterSizeFor(QGuiApplication::primaryScreen()->virtualGeometry().size());
}

void TWebAppForm::SetOuterBounds(const QRect &outer)
{
    const QMargins frame = FrameMargins();
    const QSize client = ClientSizeFor(outer.size().boundedTo(MaxOuterSize()), frame);
    if (FFixedSize)
        setFixedSize(client);
    else
        resize(client);
    const QPoint corner(BoundedCoordinate(outer.left()), BoundedCoordinate(outer.top()));
    move(corner);
    FWantedBounds = QRect(corner, client.grownBy(frame));
    FWantedFrame = frame;
}

void TWebAppForm::resizeEvent(QResizeEvent *)
{
    FixSizeWhenRestored();
    FormResize();
}

void TWebAppForm::FixSizeWhenRestored()
{
    if (!FFixSizeWhenRestored || (windowState() & Qt::WindowFullScreen) ||
        size() != FSizeBeforeFullScreen)
        return;
    FFixSizeWhenRestored = false;
    setFixedSize(FSizeBeforeFullScreen);
}

void TWebAppForm::showEvent(QShowEvent *event)
{
    // The keys go to the page, as in a browser; the panel's button would otherwise take them, and
    // a Space meant for the page would close the window.
    if (!event->spontaneous() && !FBrowser->hasFocus())
        FBrowser->setFocus(Qt::ActiveWindowFocusReason);
    if (!FFrameChecked && windowHandle())
        windowHandle()->installEventFilter(this);
}

void TWebAppForm::FormResize()
{
    const int panelHeight = FControlPanel->isHidden() ? 0 : TControlPanel::PanelHeight;
    FControlPanel->setGeometry(0, height() - TControlPanel::PanelHeight, width(),
                               TControlPanel::PanelHeight);
    const QRect browserArea(0, 0, width(), qMax(0, height() - panelHeight));
    FBrowser->setGeometry(FBrowsing ? FBrowsing->LayOut(browserArea) : browserArea);
}

bool TWebAppForm::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == FControlPanel) {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
            ControlPanelMouseDown(static_cast<QMouseEvent *>(event));
            break;
        case QEvent::MouseMove:
            ControlPanelMouseMove(static_cast<QMouseEvent *>(event));
            break;
        case QEvent::MouseButtonRelease:
            ControlPanelMouseUp(static_cast<QMouseEvent *>(event));
            break;
        default:
            break;
        }
    } else if (watched == windowHandle() && event->type() == QEvent::Expose && !FFrameChecked &&
               windowHandle()->isExposed()) {
        // The frame exists now: make the outer size the one asked for, frame included.
        FFrameChecked = true;
        // Some window managers map the window in its normal state although it asked to be
        // maximised (seen with openbox); ask again now that it is managed.
        if (FWebApp.WindowSize == wsFullScreen)
            setWindowState(windowState() | Qt::WindowMaximized);
        else if (FrameMargins() != FWantedFrame && FPlacedBySize)
            PlaceBySize(); // the design size is the client's, so the outer size and corner move
        else if (FrameMargins() != FWantedFrame)
            SetOuterBounds(FWantedBounds);
    }
    return QWidget::eventFilter(watched, event);
}

void TWebAppForm::changeEvent(QEvent *event)
{
    // The user or the window manager took the window out of full screen: the page follows.
    if (event->type() == QEvent::WindowStateChange && FPageFullScreen &&
        !(windowState() & Qt::WindowFullScreen))
        FBrowser->page()->triggerAction(QWebEnginePage::ExitFullScreen);
    QWidget::changeEvent(event);
}

void TWebAppForm::PageFullScreenRequested(QWebEngineFullScreenRequest request)
{
    // A window on its way out gives the page no screen.
    if (request.toggleOn() && FClosing != TClosing::No) {
        request.reject();
        return;
    }
    request.accept();
    if (request.toggleOn() == FPageFullScreen)
        return;
    FPageFullScreen = request.toggleOn();
    FExitFullScreenAction->setEnabled(FPageFullScreen);
    if (FPageFullScreen) {
        FFixSizeWhenRestored = false;
        FStatesBeforeFullScreen = windowState();
        FBoundsBeforeFullScreen = frameGeometry();
        FSizeBeforeFullScreen = size();
        FPanelBeforeFullScreen = !FControlPanel->isHidden();
        FControlPanel->hide();
        // A fixed size belongs to the window's own state, not to the screen's.
        if (FFixedSize) {
            setMinimumSize(0, 0);
            setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        }
        setWindowState(windowState() | Qt::WindowFullScreen);
    } else {
        // The window manager puts the window back where it was. A fixed size waits until the
        // window has its size again: asked for earlier, it would go with the position the window
        // has now, the screen's corner, and the caption would end up off screen.
        FFixSizeWhenRestored = FFixedSize;
        setWindowState(FStatesBeforeFullScreen & ~Qt::WindowFullScreen);
        FixSizeWhenRestored();
        FControlPanel->setVisible(FPanelBeforeFullScreen);
    }
    FormResize();
}

void TWebAppForm::ControlPanelMouseDown(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    FDragStart = event->position().toPoint();
    FDragOrigin = pos();
    FDragGlobalStart = event->globalPosition().toPoint();
    FDragging = true;
}

void TWebAppForm::ControlPanelMouseMove(QMouseEvent *event)
{
    if (!FDragging)
        return;
    // The point pressed stays under the pointer. Measured on the screen rather than in the panel:
    // window managers move windows asynchronously, so a panel position can still refer to where
    // the window was before the last move, and the window would run ahead of the pointer.
    move(FDragOrigin + event->globalPosition().toPoint() - FDragGlobalStart);
}

void TWebAppForm::ControlPanelMouseUp(QMouseEvent *)
{
    FDragging = false;
}

void TWebAppForm::BrowserNavigateComplete2(const QUrl &url)
{
    BrowserTitleChanged();
    FNavigated = true;
    if (FClosing == TClosing::WaitingForBlank && url == BlankPage)
        FinishClosing();
}

void TWebAppForm::BrowserTitleChanged()
{
    // The blank page of closing is nobody's title.
    if (FClosing != TClosing::No)
        return;
    QString title = FBrowser->DocumentTitle();
    if (title.isEmpty())
        title = FBrowser->url().toString();
    setWindowTitle(title);
    SetApplicationTitle(windowTitle());
}

void TWebAppForm::CloseButtonClick()
{
    close();
}

void TWebAppForm::closeEvent(QCloseEvent *event)
{
    // An error on the way keeps the window, and is shown here.
    event->ignore();
    RunCommand([this, event] { FormCloseQuery(event); });
}

void TWebAppForm::FormCloseQuery(QCloseEvent *event)
{
    if (FClosing == TClosing::Done) {
        event->accept();
        return;
    }
    event->ignore();
    if (FClosing == TClosing::WaitingForBlank)
        return;
    // The windows the web app opened go with it; their pages may ask to leave.
    if (FWindows)
        FWindows->CloseAll();
    // Leave the site through a blank page, so that its unload handlers run while the window
    // still exists; then keep where the window was. The window stays until the page has agreed
    // to leave: a page that asks whether to leave asks in front of it, and "stay" finds it as it
    // was. Once the page goes, the window goes, and the blank page loads unseen.
    FClosingBounds = isVisible() ? CurrentBounds() : FWantedBounds;
    FNavigated = false;
    FClosing = TClosing::WaitingForBlank;
    FClosingWait.start();
    FBrowser->Navigate(BlankPage);
}

QRect TWebAppForm::CurrentBounds() const
{
    return FPageFullScreen ? FBoundsBeforeFullScreen : frameGeometry();
}

void TWebAppForm::BrowserPageLeaving()
{
    if (FClosing == TClosing::WaitingForBlank)
        HideForClosing();
}

void TWebAppForm::HideForClosing()
{
    if (!isVisible())
        return;
    FClosingBounds = CurrentBounds();
    hide();
}

void TWebAppForm::FinishClosing()
{
    if (FClosing != TClosing::WaitingForBlank)
        return;
    FClosingWait.stop();
    HideForClosing();
    FClosing = TClosing::Done;
    FormClose();
    EndRun(true);
}

void TWebAppForm::BrowserPageProcessEnded()
{
    // The blank page will not come: at the end of a session every process of the session gets
    // its end signal at once, the page's own and the engine's helpers among them. The page has
    // nothing left to unload, so the closing goes on now instead of waiting for the bound.
    // (A process the page has already left behind is none of this.)
    if (FClosing == TClosing::WaitingForBlank && FBrowser->page()->renderProcessPid() == 0)
        FinishClosing();
}

void TWebAppForm::BrowserConfirmShown()
{
    // The page's leave prompt: the user decides, however long it takes.
    if (FClosing == TClosing::WaitingForBlank)
        FClosingWait.stop();
}

void TWebAppForm::BrowserConfirmAnswered(bool accepted)
{
    if (FClosing != TClosing::WaitingForBlank)
        return;
    if (accepted) {
        FClosingWait.start();
        return;
    }
    // The user stays on the page, and the window as it was.
    FClosing = TClosing::No;
    show();
    activateWindow();
}

void TWebAppForm::FormClose()
{
    SaveWindowPlacement(FWebApp, FClosingBounds);
}

void TWebAppForm::BrowserWindowClosing()
{
    if (FClosing != TClosing::No)
        return;
    FClosing = TClosing::Done;
    hide();
    EndRun(false);
}

void TWebAppForm::EndRun(bool placementSaved)
{
    close(); // now accepted: lets Qt finish the close (and delete the window if it is to)
    emit Closed(placementSaved);
    if (FModalLoop)
        FModalLoop->quit();
    if (FRole == TRole::Runner)
        Terminate();
}
