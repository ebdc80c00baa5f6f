#include "colours/ColourScheme.h"

#include "calendar/CalendarModule.h"
#include "calendar/Records.h"
#include "colours/ColourMessages.h"
#include "toolkit/Interaction.h"

#include <QStringList>
#include <array>
#include <cstdint>
#include <limits>

namespace hibimo {

const std::array<ColourSlot, 31> SchemeSlots{{
    {&ColourScheme::ColScreenBack, 12632256, 0, false, "画面下地"},
    {&ColourScheme::ColGuideFore, 8421504, 0, true, "画面余白ガイド"},
    {&ColourScheme::ColCommandBack, 12632256, 1, false, "コマンド 背景"},
    {&ColourScheme::ColOtherMonthBack, 12303291, 16, false, "前後月 日枠 背景"},
    {&ColourScheme::ColSunDateBack, 16777215, 5, false, "日付 日曜 背景"},
    {&ColourScheme::ColSunDateFore, 255, 5, true, "日付 日曜"},
    {&ColourScheme::ColWeekdayDateBack, 16777215, 7, false, "日付 月～金 背景"},
    {&ColourScheme::ColWeekdayDateFore, 5570560, 7, true, "日付 月～金"},
    {&ColourScheme::ColSatDateBack, 16777215, 6, false, "日付 土曜 背景"},
    {&ColourScheme::ColSatDateFore, 12583104, 6, true, "日付 土曜"},
    {&ColourScheme::ColHolidayDateBack, 16777215, 8, false, ""},
    {&ColourScheme::ColHolidayDateFore, 255, 8, true, "日付 祝祭日"},
    {&ColourScheme::ColTodayBack, 65535, 9, false, "本日日付 背景"},
    {&ColourScheme::ColPubLineFore, 8388608, 11, true, "祝祭日記載枠"},
    {&ColourScheme::ColPubLineBack, 16777184, 11, false, "祝祭日記載枠 背景"},
    {&ColourScheme::ColPrivLineFore, 8388608, 12, true, "誕生日記載枠"},
    {&ColourScheme::ColPrivLineBack, 16777152, 12, false, "誕生日記載枠 背景"},
    {&ColourScheme::ColMarkFore, 255, 10, true, "日付右メモ枠"},
    {&ColourScheme::ColMarkBack, 14548991, 10, false, "日付右メモ枠 背景"},
    {&ColourScheme::ColMemoFore, 0, 13, true, "月メモ記載枠"},
    {&ColourScheme::ColMemoBack, 16777215, 13, false, "月メモ記載枠 背景"},
    {&ColourScheme::ColYearFore, 5570560, 14, true, "年 記載枠"},
    {&ColourScheme::ColYearBack, 16777215, 14, false, "年 記載枠 背景"},
    {&ColourScheme::ColMonthFore, 5570560, 15, true, "月 記載枠"},
    {&ColourScheme::ColMonthBack, 16777215, 15, false, "月 記載枠 背景"},
    {&ColourScheme::ColWeekdayHeadFore, 0, 4, true, "曜日 MON～FRI"},
    {&ColourScheme::ColWeekdayHeadBack, 16777215, 4, false, "曜日 MON～FRI 背景"},
    {&ColourScheme::ColSunHeadFore, 255, 2, true, "曜日 SUN"},
    {&ColourScheme::ColSunHeadBack, 16777215, 2, false, "曜日 SUN 背景"},
    {&ColourScheme::ColSatHeadFore, 12583104, 3, true, "曜日 SAT"},
    {&ColourScheme::ColSatHeadBack, 16777215, 3, false, "曜日 SAT 背景"},
}};

namespace {

// How many of those colours each of the lines 4 to 8 holds.
constexpr std::array<int, 5> ColoursPerLine{8, 5, 5, 7, 6};

constexpr int DefaultFrameLine = 10526880;
constexpr int DefaultFrameLineWidth = 2;
constexpr int ClosingDummies = 4;

const QString SettingsFileName = QStringLiteral("Hibimo.ini");
const QString DefaultColourFileName = QStringLiteral("Default.ccf");
const QString Dummy = QStringLiteral("Dummy");
const QString CrLf = QStringLiteral("\r\n");

constexpr qint64 Int32Min = std::numeric_limits<std::int32_t>::min();
constexpr qint64 Int32Max = std::numeric_limits<std::int32_t>::max();

QString numberLine(const QList<qint64>& numbers) {
    QStringList fields;
    for (qint64 n : numbers)
        fields << QString::number(n);
    return fields.join(QLatin1Char(',')) + CrLf;
}

// The settings and the colour file both begin with the colour file's path.
bool readColourFilePath(FieldReader& fields, ColourScheme& s) {
    const std::optional<QString> path = fields.next();
    if (path)
        s.ColorFile = *path;
    return path.has_value();
}

} // namespace

QString colourFileText(const ColourScheme& s) {
    QString text = quotedRecord(s.ColorFile) + quotedRecord(s.VersionText) + quotedRecord(Dummy);
    std::size_t next = 0;
    for (int count : ColoursPerLine) {
        QList<qint64> line;
        for (int i = 0; i < count; ++i)
            line << s.*SchemeSlots[next++].slot;
        text += numberLine(line);
    }
    text += numberLine({s.YmBorderStyle});
    text += numberLine({s.ColFrameLine, s.FrameLineWidth});
    for (int i = 0; i < ClosingDummies; ++i)
        text += quotedRecord(Dummy);
    return text;
}

// Applies each value as soon as it is read, so that a file broken half-way keeps what came before.
bool readColourFile(QByteArrayView bytes, ColourScheme& s) {
    FieldReader fields(bytes);
    if (!readColourFilePath(fields, s) || !fields.next() || !fields.next())
        return false;
    for (const ColourSlot& colour : SchemeSlots) {
        const auto value = fields.nextNumber(Int32Min, Int32Max);
        if (!value)
            return false;
        s.*colour.slot = static_cast<int>(*value);
    }
    const auto border = fields.nextNumber(0, 255);
    if (!border)
        return false;
    s.YmBorderStyle = static_cast<std::uint8_t>(*border);
    for (int ColourScheme::*frame : {&ColourScheme::ColFrameLine, &ColourScheme::FrameLineWidth}) {
        const auto number = fields.nextNumber(Int32Min, Int32Max);
        if (!number)
            return false;
        s.*frame = static_cast<int>(*number);
    }
    for (int i = 0; i < ClosingDummies; ++i) {
        if (!fields.next())
            return false;
    }
    return true;
}

void ColorDefaults(ColourScheme& s) {
    for (const ColourSlot& colour : SchemeSlots)
        s.*colour.slot = colour.defaultValue;
    s.YmBorderStyle = 0;
    s.ColFrameLine = DefaultFrameLine;
    s.FrameLineWidth = DefaultFrameLineWidth;
}

void SettingsRead(const CalendarModule& place, ColourScheme& s) {
    const auto bytes = readFileBytes(place.filePath(SettingsFileName));
    if (!bytes) {
        place.ui.message(colourText::SettingsUnreadable);
        return;
    }
    if (!readSettings(*bytes, s)) {
        place.ui.message(colourText::SettingsUnreadable);
        return;
    }
    ColorLoad(place, s);
}

bool readSettings(QByteArrayView bytes, ColourScheme& s) {
    FieldReader fields(bytes);
    if (!readColourFilePath(fields, s))
        return false;
    for (int i = 0; i < 4; ++i) {
        if (!fields.next())
            return false;
    }
    return true;
}

void SettingsWrite(const CalendarModule& place, ColourScheme& s) {
    if (s.ColorFile.isEmpty())
        s.ColorFile = place.filePath(DefaultColourFileName);
    const QString text = quotedRecord(s.ColorFile) + quotedRecord(s.VersionText) + quotedRecord(Dummy) +
                         quotedRecord(Dummy) + quotedRecord(Dummy);
    if (!writeTextFile(place.filePath(SettingsFileName), text))
        place.ui.message(colourText::SettingsNotSaved);
}

void ColorSave(const CalendarModule& place, const ColourScheme& s) {
    if (s.ColorFile.isEmpty() || !writeTextFile(s.ColorFile, colourFileText(s)))
        place.ui.message(colourText::ColourFileNotSaved);
}

void ColorLoad(const CalendarModule& place, ColourScheme& s) {
    const auto bytes = s.ColorFile.isEmpty() ? std::nullopt : readFileBytes(s.ColorFile);
    if (!bytes || !readColourFile(*bytes, s))
        place.ui.message(colourText::ColourFileFaulty);
}

void keepOtherMonthApart(ColourScheme& s) {
    if (s.ColOtherMonthBack != s.ColScreenBack)
        return;
    // Black has no colour below it.
    s.ColOtherMonthBack += s.ColOtherMonthBack > 0 ? -1 : 1;
}

} // namespace hibimo
