// The live entry boxes: every edit goes straight into the selected row.
#include "tp/ui/frmTPEdit.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>

void frmTPEdit::connectEntryBoxes()
{
    const auto satBox = [this](QLineEdit *box, SatListModel::Column column) {
        connect(box, &QLineEdit::textEdited, this, [this, box, column](const QString &text) {
            recordEdit([&] { m_satModel.setField(selectedSat(), column, text); }, {}, typingKey(box));
        });
    };
    satBox(m_txtSatName, SatListModel::SatName);
    satBox(m_txtDeg, SatListModel::Deg);
    satBox(m_txtDiseqc, SatListModel::Diseqc);
    const auto tpBox = [this](QLineEdit *box, TPListModel::Column column) {
        connect(box, &QLineEdit::textEdited, this, [this, box, column](const QString &text) {
            recordEdit([&] { m_tpModel.setField(selectedTP(), column, text); }, {}, typingKey(box));
        });
    };
    tpBox(m_txtFreq, TPListModel::Freq);
    tpBox(m_txtSR, TPListModel::SR);
    // The item index is the stored value for all three choice boxes.
    connect(m_Combo1, &QComboBox::activated, this, [this](int item) {
        recordEdit([&] {
            m_satModel.setField(selectedSat(), SatListModel::ParseSort, QString::number(item));
            if (item >= 0 && selectedSat() > 0)
                ParsingWant(m_Combo1, selectedSat());
        });
    });
    connect(m_cbPolar, &QComboBox::activated, this, [this](int item) {
        recordEdit([&] { m_tpModel.setField(selectedTP(), TPListModel::Polar, QString::number(item)); });
    });
    connect(m_cbFEC, &QComboBox::activated, this, [this](int item) {
        recordEdit([&] { m_tpModel.setField(selectedTP(), TPListModel::FEC, QString::number(item)); });
    });
}

QString frmTPEdit::typingKey(QWidget *box) const
{
    return QStringLiteral("%1/%2/%3/%4/%5")
        .arg(box->objectName())
        .arg(m_tables.CurRegion)
        .arg(selectedSat())
        .arg(box == m_txtFreq || box == m_txtSR ? selectedTP() : 0)
        .arg(m_focusRun);
}

bool frmTPEdit::entryBoxEvent(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::FocusIn: ++m_focusRun; break;
    case QEvent::ShortcutOverride: {
        // Undo and redo are the editor's, not the box's own.
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->matches(QKeySequence::Undo) || key->matches(QKeySequence::Redo) ||
            (key->key() == Qt::Key_Y && key->modifiers() == Qt::ControlModifier)) {
            event->ignore();
            return true;
        }
        break;
    }
    case QEvent::KeyPress: {
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->matches(QKeySequence::Undo) || key->matches(QKeySequence::Redo) ||
            (key->key() == Qt::Key_Y && key->modifiers() == Qt::ControlModifier)) {
            if (key->key() == Qt::Key_Z && !(key->modifiers() & Qt::ShiftModifier))
                m_undo.undo();
            else
                m_undo.redo();
            return true;
        }
        // Typing is ignored in the choice boxes; H and V choose the polarisation.
        const bool typed = !key->text().isEmpty() && key->text().at(0).isPrint() &&
                           !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
        if (!typed || (watched != m_cbPolar && watched != m_cbFEC && watched != m_Combo1))
            break;
        if (watched == m_cbPolar) {
            const int item = TPListModel::polarItems().indexOf(key->text().toUpper());
            if (item >= 0) {
                m_cbPolar->setCurrentIndex(item);
                Q_EMIT m_cbPolar->activated(item);
            }
        }
        return true;
    }
    case QEvent::KeyRelease: {
        auto *keyEvent = static_cast<QKeyEvent *>(event);
        const int key = keyEvent->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            // Enter moves on as Tab does.
            focusNextChild();
            return true;
        }
        // Every key release in the position box imports that position's file;
        // shortcuts (Ctrl held, such as undo) are no typing.
        const bool shortcut = (keyEvent->modifiers() & Qt::ControlModifier) || key == Qt::Key_Control;
        if (watched == m_txtDeg && selectedSat() > 0 && !shortcut)
            ParsingWant(m_txtDeg, selectedSat());
        break;
    }
    default: break;
    }
    return false;
}
