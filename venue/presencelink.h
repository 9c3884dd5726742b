#pragma once

#include <QString>

// The venue's link to its fish-presence list: "\KVS\PesciNord.kvs", a path
// relative to the venue folder, with the backslashes of the game's files.
namespace PresenceLink {

// The link shown for a list of the presence folder: "\KVS\" + name.
QString fromFileName(const QString &fileName);

// The list's file name: the text after the last backslash (or slash).
QString fileName(const QString &link);

// The stored value of FILE_PRESENZA_PESCI: without the ".kvs" ending (any
// letter case) and with every backslash doubled.
QString encode(const QString &link);
// The link read back from a stored value: ".kvs" appended, then every
// doubled backslash made single again.
QString decode(const QString &stored);

// True when the link names a list inside the presence folder:
// "\KVS\" (either slash, any letter case) and a bare file name.
bool isInPresenceFolder(const QString &link);

// The archive entry of the list: the link without its first backslash.
QString zipEntry(const QString &link);

} // namespace PresenceLink
