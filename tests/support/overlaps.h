#pragma once

#include <QRegularExpression>
#include <QStringList>
#include <QWidget>

// Every two visible controls of `client` that lie on top of each other, as
// "A / B" by object name; controls whose names both match `layered` (what
// is drawn on a photo by design) are left out.
inline QStringList overlappingControls(const QWidget *client, const QString &layered = QString())
{
    const QRegularExpression onTop(QStringLiteral("^(%1)$").arg(layered));
    const auto designed = [&](const QWidget *w) {
        return !layered.isEmpty() && onTop.match(w->objectName()).hasMatch();
    };
    QStringList found;
    QList<QWidget *> shown;
    for (QWidget *w : client->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
        if (w->isVisible())
            shown << w;
    for (qsizetype i = 0; i < shown.size(); ++i)
        for (qsizetype j = i + 1; j < shown.size(); ++j)
            if (shown[i]->geometry().intersects(shown[j]->geometry())
                && !(designed(shown[i]) && designed(shown[j])))
                found << shown[i]->objectName() + QStringLiteral(" / ") + shown[j]->objectName();
    return found;
}
