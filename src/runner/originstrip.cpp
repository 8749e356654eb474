// SPDX-License-Identifier: GPL-3.0-or-later
#include "runner/originstrip.h"

#include "runner/siterule.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QWebEngineView>

namespace {
QHBoxLayout *StripLayout(QWidget *strip)
{
    strip->setAutoFillBackground(true);
    strip->setBackgroundRole(QPalette::ToolTipBase);
    strip->setForegroundRole(QPalette::ToolTipText);
    auto *layout = new QHBoxLayout(strip);
    layout->setContentsMargins(8, 2, 4, 2);
    return layout;
}

QPushButton *StripButton(const QString &text, const QString &name, QWidget *strip)
{
    auto *button = new QPushButton(text, strip);
    button->setObjectName(name);
    button->setAutoDefault(false);
    button->setFlat(true);
    return button;
}
} // namespace

TOriginStrip::TOriginStrip(QWebEngineView *view, QWidget *parent)
    : QWidget(parent)
    , FView(view)
{
    setObjectName(QStringLiteral("OriginStrip"));
    QHBoxLayout *layout = StripLayout(this);
    FNotSecureLabel = new QLabel(tr("Not secure"), this);
    FNotSecureLabel->setObjectName(QStringLiteral("NotSecureLabel"));
    QFont bold = FNotSecureLabel->font();
    bold.setBold(true);
    FNotSecureLabel->setFont(bold);
    FOriginLabel = new QLabel(this);
    FOriginLabel->setObjectName(QStringLiteral("OriginLabel"));
    FOriginLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    FBackButton = StripButton(QString(), QStringLiteral("BackToWebAppButton"), this);
    layout->addWidget(FNotSecureLabel);
    layout->addWidget(FOriginLabel, 1);
    layout->addWidget(FBackButton);
    hide();

    connect(FView, &QWebEngineView::urlChanged, this, &TOriginStrip::Update);
    connect(FBackButton, &QPushButton::clicked, this, [this] { FView->load(FHome); });
}

void TOriginStrip::SetHome(const QUrl &home)
{
    FHome = home;
    FBackButton->setText(
        tr("Back to %1").arg(FHome.host().isEmpty() ? tr("the web app") : FHome.host()));
    Update();
}

QString TOriginStrip::OriginText(const QUrl &url)
{
    if (url.host().isEmpty())
        return url.scheme() + u':';
    QString text = url.scheme() + QStringLiteral("://") + url.host(QUrl::FullyDecoded);
    if (url.port() != -1)
        text += u':' + QString::number(url.port());
    return text;
}

void TOriginStrip::Update()
{
    const QUrl url = FView->url();
    const bool elsewhere = FHome.isValid() && !url.isEmpty() &&
                           url != QUrl(QStringLiteral("about:blank")) && !IsSameSite(FHome, url);
    if (elsewhere) {
        const bool secure = url.scheme() == u"https";
        FNotSecureLabel->setVisible(!secure);
        FOriginLabel->setText(OriginText(url));
        // Read out as one sentence by screen readers.
        setAccessibleName(secure ? tr("Page of another site: %1").arg(OriginText(url))
                                 : tr("Page of another site, not secure: %1").arg(OriginText(url)));
        FOriginLabel->setAccessibleName(accessibleName());
    }
    if (elsewhere != isVisibleTo(parentWidget())) {
        setVisible(elsewhere);
        Q_EMIT VisibilityChanged();
    }
}

TBlockedWindowNotice::TBlockedWindowNotice(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("BlockedWindowNotice"));
    QHBoxLayout *layout = StripLayout(this);
    FLabel = new QLabel(this);
    FLabel->setObjectName(QStringLiteral("BlockedWindowLabel"));
    FLabel->setTextFormat(Qt::PlainText);
    auto *openButton = StripButton(tr("Open"), QStringLiteral("OpenBlockedWindowButton"), this);
    auto *dismissButton =
        StripButton(tr("Dismiss"), QStringLiteral("DismissBlockedWindowButton"), this);
    layout->addWidget(FLabel, 1);
    layout->addWidget(openButton);
    layout->addWidget(dismissButton);
    hide();

    connect(openButton, &QPushButton::clicked, this, [this] {
        const QUrl url = FUrl;
        Dismiss();
        Q_EMIT OpenRequested(url);
    });
    connect(dismissButton, &QPushButton::clicked, this, &TBlockedWindowNotice::Dismiss);
}

void TBlockedWindowNotice::Block(const QUrl &url)
{
    // The first one names what the page wanted; a page that tries many at once is one notice.
    if (FCount++ == 0)
        FUrl = url;
    const QString address = FUrl.isEmpty() ? tr("a blank page") : FUrl.toDisplayString();
    FLabel->setText(FCount == 1 ? tr("Blocked a window that opened by itself: %1").arg(address)
                                : tr("Blocked %1 windows that opened by themselves, the first: %2")
                                      .arg(FCount)
                                      .arg(address));
    FLabel->setAccessibleName(FLabel->text());
    if (isHidden()) {
        show();
        Q_EMIT VisibilityChanged();
    }
}

void TBlockedWindowNotice::Dismiss()
{
    FCount = 0;
    FUrl.clear();
    if (isHidden())
        return;
    hide();
    Q_EMIT VisibilityChanged();
}
