// SPDX-License-Identifier: GPL-3.0-or-later
#include "designer/mainform.h"
#include "ui_mainform.h"

#include "designer/launcherwriter.h"
#include "document/lumivaneerror.h"
#include "document/profilefile.h"
#include "shared/aboutform.h"
#include "shared/application.h"
#include "shared/filedialog.h"
#include "shared/formkeyhook.h"
#include "shared/messagebox.h"
#include "shared/mqaltbugfixes.h"
#include "shared/runnermodule.h"
#include "shared/shellhelpers.h"
#include "shared/userlanguage.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QScopeGuard>
#include <QScopedValueRollback>
#include <QScreen>
#include <QSvgRenderer>
#include <QTimer>
#include <QUuid>
#include <QWindow>
#include <future>

namespace {

const QString Caption = QStringLiteral("Veldrane Lumivane");
const QString DocumentFilter = QStringLiteral("Lumivane (*.webapp)");
const QString DocumentSuffix = QStringLiteral("webapp");

// The sizes of the layout as designed for an 8-point font at 96 dpi. Controls never shrink below
// them; a larger desktop font makes them grow instead of clipping their text.
const int DesignClientWidth = 505;
const QSize StylePictureSize(235, 97);
const QSize DesignStyleListSize(121, 97);
const int DesignSizeEditWidth = 49;
const int DesignModifiedPanelWidth = 75;

// An edit that cannot be read as an integer stands for this size.
const qint32 UnreadableSize = 100;

qint32 ReadSizeEdit(const QString &text)
{
    return ParseProfileInteger(text.toLocal8Bit()).value_or(UnreadableSize);
}

// What the designer writes for the web engine's own user agent.
const QByteArray DefaultMimic = QByteArrayLiteral("Default");

// The entry of the mimic box that stands for a stored value: 0 for the engine's own ("Default" in
// any letter case, or nothing), 1 to 8 for the values that select a user agent, -1 for any other.
int MimicEntry(const QByteArray &mimic)
{
    if (mimic.isEmpty() || mimic.toLower() == DefaultMimic.toLower())
        return 0;
    const int index = MimicIndex(mimic);
    return index < 0 ? -1 : index + 1;
}

bool SameMimicEntry(const QByteArray &a, const QByteArray &b)
{
    const int entry = MimicEntry(a);
    return entry >= 0 ? entry == MimicEntry(b) : a == b;
}

// The index when it is a valid code of a list of the given length; the first entry otherwise.
int ListIndex(qint32 code, int count)
{
    return code > 0 && code < count ? code : 0;
}

QImage RenderStylePicture(const QString &resource, qreal ratio)
{
    QSvgRenderer renderer(resource);
    QImage image(StylePictureSize * ratio, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter);
    painter.end();
    image.setDevicePixelRatio(ratio);
    return image;
}

// The picture of each style picture label, in the order of those labels.
QString StylePicturePath(qsizetype index)
{
    static const char *const names[] = {"stylenormal", "styledialog", "stylemini", "stylenone"};
    return QStringLiteral(":/designer/pictures/%1.svg").arg(QLatin1String(names[index]));
}

} // namespace

TMainForm::TMainForm(QWidget *parent)
    : QMainWindow(parent)
    , FUi(std::make_unique<Ui::TMainForm>())
{
    // The picture on show at first (the normal style's) is drawn on another core while the
    // controls are made; the others wait for the first frame (see paintEvent).
    const qreal pictureRatio = devicePixelRatioF();
    std::future<QImage> firstPicture =
        std::async(std::launch::async, RenderStylePicture, StylePicturePath(0), pictureRatio);
    // The desktop's icon font replaces the designed one (Tahoma, 8 points) before the controls
    // exist, so that each is made and measured once, in the font it shows.
    QFont systemFont(QStringLiteral("Tahoma"), 8);
    SetSystemIconFont(systemFont);
    setFont(systemFont);
    FUi->setupUi(this);
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);

    // The help text wraps at whatever width the controls below need; it never widens the window.
    QSizePolicy helpPolicy = FUi->HelpLabel->sizePolicy();
    helpPolicy.setHorizontalPolicy(QSizePolicy::Ignored);
    FUi->HelpLabel->setSizePolicy(helpPolicy);

    FModifiedPanel = new QLabel(FUi->StatusBar);
    FModifiedPanel->setObjectName(QStringLiteral("ModifiedPanel"));
    FPathPanel = new QLabel(FUi->StatusBar);
    FPathPanel->setObjectName(QStringLiteral("PathPanel"));
    FModifiedPanel->setContentsMargins(3, 0, 3, 0);
    FPathPanel->setContentsMargins(3, 0, 3, 0);
    FUi->StatusBar->addWidget(FModifiedPanel);
    FUi->StatusBar->addWidget(FPathPanel, 1);

    // Each entry carries the bytes it saves; the first is in the form.
    FUi->MimicComboBox->setItemData(0, DefaultMimic);
    for (const QString &text : MimicTexts())
        FUi->MimicComboBox->addItem(text, text.toLatin1());

    FUi->StyleNormal_Image->setPixmap(QPixmap::fromImage(firstPicture.get()));
    ConnectHandlers();
    FCreated = true;
    FormCreate();
}

TMainForm::~TMainForm() = default;

void TMainForm::FormShortCut(QKeyEvent *event)
{
    FALTBugFix->KeyDownCheck(this, VirtualKeyOf(event));
}

void TMainForm::ConnectHandlers()
{
    const Ui::TMainForm &ui = *FUi;
    connect(ui.URLEdit, &QLineEdit::textChanged, this, &TMainForm::URLEditChange);
    connect(ui.StyleListBox, &QListWidget::currentRowChanged, this, &TMainForm::StyleListBoxClick);
    connect(ui.SizeComboBox, &QComboBox::currentIndexChanged, this, &TMainForm::SizeComboBoxChange);
    connect(ui.WidthEdit, &QLineEdit::textChanged, this, &TMainForm::WidthEditChange);
    connect(ui.HeightEdit, &QLineEdit::textChanged, this, &TMainForm::HeightEditChange);
    connect(ui.FlipCheckBox, &QCheckBox::clicked, this, &TMainForm::FlipCheckBoxClick);
    connect(ui.PositionComboBox, &QComboBox::currentIndexChanged, this,
            &TMainForm::PositionComboBoxChange);
    connect(ui.MimicComboBox, &QComboBox::currentIndexChanged, this,
            &TMainForm::MimicComboBoxChange);
    connect(ui.StayOnTopCheckBox, &QCheckBox::clicked, this, &TMainForm::StayOnTopCheckBoxClick);
    connect(ui.RememberPositionCheckBox, &QCheckBox::clicked, this,
            &TMainForm::RememberPositionCheckBoxClick);
    connect(ui.RememberSizeCheckBox, &QCheckBox::clicked, this,
            &TMainForm::RememberPositionCheckBoxClick);
    connect(ui.ShowControlPanelCheckBox, &QCheckBox::clicked, this,
            &TMainForm::ShowControlPanelCheckBoxClick);

    // The commands: each shows its own error, which ends it.
    connect(ui.OpenItem, &QAction::triggered, this, Command(this, &TMainForm::OpenItemClick));
    connect(ui.SaveItem, &QAction::triggered, this, Command(this, &TMainForm::SaveItemClick));
    connect(ui.SaveAsItem, &QAction::triggered, this, Command(this, &TMainForm::SaveAsItemClick));
    connect(ui.CreateLauncherItem, &QAction::triggered, this,
            Command(this, &TMainForm::CreateLauncherItemClick));
    connect(ui.AboutItem, &QAction::triggered, this, Command(this, &TMainForm::AboutItemClick));
    connect(ui.ExitItem, &QAction::triggered, this, Command(this, &TMainForm::ExitItemClick));
    connect(ui.PreviewButton, &QPushButton::clicked, this,
            Command(this, &TMainForm::PreviewButtonClick));
    connect(ui.SaveButton, &QPushButton::clicked, this, Command(this, &TMainForm::SaveItemClick));
    connect(ui.CloseButton, &QPushButton::clicked, this, Command(this, &TMainForm::ExitItemClick));
}

void TMainForm::FormCreate()
{
    FALTBugFix = new TmqALTBugFix(this);
    FALTBugFix->DelayType = dtTimer;
    connect(new TFormKeyHook(this), &TFormKeyHook::KeyDown, this, &TMainForm::FormShortCut);

    const Ui::TMainForm &ui = *FUi;
    {
        // The handlers run once, explicitly, as for every programmatic selection.
        const QSignalBlocker blocker(ui.StyleListBox);
        ui.StyleListBox->setCurrentRow(0);
    }
    StyleListBoxClick();
    {
        const QSignalBlocker blocker(ui.SizeComboBox);
        ui.SizeComboBox->setCurrentIndex(wsFullScreen);
    }
    SizeComboBoxChange();
    {
        const QSignalBlocker blocker(ui.PositionComboBox);
        ui.PositionComboBox->setCurrentIndex(0);
    }
    {
        const QSignalBlocker blocker(ui.MimicComboBox);
        ui.MimicComboBox->setCurrentIndex(0);
    }
    ui.ShowControlPanelCheckBox->setChecked(true);
    SetFileName(QString());
    SetModified(false);
    // The desktop's icon font was set before the controls were made (see the constructor).
    FitToFont();
}

void TMainForm::SetFileName(const QString &fileName)
{
    FFileName = fileName;
    setWindowTitle(fileName.isEmpty()
                       ? Caption
                       : Caption + QStringLiteral(" - ") + QFileInfo(fileName).fileName());
    FPathPanel->setText(QDir::toNativeSeparators(fileName));
}

void TMainForm::SetModified(bool modified)
{
    FModified = modified;
    FModifiedPanel->setText(modified ? tr("Modified") : QString());
}

void TMainForm::GetWebApp(TWebApp &webApp) const
{
    const Ui::TMainForm &ui = *FUi;
    if (webApp.Id.isEmpty())
        webApp.Id = QUuid::createUuid().toString(QUuid::WithBraces).toUpper().toLatin1();
    // The stored bytes stay as they are while the box shows them unchanged: bytes that are not
    // text in this system's encoding (a document from another system) would not survive the
    // round trip through the box.
    const QString url = ui.URLEdit->text();
    if (url != QString::fromLocal8Bit(webApp.URL))
        webApp.URL = url.toLocal8Bit();
    // Likewise the mimic: a value written in another letter case, or one this version does not
    // know, is kept as it stands.
    const QByteArray mimic = ui.MimicComboBox->currentData().toByteArray();
    if (webApp.Mimic.isEmpty() || !SameMimicEntry(webApp.Mimic, mimic))
        webApp.Mimic = mimic;
    webApp.WindowStyle = ui.StyleListBox->currentRow();
    webApp.WindowSize = ui.SizeComboBox->currentIndex();
    webApp.WindowPosition = ui.PositionComboBox->currentIndex();
    webApp.Width = ReadSizeEdit(ui.WidthEdit->text());
    webApp.Height = ReadSizeEdit(ui.HeightEdit->text());
    webApp.Flip = ui.FlipCheckBox->isChecked();
    webApp.StayOnTop = ui.StayOnTopCheckBox->isChecked();
    webApp.RememberLastPosition = ui.RememberPositionCheckBox->isChecked();
    webApp.RememberLastSize = ui.RememberSizeCheckBox->isChecked();
    webApp.ShowControlPanel = ui.ShowControlPanelCheckBox->isChecked();
}

void TMainForm::SetWebApp(const TWebApp &webApp)
{
    const Ui::TMainForm &ui = *FUi;
    ui.URLEdit->setText(QString::fromLocal8Bit(webApp.URL));
    ui.URLEdit->setCursorPosition(0); // a long address shows its beginning
    {
        const QSignalBlocker blocker(ui.StyleListBox);
        ui.StyleListBox->setCurrentRow(ListIndex(webApp.WindowStyle, ui.StyleListBox->count()));
    }
    StyleListBoxClick();
    // The stored size goes into the edits before the size list is set: a preset then shows its
    // own numbers, and a custom size survives being opened and saved again.
    ui.WidthEdit->setText(QString::number(webApp.Width));
    ui.HeightEdit->setText(QString::number(webApp.Height));
    {
        const QSignalBlocker blocker(ui.SizeComboBox);
        ui.SizeComboBox->setCurrentIndex(ListIndex(webApp.WindowSize, ui.SizeComboBox->count()));
    }
    SizeComboBoxChange();
    {
        const QSignalBlocker blocker(ui.PositionComboBox);
        ui.PositionComboBox->setCurrentIndex(
            ListIndex(webApp.WindowPosition, ui.PositionComboBox->count()));
    }
    PositionComboBoxChange();
    {
        QComboBox *const box = ui.MimicComboBox;
        const QSignalBlocker blocker(box);
        // A value the runner does not know is shown as it stands, as an entry of its own that
        // lasts until another document is shown.
        const int known = int(MimicTexts().size()) + 1;
        while (box->count() > known)
            box->removeItem(box->count() - 1);
        int entry = MimicEntry(webApp.Mimic);
        if (entry < 0) {
            box->addItem(QString::fromLocal8Bit(webApp.Mimic), webApp.Mimic);
            entry = known;
        }
        box->setCurrentIndex(entry);
    }
    MimicComboBoxChange();
    ui.FlipCheckBox->setChecked(webApp.Flip);
    FlipCheckBoxClick();
    ui.StayOnTopCheckBox->setChecked(webApp.StayOnTop);
    ui.RememberPositionCheckBox->setChecked(webApp.RememberLastPosition);
    ui.RememberSizeCheckBox->setChecked(webApp.RememberLastSize);
    ui.ShowControlPanelCheckBox->setChecked(webApp.ShowControlPanel);
}

void TMainForm::URLEditChange()
{
    SetModified(true);
}

void TMainForm::StyleListBoxClick()
{
    ShowStylePicture();
    SetModified(true);
}

void TMainForm::ShowStylePicture()
{
    const Ui::TMainForm &ui = *FUi;
    // The picture of each style in the list; the two mini styles share one.
    const int pictures[] = {0, 1, 2, 2, 3};
    const int row = ui.StyleListBox->currentRow();
    if (row >= 0 && row < int(std::size(pictures))) {
        QLabel *const source = StylePictureLabels().at(pictures[row]);
        EnsureStylePicture(source);
        ui.StyleImage->setPixmap(source->pixmap());
    }
}

void TMainForm::SizeComboBoxChange()
{
    const Ui::TMainForm &ui = *FUi;
    const int size = ui.SizeComboBox->currentIndex();
    const bool custom = size == wsCustom;
    ui.WidthEdit->setEnabled(custom);
    if (IsSizePreset(size)) {
        const TSizePreset preset = SizePresets(size);
        const bool flip = ui.FlipCheckBox->isChecked();
        ui.WidthEdit->setText(QString::number(flip ? preset.Height : preset.Width));
        ui.HeightEdit->setText(QString::number(flip ? preset.Width : preset.Height));
    }
    const bool placed = size != wsFullScreen;
    ui.FlipCheckBox->setEnabled(placed);
    ui.PositionLabel->setEnabled(placed);
    ui.PositionComboBox->setEnabled(placed);
    ui.xLabel->setEnabled(custom);
    ui.HeightEdit->setEnabled(custom);
    SetModified(true);
}

void TMainForm::WidthEditChange()
{
    SetModified(true);
}

void TMainForm::HeightEditChange()
{
    SetModified(true);
}

void TMainForm::FlipCheckBoxClick()
{
    SizeComboBoxChange();
    SetModified(true);
}

void TMainForm::PositionComboBoxChange()
{
    SetModified(true);
}

void TMainForm::MimicComboBoxChange()
{
    SetModified(true);
}

void TMainForm::StayOnTopCheckBoxClick()
{
    SetModified(true);
}

void TMainForm::RememberPositionCheckBoxClick()
{
    SetModified(true);
}

void TMainForm::ShowControlPanelCheckBoxClick()
{
    SetModified(true);
}

bool TMainForm::QueryUnsavedChanges()
{
    if (!FModified)
        return true;
    const TMessageBox::Button answer = TMessageBox::question(
        this, Caption, tr("Your changes have not been saved. Save them?"),
        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes);
    switch (answer) {
    case QMessageBox::Yes:
        // A failed save shows its error and ends the asking command too.
        return RunCommand([this] { SaveItemClick(); }) && !FModified;
    case QMessageBox::No:
        return true;
    default:
        return false;
    }
}

QString TMainForm::InitialFolder() const
{
    QString folder;
    if (FFileName.isEmpty()) {
        folder = GetDesktopFolder();
    } else {
        const QString path = QDir::fromNativeSeparators(FFileName);
        folder = path.left(path.lastIndexOf(u'/') + 1);
    }
    if (QFileInfo(folder).isDir())
        return folder;
    // A folder that is gone, or a desktop never made, would be offered as a file name: the
    // user's home instead, else the dialog chooses.
    const QString home = QDir::homePath();
    return QFileInfo(home).isDir() ? home : QString();
}

void TMainForm::OpenItemClick()
{
    if (!QueryUnsavedChanges())
        return;
    const QString fileName = TFileDialog::getOpenFileName(this, tr("Open Lumidoc"), InitialFolder(),
                                                          DocumentFilter, DocumentSuffix);
    if (fileName.isEmpty())
        return;
    SetFileName(fileName);
    FWebApp = LoadWebApp(fileName);
    SetWebApp(FWebApp);
    SetModified(false);
}

void TMainForm::SaveItemClick()
{
    if (FFileName.isEmpty()) {
        SaveAsItemClick();
        return;
    }
    GetWebApp(FWebApp);
    SaveWebApp(FFileName, FWebApp);
    SetModified(false);
}

void TMainForm::SaveAsItemClick()
{
    const QString fileName = TFileDialog::getSaveFileName(this, tr("Save Lumidoc"), InitialFolder(),
                                                          DocumentFilter, DocumentSuffix);
    if (fileName.isEmpty())
        return;
    SetFileName(fileName);
    SaveItemClick();
}

void TMainForm::CreateLauncherItemClick()
{
    // The launcher starts the document on disk, so that must hold what the window shows.
    if (FFileName.isEmpty() || FModified || !QFileInfo(FFileName).isFile())
        SaveItemClick();
    if (FFileName.isEmpty() || FModified)
        return;
    const TMessageBox::Button answer = TMessageBox::question(
        this, Caption, tr("Put a launcher for this web app on the desktop too?"),
        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::No);
    if (answer == QMessageBox::Cancel)
        return;
    TLauncherWriter().Write(FFileName, FWebApp.Id, answer == QMessageBox::Yes);
}

void TMainForm::AboutItemClick()
{
    // The web engine tells its version itself; asking it loads it, as a first Preview does.
    QString webEngine;
    {
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        const auto arrow = qScopeGuard([] { QGuiApplication::restoreOverrideCursor(); });
        try {
            webEngine = RunnerModule().WebEngineVersion();
        } catch (const TLumivaneError &error) {
            webEngine = tr("not available (%1)").arg(error.message());
        }
    }
    ShowAbout(UserLanguageId(), webEngine);
}

void TMainForm::ExitItemClick()
{
    if (!QueryUnsavedChanges())
        return;
    const QScopedValueRollback<bool> confirmed(FExitConfirmed, true);
    close();
}

void TMainForm::closeEvent(QCloseEvent *event)
{
    // Refused until the question is answered, so that a save failing on the way keeps the
    // window open.
    event->ignore();
    RunCommand([this, event] {
        if (FExitConfirmed || QueryUnsavedChanges())
            event->accept();
    });
}

void TMainForm::PreviewButtonClick()
{
    const QString applicationTitle = ApplicationTitle();
    TWebApp webApp;
    GetWebApp(webApp);
    TRunnerModule &runner = []() -> TRunnerModule & {
        // The first Preview loads the web engine, which takes a moment.
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        const auto arrow = qScopeGuard([] { QGuiApplication::restoreOverrideCursor(); });
        return RunnerModule();
    }();
    // The previewed page lends its title to the application, as a running web app does; the
    // designer's own title comes back with the designer.
    setEnabled(false);
    const auto restore = qScopeGuard([this, &applicationTitle] {
        setEnabled(true);
        SetApplicationTitle(applicationTitle);
    });
    runner.PreviewWebApp(webApp);
}

QList<QLabel *> TMainForm::StylePictureLabels() const
{
    const Ui::TMainForm &ui = *FUi;
    return {ui.StyleNormal_Image, ui.StyleDialog_Image, ui.StyleMini_Image, ui.StyleNone_Image};
}

void TMainForm::EnsureStylePicture(QLabel *label)
{
    const qreal ratio = devicePixelRatioF();
    if (!label->pixmap().isNull() && qFuzzyCompare(label->pixmap().devicePixelRatio(), ratio))
        return;
    const qsizetype index = StylePictureLabels().indexOf(label);
    label->setPixmap(QPixmap::fromImage(RenderStylePicture(StylePicturePath(index), ratio)));
}

void TMainForm::RenderStylePictures()
{
    FStylePicturesPending = false;
    for (QLabel *label : StylePictureLabels())
        EnsureStylePicture(label);
}

void TMainForm::paintEvent(QPaintEvent *event)
{
    QMainWindow::paintEvent(event);
    // The pictures of the styles not on show are drawn once the first frame is on screen: a
    // start-up does not wait for pictures nobody sees yet.
    if (FStylePicturesPending) {
        FStylePicturesPending = false;
        QTimer::singleShot(0, this, &TMainForm::RenderStylePictures);
    }
}

void TMainForm::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    // The status bar lays itself out only when shown: measure again, before the window maps.
    if (!event->spontaneous()) {
        FitToFont();
        if (!FPlaced) {
            CenterOnScreen();
            FPlaced = true;
        }
    }
    // Pictures follow the pixel density of the screen the window is on.
    if (QWindow *window = windowHandle())
        connect(window, &QWindow::screenChanged, this, &TMainForm::ScreenChanged,
                Qt::UniqueConnection);
    ScreenChanged();
}

void TMainForm::ScreenChanged()
{
    // Pictures follow the pixel density of the screen: the one on show at once, the others
    // after the next frame.
    FStylePicturesPending = true;
    ShowStylePicture();
    update();
}

void TMainForm::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::FontChange && FCreated)
        FitToFont();
}

void TMainForm::FitToFont()
{
    // Size hints are final only once the style has seen every control.
    ensurePolished();
    const Ui::TMainForm &ui = *FUi;

    QListWidget *list = ui.StyleListBox;
    const int frame = 2 * list->frameWidth();
    list->setFixedSize(
        qMax(DesignStyleListSize.width(), list->sizeHintForColumn(0) + frame + 4),
        qMax(DesignStyleListSize.height(), list->count() * list->sizeHintForRow(0) + frame));

    const int digits = ui.WidthEdit->fontMetrics().horizontalAdvance(QStringLiteral("00000"));
    ui.WidthEdit->setFixedWidth(qMax(DesignSizeEditWidth, digits + 14));
    ui.HeightEdit->setFixedWidth(qMax(DesignSizeEditWidth, digits + 14));

    // The mimic box is as wide as its own entries need; a long value of a document is cut rather
    // than widening the window.
    QComboBox *mimic = ui.MimicComboBox;
    int widest = 0;
    for (int i = 0; i <= MimicTexts().size(); ++i)
        widest = qMax(widest, mimic->fontMetrics().horizontalAdvance(mimic->itemText(i)));
    const int letter = qMax(1, mimic->fontMetrics().horizontalAdvance(u'X'));
    mimic->setMinimumContentsLength((widest + letter - 1) / letter);

    const int modified = FModifiedPanel->fontMetrics().horizontalAdvance(tr("Modified"));
    FModifiedPanel->setFixedWidth(qMax(DesignModifiedPanelWidth, modified + 12));

    // The window keeps the designed width unless the controls need more; the wrapped help text
    // decides the height.
    QWidget *central = centralWidget();
    central->setMinimumSize(0, 0);
    central->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    setMinimumSize(0, 0);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    central->layout()->invalidate();
    const int width = qMax(DesignClientWidth, central->sizeHint().width());
    const int height = central->hasHeightForWidth() ? central->heightForWidth(width)
                                                    : central->sizeHint().height();
    central->setFixedSize(width, height);
    layout()->invalidate();
    setFixedSize(sizeHint());
}

void TMainForm::CenterOnScreen()
{
    if (const QScreen *desktop = screen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(desktop->availableGeometry().center());
        move(frame.topLeft());
    }
}
