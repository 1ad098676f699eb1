#pragma once

#include <QList>
#include <QWidget>

class QCheckBox;
class QLineEdit;
class QPushButton;
class frmCHEdit;

// The channel find dialog: modeless, above the other windows while open.
class frmCHFind : public QWidget {
    Q_OBJECT
public:
    explicit frmCHFind(frmCHEdit &editor);

    void cmdFindOk_Click();

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    frmCHEdit &m_editor;
    QLineEdit *txtFind = nullptr;
    QList<QCheckBox *> Check1;
    QPushButton *cmdFindOk = nullptr;
    QPushButton *cmdFindCancel = nullptr;
};
