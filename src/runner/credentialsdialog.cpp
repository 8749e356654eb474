// SPDX-License-Identifier: GPL-3.0-or-later
#include "runner/credentialsdialog.h"

#include "shared/application.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
QList<TCredentialsDialog::TAnswer> NextAnswers;
QStringList Shown;
} // namespace

TCredentialsDialog::TCredentialsDialog(QWidget *parent, const QString &message, const QString &user)
    : QDialog(parent)
    , FUserEdit(new QLineEdit(user, this))
    , FPasswordEdit(new QLineEdit(this))
{
    setObjectName(QStringLiteral("CredentialsDialog"));
    setWindowTitle(ApplicationTitle());

    // The message quotes what the site says about itself: shown as text, never as markup.
    auto *messageLabel = new QLabel(message, this);
    messageLabel->setObjectName(QStringLiteral("MessageLabel"));
    messageLabel->setTextFormat(Qt::PlainText);
    messageLabel->setWordWrap(true);

    FUserEdit->setObjectName(QStringLiteral("UserNameEdit"));
    FPasswordEdit->setObjectName(QStringLiteral("PasswordEdit"));
    FPasswordEdit->setEchoMode(QLineEdit::Password);

    auto *fields = new QFormLayout;
    fields->addRow(tr("&User name:"), FUserEdit);
    fields->addRow(tr("&Password:"), FPasswordEdit);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(tr("&Sign in"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(messageLabel);
    layout->addLayout(fields);
    layout->addWidget(buttons);
    // A question, not a window to arrange: its size follows its content, as a message box's does.
    layout->setSizeConstraint(QLayout::SetFixedSize);
    messageLabel->setMinimumWidth(340);

    // A name already known leaves only the password to type.
    if (user.isEmpty())
        FUserEdit->setFocus();
    else
        FPasswordEdit->setFocus();
}

QString TCredentialsDialog::User() const
{
    return FUserEdit->text();
}

QString TCredentialsDialog::Password() const
{
    return FPasswordEdit->text();
}

bool TCredentialsDialog::Ask(QWidget *parent, const QString &message, QString &user,
                             QString &password)
{
    Shown.append(message);
    if (!NextAnswers.isEmpty()) {
        const TAnswer answer = NextAnswers.takeFirst();
        if (answer.Accepted) {
            user = answer.User;
            password = answer.Password;
        }
        return answer.Accepted;
    }
    TCredentialsDialog dialog(parent, message, user);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    user = dialog.User();
    password = dialog.Password();
    return true;
}

void TCredentialsDialog::setNextAnswers(const QList<TAnswer> &answers)
{
    NextAnswers = answers;
}

const QStringList &TCredentialsDialog::shown()
{
    return Shown;
}

void TCredentialsDialog::clearShown()
{
    Shown.clear();
}
