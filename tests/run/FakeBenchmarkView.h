#pragma once

#include "run/BenchmarkView.h"

#include <functional>
#include <map>
#include <vector>

// A window for the run's logic that records what the run shows and lets a
// test act at every yield.
class FakeBenchmarkView : public BenchmarkView {
  public:
    struct Box {
        std::string Prompt;
        MessageBox::Icon icon;
        MessageBox::Buttons buttons;
        std::string Title;
    };

    void SetCaption(Caption which, const std::string& text) override {
        Captions[which] = text;
        if (OnCaption) {
            OnCaption(which, text);
        }
    }
    void SetBarValue(Bar which, int value) override {
        Bars[which] = value;
        BarHistory.push_back({which, value});
    }
    void SetCommandEnabled(Command which, bool enabled) override {
        Enabled[which] = enabled;
        EnableOrder.push_back({which, enabled});
    }
    void TimeListClear() override { List.clear(); }
    void TimeListAddItem(const std::string& text) override { List.push_back(text); }
    int TimeListCount() const override { return static_cast<int>(List.size()); }
    std::string TimeListItem(int index) const override { return List.at(index); }
    MessageBox::Answer MsgBox(const std::string& prompt, MessageBox::Icon icon,
                              MessageBox::Buttons buttons, const std::string& title) override {
        Boxes.push_back({prompt, icon, buttons, title});
        if (OnMsgBox) {
            OnMsgBox(Boxes.back());
        }
        if (Answers.empty()) {
            return MessageBox::Answer::OK;
        }
        const MessageBox::Answer answer = Answers.front();
        Answers.erase(Answers.begin());
        return answer;
    }
    std::string BrowseForFolder(const std::string& sPrompt) override {
        FolderPrompts.push_back(sPrompt);
        if (Folders.empty()) {
            return std::string();
        }
        std::string folder = Folders.front();
        Folders.erase(Folders.begin());
        return folder;
    }
    void DoEvents() override {
        ++Yields;
        if (OnYield) {
            OnYield();
        }
    }
    void Refresh() override { ++Refreshes; }
    void EndProgram() override { ++EndRequests; }

    bool AllCommandsEnabled(bool enabled) const {
        for (Command c : {Command::Begin_Label, Command::CloseN_Image, Command::CloseH_Image,
                          Command::Exit_Label}) {
            auto it = Enabled.find(c);
            const bool state = it == Enabled.end() ? true : it->second;
            if (state != enabled) {
                return false;
            }
        }
        return true;
    }

    std::map<Caption, std::string> Captions;
    std::map<Bar, int> Bars;
    std::vector<std::pair<Bar, int>> BarHistory;
    std::map<Command, bool> Enabled;
    std::vector<std::pair<Command, bool>> EnableOrder;
    std::vector<std::string> List;
    std::vector<Box> Boxes;
    std::vector<MessageBox::Answer> Answers; // OK once these are used up
    std::vector<std::string> Folders;        // cancelled once these are used up
    std::vector<std::string> FolderPrompts;
    std::function<void(const Box&)> OnMsgBox;
    int Yields = 0;
    int Refreshes = 0;
    int EndRequests = 0;
    std::function<void()> OnYield;
    std::function<void(Caption, const std::string&)> OnCaption;
};
