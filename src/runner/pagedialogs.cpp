// SPDX-License-Identifier: GPL-3.0-or-later
#include "runner/pagedialogs.h"

#include "runner/sitename.h"

#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QEvent>
#include <QEventLoop>
#include <QLabel>
#include <QLineEdit>
#include <QUrl>
#include <QVBoxLayout>

TPageDialogs::TPageDialogs(QWidget *view)
    : QObject(view)
    , FView(view)
    , FWindow(view->window())
{
    FWindow->installEventFilter(this);
}

bool TPageDialogs::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == FWindow) {
        if (event->type() == QEvent::Close) {
            // Whoever closes the window ends the page's box, and the page gets no other while
            // the window goes. Asked again while the leave prompt is up, the user means to leave.
            FClosing = true;
            if (FShown && FShownKind == TKind::Leave)
                FShown->accept();
            else if (FShown)
                FShown->reject();
        } else if (event->type() == QEvent::Show) {
            FClosing = false;
        }
    }
    return QObject::eventFilter(watched, event);
}

void TPageDialogs::PageLoaded()
{
    FCount = 0;
    FNoMore = false;
}

bool TPageDialogs::Show(TKind kind, const QUrl &origin, const QString &message, QString *text)
{
    const bool leave = kind == TKind::Leave;
    if (leave ? FNoMore && !FClosing : FNoMore || FClosing || FShown)
        return leave;
    if (!leave)
        ++FCount;

    QPointer<QDialog> box = new QDialog(FWindow);
    box->setObjectName(QStringLiteral("PageDialog"));
    box->setWindowTitle(tr("%1 says").arg(SiteName(origin)));
    auto *layout = new QVBoxLayout(box);
    layout->setSizeConstraint(QLayout::SetFixedSize); // a message box, not a window to size
    auto *label = new QLabel(message, box);
    label->setObjectName(QStringLiteral("PageDialogMessage"));
    // The page's words, never markup of its making.
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setMinimumWidth(label->fontMetrics().averageCharWidth() * 50);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(label);
    QLineEdit *edit = nullptr;
    if (kind == TKind::Prompt) {
        edit = new QLineEdit(text ? *text : QString(), box);
        edit->setObjectName(QStringLiteral("PageDialogText"));
        layout->addWidget(edit);
    }
    QCheckBox *noMore = nullptr;
    if (!leave && FCount > 1) {
        noMore = new QCheckBox(tr("Don't let this page show more dialogs"), box);
        noMore->setObjectName(QStringLiteral("PageDialogNoMoreCheckBox"));
        layout->addWidget(noMore);
    }
    auto *buttons =
        new QDialogButtonBox(kind == TKind::Alert ? QDialogButtonBox::Ok
                                                  : QDialogButtonBox::Ok | QDialogButtonBox::Cancel,
                             box);
    connect(buttons, &QDialogButtonBox::accepted, box, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, box, &QDialog::reject);
    layout->addWidget(buttons);

    // Not modal: the window's close box and its panel's Close button must stay usable. The page
    // itself waits for the answer and takes no input meanwhile.
    QEventLoop loop;
    connect(box, &QDialog::finished, &loop, &QEventLoop::quit);
    connect(box, &QObject::destroyed, &loop, &QEventLoop::quit);
    const bool confirmation = kind == TKind::Confirm || leave;
    FShown = box;
    FShownKind = kind;
    FView->setEnabled(false);
    box->show();
    box->raise();
    box->activateWindow();
    if (confirmation)
        Q_EMIT ConfirmShown();
    const QPointer<TPageDialogs> alive(this);
    loop.exec();
    if (!alive)
        return false; // the window went with the page
    FView->setEnabled(true);
    const bool accepted = box && box->result() == QDialog::Accepted;
    if (box) {
        if (noMore && noMore->isChecked())
            FNoMore = true;
        if (edit && accepted && text)
            *text = edit->text();
        delete box;
    }
    // Told to stay, the window stays on the screen with its page, which may ask again.
    if (leave && !accepted)
        FClosing = false;
    if (!FClosing)
        FView->setFocus();
    if (confirmation)
        Q_EMIT ConfirmAnswered(accepted);
    return accepted;
}
