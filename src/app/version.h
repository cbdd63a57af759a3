#pragma once
// The program's own version, as the build was configured (project VERSION in CMakeLists.txt).

#include <QString>

namespace dialoscope {

QString ProgramVersion();

} // namespace dialoscope
