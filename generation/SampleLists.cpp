#include "generation/SampleLists.h"

#include <QString>
#include <cstddef>

namespace hibimo {

namespace {

// The sample the editor shows when its list cannot be read, line by line.
constexpr const char16_t* HolidaySampleLines[] = {
    u"**01/01元旦",
    u"*01/02初夢 書初め",
    u"**01w2月成人の日",
    u"*01/05御用始",
    u"*01/07七草粥",
    u"*01/11鏡開き",
    u"*01/26文化財防火day 法隆",
    u"寺が燃えた日 壁画焼損",
    u"*02/03節分",
    u"**02/11建国記念日",
    u"*02/14ｳﾞｧﾚﾝﾀｲﾝﾃﾞｨｰ",
    u"*03/01全国緑化運動　全国",
    u"火災予防運動",
    u"*03/03雛祭 耳の日",
    u"*03/08国際婦人デー",
    u"*03/14ﾎﾜｲﾄﾃﾞｰ",
    u"*03/20春分の日",
    u"*04/01April Fool",
    u"*04/07世界保険ﾃﾞｰ",
    u"*04/10婦人週間",
    u"*04/29緑の日",
    u"**05/03憲法記念日",
    u"**05/05子供の日",
    u"*05/01メーデー",
    u"*05/08世界赤十字ﾃﾞｰ",
    u"*05w2日母の日 愛鳥週間",
    u"*05/31世界禁煙ﾃﾞｰ",
    u"*06w3日父の日",
    u"*06/01電波の日",
    u"*06/03食糧の日",
    u"*06/04歯の衛生週間",
    u"*06/05世界環境デー",
    u"*06/10時の記念日",
    u"*07/07七夕",
    u"**07/20海の日",
    u"*08/06広島原爆",
    u"*08/07鼻の日",
    u"08/08立秋",
    u"*08/09長崎原爆",
    u"*08/15終戦",
    u"*09/01二百十日 防災の日",
    u"*09/11二百二十日",
    u"**09/15敬老の日",
    u"*09/20彼岸入り 動物愛護デ",
    u"ー",
    u"**09/23秋分の日",
    u"*09/26彼岸明け",
    u"**10w2月体育の日",
    u"*10/27読書週間",
    u"**11/03文化の日",
    u"*11/09全国火災予防運動",
    u"*11/11世界平和記念日",
    u"*11/15七五三",
    u"*11/17しし座流星雨",
    u"'98/11/18 朝4時",
    u"11/22小雪",
    u"**11/23勤労感謝の日",
    u"*12/01歳末助け合い運動",
    u"*12/04人権週間",
    u"12/07大雪",
    u"*12/08針供養",
    u"*12/15年賀郵便始め",
    u"*12/22冬至",
    u"**12/23天皇誕生日",
    u"*12/28御用納",
    u"*12/31年越し 大はらい",
};

// The sample the editor shows when its list cannot be read, line by line.
constexpr const char16_t* AnniversarySampleLines[] = {
    u"*1991/10/05太郎誕生",
    u"　　○○家長男　'92誕生祝い：オモチャのピアノ",
    u"　　　　　　　　'93　〃　　：三輪車",
    u"*1995/03/12次郎誕生",
    u"*1987/05/07一郎-花子結婚",
    u"1995/09/17けんちゃん誕生　太郎の遊び友達",
    u"*\?\?\?\?/05/25山田 花子誕生日",
    u"　　仲人の長女　'95 20才の誕生日に女房がﾊﾞｯｸﾞをﾌﾟ",
    u"ﾚｾﾞﾝﾄ",
    u"*1998/12/16はる(母) 命日",
};

template <std::size_t N> QString withLineEnds(const char16_t* const (&lines)[N]) {
    QString text;
    for (const char16_t* line : lines)
        text += QString::fromUtf16(line) + QStringLiteral("\r\n");
    return text;
}

} // namespace

QString holidaySampleList() {
    return withLineEnds(HolidaySampleLines);
}

QString anniversarySampleList() {
    return withLineEnds(AnniversarySampleLines);
}

} // namespace hibimo
