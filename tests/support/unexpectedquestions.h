// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QMessageBox>
#include <QStringList>
#include <QTimer>

// A question the test did not answer in advance would wait for a user forever: this rejects
// every modal dialog as it appears and keeps its text, so the test fails instead of hanging.
class TUnexpectedQuestions : public QObject
{
public:
    TUnexpectedQuestions() { qApp->installEventFilter(this); }
    ~TUnexpectedQuestions() override { qApp->removeEventFilter(this); }

    QStringList Texts;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        // Questions are dialogs; another modal window (a preview) is the test's own.
        auto *dialog = qobject_cast<QDialog *>(watched);
        if (event->type() == QEvent::Show && dialog && dialog->isModal()) {
            const auto *box = qobject_cast<QMessageBox *>(dialog);
            Texts.append(box ? box->text() : dialog->windowTitle());
            // Answered from its own event loop, once it runs.
            QTimer::singleShot(0, dialog, [dialog] { dialog->reject(); });
        }
        return QObject::eventFilter(watched, event);
    }
};
