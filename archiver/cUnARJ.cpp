#include "archiver/cUnARJ.h"

namespace {
cArchiverDriver::State& sharedState()
{
    static cArchiverDriver::State state;
    return state;
}
} // namespace

cUnARJ::cUnARJ()
    : cArchiverDriver({QStringLiteral("ARJ"), QStringLiteral("unarj32j"), "Unarj", 81, 324, true, 5, false},
        &sharedState())
{
}
