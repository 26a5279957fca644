// Trace unit vesk_Trace: the front end every part of the program logs through.
// The behaviour lives in TveskTraceUnit; this file holds the unit's one instance, its
// initialisation before main and its exit procedure.

#include "vesk_Trace.h"

#include <atomic>
#include <cstdarg>
#include <cstdint>
#include <cstdlib>
#include <new>

#include "vesk_TraceUnit.h"

namespace {
constexpr std::size_t kUnitMaxLineChars = 0;  // lines are never cut
}  // namespace

#include "vesk_TraceFrontEnd.inc"
