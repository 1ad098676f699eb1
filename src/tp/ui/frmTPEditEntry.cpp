// The live entry boxes: every edit goes straight into the selected row.
#include "tp/ui/frmTPEdit.h"

#include "common/ui/HistoryKeys.h"
#include "tp/ui/TPListView.h"

#include <QComboBox>
#include <QDropEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMimeData>

void frmTPEdit::connectEntryBoxes()
{
    const auto satBox = [this](QLineEdit *box, SatListModel::Column column) {
        connect(box, &QLineEdit::textEdited, this, [this, box, column](const QString &text) {
            recordEdit([&] { m_satModel.setField(selectedSat() - 1, column, text); }, {}, typingKey(box));
        });
    };
    satBox(m_txtSatName, SatListModel::SatName);
    satBox(m_txtDeg, SatListModel::Deg);
    satBox(m_txtDiseqc, SatListModel::Diseqc);
    // Only the release of a key that changed the position imports.
    connect(m_txtDeg, &QLineEdit::textEdited, this, [this] {
        if (m_degKeyDown != 0 && !m_degEditKeys.contains(m_degKeyDown))
            m_degEditKeys.append(m_degKeyDown);
    });
    const auto tpBox = [this](QLineEdit *box, TPListModel::Column column) {
        connect(box, &QLineEdit::textEdited, this, [this, box, column](const QString &text) {
            recordEdit([&] { m_tpModel.setField(selectedTP() - 1, column, text); }, {}, typingKey(box));
        });
    };
    tpBox(m_txtFreq, TPListModel::Freq);
    tpBox(m_txtSR, TPListModel::SR);
    // A closed choice box leaves the wheel to the window unless it has the focus,
    // and the wheel gives it none.
    for (QComboBox *box : {m_Combo1, m_cbPolar, m_cbFEC})
        box->setFocusPolicy(Qt::StrongFocus);
    // The item index is the stored value for all three choice boxes.
    connect(m_Combo1, &QComboBox::activated, this, [this](int item) {
        recordEdit([&] {
            m_satModel.setField(selectedSat() - 1, SatListModel::ParseSort, QString::number(item));
            if (item >= 0 && selectedSat() > 0)
                ParsingWant(m_Combo1, selectedSat());
        });
    });
    connect(m_cbPolar, &QComboBox::activated, this, [this](int item) {
        recordEdit([&] { m_tpModel.setField(selectedTP() - 1, TPListModel::Polar, QString::number(item)); });
    });
    connect(m_cbFEC, &QComboBox::activated, this, [this](int item) {
        recordEdit([&] { m_tpModel.setField(selectedTP() - 1, TPListModel::FEC, QString::number(item)); });
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
    case QEvent::FocusIn:
        if (m_importing == 0) {
            ++m_focusRun;
            if (watched == m_txtDeg) {
                m_degKeyDown = 0;
                m_degEditKeys.clear();
            }
        }
        break;
    case QEvent::Wheel:
        if ((watched == m_Combo1 || watched == m_cbPolar || watched == m_cbFEC) &&
            !static_cast<QWidget *>(watched)->hasFocus()) {
            event->ignore();
            return true;
        }
        break;
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
        // Rows dragged from the lists carry plain text, but are no text for the boxes.
        if (qobject_cast<QLineEdit *>(watched) &&
            static_cast<QDropEvent *>(event)->mimeData()->hasFormat(TPListView::rowDragFormat())) {
            event->ignore();
            return true;
        }
        break;
    case QEvent::ShortcutOverride:
        if (routeHistoryKey(event, &m_undo))
            return true;
        break;
    case QEvent::KeyPress: {
        auto *key = static_cast<QKeyEvent *>(event);
        if (watched == m_txtDeg)
            m_degKeyDown = key->key();
        if (routeHistoryKey(event, &m_undo))
            return true;
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
        if (watched == m_txtDeg)
            degKeyReleased(keyEvent);
        break;
    }
    default: break;
    }
    return false;
}

void frmTPEdit::degKeyReleased(QKeyEvent *key)
{
    // The import replaces the satellite's TPs, so it runs only for a key that
    // changed the position (a digit, Backspace, Delete, a paste), never for
    // Tab, arrows, Home, End, modifiers or the end of Ctrl+Z. A held key
    // imports once, when it is let go.
    if (key->isAutoRepeat())
        return;
    if (key->key() == m_degKeyDown)
        m_degKeyDown = 0;
    if (m_degEditKeys.removeAll(key->key()) > 0 && selectedSat() > 0)
        ParsingWant(m_txtDeg, selectedSat());
}
