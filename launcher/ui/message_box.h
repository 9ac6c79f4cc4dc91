#pragma once
// The launcher's message box: the platform's box with the given style,
// placed so that it is centred over the main window's rectangle rather than
// over the screen, even when that window is minimised or partly off screen.

#include <QRect>
#include <string>

class QWidget;

namespace krv {

// The top-left corner that centres a box of `boxSize` over `owner`
// (integer halves, rounding toward zero).
QPoint centredOver(const QRect& owner, const QSize& boxSize);

// Shows the box modally and returns the pressed button as the platform's
// result value (1 OK, 6 Yes, 7 No).
int showCentredMessage(QWidget* owner, const std::string& text, int style,
                       const std::string& title);

// The rectangle a dialog is centred over: the window's normal rectangle
// when it is minimised.
QRect ownerRect(const QWidget* owner);

} // namespace krv
