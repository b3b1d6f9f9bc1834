#include "ReportGrouping.h"

void ReportGrouping::EnterFolder(const std::string& folder) {
    m_currentFolder = folder;
    m_nFailuresInFolder = 0;
}

std::vector<std::string> ReportGrouping::NotCopied(const std::string& text) {
    std::vector<std::string> lines;
    // Exact byte comparison: folders differing only in letter case are two.
    if (m_nFailuresInFolder == 0 && m_currentFolder != m_lastReportedFolder) {
        lines.push_back("* Folder " + m_currentFolder);
        m_lastReportedFolder = m_currentFolder;
    }
    ++m_nFailuresInFolder;
    lines.push_back("+ " + ReportItemText(text, m_currentFolder));
    return lines;
}

std::string ReportItemText(const std::string& notCopied, const std::string& currentFolder) {
    // Cut by length, not compared: the walk's texts start with the folder.
    if (notCopied.size() <= currentFolder.size())
        return "";
    return notCopied.substr(currentFolder.size());
}
