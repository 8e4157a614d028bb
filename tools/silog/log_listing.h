// The "Log Print" listing of both tables. It is written in the logs' own line
// formats, one block per entry with a blank line between blocks, network
// entries first under a "# network entries: N" heading and events under
// "# events: N". Each line names its field, and the listing reads back
// through the same readers into the same tables. Events show only the texts
// and language they have.
#pragma once

#include <string>

#include "tools/silog/event_log.h"
#include "tools/silog/network_log.h"

namespace brondavel::silog {

std::string FormatLogListing(const NetworkTable& network, const EventTable& events);

}  // namespace brondavel::silog
