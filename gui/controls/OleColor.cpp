#include "controls/OleColor.h"

#include <array>

namespace {

struct PaletteEntry {
    QPalette::ColorGroup group;
    QPalette::ColorRole role;
};

// The system colours by index, each with the palette entry that plays its part.
constexpr std::array<PaletteEntry, 31> kSystemColors{{
    {QPalette::Active, QPalette::Button},          // 0 scroll bar
    {QPalette::Active, QPalette::Dark},            // 1 desktop
    {QPalette::Active, QPalette::Highlight},       // 2 active caption
    {QPalette::Inactive, QPalette::Mid},           // 3 inactive caption
    {QPalette::Active, QPalette::Button},          // 4 menu
    {QPalette::Active, QPalette::Base},            // 5 window
    {QPalette::Active, QPalette::Shadow},          // 6 window frame
    {QPalette::Active, QPalette::ButtonText},      // 7 menu text
    {QPalette::Active, QPalette::Text},            // 8 window text
    {QPalette::Active, QPalette::HighlightedText}, // 9 caption text
    {QPalette::Active, QPalette::Button},          // 10 active border
    {QPalette::Inactive, QPalette::Button},        // 11 inactive border
    {QPalette::Active, QPalette::Mid},             // 12 application workspace
    {QPalette::Active, QPalette::Highlight},       // 13 highlight
    {QPalette::Active, QPalette::HighlightedText}, // 14 highlighted text
    {QPalette::Active, QPalette::Button},          // 15 button face
    {QPalette::Active, QPalette::Dark},            // 16 button shadow
    {QPalette::Disabled, QPalette::Text},          // 17 grey text
    {QPalette::Active, QPalette::ButtonText},      // 18 button text
    {QPalette::Disabled, QPalette::WindowText},    // 19 inactive caption text
    {QPalette::Active, QPalette::Light},           // 20 button highlight
    {QPalette::Active, QPalette::Shadow},          // 21 3-D dark shadow
    {QPalette::Active, QPalette::Midlight},        // 22 3-D light
    {QPalette::Active, QPalette::ToolTipText},     // 23 tool-tip text
    {QPalette::Active, QPalette::ToolTipBase},     // 24 tool-tip background
    {QPalette::Active, QPalette::NoRole},          // 25 unused
    {QPalette::Active, QPalette::Link},            // 26 hot-tracked item
    {QPalette::Active, QPalette::Highlight},       // 27 active caption gradient
    {QPalette::Inactive, QPalette::Mid},           // 28 inactive caption gradient
    {QPalette::Active, QPalette::Highlight},       // 29 menu highlight
    {QPalette::Active, QPalette::Button},          // 30 menu bar
}};

} // namespace

QColor OleColorToQColor(std::uint32_t color, const QPalette& palette) {
    if (!OleColor::IsSystemColor(color)) {
        return QColor(static_cast<int>(color & 0xFFu), static_cast<int>((color >> 8) & 0xFFu),
                      static_cast<int>((color >> 16) & 0xFFu));
    }
    const std::uint32_t index = color & 0xFFu;
    if (index >= kSystemColors.size() || kSystemColors[index].role == QPalette::NoRole) {
        return QColor(Qt::black);
    }
    return palette.color(kSystemColors[index].group, kSystemColors[index].role);
}
