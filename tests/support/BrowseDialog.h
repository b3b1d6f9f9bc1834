#pragma once
// Working the shell's folder-browse dialog from a test, in this process or
// in another one.
//
// Under Wine the dialog finds a folder given to BFFM_SETSELECTION by
// comparing whole item IDs, and a folder's item ID carries its last-access
// time. A folder changed since it was last listed gets a new access time the
// next time anyone lists it, so an item ID taken before that listing no
// longer matches one taken after, and the selection silently stays where it
// was. A folder the dialog can always reach therefore lies directly below a
// drive (a drive's item ID carries no times), is changed by nobody else, and
// has been listed once since its last change.

#include <windows.h>

#include <shtypes.h>

#include <string>
#include <vector>

// Lists `folder` and every folder above it once, so that their access times
// no longer change when the browse dialog lists them.
void SettleAccessTimes(const std::string& folder);

// The names the dialog's tree shows from its root down to its selected item
// (empty when nothing is selected).
std::vector<std::string> BrowseSelection(HWND browse);

// The name the shell shows for a path or an item ID list.
std::string ShellNameOf(const std::string& path);
std::string ShellNameOf(LPCITEMIDLIST item);

// Selects `folder` (a full path) in the browse dialog of any process and
// waits until the dialog's selection is that folder; false if it never is.
bool SelectInBrowseDialog(HWND browse, const std::string& folder, DWORD ms = 20000);
