#pragma once

#include "common/ui/KeyStrokes.h"
#include "tp/SatListModel.h"
#include "tp/TPClipboard.h"
#include "tp/TPFieldText.h"
#include "tp/TPListModel.h"
#include "tp/TPMoves.h"
#include "tp/TPSaver.h"
#include "tp/TPSorts.h"
#include "tp/ui/TPEditCommand.h"

#include <QMainWindow>
#include <QUndoStack>

#include <functional>

struct CheckFault;
class Converters;
class ReceiverLink;
class QAction;
class QComboBox;
class QKeyEvent;
class QModelIndex;
class QLineEdit;
class QMenu;
struct SatFindHit;
class frmTPFind;
class QPushButton;
class QTabBar;
class QTreeView;

// The TP editor: the satellites of one region, the TPs of the selected
// satellite, and the file commands. Emits closed() once it has gone, so the
// window that opened it can offer its command again.
class frmTPEdit : public QMainWindow {
    Q_OBJECT
public:
    frmTPEdit(TPTables &tables, const ValueLists &lists, const Converters &converters, ReceiverLink &link,
              QWidget *parent = nullptr);

    void List1Select(int index);
    void List2Select(int index);

    void cmdInsert_Click();
    void cmdNext_Click();
    void cmdDel_Click();
    void cmdList2Insert_Click();
    void cmdList2Next_Click();
    void cmdList2Del_Click();
    void cmdDataFileLoad_Click();
    void cmdDataSave_Click();
    void mmSaveAs_Click();
    void cmdDataUpload_Click();
    // Imports the downloaded file of satellite row `Index` of CurRegion; `obj` asked for it.
    void ParsingWant(QWidget *obj, int Index);
    void Command1_Click();  // "Refres&h": every satellite of every region
    // satellites.xml: chosen satellites into the current region as one step, and all regions out.
    void mmImportXml_Click();
    void mmExportXml_Click();

    // Reordering, sorting, clipboards and drag-and-drop.
    void cmdUp_Click() { moveSats(false); }
    void cmdDown_Click() { moveSats(true); }
    void cmdList2Up_Click() { moveTPRows(false); }
    void cmdList2Down_Click() { moveTPRows(true); }
    void sortSats(SatSortKey key);
    void sortTPRows(TPSortKey key);
    void mmList1Copy_Click();
    void mmList1Paste_Click();
    void mmList2Copy_Click();
    void mmList2Paste_Click();
    void List1_StartDrag();
    void List2_StartDrag();
    void List1_DragDrop(const QString &text, int rowUnderPointer);
    void List2_DragDrop(const QString &text, int rowUnderPointer);
    void mmFind_Click();
    // Shows a satellite that the find dialog found, the matched texts selected.
    void showFound(const SatFindHit &hit, int nameLength, int degLength);
    int selectedSatRow() const { return selectedSat(); }

    QUndoStack &history() { return m_undo; }
    // Puts a step of the history back (undo) or forward, and shows `view`.
    void applyHistory(const TableChange &change, bool undo, const EditView &view);

Q_SIGNALS:
    void closed();

protected:
    bool event(QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    bool entryBoxEvent(QObject *watched, QEvent *event);
    bool listEvent(QObject *watched, QEvent *event);

private:
    enum class Answer { Proceed, Cancelled, SaveFailed };

    void buildSatFrame(QWidget *frame);
    void buildTPFrame(QWidget *frame);
    void buildMenu();
    QPushButton *addButton(const QString &caption, const QString &name);
    QLineEdit *addBox(const QString &name, FieldKind kind, int maxLength, bool numeric);
    void connectEntryBoxes();
    void buildEditing();
    QMenu *buildListMenu(bool satellites);

    // Runs `work` as one step of the history; steps with one merge key join.
    void recordEdit(const std::function<void()> &work, const QList<int> &regions = {}, const QString &mergeKey = {});
    QString typingKey(QWidget *box) const;
    EditView view() const;
    void moveSats(bool down);
    void moveTPRows(bool down);
    void markRows(QTreeView *list, const QList<int> &rows);

    // Imports satellite row `Index` (from 1) of `region`, which need not be the one shown.
    void importRow(QWidget *obj, int region, int Index, const QString &option);
    void firstPaint();
    void regionSwitch(int tab);
    void showSatellite(int row);
    void showTP(int row);
    void onCurrentSatChanged(const QModelIndex &current);
    void onCurrentTPChanged(const QModelIndex &current);
    void degKeyReleased(QKeyEvent *key);
    void clearTPBoxes();
    int selectedSat() const;
    int selectedTP() const;
    QList<int> markedRows(QTreeView *list) const;
    void afterSatEdit(const ListEdit &edit, bool focusName);
    void afterTPEdit(const ListEdit &edit, bool focusFreq);
    void refuse(const QString &text);

    bool checkShown();
    void showFault(const CheckFault &fault);
    bool saveTo(const QString &mdaFile);
    Answer askToSave();
    void deleteIntermediateFiles();
    void showCaption();

    TPTables &m_tables;
    const ValueLists &m_lists;
    const Converters &m_converters;
    ReceiverLink &m_link;
    TPSaver m_saver;
    SatListModel m_satModel;
    TPListModel m_tpModel;
    bool m_painted = false;
    QString m_selectedFile;  // the image being edited; uploads choose their own
    QString m_saveAsFile;

    QTabBar *m_tabRegion = nullptr;
    QTreeView *m_List1 = nullptr;
    QTreeView *m_List2 = nullptr;
    QLineEdit *m_txtSatName = nullptr;
    QLineEdit *m_txtDeg = nullptr;
    QLineEdit *m_txtDiseqc = nullptr;
    QLineEdit *m_txtFreq = nullptr;
    QLineEdit *m_txtSR = nullptr;
    QComboBox *m_Combo1 = nullptr;
    QPushButton *m_Command1 = nullptr;
    QComboBox *m_cbPolar = nullptr;
    QComboBox *m_cbFEC = nullptr;
    QWidget *m_tpFrame = nullptr;
    QWidget *m_current = nullptr;  // where new controls go while building

    QUndoStack m_undo;
    int m_recording = 0;
    int m_focusRun = 0;        // counts entries into the boxes, so a typing run ends with it
    int m_importing = 0;       // an import takes the focus away and back: no new run
    KeyStrokes m_listKeys;     // presses and releases in the two lists
    int m_degKeyDown = 0;      // the key last pressed in txtDeg
    QList<int> m_degEditKeys;  // keys whose press changed txtDeg's text, until released
    TPSortFlags m_sortFlags;
    SatClipboard m_satClip;
    TPClipboard m_tpClip;
    QMenu *m_satMenu = nullptr;
    QMenu *m_tpMenu = nullptr;
    frmTPFind *m_find = nullptr;
};
