#pragma once
// What the windows are given of the system: the registry, the file system and its folders, the
// process list, process control, the system operations and the key sink, the shell's opening of
// documents, the program's own facts and the one sound device with the alarm's playback on it.
// The application builds the system's own once (SystemPorts) and hands every window the same
// bundle in its constructor; a test hands in fakes where it wants them.
#include <string>

#include "actions/key_names.h"
#include "app/startup.h"
#include "ports/file_system.h"
#include "ports/process_control.h"
#include "ports/processes.h"
#include "ports/registry.h"
#include "ports/system_ops.h"
#include "win/actions/alarm_sound.h"
#include "win/actions/sound_device.h"
#include "win/sys/file_system_win.h"
#include "win/sys/key_sink_win.h"
#include "win/sys/process_control_win.h"
#include "win/sys/process_win.h"
#include "win/sys/program_info.h"
#include "win/sys/registry_win.h"
#include "win/sys/system_ops_win.h"
#include "win/ui/file_dialogs.h"

// mmsystem's macro (through the system operations) would rename the sound action.
#undef PlaySound

namespace klaxora::win {

// What the windows show and use of the program itself.
struct ProgramFacts {
    std::wstring executablePath;  // written as the Run key's "Alarm"
    std::wstring version;         // from the executable's version information
    std::wstring helpFile;        // the help page beside the program
};

struct WindowPorts {
    RegistryPort& registry;
    FileSystemPort& files;
    SystemFoldersPort& folders;
    ProcessWatchPort& processes;  // also whether the Internet is there
    ProcessControlPort& processControl;
    SystemOperations& operations;
    KeyEventSink& keys;
    DocumentOpener& documents;
    const ProgramFacts& program;
    SoundDevice& sound;  // the sound panel's transport works it
    AlarmSound& alarmSound;

    // The help page is offered while it exists; opened maximised, and a page gone meanwhile is
    // reported as the shell's refusal.
    bool HelpExists() const {
        return !program.helpFile.empty() && files.FileExists(program.helpFile);
    }
    void OpenHelp(HWND owner) const { documents.Open(owner, program.helpFile, SW_SHOWMAXIMIZED); }
};

struct SystemPorts {
    Win32Registry registry;
    Win32FileSystem files;
    Win32ProcessWatch processes;
    Win32ProcessControl processControl;
    // Sends the monitor-off to the main window and posts late launch refusals to it, once it
    // is named (SetApplicationWindow).
    Win32SystemOperations operations{nullptr};
    SendInputKeySink keys;
    ShellDocuments documents;
    ProgramFacts program{ExecutablePath(), ProgramVersionText(),
                         HelpFilePath(files.ExecutableDirectory())};
    SoundDevice sound{files, files};
    AlarmSound alarmSound{sound};
    WindowPorts Ports() {
        return {registry, files,     files,   processes, processControl, operations,
                keys,     documents, program, sound,     alarmSound};
    }
};

}  // namespace klaxora::win
