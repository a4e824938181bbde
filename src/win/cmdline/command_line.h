#pragma once
// The command-line reader: fills the configuration window and the armed alarm's fields from
// the main window's CommandLineList, reporting its own errors; it never arms the alarm.
namespace klaxora::win {

// Returns at once when CommandLineList is empty. The parameters are not read yet.
void ReadCommandLine();

}  // namespace klaxora::win
