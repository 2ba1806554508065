#pragma once

#include "platform/MessageBox.h"

#include <QString>

class QWidget;

// The modal dialogs of the program and its immediate end. Windows reach them
// only through this interface, so tests can script the answers.
class Dialogs {
  public:
    using Icon = MessageBox::Icon;
    using Buttons = MessageBox::Buttons;
    using Answer = MessageBox::Answer;

    virtual ~Dialogs() = default;

    // A modal message box; the lines of Prompt are joined by CR LF.
    virtual Answer MsgBox(QWidget* owner, const QString& Prompt, Icon icon, Buttons buttons,
                          const QString& Title) = 0;
    // The folder dialog: the chosen folder's path, or empty text when cancelled.
    virtual QString BrowseForFolder(QWidget* owner, const QString& sPrompt) = 0;
    // Ends the program at once: no window is told, nothing is saved.
    virtual void EndProgram() = 0;
};
