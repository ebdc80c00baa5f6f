#include "app/MonthMemo.h"

#include "app/HbmFrm.h"
#include "calendar/Cp932.h"
#include "dialogs/HbmInput.h"
#include "dialogs/HbmModule.h"
#include "toolkit/Interaction.h"

#include <QTextCursor>

namespace hibimo {

void MonthMemo::connectSignals() {
    MemoBox* box = frm_.Text4;
    QObject::connect(box, &MemoBox::Click, &context_, [this] { Text4_Click(); });
    QObject::connect(box, &MemoBox::GotFocus, &context_, [this] { Text4_GotFocus(); });
    QObject::connect(box, &MemoBox::LostFocus, &context_, [this] { Text4_LostFocus(); });
    QObject::connect(box, &MemoBox::Change, &context_, [this] { Text4_Change(); });
}

void MonthMemo::Text4_Click() {
    frm_.Text4->setReadOnly(false);
}

void MonthMemo::Text4_GotFocus() {
    MemoBox& box = *frm_.Text4;
    // Eight characters to a line of the box.
    const int L = int(box.text().size() / 8) + 1;
    if (210 * L > 3150)
        box.setHeightTwips(GrownHeight);
    box.bringToFront();
}

void MonthMemo::Text4_LostFocus() {
    MemoBox& box = *frm_.Text4;
    box.setHeightTwips(RestHeight);
    box.bringToFront();
    box.setReadOnly(true);
}

void MonthMemo::replaceText(const QString& widgetText, int cursor) {
    MemoBox& box = *frm_.Text4;
    box.setPlainText(widgetText);
    QTextCursor c = box.textCursor();
    c.setPosition(qBound(0, cursor, int(widgetText.size())));
    box.setTextCursor(c);
}

void MonthMemo::Text4_Change() {
    HbmModule& m = frm_.m;
    if (!m.DispDone)
        return;
    MemoBox& box = *frm_.Text4;
    const QString shown = box.toPlainText();
    const int cursor = box.textCursor().position();

    // What the box shows is what the file will hold: characters the file cannot carry are taken out
    // with a word to the user, a double quote becomes the closing quote the file can carry.
    const QString unstorable = unencodableCp932(shown);
    if (!unstorable.isEmpty()) {
        QString kept;
        int removedBeforeCursor = 0;
        for (qsizetype k = 0; k < shown.size(); ++k) {
            const bool pair = shown[k].isHighSurrogate() && k + 1 < shown.size();
            const QString ch = pair ? shown.mid(k, 2) : shown.mid(k, 1);
            if (unstorable.contains(ch)) {
                if (k < cursor)
                    removedBeforeCursor += int(ch.size());
            } else {
                kept += ch;
            }
            if (pair)
                ++k;
        }
        m.ui.message(unstorableCharactersMessage(unstorable));
        replaceText(kept, cursor - removedBeforeCursor);
        return;
    }
    if (shown.contains(QLatin1Char('"'))) {
        replaceText(withoutDoubleQuotes(shown), cursor);
        return;
    }

    // A line break counts as two characters, as the text is stored with CR LF.
    const QString text = box.text();
    if (text.size() > MaxChars) {
        m.ui.message(QStringLiteral("文字数が多すぎます。1200字まで切捨てます。"));
        qsizetype keep = MaxChars;
        // Never keep half of a line break.
        if (text[keep - 1] == QLatin1Char('\r'))
            --keep;
        box.setText(text.left(keep));
        box.moveCursor(QTextCursor::End);
        return;
    }
    frm_.TxtBox2Array(4, 15);
}

} // namespace hibimo
