#pragma once

#include "common/ProgramDir.h"
#include "download/TPDownloader.h"

#include <QDialog>
#include <QList>
#include <QStringList>

class MessageBoard;
class QCheckBox;
class QGroupBox;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

// The two-step selection of regions and satellites; its "&Next" on the second
// step hands the ticked codes to the download window.
class frmDownList : public QDialog {
    Q_OBJECT
public:
    frmDownList(const ProgramDir &dir, QStringList &downloadCodes, MessageBoard *board, QWidget *parent = nullptr,
                DownloadTiming timing = {});

    void cmdNext_Click();
    int step() const { return m_step; }

private:
    void enterRegionStep();
    void regionNext();
    void satelliteNext();
    void rowPressed(QTreeWidgetItem *item);
    void rowClicked(QTreeWidgetItem *item);
    void rowChanged(QTreeWidgetItem *item);
    void selectAll(bool ticked);
    int twips(int value) const;

    ProgramDir m_dir;
    QStringList &DownloadCodes;
    MessageBoard *m_board;
    DownloadTiming m_timing;
    qint16 m_step = 0;
    qint16 m_listed = 0;
    Qt::CheckState m_pressedState = Qt::Unchecked;  // a click that toggled the box itself toggles no more
    QList<QGroupBox *> m_Frame1;                    // 0 regions, 1 satellites
    QList<QCheckBox *> m_chkRegion;                 // DownloadRegion order
    QTreeWidget *m_List1 = nullptr;
    QCheckBox *m_chkAll = nullptr;
    QPushButton *m_cmdNext = nullptr;
    QPushButton *m_cmdCancel = nullptr;
};
