#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include "testfiles.h"

// A machine-wide data folder of its own for one test: the game's folders
// and settings file, and the editor's folder, as an installation has them.
class TestInstallation
{
public:
    explicit TestInstallation(bool withGame = true, bool withEditorFolder = true)
    {
        if (withGame) {
            for (const char *kind : {"Ami", "Esche", "Galleggianti", "Luoghi", "Luoghi/KVS",
                                     "Pasture", "Piombi", "Canne", "Mulinelli"})
                QDir().mkpath(game() + QString::fromLatin1(kind));
            write(game() + QStringLiteral("Korvalis.ini"), "[KORVALIS]\r\n");
        }
        if (withEditorFolder)
            QDir().mkpath(editor());
    }

    QString dataPath() const { return m_dir.path(); }
    QString game() const { return m_dir.path() + QStringLiteral("/Korvalis/"); }
    QString editor() const { return m_dir.path() + QStringLiteral("/KorvalisEditor/"); }
    QString settings() const { return editor() + QStringLiteral("KorvalisEdit.ini"); }

    static void write(const QString &path, const QByteArray &bytes)
    {
        TestFiles::write(path, bytes);
    }
    static QByteArray read(const QString &path) { return TestFiles::read(path); }

private:
    QTemporaryDir m_dir;
};
