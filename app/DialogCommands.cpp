// The main dialog's other buttons: Browse, About, Print Report, Help and the
// web site.
#include "VeltraDlg.h"

#include "AboutDlg.h"
#include "AboutTexts.h"
#include "CopyPaths.h"
#include "FolderBrowser.h"
#include "HelpLauncher.h"
#include "ShellOpen.h"
#include "Website.h"

void CVeltraDlg::OnBrowseSource() {
    FolderBrowser browser(m_hWnd);
    browser.StartAt(WithoutQuotes(m_sourceEdit.GetWindowText()));
    if (browser.Browse("Select source folder or drive", m_browsedSourceFolder))
        m_sourceEdit.SetWindowText(m_browsedSourceFolder);
}

void CVeltraDlg::OnBrowseDestination() {
    FolderBrowser browser(m_hWnd);
    browser.StartAt(WithoutQuotes(m_destinationEdit.GetWindowText()));
    if (browser.Browse("Select destination folder or drive", m_browsedDestinationFolder))
        m_destinationEdit.SetWindowText(m_browsedDestinationFolder);
}

void CVeltraDlg::ShowAboutDialog() {
    CAboutDlg about(nullptr);
    about.m_usageText = BuildUsageText();
    about.m_licenseText = BuildLicenseText();
    about.DoModal();
}

void CVeltraDlg::PrintReport() {
    FlushReport(); // print the report as it stands, gathered lines included
    ::PrintReport(m_reportEdit.m_hWnd, [this](const std::string& message) { ShowAlert(message); });
}

void CVeltraDlg::ShowHelpFile() {
    // Beside the program file itself: a command line (the portable copy's
    // "Veltra.exe" typed at a prompt) need not name where the program is.
    std::string address = HelpAddressBeside(ProgramPath());
    if (!ShellOpenAddress(address))
        ShowAlert(HelpOpenFailedMessage(address));
}

void CVeltraDlg::OnWebsite() { OpenWebsite(); }
