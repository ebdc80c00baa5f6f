#include "dialogs/HbmCalDav.h"

#include "calendar/CalendarModule.h"
#include "dialogs/ShareKindBoxes.h"
#include "sharing/CalDavDiscovery.h"
#include "sharing/YearEvents.h"
#include "toolkit/Controls.h"
#include "toolkit/DialogKeys.h"
#include "toolkit/Fonts.h"
#include "toolkit/Interaction.h"

#include <QLabel>

namespace hibimo {

HbmCalDav::HbmCalDav(CalendarModule& module) : m(module) {
    setObjectName(QStringLiteral("HbmCalDav"));
    setWindowTitle(QStringLiteral("公開設定 (CalDAV)"));
    setClientSizeTwips(6600, 6150);
    setFont(msFont(MsGothic, 9));

    auto caption = [this](const QString& text, int left, int top, int width, QWidget* buddy = nullptr) {
        auto* l = new QLabel(text, this);
        l->setBuddy(buddy);
        placeTwips(*l, left, top, width, 240);
    };
    auto edit = [this](const QString& name, int top) {
        auto* e = new QLineEdit(this);
        e->setObjectName(name);
        placeTwips(*e, 1800, top, 4600, 300);
        return e;
    };
    TxtUrl = edit(QStringLiteral("TxtUrl"), 150);
    TxtUrl->setPlaceholderText(QStringLiteral("https://サーバー名/…/カレンダー名/ かサーバーのアドレス"));
    TxtUser = edit(QStringLiteral("TxtUser"), 540);
    TxtPassword = edit(QStringLiteral("TxtPassword"), 930);
    TxtPassword->setEchoMode(QLineEdit::Password);
    TxtPassword->setPlaceholderText(QStringLiteral("変えない時は空のまま"));
    caption(QStringLiteral("カレンダーURL(&L)"), 180, 180, 1600, TxtUrl);
    caption(QStringLiteral("ユーザー名(&N)"), 180, 570, 1600, TxtUser);
    caption(QStringLiteral("パスワード(&W)"), 180, 960, 1600, TxtPassword);
    caption(QStringLiteral("パスワードはデスクトップのキーリングに保存します。"), 180, 1290, 6300);

    caption(QStringLiteral("公開する内容"), 180, 1680, 4000);
    for (int k = 0; k < ShareKindCount; ++k) {
        ChkKind[k] = new QCheckBox(shareKindBoxText(k), this);
        ChkKind[k]->setObjectName(QStringLiteral("ChkKind_%1").arg(k));
        placeTwips(*ChkKind[k], 360 + 3000 * (k % 2), 1950 + 300 * (k / 2), 2900, 270);
    }
    caption(QStringLiteral("公開する時"), 180, 3300, 4000);
    ChkAfterSave = new QCheckBox(QStringLiteral("年のファイルを保存するたびに公開する(&A)"), this);
    ChkAfterSave->setObjectName(QStringLiteral("ChkAfterSave"));
    placeTwips(*ChkAfterSave, 360, 3570, 6100, 270);
    ChkAtExit = new QCheckBox(QStringLiteral("終了する時に公開する(&X)"), this);
    ChkAtExit->setObjectName(QStringLiteral("ChkAtExit"));
    placeTwips(*ChkAtExit, 360, 3870, 6100, 270);
    caption(QStringLiteral("電話で変えた予定も、次の公開でカレンダーの内容に戻ります。"), 180, 4290, 6300);

    ComFind = new QPushButton(QStringLiteral("カレンダーを探す(&F)"), this);
    ComFind->setObjectName(QStringLiteral("ComFind"));
    placeTwips(*ComFind, 180, 4680, 2400, 420);
    connect(ComFind, &QPushButton::clicked, this, [this] { ComFind_Click(); });
    caption(QStringLiteral("サーバーのアドレスだけでも探せます。"), 2700, 4770, 3800);

    const std::array<QString, 2> buttonTexts{QStringLiteral("O K"), QStringLiteral("キャンセル")};
    for (int k = 0; k < 2; ++k) {
        ComCalDav[k] = new QPushButton(buttonTexts[k], this);
        ComCalDav[k]->setObjectName(QStringLiteral("ComCalDav_%1").arg(k));
        ComCalDav[k]->setFont(msFont(MsPGothic, 9));
        placeTwips(*ComCalDav[k], 1650 + 1950 * k, 5430, 1500, 420);
        connect(ComCalDav[k], &QPushButton::clicked, this, [this, k] { ComCalDav_Click(k); });
    }
    installDialogKeys(*this, ComCalDav[0]);
}

void HbmCalDav::Form_Load(const CalDavSettings& current) {
    settings = current;
    password.clear();
    accepted = false;
    TxtUrl->setText(current.url);
    TxtUser->setText(current.user);
    TxtPassword->clear();
    for (int k = 0; k < ShareKindCount; ++k)
        ChkKind[k]->setChecked(isChosen(current.kinds, kindAt(k)));
    ChkAfterSave->setChecked(current.afterSave);
    ChkAtExit->setChecked(current.atExit);
}

void HbmCalDav::ComCalDav_Click(int Index) {
    if (Index == 0) {
        QString url;
        QString user;
        if (!checkedEntries(url, user))
            return;
        settings.url = url;
        settings.user = user;
        for (int k = 0; k < ShareKindCount; ++k)
            settings.kinds.*shareKindField(kindAt(k)) = ChkKind[k]->isChecked();
        settings.afterSave = ChkAfterSave->isChecked();
        settings.atExit = ChkAtExit->isChecked();
        password = TxtPassword->text();
        accepted = true;
    }
    close();
}

bool HbmCalDav::checkedEntries(QString& url, QString& user) {
    url = normalisedCollectionUrl(TxtUrl->text());
    if (const QString problem = calDavUrlProblem(url); !problem.isEmpty()) {
        m.ui.message(problem);
        TxtUrl->setFocus();
        return false;
    }
    user = TxtUser->text().trimmed();
    if (const QString problem = calDavUserProblem(user); !problem.isEmpty()) {
        m.ui.message(problem);
        TxtUser->setFocus();
        return false;
    }
    return true;
}

namespace {

const QString FindTitle = QStringLiteral("カレンダーを探す");
const QString NewName = QStringLiteral("Hibimo");

// The calendar to use: its index, calendars.size() for a new one (offered where the calendar home is
// known), -1 when the user chose nothing.
int chooseCalendar(Interaction& ui, const std::vector<DavResource>& calendars, bool canCreate) {
    if (calendars.empty() && canCreate)
        return ui.confirm(QStringLiteral("このアカウントにはカレンダーがありません。\r"
                                         "カレンダー「%1」を作りますか?")
                              .arg(NewName))
                   ? 0
                   : -1;
    QStringList text{QStringLiteral("使うカレンダーの番号を入力下さい。")};
    for (size_t k = 0; k < calendars.size(); ++k)
        text << QStringLiteral("%1  %2").arg(k + 1).arg(calendars[k].name);
    if (canCreate)
        text << QStringLiteral("0  新しいカレンダー「%1」を作る").arg(NewName);
    bool number = false;
    const int chosen = ui.prompt(text.join(u'\r'), FindTitle, QStringLiteral("1")).trimmed().toInt(&number);
    if (!number || chosen < (canCreate ? 0 : 1) || chosen > int(calendars.size()))
        return -1;
    return chosen == 0 ? int(calendars.size()) : chosen - 1;
}

} // namespace

void HbmCalDav::ComFind_Click() {
    QString url;
    QString user;
    if (!checkedEntries(url, user))
        return;
    if (TxtPassword->text().isEmpty())
        TxtPassword->setText(
            m.ui.password(QStringLiteral("%1 のパスワードを入力下さい。").arg(user), FindTitle));
    CalDavDiscovery discovery;
    bool ok = false;
    QString failure;
    connect(&discovery, &CalDavDiscovery::finished, this, [&](bool o, const QString& text) {
        ok = o;
        failure = text;
    });
    auto settled = [&] {
        if (discovery.waitForFinished(60000) && ok)
            return true;
        m.ui.message(failure.isEmpty() ? QStringLiteral("サーバーから時間内に応答がありませんでした。")
                                       : failure);
        return false;
    };
    discovery.find(QUrl(url), user, TxtPassword->text());
    if (!settled())
        return;
    int chosen = chooseCalendar(m.ui, discovery.calendars(), !discovery.home().isEmpty());
    if (chosen < 0)
        return;
    if (chosen == int(discovery.calendars().size())) {
        discovery.create(NewName);
        if (!settled())
            return;
        chosen = 0;
    }
    TxtUrl->setText(normalisedCollectionUrl(discovery.calendars()[chosen].url.toString()));
}

} // namespace hibimo
