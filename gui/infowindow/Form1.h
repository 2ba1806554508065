#pragma once

#include "controls/ChromeWindow.h"
#include "facts/ProcessorFacts.h"

#include <QPixmap>
#include <QString>

class CaptionLabel;
class QCloseEvent;
class Dialogs;
class ImageBox;
class ProcessorLibrary;
class ProgBar;
class QListWidget;
class QPaintEvent;
class QTimer;
class SystemStatus;

// The system-information window, the program's main window: the user and
// up-time, the processor's facts and features, and the live processor and
// memory load. Creating it runs its Load work; its two timers keep the
// changing figures current from then on, also while it is hidden.
class Form1 : public ChromeWindow {
    Q_OBJECT

  public:
    Form1(Dialogs& dialogs, ProcessorLibrary& library, SystemStatus& system,
          QWidget* parent = nullptr);

    // Reads the processor's fixed facts into Facts().
    void ReadInfo();
    // Writes the facts into the processor labels and sets every feature mark
    // from the library's answers.
    void SetValues();
    // The current user's logon name, or empty text.
    QString GetUserName();

    const ProcessorFacts& Facts() const { return facts_; }

    // The elements that other windows and tests read.
    CaptionLabel* Logo() const { return Logo_; }
    CaptionLabel* UserName() const { return UserName_; }
    CaptionLabel* NowIs() const { return NowIs_; }
    CaptionLabel* CPUName() const { return CPUName_; }
    CaptionLabel* SpeedInfo() const { return SpeedInfo_; }
    CaptionLabel* txtType() const { return txtType_; }
    CaptionLabel* CPUFamily() const { return CPUFamily_; }
    CaptionLabel* CPUModel() const { return CPUModel_; }
    CaptionLabel* Stepping() const { return Stepping_; }
    CaptionLabel* CPUInstructions() const { return CPUInstructions_; }
    CaptionLabel* CPUData() const { return CPUData_; }
    CaptionLabel* Level2() const { return Level2_; }
    CaptionLabel* CPUUsed() const { return CPUUsed_; }
    CaptionLabel* TotalRAM() const { return TotalRAM_; }
    CaptionLabel* AviableRAM() const { return AviableRAM_; }
    CaptionLabel* UsedRAM() const { return UsedRAM_; }
    CaptionLabel* ExitLabel() const { return ExitLabel_; }
    ProgBar* CPU_Bar() const { return CPU_Bar_; }
    ProgBar* RAM_Bar() const { return RAM_Bar_; }
    QListWidget* lstFeatures() const { return lstFeatures_; }
    ImageBox* Image1() const { return Image1_; }
    ImageBox* MiniNormal() const { return MiniNormal_; }
    ImageBox* MiniOver() const { return MiniOver_; }
    ImageBox* CloseNormal() const { return CloseNormal_; }
    ImageBox* CloseOver() const { return CloseOver_; }
    QTimer* Timer1() const { return Timer1_; }
    QTimer* Timer2() const { return Timer2_; }

  signals:
    // The "&Begin ..." command: the benchmark window is to open.
    void BeginRequested();

  public slots:
    void Timer1_Timer();
    void Timer2_Timer();

  protected:
    void ResetHover() override;
    void paintEvent(QPaintEvent* event) override;
    // A close request (Alt+F4, a window list) ends the program as the close
    // image does.
    void closeEvent(QCloseEvent* event) override;

  private:
    struct LabelLayout;

    void CreateChrome();
    void CreateLabels();
    void CreateBarsAndList();
    void CreateSeparators();
    void Form_Load();
    void lstFeatures_ItemCheck();

    Dialogs& dialogs_;
    ProcessorLibrary& library_;
    SystemStatus& system_;
    ProcessorFacts facts_;
    bool settingValues_ = false;
    QPixmap titleStrip_;

    ImageBox* Image1_ = nullptr;
    ImageBox* Image2_ = nullptr;
    ImageBox* Image3_ = nullptr;
    ImageBox* MiniNormal_ = nullptr;
    ImageBox* MiniOver_ = nullptr;
    ImageBox* CloseNormal_ = nullptr;
    ImageBox* CloseOver_ = nullptr;

    CaptionLabel* Logo_ = nullptr;
    CaptionLabel* UserInformation_Label_ = nullptr;
    CaptionLabel* UserName_Label_ = nullptr;
    CaptionLabel* UserName_ = nullptr;
    CaptionLabel* WorkTime_Label_ = nullptr;
    CaptionLabel* NowIs_ = nullptr;
    CaptionLabel* SystemInformation_Label_ = nullptr;
    CaptionLabel* ProcessorType_Label_ = nullptr;
    CaptionLabel* CPUName_ = nullptr;
    CaptionLabel* SpeedInfo_ = nullptr;
    CaptionLabel* txtType_ = nullptr;
    CaptionLabel* CPUFamily_Label_ = nullptr;
    CaptionLabel* CPUFamily_ = nullptr;
    CaptionLabel* CPUModel_Label_ = nullptr;
    CaptionLabel* CPUModel_ = nullptr;
    CaptionLabel* CPUStepping_Label_ = nullptr;
    CaptionLabel* Stepping_ = nullptr;
    CaptionLabel* InstructionsCache_Label_ = nullptr;
    CaptionLabel* CPUInstructions_ = nullptr;
    CaptionLabel* DataCache_Label_ = nullptr;
    CaptionLabel* CPUData_ = nullptr;
    CaptionLabel* Level2Cache_Label_ = nullptr;
    CaptionLabel* Level2_ = nullptr;
    CaptionLabel* CPU_Usage_Label_ = nullptr;
    CaptionLabel* CPUUsed_ = nullptr;
    CaptionLabel* ToatalRAM_Label_ = nullptr;
    CaptionLabel* TotalRAM_ = nullptr;
    CaptionLabel* AviableRAM_Label_ = nullptr;
    CaptionLabel* AviableRAM_ = nullptr;
    CaptionLabel* CurrentRAM_Label_ = nullptr;
    CaptionLabel* UsedRAM_ = nullptr;
    CaptionLabel* ExitLabel_ = nullptr;
    CaptionLabel* CPUFeatures_Label_ = nullptr;
    CaptionLabel* CopyrightLabel_ = nullptr;

    ProgBar* CPU_Bar_ = nullptr;
    ProgBar* RAM_Bar_ = nullptr;
    QListWidget* lstFeatures_ = nullptr;
    QTimer* Timer1_ = nullptr;
    QTimer* Timer2_ = nullptr;
};
