#pragma once

#include <QList>
#include <QTimer>
#include <QWidget>

struct AppContext;
class Lamp;
class Status;
struct TransferOutcome;
struct TransferRequest;
struct UploadCommand;
class MessageBoard;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;

// The main window: upload commands, entry to the editors and the download
// wizard, the port choice with its lamps, and in monitor mode the message board.
class frmMain : public QWidget {
    Q_OBJECT
public:
    explicit frmMain(AppContext &context, QWidget *parent = nullptr);

    // Reads the marker files and lays out the window for them.
    void ApplyConfiguration();
    // The four off-window mode commands: 0 user, 1 factory, 2 neither, 3 monitor.
    void ModeSwitch(int index);

    void cmdChEditEnable(bool value);
    void OSD_Commands_Visible(bool value);

    void cmdPCSTB_Click(int index);
    void cmdOSD_Click(int index);
    void cmdTPEDIT_Click(int index);
    void cmdCHEdit_Click(int index);

    // Runs a transfer over this window and returns when it has ended.
    TransferOutcome SerialInit(const TransferRequest &request);

    MessageBoard *board() const { return m_board; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void buildUploadGroup();
    void buildEditGroup();
    void buildSerialGroup();
    void buildModeButtons();
    QPushButton *addButton(QWidget *parent, const QString &caption, const QString &name);
    void place(QWidget *widget, const QRect &twips);

    void uploadButtonFocused(int index);
    void tpEditButtonFocused(int index);
    void chEditButtonFocused(int index);
    void showTransferPortState(bool open);
    void blink();
    void portBoxClicked();
    void showError(const Status &status);
    void upload(const UploadCommand &command);

    // Hooks for the windows that later issues bring.
    void openTPEditor();
    void showChannelEditor();

    AppContext &m_context;

    QGroupBox *m_frame1 = nullptr;
    QGroupBox *m_frame4 = nullptr;
    QGroupBox *m_frame2 = nullptr;
    QGroupBox *m_frame3 = nullptr;
    QGroupBox *m_frame5 = nullptr;
    QGroupBox *m_frame6 = nullptr;
    QList<QPushButton *> m_cmdPCSTB;   // indexes 0..9
    QList<QPushButton *> m_cmdOSD;     // 0..4
    QList<QPushButton *> m_cmdTPEDIT;  // 0..1
    QList<QPushButton *> m_cmdCHEdit;  // 0..1
    QList<QPushButton *> m_cmdUserMode;
    QLabel *m_lblTPEdit = nullptr;
    QComboBox *m_cboPort = nullptr;
    QLabel *m_lblConnect = nullptr;
    QLabel *m_lblCon = nullptr;
    Lamp *m_shape1 = nullptr;
    Lamp *m_shape2 = nullptr;
    QLabel *m_label9 = nullptr;
    MessageBoard *m_board = nullptr;
    QTimer m_timer2{this};
};
