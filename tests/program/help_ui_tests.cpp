// Help from the real Veltra.exe: the Help button and the Help button of an
// alert both ask the shell to open help.html beside the program.
#include "UiDriver.h"
#include "UrlRecorder.h"
#include "resource.h"

#include <gtest/gtest.h>

namespace {

// What the shell was asked to open names the help page beside Veltra.exe.
void ExpectHelpPage(const std::string& commandLine) {
    std::string folder = VeltraProcess::ExeFolder();
    std::string lower = commandLine, wanted = folder + "help.html";
    for (auto* s : {&lower, &wanted})
        for (char& c : *s)
            c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
    // The shell hands the viewer either the address or the path it names.
    EXPECT_NE(lower.find(wanted.substr(2)), std::string::npos) << commandLine;
}

} // namespace

TEST(Help, TheHelpButtonOpensTheHelpPageBesideTheProgram) {
    UrlRecorder recorder;
    VeltraProcess app({recorder.Environment()});
    Press(app.dialog(), IDC_HELP_BUTTON);
    auto opened = recorder.Wait(1);
    ASSERT_EQ(opened.size(), 1u);
    ExpectHelpPage(opened[0]);
    EXPECT_EQ(app.WaitForWindow("Veltra Alert", 500), nullptr) << "no error was shown";
}

TEST(Help, AnAlertsHelpButtonOpensTheHelpPageToo) {
    UrlRecorder recorder;
    VeltraProcess app({recorder.Environment()});
    Press(app.dialog(), IDC_START_COPY); // both folders empty: one alert
    HWND alert = app.WaitForWindow("Veltra Alert");
    ASSERT_NE(alert, nullptr);
    EXPECT_EQ(TextOf(GetDlgItem(alert, IDC_ALERT_MESSAGE)), "Source folder not specified");
    Press(alert, IDCANCEL); // the Help button carries the cancel id
    auto opened = recorder.Wait(1);
    ASSERT_EQ(opened.size(), 1u);
    ExpectHelpPage(opened[0]);
}

TEST(Help, EnterInAnAlertClosesItWithoutHelp) {
    UrlRecorder recorder;
    VeltraProcess app({recorder.Environment()});
    Press(app.dialog(), IDC_START_COPY);
    HWND alert = app.WaitForWindow("Veltra Alert");
    ASSERT_NE(alert, nullptr);
    Press(alert, IDOK);
    EXPECT_TRUE(app.WaitForWindowGone(alert));
    EXPECT_TRUE(recorder.Wait(1, 1500).empty());
}
