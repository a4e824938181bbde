#pragma once
// What the windows are given of the system: the registry, the file system and its folders, the
// process list, process control and the one sound player. The application builds the system's
// own once (SystemPorts) and hands each window what it uses; a test hands in fakes where it
// wants them.
#include "ports/file_system.h"
#include "ports/process_control.h"
#include "ports/processes.h"
#include "ports/registry.h"
#include "win/actions/media_player.h"
#include "win/sys/file_system_win.h"
#include "win/sys/process_control_win.h"
#include "win/sys/process_win.h"
#include "win/sys/registry_win.h"

namespace klaxora::win {

struct WindowPorts {
    RegistryPort& registry;
    FileSystemPort& files;
    SystemFoldersPort& folders;
    ProcessWatchPort& processes;
    ProcessControlPort& processControl;
    MediaPlayer& player;
};

struct SystemPorts {
    Win32Registry registry;
    Win32FileSystem files;
    Win32ProcessWatch processes;
    Win32ProcessControl processControl;
    MediaPlayer player;
    WindowPorts Ports() { return {registry, files, files, processes, processControl, player}; }
};

}  // namespace klaxora::win
