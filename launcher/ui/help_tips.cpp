#include "launcher/ui/help_tips.h"

#include <QApplication>
#include <QFontMetrics>
#include <QHelpEvent>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QToolTip>
#include <QWidget>

namespace krv {

namespace {

constexpr int kMaxTipWidth = 240;
constexpr int kInitialDelayMs = 300;
constexpr int kReshowDelayMs = 800;
constexpr int kShownForMs = 20000;

class HelpTipStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returned) const override {
        if (hint == SH_ToolTip_WakeUpDelay)
            return kInitialDelayMs;
        if (hint == SH_ToolTip_FallAsleepDelay)
            return kReshowDelayMs;
        return QProxyStyle::styleHint(hint, option, widget, returned);
    }
};

// Shows a control's own help text in the launcher's form; item views'
// entries and controls without a text go their usual way.
class HelpTipPresenter : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::ToolTip || !watched->isWidgetType())
            return false;
        auto* control = static_cast<QWidget*>(watched);
        const QString text = control->toolTip();
        if (text.isEmpty())
            return false;
        const auto* help = static_cast<QHelpEvent*>(event);
        QToolTip::showText(help->globalPos(), helpTipText(text, QFontMetrics(QToolTip::font())),
                           control, {}, kShownForMs);
        return true;
    }
};

// Breaks one line between words so that no piece is wider than the tip
// may be; a single word wider than that stands on its own.
QStringList wrappedLine(const QString& line, const QFontMetrics& metrics) {
    QStringList pieces;
    QString current;
    for (const QString& word : line.split(QLatin1Char(' '))) {
        const QString longer = current.isNull() ? word : current + QLatin1Char(' ') + word;
        if (!current.trimmed().isEmpty() && metrics.horizontalAdvance(longer) > kMaxTipWidth) {
            pieces << current;
            current = word;
        } else {
            current = longer;
        }
    }
    pieces << current;
    return pieces;
}

} // namespace

QString helpTipText(const QString& text, const QFontMetrics& metrics) {
    QString plain = text;
    plain.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QStringList lines;
    for (const QString& line : plain.split(QLatin1Char('\n')))
        lines << wrappedLine(line, metrics);
    return QStringLiteral("<p style=\"margin:2px 5px; white-space:pre\">%1</p>")
        .arg(lines.join(QLatin1Char('\n')).toHtmlEscaped());
}

void installHelpTips(QApplication& app) {
    app.setStyle(new HelpTipStyle(QStyleFactory::create(app.style()->name())));
    app.installEventFilter(new HelpTipPresenter(&app));
}

} // namespace krv
