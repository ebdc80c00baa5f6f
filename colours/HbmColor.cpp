#include "colours/HbmColor.h"

#include "calendar/TextNumber.h"
#include "colours/ColourScheme.h"
#include "toolkit/Colours.h"
#include "toolkit/DialogKeys.h"
#include "toolkit/Fonts.h"
#include "toolkit/Interaction.h"
#include "toolkit/Twips.h"

#include <climits>
#include <cmath>

namespace hibimo {

namespace {

// A row's place, its buttons' captions and its sample; the colours it sets come from SchemeSlots.
struct RowSpec {
    int top;
    const char* textCaption;
    const char* backCaption;
    const char* sample;
    bool bold;
};

// Indexed by row; the window shows row 16 above 14 and 13 below 15 (see the tops).
const std::array<RowSpec, HbmColor::Rows - 1> RowSpecs = {{
    {375, "画面余白ガイド", "画面下地", "　長文の---", false},
    {720, "黒に固定", "コマンド", "　反映", false},
    {1170, "曜日の文字 SUN", "左の背景", "　SUN", false},
    {1515, "曜日の文字 SAT", "左の背景", "　SAT", false},
    {1860, "曜日文字 MON～FRI", "左の背景", "　MON--FRI", false},
    {2310, "日付文字 日曜", "左の背景", "　15", true},
    {2655, "日付文字 土曜", "左の背景", "　21", true},
    {3000, "日付文字 月～金", "左の背景", "　16--20", true},
    {3330, "日付文字 祝祭日", "不変", "　23", true},
    {3675, "不変", "本日日付背景", "　20", true},
    {4125, "日付右メモ枠", "左の背景", "　◆休", false},
    {4470, "祝祭日記載枠", "左の背景", "天皇誕生日", false},
    {4815, "誕生日記載枠", "左の背景", "花子誕生'01", false},
    {6300, "月メモ記載枠", "左の背景", "撫子播種(下旬)", false},
    {5610, "年 記載枠", "左の背景", "　2002", false},
    {5955, "月 記載枠", "左の背景", "　12", true},
    {5160, "不変", "前後月 日枠", "　31", true},
}};

QString chooserTitle(const char* name) {
    return QStringLiteral("色の選択 - ") + QString::fromUtf8(name);
}

constexpr int ThicknessTop = 7050;
constexpr int MaxFrameLineWidth = 20;

} // namespace

HbmColor::HbmColor(ColourScheme& scheme, Interaction& interaction) : m(scheme), ui(interaction) {
    setObjectName(QStringLiteral("HbmColor"));
    setWindowTitle(QStringLiteral("HbmColor"));
    setClientSizeTwips(5775, 7500);
    setFont(msFont(MsGothic, 9));

    Label1[0] = new Label(this, QStringLiteral("文字色　　　　　　背景色"));
    Label1[0]->setObjectName(QStringLiteral("Label1_0"));
    placeTwips(*Label1[0], 360, 90, 2520, 195);
    Command3 = new QPushButton(QStringLiteral("OK"), this);
    Command3->setObjectName(QStringLiteral("Command3"));
    placeTwips(*Command3, 4785, -15, 780, 300);
    connect(Command3, &QPushButton::clicked, this, &HbmColor::Command3_Click);

    auto button = [this](const QString& name, int index, const QString& caption, bool enabled) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(QStringLiteral("%1_%2").arg(name).arg(index));
        b->setEnabled(enabled);
        return b;
    };
    for (int i = 0; i < Rows; ++i) {
        const bool frameRow = i == ThicknessRow;
        const int top = frameRow ? ThicknessTop : RowSpecs[i].top;
        Command1[i] = button(QStringLiteral("Command1"), i,
                             frameRow ? QStringLiteral("太さ") : QString::fromUtf8(RowSpecs[i].textCaption),
                             frameRow || textSlot(i));
        placeTwips(*Command1[i], 180, top, 1700, 330);
        connect(Command1[i], &QPushButton::clicked, this, [this, i] { Command1_Click(i); });
        Command2[i] = button(QStringLiteral("Command2"), i,
                             frameRow ? QStringLiteral("色") : QString::fromUtf8(RowSpecs[i].backCaption),
                             frameRow || *slotOf(i, false)->chooserName);
        placeTwips(*Command2[i], 1995, top, 1395, 330);
        connect(Command2[i], &QPushButton::clicked, this, [this, i] { Command2_Click(i); });
        if (frameRow)
            continue;
        auto* sample = new QLineEdit(QString::fromUtf8(RowSpecs[i].sample), this);
        sample->setObjectName(QStringLiteral("Text1_%1").arg(i));
        sample->setFont(msFont(MsGothic, 11.25, RowSpecs[i].bold));
        placeTwips(*sample, 3960, top, 1600, 330);
        Text1[i] = sample;
    }

    Label1[1] = new Label(this, QStringLiteral("日付枠囲み線"));
    Label1[1]->setObjectName(QStringLiteral("Label1_1"));
    placeTwips(*Label1[1], 285, 6795, 1260, 195);
    Picture1 = new PictureBox(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    placeTwips(*Picture1, 3960, ThicknessTop, 1600, 330);

    const std::array<QLineF, 4> separators = {QLineF(105, 1095, 5640, 1095), QLineF(120, 2235, 5655, 2235),
                                              QLineF(105, 4050, 5640, 4050), QLineF(120, 5535, 5655, 5535)};
    for (const QLineF& separator : separators)
        addLineControl(separator);
    installDialogKeys(*this, Command3);
}

const ColourSlot* HbmColor::slotOf(int row, bool textColour) {
    for (const ColourSlot& s : SchemeSlots)
        if (s.editorRow == row && s.textColour == textColour)
            return &s;
    return nullptr;
}

int ColourScheme::*HbmColor::textSlot(int row) {
    const ColourSlot* s = slotOf(row, true);
    return s ? s->slot : nullptr;
}

int ColourScheme::*HbmColor::backSlot(int row) {
    return slotOf(row, false)->slot;
}

void HbmColor::paintSample(int row) {
    // Rows without a text slot show a colour they do not own: black, or the weekday date colour of
    // the cells they stand for.
    const auto slot = textSlot(row);
    const int fore = slot ? m.*slot : (row == 1 ? 0 : m.ColWeekdayDateFore);
    setForeColor(*Text1[row], fore);
    setBackColor(*Text1[row], m.*backSlot(row));
}

void HbmColor::drawPreview() {
    Picture1->clear();
    if (m.FrameLineWidth < 1)
        return;
    const int y = Picture1->height() / 2;
    Picture1->drawLine(m.ColFrameLine, m.FrameLineWidth, QPointF(0, y), QPointF(Picture1->width(), y));
}

void HbmColor::Form_Activate() {
    drawPreview();
    for (int row = 0; row < Rows - 1; ++row)
        paintSample(row);
}

void HbmColor::Form_DblClick() {
    ui.printWindow(*this);
}

void HbmColor::Command1_Click(int Index) {
    if (Index == ThicknessRow) {
        const QString answer = ui.prompt(thicknessPrompt(TwipsPerPixel), QStringLiteral("日付枠囲み線太さ"),
                                         QString::number(m.FrameLineWidth));
        m.FrameLineWidth = thicknessFromAnswer(answer);
        drawPreview();
        return;
    }
    const auto slot = textSlot(Index);
    if (!slot)
        return;
    const auto colour = ui.chooseColour(m.*slot, chooserTitle(slotOf(Index, true)->chooserName));
    if (!colour)
        return;
    m.*slot = *colour;
    setForeColor(*Text1[Index], *colour);
}

void HbmColor::Command2_Click(int Index) {
    if (Index < 0 || Index >= Rows)
        return;
    const bool frameRow = Index == ThicknessRow;
    const int current = frameRow ? m.ColFrameLine : m.*backSlot(Index);
    const auto colour =
        ui.chooseColour(current, chooserTitle(frameRow ? "日付枠囲み線" : slotOf(Index, false)->chooserName));
    if (!colour)
        return;
    if (frameRow) {
        m.ColFrameLine = *colour;
        if (m.FrameLineWidth < 1)
            m.FrameLineWidth = 1;
        drawPreview();
    } else {
        m.*backSlot(Index) = *colour;
        setBackColor(*Text1[Index], *colour);
    }
    keepOtherMonthApart(m);
}

void HbmColor::Command3_Click() {
    close();
}

QString HbmColor::thicknessPrompt(int twipsPerPixel) {
    const double mm = std::floor(twipsPerPixel * 100 / 56.7 + 0.5) / 100;
    return QStringLiteral("囲み線の太さを整数(20以下)で入力下さい。") + QStringLiteral("\n\r\n\r") +
           QStringLiteral("1 は 約 ") + QString::number(mm) + QStringLiteral("mm に対応！ ") +
           QStringLiteral("0 で 囲み線を引きません!");
}

int HbmColor::thicknessFromAnswer(const QString& answer) {
    const double width = std::floor(numberValue(answer, NumberReading::Typed));
    if (width > MaxFrameLineWidth)
        return MaxFrameLineWidth;
    // Widths below 1 draw nothing and are kept as typed, within what the slot can hold.
    return width < double(INT_MIN) ? INT_MIN : static_cast<int>(width);
}

} // namespace hibimo
