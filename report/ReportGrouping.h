#pragma once
// The report panel's grouping rule. Every item that was not copied is listed
// under a heading for the folder the walk announced last: the heading goes
// before the first item of an announced folder, unless the report already
// shows that folder's heading last, so a folder is headed again whenever
// another folder's heading came in between. The item is the not-copied text
// with as many leading characters cut as the folder has.

#include <string>
#include <vector>

class ReportGrouping {
public:
    // A new copy: its first item is headed even when its folder is the one
    // the previous copy headed last.
    void StartCopy() { m_lastReportedFolder.clear(); }
    // The walk announced `folder` (WM_COPY_FOLDER).
    void EnterFolder(const std::string& folder);
    // The report lines for one not-copied text (WM_COPY_NOT_COPIED): the
    // folder's heading when it is due, then the item.
    std::vector<std::string> NotCopied(const std::string& text);

private:
    std::string m_currentFolder;      // the folder of the last announcement
    std::string m_lastReportedFolder; // the folder whose heading the report shows last
    int m_nFailuresInFolder = 0;      // items reported since that announcement
};

// The item text of a not-copied path: the path without as many leading
// characters as the current folder has ("" when it is not longer).
std::string ReportItemText(const std::string& notCopied, const std::string& currentFolder);
