// GoogleTest main for the window tests: a wx application without a main loop
// of its own; tests create windows, drive them with real events and yield.

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/init.h>

namespace {

// A failed wx assertion fails the running test instead of opening a dialog that nobody would answer.
void failTestOnAssert(const wxString& file, int line, const wxString& func, const wxString& cond,
                      const wxString& msg) {
    ADD_FAILURE_AT(file.utf8_str(), line) << "wx assertion in " << func.utf8_str() << ": " << cond.utf8_str() << " "
                                          << msg.utf8_str();
}

class TestApp : public wxApp {
public:
    bool OnInit() override { return true; }
};
}  // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    wxApp::SetInstance(new TestApp);
    if (!wxEntryStart(argc, argv) || !wxTheApp->CallOnInit()) {
        std::fprintf(stderr, "cannot start wx: no display?\n");
        return 1;
    }
    wxSetAssertHandler(failTestOnAssert);
    const int result = RUN_ALL_TESTS();
    wxTheApp->OnExit();
    wxEntryCleanup();
    return result;
}
