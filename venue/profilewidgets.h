#pragma once

#include "profilecore.h"

#include <QColor>
#include <QImage>
#include <QWidget>

// A rectangle shape whose outline pen draws it; at a height of one or two
// pixels it is a horizontal line. Used for the surface markers and the
// lower limit line.
class ProfileShape : public QWidget
{
    Q_OBJECT

public:
    enum class Pen { Solid, Dot, Clear };

    explicit ProfileShape(QWidget *parent = nullptr);

    void setPen(const QColor &colour, Pen style);
    // Changes only what differs, so an unchanged marker costs no repaint.
    void setLook(const QColor &colour, Pen style, int height);
    const QColor &penColor() const { return m_colour; }
    Pen penStyle() const { return m_style; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void updateOpacity();

    QColor m_colour;
    Pen m_style = Pen::Solid;
};

// The transparent drawing surface over the photo: it receives the mouse
// and carries the limit-type lines. Its background is real alpha, so any
// line colour, pure blue included, shows over the photo.
class ProfileOverlay : public QWidget
{
    Q_OBJECT

public:
    explicit ProfileOverlay(QWidget *parent = nullptr);

    // Clears the whole surface to transparent (and sizes it to the widget).
    void clear();
    // Draws a line without its end point.
    void drawLine(const Profilo::TypeLine &line, const QColor &colour);
    const QImage &canvas() const { return m_canvas; }

Q_SIGNALS:
    void pressed(int x, int y, Profilo::Button button);
    void moved(int x, int y);
    void left();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    QImage m_canvas;
};
