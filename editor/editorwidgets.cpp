#include "editorwidgets.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMimeData>
#include <QPainter>
#include <QTextCursor>

#include <algorithm>

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

QString limitEdit(const QString &before, const QString &after, qsizetype cursor,
                  qsizetype maxLength, qsizetype *newCursor)
{
    if (newCursor)
        *newCursor = cursor < 0 ? after.size() : std::min(cursor, after.size());
    if (after.size() <= maxLength || after == before)
        return after;
    // The edit kept a prefix and a suffix of `before` and put something in
    // between. The cursor stands after what was put in, when it is known.
    const qsizetype shorter = std::min(before.size(), after.size());
    qsizetype suffix = -1;
    if (cursor >= 0 && cursor <= after.size()) {
        const qsizetype q = after.size() - cursor;
        if (q <= before.size() && before.endsWith(QStringView(after).right(q)))
            suffix = q;
    }
    qsizetype prefix = 0;
    const qsizetype prefixMax =
        suffix >= 0 ? std::min(before.size() - suffix, after.size() - suffix) : shorter;
    while (prefix < prefixMax && before[prefix] == after[prefix])
        ++prefix;
    if (suffix < 0) {
        suffix = 0;
        while (suffix < shorter - prefix
               && before[before.size() - 1 - suffix] == after[after.size() - 1 - suffix])
            ++suffix;
    }
    const qsizetype room = std::max<qsizetype>(0, maxLength - (prefix + suffix));
    const QString inserted = after.mid(prefix, after.size() - suffix - prefix).left(room);
    if (newCursor)
        *newCursor = prefix + inserted.size();
    return after.left(prefix) + inserted + after.right(suffix);
}

LimitedMemo::LimitedMemo(int maxLength, QWidget *parent)
    : QPlainTextEdit(parent)
    , m_maxLength(maxLength)
{
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setTabChangesFocus(true);
    // Typing, undo, drag and drop: every change by the user ends up within
    // the limit.
    connect(this, &QPlainTextEdit::textChanged, this, &LimitedMemo::enforce);
}

void LimitedMemo::setText(const QString &text)
{
    const QString fixed = flattenLineBreaks(text);
    m_accepted = fixed;
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
    // enforce() cuts what does not fit.
    textCursor().insertText(flattenLineBreaks(source->text()));
}

void LimitedMemo::enforce()
{
    if (m_enforcing)
        return;
    const QString current = toPlainText();
    qsizetype pos = textCursor().position();
    const QString fixed = limitEdit(m_accepted, flattenLineBreaks(current), pos, m_maxLength, &pos);
    m_accepted = fixed;
    if (fixed == current)
        return;
    m_enforcing = true;
    setPlainText(fixed);
    QTextCursor c = textCursor();
    c.setPosition(int(std::min(pos, fixed.size())));
    setTextCursor(c);
    m_enforcing = false;
}

NameEdit::NameEdit(int maxLength, QWidget *parent)
    : QLineEdit(parent)
    , m_maxLength(maxLength)
{
    // No QLineEdit::maxLength: it would also cut text set from a file.
    // textEdited comes for typing, pasting, dropping and undo, never for
    // setText, and before textChanged.
    connect(this, &QLineEdit::textEdited, this, &NameEdit::enforce);
    connect(this, &QLineEdit::textChanged, this, [this] {
        // The context menu's Paste and drops bypass keyPressEvent.
        const QString current = text();
        const QString flat = flattenLineBreaks(current);
        if (flat != current)
            QLineEdit::setText(flat);
        m_accepted = text();
    });
}

void NameEdit::setText(const QString &text)
{
    QLineEdit::setText(flattenLineBreaks(text));
}

void NameEdit::enforce(const QString &edited)
{
    qsizetype pos = cursorPosition();
    const QString fixed = limitEdit(m_accepted, flattenLineBreaks(edited), pos, m_maxLength, &pos);
    if (fixed == edited)
        return;
    QLineEdit::setText(fixed);
    setCursorPosition(int(pos));
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
