#include "editorwidgets.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMimeData>
#include <QPainter>
#include <QTextCursor>

using namespace Qt::StringLiterals;

QString flattenLineBreaks(QString text)
{
    text.replace(u"\r\n"_s, u" "_s);
    text.replace(u'\r', u' ');
    text.replace(u'\n', u' ');
    text.replace(QChar::ParagraphSeparator, u' ');
    text.replace(QChar::LineSeparator, u' ');
    return text;
}

LimitedMemo::LimitedMemo(int maxLength, QWidget *parent)
    : QPlainTextEdit(parent)
    , m_maxLength(maxLength)
{
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setTabChangesFocus(true);
    // Typing, undo, drag and drop: every change ends up within the limit.
    connect(this, &QPlainTextEdit::textChanged, this, &LimitedMemo::enforce);
}

void LimitedMemo::setText(const QString &text)
{
    const QString fixed = flattenLineBreaks(text).left(m_maxLength);
    // Laying the text out is the dearest part of opening an item; spare it
    // when nothing changes.
    if (fixed != toPlainText())
        document()->setPlainText(fixed);
}

void LimitedMemo::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->ignore();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void LimitedMemo::insertFromMimeData(const QMimeData *source)
{
    if (!source || !source->hasText())
        return;
    const QString selected = textCursor().selectedText();
    const qsizetype room = m_maxLength - (toPlainText().size() - selected.size());
    if (room <= 0)
        return;
    textCursor().insertText(flattenLineBreaks(source->text()).left(room));
}

void LimitedMemo::enforce()
{
    if (m_enforcing)
        return;
    const QString current = toPlainText();
    const QString fixed = flattenLineBreaks(current).left(m_maxLength);
    if (fixed == current)
        return;
    m_enforcing = true;
    const int pos = std::min<int>(textCursor().position(), int(fixed.size()));
    setPlainText(fixed);
    QTextCursor c = textCursor();
    c.setPosition(pos);
    setTextCursor(c);
    m_enforcing = false;
}

NameEdit::NameEdit(int maxLength, QWidget *parent)
    : QLineEdit(parent)
{
    setMaxLength(maxLength);
    // The context menu's Paste and drops bypass keyPressEvent.
    connect(this, &QLineEdit::textChanged, this, [this](const QString &t) {
        const QString flat = flattenLineBreaks(t);
        if (flat != t)
            QLineEdit::setText(flat);
    });
}

void NameEdit::setText(const QString &text)
{
    QLineEdit::setText(flattenLineBreaks(text));
}

void NameEdit::keyPressEvent(QKeyEvent *event)
{
    if (event->matches(QKeySequence::Paste)) {
        // QLineEdit would keep only the first line of a multi-line paste.
        insert(flattenLineBreaks(QGuiApplication::clipboard()->text()));
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

PictureView::PictureView(QWidget *parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent, false);
}

void PictureView::setImage(const QImage &image)
{
    m_image = image;
    update();
}

void PictureView::clear()
{
    m_image = QImage();
    update();
}

void PictureView::paintEvent(QPaintEvent *)
{
    if (m_image.isNull())
        return;
    QPainter p(this);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(rect(), m_image);
}
