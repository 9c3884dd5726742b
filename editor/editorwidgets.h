#pragma once

#include <QImage>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QWidget>

// Item texts become single-line INI values that the writer does not escape:
// a line break inside one would corrupt the file. These controls keep the
// texts on one line whatever way text arrives. Their length limit holds for
// what the user types, pastes or drops, as on Windows edit controls; text
// set by the program (read from a file) is shown whole, so opening and
// saving a hand-edited item never shortens it.

// Removes line breaks (a break becomes one blank).
QString flattenLineBreaks(QString text);

// The text after a user's edit from `before` to `after`, with the inserted
// part cut to the room that `maxLength` leaves; what the edit removed stays
// removed. `cursor` (the position after the edit, -1 when unknown) places
// the insertion; `newCursor` receives the position after the kept part.
QString limitEdit(const QString &before, const QString &after, qsizetype cursor,
                  qsizetype maxLength, qsizetype *newCursor = nullptr);

class LimitedMemo : public QPlainTextEdit
{
    Q_OBJECT

public:
    explicit LimitedMemo(int maxLength, QWidget *parent = nullptr);
    int maxLength() const { return m_maxLength; }
    QString text() const { return toPlainText(); }
    // Shows `text` on one line and whole, even beyond the limit.
    void setText(const QString &text);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void insertFromMimeData(const QMimeData *source) override;

private:
    void enforce();

    int m_maxLength;
    bool m_enforcing = false;
    QString m_accepted; // the text before the edit being checked
};

class NameEdit : public QLineEdit
{
    Q_OBJECT

public:
    explicit NameEdit(int maxLength, QWidget *parent = nullptr);
    int limit() const { return m_maxLength; }
    // Shows `text` on one line and whole, even beyond the limit.
    void setText(const QString &text);

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void enforce(const QString &edited);

    int m_maxLength;
    QString m_accepted; // the text before the edit being checked
};

// Shows a picture centred and stretched to the view.
class PictureView : public QWidget
{
    Q_OBJECT

public:
    explicit PictureView(QWidget *parent = nullptr);
    void setImage(const QImage &image);
    void clear();
    const QImage &image() const { return m_image; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QImage m_image;
};
