#pragma once
// The command line on the system's side: the reading with the real file system, process list,
// drives and screen, and its messages shown in their order.
#include <string>
#include <vector>

#include "app/watch_state.h"
#include "cmdline/command_line_reader.h"
#include "ports/file_system.h"
#include "ports/processes.h"

namespace klaxora::win {

// Reads CommandLineList against this machine. An empty list reads as nothing.
CommandLineReading ReadCommandLineHere(std::vector<std::wstring> list, const WatchState& watch,
                                       const FileSystemPort& files, ProcessWatchPort& processes);

// Each message in order, with its title and icon.
void ShowCommandLineMessages(const std::vector<CommandLineMessage>& messages);

}  // namespace klaxora::win
