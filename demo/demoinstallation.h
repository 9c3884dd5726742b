#pragma once

#include <QString>
#include <QStringList>

// Writes a small demo installation into `dataPath` (the folder that then
// holds Korvalis/ and KorvalisEditor/): one example item of every kind with
// its pictures, each written by its own editor driven offscreen through New,
// the picture pick and Save, so the demo is always in the current layout.
// Needs a QApplication. False with `problems` set when anything went wrong.
bool makeDemoInstallation(const QString &dataPath, QStringList *problems);
