#include "results/HeadlessView.h"

#include "platform/QuelError.h"

#include <algorithm>

HeadlessView::HeadlessView(RunHooks hooks) : hooks_(std::move(hooks)) {}

void HeadlessView::PassStarted(int pass) {
    if (hooks_.StopPoint) {
        hooks_.StopPoint();
    }
    if (hooks_.PassStarted) {
        hooks_.PassStarted(pass);
    }
}

void HeadlessView::TimeListClear() {
    timeList_.clear();
}

void HeadlessView::TimeListAddItem(const std::string& text) {
    timeList_.push_back(text);
}

int HeadlessView::TimeListCount() const {
    return static_cast<int>(timeList_.size());
}

std::string HeadlessView::TimeListItem(int index) const {
    if (index < 0 || index >= TimeListCount()) {
        throw QuelError::SubscriptOutOfRange("HeadlessView.TimeListItem");
    }
    return timeList_[static_cast<std::size_t>(index)];
}

MessageBox::Answer HeadlessView::MsgBox(const std::string& prompt, MessageBox::Icon icon,
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

void HeadlessView::DoEvents() {
    if (hooks_.StopPoint) {
        hooks_.StopPoint();
    }
}
