// Trace unit veskTrace (used by the structure search binding): the same behaviour
// as vesk_Trace with its own state, lock and file handle; message lines are cut at 31996
// characters. It reads the configuration at its own initialisation, so with "Append" off it
// recreates a trace file it shares with vesk_Trace.

#include "vesk_Trace.h"

#include <atomic>
#include <cstdarg>
#include <cstdint>
#include <cstdlib>
#include <new>

#include "vesk_TraceUnit.h"

namespace veskTrace {

namespace {
constexpr std::size_t kUnitMaxLineChars = veskTraceImpl::kVeskTraceMaxLineChars;
}  // namespace

#include "vesk_TraceFrontEnd.inc"

}  // namespace veskTrace
