#include "window/qt/ui/text_drawing.h"

#include <QFontMetrics>
#include <QPainter>
#include <QTextLayout>

#include <algorithm>
#include <cmath>

#include "window/ui/gdi.h"
#include "window/qt/ui/registry.h"

namespace window::ui::qt {

namespace {

constexpr int kTabStopCharacters = 8;
constexpr qreal kUnlimitedWidth = 1e6;

struct LaidLine {
    int start = 0;
    int length = 0;
    int width = 0;
};

}  // namespace

PrefixedText ParsePrefix(std::wstring_view text, bool noPrefix, bool hidePrefix) {
    PrefixedText out;
    const QString source = ToQString(text);
    if (noPrefix) {
        out.text = source;
        return out;
    }
    for (qsizetype i = 0; i < source.size(); ++i) {
        const QChar c = source.at(i);
        if (c != QLatin1Char('&') || i + 1 == source.size()) {
            out.text.append(c);
            continue;
        }
        ++i;  // the marker itself is not shown
        if (source.at(i) != QLatin1Char('&') && !hidePrefix) out.underlined.push_back(static_cast<int>(out.text.size()));
        out.text.append(source.at(i));
    }
    return out;
}

int DrawFormattedText(QPainter* painter, QPaintDevice* device, const TextStyle& style, std::wstring_view text,
                      RECT& rect, unsigned format) {
    const bool singleLine = format & DT_SINGLELINE;
    const bool wordBreak = (format & DT_WORDBREAK) && !singleLine;
    PrefixedText prefixed = ParsePrefix(text, format & DT_NOPREFIX, format & DT_HIDEPREFIX);
    QString shown = prefixed.text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown.replace(QLatin1Char('\n'), singleLine ? QChar(QLatin1Char(' ')) : QChar(QChar::LineSeparator));

    const QFontMetrics metrics(style.font, device);
    const int lineHeight = metrics.height();
    const int boxWidth = rect.Width();

    if (singleLine && (format & DT_END_ELLIPSIS) && metrics.horizontalAdvance(shown) > boxWidth) {
        shown = metrics.elidedText(shown, Qt::ElideRight, boxWidth);
        prefixed.underlined.clear();
    }

    QTextLayout layout(shown, style.font, device);
    QTextOption option;
    option.setWrapMode(wordBreak ? QTextOption::WordWrap : QTextOption::ManualWrap);
    option.setTabStopDistance(kTabStopCharacters * metrics.averageCharWidth());
    layout.setTextOption(option);

    std::vector<LaidLine> lines;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(wordBreak ? std::max(boxWidth, 1) : kUnlimitedWidth);
        line.setPosition(QPointF(0, 0));
        lines.push_back({line.textStart(), line.textLength(), static_cast<int>(std::ceil(line.naturalTextWidth()))});
        if (singleLine) break;
    }
    layout.endLayout();
    if (lines.empty()) lines.push_back({});
    const int textHeight = static_cast<int>(lines.size()) * lineHeight;

    if (format & DT_CALCRECT) {
        int widest = 0;
        for (const LaidLine& line : lines) widest = std::max(widest, line.width);
        rect.right = rect.left + widest;
        rect.bottom = rect.top + textHeight;
        return textHeight;
    }
    if (!painter) return textHeight;

    int top = rect.top;
    if (singleLine && (format & DT_VCENTER)) top = rect.top + (rect.Height() - lineHeight) / 2;
    else if (singleLine && (format & DT_BOTTOM)) top = rect.bottom - lineHeight;

    painter->save();
    if (!(format & DT_NOCLIP)) painter->setClipRect(QRect(rect.left, rect.top, rect.Width(), rect.Height()), Qt::IntersectClip);
    painter->setPen(style.color);
    const auto lineLeft = [&](const LaidLine& laid) {
        if (format & DT_CENTER) return rect.left + (boxWidth - laid.width) / 2;
        if (format & DT_RIGHT) return rect.right - laid.width;
        return rect.left;
    };
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const LaidLine& laid = lines[i];
        const int left = lineLeft(laid);
        const int y = top + static_cast<int>(i) * lineHeight;
        if (style.background) painter->fillRect(QRect(left, y, laid.width, lineHeight), *style.background);
        const QTextLine line = layout.lineAt(static_cast<int>(i));
        if (line.isValid()) line.draw(painter, QPointF(left, y));
    }
    // The access key's underline, under the character it marks.
    for (const int position : prefixed.underlined) {
        for (std::size_t i = 0; i < lines.size(); ++i) {
            const LaidLine& laid = lines[i];
            if (position < laid.start || position >= laid.start + laid.length) continue;
            const QTextLine line = layout.lineAt(static_cast<int>(i));
            const int left = lineLeft(laid);
            const qreal x1 = left + line.cursorToX(position);
            const qreal x2 = left + line.cursorToX(position + 1);
            const int baseline = top + static_cast<int>(i) * lineHeight + metrics.ascent();
            const int y = baseline + std::max(1, metrics.underlinePos());
            painter->fillRect(QRectF(x1, y, std::max<qreal>(1.0, x2 - x1), std::max(1, metrics.lineWidth())), style.color);
        }
    }
    painter->restore();
    return textHeight;
}

}  // namespace window::ui::qt
