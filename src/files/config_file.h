#pragma once
// The configuration file "RZ-V70_Writer.INI". It has the clone file's text
// format; at start-up only its port line ("COMPORT07") is read.
#include "files/clone_section.h"
#include "files/file_outcome.h"

#include <QString>

namespace rz::config {

constexpr int PortCount = 16;

struct PortSetting {
    bool fileRead = false; // the file could be opened and read
    int port = 1;          // the selected port, 1..16
    int checkedItem = 0;   // the Port menu item to check, 0 for none
};

// The desktop program's identity in an installed layout: the desktop entry
// <prefix>/share/applications/<AppId>.desktop, its icon and metainfo.
constexpr char AppId[] = "org.rzv70.Writer";

// Whether the program in `programDir` runs from an install prefix (a
// package or "cmake --install"): its desktop entry lies in ../share beside
// it (on Windows: the installer's uninstaller lies beside it). Such a folder
// is never written to, even by root.
bool isInstalledLayout(const QString& programDir);

// The file beside the program when that folder is writable and not an
// install prefix, otherwise in the user's configuration folder.
// RZ_V70_CONFIG overrides both.
QString defaultPath();
QString defaultPath(const QString& programDir);

// Where the file dialogs start: the user's documents folder for an
// installed program, the program's own folder otherwise.
QString startFolder();
QString startFolder(const QString& programDir);

// Missing or unreadable file, or no "CO" line: port 1 and no check mark.
// A 9-character "CO" line gives the port of its last two characters; any
// other line, or a number of 0, above 16 or none at all, gives port 1.
PortSetting readPort(const QString& path);

// The port line written for port n: "COMPORT07".
QString portLine(int port);

// Saves the whole clone text as the configuration file, making its folder
// first when it is the user's configuration folder and does not exist yet.
FileOutcome write(const QString& path, const clone::CloneSections& sections);

} // namespace rz::config
