#include "app/PrintPage.h"

#include "calendar/Records.h"

#include <QDir>
#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>

namespace hibimo {

PrintChoices readPrintChoices(const QString& folder) {
    const std::optional<QByteArray> bytes = readFileBytes(QDir(folder).filePath(PrintChoicesFileName));
    if (!bytes)
        return {};
    FieldReader fields(*bytes);
    const std::optional<qint64> layout = fields.nextNumber(0, 1);
    const std::optional<qint64> privateNotes = fields.nextNumber(0, 1);
    if (!layout || !privateNotes)
        return {};
    PrintChoices read;
    read.layout = *layout == 1 ? PrintChoices::Layout::Year : PrintChoices::Layout::Month;
    read.privateNotes = *privateNotes == 1;
    return read;
}

bool writePrintChoices(const QString& folder, const PrintChoices& choices) {
    const QString text = QStringLiteral("%1,%2\r\n")
                             .arg(choices.layout == PrintChoices::Layout::Year ? 1 : 0)
                             .arg(choices.privateNotes ? 1 : 0);
    return writeTextFile(QDir(folder).filePath(PrintChoicesFileName), text);
}

int weeksOfMonth(int year, int month) {
    const QDate first(year, month, 1);
    const int lead = first.dayOfWeek() % 7;
    // A wall calendar keeps its rows even for a February that fits in four weeks.
    return std::max(5, (lead + first.daysInMonth() + 6) / 7);
}

QColor inkOnPaper(int colour) {
    const QColor c(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
    return c.lightnessF() > 0.85 ? QColor(Qt::black) : c;
}

namespace {

constexpr double MinPointSize = 3.5;
constexpr int Wrapped = Qt::TextWrapAnywhere | Qt::AlignLeft | Qt::AlignTop;

QFont pageFont(double pointSize, bool bold = false) {
    QFont font(QStringLiteral("ＭＳ Ｐゴシック"));
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}

// The text at the largest size from `pointSize` down that fits its box; at the smallest size it is
// placed whatever it needs, and `needed` tells the caller.
PageText fitted(const QString& text, const QRectF& box, QFont font, const QColor& colour, int flags,
                QPaintDevice& device) {
    double size = font.pointSizeF();
    for (;;) {
        font.setPointSizeF(size);
        const QRectF needed = QFontMetricsF(font, &device).boundingRect(box, flags, text);
        const bool fits = needed.height() <= box.height() + 0.5 && needed.width() <= box.width() + 0.5;
        if (fits || size <= MinPointSize)
            return {box, text, font, colour, flags, needed};
        size = std::max(MinPointSize, size * 0.9);
    }
}

bool fits(const PageText& t) {
    return t.needed.height() <= t.box.height() + 0.5 && t.needed.width() <= t.box.width() + 0.5;
}

QColor lightened(const QColor& c) {
    return QColor::fromRgbF(0.75 + 0.25 * c.redF(), 0.75 + 0.25 * c.greenF(), 0.75 + 0.25 * c.blueF());
}

struct Grid {
    QRectF area;
    int rows;
    QRectF cell(int row, int column) const {
        const double w = area.width() / 7;
        const double h = area.height() / rows;
        return {area.left() + column * w, area.top() + row * h, w, h};
    }
};

void addGridLines(Page& page, const Grid& grid) {
    for (int r = 0; r <= grid.rows; ++r) {
        const double y = grid.area.top() + r * grid.area.height() / grid.rows;
        page.lines.emplace_back(grid.area.left(), y, grid.area.right(), y);
    }
    for (int c = 0; c <= 7; ++c) {
        const double x = grid.area.left() + c * grid.area.width() / 7;
        page.lines.emplace_back(x, grid.area.top(), x, grid.area.bottom());
    }
}

void addHeads(Page& page, const Grid& heads, const MonthPageData& data, double pointSize,
              QPaintDevice& device) {
    for (int c = 0; c < 7; ++c) {
        const QColor colour = c == 0 ? data.sundayColour : c == 6 ? data.saturdayColour : QColor(Qt::black);
        page.texts.push_back(fitted(PageWeekdays[c], heads.cell(0, c), pageFont(pointSize, true), colour,
                                    Qt::AlignCenter, device));
    }
}

void addMonthDay(Page& page, const PageDay& day, const QRectF& cell, QPaintDevice& device) {
    const double pad = cell.height() * 0.03;
    const QRectF inner = cell.adjusted(pad, pad, -pad, -pad);
    const QRectF top(inner.left(), inner.top(), inner.width(), inner.height() * 0.24);
    const QRectF numberBox(top.left(), top.top(), top.width() * 0.3, top.height());
    page.texts.push_back(fitted(QString::number(day.date.day()), numberBox, pageFont(16, true),
                                day.numberColour, Qt::AlignLeft | Qt::AlignVCenter, device));
    if (!day.mark.isEmpty())
        page.texts.push_back(fitted(day.mark,
                                    QRectF(numberBox.right(), top.top(), top.width() * 0.25, top.height()),
                                    pageFont(11), Qt::black, Qt::AlignLeft | Qt::AlignVCenter, device));
    if (!day.almanac.isEmpty()) {
        const QRectF almanacBox(top.left() + top.width() * 0.55, top.top(), top.width() * 0.45, top.height());
        page.texts.push_back(fitted(day.almanac, almanacBox, pageFont(7), Qt::darkGray,
                                    Qt::AlignRight | Qt::AlignTop | Qt::TextWrapAnywhere, device));
    }
    if (!day.lines.isEmpty()) {
        const QRectF linesBox(inner.left(), top.bottom(), inner.width(), inner.bottom() - top.bottom());
        page.texts.push_back(
            fitted(day.lines.join(QLatin1Char('\n')), linesBox, pageFont(9), Qt::black, Wrapped, device));
    }
}

} // namespace

Page layoutMonthPage(const MonthPageData& data, const QRectF& area, QPaintDevice& device) {
    Page page;
    const double h = area.height();
    const QRectF titleBox(area.left(), area.top(), area.width(), h * 0.08);
    page.texts.push_back(fitted(data.title, titleBox, pageFont(22, true), Qt::black,
                                Qt::AlignLeft | Qt::AlignVCenter, device));
    const double memoHeight = data.memo.isEmpty() ? 0 : h * 0.13;
    const Grid heads{QRectF(area.left(), titleBox.bottom(), area.width(), h * 0.05), 1};
    const Grid grid{QRectF(area.left(), heads.area.bottom(), area.width(),
                           area.bottom() - heads.area.bottom() - memoHeight),
                    int(data.days.size() / 7)};
    addHeads(page, heads, data, 12, device);
    for (int i = 0; i < int(data.days.size()); ++i) {
        const QRectF cell = grid.cell(i / 7, i % 7);
        if (!data.days[i].inMonth)
            page.fills.push_back({cell, lightened(data.otherMonthFill)});
        addMonthDay(page, data.days[i], cell, device);
    }
    addGridLines(page, heads);
    addGridLines(page, grid);
    if (memoHeight > 0) {
        const QRectF memoBox = QRectF(area.left(), grid.area.bottom(), area.width(), memoHeight)
                                   .adjusted(h * 0.005, h * 0.01, -h * 0.005, 0);
        page.texts.push_back(fitted(data.memo, memoBox, pageFont(10), Qt::black, Wrapped, device));
    }
    return page;
}

namespace {

void addMiniMonth(Page& page, const MonthPageData& month, const QRectF& block, QPaintDevice& device) {
    const double h = block.height();
    const QRectF titleBox(block.left(), block.top(), block.width(), h * 0.12);
    page.texts.push_back(fitted(month.title, titleBox, pageFont(12, true), Qt::black,
                                Qt::AlignLeft | Qt::AlignVCenter, device));
    const Grid heads{QRectF(block.left(), titleBox.bottom(), block.width(), h * 0.09), 1};
    addHeads(page, heads, month, 7, device);
    const Grid grid{QRectF(block.left(), heads.area.bottom(), block.width(), h * 0.5), 6};
    QStringList names;
    for (int i = 0; i < int(month.days.size()); ++i) {
        const PageDay& day = month.days[i];
        if (!day.inMonth)
            continue;
        page.texts.push_back(fitted(QString::number(day.date.day()), grid.cell(i / 7, i % 7), pageFont(8),
                                    day.numberColour, Qt::AlignCenter, device));
        for (const QString& name : day.lines)
            names << QString::number(day.date.day()) + QLatin1Char(' ') + name;
    }
    const QRectF namesBox(block.left(), grid.area.bottom(), block.width(),
                          block.bottom() - grid.area.bottom());
    // Names go where they fit: the last ones give way rather than the numbers above them.
    while (!names.isEmpty()) {
        PageText list =
            fitted(names.join(QStringLiteral("　")), namesBox, pageFont(6), Qt::darkRed, Wrapped, device);
        if (fits(list)) {
            page.texts.push_back(list);
            break;
        }
        names.removeLast();
    }
}

} // namespace

Page layoutYearPage(const YearPageData& data, const QRectF& area, QPaintDevice& device) {
    Page page;
    const QRectF titleBox(area.left(), area.top(), area.width(), area.height() * 0.08);
    page.texts.push_back(fitted(data.title, titleBox, pageFont(22, true), Qt::black,
                                Qt::AlignLeft | Qt::AlignVCenter, device));
    const double w = area.width() / 4;
    const double h = (area.bottom() - titleBox.bottom()) / 3;
    const double gap = w * 0.06;
    for (int k = 0; k < 12; ++k) {
        const QRectF block(area.left() + (k % 4) * w, titleBox.bottom() + (k / 4) * h, w - gap, h - gap);
        addMiniMonth(page, data.months[k], block, device);
    }
    return page;
}

void paintPage(QPainter& painter, const Page& page) {
    for (const PageFill& fill : page.fills)
        painter.fillRect(fill.box, fill.colour);
    painter.setPen(QPen(Qt::darkGray, 0));
    for (const QLineF& line : page.lines)
        painter.drawLine(line);
    for (const PageText& text : page.texts) {
        painter.setFont(text.font);
        painter.setPen(text.colour);
        painter.drawText(text.box, text.flags, text.text);
    }
}

} // namespace hibimo
