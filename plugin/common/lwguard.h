// lwguard.h: keeps exceptions inside the module.
//
// Every activation and callback into the host runs its body through Guarded: an exception of the
// command path has already been reported by the bridge; anything else is reported on the status
// line. The host then gets the callback's neutral result.
#ifndef ZK_LWGUARD_H
#define ZK_LWGUARD_H

#include "lwexcept.h"

#include <exception>
#include <new>
#include <string>
#include <type_traits>

// Reports an unexpected failure on the host's status line, when a command interface is known.
void ReportFault(const std::string &what) noexcept;

template <class Fn, class R = std::invoke_result_t<Fn>>
R GuardedOr(R onFault, Fn &&body) noexcept
{
    try {
        return body();
    } catch (const lw::ex::CBaseEx &) {
        // Reported by the bridge before it was raised.
    } catch (const std::bad_alloc &) {
        ReportFault("out of memory");
    } catch (const std::exception &e) {
        ReportFault(e.what());
    } catch (...) {
        ReportFault("unknown error");
    }
    return onFault;
}

template <class Fn>
void Guarded(Fn &&body) noexcept
{
    GuardedOr(0, [&] {
        body();
        return 0;
    });
}

#endif
