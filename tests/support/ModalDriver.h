#pragma once

#include <QApplication>
#include <QList>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <functional>

// Plays the user's part in modal dialogs: every few milliseconds the current
// step is offered the active modal widget, and it returns true once it acted.
// A dialog that is still up after a step acted on it (a file dialog still
// loading its folder, say) gets the same step again.
class ModalDriver : public QObject {
public:
    using Step = std::function<bool(QWidget *modal)>;

    explicit ModalDriver(QList<Step> steps) : m_steps(std::move(steps))
    {
        m_timer.setInterval(20);
        QObject::connect(&m_timer, &QTimer::timeout, this, [this] { poll(); });
        m_timer.start();
    }

    bool finished() const { return m_next >= m_steps.size() && !m_lastActedOn; }

private:
    void poll()
    {
        QWidget *modal = QApplication::activeModalWidget();
        if (m_lastActedOn) {
            if (modal && modal == m_lastActedOn && m_lastActedOn->isVisible()) {
                m_steps[m_next - 1](modal);
                return;
            }
            m_lastActedOn = nullptr;
        }
        if (m_next >= m_steps.size()) {
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
