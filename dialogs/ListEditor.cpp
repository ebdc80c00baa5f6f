#include "dialogs/ListEditor.h"

#include "calendar/CalendarModule.h"
#include "calendar/Cp932.h"
#include "calendar/Records.h"
#include "generation/ListFiles.h"
#include "generation/YearGeneration.h"
#include "toolkit/Colours.h"
#include "toolkit/DialogKeys.h"
#include "toolkit/Fonts.h"
#include "toolkit/Interaction.h"

#include <QFileInfo>
#include <QTextCursor>
#include <algorithm>

namespace hibimo {

namespace {

constexpr int GuidanceFore = 0x404040;

QString loadFailureMessage(const QString& fileName) {
    return fileName + QStringLiteral("(入力元ﾌｧｲﾙ)が無いか異常です。") +
           QStringLiteral("ﾌｧｲﾙを探してこのﾌﾟﾛｸﾞﾗﾑのﾌｫﾙﾀﾞに移すか、") +
           QStringLiteral("ｻﾝﾌﾟﾙﾃﾞｰﾀを表示しますから、これに準じてﾃﾞｰﾀを入力し、") +
           QStringLiteral("[登録/閉じる]をｸﾘｯｸ下さい。");
}

QString saveFailureMessage(const QString& fileName) {
    return fileName + QStringLiteral("の作成に失敗しました。") +
           QStringLiteral("考えられる原因はディスクの容量不足（数KB）です。");
}

QString keptAsBackupMessage(const QString& fileName, bool partly) {
    return fileName + (partly ? QStringLiteral("の一部は") : QStringLiteral("は")) +
           QStringLiteral("読み込めなかったため、元のファイルを") + fileName +
           QStringLiteral(".bakとして残しました。") + QLatin1Char('\r') +
           QStringLiteral("必要なら、その内容をこの一覧に写して下さい。");
}

QString applyToOtherYearsQuestion(const QString& fileName, const QStringList& years) {
    return fileName + QStringLiteral("の内容を、ファイルのある次の年にも反映しますか？") + QLatin1Char('\r') +
           years.join(QStringLiteral("年、")) + QStringLiteral("年") + QLatin1Char('\r') +
           QStringLiteral("日付枠のメモ、マーク、月のメモはそのまま残ります。");
}

QString notAppliedMessage(const QStringList& years) {
    return QStringLiteral("次の年のカレンダーファイルには反映できませんでした: ") +
           years.join(QStringLiteral("年、")) + QStringLiteral("年") + QLatin1Char('\r') +
           QStringLiteral("ファイルが読み書きできるか、ディスクに空きがあるかを確認下さい。");
}

} // namespace

ListEditor::ListEditor(CalendarModule& module, ListEditorKind kind) : m(module), kind_(std::move(kind)) {
    setFont(msFont(MsGothic, 9));
}

void ListEditor::buildCommon(QRect text, QRect command1, QRect command2) {
    Text1 = new MemoBox(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setFont(msFont(MsGothic, 9.75));
    Text1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    placeTwips(*Text1, text.x(), text.y(), text.width(), text.height());
    Text1->setText(kind_.sampleList());

    Command1 = new QPushButton(QStringLiteral("登録→閉じる"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    placeTwips(*Command1, command1.x(), command1.y(), command1.width(), command1.height());
    connect(Command1, &QPushButton::clicked, this, &ListEditor::Command1_Click);

    Command2 = new QPushButton(QStringLiteral("画面印刷"), this);
    Command2->setObjectName(QStringLiteral("Command2"));
    placeTwips(*Command2, command2.x(), command2.y(), command2.width(), command2.height());
    connect(Command2, &QPushButton::clicked, this, &ListEditor::Command2_Click);
    installDialogKeys(*this, Command1);
}

void ListEditor::buildGuidance(int left, int width, std::initializer_list<GuidanceRow> column) {
    int nextFree = 0;
    for (const GuidanceRow& row : column) {
        auto* label = new Label(this, row.text);
        label->setObjectName(row.name);
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        setForeColor(*label, GuidanceFore);
        placeTwips(*label, left, row.top, width, row.height);
        // The last label runs down to the window's bottom edge, past the print button's top; its text
        // ends left of the button, and the button must stay clickable above it.
        label->lower();
        QRect place = label->geometry();
        if (place.top() < nextFree)
            place.moveTop(nextFree);
        place.setHeight(std::max(place.height(), label->heightForWidth(place.width())));
        place.setBottom(std::min(place.bottom(), height() - 1));
        label->setGeometry(place);
        nextFree = place.bottom() + 1;
        row.label = label;
    }
}

void ListEditor::Form_Load() {
    const QString path = m.filePath(kind_.fileName);
    const std::optional<ListFileText> read = readListFileText(path);
    if (!read) {
        // What the user wrote there may still be worth having: it is kept before the sample replaces it.
        if (QFileInfo(path).size() > 0)
            original_ = Original::Unreadable;
        m.ui.message(loadFailureMessage(kind_.fileName));
        return;
    }
    if (!read->unread.isEmpty()) {
        original_ = Original::PartlyRead;
        m.ui.message(unreadListTextMessage(kind_.fileName, read->unread) + QLatin1Char('\r') +
                     QStringLiteral("必要なら、この一覧に書き加えて下さい。登録すると、元のファイルを") +
                     kind_.fileName + QStringLiteral(".bakとして残します。"));
    }
    ListText = read->text;
    Text1->setText(ListText);
}

void ListEditor::Form_Unload(int& Cancel) {
    QString typed = Text1->text();
    const ListCheckResult result = kind_.check(typed);
    if (!result.ok) {
        m.ui.message(kind_.checkMessage(result));
        selectFaultyEntry(typed, result);
        Cancel = 1;
        return;
    }
    // The file's record form cannot carry a double quote; the box shows what will be stored.
    if (typed.contains(QLatin1Char('"'))) {
        typed = withoutDoubleQuotes(typed);
        Text1->setText(typed);
    }
    const QString stored = trimListText(typed);
    if ((original_ != Original::Read && !keepUnreadableFile()) ||
        !writeListFile(m.filePath(kind_.fileName), stored)) {
        m.ui.message(saveFailureMessage(kind_.fileName));
        Cancel = 1;
        return;
    }
    ListText = stored;
    offerOtherYears();
}

void ListEditor::selectFaultyEntry(const QString& typed, const ListCheckResult& result) {
    activateWindow();
    Text1->setFocus(Qt::OtherFocusReason);
    if (result.start < 0)
        return;
    // The box holds a line break as one character where the text has CR LF.
    const qsizetype lead = typed.indexOf(trimListText(typed));
    const auto shown = [&](qsizetype at) { return at - QStringView(typed).first(at).count(u"\r\n"); };
    QTextCursor cursor = Text1->textCursor();
    cursor.setPosition(int(shown(lead + result.start)));
    cursor.setPosition(int(shown(lead + result.start + result.length)), QTextCursor::KeepAnchor);
    Text1->setTextCursor(cursor);
}

void ListEditor::offerOtherYears() {
    const QStringList years = otherYearsWithFiles(m);
    if (years.isEmpty() || !m.ui.confirm(applyToOtherYearsQuestion(kind_.fileName, years)))
        return;
    if (const QStringList failed = regenerateYearFiles(m, years); !failed.isEmpty())
        m.ui.message(notAppliedMessage(failed));
}

bool ListEditor::keepUnreadableFile() {
    const QString path = m.filePath(kind_.fileName);
    const std::optional<QByteArray> bytes = readFileBytes(path);
    if (!bytes || !writeFileBytes(path + QStringLiteral(".bak"), *bytes))
        return false;
    m.ui.message(keptAsBackupMessage(kind_.fileName, original_ == Original::PartlyRead));
    original_ = Original::Read;
    return true;
}

void ListEditor::Command1_Click() {
    close();
}

void ListEditor::Command2_Click() {
    m.ui.printWindow(*this);
}

} // namespace hibimo
