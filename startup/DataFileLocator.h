#pragma once

#include <QList>
#include <QString>

namespace mivesk {

// The dictionary file's name; it ships beside the program.
inline constexpr const char* DataFileName = "50on_dic.dat";

// One place the dictionary may be.
struct DataFilePlace {
    // The path the file is opened by; relative for the current folder.
    QString path;
    // The same place for a person to read: a whole path where one is known.
    QString shown;
};

// Where the dictionary file may be, most local first: the current folder,
// by the bare name; beside the executable; the share/mivesk folder beside
// the executable's folder (an installed tree, wherever its prefix was moved
// to); and the user's and the system's data folders. A place whose folder
// cannot be known is left out rather than guessed.
QList<DataFilePlace> dataFileCandidates();

} // namespace mivesk
