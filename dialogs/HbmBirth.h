#pragma once

#include "dialogs/ListEditor.h"

#include <array>

namespace hibimo {

// The anniversary list editor ("HBBirth.dat").
class HbmBirth : public ListEditor {
    Q_OBJECT
  public:
    explicit HbmBirth(CalendarModule& module);

    Label* Label1 = nullptr;        // title
    std::array<Label*, 2> Label2{}; // guidance
    std::array<Label*, 4> Label3{}; // guidance
};

} // namespace hibimo
