#pragma once

#include "codec/clsHuffman.h"
#include "controls/ChromeWindow.h"
#include "run/BenchmarkRun.h"
#include "run/BenchmarkView.h"
#include "run/ResultsReport.h"
#include "run/SaveOffers.h"
#include "run/TimedPasses.h"
#include "toolkit/Dialogs.h"

#include <memory>

class CaptionLabel;
class ImageBox;
class ProgBar;
class QCloseEvent;
class QListWidget;

// The benchmark window: status line, pass time, the current-operation and
// total bars, the Begin and Exit commands and the hidden list of pass times.
class Form2 : public ChromeWindow, private BenchmarkView {
    Q_OBJECT

  public:
    // The test input lies in inputDirectory (the program's folder); the test
    // files and the temporary report go to workDirectory. captionOf reads the
    // information window's labels for the results report.
    Form2(Dialogs& dialogs, const std::string& inputDirectory, const std::string& workDirectory,
          ResultsReport::CaptionOf captionOf, QWidget* parent = nullptr);
    ~Form2() override;

    void Compress_Test();
    void Decompress_Test();
    void Begin_Label_Click();
    // Told of every run that finished with its output checked, after the
    // final message.
    void SetRunFinished(BenchmarkRun::RunFinished runFinished);
    // The folder dialog of the save offers: the chosen folder, or empty text.
    std::string fBrowseForFolder(QWidget* hwndOwner, const std::string& sPrompt);

    // The elements, by their names, for the window sequence and tests.
    CaptionLabel* Operation_Progress = nullptr;
    CaptionLabel* Label2_3 = nullptr;
    CaptionLabel* Current_4 = nullptr;
    CaptionLabel* Total_Label_0 = nullptr;
    CaptionLabel* Begin_Label = nullptr;
    CaptionLabel* Exit_Label = nullptr;
    ImageBox* CloseN_Image = nullptr;
    ImageBox* CloseH_Image = nullptr;
    ImageBox* Image1 = nullptr;
    ProgBar* ProgBar1 = nullptr;
    ProgBar* ProgBar2 = nullptr;
    QListWidget* Quel_TimeList = nullptr;

  signals:
    // "E&xit", the close image or a close request of the desktop: the user
    // leaves the window.
    void LeaveRequested();

  protected:
    void ResetHover() override;
    void paintEvent(QPaintEvent* event) override;
    // A close request (Alt+F4, a window list) takes the way of "E&xit" and,
    // like it, is refused during a run.
    void closeEvent(QCloseEvent* event) override;

  private:
    void Form_Load();
    void Huffman_Progress(const std::int16_t& Procent);
    void buildElements();
    void highlight(CaptionLabel* label, bool on);

    // BenchmarkView
    void SetCaption(Caption which, const std::string& text) override;
    void SetBarValue(Bar which, int value) override;
    void SetCommandEnabled(Command which, bool enabled) override;
    void TimeListClear() override;
    void TimeListAddItem(const std::string& text) override;
    int TimeListCount() const override;
    std::string TimeListItem(int index) const override;
    MessageBox::Answer MsgBox(const std::string& prompt, MessageBox::Icon icon,
                              MessageBox::Buttons buttons, const std::string& title) override;
    std::string BrowseForFolder(const std::string& sPrompt) override;
    void DoEvents() override;
    void Refresh() override;
    void EndProgram() override;

    Dialogs& dialogs_;
    std::unique_ptr<clsHuffman> Huffman;
    std::unique_ptr<TimedPasses> passes_;
    std::unique_ptr<SaveOffers> saveOffers_;
    std::unique_ptr<BenchmarkRun> run_;
    QPixmap titleStrip_;
};
