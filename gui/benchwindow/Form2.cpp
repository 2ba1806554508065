#include "benchwindow/Form2.h"

#include "artwork/Artwork.h"
#include "controls/CaptionLabel.h"
#include "controls/ImageBox.h"
#include "controls/ProgBar.h"
#include "controls/SeparatorLines.h"
#include "platform/QuelError.h"
#include "platform/Version.h"
#include "toolkit/DoEvents.h"
#include "toolkit/Fonts.h"
#include "toolkit/Twips.h"

#include <QCloseEvent>
#include <QListWidget>
#include <QPainter>
#include <algorithm>

namespace {

constexpr int kClientWidth = 10500;
constexpr int kClientHeight = 2250;
const QColor kCommandBack(255, 192, 192);

CaptionLabel* makeLabel(QWidget* parent, const char* caption, int left, int top, int width,
                        int height) {
    auto* label = new CaptionLabel(QString::fromLatin1(caption), parent);
    QRect place = TwipsRect(left, top, width, height);
    // A caption set here stays on one line: where the font runs a few pixels
    // wider than the layout allows, the label grows to the right instead of
    // wrapping its last word out of sight.
    const int textWidth = label->fontMetrics().horizontalAdvance(label->Caption().remove('&'));
    place.setWidth(std::max(place.width(), textWidth + 1));
    label->setGeometry(place);
    return label;
}

CaptionLabel* makeCommand(QWidget* parent, const char* caption, int left, int top) {
    CaptionLabel* label = makeLabel(parent, caption, left, top, 1530, 255);
    label->SetAlignment(Qt::AlignCenter);
    label->SetBorder(true);
    label->SetBackColor(kCommandBack);
    return label;
}

// The texts of the run logic in the locale's encoding, in which the system
// gives its error texts and the file system its names; the program's own
// texts are ASCII.
QString localText(const std::string& text) {
    return QString::fromLocal8Bit(text.data(), static_cast<qsizetype>(text.size()));
}

std::string localBytes(const QString& text) {
    return text.toLocal8Bit().toStdString();
}

ProgBar* makeBar(QWidget* parent, int left, int top) {
    auto* bar = new ProgBar(parent);
    ProgBar::ConfigureAsWindowBar(*bar);
    bar->setGeometry(TwipsRect(left, top, 4575, 135));
    return bar;
}

} // namespace

Form2::Form2(Dialogs& dialogs, const std::string& inputDirectory, const std::string& workDirectory,
             ResultsReport::CaptionOf captionOf, QWidget* parent)
    : ChromeWindow(Px(kClientWidth), Px(kClientHeight), Qt::Tool, parent), dialogs_(dialogs),
      titleStrip_(Artwork::TitleStrip(Px(kClientWidth))) {
    setWindowTitle(QStringLiteral("Quelvorant - Testing ..."));
    buildElements();
    Form_Load();
    BenchmarkView& view = *this;
    passes_ =
        std::make_unique<TimedPasses>(view, *Huffman, TestFiles::In(inputDirectory, workDirectory));
    saveOffers_ = std::make_unique<SaveOffers>(view, *Huffman, workDirectory + "/FResult.tmp",
                                               std::move(captionOf));
    run_ = std::make_unique<BenchmarkRun>(
        view, *passes_, [this](const RunResult& result) { saveOffers_->Offer(result); });
}

Form2::~Form2() = default;

void Form2::Form_Load() {
    Huffman = std::make_unique<clsHuffman>();
    Huffman->SetProgressHandler([this](std::int16_t& Procent) { Huffman_Progress(Procent); });
    Operation_Progress->SetCaption(QStringLiteral("Quelvorant is ready, click ''Begin'' ..."));
}

void Form2::buildElements() {
    // Back to front: body picture, emblem, word mark, then the texts.
    Image1 = new ImageBox(Artwork::BodyPicture(700, 128), this);
    Image1->setGeometry(TwipsRect(0, 330, 10500, 1920));
    auto* emblem = new ImageBox(Artwork::Emblem(), this); // Image3
    emblem->setGeometry(TwipsRect(5400, 360, 1050, 1020));
    auto* wordMark = new ImageBox(Artwork::WordMark(), this); // Image2
    wordMark->setGeometry(TwipsRect(5880, 480, 4500, 900));

    new SeparatorLines({{QLine(Px(80), Px(600), Px(400), Px(600)), Qt::black}}, this); // Line4
    CaptionLabel* logo = makeLabel(this, "Quelvorant - Testing ...", 480, 75, 2295, 240);
    logo->SetAlignment(Qt::AlignHCenter | Qt::AlignTop);
    Operation_Progress = makeLabel(this, "Test Information ...", 525, 480, 4695, 255);
    Operation_Progress->setFont(TahomaFont(11, true));
    makeLabel(this, "Operation Time Spent:", 240, 840, 1620, 195);
    Label2_3 = makeLabel(this, "<none>", 2040, 840, 2760, 195);
    makeLabel(this, "Current Operation Progress:", 240, 1200, 4575, 195);
    Current_4 = makeLabel(this, "0 %", 5040, 1410, 1500, 195);
    ProgBar1 = makeBar(this, 240, 1440);
    makeLabel(this, "Total Operation Progress:", 240, 1680, 4620, 195);
    Total_Label_0 = makeLabel(this, "0 %", 5040, 1890, 1500, 195);
    ProgBar2 = makeBar(this, 240, 1920);
    Begin_Label = makeCommand(this, "&Begin ...", 7080, 1800);
    Exit_Label = makeCommand(this, "E&xit", 8760, 1800);

    CloseN_Image = new ImageBox(Artwork::CloseGlyph(false), this);
    CloseN_Image->setGeometry(TwipsRect(10200, 70, 210, 195));
    CloseH_Image = new ImageBox(Artwork::CloseGlyph(true), this);
    CloseH_Image->setGeometry(TwipsRect(10200, 70, 210, 195));
    CloseH_Image->hide();

    // Below the client area, never seen: the list of pass times, the picture
    // box and their headings.
    makeLabel(this, "Total Time:", 120, 3120, 4335, 255);
    Quel_TimeList = new QListWidget(this);
    Quel_TimeList->setGeometry(TwipsRect(120, 3360, 5055, 2400));
    Quel_TimeList->setSortingEnabled(false);
    makeLabel(this, "BMP Picture:", 5400, 3120, 4815, 255);
    // Picture1: the bitmap itself is the test input file; the box stays empty.
    auto* picture1 = new QWidget(this);
    picture1->setGeometry(TwipsRect(5400, 3360, 4815, 2535));

    connect(Image1, &ImageBox::MouseMove, this, [this] {
        CloseH_Image->hide();
        highlight(Begin_Label, false);
        highlight(Exit_Label, false);
    });
    connect(CloseN_Image, &ImageBox::MouseMove, this, [this] { CloseH_Image->show(); });
    connect(Begin_Label, &CaptionLabel::MouseMove, this, [this] {
        highlight(Exit_Label, false);
        highlight(Begin_Label, true);
    });
    connect(Exit_Label, &CaptionLabel::MouseMove, this, [this] {
        highlight(Begin_Label, false);
        highlight(Exit_Label, true);
    });
    connect(CloseH_Image, &ImageBox::Click, this, &Form2::LeaveRequested);
    connect(Exit_Label, &CaptionLabel::Click, this, &Form2::LeaveRequested);
    connect(Begin_Label, &CaptionLabel::Click, this, &Form2::Begin_Label_Click);
}

void Form2::highlight(CaptionLabel* label, bool on) {
    label->SetOpaque(on);
}

void Form2::ResetHover() {
    CloseH_Image->hide();
}

void Form2::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawPixmap(0, 0, titleStrip_);
}

void Form2::closeEvent(QCloseEvent* event) {
    // The window sequence hides and destroys the window itself, after showing
    // Form1, so the desktop never closes it here.
    event->ignore();
    if (Exit_Label->isEnabled()) {
        emit LeaveRequested();
    }
}

void Form2::SetRunFinished(BenchmarkRun::RunFinished runFinished) {
    run_->SetRunFinished(std::move(runFinished));
}

void Form2::Compress_Test() {
    passes_->Compress_Test();
}

void Form2::Decompress_Test() {
    passes_->Decompress_Test();
}

void Form2::Huffman_Progress(const std::int16_t& Procent) {
    passes_->Huffman_Progress(Procent);
}

void Form2::Begin_Label_Click() {
    try {
        run_->Run();
    } catch (const QuelError& error) {
        // An error the run has no handling for: report it instead of ending
        // the program, and give the commands back.
        MsgBox(error.Description(), MessageBox::Icon::Critical, MessageBox::Buttons::OK,
               VersionText() + " Error ...");
        for (Command command : {Command::CloseN_Image, Command::CloseH_Image, Command::Exit_Label,
                                Command::Begin_Label}) {
            SetCommandEnabled(command, true);
        }
    }
}

void Form2::SetCaption(Caption which, const std::string& text) {
    const QString caption = localText(text);
    switch (which) {
    case Caption::Operation_Progress:
        Operation_Progress->SetCaption(caption);
        break;
    case Caption::Label2_3:
        Label2_3->SetCaption(caption);
        break;
    case Caption::Current_4:
        Current_4->SetCaption(caption);
        break;
    case Caption::Total_Label_0:
        Total_Label_0->SetCaption(caption);
        break;
    }
}

void Form2::SetBarValue(Bar which, int value) {
    (which == Bar::ProgBar1 ? ProgBar1 : ProgBar2)->setValue(value);
}

void Form2::SetCommandEnabled(Command which, bool enabled) {
    QWidget* element = nullptr;
    switch (which) {
    case Command::Begin_Label:
        element = Begin_Label;
        break;
    case Command::CloseN_Image:
        element = CloseN_Image;
        break;
    case Command::CloseH_Image:
        element = CloseH_Image;
        break;
    case Command::Exit_Label:
        element = Exit_Label;
        break;
    }
    element->setEnabled(enabled);
    element->repaint();
}

void Form2::TimeListClear() {
    Quel_TimeList->clear();
}

void Form2::TimeListAddItem(const std::string& text) {
    Quel_TimeList->addItem(localText(text));
}

int Form2::TimeListCount() const {
    return Quel_TimeList->count();
}

std::string Form2::TimeListItem(int index) const {
    if (index < 0 || index >= Quel_TimeList->count()) {
        throw QuelError::SubscriptOutOfRange("Quel_TimeList.List");
    }
    return localBytes(Quel_TimeList->item(index)->text());
}

MessageBox::Answer Form2::MsgBox(const std::string& prompt, MessageBox::Icon icon,
                                 MessageBox::Buttons buttons, const std::string& title) {
    return dialogs_.MsgBox(this, localText(prompt), icon, buttons, localText(title));
}

std::string Form2::fBrowseForFolder(QWidget* hwndOwner, const std::string& sPrompt) {
    return localBytes(dialogs_.BrowseForFolder(hwndOwner, localText(sPrompt)));
}

std::string Form2::BrowseForFolder(const std::string& sPrompt) {
    return fBrowseForFolder(this, sPrompt);
}

void Form2::DoEvents() {
    ::DoEvents();
}

void Form2::Refresh() {
    repaint();
}

void Form2::EndProgram() {
    dialogs_.EndProgram();
}
