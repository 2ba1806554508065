#pragma once

#include "app/WindowRunRecorder.h"

#include <QObject>
#include <string>

class Dialogs;
class Form1;
class Form2;
class ProcessorLibrary;
class SplashScreen;
class SystemStatus;

// The program's windows one after another: the splash, then the information
// window, from which the benchmark window opens afresh each time.
class WindowSequence : public QObject {
    Q_OBJECT

  public:
    // Finished runs of the benchmark window are kept in the results history
    // at historyPath.
    WindowSequence(Dialogs& dialogs, ProcessorLibrary& library, SystemStatus& system,
                   std::string inputDirectory, std::string workDirectory, std::string historyPath);
    ~WindowSequence() override;

    // Creates and shows the splash window.
    void Start();
    // Hides the splash, shows (and so creates) Form1, destroys the splash.
    void LeaveSplash();
    // Shows a new Form2, then hides Form1.
    void OpenBenchmark();
    // Shows Form1 again, hides Form2 and destroys it.
    void LeaveBenchmark();

    SplashScreen* Splash() const { return splash_; }
    Form1* InfoWindow() const { return form1_; }
    Form2* BenchmarkWindow() const { return form2_; }

  private:
    // A label of Form1 by name, as single-byte text for the report.
    std::string form1Caption(const std::string& labelName) const;

    Dialogs& dialogs_;
    ProcessorLibrary& library_;
    SystemStatus& system_;
    std::string inputDirectory_;
    std::string workDirectory_;
    WindowRunRecorder recorder_;
    SplashScreen* splash_ = nullptr;
    Form1* form1_ = nullptr;
    Form2* form2_ = nullptr;
};
