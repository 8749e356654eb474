// SPDX-License-Identifier: GPL-3.0-or-later
#include "shared/aboutform.h"

#include "shared/formkeyhook.h"
#include "shared/localizer.h"
#include "shared/mqaltbugfixes.h"
#include "shared/producticon.h"
#include "shared/shellhelpers.h"
#include "ui_aboutform.h"

#include <QKeyEvent>
#include <QMouseEvent>

const QUrl ProductWebPage(QStringLiteral("https://lumivane.example.com/"));
const QUrl SupportMailAddress(QStringLiteral("mailto:support@veldrane.example.com"));

namespace {
// The font the window is designed with; ShowAbout replaces it before the window is shown.
QFont DesignFont(bool bold)
{
    QFont font(QStringLiteral("Segoe UI"));
    font.setPixelSize(12);
    font.setBold(bold);
    font.setItalic(false);
    font.setUnderline(false);
    font.setStrikeOut(false);
    return font;
}

const char *const ModalResultProperty = "ModalResult";
const char *const CancelProperty = "Cancel";
} // namespace

TAboutForm::TAboutForm(QWidget *parent)
    : TTntForm(parent)
    , FUi(std::make_unique<Ui::AboutForm>())
{
    FUi->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(362, 217);
    setFont(DesignFont(false));
    // Every attribute of the product label's font is its own, so the window's font never
    // reaches it.
    FUi->ProductLabel->setFont(DesignFont(true));
    FUi->ProductLogoImage->setPixmap(ProductIcon().pixmap(32, 32));
    for (QLabel *label : {FUi->ProductLabel, FUi->CopyrightLabel}) {
        label->adjustSize();
        label->installEventFilter(this);
    }
    SetWebEngine(QString());
    FormCreate();
}

TAboutForm::~TAboutForm() = default;

void TAboutForm::SetWebEngine(const QString &version)
{
    FUi->EngineLabel->setText(tr("Web engine: %1").arg(version));
    FUi->EngineLabel->setVisible(!version.isEmpty());
}

void TAboutForm::FormCreate()
{
    FALTBugFix = new TmqALTBugFix(this);
    FALTBugFix->DelayType = dtTimer;
    connect(new TFormKeyHook(this), &TFormKeyHook::KeyDown, this, &TAboutForm::FormShortCut);

    // The button the user sees stands in the place of the designed one and takes over its
    // caption, result and default and cancel roles.
    QPushButton *okButton = FUi->OKButton;
    OKButtonW = new TTntButton(this);
    OKButtonW->setObjectName(QStringLiteral("OKButtonW"));
    OKButtonW->setParent(this);
    OKButtonW->setGeometry(okButton->geometry());
    OKButtonW->setText(okButton->text());
    OKButtonW->setProperty(ModalResultProperty, okButton->property(ModalResultProperty));
    OKButtonW->setDefault(okButton->isDefault());
    OKButtonW->setProperty(CancelProperty, okButton->property(CancelProperty));
    OKButtonW->setVisible(true);
    connect(OKButtonW, &QPushButton::clicked, this, [this] { ButtonClick(OKButtonW); });
}

void TAboutForm::FormShortCut(QKeyEvent *event)
{
    FALTBugFix->KeyDownCheck(this, VirtualKeyOf(event));
}

void TAboutForm::ProductLabelClick()
{
    ShellOpen(ProductWebPage);
}

void TAboutForm::CopyrightLabelClick()
{
    ShellOpen(SupportMailAddress);
}

void TAboutForm::ButtonClick(QPushButton *button)
{
    const int result = button->property(ModalResultProperty).toInt();
    if (result != 0)
        done(result);
}

void TAboutForm::keyPressEvent(QKeyEvent *event)
{
    // Escape clicks the cancel button, whose result closes the window.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        for (auto *button : findChildren<QPushButton *>()) {
            if (button->property(CancelProperty).toBool() && button->isVisible() &&
                button->isEnabled()) {
                button->click();
                return;
            }
        }
    }
    TTntForm::keyPressEvent(event);
}

void TAboutForm::changeEvent(QEvent *event)
{
    // The labels are sized to their text, also after the window's font has been replaced.
    if (event->type() == QEvent::FontChange && FUi && FUi->ProductLabel) {
        FUi->ProductLabel->adjustSize();
        FUi->CopyrightLabel->adjustSize();
    }
    TTntForm::changeEvent(event);
}

bool TAboutForm::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonRelease) {
        auto *mouse = static_cast<QMouseEvent *>(event);
        auto *label = qobject_cast<QWidget *>(watched);
        if (label && mouse->button() == Qt::LeftButton &&
            label->rect().contains(mouse->position().toPoint())) {
            if (watched == FUi->ProductLabel)
                ProductLabelClick();
            else if (watched == FUi->CopyrightLabel)
                CopyrightLabelClick();
        }
    }
    return TTntForm::eventFilter(watched, event);
}

void ShowAbout(quint32 languageId, const QString &webEngine)
{
    TAboutForm form;
    form.SetWebEngine(webEngine);
    QFont font = form.font();
    SetSystemIconFont(font);
    form.setFont(font);
    LocalizeForm(&form, qint32(languageId));
    form.exec();
}
