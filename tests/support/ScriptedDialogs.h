#pragma once

#include "toolkit/Dialogs.h"

#include <QStringList>
#include <deque>
#include <functional>

// Dialogs with scripted answers; records every message box shown.
class ScriptedDialogs : public Dialogs {
  public:
    struct Shown {
        QString Prompt;
        Icon icon;
        Buttons buttons;
        QString Title;
    };

    Answer MsgBox(QWidget*, const QString& Prompt, Icon icon, Buttons buttons,
                  const QString& Title) override {
        Boxes.push_back({Prompt, icon, buttons, Title});
        if (OnMsgBox) {
            OnMsgBox(Boxes.back());
        }
        if (Answers.empty()) {
            return Answer::OK;
        }
        const Answer answer = Answers.front();
        Answers.pop_front();
        return answer;
    }

    QString BrowseForFolder(QWidget*, const QString& sPrompt) override {
        FolderPrompts.push_back(sPrompt);
        if (Folders.empty()) {
            return QString();
        }
        const QString folder = Folders.front();
        Folders.pop_front();
        return folder;
    }

    void EndProgram() override { ++EndRequests; }

    std::vector<Shown> Boxes;
    std::deque<Answer> Answers;  // OK when empty
    std::deque<QString> Folders; // cancelled when empty
    QStringList FolderPrompts;
    int EndRequests = 0;
    std::function<void(const Shown&)> OnMsgBox;
};
