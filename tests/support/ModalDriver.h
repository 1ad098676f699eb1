#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QList>
#include <QMessageBox>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <functional>

// Plays the user's part in modal dialogs: every few milliseconds the current
// step is offered the active modal widget, and it returns true once it acted.
// The next step waits until that widget has gone.
class ModalDriver : public QObject {
public:
    using Step = std::function<bool(QWidget *modal)>;

    explicit ModalDriver(QList<Step> steps) : m_steps(std::move(steps))
    {
        m_timer.setInterval(20);
        QObject::connect(&m_timer, &QTimer::timeout, this, [this] { poll(); });
        m_timer.start();
    }

    bool finished() const { return m_next >= m_steps.size(); }

private:
    void poll()
    {
        QWidget *modal = QApplication::activeModalWidget();
        if (m_lastActedOn && modal == m_lastActedOn && m_lastActedOn->isVisible())
            return;  // still closing
        m_lastActedOn = nullptr;
        if (finished()) {
            m_timer.stop();
            return;
        }
        if (modal && m_steps[m_next](modal)) {
            m_lastActedOn = modal;
            ++m_next;
        }
    }

    QList<Step> m_steps;
    qsizetype m_next = 0;
    QPointer<QWidget> m_lastActedOn;
    QTimer m_timer;
};

// Does `act` while `steps` play the user's part in the dialogs it opens.
inline void throughDialogs(QList<ModalDriver::Step> steps, const std::function<void()> &act)
{
    ModalDriver driver(std::move(steps));
    act();
    QTRY_VERIFY(driver.finished());
}

// Steps for the usual dialogs.
namespace modal {

// Chooses `path` in a file dialog and accepts it (titles, if given, collects the dialog's title).
inline ModalDriver::Step chooseFile(const QString &path, QStringList *titles = nullptr)
{
    return [path, titles](QWidget *widget) {
        auto *dialog = qobject_cast<QFileDialog *>(widget);
        if (!dialog)
            return false;
        const QFileInfo info(path);
        if (QFileInfo(dialog->directory().absolutePath()) != QFileInfo(info.absolutePath()))
            dialog->setDirectory(info.absolutePath());
        // Typed into the name box, as a user would; selectFile() loses names of files
        // that do not exist while the folder is still loading.
        if (auto *name = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit")))
            name->setText(info.fileName());
        if (dialog->selectedFiles().value(0) != path)
            return false;  // the dialog has not taken the folder yet; try again
        if (titles)
            titles->append(dialog->windowTitle());
        QMetaObject::invokeMethod(dialog, "done", Qt::QueuedConnection, Q_ARG(int, QDialog::Accepted));
        return true;
    };
}

inline ModalDriver::Step cancelFileDialog(QStringList *titles = nullptr)
{
    return [titles](QWidget *widget) {
        auto *dialog = qobject_cast<QFileDialog *>(widget);
        if (!dialog)
            return false;
        if (titles)
            titles->append(dialog->windowTitle());
        QMetaObject::invokeMethod(dialog, "reject", Qt::QueuedConnection);
        return true;
    };
}

// Answers a message box with `button` (queued, so a box shown from a close event
// returns first), noting its text when texts is given.
inline ModalDriver::Step answerBox(QMessageBox::StandardButton button, QStringList *texts = nullptr)
{
    return [button, texts](QWidget *widget) {
        auto *box = qobject_cast<QMessageBox *>(widget);
        if (!box)
            return false;
        if (texts)
            texts->append(box->text());
        QMetaObject::invokeMethod(box->button(button), "click", Qt::QueuedConnection);
        return true;
    };
}

// Answers a message box with its default button, noting its text.
inline ModalDriver::Step acknowledgeBox(QStringList *texts)
{
    return [texts](QWidget *widget) {
        auto *box = qobject_cast<QMessageBox *>(widget);
        if (!box)
            return false;
        texts->append(box->text());
        QMetaObject::invokeMethod(box, "accept", Qt::QueuedConnection);
        return true;
    };
}

}  // namespace modal
