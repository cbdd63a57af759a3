#include "version.h"

namespace dialoscope {

QString ProgramVersion() {
    return QStringLiteral(DIALOSCOPE_VERSION);
}

} // namespace dialoscope
