#pragma once

#include <QString>

namespace hibimo {

class HbmFrm;

// The file in the program folder that remembers whether the grid shows 六曜 and the lunisolar date.
inline const QString ViewChoicesFileName = QStringLiteral("HbView.ini");

// Off unless the file says "1": some families and public bodies avoid 六曜.
bool readAlmanacShown(const QString& folder);
// False when the file could not be written; the old one is then untouched.
bool writeAlmanacShown(const QString& folder, bool shown);

// The 「六曜・旧暦」 check box below the grid: the day cells show each day's almanac while it is ticked.
class AlmanacView {
  public:
    explicit AlmanacView(HbmFrm& frm) : frm_(frm) {}
    void connectSignals();
    // Takes the remembered choice at start, before the first display.
    void Form_Load();
    void ChkAlmanac_Click();

  private:
    void placeMarkBoxes();
    HbmFrm& frm_;
};

} // namespace hibimo
