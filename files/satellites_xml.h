// The satellites.xml list that set-top-box communities keep: <sat name
// position> elements holding <transponder frequency symbol_rate polarization
// fec_inner system modulation> elements.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "model/transponder_table.h"

namespace brondavel {

// Every satellite of the document. False with `error` set when it is no
// such list. Entity declarations are never expanded.
bool ParseSatellitesXml(std::string_view text, std::vector<TransponderTable>& tables,
                        std::string& error);
bool ReadSatellitesXml(const std::string& path, std::vector<TransponderTable>& tables,
                       std::string& error);

}  // namespace brondavel
