#pragma once

#include "fishlists.h"
#include "itemcheck.h"

#include <QByteArray>

// What the command-line checker says of the fish lists' values.

// How a list's values are read: presence percentages or groundbait flags.
enum class SpeciesValues { Percent, Flag };

// Checks the species section of `acqua` in the file `c` reads: keys that are
// no species of that water, species that are missing, and values.
void checkSpeciesSection(FileCheck &c, Acqua acqua, SpeciesValues values);

// Checks a fish-presence list (.kvs): which section the editor takes and
// its values.
std::vector<Finding> checkPresenceBytes(const QByteArray &bytes);
