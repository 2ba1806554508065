#include "app/WindowSequence.h"

#include "app/SplashScreen.h"
#include "benchwindow/Form2.h"
#include "controls/CaptionLabel.h"
#include "infowindow/Form1.h"

#include <QTimer>

WindowSequence::WindowSequence(Dialogs& dialogs, ProcessorLibrary& library, SystemStatus& system,
                               std::string inputDirectory, std::string workDirectory,
                               std::string historyPath)
    : dialogs_(dialogs), library_(library), system_(system),
      inputDirectory_(std::move(inputDirectory)), workDirectory_(std::move(workDirectory)),
      recorder_(library, system, inputDirectory_ + "/Quelvorant.exe", std::move(historyPath)) {}

WindowSequence::~WindowSequence() {
    delete form2_;
    delete form1_;
    delete splash_;
}

void WindowSequence::Start() {
    splash_ = new SplashScreen();
    connect(splash_, &SplashScreen::TimerTick, this, &WindowSequence::LeaveSplash);
    connect(splash_, &SplashScreen::CloseRequested, this, &WindowSequence::LeaveSplash);
    splash_->show();
}

void WindowSequence::LeaveSplash() {
    if (splash_ == nullptr) {
        return;
    }
    splash_->hide();
    if (form1_ == nullptr) {
        form1_ = new Form1(dialogs_, library_, system_);
        connect(form1_, &Form1::BeginRequested, this, &WindowSequence::OpenBenchmark);
        form1_->CenterOnScreen();
    }
    form1_->show();
    // The tick comes once; the window goes as soon as its timer or close
    // event is over.
    splash_->Timer()->stop();
    splash_->deleteLater();
    splash_ = nullptr;
}

void WindowSequence::OpenBenchmark() {
    if (form2_ == nullptr) {
        form2_ = new Form2(dialogs_, inputDirectory_, workDirectory_,
                           [this](const std::string& name) { return form1Caption(name); });
        form2_->SetRunFinished([this](const RunRecord& run) { recorder_.Record(run); });
        connect(form2_, &Form2::LeaveRequested, this, &WindowSequence::LeaveBenchmark);
        form2_->CenterOnScreen();
    }
    form2_->show();
    form1_->hide();
}

void WindowSequence::LeaveBenchmark() {
    form1_->show();
    if (form2_ != nullptr) {
        form2_->hide();
        // Destroyed once its own click handler has returned.
        form2_->deleteLater();
        form2_ = nullptr;
    }
}

std::string WindowSequence::form1Caption(const std::string& labelName) const {
    const auto* label = form1_->findChild<CaptionLabel*>(QString::fromStdString(labelName));
    return label != nullptr ? label->Caption().toLatin1().toStdString() : std::string();
}
