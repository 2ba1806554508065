#pragma once

#include "BenchmarkView.h"

#include <functional>
#include <string>
#include <vector>

// The benchmark's window for a terminal: the run and its passes talk to it as
// they talk to Form2, and it keeps what a command needs afterwards. Nothing
// is shown while the passes are timed; a message box becomes a record of its
// text, and the end of the program becomes a mark the command reads.
class TerminalView : public BenchmarkView {
  public:
    // Told the number (1 to 101) of every pass that is about to start,
    // before its clock starts.
    using PassStarted = std::function<void(int pass)>;

    explicit TerminalView(PassStarted passStarted = {});

    void SetCaption(Caption which, const std::string& text) override;
    void SetBarValue(Bar, int) override {}
    void SetCommandEnabled(Command, bool) override {}
    void TimeListClear() override;
    void TimeListAddItem(const std::string& text) override;
    int TimeListCount() const override;
    std::string TimeListItem(int index) const override;
    MessageBox::Answer MsgBox(const std::string& prompt, MessageBox::Icon icon,
                              MessageBox::Buttons buttons, const std::string& title) override;
    std::string BrowseForFolder(const std::string&) override { return {}; }
    // Where the window yields, a terminal run stops when it was asked to.
    void DoEvents() override;
    void Refresh() override {}
    void EndProgram() override { ended_ = true; }

    // The texts of the critical boxes: failed passes and a failed check, each
    // on one line.
    const std::vector<std::string>& Errors() const { return errors_; }
    // The run took the exit for a changed compressed test file.
    bool Ended() const { return ended_; }

  private:
    PassStarted passStarted_;
    std::vector<std::string> timeList_;
    std::vector<std::string> errors_;
    int passes_ = 0;
    bool ended_ = false;
};
