#pragma once
// The program's own version, as the build was configured (project VERSION in CMakeLists.txt,
// which gives every file of the window DIALOSCOPE_VERSION).

#include <QString>

namespace dialoscope {

inline QString ProgramVersion() {
    return QStringLiteral(DIALOSCOPE_VERSION);
}

} // namespace dialoscope
