#include "TerminalView.h"

#include "Interruption.h"
#include "QuelError.h"
#include "TimedPasses.h"

#include <algorithm>

TerminalView::TerminalView(PassStarted passStarted) : passStarted_(std::move(passStarted)) {}

void TerminalView::SetCaption(Caption which, const std::string& text) {
    if (which == Caption::Operation_Progress &&
        (text == TimedPasses::kCompressionCaption || text == TimedPasses::kDecompressionCaption)) {
        Interruption::ThrowIfRequested();
        ++passes_;
        if (passStarted_) {
            passStarted_(passes_);
        }
    }
}

void TerminalView::TimeListClear() {
    timeList_.clear();
    passes_ = 0;
}

void TerminalView::TimeListAddItem(const std::string& text) {
    timeList_.push_back(text);
}

int TerminalView::TimeListCount() const {
    return static_cast<int>(timeList_.size());
}

std::string TerminalView::TimeListItem(int index) const {
    if (index < 0 || index >= TimeListCount()) {
        throw QuelError::SubscriptOutOfRange("TerminalView.TimeListItem");
    }
    return timeList_[static_cast<std::size_t>(index)];
}

MessageBox::Answer TerminalView::MsgBox(const std::string& prompt, MessageBox::Icon icon,
                                        MessageBox::Buttons, const std::string&) {
    if (icon == MessageBox::Icon::Critical) {
        // The box's lines, joined into one.
        std::string line;
        for (std::size_t from = 0; from <= prompt.size();) {
            const std::size_t end = std::min(prompt.find("\r\n", from), prompt.size());
            if (end > from) {
                line += (line.empty() ? "" : " ") + prompt.substr(from, end - from);
            }
            from = end + 2;
        }
        errors_.push_back(line);
    }
    return MessageBox::Answer::OK;
}

void TerminalView::DoEvents() {
    Interruption::ThrowIfRequested();
}
