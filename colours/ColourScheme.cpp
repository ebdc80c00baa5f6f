#include "colours/ColourScheme.h"

#include "calendar/Records.h"
#include "colours/ColourMessages.h"
#include "colours/ColourModule.h"
#include "toolkit/Interaction.h"

#include <QStringList>
#include <array>
#include <cstdint>
#include <limits>

namespace hibimo {

namespace {

struct ColourSlot {
    int ColourScheme::*slot;
    int defaultValue;
};

// The colours in the order of a colour file, lines 4 to 8.
const std::array<ColourSlot, 31> FileColours{{
    {&ColourScheme::ColScreenBack, 12632256},      {&ColourScheme::ColGuideFore, 8421504},
    {&ColourScheme::ColCommandBack, 12632256},     {&ColourScheme::ColOtherMonthBack, 12303291},
    {&ColourScheme::ColSunDateBack, 16777215},     {&ColourScheme::ColSunDateFore, 255},
    {&ColourScheme::ColWeekdayDateBack, 16777215}, {&ColourScheme::ColWeekdayDateFore, 5570560},
    {&ColourScheme::ColSatDateBack, 16777215},     {&ColourScheme::ColSatDateFore, 12583104},
    {&ColourScheme::ColHolidayDateBack, 16777215}, {&ColourScheme::ColHolidayDateFore, 255},
    {&ColourScheme::ColTodayBack, 65535},          {&ColourScheme::ColPubLineFore, 8388608},
    {&ColourScheme::ColPubLineBack, 16777184},     {&ColourScheme::ColPrivLineFore, 8388608},
    {&ColourScheme::ColPrivLineBack, 16777152},    {&ColourScheme::ColMarkFore, 255},
    {&ColourScheme::ColMarkBack, 14548991},        {&ColourScheme::ColMemoFore, 0},
    {&ColourScheme::ColMemoBack, 16777215},        {&ColourScheme::ColYearFore, 5570560},
    {&ColourScheme::ColYearBack, 16777215},        {&ColourScheme::ColMonthFore, 5570560},
    {&ColourScheme::ColMonthBack, 16777215},       {&ColourScheme::ColWeekdayHeadFore, 0},
    {&ColourScheme::ColWeekdayHeadBack, 16777215}, {&ColourScheme::ColSunHeadFore, 255},
    {&ColourScheme::ColSunHeadBack, 16777215},     {&ColourScheme::ColSatHeadFore, 12583104},
    {&ColourScheme::ColSatHeadBack, 16777215},
}};
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

} // namespace

QString colourFileText(const ColourScheme& s) {
    QString text = quotedRecord(s.ColorFile) + quotedRecord(s.VersionText) + quotedRecord(Dummy);
    std::size_t next = 0;
    for (int count : ColoursPerLine) {
        QList<qint64> line;
        for (int i = 0; i < count; ++i)
            line << s.*FileColours[next++].slot;
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
    const auto path = fields.next();
    if (!path)
        return false;
    s.ColorFile = *path;
    if (!fields.next() || !fields.next())
        return false;
    for (const ColourSlot& colour : FileColours) {
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
    for (const ColourSlot& colour : FileColours)
        s.*colour.slot = colour.defaultValue;
    s.YmBorderStyle = 0;
    s.ColFrameLine = DefaultFrameLine;
    s.FrameLineWidth = DefaultFrameLineWidth;
}

void SettingsRead(ColourModule& m) {
    const auto bytes = readFileBytes(m.filePath(SettingsFileName));
    if (!bytes) {
        m.ui.message(colourText::SettingsUnreadable);
        return;
    }
    if (!readSettings(*bytes, m)) {
        m.ui.message(colourText::SettingsUnreadable);
        return;
    }
    ColorLoad(m);
}

bool readSettings(QByteArrayView bytes, ColourScheme& s) {
    FieldReader fields(bytes);
    const auto colourFile = fields.next();
    if (!colourFile)
        return false;
    s.ColorFile = *colourFile;
    for (int i = 0; i < 4; ++i) {
        if (!fields.next())
            return false;
    }
    return true;
}

void SettingsWrite(ColourModule& m) {
    if (m.ColorFile.isEmpty())
        m.ColorFile = m.filePath(DefaultColourFileName);
    const QString text = quotedRecord(m.ColorFile) + quotedRecord(m.VersionText) + quotedRecord(Dummy) +
                         quotedRecord(Dummy) + quotedRecord(Dummy);
    if (!writeTextFile(m.filePath(SettingsFileName), text))
        m.ui.message(colourText::SettingsNotSaved);
}

void ColorSave(ColourModule& m) {
    if (m.ColorFile.isEmpty() || !writeTextFile(m.ColorFile, colourFileText(m)))
        m.ui.message(colourText::ColourFileNotSaved);
}

void ColorLoad(ColourModule& m) {
    const auto bytes = m.ColorFile.isEmpty() ? std::nullopt : readFileBytes(m.ColorFile);
    if (!bytes || !readColourFile(*bytes, m))
        m.ui.message(colourText::ColourFileFaulty);
}

void keepOtherMonthApart(ColourScheme& s) {
    if (s.ColOtherMonthBack != s.ColScreenBack)
        return;
    // Black has no colour below it.
    s.ColOtherMonthBack += s.ColOtherMonthBack > 0 ? -1 : 1;
}

} // namespace hibimo
