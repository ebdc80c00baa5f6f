#include "generation/ListCheck.h"

#include "generation/SampleLists.h"

#include <QRegularExpression>
#include <QStringList>
#include <gtest/gtest.h>

namespace hibimo {
namespace {

struct CheckRow {
    const char* name;
    QString text;
    bool ok;
    int entry;
    QString excerpt;
};

CheckRow pass(const char* name, const QString& text) {
    return {name, text, true, 0, {}};
}

QString lines(const QStringList& l) {
    return l.join(QStringLiteral("\r\n"));
}

void expectRows(const std::vector<CheckRow>& rows, ListCheckResult (*check)(const QString&)) {
    for (const CheckRow& row : rows) {
        SCOPED_TRACE(row.name);
        const ListCheckResult r = check(row.text);
        EXPECT_EQ(r.ok, row.ok);
        EXPECT_TRUE(r.unencodable.isEmpty());
        if (!row.ok) {
            EXPECT_EQ(r.entry, row.entry);
            EXPECT_EQ(r.excerpt, row.excerpt);
        }
    }
}

TEST(HolidayListCheck, EntriesAreCheckedAsGenerationReadsThem) {
    const QString good = QStringLiteral("**01/01元旦");
    const std::vector<CheckRow> rows{
        pass("fixed date", good),
        {"month 13", lines({good, QStringLiteral("*13/01十三月")}), false, 2, QStringLiteral("*13/01十三月")},
        {"month 00", QStringLiteral("*00/10零月"), false, 1, QStringLiteral("*00/10零月")},
        {"letter as second month digit", QStringLiteral("*0a/01"), false, 1, QStringLiteral("*0a/01")},
        {"full-width digit", QStringLiteral("*０1/01"), false, 1, QStringLiteral("*０1/01")},
        {"day 32", QStringLiteral("*01/32"), false, 1, QStringLiteral("*01/32")},
        pass("day 00 accepted", QStringLiteral("*01/00零日")),
        pass("day 31 accepted", QStringLiteral("*12/31大晦日")),
        {"body shorter than five characters", QStringLiteral("*01/1"), false, 1, QStringLiteral("*01/1")},
        {"star alone", QStringLiteral("*"), false, 1, QStringLiteral("*")},
        {"week 6", QStringLiteral("*01w6月"), false, 1, QStringLiteral("*01w6月")},
        {"week 0", QStringLiteral("*01w0月"), false, 1, QStringLiteral("*01w0月")},
        {"weekday not a weekday character", QStringLiteral("**05w2曜母の日"), false, 1,
         QStringLiteral("**05w2曜母の日")},
        pass("upper-case W accepted", QStringLiteral("*05W2日母の日")),
        pass("every weekday character",
             lines({QStringLiteral("*01w1月"), QStringLiteral("*01w2火"), QStringLiteral("*01w3水"),
                    QStringLiteral("*01w4木"), QStringLiteral("*01w5金"), QStringLiteral("*02w1土"),
                    QStringLiteral("*02w1日")})),
        {"neither slash nor w", QStringLiteral("*01-01"), false, 1, QStringLiteral("*01-01")},
        {"three stars", lines({good, QStringLiteral("***02/11建国記念日")}), false, 2,
         QStringLiteral("***02/11建国記念日")},
        {"star inside a name starts the next entry", QStringLiteral("*01/01元旦*メモ"), false, 2,
         QStringLiteral("*メモ")},
        {"star inside a memo line", lines({good, QStringLiteral("メモ*です"), QStringLiteral("*02/03節分")}),
         false, 2, QStringLiteral("*です")},
        pass("star after a red mark in a name", QStringLiteral("**01/01元旦**02/11建国")),
        {"no star at all", QStringLiteral("01/01元旦"), false, 1, QString()},
        {"empty text", QString(), false, 1, QString()},
        {"blanks only", QStringLiteral("  \r\n "), false, 1, QString()},
        pass("last entry without line break", lines({good, QStringLiteral("*12/31大晦日")})),
        pass("blanks and line breaks around the text", QStringLiteral(" \r\n**01/01元旦\r\n  ")),
        {"entries counted, not lines",
         lines({good, QStringLiteral("メモ"), QStringLiteral(""), QStringLiteral("*02/03節分"),
                QStringLiteral("*02/30"), QStringLiteral("*02/3x")}),
         false, 4, QStringLiteral("*02/3x")},
        {"excerpt is cut at 20 characters", QStringLiteral("**13/01あいうえおかきくけこさしすせそたちつてと"),
         false, 1, QStringLiteral("**13/01あいうえおかきくけこさしす")},
    };
    expectRows(rows, checkHolidayList);
}

TEST(AnniversaryListCheck, EntriesAreCheckedAsGenerationReadsThem) {
    const QString good = QStringLiteral("*1972/01/25花子誕生日S47");
    const std::vector<CheckRow> rows{
        pass("full date", good),
        pass("year left open", QStringLiteral("*?\?\?\?/05/25山田 花子誕生日")),
        pass("any four characters as year", QStringLiteral("*S47 /01/25")),
        pass("any second separator", QStringLiteral("*1972/01-25")),
        pass("30 February accepted", QStringLiteral("*2000/02/30")),
        pass("day 00 accepted", QStringLiteral("*2000/02/00")),
        {"single-digit month", lines({good, QStringLiteral("1995/9/17"), QStringLiteral("*1995/9/17太郎")}),
         false, 2, QStringLiteral("*1995/9/17太郎")},
        {"month 13", QStringLiteral("*1972/13/25"), false, 1, QStringLiteral("*1972/13/25")},
        {"day 32", QStringLiteral("*1972/01/32"), false, 1, QStringLiteral("*1972/01/32")},
        {"first separator not a slash", QStringLiteral("*1972-01/25"), false, 1,
         QStringLiteral("*1972-01/25")},
        {"body shorter than ten characters", QStringLiteral("*1972/01/2"), false, 1,
         QStringLiteral("*1972/01/2")},
        {"two stars", QStringLiteral("**1972/01/25"), false, 1, QStringLiteral("**1972/01/25")},
        {"star inside a name starts the next entry", QStringLiteral("*1972/01/25花子*メモ"), false, 2,
         QStringLiteral("*メモ")},
        {"no star at all", QStringLiteral("1972/01/25花子"), false, 1, QString()},
        {"empty text", QString(), false, 1, QString()},
        pass("last entry without line break", lines({good, QStringLiteral("*1998/12/16命日")})),
        {"excerpt is cut at 25 characters",
         QStringLiteral("*1972/13/25あいうえおかきくけこさしすせそたちつてと"), false, 1,
         QStringLiteral("*1972/13/25あいうえおかきくけこさしすせ")},
    };
    expectRows(rows, checkAnniversaryList);
}

TEST(ListCheck, SampleListsPass) {
    EXPECT_TRUE(checkHolidayList(holidaySampleList()).ok);
    EXPECT_TRUE(checkAnniversaryList(anniversarySampleList()).ok);
}

TEST(ListCheck, SampleListsHaveTheirLines) {
    const QStringList holidays = holidaySampleList().split(QStringLiteral("\r\n"));
    ASSERT_EQ(holidays.size(), 67); // 66 lines, each ended
    EXPECT_TRUE(holidays.last().isEmpty());
    EXPECT_EQ(holidays[0], QStringLiteral("**01/01元旦"));
    EXPECT_EQ(holidays[10], QStringLiteral("*02/14ｳﾞｧﾚﾝﾀｲﾝﾃﾞｨｰ"));
    EXPECT_EQ(holidays[11], QStringLiteral("*03/01全国緑化運動　全国"));
    EXPECT_EQ(holidays[65], QStringLiteral("*12/31年越し 大はらい"));
    EXPECT_FALSE(holidaySampleList().contains(QRegularExpression(QStringLiteral("[^\r]\n"))));

    const QStringList anniversaries = anniversarySampleList().split(QStringLiteral("\r\n"));
    ASSERT_EQ(anniversaries.size(), 11);
    EXPECT_EQ(anniversarySampleList().count(QLatin1Char('*')), 5);
    EXPECT_TRUE(anniversaries[6].startsWith(QStringLiteral("*?\?\?\?/05/25")));
    EXPECT_EQ(anniversaries[8], QStringLiteral("ﾚｾﾞﾝﾄ"));
}

TEST(ListCheck, CharactersTheCodePageCannotCarryFail) {
    const ListCheckResult r = checkHolidayList(QStringLiteral("**01/01元旦😀\r\n*01/02𠮷野"));
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.unencodable, QStringLiteral("😀𠮷"));
    EXPECT_EQ(holidayCheckMessage(r),
              QStringLiteral("次の文字はファイルに保存できません: 😀𠮷\r別の文字に置き換えて下さい。"));

    const ListCheckResult a = checkAnniversaryList(QStringLiteral("*1972/01/25花子😀"));
    EXPECT_FALSE(a.ok);
    EXPECT_EQ(a.unencodable, QStringLiteral("😀"));
    // Characters the code page does carry pass, also the ones a plain Shift_JIS table lacks.
    EXPECT_TRUE(checkAnniversaryList(QStringLiteral("*1972/01/25髙﨑①～－ｶﾅ")).ok);
}

TEST(ListCheck, MessagesNameTheEntryAndTheExcerpt) {
    const ListCheckResult h = checkHolidayList(QStringLiteral("**01/01元旦\r\n*01/02初夢\r\n*01w6月"));
    EXPECT_EQ(holidayCheckMessage(h),
              QStringLiteral(" 3 行目か、その数行先の「*01w6月」に異常があります。\r\r"
                             "とくに 祝祭日(月日or週)の指定が正しく入力されているかチェック願います｡ "));
    const ListCheckResult none = checkHolidayList(QStringLiteral("メモだけ"));
    EXPECT_EQ(holidayCheckMessage(none),
              QStringLiteral(" 1 行目か、その数行先の「」に異常があります。\r\r"
                             "とくに 祝祭日(月日or週)の指定が正しく入力されているかチェック願います｡ "));

    const ListCheckResult a = checkAnniversaryList(QStringLiteral("**1972/01/25"));
    EXPECT_EQ(anniversaryCheckMessage(a),
              QStringLiteral(" 1 行目か、その数行先の「**1972/01/25」に異常があります。\r\r"
                             "とくに 年/月/日 の指定が正しく入力されているかチェック願います｡ "));
    EXPECT_TRUE(holidayCheckMessage(checkHolidayList(holidaySampleList())).isEmpty());
}

TEST(ListCheck, TrimKeepsFullWidthSpacesInside) {
    EXPECT_EQ(trimListText(QStringLiteral(" \t\r\n　メモ\r\n*01/01 \r\n")),
              QStringLiteral("　メモ\r\n*01/01"));
}

} // namespace
} // namespace hibimo
