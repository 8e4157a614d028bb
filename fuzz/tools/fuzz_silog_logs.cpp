// Any bytes as both kinds of service-information log, then the listing of
// the tables. Nothing may crash, overflow or read out of bounds, and the
// tables must stay free of duplicates.
#include <cstdint>
#include <cstdlib>
#include <set>
#include <sstream>
#include <string>

#include "tools/silog/event_log.h"
#include "tools/silog/log_listing.h"
#include "tools/silog/network_log.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string log(reinterpret_cast<const char*>(data), size);
    brondavel::silog::NetworkTable network;
    brondavel::silog::EventTable events;
    std::istringstream a(log), b(log);
    network.Read(a);
    events.Read(b);
    std::set<brondavel::silog::NetworkEntry> networkSeen(network.entries().begin(),
                                                         network.entries().end());
    if (networkSeen.size() != network.entries().size()) std::abort();
    std::set<decltype(brondavel::silog::EventEntry{}.Key())> eventSeen;
    for (const auto& e : events.entries()) eventSeen.insert(e.Key());
    if (eventSeen.size() != events.entries().size()) std::abort();
    const std::string listing = brondavel::silog::FormatLogListing(network, events);
    // The network entries come first in the listing and read back exactly
    // (event texts after them may look like more of them).
    brondavel::silog::NetworkTable again;
    std::istringstream c(listing);
    again.Read(c);
    if (again.entries().size() < network.entries().size()) std::abort();
    for (size_t i = 0; i < network.entries().size(); ++i)
        if (!(again.entries()[i] == network.entries()[i])) std::abort();
    return 0;
}
