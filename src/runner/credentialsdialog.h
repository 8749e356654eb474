// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QList>
#include <QString>
#include <QStringList>

class QLineEdit;

// Asks for the user name and password a site or a proxy wants before it serves a page. Tests
// answer it without a modal loop: setNextAnswers() queues answers the next dialogs give at once,
// and shown() records the message of every dialog asked for.
class TCredentialsDialog : public QDialog
{
    Q_OBJECT

public:
    struct TAnswer
    {
        bool Accepted = false;
        QString User;
        QString Password;
    };

    TCredentialsDialog(QWidget *parent, const QString &message, const QString &user);

    QString User() const;
    QString Password() const;

    // True, with what the user entered, when they chose to sign in. user comes in as the name to
    // offer.
    static bool Ask(QWidget *parent, const QString &message, QString &user, QString &password);

    static void setNextAnswers(const QList<TAnswer> &answers);
    static const QStringList &shown();
    static void clearShown();

private:
    QLineEdit *FUserEdit;
    QLineEdit *FPasswordEdit;
};
