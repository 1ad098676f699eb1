#include "app/ui/Lamp.h"

#include <QPainter>

Lamp::Lamp(const QColor &colour, QWidget *parent) : QWidget(parent), m_colour(colour)
{
}

void Lamp::setColour(const QColor &colour)
{
    if (colour == m_colour)
        return;
    m_colour = colour;
    update();
}

void Lamp::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(m_colour);
    painter.drawEllipse(rect().adjusted(1, 1, -1, -1));
}
