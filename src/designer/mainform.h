// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "document/webapp.h"

#include <QMainWindow>
#include <memory>

class QKeyEvent;
class QPaintEvent;
class QLabel;
class TmqALTBugFix;

namespace Ui {
class TMainForm;
}

// The designer window: edits the settings of one web app, opens and saves its document and
// previews it in a real web app window.
class TMainForm : public QMainWindow
{
    Q_OBJECT

public:
    explicit TMainForm(QWidget *parent = nullptr);
    ~TMainForm() override;

    // The open document's path; empty while it has never been opened or saved.
    void SetFileName(const QString &fileName);
    void SetModified(bool modified);
    // Fills every field but a present Id from the controls; a present Mimic stays byte for byte
    // while the box shows the entry it stands for.
    void GetWebApp(TWebApp &webApp) const;
    void SetWebApp(const TWebApp &webApp);

    QString FileName() const { return FFileName; }
    bool Modified() const { return FModified; }
    const TWebApp &WebApp() const { return FWebApp; }

protected:
    void changeEvent(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;

private slots:
    void URLEditChange();
    void StyleListBoxClick();
    void SizeComboBoxChange();
    void WidthEditChange();
    void HeightEditChange();
    void FlipCheckBoxClick();
    void PositionComboBoxChange();
    void MimicComboBoxChange();
    void StayOnTopCheckBoxClick();
    void RememberPositionCheckBoxClick();
    void ShowControlPanelCheckBoxClick();

    void OpenItemClick();
    void SaveItemClick();
    void SaveAsItemClick();
    void CreateLauncherItemClick();
    void AboutItemClick();
    void ExitItemClick();
    void PreviewButtonClick();

    void ScreenChanged();

private:
    void FormCreate();
    void FormShortCut(QKeyEvent *event);
    void ConnectHandlers();

    // The unsaved-changes question; true when the command may go on, false when the user
    // cancels or the save fails (its error shown).
    bool QueryUnsavedChanges();
    QString InitialFolder() const;

    QList<QLabel *> StylePictureLabels() const;
    void EnsureStylePicture(QLabel *label);
    void RenderStylePictures();
    void ShowStylePicture();
    void FitToFont();
    void CenterOnScreen();

    TmqALTBugFix *FALTBugFix = nullptr;
    std::unique_ptr<Ui::TMainForm> FUi;
    QLabel *FModifiedPanel = nullptr;
    QLabel *FPathPanel = nullptr;
    bool FStylePicturesPending = true;
    bool FCreated = false;
    bool FPlaced = false;
    bool FExitConfirmed = false;

    QString FFileName;
    TWebApp FWebApp;
    bool FModified = false;
};
