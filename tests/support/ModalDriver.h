#pragma once

#include <QApplication>
#include <QList>
#include <QTimer>
#include <QWidget>

#include <functional>

// Plays the user's part in modal dialogs: every few milliseconds the current
// step is offered the active modal widget, and it returns true once it acted.
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
    QStringList seenTexts;  // texts of message boxes the steps looked at

private:
    void poll()
    {
        if (finished()) {
            m_timer.stop();
            return;
        }
        QWidget *modal = QApplication::activeModalWidget();
        if (modal && m_steps[m_next](modal))
            ++m_next;
    }

    QList<Step> m_steps;
    qsizetype m_next = 0;
    QTimer m_timer;
};
