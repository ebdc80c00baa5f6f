#include "generation/YearLoading.h"

#include "calendar/CalendarModule.h"
#include "calendar/Records.h"
#include "calendar/TextNumber.h"
#include "calendar/YearFile.h"
#include "generation/GenerationMessages.h"
#include "generation/YearGeneration.h"
#include "toolkit/Interaction.h"

#include <QFile>
#include <cstdlib>
#include <optional>

namespace hibimo {

namespace {

enum class Opened { Read, Missing, Unreadable };

Opened openYearFile(const CalendarModule& m, const QString& yyyy, QByteArray& bytes) {
    const QString path = yearFilePath(m, yyyy);
    if (std::optional<QByteArray> read = readFileBytes(path)) {
        bytes = std::move(*read);
        return Opened::Read;
    }
    return QFile::exists(path) ? Opened::Unreadable : Opened::Missing;
}

} // namespace

namespace {

[[noreturn]] void reportDamagedYear(CalendarModule& m, const QString& yyyy, int record) {
    m.ui.message(QStringLiteral("カレンダーファイル HB") + yyyy + QStringLiteral(".hbd の ") +
                     QLatin1Char(' ') + QString::number(record) +
                     QStringLiteral("行目に異常があるようです。") + QStringLiteral("確認下さい。"),
                 yyyy + QStringLiteral("カレンダーファイル異常！"));
    m.ui.endProgram();
    // The compiler does not carry [[noreturn]] through the virtual call.
    std::abort();
}

// The month of the neighbouring year that the grid shows: 1 beside December, 12 beside January.
int neighbourMonth(const CalendarModule& m) {
    switch (numberFromText(m.NewMonthText)) {
    case 12:
        return 1;
    case 1:
        return 12;
    default:
        return 0;
    }
}

// Reads the neighbour's month as far as the file allows; a damaged file leaves what was read.
void readNeighbourMonth(CalendarModule& m, QByteArrayView bytes) {
    const int wanted = neighbourMonth(m);
    if (wanted == 0)
        return;
    YearItems dayItem{};
    YearLines pubLine{};
    YearLines privLine{};
    readYearTables(bytes, dayItem, pubLine, privLine);
    m.NbDayItem = dayItem[wanted - 1];
    m.NbPubLine = pubLine[wanted - 1];
    m.NbPrivLine = privLine[wanted - 1];
}

// Keeps the loaded year's tables while another year is generated through them.
class LoadedYearKeeper {
  public:
    explicit LoadedYearKeeper(CalendarModule& m)
        : m_(m), dayItem_(m.DayItem), pubLine_(m.PubLine), privLine_(m.PrivLine), loadedYear_(m.LoadedYear),
          holyText_(m.HolyText), birthText_(m.BirthText), changed_(m.LoadedYearChanged) {}
    ~LoadedYearKeeper() {
        m_.DayItem = dayItem_;
        m_.PubLine = pubLine_;
        m_.PrivLine = privLine_;
        m_.LoadedYear = loadedYear_;
        m_.HolyText = holyText_;
        m_.BirthText = birthText_;
        m_.LoadedYearChanged = changed_;
    }
    LoadedYearKeeper(const LoadedYearKeeper&) = delete;
    LoadedYearKeeper& operator=(const LoadedYearKeeper&) = delete;

  private:
    CalendarModule& m_;
    YearItems dayItem_;
    YearLines pubLine_;
    YearLines privLine_;
    QString loadedYear_;
    QString holyText_;
    QString birthText_;
    bool changed_;
};

QString withoutBlanks(const QString& text) {
    QString result = text;
    result.remove(QLatin1Char(' '));
    return result;
}

} // namespace

void YearLoad(CalendarModule& m, const QString& yyyy) {
    m.DayItem = {};
    QByteArray bytes;
    switch (openYearFile(m, yyyy, bytes)) {
    case Opened::Missing:
        m.ui.message(generationText::yearCreation(yyyy), yyyy + QStringLiteral("年分作成"));
        m.PubLine = {};
        m.PrivLine = {};
        YearMake(m, withoutBlanks(yyyy));
        m.LoadedYearChanged = false;
        return;
    case Opened::Unreadable:
        // A file that exists but cannot be read is damaged, not missing: never generate over it.
        reportDamagedYear(m, yyyy, 1);
    case Opened::Read:
        break;
    }
    if (const int failed = readYearTables(bytes, m.DayItem, m.PubLine, m.PrivLine))
        reportDamagedYear(m, yyyy, failed);
    m.LoadedYearChanged = false;
}

void NbMonthLoad(CalendarModule& m, const QString& yyyy) {
    m.NbDayItem = {};
    QByteArray bytes;
    switch (openYearFile(m, yyyy, bytes)) {
    case Opened::Read:
        readNeighbourMonth(m, bytes);
        return;
    case Opened::Unreadable:
        // The neighbour only decorates the grid: a damaged file is left alone, and the user meets
        // its record message when that year itself is loaded.
        return;
    case Opened::Missing:
        break;
    }
    m.ui.message(generationText::neighbourCreation(yyyy), yyyy + QStringLiteral("年分作成(12_1)"));
    LoadedYearKeeper keep(m);
    m.DayItem = {};
    m.PubLine = {};
    m.PrivLine = {};
    YearMake(m, withoutBlanks(yyyy));
}

} // namespace hibimo
