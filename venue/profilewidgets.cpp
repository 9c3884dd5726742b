#include "profilewidgets.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPaintEvent>

ProfileShape::ProfileShape(QWidget *parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_NoSystemBackground);
}

void ProfileShape::setPen(const QColor &colour, Pen style)
{
    if (colour == m_colour && style == m_style)
        return;
    m_colour = colour;
    m_style = style;
    updateOpacity();
    update();
}

void ProfileShape::setLook(const QColor &colour, Pen style, int h)
{
    setPen(colour, style);
    if (height() != h)
        resize(width(), h);
}

void ProfileShape::updateOpacity()
{
    // A solid outline of one or two rows covers every pixel: nothing
    // beneath needs painting when it changes.
    setAttribute(Qt::WA_OpaquePaintEvent, m_style == Pen::Solid && height() <= 2);
}

void ProfileShape::resizeEvent(QResizeEvent *event)
{
    updateOpacity();
    QWidget::resizeEvent(event);
}

void ProfileShape::paintEvent(QPaintEvent *)
{
    if (m_style == Pen::Clear)
        return;
    QPainter p(this);
    const int w = width();
    const int h = height();
    if (m_style == Pen::Solid) {
        // The outline: top and bottom rows, left and right columns.
        p.fillRect(0, 0, w, 1, m_colour);
        p.fillRect(0, h - 1, w, 1, m_colour);
        p.fillRect(0, 0, 1, h, m_colour);
        p.fillRect(w - 1, 0, 1, h, m_colour);
        return;
    }
    // Dotted: every other pixel of the outline.
    p.setPen(m_colour);
    for (int x = 0; x < w; x += 2) {
        p.drawPoint(x, 0);
        p.drawPoint(x, h - 1);
    }
    for (int y = 0; y < h; y += 2) {
        p.drawPoint(0, y);
        p.drawPoint(w - 1, y);
    }
}

ProfileOverlay::ProfileOverlay(QWidget *parent)
    : QWidget(parent)
{
    setMouseTracking(true);
}

void ProfileOverlay::clear()
{
    // Sized here rather than on resize events, which a hidden window
    // does not get yet.
    if (m_canvas.size() != size())
        m_canvas = QImage(size(), QImage::Format_ARGB32_Premultiplied);
    m_canvas.fill(Qt::transparent);
    update();
}

void ProfileOverlay::drawLine(const Profilo::TypeLine &line, const QColor &colour)
{
    const QRgb rgb = colour.rgb() | 0xff000000u;
    QRect dirty;
    for (const QPoint &pt : line.pixels()) {
        if (!m_canvas.rect().contains(pt))
            continue;
        m_canvas.setPixel(pt, rgb);
        dirty |= QRect(pt, QSize(1, 1));
    }
    if (!dirty.isNull())
        update(dirty);
}

void ProfileOverlay::paintEvent(QPaintEvent *event)
{
    if (m_canvas.isNull())
        return;
    QPainter p(this);
    const QRect r = event->rect();
    p.drawImage(r, m_canvas, r);
}

void ProfileOverlay::mousePressEvent(QMouseEvent *event)
{
    Profilo::Button b = Profilo::Button::Middle; // any other button changes nothing
    if (event->button() == Qt::LeftButton)
        b = Profilo::Button::Left;
    else if (event->button() == Qt::RightButton)
        b = Profilo::Button::Right;
    const QPoint pt = event->position().toPoint();
    Q_EMIT pressed(pt.x(), pt.y(), b);
    event->accept();
}

void ProfileOverlay::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint pt = event->position().toPoint();
    Q_EMIT moved(pt.x(), pt.y());
}

void ProfileOverlay::leaveEvent(QEvent *event)
{
    Q_EMIT left();
    QWidget::leaveEvent(event);
}
