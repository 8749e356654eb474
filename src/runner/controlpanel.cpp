// SPDX-License-Identifier: GPL-3.0-or-later
#include "runner/controlpanel.h"

#include <QPainter>
#include <QPushButton>

TControlPanel::TControlPanel(QWidget *parent)
    : QWidget(parent)
    , FCloseButton(new QPushButton(tr("Close"), this))
{
    setObjectName(QStringLiteral("ControlPanel"));
    FCloseButton->setObjectName(QStringLiteral("CloseButton"));
    FCloseButton->setAutoDefault(false);
    FCloseButton->setDefault(false);
    FCloseButton->resize(CloseButtonSize);
    setFixedHeight(PanelHeight);
}

void TControlPanel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawLine(0, 0, width() - 1, 0);
    painter.setPen(palette().color(QPalette::Light));
    painter.drawLine(0, 1, width() - 1, 1);
}

void TControlPanel::resizeEvent(QResizeEvent *)
{
    // Anchored to the right and bottom edges, as the window is resized.
    FCloseButton->move(width() - CloseButtonRightGap - CloseButtonSize.width(),
                       height() - CloseButtonBottomGap - CloseButtonSize.height());
}
