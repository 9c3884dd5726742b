#pragma once

#include <QImage>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QWidget>

// Item texts become single-line INI values that the writer does not escape:
// a line break inside one would corrupt the file. These controls keep the
// texts on one line and within their length, whatever way text arrives.

// Removes line breaks (a break becomes one blank).
QString flattenLineBreaks(QString text);

class LimitedMemo : public QPlainTextEdit
{
    Q_OBJECT

public:
    explicit LimitedMemo(int maxLength, QWidget *parent = nullptr);
    int maxLength() const { return m_maxLength; }
    QString text() const { return toPlainText(); }
    void setText(const QString &text);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void insertFromMimeData(const QMimeData *source) override;

private:
    void enforce();

    int m_maxLength;
    bool m_enforcing = false;
};

class NameEdit : public QLineEdit
{
    Q_OBJECT

public:
    explicit NameEdit(int maxLength, QWidget *parent = nullptr);
    void setText(const QString &text);

protected:
    void keyPressEvent(QKeyEvent *event) override;
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
