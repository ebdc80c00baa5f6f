#pragma once

#include <QString>

namespace hibimo {

// The lists the two list editors show when their file cannot be read; every line ends in CR LF.
QString holidaySampleList();
QString anniversarySampleList();

} // namespace hibimo
