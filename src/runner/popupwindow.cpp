// SPDX-License-Identifier: GPL-3.0-or-later
#include "runner/popupwindow.h"

#include "runner/webbrowserex.h"
#include "runner/writtenblankcopy.h"
#include "shared/shellhelpers.h"

#include <QGuiApplication>
#include <QScreen>
#include <QVBoxLayout>
#include <QWebEnginePage>

namespace {
const QSize DefaultPopupSize(500, 600);
}

TPopupWindow::TPopupWindow(QWidget *owner, std::shared_ptr<QWebEngineProfile> profile,
                           const QRect &requestedGeometry, bool openedBlank)
    : QWidget(owner, Qt::Window)
    , FBrowser(new TWebBrowserEx(this))
{
    setObjectName(QStringLiteral("PopupWindow"));
    setAttribute(Qt::WA_DeleteOnClose);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(FBrowser);
    FBrowser->SetProfile(std::move(profile));
    if (openedBlank && TWrittenBlankCopy::Needed()) {
        auto *copy = new TWrittenBlankCopy(FBrowser, this);
        layout->addWidget(copy->Shown());
    }

    // Keep what the page asked for, but on screen and of a usable size.
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    QSize size = requestedGeometry.size().isValid() && !requestedGeometry.size().isEmpty()
                     ? requestedGeometry.size()
                     : DefaultPopupSize;
    size = size.expandedTo(QSize(200, 150)).boundedTo(screen.size());
    resize(size);
    if (requestedGeometry.topLeft() != QPoint(0, 0) && screen.contains(requestedGeometry.topLeft()))
        move(requestedGeometry.topLeft());
    else if (owner)
        move(owner->geometry().center() - QPoint(size.width() / 2, size.height() / 2));

    QFont systemFont = font();
    SetSystemIconFont(systemFont);
    setFont(systemFont);

    connect(FBrowser->page(), &QWebEnginePage::titleChanged, this, &QWidget::setWindowTitle);
    connect(FBrowser, &TWebBrowserEx::OnWindowClosing, this, &QWidget::close);
}
