#pragma once

#include "toolkit/Controls.h"
#include "toolkit/Form.h"

#include <QPushButton>
#include <array>

namespace hibimo {

struct HbmModule;

// The modal question before the loaded year is generated again from the two lists. The answer is
// left in RenewChoice: 0 update, 2 cancel; the close box leaves the previous answer in place.
class HbmReNew : public Form {
    Q_OBJECT
  public:
    explicit HbmReNew(HbmModule& module);

    HbmModule& m;

    Label* LbYReNew = nullptr;
    Label* Label2 = nullptr;
    std::array<Label*, 3> Label1{}; // 0 and 2
    std::array<Label*, 2> Label3{};
    std::array<Label*, 1> Label4{};
    std::array<Label*, 4> Label5{};
    // Indices 0 ("更　新") and 2 ("キャンセル"); there is no element 1.
    std::array<QPushButton*, 3> ComReNew{};

    void Form_Load();
    void ComReNew_Click(int Index);
};

} // namespace hibimo
