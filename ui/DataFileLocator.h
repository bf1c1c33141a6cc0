#pragma once

#include <QString>
#include <QStringList>

namespace mivesk {

// The dictionary file's name; it ships beside the program.
inline constexpr const char* DataFileName = "50on_dic.dat";

// Where the dictionary file may be, most local first: the current
// directory, beside the executable, the share/mivesk folder beside the
// executable's folder (an installed tree that has been moved), and the
// folder the program was installed to.
QStringList dataFileCandidates();

} // namespace mivesk
