#pragma once

#include "sharing/CalDavSettings.h"
#include "toolkit/Form.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <array>

namespace hibimo {

struct CalendarModule;

// The modal settings of publishing: the calendar collection, the user, the password (for the keyring,
// never a file), the kinds published and when. OK checks the URL first and stays open on a bad one;
// Escape and the close box leave `accepted` false.
class HbmCalDav : public Form {
    Q_OBJECT
  public:
    explicit HbmCalDav(CalendarModule& module);

    CalendarModule& m;

    QLineEdit* TxtUrl = nullptr;
    QLineEdit* TxtUser = nullptr;
    QLineEdit* TxtPassword = nullptr;
    // In the order of ShareKind.
    std::array<QCheckBox*, 7> ChkKind{};
    QCheckBox* ChkAfterSave = nullptr;
    QCheckBox* ChkAtExit = nullptr;
    // Fills the URL from a calendar found from the server's address, the user and the password.
    QPushButton* ComFind = nullptr;
    // 0 OK, 1 キャンセル.
    std::array<QPushButton*, 2> ComCalDav{};

    CalDavSettings settings;
    // Typed in the dialog; empty when the user left the keyring's password as it is.
    QString password;
    bool accepted = false;

    void Form_Load(const CalDavSettings& current);
    void ComCalDav_Click(int Index);
    void ComFind_Click();

  private:
    // The URL and user typed, checked; false (and said) when they cannot be used.
    bool checkedEntries(QString& url, QString& user);
};

} // namespace hibimo
