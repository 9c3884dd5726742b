#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QTimer>

// Ends the program once the watched window has painted for the first time,
// so that start-up can be measured from outside. Install it on the window,
// as its child.
class QuitAfterFirstPaint : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && watched == parent()) {
            watched->removeEventFilter(this);
            // Queued, so the paint and the flush to the screen complete.
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        }
        return false;
    }
};
