// SPDX-License-Identifier: GPL-3.0-or-later
#include "runner/webappform.h"

#include "runner/browsingprofile.h"
#include "runner/closingsequence.h"
#include "runner/colorscheme.h"
#include "runner/controlpanel.h"
#include "runner/desktopidentity.h"
#include "runner/localfileguard.h"
#include "runner/pagefullscreen.h"
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
    // The browser's page goes with it and reports its last title and address on the way, and
    // the window may change state as it goes: none of it concerns a window that is going.
    FBrowser->disconnect(this);
    FBrowser->disconnect(FClosing);
    removeEventFilter(FPageFullScreen);
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
    connect(FBrowser, &QWebEngineView::titleChanged, this, &TWebAppForm::BrowserTitleChanged);

    FPageFullScreen = new TPageFullScreen(this, FControlPanel, FBrowser);
    connect(FPageFullScreen, &TPageFullScreen::LayoutChanged, this, &TWebAppForm::FormResize);
    FClosing = new TClosingSequence(this, FBrowser, [this] { return BoundsToKeep(); });
    connect(FClosing, &TClosingSequence::Finished, this, &TWebAppForm::ClosingFinished);

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
    FormResize();
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

void TWebAppForm::PageFullScreenRequested(QWebEngineFullScreenRequest request)
{
    // A window on its way out gives the page no screen.
    if (request.toggleOn() && FClosing->IsUnderway()) {
        request.reject();
        return;
    }
    FPageFullScreen->Request(std::move(request), FFixedSize);
}

void TWebAppForm::ControlPanelMouseDown(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
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

void TWebAppForm::BrowserNavigateComplete2(const QUrl &)
{
    BrowserTitleChanged();
}

void TWebAppForm::BrowserTitleChanged()
{
    // The blank page of closing is nobody's title.
    if (FClosing->IsUnderway())
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
    if (FClosing->IsDone()) {
        event->accept();
        return;
    }
    event->ignore();
    if (FClosing->IsUnderway())
        return;
    // The windows the web app opened go with it; their pages may ask to leave.
    if (FWindows)
        FWindows->CloseAll();
    FClosing->Start();
}

QRect TWebAppForm::BoundsToKeep() const
{
    return isVisible() ? FPageFullScreen->WindowBounds() : FWantedBounds;
}

void TWebAppForm::ClosingFinished(bool boundsKept)
{
    if (boundsKept)
        FormClose();
    EndRun(boundsKept);
}

void TWebAppForm::FormClose()
{
    SaveWindowPlacement(FWebApp, FClosing->KeptBounds());
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
