#pragma once

#include <QString>

class QApplication;
class QFontMetrics;

namespace krv {

// The help text of a control as the tooltip shows it: kept on its lines
// while it fits 240 pixels, else wrapped at that width; 5 pixels of margin
// left and right, 2 above and below.
QString helpTipText(const QString& text, const QFontMetrics& metrics);

// Help texts appear after 300 ms of rest, at once on the next control
// within 800 ms, stay up to 20 s, and take the form above.
void installHelpTips(QApplication& app);

} // namespace krv
