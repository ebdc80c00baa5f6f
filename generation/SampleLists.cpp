#include "generation/SampleLists.h"

#include <QStringList>

namespace hibimo {

namespace {

QString withLineEnds(const QStringList& lines) {
    QString text;
    for (const QString& line : lines)
        text += line + QStringLiteral("\r\n");
    return text;
}

} // namespace

QString holidaySampleList() {
    static const QStringList lines{
        QStringLiteral("**01/01元旦"),
        QStringLiteral("*01/02初夢 書初め"),
        QStringLiteral("**01w2月成人の日"),
        QStringLiteral("*01/05御用始"),
        QStringLiteral("*01/07七草粥"),
        QStringLiteral("*01/11鏡開き"),
        QStringLiteral("*01/26文化財防火day 法隆"),
        QStringLiteral("寺が燃えた日 壁画焼損"),
        QStringLiteral("*02/03節分"),
        QStringLiteral("**02/11建国記念日"),
        QStringLiteral("*02/14ｳﾞｧﾚﾝﾀｲﾝﾃﾞｨｰ"),
        QStringLiteral("*03/01全国緑化運動　全国"),
        QStringLiteral("火災予防運動"),
        QStringLiteral("*03/03雛祭 耳の日"),
        QStringLiteral("*03/08国際婦人デー"),
        QStringLiteral("*03/14ﾎﾜｲﾄﾃﾞｰ"),
        QStringLiteral("*03/20春分の日"),
        QStringLiteral("*04/01April Fool"),
        QStringLiteral("*04/07世界保険ﾃﾞｰ"),
        QStringLiteral("*04/10婦人週間"),
        QStringLiteral("*04/29緑の日"),
        QStringLiteral("**05/03憲法記念日"),
        QStringLiteral("**05/05子供の日"),
        QStringLiteral("*05/01メーデー"),
        QStringLiteral("*05/08世界赤十字ﾃﾞｰ"),
        QStringLiteral("*05w2日母の日 愛鳥週間"),
        QStringLiteral("*05/31世界禁煙ﾃﾞｰ"),
        QStringLiteral("*06w3日父の日"),
        QStringLiteral("*06/01電波の日"),
        QStringLiteral("*06/03食糧の日"),
        QStringLiteral("*06/04歯の衛生週間"),
        QStringLiteral("*06/05世界環境デー"),
        QStringLiteral("*06/10時の記念日"),
        QStringLiteral("*07/07七夕"),
        QStringLiteral("**07/20海の日"),
        QStringLiteral("*08/06広島原爆"),
        QStringLiteral("*08/07鼻の日"),
        QStringLiteral("08/08立秋"),
        QStringLiteral("*08/09長崎原爆"),
        QStringLiteral("*08/15終戦"),
        QStringLiteral("*09/01二百十日 防災の日"),
        QStringLiteral("*09/11二百二十日"),
        QStringLiteral("**09/15敬老の日"),
        QStringLiteral("*09/20彼岸入り 動物愛護デ"),
        QStringLiteral("ー"),
        QStringLiteral("**09/23秋分の日"),
        QStringLiteral("*09/26彼岸明け"),
        QStringLiteral("**10w2月体育の日"),
        QStringLiteral("*10/27読書週間"),
        QStringLiteral("**11/03文化の日"),
        QStringLiteral("*11/09全国火災予防運動"),
        QStringLiteral("*11/11世界平和記念日"),
        QStringLiteral("*11/15七五三"),
        QStringLiteral("*11/17しし座流星雨"),
        QStringLiteral("'98/11/18 朝4時"),
        QStringLiteral("11/22小雪"),
        QStringLiteral("**11/23勤労感謝の日"),
        QStringLiteral("*12/01歳末助け合い運動"),
        QStringLiteral("*12/04人権週間"),
        QStringLiteral("12/07大雪"),
        QStringLiteral("*12/08針供養"),
        QStringLiteral("*12/15年賀郵便始め"),
        QStringLiteral("*12/22冬至"),
        QStringLiteral("**12/23天皇誕生日"),
        QStringLiteral("*12/28御用納"),
        QStringLiteral("*12/31年越し 大はらい"),
    };
    return withLineEnds(lines);
}

QString anniversarySampleList() {
    static const QStringList lines{
        QStringLiteral("*1991/10/05太郎誕生"),
        QStringLiteral("　　○○家長男　'92誕生祝い：オモチャのピアノ"),
        QStringLiteral("　　　　　　　　'93　〃　　：三輪車"),
        QStringLiteral("*1995/03/12次郎誕生"),
        QStringLiteral("*1987/05/07一郎-花子結婚"),
        QStringLiteral("1995/09/17けんちゃん誕生　太郎の遊び友達"),
        QStringLiteral("*\?\?\?\?/05/25山田 花子誕生日"),
        QStringLiteral("　　仲人の長女　'95 20才の誕生日に女房がﾊﾞｯｸﾞをﾌﾟ"),
        QStringLiteral("ﾚｾﾞﾝﾄ"),
        QStringLiteral("*1998/12/16はる(母) 命日"),
    };
    return withLineEnds(lines);
}

} // namespace hibimo
