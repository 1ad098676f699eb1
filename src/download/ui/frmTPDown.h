#pragma once

#include "download/TPDownloader.h"

#include <QDialog>
#include <QTimer>

class MessageBoard;
class QLabel;
class QProgressBar;
class QPushButton;

// The download window: starts by itself when first shown, fetches the codes one
// after another and closes itself half a second after the run has ended.
class frmTPDown : public QDialog {
    Q_OBJECT
public:
    frmTPDown(const ProgramDir &dir, QList<MirrorAddress> mirrors, QStringList codes, MessageBoard *board,
              QWidget *parent = nullptr, DownloadTiming timing = {}, int closeDownMs = 500);

    void cmdCancel_Click();
    void reject() override;

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void runEnded();
    void closeDown();

    TPDownloader m_downloader;
    QStringList m_codes;
    bool m_started = false;
    QProgressBar *m_Progress = nullptr;
    QProgressBar *m_ProgressBar1 = nullptr;
    QLabel *m_lblPer = nullptr;
    QLabel *m_Label1 = nullptr;
    QPushButton *m_cmdCancel = nullptr;
    QTimer m_Timer2;
};
