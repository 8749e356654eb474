// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class QPushButton;

// The strip along the bottom of a web app window: a soft line along its top edge and the Close
// button kept at the bottom right. The window moves by it.
class TControlPanel : public QWidget
{
    Q_OBJECT

public:
    static constexpr int PanelHeight = 38;
    static constexpr int BevelHeight = 2; // the line along the top; the inner height is 36
    static constexpr QSize CloseButtonSize{89, 25};
    static constexpr int CloseButtonRightGap = 10;
    static constexpr int CloseButtonBottomGap = 8;

    explicit TControlPanel(QWidget *parent);

    QPushButton *CloseButton() const { return FCloseButton; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    QPushButton *FCloseButton;
};
