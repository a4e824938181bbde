#include "win/cmdline/command_line.h"

#include <windows.h>

#include "win/ui/message_box.h"

namespace klaxora::win {

CommandLineReading ReadCommandLineHere(std::vector<std::wstring> list, const WatchState& watch,
                                       const FileSystemPort& files, ProcessWatchPort& processes) {
    const CommandLineEnvironment environment{
        files,
        processes,
        [](wchar_t letter) {
            const wchar_t root[] = {letter, L':', L'\\', 0};
            return GetDriveTypeW(root) == DRIVE_CDROM;
        },
    };
    return klaxora::ReadCommandLine(std::move(list), watch, environment);
}

void ShowCommandLineMessages(const std::vector<CommandLineMessage>& messages) {
    for (const CommandLineMessage& m : messages)
        ShowMessageBox(m.text, m.title,
                       MB_OK | (m.icon == MessageIcon::Error ? MB_ICONERROR : MB_ICONEXCLAMATION));
}

}  // namespace klaxora::win
