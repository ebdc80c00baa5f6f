#pragma once

#include "dialogs/ListEditor.h"

#include <array>

namespace hibimo {

// The holiday rule list editor ("HBHolyD.dat").
class HbmHoliD : public ListEditor {
    Q_OBJECT
  public:
    explicit HbmHoliD(CalendarModule& module);

    Label* Label2 = nullptr;        // title
    std::array<Label*, 8> Label3{}; // guidance
};

} // namespace hibimo
