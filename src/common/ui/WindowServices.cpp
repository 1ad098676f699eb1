#include "common/ui/WindowServices.h"

#include "common/TextServices.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPalette>
#include <QProgressBar>
#include <QWidget>

QString applicationTitle()
{
    return QCoreApplication::applicationName();
}

namespace {
void setOnTop(QWidget *window, bool onTop)
{
    const QRect geometry = window->geometry();
    const bool hadGeometry = window->testAttribute(Qt::WA_WState_Created);
    window->setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
    if (hadGeometry)
        window->setGeometry(geometry);
    window->show();
}
}  // namespace

void KeepOnTop(QWidget *window)
{
    setOnTop(window, true);
}

void ReleaseOnTop(QWidget *window)
{
    setOnTop(window, false);
}

void SetProgressBarColor(QProgressBar *bar, const QColor &colour)
{
    QPalette palette = bar->palette();
    palette.setColor(QPalette::Highlight, colour);
    bar->setPalette(palette);
}

void ShortenPathCaption(QLabel *label, const QString &path)
{
    label->setText(ShortenPathCaption(path));
}

void showExclamation(QWidget *owner, const QString &text, const QString &title)
{
    QMessageBox::warning(owner, title, text);
}

BusyCursor::BusyCursor()
{
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
}

BusyCursor::~BusyCursor()
{
    QGuiApplication::restoreOverrideCursor();
}
