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

struct RowSpec {
    int top;
    const char* textCaption;
    int ColourScheme::*textSlot; // nullptr: the sample's text colour is fixed
    bool textEnabled;
    const char* backCaption;
    int ColourScheme::*backSlot;
    bool backEnabled;
    const char* sample;
    bool bold;
};

// Indexed by row; the window shows row 16 above 14 and 13 below 15 (see the tops).
const std::array<RowSpec, HbmColor::Rows - 1> RowSpecs = {{
    {375, "画面余白ガイド", &ColourScheme::ColGuideFore, true, "画面下地", &ColourScheme::ColScreenBack, true,
     "　長文の---", false},
    {720, "黒に固定", nullptr, false, "コマンド", &ColourScheme::ColCommandBack, true, "　反映", false},
    {1170, "曜日の文字 SUN", &ColourScheme::ColSunHeadFore, true, "左の背景", &ColourScheme::ColSunHeadBack,
     true, "　SUN", false},
    {1515, "曜日の文字 SAT", &ColourScheme::ColSatHeadFore, true, "左の背景", &ColourScheme::ColSatHeadBack,
     true, "　SAT", false},
    {1860, "曜日文字 MON～FRI", &ColourScheme::ColWeekdayHeadFore, true, "左の背景",
     &ColourScheme::ColWeekdayHeadBack, true, "　MON--FRI", false},
    {2310, "日付文字 日曜", &ColourScheme::ColSunDateFore, true, "左の背景", &ColourScheme::ColSunDateBack,
     true, "　15", true},
    {2655, "日付文字 土曜", &ColourScheme::ColSatDateFore, true, "左の背景", &ColourScheme::ColSatDateBack,
     true, "　21", true},
    {3000, "日付文字 月～金", &ColourScheme::ColWeekdayDateFore, true, "左の背景",
     &ColourScheme::ColWeekdayDateBack, true, "　16--20", true},
    {3330, "日付文字 祝祭日", &ColourScheme::ColHolidayDateFore, true, "不変",
     &ColourScheme::ColHolidayDateBack, false, "　23", true},
    {3675, "不変", nullptr, false, "本日日付背景", &ColourScheme::ColTodayBack, true, "　20", true},
    {4125, "日付右メモ枠", &ColourScheme::ColMarkFore, true, "左の背景", &ColourScheme::ColMarkBack, true,
     "　◆休", false},
    {4470, "祝祭日記載枠", &ColourScheme::ColPubLineFore, true, "左の背景", &ColourScheme::ColPubLineBack,
     true, "天皇誕生日", false},
    {4815, "誕生日記載枠", &ColourScheme::ColPrivLineFore, true, "左の背景", &ColourScheme::ColPrivLineBack,
     true, "花子誕生'01", false},
    {6300, "月メモ記載枠", &ColourScheme::ColMemoFore, true, "左の背景", &ColourScheme::ColMemoBack, true,
     "撫子播種(下旬)", false},
    {5610, "年 記載枠", &ColourScheme::ColYearFore, true, "左の背景", &ColourScheme::ColYearBack, true,
     "　2002", false},
    {5955, "月 記載枠", &ColourScheme::ColMonthFore, true, "左の背景", &ColourScheme::ColMonthBack, true,
     "　12", true},
    {5160, "不変", nullptr, false, "前後月 日枠", &ColourScheme::ColOtherMonthBack, true, "　31", true},
}};

// What each row colours, as the colour chooser's title names it: the element whose text colour the
// left button sets, and the element whose background the right button sets.
struct RowName {
    const char* text;
    const char* back;
};
const std::array<RowName, HbmColor::Rows> RowNames = {{
    {"画面余白ガイド", "画面下地"},
    {"", "コマンド 背景"},
    {"曜日 SUN", "曜日 SUN 背景"},
    {"曜日 SAT", "曜日 SAT 背景"},
    {"曜日 MON～FRI", "曜日 MON～FRI 背景"},
    {"日付 日曜", "日付 日曜 背景"},
    {"日付 土曜", "日付 土曜 背景"},
    {"日付 月～金", "日付 月～金 背景"},
    {"日付 祝祭日", ""},
    {"", "本日日付 背景"},
    {"日付右メモ枠", "日付右メモ枠 背景"},
    {"祝祭日記載枠", "祝祭日記載枠 背景"},
    {"誕生日記載枠", "誕生日記載枠 背景"},
    {"月メモ記載枠", "月メモ記載枠 背景"},
    {"年 記載枠", "年 記載枠 背景"},
    {"月 記載枠", "月 記載枠 背景"},
    {"", "前後月 日枠 背景"},
    {"", "日付枠囲み線"},
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
                             frameRow || RowSpecs[i].textEnabled);
        placeTwips(*Command1[i], 180, top, 1700, 330);
        connect(Command1[i], &QPushButton::clicked, this, [this, i] { Command1_Click(i); });
        Command2[i] = button(QStringLiteral("Command2"), i,
                             frameRow ? QStringLiteral("色") : QString::fromUtf8(RowSpecs[i].backCaption),
                             frameRow || RowSpecs[i].backEnabled);
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

int ColourScheme::*HbmColor::textSlot(int row) {
    return row >= 0 && row < Rows - 1 ? RowSpecs[row].textSlot : nullptr;
}

int ColourScheme::*HbmColor::backSlot(int row) {
    return row >= 0 && row < Rows - 1 ? RowSpecs[row].backSlot : nullptr;
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
    const auto colour = ui.chooseColour(m.*slot, chooserTitle(RowNames[Index].text));
    if (!colour)
        return;
    m.*slot = *colour;
    setForeColor(*Text1[Index], *colour);
}

void HbmColor::Command2_Click(int Index) {
    if (Index < 0 || Index >= Rows)
        return;
    const int current = Index == ThicknessRow ? m.ColFrameLine : m.*backSlot(Index);
    const auto colour = ui.chooseColour(current, chooserTitle(RowNames[Index].back));
    if (!colour)
        return;
    if (Index == ThicknessRow) {
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
