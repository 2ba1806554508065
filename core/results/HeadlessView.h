#pragma once

#include "run/BenchmarkView.h"

#include <functional>
#include <string>
#include <vector>

// What a run without a window tells its caller, and where it may be stopped.
struct RunHooks {
    // Called before every pass and where a window would yield; it stops the
    // run by throwing.
    std::function<void()> StopPoint;
    // Told the number (1 to 101) of every pass that is about to start,
    // before its clock starts.
    std::function<void(int pass)> PassStarted;
};

// The benchmark's window for a run without one: the run and its passes talk
// to it as they talk to Form2, and it keeps what the caller needs
// afterwards. Nothing is shown while the passes are timed; a message box
// becomes a record of its text, and the end of the program becomes a mark
// the caller reads.
class HeadlessView : public BenchmarkView {
  public:
    explicit HeadlessView(RunHooks hooks = {});

    void SetCaption(Caption, const std::string&) override {}
    void SetBarValue(Bar, int) override {}
    void SetCommandEnabled(Command, bool) override {}
    void PassStarted(int pass) override;
    void TimeListClear() override;
    void TimeListAddItem(const std::string& text) override;
    int TimeListCount() const override;
    std::string TimeListItem(int index) const override;
    MessageBox::Answer MsgBox(const std::string& prompt, MessageBox::Icon icon,
                              MessageBox::Buttons buttons, const std::string& title) override;
    std::string BrowseForFolder(const std::string&) override { return {}; }
    void DoEvents() override;
    void Refresh() override {}
    void EndProgram() override { ended_ = true; }

    // The texts of the critical boxes: failed passes and a failed check, each
    // on one line.
    const std::vector<std::string>& Errors() const { return errors_; }
    // The run took the exit for a changed compressed test file.
    bool Ended() const { return ended_; }

  private:
    RunHooks hooks_;
    std::vector<std::string> timeList_;
    std::vector<std::string> errors_;
    bool ended_ = false;
};
