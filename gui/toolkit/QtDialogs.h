#pragma once

#include "toolkit/Dialogs.h"

// The dialogs on the real desktop: Qt message boxes and folder dialog.
class QtDialogs : public Dialogs {
  public:
    Answer MsgBox(QWidget* owner, const QString& Prompt, Icon icon, Buttons buttons,
                  const QString& Title) override;
    QString BrowseForFolder(QWidget* owner, const QString& sPrompt) override;
    void EndProgram() override;
};
