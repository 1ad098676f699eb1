#pragma once

#include <QDialog>

class frmTPEdit;
class QComboBox;
class QLineEdit;
class QPushButton;
class TPTables;

// "Satellite Find": searches all four regions for a name and/or a position,
// kept on top and not modal, so "&Next" goes on from the satellite found.
class frmTPFind : public QDialog {
    Q_OBJECT
public:
    frmTPFind(frmTPEdit &editor, const TPTables &tables, QWidget *parent);

    void showOnTop();  // not modal
    void cmdFindOk_Click();

protected:
    void closeEvent(QCloseEvent *event) override;
    void done(int result) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    frmTPEdit &m_editor;
    const TPTables &m_tables;
    QLineEdit *m_txtFind[2] = {nullptr, nullptr};
    QComboBox *m_Combo1 = nullptr;
    QPushButton *m_cmdFindOk = nullptr;
    int m_lastFocus = 0;  // the find box that last had the focus
};
