#pragma once

#include "platform/MessageBox.h"

#include <string>

// What the benchmark's run and passes need of their window: captions, bars,
// enabled states, the time list, message boxes, yield and the program's end.
// Texts go both ways in the locale's encoding, as the system's error texts
// and file names come.
class BenchmarkView {
  public:
    enum class Caption { Operation_Progress, Label2_3, Current_4, Total_Label_0 };
    enum class Bar { ProgBar1, ProgBar2 };
    enum class Command { Begin_Label, CloseN_Image, CloseH_Image, Exit_Label };

    virtual ~BenchmarkView() = default;

    virtual void SetCaption(Caption which, const std::string& text) = 0;
    virtual void SetBarValue(Bar which, int value) = 0;
    virtual void SetCommandEnabled(Command which, bool enabled) = 0;

    // Quel_TimeList: the ordered list of pass times as text.
    virtual void TimeListClear() = 0;
    virtual void TimeListAddItem(const std::string& text) = 0;
    virtual int TimeListCount() const = 0;
    virtual std::string TimeListItem(int index) const = 0;

    // Told the number (1 to 101) of every pass that is about to start, after
    // its status line is set and before its clock starts.
    virtual void PassStarted(int /*pass*/) {}

    virtual MessageBox::Answer MsgBox(const std::string& prompt, MessageBox::Icon icon,
                                      MessageBox::Buttons buttons, const std::string& title) = 0;
    // The folder dialog, modal to the window: the chosen folder or empty text.
    virtual std::string BrowseForFolder(const std::string& sPrompt) = 0;
    // Processes pending user-interface events.
    virtual void DoEvents() = 0;
    // Repaints the whole window: at once, or with the window's next frame when
    // it painted less than a frame ago.
    virtual void Refresh() = 0;
    // Ends the program at once.
    virtual void EndProgram() = 0;
};
