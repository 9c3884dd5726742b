#pragma once

#include <QString>

#include <stdexcept>

// A platform failure (picture not loadable, write failed...). It ends the
// current user action at the failing step; the action's boundary shows it
// through the general error display.
class KvError : public std::runtime_error
{
public:
    explicit KvError(const QString &text)
        : std::runtime_error(text.toStdString())
        , m_text(text)
    {
    }
    const QString &text() const noexcept { return m_text; }

private:
    QString m_text;
};
