// The live entry boxes: every edit goes straight into the selected row.
#include "tp/ui/frmTPEdit.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>

void frmTPEdit::connectEntryBoxes()
{
    const auto satBox = [this](QLineEdit *box, SatListModel::Column column) {
        connect(box, &QLineEdit::textEdited, this,
                [this, column](const QString &text) { m_satModel.setField(selectedSat(), column, text); });
    };
    satBox(m_txtSatName, SatListModel::SatName);
    satBox(m_txtDeg, SatListModel::Deg);
    satBox(m_txtDiseqc, SatListModel::Diseqc);
    const auto tpBox = [this](QLineEdit *box, TPListModel::Column column) {
        connect(box, &QLineEdit::textEdited, this,
                [this, column](const QString &text) { m_tpModel.setField(selectedTP(), column, text); });
    };
    tpBox(m_txtFreq, TPListModel::Freq);
    tpBox(m_txtSR, TPListModel::SR);
    // The item index is the stored value for all three choice boxes.
    connect(m_Combo1, &QComboBox::activated, this, [this](int item) {
        m_satModel.setField(selectedSat(), SatListModel::ParseSort, QString::number(item));
        if (item >= 0 && selectedSat() > 0)
            ParsingWant(m_Combo1, selectedSat());
    });
    connect(m_cbPolar, &QComboBox::activated, this,
            [this](int item) { m_tpModel.setField(selectedTP(), TPListModel::Polar, QString::number(item)); });
    connect(m_cbFEC, &QComboBox::activated, this,
            [this](int item) { m_tpModel.setField(selectedTP(), TPListModel::FEC, QString::number(item)); });
}

bool frmTPEdit::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyRelease) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            // Enter moves on as Tab does.
            focusNextChild();
            return true;
        }
        // Every key release in the position box imports that position's file.
        if (watched == m_txtDeg && selectedSat() > 0)
            ParsingWant(m_txtDeg, selectedSat());
    }
    return QMainWindow::eventFilter(watched, event);
}
