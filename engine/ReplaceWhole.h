#pragma once
// Replacing a file so that it is never lost, and the temporary files that
// takes. Every temporary file the copy makes has one form,
// "~veltra-<process id>-<number>.tmp" (hexadecimal), so that one a crash
// left behind is recognised, and removed, by a later copy. Nothing here
// holds state but an atomic counter: copies may run on several threads.

#include "FileSystem.h"

#include <windows.h>

#include <string>

// A new temporary name in the folder of `beside` (a long path).
std::wstring temporary_beside(const std::wstring& beside);

// True when `name` has the temporary files' form and was made by another
// process than this one (whose own temporary files may be in use).
bool is_leftover_temporary(const std::string& name);

// Deletes a temporary file, read-only or not; nothing happens when it is
// not there.
void discard_temporary(file_system& fs, const std::wstring& path);

// Replaces the file at `to` (existing_attributes are its attributes) with a
// copy of `from`: the copy is written beside it under a temporary name and
// takes its place only when whole, keeping what Windows keeps of a replaced
// file where the volume allows. A brief lock on the swap (a virus scanner,
// the search indexer, a sync client) is waited out for about two seconds.
// On every failure the old file stays whole, no temporary file stays
// behind, and *error says why (ERROR_SHARING_VIOLATION when another program
// holds the file).
bool replace_whole(file_system& fs, const std::wstring& from, const std::wstring& to,
                   DWORD existing_attributes, DWORD* error);
