// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;
class QWebEngineFindTextResult;
class QWebEngineView;

// The find-in-page strip ("FindBar"): searches the page as the user types, Enter and Shift+Enter
// go to the next and the previous match, Escape closes it and clears the highlight.
class TFindBar : public QWidget
{
    Q_OBJECT

public:
    explicit TFindBar(QWebEngineView *view, QWidget *parent = nullptr);

    // Shows the strip with its text selected and the focus in it.
    void Open();
    // Hides the strip, clears the highlight and gives the focus back to the page.
    void Close();

    void FindNext();
    void FindPrevious();

Q_SIGNALS:
    void Opened();
    void Closed();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void Find(bool backward);
    void FindTextFinished(const QWebEngineFindTextResult &result);

    QWebEngineView *FView;
    QLineEdit *FFindEdit;
    QPushButton *FPreviousButton;
    QPushButton *FNextButton;
    QLabel *FResultLabel;
};
