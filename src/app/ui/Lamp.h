#pragma once

#include <QColor>
#include <QWidget>

// A round indicator lamp of one colour.
class Lamp : public QWidget {
    Q_OBJECT
public:
    explicit Lamp(const QColor &colour, QWidget *parent = nullptr);

    QColor colour() const { return m_colour; }
    void setColour(const QColor &colour);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QColor m_colour;
};
