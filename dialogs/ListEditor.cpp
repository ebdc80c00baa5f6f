#include "dialogs/ListEditor.h"

#include "calendar/Cp932.h"
#include "calendar/Records.h"
#include "dialogs/HbmModule.h"
#include "toolkit/Colours.h"
#include "toolkit/DialogKeys.h"
#include "toolkit/Fonts.h"
#include "toolkit/Interaction.h"

#include <QFileInfo>
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

QString keptAsBackupMessage(const QString& fileName) {
    return fileName + QStringLiteral("は読み込めなかったため、元のファイルを") + fileName +
           QStringLiteral(".bakとして残しました。") + QLatin1Char('\r') +
           QStringLiteral("必要なら、その内容をこの一覧に写して下さい。");
}

} // namespace

ListEditor::ListEditor(HbmModule& module, ListEditorKind kind) : m(module), kind_(std::move(kind)) {
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
    const auto text = readListFile(path);
    if (!text) {
        // What the user wrote there may still be worth having: it is kept before the sample replaces it.
        unreadableFileExists_ = QFileInfo(path).size() > 0;
        m.ui.message(loadFailureMessage(kind_.fileName));
        return;
    }
    ListText = *text;
    Text1->setText(ListText);
}

void ListEditor::Form_Unload(int& Cancel) {
    QString typed = Text1->text();
    const ListCheckResult result = kind_.check(typed);
    if (!result.ok) {
        m.ui.message(kind_.checkMessage(result));
        Cancel = 1;
        return;
    }
    // The file's record form cannot carry a double quote; the box shows what will be stored.
    if (typed.contains(QLatin1Char('"'))) {
        typed = withoutDoubleQuotes(typed);
        Text1->setText(typed);
    }
    const QString stored = trimListText(typed);
    if (unreadableFileExists_ && !keepUnreadableFile()) {
        m.ui.message(saveFailureMessage(kind_.fileName));
        Cancel = 1;
        return;
    }
    if (!writeListFile(m.filePath(kind_.fileName), stored)) {
        m.ui.message(saveFailureMessage(kind_.fileName));
        Cancel = 1;
        return;
    }
    ListText = stored;
}

bool ListEditor::keepUnreadableFile() {
    const QString path = m.filePath(kind_.fileName);
    const std::optional<QByteArray> bytes = readFileBytes(path);
    if (!bytes || !writeFileBytes(path + QStringLiteral(".bak"), *bytes))
        return false;
    unreadableFileExists_ = false;
    m.ui.message(keptAsBackupMessage(kind_.fileName));
    return true;
}

void ListEditor::Command1_Click() {
    close();
}

void ListEditor::Command2_Click() {
    m.ui.printWindow(*this);
}

} // namespace hibimo
