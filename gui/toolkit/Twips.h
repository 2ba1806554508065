#pragma once

#include <QRect>

// Windows are laid out in twips; 15 twips make one pixel at 96 dots per inch.
constexpr int Px(int twips) {
    return (twips >= 0 ? twips + 7 : twips - 7) / 15;
}

inline QRect TwipsRect(int left, int top, int width, int height) {
    return QRect(Px(left), Px(top), Px(width), Px(height));
}
