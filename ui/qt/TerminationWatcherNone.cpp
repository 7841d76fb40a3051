// Where no POSIX signals end a session, nothing is watched: the skin hears of the end as a
// window message instead.
#include "TerminationWatcher.h"

namespace kovar {

TerminationWatcher::TerminationWatcher(QObject* parent) : QObject(parent) {}
TerminationWatcher::~TerminationWatcher() = default;

}  // namespace kovar
