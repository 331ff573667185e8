#pragma once
// The program-wide text log, "Log.txt". Callers pass UTF-8 text; the file holds code page 932 bytes.
// Every write is flushed at once and is whole even when two threads write together.

#include <string>

// Sets the file name and deletes any old file of that name. A name of 256 bytes or more is refused:
// the log then stays without a name and nothing is deleted.
void LogSetFile(const char* name);
void LogOpen();
void LogWrite(const char* format, ...) __attribute__((format(printf, 1, 2)));
void LogClose();
bool LogIsOpen();
