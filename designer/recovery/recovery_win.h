// What recovery asks the system: who this process is, whether another
// process still runs, the time, and the copies in a folder.
#pragma once

#include "designer/recovery/recovery_plan.h"

#include <windows.h>

namespace zarnet::recovery {

ProcessIdentity currentProcess();
std::optional<ProcessIdentity> processOfHandle(HANDLE process);
// True while a process with this id and creation time runs. A process
// that may not be asked about counts as running: its copy is left alone.
bool processAlive(ProcessIdentity process);

uint64_t systemTimeNow(); // FILETIME ticks, UTC
LocalTime localTimeOf(uint64_t fileTime);

// Every copy in the folder (ends with a backslash), read and checked.
std::vector<FoundCopy> scanFolder(const std::string& folder);

} // namespace zarnet::recovery
