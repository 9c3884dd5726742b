#pragma once

#include "itemcheck.h"
#include "kinds.h"

#include <QStringList>

#include <functional>
#include <optional>

class QTextStream;

// Checks one item file of kind `kind` as the editor would read it. Never
// writes; reads at most kMaxItemFileSize bytes of it.
std::vector<Finding> checkItemFile(const QString &path, ItemKind kind);

// korvalisedit --check PATH...: checks item files, kind folders or whole
// data folders (walked recursively, symbolic links to folders not
// followed) and prints one line per finding, or one JSON document.
// Returns 0 without errors, 1 with at least one, 2 for a usage error or a
// PATH that does not exist.
int runCheckCommand(const QStringList &paths, bool json, QTextStream &out, QTextStream &err);
