#include "app/ui/frmMain.h"

#include "app/AppContext.h"
#include "app/MainLayout.h"
#include "app/ui/Lamp.h"
#include "common/Twips.h"
#include "common/ui/MessageBoard.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

namespace {
const QColor kDarkGreen(0, 64, 0);     // colour word 16384
const QColor kBrightGreen(0, 255, 0);  // 65280
const QColor kDarkRed(128, 0, 0);      // 128
const QColor kBrightRed(255, 0, 0);    // 255
const QColor kBoardColour(201, 182, 169);
const char *kIndexProperty = "controlIndex";
}  // namespace

frmMain::frmMain(AppContext &context, QWidget *parent) : QWidget(parent), m_context(context)
{
    setObjectName(QStringLiteral("frmMain"));
    buildUploadGroup();
    buildEditGroup();
    buildSerialGroup();
    buildModeButtons();

    m_board = new MessageBoard(this);
    m_board->setObjectName(QStringLiteral("Text1"));
    m_label9 = new QLabel(QStringLiteral("MESSAGE BOARD"), this);
    m_label9->setObjectName(QStringLiteral("Label9"));
    m_label9->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    place(m_label9, {6840, 60, 3480, 255});

    m_timer2.setObjectName(QStringLiteral("Timer2"));
    m_timer2.setInterval(500);
    connect(&m_timer2, &QTimer::timeout, this, &frmMain::blink);
    connect(&m_context.link, &ReceiverLink::messageAppended, m_board, &MessageBoard::AppendMessage);
    connect(&m_context.link, &ReceiverLink::transferPortStateChanged, this, &frmMain::showTransferPortState);

    // Window load: the port box, and the monitor port when monitor mode is on.
    for (int n = 1; n <= ReceiverPort::kPortCount; ++n)
        m_cboPort->addItem(QStringLiteral("Com%1").arg(n));
    m_cboPort->setCurrentIndex(0);
    if (m_context.configuration.hasMarker(Configuration::kMonitorMarker)) {
        m_context.link.setMonitorMode(true);
        if (Status s = m_context.link.RS232_Connect(); !s)
            showError(s);
        m_context.link.portOpen(true);
    }
}

void frmMain::place(QWidget *widget, const QRect &twips)
{
    widget->setGeometry(twipsToPixels(twips, logicalDpiY()));
}

QPushButton *frmMain::addButton(QWidget *parent, const QString &caption, const QString &name)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    button->installEventFilter(this);
    return button;
}

void frmMain::buildUploadGroup()
{
    m_frame1 = new QGroupBox(QStringLiteral("FILE UPLOAD TO STB"), this);
    m_frame1->setObjectName(QStringLiteral("Frame1"));
    const QStringList captions{QStringLiteral("&STB Loader"),  QStringLiteral("&Application"),
                               QStringLiteral("&Transponder"), QStringLiteral("&MFEG"),
                               QStringLiteral("&CH. Data"),    QStringLiteral("&Default OSD")};
    m_cmdPCSTB.resize(10, nullptr);
    for (int i = 0; i < captions.size(); ++i) {
        m_cmdPCSTB[i] = addButton(m_frame1, captions[i], QStringLiteral("cmdPCSTB_%1").arg(i));
        place(m_cmdPCSTB[i], MainLayout::uploadButton(i));
    }
    // The second row belongs to the window, so ApplyConfiguration can move it off-window.
    m_cmdPCSTB[6] = addButton(this, QStringLiteral("2MB"), QStringLiteral("cmdPCSTB_6"));
    m_cmdPCSTB[9] = addButton(this, QStringLiteral("SMC OSD"), QStringLiteral("cmdPCSTB_9"));
    const QStringList osdCaptions{QStringLiteral("all"), QStringLiteral("Adult 1"), QStringLiteral("Adult 2"),
                                  QStringLiteral("Child 1"), QStringLiteral("Child 2")};
    for (int i = 0; i < osdCaptions.size(); ++i) {
        QPushButton *button = addButton(this, osdCaptions[i], QStringLiteral("cmdOSD_%1").arg(i));
        button->setProperty(kIndexProperty, i);
        button->hide();
        connect(button, &QPushButton::clicked, this, [this, i] { cmdOSD_Click(i); });
        m_cmdOSD.append(button);
    }
}

void frmMain::buildEditGroup()
{
    m_frame4 = new QGroupBox(QStringLiteral("EDIT"), this);
    m_frame4->setObjectName(QStringLiteral("Frame4"));
    m_cmdPCSTB[7] = addButton(m_frame4, QStringLiteral("T&P. EDIT"), QStringLiteral("cmdPCSTB_7"));
    m_cmdPCSTB[8] = addButton(m_frame4, QStringLiteral("C&H. EDIT"), QStringLiteral("cmdPCSTB_8"));
    place(m_cmdPCSTB[7], {240, 360, 1700, 615});
    place(m_cmdPCSTB[8], {240, 1080, 1700, 615});

    m_lblTPEdit = new QLabel(m_frame4);
    m_lblTPEdit->setObjectName(QStringLiteral("lblTPEdit"));
    place(m_lblTPEdit, {2100, 1560, 4320, 255});
    m_lblTPEdit->hide();

    m_frame2 = new QGroupBox(QStringLiteral("TP EDIT"), m_frame4);
    m_frame2->setObjectName(QStringLiteral("Frame2"));
    m_frame3 = new QGroupBox(QStringLiteral("CHANNEL EDIT"), m_frame4);
    m_frame3->setObjectName(QStringLiteral("Frame3"));
    for (QGroupBox *frame : {m_frame2, m_frame3}) {
        place(frame, {2100, 240, 4320, 1215});
        frame->hide();
    }
    m_cmdTPEDIT = {addButton(m_frame2, QStringLiteral("TP D&OWN"), QStringLiteral("cmdTPEDIT_0")),
                   addButton(m_frame2, QStringLiteral("&Edit Satellite"), QStringLiteral("cmdTPEDIT_1"))};
    m_cmdCHEdit = {addButton(m_frame3, QStringLiteral("Do&wnload"), QStringLiteral("cmdCHEdit_0")),
                   addButton(m_frame3, QStringLiteral("&File Open"), QStringLiteral("cmdCHEdit_1"))};
    for (int i = 0; i < 2; ++i) {
        // The opening command sits on the left, the fetching one on the right.
        const QRect where = i == 1 ? QRect(240, 360, 1860, 615) : QRect(2220, 360, 1860, 615);
        place(m_cmdTPEDIT[i], where);
        place(m_cmdCHEdit[i], where);
        m_cmdTPEDIT[i]->setProperty(kIndexProperty, i);
        m_cmdCHEdit[i]->setProperty(kIndexProperty, i);
        connect(m_cmdTPEDIT[i], &QPushButton::clicked, this, [this, i] { cmdTPEDIT_Click(i); });
        connect(m_cmdCHEdit[i], &QPushButton::clicked, this, [this, i] { cmdCHEdit_Click(i); });
    }
    for (int i = 0; i < m_cmdPCSTB.size(); ++i) {
        m_cmdPCSTB[i]->setProperty(kIndexProperty, i);
        connect(m_cmdPCSTB[i], &QPushButton::clicked, this, [this, i] { cmdPCSTB_Click(i); });
    }
}

void frmMain::buildSerialGroup()
{
    m_frame5 = new QGroupBox(QStringLiteral("SERIAL"), this);
    m_frame5->setObjectName(QStringLiteral("Frame5"));
    m_lblConnect = new QLabel(QStringLiteral("Connect"), m_frame5);
    m_lblConnect->setObjectName(QStringLiteral("lblConnect"));
    place(m_lblConnect, {240, 300, 1320, 255});
    m_cboPort = new QComboBox(m_frame5);
    m_cboPort->setObjectName(QStringLiteral("cboPort"));
    place(m_cboPort, {240, 600, 1320, 360});
    connect(m_cboPort, &QComboBox::currentIndexChanged, this,
            [this](int index) { m_context.link.setSelectedPort(index < 0 ? ReceiverPort::kFirstPort : index + 1); });
    connect(m_cboPort, &QComboBox::activated, this, &frmMain::portBoxClicked);
    m_lblCon = new QLabel(QStringLiteral("Port Closed"), m_frame5);
    m_lblCon->setObjectName(QStringLiteral("lblCon"));
    place(m_lblCon, {240, 1260, 1500, 255});

    m_frame6 = new QGroupBox(m_frame5);
    m_frame6->setObjectName(QStringLiteral("Frame6"));
    place(m_frame6, {1800, 360, 1440, 1335});
    m_shape1 = new Lamp(kDarkGreen, m_frame6);
    m_shape1->setObjectName(QStringLiteral("Shape1"));
    place(m_shape1, {240, 480, 420, 420});
    m_shape2 = new Lamp(kBrightRed, m_frame6);
    m_shape2->setObjectName(QStringLiteral("Shape2"));
    place(m_shape2, {780, 480, 420, 420});
}

void frmMain::buildModeButtons()
{
    // Placed right of the client area: never seen or clicked, reached by their access keys.
    const QStringList captions{QStringLiteral("&2"), QStringLiteral("&F"), QStringLiteral("&N"), QStringLiteral("&X")};
    for (int i = 0; i < captions.size(); ++i) {
        auto *button = new QPushButton(captions[i], this);
        button->setObjectName(QStringLiteral("cmdUserMode_%1").arg(i));
        button->setFocusPolicy(Qt::NoFocus);
        place(button, {10560, 360 + i * 400, 600, 375});
        connect(button, &QPushButton::clicked, this, [this, i] { ModeSwitch(i); });
        m_cmdUserMode.append(button);
    }
}

void frmMain::ApplyConfiguration()
{
    setWindowTitle(QStringLiteral("ZAVO SMC Tarvik Ver n1.10"));
    QPalette palette = m_board->palette();
    palette.setColor(QPalette::Base, kBoardColour);
    m_board->setPalette(palette);

    Configuration &config = m_context.configuration;
    config.refresh();
    const MainLayout layout = MainLayout::compute(config.extendedLayout(), config.monitorMode());
    place(m_frame1, layout.uploadGroup);
    place(m_cmdPCSTB[6], layout.button2MB);
    place(m_cmdPCSTB[9], layout.buttonSmcOsd);
    for (int i = 0; i < m_cmdOSD.size(); ++i)
        place(m_cmdOSD[i], layout.osdButtons[i]);
    for (QWidget *w : {static_cast<QWidget *>(m_cmdPCSTB[6]), static_cast<QWidget *>(m_cmdPCSTB[9])}) {
        // Off the window means out of reach: no Tab, no Space, no access key.
        w->setVisible(w->x() < twipsToPixels(MainLayout::kClientWidth, logicalDpiX()));
        w->raise();
    }
    if (m_cmdPCSTB[9]->isHidden())
        OSD_Commands_Visible(false);
    for (QPushButton *b : m_cmdOSD)
        b->raise();
    place(m_frame4, layout.editGroup);
    place(m_frame5, layout.serialGroup);
    place(m_board, layout.messageBoard);
    m_board->setVisible(layout.boardVisible);
    m_label9->setVisible(layout.boardVisible);
    m_context.link.setMonitorMode(layout.boardVisible);
    const int dpi = logicalDpiY();
    setFixedSize(twipsToPixels(MainLayout::kClientWidth, dpi), twipsToPixels(layout.clientHeight(), dpi));
}

void frmMain::cmdChEditEnable(bool value)
{
    for (QPushButton *b : m_cmdCHEdit)
        b->setEnabled(value);
}

void frmMain::OSD_Commands_Visible(bool value)
{
    for (QPushButton *b : m_cmdOSD)
        b->setVisible(value);
}

bool frmMain::eventFilter(QObject *watched, QEvent *event)
{
    auto *button = qobject_cast<QPushButton *>(watched);
    if (button && event->type() == QEvent::Shortcut) {
        // An access key gives focus as hover does, so the EDIT groups open from the keyboard too.
        if (button->isEnabled())
            button->setFocus(Qt::ShortcutFocusReason);
    } else if (button && event->type() == QEvent::Enter) {
        // Hover gives focus, so the focus rules below follow the mouse.
        if (button->isEnabled())
            button->setFocus(Qt::MouseFocusReason);
    } else if (button && event->type() == QEvent::FocusIn) {
        const int index = button->property(kIndexProperty).toInt();
        if (m_cmdPCSTB.contains(button))
            uploadButtonFocused(index);
        else if (m_cmdTPEDIT.contains(button))
            tpEditButtonFocused(index);
        else if (m_cmdCHEdit.contains(button))
            chEditButtonFocused(index);
    }
    return QWidget::eventFilter(watched, event);
}

void frmMain::uploadButtonFocused(int index)
{
    if (index != 9)
        OSD_Commands_Visible(false);
    else if (m_context.configuration.operatingMode() == Configuration::FactoryMode)
        OSD_Commands_Visible(true);
    if (index == 7 || index == 8) {
        m_lblTPEdit->clear();
        m_lblTPEdit->show();
        m_frame2->setVisible(index == 7);
        m_frame3->setVisible(index == 8);
    } else {
        m_lblTPEdit->hide();
        m_frame2->hide();
        m_frame3->hide();
    }
    // Alt+F: "&File Open" while the channel group is shown, the factory mode switch otherwise.
    m_cmdUserMode[1]->setEnabled(m_frame3->isHidden());
}

void frmMain::tpEditButtonFocused(int index)
{
    m_lblTPEdit->setText(index == 0 ? QStringLiteral("Download TP Info from Internet.")
                                    : QStringLiteral("Make TP binary file."));
}

void frmMain::chEditButtonFocused(int index)
{
    m_lblTPEdit->setText(index == 0 ? QStringLiteral("Get channel data from set.")
                                    : QStringLiteral("Edit channel data."));
}

void frmMain::showTransferPortState(bool open)
{
    if (open) {
        m_timer2.start();
        m_shape2->setColour(kDarkRed);
        m_lblCon->setText(QStringLiteral("Port Opened"));
    } else {
        m_timer2.stop();
        m_shape2->setColour(kBrightRed);
        m_shape1->setColour(kDarkGreen);
        m_lblCon->setVisible(true);
        m_lblCon->setText(QStringLiteral("Port Closed"));
    }
}

void frmMain::blink()
{
    m_lblCon->setVisible(!m_lblCon->isVisible());
    m_shape1->setColour(m_shape1->colour() == kDarkGreen ? kBrightGreen : kDarkGreen);
}

void frmMain::portBoxClicked()
{
    ReceiverLink &link = m_context.link;
    if (!link.monitorMode())
        return;
    link.portOpen(false);
    if (Status s = link.RS232_Connect(); !s)
        showError(s);
    link.portOpen(true);
}

void frmMain::closeEvent(QCloseEvent *event)
{
    if (m_context.link.monitorMode())
        m_context.link.portOpen(false);
    event->accept();
}
