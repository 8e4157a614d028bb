// The second-generation channel database (models 0 and 1).
#pragma once

#include <memory>

#include "model/database_engine.h"
#include "model/second_gen_layout.h"

namespace brondavel {

class SecondGenDatabase : public DatabaseEngine {
  public:
    SecondGenDatabase() : DatabaseEngine(std::make_unique<SecondGenLayout>()) {}
};

}  // namespace brondavel
