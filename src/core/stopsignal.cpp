#include "core/stopsignal.h"

#include <csignal>
#include <initializer_list>

namespace {

// Only this flag may be touched from inside a signal handler.
volatile std::sig_atomic_t g_stopRequested = 0;

extern "C" void requestStop(int)
{
    g_stopRequested = 1;
}

} // namespace

void catchStopSignals()
{
    for (int signal : {SIGTERM, SIGINT, SIGHUP})
        std::signal(signal, requestStop);
}

bool takeStopRequest()
{
    if (!g_stopRequested)
        return false;
    g_stopRequested = 0;
    return true;
}
