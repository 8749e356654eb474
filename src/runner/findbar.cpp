// SPDX-License-Identifier: GPL-3.0-or-later
#include "runner/findbar.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>
#include <QWebEngineFindTextResult>
#include <QWebEngineView>

TFindBar::TFindBar(QWebEngineView *view, QWidget *parent)
    : QWidget(parent)
    , FView(view)
{
    setObjectName(QStringLiteral("FindBar"));
    setAutoFillBackground(true);
    auto *label = new QLabel(tr("Find:"), this);
    FFindEdit = new QLineEdit(this);
    FFindEdit->setObjectName(QStringLiteral("FindEdit"));
    FFindEdit->setClearButtonEnabled(true);
    label->setBuddy(FFindEdit);
    FPreviousButton = new QPushButton(tr("Previous"), this);
    FPreviousButton->setObjectName(QStringLiteral("FindPreviousButton"));
    FNextButton = new QPushButton(tr("Next"), this);
    FNextButton->setObjectName(QStringLiteral("FindNextButton"));
    FResultLabel = new QLabel(this);
    FResultLabel->setObjectName(QStringLiteral("FindResultLabel"));
    // An icon, not "Close": the bar stands where the control panel's Close button was.
    auto *closeButton = new QToolButton(this);
    closeButton->setObjectName(QStringLiteral("FindCloseButton"));
    closeButton->setIcon(style()->standardIcon(QStyle::SP_TitleBarCloseButton));
    closeButton->setAutoRaise(true);
    closeButton->setToolTip(tr("Close the find bar (Esc)"));
    for (QPushButton *button : {FPreviousButton, FNextButton})
        button->setAutoDefault(false);

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(10, 6, 10, 6);
    layout->addWidget(label);
    layout->addWidget(FFindEdit, 1);
    layout->addWidget(FPreviousButton);
    layout->addWidget(FNextButton);
    layout->addWidget(FResultLabel);
    layout->addStretch();
    layout->addWidget(closeButton);

    FFindEdit->installEventFilter(this);
    connect(FFindEdit, &QLineEdit::textEdited, this, [this] { Find(false); });
    connect(FNextButton, &QPushButton::clicked, this, &TFindBar::FindNext);
    connect(FPreviousButton, &QPushButton::clicked, this, &TFindBar::FindPrevious);
    connect(closeButton, &QToolButton::clicked, this, &TFindBar::Close);
    connect(FView->page(), &QWebEnginePage::findTextFinished, this, &TFindBar::FindTextFinished);
    hide();
}

void TFindBar::Open()
{
    const bool wasHidden = isHidden();
    show();
    raise();
    FFindEdit->setFocus(Qt::ShortcutFocusReason);
    FFindEdit->selectAll();
    if (wasHidden)
        Q_EMIT Opened();
}

void TFindBar::Close()
{
    if (isHidden())
        return;
    hide();
    FView->findText(QString());
    FResultLabel->clear();
    FView->setFocus(Qt::OtherFocusReason);
    Q_EMIT Closed();
}

void TFindBar::FindNext()
{
    Find(false);
}

void TFindBar::FindPrevious()
{
    Find(true);
}

void TFindBar::Find(bool backward)
{
    const QString text = FFindEdit->text();
    if (text.isEmpty()) {
        FView->findText(QString());
        FResultLabel->clear();
        return;
    }
    FView->findText(text, backward ? QWebEnginePage::FindBackward : QWebEnginePage::FindFlags());
}

void TFindBar::FindTextFinished(const QWebEngineFindTextResult &result)
{
    if (FFindEdit->text().isEmpty())
        FResultLabel->clear();
    else if (result.numberOfMatches() == 0)
        FResultLabel->setText(tr("No matches"));
    else
        FResultLabel->setText(
            tr("%1 of %2").arg(result.activeMatch()).arg(result.numberOfMatches()));
}

void TFindBar::paintEvent(QPaintEvent *)
{
    // The same soft line along the top as the control panel's.
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawLine(0, 0, width() - 1, 0);
    painter.setPen(palette().color(QPalette::Light));
    painter.drawLine(0, 1, width() - 1, 1);
}

bool TFindBar::eventFilter(QObject *watched, QEvent *event)
{
    // The edit would otherwise report Enter only as returnPressed, without its Shift.
    if (watched == FFindEdit && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            Find(key->modifiers() & Qt::ShiftModifier);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TFindBar::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        Close();
        return;
    }
    QWidget::keyPressEvent(event);
}
