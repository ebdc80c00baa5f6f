#include "app/HbmFrm.h"

#include "app/AlmanacView.h"
#include "app/ColourCommands.h"
#include "app/DayCellEditing.h"
#include "app/HelpPrint.h"
#include "app/Keyboard.h"
#include "app/ListCommands.h"
#include "app/MonthMemo.h"
#include "app/PrintCommands.h"
#include "app/PublishCommands.h"
#include "app/ShareCommands.h"
#include "calendar/JapaneseEra.h"
#include "calendar/TextNumber.h"
#include "colours/ColourScheme.h"
#include "colours/MonthCells.h"
#include "dialogs/HbmModule.h"
#include "generation/ShownMonth.h"
#include "toolkit/Colours.h"
#include "toolkit/Fonts.h"
#include "toolkit/Twips.h"

#include <QDate>

namespace hibimo {

namespace {

// Label5 and Label6(1) keep the colours they were designed with.
constexpr int DesignFore = 0x404040;
constexpr int DesignBack = 0xE0E0E0;

} // namespace

HbmFrm::HbmFrm(HbmModule& module) : m(module) {
    setObjectName(QStringLiteral("HbmFrm"));
    setWindowTitle(QStringLiteral("Hibimoyomi"));
    setClientSizeTwips(10185, 7215);
    setFont(msFont(MsGothic, 9));
    buildLayout();
    dayCells_ = std::make_unique<DayCellEditing>(*this);
    monthMemo_ = std::make_unique<MonthMemo>(*this);
    listCommands_ = std::make_unique<ListCommands>(*this);
    colourCommands_ = std::make_unique<ColourCommands>(*this);
    helpPrint_ = std::make_unique<HelpPrint>(*this);
    shareCommands_ = std::make_unique<ShareCommands>(*this);
    publishCommands_ = std::make_unique<PublishCommands>(*this);
    printCommands_ = std::make_unique<PrintCommands>(*this);
    almanacView_ = std::make_unique<AlmanacView>(*this);
    connectSignals();
    new Keyboard(*this);
}

HbmFrm::~HbmFrm() = default;

// ---- Layout

void HbmFrm::buildLayout() {
    buildCells();
    buildSideControls();
    const std::array<QLineF, 13> lines = {QLineF(),
                                          QLineF(30, 2595, 1560, 2595),
                                          QLineF(30, 2595, 30, 3750),
                                          QLineF(9795, 120, 10110, 120),
                                          QLineF(10110, 120, 10110, 1410),
                                          QLineF(10110, 855, 10005, 855),
                                          QLineF(10110, 1395, 10035, 1395),
                                          QLineF(10110, 1080, 10020, 1080),
                                          QLineF(1425, 2580, 1425, 150),
                                          QLineF(1425, 1440, 1620, 1440),
                                          QLineF(1425, 1140, 1620, 1140),
                                          QLineF(1425, 150, 1620, 150),
                                          QLineF(1560, 2595, 1560, 3750)};
    for (int k = 1; k <= 12; ++k)
        Line[k] = addLineControl(lines[k]);
}

void HbmFrm::buildCells() {
    const QFont dayFont = msFont(MsGothic, 15.75, true);
    auto makeBox = [this](const QString& name, int i) {
        auto* box = new CellBox(this);
        box->setObjectName(QStringLiteral("%1_%2").arg(name).arg(i));
        box->hide();
        return box;
    };
    // Creation order is stacking order: the public line lies over the day number's lower edge, the
    // private line over the public line, the mark over the day number.
    for (int i = 0; i < 42; ++i) {
        const int r = i / 7;
        const int c = i % 7;
        Text1[i] = makeBox(QStringLiteral("Text1"), i);
        Text1[i]->setFont(dayFont);
        placeTwips(*Text1[i], 1665 + 1200 * c, 705 + 1050 * r, 1155, 450);
        Text2[i] = makeBox(QStringLiteral("Text2"), i);
        placeTwips(*Text2[i], 1665 + 1200 * c, 1020 + 1050 * r, 1155, 285);
        Text3[i] = makeBox(QStringLiteral("Text3"), i);
        placeTwips(*Text3[i], 1665 + 1200 * c, 1245 + 1050 * r, 1155, 435);
        Text5[i] = makeBox(QStringLiteral("Text5"), i);
        placeTwips(*Text5[i], 2145 + 1200 * c, 810 + 1050 * r, 615, 210);
    }
    const std::array<const char*, 7> heads = {"SUN", "MON", "TUE", "WED", "THU", "FRI", "SAT"};
    for (int k = 0; k < 7; ++k) {
        Label1[k] = new Label(this, QString::fromLatin1(heads[k]));
        Label1[k]->setObjectName(QStringLiteral("Label1_%1").arg(k));
        Label1[k]->setAlignment(Qt::AlignCenter);
        Label1[k]->setFont(msFont(MsPGothic, 14.25));
        placeTwips(*Label1[k], 1665 + 1200 * k, 285, 1155, 330);
    }
}

Frame* HbmFrm::buildCommandFrame(const QString& name, const QString& caption, int top, int labelTop,
                                 const QString& labelName, std::array<Label*, 3>& labels,
                                 const std::array<CommandLabel, 3>& layout) {
    auto* frame = new Frame(this, caption);
    frame->setObjectName(name);
    placeTwips(*frame, 45, top, 1490, 435);
    for (int k = 0; k < 3; ++k) {
        labels[k] = new Label(frame, layout[k].caption);
        labels[k]->setObjectName(labelName + QStringLiteral("_%1").arg(k));
        labels[k]->setAlignment(Qt::AlignCenter);
        placeTwips(*labels[k], layout[k].left, labelTop, layout[k].width, 210);
    }
    return frame;
}

Label* HbmFrm::label(const QString& name, const QString& caption) {
    auto* l = new Label(this, caption);
    l->setObjectName(name);
    return l;
}

QPushButton* HbmFrm::button(const QString& name, const QString& caption) {
    auto* b = new QPushButton(caption, this);
    b->setObjectName(name);
    b->setFocusPolicy(Qt::TabFocus);
    return b;
}

void HbmFrm::buildSideControls() {

    Label3 = label(QStringLiteral("Label3"), {});
    Label3->setAlignment(Qt::AlignCenter);
    Label3->setFont(msFont(MsGothic, 15.75));
    placeTwips(*Label3, 90, 225, 1095, 330);
    for (int k = 0; k < 2; ++k) {
        const QString caption = k == 0 ? QStringLiteral("-1") : QStringLiteral("+1");
        Command2[k] = button(QStringLiteral("Command2_%1").arg(k), caption);
        placeTwips(*Command2[k], k == 0 ? 90 : 870, 540, 330, 260);
        Command1[k] = button(QStringLiteral("Command1_%1").arg(k), caption);
        placeTwips(*Command1[k], k == 0 ? 90 : 870, 1830, 330, 260);
    }
    Label2 = label(QStringLiteral("Label2"), {});
    Label2->setAlignment(Qt::AlignCenter);
    Label2->setFont(msFont(MsGothic, 48));
    placeTwips(*Label2, 90, 885, 1095, 960);

    // The strip between the month and the guide line holds the era the way a wall calendar prints it.
    LblEra = label(QStringLiteral("LblEra"), {});
    LblEra->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    placeTwips(*LblEra, 1190, 900, 230, 940);

    Label5 = label(QStringLiteral("Label5"), QStringLiteral("当月行事メモ"));
    placeTwips(*Label5, 30, 2370, 1080, 180);
    setForeColor(*Label5, DesignFore);
    setBackColor(*Label5, DesignBack);

    Text4 = new MemoBox(this);
    Text4->setObjectName(QStringLiteral("Text4"));
    placeTwips(*Text4, 60, 2610, 1490, 3270);

    Frame2 = buildCommandFrame(QStringLiteral("Frame2"), QStringLiteral("配色"), 5970, 165,
                               QStringLiteral("LblColor"), LblColor,
                               {{{QStringLiteral("設定"), 135, 435},
                                 {QStringLiteral("Sav"), 660, 345},
                                 {QStringLiteral("Ld"), 1050, 345}}});
    Frame1 = buildCommandFrame(QStringLiteral("Frame1"), QStringLiteral("祝祭/誕生日設定"), 6480, 180,
                               QStringLiteral("LblHoly"), LblHoly,
                               {{{QStringLiteral("国"), 135, 345},
                                 {QStringLiteral("個"), 540, 345},
                                 {QStringLiteral("反映"), 960, 435}}});

    buildCommandsAndHints();
}

void HbmFrm::buildCommandsAndHints() {
    lblPrintForm = label(QStringLiteral("lblPrintForm"), QStringLiteral("PrintF"));
    placeTwips(*lblPrintForm, 180, 6960, 555, 225);

    // Below the grid's last row, at the right: nothing else lives in that strip.
    CmdExport = button(QStringLiteral("CmdExport"), QStringLiteral("書き出し(&E)"));
    CmdExport->setFont(msFont(MsPGothic, 8.25));
    placeTwips(*CmdExport, 8985, 6960, 1110, 240);
    CmdPublish = button(QStringLiteral("CmdPublish"), QStringLiteral("公開(&U)"));
    CmdPublish->setFont(msFont(MsPGothic, 8.25));
    placeTwips(*CmdPublish, 6585, 6960, 1110, 240);
    CmdPublishSettings = button(QStringLiteral("CmdPublishSettings"), QStringLiteral("公開設定(&T)"));
    CmdPublishSettings->setFont(msFont(MsPGothic, 8.25));
    placeTwips(*CmdPublishSettings, 7785, 6960, 1110, 240);
    CmdPrint = button(QStringLiteral("CmdPrint"), QStringLiteral("印刷(&P)"));
    CmdPrint->setFont(msFont(MsPGothic, 8.25));
    placeTwips(*CmdPrint, 5385, 6960, 1110, 240);
    ChkAlmanac = new QCheckBox(QStringLiteral("六曜・旧暦(&R)"), this);
    ChkAlmanac->setObjectName(QStringLiteral("ChkAlmanac"));
    ChkAlmanac->setFocusPolicy(Qt::TabFocus);
    ChkAlmanac->setFont(msFont(MsPGothic, 8.25));
    placeTwips(*ChkAlmanac, 1665, 6960, 1500, 240);

    const QFont small = msFont(MsGothic, 8.25);
    Label6[1] = label(QStringLiteral("Label6_1"), QStringLiteral("ver 10392"));
    placeTwips(*Label6[1], 345, 0, 810, 165);
    setForeColor(*Label6[1], DesignFore);
    setBackColor(*Label6[1], DesignBack);
    Label6[2] =
        label(QStringLiteral("Label6_2"), QStringLiteral("長文の場合 各枠Clickで隠れている文字表示！"));
    placeTwips(*Label6[2], 1680, 75, 3780, 165);
    Label6[3] = label(QStringLiteral("Label6_3"), QStringLiteral("メモ入力--DblClick！"));
    placeTwips(*Label6[3], 7950, 60, 1800, 165);
    for (int k = 1; k <= 3; ++k)
        Label6[k]->setFont(small);
}

void HbmFrm::connectSignals() {
    for (int k = 0; k < 2; ++k) {
        connect(Command1[k], &QPushButton::clicked, this, [this, k] { Command1_Click(k); });
        connect(Command2[k], &QPushButton::clicked, this, [this, k] { Command2_Click(k); });
    }
    dayCells_->connectSignals();
    monthMemo_->connectSignals();
    listCommands_->connectSignals();
    colourCommands_->connectSignals();
    helpPrint_->connectSignals();
    shareCommands_->connectSignals();
    publishCommands_->connectSignals();
    printCommands_->connectSignals();
    almanacView_->connectSignals();
}

// ---- Start-up and shut-down

namespace {
void readToday(HbmModule& m) {
    const QDate today = m.today();
    m.TodayYear = fourDigits(today.year());
    m.TodayMonth = twoDigits(today.month());
    m.TodayDayText = twoDigits(today.day());
    m.MarkMonth = m.TodayMonth;
    m.TodayDay = static_cast<std::int16_t>(m.TodayDayText.toInt());
    m.DispReady = false;
    m.shown.startAt(today.year(), today.month());
}
} // namespace

void HbmFrm::Form_Load() {
    almanacView_->Form_Load();
    readToday(m);
    Label3->setCaption(m.TodayYear);
    Label2->setCaption(m.TodayMonth);
    ColorDefaults(m.colours);
    SettingsRead(m, m.colours);
}

void HbmFrm::Form_Activate() {
    // A window closing after the shut-down (a list editor that outlives the main window) must not show
    // and reload today's year over what the shut-down left.
    if (unloaded_)
        return;
    m.colours.VersionText = Label6[1]->caption();
    Text4->setReadOnly(true);
    // The month memo is written back on every keystroke but saved only with the year: the reload
    // saves it first.
    m.shown.reload();
    F_C_disp(m.CurYear, m.CurMonth);
}

void HbmFrm::Form_Unload(int& Cancel) {
    (void)Cancel;
    shutDown();
}

void HbmFrm::shutDown() {
    if (unloaded_)
        return;
    unloaded_ = true;
    m.shown.save();
    readToday(m);
    m.shown.reload();
    SettingsWrite(m, m.colours);
    // Everything is on disk by now: a publish can only be late, never lose a thing.
    publishCommands_->beforeExit();
}

void HbmFrm::commitData() {
    if (unloaded_)
        return;
    m.shown.save();
    SettingsWrite(m, m.colours);
}

// ---- Month navigation

void HbmFrm::Command1_Click(int Index) {
    navigate(0, Index == 0 ? -1 : 1);
}

void HbmFrm::Command2_Click(int Index) {
    navigate(Index == 0 ? -1 : 1, 0);
}

void HbmFrm::navigate(int yearStep, int monthStep) {
    // The buttons take no focus: a box grown for reading or the memo being edited would keep it and
    // outlive its month.
    if (QWidget* box = focusWidget(); box && (qobject_cast<CellBox*>(box) || box == Text4))
        box->clearFocus();
    // The grid and its captions stay as they are until the move is done: a message asked on the way
    // stands over the month being left.
    if (m.shown.step(yearStep, monthStep).moved)
        F_C_disp(m.CurYear, m.CurMonth);
}

void HbmFrm::Label3_Change() {
    m.shown.moveTo(m.CurYear, m.CurMonth);
}

// ---- The month display

void HbmFrm::F_C_disp(int H_iY, int H_iM) {
    m.DispDone = false;
    const auto [year, month] = normalisedMonth(H_iY, H_iM);
    applyChromeColours();
    Text4->setText(m.DayItem[month - 1][0][0].mid(5));
    showCells(monthCells(m, m.colours, year, month, showAlmanac));
    const QString monthText = QString::number(month);
    Label3->setCaption(fourDigits(year));
    showEra(year);
    Label2->setCaption(monthText);
    Label5->setCaption(monthText + QStringLiteral("月行事メモ"));
    m.DispReady = true;
    m.DispDone = true;
    drawFrameLines();
}

// ---- Cell styling

void HbmFrm::applyChromeColours() {
    setBackColor(*this, m.colours.ColScreenBack);
    setForeColor(*Label6[2], m.colours.ColGuideFore);
    setForeColor(*Label6[3], m.colours.ColGuideFore);
    for (int k = 1; k <= 12; ++k)
        setLineControlColour(Line[k], m.colours.ColGuideFore);
    for (Frame* frame : {Frame1, Frame2}) {
        setBackColor(*frame, m.colours.ColScreenBack);
        setForeColor(*frame, m.colours.ColGuideFore);
    }
    setBackColor(*Label2, m.colours.ColMonthBack);
    setForeColor(*Label2, m.colours.ColMonthFore);
    Label2->setBorderStyle(m.colours.YmBorderStyle);
    setBackColor(*Label3, m.colours.ColYearBack);
    setForeColor(*Label3, m.colours.ColYearFore);
    Label3->setBorderStyle(m.colours.YmBorderStyle);
    setBackColor(*Text4, m.colours.ColMemoBack);
    setForeColor(*Text4, m.colours.ColMemoFore);
    setBackColor(*Label1[0], m.colours.ColSunHeadBack);
    setForeColor(*Label1[0], m.colours.ColSunHeadFore);
    for (int k = 1; k <= 5; ++k) {
        setBackColor(*Label1[k], m.colours.ColWeekdayHeadBack);
        setForeColor(*Label1[k], m.colours.ColWeekdayHeadFore);
    }
    setBackColor(*Label1[6], m.colours.ColSatHeadBack);
    setForeColor(*Label1[6], m.colours.ColSatHeadFore);
    for (QWidget* w : {static_cast<QWidget*>(Command1[0]), static_cast<QWidget*>(Command1[1]),
                       static_cast<QWidget*>(Command2[0]), static_cast<QWidget*>(Command2[1]),
                       static_cast<QWidget*>(CmdExport), static_cast<QWidget*>(CmdPublish),
                       static_cast<QWidget*>(CmdPublishSettings), static_cast<QWidget*>(CmdPrint)})
        setBackColor(*w, m.colours.ColCommandBack);
    for (int k = 0; k < 3; ++k) {
        setBackColor(*LblColor[k], m.colours.ColCommandBack);
        setBackColor(*LblHoly[k], m.colours.ColCommandBack);
        setForeColor(*LblColor[k], m.colours.ColGuideFore);
        setForeColor(*LblHoly[k], m.colours.ColGuideFore);
    }
    setForeColor(*lblPrintForm, m.colours.ColGuideFore);
    setBackColor(*ChkAlmanac, m.colours.ColScreenBack);
    setForeColor(*LblEra, m.colours.ColGuideFore);
    setForeColor(*ChkAlmanac, m.colours.ColGuideFore);
}

namespace {

// Top to bottom, a number's digits kept on one row; a second era of the year starts after a gap.
QString verticalText(const QString& text) {
    QStringList rows;
    for (const QChar ch : text) {
        if (ch == QChar(0xFF0F))
            rows << QString();
        else if (ch.isDigit() && !rows.isEmpty() && !rows.last().isEmpty() && rows.last().back().isDigit())
            rows.last() += ch;
        else
            rows << QString(ch);
    }
    return rows.join(QLatin1Char('\n'));
}

} // namespace

void HbmFrm::showEra(int year) {
    if (year == eraYear_)
        return;
    eraYear_ = year;
    const QString rows = verticalText(warekiYearText(year));
    // Two eras in one year need twice the rows.
    LblEra->setFont(msFont(MsGothic, rows.count(QLatin1Char('\n')) > 5 ? 5.25 : 7.5));
    LblEra->setCaption(rows);
}

// Only the boxes of cells that differ from what is shown are touched, and of them only the boxes
// whose text or colours change are repainted.
void HbmFrm::showCells(const MonthCells& cells) {
    const bool first = !gridShown_;
    for (int i = 0; i < 42; ++i) {
        const MonthCell& cell = cells[i];
        if (!first && cell == cells_[i])
            continue;
        const std::array<CellBox*, 4> boxes = {Text1[i], Text2[i], Text3[i], Text5[i]};
        const std::array<const QString*, 4> texts = {&cell.dayText, &cell.publicText, &cell.privateText,
                                                     &cell.mark};
        Text1[i]->setAsideText(cell.almanac);
        for (int k = 0; k < 4; ++k)
            boxes[k]->setContent(*texts[k], cell.colours[k].fore, cell.colours[k].back);
    }
    cells_ = cells;
    if (first) {
        // Hidden until they show a whole month: a message of the first start stands over no false one.
        for (int i = 0; i < 42; ++i)
            for (CellBox* box : {Text1[i], Text2[i], Text3[i], Text5[i]})
                box->show();
        gridShown_ = true;
    }
}

void HbmFrm::drawFrameLines() {
    // Setting the lines repaints the whole window: only a change of their colours or width does it.
    const std::array<int, 3> drawn = {m.colours.ColScreenBack, m.colours.ColFrameLine,
                                      m.colours.FrameLineWidth};
    if (drawn == framesDrawn_)
        return;
    framesDrawn_ = drawn;
    constexpr int X0 = 1638, DX = 1200, XR = X0 + 7 * DX, YT = 243, Y0 = 668, DY = 1050, YB = Y0 + 6 * DY;
    std::vector<SurfaceLine> lines;
    auto pass = [&lines](int colour, int width) {
        lines.push_back({QLineF(X0, YT, XR, YT), colour, width});
        for (int r = 0; r <= 6; ++r)
            lines.push_back({QLineF(X0, Y0 + r * DY, XR, Y0 + r * DY), colour, width});
        for (int k = 0; k <= 7; ++k)
            lines.push_back({QLineF(X0 + k * DX, YT, X0 + k * DX, YB), colour, width});
    };
    // The erase pass covers whatever a thicker earlier display drew; the surface keeps only the
    // latest display's lines, so a repaint shows exactly those.
    pass(m.colours.ColScreenBack, 30);
    if (m.colours.FrameLineWidth >= 1)
        pass(m.colours.ColFrameLine, m.colours.FrameLineWidth);
    setSurfaceLines(std::move(lines));
}

} // namespace hibimo
