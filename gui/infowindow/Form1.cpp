#include "infowindow/Form1.h"

#include "artwork/Artwork.h"
#include "controls/CaptionLabel.h"
#include "controls/ImageBox.h"
#include "controls/ProgBar.h"
#include "controls/SeparatorLines.h"
#include "facts/FeatureList.h"
#include "facts/InfoFormat.h"
#include "facts/ProcessorLibrary.h"
#include "facts/ProcessorTexts.h"
#include "facts/StatusTexts.h"
#include "facts/UserName.h"
#include "platform/SystemStatus.h"
#include "platform/Version.h"
#include "toolkit/Dialogs.h"
#include "toolkit/Fonts.h"
#include "toolkit/Twips.h"

#include <QCloseEvent>
#include <QListWidget>
#include <QPainter>
#include <QScopedValueRollback>
#include <QTimer>
#include <algorithm>
#include <limits>

namespace {

constexpr int kClientWidth = 640;
constexpr int kClientHeight = 488;
constexpr int kStripHeight = 22;
constexpr int kTimer1Interval = 350;
constexpr int kTimer2Interval = 300;

const QColor kValueBoxColor(224, 224, 224);
const QColor kCommandColor(255, 192, 192);
const QColor kGrey(128, 128, 128);

// A text of the core as a caption: its bytes are read in the locale's 8-bit
// encoding, as the library's and the system's names always were.
QString LabelText(const std::string& text) {
    return QString::fromLocal8Bit(text.data(), static_cast<qsizetype>(text.size()));
}

enum class LabelStyle { Heading, Left, Right, Centred, ValueBox, Command, Copyright };

ImageBox* NewImage(QWidget* parent, const char* name, const QPixmap& picture, QRect place) {
    auto* image = new ImageBox(picture, parent);
    image->setObjectName(QLatin1String(name));
    image->setGeometry(place);
    return image;
}

void ApplyStyle(CaptionLabel& label, LabelStyle style) {
    switch (style) {
    case LabelStyle::Heading:
        label.setFont(TahomaFont(11, true));
        label.SetAlignment(Qt::AlignLeft | Qt::AlignTop);
        break;
    case LabelStyle::Left:
        label.SetAlignment(Qt::AlignLeft | Qt::AlignTop);
        break;
    case LabelStyle::Right:
        label.SetAlignment(Qt::AlignRight | Qt::AlignTop);
        break;
    case LabelStyle::Centred:
        label.SetAlignment(Qt::AlignHCenter | Qt::AlignTop);
        break;
    case LabelStyle::ValueBox:
        label.SetOpaque(true);
        label.SetBackColor(kValueBoxColor);
        label.SetBorder(true);
        label.SetAlignment(Qt::AlignCenter);
        break;
    case LabelStyle::Command:
        label.SetBackColor(kCommandColor);
        label.SetBorder(true);
        label.SetAlignment(Qt::AlignCenter);
        break;
    case LabelStyle::Copyright:
        label.setFont(TahomaFont(9));
        label.SetForeColor(kGrey);
        label.SetAlignment(Qt::AlignHCenter | Qt::AlignTop);
        break;
    }
}

} // namespace

struct Form1::LabelLayout {
    CaptionLabel* Form1::*Member;
    const char* Name;
    const char* Text;
    int Left, Top, Width, Height; // twips
    LabelStyle Style;
    const char* ToolTip;
};

Form1::Form1(Dialogs& dialogs, ProcessorLibrary& library, SystemStatus& system, QWidget* parent)
    : ChromeWindow(kClientWidth, kClientHeight, Qt::WindowFlags(), parent), dialogs_(dialogs),
      library_(library), system_(system), titleStrip_(Artwork::TitleStrip(kClientWidth)) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Quelcraft Quelvorant"));
    CreateChrome();
    CreateSeparators();
    CreateLabels();
    CreateBarsAndList();

    Timer1_ = new QTimer(this);
    Timer1_->setInterval(kTimer1Interval);
    connect(Timer1_, &QTimer::timeout, this, &Form1::Timer1_Timer);
    Timer2_ = new QTimer(this);
    Timer2_->setInterval(kTimer2Interval);
    connect(Timer2_, &QTimer::timeout, this, &Form1::Timer2_Timer);

    Form_Load();
    Timer1_->start();
    Timer2_->start();
}

void Form1::CreateChrome() {
    Image1_ =
        NewImage(this, "Image1", Artwork::BodyPicture(kClientWidth, kClientHeight - kStripHeight),
                 TwipsRect(0, 330, 9600, 6990));
    Image2_ = NewImage(this, "Image2", Artwork::Emblem(), TwipsRect(4440, 360, 1050, 1020));
    Image3_ = NewImage(this, "Image3", Artwork::WordMark(), TwipsRect(4920, 480, 4500, 900));
    MiniNormal_ =
        NewImage(this, "MiniNormal", Artwork::MinimizeGlyph(false), TwipsRect(9120, 75, 210, 195));
    MiniOver_ =
        NewImage(this, "MiniOver", Artwork::MinimizeGlyph(true), TwipsRect(9120, 75, 210, 195));
    CloseNormal_ =
        NewImage(this, "CloseNormal", Artwork::CloseGlyph(false), TwipsRect(9320, 70, 210, 195));
    CloseOver_ =
        NewImage(this, "CloseOver", Artwork::CloseGlyph(true), TwipsRect(9320, 70, 210, 195));
    MiniOver_->setToolTip(QStringLiteral("Minimize"));
    CloseOver_->setToolTip(QStringLiteral("Exit"));
    MiniOver_->hide();
    CloseOver_->hide();

    connect(Image1_, &ImageBox::MouseMove, this, [this] {
        CloseOver_->hide();
        MiniOver_->hide();
        ExitLabel_->SetOpaque(false);
    });
    connect(CloseNormal_, &ImageBox::MouseMove, this, [this] {
        MiniOver_->hide();
        CloseOver_->show();
    });
    connect(MiniNormal_, &ImageBox::MouseMove, this, [this] {
        CloseOver_->hide();
        MiniOver_->show();
    });
    connect(CloseOver_, &ImageBox::Click, this, [this] { dialogs_.EndProgram(); });
    connect(MiniOver_, &ImageBox::Click, this, [this] { showMinimized(); });
}

void Form1::CreateSeparators() {
    const QColor black(Qt::black);
    // Lines in pixels; the feature column is set off from the facts on the left.
    new SeparatorLines(
        {
            {QLine(40, 50, 288, 50), black},    // under "User Information ..."
            {QLine(16, 100, 624, 100), kGrey},  // user section | system section
            {QLine(32, 138, 287, 138), black},  // under "System Information ..."
            {QLine(16, 210, 287, 210), kGrey},  // name and clock | family and caches
            {QLine(158, 222, 158, 289), kGrey}, // family block | cache block
            {QLine(16, 298, 287, 298), kGrey},  // caches | processor load
            {QLine(16, 342, 287, 342), kGrey},  // processor load | memory
            {QLine(16, 400, 287, 400), kGrey},  // memory figures | memory load
            {QLine(16, 444, 287, 444), kGrey},  // memory load | command
            {QLine(320, 112, 320, 476), kGrey}, // left column | feature column
            {QLine(352, 140, 604, 140), black}, // above "Basic CPU Features:"
            {QLine(352, 466, 604, 466), kGrey}, // feature list | copyright line
            {QLine(16, 476, 287, 476), kGrey},  // foot of the left column
        },
        this);
}

void Form1::CreateLabels() {
    static const LabelLayout kLabels[] = {
        {&Form1::Logo_, "Logo", "Quelvorant v1.0xx", 480, 70, 2295, 240, LabelStyle::Centred,
         nullptr},
        {&Form1::UserInformation_Label_, "UserInformation_Label", "User Information ...", 600, 480,
         3735, 255, LabelStyle::Heading, nullptr},
        {&Form1::UserName_Label_, "UserName_Label", "Current User Name:", 360, 840, 1560, 195,
         LabelStyle::Right, nullptr},
        {&Form1::UserName_, "UserName", "...", 2040, 810, 2460, 255, LabelStyle::Left, nullptr},
        {&Form1::WorkTime_Label_, "WorkTime_Label", "Computer UpTime:", 360, 1080, 1560, 195,
         LabelStyle::Right, nullptr},
        {&Form1::NowIs_, "NowIs", "...", 2040, 1080, 5460, 255, LabelStyle::Left, nullptr},
        {&Form1::SystemInformation_Label_, "SystemInformation_Label", "System Information ...", 480,
         1800, 3135, 255, LabelStyle::Heading, nullptr},
        {&Form1::ProcessorType_Label_, "ProcessorType_Label", "Processor Type:", 240, 2160, 4050,
         195, LabelStyle::Left, nullptr},
        {&Form1::CPUName_, "CPUName", "...", 240, 2400, 4065, 255, LabelStyle::ValueBox,
         "CPU Vendor Name"},
        {&Form1::SpeedInfo_, "SpeedInfo", "...", 240, 2760, 1980, 255, LabelStyle::ValueBox,
         "CPU Current Speed"},
        {&Form1::txtType_, "txtType", "...", 2325, 2760, 1980, 255, LabelStyle::ValueBox,
         "Type of Installed CPU"},
        {&Form1::CPUFamily_Label_, "CPUFamily_Label", "CPU Family:", 360, 3360, 900, 195,
         LabelStyle::Right, nullptr},
        {&Form1::CPUFamily_, "CPUFamily", "...", 1410, 3360, 810, 255, LabelStyle::ValueBox,
         nullptr},
        {&Form1::CPUModel_Label_, "CPUModel_Label", "CPU Model:", 360, 3750, 900, 195,
         LabelStyle::Right, nullptr},
        {&Form1::CPUModel_, "CPUModel", "...", 1410, 3720, 810, 255, LabelStyle::ValueBox, nullptr},
        {&Form1::CPUStepping_Label_, "CPUStepping_Label", "Stepping:", 360, 4110, 900, 195,
         LabelStyle::Right, nullptr},
        {&Form1::Stepping_, "Stepping", "...", 1410, 4080, 810, 255, LabelStyle::ValueBox, nullptr},
        {&Form1::InstructionsCache_Label_, "InstructionsCache_Label", "ICache:", 2520, 3360, 645,
         195, LabelStyle::Right, nullptr},
        {&Form1::CPUInstructions_, "CPUInstructions", "...", 3255, 3330, 1050, 255,
         LabelStyle::ValueBox, "Instructions CPU Cache"},
        {&Form1::DataCache_Label_, "DataCache_Label", "DCache:", 2520, 3750, 645, 195,
         LabelStyle::Right, nullptr},
        {&Form1::CPUData_, "CPUData", "...", 3255, 3720, 1050, 255, LabelStyle::ValueBox,
         "Data CPU Cache"},
        {&Form1::Level2Cache_Label_, "Level2Cache_Label", "Level 2:", 2520, 4110, 645, 195,
         LabelStyle::Right, nullptr},
        {&Form1::Level2_, "Level2", "...", 3255, 4080, 1050, 255, LabelStyle::ValueBox,
         "Level 2 CPU Cache"},
        {&Form1::CPU_Usage_Label_, "CPU_Usage_Label", "Current CPU Usage:", 240, 4560, 3450, 255,
         LabelStyle::Left, nullptr},
        {&Form1::CPUUsed_, "CPUUsed", "...", 3840, 4770, 660, 195, LabelStyle::Left, nullptr},
        {&Form1::ToatalRAM_Label_, "ToatalRAM_Label", "Total Physical RAM:", 960, 5280, 1740, 195,
         LabelStyle::Right, nullptr},
        {&Form1::TotalRAM_, "TotalRAM", "...", 2775, 5280, 1530, 255, LabelStyle::ValueBox,
         nullptr},
        {&Form1::AviableRAM_Label_, "AviableRAM_Label", "Aviable Physical  RAM:", 960, 5670, 1740,
         195, LabelStyle::Right, nullptr},
        {&Form1::AviableRAM_, "AviableRAM", "...", 2775, 5640, 1530, 255, LabelStyle::ValueBox,
         nullptr},
        {&Form1::CurrentRAM_Label_, "CurrentRAM_Label", "Physical RAM Usage:", 240, 6120, 3450, 195,
         LabelStyle::Left, nullptr},
        {&Form1::UsedRAM_, "UsedRAM", "...", 3840, 6330, 660, 195, LabelStyle::Left, nullptr},
        {&Form1::ExitLabel_, "ExitLabel", "&Begin ...", 240, 6840, 1530, 255, LabelStyle::Command,
         nullptr},
        {&Form1::CPUFeatures_Label_, "CPUFeatures_Label", "Basic CPU Features:", 5280, 2160, 3735,
         195, LabelStyle::Left, nullptr},
        {&Form1::CopyrightLabel_, "CopyrightLabel", "Copyright (C) 2026 Quelcraft", 5280, 7080,
         3915, 165, LabelStyle::Copyright, nullptr},
    };
    for (const LabelLayout& layout : kLabels) {
        auto* label = new CaptionLabel(QString::fromLatin1(layout.Text), this);
        label->setObjectName(QLatin1String(layout.Name));
        label->setGeometry(TwipsRect(layout.Left, layout.Top, layout.Width, layout.Height));
        ApplyStyle(*label, layout.Style);
        if (layout.ToolTip != nullptr) {
            label->setToolTip(QString::fromLatin1(layout.ToolTip));
        }
        this->*layout.Member = label;
    }
    // The emblem and the word mark lie behind the title text and the labels.
    Image3_->stackUnder(UserInformation_Label_);
    Image2_->stackUnder(Image3_);

    connect(ExitLabel_, &CaptionLabel::MouseMove, this, [this] { ExitLabel_->SetOpaque(true); });
    connect(ExitLabel_, &CaptionLabel::Click, this, &Form1::BeginRequested);
}

void Form1::CreateBarsAndList() {
    CPU_Bar_ = new ProgBar(this);
    CPU_Bar_->setObjectName(QStringLiteral("CPU_Bar"));
    RAM_Bar_ = new ProgBar(this);
    RAM_Bar_->setObjectName(QStringLiteral("RAM_Bar"));
    for (ProgBar* bar : {CPU_Bar_, RAM_Bar_}) {
        ProgBar::ConfigureAsWindowBar(*bar);
        bar->setAttribute(Qt::WA_NoMousePropagation);
    }
    CPU_Bar_->setGeometry(TwipsRect(240, 4800, 3495, 135));
    RAM_Bar_->setGeometry(TwipsRect(240, 6360, 3495, 135));

    lstFeatures_ = new QListWidget(this);
    lstFeatures_->setObjectName(QStringLiteral("lstFeatures"));
    lstFeatures_->setFont(TahomaFont(11));
    lstFeatures_->setGeometry(TwipsRect(5280, 2400, 3795, 4530));
    lstFeatures_->setAttribute(Qt::WA_NoMousePropagation);
    for (const FeatureEntry& entry : kFeatureEntries) {
        auto* item = new QListWidgetItem(QString::fromLatin1(entry.Text), lstFeatures_);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
    // Like a list box with integral height: the list shows whole rows only,
    // so the last visible entry is never cut in half.
    const int frame = 2 * lstFeatures_->frameWidth();
    const int row = lstFeatures_->sizeHintForRow(0);
    if (row > 0) {
        const int rows = (lstFeatures_->height() - frame) / row;
        lstFeatures_->setFixedHeight(rows * row + frame);
    }
    connect(lstFeatures_->model(), &QAbstractItemModel::dataChanged, this,
            [this](const QModelIndex&, const QModelIndex&, const QList<int>& roles) {
                if (roles.isEmpty() || roles.contains(Qt::CheckStateRole)) {
                    lstFeatures_ItemCheck();
                }
            });
}

void Form1::Form_Load() {
    ReadInfo();
    SetValues();
    Logo_->SetCaption(QString::fromStdString(VersionText()));
    CPUUsed_->SetCaption(QStringLiteral("..."));
    lstFeatures_->setCurrentRow(0);
}

void Form1::ReadInfo() {
    facts_.Read(library_);
}

void Form1::SetValues() {
    // The marks set here raise ItemCheck again; those nested runs are left out.
    const QScopedValueRollback<bool> running(settingValues_, true);
    const ProcessorTexts texts = MakeProcessorTexts(facts_, library_);
    CPUName_->SetCaption(LabelText(texts.Name));
    CPUFamily_->SetCaption(LabelText(texts.Family));
    CPUModel_->SetCaption(LabelText(texts.Model));
    Stepping_->SetCaption(LabelText(texts.Stepping));
    CPUInstructions_->SetCaption(LabelText(texts.InstructionCache));
    CPUData_->SetCaption(LabelText(texts.DataCache));
    Level2_->SetCaption(LabelText(texts.Level2Cache));
    txtType_->SetCaption(LabelText(texts.Type));
    for (std::size_t entry = 0; entry < texts.Features.size(); ++entry) {
        lstFeatures_->item(static_cast<int>(entry))
            ->setCheckState(texts.Features[entry] ? Qt::Checked : Qt::Unchecked);
    }
}

void Form1::lstFeatures_ItemCheck() {
    if (!settingValues_) {
        SetValues();
    }
}

QString Form1::GetUserName() {
    return LabelText(ReadUserName(system_));
}

void Form1::Timer1_Timer() {
    const StatusTexts texts = MakeStatusTexts(ReadStatusFigures(library_, system_));
    NowIs_->SetCaption(LabelText(texts.UpTime));
    TotalRAM_->SetCaption(LabelText(texts.TotalRam));
    AviableRAM_->SetCaption(LabelText(texts.AvailableRam));
    UsedRAM_->SetCaption(LabelText(texts.UsedRam));
    CPUUsed_->SetCaption(LabelText(texts.ProcessorLoad));
    SpeedInfo_->SetCaption(LabelText(InfoFormat::ClockText(facts_.SpeedMHz)));
    UserName_->SetCaption(LabelText(texts.UserName));
}

void Form1::Timer2_Timer() {
    MEMORYSTATUS status;
    status.dwLength = sizeof status;
    system_.GlobalMemoryStatus(status);
    CPU_Bar_->setValue(static_cast<std::int32_t>(library_.GetCPU_Usage()));
    RAM_Bar_->setValue(static_cast<std::int32_t>(
        std::min<std::uint32_t>(status.dwMemoryLoad, std::numeric_limits<std::int32_t>::max())));
}

void Form1::ResetHover() {
    CloseOver_->hide();
    MiniOver_->hide();
}

void Form1::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawPixmap(0, 0, titleStrip_);
}

void Form1::closeEvent(QCloseEvent* event) {
    event->ignore();
    dialogs_.EndProgram();
}
